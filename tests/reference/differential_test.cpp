// Random sessions played through the core and through the literal reference,
// each on its own module state and fake platform; after every step the two
// must agree on everything anyone could see: results, check answers and
// messages, summaries, the stored log, the settings record, profile writes,
// files and message boxes.
//
// REZOV_DIFF_SESSIONS sets the number of sessions (10,000 by default) and
// REZOV_DIFF_START the rng start value of the first; session i uses start
// value + i, so one failing session replays alone with
// REZOV_DIFF_START=<its value> REZOV_DIFF_SESSIONS=1.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "contest/call_check.h"
#include "contest/contact_entry.h"
#include "contest/contest_reset.h"
#include "results/score_summary.h"
#include "platform/setup_dialog.h"
#include "tests/reference/literal_reference.h"
#include "tests/support/fake_platform.h"

namespace rezov {
namespace {

constexpr std::uint64_t kDefaultStart = 20240611;
constexpr long kDefaultSessions = 10000;

long EnvNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  return std::strtol(text, nullptr, 10);
}

// ---- Drawing inputs ---------------------------------------------------------

class Draw {
 public:
  explicit Draw(std::uint64_t start) : rng_(start) {}

  std::size_t Below(std::size_t n) {
    return static_cast<std::size_t>(std::uniform_int_distribution<std::uint64_t>(0, n - 1)(rng_));
  }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  template <std::size_t N>
  std::string From(const char* const (&options)[N]) {
    return options[Below(N)];
  }
  std::string Chars(const char* alphabet, std::size_t maxLength) {
    const std::size_t n = Below(maxLength + 1);
    const std::size_t size = std::strlen(alphabet);
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += alphabet[Below(size)];
    return s;
  }
  std::uint32_t U32() { return static_cast<std::uint32_t>(rng_()); }

