// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page in Debian's headless Chromium (playwright-core, no browser
// download), served from this computer: Belfast by an emulated GPS with
// Astra at 19.2 E gives azimora-calc's figures, the position written with
// its letters; a site and a satellite typed as installers type them (blanks,
// degree and minute marks, the letter before, a decimal comma) and a link
// with escapes give the same; Tromsø found without its ø and written east;
// the town list by the arrow keys; a satellite under the horizon said first;
// bad input a clear message, never NaN; no console errors; the manifest
// installable, with its icons and screenshots; a new version published
// taken at the next start, and offline once the server is gone (the
// service worker); screenshots at 360x740 and 1280x800, light and dark.
//   node page_test.mjs build/web/site path/to/azimora-calc [screenshots folder]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

import { checker, launchBrowser, runTest, serveSite, testPaths } from './browser.mjs';

const { site, calc, shots } = testPaths('site', 'calc', 'shots?');

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

// The words of azimora-calc's report: every front says the same.
const calcWords = (args) => JSON.parse(execFileSync(calc, [...args, '--json', '--date', today], { encoding: 'utf8' })).words;
const sentence = (text) => `${text[0].toUpperCase()}${text.slice(1)}.`;

// The rest of azimora-calc's figures as the page shows them.
function calcDetails(args) {
  const words = calcWords(args);
  return { skew: words.skew, tilt: words.face_tilt, motor: words.motor };
}

// The first sun outage after the page's day, as azimora-calc finds it in the page's zone.
function calcNextOutage(args) {
  const report = JSON.parse(execFileSync(calc, [...args, '--json', '--date', '2027-01-01', '--tz', zone], { encoding: 'utf8' }));
  return report.sun_outages[0];
}

// An instant of azimora-calc's ("2027-02-25T10:43:41+00:00") to the nearest minute, "10:44".
const nearestMinute = (iso) => new Date(Math.round(Date.parse(iso) / 60000) * 60000).toISOString().slice(11, 16);

const server = await serveSite(site);
const origin = `http://127.0.0.1:${server.address().port}`;
const { context, profile, close } = await launchBrowser({
  viewport: { width: 360, height: 740 },
  timezoneId: zone,
  locale: 'en-GB',
  permissions: ['geolocation'],
  geolocation: { latitude: 54.597, longitude: -5.930, accuracy: 12 },
});
const consoleErrors = [];
const watch = (tab) => {
  tab.on('console', (message) => message.type() === 'error' && consoleErrors.push(message.text()));
  tab.on('pageerror', (error) => consoleErrors.push(error.message));
  return tab;
};
let page = watch(context.pages()[0] || (await context.newPage()));
// The page closed and opened again, as a phone starts it anew: a moment
// apart, as a person does it (the browser hands over to a waiting worker
// once it has seen the last page of the old one go).
async function reopen(tab, address) {
  await tab.close();
  await new Promise((resolve) => setTimeout(resolve, 1500));
  const opened = watch(await context.newPage());
  await opened.goto(address);
  await opened.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  return opened;
}
page.on('console', (m) => m.text().startsWith('DEBUG') && console.log(m.text()));

const figuresShown = () => page.waitForFunction(() => !document.getElementById('figures').classList.contains('pending'));
const shown = async () => ({
  azimuth: (await page.textContent('#azimuth')).replace('\u00B0', ''),
  elevation: (await page.textContent('#elevation')).replace('\u00B0', ''),
  compass: (await page.textContent('#compass')).replace('\u00B0', ''),
});
// Typed as a user types: the field emptied, then each key.
const type = async (selector, text) => {
  await page.fill(selector, '');
  await page.type(selector, text);
};

