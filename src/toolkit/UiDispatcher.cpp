#include "toolkit/UiDispatcher.h"

#include <algorithm>

namespace {
const wchar_t kDispatcherClass[] = L"THeapUiDispatcher";
}  // namespace

void TUiDispatcher::Create() {
  message_ = ::RegisterWindowMessageW(L"HeapfoldUiDispatch");
  RegisterWindowClass(kDispatcherClass, nullptr);
  CreateHandle(0, kDispatcherClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE);
  window_ = Handle();
}

std::uint64_t TUiDispatcher::StartJob() {
  const std::lock_guard<std::mutex> hold(lock_);
  return nextJob_++;
}

void TUiDispatcher::CancelJob(std::uint64_t job) {
  const std::lock_guard<std::mutex> hold(lock_);
  cancelled_.push_back(job);
  if (cancelled_.size() > 64) cancelled_.pop_front();
  queue_.erase(std::remove_if(queue_.begin(), queue_.end(), [job](const TWork& w) { return w.Job == job; }),
               queue_.end());
}

bool TUiDispatcher::Cancelled(std::uint64_t job) {
  return std::find(cancelled_.begin(), cancelled_.end(), job) != cancelled_.end();
}

void TUiDispatcher::Post(std::uint64_t job, std::function<void()> work) {
  bool wake = false;
  {
    const std::lock_guard<std::mutex> hold(lock_);
    if (Cancelled(job)) return;
    wake = queue_.empty();
    queue_.push_back({job, std::move(work)});
  }
  // One message wakes the thread for everything queued until it runs.
  if (wake && window_) ::PostMessageW(window_, message_, 0, 0);
}

void TUiDispatcher::RunQueued() {
  for (;;) {
    TWork work;
    {
      const std::lock_guard<std::mutex> hold(lock_);
      if (queue_.empty()) return;
      work = std::move(queue_.front());
      queue_.pop_front();
      if (Cancelled(work.Job)) continue;
    }
    work.Run();
  }
}

LRESULT TUiDispatcher::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == message_ && message_ != 0) {
    RunQueued();
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}