 private:
  std::mt19937_64 rng_;
};

const char* const kCalls[] = {"R3MA", "UA3ABC", "ua3abc", "", "R9SP", "SP1A", "DL1AA",
                              "R3MA ", "UA9 ", "MA", "R3XX/P", "UA3\\A", "\xC0\xFF\x80",
                              "R2KA"};
const char* const kCountries[] = {"UA", "UA2", "UA9", "ua", "UA9 ", "UA ", "SP", "DL",
                                  "", "UA3", "Ua"};
const char* const kRegions[] = {"MA", "ma", "SP", "KO", "UA", "", "M", "MAX", " MA",
                                "\xCC\xC0"};
const char* const kBands[] = {"160", "80", "3.5", "1.8", "0160", "", "40", "160m",
                              "00080", "0000000000000000000000160", "080"};
const char* const kModes[] = {"CW", "SSB", "cw", "FM", "", "RTTY", "CW "};
const char* const kNumbers[] = {"001", "", "1234", "0", "002", "01"};
const char* const kSeparators[] = {"", " ", "/", "-", "  "};
const char* const kReports[] = {"599", "", "59"};
const char* const kAux[] = {"", "aux", "x"};
const char* const kTexts[] = {"", "R3XX", "L1\r\nL2", "a<CR>b", "x<LF>y", "\n", "\r\n",
                              "R3XX/P", " R3 XX ", "MA", "KO", "<CR><LF>", "Ivan Petrov",
                              "\xC8\xE2\xE0\xED", "80", "MULTI-OP", "ends\r\n"};

std::string DrawExchange(Draw& d) {
  if (d.Chance(0.15)) return d.Chars("0123456789 MASPma/", 8);
  std::string number = d.Chance(0.8) ? "00" + std::to_string(d.Below(10))
                                     : std::to_string(1000 + d.Below(9000));
  return number + d.From(kSeparators) + d.From(kRegions);
}

double Day(Draw& d) { return 40973.0 + static_cast<double>(d.Below(3)); }

// A time of day near the tours' edges more often than not.
double DrawTimeValue(Draw& d) {
  const double hour = 18 + static_cast<double>(d.Below(3));
  static const double kSeconds[] = {0, 59.4, 59.6, 30, 59.9999};
  static const int kMinutes[] = {0, 10, 29, 30, 45, 59};
  const double minute = d.Chance(0.7) ? kMinutes[d.Below(6)] : static_cast<double>(d.Below(60));
  const double second = kSeconds[d.Below(5)];
  return Day(d) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

OleDate DrawTime(Draw& d) {
  static const double kOdd[] = {std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity(),
                                0.0, -0.0, -1.25, 1e12, -1e12,
                                -657434.0, -657434.5, -657433.999999, -657435.0,
                                2958465.5, 2958465.99999999, 2958466.0, 40973.0 + 19.0 / 24};
  OleDate t;
  t.value = d.Chance(0.12) ? kOdd[d.Below(sizeof kOdd / sizeof kOdd[0])] : DrawTimeValue(d);
  t.status = d.Chance(0.85) ? kOleDateValid : static_cast<std::int32_t>(d.Below(4));
  return t;
}

std::uint32_t DrawFrequency(Draw& d) {
  static const std::uint32_t kHz[] = {1830000, 1830999, 3510000, 0, 4294967295u,
                                      10000000, 100000000, 999};
  return d.Chance(0.8) ? kHz[d.Below(8)] : d.U32();
}

ContactArgs DrawContact(Draw& d) {
  ContactArgs c;
  c.call = d.Chance(0.9) ? d.From(kCalls) : std::string(d.Below(300) + 1, 'W');
  c.time = DrawTime(d);
  c.freqHz = DrawFrequency(d);
  c.mode = d.From(kModes);
  c.sentInfo = d.From(kReports);
  c.rcvdInfo = d.From(kReports);
  c.sentNumber = d.From(kNumbers);
  c.rcvdExchange = DrawExchange(d);
  c.country = d.From(kCountries);
  c.auxText = d.From(kAux);
  c.band = d.From(kBands);
  return c;
}

// A contact like an earlier one, with now and then one field changed.
ContactArgs Vary(Draw& d, ContactArgs c) {
  switch (d.Below(8)) {
    case 0: c.time = DrawTime(d); break;
    case 1: c.time.status = static_cast<std::int32_t>(d.Below(3)); break;
    case 2: c.freqHz = DrawFrequency(d); break;
    case 3: c.rcvdExchange = DrawExchange(d); break;
    case 4: c.country = d.From(kCountries); break;
    case 5: c.auxText = d.From(kAux); break;
    default: break;  // the very same arguments
  }
  return c;
}

// ---- One side of the comparison ----------------------------------------------

struct Side {
  FakePlatform platform;
  ModuleState state{platform};
};

std::string Bits(const OleDate& t) {
  std::uint64_t bits;
  std::memcpy(&bits, &t.value, sizeof bits);
  char text[64];
  std::snprintf(text, sizeof text, "%016" PRIx64 "/%d", bits, static_cast<int>(t.status));
  return text;
}

// Everything observable of one side, as text, so that two sides compare in
// one step and a difference shows where it lies.
std::string Observed(const Side& side) {
  const ModuleState& s = side.state;
  const FakePlatform& p = side.platform;
  std::ostringstream out;
  out << "log " << s.qsoLog.size() << "\n";
  for (std::size_t i = 0; i < s.qsoLog.size(); ++i) {
    const QsoRecord& r = s.qsoLog.at(i);
    out << " [" << r.call << "|" << r.country << "|" << r.auxText << "|" << r.band << "|"
        << r.mode << "|" << r.rcvdInfo << "|" << r.sentInfo << "|" << r.rcvdExchange << "|"
        << r.sentExchange << "|" << r.maKey << "|" << r.gridKey << "|" << r.oblKey << "|"
        << r.freqKhz << "|" << Bits(r.time) << "]\n";
  }
  out << "bands";
  for (std::size_t i = 0; i < s.bandList.size(); ++i) out << " [" << s.bandList.at(i) << "]";
  out << "\nsummary [" << s.summaryText << "] claimed " << s.claimedScore << "\nown ["
      << s.ownCall << "|" << s.contestDateText << "|" << s.ownRegion << "|" << s.ownGrid
      << "] report " << s.reportMode << " companion " << s.companionStarted << "\n";
  const StationSettings& st = s.stationSettings;
  out << "station [" << st.callSign << "|" << st.name << "|" << st.address << "|" << st.claimed
      << "|" << st.contest << "|" << st.email << "|" << st.club << "|" << st.soapBox << "|"
      << st.operators << "|" << st.categoryOperator << "|" << st.categoryBand << "|"
      << st.categoryPower << "|" << st.categoryOverlay << "|" << st.location << "|"
      << st.fileBase << "] lines " << st.qsoLines.size() << "\n";
  for (const std::string& line : st.qsoLines) out << " " << line;
  for (const std::string& program : p.startedPrograms) out << "start " << program << "\n";
  for (const ShownMessage& m : p.messages) {
    out << "message " << static_cast<int>(m.owner) << " [" << m.text << "] ["
        << m.caption.value_or("<none>") << "] " << m.style << "\n";
  }
  for (const ProfileWrite& w : p.profileWrites) {
    out << "write " << w.file << " " << w.section << " " << w.key << "=" << w.value << "\n";
  }
  for (const auto& entry : p.profile) {
    out << "profile " << std::get<2>(entry.first) << "=" << entry.second << "\n";
  }
  for (const auto& file : p.files) out << "file " << file.first << " [" << file.second << "]\n";
  out << "dialogs " << p.shownDialogs.size() << "\n";
  for (const std::string& seen : p.shownDialogs) out << " " << seen << "\n";
  return out.str();
}

// ---- Sessions -------------------------------------------------------------------

struct Session {
  Side core;
  Side reference;
  std::vector<ContactArgs> contacts;  // every contact handed in so far
  std::vector<std::string> steps;     // what was done, for the failure report
};

std::string Printable(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    }
  }
  return out;
}

