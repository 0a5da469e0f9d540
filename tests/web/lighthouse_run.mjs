// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Lighthouse (npm, as package-lock.json pins it) on the built page, served
// as static hosts serve it (gzip, Last-Modified only), in Debian's
// Chromium: its mobile defaults (a mid-range phone on slow 4G, simulated),
// a fresh profile each time (nothing kept, no service worker). What the
// benchmark and the test command's check share.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import * as chromeLauncher from 'chrome-launcher';
import lighthouse from 'lighthouse';

import { serveSite } from './browser.mjs';

export const categories = ['performance', 'accessibility', 'best-practices', 'seo'];

// The two ways in: a bare visit, and a link with a site and a satellite.
export const visits = [
  { name: 'bare page', hash: '' },
  { name: 'link with figures', hash: '#lat=54.597N&lon=5.93W&sat=19.2E&dish=0.8' },
];

// One run: each category's score (0-100), the metrics that weigh most, and
// the audits that fell short.
async function runOnce(url) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'azimora-lighthouse-'));
  const chrome = await chromeLauncher.launch({
    chromePath: process.env.CHROME_PATH || '/usr/bin/chromium',
    chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
                  '--disable-component-update', '--disable-sync'],
    userDataDir: profile,
  });
  try {
    const result = await lighthouse(url, { port: chrome.port, output: 'json', logLevel: 'error', onlyCategories: categories });
    const { lhr } = result;
    const numeric = (id) => lhr.audits[id]?.numericValue;
    const scores = Object.fromEntries(categories.map((c) => [c, Math.round((lhr.categories[c].score ?? 0) * 100)]));
    const shortfalls = [];
    for (const category of categories.slice(1)) {
      for (const ref of lhr.categories[category].auditRefs) {
        const audit = lhr.audits[ref.id];
        if (ref.weight > 0 && audit.score !== null && audit.score < 1) shortfalls.push(`${category}: ${audit.id} (${audit.title})`);
      }
    }
    return {
      scores,
      lcp: numeric('largest-contentful-paint'),
      cls: numeric('cumulative-layout-shift'),
      tbt: numeric('total-blocking-time'),
      fcp: numeric('first-contentful-paint'),
      si: numeric('speed-index'),
      lcpElement: lhr.audits['largest-contentful-paint-element']?.details?.items?.[0]?.items?.[0]?.node?.snippet ?? '',
      shortfalls,
      warnings: lhr.runWarnings,
    };
  } finally {
    await chrome.kill();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

// The site served as a static host serves it, files ten days old; each
// visit run `runs` times (or until done(result) says enough).
export async function measure(site, runs, done = () => false) {
  const server = await serveSite(path.resolve(site), { host: 'static', modified: new Date(Date.now() - 10 * 86400e3) });
  const origin = `http://127.0.0.1:${server.address().port}/`;
  const results = [];
  try {
    for (const visit of visits) {
      const visitRuns = [];
      for (let run = 0; run < runs; run++) {
        const result = await runOnce(origin + visit.hash);
        visitRuns.push(result);
        if (done(result)) break;
      }
      results.push({ ...visit, runs: visitRuns });
    }
  } finally {
    server.close();
  }
  return results;
}

export const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

export function describe(result) {
  const s = result.scores;
  return `performance ${s.performance}, accessibility ${s.accessibility}, best practices ${s['best-practices']}, ` +
    `SEO ${s.seo}; LCP ${(result.lcp / 1000).toFixed(2)} s, CLS ${result.cls.toFixed(3)}, TBT ${result.tbt.toFixed(0)} ms, ` +
    `FCP ${(result.fcp / 1000).toFixed(2)} s, SI ${(result.si / 1000).toFixed(2)} s`;
}
