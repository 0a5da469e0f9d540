// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The figures of the engine in WebAssembly against native azimora-calc, on
// a grid of sites and satellites: both hemispheres, the date line, the
// poles' neighbourhood, satellites below the horizon and straight overhead.
// The same code makes both JSON reports (the engine's site report): they
// must be the same text, but for what the page does not ask for (the sun's
// moments of a day, a year of outages: it asks for the next outage alone),
// and but
// where the 128-bit long double of WebAssembly and the 80-bit one of x86
// round the 15th significant digit apart, one unit in it; each such case is
// listed.
//   node engine_figures_check.mjs build/web/site path/to/azimora-calc
import { execFileSync } from 'node:child_process';
import path from 'node:path';

import { loadSiteEngine } from './load_engine.mjs';

const site = path.resolve(process.argv[2]);
const calc = path.resolve(process.argv[3]);
const engine = await loadSiteEngine(site);

const instant = Date.UTC(2026, 11, 7, 12, 0, 0) / 1000;
const iso = new Date(instant * 1000).toISOString().replace('.000Z', 'Z');
const latitudes = [-77.85, -33.87, -0.05, 0, 0.35, 23.4, 54.6, 78.2];
const longitudes = [-179.99, -151.2, -32.6, 0, 5.93, 114.08, 179.99];
const cases = [];
for (const latitude of latitudes)
  for (const longitude of longitudes)
    for (const satellite of [-19.2, 107.3, longitude]) cases.push([latitude, longitude, satellite]);

// Numbers that differ by one unit in the 15th significant digit.
const oneUnitApart = (x, y) => {
  const scale = 10 ** (Math.floor(Math.log10(Math.max(Math.abs(x), Math.abs(y), 1e-300))) - 14);
  return Math.abs(x - y) <= scale * 1.0001;
};
// The pointing is worked out in long double: the 15 digits it prints are
// the same, or one unit apart where 80 and 128 bits round a tie apart. The
// rest (the magnetic field, skew, motor, tilt, the sun) is double, through
// each platform's own maths library (glibc's, musl's), whose last bits may
// differ: within 1e-12 of the value, or 1e-10 degree near zero (a skew
// that is 0 in theory comes out as a few 1e-12 either way).
const longDouble = new Set(['azimuth', 'elevation', 'azimuth_text', 'elevation_text']);
// What the page does not ask the report for, at the top and among the words.
const notAsked = new Set(['sun_alignments', 'sun_outages', 'words.outages', 'words.sun_alignments']);
const seconds = (text) => Date.parse(text) / 1000;

function compare(native, web, where, notes, faults) {
  if (typeof native === 'object' && native !== null) {
    if (typeof web !== 'object' || web === null || Object.keys(native).length > Object.keys(web).length) {
      faults.push(`${where}: ${JSON.stringify(native)} / ${JSON.stringify(web)}`);
      return;
    }
    for (const key of Object.keys(native)) {
      const path = `${where}.${key}`;
      if (![...notAsked].some((skipped) => path.endsWith(`.${skipped}`))) compare(native[key], web[key], path, notes, faults);
    }
    return;
  }
  if (native === web) return;
  const key = where.split('.').pop();
  const numeric = (text) => typeof text === 'string' && text !== '' && Number.isFinite(Number(text));
  if (numeric(native) && numeric(web)) {
    const x = Number(native), y = Number(web);
    const close = longDouble.has(key) ? oneUnitApart(x, y) : Math.abs(x - y) <= Math.max(1e-12 * Math.abs(x), 1e-10);
    (close ? notes : faults).push(`${where}: ${native} / ${web}`);
    return;
  }
  if (typeof native === 'string' && typeof web === 'string') {
    if (longDouble.has(key) && oneUnitApart(Number(native), Number(web))) notes.push(`${where}: ${native} / ${web}`);
    else if (/^\d{4}-\d\d-\d\dT/.test(native) && Math.abs(seconds(native) - seconds(web)) <= 1) notes.push(`${where}: ${native} / ${web}`);
    else faults.push(`${where}: ${native} / ${web}`);
    return;
  }
  if (typeof native === 'number' && typeof web === 'number') {
    const close = longDouble.has(key) ? oneUnitApart(native, web) : Math.abs(native - web) <= Math.max(1e-12 * Math.abs(native), 1e-10);
    (close ? notes : faults).push(`${where}: ${native} / ${web}`);
    return;
  }
  faults.push(`${where}: ${JSON.stringify(native)} / ${JSON.stringify(web)}`);
}

let same = 0;
const apart = [];
const wrong = [];
for (const [latitude, longitude, satellite] of cases) {
  const args = ['--sat-lon', String(satellite), '--lat', String(latitude), '--lon', String(longitude), '--date', iso, '--json'];
  const label = args.slice(0, 6).join(' ');
  // The text as written, for the numbers: JSON.parse would round them to doubles alike.
  const quoteNumbers = (text) => text.replace(/(": )(-?[0-9][0-9.eE+-]*)/g, '$1"$2"').replace(/(":)(-?[0-9][0-9.eE+-]*)/g, '$1"$2"');
  const native = JSON.parse(quoteNumbers(execFileSync(calc, args, { encoding: 'utf8' }).trim()));
  const webText = engine.figuresText(`lat=${latitude}&lon=${longitude}&sat=${satellite}&time=${instant}`);
  const web = JSON.parse(quoteNumbers(webText));
  if (web.error) {
    wrong.push(`${label}: ${web.error}`);
    continue;
  }
  const notes = [], faults = [];
  compare(native, web, label, notes, faults);
  if (faults.length > 0) wrong.push(...faults);
  else if (notes.length > 0) apart.push(...notes);
  else same++;
}
const casesWith = (lines) => new Set(lines.map((line) => line.split('.')[0])).size;
console.log(`${cases.length} cases: ${same} the same text; ${casesWith(apart)} with last digits apart (listed); ` +
            `${wrong.length} figures different`);
for (const line of apart) console.log(`  apart: ${line}`);
for (const line of wrong) console.log(`  DIFFERENT: ${line}`);
process.exit(wrong.length === 0 ? 0 : 1);
