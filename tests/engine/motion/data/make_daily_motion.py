#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
"""Reference daily motions of geostationary satellites seen from sites, for
the engine's tests: python3-sgp4 (Debian's package: the SGP4/SDP4 model of
Vallado et al., "Revisiting Spacetrack Report #3", AIAA 2006-6753) for the
orbit, and a topocentric conversion of its own: the TEME frame turned by
Greenwich mean sidereal time of IAU 1982 (as SGP4 defines it) into the
Earth's, the site on the WGS84 ellipsoid, azimuth and elevation in its
east-north-up frame, no refraction.

The day is sampled every 10 seconds (8,641 points); every figure comes
from those points, the turning points refined by golden sections:
  - the best fixed aim: Welzl's smallest enclosing cap of the points and of
    the refined farthest points, checked by its optimality condition (the
    aim lies in the convex hull of the points on the cap's rim, seen from
    the aim), not by any other method's answer;
  - the swing: the widest pair of a one-minute subsample, each end refined;
  - hours within a loss, above the horizon: crossings interpolated between
    the 10-second points.

  daily_motion.csv        one row a case: inputs and reference figures
  daily_motion_track.csv  azimuth and elevation every three hours of each case

Run it again only when the cases change; the files are kept.
"""
import csv
import math
import os
import random

from sgp4.api import Satrec

HERE = os.path.dirname(os.path.abspath(__file__))

WGS84_A = 6378.137
WGS84_F = 1 / 298.257223563
GEO_RADIUS = 42164.17
STEP = 10.0
DAY = 86400.0


def checksum(line):
    return sum(int(c) if c.isdigit() else 1 if c == '-' else 0 for c in line[:68]) % 10


def gmst1982(jd_ut1):
    t = (jd_ut1 - 2451545.0) / 36525.0
    seconds = 67310.54841 + (876600.0 * 3600 + 8640184.812866) * t + 0.093104 * t * t - 6.2e-6 * t ** 3
    return math.radians((seconds % 86400) / 240.0)


def synthetic(number, epoch_day, inclination, node, eccentricity, perigee, motion, east_longitude):
    """A set of 2026 placed over east_longitude at its epoch (near-circular:
    node + perigee + anomaly less sidereal time)."""
    jd = 2461041.5 + epoch_day - 1  # 2026 January 1.0 is JD 2461041.5
    anomaly = (east_longitude + math.degrees(gmst1982(jd)) - node - perigee) % 360
    line1 = '1 %05dU 26001A   26%012.8f  .00000000  00000-0  00000-0 0  999' % (number, epoch_day)
    line2 = '2 %05d %8.4f %8.4f %07d %8.4f %8.4f %11.8f    1' % (number, inclination, node, eccentricity, perigee,
                                                              anomaly, motion)
    return line1 + str(checksum(line1)), line2 + str(checksum(line2))


# Real element sets: python3-sgp4's own verification file (SGP4-VER.TLE, from
# AIAA 2006-6753), geosynchronous objects of it.
REAL = {
    '24208': ('1 24208U 96044A   06177.04061740 -.00000094  00000-0  10000-3 0  1600',
              '2 24208   3.8536  80.0121 0026640 311.0977  48.3000  1.00778054 36119'),
    '26900': ('1 26900U 01039A   06106.74503247  .00000045  00000-0  10000-3 0  8290',
              '2 26900   0.0164 266.5378 0003319  86.1794 182.2590  1.00273847 16981'),
    '25954': ('1 25954U 99060A   04039.68057285 -.00000108  00000-0  00000-0 0  6847',
              '2 25954   0.0004 243.8136 0001765  15.5294  22.7134  1.00271289 15615'),
}
# Synthetic sets where no real one of the inclination was to hand, made as
# tests/engine/formats/data/make_geo_drift.py makes its own: epoch 2026
# April 10 (day 100), the node where a satellite left alone a few years has it.
SYNTHETIC = {
    'inclined 0.12': synthetic(90101, 100.0, 0.12, 85.0, 200, 270.0, 1.00273000, 19.2),
    'inclined 1.05': synthetic(90102, 100.0, 1.05, 78.0, 300, 200.0, 1.00272000, -30.0),
    'inclined 6.2': synthetic(90103, 100.0, 6.2, 60.0, 400, 120.0, 1.00270000, -75.0),
}
SETS = dict(REAL, **SYNTHETIC)

