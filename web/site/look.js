// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The sky through the back camera: the geostationary arc, the satellite,
// the sun and its path of the day drawn over the picture from the phone's
// attitude, so that trees and walls show against the line of sight. The
// browser gives no field of view: one tap on the sun (or on a landmark of
// known bearing and elevation) calibrates it, and corrects the compass too.
// Until then a field of view of 60 degrees is assumed, and said.
import { sky } from './engine.js';
import { sentence } from './figures.js';
import { azimuthOf, calibrateByTap, directionOf, elevationOf, focalFromFieldOfView, project, rayThrough } from './guidance.js';

const $ = (id) => document.getElementById(id);
const assumedFieldOfView = 60;

export const lookStats = { frames: 0 };

// The phone's day, midnight to midnight in its own zone, for the sun's path.
function phoneDay(now) {
  const start = new Date(now);
  start.setHours(0, 0, 0, 0);
  const end = new Date(start);
  end.setDate(end.getDate() + 1);
  return [Math.floor(start.getTime() / 1000), Math.floor(end.getTime() / 1000)];
}

const hourFormat = new Intl.DateTimeFormat(undefined, { hour: '2-digit' });

// The obstacles marked at a site, kept on this phone: [[azimuth, elevation], ...].
const marksKey = (f) => `azimora-marks:${Number(f.lat).toFixed(4)},${Number(f.lon).toFixed(4)}`;
function readMarks(f) {
  try {
    const marks = JSON.parse(localStorage.getItem(marksKey(f)) || '[]');
    return Array.isArray(marks) ? marks.filter((m) => Array.isArray(m) && m.length === 2 && m.every(Number.isFinite)) : [];
  } catch {
    return [];
  }
}
function writeMarks(f, marks) {
  try {
    localStorage.setItem(marksKey(f), JSON.stringify(marks));
    return true;
  } catch {
    return false;  // private mode or full: the marks last as long as the page
  }
}

// The sun's label beside its mark where no hour's label stands: right of
// it, else left, above or below. boxes: the hours' labels drawn, [x, y, w, h].
function freePlace(boxes, [x, y], radius, width, height) {
  const places = [[x + radius + 4, y + 5], [x - radius - 4 - width, y + 5], [x - width / 2, y - radius - 6],
                  [x - width / 2, y + radius + height + 2]];
  const overlaps = ([px, py]) => boxes.some(([bx, by, bw, bh]) => px < bx + bw && bx < px + width && py - height < by && by - bh < py);
  return places.find((place) => !overlaps(place)) || places[0];
}

