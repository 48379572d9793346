// Where each QSO line may find its partner: the log of the call it worked,
// and the lines of one log that worked another, grouped and in time order,
// so that matching looks only at the lines of one pair of logs at a time.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tools/logs/submitted_log.h"

namespace rezov::adjudicate {

// The partner of a line when it is not a log.
constexpr std::int32_t kNoLog = -1;         // the worked call sent no log
constexpr std::int32_t kNotMatchable = -2;  // unreadable, or off the contest's bands or modes
constexpr std::int32_t kOwnCall = -3;       // the log's own call

// The band and mode of a line on the contest's bands and modes, 0 to 3.
using Slot = std::uint8_t;

// A run of LogIndex::order whose lines all worked one other log.
struct LineGroup {
  std::int32_t partner;
  std::uint32_t begin;
  std::uint32_t end;
  std::int32_t back = -1;  // the partner's group that worked this log, or -1
};

struct LogIndex {
  std::vector<std::int32_t> partner;  // per line: the log of its call, or one of the values above
  std::vector<Slot> slot;             // per line, for matchable lines
  std::vector<std::uint32_t> order;   // lines with a partner log, by partner, slot, time, line
  // The slot and logged time of each entry of `order`, side by side, so the
  // lines of a group lie together in memory.
  std::vector<Slot> orderSlot;
  std::vector<Minute> orderMinute;
  std::vector<LineGroup> groups;  // by partner
};

class ContestIndex {
 public:
  // Indexes every log; the logs must outlive the index.
  explicit ContestIndex(const std::vector<SubmittedLog>& logs);

  std::size_t size() const { return logs_.size(); }
  const LogIndex& log(std::size_t i) const { return logs_[i]; }

  // The log of a call, or kNoLog.
  std::int32_t LogOf(std::string_view call) const;

  // The partner's group that worked log `log` back, for one of its groups;
  // null when the partner's log holds no line with this log's call.
  const LineGroup* GroupBack(const LineGroup& g) const {
    return g.back < 0 ? nullptr
                      : &logs_[static_cast<std::size_t>(g.partner)].groups[static_cast<std::size_t>(g.back)];
  }

 private:
  void IndexLog(const std::vector<SubmittedLog>& logs, std::size_t i);
  void PairGroups();

  std::unordered_map<std::string_view, std::int32_t> logOfCall_;
  std::vector<LogIndex> logs_;
};

// The slot of a line, or nothing when it is not on the contest's bands and
// modes (or not readable).
bool SlotOf(const QsoLine& q, Slot& slot);

}  // namespace rezov::adjudicate
