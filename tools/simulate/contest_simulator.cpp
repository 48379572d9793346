#include "tools/simulate/contest_simulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "platform/replace_file.h"
#include "tools/logs/csv_text.h"
#include "tools/simulate/call_confusion.h"
#include "tools/simulate/contest_play.h"
#include "tools/simulate/line_faults.h"
#include "tools/simulate/qso_truth.h"
#include "tools/simulate/repeat_faults.h"
#include "tools/simulate/simulated_cabrillo.h"
#include "tools/simulate/station_faults.h"
#include "tools/simulate/station_roster.h"

namespace rezov::simulate {
namespace {

void MakeNormalQsos(ContestPlay& s) {
  const std::size_t target =
      static_cast<std::size_t>(s.o.stations) * static_cast<std::size_t>(s.o.qsosPerStation) / 2;
  for (std::size_t attempt = 0; s.qsos.size() < target && attempt < target * 4; ++attempt) {
    const std::int32_t a = s.PickStation(s.random);
    const std::int32_t b = s.OtherStation(a, s.random);
    const int slot = static_cast<int>(s.random.Below(kSlots));
    const std::int64_t second = s.DuringPeriod(s.random);
    if (!s.Claim(a, b, slot, second)) continue;
    s.qsos.push_back(MakeQso(a, b, second, FrequencyOf(slot, s.random), ModeOf(slot)));
  }
}

// A second QSO of the same pair on the same band and mode, later in the
// same tour; both it and the first stay free of other slips.
void AddRepeats(ContestPlay& s, std::size_t normal) {
  const std::size_t count = static_cast<std::size_t>(std::lround(s.o.repeatRate * normal));
  for (std::size_t made = 0, attempt = 0; made < count && attempt < count * 20; ++attempt) {
    Qso& first = s.qsos[s.random.Below(normal)];
    const std::int64_t tourEnd =
        s.startSec + ((first.second - s.startSec) / kTourSeconds + 1) * kTourSeconds;
    if (first.clean || tourEnd - first.second < 8 * 60) continue;
    first.clean = true;
    Qso again = first;
    again.kind = QsoKind::kRepeat;
    again.second = s.random.Between(first.second + 5 * 60, tourEnd - 90);
    s.qsos.push_back(again);
    ++made;
  }
}

// QSOs that take no part in the contest: another band, another mode, or
// before or after the period.
void AddOutOfContest(ContestPlay& s, std::size_t normal) {
  const auto count = [&](double rate) { return static_cast<std::size_t>(std::lround(rate * normal)); };
  for (std::size_t k = 0; k < count(s.o.wrongBandRate); ++k) {
    const std::int32_t a = s.PickStation(s.random);
    const std::int32_t b = s.OtherStation(a, s.random);
    const char* mode = ModeOf(static_cast<int>(s.random.Below(2)));
    const std::int64_t second = s.DuringPeriod(s.random);
    const auto freq = static_cast<std::int32_t>(s.random.Between(7000, 7150));
    s.qsos.push_back(MakeQso(a, b, second, freq, mode, QsoKind::kWrongBand));
  }
  for (std::size_t k = 0; k < count(s.o.wrongModeRate); ++k) {
    const std::int32_t a = s.PickStation(s.random);
    const std::int32_t b = s.OtherStation(a, s.random);
    const std::int64_t second = s.DuringPeriod(s.random);
    const auto freq = static_cast<std::int32_t>(s.random.Between(3580, 3600));
    s.qsos.push_back(MakeQso(a, b, second, freq, "RY", QsoKind::kWrongMode));
  }
  for (std::size_t made = 0, attempt = 0; made < count(s.o.outsidePeriodRate) && attempt < 1000; ++attempt) {
    const std::int32_t a = s.PickStation(s.random);
    const std::int32_t b = s.OtherStation(a, s.random);
    const int slot = static_cast<int>(s.random.Below(kSlots));
    const std::int64_t away = s.random.Between(5 * 60, 40 * 60);
    const std::int64_t second = s.random.Chance(0.5) ? s.startSec - away : s.endSec + away;
    if (!s.Claim(a, b, slot, second)) continue;
    s.qsos.push_back(MakeQso(a, b, second, FrequencyOf(slot, s.random), ModeOf(slot), QsoKind::kOutside));
    ++made;
  }
}

// What the operator of side `side` gets wrong, if anything.
void AddSlip(ContestPlay& s, Qso& q, int side) {
  const SimulationOptions& o = s.o;
  double r = s.random.Fraction();
  const auto hit = [&](double rate) {
    r -= rate;
    return r < 0;
  };
  Slip& slip = q.slip[side];
  if (hit(o.oneSidedRate)) {
    if (q.slip[1 - side] != Slip::kNotLogged) slip = Slip::kNotLogged;
  } else if (hit(o.bustedCallRate)) {
    const Station& self = s.StationAt(q.station[side]);
    const std::string& worked = s.StationAt(q.station[1 - side]).call;
    const std::string busted = Miscopy(worked, std::string(q.mode) == "CW", s.random);
    // A miscopy that is another station's call would be a different QSO.
    if (!busted.empty() && busted != self.call && !s.roster.calls.count(busted)) {
      slip = Slip::kBustedCall;
      q.loggedCall[side] = busted;
    }
  } else if (hit(o.serialSlipRate)) {
    slip = Slip::kSerial;
  } else if (hit(o.regionSlipRate)) {
    slip = Slip::kRegion;
  } else if (hit(o.unreadableRate)) {
    slip = Slip::kUnreadable;
  }
}

// Serial numbers count each station's logged QSOs in time order; a QSO it
// did not log got the number its next QSO gets again.
void NumberQsos(ContestPlay& s) {
  std::vector<std::vector<std::pair<std::int64_t, std::size_t>>> perStation(s.roster.stations.size());
  for (std::size_t k = 0; k < s.qsos.size(); ++k) {
    for (int side = 0; side < 2; ++side) {
      perStation[static_cast<std::size_t>(s.qsos[k].station[side])].push_back(
          {s.qsos[k].second, k * 2 + static_cast<std::size_t>(side)});
    }
  }
  for (auto& list : perStation) {
    std::sort(list.begin(), list.end());
    int next = 1;
    for (const auto& [second, where] : list) {
      Qso& q = s.qsos[where / 2];
      const int side = static_cast<int>(where % 2);
      q.sentSerial[side] = next;
      if (q.slip[side] != Slip::kNotLogged) ++next;
    }
  }
}

std::string SlippedSerial(int serial, RandomSource& random) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", serial);
  std::string out = text;
  while (out == text) {
    const std::size_t at = out.size() - 1 - random.Below(2);
    out[at] = static_cast<char>('0' + random.Below(10));
  }
  return out;
}

// A region miscopied from `sent`; never the one the sender's log has, which
// would pass for a right copy of a keyer that sent the wrong region.
std::string MiscopiedRegion(const std::string& sent, const std::string& logged, RandomSource& random) {
  std::string copied = OtherRegion(sent, random);
  while (copied == logged) copied = OtherRegion(sent, random);
  return copied;
}

// The line of side `side` of QSO `q`, as its station logged it.
SimulatedLine LineOf(ContestPlay& s, const Qso& q, int side) {
  const Station& self = s.StationAt(q.station[side]);
  const Station& other = s.StationAt(q.station[1 - side]);
  SimulatedLine line;
  line.freqKhz = q.slip[side] == Slip::kOldBand ? q.loggedFreqKhz[side] : q.freqKhz;
  line.mode = q.mode;
  line.minute = self.clock.Logged(q.second, s.startSec);
  line.ownCall = self.call;
  line.sent = {SerialText(q.sentSerial[side]), self.loggedRegion};
  line.call = q.slip[side] == Slip::kBustedCall ? q.loggedCall[side] : other.call;
  line.rcvd = {SerialText(q.sentSerial[1 - side]), other.AirRegion(q.mode)};
  if (q.slip[side] == Slip::kSerial) line.rcvd.number = SlippedSerial(q.sentSerial[1 - side], s.random);
  if (q.slip[side] == Slip::kRegion) {
    line.rcvd.region = MiscopiedRegion(line.rcvd.region, other.loggedRegion, s.random);
  }
  line.unreadable = q.slip[side] == Slip::kUnreadable;
  line.trueSecond = q.second;
  return line;
}

struct LineSource {
  std::size_t qso;
  int side;
};

bool Logged(const Qso& q, int side) { return q.slip[side] != Slip::kNotLogged; }

// The faults of FaultRates that touched side `side` of `q`: those of its
// own station, those of the line itself, and a region its partner sent
// wrong.
FaultSet FaultsOf(const ContestPlay& s, const Qso& q, int side) {
  const Station& self = s.StationAt(q.station[side]);
  const Station& other = s.StationAt(q.station[1 - side]);
  FaultSet faults = (self.faults & fault::kOfOwnStation) | q.faults[side];
  if (other.AirRegion(q.mode) != other.loggedRegion) faults |= fault::kKeyerRegion;
  faults |= other.faults & fault::kWrongRegion;
  return faults;
}

// Plays the contest: the stations and their faults, the QSOs, the extra
// QSOs, each side's slips and faults, and the serials.
void Play(ContestPlay& s) {
  s.roster = MakeRoster(s.o, s.random);
  AddStationFaults(s.roster, s.o, s.startSec, s.endSec);
  double total = 0;
  for (const Station& st : s.roster.stations) s.cumulativeActivity.push_back(total += st.activity);
  MakeNormalQsos(s);
  const std::size_t normal = s.qsos.size();
  AddRepeats(s, normal);
  AddOutOfContest(s, normal);
  AddRepeatFaults(s, normal);
  for (std::size_t k = 0; k < normal; ++k) {
    if (s.qsos[k].clean) continue;
    for (int side = 0; side < 2; ++side) AddSlip(s, s.qsos[k], side);
  }
  AddBusts(s, normal);
  AddBandSlips(s, normal);
  NumberQsos(s);
}

// A station's log lines, and the QSO side each came from.
struct StationLines {
  std::vector<SimulatedLine> lines;
  std::vector<LineSource> sources;
};

// Puts the lines in the order of the station's own clock.
void SortByClock(StationLines& station) {
  const std::vector<SimulatedLine>& lines = station.lines;
  std::vector<std::size_t> order(lines.size());
  for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return std::tie(lines[a].minute, lines[a].trueSecond, a) <
           std::tie(lines[b].minute, lines[b].trueSecond, b);
  });
  StationLines sorted;
  for (std::size_t k : order) {
    sorted.lines.push_back(std::move(station.lines[k]));
    sorted.sources.push_back(station.sources[k]);
  }
  station = std::move(sorted);
}

