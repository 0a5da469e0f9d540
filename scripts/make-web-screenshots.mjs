// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The screenshots the page's manifest offers an install dialog
// (web/data/screenshot-narrow.png, 360x740, and screenshot-wide.png,
// 1280x800): the built page with a link's figures, in Debian's Chromium, on
// a fixed day. Development time only, after scripts/build-web.sh (then
// build again, to carry them):
//   node scripts/make-web-screenshots.mjs [build/web/site]
import path from 'node:path';

import { launchBrowser, serveSite } from '../tests/web/browser.mjs';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const site = path.resolve(process.argv[2] || path.join(root, 'build/web/site'));
const server = await serveSite(site);
const link = `http://127.0.0.1:${server.address().port}/#lat=54.597N&lon=5.93W&sat=19.2E&dish=0.8`;
const { context, close } = await launchBrowser({ timezoneId: 'Europe/London', locale: 'en-GB', serviceWorkers: 'block' });
try {
  await context.clock.setFixedTime(new Date('2026-12-07T12:00:00Z'));
  for (const [name, width, height] of [['narrow', 360, 740], ['wide', 1280, 800]]) {
    const page = await context.newPage();
    await page.setViewportSize({ width, height });
    await page.goto(link);
    await page.waitForFunction(() => !document.getElementById('figures').classList.contains('pending'), null, { timeout: 30000 });
    const out = path.join(root, `web/data/screenshot-${name}.png`);
    await page.screenshot({ path: out });
    console.log(`${path.relative(root, out)}: ${width}x${height}`);
    await page.close();
  }
} finally {
  await close();
  server.close();
}
