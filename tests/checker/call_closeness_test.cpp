// Which logged calls may be another call miscopied.
#include "tools/checker/call_closeness.h"

#include <gtest/gtest.h>

namespace rezov::adjudicate {
namespace {

struct Pair {
  const char* logged;
  const char* worked;
  bool close;
};

const Pair kPairs[] = {
    {"R3AB", "R3AB", false},     // a call is not close to itself
    {"R3AC", "R3AB", true},      // one character changed
    {"R3ABC", "R3AB", true},     // added
    {"R3A", "R3AB", true},       // dropped
    {"R3BA", "R3AB", true},      // neighbours swapped
    {"R3ETB", "R3AB", true},     // A heard as E T
    {"R3AB", "R3ETB", true},     // and E T as A
    {"RK3TH", "RK36", true},     // 6 heard as T H
    {"UA3XY/P", "UA3XY", true},  // portable designator added
    {"UA3XY", "UA3XY/QRP", true},
    {"R3CD", "R3AB", false},     // two characters changed
    {"R3ABCD", "R3AB", false},   // two added
    {"R3BAC", "R3ABD", false},   // a swap and a change
    {"R3IEB", "R3AB", false},    // I E does not run together into A
    {"UA9XY", "UA3XZ", false},
};

TEST(CallCloseness, TellsMiscopiesFromOtherCalls) {
  for (const Pair& p : kPairs) {
    EXPECT_EQ(AreCloseCalls(p.logged, p.worked), p.close) << p.logged << " for " << p.worked;
  }
}

}  // namespace
}  // namespace rezov::adjudicate
