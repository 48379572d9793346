#include "tools/commands/json_dump.h"

#include <cstdio>

namespace rezov {
namespace {

std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += ch;
    } else if (c < 0x20 || c >= 0x7F) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      out += escape;
    } else {
      out += ch;
    }
  }
  return out + "\"";
}

std::string Digits(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

std::string Member(const char* name, const std::string& jsonValue) {
  return Quoted(name) + ": " + jsonValue;
}

std::string Position(const LogPosition& p) {
  return Member("record", std::to_string(p.record)) + ", " +
         Member("line", std::to_string(p.line)) + ", " +
         Member("offset", std::to_string(p.offset));
}

std::string Contact(const ReplayContact& c) {
  const CalendarTime& t = c.time;
  return "{" + Position(c.where) + ", " + Member("call", Quoted(c.call)) + ", " +
         Member("qso_date", Quoted(Digits(t.year, 4) + Digits(t.month, 2) + Digits(t.day, 2))) +
         ", " +
         Member("time_on", Quoted(Digits(t.hour, 2) + Digits(t.minute, 2) + Digits(t.second, 2))) +
         ", " + Member("freq_hz", std::to_string(c.freqHz)) + ", " +
         Member("band", Quoted(c.band)) + ", " + Member("mode", Quoted(c.mode)) + ", " +
         Member("rst_sent", Quoted(c.rstSent)) + ", " + Member("rst_rcvd", Quoted(c.rstRcvd)) +
         ", " + Member("sent_number", Quoted(c.sentNumber)) + ", " +
         Member("rcvd_exchange", Quoted(c.rcvdExchange)) + ", " +
         Member("dxcc", std::to_string(c.dxcc)) + ", " + Member("country", Quoted(c.country)) +
         (c.excluded.empty() ? std::string() : ", " + Member("excluded", Quoted(c.excluded))) +
         "}";
}

std::string Problem(const ReadProblem& p) {
  return "{" + Position(p.where) + ", " + Member("reason", Quoted(p.reason)) + "}";
}

template <typename T, typename F>
std::string List(const std::vector<T>& items, F format) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    out += (i ? ",\n    " : "\n    ") + format(items[i]);
  }
  return out + (items.empty() ? "]" : "\n  ]");
}

}  // namespace

std::string DumpJson(const ReplayLog& log) {
  return "{\n  " + Member("format", Quoted(log.format)) + ",\n  " +
         Member("own_call", Quoted(log.ownCall)) + ",\n  " +
         Member("own_region", Quoted(log.ownRegion)) + ",\n  " +
         Member("own_grid", Quoted(log.ownGrid)) + ",\n  " +
         Member("contest", Quoted(log.contest)) + ",\n  " +
         Member("layout", Quoted(log.layout)) + ",\n  " +
         Member("records", std::to_string(log.recordCount)) + ",\n  " +
         Member("contacts", List(log.contacts, Contact)) + ",\n  " +
         Member("skipped", List(log.skipped, Problem)) + "\n}\n";
}

}  // namespace rezov
