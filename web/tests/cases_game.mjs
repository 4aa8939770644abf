// Whole games, the sounds asked for, and game controllers.
import assert from 'node:assert/strict';
import {TIMEOUT, open, text, lit, powerOn} from './page.mjs';

const game = (page) => page.evaluate(() => globalThis.fathomerPage.game());
const sounds = (page) => page.evaluate(() => ({...globalThis.fathomerPage.sounds}));

// The score that a game's Hit and Missed requests, in order, add up to: 5 for a hit, 3, 2 or 1
// after one, two or three and more misses since the last hit.
function scoreOfShots(requests) {
  let score = 0;
  let value = 5;
  for (const request of requests) {
    if (request === 'Hit') {
      score += value;
      value = 5;
    } else if (request === 'Missed') {
      value = {5: 3, 3: 2, 2: 1, 1: 1}[value];
    }
  }
  return score;
}

// A fake game controller, put in place before the page's scripts run: the page reads it through
// navigator.getGamepads, and the test sets its buttons and stick through globalThis.fakePad.
function fakeGamepad() {
  const pad = {id: 'Fake pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
               buttons: Array.from({length: 17}, () => ({pressed: false, touched: false, value: 0})), axes: [0, 0, 0, 0]};
  globalThis.fakePad = {pad, reads: 0, present: false};
  Object.defineProperty(Navigator.prototype, 'getGamepads', {
    configurable: true,
    value() {
      globalThis.fakePad.reads += 1;
      return globalThis.fakePad.present ? [pad, null, null, null] : [null, null, null, null];
    },
  });
}

async function padEvent(page, type) {
  await page.evaluate((type) => {
    globalThis.fakePad.present = type === 'gamepadconnected';
    const event = new Event(type);
    event.gamepad = globalThis.fakePad.pad;
    globalThis.dispatchEvent(event);
  }, type);
}

// Sets a button (by the standard mapping's number) or the left stick, then waits until the page
// has read the pads twice more (or two frames, when it reads none).
async function pad(page, change) {
  const reads = await page.evaluate(({button, on, x, y}) => {
    const {pad} = globalThis.fakePad;
    if (button !== undefined) pad.buttons[button] = {pressed: on, touched: on, value: on ? 1 : 0};
    if (x !== undefined) pad.axes[0] = x;
    if (y !== undefined) pad.axes[1] = y;
    return globalThis.fakePad.reads;
  }, change);
  await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
  if (await page.evaluate(() => globalThis.fakePad.present))
    await page.waitForFunction((reads) => globalThis.fakePad.reads >= reads + 2, TIMEOUT, reads);
}

