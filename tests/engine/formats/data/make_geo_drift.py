#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Azimora developers
# SPDX-License-Identifier: MIT
"""Reference drifts of geostationary objects for the engine's tests, from
python3-sgp4 (Debian's package: the SGP4/SDP4 model of Vallado et al.,
"Revisiting Spacetrack Report #3", 2006): the sub-satellite longitude over
one orbital period (1 / mean motion days) from an instant, in degrees a
day, east positive; the TEME frame turned by Greenwich mean sidereal time
of IAU 1982, as SGP4 defines it.

  geo_drift.csv   name, line 1, line 2, instant (unix s), drift (deg/day)

Run it again only when the element sets change; the file is kept.
"""
import csv
import math
import os

from sgp4.api import Satrec

HERE = os.path.dirname(os.path.abspath(__file__))


def checksum(line):
    return sum(int(c) if c.isdigit() else 1 if c == '-' else 0 for c in line[:68]) % 10


def tle(number, epoch, inclination, node, eccentricity, perigee, anomaly, motion):
    line1 = '1 %05dU 26001A   %14.8f  .00000000  00000-0  00000-0 0  999' % (number, epoch)
    line2 = '2 %05d %8.4f %8.4f %07d %8.4f %8.4f %11.8f    1' % (number, inclination, node, eccentricity, perigee,
                                                              anomaly, motion)
    return line1 + str(checksum(line1)), line2 + str(checksum(line2))


def gmst1982(jd_ut1):
    t = (jd_ut1 - 2451545.0) / 36525.0
    seconds = 67310.54841 + (876600.0 * 3600 + 8640184.812866) * t + 0.093104 * t * t - 6.2e-6 * t ** 3
    return math.radians((seconds % 86400) / 240.0)


def east_longitude(satellite, unix):
    jd = 2440587.5 + unix / 86400.0
    whole = math.floor(jd)
    error, position, _ = satellite.sgp4(whole, jd - whole)
    if error:
        raise RuntimeError('sgp4 error %d' % error)
    return math.degrees(math.atan2(position[1], position[0]) - gmst1982(jd))


def drift(line1, line2, unix):
    satellite = Satrec.twoline2rv(line1, line2)
    period = 86400.0 / satellite.no_kozai * (2 * math.pi / 1440.0)
    change = (east_longitude(satellite, unix + period) - east_longitude(satellite, unix) + 180) % 360 - 180
    return change * 86400.0 / period


SETS = [
    ('station kept', tle(90001, 26100.0, 0.02, 87.0, 1, 310.0, 200.0, 1.00270000)),
    ('exactly sidereal', tle(90002, 26100.0, 0.0, 0.0, 0, 0.0, 216.8932, 1.00273791)),
    ('drifting east', tle(90003, 26100.0, 0.05, 90.0, 200, 30.0, 100.0, 1.00380000)),
    ('inclined', tle(90004, 26100.0, 8.5, 50.0, 3000, 270.0, 45.0, 1.00271000)),
    ('eccentric', tle(90005, 26100.0, 0.1, 10.0, 12000, 90.0, 10.0, 1.00273000)),
    ('drifting west', tle(90006, 26100.0, 1.2, 300.0, 500, 10.0, 300.0, 0.99500000)),
]


def main():
    with open(os.path.join(HERE, 'geo_drift.csv'), 'w', newline='') as out:
        w = csv.writer(out)
        w.writerow(['name', 'line1', 'line2', 'instant', 'drift'])
        for name, (line1, line2) in SETS:
            # Ten days after the epoch, 2026-04-20 00:00 UTC.
            instant = 1776643200.0
            w.writerow([name, line1, line2, '%.1f' % instant, '%.9f' % drift(line1, line2, instant)])


if __name__ == '__main__':
    main()
