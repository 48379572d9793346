#include "tools/checker/parallel_for.h"

#include <atomic>
#include <exception>
#include <vector>

// libstdc++ says whether it has threads through _GLIBCXX_HAS_GTHREADS; the
// other standard libraries always have them.
#if !defined(__GLIBCXX__) || defined(_GLIBCXX_HAS_GTHREADS)
#define REZOV_HAS_THREADS 1
#include <thread>
#else
#define REZOV_HAS_THREADS 0
#endif

namespace rezov::adjudicate {

#if REZOV_HAS_THREADS

unsigned WorkerCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : cores;
}

void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& body) {
  const std::size_t workers = std::min<std::size_t>(WorkerCount(), count);
  if (workers <= 1) {
    for (std::size_t i = 0; i < count; ++i) body(i);
    return;
  }
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  std::vector<std::exception_ptr> errors(workers);
  const auto work = [&](std::size_t worker) {
    try {
      for (std::size_t i = next++; i < count && !failed; i = next++) body(i);
    } catch (...) {
      errors[worker] = std::current_exception();
      failed = true;
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(workers - 1);
  for (std::size_t w = 1; w < workers; ++w) threads.emplace_back(work, w);
  work(0);
  for (std::thread& t : threads) t.join();
  for (const std::exception_ptr& e : errors) {
    if (e) std::rethrow_exception(e);
  }
}

#else

unsigned WorkerCount() { return 1; }

void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& body) {
  for (std::size_t i = 0; i < count; ++i) body(i);
}

#endif

}  // namespace rezov::adjudicate
