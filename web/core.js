// The game's core, compiled from src/game, behind the small C interface of web/core.
import createCore from './fathomer_core.js';

// The seed of the address's "seed" parameter, as the desktop takes FATHOMER_SEED: a plain number up
// to 4294967295 replays the same submarine; anything else is ignored (null).
export function seedOfAddress(search) {
  const text = new URLSearchParams(search).get('seed');
  if (text === null || !/^\d+$/.test(text)) return null;
  const seed = Number(text);
  return seed <= 0xffffffff ? seed : null;
}

export async function loadCore() {
  const m = await createCore();
  return {
    seed: (seed) => m._fw_seed(seed >>> 0),
    press: (control) => m._fw_press(control),
    release: (control) => m._fw_release(control),
    timeout: (clock) => m._fw_timeout(clock),
    clockEnabled: (clock) => m._fw_clock_enabled(clock) !== 0,
    clockInterval: (clock) => m._fw_clock_interval(clock),
    clockStarts: (clock) => m._fw_clock_starts(clock) >>> 0,
    shipLit: (cell) => m._fw_ship_lit(cell) !== 0,
    torpedoLit: (cell) => m._fw_torpedo_lit(cell) !== 0,
    panelPicture: (position) => m._fw_panel_picture(position),
    panelNumber: () => m._fw_panel_number(),
    stateShown: (n) => m._fw_state_shown(n) !== 0,
    powerOn: () => m._fw_power_on() !== 0,
    nextSound: () => m._fw_next_sound(),
    running: () => m._fw_running() !== 0,
    shotsLeft: () => m._fw_shots_left(),
  };
}

// The core's three clocks (Timer_Game, Timer_Reprise, Timer_Game_Over) on the page's timers.
// A clock's timer is started anew whenever the core enabled it from stopped or gave it a new
// interval while running, and stopped when the core disabled it.
export class PageClocks {
  constructor(core, onTimeout) {
    this.core = core;
    this.onTimeout = onTimeout;
    this.timers = [null, null, null];
    this.starts = [0, 0, 0];
  }

  sync() {
    for (let n = 0; n < 3; n++) {
      const starts = this.core.clockStarts(n);
      if (!this.core.clockEnabled(n)) {
        this.stop(n);
      } else if (this.timers[n] === null || starts !== this.starts[n]) {
        this.stop(n);
        this.timers[n] = setInterval(() => this.onTimeout(n), this.core.clockInterval(n));
      }
      this.starts[n] = starts;
    }
  }

  stop(n) {
    if (this.timers[n] !== null) clearInterval(this.timers[n]);
    this.timers[n] = null;
  }
}
