#include "tools/publish/json_dump.h"

#include <cstdio>

#include <nlohmann/json.hpp>

namespace rezov {
namespace {

// Members keep the order they are written in, which is the order a reader
// of the dump expects to find them.
using Json = nlohmann::ordered_json;

std::string Digits(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

Json Position(const LogPosition& p) {
  return Json{{"record", p.record}, {"line", p.line}, {"offset", p.offset}};
}

Json Contact(const LogContact& c) {
  const CalendarTime& t = c.time;
  Json j = Position(c.where);
  j["call"] = c.call;
  j["qso_date"] = Digits(t.year, 4) + Digits(t.month, 2) + Digits(t.day, 2);
  j["time_on"] = Digits(t.hour, 2) + Digits(t.minute, 2) + Digits(t.second, 2);
  j["freq_hz"] = c.freqHz;
  j["band"] = c.band;
  j["mode"] = c.mode;
  j["rst_sent"] = c.rstSent;
  j["rst_rcvd"] = c.rstRcvd;
  j["sent_number"] = c.sentNumber;
  j["rcvd_exchange"] = c.rcvdExchange;
  j["dxcc"] = c.dxcc;
  j["country"] = c.country;
  if (!c.excluded.empty()) j["excluded"] = c.excluded;
  return j;
}

Json Problem(const ReadProblem& p) {
  Json j = Position(p.where);
  j["reason"] = p.reason;
  return j;
}

}  // namespace

std::string DumpJson(const ContactLog& log) {
  Json contacts = Json::array();
  for (const LogContact& c : log.contacts) contacts.push_back(Contact(c));
  Json skipped = Json::array();
  for (const ReadProblem& p : log.skipped) skipped.push_back(Problem(p));
  const Json dump = {{"format", log.format},         {"own_call", log.ownCall},
                     {"own_region", log.ownRegion},  {"own_grid", log.ownGrid},
                     {"contest", log.contest},       {"layout", log.layout},
                     {"records", log.recordCount},   {"contacts", std::move(contacts)},
                     {"skipped", std::move(skipped)}};
  // Texts from a log may hold any bytes: escaped as \u00XX when not
  // ASCII, and a byte that is no part of well-formed UTF-8 shown as U+FFFD
  // instead of stopping the dump.
  return dump.dump(2, ' ', true, Json::error_handler_t::replace) + "\n";
}

}  // namespace rezov
