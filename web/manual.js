// The manual: the eight leaflet pages the build draws, one at a time, with previous, next and
// close, the arrow keys and Escape. Each page's picture is described by that page's text. The
// page on display is kept while the page is open, as the desktop keeps it for the run.
export const PAGE_COUNT = 8;

export class Manual {
  constructor(dialog, settings) {
    this.dialog = dialog;
    this.folder = settings.folder;
    this.page = 1;
    this.picture = dialog.querySelector('#manual-page');
    this.picture.width = settings.width;
    this.picture.height = settings.height;
    this.text = dialog.querySelector('#manual-text');
    this.news = dialog.querySelector('#manual-news');
    this.previous = dialog.querySelector('[data-action=previous]');
    this.next = dialog.querySelector('[data-action=next]');
    this.previous.addEventListener('click', () => this.turn(-1));
    this.next.addEventListener('click', () => this.turn(1));
    dialog.querySelector('[data-action=close]').addEventListener('click', () => dialog.close());
    dialog.addEventListener('keydown', (event) => {
      if (event.key !== 'ArrowLeft' && event.key !== 'ArrowRight') return;
      event.preventDefault();
      this.turn(event.key === 'ArrowLeft' ? -1 : 1);
    });
  }

  open() {
    this.show();
    this.dialog.showModal();
  }

  turn(by) {
    const page = Math.min(Math.max(this.page + by, 1), PAGE_COUNT);
    if (page === this.page) return;
    this.page = page;
    this.show();
  }

  async show() {
    const page = this.page;
    this.picture.src = `${this.folder}${page}.bmp`;
    this.picture.alt = `Page ${page} of ${PAGE_COUNT}`;
    this.previous.hidden = page === 1;
    this.next.hidden = page === PAGE_COUNT;
    if (document.activeElement?.hidden || !this.dialog.contains(document.activeElement)) {
      this.dialog.querySelector('[data-action=close]').focus();
    }
    this.news.textContent = `Page ${page} of ${PAGE_COUNT}`;
    this.dialog.dataset.page = String(page);
    let text = '';
    try {
      const response = await fetch(`${this.folder}${page}.txt`);
      if (response.ok) text = await response.text();
    } catch {
      // no text: the picture keeps its name only
    }
    if (this.page === page) {
      this.text.textContent = text.trim();
      this.dialog.dataset.textPage = String(page);
    }
  }
}
