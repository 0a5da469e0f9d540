// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Turns the time-zone boundaries of timezone-boundary-builder (ODbL), as the
// npm package geo-tz carries them (its "comprehensive" product: every IANA
// zone, at least one per country), into engine/sky/data/time-zones.dat, the
// compact file the engine reads. Development time only:
//   npm ci && node scripts/make-time-zones.mjs
//
// geo-tz keeps the boundaries as a quadtree over the world whose leaves are
// either whole zones or the zones' polygons cut to the leaf's cell. This
// keeps the tree and the cells and makes the polygons small: each ring
// simplified (Douglas-Peucker, 0.001 degree: 111 m at most) and its points
// stored as steps on a grid of the cell (a cell's width over a power of two,
// 0.0001 degree or finer), the cell's edges exactly on the grid.
//
// The file, integers as LEB128 varints, signed ones zigzag-coded:
//   "AZTZ" 1                                     magic and format
//   text                                         where the data comes from
//   count, then count texts                      the zones' IANA names
//   the tree, in preorder from the whole world
//   (top 89.9999, bottom -89.9999, left -179.9999, right 179.9999), a node:
//     0                                          sea: no zone's boundary
//     1 count zone...                            the whole cell in these zones
//     2 node node node node                      split at the middle: a b c d
//       (a north-east, b north-west, c south-west, d south-east)
//     3 length bits count shape...               polygons cut to the cell; length:
//       shape: zone rings ring...                  the bytes after it, to skip them
//       ring: points, then (dx, dy) steps from the cell's south-west corner
//   text: its length in bytes, then UTF-8.
import fs from 'node:fs';
import path from 'node:path';
import Pbf from 'pbf';
import geobuf from 'geobuf';

const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), '..');
const geoTzFolder = path.join(root, 'node_modules/geo-tz');
const geoTzVersion = JSON.parse(fs.readFileSync(path.join(geoTzFolder, 'package.json'), 'utf8')).version;
const index = JSON.parse(fs.readFileSync(path.join(geoTzFolder, 'data/timezones.geojson.index.json'), 'utf8'));
const features = fs.readFileSync(path.join(geoTzFolder, 'data/timezones.geojson.geo.dat'));
const output = path.join(root, 'engine/sky/data/time-zones.dat');

const kSimplifyDegrees = 0.001;
const kGridDegrees = 0.0001;

const bytes = [];
function varint(value) {
  if (!Number.isInteger(value) || value < 0) throw new Error(`not a count: ${value}`);
  do {
    let byte = value % 128;
    value = Math.floor(value / 128);
    if (value > 0) byte += 128;
    bytes.push(byte);
  } while (value > 0);
}
const zigzag = (value) => varint(value < 0 ? -2 * value - 1 : 2 * value);
function text(value) {
  const utf8 = Buffer.from(value, 'utf8');
  varint(utf8.length);
  for (const byte of utf8) bytes.push(byte);
}

// Douglas-Peucker on a closed ring: the point farthest from the first splits
// it in two open chains.
function simplify(ring, tolerance) {
  if (ring.length <= 4) return ring;
  const keep = new Uint8Array(ring.length);
  keep[0] = keep[ring.length - 1] = 1;
  let far = 0;
  let farthest = -1;
  for (let i = 1; i < ring.length - 1; i++) {
    const d = (ring[i][0] - ring[0][0]) ** 2 + (ring[i][1] - ring[0][1]) ** 2;
    if (d > farthest) [farthest, far] = [d, i];
  }
  keep[far] = 1;
  const chains = [[0, far], [far, ring.length - 1]];
  while (chains.length > 0) {
    const [a, b] = chains.pop();
    if (b <= a + 1) continue;
    const [x1, y1] = ring[a];
    const [dx, dy] = [ring[b][0] - x1, ring[b][1] - y1];
    const length2 = dx * dx + dy * dy;
    let worst = -1;
    let worstDistance = -1;
    for (let i = a + 1; i < b; i++) {
      const [x, y] = ring[i];
      const t = length2 === 0 ? 0 : Math.max(0, Math.min(1, ((x - x1) * dx + (y - y1) * dy) / length2));
      const d = (x1 + t * dx - x) ** 2 + (y1 + t * dy - y) ** 2;
      if (d > worstDistance) [worstDistance, worst] = [d, i];
    }
    if (worstDistance > tolerance * tolerance) {
      keep[worst] = 1;
      chains.push([a, worst], [worst, b]);
    }
  }
  return ring.filter((_, i) => keep[i]);
}