# name, set, site (lat, lon west, km), day (unix: UTC midnight), dish (m, GHz)
CASES = [
    ('3.85 drifting, Sydney, 0.6 m', '24208', (-33.87, -151.21, 0.05), 1151280000, (0.6, 11.7)),
    ('3.85 drifting, Tokyo, 1.2 m', '24208', (35.68, -139.69, 0.04), 1151280000, (1.2, 12.0)),
    ('station kept 0.016, Mumbai, 0.6 m', '26900', (19.08, -72.88, 0.01), 1145232000, (0.6, 11.7)),
    ('station kept 0.016, Johannesburg, 2.4 m C band', '26900', (-26.2, -28.04, 1.75), 1145232000, (2.4, 4.0)),
    ('station kept 0.0004, Denver, 0.6 m', '25954', (39.74, 104.99, 1.6), 1076371200, (0.6, 12.0)),
    ('inclined 0.12, Vienna, 1.2 m', 'inclined 0.12', (48.21, -16.37, 0.2), 1775952000, (1.2, 11.7)),
    ('inclined 0.12, Cape Town, 0.6 m', 'inclined 0.12', (-33.92, -18.42, 0.0), 1775952000, (0.6, 11.7)),
    ('inclined 0.12, Longyearbyen, 3 degrees up, 1.2 m', 'inclined 0.12', (78.22, -15.65, 0.0), 1775952000, (1.2, 11.7)),
    ('inclined 0.12, 70 S 70 E, 4 degrees up, 0.6 m', 'inclined 0.12', (-70.0, -70.0, 0.0), 1775952000, (0.6, 11.7)),
    ('inclined 1.05, Lisbon, 0.6 m', 'inclined 1.05', (38.72, 9.14, 0.1), 1775952000, (0.6, 11.7)),
    ('inclined 1.05, Sao Paulo, 1.2 m', 'inclined 1.05', (-23.55, 46.63, 0.76), 1775952000, (1.2, 11.7)),
    ('inclined 6.2, Bogota, 0.6 m', 'inclined 6.2', (4.71, 74.07, 2.6), 1775952000, (0.6, 11.7)),
    ('inclined 6.2, Anchorage, at the horizon', 'inclined 6.2', (61.22, 149.9, 0.0), 1775952000, (0.6, 11.7)),
    ('inclined 6.2, 60 S 130 W, low, 1.8 m C band', 'inclined 6.2', (-60.0, 130.0, 0.0), 1775952000, (1.8, 4.0)),
    ('inclined 6.2, 70 S 140 W, at the horizon', 'inclined 6.2', (-70.0, 140.0, 0.0), 1775952000, (0.6, 11.7)),
]


def site_position(lat, lon_west, alt):
    e2 = WGS84_F * (2 - WGS84_F)
    phi, lam = math.radians(lat), math.radians(-lon_west)
    n = WGS84_A / math.sqrt(1 - e2 * math.sin(phi) ** 2)
    return ((n + alt) * math.cos(phi) * math.cos(lam), (n + alt) * math.cos(phi) * math.sin(lam),
            (n * (1 - e2) + alt) * math.sin(phi))


def enu(lat, lon_west):
    phi, lam = math.radians(lat), math.radians(-lon_west)
    east = (-math.sin(lam), math.cos(lam), 0.0)
    north = (-math.sin(phi) * math.cos(lam), -math.sin(phi) * math.sin(lam), math.cos(phi))
    up = (math.cos(phi) * math.cos(lam), math.cos(phi) * math.sin(lam), math.sin(phi))
    return east, north, up


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def norm(a):
    length = math.sqrt(dot(a, a))
    return (a[0] / length, a[1] / length, a[2] / length)


def angle(a, b):
    c = cross(a, b)
    return math.atan2(math.sqrt(dot(c, c)), dot(a, b))


class Sky:
    def __init__(self, line1, line2, site):
        self.satellite = Satrec.twoline2rv(line1, line2)
        self.site = site_position(*site)
        self.frame = enu(site[0], site[1])

    def state(self, unix):
        jd = 2440587.5 + unix / DAY
        whole = math.floor(jd) + 0.5 if jd - math.floor(jd) >= 0.5 else math.floor(jd) - 0.5
        error, r, v = self.satellite.sgp4(whole, jd - whole)
        if error:
            raise RuntimeError('sgp4 error %d' % error)
        theta = gmst1982(jd)
        c, s = math.cos(theta), math.sin(theta)
        return (c * r[0] + s * r[1], -s * r[0] + c * r[1], r[2]), r, v

    def direction(self, unix):
        fixed = self.state(unix)[0]
        return norm((fixed[0] - self.site[0], fixed[1] - self.site[1], fixed[2] - self.site[2]))

    def azimuth_elevation(self, d):
        east, north, up = (dot(d, axis) for axis in self.frame)
        return math.degrees(math.atan2(east, north)) % 360, math.degrees(math.atan2(up, math.hypot(east, north)))

    def longitude_west(self, unix):
        fixed = self.state(unix)[0]
        return -math.degrees(math.atan2(fixed[1], fixed[0]))

    def inclination(self, unix):
        _, r, v = self.state(unix)
        h = cross(r, v)
        return math.degrees(math.atan2(math.hypot(h[0], h[1]), h[2]))


