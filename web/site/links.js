// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The page's address holds the site and the satellite, so that a link in a
// message opens ready: #lat=54.6N&lon=5.9W&sat=19.2E&dish=0.8. The values
// are as typed; the engine reads them.

export const linkKeys = ['lat', 'lon', 'sat', 'dish', 'freq', 'offset', 'second'];

export function readLink(hash) {
  const values = {};
  const text = hash.startsWith('#') ? hash.slice(1) : hash;
  for (const pair of text.split('&')) {
    const equals = pair.indexOf('=');
    if (equals <= 0) continue;
    const key = pair.slice(0, equals);
    if (!linkKeys.includes(key)) continue;
    try {
      values[key] = decodeURIComponent(pair.slice(equals + 1).replace(/\+/g, ' '));
    } catch {
      // a broken escape: the value is left out
    }
  }
  return values;
}

// Only what has a value; a space as '+', letters and digits as they are.
export function writeLink(values) {
  return '#' + linkKeys
    .filter((key) => values[key] !== undefined && String(values[key]).trim() !== '')
    .map((key) => `${key}=${encodeURIComponent(String(values[key]).trim()).replace(/%20/g, '+')}`)
    .join('&');
}
