// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// What the page's test and benchmark share: the built site served from this
// computer (127.0.0.1, a secure context), counting the bytes it sends, and
// Debian's Chromium, headless, driven by playwright-core (no browser
// download).
import crypto from 'node:crypto';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { createRequire } from 'node:module';

const require = createRequire(path.resolve(path.dirname(new URL(import.meta.url).pathname), '../../package.json'));
const { chromium } = require('playwright-core');

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
                '.json': 'application/json', '.webmanifest': 'application/manifest+json', '.png': 'image/png' };

// server.transferred(): the bytes of the bodies sent so far;
// server.replace(name, body): serve another body for a file from now on (a
// new version published, modified now).
// Two kinds of host:
// - 'revalidate' (the default): each file has an ETag and is revalidated
//   (no-cache): a copy the browser holds is answered 304, without its body,
//   so the service worker's keeping of what the page just loaded costs what
//   it costs on such a host;
// - 'static': as most static hosts serve files: gzip where the browser takes
//   it, Last-Modified only (no Cache-Control, no ETag), so that the browser
//   keeps a copy by its own heuristic, a tenth of the file's age (RFC 9111,
//   4.2.2); options.modified dates every file (ten days ago, say).
// options.delay: {'/towns.json': 4000} holds a file's answer back, ms.
export function serveSite(site, options = {}) {
  const host = options.host || 'revalidate';
  const delay = options.delay || {};
  let transferred = 0;
  const replaced = new Map();
  const modified = new Map();
  const send = (request, response, name, body, lastModified) => {
    const type = types[path.extname(name)] || 'application/octet-stream';
    if (host === 'static') {
      const headers = { 'Content-Type': type, 'Last-Modified': lastModified.toUTCString() };
      const since = Date.parse(request.headers['if-modified-since'] || '');
      if (since >= Math.floor(lastModified.getTime() / 1000) * 1000) {
        response.writeHead(304, headers);
        response.end();
        return;
      }
      let sent = body;
      if (/\bgzip\b/.test(request.headers['accept-encoding'] || '') && !type.startsWith('image/')) {
        sent = zlib.gzipSync(body, { level: 6 });
        Object.assign(headers, { 'Content-Encoding': 'gzip', Vary: 'Accept-Encoding' });
      }
      transferred += sent.length;
      response.writeHead(200, headers);
      response.end(sent);
      return;
    }
    const tag = `"${crypto.createHash('sha256').update(body).digest('hex').slice(0, 16)}"`;
    const headers = { 'Content-Type': type, ETag: tag, 'Cache-Control': 'no-cache' };
    if (request.headers['if-none-match'] === tag) {
      response.writeHead(304, headers);
      response.end();
      return;
    }
    transferred += body.length;
    response.writeHead(200, headers);
    response.end(body);
  };
  const answer = (request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const name = url.pathname === '/' ? '/index.html' : url.pathname;
    if (replaced.has(name)) {
      send(request, response, name, replaced.get(name), modified.get(name));
      return;
    }
    const file = path.join(site, decodeURIComponent(name));
    if (!file.startsWith(site) || !fs.existsSync(file) || fs.statSync(file).isDirectory()) {
      response.writeHead(404);
      response.end();
      return;
    }
    send(request, response, file, fs.readFileSync(file), options.modified || fs.statSync(file).mtime);
  };
  const server = http.createServer((request, response) => {
    const held = delay[new URL(request.url, 'http://127.0.0.1').pathname];
    if (held) setTimeout(() => answer(request, response), held);
    else answer(request, response);
  });
  server.transferred = () => transferred;
  server.replace = (name, body) => {
    replaced.set(`/${name}`, Buffer.from(body));
    modified.set(`/${name}`, new Date());
  };
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// A browser with a profile of its own, removed by close().
export async function launchBrowser(options) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'azimora-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
    ...options,
  });
  const close = async () => {
    await context.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { context, profile, close };
}

// The paths a test is given on its command line, by name in their order,
// made absolute; a name ending in '?' may be left out (then null).
export function testPaths(...names) {
  const paths = {};
  names.forEach((name, i) => {
    const given = process.argv[2 + i];
    if (name.endsWith('?')) paths[name.slice(0, -1)] = given ? path.resolve(given) : null;
    else paths[name] = path.resolve(given);
  });
  return paths;
}

// A test's checks: each printed, the failures counted.
export function checker() {
  const state = { failures: 0 };
  state.check = (condition, what) => {
    console.log(`${condition ? 'ok  ' : 'FAIL'} ${what}`);
    if (!condition) state.failures++;
  };
  return state;
}

// A test's body run to its end: what it throws counts as one failure, the
// clean-up runs whatever happened, then the verdict and the exit status.
export async function runTest(name, checks, body, cleanUp) {
  try {
    await body();
  } catch (error) {
    console.log(`FAIL ${error.message}`);
    checks.failures++;
  } finally {
    await cleanUp();
  }
  console.log(checks.failures === 0 ? `${name}: passed` : `${name}: ${checks.failures} failed`);
  process.exit(checks.failures === 0 ? 0 : 1);
}
