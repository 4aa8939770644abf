// Around the device: fullscreen and the game menu, the splash's option, the manual and the about card.
import assert from 'node:assert/strict';
import {TIMEOUT, open, text, lit, powerOn} from './page.mjs';

export const cases = {
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
};
