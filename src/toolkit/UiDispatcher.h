// Hands work from other threads to the user-interface thread: any thread
// posts a piece of work, and the user-interface thread runs the pieces one by
// one, in the order they were posted, from its message loop (through a
// message-only window and a registered message). Work posted for a job that
// has been cancelled since is dropped, not run.
#pragma once

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "toolkit/Window.h"

class TUiDispatcher : public TWindow {
public:
  // Created on the user-interface thread.
  void Create();
  // A job number for work that belongs together; cancelling it drops what is
  // still queued for it and whatever its threads post later.
  std::uint64_t StartJob();
  void CancelJob(std::uint64_t job);
  // Thread-safe. The work runs on the user-interface thread, unless its job
  // has been cancelled by then.
  void Post(std::uint64_t job, std::function<void()> work);

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  struct TWork {
    std::uint64_t Job;
    std::function<void()> Run;
  };
  void RunQueued();
  bool Cancelled(std::uint64_t job);

  std::mutex lock_;
  std::deque<TWork> queue_;
  std::uint64_t nextJob_ = 1;
  std::deque<std::uint64_t> cancelled_;  // recent cancelled jobs (job numbers only grow)
  UINT message_ = 0;
  HWND window_ = nullptr;  // the handle, for other threads (set once at creation)
};
