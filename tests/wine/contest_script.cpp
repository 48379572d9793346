#include "tests/wine/contest_script.h"

#include <cstdio>
#include <cstring>
#include <ctime>

namespace rezov {
namespace {

// 5 March 2012, the contest date, and 19:00 UTC on it.
constexpr double kContestDay = 40973.0;
constexpr double kContestEvening = kContestDay + 19.0 / 24;

double Minute(int minute) { return kContestEvening + minute / 1440.0; }

struct Contact {
  const char* call;
  double time;
  unsigned freqHz;
  const char* mode;
  const char* number;
  const char* exchange;
  const char* country;
  const char* band;
};

// Ordinary logging: Moscow, Russian regions, Kaliningrad, foreign grids,
// one repeat of an identical contact, an empty call, modes other than CW
// and SSB, frequencies from four to six digits, a call longer than its
// column, an exchange without its blank.
const Contact kFirstLog[] = {
    {"R3MA", Minute(1), 1830500, "CW", "001", "001 MA", "UA", "160"},
    {"UA9SP", Minute(2), 1831000, "CW", "002", "002SP", "UA9", "160"},
    {"RA2F", Minute(3), 1832000, "SSB", "003", "003 KA", "UA2", "160"},
    {"SP1A", Minute(4), 3510000, "CW", "004", "004 KO", "SP", "80"},
    {"DL1XYZ", Minute(5), 3511000, "CW", "005", "005 JO", "DL", "80"},
    {"R3MA", Minute(6), 3512000, "SSB", "006", "006 MA", "UA", "80"},
    {"R3MA", Minute(1), 1830500, "CW", "001", "001 MA", "UA", "160"},
    {"", Minute(7), 3513000, "CW", "007", "007 SP", "UA", "80"},
    {"UA3LONGCALLSIGN", Minute(8), 10100000, "FM", "008", "008 TU", "UA", "30"},
    {"R4PQ", Minute(9), 181000000, "cw", "009", "9 SA", "UA", "2"},
};

const Contact kSecondLog[] = {
    {"R3MA", Minute(31), 1830500, "CW", "001", "001 MA", "UA", "160"},
    {"UA9SP", Minute(32), 3520000, "SSB", "002", "002 SP", "UA9", "80"},
    {"SP1A", Minute(33), 1835000, "CW", "003", "003 KO", "SP", "160"},
};

class Transcript {
 public:
  explicit Transcript(const char* path) : file_(std::fopen(path, "wb")) {}
  ~Transcript() {
    if (file_) std::fclose(file_);
  }
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;

  bool ok() const { return file_ != nullptr && !failed_; }
  void Line(const std::string& text) {
    if (!file_) return;
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() ||
        std::fputc('\n', file_) == EOF) {
      failed_ = true;
    }
  }
  bool Close() {
    const bool closed = file_ && std::fclose(file_) == 0;
    file_ = nullptr;
    return closed && !failed_;
  }

