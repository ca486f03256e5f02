// The blocking WinHTTP calls run on a worker thread while the calling thread
// waits for it, handling its messages, until a deadline of its own. Before
// each step the worker gives WinHTTP's time-outs only what is left of the
// whole time (the receive-response time-out included: without it a server
// that accepts the connection and never answers keeps some implementations
// waiting). When the deadline passes, the calling thread closes the request
// and connection handles, which cuts the worker's pending call short on
// Windows; where it does not (Wine lets the call run on), the step's own
// time-out ends it at the deadline. Then the worker is joined.
#include "shared/HttpClient.h"

#include <winhttp.h>

#include <algorithm>
#include <atomic>
#include <climits>

#include "shared/ScopedWin.h"

namespace {

using TInternetHandle = TScopedHandle<HINTERNET, &::WinHttpCloseHandle, 0>;

// What the worker is given and gives back. The handles stay with the calling
// thread, which reads Result only once the worker has ended.
struct TRequestJob {
  HINTERNET Request = nullptr;
  DWORD Start = 0;  // GetTickCount at the call
  DWORD TotalMilliseconds = 0;
  std::size_t BodyLimit = 0;
  std::atomic<bool> Abandoned{false};  // the caller gave up: read no further
  THttpGetResult Result;
};

THttpGetResult Failure(DWORD error) {
  THttpGetResult result;
  result.Error = error;
  return result;
}

// Gives WinHTTP's next step no more time than is left of the whole, so the
// worker ends by the deadline even where closing the handles does not cut
// its pending call short. False, with the error kept, when no time is left.
bool LimitNextStep(TRequestJob& job) {
  const DWORD elapsed = ::GetTickCount() - job.Start;
  if (elapsed >= job.TotalMilliseconds || job.Abandoned) {
    job.Result.Error = ERROR_WINHTTP_TIMEOUT;
    return false;
  }
  DWORD left = std::min<DWORD>(job.TotalMilliseconds - elapsed, INT_MAX);
  const int milliseconds = static_cast<int>(left);
  if (!::WinHttpSetTimeouts(job.Request, milliseconds, milliseconds, milliseconds, milliseconds) ||
      !::WinHttpSetOption(job.Request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &left, sizeof(left))) {
    job.Result.Error = ::GetLastError();
    return false;
  }
  return true;
}

// Reads the body up to the limit, asking each time only for what has
// arrived: a read that waited to fill a larger buffer could outlast the
// deadline, and a 100 MB answer never takes more than the limit in memory.
bool ReadBody(TRequestJob& job) {
  std::string& body = job.Result.Body;
  char buffer[16 * 1024];
  while (body.size() < job.BodyLimit) {
    DWORD available = 0;
    if (!LimitNextStep(job)) return false;
    if (!::WinHttpQueryDataAvailable(job.Request, &available)) {
      job.Result.Error = ::GetLastError();
      return false;
    }
    if (available == 0) return true;  // the end of the body
    const DWORD wanted = static_cast<DWORD>(
        std::min({sizeof(buffer), job.BodyLimit - body.size(), static_cast<std::size_t>(available)}));
    DWORD read = 0;
    if (!::WinHttpReadData(job.Request, buffer, wanted, &read)) {
      job.Result.Error = ::GetLastError();
      return false;
    }
    if (read == 0) return true;
    body.append(buffer, read);
  }
  return true;
}

void RunRequest(TRequestJob& job) {
  THttpGetResult& result = job.Result;
  if (!LimitNextStep(job)) return;
  if (!::WinHttpSendRequest(job.Request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0)) {
    result.Error = ::GetLastError();
    return;
  }
  if (!LimitNextStep(job)) return;
  if (!::WinHttpReceiveResponse(job.Request, nullptr)) {
    result.Error = ::GetLastError();
    return;
  }
  DWORD status = 0;
  DWORD size = sizeof(status);
  if (!::WinHttpQueryHeaders(job.Request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
    result.Error = ::GetLastError();
    return;
  }
  result.Status = status;
  if (status < 200 || status > 299) return;  // the body of an error page is of no use
  result.Succeeded = ReadBody(job);
}

DWORD WINAPI RequestThread(void* job) {
  RunRequest(*static_cast<TRequestJob*>(job));
  return 0;
}

// Waits until thread ends or milliseconds have passed since start, handling
// this thread's messages meanwhile. A WM_QUIT taken from the queue is posted
// again once the wait is over, so the caller's message loop still ends.
bool WaitHandlingMessages(HANDLE thread, DWORD start, DWORD milliseconds) {
  bool quit = false;
  int quitCode = 0;
  bool ended = false;
  for (;;) {
    const DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= milliseconds) break;
    const DWORD waited =
        ::MsgWaitForMultipleObjectsEx(1, &thread, milliseconds - elapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (waited == WAIT_OBJECT_0) {
      ended = true;
      break;
    }
    if (waited == WAIT_FAILED) break;
    MSG msg;
    while (::GetTickCount() - start < milliseconds && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        quitCode = static_cast<int>(msg.wParam);
        continue;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  if (!ended) ended = ::WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
  if (quit) ::PostQuitMessage(quitCode);
  return ended;
}

bool AddHeader(HINTERNET request, const wchar_t* name, const std::wstring& value) {
  if (value.empty()) return true;
  const std::wstring line = std::wstring(name) + L": " + value;
  return ::WinHttpAddRequestHeaders(request, line.c_str(), static_cast<DWORD>(line.size()),
                                    WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE) != FALSE;
}

}  // namespace

THttpGetResult HttpGet(const TServerAddress& server, const std::wstring& resource, const THttpGetOptions& options) {
  const DWORD start = ::GetTickCount();
  if (server.Port < 1 || server.Port > 65535) return Failure(ERROR_INVALID_PARAMETER);

  TInternetHandle session(::WinHttpOpen(options.UserAgent.empty() ? nullptr : options.UserAgent.c_str(),
                                        WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS,
                                        0));
  if (!session) return Failure(::GetLastError());
  TInternetHandle connection(
      ::WinHttpConnect(session.Get(), server.Host.c_str(), static_cast<INTERNET_PORT>(server.Port), 0));
  if (!connection) return Failure(::GetLastError());
  TInternetHandle request(::WinHttpOpenRequest(connection.Get(), L"GET", resource.c_str(), nullptr, WINHTTP_NO_REFERER,
                                               WINHTTP_DEFAULT_ACCEPT_TYPES, server.Secure ? WINHTTP_FLAG_SECURE : 0));
  if (!request) return Failure(::GetLastError());

  DWORD noCookies = WINHTTP_DISABLE_COOKIES;
  if (!::WinHttpSetOption(request.Get(), WINHTTP_OPTION_DISABLE_FEATURE, &noCookies, sizeof(noCookies)) ||
      !AddHeader(request.Get(), L"Accept", options.Accept) ||
      !AddHeader(request.Get(), L"Content-Type", options.ContentType))
    return Failure(::GetLastError());

  TRequestJob job;
  job.Request = request.Get();
  job.Start = start;
  job.TotalMilliseconds = options.TotalMilliseconds;
  job.BodyLimit = options.BodyLimit;
  THandle worker(::CreateThread(nullptr, 0, RequestThread, &job, 0, nullptr));
  if (!worker) return Failure(::GetLastError());
  const bool ended = WaitHandlingMessages(worker.Get(), start, options.TotalMilliseconds);
  if (!ended) {
    job.Abandoned = true;
    request.Reset();
    connection.Reset();
    ::WaitForSingleObject(worker.Get(), INFINITE);
  }

  THttpGetResult result = std::move(job.Result);
  // A step that ran out of time may report the socket's time-out instead.
  const bool timedOut =
      result.Error == WSAETIMEDOUT || (result.Error != 0 && ::GetTickCount() - start >= options.TotalMilliseconds);
  if (!ended || timedOut) {
    result.Succeeded = false;
    result.Error = ERROR_WINHTTP_TIMEOUT;
  }
  if (!result.Succeeded) result.Body.clear();
  return result;
}
