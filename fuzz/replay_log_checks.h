// What every reading of a log promises, whatever bytes it was given: each
// record counted is either a contact or a skipped record, in order, at a
// place inside the file; every contact has a real date and time of day.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/replay_log.h"

namespace rezov::fuzz {

inline void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

inline void CheckPosition(const LogPosition& where, const std::string& bytes, int& lastRecord) {
  Require(where.record > lastRecord, "records numbered in increasing order");
  lastRecord = where.record;
  Require(where.line >= 1, "lines count from 1");
  Require(where.offset < bytes.size(), "a record starts inside the file");
}

inline void CheckReplayLog(const ReplayLog& log, const std::string& bytes) {
  if (!log.unreadable.empty()) return;
  Require(log.recordCount ==
              static_cast<int>(log.contacts.size() + log.skipped.size()),
          "every record is a contact or skipped");
  int lastContact = 0;
  for (const ReplayContact& c : log.contacts) {
    CheckPosition(c.where, bytes, lastContact);
    Require(IsCalendarDate(c.time.year, c.time.month, c.time.day), "a real date");
    Require(c.time.hour >= 0 && c.time.hour <= 23, "an hour of the day");
    Require(c.time.minute >= 0 && c.time.minute <= 59, "a minute of the hour");
    Require(c.time.second >= 0 && c.time.second <= 59, "a second of the minute");
  }
  int lastSkipped = 0;
  for (const ReadProblem& p : log.skipped) {
    CheckPosition(p.where, bytes, lastSkipped);
    Require(!p.reason.empty(), "a skipped record says why");
  }
}

}  // namespace rezov::fuzz