// Each sending station's lines, in the order of its own clock; counts in
// `sightings` the logs that name each call.
std::vector<StationLines> LinesOfLogs(ContestPlay& s, Sightings& sightings) {
  std::vector<StationLines> stations(s.roster.stations.size());
  for (std::size_t k = 0; k < s.qsos.size(); ++k) {
    for (int side = 0; side < 2; ++side) {
      const std::size_t st = static_cast<std::size_t>(s.qsos[k].station[side]);
      if (s.roster.stations[st].sendsLog && Logged(s.qsos[k], side)) {
        stations[st].sources.push_back({k, side});
      }
    }
  }
  for (StationLines& station : stations) {
    for (const LineSource& src : station.sources) {
      station.lines.push_back(LineOf(s, s.qsos[src.qso], src.side));
    }
    SortByClock(station);
    std::unordered_set<std::string> calls;
    for (const SimulatedLine& l : station.lines) {
      if (!l.unreadable) calls.insert(l.call);
    }
    for (const std::string& call : calls) ++sightings[call];
  }
  return stations;
}

// The stations that send a log, by call.
std::vector<std::size_t> SendersByCall(const ContestPlay& s) {
  std::vector<std::size_t> senders;
  for (std::size_t st = 0; st < s.roster.stations.size(); ++st) {
    if (s.roster.stations[st].sendsLog) senders.push_back(st);
  }
  std::sort(senders.begin(), senders.end(), [&](std::size_t a, std::size_t b) {
    return s.roster.stations[a].call < s.roster.stations[b].call;
  });
  return senders;
}

}  // namespace

