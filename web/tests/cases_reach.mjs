// A phone held upright, and the names screen readers are given.
import assert from 'node:assert/strict';
import {TIMEOUT, open, lit, powerOn, tap} from './page.mjs';

export const cases = {
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
};
