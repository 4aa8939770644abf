// Fullscreen through the Fullscreen API, shown as Config.ini's [Fullscreen] section describes it:
// the background colour, the backdrop picture (stretched over the screen or at its own size from the
// top-left corner), the logo in the corner LogoPosition names (0 top left, 1 top right, 2 bottom
// left, 3 bottom right), and the device at GameOffsetX/Y or in the middle. Outside fullscreen the
// device sits at the top of the page, above the toolbar.

const LOGO_CORNERS = ['top-left', 'top-right', 'bottom-left', 'bottom-right'];
const TOOLBAR_HEIGHT = 48;

export class Fullscreen {
  constructor(layout, elements, changed) {
    this.layout = layout;
    this.settings = layout.fullscreen;
    this.elements = elements;  // {body, stage, device, backdrop, logo}
    this.changed = changed;
    document.addEventListener('fullscreenchange', () => {
      this.apply();
      this.changed();
    });
    globalThis.addEventListener('resize', () => this.place());
  }

  get on() {
    return Boolean(document.fullscreenElement);
  }

  get available() {
    return Boolean(document.fullscreenEnabled && document.documentElement.requestFullscreen);
  }

  async toggle() {
    try {
      if (this.on) await document.exitFullscreen();
      else await document.documentElement.requestFullscreen({navigationUI: 'hide'});
    } catch {
      // refused (no gesture, or not allowed here): the page stays as it is
    }
  }

  apply() {
    const {body, backdrop, logo} = this.elements;
    const on = this.on;
    const {colour, stretch, logoPosition} = this.settings;
    body.classList.toggle('fullscreen', on);
    body.style.backgroundColor = on ? `rgb(${colour.join(',')})` : '';
    backdrop.hidden = !on || !this.settings.backdrop;
    if (!backdrop.hidden) {
      backdrop.style.backgroundImage = `url("${encodeURI(this.settings.backdrop)}")`;
      backdrop.style.backgroundSize = stretch ? '100% 100%' : 'auto';
    }
    logo.hidden = !on || !this.settings.logo || !LOGO_CORNERS[logoPosition];
    if (!logo.hidden) {
      if (!logo.getAttribute('src')) logo.src = this.settings.logo;
      logo.className = LOGO_CORNERS[logoPosition];
    }
    this.place();
  }

  // The device at the largest size the room holds, up to twice its own: in fullscreen at the
  // configured offset or in the middle, otherwise centred at the top above the toolbar.
  place() {
    const {width, height} = this.layout;
    const {stage, device} = this.elements;
    const roomHeight = this.on ? innerHeight : innerHeight - TOOLBAR_HEIGHT;
    const scale = Math.max(Math.min(innerWidth / width, roomHeight / height, 2), 0.1);
    const left = this.on && this.settings.offsetX !== null ? this.settings.offsetX : (innerWidth - width * scale) / 2;
    const top = this.on && this.settings.offsetY !== null ? this.settings.offsetY : this.on ? (innerHeight - height * scale) / 2 : 0;
    device.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
    stage.style.height = this.on ? '100%' : `${height * scale}px`;
  }
}
