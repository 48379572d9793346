// The Cabrillo file of a simulated station, written the way the plug-in
// writes its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/adjudicate/submitted_log.h"
#include "tools/simulate/station_roster.h"

namespace rezov::simulate {

// One QSO line as the station logged it.
struct SimulatedLine {
  std::int32_t freqKhz = 0;
  std::string mode;  // "CW", "PH", "RY"
  adjudicate::Minute minute = 0;  // on the station's clock
  std::string ownCall;
  adjudicate::Exchange sent;
  std::string call;
  adjudicate::Exchange rcvd;
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
