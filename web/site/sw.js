// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Offline first: the build's files (files.json lists them) kept under the
// build's version; a new version is kept whole, then the old one dropped.
// Nothing else is fetched or kept.
const version = '__AZIMORA_BUILD__';
const cacheName = `azimora-${version}`;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const files = await (await fetch('files.json', { cache: 'no-store' })).json();
    const cache = await caches.open(cacheName);
    await cache.addAll(['./', 'files.json', ...files.files]);
    await self.skipWaiting();
  })());
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
