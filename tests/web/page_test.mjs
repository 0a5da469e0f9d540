// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page in Debian's headless Chromium (playwright-core, no browser
// download), served from this computer: Belfast by an emulated GPS with
// Astra at 19.2 E gives azimora-calc's figures; a typed site in degrees,
// minutes and seconds and a link give the same; bad input a clear message,
// never NaN; no console errors; the manifest installable; offline once the
// server is gone (the service worker); screenshots at 360x740 and
// 1280x800, light and dark.
//   node page_test.mjs build/web/site path/to/azimora-calc [screenshots folder]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

const require = createRequire(path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../package.json'));
const { chromium } = require('playwright-core');

const site = path.resolve(process.argv[2]);
const calc = path.resolve(process.argv[3]);
const shots = process.argv[4] ? path.resolve(process.argv[4]) : null;

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
                '.json': 'application/json', '.webmanifest': 'application/manifest+json', '.png': 'image/png' };
let transferred = 0;
function serve() {
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const file = path.join(site, url.pathname === '/' ? 'index.html' : decodeURIComponent(url.pathname));
    if (!file.startsWith(site) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      response.end();
      return;
    }
    const body = fs.readFileSync(file);
    transferred += body.length;
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    response.end(body);
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

let failures = 0;
function check(condition, what) {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${what}`);
  if (!condition) failures++;
}

// What azimora-calc's table gives for a figure: "Azimuth (true)  139.90 deg".
function calcFigures(args) {
  const table = execFileSync(calc, args, { encoding: 'utf8' });
  const row = (name) => new RegExp(`^${name.replace(/[()]/g, '\\$&')}\\s+(-?[0-9.]+) deg`, 'm').exec(table)[1];
  return { azimuth: row('Azimuth (true)'), elevation: row('Elevation'), compass: row('Compass bearing') };
}

const server = await serve();
const origin = `http://127.0.0.1:${server.address().port}`;
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'azimora-chromium-'));
const context = await chromium.launchPersistentContext(profile, {
  executablePath: '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
  viewport: { width: 360, height: 740 },
  permissions: ['geolocation'],
  geolocation: { latitude: 54.597, longitude: -5.930, accuracy: 12 },
});
const page = context.pages()[0] || (await context.newPage());
const consoleErrors = [];
page.on('console', (message) => message.type() === 'error' && consoleErrors.push(message.text()));
page.on('pageerror', (error) => consoleErrors.push(error.message));

try {
  await page.goto(`${origin}/`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  check(transferred < 1.5 * 1024 * 1024, `the page with its towns is ${(transferred / 1024).toFixed(0)} KB (under 1.5 MB)`);

  // Belfast by GPS, Astra 19.2E.
  await page.click('#locate');
  await page.waitForFunction(() => document.getElementById('lat').value !== '');
  await page.fill('#sat', '19.2E');
  await page.waitForFunction(() => !document.getElementById('big').hidden);
  const belfast = calcFigures(['--sat-lon', '19.2E', '--lat', '54.59700', '--lon', '5.93000']);
  const shown = async () => ({
    azimuth: (await page.textContent('#azimuth')).replace('\u00B0', ''),
    elevation: (await page.textContent('#elevation')).replace('\u00B0', ''),
    compass: (await page.textContent('#compass')).replace('\u00B0', ''),
  });
  const byGps = await shown();
  check(JSON.stringify(byGps) === JSON.stringify(belfast),
        `Belfast by GPS: ${JSON.stringify(byGps)} as azimora-calc ${JSON.stringify(belfast)}`);
  check((await page.textContent('#position')).startsWith('Position within 12 m'), 'the position\'s accuracy is shown');
  check(new URL(page.url()).hash.includes('sat=19.2E'), `the address follows: ${new URL(page.url()).hash}`);
  if (shots) await page.screenshot({ path: path.join(shots, 'web-360-light.png'), fullPage: true });

  // Typed in degrees, minutes and seconds: the same site, the same figures.
  await page.fill('#lat', '54 35 49.2 N');
  await page.fill('#lon', '5 55 48 W');
  check(JSON.stringify(await shown()) === JSON.stringify(belfast), 'a typed site in degrees, minutes and seconds');

  // A link opens ready.
  const link = `${origin}/#lat=54.597N&lon=5.93W&sat=19.2E&dish=0.8`;
  await page.goto(link);
  await page.waitForSelector('body[data-ready="true"]');
  await page.waitForFunction(() => !document.getElementById('big').hidden);
  check(JSON.stringify(await shown()) === JSON.stringify(belfast), 'a link opens with the same figures');
  check((await page.inputValue('#dish')) === '0.8', 'the link\'s dish is taken');

  // A town found by name.
  await page.fill('#town', 'belfas');
  await page.waitForSelector('#towns li');
  check((await page.textContent('#towns li')).startsWith('Belfast'), 'the town search finds Belfast');

  // Bad input: a clear message, never NaN.
  await page.fill('#lat', 'north');
  await page.waitForFunction(() => !document.getElementById('message').hidden);
  const message = await page.textContent('#message');
  check(message.includes("latitude 'north' is no angle"), `bad input says so: "${message}"`);
  check(!(await page.textContent('body')).includes('NaN'), 'no NaN anywhere');

  // Dark, and a desktop's width.
  await page.goto(link);
  await page.waitForSelector('body[data-ready="true"]');
  await page.waitForFunction(() => !document.getElementById('big').hidden);
  if (shots) {
    await page.emulateMedia({ colorScheme: 'dark' });
    await page.screenshot({ path: path.join(shots, 'web-360-dark.png'), fullPage: true });
    await page.setViewportSize({ width: 1280, height: 800 });
    await page.screenshot({ path: path.join(shots, 'web-1280-dark.png'), fullPage: true });
    await page.emulateMedia({ colorScheme: 'light' });
    await page.screenshot({ path: path.join(shots, 'web-1280-light.png'), fullPage: true });
  }

  // Installable: Chromium's own check of the manifest.
  const cdp = await context.newCDPSession(page);
  const installability = await cdp.send('Page.getInstallabilityErrors');
  check(installability.installabilityErrors.length === 0,
        `no installability errors ${JSON.stringify(installability.installabilityErrors)}`);

  // Offline: the service worker keeps the page; the server goes away.
  await page.waitForFunction(() => document.getElementById('offline').textContent.startsWith('Kept'), null, { timeout: 30000 });
  await new Promise((resolve) => server.close(resolve));
  server.closeAllConnections?.();
  await page.goto(link);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  await page.waitForFunction(() => !document.getElementById('big').hidden);
  check(JSON.stringify(await shown()) === JSON.stringify(belfast), 'offline, with the server gone, the same figures');
  check(consoleErrors.length === 0, `no console errors ${JSON.stringify(consoleErrors)}`);
} catch (error) {
  console.log(`FAIL ${error.message}`);
  failures++;
} finally {
  await context.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
console.log(failures === 0 ? 'page test: passed' : `page test: ${failures} failed`);
process.exit(failures === 0 ? 0 : 1);