export const cases = {
  // A whole game with a fixed seed, sound started by the Play press: the player fires whenever a shot is taken, until the game is
  // over (after its 30 shots, or sooner by a torpedo). The final score on the panel is what the
  // shots' sounds add up to, and the game over sound was asked for once.
  async whole_game(page, url) {
    await open(page, `${url}?seed=12345`);
    await page.waitForFunction(() => globalThis.fathomerPage.audio() === 'running', TIMEOUT);
    await powerOn(page);
    const over = (state) => state.power && !state.running && state.clocks.length === 0;
    // The player plays by ear: listens a moment, fires where the sonar pings at its fastest (the
    // submarine's column), otherwise sweeps along the row, and fires anyway after a long silence.
    let direction = 'ArrowLeft';
    let silent = 0;
    for (;;) {
      await page.waitForFunction(() => {
        const state = globalThis.fathomerPage.game();
        return state.running || (state.power && !state.running && state.clocks.length === 0);
      }, {timeout: 20000});
      if (over(await game(page))) break;
      const before = (await sounds(page)).Sonar;
      await new Promise((resolve) => setTimeout(resolve, 450));
      if (!(await game(page)).running) continue;
      if ((await sounds(page)).Sonar - before >= 2 || ++silent > 6) {
        silent = 0;
        await page.keyboard.down('Control');
        await page.keyboard.up('Control');
        continue;
      }
      const [column] = (await lit(page, 'ship'))[0].split(',').map(Number);
      if (column === 1) direction = 'ArrowRight';
      if (column === 7) direction = 'ArrowLeft';
      await page.keyboard.press(direction);
    }
    const requests = await page.evaluate(() => [...globalThis.fathomerPage.soundRequests]);
    const counted = await sounds(page);
    const shots = counted.Hit + counted.Missed;
    assert.equal(shots, 30 - (await game(page)).shotsLeft, 'one Hit or Missed per shot');
    assert.equal(counted.GameOver, 1);
    assert.equal(await text(page, '#score'), `Score ${scoreOfShots(requests)}`);
    console.log(`whole game: ${shots} shots, ${await text(page, '#score')}, sounds ${JSON.stringify(counted)}`);
  },

  // The sounds asked for are counted per sample: a shot silences what plays and then plays Hit or
  // Missed, once each; the page counts them with the sound ticked off too.
  async sounds_counted(page, url) {
    await page.goto(`${url}?seed=1`);
    await page.waitForSelector('body[data-state=ready]', TIMEOUT);
    await page.click('#sound-on');
    await page.click('#play');
    await powerOn(page);
    assert.equal(await page.evaluate(() => globalThis.fathomerPage.audio()), 'none', 'silent: no sound started');
    assert.deepEqual(await sounds(page), {GameOver: 0, Hit: 0, Missed: 0, Sonar: 0, Silence: 0});
    await page.keyboard.down('Control');
    await page.keyboard.up('Control');
    const counted = await sounds(page);
    assert.equal(counted.Silence, 1);
    assert.equal(counted.Hit + counted.Missed, 1);
    assert.equal(counted.GameOver, 0);
  },

  // A game controller with the desktop's mapping: Start powers on, the d-pad and the stick past a
  // third of its travel move once per press, the south and east buttons fire, Back unfolds the game
  // menu. The pads are read only while one is connected.
  async gamepad(page, url) {
    await page.evaluateOnNewDocument(fakeGamepad);
    // A torpedo may end the game before the ship's last move: then the case is tried again.
    for (let attempt = 1; ; attempt++) {
      try {
        await padCase(page, url);
        return;
      } catch (error) {
        const state = await game(page);
        if (attempt === 3 || state.running || !state.power) throw error;
        console.log(`the game ended under the test (${error.message}); again`);
      }
    }
  },
};

// The gamepad case itself, on a fresh page.
async function padCase(page, url) {
  await open(page, url);
  await new Promise((resolve) => setTimeout(resolve, 300));
  assert.equal(await page.evaluate(() => globalThis.fakePad.reads), 0, 'no pad, no reading');
  await padEvent(page, 'gamepadconnected');
  await pad(page, {button: 9, on: true});
  await pad(page, {button: 9, on: false});
  assert.equal(await text(page, '#score'), 'Score 0', 'Start is the power switch');
  await pad(page, {button: 14, on: true});
  await new Promise((resolve) => setTimeout(resolve, 400));
  await pad(page, {button: 14, on: false});
  assert.deepEqual(await lit(page, 'ship'), ['3,2'], 'a held d-pad moves once');
  await pad(page, {x: 0.3});
  assert.deepEqual(await lit(page, 'ship'), ['3,2'], 'inside the dead zone');
  await pad(page, {x: 0.5});
  await pad(page, {x: 0.9});
  assert.deepEqual(await lit(page, 'ship'), ['4,2'], 'the stick past a third moves once');
  await pad(page, {x: 0, y: -0.8});
  await pad(page, {y: 0});
  assert.deepEqual(await lit(page, 'ship'), ['4,1'], 'the stick up');
  await pad(page, {button: 1, on: true});
  assert.equal(await text(page, '#score'), 'Score blank', 'east fires');
  await pad(page, {button: 1, on: false});
  await pad(page, {button: 8, on: true});
  await pad(page, {button: 8, on: false});
  assert.equal(await page.$eval('#game-menu-button', (b) => b.getAttribute('aria-expanded')), 'true', 'Back unfolds the menu');
  await pad(page, {button: 8, on: true});
  await pad(page, {button: 8, on: false});
  assert.equal(await page.$eval('#game-menu-button', (b) => b.getAttribute('aria-expanded')), 'false', 'and folds it');
  await padEvent(page, 'gamepaddisconnected');
  await pad(page, {});
  const reads = await page.evaluate(() => globalThis.fakePad.reads);
  await new Promise((resolve) => setTimeout(resolve, 300));
  assert.equal(await page.evaluate(() => globalThis.fakePad.reads), reads, 'no reading after the pad is gone');
}
