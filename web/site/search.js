// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Finding a town as the desktop's Find Location does: names and queries
// folded alike (case and accents away), then an exact name first, names
// that begin with the query next, then names with a word that does, then
// names that hold it anywhere; shorter names first within each.

export function fold(text) {
  return text.normalize('NFKD').replace(/\p{M}/gu, '').toLowerCase().replace(/[^\p{L}\p{N}]+/gu, ' ').trim();
}

// places: [name, region, latitude, longitude west]. Keys are folded once.
export function placeIndex(places) {
  return places.map((place) => ({ place, key: fold(place[0]) }));
}

export function searchPlaces(index, query, limit = 30) {
  const wanted = fold(query);
  if (wanted === '') return [];
  const rank = (key) => {
    if (key === wanted) return 0;
    if (key.startsWith(wanted)) return 1;
    if (key.includes(' ' + wanted)) return 2;
    if (key.includes(wanted)) return 3;
    return -1;
  };
  return index
    .map((entry) => ({ entry, rank: rank(entry.key) }))
    .filter((found) => found.rank >= 0)
    .sort((a, b) => a.rank - b.rank || a.entry.key.length - b.entry.key.length ||
                    a.entry.place[1].localeCompare(b.entry.place[1]))
    .slice(0, limit)
    .map((found) => found.entry.place);
}
