// The web edition: the game's core on the page's clocks, drawn on the skin the build generated,
// played with keys, mouse and touch, heard through Web Audio and read out in live regions.
import {PageClocks, loadCore, seedOfAddress} from './core.js';
import {Device} from './device.js';
import {DeviceInput} from './input.js';
import {KeysDialog} from './keys_dialog.js';
import {buttonHint, loadChoices, powerHint} from './keys.js';
import {readLayout} from './layout.js';
import {Pictures} from './pictures.js';
import {updateReadouts} from './readouts.js';
import {DeviceSound} from './sound.js';

const $ = (selector) => document.querySelector(selector);

async function start() {
  const layout = readLayout(await (await fetch('Config.ini')).text());
  const core = await loadCore();
  const seed = seedOfAddress(location.search);
  if (seed !== null) core.seed(seed);
  const sound = new DeviceSound();
  const device = new Device($('#device'), layout, new Pictures(layout.seeThrough, devicePixelRatio > 1));
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
  input.enabled = false;  // the splash has the keys until Play
  input.listenToKeys(globalThis);
  device.buttons.forEach((button, control) => input.listenToButton(button, control));

  const keysDialog = new KeysDialog($('#keys'), () => choices, (accepted) => {
    choices = accepted;
    hints();
  });
  $('#keys').addEventListener('close', () => (input.enabled = $('#splash').hidden));
  $('#open-keys').addEventListener('click', () => {
    input.releaseAll();
    input.enabled = false;
    keysDialog.open();
  });

  fitToWindow(layout);
  globalThis.addEventListener('resize', () => fitToWindow(layout));
  changed();
  // What tests read: the sound requests and the game's state.
  globalThis.fathomerPage = {
    sounds: sound.counts,
    soundRequests: sound.requests,
    game: () => ({power: core.powerOn(), running: core.running(), shotsLeft: core.shotsLeft(),
                  clocks: [0, 1, 2].filter((n) => core.clockEnabled(n))}),
  };
  document.body.dataset.state = 'ready';

  $('#play').addEventListener('click', async () => {
    $('#splash').hidden = true;
    input.enabled = true;
    if ($('#sound-on').checked) await sound.start();
  });
}

// The device at the largest size the window holds, up to twice its own.
function fitToWindow(layout) {
  const scale = Math.min(innerWidth / layout.width, (innerHeight - 40) / layout.height, 2);
  $('#device').style.transform = `scale(${Math.max(scale, 0.1)})`;
  $('#stage').style.height = `${layout.height * Math.max(scale, 0.1)}px`;
}

if ('serviceWorker' in navigator && isSecureContext) navigator.serviceWorker.register('service_worker.js');
start().catch((error) => {
  document.body.dataset.state = 'failed';
  $('#failure').hidden = false;
  $('#failure').textContent = `The game could not start: ${error.message}`;
  throw error;
});