std::string Describe(const ContactArgs& c) {
  return "call=" + Printable(c.call) + " time=" + Bits(c.time) +
         " hz=" + std::to_string(c.freqHz) + " mode=" + Printable(c.mode) +
         " nr=" + Printable(c.sentNumber) + " exch=" + Printable(c.rcvdExchange) +
         " country=" + Printable(c.country) + " band=" + Printable(c.band) +
         " aux=" + Printable(c.auxText) + " info=" + c.sentInfo + "/" + c.rcvdInfo;
}

bool StepReset(Draw& d, Session& s) {
  ResetArgs args;
  static const int kReportModes[] = {0, 0, 1, 7, -1};
  args.reportMode = kReportModes[d.Below(5)];
  args.callSign = d.Chance(0.8) ? d.From(kCalls) : d.From(kTexts);
  static const double kDates[] = {40973.0, 40973.0 + 19.0 / 24, 0.5, -1.25,
                                  std::numeric_limits<double>::quiet_NaN(), 1e9};
  args.contestDate = OleDate{kDates[d.Below(6)], d.Chance(0.8) ? kOleDateValid : kOleDateNull};
  args.region = d.From(kRegions);
  args.grid = d.Chance(0.5) ? std::string("KO") : d.From(kRegions);
  DialogAnswer answer;
  static const int kAnswers[] = {kDialogOk, kDialogOk, kDialogCancel, kDialogNotShown};
  answer.result = kAnswers[d.Below(4)];
  const std::size_t edits = d.Below(4);
  for (std::size_t i = 0; i < edits; ++i) {
    answer.edits.emplace_back(DialogFields()[d.Below(kDialogFieldCount)].field, d.From(kTexts));
  }
  s.core.platform.Answer(answer);
  s.reference.platform.Answer(answer);
  s.steps.push_back("reset report=" + std::to_string(args.reportMode) + " call=" +
                    Printable(args.callSign) + " date=" + Bits(args.contestDate) + " region=" +
                    Printable(args.region) + " grid=" + Printable(args.grid) +
                    " dialog=" + std::to_string(answer.result) + " edits=" +
                    std::to_string(answer.edits.size()));
  return ResetStats(s.core.state, args) == reference::ResetStats(s.reference.state, args);
}

