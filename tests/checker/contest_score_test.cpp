// The score of a set of contacts, as the module scores a log holding them.
#include "tools/definition/contest_score.h"

#include <gtest/gtest.h>

#include "tests/checker/contest_builder.h"

namespace rezov::adjudicate::testing {
namespace {

ContestScore ScoreOf(const std::string& rows, const std::string& ownGrid = "") {
  const std::vector<SubmittedLog> logs = ReadAll({rows});
  std::vector<const QsoLine*> contacts;
  for (const QsoLine& q : logs.at(0).lines) contacts.push_back(&q);
  ScoredStation station = ScoredStationOf(logs[0]);
  station.ownGrid = ownGrid;
  return ScoreContacts(station, contacts);
}

TEST(ContestScore, WritesTheModulesSummary) {
  // The 80 m contact comes first; the 160 m row is listed first all the same.
  const ContestScore s = ScoreOf(
      "R3AB MA\n1605 3550 CW RK3AA 001 004 MA\n1610 1830 CW RK3AA 002 009 MA\n"
      "1615 1830 CW UA1AA 003 002 SP");
  EXPECT_EQ(s.summary,
            "Championship of Moscow 14.12.2025 \r\n     Contestant: R3AB\r\n"
            "Band\tQSOs\tPoints\tMA\tOBL\tGrid\r\n"
            "160\t 2\t 2\t 1\t 1\t 0\r\n80\t 1\t 1\t 0\t 0\t 0\r\n"
            "Total\t 3\t 3\t 1\t 1\t 0\r\n\r\nScore: 3*(1 + 1 + 0) = 6");
  EXPECT_EQ(s.score, 6);
}

struct Counted {
  const char* rows;
  const char* ownGrid;
  int contacts, points, ma, obl, grid;
};

const Counted kCounted[] = {
    // Grid codes count once, the operator's own never.
    {"DL1AA JO\n1605 3550 CW UR5AA 001 001 KO\n1610 3550 CW YL2AA 002 001 KP\n"
     "1615 1830 CW LY2AA 003 001 KP\n1620 1830 CW OH1AA 004 001 JO",
     "JO", 4, 4, 0, 1, 1},
    // Every Moscow station is an MA multiplier; a region counts once.
    {"R3AB MA\n1605 3550 CW RK3AA 001 001 MA\n1610 3550 CW RK3AC 002 001 MA\n"
     "1615 3550 CW UA9AA 003 001 SV\n1620 3550 CW UA9AB 004 001 SV",
     "", 4, 4, 2, 1, 0},
    // The module finds the region by position in "number region": a
    // one-digit number leaves none, a four-digit one shifts it to " S".
    {"R3AB MA\n1605 3550 CW UA1AA 001 1 SP\n1610 3550 CW UA1AB 002 0001 SP", "", 2, 2, 0, 0, 1},
    // An identical line is one record.
    {"R3AB MA\n1605 3550 CW UA1AA 001 001 SP\n1605 3550 CW UA1AA 001 001 SP", "", 1, 1, 0, 1, 0},
};

TEST(ContestScore, CountsMultipliersAsTheModuleDoes) {
  for (const Counted& c : kCounted) {
    const ContestScore s = ScoreOf(c.rows, c.ownGrid);
    EXPECT_EQ(s.contacts, c.contacts) << c.rows;
    EXPECT_EQ(s.points, c.points) << c.rows;
    EXPECT_EQ(s.ma, c.ma) << c.rows;
    EXPECT_EQ(s.obl, c.obl) << c.rows;
    EXPECT_EQ(s.grid, c.grid) << c.rows;
    EXPECT_EQ(s.score, c.points * (c.ma + c.obl + c.grid)) << c.rows;
  }
}

TEST(ContestScore, TakesTheOwnGridFromTheLog) {
  const std::vector<SubmittedLog> logs = ReadAll(
      {"DL1AA JO\n1605 3550 CW R3AB 001 001 MA",
       "R3AB MA\n!GRID-LOCATOR: ko85\n1605 3550 CW DL1AA 001 001 JO", "UA9AA SV\n1605 3550 CW R3AB 001 001 MA"});
  EXPECT_EQ(ScoredStationOf(logs[0]).ownGrid, "JO");  // sent from outside Russia
  EXPECT_EQ(ScoredStationOf(logs[1]).ownGrid, "KO");  // GRID-LOCATOR: first
  EXPECT_EQ(ScoredStationOf(logs[2]).ownGrid, "");
  EXPECT_EQ(ScoredStationOf(logs[0]).dateText, "14.12.2025");
}

// Claimed and checked scores from one set of records are the scores of the
// two logs built on their own, whichever lines are kept; unreadable lines
// take part in neither.
TEST(ContestScore, ClaimedAndCheckedAreTheScoresOfTheirOwnLogs) {
  const std::vector<SubmittedLog> logs =
      ReadAll({"R3AB MA\n1605 3550 CW RK3AA 001 004 MA\n1610 1830 CW RK3AA 002 009 MA\n"
               "1615 1830 CW UA1AA 003 002 SP\n1620 3550 CW UA1AB 004\n"
               "1625 3550 CW UA1AB 005 007 SP\n1630 1830 CW DL1AA 006 001 JO"});
  const std::vector<QsoLine>& lines = logs.at(0).lines;
  ASSERT_FALSE(lines[3].readable());
  const ScoredStation station = ScoredStationOf(logs[0]);
  for (unsigned mask = 0; mask < (1u << lines.size()); mask += 5) {
    std::vector<bool> kept(lines.size());
    std::vector<const QsoLine*> all;
    std::vector<const QsoLine*> some;
    for (std::size_t k = 0; k < lines.size(); ++k) {
      kept[k] = (mask >> k) & 1u;
      if (!lines[k].readable()) continue;
      all.push_back(&lines[k]);
      if (kept[k]) some.push_back(&lines[k]);
    }
    const ClaimedAndChecked both = ScoreClaimedAndChecked(station, lines, kept);
    EXPECT_EQ(both.claimed.summary, ScoreContacts(station, all).summary) << mask;
    EXPECT_EQ(both.checked.summary, ScoreContacts(station, some).summary) << mask;
    EXPECT_EQ(both.checked.score, ScoreContacts(station, some).score) << mask;
  }
}

}  // namespace
}  // namespace rezov::adjudicate::testing
