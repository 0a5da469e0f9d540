// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The time-zone boundaries as the engine reads them (the zone_at tool),
// held against the data they were made from, read independently: geo-tz's
// own lookup of timezone-boundary-builder's polygons at full precision.
// Every town of libgweather's list and 10,000 random places on land must get
// the same zone, but for places within 1 km of a zone's edge (the shipped
// boundaries are simplified by up to 0.001 degree).
//   node zone_boundaries_check.mjs path/to/zone_at
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../..');
const require = createRequire(path.join(root, 'package.json'));
const { find } = require('geo-tz/all');

const zoneAt = path.resolve(process.argv[2]);
const kLocations = '/usr/share/libgweather-4/Locations.xml';
const kRandomLandPlaces = 10000;
const kEdgeKm = 1;

const reference = (latitude, longitude) => {
  const zones = find(latitude, longitude);
  return zones.length > 0 && !zones[0].startsWith('Etc/') ? zones[0] : '-';
};

const wrap = (longitude) => ((((longitude + 180) % 360) + 360) % 360) - 180;

// Places kEdgeKm or less away, on circles around the place.
function near(latitude, longitude) {
  const places = [];
  for (const km of [0.25, 0.5, kEdgeKm]) {
    for (let bearing = 0; bearing < 360; bearing += 15) {
      const radians = (bearing * Math.PI) / 180;
      const dLatitude = (km / 111.32) * Math.cos(radians);
      const dLongitude = (km / (111.32 * Math.max(0.01, Math.cos((latitude * Math.PI) / 180)))) * Math.sin(radians);
      places.push([Math.max(-90, Math.min(90, latitude + dLatitude)), wrap(longitude + dLongitude)]);
    }
  }
  return places;
}

// libgweather's towns: every <city> with its coordinates.
const towns = [];
if (fs.existsSync(kLocations)) {
  const xml = fs.readFileSync(kLocations, 'utf8');
  for (const city of xml.matchAll(/<city>([\s\S]*?)<\/city>/g)) {
    const name = /<_?name[^>]*>([^<]*)</.exec(city[1]);
    const at = /<coordinates>\s*(-?[\d.]+)\s+(-?[\d.]+)\s*<\/coordinates>/.exec(city[1]);
    if (!at) continue;
    const town = { name: name ? name[1] : '?', latitude: Number(at[1]), longitude: Number(at[2]) };
    // One town of the list lies at longitude -565.46, which is no place.
    if (Math.abs(town.latitude) <= 90 && Math.abs(town.longitude) <= 180) towns.push(town);
    else console.log(`left out: ${town.name} at ${town.latitude}, ${town.longitude}, which is no place`);
  }
} else {
  console.log(`${kLocations} is missing (Debian's libgweather-4-common): the towns are left out`);
}

// Random places on land, evenly over the globe, the same every run.
let seed = 20261207;
const random = () => {
  seed = (seed * 1103515245 + 12345) % 2147483648;
  return seed / 2147483648;
};
const land = [];
while (land.length < kRandomLandPlaces) {
  const latitude = (Math.asin(2 * random() - 1) * 180) / Math.PI;
  const longitude = 360 * random() - 180;
  if (reference(latitude, longitude) !== '-') land.push({ name: 'random', latitude, longitude });
}

const places = [...towns, ...land];
const run = spawnSync(zoneAt, [], {
  input: places.map((p) => `${p.latitude} ${p.longitude}`).join('\n') + '\n',
  encoding: 'utf8',
  maxBuffer: 64 << 20,
});
if (run.status !== 0) {
  console.error(`zone_at failed: ${run.stderr}`);
  process.exit(1);
}
const ours = run.stdout.trim().split('\n');
if (ours.length !== places.length) {
  console.error(`zone_at answered ${ours.length} of ${places.length} places`);
  process.exit(1);
}

let nearAnEdge = 0;
const wrong = [];
places.forEach((place, i) => {
  const expected = reference(place.latitude, place.longitude);
  // A town out at sea (an airport on a pier, a lighthouse) is in no zone for both.
  if (ours[i] === expected) return;
  const edgeNear = near(place.latitude, place.longitude).some(([la, lo]) => reference(la, lo) !== expected);
  if (edgeNear) nearAnEdge++;
  else wrong.push(`${place.name} (${place.latitude}, ${place.longitude}): ${ours[i]}, the boundaries say ${expected}`);
});

console.log(
  `${towns.length} towns and ${land.length} random places on land: ${places.length - wrong.length - nearAnEdge} ` +
    `the same, ${nearAnEdge} within ${kEdgeKm} km of a zone's edge, ${wrong.length} wrong`,
);
for (const line of wrong.slice(0, 50)) console.log(`  ${line}`);
process.exit(wrong.length === 0 ? 0 : 1);
