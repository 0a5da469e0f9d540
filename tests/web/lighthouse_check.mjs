// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Holds the phone's page to what reviewers measure with Lighthouse (mobile,
// default throttling, served as static hosts serve it): accessibility,
// best practices and SEO at 100, performance at 90 or more, for the bare
// page and for a link with figures. Performance moves with the machine's
// load: a visit gets up to three runs to reach it; the other categories
// must hold on every run.
//   node tests/web/lighthouse_check.mjs build/web/site
import { checker } from './browser.mjs';
import { describe, measure } from './lighthouse_run.mjs';

const checks = checker();
const { check } = checks;
const enough = (result) => result.scores.performance >= 90;
for (const visit of await measure(process.argv[2], 3, enough)) {
  for (const result of visit.runs) console.log(`     ${visit.name}: ${describe(result)}`);
  const best = Math.max(...visit.runs.map((r) => r.scores.performance));
  check(best >= 90, `${visit.name}: performance ${best} (at least 90)`);
  for (const category of ['accessibility', 'best-practices', 'seo']) {
    const worst = Math.min(...visit.runs.map((r) => r.scores[category]));
    check(worst === 100, `${visit.name}: ${category} ${worst}` +
          (worst < 100 ? ` (${[...new Set(visit.runs.flatMap((r) => r.shortfalls))].join('; ')})` : ''));
  }
}
console.log(checks.failures === 0 ? 'lighthouse check: passed' : `lighthouse check: ${checks.failures} failed`);
process.exit(checks.failures === 0 ? 0 : 1);
