// Cross-checks the replay tool against two independent npm readers:
// adif-parser-ts must see in the ADIF log the same calls, dates, times,
// frequencies, modes and exchanges as the tool's own reader (its `dump`),
// and the `cabrillo` package must find every item of the Cabrillo file the
// module wrote in the slot where it belongs.
// Usage: node cross_check.js LOG.adi DUMP.json WRITTEN.cbr
'use strict';
const fs = require('fs');
const { AdifParser } = require('adif-parser-ts');
const { cabrilloToObject } = require('cabrillo');

const [adiPath, dumpPath, cbrPath] = process.argv.slice(2);
const problems = [];
function same(what, got, want) {
  if (got !== want) problems.push(`${what}: ${JSON.stringify(got)} instead of ${JSON.stringify(want)}`);
}

const dump = JSON.parse(fs.readFileSync(dumpPath, 'utf8'));
const adif = AdifParser.parseAdi(fs.readFileSync(adiPath, 'latin1'));
const records = adif.records || [];

// What the host's arguments should be, derived from the other parser's
// fields by their plain ADIF meaning.
const pad3 = (s) => (/^\d+$/.test(s) && s.length < 3 ? s.padStart(3, '0') : s);
function expected(r) {
  const f = (name) => (r[name] || '').trim();
  const sent = f('stx_string') ? f('stx_string').split(/\s+/)[0] : pad3(f('stx'));
  let rcvd = f('srx_string');
  if (!rcvd && f('srx')) rcvd = pad3(f('srx')) + (f('state') ? ' ' + f('state') : '');
  return {
    call: f('call'),
    qso_date: f('qso_date'),
    time_on: f('time_on').padEnd(6, '0'),
    freq_hz: Math.round(parseFloat(f('freq')) * 1e6),
    mode: f('mode'),
    rst_sent: f('rst_sent'),
    rst_rcvd: f('rst_rcvd'),
    sent_number: sent,
    rcvd_exchange: rcvd,
  };
}

same('skipped records', dump.skipped.length, 0);
same('number of contacts', dump.contacts.length, records.length);
records.forEach((r, i) => {
  const want = expected(r);
  const got = dump.contacts[i] || {};
  for (const key of Object.keys(want)) same(`record ${i + 1} ${key}`, got[key], want[key]);
});

// The Cabrillo file: the package reads the QSO items by the standard
// columns; this contest's sent and received numbers sit where that template
// keeps the RST, and the regions where it keeps the exchange.
const cbr = cabrilloToObject(fs.readFileSync(cbrPath, 'latin1'));
const qsos = cbr.QSO || [];
const ownCall = (cbr.CALLSIGN || '').trim();
same('CALLSIGN', ownCall, dump.own_call);
same('CONTEST', (cbr.CONTEST || '').trim(), 'MSK');
// The module writes the contacts the replay hands on, in order.
const handedOn = dump.contacts.filter((c) => !c.excluded);
same('number of QSO lines', qsos.length, handedOn.length);
const cabrilloMode = (m) => (m === 'CW' ? 'CW' : m === 'SSB' ? 'PH' : 'PM');
handedOn.forEach((c, i) => {
  const q = qsos[i] || {};
  const [number, region] = c.rcvd_exchange.split(' ');
  const d = c.qso_date;
  const slots = {
    freq: String(Math.floor(c.freq_hz / 1000)),
    mo: cabrilloMode(c.mode),
    date: `${d.slice(0, 4)}-${d.slice(4, 6)}-${d.slice(6, 8)}`,
    time: c.time_on.slice(0, 4),
    sentcall: dump.own_call,
    sentrst: c.sent_number,
    sentexch: dump.own_region,
    rcvdcall: c.call,
    rcvdrst: number,
    rcvdexch: region,
  };
  for (const key of Object.keys(slots)) same(`QSO line ${i + 1} ${key}`, q[key], slots[key]);
});

// The package trims its slots; the items must also start in their own
// columns (1-based: call sign 31, sent exchange 45, call 56, exchange 70).
const qsoLines = fs.readFileSync(cbrPath, 'latin1').split('\r\n').filter((l) => l.startsWith('QSO:'));
handedOn.forEach((c, i) => {
  const line = qsoLines[i] || '';
  const at = (column, text) => line.substr(column - 1, text.length);
  same(`QSO line ${i + 1} column 31`, at(31, dump.own_call), dump.own_call);
  const sent = `${c.sent_number} ${dump.own_region}`;
  same(`QSO line ${i + 1} column 45`, at(45, sent), sent);
  same(`QSO line ${i + 1} column 56`, at(56, c.call), c.call);
  same(`QSO line ${i + 1} column 70`, line.substr(69), c.rcvd_exchange);
});

if (problems.length) {
  for (const p of problems) console.error('cross-check: ' + p);
  console.error(`cross-check: ${problems.length} mismatches`);
  process.exit(1);
}
console.log(`cross-check: ${records.length} ADIF records and ${qsos.length} Cabrillo QSO lines agree`);
