// Drives the real programs from outside, as a user would see them: start one
// with a raw command line, wait for its window, read the window's facts, send
// keys and clicks, wait for the process to end. Also: scratch folders, the
// installed product laid out beside a recorder, preferences in the registry.
//
// Nothing here sleeps for a fixed time: every wait is for a condition, with a
// deadline, and the caller learns whether the condition came true.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../common/ComClassScope.h"
#include "../common/TestFiles.h"
#include "../common/WaitUntil.h"
#include "shared/ScopedWin.h"

namespace e2e {

// How long a test waits for a program to show or do something. Waits go
// through WaitUntil (tests/common/WaitUntil.h).
constexpr DWORD kTimeout = kWaitTimeout;

// The primary monitor's work area (Wine has one monitor).
RECT PrimaryWorkArea();

// Windows path of a file or folder of the host build tree (Wine's Z: drive).
std::wstring HostPath(const char* unixPath);
std::wstring DistDir();  // the installed product, with a trailing backslash
std::wstring RecorderExe();
std::wstring DropTargetExe();  // a window that logs the files dropped on it
std::wstring DwmStandInDll();

class TProcess {
public:
  // Starts exe with "\"exe\" " + rawArguments as its command line.
  static TProcess Launch(const std::wstring& exe, const std::wstring& rawArguments);
  TProcess(TProcess&&) = default;
  ~TProcess();  // ends the process if the test left it running

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_.Get(); }
  bool WaitForExit(DWORD milliseconds = kTimeout);
  bool Running();
  DWORD ExitCode();

private:
  TProcess() = default;
  THandle process_;
  DWORD id_ = 0;
};

// Waits until no process runs whose program file has this name (letter case
// ignored): a program that a viewer or the shell started has had its say.
bool WaitForNoProcessNamed(const std::wstring& exeName, DWORD milliseconds = kTimeout);

// The visible top-level windows of a process, in z-order.
std::vector<HWND> TopLevelWindows(DWORD processId);
// Waits for a visible top-level window of the process; with a caption given,
// one with exactly that caption. nullptr on time-out.
HWND WaitForWindow(DWORD processId, DWORD milliseconds = kTimeout, const std::wstring& caption = L"");
// Whether a stack or grid window shows its entries (a visible toolbar
// child), and whether it is at rest: visible, fully opaque, entries shown.
bool EntriesShown(HWND window);
bool IsViewAtRest(HWND window);
// The threads a process has now; -1 when the system does not say.
int ThreadsOf(DWORD processId);
// Waits until a stack or grid window has come to rest.
bool WaitForViewAtRest(HWND window, DWORD milliseconds = kTimeout);
// The popup menu windows of a process, the first opened first.
std::vector<HWND> MenuWindows(DWORD processId);
// Waits for a popup menu of the process; the first opened when there are
// several, nullptr on time-out.
HWND WaitForMenu(DWORD processId, DWORD milliseconds = kTimeout);
// Waits for a system dialog (class #32770: the shell's pickers and property
// sheets) of the process whose caption holds captionPart; the last in z-order
// when there are several, nullptr on time-out.
HWND WaitForSystemDialog(DWORD processId, const std::wstring& captionPart = L"", DWORD milliseconds = kTimeout);
// A path in double quotes, as a command line's argument.
std::wstring Quoted(const std::wstring& path);
// Waits until window's thread has handled everything sent or posted to the
// window so far: the handler of a click or key has returned, unless it is
// inside a message box.
bool Sync(HWND window);

// A message box of a process (the system's, or the creator's own): its
// window, its caption and its text.
struct TMessageBox {
  HWND Window = nullptr;
  std::wstring Caption;
  std::wstring Text;
};
// The message box the process shows with exactly this caption; an empty box
// (Window null) on time-out.
TMessageBox WaitForMessageBox(DWORD processId, const std::wstring& caption, DWORD milliseconds = kTimeout);
// Presses a button of the box and waits until the box has gone.
bool AnswerMessageBox(const TMessageBox& box, int button);
// True while the process shows any message box.
bool ShowsMessageBox(DWORD processId);

