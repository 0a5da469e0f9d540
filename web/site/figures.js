// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The figures' view: the engine's figures of a site and a satellite in
// words and numbers, the answers large; a satellite below the horizon says
// so first, as large, its direction after it as information. Times in the
// phone's own zone, named. While it waits, or a value is wrong, the view
// shows its frame with dashes: its room kept, nothing below it moves when
// the figures come.

const $ = (id) => document.getElementById(id);

export const degrees = (value) => `${Number(value).toFixed(2)}\u00B0`;

// Clockwise from north: what rounds to 360.00 is due north, 0.00.
export const bearing = (value) => {
  const turned = ((Number(value) % 360) + 360) % 360;
  const text = turned.toFixed(2);
  return `${Number(text) >= 360 ? (0).toFixed(2) : text}\u00B0`;
};

// As the desktop writes them: "54.5970 N", "18.9553 E"; a longitude west
// positive of any turn (291.5 W is 68.5 E).
export function latitudeText(north, decimals = 4) {
  return `${Math.abs(north).toFixed(decimals)} ${north < 0 ? 'S' : 'N'}`;
}
export function longitudeText(west, decimals = 4) {
  const turned = ((((Number(west) + 180) % 360) + 360) % 360) - 180;  // [-180, 180)
  const within = turned === -180 ? 180 : turned;
  return `${Math.abs(within).toFixed(decimals)} ${within < 0 ? 'E' : 'W'}`;
}

// dateStyle and timeStyle do not go with timeZoneName: the fields one by one.
const timeFormat = new Intl.DateTimeFormat(undefined, {
  year: 'numeric', month: 'short', day: 'numeric', hour: '2-digit', minute: '2-digit', timeZoneName: 'short',
});
const clockFormat = new Intl.DateTimeFormat(undefined, { hour: '2-digit', minute: '2-digit', timeZoneName: 'short' });

// To the nearest minute: Intl would cut the seconds off.
const toMinute = (iso) => new Date(Math.round(Date.parse(iso) / 60000) * 60000);

function outageText(outage) {
  if (!outage) return 'none within a year';
  return `${timeFormat.format(toMinute(outage.start))} to ${clockFormat.format(toMinute(outage.end))}`;
}

function skewText(f) {
  if (!f.visible) return 'the satellite is below the horizon';
  if (f.skew === null) return 'none to set: straight overhead';
  const turn = f.skew >= 0 ? 'clockwise' : 'counter-clockwise';
  return `turn the LNB ${degrees(Math.abs(f.skew))} ${turn}, seen from behind the dish`;
}

function declinationInto(element, f) {
  const declination = `${Math.abs(f.declination).toFixed(2)}\u00B0 ${f.declination < 0 ? 'W' : 'E'} (${f.magnetic_model})`;
  const warning = f.compass_warning === 'unreliable' ? 'a compass is unreliable here: use the sun or a landmark'
    : f.compass_warning === 'caution' ? 'weak field: use a compass with caution' : '';
  element.replaceChildren(declination);
  if (warning) {
    const note = document.createElement('span');
    note.className = 'warning';
    note.textContent = ` ${warning}`;
    element.append(note);
  }
}

function secondText(f) {
  const second = f.second_satellite;
  if (f.second_satellite_warning) return `none: ${f.second_satellite_warning}`;
  if (!second.visible) return 'below the horizon';
  return `${degrees(second.separation)} apart; LNB ${second.lnb_offset_mm.toFixed(1)} mm from the first` +
    (second.monoblock ? `; a ${second.monoblock}\u00B0 monoblock fits` : '');
}

const dash = '\u2013';

// Nothing to show: the reason (a message) or the wait, over the frame.
export function showNoFigures(message) {
  $('message').textContent = message;
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
  $('message').hidden = true;
  $('figures-for').hidden = false;
  $('figures-for').textContent = `For ${latitudeText(f.lat)}, ${longitudeText(f.lon)}; the satellite at ${longitudeText(f.sat_lon, 2)}:`;
  $('figures').classList.remove('pending');
  $('big').hidden = !f.visible;
  $('below').hidden = f.visible;
  if (f.visible) {
    $('azimuth').textContent = bearing(f.azimuth);
    $('compass').textContent = bearing(f.compass_bearing);
    $('elevation').textContent = degrees(f.elevation);
    $('skew').textContent = skewText(f);
    $('hand').setAttribute('transform', `rotate(${f.skew ?? 0})`);
    $('clock').setAttribute('aria-label', `LNB clock: ${skewText(f)}`);
  } else {
    $('below-detail').textContent = `Elevation ${degrees(f.elevation)}; it stands at ${bearing(f.azimuth)} true, ` +
      `${bearing(f.compass_bearing)} on a compass.`;
  }
  declinationInto($('declination'), f);
  $('tilt').textContent = f.dish_tilt === null ? dash : `${degrees(Math.abs(f.dish_tilt))} ${f.dish_tilt >= 0 ? 'back, looking up' : 'forward, looking down'} (offset dish)`;
  $('motor').textContent = f.motor_angle === null ? dash : `${degrees(Math.abs(f.motor_angle))} ${f.motor_angle < 0 ? 'E' : 'W'}`;
  $('outage').textContent = f.visible ? outageText(f.next_outage) : dash;
  $('second').hidden = $('second-label').hidden = !f.second_satellite;
  if (f.second_satellite) $('second').textContent = secondText(f);
}
