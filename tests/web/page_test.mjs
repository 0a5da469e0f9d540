// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page in Debian's headless Chromium (playwright-core, no browser
// download), served from this computer: Belfast by an emulated GPS with
// Astra at 19.2 E gives azimora-calc's figures; a typed site in degrees,
// minutes and seconds and a link give the same; bad input a clear message,
// never NaN; no console errors; the manifest installable; a new version
// published taken when online, and offline once the server is gone (the
// service worker); screenshots at 360x740 and 1280x800, light and dark.
//   node page_test.mjs build/web/site path/to/azimora-calc [screenshots folder]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

import { checker, launchBrowser, serveSite } from './browser.mjs';

const site = path.resolve(process.argv[2]);
const calc = path.resolve(process.argv[3]);
const shots = process.argv[4] ? path.resolve(process.argv[4]) : null;

const checks = checker();
const { check } = checks;

// The page's clock and zone, fixed: azimora-calc is asked for the same day.
const today = '2026-12-07T12:00:00Z';
const zone = 'Europe/London';

// What azimora-calc's table gives for a figure: "Azimuth (true)  139.90 deg".
function calcFigures(args) {
  const table = execFileSync(calc, [...args, '--date', today], { encoding: 'utf8' });
  const row = (name) => new RegExp(`^${name.replace(/[()]/g, '\\$&')}\\s+(-?[0-9.]+) deg`, 'm').exec(table)[1];
  return { azimuth: row('Azimuth (true)'), elevation: row('Elevation'), compass: row('Compass bearing') };
}

// The rest of azimora-calc's figures as the page words them.
function calcDetails(args) {
  const table = execFileSync(calc, [...args, '--date', today], { encoding: 'utf8' });
  const skew = Number(/^LNB skew\s+(-?[0-9.]+) deg/m.exec(table)[1]);
  const tilt = /^Dish face tilt\s+([0-9.]+) deg/m.exec(table)[1];
  const motor = /^Motor angle\s+([0-9.]+ deg [EW])/m.exec(table)[1].replace(' deg', '\u00B0');
  return {
    skew: `turn the LNB ${Math.abs(skew).toFixed(2)}\u00B0 ${skew >= 0 ? 'clockwise' : 'counter-clockwise'}, seen from behind the dish`,
    tilt: `${tilt}\u00B0 back, looking up (offset dish)`,
    motor,
  };
}

// The first sun outage after the page's day, as azimora-calc finds it in the page's zone.
function calcNextOutage(args) {
  const report = JSON.parse(execFileSync(calc, [...args, '--json', '--date', '2027-01-01', '--tz', zone], { encoding: 'utf8' }));
  return report.sun_outages[0];
}

const server = await serveSite(site);
const origin = `http://127.0.0.1:${server.address().port}`;
const { context, profile, close } = await launchBrowser({
  viewport: { width: 360, height: 740 },
  timezoneId: zone,
  locale: 'en-GB',
  permissions: ['geolocation'],
  geolocation: { latitude: 54.597, longitude: -5.930, accuracy: 12 },
});
const page = context.pages()[0] || (await context.newPage());
const consoleErrors = [];
page.on('console', (message) => message.type() === 'error' && consoleErrors.push(message.text()));
page.on('pageerror', (error) => consoleErrors.push(error.message));

