#include "tools/logs/cabrillo_reader.h"

#include <map>
#include <optional>

#include "tools/logs/band_table.h"
#include "tools/logs/exchange.h"

namespace rezov {
namespace {

struct Line {
  std::string text;  // without its line end
  std::size_t offset;
  std::size_t number;
};

std::vector<Line> SplitLines(const std::string& bytes, std::size_t start) {
  std::vector<Line> lines;
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
    return "bad date '" + Printable(text) + "' (yyyy-mm-dd)";
  }
  t.year = std::stoi(text.substr(0, 4));
  t.month = std::stoi(text.substr(5, 2));
  t.day = std::stoi(text.substr(8, 2));
  if (!IsCalendarDate(t.year, t.month, t.day)) return "bad date '" + text + "'";
  return std::string();
}

std::string ReadTime(const std::string& text, CalendarTime& t) {
  if (text.size() != 4 || !AllDigits(text)) return "bad time '" + Printable(text) + "' (hhmm)";
  t.hour = std::stoi(text.substr(0, 2));
  t.minute = std::stoi(text.substr(2, 2));
  t.second = 0;
  if (t.hour > 23 || t.minute > 59) return "bad time '" + text + "'";
  return std::string();
}

// Above 30 MHz a Cabrillo log may give the band in MHz instead of the
// frequency in kHz.
std::optional<std::uint32_t> BandDesignatorHz(const std::string& text) {
  static const std::map<std::string, std::uint32_t> kDesignators = {
      {"50", 50000000u},   {"70", 70000000u},    {"144", 144000000u},   {"222", 222000000u},
      {"432", 432000000u}, {"902", 902000000u},  {"1.2G", 1240000000u}, {"2.3G", 2300000000u},
      {"3.4G", 3400000000u}};
  const auto it = kDesignators.find(UpperAscii(text));
  if (it == kDesignators.end()) return std::nullopt;
  return it->second;
}

std::string ReadFrequency(const std::string& text, LogContact& c) {
  std::optional<std::uint32_t> hz = DecimalToUnits(text, 3);
  std::optional<std::string> band = hz ? BandOfFrequency(*hz) : std::nullopt;
  if (!band) {
    hz = BandDesignatorHz(text);
    if (hz) band = BandOfFrequency(*hz);
  }
  if (!hz && !DecimalToUnits(text, 3)) return "bad frequency '" + Printable(text) + "' (kHz)";
  if (!band) return "frequency " + text + " kHz lies in no amateur band";
  c.freqHz = *hz;
  c.band = *band;
  return std::string();
}

// The items of a QSO line after "QSO:".
std::vector<std::string> QsoItems(const std::string& value) { return Items(value); }

constexpr std::size_t kBeforeSent = 5;  // frequency, mode, date, time, own call

// How the QSO lines of one log are laid out: the items of each exchange,
// their roles, and whether a transmitter number ends the line. Decided
// once for a log, from the number of items most of its lines have: the
// sent and the received exchange have as many items each.
struct Layout {
  std::size_t items = 0;  // 0: the log has no QSO line a layout could fit
  std::size_t exchangeItems = 0;
  bool transmitter = false;
  std::vector<ExchangeRole> roles;

