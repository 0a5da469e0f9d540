// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page in Debian's headless Chromium against the site report's table of
// edges (tests/engine/report/data/edge_cases.json, which the C++ tests of
// the other fronts read too): each case typed as a user types it, on the
// phone's clock of its date, and each of the report's words shown where
// the page shows it; each entry at and past its range taken, or refused in
// the rules' words.
//   node report_edges_check.mjs build/web/site
import fs from 'node:fs';
import path from 'node:path';

import { checker, launchBrowser, runTest, serveSite } from './browser.mjs';

const site = path.resolve(process.argv[2]);
const here = path.dirname(new URL(import.meta.url).pathname);
const table = JSON.parse(fs.readFileSync(path.join(here, '../engine/report/data/edge_cases.json'), 'utf8'));

const checks = checker();
const { check } = checks;

// A message of the engine as the page says it: a sentence.
const sentence = (text) => `${text[0].toUpperCase()}${text.slice(1)}.`;
const negativeZero = /-0\.0+(?![0-9]*[1-9])/;

// Where the page shows each of the report's words, and how: the text
// itself, or within a longer text.
const shownAt = {
  site: ['#figures-for', 'within'],
  satellite: ['#figures-for', 'within'],
  azimuth: ['#azimuth', 'equal'],
  elevation: ['#elevation', 'equal'],
  skew: ['#skew', 'equal'],
  face_tilt: ['#tilt', 'equal'],
  motor: ['#motor', 'equal'],
  compass_warning: ['#declination', 'sentence-within'],
  magnetic_model: ['#declination', 'sentence-within'],
  outages: ['#outage', 'within'],
};
// Out of sight the page says so first and hides the answers: the elevation
// and the direction stand in the words below it, the rest say why not.
const outOfSight = {
  azimuth: ['#below-detail', 'within'],
  elevation: ['#below-detail', 'sentence'],
  skew: ['#below .value', 'hidden-by'],
};

const server = await serveSite(site);
const origin = `http://127.0.0.1:${server.address().port}`;
const { context, close } = await launchBrowser({ viewport: { width: 360, height: 740 }, timezoneId: 'UTC', locale: 'en-GB' });
const page = context.pages()[0] || (await context.newPage());

// Typed as a user types: the field emptied, then each key.
const type = async (selector, text) => {
  await page.fill(selector, '');
  if (text) await page.type(selector, text);
};
// The page settles: the figures stand, or a message says why not.
const settled = () => page.waitForFunction(
  () => !document.getElementById('figures').classList.contains('pending') || !document.getElementById('message').hidden);

async function enter(values) {
  for (const [key, selector] of [['lat', '#lat'], ['lon', '#lon'], ['offset', '#offset'], ['dish', '#dish'],
                                 ['freq', '#freq'], ['second', '#second-sat']])
    await type(selector, values[key] ?? { offset: '22.3', dish: '0.6', freq: '12' }[key] ?? '');
  await type('#sat', values.sat_name ?? values.sat);
  await settled();
}

await runTest('report edges', checks, async () => {
  await page.goto(`${origin}/`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  for (const edge of table.cases) {
    await context.clock.setFixedTime(new Date(edge.input.date ?? table.date));
    await enter(edge.input);
    const message = await page.isVisible('#message') ? await page.textContent('#message') : '';
    check(message === '', `${edge.name}: figures, no message ${message}`);
    const visible = await page.isVisible('#big');
    if (edge.figures.visible !== undefined) check(visible === edge.figures.visible, `${edge.name}: seen ${visible}`);
    for (const [key, words] of Object.entries(edge.words)) {
      const [selector, how] = (!visible && outOfSight[key]) || shownAt[key];
      const shown = await page.textContent(selector);
      const ok = how === 'equal' ? shown === words
        : how === 'within' ? shown.includes(words)
        : how === 'sentence' ? shown.startsWith(sentence(words))
        : how === 'sentence-within' ? shown.includes(sentence(words))
        : await page.isVisible(selector);  // hidden-by: the page's "Below the horizon" stands instead
      check(ok, `${edge.name}: ${key} "${words}" shown in ${selector}: "${shown}"`);
    }
    const figures = await page.textContent('#figures');
    check(!negativeZero.test(figures), `${edge.name}: no minus before a zero in "${figures.match(negativeZero)?.[0] ?? ''}"`);
  }

  // Each entry the page takes, at and past its range.
  const fields = { lat: 'lat', lon: 'lon', sat: 'sat', second: 'second', dish: 'dish', freq: 'freq', offset: 'offset' };
  await context.clock.setFixedTime(new Date(table.date));
  for (const entry of table.inputs) {
    if (!fields[entry.field]) continue;  // no field of the page's: the height is the position's, the focal length the link's
    await enter({ ...table.site, [entry.field]: entry.text });
    const message = await page.isVisible('#message') ? await page.textContent('#message') : '';
    check(entry.error ? message === sentence(entry.error) : message === '',
          `${entry.field} '${entry.text}': ${entry.error ? `refused as "${sentence(entry.error)}"` : 'taken'}: "${message}"`);
  }
}, async () => {
  await close();
  server.close();
});
