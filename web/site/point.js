// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// Pointing with the phone: how far to tilt (the tilt sensors, to a tenth)
// and to turn (the compass, whole degrees, declination applied, corrected
// by a sighting of the sun or a landmark), the aligned cue (a tone after a
// tap, a vibration where allowed) and the camera's view. A reading counts
// until the sensor itself says it stopped, or the page goes to the
// background: a browser sends nothing while the phone holds still (Chromium
// only sends a change of a tenth of a degree), and a phone clamped to the
// dish holds still exactly when it is right. A stopped sensor, the
// background or a refusal each say so and blank the live figures (a
// refusal with a way to try again); the computed ones above stay.
import {
  beamwidth, headingOf, measuredTilt, sightedHeading, tiltAdvice, tiltTarget, turnAdvice, turnedClockwise, withinBeam, wrap180,
} from './guidance.js';
import { readFields, sky } from './engine.js';
import { sentence } from './figures.js';
import { startOrientation } from './sensors.js';

const $ = (id) => document.getElementById(id);
// A sensor that gave nothing in three seconds of the page in view is none.
const noSensorAfterMs = 3000;

let figures = null;       // the engine's figures of the moment, or null
let dish = { diameter: 0.6, frequency: 12, offset: 22.3 };
let attitude = null;      // the latest reading, magnetic where absolute
let correction = 0;       // the user's sighting: degrees added to the compass's true heading
let corrected = false;
let stopSensors = null;
let started = false;
let sensorState = '';     // 'refused', 'none', 'stopped', 'tilt-only' or ''
let noSensorTimer = 0;
let everRead = false;     // a reading came since the sensors started: there is a sensor
let audio = null;
let tone = null;
let aligned = false;
let look = null;
let measures = 0;

const screenAngle = () => (screen.orientation ? screen.orientation.angle : Number(window.orientation) || 0);
const fresh = () => attitude !== null && sensorState !== 'stopped' && document.visibilityState === 'visible';
const tiltMode = () => (document.querySelector('input[name="tilt-mode"]:checked') || { value: 'plate' }).value;

// The attitude made true: the declination, then the user's correction.
export function trueAttitude() {
  if (!attitude || !figures) return null;
  return turnedClockwise(attitude.matrix, (attitude.absolute ? figures.declination : 0) + correction);
}

function setText(id, text) {
  const element = $(id);
  if (element.textContent !== text) element.textContent = text;
}

function status() {
  if (!started && sensorState === 'refused') {
    return 'Motion sensors were refused: allow them for this page in the browser\u2019s site settings (the lock or the ' +
      'settings icon by the address), then try again. The figures stand.';
  }
  if (!started) return '';
  if (document.visibilityState !== 'visible') return 'Paused while the page is in the background: no live reading.';
  if (sensorState === 'stopped') return 'The motion sensor has stopped: try the sensors again. The figures stand.';
  if (!attitude) {
    return sensorState === 'none'
      ? 'No motion sensor answers (a desktop browser?): the figures stand; use an inclinometer and a compass.'
      : 'Waiting for the motion sensors\u2026';
  }
  return '';
}

// The engine's words on the field here first (a weak horizontal field turns
// any compass; a date outside the magnetic model's years leaves the
// declination approximate), then what the phone's compass says of itself.
function compassNote() {
  const field = !figures ? ''
    : [figures.words.compass_warning, figures.magnetic_model_valid ? '' : figures.words.magnetic_model]
      .filter(Boolean).map((words) => `${sentence(words)} `).join('');
  if (!attitude || !attitude.absolute) return `${field}This browser gives no compass: the tilt only.`;
  if (attitude.accuracy === -1) return `${field}The compass is not calibrated: move the phone in a figure of eight, away from metal.`;
  if (typeof attitude.accuracy === 'number') return `${field}The compass gives its accuracy as \u00B1${attitude.accuracy.toFixed(0)}\u00B0.`;
  return `${field}The browser gives no accuracy for its compass.`;
}

