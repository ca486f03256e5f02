// Messaging between two real processes: this test's sender against a
// receiver in a peer process that writes down what reaches it.
#include <gtest/gtest.h>
#include <windows.h>

#include "ScratchDir.h"
#include "../common/WaitUntil.h"
#include "shared/ExtraWinUtils.h"
#include "viewer/InterAppComm.h"

namespace {

// The peer process with a receiver in group, enabled or not; ended with the scope.
class TPeer {
public:
  TPeer(const std::wstring& group, bool enabled) {
    std::wstring commandLine = L"\"" + GetProgramFolder() + L"interapp_peer.exe\" \"" + group + L"\" " +
                               (enabled ? L"1" : L"0") + L" \"" + log_ + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
      process_.Reset(info.hProcess);
      ::CloseHandle(info.hThread);
      id_ = info.dwProcessId;
    }
  }
  ~TPeer() {
    if (process_) {
      ::TerminateProcess(process_.Get(), 0);
      ::WaitForSingleObject(process_.Get(), 5000);
    }
  }
  bool Ready() {
    return WaitUntil([&] { return !Lines().empty() && Lines().front() == L"ready"; });
  }
  std::vector<std::wstring> Lines() const { return ReadLines(log_); }
  DWORD Id() const { return id_; }
  bool Running() const { return ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

private:
  TScratchDir scratch_{L"hf-peer-"};
  std::wstring log_ = scratch_.Path() + L"peer.txt";
  THandle process_;
  DWORD id_ = 0;
};

DWORD ProcessOf(HWND window) {
  DWORD id = 0;
  ::GetWindowThreadProcessId(window, &id);
  return id;
}

}  // namespace

TEST(InterAppComm, ASenderFindsTheReceiversOfAGroupInOtherProcessesByName) {
  TPeer peer(L"C:\\Data\\Stack", true);
  ASSERT_TRUE(peer.Ready());
  TInterAppSender sender;
  const std::vector<HWND> found = sender.FindReceiversByName(L"C:\\Data\\Stack", true);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(ProcessOf(found[0]), peer.Id());
  EXPECT_NE(found[0], sender.Handle());
  EXPECT_EQ(sender.FindReceiversByName(L"c:\\DATA\\stack", false).size(), 1u) << "groups ignore letter case";
  EXPECT_TRUE(sender.FindReceiversByName(L"C:\\Data\\Other", true).empty());
  EXPECT_TRUE(sender.FindReceiversByName(L"C:\\Data", true).empty());
}

TEST(InterAppComm, ADisabledReceiverDoesNotAnswer) {
  TPeer peer(L"C:\\Quiet", false);
  ASSERT_TRUE(peer.Ready());
  TInterAppSender sender;
  EXPECT_TRUE(sender.FindReceiversByName(L"C:\\Quiet", true).empty());
}

TEST(InterAppComm, BlocksShortForTheirKindAreIgnoredAndTheReceiverLivesOn) {
  TPeer peer(L"C:\\Blocks", true);
  ASSERT_TRUE(peer.Ready());
  TInterAppSender sender;
  const std::vector<HWND> found = sender.FindReceiversByName(L"C:\\Blocks", true);
  ASSERT_EQ(found.size(), 1u);
  const HWND target = found[0];
  const auto send = [&](ULONG_PTR kind, const void* data, DWORD size) {
    COPYDATASTRUCT copy = {kind, size, const_cast<void*>(data)};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(target, WM_COPYDATA, reinterpret_cast<WPARAM>(sender.Handle()),
                          reinterpret_cast<LPARAM>(&copy), SMTO_NORMAL, 5000, &result);
  };
  unsigned char bytes[16] = {200, 'a', 'b', 'c', 0, 0, 0, 0, 2, 0, 0, 0, 0};
  send(0, bytes, 5);     // a kind-0 block without its command byte
  send(0, nullptr, 13);  // no data
  send(2, bytes, 2);     // half an integer
  send(3, bytes, 4);     // half a real
  send(9, bytes, 13);    // an unknown kind
  send(0, bytes, 13);    // a whole block whose command is not close
  send(1, bytes, 3);     // a string whose length byte claims more than the block holds
  EXPECT_EQ(sender.SendData(target, bytes, 9), 0);
  const std::int32_t answer = 42;
  send(2, &answer, 4);
  ASSERT_TRUE(WaitUntil([&] { return peer.Lines().size() >= 5; }));
  EXPECT_EQ(peer.Lines(),
            (std::vector<std::wstring>{L"ready", L"data 13 2", L"string ab", L"data 9 2", L"integer 42"}));
  EXPECT_TRUE(peer.Running());
}
