// The thumbnails of one grid build, decoded on a few worker threads while the
// user-interface thread goes on. The workers only decode; they hand nothing to
// a window. The user-interface thread takes the results strictly in tile
// order, so the grid it builds is the one a sequential run would build.
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/raster/Bitmap32.h"

// One worker per core, at most 8, never more than there are pictures, and at
// least one.
unsigned ThumbnailWorkerCount(unsigned cores, std::size_t pictures);

class TThumbnailPool {
public:
  // Gives the picture for a path, or nothing when the path gets no picture
  // (the tile then shows the file's icon). Runs on a worker thread; an
  // exception counts as nothing.
  using TDecode = std::function<std::optional<TBitmap32>(const std::wstring& path)>;
  // Called on a worker after each result, to wake the user-interface thread;
  // it must not touch any window itself (posting a message is what it is for).
  using TNotify = std::function<void()>;
  // Called on each worker thread as it starts, before its first picture; what
  // it gives is held by that worker and released on the same thread when the
  // worker ends, before the pool's destructor returns. For what a thread
  // needs while it decodes, such as COM for the shell's thumbnails. A hook
  // that throws gives nothing; the worker decodes all the same.
  using TWorkerScope = std::function<std::shared_ptr<void>()>;

  TThumbnailPool(std::vector<std::wstring> paths, TDecode decode, TNotify notify, unsigned workers,
                 TWorkerScope workerScope = {});
  ~TThumbnailPool();  // cancels what is left and waits for the workers
  TThumbnailPool(const TThumbnailPool&) = delete;
  TThumbnailPool& operator=(const TThumbnailPool&) = delete;

  // No further picture is decoded; pictures in progress are dropped.
  void Cancel();
  // The next result in order (its index is the number taken before), or
  // nothing while that one is not decoded yet.
  struct TResult {
    std::size_t Index = 0;
    std::optional<TBitmap32> Picture;
  };
  std::optional<TResult> TakeNext();
  std::size_t Taken() const { return taken_; }
  std::size_t Count() const { return paths_.size(); }
  bool AllTaken() const { return taken_ == paths_.size(); }
  // Every worker has returned (the destructor then waits for nothing).
  bool Finished() const { return running_ == 0; }

private:
  void Work();

  std::vector<std::wstring> paths_;
  TDecode decode_;
  TNotify notify_;
  TWorkerScope workerScope_;
  std::atomic<std::size_t> next_{0};
  std::atomic<bool> cancelled_{false};
  std::atomic<unsigned> running_{0};
  std::mutex lock_;
  std::vector<std::optional<std::optional<TBitmap32>>> results_;  // outer: done; inner: a picture
  std::size_t taken_ = 0;
  std::vector<std::thread> workers_;
};
