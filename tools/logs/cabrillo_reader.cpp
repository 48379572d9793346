#include "tools/logs/cabrillo_reader.h"

#include <optional>

#include "tools/logs/band_table.h"

namespace rezov {
namespace {

struct Line {
  std::string text;  // without its line end
  std::size_t offset;
  std::size_t number;
};

std::vector<Line> SplitLines(const std::string& bytes) {
  std::vector<Line> lines;
  std::size_t start = 0;
  std::size_t number = 1;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string text = bytes.substr(start, end - start);
    if (!text.empty() && text.back() == '\r') text.pop_back();
    lines.push_back({text, start, number++});
    start = end + 1;
  }
  return lines;
}

// The tag of a header line ("CALLSIGN") in upper case, and its value.
bool SplitTag(const std::string& line, std::string& tag, std::string& value) {
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos) return false;
  tag = UpperAscii(Trimmed(line.substr(0, colon)));
  value = Trimmed(line.substr(colon + 1));
  return true;
}

std::string ReadDate(const std::string& text, CalendarTime& t) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
      !AllDigits(text.substr(0, 4) + text.substr(5, 2) + text.substr(8, 2))) {
    return "bad date '" + text + "' (yyyy-mm-dd)";
  }
  t.year = std::stoi(text.substr(0, 4));
  t.month = std::stoi(text.substr(5, 2));
  t.day = std::stoi(text.substr(8, 2));
  if (!IsCalendarDate(t.year, t.month, t.day)) return "bad date '" + text + "'";
  return std::string();
}

std::string ReadTime(const std::string& text, CalendarTime& t) {
  if (text.size() != 4 || !AllDigits(text)) return "bad time '" + text + "' (hhmm)";
  t.hour = std::stoi(text.substr(0, 2));
  t.minute = std::stoi(text.substr(2, 2));
  t.second = 0;
  if (t.hour > 23 || t.minute > 59) return "bad time '" + text + "'";
  return std::string();
}

std::string ReadFrequency(const std::string& text, ReplayContact& c) {
  const std::optional<std::uint32_t> hz = DecimalToUnits(text, 3);
  if (!hz) return "bad frequency '" + text + "' (kHz)";
  const std::optional<std::string> band = BandOfFrequency(*hz);
  if (!band) return "frequency " + text + " kHz lies in no amateur band";
  c.freqHz = *hz;
  c.band = *band;
  return std::string();
}

constexpr std::size_t kQsoItems = 10;

// The contact of one QSO line, or the reason it cannot be read. `ownCall`
// and `sentRegion` receive the line's own call and sent region.
std::string ToContact(const std::string& value, ReplayContact& c, std::string& ownCall,
                      std::string& sentRegion) {
  const std::vector<std::string> items = Items(value);
  if (items.size() != kQsoItems) {
    return "expected 10 items (frequency, mode, date, time, own call, sent number, "
           "sent region, call, received number, received region), found " +
           std::to_string(items.size());
  }
  std::string why = ReadFrequency(items[0], c);
  if (why.empty()) why = ReadDate(items[2], c.time);
  if (why.empty()) why = ReadTime(items[3], c.time);
  if (!why.empty()) return why;
  c.mode = items[1] == "PH" ? "SSB" : items[1];
  ownCall = items[4];
  c.sentNumber = items[5];
  sentRegion = items[6];
  c.call = items[7];
  c.rcvdExchange = items[8] + " " + items[9];
  return std::string();
}

}  // namespace

bool LooksLikeCabrillo(const std::string& bytes) {
  const std::size_t first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string::npos &&
         UpperAscii(bytes.substr(first, 13)) == "START-OF-LOG:";
}

Result<ReplayLog> ReadCabrillo(const std::string& bytes) {
  ReplayLog log;
  log.format = "Cabrillo";
  std::string headerCall;
  std::string firstLineCall;
  for (const Line& line : SplitLines(bytes)) {
    std::string tag;
    std::string value;
    if (!SplitTag(line.text, tag, value)) continue;
    if (tag == "CALLSIGN") headerCall = value;
    if (tag == "GRID-LOCATOR") log.ownGrid = value;
    if (tag != "QSO") continue;
    ReplayContact c;
    c.where = LogPosition{++log.recordCount, line.number, line.offset};
    std::string ownCall;
    std::string sentRegion;
    const std::string why = ToContact(value, c, ownCall, sentRegion);
    if (!why.empty()) {
      log.skipped.push_back({c.where, why});
      continue;
    }
    if (log.contacts.empty()) {
      firstLineCall = ownCall;
      log.ownRegion = sentRegion;
    }
    log.contacts.push_back(std::move(c));
  }
  log.ownCall = headerCall.empty() ? firstLineCall : headerCall;
  return log;
}

}  // namespace rezov
