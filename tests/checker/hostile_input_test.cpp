// Input that an attacker or a careless sender makes: each case builds its
// hostile file here, and the check must stay bounded, say what it refused
// and why, and write nothing that misleads or harms the reader.
#include <gtest/gtest.h>


#include "tests/checker/contest_builder.h"
#include "tools/logs/csv_text.h"
#include "tools/logs/log_format.h"

namespace rezov::adjudicate::testing {
namespace {

std::string CrOnly(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c != '\n') out += c;
  }
  return out;
}

std::string Utf16(const std::string& text, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char c : text) {
    out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  }
  return out;
}

struct Encoding {
  const char* name;
  std::string (*encode)(const std::string&);
};

const Encoding kEncodings[] = {
    {"CR line ends", CrOnly},
    {"UTF-16 LE", [](const std::string& t) { return Utf16(t, false); }},
    {"UTF-16 BE", [](const std::string& t) { return Utf16(t, true); }},
};

TEST(HostileInput, CrLineEndsAndUtf16AreReadAsText) {
  const std::string text =
      CabrilloOf("R3AB MA\n1605 3550 CW UA3XY 001 002 SP\n1610 3550 CW UA9AA 002 001 SV");
  for (const Encoding& e : kEncodings) {
    const Result<SubmittedLog> checked = ReadCabrilloLog("x.cbr", e.encode(text));
    ASSERT_TRUE(checked.ok()) << e.name << ": " << checked.error();
    EXPECT_EQ(checked->call, "R3AB") << e.name;
    ASSERT_EQ(checked->lines.size(), 2u) << e.name;
    EXPECT_EQ(checked->lines[1].call, "UA9AA") << e.name << ": " << checked->lines[1].problem;
    EXPECT_EQ(checked->lines[1].lineNumber, 5u) << e.name;
    const Result<ContactLog> replayed = ReadLog("x.cbr", e.encode(text));
    ASSERT_TRUE(replayed.ok()) << e.name << ": " << replayed.error();
    EXPECT_EQ(replayed->contacts.size(), 2u) << e.name;
    EXPECT_EQ(replayed->ownCall, "R3AB") << e.name;
  }
}

// A QSO line's call becomes a multiplier, a cell, a file name and a link:
// anything but letters, digits and '/' of a call's length is no call.
TEST(HostileInput, AQsoLineWithoutACallIsUnreadable) {
  const char* const kNoCalls[] = {"=HYPERLINK(\"http://x\")", "@SUM(1)", "<SCRIPT>", "R3%41A",
                                  "A#B", "R3AB_P", "R3AB/", "599", "R3"};
  const std::string longCall = std::string(234, 'A') + "1";
  std::vector<std::string> calls(std::begin(kNoCalls), std::end(kNoCalls));
  calls.push_back(longCall);
  for (const std::string& call : calls) {
    const std::vector<SubmittedLog> logs = ReadAll(
        {"R3AB MA\n1605 3550 CW UA3XY 001 002 SP\n1606 3550 CW " + call + " 002 001 MA"});
    ASSERT_EQ(logs.at(0).lines.size(), 2u) << call;
    const QsoLine& q = logs[0].lines[1];
    EXPECT_NE(q.problem.find("is no call sign"), std::string::npos) << call << ": " << q.problem;
    const Adjudication a = Adjudicate(logs, Rules{}, TestPeriod());
    EXPECT_EQ(a.logs[0].lines[1].verdict, Verdict::kUnreadable) << call;
    EXPECT_EQ(a.logs[0].checked.ma, 0) << call;
  }
  for (const char* call : {"R3AB/P", "UA9/R3AB", "RZOBUW"}) {  // the last one miscopied
    const std::vector<SubmittedLog> logs =
        ReadAll({std::string("R3AB MA\n1606 3550 CW ") + call + " 002 001 MA"});
    EXPECT_TRUE(logs.at(0).lines.at(0).readable()) << call << ": " << logs[0].lines[0].problem;
  }
}

struct Cell {
  std::string field;
  std::string written;
};

// A cell a spreadsheet would run as a formula starts with a quote mark
// instead; numbers stay numbers; no control character is written.
TEST(HostileInput, NoCsvCellStartsAFormulaOrHoldsAControlCharacter) {
  const Cell kCells[] = {
      {"=1+2", "'=1+2"},           {"+SUM(A1)", "'+SUM(A1)"},   {"-2+3", "'-2+3"},
      {"@SUM(1)", "'@SUM(1)"},     {"-", "'-"},                 {"-694967296", "-694967296"},
      {"+5", "+5"},                {"-0.5", "-0.5"},            {"R3AB", "R3AB"},
      {std::string("R3\0AB", 5), "R3\\x00AB"}, {"a\x1B[31mb", "a\\x1B[31mb"},
      {"two\r\nlines", "two\\x0D\\x0Alines"}, {"\t=1", "\\x09=1"}, {"=A1,B", "\"'=A1,B\""},
  };
  for (const Cell& c : kCells) {
    std::string row;
    AppendCsvRow(row, {c.field});
    EXPECT_EQ(row, c.written + "\r\n") << c.field;
  }
}

}  // namespace
}  // namespace rezov::adjudicate::testing
