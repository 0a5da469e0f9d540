// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Writes the series of the sun's position that the engine builds in, from
// published figures as the npm package astronomia 4.2.0 carries them
// (development time only: npm ci && node scripts/make-solar-series.mjs):
//   engine/sky/data/vsop87d_earth.txt    VSOP87D for the Earth (Bretagnon and
//       Francou, 1988: heliocentric, ecliptic and equinox of date), the terms
//       whose amplitude times 0.1^k (k the power of the time, a tenth of a
//       millennium from J2000) is 1e-8 radian or more, and 1e-6 au for R
//   engine/sky/data/nutation_iau1980.txt the IAU 1980 nutation, Meeus's
//       Table 22.A (63 terms, in 0.0001")
import fs from 'node:fs';
import path from 'node:path';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const astronomia = path.join(root, 'node_modules/astronomia');
const version = JSON.parse(fs.readFileSync(path.join(astronomia, 'package.json'), 'utf8')).version;
const { default: earth } = await import(path.join(astronomia, 'data/vsop87Dearth.js'));

const kSmallest = { L: 1e-8, B: 1e-8, R: 1e-6 };
let lines = [`# VSOP87D, the Earth: series power A B C (A cos(B + C tau)), from astronomia ${version}`];
let kept = 0;
for (const series of ['L', 'B', 'R']) {
  for (const power of Object.keys(earth[series])) {
    for (const [a, b, c] of earth[series][power]) {
      if (a * 0.1 ** Number(power) < kSmallest[series]) continue;
      lines.push(`${series} ${power} ${a} ${b} ${c}`);
      kept++;
    }
  }
}
fs.writeFileSync(path.join(root, 'engine/sky/data/vsop87d_earth.txt'), lines.join('\n') + '\n');

const nutation = fs.readFileSync(path.join(astronomia, 'src/nutation.js'), 'utf8');
const table = /const table22A = \(function \(\) \{[\s\S]*?const tab = \[([\s\S]*?)\n  \]/.exec(nutation);
if (!table) throw new Error('no Table 22.A in astronomia/src/nutation.js');
const rows = [...table[1].matchAll(/\[([^\]]+)\]/g)].map((row) => row[1].split(',').map((x) => Number(x.trim())));
if (rows.length !== 63 || rows.some((row) => row.length !== 9 || row.some(Number.isNaN)))
  throw new Error(`Table 22.A should have 63 rows of 9 numbers: ${rows.length}`);
lines = [`# IAU 1980 nutation, Meeus Table 22.A: D M M' F Omega, then psi sin and its T rate, eps cos and its T rate, in 0.0001", from astronomia ${version}`];
for (const row of rows) lines.push(row.join(' '));
fs.writeFileSync(path.join(root, 'engine/sky/data/nutation_iau1980.txt'), lines.join('\n') + '\n');
console.log(`${kept} VSOP87D terms, ${rows.length} nutation terms`);
