// The bakes' kept threads, asked by two callers at once with changing helper counts:
// each call runs its job on exactly its helpers and returns only after all of them.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "surfaces/helper_threads.h"

TEST(HelperThreads, EveryCallRunsOnAllItsHelpersAndEndsAfterThem) {
  std::atomic<int> wrong = 0;
  const auto calls = [&] {
    for (int i = 0; i < 300; ++i) {
      const int helpers = i % 4;
      std::atomic<int> ran = 0, own = 0;  // would be gone if a helper outlived the call
      RunOnThreads(
          helpers,
          [&] {
            std::this_thread::yield();
            ++ran;
          },
          [&] { ++own; });
      wrong += ran != helpers || own != 1;
    }
  };
  {
    std::jthread other(calls);
    calls();
  }
  EXPECT_EQ(wrong, 0);
}
