// Runs an action when the scope ends, however it ends, unless dismissed
// first: the undo step of a multi-step change that must not outlive a failure
// (a temporary file, a disabled window).
#pragma once

#include <utility>

template <typename F>
class TScopeGuard {
public:
  explicit TScopeGuard(F action) : action_(std::move(action)) {}
  ~TScopeGuard() {
    if (active_) action_();
  }
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;
  TScopeGuard(TScopeGuard&& other) noexcept : action_(std::move(other.action_)), active_(other.active_) {
    other.active_ = false;
  }
  TScopeGuard& operator=(TScopeGuard&&) = delete;

  // The change succeeded: the action will not run.
  void Dismiss() noexcept { active_ = false; }

private:
  F action_;
  bool active_ = true;
};

template <typename F>
TScopeGuard<F> MakeScopeGuard(F action) {
  return TScopeGuard<F>(std::move(action));
}
