#include "tools/checker/contest_period.h"

#include <algorithm>

namespace rezov::adjudicate {
namespace {

constexpr std::size_t kBusyShare = 10;  // a tour of the contest holds a tenth of the busiest

struct TourRun {
  std::int64_t first = 0;
  std::int64_t last = -1;
  std::size_t busiest = 0;
};

TourRun BusyTours(const std::map<std::int64_t, std::size_t>& linesPerTour) {
  TourRun run;
  auto top = std::max_element(linesPerTour.begin(), linesPerTour.end(),
                              [](const auto& a, const auto& b) { return a.second < b.second; });
  if (top == linesPerTour.end()) return run;
  run.busiest = top->second;
  const auto busy = [&](std::int64_t tour) {
    const auto found = linesPerTour.find(tour);
    return found != linesPerTour.end() && found->second * kBusyShare >= run.busiest;
  };
  run.first = run.last = top->first;
  while (busy(run.first - 1)) --run.first;
  while (busy(run.last + 1)) ++run.last;
  return run;
}

}  // namespace

SettledPeriod SettlePeriod(const GivenPeriod& given,
                           const std::map<std::int64_t, std::size_t>& linesPerTour) {
  SettledPeriod s;
  if (given.start && given.end) {
    s.period = {*given.start, *given.end};
    s.how = "Contest period as given: " + MinuteText(*given.start) + " to " +
            MinuteText(*given.end) + " UTC.";
    return s;
  }
  const TourRun run = BusyTours(linesPerTour);
  s.derived = true;
  if (run.last < run.first) {
    s.period = {given.start.value_or(0), given.end.value_or(0)};
    s.how = "No QSO line on 160 m or 80 m in CW or SSB to derive the contest period from.";
    return s;
  }
  s.period.start = given.start.value_or(run.first * 30);
  s.period.end = given.end.value_or((run.last + 1) * 30);
  const std::int64_t tours = run.last - run.first + 1;
  s.how = "Contest period " + MinuteText(s.period.start) + " to " + MinuteText(s.period.end) +
          " UTC" + (given.start || given.end ? ", partly as given and partly" : "") +
          " derived from the logs: the " + std::to_string(tours) + " tour" +
          (tours == 1 ? "" : "s") +
          " around the busiest one that each hold at least a tenth of its " +
          std::to_string(run.busiest) + " QSO lines (by corrected time).";
  return s;
}

}  // namespace rezov::adjudicate
