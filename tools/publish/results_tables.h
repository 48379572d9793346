// The checked results as tables: results.csv, qsos.csv and problems.csv.
#pragma once

#include <string>
#include <vector>

#include "platform/replace_file.h"
#include "tools/checker/checked_contest.h"

namespace rezov::adjudicate {

// A log's place in the results.
struct Standing {
  std::size_t log;
  std::size_t rank;  // 1 for the highest checked score; equal scores share a rank
};

// The logs by checked score, highest first, equal scores by call.
std::vector<Standing> Standings(const CheckedContest& c);

// One row per log in standing order, under the header
// rank,call,category_operator,category_band,category_power,claimed_header,
// claimed,checked,qsos,ok,nil,busted_call,busted_exchange,repeat,outside,
// no_log,unique,points,ma,obl,grid,clock_offset_min
// (outside counts outside_period, wrong_band and wrong_mode; points are the
// checked points less any penalty). CR LF line ends, fields quoted where
// they hold a comma, quote or line break.
std::string ResultsCsv(const CheckedContest& c, const std::vector<Standing>& standings);

// One row per QSO line of every log, logs in the order given, under the
// header log,line,time,band,mode,call,sent,rcvd,status,partner_log,
// partner_line,offset_min,reason. `time` is the time as logged; the
// partner line is the matched line, or the evidence line for a bust. The
// file is made in parts of a few megabytes, for ReplaceFileContentsInParts,
// so that a contest of a million lines never holds the whole of it; `c`
// must outlive the parts.
ContentParts QsosCsvParts(const CheckedContest& c);

// file,call,checked,problem: every file not checked and every note on a
// checked log.
std::string ProblemsCsv(const CheckedContest& c);

}  // namespace rezov::adjudicate