export function startLook({ trueAttitude, screenAngle, fresh, figures, landmark, onCalibrated }) {
  const video = $('camera');
  const canvas = $('overlay');
  const context = canvas.getContext('2d');
  let stream = null;
  let focalOfWidth = null;  // the calibrated focal length over the view's width
  let skyKey = '';
  let skyNow = null;
  let frame = 0;
  let stopped = false;
  let marks = [];
  let marksSite = '';

  const say = (text) => {
    $('look-status').textContent = text;
    $('look-status').hidden = !text;
  };
  // No picture, no black box: the message says why.
  const showCamera = (shown) => { video.parentElement.hidden = !shown; };
  const focal = () => (focalOfWidth ?? focalFromFieldOfView(1, assumedFieldOfView)) * canvas.width;

  function marksOf(f) {
    if (marksKey(f) !== marksSite) {
      marksSite = marksKey(f);
      marks = readMarks(f);
    }
    return marks;
  }

  function skyOf(f) {
    const [dayStart, dayEnd] = phoneDay(Date.now());
    const marked = marksOf(f).map(([a, e]) => `${a.toFixed(2)}:${e.toFixed(2)}`).join(',');
    const key = `${f.lat}|${f.lon}|${f.sat_lon}|${dayStart}|${Math.floor(Date.now() / 60000)}|${marked}`;
    if (key !== skyKey) {
      skyKey = key;
      const answer = sky(`lat=${f.lat}&lon=${f.lon}&sat=${f.sat_lon}&time=${Date.now() / 1000}&day_start=${dayStart}&day_end=${dayEnd}&marks=${marked}`);
      skyNow = answer.error ? null : answer;
      // Said where the picture is: nothing is drawn over it without the sky.
      if (answer.error) say(`The sky could not be worked out: ${answer.error}.`);
      // The hours' names once, not at every frame (Intl is slow for that).
      if (skyNow) skyNow.hourNames = skyNow.sun_hours.map(([, , instant]) => hourFormat.format(new Date(instant * 1000)));
      sightLine(f, skyNow);
    }
    return skyNow;
  }

  // Is the line of sight clear? The engine weighs the marks; whether the
  // satellite counts as seen is the report's (it may be drawn just above
  // the horizon where it stands, yet below the degree it needs).
  function sightLine(f, s) {
    let text = '';
    if (!s) text = '';
    else if (!f.visible) text = sentence(f.words.visibility);
    else if (marks.length === 0) text = 'No obstacles marked: with “Mark obstacles” on, tap treetops and roof edges near the arc.';
    else if (s.satellite_blocked) text = `Blocked: your marks reach ${s.skyline_at_satellite.toFixed(1)}° where the satellite stands at ${s.satellite[1].toFixed(1)}°.`;
    else text = `Clear above your marks: they reach ${s.skyline_at_satellite.toFixed(1)}° there, the satellite stands at ${s.satellite[1].toFixed(1)}°.`;
    $('line-of-sight').textContent = text;
    $('line-of-sight').classList.toggle('warning', Boolean(s && s.satellite_blocked));
    $('clear-marks').hidden = marks.length === 0;
  }

  // The view's size, from a ResizeObserver: reading the layout at every
  // frame would force it to be worked out at every frame.
  let box = canvas.getBoundingClientRect();
  const watcher = new ResizeObserver(() => { box = canvas.getBoundingClientRect(); });
  watcher.observe(canvas);
  function size() {
    const ratio = window.devicePixelRatio || 1;
    const [width, height] = [Math.round(box.width * ratio), Math.round(box.height * ratio)];
    if (canvas.width !== width || canvas.height !== height) [canvas.width, canvas.height] = [width, height];
    return ratio;
  }

  function line(m, points, f, style, width) {
    context.strokeStyle = style;
    context.lineWidth = width;
    context.beginPath();
    let drawing = false;
    for (const [azimuth, elevation] of points) {
      const p = project(m, directionOf(azimuth, elevation), f, canvas.width, canvas.height, screenAngle());
      if (!p) {
        drawing = false;
        continue;
      }
      if (drawing) context.lineTo(p[0], p[1]);
      else context.moveTo(p[0], p[1]);
      drawing = true;
    }
    context.stroke();
  }

  // A mark with its label; the label's box, or null. avoid: boxes the label keeps off.
  function marker(m, [azimuth, elevation], f, fill, radius, label, avoid = []) {
    const p = project(m, directionOf(azimuth, elevation), f, canvas.width, canvas.height, screenAngle());
    if (!p) return null;
    context.fillStyle = fill;
    context.strokeStyle = '#000000';
    context.lineWidth = 2;
    context.beginPath();
    context.arc(p[0], p[1], radius, 0, 2 * Math.PI);
    context.fill();
    context.stroke();
    if (!label) return null;
    const width = context.measureText(label).width;
    const height = parseFloat(context.font);
    const [x, y] = freePlace(avoid, p, radius, width, height);
    context.fillStyle = '#ffffff';
    context.strokeStyle = '#000000';
    context.lineWidth = 4;
    context.strokeText(label, x, y);
    context.fillText(label, x, y);
    return [x, y, width, height];
  }

  function draw() {
    const began = performance.now();
    drawSky();
    // For the benchmark: a frame's drawing, the last few hundred kept.
    performance.measure('azimora-look-draw', { start: began, end: performance.now() });
    if (lookStats.frames % 500 === 0) performance.clearMeasures('azimora-look-draw');
  }

  function drawSky() {
    const ratio = size();
    context.clearRect(0, 0, canvas.width, canvas.height);
    const f = figures();
    const m = fresh() ? trueAttitude() : null;
    if (!m || !f) return;
    const s = skyOf(f);
    if (!s) return;
    lookStats.frames++;
    const lens = focal();
    context.font = `${Math.round(15 * ratio)}px system-ui, sans-serif`;
    // The horizon, the arc (dashed white over black, seen on sky and leaves), the sun's path.
    line(m, Array.from({ length: 73 }, (_, i) => [i * 5, 0]), lens, 'rgba(255, 255, 255, 0.6)', 1.5 * ratio);
    context.setLineDash([]);
    line(m, s.arc, lens, '#000000', 5 * ratio);
    context.setLineDash([8 * ratio, 6 * ratio]);
    line(m, s.arc, lens, '#ffffff', 3 * ratio);
    context.setLineDash([]);
    for (const arc of s.sun_path) line(m, arc, lens, '#ffb000', 2.5 * ratio);
    const hourLabels = s.sun_hours.map(([azimuth, elevation], i) => marker(m, [azimuth, elevation], lens, '#ffb000', 3 * ratio, s.hourNames[i]))
      .filter(Boolean);
    if (s.sun[1] > 0) lookStats.sunLabel = marker(m, s.sun, lens, '#ffd000', 9 * ratio, 'sun', hourLabels);
    lookStats.hourLabels = hourLabels;
    // The marked skyline: neighbours up to 90 degrees apart joined, as the engine weighs them.
    const sorted = [...marks].sort((a, b) => a[0] - b[0]);
    for (let i = 0; i < sorted.length; i++) {
      const next = sorted[(i + 1) % sorted.length];
      const span = (next[0] - sorted[i][0] + 360) % 360;
      if (sorted.length > 1 && span > 0 && span <= 90) {
        const steps = Math.max(2, Math.ceil(span));
        line(m, Array.from({ length: steps + 1 }, (_, k) => [sorted[i][0] + (span * k) / steps,
          sorted[i][1] + ((next[1] - sorted[i][1]) * k) / steps]), lens, '#ff3b30', 3 * ratio);
      }
    }
    for (const mark of marks) marker(m, mark, lens, '#ff3b30', 5 * ratio, '');
    if (s.satellite[1] > 0) marker(m, s.satellite, lens, '#ff00ff', 11 * ratio, 'satellite');
    // The middle of the picture, where a calibration tap is weighed.
    context.strokeStyle = '#ffffff';
    context.lineWidth = 1 * ratio;
    context.strokeRect(canvas.width / 2 - 6 * ratio, canvas.height / 2 - 6 * ratio, 12 * ratio, 12 * ratio);
  }

  function loop() {
    if (stopped) return;
    draw();
    frame = requestAnimationFrame(loop);
  }

  // With "Mark obstacles" on, a tap marks what it touches: a treetop, a roof's edge.
  function mark(event, m, f) {
    const box = canvas.getBoundingClientRect();
    const ratio = canvas.width / box.width;
    const ray = rayThrough(m, (event.clientX - box.left) * ratio, (event.clientY - box.top) * ratio, focal(),
                           canvas.width, canvas.height, screenAngle());
    marksOf(f).push([Number(azimuthOf(ray).toFixed(2)), Number(elevationOf(ray).toFixed(2))]);
    if (!writeMarks(f, marks)) say('This browser keeps nothing: the marks last while the page is open.');
    skyKey = '';
    skyOf(f);
  }

  // A tap on the sun, or on the landmark typed in the compass view.
  function tap(event) {
    const f = figures();
    const m = fresh() ? trueAttitude() : null;
    if (!m || !f) {
      say('No live reading of the phone\u2019s attitude: nothing to calibrate or mark against.');
      return;
    }
    if ($('mark-obstacles').getAttribute('aria-pressed') === 'true') {
      mark(event, m, f);
      return;
    }
    const s = skyOf(f);
    const useLandmark = $('calibrate-landmark').checked;
    const typed = useLandmark ? landmark() : null;
    if (typed && typed.error) {
      say(`${typed.error} (the compass view's landmark)`);
      return;
    }
    if (!useLandmark && (!s || s.sun[1] <= 0)) {
      say('The sun is below the horizon: calibrate on a landmark of known bearing and elevation.');
      return;
    }
    // Straight overhead a direction has no bearing: a tenth of a degree moves it anywhere around.
    if (!useLandmark && s.sun[1] > 89) {
      say(`The sun stands ${s.sun[1].toFixed(1)}\u00B0 high, all but overhead: its bearing cannot correct the compass. Calibrate on a landmark.`);
      return;
    }
    const known = useLandmark ? typed : { azimuth: s.sun[0], elevation: s.sun[1] };
    const box = canvas.getBoundingClientRect();
    const ratio = canvas.width / box.width;
    const result = calibrateByTap(m, (event.clientX - box.left) * ratio, (event.clientY - box.top) * ratio,
                                  canvas.width, canvas.height, known, screenAngle());
    if (!result) {
      say(`Tilt the phone until the ${useLandmark ? 'landmark' : 'sun'} stands well above or below the picture's middle ` +
          '(a third of the way to its edge), then tap it there again.');
      return;
    }
    focalOfWidth = result.focal / canvas.width;
    const fieldOfView = (2 * Math.atan(0.5 / focalOfWidth) * 180) / Math.PI;
    say('');
    $('look-calibration').textContent = `Calibrated: a field of view of ${fieldOfView.toFixed(0)}\u00B0 across.`;
    onCalibrated(result.headingCorrection);
  }

  async function open() {
    $('look-calibration').textContent = `Not calibrated: a field of view of ${assumedFieldOfView}\u00B0 is assumed; tap the sun (or the landmark) on the picture.`;
    if (!navigator.mediaDevices || !navigator.mediaDevices.getUserMedia) {
      showCamera(false);
      say('This browser gives no camera: the other views stay.');
      return;
    }
    try {
      stream = await navigator.mediaDevices.getUserMedia({ video: { facingMode: 'environment' }, audio: false });
      if (stopped) {
        stream.getTracks().forEach((track) => track.stop());
        return;
      }
      video.srcObject = stream;
      await video.play();
      say('');
    } catch (error) {
      showCamera(false);
      say(error && error.name === 'NotAllowedError'
        ? 'The camera was refused: allow it for this page to see the sky; the other views stay.'
        : `No camera (${error && error.message ? error.message : 'none found'}): the other views stay.`);
    }
  }

  const toggleMarking = () => {
    const on = $('mark-obstacles').getAttribute('aria-pressed') !== 'true';
    $('mark-obstacles').setAttribute('aria-pressed', String(on));
    $('mark-obstacles').textContent = on ? 'Marking obstacles: tap them' : 'Mark obstacles';
  };
  const clearMarks = () => {
    const f = figures();
    if (!f) return;
    marksOf(f).splice(0);
    writeMarks(f, marks);
    skyKey = '';
    skyOf(f);
  };
  $('mark-obstacles').addEventListener('click', toggleMarking);
  $('clear-marks').addEventListener('click', clearMarks);
  canvas.addEventListener('click', tap);
  showCamera(true);
  open();
  frame = requestAnimationFrame(loop);
  return {
    draw: () => {},  // the loop draws at the display's rate
    stop() {
      stopped = true;
      cancelAnimationFrame(frame);
      watcher.disconnect();
      canvas.removeEventListener('click', tap);
      $('mark-obstacles').removeEventListener('click', toggleMarking);
      $('clear-marks').removeEventListener('click', clearMarks);
      if (stream) stream.getTracks().forEach((track) => track.stop());
      video.srcObject = null;
    },
  };
}