await runTest('page test', checks, async () => {
  await context.clock.setFixedTime(new Date(today));
  await page.goto(`${origin}/`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });

  // Belfast by GPS, Astra 19.2E: the position written as the desktop writes it.
  await page.click('#locate');
  await page.waitForFunction(() => document.getElementById('lat').value !== '');
  check((await page.inputValue('#lat')) === '54.5970 N' && (await page.inputValue('#lon')) === '5.9300 W',
        `the position with its letters: ${await page.inputValue('#lat')}, ${await page.inputValue('#lon')}`);
  await page.fill('#sat', '19.2E');
  await figuresShown();
  const belfastArgs = ['--sat-lon', '19.2E', '--lat', '54.59700', '--lon', '5.93000'];
  const belfast = calcFigures(belfastArgs);
  const byGps = await shown();
  check(JSON.stringify(byGps) === JSON.stringify(belfast),
        `Belfast by GPS: ${JSON.stringify(byGps)} as azimora-calc ${JSON.stringify(belfast)}`);
  check((await page.textContent('#position')).startsWith('Position within 12 m'), 'the position\'s accuracy is shown');
  const details = { skew: await page.textContent('#skew'), tilt: await page.textContent('#tilt'),
                    motor: await page.textContent('#motor') };
  const expected = calcDetails(belfastArgs);
  check(JSON.stringify(details) === JSON.stringify(expected),
        `skew, tilt and motor as azimora-calc: ${JSON.stringify(details)}, expected ${JSON.stringify(expected)}`);
  // The next outage on the phone's clock, named, each end to its nearest minute:
  // "25 Feb 2027, 10:44 GMT to 10:50 GMT" for 10:43:41 to 10:50:16.
  const outage = calcNextOutage(belfastArgs);
  const outageShown = await page.textContent('#outage');
  check(outageShown.startsWith(`25 Feb 2027, ${nearestMinute(outage.start)} GMT to ${nearestMinute(outage.end)} GMT, within `),
        `the next sun outage "${outageShown}" is azimora-calc's ${outage.start} to ${outage.end}, to the nearest minute`);
  // The address follows a moment after the last change, readable.
  await page.waitForFunction(() => location.hash.includes('sat=19.2E'), null, { timeout: 5000 }).catch(() => {});
  check(new URL(page.url()).hash === '#lat=54.597N&lon=5.93W&sat=19.2E', `the address follows: ${new URL(page.url()).hash}`);
  if (shots) await page.screenshot({ path: path.join(shots, 'web-360-light.png'), fullPage: true });

  // Typed as installers type them: the same site, the same figures, no message.
  const typedSites = [
    ['54 35 49.2 N', '5 55 48 W', '19.2E'], ['54.597 N', '5.93 W', '19.2 E'], ['N54.597', 'W 5.93', 'E19.2'],
    ['54\u00B035\'49.2"N', '5\u00B055\'48"W', '19.2\u00B0E'], ['54\u00B035\u203249.2\u2033 N', '5\u00B055\u203248\u2033 W', '19.2\u00B0 E'],
    ['54\u00B035\u201949.2\u201DN', '5\u00B055\u201948\u201DW', '19,2 E'], ['54,597N', '5,93 W', 'E 19,2'], ['54.597', '5.93', '-19.2'],
  ];
  for (const [lat, lon, sat] of typedSites) {
    await type('#lat', lat);
    await type('#lon', lon);
    await type('#sat', sat);
    const typed = await shown();
    check(JSON.stringify(typed) === JSON.stringify(belfast) && (await page.isHidden('#message')),
          `typed ${lat} / ${lon} / ${sat}: ${JSON.stringify(typed)}${await page.isVisible('#message') ? ` "${await page.textContent('#message')}"` : ''}`);
  }
  await page.waitForFunction(() => location.hash.startsWith('#lat=54.597N&lon=5.93W&sat=19.2E'), null, { timeout: 5000 }).catch(() => {});
  check(new URL(page.url()).hash === '#lat=54.597N&lon=5.93W&sat=19.2E',
        `the address as the engine read the typing, readable: ${new URL(page.url()).hash}`);

  // A decimal comma in the dish's numbers (phones in comma locales offer no point).
  await type('#dish', '0,8');
  await type('#freq', '11,7');
  await type('#offset', '26,5');
  const commaArgs = [...belfastArgs, '--dish-m', '0.8', '--freq-ghz', '11.7', '--offset-deg', '26.5', '--json', '--date', today];
  const commaTilt = JSON.parse(execFileSync(calc, commaArgs, { encoding: 'utf8' })).words.face_tilt;
  const beamNote = await page.textContent('#beam-note');
  check((await page.textContent('#tilt')) === commaTilt && (await page.isHidden('#message')),
        `a dish of 0,8 m at 11,7 GHz, offset 26,5: "${await page.textContent('#tilt')}" as azimora-calc's "${commaTilt}"`);
  check(beamNote.includes('\u00B11.1\u00B0 for a 0.8 m dish at 11.7 GHz') && !beamNote.includes('NaN'), `the beam note: "${beamNote}"`);
  await page.waitForFunction(() => location.hash.includes('dish=0.8'), null, { timeout: 5000 }).catch(() => {});
  check(new URL(page.url()).hash === '#lat=54.597N&lon=5.93W&sat=19.2E&dish=0.8&freq=11.7&offset=26.5',
        `the address with the dish: ${new URL(page.url()).hash}`);

  // A link with escapes, as a message or a QR code may carry it: the same figures.
  await page.goto('about:blank');
  await page.goto(`${origin}/#lat=54%2035%2049.2%20N&lon=5%C2%B055%E2%80%B248%E2%80%B3W&sat=19.2%20E&dish=0%2C8`);
  await page.waitForSelector('body[data-ready="true"]');
  await figuresShown();
  check(JSON.stringify(await shown()) === JSON.stringify(belfast) && (await page.inputValue('#lat')) === '54 35 49.2 N' &&
        (await page.inputValue('#dish')) === '0,8',
        `a link with escapes: ${JSON.stringify(await shown())}, latitude "${await page.inputValue('#lat')}"`);

  // A link opens ready.
  const link = `${origin}/#lat=54.597N&lon=5.93W&sat=19.2E&dish=0.8`;
  await page.goto('about:blank');
  await page.goto(link);
  await page.waitForSelector('body[data-ready="true"]');
  await figuresShown();
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
  // 67.12 E stands low over Belfast; 134.82 E is under its horizon. Chosen, each is written with its letter.
  const withLetter = (west) => `${Math.abs(Number(west))} ${Number(west) < 0 ? 'E' : 'W'}`;
  await page.click('#objects li >> nth=1');
  await page.waitForFunction((value) => document.getElementById('sat').value === value, withLetter(listed[1][2]));
  const chosen = calcFigures(['--sat-lon', listed[1][2], '--lat', '54.597N', '--lon', '5.93W']);
  check(JSON.stringify(await shown()) === JSON.stringify(chosen), `a chosen object has azimora-calc's figures ${JSON.stringify(chosen)}`);

  // Under the horizon: said first, as large as the main answer; where it stands after it, as information.
  await page.click('#objects li >> nth=2');
  await page.waitForFunction((value) => document.getElementById('sat').value === value, withLetter(listed[2][2]));
  const sizes = await page.evaluate(() => {
    const size = (element) => parseFloat(getComputedStyle(element).fontSize);
    return { below: size(document.querySelector('#below .value')), answer: size(document.getElementById('azimuth')) };
  });
  const belowDetail = await page.textContent('#below-detail');
  check(await page.isVisible('#below') && (await page.textContent('#below .value')) === 'Below the horizon' &&
        await page.isHidden('#big') && sizes.below === sizes.answer,
        `one under the horizon says so first, at ${sizes.below} px as the answers' ${sizes.answer} px`);
  const belowWords = calcWords(['--sat-lon', listed[2][2], '--lat', '54.597N', '--lon', '5.93W']);
  check(belowDetail === `${sentence(belowWords.elevation)} It stands at ${belowWords.azimuth} true, ${belowWords.compass_bearing} on a compass.`,
        `and where it stands, after it: "${belowDetail}"`);

  // Satellites past 180 W carry their east equivalent, as the figures do.
  const pas4 = await page.$eval('#satellites option[value="PAS-4"]', (option) => option.label);
  check(pas4 === '68.50 E', `PAS-4 at 291.5 W is labelled "${pas4}"`);

  // A town found by name; the list by the keys: one Tab stop, the arrows, Enter.
  await page.click('#town');
  await page.type('#town', 'belfas');
  await page.waitForSelector('#towns li');
  check((await page.textContent('#towns li')).startsWith('Belfast'), 'the town search finds Belfast');
  await page.fill('#town', 'york');
  await page.waitForFunction(() => document.querySelectorAll('#towns li').length > 2);
  const york = await page.$$eval('#towns li', (items) => items.map((item) => item.textContent));
  await page.focus('#town');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('ArrowUp');
  const listKeys = await page.evaluate(() => ({
    focused: document.activeElement.id,
    active: document.getElementById('towns').getAttribute('aria-activedescendant'),
    tabStops: [...document.querySelectorAll('#towns li')].filter((item) => item.tabIndex >= 0).length,
  }));
  check(listKeys.focused === 'towns' && listKeys.active === 'towns-1' && listKeys.tabStops === 0,
        `the town list is one Tab stop, moved by the arrows: ${JSON.stringify(listKeys)}`);
  await page.keyboard.press('Enter');
  const chosenTown = await page.evaluate(() => document.querySelector('#towns [aria-selected="true"]')?.textContent);
  check(chosenTown === york[1] && (await page.inputValue('#lat')).endsWith(' N'), `Enter chooses "${chosenTown}" (${york[1]})`);
  await page.keyboard.press('Tab');
  check((await page.evaluate(() => document.activeElement.id)) === 'sat', 'Tab leaves the list for the next field');

  // Tromsø without its ø (the desktop's folding), written east, as the desktop writes it.
  await page.fill('#town', 'tromso');
  await page.waitForFunction(() => document.querySelector('#towns li')?.textContent.startsWith('Troms'), null, { timeout: 5000 })
    .catch(() => {});
  const tromso = await page.$$eval('#towns li', (items) => items.map((item) => item.textContent));
  check(tromso[0] === 'Troms\u00F8, Norway', `"tromso" finds ${JSON.stringify(tromso)}`);
  if (tromso.length > 0) await page.click('#towns li >> nth=0');
  check((await page.inputValue('#lat')) === '69.6667 N' && (await page.inputValue('#lon')) === '18.9167 E',
        `Troms\u00F8 is written ${await page.inputValue('#lat')}, ${await page.inputValue('#lon')}`);
  await page.waitForFunction(() => location.hash.includes('lon=18.9167E'), null, { timeout: 5000 }).catch(() => {});
  check(new URL(page.url()).hash.startsWith('#lat=69.6667N&lon=18.9167E&'), `and so in the address: ${new URL(page.url()).hash}`);

  // Bad input: a clear message, never NaN.
  await page.fill('#lat', 'north');
  await page.waitForFunction(() => !document.getElementById('message').hidden);
  const message = await page.textContent('#message');
  check(message.includes("latitude 'north' is no angle"), `bad input says so: "${message}"`);
  await page.fill('#dish', 'big');
  check(!(await page.textContent('body')).includes('NaN'), 'no NaN anywhere');

  // Dark, and a desktop's width; the link loaded anew (going to the same
  // address would keep the page as it is).
  await page.goto('about:blank');
  await page.goto(link);
  await page.waitForSelector('body[data-ready="true"]');
  await figuresShown();
  if (shots) {
    await page.emulateMedia({ colorScheme: 'dark' });
    await page.screenshot({ path: path.join(shots, 'web-360-dark.png'), fullPage: true });
    await page.setViewportSize({ width: 1280, height: 800 });
    await page.screenshot({ path: path.join(shots, 'web-1280-dark.png'), fullPage: true });
    await page.emulateMedia({ colorScheme: 'light' });
    await page.screenshot({ path: path.join(shots, 'web-1280-light.png'), fullPage: true });
  }

  // Installable: Chromium's own check of the manifest; what reviewers look
  // for beyond it: an id, a description, icons of 192 and 512 (one
  // maskable), screenshots, and a description of the page.
  const cdp = await context.newCDPSession(page);
  const installability = await cdp.send('Page.getInstallabilityErrors');
  check(installability.installabilityErrors.length === 0,
        `no installability errors ${JSON.stringify(installability.installabilityErrors)}`);
  const manifest = JSON.parse(fs.readFileSync(path.join(site, 'manifest.webmanifest'), 'utf8'));
  const icon = (size, purpose) => manifest.icons.some((i) => i.sizes === `${size}x${size}` && (i.purpose || 'any').includes(purpose));
  const pictures = await Promise.all([...manifest.icons, ...manifest.screenshots].map((picture) => page.evaluate(async ({ src, sizes }) => {
    const image = new Image();
    image.src = src;
    await image.decode();
    return `${image.naturalWidth}x${image.naturalHeight}` === sizes;
  }, picture)));
  check(manifest.id && manifest.description && icon(192, 'any') && icon(512, 'any') && icon(512, 'maskable') &&
        manifest.screenshots.some((s) => s.form_factor === 'narrow') && manifest.screenshots.some((s) => s.form_factor === 'wide') &&
        pictures.every(Boolean),
        `the manifest's id, description, icons and screenshots, each picture of its stated size (${pictures})`);
  check((await page.getAttribute('meta[name="description"]', 'content'))?.length > 50, 'the page has a description');

  // Kept for offline use; then a new version published is fetched whole
  // while this one runs, and taken when the page next opens.
  await page.waitForFunction(() => document.getElementById('offline').textContent.startsWith('Kept'), null, { timeout: 30000 });
  const files = JSON.parse(fs.readFileSync(path.join(site, 'files.json'), 'utf8'));
  check((await page.textContent('#version')) === files.version, `the page shows its version ${files.version}`);
  const newer = `${files.version}-newer`;
  server.replace('files.json', JSON.stringify({ ...files, version: newer }));
  server.replace('sw.js', fs.readFileSync(path.join(site, 'sw.js'), 'utf8').replaceAll(files.version, newer));
  await page.reload();
  await page.waitForFunction(() => document.getElementById('offline').textContent.startsWith('A new version is ready'), null,
                             { timeout: 30000 }).catch(() => {});
  check((await page.textContent('#offline')).startsWith('A new version is ready: it starts the next time the page opens') &&
        (await page.textContent('#version')) === files.version && (await page.isVisible('#restart')),
        `while this one runs, a new version is said ready: "${await page.textContent('#offline')}"`);
  page = await reopen(page, link);
  await page.waitForFunction((version) => document.getElementById('version').textContent === version, newer,
                             { timeout: 30000 }).catch(() => {});
  check((await page.textContent('#version')) === newer, `the next start takes it: ${await page.textContent('#version')}`);
  const caches = await page.evaluate(() => caches.keys());
  check(JSON.stringify(caches) === JSON.stringify([`azimora-${newer}`]), `the old version dropped whole: ${JSON.stringify(caches)}`);

  // Offline: the service worker keeps the page; the server goes away.
  await new Promise((resolve) => server.close(resolve));
  server.closeAllConnections?.();
  await page.goto(link);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  await figuresShown();
  check(JSON.stringify(await shown()) === JSON.stringify(belfast), 'offline, with the server gone, the same figures');
  await page.fill('#town', 'belfas');
  await page.waitForSelector('#towns li', { timeout: 10000 }).catch(() => {});
  check((await page.textContent('#towns li').catch(() => '')).startsWith('Belfast'), 'offline, the towns are found too');
  check(consoleErrors.length === 0, `no console errors ${JSON.stringify(consoleErrors)}`);
}, async () => {
  await close();
  server.close();
});
