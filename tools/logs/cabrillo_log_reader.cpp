// The project's Cabrillo reader (tools/logs) does the reading, with the
// layouts real loggers write; this file only lays its result out as the
// checker's log model.
#include "tools/logs/cabrillo_log_reader.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "tools/logs/cabrillo_reader.h"
#include "tools/logs/call_sign.h"
#include "tools/logs/log_text.h"

namespace rezov::adjudicate {
namespace {

bool HasNonAscii(std::string_view s) {
  return std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
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

// The 1-based numbers of the lines that hold a byte outside ASCII.
std::vector<std::uint32_t> NonAsciiLines(std::string_view bytes) {
  std::vector<std::uint32_t> lines;
  std::uint32_t number = 1;
  for (std::size_t start = 0; start < bytes.size(); ++number) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    if (HasNonAscii(bytes.substr(start, end - start))) lines.push_back(number);
    start = end + 1;
  }
  return lines;
}

// Where a line stands in the file, without its line end.
void Place(const std::string& bytes, const LogPosition& where, QsoLine& q) {
  std::size_t end = bytes.find('\n', where.offset);
  if (end == std::string::npos) end = bytes.size();
  if (end > where.offset && bytes[end - 1] == '\r') --end;
  q.lineNumber = static_cast<std::uint32_t>(where.line);
  q.textBegin = static_cast<std::uint32_t>(where.offset);
  q.textLength = static_cast<std::uint32_t>(end - where.offset);
}

// The reason for a field longer than the line model holds: no field of
// this contest is.
template <typename Field>
std::string TooLong(const std::string& field, const std::string& text) {
  if (Field::Fits(text)) return std::string();
  return field + " '" + Printable(text.substr(0, 20)) + (text.size() > 20 ? "...' " : "' ") +
         "is longer than " + std::to_string(Field::kCapacity) + " characters";
}

// Why a line read by the layout of its log is no contact of this contest's
// exchange: each side needs a serial number and a region, each of a length
// an exchange has; a call must be a call.
std::string ContactProblem(const LogContact& c) {
  using Number = decltype(Exchange::number);
  using Region = decltype(Exchange::region);
  for (const auto& [side, e] : {std::pair{"the sent", &c.sent}, std::pair{"the received", &c.received}}) {
    const std::string the = side;
    if (e->serial.empty()) return the + " exchange has no serial number";
    if (e->region.empty()) return the + " exchange has no region";
    for (const std::string& tooLong : {TooLong<Number>(the + " serial number", e->serial),
                                       TooLong<Region>(the + " region", e->region)}) {
      if (!tooLong.empty()) return tooLong;
    }
  }
  for (const std::string& tooLong : {TooLong<decltype(QsoLine::mode)>("the mode", c.mode),
                                     TooLong<decltype(QsoLine::ownCall)>("the own call", c.ownCall)}) {
    if (!tooLong.empty()) return tooLong;
  }
  const std::string call = LoggedCallProblem(c.call);
  return call.empty() ? call : "the call " + call;
}

// The reasons of a log's unreadable lines, each text kept once.
class Reasons {
 public:
  LineProblem Of(const std::string& reason) {
    std::shared_ptr<const std::string>& shared = pool_[reason];
    if (!shared) shared = std::make_shared<const std::string>(reason);
    return LineProblem(shared);
  }

 private:
  std::unordered_map<std::string, std::shared_ptr<const std::string>> pool_;
};

QsoLine LineOf(const std::string& bytes, const LogContact& c) {
  QsoLine q;
  Place(bytes, c.where, q);
  q.freqKhz = static_cast<std::int32_t>(c.freqHz / 1000);
  q.band = BandOfKhz(q.freqKhz);
  q.minute = MinuteOf(c.time);
  q.sent = Exchange{c.sent.serial, c.sent.region};
  q.call = c.call;
  q.rcvd = Exchange{c.received.serial, c.received.region};
  // Phone as Cabrillo names it, the word of the committee's tables.
  q.mode = c.mode == "SSB" ? "PH" : c.mode;
  q.ownCall = c.ownCall;
  return q;
}

QsoLine UnreadableLine(const std::string& bytes, const ReadProblem& p, Reasons& reasons) {
  QsoLine q;
  Place(bytes, p.where, q);
  q.problem = reasons.Of(p.reason);
  return q;
}

// The header values the checker keeps; the first line of a tag counts.
class HeaderValues {
 public:
  void Take(const std::string& tag, const std::string& value) {
    static const std::pair<const char*, std::string LogHeader::*> kTags[] = {
        {"CALLSIGN", &LogHeader::callsign},
        {"CATEGORY-OPERATOR", &LogHeader::categoryOperator},
        {"CATEGORY-BAND", &LogHeader::categoryBand},
        {"CATEGORY-POWER", &LogHeader::categoryPower},
        {"CLAIMED-SCORE", &LogHeader::claimedScore},
        {"CONTEST", &LogHeader::contest},
        {"GRID-LOCATOR", &LogHeader::gridLocator},
    };
    if (tag == "START-OF-LOG") header_.startOfLog = true;
    for (std::size_t i = 0; i < std::size(kTags); ++i) {
      if (tag != kTags[i].first || (seen_ >> i & 1u) != 0) continue;
      header_.*kTags[i].second = value;
      seen_ |= 1u << i;
    }
  }

  LogHeader Header() const {
    LogHeader h = header_;
    h.callsign = UpperAscii(h.callsign);
    h.gridLocator = UpperAscii(h.gridLocator);
    return h;
  }

 private:
  LogHeader header_;
  unsigned seen_ = 0;
};

}  // namespace

Result<SubmittedLog> ReadCabrilloLog(std::string fileName, std::string bytes) {
  if (bytes.empty()) return Fail("the file is empty");
  SubmittedLog log;
  log.fileName = std::move(fileName);
  log.bytes = LogText(std::move(bytes));
  HeaderValues header;
  Reasons reasons;
  const ContactLog replay = ReadCabrilloLines(
      log.bytes,
      {[&](std::size_t lines) { log.lines.reserve(lines); },
       [&](LogContact&& c) {
         const std::string problem = ContactProblem(c);
         log.lines.push_back(problem.empty() ? LineOf(log.bytes, c)
                                             : UnreadableLine(log.bytes, ReadProblem{c.where, problem}, reasons));
       },
       [&](ReadProblem&& p) { log.lines.push_back(UnreadableLine(log.bytes, p, reasons)); },
       [&](const std::string& tag, const std::string& value) { header.Take(tag, value); }});
  log.header = header.Header();
  if (!log.header.startOfLog && replay.recordCount == 0) {
    return Fail("not a Cabrillo log: no START-OF-LOG: line and no QSO: line");
  }
  // A QSO line with bytes outside ASCII cannot be trusted to name a call or
  // an exchange: it is unreadable. The log says once where such bytes are.
  for (QsoLine& q : log.lines) {
    if (!HasNonAscii(log.LineText(q))) continue;
    q = UnreadableLine(log.bytes,
                       ReadProblem{LogPosition{0, q.lineNumber, q.textBegin}, "bytes outside ASCII"},
                       reasons);
  }
  const std::vector<std::uint32_t> nonAscii = NonAsciiLines(log.bytes);
  log.call = log.header.callsign.empty() ? replay.ownCall : log.header.callsign;
  if (!nonAscii.empty()) log.notes.push_back(NonAsciiNote(nonAscii));
  if (!log.header.startOfLog) log.notes.push_back("no START-OF-LOG: line");
  return log;
}

}  // namespace rezov::adjudicate
