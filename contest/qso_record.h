// One stored contact, and the tour its time lies in.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ole_date.h"

namespace rezov {

// A contact as the module keeps it: the host's texts it needs, the
// normalised exchanges, the one multiplier key it counts for, the frequency
// in kHz and the time with its status.
struct QsoRecord {
  std::string call;
  std::string country;
  std::string auxText;
  std::string band;
  std::string mode;
  std::string rcvdInfo;
  std::string sentInfo;
  std::string rcvdExchange;
  std::string sentExchange;
  std::string maKey;
  std::string gridKey;
  std::string oblKey;
  std::int32_t freqKhz = 0;
  OleDate time;

  // Every field equal, byte for byte and case-sensitively for the texts;
  // times equal in status and numeric value.
  bool equals(const QsoRecord& other) const;
};

// A tour is one half of a UTC clock hour; the date takes no part. Tours are
// numbered 0 to 47: twice the hour, plus one from minute 30 on.
constexpr int kNoTour = -1;
constexpr int kTourCount = 48;

// The tour of a stored time, read after rounding to the whole second;
// kNoTour for a time with no clock reading (not valid, not finite, outside
// the years 100 to 9999).
int TourOf(const OleDate& time);

// The tour of a clock reading; kNoTour when the hour is not 0 to 23, as no
// stored time can then share its tour.
int TourOfClock(int hour, int minute);

}  // namespace rezov
