// The splash screen's two stored choices, kept in the browser's storage: whether sound is on and
// whether the splash screen shows at start-up (both on until chosen otherwise).
const KEYS = {sound: 'fathomer.sound', splash: 'fathomer.splashScreen'};

export function loadSetting(name, storage = globalThis.localStorage) {
  return storage.getItem(KEYS[name]) !== 'off';
}

export function saveSetting(name, on, storage = globalThis.localStorage) {
  storage.setItem(KEYS[name], on ? 'on' : 'off');
}
