// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page kept for offline use by its service worker (sw.js), and its
// updates: a new build is fetched whole in the background while this one
// runs; the page says when it is ready, and it starts at the page's next
// opening (or at once, at a tap), never in the middle of a use.
const $ = (id) => document.getElementById(id);
const say = (text) => { $('offline').textContent = text; };

// The new build takes over at a tap: its worker activates, and this page
// loads anew once that one is in charge.
function switchTo(worker) {
  navigator.serviceWorker.addEventListener('controllerchange', () => location.reload(), { once: true });
  worker.postMessage('activate');
}

// Kept whole while this one runs: it starts when the page next opens (the
// browser hands over once no tab shows the old one), or now, at a tap.
function newVersionReady(registration) {
  say('A new version is ready: it starts the next time the page opens.');
  $('restart').hidden = false;
  $('restart').onclick = () => registration.waiting && switchTo(registration.waiting);
}

// Registers the worker and says what it keeps; looks for a new build at
// each start while online.
export async function keepOffline() {
  try {
    const files = await (await fetch('files.json')).json();
    $('version').textContent = files.version;
  } catch {
    $('version').textContent = '';
  }
  if (!('serviceWorker' in navigator)) {
    say('This browser keeps no copy for offline use.');
    return;
  }
  try {
    const registration = await navigator.serviceWorker.register('sw.js');
    if (!registration) throw new Error('the browser keeps none here');
    const watch = (worker) => {
      if (!worker) return;
      worker.addEventListener('statechange', () => {
        if (worker.state === 'installed' && navigator.serviceWorker.controller) newVersionReady(registration);
      });
    };
    watch(registration.installing);
    registration.addEventListener('updatefound', () => {
      if (navigator.serviceWorker.controller) say('A new version is being fetched; this one stays until it is whole.');
      watch(registration.installing);
    });
    if (registration.waiting && navigator.serviceWorker.controller) {
      newVersionReady(registration);
      return;
    }
    if (navigator.onLine && navigator.serviceWorker.controller) registration.update().catch(() => {});
    await navigator.serviceWorker.ready;
    if (!registration.waiting && !registration.installing) say('Kept for offline use on this device.');
  } catch (error) {
    say(`No offline copy: ${error.message}`);
  }
}
