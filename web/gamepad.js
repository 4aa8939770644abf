// Game controllers through the Gamepad API, mapped as the desktop maps them: the d-pad and the left
// stick past a third of its travel are the four directions, the south and east face buttons fire,
// Start is the power switch and Back (select) opens or closes the game menu. Each press acts once,
// however long it is held; the pads are read on every animation frame, and only while one is
// connected.

// The standard mapping's buttons and axes.
const BUTTON = {south: 0, east: 1, back: 8, start: 9, up: 12, down: 13, left: 14, right: 15};
const STICK_X = 0;
const STICK_Y = 1;  // negative is up
// The desktop's dead zone: 11000 of 32767.
export const STICK_DEAD_ZONE = 11000 / 32767;

const pressed = (pad, button) => Boolean(pad.buttons[button]?.pressed);

// What one pad holds: [power, up, left, right, down, fire] and whether Back is held.
export function heldControls(pad) {
  const x = pad.axes[STICK_X] ?? 0;
  const y = pad.axes[STICK_Y] ?? 0;
  return {
    controls: [
      pressed(pad, BUTTON.start),
      pressed(pad, BUTTON.up) || y < -STICK_DEAD_ZONE,
      pressed(pad, BUTTON.left) || x < -STICK_DEAD_ZONE,
      pressed(pad, BUTTON.right) || x > STICK_DEAD_ZONE,
      pressed(pad, BUTTON.down) || y > STICK_DEAD_ZONE,
      pressed(pad, BUTTON.south) || pressed(pad, BUTTON.east),
    ],
    menu: pressed(pad, BUTTON.back),
  };
}

export class GamepadInput {
  // input: the DeviceInput whose controls the pads press; menu: called on each press of Back.
  constructor(input, menu) {
    this.input = input;
    this.menu = menu;
    this.held = [false, false, false, false, false, false];
    this.menuHeld = false;
    this.frame = null;
  }

  listen(target = globalThis) {
    target.addEventListener('gamepadconnected', () => this.poll());
    target.addEventListener('gamepaddisconnected', () => this.poll());
    // A pad connected before the page loaded is announced again on its first button press.
  }

  pads() {
    return [...(navigator.getGamepads?.() ?? [])].filter((pad) => pad && pad.connected !== false);
  }

  poll() {
    if (this.frame !== null) cancelAnimationFrame(this.frame);
    this.frame = null;
    const pads = this.pads();
    const now = {controls: this.held.map(() => false), menu: false};
    for (const pad of pads) {
      const held = heldControls(pad);
      held.controls.forEach((on, control) => (now.controls[control] ||= on));
      now.menu ||= held.menu;
    }
    // Releases first, as on the desktop: letting go of one direction while pushing another clears
    // the move latch before the new push moves the ship. Releases always pass, so that nothing
    // stays held; presses only while the device takes them.
    const was = this.held;
    this.held = now.controls;
    was.forEach((on, control) => on && !now.controls[control] && this.input.release(control, 'pad'));
    was.forEach((on, control) => !on && now.controls[control] && this.input.enabled && this.input.press(control, 'pad'));
    if (now.menu && !this.menuHeld) this.menu();
    this.menuHeld = now.menu;
    if (pads.length > 0) this.frame = requestAnimationFrame(() => this.poll());
  }
}
