// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Pointing with the phone, in Debian's headless Chromium with emulated
// sensors (an absolute-orientation quaternion through the DevTools
// protocol) and its fake camera: for Belfast and Astra at 19.2 E, a phone
// 20 degrees left of the true azimuth is told to turn right 20 with the
// declination applied; a dish face 2.3 under is told to raise 2.3; within
// the beam the aligned state shows and the tone starts after a tap; the
// drawing of the way the phone lies is the one chosen, the dish's hollow
// towards the satellite; a phone held still keeps its advice past 30 s;
// the camera view, calibrated by a tap on the sun (low, and 70 degrees
// high), draws the satellite where the attitude puts it, and obstacles
// marked by taps block it or leave it clear; a landmark's bearing typed
// with a decimal comma corrects the compass; refused sensors and camera say
// so, the sensors with a way to try again that works once allowed, and a
// computer without motion sensors says so too. Screenshots of every view at
// 360x740, portrait and landscape, light and dark.
//   node point_test.mjs build/web/site path/to/azimora-calc [screenshots folder]
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

import { checker, launchBrowser, serveSite, testPaths } from './browser.mjs';

const { site, calc, shots } = testPaths('site', 'calc', 'shots?');

const checks = checker();
const { check } = checks;

const today = '2026-12-07T12:00:00Z';
const belfast = { lat: '54.597N', lon: '5.930W', sat: '19.2E' };
const reference = JSON.parse(execFileSync(calc, ['--lat', belfast.lat, '--lon', belfast.lon, '--sat-lon', belfast.sat, '--json',
                                                 '--date', today], { encoding: 'utf8' }));
const offsetAngle = 22.3;  // the page's default dish

// Quaternions: a turn about one of the phone's axes, and their product.
const rad = Math.PI / 180;
const turn = (axis, degrees) => {
  const h = (degrees * rad) / 2;
  return { x: axis === 'x' ? Math.sin(h) : 0, y: axis === 'y' ? Math.sin(h) : 0, z: axis === 'z' ? Math.sin(h) : 0, w: Math.cos(h) };
};
const times = (a, b) => ({
  x: a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
  y: a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
  z: a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w,
  w: a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z,
});
// A phone whose top (lying flat) or back camera (standing) faces this
// magnetic heading, tipped back from flat by beta (90: standing upright).
const phone = (magneticHeading, beta) => times(turn('z', -magneticHeading), turn('x', beta));

const server = await serveSite(site);
const origin = `http://127.0.0.1:${server.address().port}`;
const hash = `#lat=${belfast.lat}&lon=${belfast.lon}&sat=${belfast.sat}`;

