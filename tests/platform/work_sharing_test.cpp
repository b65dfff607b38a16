#include "platform/work_sharing.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace cartulon {
namespace {

// Every item is worked on exactly once, however many threads share them;
// a failing item's exception reaches the caller after the threads stopped,
// and no item is worked on twice on the way.
TEST(WorkSharing, EveryItemOnceAndTheFirstFailureReachesTheCaller) {
  for (unsigned threads : {0u, 1u, 3u, 8u}) {
    for (std::size_t count : {std::size_t{0}, std::size_t{5}, std::size_t{1000}}) {
      std::vector<std::atomic<int>> calls(count);
      ShareOut(count, threads, [&](std::size_t i) { ++calls[i]; });
      for (std::size_t i = 0; i < count; ++i) {
        ASSERT_EQ(calls[i].load(), 1) << threads << " threads, item " << i << " of " << count;
      }
    }
    std::vector<std::atomic<int>> calls(1000);
    EXPECT_THROW(ShareOut(calls.size(), threads,
                          [&](std::size_t i) {
                            ++calls[i];
                            if (i == 100) throw std::runtime_error("item 100");
                          }),
                 std::runtime_error);
    for (const std::atomic<int>& c : calls) ASSERT_LE(c.load(), 1) << threads << " threads";
    EXPECT_EQ(calls[100].load(), 1);
  }
}

}  // namespace
}  // namespace cartulon
