#include "core/imaging/ThumbnailPool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

// Waits for the pool's next result without a fixed sleep: the workers' notice
// wakes the waiter.
class TWaiter {
public:
  void Notify() {
    const std::lock_guard<std::mutex> hold(lock_);
    ++notices_;
    wake_.notify_all();
  }
  template <typename Ready>
  bool WaitFor(Ready ready) {
    std::unique_lock<std::mutex> hold(lock_);
    return wake_.wait_for(hold, std::chrono::seconds(10), ready);
  }

private:
  std::mutex lock_;
  std::condition_variable wake_;
  int notices_ = 0;
};

// Holds threads until opened.
class TGate {
public:
  void Pass() {
    std::unique_lock<std::mutex> hold(lock_);
    opened_.wait(hold, [&] { return open_; });
  }
  void Open() {
    {
      const std::lock_guard<std::mutex> hold(lock_);
      open_ = true;
    }
    opened_.notify_all();
  }
  struct TOpener {
    TGate& Gate;
    ~TOpener() { Gate.Open(); }
  };

private:
  std::mutex lock_;
  std::condition_variable opened_;
  bool open_ = false;
};

}  // namespace

TEST(ThumbnailPool, WorkerCountFollowsTheCoresWithinBounds) {
  EXPECT_EQ(ThumbnailWorkerCount(2, 100), 2u);
  EXPECT_EQ(ThumbnailWorkerCount(16, 100), 8u);
  EXPECT_EQ(ThumbnailWorkerCount(4, 3), 3u);
  EXPECT_EQ(ThumbnailWorkerCount(0, 5), 1u) << "an unknown core count still gives one worker";
  EXPECT_EQ(ThumbnailWorkerCount(4, 0), 1u);
}

TEST(ThumbnailPool, ResultsComeInTileOrderWhateverOrderTheyFinishIn) {
  std::vector<std::wstring> paths;
  for (int i = 0; i < 40; ++i) paths.push_back(std::to_wstring(i));
  TWaiter waiter;
  // Early tiles take longest, and every fifth one cannot be decoded.
  TThumbnailPool pool(
      paths,
      [](const std::wstring& path) -> std::optional<TBitmap32> {
        const int n = std::stoi(path);
        std::this_thread::sleep_for(std::chrono::microseconds(200 * (40 - n)));
        if (n % 5 == 4) throw std::runtime_error("damaged");
        TBitmap32 picture(1, 1);
        picture.SetPixel(0, 0, static_cast<TColor32>(n));
        return picture;
      },
      [&] { waiter.Notify(); }, 4);
  std::vector<std::size_t> order;
  while (!pool.AllTaken()) {
    std::optional<TThumbnailPool::TResult> result;
    ASSERT_TRUE(waiter.WaitFor([&] { return (result = pool.TakeNext()).has_value(); }));
    order.push_back(result->Index);
    const int n = static_cast<int>(result->Index);
    if (n % 5 == 4) {
      EXPECT_FALSE(result->Picture.has_value()) << n;
    } else {
      ASSERT_TRUE(result->Picture.has_value()) << n;
      EXPECT_EQ(result->Picture->Pixel(0, 0), static_cast<TColor32>(n));
    }
  }
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i);
  EXPECT_EQ(pool.Taken(), 40u);
}

