// A contest with known truth, for measuring the log checker: stations in
// Moscow, in the other Russian regions and outside Russia work each other
// over the tours of the period on both bands in CW and SSB, make the
// mistakes real operators make at set rates, and send their Cabrillo logs,
// or do not. Beside the logs, the truth: what the checker should decide
// for every line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/result.h"
#include "tools/logs/calendar.h"
#include "tools/definition/verdict.h"
#include "tools/simulate/fault_rates.h"

namespace rezov::simulate {

struct SimulationOptions {
  std::uint64_t randomStart = 1;  // the same value gives the same contest, byte for byte
  int stations = 150;
  int qsosPerStation = 150;  // on average, before errors and extra QSOs
  std::string start = "2025-12-14 16:00";  // UTC, on a half hour
  int tours = 4;
  double moscowShare = 0.3;   // of the stations
  double outsideShare = 0.2;  // the rest are in the other Russian regions
  // Stations.
  double noLogRate = 0.15;        // send no log
  double sloppyClockRate = 0.2;   // clock up to 30 s off (the others keep time)
  double clockOffsetRate = 0.05;  // clock off by 2 to 30 minutes, either way
  double driftRate = 0.05;        // clock drifting by up to a minute an hour
  // Per line: errors of the operator who logs it.
  double bustedCallRate = 0.02;
  double serialSlipRate = 0.012;
  double regionSlipRate = 0.006;
  double oneSidedRate = 0.02;  // the QSO is missing from this log
  double unreadableRate = 0.002;
  // Per QSO: extra QSOs, logged by both sides.
  double repeatRate = 0.01;
  double wrongBandRate = 0.003;
  double wrongModeRate = 0.002;
  double outsidePeriodRate = 0.004;
  // The faults of real logs beyond these; FaultRates::None() for a contest
  // with the basic faults above only.
  FaultRates faults;
};

struct SimulatedLog {
  std::string call;
  std::string bytes;  // the Cabrillo 3.0 file, CR LF line ends
};

struct TruthRow {
  std::string log;     // the log's call
  std::uint32_t line;  // 1-based, in its file
  adjudicate::Verdict status;
  FaultSet faults;  // the faults of FaultRates that touched the line
};

struct SimulatedContest {
  Minute start = 0;  // the period, start included, end not
  Minute end = 0;
  std::vector<SimulatedLog> logs;  // by call
  std::vector<TruthRow> truth;     // by log, then line
};

// Generates the contest the options describe. Fails when the options
// cannot make one (a start off the half hour, too few stations).
Result<SimulatedContest> Simulate(const SimulationOptions& options);

// truth.csv: "log,line,status" and one row per QSO line, CR LF.
std::string TruthCsv(const SimulatedContest& contest);

// faults.csv: "log,line,faults" and one row per QSO line a fault of
// FaultRates touched, with the faults' words (FaultWords), CR LF.
std::string FaultsCsv(const SimulatedContest& contest);

// Writes <CALL>.cbr per log, truth.csv and faults.csv into `dir` (created
// when missing), through the project's one safe file writer.
Status WriteSimulatedContest(const SimulatedContest& contest, const std::string& dir);

}  // namespace rezov::simulate
