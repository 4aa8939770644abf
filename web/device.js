// The device on the page: every picture of the skin in the desktop program's drawing order, at the
// place and size its image section gives, and the six pictured buttons the player presses.

export const CELLS = 21;  // column by column, rows fastest, as the core counts them
const cellOf = (index) => ({col: Math.floor(index / 3) + 1, row: (index % 3) + 1});
const shipSection = ({col, row}) => 31 + 7 * (row - 1) + col;
const cellName = (index) => `${cellOf(index).col},${cellOf(index).row}`;

// The state pictures beneath the buttons as [state number, image section], in drawing order: the
// core numbers them up, left, right, down pressed (0..3), power on (4), fire raised (5).
const PRESSED_PICTURES = [
  [2, 9],
  [3, 11],
  [1, 7],
  [0, 5],
  [4, 3],
];
const FIRE_RAISED = [5, 13];
// The pictured buttons by control (power, up, left, right, down, fire): section and name.
const BUTTONS = [
  [4, 'Power'],
  [6, 'Up'],
  [8, 'Left'],
  [10, 'Right'],
  [12, 'Down'],
  [14, 'Fire'],
];

export class Device {
  constructor(root, layout, pictures) {
    this.root = root;
    this.layout = layout;
    this.pictures = pictures;
    this.ships = [];
    this.torpedoes = [];
    this.states = [];
    this.panel = [];
    this.panelSources = [null, null];
    this.buttons = [];
    root.style.width = `${layout.width}px`;
    root.style.height = `${layout.height}px`;
  }

  // Creates every picture, hidden as the device starts, and waits until those shown at the start
  // are drawn; the rest (the LEDs, the pressed buttons, the digits) are drawn meanwhile, and
  // this.complete settles when they are.
  async build() {
    const drawn = [];
    const later = [];
    const add = (section, shown, file = this.layout.images[section].file) => {
      const canvas = this.placed(section);
      canvas.hidden = !shown;
      if (file) (shown ? drawn : later).push(this.draw(canvas, file));
      return canvas;
    };
    add(1, true);
    this.panel = [add(15, true), add(16, true)];
    for (let i = 0; i < CELLS; i++) this.ships.push(add(shipSection(cellOf(i)), false));
    for (let i = 0; i < CELLS; i++) this.torpedoes.push(add(shipSection(cellOf(i)), false));
    this.ships.forEach((led, i) => (led.dataset.ship = cellName(i)));
    this.torpedoes.forEach((led, i) => (led.dataset.torpedo = cellName(i)));
    this.panel.forEach((position, i) => (position.dataset.panel = i === 0 ? 'tens' : 'units'));
    add(2, true);
    for (const [n, section] of PRESSED_PICTURES) this.states[n] = add(section, false);
    for (const [section, name] of BUTTONS.slice(0, 5)) this.buttons.push(this.button(section, name));
    this.states[FIRE_RAISED[0]] = add(FIRE_RAISED[1], true);
    this.buttons.push(this.button(...BUTTONS[5]));
    // The panel's pictures are copied from the digit sections.
    for (let source = 0; source < 15; source++) {
      const file = this.layout.images[17 + source].file;
      if (file) later.push(this.pictures.get(file));
    }
    // A digit that came after the panel asked for it is drawn now.
    this.complete = Promise.all(later).then(() => (this.panelSources = [null, null]));
    await Promise.all(drawn);
  }

  placed(section, tag = 'canvas') {
    const box = this.layout.images[section];
    const element = document.createElement(tag);
    Object.assign(element.style, {left: `${box.left}px`, top: `${box.top}px`, width: `${box.width}px`, height: `${box.height}px`});
    element.dataset.section = String(section);
    this.root.append(element);
    return element;
  }

  async draw(canvas, file) {
    this.drawNow(canvas, await this.pictures.get(file));
  }

  drawNow(canvas, {canvas: picture, scale}) {
    const box = this.layout.images[Number(canvas.dataset.section)];
    canvas.width = box.width * scale;
    canvas.height = box.height * scale;
    const context = canvas.getContext('2d');
    context.clearRect(0, 0, canvas.width, canvas.height);
    context.drawImage(picture, 0, 0);
  }

  button(section, name) {
    const element = this.placed(section, 'button');
    element.type = 'button';
    element.className = 'device-button';
    element.setAttribute('aria-label', name);
    return element;
  }

  // Brings the pictures into line with what the core shows.
  show(core) {
    for (let i = 0; i < CELLS; i++) {
      this.ships[i].hidden = !core.shipLit(i);
      this.torpedoes[i].hidden = !core.torpedoLit(i);
    }
    for (let n = 0; n < this.states.length; n++) this.states[n].hidden = !core.stateShown(n);
    for (const position of [1, 2]) this.showPanel(position, core.panelPicture(position));
  }

  showPanel(position, source) {
    if (this.panelSources[position - 1] === source) return;
    this.panelSources[position - 1] = source;
    const canvas = this.panel[position - 1];
    const file = source >= 0 ? this.layout.images[17 + source].file : null;
    const picture = file && this.pictures.ready(file);
    if (picture) {
      this.drawNow(canvas, picture);
    } else {
      canvas.getContext('2d').clearRect(0, 0, canvas.width, canvas.height);
    }
  }
}
