#include "contest/call_check.h"

#include "contest/contact_entry.h"

namespace rezov {
namespace {

// "QSO c " with a Latin c, and " В ОДНОМ и ТОМ ЖЕ ТУРЕ ПРОВОДИТЬ НЕЛЬЗЯ !!!"
// in Windows-1251 ("and one and the same tour is not allowed").
constexpr char kMessageHead[] = "QSO c ";
constexpr char kMessageTail[] =
    "\x20\xC2\x20\xCE\xC4\xCD\xCE\xCC\x20\xE8\x20\xD2\xCE\xCC\x20\xC6\xC5\x20"
    "\xD2\xD3\xD0\xC5\x20\xCF\xD0\xCE\xC2\xCE\xC4\xC8\xD2\xDC\x20\xCD\xC5\xCB"
    "\xDC\xC7\xDF\x20\x21\x21\x21";
constexpr std::size_t kHeadSize = sizeof kMessageHead - 1;
constexpr std::size_t kTailSize = sizeof kMessageTail - 1;
static_assert(kHeadSize == 6 && kTailSize == 43, "message parts");

}  // namespace

bool InSameTour(const OleDate& time, UtcTime now) {
  const std::optional<CalendarTime> t = ToCalendar(time);
  return t && t->hour == now.hour && (t->minute < 30) == (now.minute < 30);
}

std::string RepeatMessage(const std::string& call) {
  const std::size_t roomForCall = kMessageBufferLimit - 1 - kHeadSize - kTailSize;
  std::string message(kMessageHead, kHeadSize);
  message.append(call, 0, roomForCall);
  message.append(kMessageTail, kTailSize);
  return message;
}

CheckOutcome CheckCall(const QsoLog& log, UtcTime now, const CheckArgs& args) {
  // A repeat: a record with this call, band and mode whose time lies in
  // the tour of `now` (InSameTour, answered through the log's index).
  const int tour = TourOfClock(now.hour, now.minute);
  if (log.findFirstInTour(args.call, args.mode, args.band, tour)) {
    return {0, RepeatMessage(args.call)};
  }
  if (!args.country) return {0, std::nullopt};
  if (!IsRussianPrefix(*args.country)) return {1, std::nullopt};
  // Logged already: some record has this call as its maKey or this region as
  // its oblKey.
  const bool logged = log.hasMaKey(args.call) || log.hasOblKey(args.region);
  return {logged ? 1 : 2, std::nullopt};
}

}  // namespace rezov
