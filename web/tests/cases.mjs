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

  // A game controller with the desktop's mapping: Start powers on, the d-pad and the stick past a
  // third of its travel move once per press, the south and east buttons fire, Back unfolds the game
  // menu. The pads are read only while one is connected.
  async gamepad(page, url) {
    await page.evaluateOnNewDocument(fakeGamepad);
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
  },

  // Fullscreen from the toolbar: the backdrop stretched over the screen, the logo in the top right
  // corner, the device in the middle, and the game menu button; its rows are the desktop's that a
  // browser has, and "Display in fullscreen mode" is checked and leaves fullscreen.
  async fullscreen_menu(page, url) {
    await page.setViewport({width: 1280, height: 800});
    await open(page, url);
    await page.click('#toggle-fullscreen');
    await page.waitForFunction(() => document.body.classList.contains('fullscreen'), TIMEOUT);
    const shown = await page.evaluate(() => {
      const box = (selector) => document.querySelector(selector).getBoundingClientRect().toJSON();
      const backdrop = getComputedStyle(document.querySelector('#backdrop'));
      return {backdrop: backdrop.backgroundImage, size: backdrop.backgroundSize, hidden: document.querySelector('#backdrop').hidden,
              logo: box('#logo'), logoLoaded: document.querySelector('#logo').naturalWidth > 0, device: box('#device'),
              menu: box('#game-menu'), colour: getComputedStyle(document.body).backgroundColor};
    });
    assert.ok(!shown.hidden && /Backdrop\.jpg/.test(shown.backdrop), shown.backdrop);
    assert.equal(shown.size, '100% 100%', 'BackdropStretch=1');
    assert.equal(shown.colour, 'rgb(0, 0, 0)');
    await page.waitForFunction(() => document.querySelector('#logo').naturalWidth > 0, TIMEOUT);
    const logo = await page.$eval('#logo', (logo) => logo.getBoundingClientRect().toJSON());
    assert.equal(Math.round(logo.right), 1280, 'the logo at the right');
    assert.equal(Math.round(logo.top), 0, 'at the top');
    assert.ok(Math.abs(shown.device.left + shown.device.width / 2 - 640) < 2, `the device in the middle: ${JSON.stringify(shown.device)}`);
    assert.ok(Math.abs(shown.device.top + shown.device.height / 2 - 400) < 2);
    assert.deepEqual([shown.menu.width, shown.menu.height], [36, 32], 'the folded menu button');
    await page.click('#game-menu-button');
    const rows = await page.$$eval('#game-menu-rows > *', (rows) => rows.map((row) => row.textContent));
    assert.deepEqual(rows, ['   About...', '   View manual', '', '   Key settings', '',
                            '   Display in fullscreen mode [V]', '   Display splash screen at startup [V]']);
    await page.keyboard.press('ArrowLeft');
    assert.deepEqual(await lit(page, 'ship'), [], 'the open menu has the keys, not the device');
    await page.click('#game-menu-rows > :nth-child(6)');
    await page.waitForFunction(() => !document.fullscreenElement && !document.body.classList.contains('fullscreen'), TIMEOUT);
    assert.equal(await page.$eval('#game-menu-rows', (list) => list.children.length), 0, 'the menu folded away');
    assert.ok(await page.$eval('#backdrop', (backdrop) => backdrop.hidden));
  },

  // The game menu's rows do what the desktop's do: the splash row's mark is stored (the next start
  // has no splash), Key settings and About open their windows.
  async game_menu(page, url) {
    await open(page, url);
    await page.click('#toggle-fullscreen');
    await page.waitForFunction(() => document.body.classList.contains('fullscreen'), TIMEOUT);
    const choose = async (row) => {
      await page.click('#game-menu-button');
      await page.click(`#game-menu-rows > :nth-child(${row})`);
    };
    await choose(3);  // a gap: nothing happens, the menu stays
    assert.equal(await page.$eval('#game-menu-rows', (list) => list.children.length), 7);
    await page.click('#game-menu-button');
    await choose(4);
    assert.ok(await page.$eval('#keys', (dialog) => dialog.open), 'Key settings');
    await page.click('#keys [data-action=cancel]');
    await choose(1);
    assert.ok(await page.$eval('#about', (dialog) => dialog.open), 'About');
    await page.keyboard.press('Escape');
    await choose(7);
    await page.click('#game-menu-button');
    assert.equal(await page.$eval('#game-menu-rows > :nth-child(7)', (row) => row.textContent), '   Display splash screen at startup');
    await page.reload();
    await page.waitForSelector('body[data-state=ready]', TIMEOUT);
    assert.ok(await page.$eval('#splash', (splash) => splash.hidden), 'no splash at the next start');
    await powerOn(page);
  },

  // The splash's start-up option, switched off on the splash, holds at the next visit: the game
  // starts at once, keys work without a Play press.
  async splash_choice(page, url) {
    await page.goto(url);
    await page.waitForSelector('body[data-state=ready]', TIMEOUT);
    await page.click('#splash-at-start');
    await page.click('#play');
    await page.reload();
    await page.waitForSelector('body[data-state=ready]', TIMEOUT);
    assert.ok(await page.$eval('#splash', (splash) => splash.hidden), 'no splash');
    await powerOn(page);
  },

  // The manual: eight pages, previous and next (and the arrow keys), each page's picture described
  // by its text; the page is kept when the manual is closed and opened again.
  async manual(page, url) {
    await open(page, url);
    await page.click('#open-manual');
    const state = () => page.$eval('#manual', (dialog) => ({
      open: dialog.open, page: dialog.dataset.page, alt: dialog.querySelector('#manual-page').alt,
      previous: !dialog.querySelector('[data-action=previous]').hidden, next: !dialog.querySelector('[data-action=next]').hidden,
    }));
    assert.deepEqual(await state(), {open: true, page: '1', alt: 'Page 1 of 8', previous: false, next: true});
    const texts = new Set();
    for (let n = 1; n <= 8; n++) {
      await page.waitForFunction((n) => document.querySelector('#manual').dataset.textPage === String(n), TIMEOUT, n);
      await page.waitForFunction(() => document.querySelector('#manual-page').complete && document.querySelector('#manual-page').naturalWidth > 0, TIMEOUT);
      const description = await page.$eval('#manual-page', (picture) => document.getElementById(picture.getAttribute('aria-describedby')).textContent);
      assert.ok(description.length > 40, `page ${n} has its text`);
      texts.add(description);
      if (n < 8) await (n % 2 ? page.click('#manual [data-action=next]') : page.keyboard.press('ArrowRight'));
    }
    assert.equal(texts.size, 8, 'eight different texts');
    assert.deepEqual(await state(), {open: true, page: '8', alt: 'Page 8 of 8', previous: true, next: false});
    await page.keyboard.press('ArrowLeft');
    await page.click('#manual [data-action=close]');
    assert.equal((await state()).open, false);
    await page.click('#open-manual');
    assert.equal((await state()).page, '7', 'the page is kept');
    await page.keyboard.press('Escape');
    assert.equal((await state()).open, false);
  },

  // The about card: the desktop's texts; Enter opens no link unless the link has the focus, and a
  // click on a link opens it in a new tab and closes the card.
  async about(page, url, server, browser) {
    await open(page, url);
    await page.click('#open-about');
    const card = await text(page, '#about dl');
    for (const words of ['Fathomer Project ("Sonar")', 'Debian, Internet', '8 December 2026', 'simulating a handheld',
                         'counting pings', 'www.example.org', 'fathomer@example.org'])
      assert.ok(card.includes(words), words);
    const tabs = async () => (await browser.pages()).length;
    const before = await tabs();
    await page.keyboard.press('Enter');
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.equal(await tabs(), before, 'Enter on the card opens no link');
    assert.equal(await page.$eval('#about', (dialog) => dialog.open), false, 'Enter pressed Close');
    await page.click('#open-about');
    const links = await page.$$eval('#about a', (links) => links.map((link) => [link.href, link.target]));
    assert.deepEqual(links, [['https://www.example.org/sim/', '_blank'], ['mailto:fathomer@example.org', '_blank']]);
    // Nothing leaves this machine: the new tab's request is refused.
    const opened = () => new Promise((resolve) => browser.once('targetcreated', async (target) => {
      const tab = await target.page();
      resolve(target.url());
      await tab?.close().catch(() => {});
    }));
    await page.setRequestInterception(true);
    page.on('request', (request) => (request.url().startsWith('http://127.0.0.1') ? request.continue() : request.abort()));
    browser.on('targetcreated', async (target) => {
      const tab = await target.page().catch(() => null);
      await tab?.setRequestInterception(true).catch(() => {});
      tab?.on('request', (request) => request.abort().catch(() => {}));
    });
    let tab = opened();
    await page.focus('#about a');
    await page.keyboard.press('Enter');
    assert.match(await tab, /example\.org\/sim\/|about:blank/, 'Enter on the focused link');
    await page.click('#open-about');
    tab = opened();
    await page.click('#about a');
    assert.match(await tab, /example\.org\/sim\/|about:blank/, 'a click on the link');
    assert.equal(await page.$eval('#about', (dialog) => dialog.open), false, 'the card closed');
  },

  // A phone held upright: the whole device on the screen without scrolling, and no zoom.
  async phone_fits(page, url) {
    await page.setViewport({width: 390, height: 844, hasTouch: true, isMobile: true, deviceScaleFactor: 3});
    await open(page, url);
    const fit = await page.evaluate(() => ({
      device: document.querySelector('#device').getBoundingClientRect().toJSON(),
      scrollWidth: document.documentElement.scrollWidth, scrollHeight: document.documentElement.scrollHeight,
      touchAction: getComputedStyle(document.body).touchAction,
      viewport: document.querySelector('meta[name=viewport]').content,
    }));
    assert.ok(fit.device.left >= 0 && fit.device.right <= 390 && fit.device.top >= 0 && fit.device.bottom <= 844, JSON.stringify(fit.device));
    assert.ok(fit.scrollWidth <= 390 && fit.scrollHeight <= 844, 'nothing to scroll');
    assert.equal(fit.touchAction, 'none');
    assert.match(fit.viewport, /user-scalable=no/);
    await powerOn(page);
    await tap(page, 'Left');
    assert.deepEqual(await lit(page, 'ship'), ['3,2']);
  },

  // Every control a screen reader meets has a name.
  async controls_named(page, url) {
    await page.goto(url);
    await page.waitForSelector('body[data-state=ready]', TIMEOUT);
    const unnamed = async () => {
      const tree = await page.accessibility.snapshot({interestingOnly: false});
      const found = [];
      const walk = (node) => {
        if (['button', 'checkbox', 'combobox', 'link', 'menuitem', 'menuitemcheckbox', 'image', 'img'].includes(node.role) && !node.name?.trim())
          found.push(node.role);
        (node.children ?? []).forEach(walk);
      };
      walk(tree);
      return found;
    };
    assert.deepEqual(await unnamed(), [], 'the splash');
    await page.click('#play');
    assert.deepEqual(await unnamed(), [], 'the device');
    for (const opener of ['#open-keys', '#open-manual', '#open-about']) {
      await page.click(opener);
      assert.deepEqual(await unnamed(), [], opener);
      await page.keyboard.press('Escape');
    }
    await page.click('#toggle-fullscreen');
    await page.waitForFunction(() => document.body.classList.contains('fullscreen'), TIMEOUT);
    await page.click('#game-menu-button');
    assert.deepEqual(await unnamed(), [], 'the game menu');
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
