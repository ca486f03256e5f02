// The update check's GET against a real server on 127.0.0.1: what is sent,
// what comes back byte for byte, how answers are cut, and that no server can
// keep the call (or the calling thread's windows) waiting past its deadline.
#include "shared/HttpClient.h"

#include <gtest/gtest.h>
#include <winhttp.h>

#include <string>
#include <vector>

#include "../common/HttpTestServer.h"

namespace {

using httptest::HeaderValues;
using httptest::HeadLines;
using httptest::THttpTestAnswer;
using httptest::THttpTestServer;

constexpr DWORD kShortDeadline = 1500;
constexpr DWORD kClockSlack = 50;  // GetTickCount's steps
// Past the deadline: closing the handles and joining the worker, on a busy
// machine. A second WinHTTP time-out run in full would take far longer.
constexpr DWORD kLateBy = 500;

THttpGetOptions UpdateCheckOptions(DWORD totalMilliseconds = 15000, std::size_t bodyLimit = 64 * 1024) {
  THttpGetOptions options;
  options.Accept = L"text/html, */*";
  options.UserAgent = L"Mozilla/3.0 (compatible; Indy Library)";
  options.ContentType = L"text/html";
  options.TotalMilliseconds = totalMilliseconds;
  options.BodyLimit = bodyLimit;
  return options;
}

TServerAddress AddressOf(const THttpTestServer& server) { return *ParseServerAddress(server.BaseAddress()); }

TEST(HttpClient, SendsTheUpdateChecksRequest) {
  THttpTestAnswer answer;
  answer.Body = "1.3+++++121+++++http://example.org/";
  THttpTestServer server(answer);
  ASSERT_TRUE(server.Running());

  const THttpGetResult result = HttpGet(AddressOf(server), kUpdateResource, UpdateCheckOptions());
  EXPECT_TRUE(result.Succeeded);
  EXPECT_EQ(result.Body, answer.Body);

  const std::vector<std::string> heads = server.RequestHeads();
  ASSERT_EQ(heads.size(), 1u);
  const std::vector<std::string> lines = HeadLines(heads[0]);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "GET /heapfold/update/ HTTP/1.1");
  const std::pair<const char*, std::vector<std::string>> expected[] = {
      {"Accept", {"text/html, */*"}},
      {"User-Agent", {"Mozilla/3.0 (compatible; Indy Library)"}},
      {"Content-Type", {"text/html"}},
      {"Host", {"127.0.0.1:" + std::to_string(server.Port())}},
      {"Cookie", {}},
  };
  for (const auto& [name, values] : expected) EXPECT_EQ(HeaderValues(lines, name), values) << name;
  EXPECT_EQ(server.Connections(), 1);
}

struct TAnswerCase {
  const char* What;
  THttpTestAnswer Answer;
  std::size_t BodyLimit;
  bool Succeeded;
  DWORD Status;
  std::string Body;
};

THttpTestAnswer Answer(int status, std::string body, std::uint64_t moreBytes = 0, bool endless = false) {
  THttpTestAnswer answer;
  answer.Status = status;
  answer.Reason = status == 200 ? "OK" : "Whatever";
  answer.Body = std::move(body);
  answer.MoreBytes = moreBytes;
  answer.Endless = endless;
  return answer;
}

TEST(HttpClient, AnswersAreReturnedByteExactAndCutAtTheLimit) {
  const std::string binary("1.3\r\n+++++121\r\n+++++\x80\xFF\x00\x01\xC3\xA9\x00", 24);
  const std::string head = "1.3+++++121+++++";
  const TAnswerCase cases[] = {
      {"CR LF, high bytes and NULs", Answer(200, binary), 64 * 1024, true, 200, binary},
      {"another 2xx, empty", Answer(204, ""), 64 * 1024, true, 204, ""},
      {"not found", Answer(404, "<html>missing</html>"), 64 * 1024, false, 404, ""},
      {"server error", Answer(500, "<html>broken</html>"), 64 * 1024, false, 500, ""},
      {"exactly the limit", Answer(200, head, 100 - head.size()), 100, true, 200, head + std::string(84, 'x')},
      {"one byte over the limit", Answer(200, head, 101 - head.size()), 100, true, 200, head + std::string(84, 'x')},
      {"1 MB", Answer(200, head, 1 << 20), 64 * 1024, true, 200, head + std::string(64 * 1024 - 16, 'x')},
      {"never ending", Answer(200, head, 0, true), 4096, true, 200, head + std::string(4096 - 16, 'x')},
  };
  for (const TAnswerCase& c : cases) {
    THttpTestServer server(c.Answer);
    ASSERT_TRUE(server.Running());
    const THttpGetResult result = HttpGet(AddressOf(server), kUpdateResource, UpdateCheckOptions(15000, c.BodyLimit));
    EXPECT_EQ(result.Succeeded, c.Succeeded) << c.What;
    EXPECT_EQ(result.Status, c.Status) << c.What;
    EXPECT_EQ(result.Error, 0u) << c.What;
    EXPECT_EQ(result.Body, c.Body) << c.What;
  }
}

