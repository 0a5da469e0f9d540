// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page's town search against the desktop's Find Location (its search
// run by find_towns, built from the same engine with Qt's reading of
// libgweather's list): every name of the page's towns folds alike in both,
// and names typed without their letters (tromso, bodo, lodz, wroclaw,
// fassberg, ...) find in the page the towns they find on the desktop.
//   node towns_test.mjs build/web/site build/dev/tests/data_sources/find_towns
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

import { checker, launchBrowser, runTest, serveSite, testPaths } from './browser.mjs';

const { site, findTowns } = testPaths('site', 'findTowns');
const checks = checker();
const { check } = checks;

// The desktop's answers to lines of input (find_towns_tool.cpp).
const desktop = (lines) => execFileSync(findTowns, { input: `${lines.join('\n')}\n`, encoding: 'utf8', maxBuffer: 1 << 26 })
  .split('\n').slice(0, lines.length);

const queries = ['tromso', 'bodo', 'lodz', 'wroclaw', 'fassberg', 'zurich', 'sao paulo', 'reykjavik', 'malmo', 'gdansk',
                 'izmir', 'diyarbakir', 'alborg', 'bronnoysund', 'ceske budejovice', 'eidar', 'deline', 'braila', 'chisinau',
                 'cordoba', 'TROMSØ', 'Łódź'];

const server = await serveSite(site);
const origin = `http://127.0.0.1:${server.address().port}`;
const { context, close } = await launchBrowser({ viewport: { width: 360, height: 740 }, serviceWorkers: 'block' });
await runTest('towns test', checks, async () => {
  const page = await context.newPage();
  await page.goto(`${origin}/`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  await page.click('#town');
  await page.waitForSelector('body[data-towns="true"]', { timeout: 30000 }).catch(() => {});

  // Every name of the page's towns, folded by the page and by the desktop.
  const names = JSON.parse(fs.readFileSync(path.join(site, 'towns.json'), 'utf8')).map((town) => town[0]);
  const pageFolds = await page.evaluate(async (all) => {
    const engine = await import('./engine.js');
    return all.map((name) => engine.fold(name));
  }, names).catch(() => []);
  const desktopFolds = desktop(names.map((name) => `fold: ${name}`));
  const apart = names.filter((name, i) => pageFolds[i] !== desktopFolds[i]);
  check(names.length > 4000 && apart.length === 0,
        `all ${names.length} names fold alike on the page and the desktop${apart.length ? `; apart: ${apart.slice(0, 10).map((n, i) => `${n} (${pageFolds[names.indexOf(n)]} / ${desktopFolds[names.indexOf(n)]})`).join(', ')}` : ''}`);

  // Typed without their letters: what the desktop finds, the page finds.
  const found = desktop(queries);
  for (const [i, query] of queries.entries()) {
    const onDesktop = found[i] ? found[i].split('\f').map((row) => row.split('\t')[0]) : [];
    await page.fill('#town', query);
    await page.waitForTimeout(50);
    const onPage = await page.$$eval('#towns li', (items) => items.map((item) => item.textContent));
    const missing = onDesktop.filter((name) => !onPage.some((shown) => shown.startsWith(`${name}, `)));
    check(onDesktop.length > 0 && missing.length === 0,
          `"${query}": the desktop finds ${JSON.stringify(onDesktop.slice(0, 4))}${onDesktop.length > 4 ? '...' : ''}; ` +
          `the page ${JSON.stringify(onPage.slice(0, 4))}${missing.length ? `; missing ${JSON.stringify(missing)}` : ''}`);
  }
}, async () => {
  await close();
  server.close();
});
