// A log as its reader read it, whatever its format: one record per contact,
// already in the form of the host's AddData0 arguments, the station values
// the host would pass to ResetStats0, and everything that could not be read.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ole_date.h"
#include "tools/logs/calendar.h"
#include "tools/logs/exchange.h"

namespace rezov {

// Where a record starts: its number in the log (1-based, bad records
// included), its line (1-based) and its byte offset from the start of the
// file (0-based).
struct LogPosition {
  int record = 0;
  std::size_t line = 0;
  std::size_t offset = 0;
};

// "record 3 (line 14, byte 512)".
std::string PositionText(const LogPosition& where);

// A record that was skipped, or one replayed with something worth telling.
struct ReadProblem {
  LogPosition where;
  std::string reason;
};

// One contact: the arguments AddData0 reads.
struct LogContact {
  LogPosition where;
  std::string call;
  CalendarTime time;  // UTC, as the log states it
  unsigned int freqHz = 0;
  std::string band;  // metres without the unit: "160", "80"
  std::string mode;
  std::string rstSent;   // argument 9, verbatim
  std::string rstRcvd;   // argument 10, verbatim
  std::string sentNumber;
  std::string rcvdExchange;
  int dxcc = -1;         // the log's DXCC entity code, -1 when it gives none
  std::string country;   // argument 22, filled in by the country lookup
  // Why the replay does not hand this contact to the module (a band or mode
  // outside the contest, a repeat within a tour); empty when it does.
  std::string excluded;
  // What a Cabrillo line says besides: its own call, and both exchanges
  // as written, in upper case.
  std::string ownCall;
  Exchange sent;
  Exchange received;
};

struct ContactLog {
  std::string format;    // "ADIF" or "Cabrillo"
  std::string ownCall;
  std::string ownRegion;
  std::string ownGrid;
  std::string contest;   // the CONTEST: header or CONTEST_ID, as written
  std::string layout;    // how a Cabrillo log's QSO lines were read
  // A Cabrillo log's header: each tag (in upper case, QSO: lines aside) with
  // the trimmed value of its first line.
  std::map<std::string, std::string> header;
  std::vector<LogContact> contacts;
  std::vector<ReadProblem> skipped;
  // Something worth telling about one record that was read all the same.
  std::vector<ReadProblem> notes;
  // Something worth telling about the log as a whole, said once.
  std::vector<std::string> logNotes;
  int recordCount = 0;   // records seen, skipped ones included
};

// The contest this tool scores, as logs name it.
extern const char kContestId[];

// Leading and trailing blanks, tabs, CR and LF removed.
std::string Trimmed(const std::string& text);

// ASCII letters in upper case; other bytes unchanged.
std::string UpperAscii(std::string text);

// True for a text of one or more ASCII digits and nothing else.
bool AllDigits(const std::string& text);

// Blank-separated items of a text (blanks and tabs; runs count as one).
std::vector<std::string> Items(const std::string& text);

// A decimal number of digits only, padded with zeros in front to three
// digits ("7" gives "007"); any other text is returned as it is.
std::string PaddedNumber(const std::string& text);

// True when every byte is printable ASCII (0x21-0x7E): call signs are.
bool IsAsciiCall(const std::string& call);

// Text for a message that names something from a file or a command line:
// well-formed UTF-8 as it is, any other byte outside printable ASCII as
// \xNN.
std::string Printable(const std::string& text);

// The text after a UTF-8 byte order mark at its very start, if any.
std::string WithoutByteOrderMark(const std::string& bytes);

// Line numbers of byte offsets met in increasing order, counted in one pass.
class LineCounter {
 public:
  explicit LineCounter(const std::string& bytes) : bytes_(bytes) {}
  // The 1-based line of `offset`; offsets must not decrease between calls.
  std::size_t LineAt(std::size_t offset);

 private:
  const std::string& bytes_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
};

}  // namespace rezov
