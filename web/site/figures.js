// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The figures' view: the engine's site report of a site and a satellite,
// its words as the engine says them (every front says the same), the
// answers large; a satellite below the horizon says so first, as large,
// its direction after it as information. Times in the phone's own zone,
// named. While it waits, or a value is wrong, the view shows its frame
// with dashes: its room kept, nothing below it moves when the figures come.

const $ = (id) => document.getElementById(id);

// A message of the engine as a sentence: its first letter up, a full stop.
export const sentence = (text) => (text ? `${text[0].toUpperCase()}${text.slice(1)}${/[.!?]$/.test(text) ? '' : '.'}` : '');

// As the desktop writes a position typed or found: "54.5970 N", "18.9553
// E"; a longitude west positive of any turn (291.5 W is 68.5 E). The
// report's own words write the site as every front does.
// What shows as zero has no side, as in the report.
function sided(value, decimals, positive, negative) {
  const text = Math.abs(value).toFixed(decimals);
  return Number(text) === 0 ? text : `${text} ${value < 0 ? negative : positive}`;
}
export const latitudeText = (north, decimals = 4) => sided(north, decimals, 'N', 'S');
export function longitudeText(west, decimals = 4) {
  const turned = ((((Number(west) + 180) % 360) + 360) % 360) - 180;  // [-180, 180)
  return sided(turned === -180 ? 180 : turned, decimals, 'W', 'E');
}

// dateStyle and timeStyle do not go with timeZoneName: the fields one by one.
const timeFormat = new Intl.DateTimeFormat(undefined, {
  year: 'numeric', month: 'short', day: 'numeric', hour: '2-digit', minute: '2-digit', timeZoneName: 'short',
});
const clockFormat = new Intl.DateTimeFormat(undefined, { hour: '2-digit', minute: '2-digit', timeZoneName: 'short' });

// To the nearest minute: Intl would cut the seconds off.
const toMinute = (iso) => new Date(Math.round(Date.parse(iso) / 60000) * 60000);

// The next outage's times, in the phone's zone, and the report's words on it.
function outageText(f) {
  const outage = f.next_outage;
  if (!outage) return f.words.outages;
  return `${timeFormat.format(toMinute(outage.start))} to ${clockFormat.format(toMinute(outage.end))}, ${f.words.outages}`;
}

// The declination, with what makes a compass doubtful after it, marked:
// a weak field's warning, a date outside the magnetic model's years.
function declinationInto(element, f) {
  const w = f.words;
  element.replaceChildren(`${w.declination} (${f.magnetic_model})`);
  for (const warning of [w.compass_warning, f.magnetic_model_valid ? '' : w.magnetic_model]) {
    if (!warning) continue;
    const note = document.createElement('span');
    note.className = 'warning';
    note.textContent = ` ${sentence(warning)}`;
    element.append(note);
  }
}

function secondText(w) {
  return [w.separation, `LNB ${w.second_lnb}`, w.second_skew && `its skew: ${w.second_skew}`, w.monoblock]
    .filter(Boolean).join('; ');
}

const dash = '\u2013';

// Nothing to show: the reason (a message) or the wait, over the frame.
export function showNoFigures(message) {
  $('message').textContent = sentence(message);
  $('message').hidden = !message;
  $('figures-for').hidden = Boolean(message);
  $('figures-for').textContent = 'Give the site and the satellite: the figures come here.';
  $('figures').classList.add('pending');
  $('big').hidden = false;
  $('below').hidden = true;
  for (const id of ['azimuth', 'compass', 'elevation', 'skew', 'declination', 'tilt', 'motor', 'outage']) $(id).textContent = dash;
  $('hand').setAttribute('transform', 'rotate(0)');
  $('clock').setAttribute('aria-label', 'LNB clock');
  $('second').hidden = $('second-label').hidden = true;
}

export function showFigures(f) {
  const w = f.words;
  $('message').hidden = true;
  $('figures-for').hidden = false;
  $('figures-for').textContent = `For ${w.site}; the satellite ${w.satellite}:`;
  $('figures').classList.remove('pending');
  $('big').hidden = !f.visible;
  $('below').hidden = f.visible;
  if (f.visible) {
    $('azimuth').textContent = w.azimuth;
    $('compass').textContent = w.compass_bearing;
    $('elevation').textContent = w.elevation;
    $('skew').textContent = w.skew;
    // The clock turns only where the LNB is turned: none, circular, overhead keep it upright.
    const turned = w.skew.startsWith('turn the LNB') && f.skew !== null;
    $('hand').setAttribute('transform', `rotate(${turned ? f.skew : 0})`);
    $('clock').setAttribute('aria-label', `LNB clock: ${w.skew}`);
  } else {
    $('below-detail').textContent = `${sentence(w.elevation)} It stands at ${w.azimuth} true, ${w.compass_bearing} on a compass.`;
  }
  declinationInto($('declination'), f);
  $('tilt').textContent = w.face_tilt;
  $('motor').textContent = w.motor;
  $('outage').textContent = outageText(f);
  $('second').hidden = $('second-label').hidden = !f.second_satellite;
  if (f.second_satellite) $('second').textContent = `${w.second_satellite}: ${secondText(w)}`;
}
