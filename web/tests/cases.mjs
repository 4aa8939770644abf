// The cases of the browser test, each a function of the page and the served address.
import assert from 'node:assert/strict';

const TIMEOUT = {timeout: 10000};

async function open(page, url) {
  await page.goto(url);
  await page.waitForSelector('body[data-state=ready]', TIMEOUT);
  await page.click('#play');
  await page.waitForSelector('#splash', {hidden: true, ...TIMEOUT});
}

async function text(page, selector) {
  return page.$eval(selector, (element) => element.textContent);
}

// The cells whose LED of the layer (ship or torpedo) is shown, as "col,row".
async function lit(page, layer) {
  return page.$$eval(`[data-${layer}]`, (leds, name) => leds.filter((led) => !led.hidden).map((led) => led.dataset[name]), layer);
}

// Whether a panel position shows any picture.
async function panelDrawn(page, position) {
  return page.$eval(`[data-panel=${position}]`, (canvas) => {
    if (canvas.width === 0) return false;
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    for (let i = 3; i < data.length; i += 4) if (data[i] !== 0) return true;
    return false;
  });
}

async function powerOn(page) {
  await page.keyboard.press('1');
  await page.waitForFunction(() => document.querySelector('#score').textContent === 'Score 0', TIMEOUT);
}

async function tap(page, label) {
  const box = await (await page.$(`button[aria-label=${label}]`)).boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
}

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

export const cases = {
  async page_loads(page, url) {
    await open(page, url);
    assert.equal(await text(page, '#score'), 'off');
    assert.equal(await text(page, '#playfield'), 'off');
    assert.deepEqual(await lit(page, 'ship'), []);
  },

  async power_on(page, url) {
    await open(page, url);
    await powerOn(page);
    assert.deepEqual(await lit(page, 'ship'), ['4,2']);
    assert.match(await text(page, '#playfield'), /^ship at column 4, row 2(;|$)/);
    assert.ok(await panelDrawn(page, 'units'), 'the units show 0');
    assert.ok(!(await panelDrawn(page, 'tens')), 'no leading zero');
    // The pictured power switch works it as well: off again.
    await tap(page, 'Power');
    assert.equal(await text(page, '#score'), 'off');
    assert.deepEqual(await lit(page, 'ship'), []);
  },

  // A key and a tap each move the ship once, however long they are held.
  async move(page, url) {
    await open(page, url);
    await powerOn(page);
    await page.keyboard.down('ArrowLeft');
    await new Promise((resolve) => setTimeout(resolve, 600));
    await page.keyboard.up('ArrowLeft');
    assert.deepEqual(await lit(page, 'ship'), ['3,2']);
    await tap(page, 'Up');
    assert.deepEqual(await lit(page, 'ship'), ['3,1']);
  },

  // Two fingers on one pictured button are one press: the ship moves once, and only when both
  // are lifted is the button released, so that the next touch moves it again.
  async touches(page, url) {
    await page.setViewport({width: 500, height: 820, hasTouch: true});
    await open(page, url);
    await powerOn(page);
    const box = await (await page.$('button[aria-label=Left]')).boundingBox();
    const finger = (id, dx) => ({x: box.x + box.width / 2 + dx, y: box.y + box.height / 2, id});
    const devtools = await page.createCDPSession();
    const touch = (type, touchPoints) => devtools.send('Input.dispatchTouchEvent', {type, touchPoints});
    await touch('touchStart', [finger(1, -4)]);
    await touch('touchStart', [finger(1, -4), finger(2, 4)]);
    await touch('touchEnd', [finger(2, 4)]);
    assert.deepEqual(await lit(page, 'ship'), ['3,2'], 'one move for two fingers');
    await touch('touchStart', [finger(2, 4), finger(3, 0)]);
    assert.deepEqual(await lit(page, 'ship'), ['3,2'], 'a finger on a held button is no press');
    await touch('touchEnd', []);
    await touch('touchStart', [finger(4, 0)]);
    await touch('touchEnd', []);
    assert.deepEqual(await lit(page, 'ship'), ['2,2'], 'released, the button moves the ship again');
  },

  // Firing darkens the panel until the reprise brings the score back.
  async fire_pause(page, url) {
    await open(page, url);
    await powerOn(page);
    await page.keyboard.down('Control');
    await page.keyboard.up('Control');
    assert.equal(await text(page, '#score'), 'Score blank');
    assert.ok(!(await panelDrawn(page, 'units')) && !(await panelDrawn(page, 'tens')), 'the panel is dark');
    await page.waitForFunction(() => /^Score \d+$/.test(document.querySelector('#score').textContent), TIMEOUT);
    assert.ok(await panelDrawn(page, 'units'), 'the score is back');
  },

  // Up bound to W in the key settings, still so after a reload.
  async rebinding_survives_reload(page, url) {
    await open(page, url);
    await page.click('#open-keys');
    await page.select('#keys select[name=Up]', String(11 + 'W'.charCodeAt(0) - 65));
    await page.click('#keys [data-action=accept]');
    await page.reload();
    await page.waitForSelector('body[data-state=ready]', TIMEOUT);
    await page.click('#play');
    await powerOn(page);
    await page.keyboard.press('ArrowUp');
    assert.deepEqual(await lit(page, 'ship'), ['4,2'], 'the arrow no longer moves the ship');
    await page.keyboard.press('w');
    assert.deepEqual(await lit(page, 'ship'), ['4,1']);
    const hint = await page.$eval('button[aria-label=Up]', (button) => button.title);
    assert.equal(hint, "click or press 'W'");
  },

  // A whole game with a fixed seed: the player fires whenever a shot is taken, until the game is
  // over (after its 30 shots, or sooner by a torpedo). The final score on the panel is what the
  // shots' sounds add up to, and the game over sound was asked for once.
  async whole_game(page, url) {
    await open(page, `${url}?seed=12345`);
    await powerOn(page);
    const over = (state) => state.power && !state.running && state.clocks.length === 0;
    const shot = (state) => state.running || over(state);
    let moves = 0;
    for (;;) {
      await page.waitForFunction(() => {
        const state = globalThis.fathomerPage.game();
        return state.running || (state.power && !state.running && state.clocks.length === 0);
      }, {timeout: 20000});
      const state = await game(page);
      if (over(state)) break;
      assert.ok(shot(state));
      // The player wanders a step and listens a moment before each shot.
      await page.keyboard.press(['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown'][moves++ % 4 === 0 ? 0 : (moves * 7) % 4]);
      await new Promise((resolve) => setTimeout(resolve, 450));
      if (!(await game(page)).running) continue;
      await page.keyboard.down('Control');
      await page.keyboard.up('Control');
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
    assert.deepEqual(await sounds(page), {GameOver: 0, Hit: 0, Missed: 0, Sonar: 0, Silence: 0});
    await page.keyboard.down('Control');
    await page.keyboard.up('Control');
    const counted = await sounds(page);
    assert.equal(counted.Silence, 1);
    assert.equal(counted.Hit + counted.Missed, 1);
    assert.equal(counted.GameOver, 0);
  },

  // After one visit the service worker serves the whole game with the server gone.
  async plays_offline(page, url, server) {
    await page.goto(url);
    await page.waitForSelector('body[data-state=ready]', TIMEOUT);
    await page.evaluate(() => navigator.serviceWorker.ready);
    server.stop();
    await page.reload();
    await page.waitForSelector('body[data-state=ready]', TIMEOUT);
    await page.click('#play');
    await powerOn(page);
    assert.deepEqual(await lit(page, 'ship'), ['4,2']);
  },
};