// The report's words on the LNB, as every front says them.
function skewWords() {
  if (!figures || !figures.visible) return '';
  return `Then the LNB: ${figures.words.skew}.`;
}

// Where the sky could not be worked out (a bad time, marks): said, not lost.
let skyError = '';

function setAligned(now) {
  $('aligned').hidden = !now;
  if (now === aligned) return;
  aligned = now;
  document.body.dataset.aligned = String(now);
  if (tone) tone.gain.setTargetAtTime(now ? 0.2 : 0, audio.currentTime, 0.02);
  if (now && audio && 'vibrate' in navigator) navigator.vibrate(120);
  toneState();
}

function toneState() {
  document.body.dataset.tone = aligned && audio && audio.state === 'running' && $('sound').getAttribute('aria-pressed') === 'true' ? 'on' : 'off';
}

// Where the sun is, for a sighting: worked out once a minute.
let sunKey = '';
let sun = null;
function sunNow() {
  if (!figures) return null;
  const minute = Math.floor(Date.now() / 60000);
  const key = `${figures.lat}|${figures.lon}|${minute}`;
  if (key !== sunKey) {
    sunKey = key;
    const t = minute * 60;
    const answer = sky(`lat=${figures.lat}&lon=${figures.lon}&sat=${figures.sat_lon}&time=${t}&day_start=${t}&day_end=${t + 1}`);
    sun = answer.error ? null : answer.sun;
    skyError = answer.error ? `The sun's place could not be worked out: ${answer.error}.` : '';
  }
  return sun;
}

// Each reading, at once: the work is a few multiplications and the changed texts.
export function refresh(eventTime = performance.now()) {
  const began = performance.now();
  const message = status();
  setText('point-status', message);
  $('point-status').hidden = !message;
  const live = message === '' && figures && figures.visible;
  const m = live ? trueAttitude() : null;
  const beam = beamwidth(dish.diameter, dish.frequency);
  let tiltError = null;
  let turnError = null;
  if (m) {
    const mode = tiltMode();
    const target = tiltTarget(mode, figures.elevation, dish.offset);
    const reading = measuredTilt(m, mode);
    tiltError = target - reading;
    setText('tilt-advice', tiltAdvice(tiltError));
    setText('tilt-reading', `The phone reads ${reading.toFixed(1)}\u00B0; the dish wants ${target.toFixed(1)}\u00B0.`);
    if (attitude.absolute) {
      const heading = headingOf(m, screenAngle());
      turnError = wrap180(figures.azimuth - heading);
      setText('turn-advice', turnAdvice(turnError));
      setText('turn-reading', `Heading ${heading.toFixed(0)}\u00B0 true${corrected ? ', corrected by your sighting' : ''}; the dish wants ${figures.azimuth.toFixed(1)}\u00B0.`);
    } else {
      setText('turn-advice', '\u2013');
      setText('turn-reading', '');
    }
  } else {
    setText('tilt-advice', '\u2013');
    setText('tilt-reading', figures && !figures.visible ? sentence(figures.words.visibility) : '');
    setText('turn-advice', '\u2013');
    setText('turn-reading', '');
  }
  $('tilt-advice').dataset.error = tiltError === null ? '' : tiltError.toFixed(3);
  $('turn-advice').dataset.error = turnError === null ? '' : turnError.toFixed(3);
  setText('compass-note', compassNote());
  setText('tilt-skew', skewWords());
  const turned = figures && figures.visible && figures.words.skew.startsWith('turn the LNB');
  $('tilt-hand').setAttribute('transform', `rotate(${turned ? figures.skew : 0})`);
  const sunPlace = live ? sunNow() : null;
  if (skyError) setText('correction', skyError);
  $('sight-sun').disabled = !(live && attitude && attitude.absolute && sunPlace && sunPlace[1] > 0);
  $('sight-landmark').disabled = !(live && attitude && attitude.absolute);
  const headingTrusted = corrected || (typeof attitude?.accuracy === 'number' && attitude.accuracy >= 0 && attitude.accuracy <= beam / 2);
  setAligned(tiltError !== null && withinBeam(tiltError, beam) && (!headingTrusted || (turnError !== null && withinBeam(turnError, beam))));
  setText('beam-note', `Aligned means within the beam: \u00B1${(beam / 2).toFixed(1)}\u00B0 for a ${dish.diameter} m dish at ${dish.frequency} GHz` +
    (headingTrusted ? ', in tilt and in heading.' : ', in tilt (the compass is not trusted that far until you correct it by a sighting).'));
  if (look) look.draw();
  if (m) {
    // For the benchmark: from the reading to the guidance standing; the last few hundred kept.
    const end = performance.now();
    performance.measure('azimora-guidance', { start: Math.min(eventTime, began), end });
    performance.measure('azimora-guidance-work', { start: began, end });
    if (++measures % 500 === 0) {
      performance.clearMeasures('azimora-guidance');
      performance.clearMeasures('azimora-guidance-work');
    }
  }
}

