#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
"""Reference instants of the sun for the engine's tests, from PyEphem
(Debian's python3-ephem: VSOP87 for the sun, the IAU 1980 nutation, the
observer's topocentric place), with the dish's direction worked out here
on its own from WGS84 and the geostationary radius.

  sun_alignments.csv  the instants of a UTC day when the sun's azimuth is the
                      dish's, while the sun is above the horizon, with the
                      rate of the sun's azimuth then (degrees a second)
  sun_outages.csv     the sun outages of 2026: while the sun is within the
                      threshold of the dish's direction and above the horizon
  sun_places.csv      the sun's apparent geocentric right ascension and
                      declination of date, and Greenwich apparent sidereal
                      time, at instants from 1990 to 2060, with the
                      difference of dynamical and universal time PyEphem
                      took (delta_t, seconds)

Run it again (tests/engine/sky/data/make_sun_reference.py) only when the
sites change; the files are kept in the repository.
"""
import csv
import math
import os

import ephem

A = 6378137.0                      # WGS84 semi-major axis, m
E2 = 0.00669437999014              # WGS84 first eccentricity squared
GEOSTATIONARY = 42164172.0         # orbit radius, m
EPOCH = ephem.Date('1970/1/1 00:00:00')
HERE = os.path.dirname(os.path.abspath(__file__))


def ecef(latitude, longitude_east, height=0.0):
    phi, lam = math.radians(latitude), math.radians(longitude_east)
    n = A / math.sqrt(1 - E2 * math.sin(phi) ** 2)
    return ((n + height) * math.cos(phi) * math.cos(lam), (n + height) * math.cos(phi) * math.sin(lam),
            (n * (1 - E2) + height) * math.sin(phi))


def dish_direction(latitude, longitude_west, satellite_west):
    """Azimuth and elevation of the satellite seen from the site, degrees."""
    site = ecef(latitude, -longitude_west)
    lam = math.radians(-satellite_west)
    sat = (GEOSTATIONARY * math.cos(lam), GEOSTATIONARY * math.sin(lam), 0.0)
    d = [s - p for s, p in zip(sat, site)]
    phi, lon = math.radians(latitude), math.radians(-longitude_west)
    east = -math.sin(lon) * d[0] + math.cos(lon) * d[1]
    north = (-math.sin(phi) * math.cos(lon) * d[0] - math.sin(phi) * math.sin(lon) * d[1] + math.cos(phi) * d[2])
    up = (math.cos(phi) * math.cos(lon) * d[0] + math.cos(phi) * math.sin(lon) * d[1] + math.sin(phi) * d[2])
    return (math.degrees(math.atan2(east, north)) % 360,
            math.degrees(math.atan2(up, math.hypot(east, north))))


def observer(latitude, longitude_west):
    o = ephem.Observer()
    o.lat, o.lon = str(latitude), str(-longitude_west)
    o.elevation = 0
    o.pressure = 0  # the geometric horizon, as the engine counts it
    return o


def sun_at(o, unix):
    o.date = EPOCH + unix / 86400.0
    s = ephem.Sun(o)
    return math.degrees(s.az), math.degrees(s.alt)


def wrap180(x):
    return (x + 180.0) % 360.0 - 180.0


def bisect(f, a, b, tolerance=0.005):
    fa = f(a)
    while b - a > tolerance:
        m = (a + b) / 2
        fm = f(m)
        if (fm < 0) == (fa < 0):
            a, fa = m, fm
        else:
            b = m
    return (a + b) / 2


def day_start(year, month, day):
    return (ephem.Date((year, month, day)) - EPOCH) * 86400.0


def alignments(latitude, longitude_west, azimuth, date):
    o = observer(latitude, longitude_west)
    start = round(day_start(*date))
    miss = lambda t: wrap180(sun_at(o, t)[0] - azimuth)
    found = []
    previous = miss(start)
    for step in range(1, 1441):
        t = start + step * 60.0
        now = miss(t)
        if (now < 0) != (previous < 0) and abs(now - previous) < 90:
            root = bisect(miss, t - 60, t)
            if sun_at(o, root)[1] > 0:
                rate = (wrap180(sun_at(o, root + 1)[0] - sun_at(o, root - 1)[0])) / 2
                found.append((root, rate))
        previous = now
    return found


def separation(o, unix, satellite):
    az, alt = sun_at(o, unix)
    return math.degrees(ephem.separation((math.radians(az), math.radians(alt)),
                                         (math.radians(satellite[0]), math.radians(satellite[1]))))


