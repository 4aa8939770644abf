// The game menu: a menu button in the page's top-left corner that unfolds the list of the
// desktop's game menu rows over the device, as far as a browser has them. A row runs its action
// and folds the menu away; a gap row does nothing. Check marks (" [V]") are copied when the menu
// unfolds. Arrow keys move between rows, Escape folds the menu.

export class GameMenu {
  // rows: {text, action, checked} or null for a gap; toggled(open) follows every fold and unfold.
  constructor(root, rows, toggled) {
    this.root = root;
    this.rows = rows;
    this.toggled = toggled;
    this.button = root.querySelector('#game-menu-button');
    this.list = root.querySelector('#game-menu-rows');
    this.open = false;
    this.button.addEventListener('click', () => this.toggle());
    root.addEventListener('keydown', (event) => this.key(event));
  }

  toggle(focus = true) {
    this.show(!this.open, focus);
  }

  show(open, focus = true) {
    if (open === this.open) return;
    this.open = open;
    this.list.replaceChildren();
    if (open) this.build();
    this.root.classList.toggle('open', open);
    this.root.style.height = open ? `${32 * (this.rows.length + 1)}px` : '';
    this.button.setAttribute('aria-expanded', String(open));
    if (open && focus) this.items()[0]?.focus();
    if (!open && focus && this.root.contains(document.activeElement)) this.button.focus();
    this.toggled(open);
  }

  build() {
    this.rows.forEach((row, i) => {
      const element = document.createElement(row ? 'button' : 'div');
      element.style.top = `${32 * (i + 1)}px`;
      if (!row) {
        element.className = 'gap';
        element.setAttribute('role', 'separator');
      } else {
        element.type = 'button';
        element.setAttribute('role', row.checked ? 'menuitemcheckbox' : 'menuitem');
        if (row.checked) element.setAttribute('aria-checked', String(row.checked()));
        element.textContent = `   ${row.text}${row.checked?.() ? ' [V]' : ''}`;
        element.addEventListener('click', () => {
          this.show(false, false);
          row.action();
        });
      }
      this.list.append(element);
    });
  }

  items() {
    return [...this.list.querySelectorAll('button')];
  }

  key(event) {
    if (!this.open) return;
    const items = this.items();
    const at = items.indexOf(document.activeElement);
    if (event.key === 'Escape') this.show(false);
    else if (event.key === 'ArrowDown') items[(at + 1) % items.length].focus();
    else if (event.key === 'ArrowUp') items[(at - 1 + items.length) % items.length].focus();
    else return;
    event.preventDefault();
    event.stopPropagation();
  }
}