TEST(HttpClient, AHugeAnswerIsNotReadPastTheLimit) {
  THttpTestServer server(Answer(200, "", 100ull << 20));
  ASSERT_TRUE(server.Running());
  const THttpGetResult result = HttpGet(AddressOf(server), kUpdateResource, UpdateCheckOptions());
  EXPECT_TRUE(result.Succeeded);
  EXPECT_EQ(result.Body.size(), 64u * 1024);
  // What the system buffers between the two ends is a few megabytes at most.
  EXPECT_LT(server.BytesSent(), 16ull << 20);
}

struct TFailureCase {
  const char* What;
  THttpTestAnswer Answer;
  bool ServerListens;
  DWORD Status;
  DWORD Error;
  DWORD AtLeast, Below;  // elapsed milliseconds
};

TEST(HttpClient, FailuresComeWithinTheDeadline) {
  THttpTestAnswer silent;
  silent.Silent = true;
  THttpTestAnswer stalled = Answer(200, "1.3+++++");
  stalled.HoldAfterBody = true;
  const TFailureCase cases[] = {
      {"nothing listens", {}, false, 0, ERROR_WINHTTP_CANNOT_CONNECT, 0, 1000},
      {"never answers", silent, true, 0, ERROR_WINHTTP_TIMEOUT, kShortDeadline - kClockSlack, kShortDeadline + kLateBy},
      {"stops in the body", stalled, true, 200, ERROR_WINHTTP_TIMEOUT, kShortDeadline - kClockSlack,
       kShortDeadline + kLateBy},
      {"body too slow for the deadline", Answer(200, "", 0, true), true, 200, ERROR_WINHTTP_TIMEOUT,
       kShortDeadline - kClockSlack, kShortDeadline + kLateBy},
  };
  for (const TFailureCase& c : cases) {
    THttpTestServer server(c.Answer);
    ASSERT_TRUE(server.Running());
    TServerAddress address = AddressOf(server);
    if (!c.ServerListens) address.Port = httptest::UnusedPort();
    const DWORD start = ::GetTickCount();
    const THttpGetResult result =
        HttpGet(address, kUpdateResource, UpdateCheckOptions(kShortDeadline, 100 * 1024 * 1024));
    const DWORD elapsed = ::GetTickCount() - start;
    EXPECT_FALSE(result.Succeeded) << c.What;
    EXPECT_EQ(result.Status, c.Status) << c.What;
    EXPECT_EQ(result.Error, c.Error) << c.What;
    EXPECT_TRUE(result.Body.empty()) << c.What;
    EXPECT_GE(elapsed, c.AtLeast) << c.What;
    EXPECT_LT(elapsed, c.Below) << c.What;
  }
}

// A window of the test thread that counts what it is given.
struct TCounts {
  int Posted = 0;
  int Timers = 0;
  int Paints = 0;
};
constexpr UINT kPostedMessage = WM_APP + 1;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* counts = reinterpret_cast<TCounts*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (counts) {
    if (message == kPostedMessage) ++counts->Posted;
    if (message == WM_TIMER) {
      ++counts->Timers;
      ::InvalidateRect(window, nullptr, FALSE);
    }
    if (message == WM_PAINT) ++counts->Paints;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

TEST(HttpClient, TheCallingThreadsWindowsAreServedWhileItWaits) {
  THttpTestAnswer silent;
  silent.Silent = true;
  THttpTestServer server(silent);
  ASSERT_TRUE(server.Running());

  WNDCLASSW windowClass = {};
  windowClass.lpfnWndProc = CountingProc;
  windowClass.hInstance = ::GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"HeapfoldHttpWaitWindow";
  ::RegisterClassW(&windowClass);
  TOwnedWindow window(::CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"waiting", WS_POPUP, 10, 10, 200,
                                        100, nullptr, nullptr, windowClass.hInstance, nullptr));
  ASSERT_TRUE(window);
  TCounts counts;
  ::SetWindowLongPtrW(window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&counts));
  // Shown without activation: Wine then leaves the window out of the window
  // manager's hands, and closing it does not wait for one that is not there.
  ::ShowWindow(window.Get(), SW_SHOWNOACTIVATE);
  ::ValidateRect(window.Get(), nullptr);
  ::PostMessageW(window.Get(), kPostedMessage, 0, 0);
  ::SetTimer(window.Get(), 1, 50, nullptr);
  ::PostQuitMessage(7);

  const DWORD start = ::GetTickCount();
  const THttpGetResult result = HttpGet(AddressOf(server), kUpdateResource, UpdateCheckOptions(kShortDeadline));
  const DWORD elapsed = ::GetTickCount() - start;
  ::KillTimer(window.Get(), 1);
  EXPECT_EQ(result.Error, static_cast<DWORD>(ERROR_WINHTTP_TIMEOUT));
  EXPECT_GE(elapsed, kShortDeadline - kClockSlack) << "a WM_QUIT does not end the wait";
  EXPECT_LT(elapsed, kShortDeadline + kLateBy);

  EXPECT_EQ(counts.Posted, 1);
  EXPECT_GE(counts.Timers, 5);
  EXPECT_GE(counts.Paints, 5);
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the WM_QUIT is posted again";
  EXPECT_EQ(msg.wParam, 7u);
  ::SetWindowLongPtrW(window.Get(), GWLP_USERDATA, 0);
}

}  // namespace
