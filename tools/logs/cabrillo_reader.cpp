#include "tools/logs/cabrillo_reader.h"

#include <map>
#include <optional>

#include "tools/logs/band_table.h"
#include "tools/logs/exchange.h"

namespace rezov {
namespace {

// One line of the text, without its line end.
struct Line {
  std::string text;
  std::size_t offset;
  std::size_t number;
};

// Calls visit(line) for every line of the text from `start` on, one at a
// time, so that a long log is never held twice.
template <typename Visit>
void ForEachLine(const std::string& bytes, std::size_t start, Visit visit) {
  Line line{std::string(), 0, 1};
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    line.text.assign(bytes, start, end - start);
    if (!line.text.empty() && line.text.back() == '\r') line.text.pop_back();
    line.offset = start;
    visit(line);
    ++line.number;
    start = end + 1;
  }
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

// The layout most QSO lines fit, from how many lines have each number of
// items; its exchange roles are left to be found.
Layout LayoutOf(const std::map<std::size_t, std::size_t>& counts) {
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
  return layout;
}

// Adds the sent and the received exchange of a line of the layout.
void Tally(const std::vector<std::string>& items, const Layout& layout, ExchangeTally& tally) {
  tally.Add(items.data() + kBeforeSent, layout.exchangeItems);
  tally.Add(items.data() + layout.CallAt() + 1, layout.exchangeItems);
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

// Calls visit(line, items) for every QSO: line, with the items after the
// tag.
template <typename Visit>
void ForEachQsoLine(const std::string& bytes, std::size_t start, Visit visit) {
  std::vector<std::string> items;
  ForEachLine(bytes, start, [&](const Line& line) {
    std::string tag;
    std::string value;
    if (!SplitTag(line.text, tag, value) || tag != "QSO") return;
    items = QsoItems(value);
    visit(line, items);
  });
}

// The header values of the log, and how many QSO lines have each number of
// items.
std::map<std::size_t, std::size_t> ReadHeader(const std::string& bytes, std::size_t start,
                                              const CabrilloReceiver& to, ContactLog& log,
                                              std::string& headerCall) {
  std::map<std::size_t, std::size_t> counts;
  ForEachLine(bytes, start, [&](const Line& line) {
    std::string tag;
    std::string value;
    if (!SplitTag(line.text, tag, value)) return;
    if (tag == "CALLSIGN") headerCall = UpperAscii(value);
    if (tag == "GRID-LOCATOR") log.ownGrid = UpperAscii(value);
    if (tag == "CONTEST") log.contest = value;
    if (tag == "QSO") {
      ++counts[QsoItems(value).size()];
    } else if (to.header) {
      to.header(tag, value);
    }
  });
  return counts;
}

}  // namespace

bool LooksLikeCabrillo(const std::string& bytes) {
  const std::string text = WithoutByteOrderMark(bytes);
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return false;
  const std::string start = UpperAscii(text.substr(first, 13));
  return start == "START-OF-LOG:" || start.compare(0, 4, "QSO:") == 0;
}

ContactLog ReadCabrilloLines(const std::string& bytes, const CabrilloReceiver& to) {
  ContactLog log;
  log.format = "Cabrillo";
  const std::size_t bom = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  std::string headerCall;
  const std::map<std::size_t, std::size_t> counts = ReadHeader(bytes, bom, to, log, headerCall);
  if (to.counted) {
    std::size_t lines = 0;
    for (const auto& [items, count] : counts) lines += count;
    to.counted(lines);
  }
  Layout layout = LayoutOf(counts);
  if (layout.items != 0) {
    ExchangeTally tally;
    ForEachQsoLine(bytes, bom, [&](const Line&, const std::vector<std::string>& items) {
      if (items.size() == layout.items) Tally(items, layout, tally);
    });
    layout.roles = tally.Roles();
  }
  std::string firstLineCall;
  bool first = true;
  ForEachQsoLine(bytes, bom, [&](const Line& line, const std::vector<std::string>& items) {
    LogContact c;
    c.where = LogPosition{++log.recordCount, line.number, line.offset};
    Exchange sent;
    std::string ownCall;
    const std::string why = ToContact(items, layout, c, sent, ownCall);
    if (!why.empty()) {
      to.skipped(ReadProblem{c.where, why});
      return;
    }
    if (first) {
      firstLineCall = ownCall;
      log.ownRegion = UpperAscii(sent.region);
      first = false;
    }
    to.contact(std::move(c));
  });
  log.ownCall = headerCall.empty() ? firstLineCall : headerCall;
  if (layout.items != 0) log.layout = layout.Text();
  return log;
}

Result<ContactLog> ReadCabrillo(const std::string& bytes) {
  std::vector<LogContact> contacts;
  std::vector<ReadProblem> skipped;
  std::map<std::string, std::string> header;
  ContactLog log = ReadCabrilloLines(
      bytes, {{},
              [&](LogContact&& c) { contacts.push_back(std::move(c)); },
              [&](ReadProblem&& p) { skipped.push_back(std::move(p)); },
              [&](const std::string& tag, const std::string& value) { header.try_emplace(tag, value); }});
  log.contacts = std::move(contacts);
  log.skipped = std::move(skipped);
  log.header = std::move(header);
  return log;
}

}  // namespace rezov
