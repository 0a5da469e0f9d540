// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Lighthouse's scores of the phone's page, as reviewers measure a page:
// mobile, its default throttling (slow 4G, a CPU four times slower),
// served as static hosts serve it (gzip, Last-Modified), Debian's
// Chromium. The bare page and a link with figures, each run five times:
// the median of each figure, and the largest paint's element.
//   node bench/web/lighthouse_bench.mjs build/web/site [runs]
import { categories, describe, measure, median } from '../../tests/web/lighthouse_run.mjs';

const site = process.argv[2];
const runs = Number(process.argv[3] || 5);
for (const visit of await measure(site, runs)) {
  const middle = (pick) => median(visit.runs.map(pick));
  const typical = {
    scores: Object.fromEntries(categories.map((c) => [c, middle((r) => r.scores[c])])),
    lcp: middle((r) => r.lcp), cls: middle((r) => r.cls), tbt: middle((r) => r.tbt), fcp: middle((r) => r.fcp),
    si: middle((r) => r.si),
  };
  console.log(`${visit.name} (median of ${visit.runs.length}): ${describe(typical)}`);
  console.log(`  performance ${visit.runs.map((r) => r.scores.performance).join(', ')}; the largest paint: ${visit.runs[0].lcpElement}`);
  for (const shortfall of new Set(visit.runs.flatMap((r) => r.shortfalls))) console.log(`  short of full marks: ${shortfall}`);
}
