// The player's presses from keys and from pointers (mouse, pen, every finger on a touch screen):
// a control is pressed when its first source goes down and released when its last one comes up,
// so two fingers or a finger and a key on one button are one press. A key's auto-repeat is no
// press of its own.
import {choiceOfEvent} from './keys.js';

export class DeviceInput {
  constructor(core, choices, changed) {
    this.core = core;
    this.choices = choices;
    this.changed = changed;
    this.held = [0, 1, 2, 3, 4, 5].map(() => new Set());
    this.enabled = true;
  }

  press(control, source) {
    const sources = this.held[control];
    if (sources.has(source)) return;
    sources.add(source);
    if (sources.size === 1) {
      this.core.press(control);
      this.changed();
    }
  }

  release(control, source) {
    const sources = this.held[control];
    if (!sources.delete(source) || sources.size > 0) return;
    this.core.release(control);
    this.changed();
  }

  releaseAll() {
    this.held.forEach((sources, control) => {
      for (const source of [...sources]) this.release(control, source);
    });
  }

  controlOfKey(event) {
    const choice = choiceOfEvent(event);
    return choice ? this.choices().indexOf(choice) : -1;
  }

  listenToKeys(target) {
    target.addEventListener('keydown', (event) => {
      const control = this.enabled ? this.controlOfKey(event) : -1;
      if (control < 0) return;
      event.preventDefault();
      if (!event.repeat) this.press(control, `key:${event.code}`);
    });
    target.addEventListener('keyup', (event) => {
      const control = this.controlOfKey(event);
      if (control >= 0) this.release(control, `key:${event.code}`);
    });
    // Keys let go while the page had no focus would stay held.
    globalThis.addEventListener('blur', () => this.releaseAll());
  }

  listenToButton(element, control) {
    element.addEventListener('pointerdown', (event) => {
      if (!this.enabled || (event.pointerType === 'mouse' && event.button !== 0)) return;
      event.preventDefault();
      element.setPointerCapture?.(event.pointerId);
      this.press(control, `pointer:${event.pointerId}`);
    });
    const up = (event) => this.release(control, `pointer:${event.pointerId}`);
    element.addEventListener('pointerup', up);
    element.addEventListener('pointercancel', up);
    element.addEventListener('lostpointercapture', up);
    element.addEventListener('contextmenu', (event) => event.preventDefault());
  }
}