def golden_max(f, a, b, tolerance=1e-3):
    ratio = (math.sqrt(5) - 1) / 2
    c, d = b - ratio * (b - a), a + ratio * (b - a)
    fc, fd = f(c), f(d)
    while b - a > tolerance:
        if fc > fd:
            b, d, fd = d, c, fc
            c = b - ratio * (b - a)
            fc = f(c)
        else:
            a, c, fc = c, d, fd
            d = a + ratio * (b - a)
            fd = f(d)
    t = (a + b) / 2
    return t, f(t)


def local_maxima(times, values, f):
    """Refined local maxima of sampled values (the ends where the curve falls from them)."""
    found = []
    last = len(values) - 1
    for i in range(len(values)):
        before = i == 0 or values[i] > values[i - 1]
        after = i == last or values[i] >= values[i + 1]
        if before and after:
            t, v = golden_max(f, times[max(i - 1, 0)], times[min(i + 1, last)])
            if v < values[i]:
                t, v = times[i], values[i]
            found.append((t, v))
    return found


# The smallest enclosing cap: Welzl's algorithm, loops written out.
def cap_through2(a, b):
    c = norm((a[0] + b[0], a[1] + b[1], a[2] + b[2]))
    return c, max(angle(c, a), angle(c, b))


def cap_through3(a, b, c):
    n = cross((b[0] - a[0], b[1] - a[1], b[2] - a[2]), (c[0] - a[0], c[1] - a[1], c[2] - a[2]))
    n = norm(n)
    if dot(n, a) < 0:
        n = (-n[0], -n[1], -n[2])
    return n, max(angle(n, a), angle(n, b), angle(n, c))


def smallest_cap(points):
    p = list(points)
    random.Random(1).shuffle(p)
    inside = lambda cap, q: angle(cap[0], q) <= cap[1] + 1e-13
    cap = (p[0], 0.0)
    for i in range(1, len(p)):
        if inside(cap, p[i]):
            continue
        cap = (p[i], 0.0)
        for j in range(i):
            if inside(cap, p[j]):
                continue
            cap = cap_through2(p[i], p[j])
            for k in range(j):
                if not inside(cap, p[k]):
                    cap = cap_through3(p[i], p[j], p[k])
    return cap


def check_optimal(centre, radius, points):
    """The cap is the smallest: the rim's points, seen from the centre, leave
    no half-plane empty (no angular gap wider than half a turn)."""
    assert all(angle(centre, q) <= radius + 1e-12 for q in points)
    rim = [q for q in points if angle(centre, q) >= radius - 1e-10]
    helper = (1.0, 0.0, 0.0) if abs(centre[0]) < 0.9 else (0.0, 1.0, 0.0)
    u = norm(cross(centre, helper))
    w = cross(centre, u)
    bearings = sorted(math.atan2(dot(q, w), dot(q, u)) for q in rim)
    gaps = [b - a for a, b in zip(bearings, bearings[1:])] + [bearings[0] + 2 * math.pi - bearings[-1]]
    assert len(rim) >= 2 and max(gaps) <= math.pi + 1e-6, 'not the smallest cap'


def crossings_below(times, values, level):
    """Seconds the sampled curve stays at or under level, crossings interpolated."""
    seconds = 0.0
    for (t0, v0), (t1, v1) in zip(zip(times, values), zip(times[1:], values[1:])):
        if v0 <= level and v1 <= level:
            seconds += t1 - t0
        elif (v0 <= level) != (v1 <= level):
            t = t0 + (level - v0) / (v1 - v0) * (t1 - t0)
            seconds += t - t0 if v0 <= level else t1 - t
    return seconds