function onReading(reading) {
  attitude = reading;
  everRead = true;
  if (!reading.absolute && sensorState === '') sensorState = 'tilt-only';
  refresh(reading.time);
}

// Three seconds of the page in view without any reading since the start: no
// sensor. Hidden, the count starts again when it is back; once a reading
// came, there is a sensor, however long the next one takes.
function watchForNoSensor() {
  clearTimeout(noSensorTimer);
  if (!started || everRead || sensorState !== '' || document.visibilityState !== 'visible') return;
  noSensorTimer = setTimeout(() => {
    if (started && !attitude && sensorState === '' && document.visibilityState === 'visible') sensorState = 'none';
    refresh();
  }, noSensorAfterMs);
}

function onSensorState(state) {
  sensorState = state;
  if (state === 'refused' || state === 'stopped') {
    // The way back: the button asks again (and says how to allow them).
    if (stopSensors) stopSensors();
    started = false;
    attitude = null;
    $('start-sensors').textContent = 'Try the sensors again';
    $('start-sensors').hidden = false;
  }
  refresh();
}

async function start() {
  if (started) return;
  started = true;
  attitude = null;
  everRead = false;
  sensorState = '';
  $('start-sensors').hidden = true;
  refresh();
  stopSensors = await startOrientation(onReading, onSensorState);
  watchForNoSensor();
}

// The sun or a landmark straight ahead of the phone's top (or its camera):
// the compass is off by the difference, from now on.
function sight(azimuth, elevation) {
  if (!fresh() || !figures) return;
  correction = 0;
  const heading = sightedHeading(trueAttitude(), elevation, screenAngle());
  correction = wrap180(azimuth - heading);
  corrected = true;
  setText('correction', `Compass corrected by ${correction >= 0 ? '+' : '\u2212'}${Math.abs(correction).toFixed(1)}\u00B0.`);
  $('forget-correction').hidden = false;
  refresh();
}

function toggleSound() {
  if (!audio) {
    const Context = globalThis.AudioContext || globalThis.webkitAudioContext;
    if (!Context) {
      setText('sound-note', 'This browser plays no sound.');
      return;
    }
    audio = new Context();
    const oscillator = audio.createOscillator();
    oscillator.frequency.value = 880;
    tone = audio.createGain();
    tone.gain.value = aligned ? 0.2 : 0;
    oscillator.connect(tone).connect(audio.destination);
    oscillator.start();
  }
  const on = $('sound').getAttribute('aria-pressed') !== 'true';
  $('sound').setAttribute('aria-pressed', String(on));
  $('sound').textContent = on ? 'Sound on' : 'Sound off';
  (on ? audio.resume() : audio.suspend()).then(() => {
    document.body.dataset.audio = audio.state;
    toneState();
  });
}

