#include "contest/call_check.h"

#include "contest/contact_entry.h"
#include "plugin/module_state.h"

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

bool IsRepeat(const QsoRecord& r, const CheckArgs& args, UtcTime now) {
  return r.call == args.call && r.band == args.band && r.mode == args.mode &&
         InSameTour(r.time, now);
}

bool IsLoggedMultiplier(const QsoLog& log, const CheckArgs& args) {
  for (std::size_t i = 0; i < log.size(); ++i) {
    const QsoRecord& r = log.at(i);
    if (r.maKey == args.call || r.oblKey == args.region) return true;
  }
  return false;
}

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

CheckOutcome CheckCall(const ModuleState& state, UtcTime now, const CheckArgs& args) {
  for (std::size_t i = 0; i < state.qsoLog.size(); ++i) {
    if (IsRepeat(state.qsoLog.at(i), args, now)) {
      return {0, RepeatMessage(args.call)};
    }
  }
  if (!args.country) return {0, std::nullopt};
  if (!IsRussianPrefix(*args.country)) return {1, std::nullopt};
  return {IsLoggedMultiplier(state.qsoLog, args) ? 1 : 2, std::nullopt};
}

}  // namespace rezov
