#include "common/synchronize.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace gryvel {
namespace {

// Long enough never to expire on a loaded machine; the waits end as soon as a call arrives.
constexpr int kPumpMs = 20;

class Synchronization : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUiThread();
    previous_hook_ = SetSynchronizeWakeHook(nullptr);
  }
  void TearDown() override {
    while (CheckSynchronize()) {
    }
    SetSynchronizeWakeHook(previous_hook_);
  }

  // Runs queued calls on this (the UI) thread until `done` holds.
  static void PumpUntil(const std::atomic<bool>& done) {
    while (!done.load()) CheckSynchronize(kPumpMs);
  }

 private:
  std::function<void()> previous_hook_;
};

// Blocks the waiting thread until Signal() is called once.
class Latch {
 public:
  void Signal() {
    {
      std::lock_guard lock(mutex_);
      set_ = true;
    }
    cv_.notify_all();
  }
  void Wait() {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [&] { return set_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool set_ = false;
};

TEST_F(Synchronization, RunsInlineOnTheUiThread) {
  EXPECT_TRUE(IsUiThread());
  bool ran = false;
  Synchronize([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_FALSE(CheckSynchronize());  // nothing was queued
}

TEST_F(Synchronization, WorkerBlocksUntilTheUiThreadRunsItsCall) {
  Latch queued;
  SetSynchronizeWakeHook([&] { queued.Signal(); });
  std::thread::id ran_on;
  std::atomic<bool> returned{false};
  std::thread worker([&] {
    EXPECT_FALSE(IsUiThread());
    Synchronize([&] { ran_on = std::this_thread::get_id(); });
    // The UI thread's write is visible here: Synchronize returned only after it.
    EXPECT_NE(std::thread::id(), ran_on);
    EXPECT_NE(std::this_thread::get_id(), ran_on);
    returned = true;
  });
  queued.Wait();
  EXPECT_FALSE(returned.load());
  PumpUntil(returned);
  worker.join();
  EXPECT_EQ(std::this_thread::get_id(), ran_on);
}

TEST_F(Synchronization, ExceptionReachesTheWorkerAndTheUiThreadGoesOn) {
  std::atomic<bool> done{false};
  std::string caught;
  std::thread worker([&] {
    try {
      Synchronize([] { throw std::runtime_error("cannot read"); });
    } catch (const std::runtime_error& e) {
      caught = e.what();
    }
    done = true;
  });
  PumpUntil(done);  // would throw out of the test body if the UI thread let it escape
  worker.join();
  EXPECT_EQ("cannot read", caught);
}

TEST_F(Synchronization, CheckSynchronizeOffTheUiThreadRunsNothing) {
  Latch queued;
  SetSynchronizeWakeHook([&] { queued.Signal(); });
  bool ran = false;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    Synchronize([&] { ran = true; });
    done = true;
  });
  queued.Wait();
  bool pumped = true;
  std::thread other([&] { pumped = CheckSynchronize(kPumpMs); });
  other.join();
  EXPECT_FALSE(pumped);
  EXPECT_FALSE(done.load());
  PumpUntil(done);
  worker.join();
  EXPECT_TRUE(ran);
}

// Several workers, many calls each: every call runs exactly once, on the UI thread, and the
// hook fires once per queued call.
TEST_F(Synchronization, ManyWorkersLoseNoCalls) {
  constexpr int kWorkers = 4;
  constexpr int kCallsEach = 200;
  std::atomic<int> wakes{0};
  SetSynchronizeWakeHook([&] { ++wakes; });
  int calls = 0;  // touched on the UI thread only
  std::atomic<int> finished{0};
  std::atomic<bool> all_finished{false};
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&] {
      for (int i = 0; i < kCallsEach; ++i)
        Synchronize([&] {
          EXPECT_TRUE(IsUiThread());
          ++calls;
        });
      if (++finished == kWorkers) all_finished = true;
    });
  }
  PumpUntil(all_finished);
  for (std::thread& t : workers) t.join();
  EXPECT_EQ(kWorkers * kCallsEach, calls);
  EXPECT_EQ(kWorkers * kCallsEach, wakes.load());
}

// A queued call that pumps again runs the calls queued meanwhile, and never itself twice.
TEST_F(Synchronization, NestedCheckSynchronizeRunsEachCallOnce) {
  int outer_runs = 0;
  int inner_runs = 0;
  bool inline_ran = false;
  std::atomic<bool> done{false};
  std::thread first([&] {
    Synchronize([&] {
      ++outer_runs;
      Synchronize([&] { inline_ran = true; });  // on the UI thread now: inline
      std::atomic<bool> inner_done{false};
      std::thread second([&] {
        Synchronize([&] { ++inner_runs; });
        inner_done = true;
      });
      PumpUntil(inner_done);
      second.join();
    });
    done = true;
  });
  PumpUntil(done);
  first.join();
  EXPECT_EQ(1, outer_runs);
  EXPECT_EQ(1, inner_runs);
  EXPECT_TRUE(inline_ran);
}

// Whether thread `tid` of this process sleeps (state S in its stat line).
bool Sleeping(pid_t tid) {
  std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
  std::string line;
  std::getline(stat, line);
  const std::size_t end = line.rfind(')');
  return end != std::string::npos && line.compare(end, 3, ") S") == 0;
}

// A worker still blocked on the UI thread when the process ends must not hold up its exit.
TEST(SynchronizationDeathTest, ExitWithAWorkerStillWaitingEnds) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        SetUiThread();
        Latch queued;
        SetSynchronizeWakeHook([&] { queued.Signal(); });
        std::atomic<pid_t> worker{0};
        std::thread([&] {
          worker = gettid();
          Synchronize([] {});
        }).detach();
        queued.Wait();
        // Past the wake hook, the worker's only sleep is the wait for its call.
        while (!Sleeping(worker)) std::this_thread::yield();
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace gryvel
