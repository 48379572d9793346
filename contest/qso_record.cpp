#include "contest/qso_record.h"

#include <optional>

namespace rezov {

bool QsoRecord::equals(const QsoRecord& other) const {
  return call == other.call && country == other.country && auxText == other.auxText &&
         band == other.band && mode == other.mode && rcvdInfo == other.rcvdInfo &&
         sentInfo == other.sentInfo && rcvdExchange == other.rcvdExchange &&
         sentExchange == other.sentExchange && maKey == other.maKey &&
         gridKey == other.gridKey && oblKey == other.oblKey && freqKhz == other.freqKhz &&
         time == other.time;
}

int TourOf(const OleDate& time) {
  const std::optional<CalendarTime> t = ToCalendar(time);
  return t ? TourOfClock(t->hour, t->minute) : kNoTour;
}

int TourOfClock(int hour, int minute) {
  if (hour < 0 || hour > 23) return kNoTour;
  return hour * 2 + (minute >= 30 ? 1 : 0);
}

}  // namespace rezov
