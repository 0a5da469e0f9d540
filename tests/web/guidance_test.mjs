// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The arithmetic of pointing with the phone against values worked by hand:
// headings from a quaternion and from deviceorientation's angles, the
// screen's angle, the tilt on the dish's back and along the feed arm, the
// beamwidth, the words of the advice, the camera's pinhole and its
// calibration by one tap, for a sun low or high (up to 89 degrees).
//   node --test tests/web/guidance_test.mjs
import assert from 'node:assert/strict';
import test from 'node:test';

import {
  beamwidth, calibrateByTap, directionOf, focalFromFieldOfView, headingOf, matrixFromEuler, matrixFromQuaternion,
  measuredTilt, project, screenHeading, sightedHeading, tiltAdvice, tiltTarget, turnAdvice, turnedClockwise, wrap180,
} from '../../web/site/guidance.js';

const close = (actual, expected, tolerance, what) =>
  assert.ok(Math.abs(actual - expected) <= tolerance, `${what}: ${actual} against ${expected} (within ${tolerance})`);
const angleClose = (actual, expected, tolerance, what) => close(wrap180(actual - expected), 0, tolerance, what);

// Quaternions of a turn about one axis, and their product (Hamilton): the
// same rotations as deviceorientation's R = Rz(alpha) Rx(beta) Ry(gamma).
const turn = (axis, degrees) => {
  const h = (degrees * Math.PI) / 360;
  return [axis === 'x' ? Math.sin(h) : 0, axis === 'y' ? Math.sin(h) : 0, axis === 'z' ? Math.sin(h) : 0, Math.cos(h)];
};
const times = ([ax, ay, az, aw], [bx, by, bz, bw]) => [
  aw * bx + ax * bw + ay * bz - az * by,
  aw * by - ax * bz + ay * bw + az * bx,
  aw * bz + ax * by - ay * bx + az * bw,
  aw * bw - ax * bx - ay * by - az * bz,
];
const product = (a, b) => a.map((row) => [0, 1, 2].map((j) => row[0] * b[0][j] + row[1] * b[1][j] + row[2] * b[2][j]));

test('a quaternion and deviceorientation\'s angles describe the same attitude', () => {
  for (const [alpha, beta, gamma] of [[0, 0, 0], [30, 0, 0], [0, 60, 0], [0, 0, -40], [123, 47, 15], [300, 100, -80]]) {
    const q = times(times(turn('z', alpha), turn('x', beta)), turn('y', gamma));
    const a = matrixFromQuaternion(q);
    const b = matrixFromEuler(alpha, beta, gamma);
    for (let i = 0; i < 3; i++) for (let j = 0; j < 3; j++) close(a[i][j], b[i][j], 1e-12, `[${alpha}, ${beta}, ${gamma}] (${i}, ${j})`);
  }
});

test('headings: the top edge lying flat, the back camera standing, the screen\'s angle', () => {
  const cases = [
    // alpha turns counter-clockwise seen from above: alpha 90 faces west.
    { what: 'flat, alpha 0', m: matrixFromEuler(0, 0, 0), screen: 0, heading: 0 },
    { what: 'flat, alpha 90', m: matrixFromEuler(90, 0, 0), screen: 0, heading: 270 },
    { what: 'flat, alpha 30', m: matrixFromEuler(30, 0, 0), screen: 0, heading: 330 },
    { what: 'flat, landscape (the phone\'s right edge on top)', m: matrixFromEuler(0, 0, 0), screen: 90, heading: 90 },
    { what: 'flat, landscape the other way', m: matrixFromEuler(0, 0, 0), screen: 270, heading: 270 },
    { what: 'standing, camera north', m: matrixFromEuler(0, 90, 0), screen: 0, heading: 0 },
    { what: 'standing, camera east', m: matrixFromEuler(270, 90, 0), screen: 0, heading: 90 },
    { what: 'standing, tilted up 30, camera south', m: matrixFromEuler(180, 120, 0), screen: 0, heading: 180 },
    { what: 'flat, tilted 20 towards the user, alpha 45', m: matrixFromEuler(45, 20, 0), screen: 0, heading: 315 },
    { what: 'quaternion, yaw 90', m: matrixFromQuaternion(turn('z', 90)), screen: 0, heading: 270 },
  ];
  for (const c of cases) angleClose(headingOf(c.m, c.screen), c.heading, 1e-9, c.what);
  close(screenHeading(350, 90), 80, 1e-12, 'iOS heading of the top edge, landscape');
  close(screenHeading(10, 0), 10, 1e-12, 'iOS heading, portrait');
});

