// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The engine in WebAssembly, as calls that take text and give JSON, in three
// modules: the figures' (the page waits for it: the figures, the sky, the
// fields as read, the satellites), the town search's (fetched with the towns
// once the figures stand) and the element files' (fetched when one is
// chosen). Each is loaded once; every later call is synchronous.
import createAzimoraEngine from './azimora-engine.js';

// A module's calls: its C function by name, text in, text out.
function calls(module) {
  const text = (name, input, ...numbers) => {
    const length = module.lengthBytesUTF8(input) + 1;
    const pointer = module._malloc(length);
    try {
      module.stringToUTF8(input, pointer, length);
      return module.UTF8ToString(module[name](pointer, ...numbers));
    } finally {
      module._free(pointer);
    }
  };
  return { text, json: (name, input, ...numbers) => JSON.parse(text(name, input, ...numbers)) };
}

let engine = null;
let towns = null;
let elements = null;

// options.wasmBinary: the WebAssembly's bytes, where fetch cannot get them (node).
export async function loadEngine(options = {}) {
  if (!engine) engine = calls(await createAzimoraEngine(options));
  return engine;
}

function figuresModule() {
  if (!engine) throw new Error('the engine is not loaded');
  return engine;
}

// query: "lat=54.6N&lon=5.9W&sat=19.2E&dish=0.8&time=1796...": the page's
// address form, each value as typed (escaped as a form's: the engine
// decodes). The answer is azimora-calc's JSON, with next_outage and the
// dish as read (dish_m, freq_ghz, offset_deg), or {error}.
export function figures(query) {
  return figuresModule().json('_azimora_figures', query);
}

// The same as the engine wrote it, its numbers to the last digit.
export function figuresText(query) {
  return figuresModule().text('_azimora_figures', query);
}

// What the camera view draws: query as for figures, with day_start and
// day_end (Unix seconds) of the phone's day. {arc, satellite, sun,
// sun_path, sun_hours}, each place as [azimuth, elevation].
export function sky(query) {
  return figuresModule().json('_azimora_sky', query);
}

// Each typed field of a query as the engine reads it: {lat: {value, link}
// | {error}, dish: ..., landmark: ...}; link is the text the address gives
// it ("54.6N", "0.8").
export function readFields(query) {
  return figuresModule().json('_azimora_read', query);
}

export function catalogues() {
  return figuresModule().json('_azimora_catalogues', '');
}

// The town search: the text of towns.json, made ready once.
export async function loadTowns(townsJson, options = {}) {
  if (!towns) {
    const { default: create } = await import('./azimora-towns.js');
    const search = calls(await create(options));
    const loaded = search.json('_azimora_towns_load', townsJson);
    if (loaded.error) throw new Error(loaded.error);
    towns = search;
  }
  return towns;
}

// [[name, region, latitude, longitude west], ...], best first.
export function findTowns(query, limit = 30) {
  if (!towns) throw new Error('the towns are not loaded');
  return towns.json('_azimora_towns_find', query, limit);
}

// A text as the search folds it.
export function fold(text) {
  if (!towns) throw new Error('the towns are not loaded');
  return towns.json('_azimora_fold', text).folded;
}

// The near-geostationary objects of an element file's text, placed at the
// instant: {objects, skipped, skipped_first} or {error}.
export async function elementObjects(text, unixSeconds, options = {}) {
  if (!elements) {
    const { default: create } = await import('./azimora-elements.js');
    elements = calls(await create(options));
  }
  return elements.json('_azimora_elements', text, unixSeconds);
}
