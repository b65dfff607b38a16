#include "platform/work_sharing.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace cartulon {

namespace {

// Items per thread below which another thread costs more than it saves.
constexpr std::size_t kItemsPerThread = 32;

}  // namespace

unsigned PassThreads() { return std::clamp(std::thread::hardware_concurrency(), 1u, 8u); }

void ShareOut(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& work) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr first;
  std::mutex firstMutex;
  auto run = [&] {
    try {
      for (std::size_t i = next++; i < count && !failed; i = next++) work(i);
    } catch (...) {
      std::lock_guard<std::mutex> lock(firstMutex);
      if (!first) first = std::current_exception();
      failed = true;
    }
  };
  const std::size_t helpers =
      std::min<std::size_t>(std::max(threads, 1u) - 1, count / kItemsPerThread);
  std::vector<std::thread> pool;
  pool.reserve(helpers);
  try {
    for (std::size_t i = 0; i < helpers; ++i) pool.emplace_back(run);
  } catch (...) {
    // No thread to spare: this one does the rest.
  }
  run();
  for (std::thread& thread : pool) thread.join();
  if (first) std::rethrow_exception(first);
}

}  // namespace cartulon
