// A second process for the messaging tests: it holds a receiver in a group
// and writes down, one line each, what reaches it.
//   interapp_peer GROUP ENABLED(0|1) LOGFILE
// It writes "ready" once its receiver has joined, then runs until closed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "viewer/InterAppComm.h"

namespace {

void Log(const std::wstring& file, const std::string& line) {
  if (std::FILE* out = _wfopen(file.c_str(), L"ab")) {
    std::fprintf(out, "%s\n", line.c_str());
    std::fclose(out);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) return 2;
  const std::wstring log = argv[3];
  TInterAppReceiver receiver;
  receiver.OnReceiveData = [&](HWND, const std::vector<std::uint8_t>& data) {
    Log(log, "data " + std::to_string(data.size()) + " " + std::to_string(data[8]));
  };
  receiver.OnReceiveString = [&](HWND, const std::string& text) { Log(log, "string " + text); };
  receiver.OnReceiveInteger = [&](HWND, std::int32_t value) { Log(log, "integer " + std::to_string(value)); };
  receiver.OnReceiveReal = [&](HWND, double value) { Log(log, "real " + std::to_string(value)); };
  receiver.SetEnabled(argv[2][0] == L'1');
  receiver.SetGroupName(argv[1]);
  receiver.Loaded();
  Log(log, "ready");
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}