try {
  await context.clock.setFixedTime(new Date(today));
  await page.goto(`${origin}/`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  check(server.transferred() < 1.5 * 1024 * 1024,
        `the page with its towns is ${(server.transferred() / 1024).toFixed(0)} KB (under 1.5 MB)`);

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
  const belfastArgs = ['--sat-lon', '19.2E', '--lat', '54.59700', '--lon', '5.93000'];
  const details = { skew: await page.textContent('#skew'), tilt: await page.textContent('#tilt'),
                    motor: await page.textContent('#motor') };
  const expected = calcDetails(belfastArgs);
  check(JSON.stringify(details) === JSON.stringify(expected),
        `skew, tilt and motor as azimora-calc: ${JSON.stringify(details)}, expected ${JSON.stringify(expected)}`);
  // The next outage on the phone's clock, named: "25 Feb 2027, 10:43 GMT to 10:50 GMT".
  const outage = calcNextOutage(belfastArgs);
  const minute = (iso) => iso.slice(11, 16);
  const outageShown = await page.textContent('#outage');
  check(outageShown.startsWith(`25 Feb 2027, ${minute(outage.start)} GMT to ${minute(outage.end)} GMT`),
        `the next sun outage "${outageShown}" is azimora-calc's ${outage.start} to ${outage.end}`);
  // The address follows a moment after the last change.
  await page.waitForFunction(() => location.hash.includes('sat=19.2E'), null, { timeout: 5000 }).catch(() => {});
  check(new URL(page.url()).hash === '#lat=54.59700&lon=5.93000&sat=19.2E', `the address follows: ${new URL(page.url()).hash}`);
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

  // An element file from the phone: the objects azimora-calc lists, and a
  // chosen one gives its figures.
  const drift = fs.readFileSync(path.resolve(path.dirname(new URL(import.meta.url).pathname),
                                             '../engine/formats/data/geo_drift.csv'), 'utf8').trim().split('\n').slice(1);
  const tle = drift.map((line) => line.split(',').slice(0, 3).join('\n')).join('\n') + '\n';
  const tleFile = path.join(profile, 'belt.tle');
  fs.writeFileSync(tleFile, tle);
  await page.setInputFiles('#elements', tleFile);
  await page.waitForSelector('#objects li');
  const listed = execFileSync(calc, ['--tle', tleFile, '--date', today], { encoding: 'utf8' }).trim().split('\n').slice(1)
    .map((line) => line.split(','));
  const objects = await page.$$eval('#objects li', (items) => items.map((item) => item.textContent));
  check(objects.length === listed.length && listed.every(([name, , west], i) => objects[i].startsWith(
    `${name}, ${Math.abs(Number(west)).toFixed(2)} ${Number(west) > 0 ? 'W' : 'E'}`)),
        `the element file's objects as azimora-calc lists them: ${JSON.stringify(objects.map((o) => o.slice(0, 28)))}`);
  // 67.12 E stands low over Belfast; 134.82 E is under its horizon.
  await page.click('#objects li >> nth=1');
  await page.waitForFunction((west) => document.getElementById('sat').value === west, listed[1][2]);
  const chosen = calcFigures(['--sat-lon', listed[1][2], '--lat', '54.597N', '--lon', '5.93W']);
  check(JSON.stringify(await shown()) === JSON.stringify(chosen), `a chosen object has azimora-calc's figures ${JSON.stringify(chosen)}`);
  await page.click('#objects li >> nth=2');
  await page.waitForFunction((west) => document.getElementById('sat').value === west, listed[2][2]);
  const below = calcFigures(['--sat-lon', listed[2][2], '--lat', '54.597N', '--lon', '5.93W']);
  const belowShown = await shown();
  check(belowShown.elevation === `${below.elevation}, below the horizon` && belowShown.azimuth === below.azimuth &&
        (await page.textContent('#skew')) === 'the satellite is below the horizon',
        `one under the horizon says so: ${JSON.stringify(belowShown)}`);

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

  // Dark, and a desktop's width; the link loaded anew (going to the same
  // address would keep the page as it is).
  await page.goto('about:blank');
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

  // Kept for offline use; then a new version published is taken when online.
  await page.waitForFunction(() => document.getElementById('offline').textContent.startsWith('Kept'), null, { timeout: 30000 });
  const files = JSON.parse(fs.readFileSync(path.join(site, 'files.json'), 'utf8'));
  check((await page.textContent('#version')) === files.version, `the page shows its version ${files.version}`);
  const newer = `${files.version}-newer`;
  server.replace('files.json', JSON.stringify({ ...files, version: newer }));
  server.replace('sw.js', fs.readFileSync(path.join(site, 'sw.js'), 'utf8').replaceAll(files.version, newer));
  await page.reload();
  // Kept whole and active once the old copy is dropped; the next start shows it.
  const cacheNames = () => page.evaluate(() => caches.keys());
  for (let i = 0; i < 300; i++) {
    const names = await cacheNames();
    if (names.includes(`azimora-${newer}`) && !names.includes(`azimora-${files.version}`)) break;
    await new Promise((resolve) => setTimeout(resolve, 100));
  }
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  await page.waitForFunction((version) => document.getElementById('version').textContent === version, newer,
                             { timeout: 30000 }).catch(() => {});
  check((await page.textContent('#version')) === newer, `a new version is taken when online: ${await page.textContent('#version')}`);

  // Offline: the service worker keeps the page; the server goes away.
  await new Promise((resolve) => server.close(resolve));
  server.closeAllConnections?.();
  await page.goto(link);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  await page.waitForFunction(() => !document.getElementById('big').hidden);
  check(JSON.stringify(await shown()) === JSON.stringify(belfast), 'offline, with the server gone, the same figures');
  check(consoleErrors.length === 0, `no console errors ${JSON.stringify(consoleErrors)}`);
} catch (error) {
  console.log(`FAIL ${error.message}`);
  checks.failures++;
} finally {
  await close();
  server.close();
}
console.log(checks.failures === 0 ? 'page test: passed' : `page test: ${checks.failures} failed`);
process.exit(checks.failures === 0 ? 0 : 1);
