// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The engine in WebAssembly, as three calls that take text and give JSON:
// the figures of a site and a satellite, the objects of an element file,
// the built-in catalogues. Loaded once; every later call is synchronous.
import createAzimoraEngine from './azimora-engine.js';

let module = null;

// options.wasmBinary: the WebAssembly's bytes, where fetch cannot get them (node).
export async function loadEngine(options = {}) {
  if (!module) module = await createAzimoraEngine(options);
  return module;
}

function callText(name, text, ...numbers) {
  if (!module) throw new Error('the engine is not loaded');
  const length = module.lengthBytesUTF8(text) + 1;
  const pointer = module._malloc(length);
  try {
    module.stringToUTF8(text, pointer, length);
    return module.UTF8ToString(module[name](pointer, ...numbers));
  } finally {
    module._free(pointer);
  }
}

const call = (name, text, ...numbers) => JSON.parse(callText(name, text, ...numbers));

// query: "lat=54.6N&lon=5.9W&sat=19.2E&dish=0.8&time=1796...": the page's
// address form. The answer is azimora-calc's JSON, with next_outage, or
// {error}.
export function figures(query) {
  return call('_azimora_figures', query);
}

// The same as the engine wrote it, its numbers to the last digit.
export function figuresText(query) {
  return callText('_azimora_figures', query);
}

// What the camera view draws: query as for figures, with day_start and
// day_end (Unix seconds) of the phone's day. {arc, satellite, sun,
// sun_path, sun_hours}, each place as [azimuth, elevation].
export function sky(query) {
  return call('_azimora_sky', query);
}

export function elementObjects(text, unixSeconds) {
  return call('_azimora_elements', text, unixSeconds);
}

export function catalogues() {
  if (!module) throw new Error('the engine is not loaded');
  return JSON.parse(module.UTF8ToString(module._azimora_catalogues()));
}
