#include "tools/simulate/contest_simulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <unordered_map>
#include <unordered_set>

#include "platform/replace_file.h"
#include "tools/logs/csv_text.h"
#include "tools/simulate/call_confusion.h"
#include "tools/simulate/simulated_cabrillo.h"
#include "tools/simulate/station_roster.h"

namespace rezov::simulate {
namespace {

using adjudicate::Verdict;

constexpr std::int64_t kTourSeconds = 30 * 60;

enum class QsoKind { kNormal, kRepeat, kWrongBand, kWrongMode, kOutside };
enum class Slip { kNone, kNotLogged, kBustedCall, kSerial, kRegion, kUnreadable };

// One QSO as it happened, and what each side's operator made of it.
struct Qso {
  std::int32_t station[2];
  std::int64_t second;  // true UTC time, seconds since 1970
  std::int32_t freqKhz;
  const char* mode;  // "CW", "PH" or "RY"
  QsoKind kind = QsoKind::kNormal;
  bool clean = false;  // a repeat and the QSO it repeats carry no slips
  Slip slip[2] = {Slip::kNone, Slip::kNone};
  std::string loggedCall[2];
  int sentSerial[2] = {0, 0};
};

Qso MakeQso(std::int32_t a, std::int32_t b, std::int64_t second, std::int32_t freqKhz,
            const char* mode, QsoKind kind = QsoKind::kNormal) {
  Qso q;
  q.station[0] = a;
  q.station[1] = b;
  q.second = second;
  q.freqKhz = freqKhz;
  q.mode = mode;
  q.kind = kind;
  q.clean = kind != QsoKind::kNormal;
  return q;
}

struct Sim {
  Sim(const SimulationOptions& options) : o(options), random(options.randomStart) {}

  const SimulationOptions& o;
  RandomSource random;
  StationRoster roster;
  std::vector<double> cumulativeActivity;
  std::int64_t startSec = 0;
  std::int64_t endSec = 0;
  std::vector<Qso> qsos;
  std::unordered_set<std::uint64_t> pairSlotTour;  // at most one QSO per pair, slot and tour

  // A time in the period, a minute clear of the edges of its tour: whole-
  // minute log times and clocks a few seconds off cannot tell on which side
  // of an edge a QSO right at it was made, so no truth would hold there.
  std::int64_t DuringPeriod() {
    const std::int64_t tour = random.Between(0, (endSec - startSec) / kTourSeconds - 1);
    return startSec + tour * kTourSeconds + random.Between(60, kTourSeconds - 61);
  }

  std::int32_t PickStation() {
    const double r = random.Fraction() * cumulativeActivity.back();
    return static_cast<std::int32_t>(
        std::upper_bound(cumulativeActivity.begin(), cumulativeActivity.end(), r) -
        cumulativeActivity.begin());
  }

