// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The arithmetic of pointing with the phone, apart from any browser: the
// phone's attitude as a rotation from its own axes (x right, y top, z out of
// the screen) to the Earth's east, north and up; headings, tilts and the
// camera's picture from it; the dish's beamwidth; the words of the advice.
// Angles in degrees; azimuths clockwise from north.

const rad = Math.PI / 180;
const deg = 180 / Math.PI;

// Columns: where the phone's right, top and out-of-screen axes point, as
// [east, north, up].
export function matrixFromQuaternion([x, y, z, w]) {
  return [
    [1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)],
    [2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)],
    [2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)],
  ];
}

// deviceorientation's alpha, beta, gamma: intrinsic rotations about z, x', y''
// (W3C DeviceOrientation Event, section 4.1): R = Rz(alpha) Rx(beta) Ry(gamma).
export function matrixFromEuler(alpha, beta, gamma) {
  const [ca, sa] = [Math.cos(alpha * rad), Math.sin(alpha * rad)];
  const [cb, sb] = [Math.cos(beta * rad), Math.sin(beta * rad)];
  const [cg, sg] = [Math.cos(gamma * rad), Math.sin(gamma * rad)];
  return [
    [ca * cg - sa * sb * sg, -sa * cb, ca * sg + sa * sb * cg],
    [sa * cg + ca * sb * sg, ca * cb, sa * sg - ca * sb * cg],
    [-cb * sg, sb, cb * cg],
  ];
}

const column = (m, i) => [m[0][i], m[1][i], m[2][i]];
const dot = (a, b) => a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
const scale = (a, k) => [a[0] * k, a[1] * k, a[2] * k];
const add = (a, b) => [a[0] + b[0], a[1] + b[1], a[2] + b[2]];
const norm = (a) => scale(a, 1 / Math.hypot(...a));

export const axes = (m) => ({ right: column(m, 0), top: column(m, 1), out: column(m, 2) });

export const wrap360 = (angle) => ((angle % 360) + 360) % 360;
export const wrap180 = (angle) => {
  const a = wrap360(angle);
  return a > 180 ? a - 360 : a;
};

export const azimuthOf = (v) => wrap360(Math.atan2(v[0], v[1]) * deg);
export const elevationOf = (v) => Math.asin(Math.max(-1, Math.min(1, v[2] / Math.hypot(...v)))) * deg;

export function directionOf(azimuth, elevation) {
  const ce = Math.cos(elevation * rad);
  return [ce * Math.sin(azimuth * rad), ce * Math.cos(azimuth * rad), Math.sin(elevation * rad)];
}

// The screen's own top and right, on the phone's axes: screen.orientation.angle
// turns the picture against the phone (90: the phone's right edge is on top).
export function screenAxes(m, screenAngle = 0) {
  const { right, top } = axes(m);
  const [c, s] = [Math.cos(screenAngle * rad), Math.sin(screenAngle * rad)];
  return { up: add(scale(right, s), scale(top, c)), right: add(scale(right, c), scale(top, -s)) };
}

// A rotation about the vertical, clockwise seen from above: a magnetic attitude
// made true by the declination (east positive), and a correction of the user's.
export function turnedClockwise(m, degrees) {
  const [c, s] = [Math.cos(degrees * rad), Math.sin(degrees * rad)];
  const r = [[c, s, 0], [-s, c, 0], [0, 0, 1]];
  return r.map((row) => [0, 1, 2].map((j) => row[0] * m[0][j] + row[1] * m[1][j] + row[2] * m[2][j]));
}

// Where the phone points: the screen's top edge while the phone lies flat
// (more up than sideways), the back camera while it stands.
export function headingOf(m, screenAngle = 0) {
  const { out } = axes(m);
  if (Math.abs(out[2]) >= Math.SQRT1_2) return azimuthOf(screenAxes(m, screenAngle).up);
  return azimuthOf(scale(out, -1));
}

// iOS gives webkitCompassHeading for the phone's top edge: the screen's top
// is turned by the screen's angle.
export const screenHeading = (compassHeading, screenAngle = 0) => wrap360(compassHeading + screenAngle);

// How the phone measures the dish, and what it should read:
// "plate": laid flat on the back of the reflector, its screen towards the
// installer: the dish's face, which looks up by the elevation less the offset
// angle (prime focus: offset 0).
// "arm": laid along the feed arm of an offset dish, its top towards the LNB.
// The LNB looks at the reflector's centre; a paraboloid sends a ray meeting it
// there at twice the face's tilt from the axis (tan(psi/2) = x/2f, with the
// face's chord at atan(x/2f)), so the arm slopes by the elevation less twice
// the offset angle.
export function measuredTilt(m, mode) {
  const { top, out } = axes(m);
  return mode === 'arm' ? elevationOf(top) : -elevationOf(out);
}

export function tiltTarget(mode, elevation, offsetAngle) {
  return mode === 'arm' ? elevation - 2 * offsetAngle : elevation - offsetAngle;
}

// The half-power beamwidth of a dish, about 70 wavelengths over its diameter
// (in degrees; e.g. the ITU's Handbook on Satellite Communications, 2002,
// and every antenna text: 58 to 75 by the illumination).
export function beamwidth(diameterMetres, frequencyGHz) {
  const wavelength = 299792458 / (frequencyGHz * 1e9);
  return (70 * wavelength) / diameterMetres;
}

