// Measures the web edition in headless Chromium (see run). Prints one line per figure.
import {createServer} from 'node:http';
import {createRequire} from 'node:module';
import {existsSync, readFileSync, readdirSync, statSync} from 'node:fs';
import {extname, join, normalize} from 'node:path';
import {gzipSync} from 'node:zlib';

const [folder, playSeconds, rounds] = [process.argv[2], Number(process.argv[3]), Number(process.argv[4])];
const require = createRequire(new URL('../../web/package.json', import.meta.url));
const puppeteer = require('puppeteer-core');
const CHROMIUM = process.env.FATHOMER_CHROMIUM ?? '/usr/bin/chromium';
const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
               '.png': 'image/png', '.jpg': 'image/jpeg', '.bmp': 'image/bmp', '.wav': 'audio/wav', '.svg': 'image/svg+xml'};

// The folder on a local port, counting the bytes it sends.
function serve(root) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).replace(/^(\.\.[/\\])+/, '');
    let file = join(root, path);
    if (existsSync(file) && statSync(file).isDirectory()) file = join(file, 'index.html');
    if (!existsSync(file)) return response.writeHead(404).end();
    const body = readFileSync(file);
    server.sent += body.length;
    response.writeHead(200, {'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream'});
    response.end(body);
  });
  server.sent = 0;
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

const quantile = (values, q) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
};
const median = (values) => quantile(values, 0.5);
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// CPU seconds of a process and all its descendants, from /proc.
function treeCpu(root) {
  const children = new Map();
  const ticks = new Map();
  for (const name of readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = readFileSync(`/proc/${name}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      const parent = Number(fields[1]);
      if (!children.has(parent)) children.set(parent, []);
      children.get(parent).push(Number(name));
      ticks.set(Number(name), Number(fields[11]) + Number(fields[12]));
    } catch {
      // gone meanwhile
    }
  }
  let total = 0;
  const walk = (pid) => {
    total += ticks.get(pid) ?? 0;
    for (const child of children.get(pid) ?? []) walk(child);
  };
  walk(root);
  return total / 100;  // USER_HZ
}

const server = await serve(folder);
const url = `http://127.0.0.1:${server.address().port}/`;
const browser = await puppeteer.launch({executablePath: CHROMIUM, headless: true,
                                        args: ['--no-sandbox', '--disable-gpu', '--mute-audio', '--no-first-run']});
const line = (name, value) => console.log(`${name}: ${value}`);
try {
  // 1. Transfer: what the page fetches until the device is drawn (its own requests, as DevTools
  //    counts them), and all the server sent until the offline cache is filled (every file, the
  //    dense screens' pictures too).
  {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    const devtools = await page.createCDPSession();
    await devtools.send('Network.enable');
    let pageBytes = 0;
    const paths = new Map();
    devtools.on('Network.responseReceived', (event) => paths.set(event.requestId, new URL(event.response.url).pathname));
    devtools.on('Network.loadingFinished', (event) => (pageBytes += event.encodedDataLength));
    server.sent = 0;
    await page.goto(url);
    await page.waitForSelector('body[data-state=ready]');
    await page.waitForFunction(() => performance.getEntriesByName('fathomer-device-painted').length > 0);
    await page.evaluate(() => navigator.serviceWorker.ready);
    await sleep(500);
    line('transfer_page_bytes', pageBytes);
    // The same files as a server that compresses (gzip -9) would send them.
    let gzipped = 0;
    for (const path of new Set(paths.values())) {
      const file = join(folder, path.endsWith('/') ? `${path}index.html` : decodeURIComponent(path));
      if (existsSync(file)) gzipped += gzipSync(readFileSync(file), {level: 9}).length;
    }
    line('transfer_page_gzip_bytes', gzipped);
    line('transfer_with_offline_cache_bytes', server.sent);
    await context.close();
  }

  // 2. Navigation to the device's first paint, cold (a new profile each round, nothing cached) and
  //    warm (the same profile again: the offline cache serves).
  {
    const cold = [];
    const warm = [];
    for (let round = 0; round < rounds; round++) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      for (const into of [cold, warm]) {
        await page.goto(url);
        await page.waitForFunction(() => performance.getEntriesByName('fathomer-device-painted').length > 0);
        into.push(await page.evaluate(() => performance.getEntriesByName('fathomer-device-painted')[0].startTime));
        await page.evaluate(() => navigator.serviceWorker.ready);
      }
      await context.close();
    }
    const fmt = (values) => `median ${median(values).toFixed(1)} ms, min ${Math.min(...values).toFixed(1)}, max ${Math.max(...values).toFixed(1)} (${values.length} rounds)`;
    line('first_paint_cold', fmt(cold));
    line('first_paint_warm', fmt(warm));
  }

  // 3 and 4. Playing: the device on, three shots, a new game whenever one ends; the
  //    CPU of every Chromium process and of the page's main thread, and each 205 ms tick's lateness.
  {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.evaluateOnNewDocument(() => {
      // Each run of a 205 ms interval's callback, timed.
      const plain = globalThis.setInterval;
      globalThis.tickTimes = [];
      globalThis.setInterval = (callback, ms, ...rest) =>
        plain((...args) => {
          if (ms === 205 && globalThis.tickTimes.length < 100000) globalThis.tickTimes.push(performance.now());
          callback(...args);
        }, ms, ...rest);
    });
    await page.goto(`${url}?seed=1`);
    await page.waitForSelector('body[data-state=ready]');
    await page.click('#play');
    await page.keyboard.press('1');
    await sleep(1000);
    const pid = browser.process().pid;
    const startCpu = treeCpu(pid);
    const startMetrics = await page.metrics();
    const start = Date.now();
    let shots = 0;
    while (Date.now() - start < playSeconds * 1000) {
      await sleep(2500);
      const game = await page.evaluate(() => globalThis.fathomerPage.game());
      if (game.power && !game.running && game.clocks.length === 0) {
        await page.keyboard.press('1');
        await page.keyboard.press('1');
      } else if (game.running && shots < 3) {
        // A few shots, so that the reprise clock runs too; otherwise the game ticks on undisturbed.
        await page.keyboard.press('Control');
        shots++;
      }
    }
    const wall = (Date.now() - start) / 1000;
    const cpu = treeCpu(pid) - startCpu;
    const endMetrics = await page.metrics();
    line('cpu_all_chromium_processes', `${((100 * cpu) / wall).toFixed(2)}% of one core over ${wall.toFixed(1)} s (${shots} shots)`);
    line('cpu_page_main_thread', `${((100 * (endMetrics.TaskDuration - startMetrics.TaskDuration)) / wall).toFixed(2)}% of one core`);

    // Lateness of each tick against the one before, within runs of the clock (a shot stops it).
    const times = await page.evaluate(() => globalThis.tickTimes);
    const errors = [];
    for (let i = 1; i < times.length; i++) {
      const gap = times[i] - times[i - 1];
      if (gap < 205 * 1.5) errors.push(Math.abs(gap - 205));
    }
    line('tick_error', `p50 ${quantile(errors, 0.5).toFixed(3)} ms, p99 ${quantile(errors, 0.99).toFixed(3)} ms, max ${Math.max(...errors).toFixed(3)} ms (${errors.length} ticks)`);
    await context.close();
  }
} finally {
  await browser.close();
  server.close();
}
