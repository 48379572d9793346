// A log as a participant submitted it: its header values and one entry per
// QSO line, read or with the reason it could not be read.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "tools/logs/calendar.h"
#include "tools/logs/call_sign.h"
#include "tools/logs/short_text.h"

namespace rezov::adjudicate {

// A sent or received exchange: the serial number and the region code (for
// a station outside Russia, its two-character grid code), as written,
// upper-cased. Longer ones make their line unreadable.
struct Exchange {
  ShortText<10> number;
  ShortText<6> region;
};

// The bands and modes of the contest, as the checker tells them apart.
enum class Band : std::uint8_t { k160, k80, kOther };
enum class ModeKind : std::uint8_t { kCw, kPhone, kOther };

// Why a QSO line cannot be read, or nothing. The lines of a log that share
// a reason share its text, so that a log of a million unreadable lines
// holds its few reasons once.
class LineProblem {
 public:
  LineProblem() = default;
  LineProblem(std::shared_ptr<const std::string> reason) : reason_(std::move(reason)) {}
  LineProblem(std::string reason)
      : reason_(reason.empty() ? nullptr : std::make_shared<const std::string>(std::move(reason))) {}

  bool empty() const { return !reason_; }
  const std::string& text() const;
  operator const std::string&() const { return text(); }
  std::size_t find(std::string_view s, std::size_t pos = 0) const { return text().find(s, pos); }
  std::size_t rfind(std::string_view s, std::size_t pos = std::string::npos) const {
    return text().rfind(s, pos);
  }
  friend bool operator==(const LineProblem& a, std::string_view b) { return a.text() == b; }
  friend std::ostream& operator<<(std::ostream& out, const LineProblem& p) { return out << p.text(); }

 private:
  std::shared_ptr<const std::string> reason_;
};

// One QSO line, kept compactly: the checker holds every line of every log
// at once, and a log may hold a million of them.
struct QsoLine {
  std::uint32_t lineNumber = 0;  // 1-based, in its file
  std::uint32_t textBegin = 0;   // the line in the file's bytes, without its line end
  std::uint32_t textLength = 0;
  std::int32_t freqKhz = 0;
  Band band = Band::kOther;  // of freqKhz; BandText gives its name
  Minute minute = 0;         // UTC, as logged
  // The partner's check reads the time and the sent exchange together, so
  // they come first and share the line's first bytes in memory.
  Exchange sent;
  ShortText<kLongestCall> call;  // the worked station, upper-cased
  Exchange rcvd;
  ShortText<6> mode;  // as written, upper-cased: "CW", "PH", "SSB", "RY"
  ShortText<kLongestCall> ownCall;
  LineProblem problem;  // why the line cannot be read; empty when it was read

  bool readable() const { return problem.empty(); }
};

// The header values the checker shows or uses, trimmed; empty when absent.
struct LogHeader {
  std::string callsign;
  std::string categoryOperator;
  std::string categoryBand;
  std::string categoryPower;
  std::string claimedScore;
  std::string contest;
  std::string gridLocator;
  bool startOfLog = false;  // a START-OF-LOG: line was there
};

struct SubmittedLog {
  std::string fileName;  // as given on the command line or found in a folder
  std::string bytes;     // the whole file, for the evidence lines of the reports
  LogHeader header;
  std::string call;  // the station: CALLSIGN:, else the own call of the first QSO line
  std::vector<QsoLine> lines;
  std::vector<std::string> notes;  // what is wrong with the file as a whole, one sentence each

  // The line as it stands in the file, without its line end.
  std::string_view LineText(const QsoLine& line) const {
    return std::string_view(bytes).substr(line.textBegin, line.textLength);
  }
};

// The band of a frequency in kHz.
Band BandOfKhz(std::int32_t khz);

// The band's text as the module's summary rows show it, in metres ("160",
// "80", "40"); a frequency on no amateur band gives its kHz text.
std::string BandText(std::int32_t khz);

// CW is CW; PH and SSB (or USB, LSB) are phone; anything else is neither.
ModeKind ModeKindOf(std::string_view mode);

// "001 MA": the exchange as the QSO line writes it.
std::string ExchangeText(const Exchange& e);

}  // namespace rezov::adjudicate
