#include "E2eHarness.h"

#include "core/base/Errors.h"
#include "shared/Desktop.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <tlhelp32.h>

#include <memory>
#include <stdexcept>

namespace e2e {

namespace {

[[noreturn]] void Fail(const std::wstring& what) { throw std::runtime_error(Narrow(what)); }

}  // namespace

RECT PrimaryWorkArea() {
  RECT work = {};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

std::wstring HostPath(const char* unixPath) {
  std::wstring path = L"Z:";
  for (const char* p = unixPath; *p; ++p) path += (*p == '/') ? L'\\' : static_cast<wchar_t>(*p);
  return path;
}

std::wstring DistDir() { return HostPath(HEAPFOLD_DIST_DIR_HOST) + L"\\"; }
std::wstring RecorderExe() { return HostPath(HEAPFOLD_RECORDER_HOST); }
std::wstring DropTargetExe() { return HostPath(HEAPFOLD_DROPTARGET_HOST); }
std::wstring DwmStandInDll() { return HostPath(HEAPFOLD_DWMAPI_HOST); }

TProcess TProcess::Launch(const std::wstring& exe, const std::wstring& rawArguments) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!rawArguments.empty()) commandLine += L" " + rawArguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  // Wine now and then refuses a start while the previous instance of the same
  // program is still being torn down; a later try succeeds.
  DWORD error = 0;
  const bool started = WaitUntil(
      [&] {
        if (::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &info))
          return true;
        error = ::GetLastError();
        return false;
      },
      3000);
  if (!started) Fail(L"cannot start " + exe + L": error " + std::to_wstring(error));
  THandle thread(info.hThread);
  TProcess process;
  process.process_.Reset(info.hProcess);
  process.id_ = info.dwProcessId;
  return process;
}

TProcess::~TProcess() {
  if (process_ && Running()) {
    ::TerminateProcess(process_.Get(), 99);
    ::WaitForSingleObject(process_.Get(), 5000);
  }
}

bool TProcess::WaitForExit(DWORD milliseconds) {
  return ::WaitForSingleObject(process_.Get(), milliseconds) == WAIT_OBJECT_0;
}

bool TProcess::Running() { return ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

DWORD TProcess::ExitCode() {
  DWORD code = 0;
  ::GetExitCodeProcess(process_.Get(), &code);
  return code;
}

bool WaitForNoProcessNamed(const std::wstring& exeName, DWORD milliseconds) {
  const auto noneRunning = [&] {
    const THandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry))
      if (::lstrcmpiW(entry.szExeFile, exeName.c_str()) == 0) return false;
    return true;
  };
  return WaitUntil(noneRunning, milliseconds);
}

namespace {

struct TWindowSearch {
  DWORD ProcessId;
  std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TWindowSearch*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == search->ProcessId && ::IsWindowVisible(window)) search->Found.push_back(window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

// The system's message boxes and dialogs, and the creator's own message box.
bool IsMessageBoxClass(const std::wstring& className) {
  return className == L"#32770" || className == L"THeapfoldMessageForm";
}

TMessageBox ReadMessageBox(HWND window) {
  TMessageBox box;
  box.Window = window;
  box.Caption = WindowText(window);
  for (HWND child : ChildWindows(window)) {
    if (::GetDlgCtrlID(child) == 0xFFFF && ClassNameOf(child) == L"Static") box.Text += WindowText(child);
  }
  return box;
}

}  // namespace

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

RECT RectInClient(HWND form, HWND control) {
  RECT r = {};
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

std::vector<HWND> TopLevelWindows(DWORD processId) {
  TWindowSearch search{processId, {}};
  ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.Found;
}

HWND WaitForWindow(DWORD processId, DWORD milliseconds, const std::wstring& caption) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(processId)) {
          if (caption.empty() || WindowText(window) == caption) {
            found = window;
            return true;
          }
        }
        return false;
      },
      milliseconds);
  return found;
}

bool EntriesShown(HWND window) {
  for (HWND child : ChildWindows(window))
    if (ClassNameOf(child) == L"THeapToolbar" && ::IsWindowVisible(child)) return true;
  return false;
}

bool IsViewAtRest(HWND window) {
  const TWindowFacts facts = ReadWindowFacts(window);
  return facts.Visible && (!facts.Layered || facts.Alpha == 255) && EntriesShown(window);
}

