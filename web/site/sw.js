// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Offline first: the build's files (files.json lists them) kept under the
// build's version. A new build is fetched whole past the browser's HTTP
// cache (a static host that sends only Last-Modified lets the browser keep
// old copies for days), then waits: the page says it is ready, and it
// takes over once no page of the old build is open (or at the user's tap),
// so that no page ever mixes two builds. Only then is the old build
// dropped. Nothing else is fetched or kept.
const version = '__AZIMORA_BUILD__';
const cacheName = `azimora-${version}`;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const files = await (await fetch('files.json', { cache: 'no-store' })).json();
    if (files.version !== version) throw new Error(`files.json lists ${files.version}, not ${version}`);
    const cache = await caches.open(cacheName);
    // Revalidated with the host: a file unchanged since the copy the browser
    // holds costs a 304, a changed one comes anew. All or none.
    await cache.addAll(['./', 'files.json', ...files.files].map((file) => new Request(file, { cache: 'no-cache' })));
  })());
});

// The page's word that the new build may take over now: the user's tap.
self.addEventListener('message', (event) => {
  if (event.data === 'activate') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) if (name.startsWith('azimora-') && name !== cacheName) await caches.delete(name);
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== self.location.origin) return;
  event.respondWith((async () => {
    const cache = await caches.open(cacheName);
    const kept = await cache.match(event.request, { ignoreSearch: true });
    if (kept) return kept;
    try {
      return await fetch(event.request);
    } catch {
      return (await cache.match('./')) || Response.error();
    }
  })());
});
