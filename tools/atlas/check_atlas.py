#!/usr/bin/env python3
"""Atlas checker: reads the generated atlas files on their own and compares them with their sources.

    python3 tools/atlas/check_atlas.py data/atlas [--npm DIR/node_modules]

- Layouts: record sizes, the town file's byte-wise order, NUL-terminated fields, the directory's
  header, country records and closing record.
- Time zones: for every country and region, the zone-file lookup (the suite's algorithm, mapping
  records, rule files 999 and 901) is compared with Python's zoneinfo, an implementation independent of
  the generator's, reading the same IANA database: once a month at noon from the first record to
  2100 and one minute and one hour either side of every record boundary. A local time that occurs
  twice counts as its first occurrence, a time skipped by a change of clocks as the new time.
"""
import bisect
import datetime
import json
import math
import os
import struct
import sys
import time
import zoneinfo


def julian_day(day, month, year, frac):
    y, m = year, month
    if month < 3:
        y, m = year - 1, month + 12
    a = math.floor(abs(y * 0.01))
    b = 2 - a + math.floor(abs(a * 0.25))
    p = math.floor(abs(365.25 * y))
    q = math.floor((m + 1) * 30.6001)
    return p + q + day + b + 1720994.5 + frac


def julian_dayh(day, month, year, hour, minute):
    return julian_day(day, month, year, hour * (1.0 / 24.0) + minute * (1.0 / 1440.0))


def local_from_jd(jd):
    """The local datetime (naive) of a local Julian Day, to the minute."""
    base = datetime.datetime(2000, 1, 1, 12)
    return base + datetime.timedelta(minutes=round((jd - 2451545.0) * 1440))


def read_zone_file(path, wide):
    data = open(path, 'rb').read()
    size = 20 if wide else 16
    assert len(data) % size == 0, path
    out = []
    for o in range(0, len(data), size):
        key = None
        if wide:
            (key,) = struct.unpack_from('<i', data, o)
            o += 4
        g, end, value, status = struct.unpack_from('<hdfh', data, o)
        out.append((key, g, end, value, status))
    return out


class Atlas:
    def __init__(self, folder):
        self.folder = folder
        self.files = {}

    def zone_file(self, n):
        if n not in self.files:
            self.files[n] = read_zone_file(os.path.join(self.folder, 'zykdd%03d.dtf' % n), n == 0)
        return self.files[n]

    @staticmethod
    def zone_file_of(country):
        if 1 <= country <= 10 or 12 <= country <= 14 or country in (52, 92, 169, 170):
            return country
        if country in (90, 91):
            return 7
        return 0

    def candidates(self, n, country, region):
        """The records the lookup can find for a town, with the start of each: (start, end, value, status)."""
        g = 0 if n in (7, 0, 999, 901) else region
        prev = 1.0
        out = []
        for key, group, end, value, status in self.zone_file(n):
            if n == 0 and key != country:
                if key > country:
                    break
                continue
            if end == 665:
                break
            if end == -1:
                if math.trunc(value) == g:
                    g = group
                continue
            if end == -2:
                if math.trunc(value) == region:
                    g = region
                continue
            if group == g:
                out.append((prev, end, value, status))
            if end > 0:
                prev = end
        return out

    def lookup(self, cands, jd):
        ends = [c[1] for c in cands]
        i = bisect.bisect_right(ends, jd)
        while i < len(cands):
            s, e, v, st = cands[i]
            if s <= jd < e:
                return v, st
            if s > jd:
                return None
            i += 1
        return None

    def resolve(self, country, region, jd, cache):
        key = (country, region)
        if key not in cache:
            n = self.zone_file_of(country)
            cache[key] = self.candidates(n, country, region)
        r = self.lookup(cache[key], jd)
        if r is None:
            return None
        v, st = r
        for rule in (999, 901):
            if st in (rule, rule * 10):
                rk = ('rule', rule)
                if rk not in cache:
                    cache[rk] = self.candidates(rule, 0, 0)
                rr = self.lookup(cache[rk], jd)
                if rr is None:
                    return None
                s = rr[1]
                zone = math.trunc(v * 0.1) * 0.1 if s == 1 else v - 10 * math.trunc(v * 0.1)
                return zone, s
        return v, st


