#include "tools/logs/tour_repeats.h"

#include <cstdio>

namespace rezov {
namespace {

bool SameTour(const CalendarTime& a, const CalendarTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         (a.minute < 30) == (b.minute < 30);
}

std::string TourText(const CalendarTime& t) {
  const int first = t.minute < 30 ? 0 : 30;
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d-%02d:%02d", t.hour, first, t.hour, first + 29);
  return text;
}

}  // namespace

void NoteTourRepeats(ReplayLog& log) {
  const std::vector<ReplayContact>& cs = log.contacts;
  for (std::size_t i = 0; i < cs.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (cs[j].call == cs[i].call && cs[j].band == cs[i].band && cs[j].mode == cs[i].mode &&
          SameTour(cs[j].time, cs[i].time)) {
        log.notes.push_back(
            {cs[i].where, cs[i].call + " on " + cs[i].band + " " + cs[i].mode +
                              " repeats record " + std::to_string(cs[j].where.record) +
                              " in the tour " + TourText(cs[i].time) +
                              " UTC; a host refuses it at entry, the replay hands it on and "
                              "the module counts it"});
        break;
      }
    }
  }
}

}  // namespace rezov
