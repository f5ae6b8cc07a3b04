#include "surfaces/helper_threads.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace {

class KeptThreads {
public:
  static KeptThreads& Get() {
    static KeptThreads threads;
    return threads;
  }

  ~KeptThreads() {
    {
      const std::lock_guard lock(mutex_);
      stop_ = true;
    }
    wake_.notify_all();
  }  // joins

  bool TryRun(int helpers, const std::function<void()>& job, const std::function<void()>& own) {
    const std::unique_lock busy(busy_, std::try_to_lock);
    if (!busy) return false;
    {
      const std::lock_guard lock(mutex_);
      while (static_cast<int>(threads_.size()) < helpers) {
        const int index = static_cast<int>(threads_.size());
        threads_.emplace_back([this, index, seen = round_] { Serve(index, seen); });
      }
      job_ = &job;
      wanted_ = helpers;
      running_ = helpers;
      ++round_;
    }
    wake_.notify_all();
    own();
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return running_ == 0; });
    job_ = nullptr;
    return true;
  }

private:
  void Serve(int index, std::uint64_t seen) {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stop_ || round_ != seen; });
      if (stop_) return;
      seen = round_;
      if (index >= wanted_) continue;
      const std::function<void()>& job = *job_;
      lock.unlock();
      job();
      lock.lock();
      if (--running_ == 0) done_.notify_one();
    }
  }

  std::mutex busy_;  // held by the one caller being served
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  const std::function<void()>* job_ = nullptr;
  int wanted_ = 0;
  int running_ = 0;
  std::uint64_t round_ = 0;
  bool stop_ = false;
  std::vector<std::jthread> threads_;  // last: joined before the rest is destroyed
};

}  // namespace

void RunOnThreads(int helpers, const std::function<void()>& job, const std::function<void()>& own) {
  if (helpers <= 0) return own();
  if (KeptThreads::Get().TryRun(helpers, job, own)) return;
  std::vector<std::jthread> started;
  for (int i = 0; i < helpers; ++i) started.emplace_back(job);
  own();
}  // joins