const counts = { sea: 0, whole: 0, cut: 0, rings: 0, points: 0, droppedRings: 0 };

function writeShapes(leaf, cell) {
  const collection = geobuf.decode(new Pbf(features.subarray(leaf.pos, leaf.pos + leaf.len)));
  const width = cell.right - cell.left;
  const height = cell.top - cell.bottom;
  const bits = Math.ceil(Math.log2(Math.max(width, height) / kGridDegrees));
  const steps = 2 ** bits;
  const shapes = [];
  for (const feature of collection.features) {
    const zone = index.timezones.indexOf(feature.properties.tzid);
    if (zone < 0) throw new Error(`unknown zone ${feature.properties.tzid}`);
    const polygons = feature.geometry.type === 'Polygon' ? [feature.geometry.coordinates] : feature.geometry.coordinates;
    const rings = [];
    for (const polygon of polygons) {
      for (const ring of polygon) {
        const grid = [];
        for (const [lon, lat] of simplify(ring, kSimplifyDegrees)) {
          const x = Math.min(steps, Math.max(0, Math.round(((lon - cell.left) / width) * steps)));
          const y = Math.min(steps, Math.max(0, Math.round(((lat - cell.bottom) / height) * steps)));
          const last = grid[grid.length - 1];
          if (!last || last[0] !== x || last[1] !== y) grid.push([x, y]);
        }
        // A ring of fewer than three corners encloses nothing.
        if (grid.length < 4) {
          counts.droppedRings++;
          continue;
        }
        rings.push(grid);
      }
    }
    if (rings.length > 0) shapes.push({ zone, rings });
  }
  if (shapes.length === 0) {
    bytes.push(0);
    counts.sea++;
    return;
  }
  bytes.push(3);
  const lengthAt = bytes.length;
  varint(bits);
  varint(shapes.length);
  for (const { zone, rings } of shapes) {
    varint(zone);
    varint(rings.length);
    for (const ring of rings) {
      counts.rings++;
      counts.points += ring.length;
      varint(ring.length);
      let [px, py] = [0, 0];
      for (const [x, y] of ring) {
        zigzag(x - px);
        zigzag(y - py);
        [px, py] = [x, y];
      }
    }
  }
  // The payload's length goes before it.
  const payload = bytes.splice(lengthAt);
  varint(payload.length);
  for (const byte of payload) bytes.push(byte);
  counts.cut++;
}

// The cells as geo-tz divides them, to the last bit of the doubles.
function writeNode(node, cell) {
  if (node === undefined || (Array.isArray(node) && node.length === 0)) {
    bytes.push(0);
    counts.sea++;
  } else if (Array.isArray(node)) {
    bytes.push(1);
    varint(node.length);
    for (const zone of node) varint(zone);
    counts.whole++;
  } else if (node.pos !== undefined) {
    writeShapes(node, cell);
  } else {
    bytes.push(2);
    const { top, bottom, left, right } = cell;
    const midLat = (top + bottom) / 2;
    const midLon = (left + right) / 2;
    writeNode(node.a, { top, bottom: midLat, left: midLon, right });
    writeNode(node.b, { top, bottom: midLat, left, right: midLon });
    writeNode(node.c, { top: midLat, bottom, left, right: midLon });
    writeNode(node.d, { top: midLat, bottom, left: midLon, right });
  }
}

for (const letter of 'AZTZ') bytes.push(letter.charCodeAt(0));
bytes.push(1);
text(`timezone-boundary-builder (ODbL 1.0), as carried by the npm package geo-tz ${geoTzVersion}`);
varint(index.timezones.length);
for (const zone of index.timezones) text(zone);
writeNode(index.lookup, { top: 89.9999, bottom: -89.9999, left: -179.9999, right: 179.9999 });

fs.writeFileSync(output, Buffer.from(bytes));
console.log(
  `${path.relative(root, output)}: ${bytes.length} bytes, ${index.timezones.length} zones, ` +
    `${counts.whole} whole cells, ${counts.cut} cut cells, ${counts.sea} at sea, ` +
    `${counts.rings} rings of ${counts.points} points (${counts.droppedRings} too small to keep)`,
);
