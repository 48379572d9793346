#include "tools/adjudicate/cabrillo_log_reader.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace rezov::adjudicate {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool IsAscii(unsigned char c) { return c < 0x80; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

bool AllAlnum(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s) {
    if (!IsDigit(c) && !IsUpper(c)) return false;
  }
  return true;
}

// A region or grid code: one to four letters and digits with a letter.
bool IsRegionItem(std::string_view s) {
  if (s.size() > 4 || !AllAlnum(s)) return false;
  for (char c : s) {
    if (IsUpper(c)) return true;
  }
  return false;
}

// "001MA": a number and a region written as one item.
bool SplitJoinedExchange(std::string_view s, Exchange& e) {
  std::size_t digits = 0;
  while (digits < s.size() && IsDigit(s[digits])) ++digits;
  if (digits == 0 || digits == s.size() || !IsRegionItem(s.substr(digits))) return false;
  e.number = std::string(s.substr(0, digits));
  e.region = std::string(s.substr(digits));
  return true;
}

// The upper-cased items of a line after its tag.
std::vector<std::string> Items(std::string_view s) {
  std::vector<std::string> items;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && IsBlank(s[i])) ++i;
    const std::size_t start = i;
    while (i < s.size() && !IsBlank(s[i])) ++i;
    if (i > start) items.push_back(Upper(s.substr(start, i - start)));
  }
  return items;
}

// Reads an exchange from items[pos...]: [rst] number region, or [rst]
// numberregion. Moves pos past it; returns the reason when it cannot.
std::string ReadExchange(const std::vector<std::string>& items, std::size_t& pos,
                         const char* which, Exchange& e) {
  const auto at = [&](std::size_t k) -> std::string_view {
    return k < items.size() ? std::string_view(items[k]) : std::string_view();
  };
  Exchange joined;
  // An RST is a number followed by another number, joined or not.
  if (AllDigits(at(pos)) && (AllDigits(at(pos + 1)) || SplitJoinedExchange(at(pos + 1), joined))) {
    ++pos;
  }
  if (SplitJoinedExchange(at(pos), e)) {
    ++pos;
    return std::string();
  }
  if (!AllDigits(at(pos))) {
    return std::string(which) + " exchange: expected a number, found '" + std::string(at(pos)) +
           "'";
  }
  if (!IsRegionItem(at(pos + 1))) {
    return std::string(which) + " exchange: expected a region after " + items[pos] +
           ", found '" + std::string(at(pos + 1)) + "'";
  }
  e.number = items[pos];
  e.region = items[pos + 1];
  pos += 2;
  return std::string();
}

// A call, maybe miscopied: letters, digits and '/', with a letter. A call
// without a digit is no real call, but it is what the operator logged.
bool IsCallItem(std::string_view s) {
  bool letter = false;
  for (char c : s) {
    if (IsUpper(c)) {
      letter = true;
    } else if (!IsDigit(c) && c != '/') {
      return false;
    }
  }
  return letter;
}

std::string ReadWhen(std::string_view date, std::string_view time, Minute& minute) {
  CivilTime t;
  if (date.size() != 10 || date[4] != '-' || date[7] != '-' || !AllDigits(date.substr(0, 4)) ||
      !AllDigits(date.substr(5, 2)) || !AllDigits(date.substr(8, 2))) {
    return "bad date '" + std::string(date) + "' (yyyy-mm-dd)";
  }
  t.year = std::stoi(std::string(date.substr(0, 4)));
  t.month = std::stoi(std::string(date.substr(5, 2)));
  t.day = std::stoi(std::string(date.substr(8, 2)));
  if (!IsCalendarDate(t.year, t.month, t.day)) return "no such date '" + std::string(date) + "'";
  if (time.size() != 4 || !AllDigits(time)) return "bad time '" + std::string(time) + "' (hhmm)";
  t.hour = (time[0] - '0') * 10 + (time[1] - '0');
  t.minute = (time[2] - '0') * 10 + (time[3] - '0');
  if (t.hour > 23 || t.minute > 59) return "no such time '" + std::string(time) + "'";
  minute = MinuteOf(t);
  return std::string();
}

