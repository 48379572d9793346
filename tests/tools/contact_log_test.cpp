#include "tools/logs/contact_log.h"

#include <algorithm>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tools/logs/contact_selection.h"
#include "tools/publish/json_dump.h"

namespace rezov {
namespace {

TEST(ContactLog, TextHelpers) {
  EXPECT_EQ(Trimmed(" \t001 MA\r\n"), "001 MA");
  EXPECT_EQ(Trimmed("   "), "");
  EXPECT_EQ(UpperAscii("ua3abc/p\xE0"), "UA3ABC/P\xE0");
  EXPECT_EQ(Items(" 001  MA\txyz "), (std::vector<std::string>{"001", "MA", "xyz"}));
  EXPECT_EQ(PaddedNumber("7"), "007");
  EXPECT_EQ(PaddedNumber("42"), "042");
  EXPECT_EQ(PaddedNumber("123"), "123");
  EXPECT_EQ(PaddedNumber("1234"), "1234");
  EXPECT_EQ(PaddedNumber("7a"), "7a");
  EXPECT_EQ(PaddedNumber(""), "");
}

TEST(ContactLog, CalendarDatesAndOleDates) {
  EXPECT_TRUE(IsCalendarDate(2024, 2, 29));
  EXPECT_FALSE(IsCalendarDate(2023, 2, 29));
  EXPECT_FALSE(IsCalendarDate(1900, 2, 29));
  EXPECT_TRUE(IsCalendarDate(2000, 2, 29));
  EXPECT_FALSE(IsCalendarDate(2024, 4, 31));
  EXPECT_FALSE(IsCalendarDate(2024, 13, 1));
  EXPECT_FALSE(IsCalendarDate(1899, 12, 31));
  // 2024-02-17 is day 45339 after 1899-12-30; 18:00 is three quarters of it.
  EXPECT_DOUBLE_EQ(OleDateFromCalendar(CalendarTime{2024, 2, 17, 18, 0, 0}), 45339.75);
  EXPECT_DOUBLE_EQ(OleDateFromCalendar(CalendarTime{1899, 12, 30, 0, 0, 0}), 0.0);
}

TEST(ContactLog, LineCounterCountsOnce) {
  const std::string text = "a\nbc\n\nd";
  LineCounter lines(text);
  EXPECT_EQ(lines.LineAt(0), 1u);
  EXPECT_EQ(lines.LineAt(2), 2u);
  EXPECT_EQ(lines.LineAt(5), 3u);
  EXPECT_EQ(lines.LineAt(6), 4u);
  EXPECT_EQ(PositionText(LogPosition{3, 14, 512}), "record 3 (line 14, byte 512)");
}

LogContact At(const char* call, int day, int hour, int minute, const char* band = "160",
                 const char* mode = "CW") {
  static int record = 0;
  LogContact c;
  c.call = call;
  c.time = CalendarTime{2024, 2, day, hour, minute, 0};
  c.band = band;
  c.mode = mode;
  c.where.record = ++record;
  return c;
}

TEST(ContactSelection, RepeatsAreSameCallBandModeDayAndHalfHour) {
  ContactLog log;
  log.contacts = {
      At("R3AA", 17, 18, 1),                 // first
      At("R3AA", 17, 18, 29),                // repeat: same tour
      At("R3AA", 17, 18, 30),                // next tour
      At("R3AA", 17, 18, 45, "80"),          // other band
      At("R3AA", 17, 18, 50, "160", "SSB"),  // other mode
      At("R3AB", 17, 18, 31),                // other call
      At("R3AA", 18, 18, 5),                 // another day
      At("R3AA", 17, 19, 5),                 // another hour
      At("R3AA", 17, 18, 59),                // repeat of the 18:30 one
      At("R3AA", 17, 18, 20, "20"),          // not a contest band
      At("R3AA", 17, 18, 21, "160", "FT8"),  // not a contest mode
  };
  const auto record = [&](std::size_t i) { return std::to_string(log.contacts[i].where.record); };
  const std::vector<std::string> repeatsKept = {
      "", "repeat of record " + record(0) + " in tour 18:00-18:29", "", "", "", "", "", "",
      "repeat of record " + record(2) + " in tour 18:30-18:59",
      "band 20 m is not a contest band", "mode FT8 is not a contest mode"};
  const struct {
    SelectionOptions options;
    std::vector<std::string> excluded;
  } cases[] = {
      {{false, false}, repeatsKept},
      {{false, true}, {"", "", "", "", "", "", "", "", "", repeatsKept[9], repeatsKept[10]}},
      {{true, false}, {"", repeatsKept[1], "", "", "", "", "", "", repeatsKept[8], "", ""}},
  };
  for (const auto& c : cases) {
    SelectContacts(log, c.options);
    std::vector<std::string> excluded;
    for (const LogContact& contact : log.contacts) excluded.push_back(contact.excluded);
    EXPECT_EQ(c.excluded, excluded);
  }
}

TEST(JsonDump, EscapesAndFields) {
  ContactLog log;
  log.format = "ADIF";
  log.ownCall = "RK3\"AXW\\";
  LogContact c;
  c.where = LogPosition{1, 2, 30};
  c.call = "R3AA\xE9";
  c.time = CalendarTime{2024, 2, 17, 18, 5, 9};
  c.freqHz = 1830000;
  c.rcvdExchange = "001\tMA";
  log.contacts.push_back(c);
  log.skipped.push_back({LogPosition{2, 3, 99}, "no CALL"});
  log.recordCount = 2;
  const std::string json = DumpJson(log);
  // ASCII only, whatever the log held, and JSON that reads back.
  EXPECT_TRUE(std::all_of(json.begin(), json.end(),
                          [](char ch) { return static_cast<unsigned char>(ch) < 0x80; }));
  const nlohmann::json back = nlohmann::json::parse(json);
  EXPECT_EQ(back["own_call"], "RK3\"AXW\\");
  const nlohmann::json& contact = back["contacts"][0];
  // A byte that is no part of well-formed UTF-8 cannot stop the dump.
  EXPECT_EQ(contact["call"], "R3AA\xEF\xBF\xBD");
  EXPECT_EQ(contact["qso_date"], "20240217");
  EXPECT_EQ(contact["time_on"], "180509");
  EXPECT_EQ(contact["freq_hz"], 1830000);
  EXPECT_EQ(contact["rcvd_exchange"], "001\tMA");
  EXPECT_EQ(back["skipped"][0],
            nlohmann::json::parse(R"({"record": 2, "line": 3, "offset": 99, "reason": "no CALL"})"));
  EXPECT_EQ(back["records"], 2);
}

}  // namespace
}  // namespace rezov