test('a magnetic attitude made true: the declination turns it clockwise', () => {
  // The compass says 100 (magnetic); the declination 12.5 W makes it 87.5 true.
  const magnetic = matrixFromEuler(360 - 100, 0, 0);
  angleClose(headingOf(turnedClockwise(magnetic, -12.5)), 87.5, 1e-9, 'west declination');
  angleClose(headingOf(turnedClockwise(magnetic, 13.28)), 113.28, 1e-9, 'east declination');
});

test('the tilt: the dish\'s face from its back, the feed arm along it, however the phone is turned', () => {
  const cases = [
    // On the back plate, screen to the installer: beta 90 + the face's tilt.
    { what: 'plate, face 5 back', m: matrixFromEuler(0, 95, 0), mode: 'plate', tilt: 5 },
    { what: 'plate, face upright', m: matrixFromEuler(77, 90, 0), mode: 'plate', tilt: 0 },
    { what: 'plate, face 40 back', m: matrixFromEuler(200, 130, 0), mode: 'plate', tilt: 40 },
    // Turned in the plate's own plane (about its out axis): the same face.
    { what: 'plate, face 25 back, phone turned 30 on it', m: product(matrixFromEuler(10, 115, 0), matrixFromQuaternion(turn('z', 30))), mode: 'plate', tilt: 25 },
    // Along the arm, screen up, top to the LNB: beta is the slope.
    { what: 'arm, 7 up', m: matrixFromEuler(0, 7, 0), mode: 'arm', tilt: 7 },
    { what: 'arm, 17.3 down', m: matrixFromEuler(45, -17.3, 0), mode: 'arm', tilt: -17.3 },
    { what: 'arm, 12 up, rolled 10 on the arm', m: matrixFromEuler(45, 12, 10), mode: 'arm', tilt: 12 },
  ];
  for (const c of cases) close(measuredTilt(c.m, c.mode), c.tilt, 1e-9, c.what);
  // An offset dish of 22.3 for a satellite at 27.3: its face 5 back, its arm 17.3 down.
  close(tiltTarget('plate', 27.3, 22.3), 5, 1e-12, 'offset dish, plate');
  close(tiltTarget('arm', 27.3, 22.3), -17.3, 1e-12, 'offset dish, arm');
  close(tiltTarget('plate', 27.3, 0), 27.3, 1e-12, 'prime focus, plate');
});

test('the half-power beamwidth, 70 wavelengths over the diameter', () => {
  // 12 GHz: a wavelength of 24.98 mm; 0.6 m: 70 * 0.02498 / 0.6 = 2.915 degrees.
  for (const [diameter, frequency, width] of [[0.6, 12, 2.9146], [1.2, 12, 1.4573], [0.8, 11.7, 2.2419], [2.4, 4, 2.1862]])
    close(beamwidth(diameter, frequency), width, 5e-4, `${diameter} m at ${frequency} GHz`);
});

test('the words of the advice', () => {
  const cases = [
    [tiltAdvice(2.3), 'raise 2.3'], [tiltAdvice(-0.44), 'lower 0.4'], [tiltAdvice(0.04), 'hold: on the elevation'],
    [tiltAdvice(-0.06), 'lower 0.1'], [turnAdvice(20), 'turn right 20'], [turnAdvice(-12.4), 'turn left 12'],
    [turnAdvice(350), 'turn left 10'], [turnAdvice(-190), 'turn right 170'], [turnAdvice(0.4), 'hold: on the azimuth'],
  ];
  for (const [actual, expected] of cases) assert.equal(actual, expected);
});