ContactArgs PickContact(Draw& d, Session& s) {
  if (!s.contacts.empty() && d.Chance(0.5)) return Vary(d, s.contacts[d.Below(s.contacts.size())]);
  return DrawContact(d);
}

bool StepAdd(Draw& d, Session& s) {
  const ContactArgs c = PickContact(d, s);
  s.contacts.push_back(c);
  s.steps.push_back("add " + Describe(c));
  return AddData(s.core.state, c) == reference::AddData(s.reference.state, c);
}

bool StepRemove(Draw& d, Session& s) {
  const ContactArgs c = PickContact(d, s);
  s.steps.push_back("remove " + Describe(c));
  return RemoveData(s.core.state, c) == reference::RemoveData(s.reference.state, c);
}

bool StepCheck(Draw& d, Session& s) {
  CheckArgs args;
  if (!s.contacts.empty() && d.Chance(0.6)) {
    const ContactArgs& c = s.contacts[d.Below(s.contacts.size())];
    args.call = c.call;
    args.mode = c.mode;
    args.band = c.band;
  } else {
    args.call = d.From(kCalls);
    args.mode = d.From(kModes);
    args.band = d.From(kBands);
  }
  if (d.Chance(0.9)) args.country = d.From(kCountries);
  args.region = d.From(kRegions);
  UtcTime now{static_cast<int>(d.Chance(0.8) ? 18 + d.Below(3) : d.Below(24)),
              static_cast<int>(d.Below(60))};
  s.steps.push_back("check call=" + Printable(args.call) + " mode=" + Printable(args.mode) +
                    " band=" + Printable(args.band) + " country=" +
                    (args.country ? Printable(*args.country) : "<null>") + " region=" +
                    Printable(args.region) + " at " + std::to_string(now.hour) + ":" +
                    std::to_string(now.minute));
  const CheckOutcome a = CheckCall(s.core.state, now, args);
  const CheckOutcome b = reference::CheckCall(s.reference.state, now, args);
  return a.result == b.result && a.message == b.message;
}

bool StepResult(Draw& d, Session& s) {
  const bool withResult = d.Chance(0.8);
  s.steps.push_back(withResult ? "result" : "result (null out-parameter)");
  int a = 12345, b = 12345;
  const std::string textA = GetResult(s.core.state, withResult ? &a : nullptr);
  const std::string textB = reference::GetResult(s.reference.state, withResult ? &b : nullptr);
  return a == b && textA == textB;
}

// Platform conditions both sides meet alike.
void StepWorld(Draw& d, Session& s) {
  const std::size_t what = d.Below(5);
  static const std::string kExtensions[] = {"", "X-EXTRA: 1\r\nX-NO-END",
                                            std::string("\xFF\x00\r\n", 4)};
  const std::string extension = kExtensions[d.Below(3)];
  for (Side* side : {&s.core, &s.reference}) {
    FakePlatform& p = side->platform;
    switch (what) {
      case 0: p.profileWritesFail = !p.profileWritesFail; break;
      case 1:
        if (p.unwritableFiles.empty()) {
          p.unwritableFiles.insert(side->state.stationSettings.fileBase + ".cbr");
        } else {
          p.unwritableFiles.clear();
        }
        break;
      case 2:
        if (p.unreadableFiles.empty()) {
          p.unreadableFiles.insert("cabrillo.ini");
        } else {
          p.unreadableFiles.clear();
        }
        break;
      case 3: p.files.erase("cabrillo.ini"); break;
      default: p.files["cabrillo.ini"] = extension; break;
    }
  }
  s.steps.push_back("world change " + std::to_string(what));
}

