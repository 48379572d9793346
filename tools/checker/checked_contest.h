// Everything the checker's outputs are written from.
#pragma once

#include <vector>

#include "tools/checker/adjudicator.h"
#include "tools/checker/log_collection.h"
#include "tools/definition/rules.h"

namespace rezov::adjudicate {

struct CheckedContest {
  const std::vector<SubmittedLog>& logs;
  const Adjudication& adjudication;
  const Rules& rules;
  const std::vector<LogProblem>& problems;

  const LineDecision& decision(std::size_t log, std::size_t line) const {
    return adjudication.logs[log].lines[line];
  }
  // The partner line of a decision; only when it has one.
  const QsoLine& partnerLine(const LineDecision& d) const {
    return logs[static_cast<std::size_t>(d.partnerLog)].lines[static_cast<std::size_t>(d.partnerLine)];
  }
  const SubmittedLog& partnerLog(const LineDecision& d) const {
    return logs[static_cast<std::size_t>(d.partnerLog)];
  }
};

}  // namespace rezov::adjudicate
