// The lines of a simulated contest as its logs have them, each beside its
// truth: for tests of what the simulator's faults do to the logs and to the
// truth.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "tools/logs/cabrillo_log_reader.h"
#include "tools/simulate/contest_simulator.h"

namespace rezov::simulate::testing {

struct TrueLine {
  std::string log;
  adjudicate::QsoLine line;
  adjudicate::Verdict status = adjudicate::Verdict::kOk;
  FaultSet faults = 0;
};

// A line by its log's call and the serial the log sent in it: what names a
// line whatever its place in the file (a clock that jumps back moves lines).
using LineKey = std::pair<std::string, std::string>;
using TrueLines = std::map<LineKey, TrueLine>;

// The sent serial of a QSO line as the simulator writes it ("QSO: freq mode
// date time own-call serial region call ..."), read from its text, since a
// line that cannot be read has no fields.
inline std::string SentSerialOf(std::string_view text) {
  std::istringstream in{std::string(text)};
  std::string field;
  for (int k = 0; k < 7; ++k) in >> field;
  return field;
}

inline TrueLines LinesOf(const SimulatedContest& contest) {
  std::map<std::pair<std::string, std::uint32_t>, std::pair<adjudicate::QsoLine, std::string>> read;
  for (const SimulatedLog& log : contest.logs) {
    Result<adjudicate::SubmittedLog> submitted = adjudicate::ReadCabrilloLog(log.call + ".cbr", log.bytes);
    EXPECT_TRUE(submitted.ok()) << log.call;
    if (!submitted.ok()) continue;
    for (const adjudicate::QsoLine& line : submitted->lines) {
      read[{log.call, line.lineNumber}] = {line, SentSerialOf(submitted->LineText(line))};
    }
  }
  TrueLines lines;
  for (const TruthRow& row : contest.truth) {
    const auto& [line, serial] = read[{row.log, row.line}];
    const bool fresh = lines.insert({{row.log, serial}, {row.log, line, row.status, row.faults}}).second;
    EXPECT_TRUE(fresh) << row.log << " sent " << serial << " twice";
  }
  return lines;
}

// A contest of 60 stations, each with about 100 QSOs, with the basic
// faults at their default rates (but clocks that keep time, when asked)
// and `faults`.
inline SimulatedContest SmallContest(const FaultRates& faults, bool clocksKeepTime = false) {
  SimulationOptions options;
  if (clocksKeepTime) {
    options.sloppyClockRate = 0;
    options.clockOffsetRate = 0;
    options.driftRate = 0;
  }
  options.stations = 60;
  options.qsosPerStation = 100;
  options.faults = faults;
  Result<SimulatedContest> contest = Simulate(options);
  EXPECT_TRUE(contest.ok()) << contest.error();
  return contest.ok() ? std::move(contest).value() : SimulatedContest{};
}

}  // namespace rezov::simulate::testing
