// Holds the tool's ADIF reader against an independent one on logs nobody
// here wrote: every record that adif-parser-ts reads as a contact (a call,
// a date, a time, and a frequency or a band) must be a contact of the tool's
// `dump` too, with the same call, date and time.
// Usage: node real_logs_check.js REZOV FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const { AdifParser } = require('adif-parser-ts');

const [rezov, folder] = process.argv.slice(2);
const problems = [];
let checked = 0;

function dumpOf(file) {
  try {
    return JSON.parse(execFileSync(rezov, ['dump', file], { stdio: ['ignore', 'pipe', 'ignore'] }));
  } catch (e) {
    // Exit 1 or 2 still prints the dump when the file was read.
    return e.stdout && e.stdout.length ? JSON.parse(e.stdout) : { contacts: [] };
  }
}

for (const name of fs.readdirSync(folder).sort()) {
  if (!/\.adif?$/i.test(name)) continue;
  const file = path.join(folder, name);
  let records = [];
  try {
    records = AdifParser.parseAdi(fs.readFileSync(file, 'latin1')).records || [];
  } catch (e) {
    continue;  // a file the other reader refuses sets it no standard
  }
  const key = (call, date, time) => `${call.trim().toUpperCase()}|${date.trim()}|${time.trim().padEnd(6, '0')}`;
  const ours = new Set(dumpOf(file).contacts.map((c) => key(c.call, c.qso_date, c.time_on)));
  for (const r of records) {
    const f = (n) => (r[n] || '').trim();
    if (!f('call') || !f('qso_date') || !f('time_on') || !(f('freq') || f('band'))) continue;
    ++checked;
    if (!ours.has(key(f('call'), f('qso_date'), f('time_on')))) {
      problems.push(`${name}: ${f('call')} ${f('qso_date')} ${f('time_on')} is a contact to adif-parser-ts, not to rezov`);
    }
  }
}

if (problems.length) {
  for (const p of problems) console.error('real logs: ' + p);
  console.error(`real logs: ${problems.length} contacts missed`);
  process.exit(1);
}
console.log(`real logs: all ${checked} contacts that adif-parser-ts reads are read by rezov too`);
