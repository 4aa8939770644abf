// The web edition: the game's core on the page's clocks, drawn on the skin the build generated,
// played with keys, mouse, touch and game controllers, heard through Web Audio and read out in
// live regions; around it the splash, the game menu, fullscreen, the keys, the manual and the about card.
import {About} from './about.js';
import {PageClocks, loadCore, seedOfAddress} from './core.js';
import {Device} from './device.js';
import {Fullscreen} from './fullscreen.js';
import {GameMenu} from './game_menu.js';
import {GamepadInput} from './gamepad.js';
import {DeviceInput} from './input.js';
import {KeysDialog} from './keys_dialog.js';
import {buttonHint, loadChoices, powerHint} from './keys.js';
import {readLayout} from './layout.js';
import {Manual} from './manual.js';
import {Pictures} from './pictures.js';
import {updateReadouts} from './readouts.js';
import {loadSetting, saveSetting} from './settings.js';
import {DeviceSound} from './sound.js';

const $ = (selector) => document.querySelector(selector);

async function start() {
  const [config, core] = await Promise.all([fetch('Config.ini').then((response) => response.text()), loadCore()]);
  const layout = readLayout(config);
  const seed = seedOfAddress(location.search);
  if (seed !== null) core.seed(seed);
  const sound = new DeviceSound();
  const device = new Device($('#device'), layout, new Pictures(layout.seeThrough, devicePixelRatio > 1));
  const fullscreen = new Fullscreen(layout, {body: document.body, stage: $('#stage'), device: $('#device'),
                                             backdrop: $('#backdrop'), logo: $('#logo')}, () => menu.show(false, false));
  fullscreen.place();
  await device.build();
  let choices = loadChoices();

  const hints = () => {
    device.buttons.forEach((button, control) => {
      button.title = control === 0 ? powerHint(choices, core.powerOn()) : buttonHint(choices, control);
    });
  };
  // After every call into the core: the pictures, the clocks, the sounds and the readouts follow.
  const changed = () => {
    device.show(core);
    clocks.sync();
    for (let request = core.nextSound(); request >= 0; request = core.nextSound()) sound.play(request);
    updateReadouts(core, $('#score'), $('#playfield'));
    hints();
  };
  const clocks = new PageClocks(core, (n) => {
    core.timeout(n);
    changed();
  });
  const input = new DeviceInput(core, () => choices, changed);
  // The device takes presses while nothing else has the keys: no splash, dialog or unfolded menu.
  const dialogs = ['#keys', '#manual', '#about'].map($);
  const settle = () => {
    input.enabled = $('#splash').hidden && !menu.open && !dialogs.some((dialog) => dialog.open);
    if (!input.enabled) input.releaseAll();
  };
  input.listenToKeys(globalThis);
  device.buttons.forEach((button, control) => input.listenToButton(button, control));
  for (const dialog of dialogs) dialog.addEventListener('close', settle);

  const keysDialog = new KeysDialog($('#keys'), () => choices, (accepted) => {
    choices = accepted;
    hints();
  });
  const manual = new Manual($('#manual'), layout.manual);
  const about = new About($('#about'));
  const opening = (dialog) => () => {
    dialog.open();
    settle();
  };
  const openKeys = opening(keysDialog);
  const openManual = opening(manual);
  const openAbout = opening(about);
  const splashAtStart = () => loadSetting('splash');
  // The desktop's game menu rows that a browser has: no documents to open and no Exit.
  const menu = new GameMenu($('#game-menu'), [
    {text: 'About...', action: openAbout},
    {text: 'View manual', action: openManual},
    null,
    {text: 'Key settings', action: openKeys},
    null,
    {text: 'Display in fullscreen mode', action: () => fullscreen.toggle(), checked: () => fullscreen.on},
    {text: 'Display splash screen at startup', action: () => saveSetting('splash', !splashAtStart()), checked: splashAtStart},
  ], settle);
  new GamepadInput(input, () => $('#splash').hidden && !dialogs.some((d) => d.open) && menu.toggle()).listen();

  $('#open-keys').addEventListener('click', openKeys);
  $('#open-manual').addEventListener('click', openManual);
  $('#open-about').addEventListener('click', openAbout);
  $('#toggle-fullscreen').addEventListener('click', () => fullscreen.toggle());
  $('#toggle-fullscreen').hidden = !fullscreen.available;
  changed();

  // What tests read: the sound requests and the game's state.
  globalThis.fathomerPage = {
    sounds: sound.counts,
    soundRequests: sound.requests,
    audio: () => sound.context?.state ?? 'none',
    game: () => ({power: core.powerOn(), running: core.running(), shotsLeft: core.shotsLeft(),
                  clocks: [0, 1, 2].filter((n) => core.clockEnabled(n))}),
  };

  const play = async (soundOn) => {
    $('#splash').hidden = true;
    settle();
    if (soundOn) await sound.start();
  };
  $('#sound-on').checked = loadSetting('sound');
  $('#splash-at-start').checked = splashAtStart();
  $('#play').addEventListener('click', () => {
    saveSetting('sound', $('#sound-on').checked);
    saveSetting('splash', $('#splash-at-start').checked);
    play($('#sound-on').checked);
  });
  if (!splashAtStart()) {
    // No splash: play at once; sound may only start on the player's first gesture.
    play(false);
    const first = () => {
      globalThis.removeEventListener('pointerdown', first, true);
      globalThis.removeEventListener('keydown', first, true);
      if (loadSetting('sound')) sound.start();
    };
    globalThis.addEventListener('pointerdown', first, true);
    globalThis.addEventListener('keydown', first, true);
  } else {
    settle();
  }
  // The first frame with the device drawn has been painted once the task after its frame runs.
  requestAnimationFrame(() => setTimeout(() => performance.mark('fathomer-device-painted')));
  await device.complete;
  changed();
  document.body.dataset.state = 'ready';
}

// The offline cache is filled once the device is drawn, so that it never holds up the first picture.
start().then(() => {
  if ('serviceWorker' in navigator && isSecureContext) navigator.serviceWorker.register('service_worker.js');
}).catch((error) => {
  document.body.dataset.state = 'failed';
  $('#failure').hidden = false;
  $('#failure').textContent = `The game could not start: ${error.message}`;
  throw error;
});
