// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page's engine module in node, for the tests: emscripten 3.1.6's ES
// module looks for CommonJS's require and __dirname in node, and its
// loader trips over node's own fetch, so both are given it (the
// WebAssembly's bytes read from the file).
import fs from 'node:fs';
import path from 'node:path';
import { createRequire } from 'node:module';

export async function loadSiteEngine(site) {
  globalThis.require = createRequire(path.join(site, 'engine.js'));
  globalThis.__dirname = site;
  const engine = await import(path.join(site, 'engine.js'));
  await engine.loadEngine({ wasmBinary: fs.readFileSync(path.join(site, 'azimora-engine.wasm')) });
  return engine;
}