TEST(ThumbnailPool, CancellingStopsTheRemainingWork) {
  std::vector<std::wstring> paths;
  for (int i = 0; i < 1000; ++i) paths.push_back(std::to_wstring(i));
  std::atomic<int> decoded{0};
  TWaiter waiter;
  // Every picture after the first waits at a gate that opens only after the
  // cancelling, so how many were started does not depend on timing: the
  // first, and at most one more per worker.
  TGate gate;
  {
    TThumbnailPool pool(
        paths,
        [&](const std::wstring& path) -> std::optional<TBitmap32> {
          ++decoded;
          if (path != L"0") gate.Pass();
          return TBitmap32(1, 1);
        },
        [&] { waiter.Notify(); }, 2);
    // Opened also when an assertion ends the test early, before the pool
    // waits for its workers.
    const TGate::TOpener opener{gate};
    ASSERT_TRUE(waiter.WaitFor([&] { return pool.TakeNext().has_value(); }));
    EXPECT_FALSE(pool.Finished()) << "the workers wait at the gate";
    pool.Cancel();
    gate.Open();
    EXPECT_FALSE(pool.TakeNext().has_value()) << "nothing is given after the cancelling";
    // Cancelled workers return on their own, without the destructor's join.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!pool.Finished() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(pool.Finished());
  }  // the destructor waits for the workers
  EXPECT_GE(decoded.load(), 1);
  EXPECT_LE(decoded.load(), 3);
}

TEST(ThumbnailPool, WorkerScopeHeldByEachWorkerThroughItsDecodes) {
  // Each worker's scope object marks its thread while it lives, so a decode
  // outside a scope, or a scope made or released on another thread, shows.
  struct TScope {
    std::atomic<int>& Released;
    std::atomic<int>& ReleasedElsewhere;
    const std::thread::id Thread = std::this_thread::get_id();
    static bool& Marked() {
      thread_local bool marked = false;
      return marked;
    }
    TScope(std::atomic<int>& released, std::atomic<int>& elsewhere) : Released(released), ReleasedElsewhere(elsewhere) {
      Marked() = true;
    }
    ~TScope() {
      if (std::this_thread::get_id() != Thread) ++ReleasedElsewhere;
      Marked() = false;
      ++Released;
    }
  };
  std::mutex lock;
  std::vector<std::thread::id> scopeThreads;
  std::atomic<int> released{0};
  std::atomic<int> releasedElsewhere{0};
  std::atomic<int> decodedOutsideScope{0};
  std::vector<std::wstring> paths;
  for (int i = 0; i < 30; ++i) paths.push_back(std::to_wstring(i));
  {
    TWaiter waiter;
    TThumbnailPool pool(
        paths,
        [&](const std::wstring&) -> std::optional<TBitmap32> {
          if (!TScope::Marked()) ++decodedOutsideScope;
          return TBitmap32(1, 1);
        },
        [&] { waiter.Notify(); }, 3,
        [&]() -> std::shared_ptr<void> {
          {
            const std::lock_guard<std::mutex> hold(lock);
            scopeThreads.push_back(std::this_thread::get_id());
          }
          return std::make_shared<TScope>(released, releasedElsewhere);
        });
    while (!pool.AllTaken()) ASSERT_TRUE(waiter.WaitFor([&] { return pool.TakeNext().has_value(); }));
  }  // the destructor waits for the workers
  EXPECT_EQ(released.load(), 3) << "every scope is released before the pool is gone";
  EXPECT_EQ(releasedElsewhere.load(), 0);
  EXPECT_EQ(decodedOutsideScope.load(), 0);
  ASSERT_EQ(scopeThreads.size(), 3u) << "one scope per worker";
  for (std::size_t i = 0; i < scopeThreads.size(); ++i) {
    EXPECT_NE(scopeThreads[i], std::this_thread::get_id()) << "made on the worker, not the caller";
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(scopeThreads[i], scopeThreads[j]);
  }
}

TEST(ThumbnailPool, WorkerScopeThatThrowsLeavesTheDecodingAlone) {
  std::vector<std::wstring> paths = {L"0", L"1", L"2"};
  TWaiter waiter;
  TThumbnailPool pool(
      paths, [](const std::wstring&) -> std::optional<TBitmap32> { return TBitmap32(1, 1); }, [&] { waiter.Notify(); },
      2, []() -> std::shared_ptr<void> { throw std::runtime_error("no COM"); });
  while (!pool.AllTaken()) {
    std::optional<TThumbnailPool::TResult> result;
    ASSERT_TRUE(waiter.WaitFor([&] { return (result = pool.TakeNext()).has_value(); }));
    EXPECT_TRUE(result->Picture.has_value()) << result->Index;
  }
}
