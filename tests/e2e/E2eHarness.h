// Drives the real programs from outside, as a user would see them: start one
// with a raw command line, wait for its window, read the window's facts, send
// keys and clicks, wait for the process to end. Also: scratch folders, the
// installed product laid out beside a recorder, preferences in the registry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shared/ScopedWin.h"

namespace e2e {

// How long a test waits for a program to show or do something.
constexpr DWORD kTimeout = 15000;

// The primary monitor's work area (Wine has one monitor).
RECT PrimaryWorkArea();

// Windows path of a file or folder of the host build tree (Wine's Z: drive).
std::wstring HostPath(const char* unixPath);
std::wstring DistDir();        // the installed product, with a trailing backslash
std::wstring RecorderExe();
std::wstring DwmStandInDll();

class TProcess {
public:
  // Starts exe with "\"exe\" " + rawArguments as its command line.
  static TProcess Launch(const std::wstring& exe, const std::wstring& rawArguments);
  TProcess(TProcess&&) = default;
  ~TProcess();  // ends the process if the test left it running

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.Get(); }
  bool WaitForExit(DWORD milliseconds);
  bool Running();
  DWORD ExitCode();

private:
  TProcess() = default;
  THandle process_;
  DWORD id_ = 0;
};

// The visible top-level windows of a process, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId);
// Waits for a visible top-level window of the process; with a caption given,
// one with exactly that caption. nullptr on time-out.
HWND WaitForWindow(DWORD processId, DWORD milliseconds, const std::wstring& caption = L"");
// The message box of a process: its window and its text.
struct TMessageBox {
  HWND Window = nullptr;
  std::wstring Caption;
  std::wstring Text;
};
TMessageBox WaitForMessageBox(DWORD processId, DWORD milliseconds);

struct TWindowFacts {
  std::wstring Caption;
  std::wstring ClassName;
  RECT Window = {};
  RECT Client = {};  // in screen coordinates
  LONG Style = 0;
  LONG ExStyle = 0;
  bool Visible = false;
  bool Layered = false;
  BYTE Alpha = 255;  // when layered with LWA_ALPHA
  DWORD LayeredFlags = 0;
  int ClientWidth() const { return Client.right - Client.left; }
  int ClientHeight() const { return Client.bottom - Client.top; }
  int Width() const { return Window.right - Window.left; }
  int Height() const { return Window.bottom - Window.top; }
};
TWindowFacts ReadWindowFacts(HWND window);
std::vector<HWND> ChildWindows(HWND parent);
std::wstring WindowText(HWND window);

// The taskbar's edge as the viewer sees it. Wine starts its taskbar with the
// desktop window, so this asks for the desktop first and waits for the taskbar.
std::uint8_t WaitForTaskbarEdge();

// Keys, the pointer and clicks.
void MoveCursor(POINT screen);
void PressKey(HWND window, WORD virtualKey, wchar_t character);
void ClickAt(HWND window, POINT clientPoint);
// Activates a window of the test's own, so the program's window loses activation.
class TOtherWindow {
public:
  TOtherWindow();
  ~TOtherWindow();
  void Activate();

private:
  HWND window_ = nullptr;
};

// A scratch folder under the prefix's temporary folder, removed with its
// contents at the end of the scope.
class TScratchFolder {
public:
  explicit TScratchFolder(const std::wstring& name);
  ~TScratchFolder();
  const std::wstring& Path() const { return path_; }  // no trailing backslash
  std::wstring Add(const std::wstring& relative, const std::string& content = "x", DWORD attributes = 0);
  std::wstring AddFolder(const std::wstring& relative, DWORD attributes = 0);

private:
  std::wstring root_;  // unique per scratch folder, removed whole
  std::wstring path_;
};

// The product copied into a scratch folder with the recorder standing in as
// Heapmaker.exe, so tests see what the viewer hands on.
class TInstalledCopy {
public:
  TInstalledCopy();
  const std::wstring& Folder() const { return folder_.Path(); }
  std::wstring Viewer() const { return folder_.Path() + L"\\Heapview0.exe"; }
  // Command lines the stand-in creator was started with (program path first).
  std::vector<std::wstring> CreatorCalls() const;

private:
  TScratchFolder folder_;
};

// The product's preferences in the prefix's registry; the key is removed when
// the scope ends, so every test starts from the defaults.
class TPreferences {
public:
  TPreferences();
  ~TPreferences();
  void SetDword(const wchar_t* name, DWORD value);
  void SetString(const wchar_t* name, const std::wstring& value);
};

// The recorder registered as the shell's "open" for files of the type
// ".hfrec" and for folders, for the scope: what the viewer hands to the
// shell ends up in Opened().
class TRecordingHandler {
public:
  static constexpr const wchar_t* kExtension = L".hfrec";
  TRecordingHandler();
  ~TRecordingHandler();
  // The paths the shell opened, in order.
  std::vector<std::wstring> Opened() const;
  // Waits until at least count paths were opened.
  std::vector<std::wstring> WaitForOpened(size_t count, DWORD milliseconds) const;

private:
  TScratchFolder folder_;
  std::wstring opener_;
  std::wstring oldFolderCommand_;
};

// The Windows version Wine reports to programs started in the scope
// ("winxp", "win7", ...); empty leaves Wine's default.
class TWineVersion {
public:
  explicit TWineVersion(const std::wstring& version);
  ~TWineVersion();

private:
  bool set_ = false;
};

// A stand-in dwmapi.dll beside the installed viewer: it reports composition
// on and records the glass margins it is given.
class TDwmStandIn {
public:
  explicit TDwmStandIn(const TInstalledCopy& install);
  ~TDwmStandIn();
  // One "left right top bottom" line per call, in MARGINS field order
  // (cxLeftWidth cxRightWidth cyTopHeight cyBottomHeight).
  std::vector<std::wstring> Calls() const;

private:
  std::wstring dll_;
  std::wstring log_;
};

// Reads a UTF-8 text file.
std::wstring ReadTextFile(const std::wstring& path);
// CommandLineToArgvW of a command line.
std::vector<std::wstring> SplitArgs(const std::wstring& commandLine);

}  // namespace e2e
