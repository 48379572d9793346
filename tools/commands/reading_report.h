// What the tool says about a log it has read, before it replays it.
#pragma once

#include <string>

#include "tools/commands/reporter.h"
#include "tools/logs/contact_log.h"

namespace rezov {

// Says what reading `log` found: the notes about the log as a whole; the
// skipped records and the notes on records, grouped by reason (the first
// five of each reason, then how many more); a log of another contest; the
// contacts kept from the module, counted per reason, each repeat with the
// record it repeats; and how many contacts go to the module.
void ReportReading(const ContactLog& log, const std::string& path, Reporter& report);

// A contest name that is not this contest's; empty when it is or when the
// log names none.
std::string OtherContest(const ContactLog& log);

}  // namespace rezov
