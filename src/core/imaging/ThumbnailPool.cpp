#include "core/imaging/ThumbnailPool.h"

#include <algorithm>

unsigned ThumbnailWorkerCount(unsigned cores, std::size_t pictures) {
  const std::size_t count = std::min<std::size_t>({std::max(cores, 1u), 8u, pictures});
  return static_cast<unsigned>(std::max<std::size_t>(count, 1));
}

TThumbnailPool::TThumbnailPool(std::vector<std::wstring> paths, TDecode decode, TNotify notify, unsigned workers,
                               TWorkerScope workerScope)
    : paths_(std::move(paths)),
      decode_(std::move(decode)),
      notify_(std::move(notify)),
      workerScope_(std::move(workerScope)),
      results_(paths_.size()) {
  if (paths_.empty()) return;
  const unsigned count = std::max(1u, std::min<unsigned>(workers, static_cast<unsigned>(paths_.size())));
  workers_.reserve(count);
  running_ = count;
  for (unsigned i = 0; i < count; ++i) workers_.emplace_back([this] { Work(); });
}

TThumbnailPool::~TThumbnailPool() {
  Cancel();
  for (std::thread& worker : workers_) worker.join();
}

void TThumbnailPool::Cancel() { cancelled_ = true; }

void TThumbnailPool::Work() {
  struct TDone {
    std::atomic<unsigned>& Running;
    ~TDone() { --Running; }
  } done{running_};
  // Declared first, so it is released last, after every decode of this thread.
  std::shared_ptr<void> scope;
  if (workerScope_) {
    try {
      scope = workerScope_();
    } catch (...) {
      scope.reset();  // the worker decodes without it
    }
  }
  for (;;) {
    if (cancelled_) return;
    const std::size_t index = next_++;
    if (index >= paths_.size()) return;
    std::optional<TBitmap32> picture;
    try {
      picture = decode_(paths_[index]);
    } catch (...) {
      picture.reset();  // the tile shows the file's icon
    }
    if (cancelled_) return;
    {
      const std::lock_guard<std::mutex> hold(lock_);
      results_[index] = std::move(picture);
    }
    if (notify_) notify_();
  }
}

std::optional<TThumbnailPool::TResult> TThumbnailPool::TakeNext() {
  const std::lock_guard<std::mutex> hold(lock_);
  if (taken_ >= results_.size() || !results_[taken_]) return std::nullopt;
  TResult result{taken_, std::move(*results_[taken_])};
  results_[taken_].reset();
  ++taken_;
  return result;
}
