// rezov-simulate: writes the Cabrillo logs of a simulated Championship of
// Moscow, truth.csv, what the log checker should decide for each line, and
// faults.csv, the lines the faults of real logs touched.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/read_file.h"
#include "tools/simulate/accuracy_table.h"
#include "tools/simulate/contest_simulator.h"

namespace {

CLI::Option* AddRate(CLI::App& app, const char* name, double& rate, const char* help) {
  return app.add_option(name, rate, help)->check(CLI::Range(0.0, 1.0))->capture_default_str();
}

constexpr const char* kFaultGroup =
    "Faults of real logs (with --basic-faults-only, those not given are 0)";

// The options of the fault rates, each with the rate it sets.
using FaultOptions = std::vector<std::pair<CLI::Option*, double*>>;

FaultOptions AddFaultRates(CLI::App& app, rezov::simulate::FaultRates& f) {
  const std::vector<std::tuple<const char*, double*, const char*>> rates = {
      {"--moscow-time-rate", &f.moscowTimeRate, "logs kept in Moscow time (UTC+3)"},
      {"--wrong-day-rate", &f.wrongDayRate, "logs with the date a day off"},
      {"--wrong-year-rate", &f.wrongYearRate, "logs with the year one off"},
      {"--fast-drift-rate", &f.fastDriftRate, "stations whose clock drifts 1 to 2 min an hour"},
      {"--clock-jump-rate", &f.clockJumpRate, "stations whose clock jumps once, 2 to 15 min"},
      {"--keyer-region-rate", &f.keyerRegionRate,
       "stations whose keyer (CW) or voice keyer (SSB) sends another region than their log has"},
      {"--wrong-region-rate", &f.wrongRegionRate, "stations that send and log another region than their own"},
      {"--wide-bust-rate", &f.wideBustRate,
       "lines whose call has two characters changed, or one dropped or added"},
      {"--mutual-bust-rate", &f.mutualBustRate, "QSOs whose two sides bust each other's call"},
      {"--portable-share", &f.portableShare, "stations signing /P or /M"},
      {"--designator-drop-rate", &f.designatorDropRate,
       "lines working a portable station that drop its /P or /M"},
      {"--designator-add-rate", &f.designatorAddRate, "lines working any other station that add /P"},
      {"--band-slip-rate", &f.bandSlipRate,
       "lines right after a band change logged with the old band's frequency"},
      {"--one-sided-repeat-rate", &f.oneSidedRepeatRate,
       "QSOs repeated in the tour, logged by one side only"},
      {"--same-minute-repeat-rate", &f.sameMinuteRepeatRate, "QSOs repeated in the same minute"},
      {"--edge-rework-rate", &f.edgeReworkRate,
       "QSOs in a tour's last minute worked again in the next tour's first minute"},
  };
  FaultOptions options;
  for (const auto& [name, rate, help] : rates) {
    options.push_back({AddRate(app, name, *rate, help)->group(kFaultGroup), rate});
  }
  return options;
}

// --basic-faults-only: every fault rate not given on the command line is 0.
void KeepGivenFaultsOnly(const FaultOptions& options) {
  for (const auto& [option, rate] : options) {
    if (option->count() == 0) *rate = 0;
  }
}

void AddOptions(CLI::App& app, rezov::simulate::SimulationOptions& o) {
  app.add_option("--random-start", o.randomStart,
                 "start value of the random numbers: the same value gives the same contest")
      ->capture_default_str();
  app.add_option("--stations", o.stations, "stations taking part")->capture_default_str();
  app.add_option("--qsos-per-station", o.qsosPerStation, "QSOs per station on average")
      ->capture_default_str();
  app.add_option("--start", o.start, "contest start, YYYY-MM-DD HH:MM UTC on a half hour")
      ->capture_default_str();
  app.add_option("--tours", o.tours, "half-hour tours")->capture_default_str();
  AddRate(app, "--moscow-share", o.moscowShare, "share of stations in Moscow");
  AddRate(app, "--outside-share", o.outsideShare, "share of stations outside Russia");
  AddRate(app, "--no-log-rate", o.noLogRate, "stations that send no log");
  AddRate(app, "--sloppy-clock-rate", o.sloppyClockRate, "stations with a clock up to 30 s off");
  AddRate(app, "--clock-offset-rate", o.clockOffsetRate, "stations with a clock 2 to 30 min off");
  AddRate(app, "--drift-rate", o.driftRate, "stations whose clock drifts up to 1 min an hour");
  AddRate(app, "--busted-call-rate", o.bustedCallRate, "lines with a miscopied call");
  AddRate(app, "--serial-slip-rate", o.serialSlipRate, "lines with a miscopied serial");
  AddRate(app, "--region-slip-rate", o.regionSlipRate, "lines with a miscopied region");
  AddRate(app, "--one-sided-rate", o.oneSidedRate, "QSO sides missing from the log");
  AddRate(app, "--unreadable-rate", o.unreadableRate, "lines written damaged");
  AddRate(app, "--repeat-rate", o.repeatRate, "QSOs repeated in the same tour");
  AddRate(app, "--wrong-band-rate", o.wrongBandRate, "extra QSOs on 40 m");
  AddRate(app, "--wrong-mode-rate", o.wrongModeRate, "extra QSOs in RTTY");
  AddRate(app, "--outside-period-rate", o.outsidePeriodRate, "extra QSOs before or after the period");
}

// Prints how the checker's qsos.csv in `results` compares with the truth
// in `contest`.
int Measure(const std::string& contest, const std::string& results) {
  const auto truth = rezov::ReadFileContents(contest + "/truth.csv");
  const auto qsos = rezov::ReadFileContents(results + "/qsos.csv");
  if (!truth || !qsos) {
    std::fprintf(stderr, "rezov-simulate: %s\n", (!truth ? truth : qsos).error().c_str());
    return 1;
  }
  const auto table = rezov::simulate::AccuracyTable(*truth, *qsos);
  if (!table) {
    std::fprintf(stderr, "rezov-simulate: %s\n", table.error().c_str());
    return 1;
  }
  std::fputs(table->c_str(), stdout);
  // Contests made before faults.csv have none: nothing more to show.
  const auto faults = rezov::ReadFileContents(contest + "/faults.csv");
  if (!faults) return 0;
  const auto byFault = rezov::simulate::FaultAccuracyTable(*faults, *truth, *qsos);
  if (!byFault) {
    std::fprintf(stderr, "rezov-simulate: %s\n", byFault.error().c_str());
    return 1;
  }
  if (!byFault->empty()) std::printf("\n%s", byFault->c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  rezov::simulate::SimulationOptions o;
  std::string out;
  std::string measure;
  CLI::App app{"rezov-simulate: a Championship of Moscow with known truth, for the log checker"};
  app.add_option("--out", out, "the folder for the logs, truth.csv and faults.csv")->required();
  app.add_option("--measure", measure,
                 "instead of making a contest, compare the qsos.csv of rezov adjudicate in this "
                 "folder with the truth.csv in --out, and print precision and recall, then "
                 "how the lines each fault of real logs touched were judged");
  AddOptions(app, o);
  const FaultOptions faultOptions = AddFaultRates(app, o.faults);
  bool basicFaultsOnly = false;
  app.add_flag("--basic-faults-only", basicFaultsOnly,
               "only the basic faults, those of the options above; a rate of this group given "
               "as well is kept")
      ->group(kFaultGroup);
  CLI11_PARSE(app, argc, argv);
  if (basicFaultsOnly) KeepGivenFaultsOnly(faultOptions);
  if (!measure.empty()) return Measure(out, measure);
  const auto contest = rezov::simulate::Simulate(o);
  if (!contest) {
    std::fprintf(stderr, "rezov-simulate: %s\n", contest.error().c_str());
    return 1;
  }
  const rezov::Status written = rezov::simulate::WriteSimulatedContest(*contest, out);
  if (!written) {
    std::fprintf(stderr, "rezov-simulate: %s\n", written.error().c_str());
    return 1;
  }
  const auto touched = std::count_if(contest->truth.begin(), contest->truth.end(),
                                     [](const rezov::simulate::TruthRow& row) { return row.faults != 0; });
  std::printf("%zu logs, truth.csv (%zu lines) and faults.csv (%td lines) in %s; period %s to %s UTC\n",
              contest->logs.size(), contest->truth.size(), touched, out.c_str(),
              rezov::MinuteText(contest->start).c_str(),
              rezov::MinuteText(contest->end).c_str());
  return 0;
}