int ThreadsOf(DWORD processId) {
  const THandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
  if (!snapshot) return -1;
  THREADENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  int count = 0;
  for (BOOL more = ::Thread32First(snapshot.Get(), &entry); more; more = ::Thread32Next(snapshot.Get(), &entry))
    count += entry.th32OwnerProcessID == processId;
  return count;
}

bool WaitForViewAtRest(HWND window, DWORD milliseconds) {
  return WaitUntil([&] { return IsViewAtRest(window); }, milliseconds);
}

std::vector<HWND> MenuWindows(DWORD processId) {
  std::vector<HWND> menus;
  for (HWND w : TopLevelWindows(processId))
    if (ClassNameOf(w) == L"#32768") menus.insert(menus.begin(), w);
  return menus;
}

HWND WaitForMenu(DWORD processId, DWORD milliseconds) {
  HWND menu = nullptr;
  WaitUntil(
      [&] {
        const std::vector<HWND> menus = MenuWindows(processId);
        menu = menus.empty() ? nullptr : menus.front();
        return menu != nullptr;
      },
      milliseconds);
  return menu;
}

HWND WaitForSystemDialog(DWORD processId, const std::wstring& captionPart, DWORD milliseconds) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(processId))
          if (ClassNameOf(window) == L"#32770" && WindowText(window).find(captionPart) != std::wstring::npos)
            found = window;
        return found != nullptr;
      },
      milliseconds);
  return found;
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

bool Sync(HWND window) {
  // A sent message is handled only between the handlers of earlier messages;
  // the second one also waits for whatever the first one's turn let through.
  DWORD_PTR result = 0;
  for (int i = 0; i < 2; ++i)
    if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeout, &result)) return false;
  return true;
}

TMessageBox WaitForMessageBox(DWORD processId, const std::wstring& caption, DWORD milliseconds) {
  TMessageBox box;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindows(processId)) {
          if (IsMessageBoxClass(ClassNameOf(window)) && WindowText(window) == caption) {
            box = ReadMessageBox(window);
            return true;
          }
        }
        return false;
      },
      milliseconds);
  return box;
}

bool AnswerMessageBox(const TMessageBox& box, int button) {
  if (!box.Window) return false;
  ::PostMessageW(box.Window, WM_COMMAND, static_cast<WPARAM>(button), 0);
  return WaitUntil([&] { return !::IsWindow(box.Window); });
}

bool ShowsMessageBox(DWORD processId) {
  for (HWND window : TopLevelWindows(processId))
    if (IsMessageBoxClass(ClassNameOf(window))) return true;
  return false;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> children;
  ::EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND ChildWithText(HWND parent, const std::wstring& text) {
  for (HWND child : ChildWindows(parent))
    if (WindowText(child) == text) return child;
  return nullptr;
}

std::wstring WindowText(HWND window) {
  // WM_GETTEXT works across processes for any window class.
  const LRESULT length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied =
      ::SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(copied));
  return text;
}

TWindowFacts ReadWindowFacts(HWND window) {
  TWindowFacts facts;
  facts.Caption = WindowText(window);
  facts.ClassName = ClassNameOf(window);
  ::GetWindowRect(window, &facts.Window);
  RECT client = {};
  ::GetClientRect(window, &client);
  POINT topLeft = {0, 0};
  ::ClientToScreen(window, &topLeft);
  facts.Client = {topLeft.x, topLeft.y, topLeft.x + client.right, topLeft.y + client.bottom};
  facts.Style = ::GetWindowLongW(window, GWL_STYLE);
  facts.ExStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
  facts.Owner = ::GetWindow(window, GW_OWNER);
  facts.Visible = ::IsWindowVisible(window) != FALSE;
  facts.Layered = (facts.ExStyle & WS_EX_LAYERED) != 0;
  if (facts.Layered) {
    COLORREF key = 0;
    ::GetLayeredWindowAttributes(window, &key, &facts.Alpha, &facts.LayeredFlags);
  }
  return facts;
}

std::uint8_t WaitForTaskbarEdge() {
  ::GetDesktopWindow();
  std::uint8_t edge = 0;
  std::wstring error;
  const bool found = WaitUntil([&] {
    try {
      edge = GetTaskbarEdge();
      return true;
    } catch (const EError& e) {
      error = e.Message();
      return false;
    }
  });
  if (!found) Fail(L"no taskbar: " + error);
  return edge;
}