def expected(zone, local):
    """(offset hours, status, certain) the database gives for a local time: the offset from zoneinfo (the
    first occurrence of a repeated time, the new time for a skipped one), the daylight-saving flag from
    the C library's reading of the same zone (zoneinfo only estimates it). Certain is False where the
    zone uses a negative DST near that time, so that either reading of summer time is accepted."""
    a = local.replace(tzinfo=zone, fold=0)
    b = local.replace(tzinfo=zone, fold=1)
    pick = a if a.utcoffset() >= b.utcoffset() else b
    off = pick.utcoffset().total_seconds() / 3600
    if pick.tzname() == 'LMT':
        return off, 32, True
    # A skipped time counts as the new time: its moment is read with the offset before the change,
    # which puts it after the change.
    ut = a.timestamp() if a.utcoffset() < b.utcoffset() else pick.timestamp()
    isdst = time.localtime(ut).tm_isdst
    near_negative = False
    for days in range(-400, 401, 20):
        try:
            d = datetime.datetime.fromtimestamp(ut + days * 86400, zone).dst()
        except (OverflowError, ValueError):
            continue
        if d is not None and d < datetime.timedelta(0):
            near_negative = True
    return off, 4 if isdst else 1, not near_negative


def check_zones(folder):
    atlas = Atlas(folder)
    regions = []
    for line in open(os.path.join(folder, 'zones.tsv')):
        if line.startswith('#'):
            continue
        c, r, z = line.rstrip('\n').split('\t')
        regions.append((int(c), int(r), z))
    cache = {}
    samples = mismatches = status_skipped = offsets_differ = 0
    bad = []
    for country, region, zname in regions:
        if country == 7 and region not in (0, 96, 97):
            continue  # the departements all use the country's group
        if country in (90, 91):
            continue  # their towns carry regions 96 and 97 of France's file, checked there
        zone = zoneinfo.ZoneInfo(zname)
        os.environ['TZ'] = zname
        time.tzset()
        n = atlas.zone_file_of(country)
        key = (country, region)
        cache[key] = atlas.candidates(n, country, region)
        cands = cache[key]
        if not cands:
            bad.append(f'{country}/{region} {zname}: no records')
            continue
        times = []
        first_year = max(1800, local_from_jd(cands[0][1]).year - 2)
        for y in range(first_year, 2101):
            for m in range(1, 13):
                for d in (1,):
                    times.append(datetime.datetime(y, m, d, 12))
        for s, e, v, st in cands:
            if e >= julian_dayh(1, 1, 2101, 0, 0) or e < 2000000:
                continue
            t = local_from_jd(e)
            for dm in (-60, -1, 0, 1, 60):
                times.append(t + datetime.timedelta(minutes=dm))
        for t in times:
            jd = julian_dayh(t.day, t.month, t.year, t.hour, t.minute)
            got = atlas.resolve(country, region, jd, cache)
            off, st, sure = expected(zone, t)
            samples += 1
            if got is None:
                mismatches += 1
                bad.append(f'{country}/{region} {zname} {t}: not found')
                continue
            gv, gs = got
            if gs == 32:
                ok_value = abs(gv - off) < 1e-4
            else:
                ok_value = abs(gv - off) < 1e-4
            ok_status = gs == st
            if not sure and gs in (1, 4) and gs != st:
                ok_status = True
                status_skipped += 1
            if not ok_value:
                offsets_differ += 1
            if not (ok_value and ok_status):
                mismatches += 1
                if True:
                    bad.append(f'{country}/{region} {zname} {t}: atlas {gv:.4f} {gs}, IANA {off:.4f} {st}')
    print(f'zones: {len(regions)} country/region zones, {samples} local times compared, {mismatches} differ'
          f' ({offsets_differ} in the offset)'
          f' ({status_skipped} summer times read across a negative DST)')
    shown = {}
    for b in bad:
        z = b.split(' ')[1]
        shown[z] = shown.get(z, 0) + 1
        if shown[z] <= 3:
            print('  ', b)
    for z, k in shown.items():
        print(f'   {z}: {k} differences')
    return mismatches == 0 and not [b for b in bad if 'no records' in b]


def check_layout(folder):
    towns = open(os.path.join(folder, 'ZYKWIL.DTF'), 'rb').read()
    assert len(towns) % 32 == 0
    names = [towns[o:o + 20] for o in range(0, len(towns), 32)]
    ok = all(n[19] == 0 and b'\0' not in n[:19] for n in names)
    ok &= all(names[i] <= names[i + 1] for i in range(len(names) - 1))
    d = open(os.path.join(folder, 'ZYKDDDir.DTF'), 'rb').read()
    assert len(d) % 26 == 0
    recs = [struct.unpack_from('<hh22s', d, o) for o in range(0, len(d), 26)]
    n = recs[0][0]
    ok &= all(recs[i][0] == i for i in range(1, n + 1))
    ok &= recs[-1][0] == 6666
    ok &= all(r[2][21] == 0 for r in recs)
    print(f'layout: {len(names)} towns sorted byte-wise, {n} countries, {len(recs) - n - 2} states: '
          f'{"ok" if ok else "FAILED"}')
    return ok


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else 'data/atlas'
    ok = check_layout(folder)
    ok &= check_zones(folder)
    print('all checks passed' if ok else 'CHECKS FAILED')
    sys.exit(0 if ok else 1)


if __name__ == '__main__':
    main()
