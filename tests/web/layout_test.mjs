// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page as a phone first shows it, on a slow network and a small screen:
// a link's figures stand while the towns are held back four seconds, and
// nothing moves, neither when the figures come nor when the towns do (the
// browser's own layout-shift count stays under 0.05, "Start the sensors"
// where it was first drawn); a bare visit shows where to give the site and
// the satellite above the fold, the sensors below; from 320 px up no page
// scrolls sideways, every control is a 48 px target with room for its focus
// ring. Screenshots at 320, 360 and 740 px, light and dark, with a folder.
//   node layout_test.mjs build/web/site [screenshots folder]
import fs from 'node:fs';
import path from 'node:path';

import { checker, launchBrowser, runTest, serveSite, testPaths } from './browser.mjs';

const { site, shots } = testPaths('site', 'shots?');
const checks = checker();
const { check } = checks;

const link = '#lat=54.597N&lon=5.93W&sat=19.2E&dish=0.8';
const server = await serveSite(site, { host: 'static', modified: new Date(Date.now() - 10 * 86400e3), delay: { '/towns.json': 4000 } });
const origin = `http://127.0.0.1:${server.address().port}`;
const { context, close } = await launchBrowser({ viewport: { width: 360, height: 740 }, serviceWorkers: 'block',
                                                  timezoneId: 'Europe/London', locale: 'en-GB' });

// From the first frame on: the layout shifts the browser counts, and where
// "Start the sensors" stands at each frame until the test asks.
await context.addInitScript(() => {
  window.layout = { shifts: [], sensorsAt: [] };
  new PerformanceObserver((list) => {
    for (const entry of list.getEntries()) {
      window.layout.shifts.push({ value: entry.value, recentInput: entry.hadRecentInput,
                                  moved: entry.sources.map((s) => s.node?.id || s.node?.nodeName) });
    }
  }).observe({ type: 'layout-shift', buffered: true });
  const frame = () => {
    const button = document.getElementById('start-sensors');
    if (button) window.layout.sensorsAt.push(Math.round(button.getBoundingClientRect().top + scrollY));
    if (!window.layout.stop) requestAnimationFrame(frame);
  };
  requestAnimationFrame(frame);
});

