#include "common/worker_pool.h"

namespace quillon {

WorkerPool::~WorkerPool() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : threads_) t.join();
}

WorkerPool& WorkerPool::Shared() {
  static WorkerPool pool;
  return pool;
}

unsigned WorkerPool::KeptThreads() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<unsigned>(threads_.size());
}

void WorkerPool::RunOnFreshThreads(unsigned helpers, const std::function<void()>& task) {
  std::mutex exceptionMutex;
  std::exception_ptr exception;
  auto guarded = [&] {
    try {
      task();
    } catch (...) {
      std::lock_guard<std::mutex> lock(exceptionMutex);
      if (!exception) exception = std::current_exception();
    }
  };
  std::vector<std::thread> threads;
  threads.reserve(helpers);
  for (unsigned i = 0; i < helpers; ++i) threads.emplace_back(guarded);
  guarded();
  for (std::thread& t : threads) t.join();
  if (exception) std::rethrow_exception(exception);
}

void WorkerPool::Run(unsigned helpers, const std::function<void()>& task) {
  if (helpers == 0) {
    task();
    return;
  }
  {
    std::unique_lock<std::mutex> lock(mutex_);
    if (busy_ || stopping_) {
      lock.unlock();
      RunOnFreshThreads(helpers, task);
      return;
    }
    busy_ = true;
    while (threads_.size() < helpers) {
      const unsigned index = static_cast<unsigned>(threads_.size());
      threads_.emplace_back([this, index] { Serve(index); });
    }
    task_ = &task;
    exception_ = nullptr;
    active_ = helpers;
    running_ = helpers;
    ++generation_;
  }
  wake_.notify_all();

  std::exception_ptr own;
  try {
    task();
  } catch (...) {
    own = std::current_exception();
  }

  std::exception_ptr helperException;
  {
    std::unique_lock<std::mutex> lock(mutex_);
    finished_.wait(lock, [this] { return running_ == 0; });
    helperException = exception_;
    exception_ = nullptr;
    task_ = nullptr;
    busy_ = false;
  }
  if (own) std::rethrow_exception(own);
  if (helperException) std::rethrow_exception(helperException);
}

void WorkerPool::Serve(unsigned index) {
  uint64_t seen = 0;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
    if (stopping_) return;
    seen = generation_;
    if (index >= active_) continue;
    const std::function<void()>* task = task_;
    lock.unlock();
    std::exception_ptr exception;
    try {
      (*task)();
    } catch (...) {
      exception = std::current_exception();
    }
    lock.lock();
    if (exception && !exception_) exception_ = exception;
    if (--running_ == 0) finished_.notify_one();
  }
}

}  // namespace quillon