def reference(case):
    name, set_name, site, day, (dish, frequency) = case
    line1, line2 = SETS[set_name]
    sky = Sky(line1, line2, site)
    times = [day + i * STEP for i in range(int(DAY / STEP) + 1)]
    directions = [sky.direction(t) for t in times]

    # The best aim: the cap of the points, then of the refined farthest ones too.
    held = list(directions)
    centre, radius = smallest_cap(held)
    for _ in range(6):
        f = lambda t: angle(centre, sky.direction(t))
        maxima = local_maxima(times, [angle(centre, d) for d in directions], f)
        if max(v for _, v in maxima) - radius < 1e-11:
            break
        held += [sky.direction(t) for t, v in maxima if v > radius]
        centre, radius = smallest_cap(held)
    check_optimal(centre, radius, held)
    error = [math.degrees(angle(centre, d)) for d in directions]
    f = lambda t: math.degrees(angle(centre, sky.direction(t)))
    maxima = local_maxima(times, error, f)
    largest = max(v for _, v in maxima)
    worst = [t for t, v in maxima if v >= 0.99 * largest]

    # The swing: the widest pair of a minute's subsample, each end refined in turn.
    minute = list(range(0, len(times), 6))
    _, i, j = min((dot(directions[a], directions[b]), a, b) for x, a in enumerate(minute) for b in minute[x + 1:])
    ti, tj = times[i], times[j]
    for _ in range(4):
        far = sky.direction(tj)
        ti, _ = golden_max(lambda t: angle(far, sky.direction(t)), max(day, ti - 120), min(day + DAY, ti + 120))
        far = sky.direction(ti)
        tj, swing = golden_max(lambda t: angle(far, sky.direction(t)), max(day, tj - 120), min(day + DAY, tj + 120))
    swing = math.degrees(max(swing, angle(sky.direction(ti), sky.direction(tj))))

    # The nominal longitude: the middle of those passed over.
    longitudes = [sky.longitude_west(t) for t in times]
    first = longitudes[0]
    offsets = [(x - first + 180) % 360 - 180 for x in longitudes]
    nominal = ((first + (min(offsets) + max(offsets)) / 2) + 180) % 360 - 180
    lam = math.radians(-nominal)
    sat = (GEO_RADIUS * math.cos(lam), GEO_RADIUS * math.sin(lam), 0.0)
    nominal_dir = norm((sat[0] - sky.site[0], sat[1] - sky.site[1], sat[2] - sky.site[2]))
    nominal_error = max(v for _, v in local_maxima(
        times, [math.degrees(angle(nominal_dir, d)) for d in directions],
        lambda t: math.degrees(angle(nominal_dir, sky.direction(t)))))

    beamwidth = 70 * 299792458.0 / (frequency * 1e9) / dish
    loss = 12 * (largest / beamwidth) ** 2 if largest <= beamwidth / 2 else None
    within = lambda db: crossings_below(times, error, beamwidth * math.sqrt(db / 12)) / 3600
    elevations = [sky.azimuth_elevation(d)[1] for d in directions]
    above = (DAY - crossings_below(times, elevations, 0.0)) / 3600
    aim_az, aim_el = sky.azimuth_elevation(centre)
    nominal_az, nominal_el = sky.azimuth_elevation(nominal_dir)
    row = {
        'case': name, 'line1': line1, 'line2': line2, 'lat': site[0], 'lon': site[1], 'alt_km': site[2],
        'day': day, 'dish_m': dish, 'freq_ghz': frequency,
        'inclination': '%.9f' % sky.inclination(day + DAY / 2), 'swing': '%.9f' % swing,
        'aim_az': '%.9f' % aim_az, 'aim_el': '%.9f' % aim_el, 'largest_error': '%.9f' % largest,
        'nominal_lon': '%.9f' % nominal, 'nominal_az': '%.9f' % nominal_az, 'nominal_el': '%.9f' % nominal_el,
        'nominal_error': '%.9f' % nominal_error, 'beamwidth': '%.9f' % beamwidth,
        'peak_loss': '' if loss is None else '%.9f' % loss,
        'hours_1db': '%.6f' % within(1), 'hours_3db': '%.6f' % within(3), 'hours_above': '%.6f' % above,
        'lowest_elevation': '%.6f' % min(elevations),
        'worst_times': ' '.join('%.1f' % t for t in worst),
    }
    track = [(name, '%.1f' % times[k]) + tuple('%.9f' % x for x in sky.azimuth_elevation(directions[k]))
             for k in range(0, len(times), int(3 * 3600 / STEP))]
    return row, track


def main():
    rows, tracks = [], []
    for case in CASES:
        row, track = reference(case)
        rows.append(row)
        tracks += track
        print(row['case'], row['aim_el'], row['largest_error'], row['peak_loss'], row['hours_1db'], row['hours_above'])
    with open(os.path.join(HERE, 'daily_motion.csv'), 'w', newline='') as out:
        w = csv.DictWriter(out, fieldnames=list(rows[0]))
        w.writeheader()
        w.writerows(rows)
    with open(os.path.join(HERE, 'daily_motion_track.csv'), 'w', newline='') as out:
        w = csv.writer(out)
        w.writerow(['case', 'instant', 'azimuth', 'elevation'])
        w.writerows(tracks)


if __name__ == '__main__':
    main()
