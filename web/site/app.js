// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page: the site, the satellite and the dish in one place (the inputs,
// mirrored in the address), the figures drawn from them by the engine at
// every change. Times in the phone's own zone, named.
import { catalogues, elementObjects, figures, loadEngine } from './engine.js';
import { readLink, writeLink } from './links.js';
import { setFigures, setUpPoint } from './point.js';
import { placeIndex, searchPlaces } from './search.js';

const $ = (id) => document.getElementById(id);
const inputs = { lat: $('lat'), lon: $('lon'), sat: $('sat'), dish: $('dish'), freq: $('freq'), offset: $('offset'), second: $('second-sat') };
const defaults = { dish: '0.6', freq: '12', offset: '22.3' };

let towns = [];
let satellitesByName = new Map();
let altitudeKm = null;  // from the position, above the ellipsoid

const degrees = (value) => `${Number(value).toFixed(2)}\u00B0`;
// Clockwise from north: what rounds to 360.00 is due north, 0.00.
const bearing = (value) => {
  const turned = ((Number(value) % 360) + 360) % 360;
  const text = turned.toFixed(2);
  return `${Number(text) >= 360 ? (0).toFixed(2) : text}\u00B0`;
};
const longitudeText = (west) => `${Math.abs(west).toFixed(2)} ${west > 0 ? 'W' : 'E'}`;

function say(text) {
  $('message').textContent = text;
  $('message').hidden = !text;
}

// The satellite field: a longitude as typed, or a name of the catalogue.
function satelliteQuery() {
  const typed = inputs.sat.value.trim();
  const named = satellitesByName.get(typed.toLowerCase());
  return named === undefined ? typed : String(named);
}

function query() {
  const parts = [];
  const add = (key, value) => {
    if (value !== undefined && value !== null && String(value).trim() !== '') parts.push(`${key}=${encodeURIComponent(String(value).trim())}`);
  };
  add('lat', inputs.lat.value);
  add('lon', inputs.lon.value);
  add('sat', satelliteQuery());
  add('dish', inputs.dish.value);
  add('freq', inputs.freq.value);
  add('offset', inputs.offset.value);
  add('second', inputs.second.value);
  if (altitudeKm !== null) add('alt', altitudeKm);
  add('time', Math.floor(Date.now() / 1000));
  return parts.join('&');
}

// dateStyle and timeStyle do not go with timeZoneName: the fields one by one.
const timeFormat = new Intl.DateTimeFormat(undefined, {
  year: 'numeric', month: 'short', day: 'numeric', hour: '2-digit', minute: '2-digit', timeZoneName: 'short',
});
const clockFormat = new Intl.DateTimeFormat(undefined, { hour: '2-digit', minute: '2-digit', timeZoneName: 'short' });

function outageText(outage) {
  if (!outage) return 'none within a year';
  const start = new Date(outage.start), end = new Date(outage.end);
  return `${timeFormat.format(start)} to ${clockFormat.format(end)}`;
}

function skewText(f) {
  if (!f.visible) return 'the satellite is below the horizon';
  if (f.skew === null) return 'none to set: straight overhead';
  const turn = f.skew >= 0 ? 'clockwise' : 'counter-clockwise';
  return `turn the LNB ${degrees(Math.abs(f.skew))} ${turn}, seen from behind the dish`;
}