  // Claims the pair's slot in the tour of `second`; false when taken.
  bool Claim(std::int32_t a, std::int32_t b, int slot, std::int64_t second) {
    const std::uint64_t lo = static_cast<std::uint64_t>(std::min(a, b));
    const std::uint64_t hi = static_cast<std::uint64_t>(std::max(a, b));
    const std::int64_t tour = (second - startSec + 100 * kTourSeconds) / kTourSeconds;
    return pairSlotTour.insert((lo << 40) | (hi << 16) | (static_cast<std::uint64_t>(tour) << 2) |
                               static_cast<std::uint64_t>(slot)).second;
  }
};

// A frequency in the part of the band each mode uses.
std::int32_t FrequencyOf(int slot, RandomSource& random) {
  static const std::int32_t kEdges[4][2] = {{1810, 1838}, {1843, 1990}, {3500, 3580}, {3600, 3790}};
  return static_cast<std::int32_t>(random.Between(kEdges[slot][0], kEdges[slot][1]));
}

const char* ModeOf(int slot) { return slot % 2 == 0 ? "CW" : "PH"; }

std::int32_t OtherStation(Sim& s, std::int32_t a) {
  std::int32_t b = a;
  while (b == a) b = s.PickStation();
  return b;
}

void MakeNormalQsos(Sim& s) {
  const std::size_t target =
      static_cast<std::size_t>(s.o.stations) * static_cast<std::size_t>(s.o.qsosPerStation) / 2;
  for (std::size_t attempt = 0; s.qsos.size() < target && attempt < target * 4; ++attempt) {
    const std::int32_t a = s.PickStation();
    const std::int32_t b = OtherStation(s, a);
    const int slot = static_cast<int>(s.random.Below(4));
    const std::int64_t second = s.DuringPeriod();
    if (!s.Claim(a, b, slot, second)) continue;
    s.qsos.push_back(MakeQso(a, b, second, FrequencyOf(slot, s.random), ModeOf(slot)));
  }
}

// A second QSO of the same pair on the same band and mode, later in the
// same tour; both it and the first stay free of other slips.
void AddRepeats(Sim& s, std::size_t normal) {
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
void AddOutOfContest(Sim& s, std::size_t normal) {
  const auto count = [&](double rate) { return static_cast<std::size_t>(std::lround(rate * normal)); };
  for (std::size_t k = 0; k < count(s.o.wrongBandRate); ++k) {
    const std::int32_t a = s.PickStation();
    const std::int32_t b = OtherStation(s, a);
    const char* mode = ModeOf(static_cast<int>(s.random.Below(2)));
    const std::int64_t second = s.DuringPeriod();
    const auto freq = static_cast<std::int32_t>(s.random.Between(7000, 7150));
    s.qsos.push_back(MakeQso(a, b, second, freq, mode, QsoKind::kWrongBand));
  }
  for (std::size_t k = 0; k < count(s.o.wrongModeRate); ++k) {
    const std::int32_t a = s.PickStation();
    const std::int32_t b = OtherStation(s, a);
    const std::int64_t second = s.DuringPeriod();
    const auto freq = static_cast<std::int32_t>(s.random.Between(3580, 3600));
    s.qsos.push_back(MakeQso(a, b, second, freq, "RY", QsoKind::kWrongMode));
  }
  for (std::size_t made = 0, attempt = 0; made < count(s.o.outsidePeriodRate) && attempt < 1000; ++attempt) {
    const std::int32_t a = s.PickStation();
    const std::int32_t b = OtherStation(s, a);
    const int slot = static_cast<int>(s.random.Below(4));
    const std::int64_t away = s.random.Between(5 * 60, 40 * 60);
    const std::int64_t second = s.random.Chance(0.5) ? s.startSec - away : s.endSec + away;
    if (!s.Claim(a, b, slot, second)) continue;
    s.qsos.push_back(MakeQso(a, b, second, FrequencyOf(slot, s.random), ModeOf(slot), QsoKind::kOutside));
    ++made;
  }
}

// What the operator of side `side` gets wrong, if anything.
void AddSlip(Sim& s, Qso& q, int side) {
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
    const Station& self = s.roster.stations[static_cast<std::size_t>(q.station[side])];
    const std::string& worked = s.roster.stations[static_cast<std::size_t>(q.station[1 - side])].call;
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
void NumberQsos(Sim& s) {
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

Minute LoggedMinute(const Station& st, std::int64_t second, std::int64_t startSec) {
  const double clock = static_cast<double>(second) + st.clockOffsetSec +
                       st.driftSecPerHour * static_cast<double>(second - startSec) / 3600.0;
  return static_cast<Minute>(std::floor(clock / 60.0));
}

// The line of side `side` of QSO `q`, as its station logged it.
SimulatedLine LineOf(Sim& s, const Qso& q, int side) {
  const Station& self = s.roster.stations[static_cast<std::size_t>(q.station[side])];
  const Station& other = s.roster.stations[static_cast<std::size_t>(q.station[1 - side])];
  SimulatedLine line;
  line.freqKhz = q.freqKhz;
  line.mode = q.mode;
  line.minute = LoggedMinute(self, q.second, s.startSec);
  line.ownCall = self.call;
  line.sent = {SerialText(q.sentSerial[side]), self.region};
  line.call = q.slip[side] == Slip::kBustedCall ? q.loggedCall[side] : other.call;
  line.rcvd = {SerialText(q.sentSerial[1 - side]), other.region};
  if (q.slip[side] == Slip::kSerial) line.rcvd.number = SlippedSerial(q.sentSerial[1 - side], s.random);
  if (q.slip[side] == Slip::kRegion) line.rcvd.region = OtherRegion(other.region, s.random);
  line.unreadable = q.slip[side] == Slip::kUnreadable;
  line.trueSecond = q.second;
  return line;
}

struct LineSource {
  std::size_t qso;
  int side;
};

bool Logged(const Qso& q, int side) { return q.slip[side] != Slip::kNotLogged; }

// What the checker should decide for side `side` of `q`, by the rules.
Verdict TruthOf(const Sim& s, const Qso& q, int side,
                const std::unordered_map<std::string, std::uint32_t>& sightings) {
  const auto noLog = [&](const std::string& call) {
    const auto seen = sightings.find(call);
    return seen != sightings.end() && seen->second >= 2 ? Verdict::kNoLog : Verdict::kUnique;
  };
  const Station& other = s.roster.stations[static_cast<std::size_t>(q.station[1 - side])];
  const Slip theirs = q.slip[1 - side];
  const bool theyHaveTheLine = other.sendsLog && theirs != Slip::kNotLogged && theirs != Slip::kUnreadable;
  if (q.slip[side] == Slip::kUnreadable) return Verdict::kUnreadable;
  if (q.kind == QsoKind::kWrongBand) return Verdict::kWrongBand;
  if (q.kind == QsoKind::kWrongMode) return Verdict::kWrongMode;
  if (q.kind == QsoKind::kOutside) return Verdict::kOutsidePeriod;
  if (q.kind == QsoKind::kRepeat) return Verdict::kRepeat;
  if (q.slip[side] == Slip::kBustedCall) {
    // The busted call needs the worked station's line, naming this one, as evidence.
    if (theyHaveTheLine && theirs != Slip::kBustedCall) return Verdict::kBustedCall;
    return noLog(q.loggedCall[side]);
  }
  if (!other.sendsLog) return noLog(other.call);
  if (!theyHaveTheLine) return Verdict::kNil;
  const bool slipped = q.slip[side] == Slip::kSerial || q.slip[side] == Slip::kRegion;
  return slipped ? Verdict::kBustedExchange : Verdict::kOk;
}

}  // namespace

Result<SimulatedContest> Simulate(const SimulationOptions& o) {
  const std::optional<Minute> start = ParseMinuteText(o.start);
  if (!start || *start % 30 != 0) return Fail("the start must be YYYY-MM-DD HH:MM on a half hour");
  if (o.stations < 2 || o.tours < 1 || o.qsosPerStation < 1) {
    return Fail("a contest needs two stations, a tour and a QSO");
  }
  Sim s(o);
  s.roster = MakeRoster(o, s.random);
  double total = 0;
  for (const Station& st : s.roster.stations) s.cumulativeActivity.push_back(total += st.activity);
  s.startSec = *start * 60;
  s.endSec = s.startSec + o.tours * kTourSeconds;
  MakeNormalQsos(s);
  const std::size_t normal = s.qsos.size();
  AddRepeats(s, normal);
  AddOutOfContest(s, normal);
  for (std::size_t k = 0; k < normal; ++k) {
    if (s.qsos[k].clean) continue;
    for (int side = 0; side < 2; ++side) AddSlip(s, s.qsos[k], side);
  }
  NumberQsos(s);

  // Each sending station's lines, in the order of its own clock.
  std::vector<std::vector<LineSource>> sources(s.roster.stations.size());
  for (std::size_t k = 0; k < s.qsos.size(); ++k) {
    for (int side = 0; side < 2; ++side) {
      const std::size_t st = static_cast<std::size_t>(s.qsos[k].station[side]);
      if (s.roster.stations[st].sendsLog && Logged(s.qsos[k], side)) sources[st].push_back({k, side});
    }
  }
  std::vector<std::vector<SimulatedLine>> lines(sources.size());
  std::unordered_map<std::string, std::uint32_t> sightings;
  for (std::size_t st = 0; st < sources.size(); ++st) {
    for (const LineSource& src : sources[st]) lines[st].push_back(LineOf(s, s.qsos[src.qso], src.side));
    std::vector<std::size_t> order(lines[st].size());
    for (std::size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      const SimulatedLine& x = lines[st][a];
      const SimulatedLine& y = lines[st][b];
      return std::tie(x.minute, x.trueSecond, a) < std::tie(y.minute, y.trueSecond, b);
    });
    std::vector<SimulatedLine> sorted;
    std::vector<LineSource> sortedSources;
    for (std::size_t k : order) {
      sorted.push_back(std::move(lines[st][k]));
      sortedSources.push_back(sources[st][k]);
    }
    lines[st] = std::move(sorted);
    sources[st] = std::move(sortedSources);
    std::unordered_set<std::string> calls;
    for (const SimulatedLine& l : lines[st]) {
      if (!l.unreadable) calls.insert(l.call);
    }
    for (const std::string& call : calls) ++sightings[call];
  }

  SimulatedContest contest;
  contest.start = *start;
  contest.end = *start + o.tours * 30;
  std::vector<std::size_t> byCall;
  for (std::size_t st = 0; st < sources.size(); ++st) {
    if (s.roster.stations[st].sendsLog) byCall.push_back(st);
  }
  std::sort(byCall.begin(), byCall.end(), [&](std::size_t a, std::size_t b) {
    return s.roster.stations[a].call < s.roster.stations[b].call;
  });
  for (std::size_t st : byCall) {
    const Station& station = s.roster.stations[st];
    contest.logs.push_back({station.call, CabrilloText(station, lines[st])});
    for (std::size_t k = 0; k < lines[st].size(); ++k) {
      const LineSource& src = sources[st][k];
      contest.truth.push_back({station.call, static_cast<std::uint32_t>(kFirstQsoLine + k),
                               TruthOf(s, s.qsos[src.qso], src.side, sightings)});
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
  Status s = ReplaceFileContents(dir + "/truth.csv", TruthCsv(contest));
  if (!s) return Fail(dir + "/truth.csv: " + s.error());
  return {};
}

}  // namespace rezov::simulate