struct TWindowFacts {
  std::wstring Caption;
  std::wstring ClassName;
  RECT Window = {};
  RECT Client = {};  // in screen coordinates
  LONG Style = 0;
  LONG ExStyle = 0;
  HWND Owner = nullptr;
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
std::wstring ClassNameOf(HWND window);
// A control's rectangle in its top-level window's client area.
RECT RectInClient(HWND form, HWND control);
// ASCII text of a wide string, for test messages.
std::string Narrow(const std::wstring& text);
// A child of parent (at any depth) with exactly this text.
HWND ChildWithText(HWND parent, const std::wstring& text);

// The taskbar's edge as the viewer sees it. Wine starts its taskbar with the
// desktop window, so this asks for the desktop first and waits for the taskbar.
std::uint8_t WaitForTaskbarEdge();

// The colour of a screen pixel.
COLORREF ScreenPixel(POINT at);
// The colours of a screen rectangle's pixels, row by row (empty when the
// screen cannot be read).
std::vector<COLORREF> ScreenPixels(const RECT& rect);

// Keys, the pointer and clicks. MoveCursor raises when the pointer does not
// come to rest where it was sent.
void MoveCursor(POINT screen);
void PressKey(HWND window, WORD virtualKey, wchar_t character);
// Presses keys together through the system's input, as a user does (the
// foreground window gets them, and their state is seen as held): down in
// order, then up in reverse.
void PressChord(const std::vector<WORD>& virtualKeys);
// A left click, with the keys held around it (as a user holds Ctrl+Shift).
void ClickAt(HWND window, POINT clientPoint, const std::vector<WORD>& held = {});
void RightClickAt(HWND window, POINT clientPoint);
// Presses the left button at a point of the window's client area, moves the
// pointer in steps to a screen point and lets the button go there, as a user
// drags; each step waits until the window has handled it.
void DragTo(HWND window, POINT clientPoint, POINT screenTarget);
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
  // The calls once every stand-in creator started so far has ended.
  std::vector<std::wstring> SettledCreatorCalls() const;

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
  // A stored value as a DWORD; -1 when there is none (or of another type).
  long long Dword(const wchar_t* name) const;
  // Any value as its type and bytes; REG_NONE and nothing when there is none.
  void SetRaw(const wchar_t* name, DWORD type, const std::string& data);
  std::pair<DWORD, std::string> Raw(const wchar_t* name) const;
  void Delete(const wchar_t* name);
  // A value under the product's test-only key, which users never have.
  void SetTestingDword(const wchar_t* name, DWORD value);
};