function show(f) {
  $('big').hidden = false;
  $('details').hidden = false;
  $('azimuth').textContent = bearing(f.azimuth);
  $('compass').textContent = bearing(f.compass_bearing);
  $('elevation').textContent = f.visible ? degrees(f.elevation) : `${degrees(f.elevation)}, below the horizon`;
  $('skew').textContent = skewText(f);
  $('hand').setAttribute('transform', `rotate(${f.skew ?? 0})`);
  $('clock').setAttribute('aria-label', `LNB clock: ${skewText(f)}`);
  const declination = `${Math.abs(f.declination).toFixed(2)}\u00B0 ${f.declination < 0 ? 'W' : 'E'} (${f.magnetic_model})`;
  const warning = f.compass_warning === 'unreliable' ? 'a compass is unreliable here: use the sun or a landmark'
    : f.compass_warning === 'caution' ? 'weak field: use a compass with caution' : '';
  $('declination').innerHTML = '';
  $('declination').append(declination);
  if (warning) {
    const note = document.createElement('span');
    note.className = 'warning';
    note.textContent = ` ${warning}`;
    $('declination').append(note);
  }
  $('tilt').textContent = f.dish_tilt === null ? '\u2013' : `${degrees(Math.abs(f.dish_tilt))} ${f.dish_tilt >= 0 ? 'back, looking up' : 'forward, looking down'} (offset dish)`;
  $('motor').textContent = f.motor_angle === null ? '\u2013' : `${degrees(Math.abs(f.motor_angle))} ${f.motor_angle < 0 ? 'E' : 'W'}`;
  $('outage').textContent = f.visible ? outageText(f.next_outage) : '\u2013';
  const second = f.second_satellite;
  $('second').hidden = $('second-label').hidden = !second;
  if (second) {
    $('second').textContent = f.second_satellite_warning ? `none: ${f.second_satellite_warning}`
      : !second.visible ? 'below the horizon'
      : `${degrees(second.separation)} apart; LNB ${second.lnb_offset_mm.toFixed(1)} mm from the first` +
        (second.monoblock ? `; a ${second.monoblock}\u00B0 monoblock fits` : '');
  }
}

// The address follows the inputs a moment after the last change: Chromium
// spends milliseconds on each replaceState, too many for every keystroke.
let linkSoon = 0;
function writeAddress() {
  clearTimeout(linkSoon);
  linkSoon = 0;
  const values = Object.fromEntries(Object.entries(inputs).map(([key, input]) => [key, input.value]));
  for (const [key, value] of Object.entries(defaults)) if (values[key] === value) delete values[key];
  const link = writeLink(values);
  if (link !== location.hash && !(link === '#' && location.hash === '')) history.replaceState(null, '', link === '#' ? location.pathname : link);
}

// The dish as typed, where the engine took it (it refused the figures otherwise).
function dishNow() {
  const number = (input, fallback) => (input.value.trim() === '' ? fallback : Number(input.value));
  return { diameter: number(inputs.dish, 0.6), frequency: number(inputs.freq, 12), offset: number(inputs.offset, 22.3) };
}

function update() {
  clearTimeout(linkSoon);
  linkSoon = setTimeout(writeAddress, 300);
  if (!inputs.lat.value.trim() || !inputs.lon.value.trim() || !inputs.sat.value.trim()) {
    say('');
    $('big').hidden = $('details').hidden = true;
    setFigures(null, dishNow());
    return;
  }
  const f = figures(query());
  if (f.error) {
    say(f.error);
    $('big').hidden = $('details').hidden = true;
    setFigures(null, dishNow());
    return;
  }
  say('');
  show(f);
  setFigures(f, dishNow());
  // For the benchmarks: when the first figures stood, and the latest.
  if (performance.getEntriesByName('azimora-first-figures').length === 0) performance.mark('azimora-first-figures');
  performance.clearMarks('azimora-figures');
  performance.mark('azimora-figures');
}

function choices(list, items, label, choose) {
  list.replaceChildren(...items.map((item, i) => {
    const li = document.createElement('li');
    li.setAttribute('role', 'option');
    li.tabIndex = 0;
    li.textContent = label(item);
    li.addEventListener('click', () => choose(item, li));
    li.addEventListener('keydown', (event) => {
      if (event.key === 'Enter' || event.key === ' ') {
        event.preventDefault();
        choose(item, li);
      }
    });
    li.id = `${list.id}-${i}`;
    return li;
  }));
}

