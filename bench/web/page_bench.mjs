// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The web page in Debian's headless Chromium with the CPU throttled four
// times (a phone's pace): a first visit's load to the first figures (from
// a link, nothing kept yet), the bytes it takes (the towns come only when
// the town field is touched, and the offline copy is not counted), and a
// keystroke in the latitude to its new figures in the page (from the key's
// event to the figures written; and the page's own part of it, from the
// input event). Medians and the worst, over several runs.
//   node bench/web/page_bench.mjs build/web/site
import path from 'node:path';

import { launchBrowser, serveSite } from '../../tests/web/browser.mjs';

const site = path.resolve(process.argv[2]);
const throttle = 4;
const loads = 7;
const keystrokes = 40;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const worst = (values) => Math.max(...values);

const server = await serveSite(site);
const link = `http://127.0.0.1:${server.address().port}/#lat=54.597N&lon=5.93W&sat=19.2E`;
// No service worker: every load is a first visit.
const { context, close } = await launchBrowser({ viewport: { width: 360, height: 740 }, serviceWorkers: 'block' });
try {
  const loadTimes = [];
  let bytes = 0;
  for (let run = 0; run < loads; run++) {
    const page = await context.newPage();
    const cdp = await context.newCDPSession(page);
    await cdp.send('Network.setCacheDisabled', { cacheDisabled: true });
    await cdp.send('Emulation.setCPUThrottlingRate', { rate: throttle });
    const before = server.transferred();
    await page.goto(link);
    await page.waitForFunction(() => performance.getEntriesByName('azimora-first-figures').length > 0, null,
                               { timeout: 60000 });
    loadTimes.push(await page.evaluate(() => performance.getEntriesByName('azimora-first-figures')[0].startTime));
    // The first load only: a profile with nothing kept yet (later loads may revalidate).
    if (run === 0) bytes = server.transferred() - before;
    await page.close();
  }

  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: throttle });
  await page.goto(link);
  await page.waitForFunction(() => performance.getEntriesByName('azimora-figures').length > 0, null, { timeout: 60000 });
  await page.evaluate(() => {
    window.keyLatencies = [];
    window.pageWork = [];
    const lat = document.getElementById('lat');
    let pressed = 0;
    let inputStart = 0;
    lat.addEventListener('keydown', (event) => { pressed = event.timeStamp; }, { capture: true });
    // Captured on the document: before the page's own listener on the box.
    document.addEventListener('input', () => { inputStart = performance.now(); }, { capture: true });
    // Bubbled to the document: after it, the figures written.
    document.addEventListener('input', () => {
      const figures = performance.getEntriesByName('azimora-figures')[0];
      if (!figures || figures.startTime < inputStart) return;
      window.keyLatencies.push(figures.startTime - pressed);
      window.pageWork.push(figures.startTime - inputStart);
    });
  });
  await page.fill('#lat', '');
  for (let i = 0; i < keystrokes / 8; i++) {
    await page.type('#lat', '54.5970N');
    await page.fill('#lat', '');
  }
  const keys = await page.evaluate(() => window.keyLatencies);
  const work = await page.evaluate(() => window.pageWork);
  await page.close();

  console.log(`Chromium ${context.browser()?.version() ?? ''}, CPU throttled ${throttle} times`);
  console.log(`first visit to first figures: median ${median(loadTimes).toFixed(0)} ms, worst ${worst(loadTimes).toFixed(0)} ms ` +
              `(${loads} loads; target 1000 ms)`);
  console.log(`transferred to the first figures: ${(bytes / 1024).toFixed(0)} KB (target 1536 KB)`);
  console.log(`keystroke to new figures: median ${median(keys).toFixed(1)} ms, worst ${worst(keys).toFixed(1)} ms ` +
              `(${keys.length} keystrokes; target 16 ms)`);
  console.log(`  of which the page's own work (input event to figures): median ${median(work).toFixed(1)} ms, ` +
              `worst ${worst(work).toFixed(1)} ms`);
} finally {
  await close();
  server.close();
}
