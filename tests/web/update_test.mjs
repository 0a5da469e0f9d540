// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// A new build reaches a phone that kept the page, from a host as most
// static hosts are: Last-Modified only (no Cache-Control, no ETag), the
// files ten days old, so that the browser may keep its copies a day
// without asking (RFC 9111, 4.2.2). A new build is published (new files,
// modified now); the page, started again while online, fetches it whole
// past those copies, says it is ready while the old one runs, and the next
// start shows the new build, every file of it, the old one dropped.
//   node update_test.mjs build/web/site
import fs from 'node:fs';
import path from 'node:path';

import { checker, launchBrowser, runTest, serveSite, testPaths } from './browser.mjs';

const { site } = testPaths('site');
const checks = checker();
const { check } = checks;

const server = await serveSite(site, { host: 'static', modified: new Date(Date.now() - 10 * 86400e3) });
const origin = `http://127.0.0.1:${server.address().port}`;
const { context, close } = await launchBrowser({ viewport: { width: 360, height: 740 } });
const errors = [];
const open = async () => {
  const page = await context.newPage();
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(`${origin}/`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  return page;
};
const offlineSays = (page, start) =>
  page.waitForFunction((text) => document.getElementById('offline').textContent.startsWith(text), start, { timeout: 30000 })
    .then(() => true, () => false);

await runTest('update test', checks, async () => {
  let page = await open();
  check(await offlineSays(page, 'Kept'), 'the first visit keeps the page for offline use');
  const files = JSON.parse(fs.readFileSync(path.join(site, 'files.json'), 'utf8'));

  // The next build: another version, a page and a module changed.
  const newer = `${files.version}-next`;
  const mark = `<!-- build ${newer} -->`;
  server.replace('files.json', JSON.stringify({ ...files, version: newer }));
  server.replace('sw.js', fs.readFileSync(path.join(site, 'sw.js'), 'utf8').replaceAll(files.version, newer));
  server.replace('index.html', fs.readFileSync(path.join(site, 'index.html'), 'utf8').replace('</body>', `${mark}\n</body>`));
  server.replace('guidance.js', `${fs.readFileSync(path.join(site, 'guidance.js'), 'utf8')}\n// build ${newer}\n`);

  // Started again while online: the new build comes whole, the old one runs on.
  await page.close();
  page = await open();
  const ready = await offlineSays(page, 'A new version is ready');
  check(ready && (await page.textContent('#version')) === files.version,
        `while the old build runs (${await page.textContent('#version')}), the new one is said ready: "${await page.textContent('#offline')}"`);

  // The next start, a moment later (the browser hands over to the waiting
  // worker once it has seen the old build's last page go): the new build,
  // each of its files as published.
  await page.close();
  await new Promise((resolve) => setTimeout(resolve, 1500));
  page = await open();
  await page.waitForFunction((version) => document.getElementById('version').textContent === version, newer, { timeout: 30000 })
    .catch(() => {});
  check((await page.textContent('#version')) === newer, `the next start is the new build: ${await page.textContent('#version')}`);
  const served = await page.evaluate(async () => ({
    page: document.documentElement.outerHTML,
    module: await (await fetch('guidance.js')).text(),
    caches: await caches.keys(),
  }));
  check(served.page.includes(mark), 'its page is the new one');
  check(served.module.includes(`// build ${newer}`), 'its modules are the new ones');
  check(JSON.stringify(served.caches) === JSON.stringify([`azimora-${newer}`]), `the old build dropped whole: ${JSON.stringify(served.caches)}`);
  check(errors.length === 0, `no page errors ${JSON.stringify(errors)}`);
}, async () => {
  await close();
  server.close();
});