 private:
  std::FILE* file_;
  bool failed_ = false;
};

int Reset(const EntryPoints& m, int reportMode, const char* call, double date) {
  COleDateTime unread{123.0, 1};
  COleDateTime contestDate{date, 0};
  return m.ResetStats0("x", reportMode, call, &unread, &contestDate, "x", "x", "x", "x", "MA",
                       "x", "x", "KO", "x", "x", 7, 8, 9, 1.5, 2.5, "x", "x", "x");
}

int Call(AddData0Fn fn, const Contact& c) {
  COleDateTime time{c.time, 0};
  COleDateTime unread{99.0, 2};
  return fn("x", c.call, &time, &unread, &unread, &unread, 42, c.freqHz, c.mode, "599", "599",
            c.number, c.exchange, "x", "x", "x", "x", "x", "x", "x", "x", "x", c.country, 1, 2,
            3, 4.5, 5.5, "x", "aux", "x", c.band, "x");
}

// The check's answer and what it left in a buffer of '#': the text up to
// its zero byte, and whether the byte after it is still '#'.
std::string Check(const EntryPoints& m, const char* call, const char* mode,
                  const char* country, const char* region, const char* band) {
  char message[300];
  std::memset(message, '#', sizeof message);
  char untouched[8] = "keep";
  const int result =
      m.CheckCall0(call, 1, 2, mode, "x", "x", "x", "x", "x", "x", "x", "x", "x", country, 1, 2,
                   3, 4.5, 5.5, "x", "x", "x", "x", region, band, "x", untouched, message);
  std::string line = std::string("CheckCall0 ") + call + " " + mode + " " +
                     (country ? country : "(null)") + " " + region + " " + band + " -> " +
                     std::to_string(result);
  if (message[0] == '#') return line + " (buffer untouched)";
  const std::size_t length = strnlen(message, sizeof message);
  line += " [" + std::string(message, length) + "]";
  if (length + 1 < sizeof message && message[length + 1] != '#') line += " (wrote past zero)";
  if (std::strcmp(untouched, "keep") != 0) line += " (touched argument 26)";
  return line;
}

std::string Result(const EntryPoints& m) {
  int score = 12345;
  const char* summary = m.GetResult0(&score);
  return "GetResult0 -> " + std::to_string(score) + "\n" + (summary ? summary : "(null)") +
         "\n-- end of summary";
}

std::string Added(const char* name, AddData0Fn fn, const Contact& c) {
  return std::string(name) + " " + c.call + " " + c.band + " " + c.mode + " -> " +
         std::to_string(Call(fn, c));
}

double OleNow() { return static_cast<double>(std::time(nullptr)) / 86400.0 + 25569.0; }

// A contact at the present moment is a repeat for a check in the same
// tour. Started within a few seconds of a tour's end, wait for the next
// one, so the check cannot fall into another tour than the contact.
double NowWellInsideATour() {
  for (;;) {
    const std::time_t now = std::time(nullptr);
    if (now % 1800 < 1795) return OleNow();
  }
}

void PlayOrdinaryLogging(const EntryPoints& m, Transcript& out) {
  out.Line("ResetStats0 report 0 -> " + std::to_string(Reset(m, 0, "R3XX", kContestDay)));
  for (const Contact& c : kFirstLog) out.Line(Added("AddData0", m.AddData0, c));
  out.Line(Added("RemoveData0", m.RemoveData0, kFirstLog[3]));
  const Contact notLogged = {"UA1NONE", Minute(1), 0, "CW", "001", "001 SP", "UA", "160"};
  out.Line(Added("RemoveData0", m.RemoveData0, notLogged));
  const Contact noExchange = {"R3MA", Minute(1), 0, "CW", "001", "", "UA", "160"};
  out.Line(Added("RemoveData0", m.RemoveData0, noExchange));

  out.Line(Check(m, "R3NEW", "CW", "UA", "TU", "160"));
  out.Line(Check(m, "R3NEW", "CW", "UA", "SP", "160"));
  out.Line(Check(m, "R3MA", "SSB", "UA", "MA", "40"));
  out.Line(Check(m, "R3NEW", "CW", nullptr, "SP", "160"));
  out.Line(Check(m, "OK1AB", "CW", "OK", "", "80"));

  const Contact now = {"UA3NOW", NowWellInsideATour(), 1830000, "CW", "010", "010 TU", "UA",
                       "160"};
  Call(m.AddData0, now);
  out.Line(Check(m, "UA3NOW", "CW", "UA", "TU", "160"));
  out.Line(Check(m, "UA3NOW", "SSB", "UA", "TU", "160"));
  out.Line(Check(m, "ua3now", "CW", "UA", "TU", "160"));
  out.Line(Added("RemoveData0", m.RemoveData0, now));
  out.Line(Result(m));
}

void PlayReport(const EntryPoints& m, Transcript& out) {
  std::FILE* extension = std::fopen("cabrillo.ini", "wb");
  if (extension) {
    std::fputs("X-PARITY: header line\r\n", extension);
    std::fclose(extension);
  }
  out.Line("ResetStats0 report 1 -> " +
           std::to_string(Reset(m, 1, " R3XX/P ", kContestEvening)));
  for (const Contact& c : kSecondLog) out.Line(Added("AddData0", m.AddData0, c));
  out.Line(Result(m));
  out.Line(Result(m));
  // A dialog closed with CANCEL: the settings file keeps what the first one
  // saved, and the export that follows uses the values loaded from it.
  out.Line("ResetStats0 report 7 -> " + std::to_string(Reset(m, 7, " R3XX/P ", 0.0)));
  out.Line(Added("AddData0", m.AddData0, kSecondLog[0]));
  out.Line(Result(m));
  out.Line("ResetStats0 report 0 -> " + std::to_string(Reset(m, 0, "R3XX", kContestDay)));
  out.Line(Result(m));
}

}  // namespace

const std::vector<DialogAnswer>& ContestDialogAnswers() {
  static const std::vector<DialogAnswer> answers = {
      {{{"NAME", "Ivan Petrov"},
        {"ADDRESS", "Lenina 1\r\nMoscow"},
        {"SOAPBOX", "73!\r\nThanks for the contest\r\n"},
        {"LOCATION", "MOS"},
        {"CLUB", "RCC"},
        {"E-MAIL", "r3xx@example.org"},
        {"CATEGORY-POWER", "LOW"},
        {"CATEGORY-OVERLAY", "SO80"},
        {"CLAIMED", "999"}},
       true},
      {{{"NAME", "Changed, then cancelled"}, {"CATEGORY-BAND", "ALL"}}, false},
  };
  return answers;
}

const std::vector<std::string>& ContestMessages() {
  static const std::vector<std::string> messages = {
      "File produced: R3XX_P.cbr", "File produced: R3XX_P.cbr", "File produced: R3XX_P.cbr"};
  return messages;
}

bool PlayContest(const EntryPoints& m) {
  Transcript out("transcript.txt");
  if (!out.ok()) return false;
  out.Line("GetNumberOfSets -> " + std::to_string(m.GetNumberOfSets()));
  out.Line(std::string("GetSetName 0 -> ") + m.GetSetName(0));
  PlayOrdinaryLogging(m, out);
  PlayReport(m, out);
  return out.Close();
}

const std::vector<std::string>& ContestOutputFiles() {
  static const std::vector<std::string> files = {"transcript.txt", "R3XX_P.cbr",
                                                 "Plugins/VARNO.ini", "cabrillo.ini"};
  return files;
}

}  // namespace rezov
