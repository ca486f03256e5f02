// The jump list's commit against a destination list that records its calls
// and fails at a chosen one: each step's failure stops the commit there and
// comes back with its HRESULT.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0601
#undef NTDDI_VERSION
#define NTDDI_VERSION 0x06010000
#include <gtest/gtest.h>

#include <windows.h>

#include <shobjidl.h>

#include <string>
#include <vector>

#include "shared/ComObject.h"
#include "shared/ScopedWin.h"
#include "viewer/JumpLists.h"

namespace {

// Records "begin", "category|<title>|<entries>", "tasks|<entries>",
// "known|<category>" and "commit"; the call named failing answers failure.
class TRecordingList final : public TComObject<ICustomDestinationList> {
public:
  TRecordingList(std::vector<std::string>& calls, std::string failing, HRESULT failure)
      : calls_(&calls), failing_(std::move(failing)), failure_(failure) {}

  HRESULT STDMETHODCALLTYPE SetAppID(LPCWSTR) override { return Answer("appid"); }
  HRESULT STDMETHODCALLTYPE BeginList(UINT* slots, REFIID, void** removed) override {
    *slots = 10;
    *removed = nullptr;
    return Answer("begin");
  }
  HRESULT STDMETHODCALLTYPE AppendCategory(LPCWSTR title, IObjectArray* entries) override {
    const std::wstring wide(title);
    return Answer("category|" + std::string(wide.begin(), wide.end()) + "|" + Count(entries));
  }
  HRESULT STDMETHODCALLTYPE AppendKnownCategory(KNOWNDESTCATEGORY category) override {
    return Answer("known|" + std::to_string(category));
  }
  HRESULT STDMETHODCALLTYPE AddUserTasks(IObjectArray* entries) override { return Answer("tasks|" + Count(entries)); }
  HRESULT STDMETHODCALLTYPE CommitList() override { return Answer("commit"); }
  HRESULT STDMETHODCALLTYPE GetRemovedDestinations(REFIID, void**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeleteList(LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AbortList() override { return E_NOTIMPL; }

private:
  HRESULT Answer(const std::string& call) {
    calls_->push_back(call);
    return call.compare(0, failing_.size(), failing_) == 0 && !failing_.empty() ? failure_ : S_OK;
  }
  static std::string Count(IObjectArray* entries) {
    UINT count = 0;
    return entries && SUCCEEDED(entries->GetCount(&count)) ? std::to_string(count) : "none";
  }

  std::vector<std::string>* calls_;
  std::string failing_;
  HRESULT failure_;
};

class JumpLists : public ::testing::Test {
protected:
  TComInit com_;

  // A list with one custom category (a missing file, which is left out, and
  // a link) and two tasks, over a recording list failing at failing.
  TJumpListResult Commit(const std::string& failing, HRESULT failure, std::vector<std::string>& calls) {
    TjlJumpLists jumpList(MakeComObject<TRecordingList>(calls, failing, failure));
    TjlLinkCategory category;
    category.Title = L"Stacks";
    category.Items.emplace_back();
    category.Items.back().ShellItemFilename = L"C:\\no such folder\\no such file.txt";
    category.Items.AddShellLink(L"One", L"/one", 0, L"");
    jumpList.Categories.push_back(category);
    jumpList.Tasks.AddShellLink(L"Edit", L"/edit", 2, L"");
    jumpList.Tasks.AddShellLink(L"About", L"/about", 1, L"");
    return jumpList.Commit();
  }
};

TEST_F(JumpLists, EachFailedStepEndsTheCommitWithItsHResult) {
  const std::vector<std::string> all = {"begin", "category|Stacks|1", "tasks|2", "known|1", "known|2", "commit"};
  struct TCase {
    const char* Failing;
    TJumpListStep Step;
    size_t CallsMade;
  };
  const TCase cases[] = {
      {"", TJumpListStep::None, 6},
      {"begin", TJumpListStep::BeginList, 1},
      {"category", TJumpListStep::AppendCategory, 2},
      {"tasks", TJumpListStep::AddUserTasks, 3},
      {"known|1", TJumpListStep::AppendFrequent, 4},
      {"known|2", TJumpListStep::AppendRecent, 5},
      {"commit", TJumpListStep::CommitList, 6},
  };
  const HRESULT failure = HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Failing);
    std::vector<std::string> calls;
    const TJumpListResult result = Commit(c.Failing, failure, calls);
    EXPECT_EQ(result.FailedStep, c.Step);
    EXPECT_EQ(result.Error, c.Step == TJumpListStep::None ? S_OK : failure);
    EXPECT_EQ(result.Succeeded(), c.Step == TJumpListStep::None);
    EXPECT_EQ(calls, std::vector<std::string>(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(c.CallsMade)));
  }
}

TEST_F(JumpLists, WithoutADestinationListNothingIsCommittedAndTheReasonComesBack) {
  TjlJumpLists jumpList(nullptr);
  EXPECT_FALSE(jumpList.Available());
  jumpList.Tasks.AddShellLink(L"Edit", L"/edit", 2, L"");
  const TJumpListResult result = jumpList.Commit();
  EXPECT_EQ(result.FailedStep, TJumpListStep::CreateList);
  EXPECT_TRUE(FAILED(result.Error));
  EXPECT_EQ(jumpList.SetAppID(L"Heapfold.Test"), result.Error);
}

}  // namespace
