// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page: the site, the satellite and the dish in one place (the inputs,
// mirrored in the address as the engine reads them), the figures drawn
// from them by the engine at every change. The figures come first: the
// offline copy follows once they stand, the towns and their search when the
// town field is first touched (200 KB and a module the figures never wait for).
import { fillChoices, setUpChoices } from './choices.js';
import { catalogues, elementObjects, figures, findTowns, loadEngine, loadTowns, readFields } from './engine.js';
import { latitudeText, longitudeText, showFigures, showNoFigures } from './figures.js';
import { readLink, writeLink } from './links.js';
import { setFigures, setUpPoint } from './point.js';
import { keepOffline } from './updates.js';

const $ = (id) => document.getElementById(id);
const inputs = { lat: $('lat'), lon: $('lon'), sat: $('sat'), dish: $('dish'), freq: $('freq'), offset: $('offset'), second: $('second-sat') };
const defaults = { dish: '0.6', freq: '12', offset: '22.3' };

let satellitesByName = new Map();
let altitudeKm = null;  // from the position, above the ellipsoid
let towns = null;  // the towns' loading, once begun
let townsReady = false;

// The satellite field: a longitude as typed, or a name of the catalogue or
// of the DVB scan tables (which tells the report its polarisation).
function satelliteQuery() {
  const typed = inputs.sat.value.trim();
  const named = satellitesByName.get(typed.toLowerCase());
  return named === undefined ? { sat: typed } : { sat: String(named), sat_name: typed };
}

// The inputs as the engine's query: each value as typed, escaped as a
// form's (the engine decodes it).
function queryOf(values) {
  return Object.entries(values)
    .filter(([, value]) => value !== undefined && value !== null && String(value).trim() !== '')
    .map(([key, value]) => `${key}=${encodeURIComponent(String(value).trim())}`)
    .join('&');
}

function query() {
  const values = Object.fromEntries(Object.entries(inputs).map(([key, input]) => [key, input.value]));
  Object.assign(values, satelliteQuery());
  if (altitudeKm !== null) values.alt = altitudeKm;
  values.time = Math.floor(Date.now() / 1000);
  return queryOf(values);
}

// The address follows the inputs a moment after the last change (Chromium
// spends milliseconds on each replaceState, too many for every keystroke),
// each value as the engine reads it: readable, and read alike by every
// front ("#lat=54.6N&lon=5.9W&sat=19.2E"). A value the engine refuses, and
// a satellite named, go as typed.
let linkSoon = 0;
function writeAddress() {
  clearTimeout(linkSoon);
  linkSoon = 0;
  const typed = Object.fromEntries(Object.entries(inputs).map(([key, input]) => [key, input.value.trim()]));
  for (const [key, value] of Object.entries(defaults)) if (typed[key] === value) delete typed[key];
  const read = readFields(queryOf(typed));
  const values = Object.fromEntries(Object.entries(typed).map(([key, value]) => {
    const named = key === 'sat' && satellitesByName.has(value.toLowerCase());
    return [key, !named && read[key] && read[key].link !== undefined ? read[key].link : value];
  }));
  const link = writeLink(values);
  if (link !== location.hash && !(link === '#' && location.hash === '')) history.replaceState(null, '', link === '#' ? location.pathname : link);
}

// The dish as the engine reads it (the defaults where it refuses).
function dishNow() {
  const read = readFields(queryOf({ dish: inputs.dish.value, freq: inputs.freq.value, offset: inputs.offset.value }));
  const value = (key, fallback) => (read[key] && read[key].value !== undefined ? read[key].value : fallback);
  return { diameter: value('dish', 0.6), frequency: value('freq', 12), offset: value('offset', 22.3) };
}

function update() {
  clearTimeout(linkSoon);
  linkSoon = setTimeout(writeAddress, 300);
  if (!inputs.lat.value.trim() || !inputs.lon.value.trim() || !inputs.sat.value.trim()) {
    showNoFigures('');
    setFigures(null, dishNow());
    return;
  }
  const f = figures(query());
  if (f.error) {
    showNoFigures(f.error);
    setFigures(null, dishNow());
    return;
  }
  showFigures(f);
  setFigures(f, { diameter: f.dish_m, frequency: f.freq_ghz, offset: f.offset_deg });
  // For the benchmarks: when the first figures stood, and the latest.
  if (performance.getEntriesByName('azimora-first-figures').length === 0) performance.mark('azimora-first-figures');
  performance.clearMarks('azimora-figures');
  performance.mark('azimora-figures');
}

// A place chosen: its coordinates as the desktop writes them, with their letters.
function useSite(latitude, longitudeWest, altitude = null) {
  inputs.lat.value = latitudeText(latitude);
  inputs.lon.value = longitudeText(longitudeWest);
  altitudeKm = altitude;
  update();
}

