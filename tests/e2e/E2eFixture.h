// The fixtures the end-to-end suites derive from: what every test of the
// viewer or of the creator starts from, so each suite adds only what is its
// own.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "E2eHarness.h"

namespace e2e {

// A test of the viewer: the preferences at their defaults (removed again at
// the end) and the product laid out in a scratch folder with the stand-in
// creator beside it. A suite says whether its views animate.
class TViewerTest : public ::testing::Test {
protected:
  enum class TAnimation { Default, Off, On };
  explicit TViewerTest(TAnimation animation = TAnimation::Default) {
    if (animation != TAnimation::Default) preferences_.SetDword(L"DoAnim", animation == TAnimation::On ? 1 : 0);
  }

  // Waits for the viewer's window and for its view at rest; null when either
  // does not come.
  static HWND OpenAtRest(const TProcess& viewer) {
    const HWND window = WaitForWindow(viewer.Id(), kTimeout);
    return window && WaitForViewAtRest(window) ? window : nullptr;
  }

  TPreferences preferences_;
  TInstalledCopy install_;
};

// A test of the viewer whose entries the shell opens: COM on the test's
// thread and the recording handler, whose log says what was opened.
class TShellViewerTest : public TViewerTest {
protected:
  using TViewerTest::TViewerTest;

  TComInit com_;
  TRecordingHandler handler_;
};

// The creator window's caption in its create mode.
constexpr const wchar_t* kCreateCaption = L"Create a new Heapfold";

// A test of the creator: COM on the test's thread, the preferences at their
// defaults, and the creator the test starts, ended with the test.
class TCreatorTest : public ::testing::Test {
protected:
  // Starts the creator (exe, or the installed one) and waits for its window
  // with the caption given; null on time-out.
  HWND Start(const std::wstring& arguments, const std::wstring& caption = kCreateCaption,
             const std::wstring& exe = L"") {
    process_ =
        std::make_unique<TProcess>(TProcess::Launch(exe.empty() ? DistDir() + L"Heapmaker.exe" : exe, arguments));
    return WaitForWindow(process_->Id(), kTimeout, caption);
  }
  TProcess& Process() { return *process_; }
  // The creator ends before anything a suite set up for it is undone.
  void TearDown() override { process_.reset(); }

  TComInit com_;
  TPreferences preferences_;
  std::unique_ptr<TProcess> process_;
};

}  // namespace e2e
