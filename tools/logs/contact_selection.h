// Which contacts of a log the replay hands to the module: those of this
// contest, each once per tour, as a host would have let them be logged.
#pragma once

#include <string>

#include "tools/logs/contact_log.h"

namespace rezov {

struct SelectionOptions {
  bool allContacts = false;  // every band and mode, not only the contest's
  bool keepRepeats = false;  // repeats within a tour too
};

// The contest's bands (160 m, 80 m) and modes (CW, SSB).
bool IsContestBand(const std::string& metres);
bool IsContestMode(const std::string& mode);

// "18:00-18:29": the tour of a time, one half of its UTC hour.
std::string TourText(const CalendarTime& time);

// Sets `excluded` of every contact the replay keeps from the module. By
// default a contact outside the contest's bands or modes is one ("band 20 m
// is not a contest band"). So is a repeat: a contact with the call, band and
// mode of an earlier handed-on contact in the same tour of the same UTC day,
// which the host refuses at entry ("repeat of record 3 in tour
// 18:00-18:29"). Linear in the number of contacts.
void SelectContacts(ContactLog& log, const SelectionOptions& options);

}  // namespace rezov