function locate() {
  if (!('geolocation' in navigator)) {
    $('position').textContent = 'This browser gives no position: type the coordinates or find a town.';
    return;
  }
  $('position').textContent = 'Asking for the position\u2026';
  navigator.geolocation.getCurrentPosition((position) => {
    const c = position.coords;
    inputs.lat.value = c.latitude.toFixed(5);
    inputs.lon.value = (-c.longitude).toFixed(5);  // west positive, as everywhere in Azimora
    // The Geolocation API gives the height above the WGS84 ellipsoid.
    altitudeKm = typeof c.altitude === 'number' ? c.altitude / 1000 : null;
    $('position').textContent = `Position within ${Math.round(c.accuracy)} m` +
      (typeof c.altitude === 'number' ? `, ${Math.round(c.altitude)} m above the ellipsoid` : '') + '.';
    update();
  }, (error) => {
    $('position').textContent = error.code === error.PERMISSION_DENIED
      ? 'The position was refused: allow it for this page, or type the coordinates.'
      : `No position (${error.message}): type the coordinates or find a town.`;
  }, { enableHighAccuracy: true, timeout: 30000, maximumAge: 10000 });
}

async function readElements(file) {
  const text = await file.text();
  const found = elementObjects(text, Date.now() / 1000);
  if (found.error) {
    say(found.error);
    $('objects').replaceChildren();
    return;
  }
  say(found.objects.length === 0 ? `No near-geostationary object in ${file.name} (${found.skipped} skipped).` : '');
  choices($('objects'), found.objects, (o) => `${o.name}, ${longitudeText(o.sat_lon)}${o.warning ? ` \u2013 ${o.warning}` : ''}`,
    (o, li) => {
      inputs.sat.value = String(o.sat_lon);
      for (const other of $('objects').children) other.setAttribute('aria-selected', String(other === li));
      update();
    });
}

async function start() {
  for (const [key, value] of Object.entries(readLink(location.hash))) if (inputs[key]) inputs[key].value = value;
  const [, townList] = await Promise.all([loadEngine(), fetch('towns.json').then((r) => r.json())]);
  const builtIn = catalogues();
  satellitesByName = new Map(builtIn.satellites.map(([name, west]) => [name.toLowerCase(), west]));
  $('satellites').replaceChildren(...builtIn.satellites.map(([name, west]) => {
    const option = document.createElement('option');
    option.value = name;
    option.label = longitudeText(west);
    return option;
  }));
  towns = placeIndex([...builtIn.towns, ...townList]);
  for (const input of Object.values(inputs)) input.addEventListener('input', update);
  $('town').addEventListener('input', () => {
    choices($('towns'), searchPlaces(towns, $('town').value), (t) => `${t[0]}, ${t[1]}`, (t, li) => {
      inputs.lat.value = String(t[2]);
      inputs.lon.value = String(t[3]);
      altitudeKm = null;
      for (const other of $('towns').children) other.setAttribute('aria-selected', String(other === li));
      update();
    });
  });
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
  update();
  document.body.dataset.ready = 'true';
}

async function offline() {
  try {
    const files = await (await fetch('files.json')).json();
    $('version').textContent = files.version;
  } catch {
    $('version').textContent = '';
  }
  if (!('serviceWorker' in navigator)) {
    $('offline').textContent = 'This browser keeps no copy for offline use.';
    return;
  }
  try {
    const registration = await navigator.serviceWorker.register('sw.js');
    // A page left open for days looks for a new version at each start when online.
    if (navigator.onLine) registration.update().catch(() => {});
    registration.addEventListener('updatefound', () => {
      $('offline').textContent = 'A new version is being kept; it serves from the next start.';
    });
    await navigator.serviceWorker.ready;
    $('offline').textContent = 'Kept for offline use on this device.';
  } catch (error) {
    $('offline').textContent = `No offline copy: ${error.message}`;
  }
}

start().catch((error) => say(`The page could not start: ${error.message}`));
offline();