COLORREF ScreenPixel(POINT at) {
  const TScreenDC screen;
  return ::GetPixel(screen.Get(), at.x, at.y);
}

std::vector<COLORREF> ScreenPixels(const RECT& rect) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return {};
  const TScreenDC screen;
  const TMemoryDC memory(::CreateCompatibleDC(screen.Get()));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const TBitmap bitmap(::CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !bitmap || !bits) return {};
  {
    const TSelectObject selected(memory.Get(), bitmap.Get());
    if (!::BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY)) return {};
  }
  ::GdiFlush();
  std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const auto* quads = static_cast<const std::uint32_t*>(bits);
  for (std::size_t i = 0; i < pixels.size(); ++i)  // 0x00RRGGBB to COLORREF's 0x00BBGGRR
    pixels[i] = RGB((quads[i] >> 16) & 0xFF, (quads[i] >> 8) & 0xFF, quads[i] & 0xFF);
  return pixels;
}

void PressKey(HWND window, WORD virtualKey, wchar_t character) {
  const UINT scan = ::MapVirtualKeyW(virtualKey, 0);
  ::PostMessageW(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
  if (character) ::PostMessageW(window, WM_CHAR, character, 1 | (scan << 16));
  ::PostMessageW(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | 0xC0000000u);
}

void PressChord(const std::vector<WORD>& virtualKeys) {
  std::vector<INPUT> inputs;
  for (const WORD key : virtualKeys) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = virtualKeys.rbegin(); key != virtualKeys.rend(); ++key) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void MoveCursor(POINT screen) {
  // The pointer moves through the X server, and motion left over from an
  // earlier click may still arrive and put it back. Warp until every process
  // sees the position and it has stayed there for 150 ms, or a program
  // started next may read an old one.
  const auto at = [&screen] {
    POINT now = {0, 0};
    return ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
  };
  DWORD steadySince = 0;
  bool steady = false;
  const bool arrived = WaitUntil([&] {
    if (!at()) {
      ::SetCursorPos(screen.x, screen.y);
      steady = false;
      return false;
    }
    if (!steady) {
      steady = true;
      steadySince = ::GetTickCount();
    }
    return ::GetTickCount() - steadySince >= 150;
  });
  // Under load, late motion may keep taking the pointer away for a moment
  // after every warp; a pointer that is where it belongs at the deadline
  // will do.
  if (!arrived && !at()) {
    POINT now = {0, 0};
    ::GetCursorPos(&now);
    Fail(L"the pointer did not stay at " + std::to_wstring(screen.x) + L"," + std::to_wstring(screen.y) +
         L" but is at " + std::to_wstring(now.x) + L"," + std::to_wstring(now.y));
  }
}

void ClickAt(HWND window, POINT clientPoint, const std::vector<WORD>& held) {
  POINT screen = clientPoint;
  ::ClientToScreen(window, &screen);
  MoveCursor(screen);
  // One batch, so nothing comes between the keys and the click.
  std::vector<INPUT> inputs;
  const auto add = [&inputs](DWORD type, WORD key, DWORD flags) {
    INPUT input = {};
    input.type = type;
    if (type == INPUT_KEYBOARD) {
      input.ki.wVk = key;
      input.ki.dwFlags = flags;
    } else {
      input.mi.dwFlags = flags;
    }
    inputs.push_back(input);
  };
  for (const WORD key : held) add(INPUT_KEYBOARD, key, 0);
  add(INPUT_MOUSE, 0, MOUSEEVENTF_LEFTDOWN);
  add(INPUT_MOUSE, 0, MOUSEEVENTF_LEFTUP);
  for (auto key = held.rbegin(); key != held.rend(); ++key) add(INPUT_KEYBOARD, *key, KEYEVENTF_KEYUP);
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

namespace {

void SendButton(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(INPUT));
}

}  // namespace

void RightClickAt(HWND window, POINT clientPoint) {
  POINT screen = clientPoint;
  ::ClientToScreen(window, &screen);
  MoveCursor(screen);
  SendButton(MOUSEEVENTF_RIGHTDOWN);
  SendButton(MOUSEEVENTF_RIGHTUP);
}

void DragTo(HWND window, POINT clientPoint, POINT screenTarget) {
  POINT start = clientPoint;
  ::ClientToScreen(window, &start);
  MoveCursor(start);
  SendButton(MOUSEEVENTF_LEFTDOWN);
  Sync(window);
  // Absolute moves, as a mouse makes them: the first few of a few pixels,
  // so the drag starts near the entry, then larger ones to the target.
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  constexpr int kSteps = 12;
  for (int i = 1; i <= kSteps; ++i) {
    const int share = i <= 4 ? i : 4 + (i - 4) * 12;
    const int total = 4 + (kSteps - 4) * 12;
    const POINT at = {start.x + (screenTarget.x - start.x) * share / total,
                      start.y + (screenTarget.y - start.y) * share / total};
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // The system maps 0..65535 onto the screen rounding down; rounding up
    // here lands on the very pixel.
    input.mi.dx = (at.x * 65536 + width - 1) / width;
    input.mi.dy = (at.y * 65536 + height - 1) / height;
    ::SendInput(1, &input, sizeof(INPUT));
    Sync(window);
  }
  // The drag loop looks at the pointer on a timer too; it settles on the
  // target before the button goes up.
  WaitUntil(
      [&] {
        POINT now = {0, 0};
        return ::GetCursorPos(&now) && now.x == screenTarget.x && now.y == screenTarget.y;
      },
      2000);
  Sync(window);
  SendButton(MOUSEEVENTF_LEFTUP);
  // The release has arrived before anything else uses the pointer: a button
  // still down would turn the next test's moves into a drag.
  WaitUntil([] { return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0; }, 2000);
}

TOtherWindow::TOtherWindow() {
  window_ = ::CreateWindowExW(WS_EX_TOPMOST, L"Static", L"e2e other window", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0,
                              60, 40, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
}

TOtherWindow::~TOtherWindow() {
  if (window_) ::DestroyWindow(window_);
}

void TOtherWindow::Activate() {
  const bool active = WaitUntil([this] {
    ::SetForegroundWindow(window_);
    ::SetActiveWindow(window_);
    return ::GetForegroundWindow() == window_;
  });
  if (!active) Fail(L"the test's own window could not be activated");
}

TScratchFolder::TScratchFolder(const std::wstring& name) {
  static unsigned counter = 0;
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  root_ = std::wstring(temp) + L"heapfold-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter);
  path_ = root_ + L"\\" + name;
  ::SHCreateDirectoryExW(nullptr, path_.c_str(), nullptr);
}

TScratchFolder::~TScratchFolder() { RemoveTree(root_); }

std::wstring TScratchFolder::Add(const std::wstring& relative, const std::string& content, DWORD attributes) {
  const std::wstring path = path_ + L"\\" + relative;
  ::SHCreateDirectoryExW(nullptr, path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  THandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) Fail(L"cannot create " + path);
  DWORD written = 0;
  ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  file.Reset();
  if (attributes) ::SetFileAttributesW(path.c_str(), attributes);
  return path;
}

std::wstring TScratchFolder::AddFolder(const std::wstring& relative, DWORD attributes) {
  const std::wstring path = path_ + L"\\" + relative;
  ::SHCreateDirectoryExW(nullptr, path.c_str(), nullptr);
  if (attributes) ::SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_DIRECTORY);
  return path;
}

TInstalledCopy::TInstalledCopy() : folder_(L"install") {
  if (!::CopyFileW((DistDir() + L"Heapview0.exe").c_str(), Viewer().c_str(), FALSE) ||
      !::CopyFileW(RecorderExe().c_str(), (folder_.Path() + L"\\Heapmaker.exe").c_str(), FALSE)) {
    Fail(L"cannot lay out the product in " + folder_.Path());
  }
}

std::vector<std::wstring> TInstalledCopy::CreatorCalls() const {
  return ReadLines(folder_.Path() + L"\\Heapmaker.exe.txt");
}

std::vector<std::wstring> TInstalledCopy::SettledCreatorCalls() const {
  if (!WaitForNoProcessNamed(L"Heapmaker.exe")) Fail(L"the stand-in creator did not end");
  return CreatorCalls();
}

std::vector<std::wstring> SplitArgs(const std::wstring& commandLine) {
  int count = 0;
  const std::unique_ptr<LPWSTR, decltype(&::LocalFree)> argv(::CommandLineToArgvW(commandLine.c_str(), &count),
                                                             &::LocalFree);
  std::vector<std::wstring> args;
  for (int i = 0; argv && i < count; ++i) args.emplace_back(argv.get()[i]);
  return args;
}

}  // namespace e2e
