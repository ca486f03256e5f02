#include "viewer/Trace.h"

#include <windows.h>

#include <string>

#include "core/base/StartupTrace.h"
#include "shared/ScopedWin.h"

namespace {

// The process's one trace, off until StartTrace, and the file it goes to.
TStartupTrace trace;
std::wstring traceFile;

std::int64_t NowMicroseconds() {
  LARGE_INTEGER counter = {}, frequency = {};
  ::QueryPerformanceCounter(&counter);
  ::QueryPerformanceFrequency(&frequency);
  if (frequency.QuadPart <= 0) return 0;
  // Whole seconds and the rest apart: the product of the counter and a
  // million would overflow after some days of uptime.
  const std::int64_t seconds = counter.QuadPart / frequency.QuadPart;
  const std::int64_t rest = counter.QuadPart % frequency.QuadPart;
  return seconds * 1000000 + rest * 1000000 / frequency.QuadPart;
}

}  // namespace

void StartTrace() {
  wchar_t file[MAX_PATH] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"HEAPFOLD_TRACE", file, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  traceFile = file;
  trace = TStartupTrace(true);
  TraceMark(L"process and COM start");
}

void TraceMark(const wchar_t* phase) {
  if (trace.On()) trace.Mark(phase, NowMicroseconds());
}

void WriteTrace() {
  if (!trace.On()) return;
  const std::wstring text = trace.Text();
  const std::string bytes(text.begin(), text.end());  // the phases' names are plain ASCII
  const THandle file(::CreateFileW(traceFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  DWORD written = 0;
  ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
