#include "tools/logs/contact_selection.h"

#include <cstdio>
#include <unordered_map>

namespace rezov {
namespace {

// What makes two contacts one another's repeat: call, band, mode, the UTC
// day and the half hour.
std::string RepeatKey(const LogContact& c) {
  char tour[32];
  std::snprintf(tour, sizeof tour, "|%04d%02d%02d|%02d|%d", c.time.year, c.time.month,
                c.time.day, c.time.hour, c.time.minute < 30 ? 0 : 1);
  return c.call + "|" + c.band + "|" + c.mode + tour;
}

std::string OutsideTheContest(const LogContact& c) {
  if (!IsContestBand(c.band)) return "band " + c.band + " m is not a contest band";
  if (!IsContestMode(c.mode)) {
    return c.mode.empty() ? "the record gives no mode" : "mode " + c.mode + " is not a contest mode";
  }
  return std::string();
}

}  // namespace

bool IsContestBand(const std::string& metres) { return metres == "160" || metres == "80"; }

bool IsContestMode(const std::string& mode) { return mode == "CW" || mode == "SSB"; }

std::string TourText(const CalendarTime& t) {
  const int first = t.minute < 30 ? 0 : 30;
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d-%02d:%02d", t.hour, first, t.hour, first + 29);
  return text;
}

void SelectContacts(ContactLog& log, const SelectionOptions& options) {
  std::unordered_map<std::string, int> handedOn;  // repeat key -> its record
  for (LogContact& c : log.contacts) {
    c.excluded = options.allContacts ? std::string() : OutsideTheContest(c);
    if (!c.excluded.empty()) continue;
    const auto [first, added] = handedOn.try_emplace(RepeatKey(c), c.where.record);
    if (!added && !options.keepRepeats) {
      c.excluded = "repeat of record " + std::to_string(first->second) + " in tour " +
                   TourText(c.time);
    }
  }
}

}  // namespace rezov