def outages(latitude, longitude_west, satellite_west, threshold):
    o = observer(latitude, longitude_west)
    satellite = dish_direction(latitude, longitude_west, satellite_west)
    found = []
    t = day_start(2026, 1, 1)
    end = day_start(2027, 1, 1)
    while t < end:
        # Days when the sun comes near: minute by minute, then closer.
        s = separation(o, t, satellite)
        if s > threshold + 20:
            t += 600
            continue
        if s < threshold and sun_at(o, t)[1] > 0:
            inside = lambda x: threshold - separation(o, x, satellite) if sun_at(o, x)[1] > 0 else -1
            begin = bisect(lambda x: -inside(x), t - 60, t) if inside(t - 60) < 0 else t
            finish = t
            while inside(finish + 60) > 0:
                finish += 60
            finish = bisect(lambda x: -inside(x), finish, finish + 60)
            # The peak: golden section on the separation while the sun is up.
            a, b = begin, finish
            g = (math.sqrt(5) - 1) / 2
            while b - a > 0.01:
                x1, x2 = b - g * (b - a), a + g * (b - a)
                if separation(o, x1, satellite) < separation(o, x2, satellite):
                    b = x2
                else:
                    a = x1
            peak = (a + b) / 2
            # How fast the separation changes at the ends (degrees a second),
            # and how near the peak comes.
            rate = lambda x: (separation(o, x + 1, satellite) - separation(o, x - 1, satellite)) / 2
            found.append((begin, peak, finish, rate(begin), rate(finish), separation(o, peak, satellite)))
            t = finish + 3600
            continue
        t += 60
    return found


def places():
    o = observer(0.0, 0.0)
    rows = []
    for k in range(48):
        # Spread over 70 years, at odd hours and days.
        unix = day_start(1990, 1, 1) + k * (70 * 365.25 * 86400 / 48) + k * 3607.0
        o.date = EPOCH + unix / 86400.0
        s = ephem.Sun()
        s.compute(o.date, epoch=o.date)
        rows.append((unix, math.degrees(s.g_ra), math.degrees(s.g_dec), math.degrees(o.sidereal_time()),
                     ephem.delta_t(o.date)))
    return rows


def main():
    with open(os.path.join(HERE, 'sun_places.csv'), 'w', newline='') as out:
        w = csv.writer(out)
        w.writerow(['instant', 'right_ascension', 'declination', 'sidereal_time', 'delta_t'])
        for unix, ra, dec, gast, delta_t in places():
            w.writerow(['%.3f' % unix, '%.9f' % ra, '%.9f' % dec, '%.9f' % gast, '%.3f' % delta_t])
    with open(os.path.join(HERE, 'sun_alignments.csv'), 'w', newline='') as out:
        w = csv.writer(out)
        w.writerow(['latitude', 'longitude_west', 'satellite_west', 'dish_azimuth', 'date', 'instant', 'azimuth_rate'])
        for latitude in (-60.0, -33.9, -0.1, -0.05, 0.0, 0.05, 0.1, 23.4, 51.08):
            for satellite_west in (70.0, -20.0, 5.0):
                azimuth = dish_direction(latitude, 0.0, satellite_west)[0]
                for date in ((2026, 3, 20), (2026, 9, 23), (2026, 6, 21), (2026, 12, 21), (2026, 2, 10)):
                    for instant, rate in alignments(latitude, 0.0, azimuth, date):
                        w.writerow([latitude, 0.0, satellite_west, '%.9f' % azimuth, '%04d-%02d-%02d' % date,
                                    '%.3f' % instant, '%.6f' % rate])
    with open(os.path.join(HERE, 'sun_outages.csv'), 'w', newline='') as out:
        w = csv.writer(out)
        w.writerow(['latitude', 'longitude_west', 'satellite_west', 'threshold', 'start', 'peak', 'end', 'start_rate',
                    'end_rate', 'peak_separation'])
        threshold = 70 * (299792458.0 / 12e9) / 0.6 / 2 + 0.25  # 0.6 m at 12 GHz
        for latitude, longitude_west, satellite_west in ((51.08, 114.08, 107.3), (54.6, 5.93, -19.2),
                                                         (-33.87, -151.2, -156.0), (0.05, -30.0, -30.0),
                                                         (-0.18, 78.47, 61.0), (64.8, 147.7, 119.0)):
            for begin, peak, finish, begin_rate, finish_rate, closest in outages(latitude, longitude_west,
                                                                                  satellite_west, threshold):
                w.writerow([latitude, longitude_west, satellite_west, '%.9f' % threshold, '%.2f' % begin,
                            '%.2f' % peak, '%.2f' % finish, '%.6f' % begin_rate, '%.6f' % finish_rate,
                            '%.6f' % closest])


if __name__ == '__main__':
    main()
