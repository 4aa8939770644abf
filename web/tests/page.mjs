// What the browser test's cases share: opening the page and reading what the device shows.
export const TIMEOUT = {timeout: 10000};

export async function open(page, url) {
  await page.goto(url);
  await page.waitForSelector('body[data-state=ready]', TIMEOUT);
  await page.click('#play');
  await page.waitForSelector('#splash', {hidden: true, ...TIMEOUT});
}

export async function text(page, selector) {
  return page.$eval(selector, (element) => element.textContent);
}

// The cells whose LED of the layer (ship or torpedo) is shown, as "col,row".
export async function lit(page, layer) {
  return page.$$eval(`[data-${layer}]`, (leds, name) => leds.filter((led) => !led.hidden).map((led) => led.dataset[name]), layer);
}

// Whether a panel position shows any picture.
export async function panelDrawn(page, position) {
  return page.$eval(`[data-panel=${position}]`, (canvas) => {
    if (canvas.width === 0) return false;
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    for (let i = 3; i < data.length; i += 4) if (data[i] !== 0) return true;
    return false;
  });
}

export async function powerOn(page) {
  await page.keyboard.press('1');
  await page.waitForFunction(() => document.querySelector('#score').textContent === 'Score 0', TIMEOUT);
}

export async function tap(page, label) {
  const box = await (await page.$(`button[aria-label=${label}]`)).boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
}