// The recorder registered as the shell's "open" for files of the type
// ".hfrec", for folders and for http and https addresses, for the scope:
// what a program hands to the shell ends up in Opened().
class TRecordingHandler {
public:
  static constexpr const wchar_t* kExtension = L".hfrec";
  TRecordingHandler();
  ~TRecordingHandler();
  // The paths the shell opened, in order.
  std::vector<std::wstring> Opened() const;
  // The paths run with the type's "runas" verb, in order.
  std::vector<std::wstring> RanAsAdministrator() const;
  // Waits until at least count paths were opened.
  std::vector<std::wstring> WaitForOpened(size_t count, DWORD milliseconds = kTimeout) const;
  // The paths opened once every recorder started so far has ended.
  std::vector<std::wstring> SettledOpened() const;

private:
  std::vector<std::wstring> Recorded(bool runAs) const;
  TScratchFolder folder_;
  std::wstring opener_;
  std::wstring oldFolderCommand_;
  std::vector<std::wstring> oldWebCommands_;
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

// A DWORD value under HKEY_CURRENT_USER for the scope; the old value (or
// its absence) comes back at its end. The test script puts the whole
// registry back before every run, should a run be cut short.
class TUserDword {
public:
  TUserDword(std::wstring key, std::wstring name, DWORD value);
  ~TUserDword();
  TUserDword(const TUserDword&) = delete;
  TUserDword& operator=(const TUserDword&) = delete;
  void Set(DWORD value);

private:
  std::wstring key_, name_;
  bool existed_ = false;
  DWORD old_ = 0;
};

// The system's colours for the scope (SetSysColors, which tells every
// window); the old ones come back at its end.
class TSystemColors {
public:
  TSystemColors(std::vector<int> indexes, std::vector<COLORREF> colors);
  ~TSystemColors();
  TSystemColors(const TSystemColors&) = delete;
  TSystemColors& operator=(const TSystemColors&) = delete;

private:
  std::vector<int> indexes_;
  std::vector<COLORREF> old_;
};

// An environment variable of the test, and so of the programs it starts,
// for the scope.
class TEnvironmentVariable {
public:
  TEnvironmentVariable(std::wstring name, const std::wstring& value);
  ~TEnvironmentVariable();
  TEnvironmentVariable(const TEnvironmentVariable&) = delete;
  TEnvironmentVariable& operator=(const TEnvironmentVariable&) = delete;

private:
  std::wstring name_;
};

// The screen's DPI Wine gives programs started in the scope: Wine reads
// HKCU\Control Panel\Desktop\LogPixels as each program starts.
class TLogPixels : public TUserDword {
public:
  explicit TLogPixels(DWORD dpi) : TUserDword(L"Control Panel\\Desktop", L"LogPixels", dpi) {}
};

// A stand-in dwmapi.dll beside the installed viewer: it reports composition
// on and records the glass margins and the window attributes it is given.
class TDwmStandIn {
public:
  explicit TDwmStandIn(const TInstalledCopy& install) : TDwmStandIn(install.Folder()) {}
  explicit TDwmStandIn(const std::wstring& programFolder);
  ~TDwmStandIn();
  // One "left right top bottom" line per glass call, in MARGINS field order
  // (cxLeftWidth cxRightWidth cyTopHeight cyBottomHeight), and one
  // "attribute number value" line per window attribute.
  std::vector<std::wstring> Calls() const;
  // The calls for one window.
  std::vector<std::wstring> CallsOn(HWND window) const;

private:
  std::vector<std::wstring> CallsOf(const std::wstring& window) const;
  std::wstring dll_;
  std::wstring log_;
};

// The test's stand-ins for the shell's destination list and shell link,
// registered machine-wide in the prefix (where Wine reads COM classes) for
// the scope; the old registrations come back at its end. What a program
// commits to its jump list ends up in Records().
class TJumpListStandIn {
public:
  TJumpListStandIn();
  ~TJumpListStandIn();
  // "task|title|arguments|path|icon file|icon index" per task, "known|n" per
  // shell category, "commit" at the end of each commit.
  std::vector<std::wstring> Records() const;
  void Clear();

private:
  std::wstring log_;
  std::vector<std::unique_ptr<TComClassScope>> classes_;
};

// The test's stand-in for the shell's thumbnail cache (Wine has none),
// registered like the jump list's for the scope. It answers by the file's
// name (see tests/e2e/thumbcache): "cached" a blue picture from its cache,
// "shellonly" a green one only when it may extract, anything else nothing.
class TThumbnailCacheStandIn {
public:
  TThumbnailCacheStandIn();
  ~TThumbnailCacheStandIn();
  // "<file name>|<size asked for>|cache" or "...|extract", one per call.
  std::vector<std::wstring> Calls() const;
  void Clear();

private:
  std::wstring log_;
  std::unique_ptr<TComClassScope> class_;
};

// CommandLineToArgvW of a command line.
std::vector<std::wstring> SplitArgs(const std::wstring& commandLine);

}  // namespace e2e
