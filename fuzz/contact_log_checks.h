// What every reading of a log promises, whatever bytes it was given: each
// record counted is either a contact or a skipped record, in order, at a
// place inside the file; every contact has a real date and time of day.
// A file refused as a whole promises nothing more.
#pragma once

#include <string>

#include "fuzz/fuzz_check.h"
#include "platform/result.h"
#include "tools/logs/contact_log.h"

namespace rezov::fuzz {

inline void CheckPosition(const LogPosition& where, const std::string& bytes, int& lastRecord) {
  FUZZ_CHECK(where.record > lastRecord);
  lastRecord = where.record;
  FUZZ_CHECK(where.line >= 1);
  FUZZ_CHECK(where.offset < bytes.size());
}

inline void CheckContactLog(const Result<ContactLog>& read, const std::string& bytes) {
  if (!read) return;
  const ContactLog& log = *read;
  FUZZ_CHECK(log.recordCount == static_cast<int>(log.contacts.size() + log.skipped.size()));
  int lastContact = 0;
  for (const LogContact& c : log.contacts) {
    CheckPosition(c.where, bytes, lastContact);
    FUZZ_CHECK(IsCalendarDate(c.time.year, c.time.month, c.time.day));
    FUZZ_CHECK(c.time.hour >= 0 && c.time.hour <= 23);
    FUZZ_CHECK(c.time.minute >= 0 && c.time.minute <= 59);
    FUZZ_CHECK(c.time.second >= 0 && c.time.second <= 59);
  }
  int lastSkipped = 0;
  for (const ReadProblem& p : log.skipped) {
    CheckPosition(p.where, bytes, lastSkipped);
    FUZZ_CHECK(!p.reason.empty());
  }
}

}  // namespace rezov::fuzz