  std::vector<std::string> Sent(const std::vector<std::string>& line) const {
    return {line.begin() + kBeforeSent, line.begin() + kBeforeSent + exchangeItems};
  }
  std::size_t CallAt() const { return kBeforeSent + exchangeItems; }
  std::vector<std::string> Received(const std::vector<std::string>& line) const {
    const auto from = line.begin() + CallAt() + 1;
    return {from, from + exchangeItems};
  }
  std::string Text() const {
    const std::string exchange = RolesText(roles);
    return "frequency mode date time own-call " + exchange + " call " + exchange +
           (transmitter ? " transmitter" : "");
  }
};

Layout LayoutOf(const std::vector<std::vector<std::string>>& lines) {
  std::map<std::size_t, std::size_t> counts;
  for (const auto& items : lines) ++counts[items.size()];
  Layout layout;
  std::size_t best = 0;
  for (const auto& [items, count] : counts) {
    const std::size_t rest = items > kBeforeSent ? items - kBeforeSent : 0;
    if (rest >= 3 && count > best) {
      best = count;
      layout.items = items;
      layout.transmitter = rest % 2 == 0;
      layout.exchangeItems = (rest - (layout.transmitter ? 2 : 1)) / 2;
    }
  }
  if (layout.items == 0) return layout;
  std::vector<std::vector<std::string>> exchanges;
  for (const auto& items : lines) {
    if (items.size() != layout.items) continue;
    exchanges.push_back(layout.Sent(items));
    exchanges.push_back(layout.Received(items));
  }
  layout.roles = ExchangeRoles(exchanges);
  return layout;
}

// The contact of one QSO line, or the reason it cannot be read. `sent`
// receives the line's own exchange and `ownCall` its own call.
std::string ToContact(const std::vector<std::string>& items, const Layout& layout,
                      LogContact& c, Exchange& sent, std::string& ownCall) {
  if (layout.items == 0) {
    return "a QSO line needs at least frequency, mode, date, time, own call, exchange, call "
           "and exchange";
  }
  if (items.size() != layout.items) {
    return std::to_string(items.size()) + " items where the QSO lines of this log have " +
           std::to_string(layout.items) + " (" + layout.Text() + ")";
  }
  std::string why = ReadFrequency(items[0], c);
  if (why.empty()) why = ReadDate(items[2], c.time);
  if (why.empty()) why = ReadTime(items[3], c.time);
  if (!why.empty()) return why;
  const std::string mode = UpperAscii(items[1]);
  c.mode = mode == "PH" ? "SSB" : mode;
  c.call = UpperAscii(items[layout.CallAt()]);
  if (!IsAsciiCall(c.call)) {
    return "the call '" + Printable(c.call) + "' is not written in ASCII letters and digits";
  }
  ownCall = UpperAscii(items[4]);
  c.ownCall = ownCall;
  sent = ExchangeOf(layout.Sent(items), layout.roles);
  const Exchange received = ExchangeOf(layout.Received(items), layout.roles);
  c.sentNumber = PaddedNumber(sent.serial);
  c.rstSent = sent.report;
  c.rstRcvd = received.report;
  c.rcvdExchange = UpperAscii(HostExchange(received));
  c.sent = Exchange{sent.report, sent.serial, UpperAscii(sent.region)};
  c.received = Exchange{received.report, received.serial, UpperAscii(received.region)};
  return std::string();
}

struct QsoLine {
  const Line* line;
  std::vector<std::string> items;
};

}  // namespace

bool LooksLikeCabrillo(const std::string& bytes) {
  const std::string text = WithoutByteOrderMark(bytes);
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return false;
  const std::string start = UpperAscii(text.substr(first, 13));
  return start == "START-OF-LOG:" || start.compare(0, 4, "QSO:") == 0;
}

Result<ContactLog> ReadCabrillo(const std::string& bytes) {
  ContactLog log;
  log.format = "Cabrillo";
  const std::size_t bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  const std::vector<Line> lines = SplitLines(bytes, bom);
  std::string headerCall;
  std::vector<QsoLine> qsos;
  for (const Line& line : lines) {
    std::string tag;
    std::string value;
    if (!SplitTag(line.text, tag, value)) continue;
    if (tag == "CALLSIGN") headerCall = UpperAscii(value);
    if (tag == "GRID-LOCATOR") log.ownGrid = UpperAscii(value);
    if (tag == "CONTEST") log.contest = value;
    if (tag == "QSO") {
      qsos.push_back({&line, QsoItems(value)});
    } else {
      log.header.try_emplace(tag, value);
    }
  }
  std::vector<std::vector<std::string>> items;
  for (const QsoLine& q : qsos) items.push_back(q.items);
  const Layout layout = LayoutOf(items);
  std::string firstLineCall;
  for (const QsoLine& q : qsos) {
    LogContact c;
    c.where = LogPosition{++log.recordCount, q.line->number, q.line->offset};
    Exchange sent;
    std::string ownCall;
    const std::string why = ToContact(q.items, layout, c, sent, ownCall);
    if (!why.empty()) {
      log.skipped.push_back({c.where, why});
      continue;
    }
    if (log.contacts.empty()) {
      firstLineCall = ownCall;
      log.ownRegion = UpperAscii(sent.region);
    }
    log.contacts.push_back(std::move(c));
  }
  log.ownCall = headerCall.empty() ? firstLineCall : headerCall;
  if (layout.items != 0) log.layout = layout.Text();
  return log;
}

}  // namespace rezov
