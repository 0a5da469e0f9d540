// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Pointing with the phone in Debian's headless Chromium with the CPU
// throttled four times (a phone's pace): from an orientation reading (its
// timestamp) to the guidance written, over a few hundred emulated readings
// (median and worst; the target is a frame, 16 ms); and the camera view's
// drawing rate over five seconds with the fake camera (target: 30 a second).
//   node bench/web/point_bench.mjs build/web/site
import path from 'node:path';

import { launchBrowser, serveSite } from '../../tests/web/browser.mjs';

const site = path.resolve(process.argv[2]);
const throttle = 4;
const readings = 300;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const server = await serveSite(site);
const link = `http://127.0.0.1:${server.address().port}/#lat=54.597N&lon=5.93W&sat=19.2E`;
const { context, close } = await launchBrowser({
  viewport: { width: 360, height: 740 },
  permissions: ['accelerometer', 'gyroscope', 'magnetometer', 'camera'],
  args: ['--use-fake-device-for-media-stream', '--use-fake-ui-for-media-stream'],
});
try {
  const page = context.pages()[0] || (await context.newPage());
  const cdp = await context.newCDPSession(page);
  await cdp.send('Emulation.setSensorOverrideEnabled', { enabled: true, type: 'absolute-orientation', metadata: { available: true } });
  await page.goto(link);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: throttle });
  await page.click('#start-sensors');
  // A hand's sway: a standing phone turning and nodding a little.
  const orient = (i) => {
    const yaw = (150 + 5 * Math.sin(i / 7)) * Math.PI / 360, pitch = (92 + 2 * Math.cos(i / 5)) * Math.PI / 360;
    const [cz, sz, cx, sx] = [Math.cos(-yaw), Math.sin(-yaw), Math.cos(pitch), Math.sin(pitch)];
    return cdp.send('Emulation.setSensorOverrideReadings',
                    { type: 'absolute-orientation', reading: { quaternion: { x: cz * sx, y: sz * sx, z: sz * cx, w: cz * cx } } });
  };
  for (let i = 0; i < readings; i++) {
    await orient(i);
    await new Promise((resolve) => setTimeout(resolve, 16));
  }
  for (const [name, what] of [['azimora-guidance', 'reading to guidance'], ['azimora-guidance-work', 'the page\'s own work']]) {
    const times = await page.evaluate((n) => performance.getEntriesByName(n).map((e) => e.duration), name);
    console.log(`${what} (${throttle}x throttle, ${times.length} readings): median ${median(times).toFixed(2)} ms, ` +
                `worst ${Math.max(...times).toFixed(2)} ms`);
  }

  await page.click('#tab-look');
  await page.waitForFunction(() => document.getElementById('camera').readyState >= 2, null, { timeout: 30000 });
  const start = await page.evaluate(async () => (await import('./look.js')).lookStats.frames);
  const seconds = 5;
  const began = Date.now();
  let i = 0;
  while (Date.now() - began < seconds * 1000) {
    await orient(i++);
    await new Promise((resolve) => setTimeout(resolve, 30));
  }
  const end = await page.evaluate(async () => (await import('./look.js')).lookStats.frames);
  const elapsed = (Date.now() - began) / 1000;
  const draws = await page.evaluate(() => performance.getEntriesByName('azimora-look-draw').map((e) => e.duration));
  console.log(`camera view (${throttle}x throttle): ${((end - start) / elapsed).toFixed(1)} frames a second drawn over ` +
              `${elapsed.toFixed(1)} s; a frame's drawing median ${median(draws).toFixed(2)} ms, worst ${Math.max(...draws).toFixed(2)} ms`);
} finally {
  await close();
  server.close();
}