Result<SimulatedContest> Simulate(const SimulationOptions& o) {
  const std::optional<Minute> start = ParseMinuteText(o.start);
  if (!start || *start % 30 != 0) return Fail("the start must be YYYY-MM-DD HH:MM on a half hour");
  if (o.stations < 2 || o.tours < 1 || o.qsosPerStation < 1) {
    return Fail("a contest needs two stations, a tour and a QSO");
  }
  ContestPlay s(o);
  s.startSec = *start * 60;
  s.endSec = s.startSec + o.tours * kTourSeconds;
  Play(s);
  Sightings sightings;
  const std::vector<StationLines> lines = LinesOfLogs(s, sightings);

  SimulatedContest contest;
  contest.start = *start;
  contest.end = *start + o.tours * 30;
  for (std::size_t st : SendersByCall(s)) {
    const Station& station = s.roster.stations[st];
    contest.logs.push_back({station.call, CabrilloText(station, lines[st].lines)});
    for (std::size_t k = 0; k < lines[st].lines.size(); ++k) {
      const LineSource& src = lines[st].sources[k];
      const Qso& q = s.qsos[src.qso];
      contest.truth.push_back({station.call, static_cast<std::uint32_t>(kFirstQsoLine + k),
                               TruthOf(s, q, src.side, sightings), FaultsOf(s, q, src.side)});
    }
  }
  return contest;
}

std::string TruthCsv(const SimulatedContest& contest) {
  std::string out = "log,line,status\r\n";
  for (const TruthRow& row : contest.truth) {
    AppendCsvRow(out, {row.log, std::to_string(row.line), adjudicate::VerdictWord(row.status)});
  }
  return out;
}

std::string FaultsCsv(const SimulatedContest& contest) {
  std::string out = "log,line,faults\r\n";
  for (const TruthRow& row : contest.truth) {
    if (row.faults != 0) AppendCsvRow(out, {row.log, std::to_string(row.line), FaultWords(row.faults)});
  }
  return out;
}

Status WriteSimulatedContest(const SimulatedContest& contest, const std::string& dir) {
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) return Fail(dir + ": " + error.message());
  for (const SimulatedLog& log : contest.logs) {
    std::string name = log.call;
    std::replace(name.begin(), name.end(), '/', '_');
    Status s = ReplaceFileContents(dir + "/" + name + ".cbr", log.bytes);
    if (!s) return Fail(dir + "/" + name + ".cbr: " + s.error());
  }
  for (const auto& [name, text] : {std::pair<const char*, std::string>{"truth.csv", TruthCsv(contest)},
                                    {"faults.csv", FaultsCsv(contest)}}) {
    Status s = ReplaceFileContents(dir + "/" + name, text);
    if (!s) return Fail(dir + "/" + name + ": " + s.error());
  }
  return {};
}

}  // namespace rezov::simulate