// To a tenth, as the tilt sensors give it.
const tenth = (value) => Math.abs(value).toFixed(1);
const whole = (value) => Math.abs(value).toFixed(0);

// error: the target less the reading.
export function tiltAdvice(error) {
  if (tenth(error) === '0.0') return 'hold: on the elevation';
  return error > 0 ? `raise ${tenth(error)}` : `lower ${tenth(error)}`;
}

// error: the true azimuth less the true heading, wrapped to +-180. Whole
// degrees: a phone's compass is a rough aim.
export function turnAdvice(error) {
  const e = wrap180(error);
  if (whole(e) === '0') return 'hold: on the azimuth';
  return e > 0 ? `turn right ${whole(e)}` : `turn left ${whole(e)}`;
}

// Within the half-power beam: each error at most half the beamwidth.
export const withinBeam = (error, width) => Math.abs(error) <= width / 2;

// The camera's picture: a pinhole looking out of the phone's back, its
// picture the screen's way up. focal: in pixels of the view. Null behind.
export function project(m, direction, focal, width, height, screenAngle = 0) {
  const { up, right } = screenAxes(m, screenAngle);
  const depth = -dot(axes(m).out, direction);
  if (depth <= 1e-6) return null;
  return [width / 2 + (focal * dot(right, direction)) / depth, height / 2 - (focal * dot(up, direction)) / depth];
}

// The ray through a pixel of the view, in the Earth's axes.
export function rayThrough(m, x, y, focal, width, height, screenAngle = 0) {
  const { up, right } = screenAxes(m, screenAngle);
  const back = scale(axes(m).out, -1);
  return norm(add(add(scale(back, focal), scale(right, x - width / 2)), scale(up, height / 2 - y)));
}

export const focalFromFieldOfView = (width, fieldOfView) => width / 2 / Math.tan((fieldOfView / 2) * rad);

// One tap on something of known place (the sun, a landmark) calibrates the
// view: the tilt sensors are trusted, so the height of the tap gives the
// focal length (the elevation of the ray through it must be the object's),
// and then its side gives how far the compass is off. The ray through a
// tap (dx right, dy up of the middle) at focal length f is f back + dx right
// + dy up; its sine of elevation is (a f + b) / sqrt(f^2 + c^2) with a, b the
// heights of back and of dx right + dy up, c^2 = dx^2 + dy^2, so the focal
// length solves (a^2 - s^2) f^2 + 2 a b f + b^2 - s^2 c^2 = 0 for s the
// object's sine. Two roots may fit: a ray below the zenith and one past it,
// the object seen on the other side; the one that needs the smaller
// correction of the compass is the one seen. Null where nothing fits, or
// where the tap's height tells the focal length too loosely (near the
// picture's middle row): a twentieth more or less of it moves the tap by
// less than half a degree.
export function calibrateByTap(m, x, y, width, height, known, screenAngle = 0) {
  const { up, right } = screenAxes(m, screenAngle);
  const back = scale(axes(m).out, -1);
  const [dx, dy] = [x - width / 2, height / 2 - y];
  const s = Math.sin(known.elevation * rad);
  const a = back[2];
  const b = right[2] * dx + up[2] * dy;
  const c2 = dx * dx + dy * dy;
  const [qa, qb, qc] = [a * a - s * s, 2 * a * b, b * b - s * s * c2];
  let roots;
  if (Math.abs(qa) < 1e-12) {
    roots = Math.abs(qb) < 1e-12 ? [] : [-qc / qb];
  } else {
    const discriminant = qb * qb - 4 * qa * qc;
    roots = discriminant < 0 ? [] : [(-qb - Math.sqrt(discriminant)) / (2 * qa), (-qb + Math.sqrt(discriminant)) / (2 * qa)];
  }
  const elevationAt = (focal) => elevationOf(rayThrough(m, x, y, focal, width, height, screenAngle));
  // Fields of view from about 175 to 3 degrees; the root must meet the object, not its mirror below the horizon.
  const fits = roots.filter((focal) => focal >= width / 20 && focal <= width * 20 && Math.abs(elevationAt(focal) - known.elevation) < 1e-6);
  const found = fits.map((focal) => {
    const seen = azimuthOf(rayThrough(m, x, y, focal, width, height, screenAngle));
    return { focal, headingCorrection: wrap180(known.azimuth - seen) };
  }).sort((p, q) => Math.abs(p.headingCorrection) - Math.abs(q.headingCorrection))[0];
  if (!found) return null;
  if (Math.abs(elevationAt(found.focal * 1.05) - elevationAt(found.focal / 1.05)) < 0.5) return null;
  return found;
}

// The bearing the phone sights along, for a sighting of something of known
// elevation: its top edge (the phone held flat, or tipped up towards a high
// sun) or its back camera, whichever points nearer that height.
export function sightedHeading(m, elevation, screenAngle = 0) {
  const top = screenAxes(m, screenAngle).up;
  const back = scale(axes(m).out, -1);
  const nearer = Math.abs(elevationOf(back) - elevation) < Math.abs(elevationOf(top) - elevation) ? back : top;
  return azimuthOf(nearer);
}