const errors = [];
async function open(hash, width, scheme = 'light') {
  const page = await context.newPage();
  page.on('pageerror', (error) => errors.push(error.message));
  await page.setViewportSize({ width, height: 740 });
  await page.emulateMedia({ colorScheme: scheme });
  await page.goto(`${origin}/${hash}`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  return page;
}

await runTest('layout test', checks, async () => {
  // A link, the towns held back four seconds: the figures first, then the towns, nothing moving.
  {
    const page = await open(link, 360);
    // The page marks the moment its first figures stand.
    const figuresAt = await page.waitForFunction(() => performance.getEntriesByName('azimora-first-figures')[0]?.startTime,
                                                 null, { timeout: 10000 }).then((at) => at.jsonValue(), () => Infinity);
    check(figuresAt < 3000 && (await page.getAttribute('body', 'data-towns')) === null,
          `the figures stand ${(figuresAt / 1000).toFixed(1)} s after the start, before the towns are there`);
    const asked = Date.now();
    await page.click('#town');
    await page.keyboard.type('belf');
    const status = await page.$eval('#towns-status', (e) => (e.hidden ? '' : e.textContent)).catch(() => '');
    check(status === 'Loading the towns\u2026', `the town list says the towns are coming: "${status}"`);
    await page.waitForSelector('#towns li', { timeout: 15000 });
    check(Date.now() - asked >= 3900 && (await page.textContent('#towns li')).startsWith('Belfast'),
          `the towns came ${((Date.now() - asked) / 1000).toFixed(1)} s later, and find Belfast`);
    const layout = await page.evaluate(() => {
      window.layout.stop = true;
      return window.layout;
    });
    const counted = layout.shifts.filter((s) => !s.recentInput);
    const score = counted.reduce((sum, s) => sum + s.value, 0);
    check(score < 0.05, `layout shift ${score.toFixed(4)} (under 0.05): ${JSON.stringify(counted)}`);
    const places = [...new Set(layout.sensorsAt)];
    check(places.length === 1, `"Start the sensors" stays where it was first drawn: at ${places.join(', ')} px`);
    await page.close();
  }

  // A bare visit: the site, "Use my position" and the satellite above the fold, the sensors below.
  {
    const page = await open('', 360);
    const bottoms = await page.evaluate(() => Object.fromEntries(['locate', 'lat', 'lon', 'sat', 'start-sensors']
      .map((id) => [id, Math.round(document.getElementById(id).getBoundingClientRect()[id === 'start-sensors' ? 'top' : 'bottom'])])));
    check(['locate', 'lat', 'lon', 'sat'].every((id) => bottoms[id] <= 740) && bottoms['start-sensors'] >= 740,
          `a bare visit's first screen: ${JSON.stringify(bottoms)}`);
    await page.close();
  }

  // From 320 px: no sideways scroll; 48 px targets, each with room for its focus ring.
  for (const width of [320, 360, 412, 740]) {
    for (const hash of ['', link]) {
      for (const scheme of ['light', 'dark']) {
        const page = await open(hash, width, scheme);
        await page.waitForFunction(() => !document.getElementById('figures').classList.contains('pending') || !location.hash,
                                   null, { timeout: 10000 });
        const what = `${width} px, ${hash ? 'a link' : 'bare'}, ${scheme}`;
        for (const view of ['tilt', 'compass', 'look']) {
          await page.click(`#tab-${view}`);
          const found = await page.evaluate(() => {
            const visible = (e) => e.getClientRects().length > 0 && getComputedStyle(e).visibility !== 'hidden';
            const targets = [...document.querySelectorAll('button, input, [role="option"], label.choice, [role="tab"]')]
              .filter(visible).filter((e) => !(e.matches('input[type="radio"], input[type="checkbox"]')));
            const small = targets.filter((e) => {
              const box = e.getBoundingClientRect();
              return box.height < 48 || box.width < 48;
            }).map((e) => `${e.id || e.textContent.trim().slice(0, 20)} ${Math.round(e.getBoundingClientRect().width)}x${Math.round(e.getBoundingClientRect().height)}`);
            // A focus ring is 3 px wide, 2 px off its control.
            const cut = targets.filter((e) => {
              const box = e.getBoundingClientRect();
              return box.left < 5 || box.right > document.documentElement.clientWidth - 5;
            }).map((e) => e.id || e.textContent.trim().slice(0, 20));
            return { scrollWidth: document.documentElement.scrollWidth, width: document.documentElement.clientWidth, small, cut };
          });
          if (view === 'tilt') check(found.scrollWidth <= found.width, `${what}: no sideways scroll (${found.scrollWidth} in ${found.width})`);
          check(found.small.length === 0 && found.cut.length === 0,
                `${what}, ${view}: every target 48 px, none at the edge ${JSON.stringify({ small: found.small, cut: found.cut })}`);
        }
        // The figures whole: 151.26 shows its last digit at 320 px.
        if (hash) {
          const clipped = await page.evaluate(() => [...document.querySelectorAll('#big .value')]
            .filter((e) => e.scrollWidth > e.clientWidth).map((e) => e.id));
          check(clipped.length === 0, `${what}: no figure cut off ${JSON.stringify(clipped)}`);
        }
        if (shots && [320, 360, 740].includes(width)) {
          fs.mkdirSync(shots, { recursive: true });
          await page.click('#tab-tilt');
          await page.screenshot({ path: path.join(shots, `layout-${width}-${hash ? 'link' : 'bare'}-${scheme}.png`), fullPage: true });
        }
        await page.close();
      }
    }
  }
  check(errors.length === 0, `no page errors ${JSON.stringify(errors)}`);
}, async () => {
  await close();
  server.close();
});