// Fills `q` from the text after "QSO:"; the reason when it cannot.
std::string ReadQso(std::string_view text, QsoLine& q) {
  for (char c : text) {
    if (!IsAscii(static_cast<unsigned char>(c))) return "bytes outside ASCII";
  }
  const std::vector<std::string> items = Items(text);
  if (items.size() < 8) {
    return "only " + std::to_string(items.size()) +
           " items; a QSO line holds frequency, mode, date, time, own call, sent exchange, "
           "call and received exchange";
  }
  if (!AllDigits(items[0]) || items[0].size() > 6) {
    return "bad frequency '" + items[0] + "' (kHz)";
  }
  q.freqKhz = std::stoi(items[0]);
  q.band = BandOfKhz(q.freqKhz);
  q.mode = items[1];
  std::string why = ReadWhen(items[2], items[3], q.minute);
  if (!why.empty()) return why;
  std::size_t pos = 4;
  if (!IsCallItem(items[pos])) return "bad own call '" + items[pos] + "'";
  q.ownCall = items[pos++];
  why = ReadExchange(items, pos, "sent", q.sent);
  if (!why.empty()) return why;
  if (pos >= items.size() || !IsCallItem(items[pos])) {
    return "bad call '" + (pos < items.size() ? items[pos] : std::string()) + "'";
  }
  q.call = items[pos++];
  why = ReadExchange(items, pos, "received", q.rcvd);
  if (!why.empty()) return why;
  // A transmitter number (0 or 1) may close the line.
  if (pos + 1 == items.size() && items[pos].size() == 1 && IsDigit(items[pos][0])) ++pos;
  if (pos != items.size()) return "unexpected item '" + items[pos] + "' after the exchange";
  return std::string();
}

void ReadHeaderValue(std::string_view tag, std::string_view value, LogHeader& h) {
  const std::string v(value);
  if (tag == "CALLSIGN") h.callsign = Upper(v);
  if (tag == "CATEGORY-OPERATOR") h.categoryOperator = v;
  if (tag == "CATEGORY-BAND") h.categoryBand = v;
  if (tag == "CATEGORY-POWER") h.categoryPower = v;
  if (tag == "CLAIMED-SCORE") h.claimedScore = v;
  if (tag == "CONTEST") h.contest = v;
  if (tag == "GRID-LOCATOR") h.gridLocator = Upper(v);
  if (tag == "START-OF-LOG") h.startOfLog = true;
}

bool HasNonAscii(std::string_view s) {
  for (char c : s) {
    if (!IsAscii(static_cast<unsigned char>(c))) return true;
  }
  return false;
}

std::string NonAsciiNote(const std::vector<std::uint32_t>& lines) {
  std::string note = "bytes outside ASCII on line";
  note += lines.size() > 1 ? "s " : " ";
  for (std::size_t i = 0; i < lines.size() && i < 5; ++i) {
    note += (i ? ", " : "") + std::to_string(lines[i]);
  }
  if (lines.size() > 5) note += " and " + std::to_string(lines.size() - 5) + " more";
  return note;
}

QsoLine UnreadableLine(const QsoLine& read, std::string problem) {
  QsoLine q;
  q.lineNumber = read.lineNumber;
  q.textBegin = read.textBegin;
  q.textLength = read.textLength;
  q.problem = std::move(problem);
  return q;
}

}  // namespace

Result<SubmittedLog> ReadCabrilloLog(std::string fileName, std::string bytes) {
  if (bytes.empty()) return Fail("the file is empty");
  SubmittedLog log;
  log.fileName = std::move(fileName);
  log.bytes = std::move(bytes);
  const std::string_view all(log.bytes);
  log.lines.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')));
  std::vector<std::uint32_t> nonAscii;
  std::uint32_t number = 0;
  for (std::size_t start = 0; start < all.size();) {
    std::size_t end = all.find('\n', start);
    if (end == std::string_view::npos) end = all.size();
    std::string_view line = all.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    if (HasNonAscii(line)) nonAscii.push_back(number);
    const std::size_t colon = line.find(':');
    if (colon != std::string_view::npos) {
      const std::string tag = Upper(Trim(line.substr(0, colon)));
      if (tag == "QSO") {
        QsoLine q;
        q.lineNumber = number;
        q.textBegin = static_cast<std::uint32_t>(start);
        q.textLength = static_cast<std::uint32_t>(line.size());
        std::string problem = ReadQso(line.substr(colon + 1), q);
        // An unreadable line keeps only where it stands and why.
        if (!problem.empty()) q = UnreadableLine(q, std::move(problem));
        log.lines.push_back(std::move(q));
      } else {
        ReadHeaderValue(tag, Trim(line.substr(colon + 1)), log.header);
      }
    }
    start = end + 1;
  }
  if (!log.header.startOfLog && log.lines.empty()) {
    return Fail("not a Cabrillo log: no START-OF-LOG: line and no QSO: line");
  }
  log.call = log.header.callsign;
  for (const QsoLine& q : log.lines) {
    if (!log.call.empty()) break;
    if (q.readable()) log.call = q.ownCall;
  }
  if (!nonAscii.empty()) log.notes.push_back(NonAsciiNote(nonAscii));
  if (!log.header.startOfLog) log.notes.push_back("no START-OF-LOG: line");
  return log;
}

}  // namespace rezov::adjudicate
