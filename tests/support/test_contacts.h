// Helpers that build contacts, resets and dates for the tests of the core.
#pragma once

#include <string>

#include "contest/contact_entry.h"
#include "contest/contest_reset.h"
#include "platform/ole_date.h"

namespace rezov {

inline OleDate At(int year, int month, int day, int hour, int minute, double second = 0) {
  return OleDate{OleDateFromCalendar(year, month, day, hour, minute, second), kOleDateValid};
}

inline ContactArgs Contact(const std::string& call, const std::string& exchange,
                           const std::string& country, const std::string& band = "160",
                           const std::string& mode = "CW",
                           OleDate time = At(2012, 3, 5, 19, 10)) {
  ContactArgs c;
  c.call = call;
  c.time = time;
  c.freqHz = band == "80" ? 3510000u : 1830000u;
  c.mode = mode;
  c.sentInfo = "599";
  c.rcvdInfo = "599";
  c.sentNumber = "001";
  c.rcvdExchange = exchange;
  c.country = country;
  c.band = band;
  return c;
}

// The reset of the tests' own station: R3XX, region MA, grid KO, on
// 5 March 2012.
inline ResetArgs StationReset(int reportMode) {
  ResetArgs args;
  args.reportMode = reportMode;
  args.callSign = "R3XX";
  args.contestDate = OleDate{40973.0, kOleDateValid};
  args.region = "MA";
  args.grid = "KO";
  return args;
}

}  // namespace rezov
