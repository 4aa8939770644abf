// The web edition in headless Chromium, driven over the DevTools protocol by puppeteer-core.
// Usage: node browser_test.mjs <case> <served folder>
// Exits 77 (a skip) when Chromium, puppeteer-core or the built edition is not there.
import {createServer} from 'node:http';
import {existsSync, readFileSync, statSync} from 'node:fs';
import {extname, join, normalize} from 'node:path';
import {cases} from './cases.mjs';

const SKIP = 77;
const CHROMIUM = process.env.FATHOMER_CHROMIUM ?? '/usr/bin/chromium';
const [caseName, folder] = process.argv.slice(2);

function skip(reason) {
  console.log(`skipped: ${reason}`);
  process.exit(SKIP);
}

const TYPES = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.bmp': 'image/bmp', '.svg': 'image/svg+xml',
  '.wav': 'audio/wav', '.ini': 'text/plain',
};

// The folder on a local port, as scripts/play-web serves it.
function serve(root) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).replace(/^(\.\.[/\\])+/, '');
    let file = join(root, path);
    if (existsSync(file) && statSync(file).isDirectory()) file = join(file, 'index.html');
    if (!existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {'Content-Type': TYPES[extname(file)] ?? 'application/octet-stream'});
    response.end(readFileSync(file));
  });
  // Stopping drops the open connections too, so that nothing reaches the folder any more.
  const sockets = new Set();
  server.on('connection', (socket) => (sockets.add(socket), socket.on('close', () => sockets.delete(socket))));
  server.stop = () => {
    server.close();
    for (const socket of sockets) socket.destroy();
  };
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

if (!cases[caseName]) {
  console.error(`no case ${caseName}; cases: ${Object.keys(cases).join(' ')}`);
  process.exit(2);
}
if (!existsSync(CHROMIUM)) skip(`no Chromium at ${CHROMIUM}`);
if (!folder || !existsSync(join(folder, 'fathomer_core.wasm'))) skip('the web edition is not built (no emscripten?)');
let puppeteer;
try {
  puppeteer = (await import('puppeteer-core')).default;
} catch {
  skip('puppeteer-core is not installed (scripts/install-deps)');
}

const server = await serve(folder);
const browser = await puppeteer.launch({
  executablePath: CHROMIUM,
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--mute-audio', '--no-first-run'],
});
const problems = [];
try {
  const page = await browser.newPage();
  await page.setViewport({width: 500, height: 820});
  // Any console error, uncaught exception or failed request fails the case.
  page.on('console', (message) => message.type() === 'error' && problems.push(`console: ${message.text()}`));
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('requestfailed', (request) => problems.push(`request failed: ${request.url()}`));
  page.on('response', (response) => response.status() >= 400 && problems.push(`${response.status()}: ${response.url()}`));
  const url = `http://127.0.0.1:${server.address().port}/`;
  await cases[caseName](page, url, server, browser);
  if (problems.length) throw new Error(problems.join('\n'));
  console.log(`${caseName}: passed`);
} catch (error) {
  console.error(`${caseName}: FAILED\n${error.stack ?? error}`);
  process.exitCode = 1;
} finally {
  await browser.close();
  server.stop();
}