let viewShown = 'tilt';
async function showView(name) {
  viewShown = name;
  for (const tab of document.querySelectorAll('#point-tabs [role="tab"]')) {
    const chosen = tab.dataset.view === name;
    tab.setAttribute('aria-selected', String(chosen));
    tab.tabIndex = chosen ? 0 : -1;
    $(`${tab.dataset.view}-view`).hidden = !chosen;
  }
  if (name !== 'look' && look) {
    look.stop();
    look = null;
  }
  if (name === 'look' && !look) {
    // The camera's view is fetched when first opened: the first figures do not wait for it.
    const { startLook } = await import('./look.js');
    if (viewShown !== 'look' || look) return;
    look = startLook({ trueAttitude, screenAngle, fresh, figures: () => figures, landmark, onCalibrated: (headingCorrection) => {
      correction = wrap180(correction + headingCorrection);
      corrected = true;
      setText('correction', `Compass corrected by ${correction >= 0 ? '+' : '\u2212'}${Math.abs(correction).toFixed(1)}\u00B0 from the picture.`);
      $('forget-correction').hidden = false;
      refresh();
    } });
  }
}

// The landmark as typed, read by the engine: {azimuth, elevation} or {error}.
function landmark() {
  const typed = { landmark: $('landmark').value.trim(), landmark_elevation: $('landmark-elevation').value.trim() || '0' };
  if (!typed.landmark) return { error: 'Type the landmark\u2019s true bearing first, 0 to 360.' };
  const read = readFields(`landmark=${encodeURIComponent(typed.landmark)}&landmark_elevation=${encodeURIComponent(typed.landmark_elevation)}`);
  const error = read.landmark?.error || read.landmark_elevation?.error;
  if (error) return { error: `${error}.` };
  return { azimuth: read.landmark.value % 360, elevation: read.landmark_elevation.value };
}

// The drawing of the way the phone is laid: its HTML wrapper shown.
function showDrawing() {
  $('tilt-drawing-plate').hidden = tiltMode() !== 'plate';
  $('tilt-drawing-arm').hidden = tiltMode() !== 'arm';
  refresh();
}

// figures: the engine's of the moment; null when none.
export function setFigures(next, dishNow) {
  figures = next;
  dish = dishNow;
  $('arm-choice').hidden = !(dish.offset > 0);
  if (!(dish.offset > 0) && tiltMode() === 'arm') {
    $('tilt-plate').checked = true;
    showDrawing();
  }
  refresh();
}

export function setUpPoint() {
  $('start-sensors').addEventListener('click', start);
  $('sound').addEventListener('click', toggleSound);
  $('sight-sun').addEventListener('click', () => sunNow() && sight(sunNow()[0], sunNow()[1]));
  $('sight-landmark').addEventListener('click', () => {
    const known = landmark();
    if (known.error) {
      setText('correction', known.error);
      return;
    }
    sight(known.azimuth, known.elevation);
  });
  $('forget-correction').addEventListener('click', () => {
    correction = 0;
    corrected = false;
    setText('correction', '');
    $('forget-correction').hidden = true;
    refresh();
  });
  for (const input of document.querySelectorAll('input[name="tilt-mode"]')) input.addEventListener('change', showDrawing);
  const tabs = [...document.querySelectorAll('#point-tabs [role="tab"]')];
  for (const tab of tabs) {
    tab.addEventListener('click', () => showView(tab.dataset.view));
    tab.addEventListener('keydown', (event) => {
      const step = { ArrowRight: 1, ArrowLeft: -1 }[event.key];
      if (!step) return;
      const next = tabs[(tabs.indexOf(tab) + step + tabs.length) % tabs.length];
      next.focus();
      showView(next.dataset.view);
    });
  }
  document.addEventListener('visibilitychange', () => {
    // Back from the background: nothing counts until a new reading comes.
    if (document.visibilityState === 'visible') attitude = null;
    watchForNoSensor();
    refresh();
  });
  setInterval(() => started && refresh(), 250);
  window.addEventListener('pagehide', () => stopSensors && stopSensors());
  refresh();
}