async function openPage(options, scheme = 'light', sensor = true, at = hash) {
  const browser = await launchBrowser({
    viewport: { width: 360, height: 740 },
    timezoneId: 'Europe/London',
    locale: 'en-GB',
    colorScheme: scheme,
    ...options,
  });
  const page = browser.context.pages()[0] || (await browser.context.newPage());
  const errors = [];
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  page.on('pageerror', (error) => errors.push(error.message));
  const session = await browser.context.newCDPSession(page);
  if (sensor) await session.send('Emulation.setSensorOverrideEnabled', { enabled: true, type: 'absolute-orientation', metadata: { available: true } });
  await browser.context.clock.setFixedTime(new Date(today));
  await page.goto(`${origin}/${at}`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  const orient = (quaternion) => session.send('Emulation.setSensorOverrideReadings',
                                              { type: 'absolute-orientation', reading: { quaternion } });
  return { ...browser, page, errors, orient };
}

// Chromium rounds an orientation sensor's rotation to a tenth of a degree
// (services/device/generic_sensor/platform_sensor_util.h): the page's
// error may differ from the emulated one by that much, and its words say
// its own error.
const rounding = 0.1;
const errorOf = async (page, selector) => Number(await page.getAttribute(selector, 'data-error'));

// Polls from node: the page's text until it is what is wanted, or the bound passes.
async function waitForText(page, selector, predicate, bound = 10000) {
  const until = Date.now() + bound;
  let text = '';
  while (Date.now() < until) {
    text = await page.textContent(selector);
    if (predicate(text)) return text;
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  return text;
}

const granted = { permissions: ['accelerometer', 'gyroscope', 'magnetometer', 'camera'],
                  args: ['--use-fake-device-for-media-stream', '--use-fake-ui-for-media-stream'] };

async function shoot(page, name) {
  if (!shots) return;
  fs.mkdirSync(shots, { recursive: true });
  // What the phone shows with the pointing section scrolled to the top.
  await page.evaluate(() => document.getElementById('point').scrollIntoView());
  await page.screenshot({ path: path.join(shots, `${name}.png`), fullPage: false });
}

try {
  const { page, errors, orient, close, context } = await openPage(granted);
  const declination = reference.declination;
  const azimuth = reference.azimuth;
  const elevation = reference.elevation;

  // Before the sensors start, the figures stand and the button waits for a tap, nothing said in red.
  check(await page.isVisible('#start-sensors') && (await page.isHidden('#point-status')), 'the sensors wait for a tap');
  await page.click('#start-sensors');

  // Compass: 20 degrees left of the true azimuth, as a magnetic heading.
  await page.click('#tab-compass');
  await orient(phone(azimuth - 20 - declination, 0));
  const turnText = await waitForText(page, '#turn-advice', (t) => t === 'turn right 20');
  const turnError = await errorOf(page, '#turn-advice');
  check(turnText === 'turn right 20' && Math.abs(turnError - 20) <= rounding,
        `20 degrees left of ${azimuth.toFixed(2)} true (declination ${declination.toFixed(2)}): "${turnText}" (${turnError})`);
  check((await page.textContent('#compass-view')).includes('A metal dish or a car throws'), 'the compass view warns of metal');
  check((await page.textContent('#compass-note')).includes('no accuracy'), 'no accuracy given, said');
  await shoot(page, 'point-compass-light');

  // Tilt, on the back plate: the face 2.3 under what it should be.
  await page.click('#tab-tilt');
  const face = elevation - offsetAngle;
  await orient(phone(azimuth - declination, 90 + face - 2.3));
  const tiltText = await waitForText(page, '#tilt-advice', (t) => /^raise 2\.[234]$/.test(t));
  const tiltError = await errorOf(page, '#tilt-advice');
  check(tiltText === `raise ${tiltError.toFixed(1)}` && Math.abs(tiltError - 2.3) <= rounding,
        `a face 2.3 under ${face.toFixed(2)}: "${tiltText}" (${tiltError})`);
  check(await page.isHidden('#aligned'), 'not aligned 2.3 off');
  check((await page.textContent('#tilt-skew')) === `Then the LNB: ${reference.words.skew}.`,
        `the skew in the report's words, to a tenth: ${await page.textContent('#tilt-skew')}`);

  // The drawing of the phone on the dish's back, the hollow towards the satellite.
  // (A dish's curve M start Q control end: its hollow is away from its control point.)
  const drawing = (id) => page.evaluate((wrapper) => {
    const box = document.getElementById(wrapper);
    const dish = box?.querySelector('.dish')?.getAttribute('d').match(/-?[0-9.]+/g).map(Number);
    const beam = box?.querySelector('.beam');
    if (!dish || !beam) return { shown: Boolean(box && box.getBoundingClientRect().height > 0), facing: false };
    const middle = [(dish[0] + dish[4]) / 2, (dish[1] + dish[5]) / 2];
    const bulge = [dish[2] - middle[0], dish[3] - middle[1]];
    const toSatellite = [Number(beam.getAttribute('x1')) - middle[0], Number(beam.getAttribute('y1')) - middle[1]];
    return { shown: box.getBoundingClientRect().height > 0, facing: bulge[0] * toSatellite[0] + bulge[1] * toSatellite[1] < 0 };
  }, id);
  const plateDrawing = await drawing('tilt-drawing-plate');
  check(plateDrawing.shown && plateDrawing.facing && !(await drawing('tilt-drawing-arm')).shown,
        `on the back plate its drawing alone, the dish facing the satellite: ${JSON.stringify(plateDrawing)}`);

  // Along the feed arm: the elevation less twice the offset; its drawing, the other gone.
  await page.check('input[name="tilt-mode"][value="arm"]');
  const armDrawing = await drawing('tilt-drawing-arm');
  check(armDrawing.shown && armDrawing.facing && !(await drawing('tilt-drawing-plate')).shown,
        `along the feed arm its drawing alone, the dish facing the satellite: ${JSON.stringify(armDrawing)}`);
  await orient(phone(azimuth - declination, elevation - 2 * offsetAngle + 0.4));
  const armText = await waitForText(page, '#tilt-advice', (t) => /^lower 0\.[345]$/.test(t));
  const armError = await errorOf(page, '#tilt-advice');
  check(armText === `lower ${Math.abs(armError).toFixed(1)}` && Math.abs(armError + 0.4) <= rounding,
        `the arm 0.4 over ${(elevation - 2 * offsetAngle).toFixed(2)}: "${armText}" (${armError})`);
  await shoot(page, 'point-tilt-arm-light');

  // A phone clamped still sends nothing more (Chromium sends a change of a
  // tenth of a degree only): its advice stands as long as the sensor does.
  await new Promise((resolve) => setTimeout(resolve, 31000));
  const still = await page.textContent('#tilt-advice');
  check(still === armText && (await page.isHidden('#point-status')),
        `31 s without a new reading, the advice stands: "${still}"${await page.isVisible('#point-status') ? ` ("${await page.textContent('#point-status')}")` : ''}`);
  await page.check('input[name="tilt-mode"][value="plate"]');

  // Within the beam (0.6 m at 12 GHz: +-1.46): aligned; the tone after a tap.
  await orient(phone(azimuth - declination + 40, 90 + face + 1.0));
  await page.waitForSelector('#aligned', { state: 'visible', timeout: 10000 }).catch(() => {});
  check(await page.isVisible('#aligned'), 'within the beam in tilt (the compass untrusted): aligned');
  check((await page.getAttribute('body', 'data-tone')) !== 'on', 'no tone before sound is turned on');
  await page.click('#sound');
  await page.waitForFunction(() => document.body.dataset.audio === 'running', null, { timeout: 10000 }).catch(() => {});
  check((await page.evaluate(() => document.body.dataset.audio)) === 'running', 'the AudioContext runs after the tap');
  check((await page.getAttribute('body', 'data-tone')) === 'on', 'the tone sounds while aligned');
  await shoot(page, 'point-tilt-light');

  // A sighting of the sun corrects the compass: then the heading counts too.
  await page.click('#tab-compass');
  const sun = await page.evaluate(async () => {
    const engine = await import('./engine.js');
    const t = Date.now() / 1000;
    return engine.sky(`lat=54.597N&lon=5.930W&sat=19.2E&time=${t}&day_start=${t}&day_end=${t + 1}`).sun;
  });
  // The compass reads 6 degrees too far east of the sun.
  await orient(phone(sun[0] - declination + 6, 0));
  await page.waitForFunction(() => !document.getElementById('sight-sun').disabled, null, { timeout: 10000 }).catch(() => {});
  await page.click('#sight-sun');
  const correction = await page.textContent('#correction');
  check(correction === 'Compass corrected by \u22126.0\u00B0.', `the sun's sighting: "${correction}"`);
  await page.click('#forget-correction');
  // A landmark's bearing typed with a decimal comma, as a phone's keypad may offer it.
  await orient(phone(212.5 - declination - 4, 0));
  await page.fill('#landmark', '212,5');
  await page.fill('#landmark-elevation', '0,0');
  await page.click('#sight-landmark');
  const byLandmark = await page.textContent('#correction');
  check(/^Compass corrected by \+4\.[0-9]\u00B0\.$/.test(byLandmark) && Math.abs(Number(byLandmark.slice(22, 25)) - 4) <= rounding,
        `a landmark at 212,5: "${byLandmark}"`);
  if (await page.isVisible('#forget-correction')) await page.click('#forget-correction');
  await orient(phone(sun[0] - declination + 6, 0));
  await page.click('#sight-sun');
  await orient(phone(azimuth - declination + 6 - 0.5, 90 + face));
  const corrected = await waitForText(page, '#turn-advice', (t) => t.startsWith('hold'));
  check(corrected === 'hold: on the azimuth', `corrected, half a degree off: "${corrected}"`);
  check(await page.isVisible('#aligned'), 'aligned in tilt and heading once corrected');
  await orient(phone(azimuth - declination + 6 - 3, 90 + face));
  await page.waitForSelector('#aligned', { state: 'hidden', timeout: 10000 }).catch(() => {});
  check(await page.isHidden('#aligned'), 'not aligned 3 degrees off in heading once the compass is trusted');
  await page.click('#forget-correction');

  // The camera: a tap on the sun calibrates; the satellite is drawn where the attitude puts it.
  await page.click('#tab-look');
  await page.waitForFunction(() => document.getElementById('camera').readyState >= 2, null, { timeout: 15000 }).catch(() => {});
  check(await page.evaluate(() => document.getElementById('camera').videoWidth > 0), 'the fake camera shows in the view');
  const box = await page.locator('#overlay').boundingBox();
  const [w, h] = [box.width, box.height];
  // A level camera facing 10 degrees west of the sun, by a compass 3 degrees off to the west.
  const cameraAzimuth = sun[0] - 10;
  await orient(phone(cameraAzimuth - declination - 3, 90));
  await new Promise((resolve) => setTimeout(resolve, 300));
  const focal = w / 2 / Math.tan(30 * rad);  // the true lens, 60 degrees across
  const ahead = (a, e) => [Math.cos(e * rad) * Math.sin(a * rad), Math.cos(e * rad) * Math.cos(a * rad), Math.sin(e * rad)];
  // Level camera at azimuth c: right = (cos c, -sin c, 0), forward = (sin c, cos c, 0), up = (0, 0, 1).
  const pixelOf = (c, pitch, a, e) => {
    const v = ahead(a, e);
    const right = [Math.cos(c * rad), -Math.sin(c * rad), 0];
    const forward = ahead(c, pitch);
    const up = [-Math.sin(pitch * rad) * Math.sin(c * rad), -Math.sin(pitch * rad) * Math.cos(c * rad), Math.cos(pitch * rad)];
    const d = v.reduce((s, x, i) => s + x * forward[i], 0);
    return [w / 2 + (focal * v.reduce((s, x, i) => s + x * right[i], 0)) / d, h / 2 - (focal * v.reduce((s, x, i) => s + x * up[i], 0)) / d];
  };
  const sunPixel = pixelOf(cameraAzimuth, 0, sun[0], sun[1]);
  await page.mouse.click(box.x + sunPixel[0], box.y + sunPixel[1]);
  // A tap lands on a whole pixel (0.2 degree at this size) and the sensor is rounded to 0.1.
  const calibration = await page.textContent('#look-calibration');
  const fieldOfView = Number(/field of view of ([0-9]+)/.exec(calibration)?.[1]);
  check(calibration.startsWith('Calibrated') && Math.abs(fieldOfView - 60) <= 1.5,
        `a tap on the sun at ${sunPixel.map((x) => x.toFixed(0))}: "${calibration}"`);
  // At noon the sun stands on the hour's mark: its label goes where the hour's is not.
  const labels = await page.evaluate(async () => (await import('./look.js')).lookStats);
  const overlaps = (a, b) => a[0] < b[0] + b[2] && b[0] < a[0] + a[2] && a[1] - a[3] < b[1] && b[1] - b[3] < a[1];
  check(labels.sunLabel && labels.hourLabels.length > 0 && !labels.hourLabels.some((box) => overlaps(labels.sunLabel, box)),
        `the sun's label over no hour's label: ${JSON.stringify(labels.sunLabel)} among ${labels.hourLabels?.length} hours`);
  const pictureCorrection = Number(/by ([+\u2212][0-9.]+)/.exec(await page.textContent('#correction'))?.[1].replace('\u2212', '-'));
  check(Math.abs(pictureCorrection - 3) <= 0.5, `the compass corrected from the picture: ${await page.textContent('#correction')}`);
  // Now the camera 5 degrees east of the satellite, raised to its elevation.
  await orient(phone(azimuth + 5 - declination - 3, 90 + elevation));
  await new Promise((resolve) => setTimeout(resolve, 400));
  const expected = pixelOf(azimuth + 5, elevation, azimuth, elevation);
  const colours = await page.evaluate(([x, y, mx]) => {
    const canvas = document.getElementById('overlay');
    const scale = canvas.width / canvas.getBoundingClientRect().width;
    const at = (px, py) => Array.from(canvas.getContext('2d').getImageData(Math.round(px * scale), Math.round(py * scale), 1, 1).data);
    return { marker: at(x, y), mirrored: at(mx, y) };
  }, [expected[0], expected[1], w - expected[0]]);
  const magenta = ([r, g, b, a]) => r > 200 && g < 80 && b > 200 && a > 200;
  check(magenta(colours.marker) && !magenta(colours.mirrored),
        `the satellite's marker at ${expected.map((x) => x.toFixed(0))} (${colours.marker}), not mirrored (${colours.mirrored})`);
  // Obstacles marked by taps: two treetops above the satellite block it; below it, clear.
  await page.click('#mark-obstacles');
  // Clicking the button may have scrolled the page: the picture's box anew for each tap.
  const tapAt = async (dx, dy) => {
    await page.locator('#overlay').scrollIntoViewIfNeeded();
    const now = await page.locator('#overlay').boundingBox();
    await page.mouse.click(now.x + expected[0] + dx, now.y + expected[1] + dy);
  };
  await tapAt(-25, -30);
  await tapAt(25, -30);
  const blocked = await waitForText(page, '#line-of-sight', (t) => t.startsWith('Blocked'));
  check(blocked.startsWith('Blocked: your marks reach'), `marks above the satellite: "${blocked}"`);
  await shoot(page, 'point-look-light');
  await page.click('#clear-marks');
  await tapAt(-25, 40);
  await tapAt(25, 40);
  const clear = await waitForText(page, '#line-of-sight', (t) => t.startsWith('Clear'));
  check(clear.startsWith('Clear above your marks'), `marks below the satellite: "${clear}"`);
  await page.click('#mark-obstacles');
  check(errors.length === 0, `no console errors ${JSON.stringify(errors)}`);

  // Landscape and dark.
  await page.setViewportSize({ width: 740, height: 360 });
  await page.click('#tab-tilt');
  await shoot(page, 'point-tilt-landscape-light');
  await page.click('#tab-compass');
  // Turned to landscape (the screen's angle 90: the phone's right edge is the
  // screen's top): the heading is the screen's top, not the phone's.
  if (await page.isVisible('#forget-correction')) await page.click('#forget-correction');
  const metrics = await context.newCDPSession(page);
  await metrics.send('Emulation.setDeviceMetricsOverride',
                 { width: 740, height: 360, deviceScaleFactor: 1, mobile: true, screenOrientation: { type: 'landscapePrimary', angle: 90 } });
  await orient(phone(azimuth - declination - 90, 0));
  const landscape = await waitForText(page, '#turn-advice', (t) => t === 'hold: on the azimuth');
  check(landscape === 'hold: on the azimuth' && (await page.evaluate(() => screen.orientation.angle)) === 90,
        `landscape, the screen's top on the azimuth: "${landscape}"`);
  await shoot(page, 'point-compass-landscape-light');
  await close();

  for (const scheme of ['dark']) {
    const dark = await openPage(granted, scheme);
    await dark.page.click('#start-sensors');
    await dark.orient(phone(azimuth - declination, 90 + face - 2.3));
    await waitForText(dark.page, '#tilt-advice', (t) => t.startsWith('raise'));
    await shoot(dark.page, `point-tilt-${scheme}`);
    await dark.page.click('#tab-compass');
    await dark.orient(phone(azimuth - declination - 12, 0));
    await waitForText(dark.page, '#turn-advice', (t) => t.startsWith('turn'));
    await shoot(dark.page, `point-compass-${scheme}`);
    await dark.page.click('#tab-look');
    await new Promise((resolve) => setTimeout(resolve, 800));
    await shoot(dark.page, `point-look-${scheme}`);
    await dark.page.setViewportSize({ width: 740, height: 360 });
    await shoot(dark.page, `point-look-landscape-${scheme}`);
    await dark.close();
  }

  // Refused: the sensors and the camera each say so; the figures stay.
  const refused = await openPage({ permissions: [], args: ['--use-fake-device-for-media-stream'] });
  const cdp = await refused.context.newCDPSession(refused.page);
  for (const name of ['accelerometer', 'gyroscope', 'magnetometer', 'camera'])
    await cdp.send('Browser.setPermission', { permission: { name }, setting: 'denied', origin });
  await refused.page.reload();
  await refused.page.waitForSelector('body[data-ready="true"]', { timeout: 30000 });
  await refused.page.click('#start-sensors');
  const refusedText = await waitForText(refused.page, '#point-status', (t) => t.includes('refused'));
  check(refusedText.includes('Motion sensors were refused'), `refused sensors: "${refusedText}"`);
  check(await refused.page.isVisible('#azimuth'), 'the figures stay when the sensors are refused');
  const retry = await refused.page.$eval('#start-sensors', (button) => (button.hidden ? '' : button.textContent)).catch(() => '');
  check(retry === 'Try the sensors again', `a way back after the refusal: "${retry}"`);
  await refused.page.click('#tab-look');
  const cameraText = await waitForText(refused.page, '#look-status', (t) => t.includes('camera'));
  check(cameraText.includes('The camera was refused'), `refused camera: "${cameraText}"`);
  await shoot(refused.page, 'point-refused-light');
  // Allowed in the site's settings, then tried again: the sensors answer.
  for (const name of ['accelerometer', 'gyroscope', 'magnetometer'])
    await cdp.send('Browser.setPermission', { permission: { name }, setting: 'granted', origin });
  await refused.page.click('#tab-tilt');
  if (retry) await refused.page.click('#start-sensors');
  await refused.orient(phone(azimuth - declination, 90 + face - 2.3));
  const retried = await waitForText(refused.page, '#tilt-advice', (t) => t.startsWith('raise'));
  check(retried.startsWith('raise 2.') && (await refused.page.isHidden('#point-status')), `tried again once allowed: "${retried}"`);
  await refused.close();

  // A computer without motion sensors: said, and the figures stay.
  const desktop = await openPage(granted, 'light', false);
  await desktop.page.click('#start-sensors');
  const none = await waitForText(desktop.page, '#point-status', (t) => t.startsWith('No motion sensor'));
  check(none.startsWith('No motion sensor answers (a desktop browser?)'), `no sensors: "${none}"`);
  check((await desktop.page.textContent('#tilt-advice')) === '\u2013', 'no advice without a reading');
  // Near the magnetic pole the engine's warning leads the compass view (81N 110W: 1923 nT).
  await desktop.page.evaluate(() => { location.hash = '#lat=81N&lon=110W&sat=100W'; });
  const weak = await waitForText(desktop.page, '#compass-note', (t) => t.includes('unreliable'));
  check(weak.startsWith('Under 2000 nT a compass is unreliable here; aim by the sun or a landmark.'), `weak field: "${weak}"`);
  await desktop.close();

  // A sun 70 degrees high (2.6 S, 2.2 W at noon in December): a tap on it
  // calibrates too, the camera tipped up towards it, the compass 3 degrees off.
  const high = await openPage(granted, 'light', true, '#lat=2.6S&lon=2.2W&sat=19.2E');
  await high.page.click('#start-sensors');
  const highSun = await high.page.evaluate(async () => {
    const engine = await import('./engine.js');
    const t = Date.now() / 1000;
    return engine.sky(`lat=2.6S&lon=2.2W&sat=19.2E&time=${t}&day_start=${t}&day_end=${t + 1}`).sun;
  });
  const highDeclination = Number(await high.page.evaluate(async () => {
    const engine = await import('./engine.js');
    return engine.figures(`lat=2.6S&lon=2.2W&sat=19.2E&time=${Date.now() / 1000}`).declination;
  }));
  await high.page.click('#tab-look');
  await high.page.waitForFunction(() => document.getElementById('camera').readyState >= 2, null, { timeout: 15000 }).catch(() => {});
  const pitch = highSun[1] - 12;  // the sun a little above the picture's middle
  await high.orient(phone(highSun[0] - highDeclination - 3, 90 + pitch));
  await new Promise((resolve) => setTimeout(resolve, 400));
  await high.page.locator('#overlay').scrollIntoViewIfNeeded();
  const lookBox = await high.page.locator('#overlay').boundingBox();
  const lens = lookBox.width / 2 / Math.tan(30 * rad);
  const d = ahead(highSun[0], highSun[1]);
  const forward = ahead(highSun[0], pitch);
  const right = [Math.cos(highSun[0] * rad), -Math.sin(highSun[0] * rad), 0];
  const up = [-Math.sin(pitch * rad) * Math.sin(highSun[0] * rad), -Math.sin(pitch * rad) * Math.cos(highSun[0] * rad), Math.cos(pitch * rad)];
  const dotOf = (a, b) => a.reduce((sum, x, i) => sum + x * b[i], 0);
  const depth = dotOf(d, forward);
  await high.page.mouse.click(lookBox.x + lookBox.width / 2 + (lens * dotOf(d, right)) / depth,
                              lookBox.y + lookBox.height / 2 - (lens * dotOf(d, up)) / depth);
  const highCalibration = await high.page.textContent('#look-calibration');
  const highField = Number(/field of view of ([0-9]+)/.exec(highCalibration)?.[1]);
  const highCorrection = Number(/by ([+\u2212][0-9.]+)/.exec(await high.page.textContent('#correction'))?.[1].replace('\u2212', '-'));
  check(highSun[1] > 69 && highSun[1] < 71 && highCalibration.startsWith('Calibrated') && Math.abs(highField - 60) <= 2 &&
        Math.abs(highCorrection - 3) <= 0.5,
        `a tap on a sun ${highSun[1].toFixed(1)} degrees high: "${highCalibration}", ${await high.page.textContent('#correction')}` +
        `${await high.page.isVisible('#look-status') ? ` ("${await high.page.textContent('#look-status')}")` : ''}`);
  await high.close();
} finally {
  server.close();
}

console.log(checks.failures === 0 ? 'point test: passed' : `point test: ${checks.failures} failed`);
process.exit(checks.failures === 0 ? 0 : 1);
