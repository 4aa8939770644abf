// The device: power, moves, touches, firing, the keys and offline play.
import assert from 'node:assert/strict';
import {TIMEOUT, open, text, lit, panelDrawn, powerOn, tap} from './page.mjs';

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
