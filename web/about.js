// The about card: the desktop's about window's picture and texts. Its two links open in a new tab
// only when clicked or when they have the focus; following one closes the card, as on the desktop.
export class About {
  constructor(dialog) {
    this.dialog = dialog;
    dialog.querySelector('[data-action=close]').addEventListener('click', () => dialog.close());
    for (const link of dialog.querySelectorAll('a')) link.addEventListener('click', () => dialog.close());
  }

  open() {
    this.dialog.showModal();
    this.dialog.querySelector('[data-action=close]').focus();
  }
}