function locate() {
  if (!('geolocation' in navigator)) {
    $('position').textContent = 'This browser gives no position: type the coordinates or find a town.';
    return;
  }
  $('position').textContent = 'Asking for the position\u2026';
  navigator.geolocation.getCurrentPosition((position) => {
    const c = position.coords;
    $('position').textContent = `Position within ${Math.round(c.accuracy)} m` +
      (typeof c.altitude === 'number' ? `, ${Math.round(c.altitude)} m above the ellipsoid` : '') + '.';
    // The Geolocation API gives the height above the WGS84 ellipsoid; its longitude is east positive.
    useSite(c.latitude, -c.longitude, typeof c.altitude === 'number' ? c.altitude / 1000 : null);
  }, (error) => {
    $('position').textContent = error.code === error.PERMISSION_DENIED
      ? 'The position was refused: allow it for this page, or type the coordinates.'
      : `No position (${error.message}): type the coordinates or find a town.`;
  }, { enableHighAccuracy: true, timeout: 30000, maximumAge: 10000 });
}

async function readElements(file) {
  const text = await file.text();
  const found = await elementObjects(text, Date.now() / 1000);
  if (found.error) {
    showNoFigures(found.error);
    fillChoices($('objects'), [], String, () => {});
    return;
  }
  if (found.objects.length === 0) showNoFigures(`No near-geostationary object in ${file.name} (${found.skipped} skipped).`);
  fillChoices($('objects'), found.objects,
              (o) => `${o.name}, ${longitudeText(o.sat_lon, 2)}${o.warning ? ` \u2013 ${o.warning}` : ''}`,
              (o) => {
                // To the engine's last digit, with its letter.
                inputs.sat.value = `${Math.abs(o.sat_lon)} ${o.sat_lon < 0 ? 'E' : 'W'}`;
                update();
              });
}

function searchTowns() {
  const typed = $('town').value;
  if (!townsReady) {
    readyTowns();
    townsStatus($('towns-status').textContent);
    return;
  }
  const found = typed.trim() ? findTowns(typed) : [];
  townsStatus(typed.trim() && found.length === 0 ? 'No town of that name.' : '');
  fillChoices($('towns'), found, (t) => `${t[0]}, ${t[1]}`, (t) => useSite(t[2], t[3]));
}

// What the town list says while it has no towns to show; nothing: it closes.
function townsStatus(text) {
  $('towns-status').textContent = text;
  $('towns-status').hidden = !text || $('town').value.trim() === '';
}

// The towns and their search, fetched when the town field is first touched.
function readyTowns() {
  if (towns) return towns;
  towns = (async () => {
    try {
      townsStatus('Loading the towns\u2026');
      const response = await fetch('towns.json');
      if (!response.ok) throw new Error(`${response.status} ${response.statusText}`);
      await loadTowns(await response.text());
      townsReady = true;
      townsStatus('');
      document.body.dataset.towns = 'true';
      if ($('town').value.trim()) searchTowns();
    } catch (error) {
      towns = null;  // the next touch tries again
      townsStatus(`The towns could not be loaded (${error.message}): type the coordinates, or try again.`);
    }
  })();
  return towns;
}

// A turn of the event loop: the figures drawn before the rest is set up.
const nextTask = () => new Promise((resolve) => setTimeout(resolve, 0));

async function start() {
  for (const [key, value] of Object.entries(readLink(location.hash))) if (inputs[key]) inputs[key].value = value;
  await loadEngine();
  const builtIn = catalogues();
  const named = [...builtIn.satellites, ...builtIn.scan_tables];
  satellitesByName = new Map(named.map(([name, west]) => [name.toLowerCase(), west]));
  update();
  await nextTask();
  $('satellites').replaceChildren(...named.map(([name, west]) => {
    const option = document.createElement('option');
    option.value = name;
    option.label = longitudeText(west, 2);
    return option;
  }));
  for (const input of Object.values(inputs)) input.addEventListener('input', update);
  $('town').addEventListener('input', searchTowns);
  $('town').addEventListener('focus', readyTowns);
  $('town').addEventListener('focusout', () => townsStatus(''));
  setUpChoices($('towns'), $('town'));
  setUpChoices($('objects'));
  $('locate').addEventListener('click', locate);
  $('elements').addEventListener('change', (event) => event.target.files[0] && readElements(event.target.files[0]));
  $('theme').addEventListener('click', () => {
    const on = document.documentElement.classList.toggle('contrast');
    $('theme').setAttribute('aria-pressed', String(on));
  });
  // A link copied or shared from the address bar, or the page left, has the latest inputs.
  document.addEventListener('visibilitychange', () => linkSoon && writeAddress());
  window.addEventListener('pagehide', () => linkSoon && writeAddress());
  window.addEventListener('hashchange', () => {
    for (const [key, value] of Object.entries(readLink(location.hash))) if (inputs[key]) inputs[key].value = value;
    update();
  });
  setUpPoint();
  document.body.dataset.ready = 'true';
  await keepOffline();
}

start().catch((error) => showNoFigures(`The page could not start: ${error.message}`));
