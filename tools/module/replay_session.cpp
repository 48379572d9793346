#include "tools/module/replay_session.h"

#include <cstring>
#include <vector>

namespace rezov {
namespace {

COleDateTime DateRecord(const std::optional<CalendarTime>& t) {
  COleDateTime d;
  d.m_dt = t ? OleDateFromCalendar(*t) : 0.0;
  d.m_status = t ? kOleDateValid : kOleDateNull;
  return d;
}

// A byte the module never writes into a message: it shows whether the
// buffer was touched at all.
constexpr char kUntouched = '\x01';

}  // namespace

void ResetModule(const ModuleEntryPoints& m, int reportMode, const StationValues& s) {
  COleDateTime contestDate = DateRecord(s.date);
  COleDateTime startDate = contestDate;
  const char* e = "";
  m.ResetStats0(e, reportMode, s.call.c_str(), &startDate, &contestDate, e, e, e, e,
                s.region.c_str(), e, e, s.grid.c_str(), e, e, 0, 0, 0, 0.0, 0.0, e, e, e);
}

void AddContact(const ModuleEntryPoints& m, const LogContact& c) {
  COleDateTime time = DateRecord(c.time);
  COleDateTime unread = DateRecord(std::nullopt);
  const char* e = "";
  m.AddData0(e, c.call.c_str(), &time, &unread, &unread, &unread, 0, c.freqHz, c.mode.c_str(),
             c.rstSent.c_str(), c.rstRcvd.c_str(), c.sentNumber.c_str(),
             c.rcvdExchange.c_str(), e, e, e, e, e, e, e, e, e, c.country.c_str(), 0, 0, 0, 0.0,
             0.0, e, e, e, c.band.c_str(), e);
}

CheckAnswer CheckCallNow(const ModuleEntryPoints& m, const CheckRequest& r) {
  // The module writes 50 bytes plus the call; the host gives no size, so
  // the buffer is generous and ends in a zero byte whatever happens.
  std::vector<char> message(r.call.size() + 256, kUntouched);
  message.back() = '\0';
  char unused[16] = {0};
  const char* e = "";
  const char* country = r.country ? r.country->c_str() : nullptr;
  CheckAnswer answer;
  answer.result = m.CheckCall0(r.call.c_str(), 0, 0, r.mode.c_str(), e, e, e, e, e, e, e, e, e,
                               country, 0, 0, 0, 0.0, 0.0, e, e, e, e, r.region.c_str(),
                               r.band.c_str(), e, unused, message.data());
  if (message[0] != kUntouched) answer.message = std::string(message.data());
  return answer;
}

ScoreAnswer GetScore(const ModuleEntryPoints& m) {
  ScoreAnswer answer;
  os::NoticeCapture capture;
  const char* text = m.GetResult0(&answer.result);
  answer.summary = text ? text : "";
  answer.notices = capture.Finish();
  return answer;
}

}  // namespace rezov