void Prime(Draw& d, Session& s) {
  static const char* const kKeys[] = {"Operators", "Name", "Address", "Claimed", "Email",
                                      "Club", "SoapBox", "Location", "Category"};
  const std::size_t n = d.Below(4);
  for (std::size_t i = 0; i < n; ++i) {
    const std::string key = kKeys[d.Below(9)];
    const std::string value = d.Chance(0.8) ? d.From(kTexts) : std::string(10050, 'v');
    for (Side* side : {&s.core, &s.reference}) {
      side->platform.profile[{"Plugins\\VARNO.ini", "Settings", key}] = value;
    }
    s.steps.push_back("profile " + key + "=" + Printable(value.substr(0, 40)));
  }
}

// Plays one session; returns an empty text when the sides agreed throughout,
// else the report of where they parted.
std::string PlaySession(std::uint64_t start) {
  Draw d(start);
  Session s;
  Prime(d, s);
  const std::size_t steps = 5 + d.Below(60);
  for (std::size_t i = 0; i < steps; ++i) {
    bool same = true;
    const std::size_t kind = d.Below(100);
    if (kind < 8) {
      same = StepReset(d, s);
    } else if (kind < 50) {
      same = StepAdd(d, s);
    } else if (kind < 62) {
      same = StepRemove(d, s);
    } else if (kind < 85) {
      same = StepCheck(d, s);
    } else if (kind < 96) {
      same = StepResult(d, s);
    } else {
      StepWorld(d, s);
    }
    const std::string a = Observed(s.core);
    const std::string b = Observed(s.reference);
    if (same && a == b) continue;
    std::ostringstream report;
    report << "session with rng start value " << start << " parted at step " << i
           << " (replay: REZOV_DIFF_START=" << start << " REZOV_DIFF_SESSIONS=1)\n";
    for (const std::string& step : s.steps) report << "  " << step << "\n";
    if (!same) report << "the returned results differ\n";
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    const std::size_t from = at < 200 ? 0 : at - 200;
    report << "core sees      ..." << Printable(a.substr(from, 400)) << "\n";
    report << "reference sees ..." << Printable(b.substr(from, 400)) << "\n";
    return report.str();
  }
  return std::string();
}

TEST(Differential, CoreAgreesWithTheLiteralReference) {
  const std::uint64_t start =
      static_cast<std::uint64_t>(EnvNumber("REZOV_DIFF_START", static_cast<long>(kDefaultStart)));
  const long sessions = EnvNumber("REZOV_DIFF_SESSIONS", kDefaultSessions);
  ASSERT_GT(sessions, 0);
  for (long i = 0; i < sessions; ++i) {
    const std::string report = PlaySession(start + static_cast<std::uint64_t>(i));
    ASSERT_EQ("", report) << "after " << i << " agreeing sessions";
  }
  std::printf("%ld sessions agreed (rng start value %" PRIu64 ")\n", sessions, start);
}

// The comparison itself must see a difference when there is one: a session
// whose reference side gets one contact more does not pass as agreeing.
TEST(Differential, ObservedStateShowsAnyDifference) {
  Side a, b;
  ContactArgs c;
  c.call = "R3AA";
  c.band = "160";
  EXPECT_EQ(Observed(a), Observed(b));
  AddData(a.state, c);
  reference::AddData(b.state, c);
  EXPECT_EQ(Observed(a), Observed(b));
  c.time.status = kOleDateInvalid;
  reference::AddData(b.state, c);
  EXPECT_NE(Observed(a), Observed(b));
  b.platform.messages.push_back({MessageOwner::kNone, "x", std::nullopt, 0});
  AddData(a.state, c);
  EXPECT_NE(Observed(a), Observed(b));
}

}  // namespace
}  // namespace rezov
