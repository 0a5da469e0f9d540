// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The web page's engine call in WebAssembly (node), against the same call
// built natively (web_figures_bench): the figures of one site and satellite
// with the next sun outage, for the queries of figure_queries.txt; CPU time
// a call, and the ratio.
//   node bench/web/figures_bench.mjs build/web/site build/dev/bench/web_figures_bench
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

import { loadSiteEngine } from '../../tests/web/load_engine.mjs';

const here = path.dirname(new URL(import.meta.url).pathname);
const site = path.resolve(process.argv[2]);
const native = path.resolve(process.argv[3]);
const queries = fs.readFileSync(path.join(here, 'figure_queries.txt'), 'utf8').split('\n').filter(Boolean);

const engine = await loadSiteEngine(site);
for (const query of queries) {
  const answer = JSON.parse(engine.figuresText(query));
  if (answer.error) throw new Error(`${query}: ${answer.error}`);
}
// CPU time, as Google Benchmark's "CPU" column: warm first, then rounds of all queries.
const rounds = 60;
const start = process.cpuUsage();
for (let round = 0; round < rounds; round++) for (const query of queries) engine.figuresText(query);
const used = process.cpuUsage(start);
const webMicroseconds = (used.user + used.system) / (rounds * queries.length);

const report = JSON.parse(execFileSync(native, ['--benchmark_format=json', '--benchmark_min_time=1'], { encoding: 'utf8' }));
const run = report.benchmarks.find((b) => b.name === 'BM_WebFiguresNative');
const nativeMicroseconds = run.cpu_time;  // its unit is microseconds
console.log(`figures of a site, CPU time a call: WebAssembly in node ${webMicroseconds.toFixed(0)} us, ` +
            `native ${nativeMicroseconds.toFixed(0)} us, ratio ${(webMicroseconds / nativeMicroseconds).toFixed(1)}`);
