#include "common/worker_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <stdexcept>
#include <thread>

namespace quillon {
namespace {

// Every run sees the others running: a run returns only once all have arrived, which
// would never happen if the runs went one after the other.
void RunTogether(WorkerPool& pool, unsigned helpers, std::set<std::thread::id>* ids = nullptr) {
  std::atomic<unsigned> arrived{0};
  std::mutex idMutex;
  pool.Run(helpers, [&] {
    if (ids) {
      std::lock_guard<std::mutex> lock(idMutex);
      ids->insert(std::this_thread::get_id());
    }
    arrived.fetch_add(1);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (arrived.load() < helpers + 1 && std::chrono::steady_clock::now() < giveUp)
      std::this_thread::yield();
    ASSERT_EQ(arrived.load(), helpers + 1);
  });
}

TEST(WorkerPoolTest, RunsATaskOnEveryThreadAtOnceAndKeepsTheThreads) {
  WorkerPool pool;
  std::set<std::thread::id> first, second;
  RunTogether(pool, 3, &first);
  EXPECT_EQ(first.size(), 4u);
  EXPECT_EQ(first.count(std::this_thread::get_id()), 1u);
  RunTogether(pool, 3, &second);
  EXPECT_EQ(second, first);  // the same kept threads
  RunTogether(pool, 1);      // fewer helpers than kept threads
  RunTogether(pool, 5);      // more: the pool grows
  EXPECT_EQ(pool.KeptThreads(), 5u);
  for (int i = 0; i < 500; ++i) RunTogether(pool, 2);  // no wake-up lost
}

TEST(WorkerPoolTest, ExceptionsReachTheCallerAndThePoolStaysUsable) {
  WorkerPool pool;
  std::atomic<int> runs{0};
  EXPECT_THROW(pool.Run(2,
                        [&] {
                          if (runs.fetch_add(1) == 1) throw std::runtime_error("one run fails");
                        }),
               std::runtime_error);
  EXPECT_EQ(runs.load(), 3);
  RunTogether(pool, 2);
}

TEST(WorkerPoolTest, ATaskThatRunsThePoolAgainGetsFreshThreads) {
  WorkerPool pool;
  std::atomic<int> inner{0};
  pool.Run(1, [&] { pool.Run(2, [&] { inner.fetch_add(1); }); });
  EXPECT_EQ(inner.load(), 6);  // two outer runs, three inner runs each
}

TEST(WorkerPoolTest, CallersOnSeveralThreadsDoNotWaitOnEachOther) {
  WorkerPool pool;
  std::thread other([&] {
    for (int i = 0; i < 100; ++i) RunTogether(pool, 2);
  });
  for (int i = 0; i < 100; ++i) RunTogether(pool, 2);
  other.join();
}

}  // namespace
}  // namespace quillon
