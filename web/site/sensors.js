// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
//
// The phone's attitude from whichever source the browser has, as one kind
// of reading: a rotation from the phone's axes to east, north and up, with
// magnetic north where the source knows it (absolute), else an arbitrary
// north (tilt only). The sources, best first:
// - AbsoluteOrientationSensor (Chromium on Android): a quaternion, magnetic;
// - deviceorientationabsolute (Chromium, Firefox on Android): magnetic;
// - deviceorientation with webkitCompassHeading (iOS): magnetic heading of
//   the phone's top, with its accuracy (-1: not calibrated);
// - deviceorientation alone: the tilt, no north.
// iOS asks before it gives any (DeviceOrientationEvent.requestPermission,
// from a tap): start() must be called from one.
import { headingOf, matrixFromEuler, matrixFromQuaternion, turnedClockwise } from './guidance.js';

// reading: {matrix, absolute, accuracy (degrees, null unknown, -1 uncalibrated), time (ms, performance clock)}
// state: 'refused', 'none' (no sensor answers), 'stopped' (a sensor that
// answered reports an error); the reading's absolute says tilt only.
export async function startOrientation(onReading, onState) {
  const stops = [];
  const stop = () => stops.splice(0).forEach((s) => s());

  const Motion = globalThis.DeviceOrientationEvent;
  if (Motion && typeof Motion.requestPermission === 'function') {
    let answer = 'denied';
    try {
      answer = await Motion.requestPermission();
    } catch {
      answer = 'denied';
    }
    if (answer !== 'granted') {
      onState('refused');
      return stop;
    }
  }

  const useEvents = () => {
    let absoluteSeen = false;
    const onAbsolute = (event) => {
      if (event.alpha === null || event.beta === null) return;
      absoluteSeen = true;
      onReading({ matrix: matrixFromEuler(event.alpha, event.beta, event.gamma ?? 0), absolute: true, accuracy: null,
                  time: event.timeStamp });
    };
    const onRelative = (event) => {
      if (absoluteSeen || event.beta === null) return;
      let matrix = matrixFromEuler(event.alpha ?? 0, event.beta, event.gamma ?? 0);
      const compass = event.webkitCompassHeading;
      if (typeof compass === 'number' && compass >= 0) {
        // iOS: the relative attitude turned so that its top edge has the compass's heading.
        matrix = turnedClockwise(matrix, compass - headingOf(matrix, 0));
        const accuracy = event.webkitCompassAccuracy;
        onReading({ matrix, absolute: true, accuracy: typeof accuracy === 'number' ? accuracy : null, time: event.timeStamp });
        return;
      }
      onReading({ matrix, absolute: event.absolute === true, accuracy: null, time: event.timeStamp });
    };
    window.addEventListener('deviceorientationabsolute', onAbsolute);
    window.addEventListener('deviceorientation', onRelative);
    stops.push(() => {
      window.removeEventListener('deviceorientationabsolute', onAbsolute);
      window.removeEventListener('deviceorientation', onRelative);
    });
    if (!('ondeviceorientationabsolute' in window) && !Motion) onState('none');
  };

  if (typeof globalThis.AbsoluteOrientationSensor === 'function') {
    try {
      const sensor = new globalThis.AbsoluteOrientationSensor({ frequency: 60, referenceFrame: 'device' });
      let answered = false;
      sensor.addEventListener('reading', () => {
        answered = true;
        onReading({ matrix: matrixFromQuaternion(sensor.quaternion), absolute: true, accuracy: null,
                    time: sensor.timestamp ?? performance.now() });
      });
      sensor.addEventListener('error', (event) => {
        sensor.stop();
        if (event.error && event.error.name === 'NotAllowedError') onState('refused');
        else if (!answered) useEvents();  // no such sensor: the events may still come
        else onState('stopped');  // it answered, and says it no longer can
      });
      sensor.start();
      stops.push(() => sensor.stop());
      return stop;
    } catch (error) {
      if (error && error.name === 'SecurityError') {
        onState('refused');
        return stop;
      }
    }
  }
  useEvents();
  return stop;
}
