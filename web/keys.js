// The key bindings, as the desktop program has them: 44 choices (the digits, the letters, the
// arrows, alt, ctrl, shift and the space bar), one per control, kept in the browser's storage.

export const CONTROLS = ['Power', 'Up', 'Left', 'Right', 'Down', 'Fire'];  // the core's order
export const CHOICE_COUNT = 44;
// By default '1', the up, left, right and down arrows, and ctrl.
export const DEFAULT_CHOICES = [2, 37, 39, 40, 38, 42];
const STORAGE_KEY = 'fathomer.keyChoices';

const NAMED = [
  {code: 'ArrowUp', list: '<UP ARROW>', name: "'up arrow' key"},
  {code: 'ArrowDown', list: '<DOWN ARROW>', name: "'down arrow' key"},
  {code: 'ArrowLeft', list: '<LEFT ARROW>', name: "'left arrow' key"},
  {code: 'ArrowRight', list: '<RIGHT ARROW>', name: "'right arrow' key"},
  {code: 'Alt', list: '<ALT>', name: "'alt' key"},
  {code: 'Control', list: '<CTRL>', name: "'ctrl' key"},
  {code: 'Shift', list: '<SHIFT>', name: "'shift' key"},
  {code: 'Space', list: '<SPACEBAR>', name: "'spacebar'"},
];

// The character of choices 1..36: '0'..'9', then 'A'..'Z'.
function character(choice) {
  return choice <= 10 ? String(choice - 1) : String.fromCharCode(64 + choice - 10);
}

// The text of a choice in the key list.
export function choiceText(choice) {
  return choice <= 36 ? character(choice) : NAMED[choice - 37].list;
}

// The name a hint gives the key of a choice.
export function choiceName(choice) {
  return choice <= 36 ? `'${character(choice)}'` : NAMED[choice - 37].name;
}

// The choice a key event stands for, or 0: by the key's place on the keyboard, left and right
// alt, ctrl and shift alike.
export function choiceOfEvent(event) {
  const code = event.code;
  let match = /^Digit(\d)$/.exec(code);
  if (match) return Number(match[1]) + 1;
  match = /^Key([A-Z])$/.exec(code);
  if (match) return match[1].charCodeAt(0) - 64 + 10;
  const named = NAMED.findIndex((key) => code === key.code || code.replace(/(Left|Right)$/, '') === key.code);
  return named < 0 ? 0 : 37 + named;
}

function valid(choice) {
  return Number.isInteger(choice) && choice >= 1 && choice <= CHOICE_COUNT;
}

// The stored choices; a missing or unreadable one takes its default.
export function loadChoices(storage = globalThis.localStorage) {
  let stored = [];
  try {
    stored = JSON.parse(storage.getItem(STORAGE_KEY) ?? '[]');
  } catch {
    stored = [];
  }
  return DEFAULT_CHOICES.map((fallback, i) => (Array.isArray(stored) && valid(stored[i]) ? stored[i] : fallback));
}

export function saveChoices(choices, storage = globalThis.localStorage) {
  storage.setItem(STORAGE_KEY, JSON.stringify(choices));
}

// Whether any two controls share a key: the settings cannot be accepted then.
export function hasDuplicate(choices) {
  return new Set(choices).size !== choices.length;
}

export function buttonHint(choices, control) {
  return `click or press ${choiceName(choices[control])}`;
}

export function powerHint(choices, powerOn) {
  return `${buttonHint(choices, 0)} ${powerOn ? 'to turn off the game' : 'to turn on the game'}`;
}
