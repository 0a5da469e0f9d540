// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The world's towns for the web page, from libgweather's list (Debian's
// libgweather-4-common, GPL-2+): web/data/towns.json, each town as
// [name, "state, country", latitude, longitude west positive], to 4
// decimals (11 m). Development time only:
//   node scripts/make-web-towns.mjs [/usr/share/libgweather-4/Locations.xml]
import fs from 'node:fs';
import path from 'node:path';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const source = process.argv[2] || '/usr/share/libgweather-4/Locations.xml';
const xml = fs.readFileSync(source, 'utf8');

const towns = [];
const stack = [];  // {tag, name}
// An element's own name: the first <name> or <_name> before any element it holds.
const name = (text) => {
  const own = text.slice(0, text.search(/<(country|state|city|region|location)\b/) >>> 0);
  const found = /<(_?name)(\s[^>]*)?>([^<]*)<\/\1>/.exec(own);
  return found ? found[3].replace(/&amp;/g, '&').replace(/&apos;/g, "'").replace(/&quot;/g, '"') : null;
};
const tags = /<(\/?)(country|state|city|region)\b[^>]*>/g;
for (let found; (found = tags.exec(xml)) !== null; ) {
  const [, closing, tag] = found;
  if (closing) {
    const element = stack.pop();
    if (element.tag === 'city') {
      const body = xml.slice(element.start, found.index);
      const at = /<coordinates>\s*(-?[\d.]+)\s+(-?[\d.]+)\s*<\/coordinates>/.exec(body);
      if (!at) continue;
      const latitude = Number(at[1]);
      const longitudeEast = Number(at[2]);
      if (!(Math.abs(latitude) <= 90 && Math.abs(longitudeEast) <= 180)) continue;  // one lies at -565.46: no place
      const above = stack.filter((e) => e.tag !== 'region' && e.name).map((e) => e.name).reverse().join(', ');
      towns.push([element.name, above, Number(latitude.toFixed(4)), Number((-longitudeEast).toFixed(4)) + 0]);
    }
    continue;
  }
  stack.push({ tag, name: name(xml.slice(tags.lastIndex)), start: tags.lastIndex });
}
towns.sort((a, b) => a[0].localeCompare(b[0], 'en') || a[1].localeCompare(b[1], 'en'));
const out = path.join(root, 'web/data/towns.json');
fs.writeFileSync(out, '[\n' + towns.map((t) => JSON.stringify(t)).join(',\n') + '\n]\n');
console.log(`${path.relative(root, out)}: ${towns.length} towns, ${fs.statSync(out).size} bytes`);
