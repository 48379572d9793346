// The one helper that spreads work over the cores.
#include "tools/checker/parallel_for.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace rezov::adjudicate {
namespace {

TEST(ParallelFor, CallsTheBodyOnceForEveryIndex) {
  for (const std::size_t count : {0u, 1u, 7u, 10000u}) {
    std::vector<std::atomic<int>> calls(count);
    ParallelFor(count, [&](std::size_t i) { ++calls[i]; });
    for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(calls[i], 1) << i << " of " << count;
  }
  EXPECT_GE(WorkerCount(), 1u);
}

TEST(ParallelFor, PassesOnAnExceptionAfterTheWorkersStop) {
  std::atomic<int> done{0};
  EXPECT_THROW(ParallelFor(1000,
                           [&](std::size_t i) {
                             if (i == 500) throw std::runtime_error("bad item");
                             ++done;
                           }),
               std::runtime_error);
  EXPECT_LT(done, 1000);
}

}  // namespace
}  // namespace rezov::adjudicate
