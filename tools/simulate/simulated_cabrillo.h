// The Cabrillo file of a simulated station, written the way the plug-in
// writes its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/logs/submitted_log.h"
#include "tools/simulate/station_roster.h"

namespace rezov::simulate {

// A line as the simulated station logged it: the checker's own line model
// (its minute on the station's clock; mode "CW", "PH" or "RY"), and what
// really happened.
struct SimulatedLine : adjudicate::QsoLine {
  bool unreadable = false;  // written damaged: the received exchange is missing
  std::int64_t trueSecond = 0;  // when it really happened
};

// The header takes the lines before the first QSO line.
constexpr std::uint32_t kFirstQsoLine = 8;

// "007": a serial as the plug-in sends it.
std::string SerialText(int serial);

// The whole file: START-OF-LOG: 3.0, CONTEST: MSK, CALLSIGN:,
// CATEGORY-OPERATOR:, CATEGORY-BAND:, CATEGORY-POWER:, CLAIMED-SCORE: (the
// score of its readable lines), the QSO lines and END-OF-LOG:, CR LF.
std::string CabrilloText(const Station& station, const std::vector<SimulatedLine>& lines);

}  // namespace rezov::simulate