test('the camera\'s pinhole: a known direction on a known pixel', () => {
  const width = 640, height = 480;
  const focal = focalFromFieldOfView(width, 60);  // 320 / tan 30 = 554.256
  close(focal, 554.2563, 1e-3, 'focal length of 60 degrees across 640');
  const northStanding = matrixFromEuler(0, 90, 0);
  const cases = [
    { what: 'straight ahead', dir: [0, 0], pixel: [320, 240] },
    { what: '10 right', dir: [10, 0], pixel: [320 + focal * Math.tan((10 * Math.PI) / 180), 240] },  // 417.73
    { what: '5 up', dir: [0, 5], pixel: [320, 240 - focal * Math.tan((5 * Math.PI) / 180)] },      // 191.51
  ];
  for (const c of cases) {
    const p = project(northStanding, directionOf(...c.dir), focal, width, height);
    close(p[0], c.pixel[0], 1e-9, `${c.what}, x`);
    close(p[1], c.pixel[1], 1e-9, `${c.what}, y`);
  }
  assert.equal(project(northStanding, directionOf(180, 0), focal, width, height), null, 'behind the camera');
  // Landscape, the phone's right edge up: a direction above the middle is still drawn above it.
  const landscape = product(matrixFromEuler(0, 90, 0), matrixFromQuaternion(turn('z', 90)));
  const above = project(landscape, directionOf(0, 5), focal, width, height, 90);
  assert.ok(above && above[1] < 240 && Math.abs(above[0] - 320) < 1e-6, `landscape: ${above}`);
});

test('one tap on the sun gives the field of view and the compass\'s error', () => {
  const width = 640, height = 480;
  const focal = focalFromFieldOfView(width, 60);
  const sun = { azimuth: 7, elevation: 9 };
  // The camera really faces 4 degrees east of north, level; the compass says north.
  const really = turnedClockwise(matrixFromEuler(0, 90, 0), 4);
  const tapped = project(really, directionOf(sun.azimuth, sun.elevation), focal, width, height);
  const result = calibrateByTap(matrixFromEuler(0, 90, 0), tapped[0], tapped[1], width, height, sun);
  close(result.focal, focal, 0.05, 'focal length');
  close(result.headingCorrection, 4, 1e-3, 'compass correction');
  // On the middle row the height tells nothing: no calibration.
  assert.equal(calibrateByTap(matrixFromEuler(0, 90, 0), 400, 240, width, height, { azimuth: 7, elevation: 0 }), null);
});

// A high sun: the camera tipped up towards it, the sun a little above or
// below the middle of the picture. The search for the focal length passed
// the zenith here and refused every sun above about 60 degrees.
test('one tap on a high sun calibrates too, up to 89 degrees', () => {
  const width = 640, height = 480;
  const cases = [
    // sun elevation, camera pitch, field of view, compass error
    [30, 20, 60, 4], [60, 50, 60, -3], [70, 60, 60, 4], [70, 78, 60, 2], [80, 70, 70, -5], [85, 75, 60, 3],
    [89, 80, 60, 2], [70, 55, 100, 6],
  ];
  for (const [elevation, pitch, fieldOfView, error] of cases) {
    const focal = focalFromFieldOfView(width, fieldOfView);
    const sun = { azimuth: 200, elevation };
    // The camera really faces 200 + error, tipped up by pitch; the compass says 200.
    const really = turnedClockwise(matrixFromEuler(0, 90 + pitch, 0), 200 + error);
    const tapped = project(really, directionOf(sun.azimuth, sun.elevation), focal, width, height);
    const result = calibrateByTap(turnedClockwise(matrixFromEuler(0, 90 + pitch, 0), 200), tapped[0], tapped[1], width, height, sun);
    const what = `a sun at ${elevation}, the camera ${pitch} up, ${fieldOfView} degrees across`;
    assert.ok(result, `${what}: calibrated`);
    close(result.focal, focal, 1e-6 * focal, `${what}: focal length`);
    close(result.headingCorrection, error, 1e-6, `${what}: compass correction`);
  }
});

test('a sighting takes the phone\'s top or its back camera, whichever looks at the height of the object', () => {
  // [deviceorientation's alpha, beta, gamma, elevation sighted, heading]
  const cases = [
    [0, 0, 0, 10, 0],       // flat, its top to the north: the top edge sights
    [0, 70, 0, 70, 0],      // the top edge raised to a sun at 70 north
    [0, 160, 0, 70, 0],     // the back camera tipped up to a sun at 70 north (the top edge points south)
    [90, 90, 0, 5, 270],    // standing, camera to the west at the horizon
    [0, 120, 0, 30, 0],     // the camera raised 30 to the north
  ];
  for (const [alpha, beta, gamma, elevation, heading] of cases) {
    angleClose(sightedHeading(matrixFromEuler(alpha, beta, gamma), elevation), heading, 1e-9,
               `alpha ${alpha}, beta ${beta}, sighting at ${elevation}`);
  }
});
