// The benchmarks that run the real programs under Wine, and the listing code
// as the viewer runs it there.
//
//   wine_bench DATA [start] [listing] [menu] [grid]
//                     DATA is the folder native_bench made (as a Windows
//                     path); without section names every section runs. Prints:
//   - P1: start of Heapview0.exe to its window at rest (animation off) for
//     folders of 20 and 200 entries, against the floor program (COM, one
//     shell icon, a window) and a plain create-and-show window;
//   - P2: listing and sorting through the viewer's listing code against a
//     bare FindFirstFileW loop, at 10,000 and 100,000 entries;
//   - the menu view's start for 20 entries and 5,000 files against the stack's;
//   - the grid of 200 large pictures with /thumbs, two workers against one;
//   - the viewer's peak working set for a grid of 600 pictures.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchStats.h"
#include "E2eHarness.h"
#include "core/viewer/StackEntries.h"
#include "shared/ExtraWinUtils.h"

using namespace bench;
using namespace e2e;

namespace {

constexpr int kRuns = 15;
constexpr DWORD kDeadline = 120000;

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

// Polls every millisecond or so: the figures are start-up times of a few
// hundred milliseconds, which the harness's coarser polling would blur.
bool PollUntil(const std::function<bool()>& condition) {
  const DWORD start = ::GetTickCount();
  while (!condition()) {
    if (::GetTickCount() - start > kDeadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return true;
}

HWND ShownWindow(DWORD processId) {
  const std::vector<HWND> windows = TopLevelWindows(processId);
  return windows.empty() ? nullptr : windows.front();
}

// A view at rest: shown, opaque and with its entries' toolbar visible.
HWND ViewAtRest(DWORD processId) {
  for (HWND window : TopLevelWindows(processId))
    if (IsViewAtRest(window)) return window;
  return nullptr;
}

struct TStart {
  double Ms = 0;
  SIZE_T PeakWorkingSet = 0;
};

// Starts a program, waits until ready gives its window, notes the time and
// the peak working set so far, and closes it again.
TStart TimeStart(const std::wstring& exe, const std::wstring& arguments, HWND (*ready)(DWORD)) {
  const double start = NowMs();
  TProcess process = TProcess::Launch(exe, arguments);
  HWND window = nullptr;
  if (!PollUntil([&] { return (window = ready(process.Id())) != nullptr; }))
    throw std::runtime_error("no window from " + Narrow(exe) + " " + Narrow(arguments));
  TStart result;
  result.Ms = NowMs() - start;
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof(counters);
  if (::GetProcessMemoryInfo(process.Handle(), &counters, sizeof(counters)))
    result.PeakWorkingSet = counters.PeakWorkingSetSize;
  // A popup menu closes on Esc, which ends the menu view; windows on WM_CLOSE.
  if (ClassNameOf(window) == L"#32768")
    PressKey(window, VK_ESCAPE, 27);
  else
    ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (!process.WaitForExit(kDeadline)) throw std::runtime_error("did not end: " + Narrow(exe));
  return result;
}

// Interleaved runs of several starts, so a slow phase of the machine weighs
// on all of them alike; the median of each.
struct TStartCase {
  std::wstring Exe, Arguments;
  HWND (*Ready)(DWORD);
  std::vector<double> Times;
  SIZE_T PeakWorkingSet = 0;
};
void RunInterleaved(std::vector<TStartCase>& cases, int runs) {
  for (TStartCase& c : cases) TimeStart(c.Exe, c.Arguments, c.Ready);  // warm the file cache
  for (int run = 0; run < runs; ++run) {
    for (TStartCase& c : cases) {
      const TStart s = TimeStart(c.Exe, c.Arguments, c.Ready);
      c.Times.push_back(s.Ms);
      c.PeakWorkingSet = std::max(c.PeakWorkingSet, s.PeakWorkingSet);
    }
  }
}

// The menu view's popup menu on screen.
HWND MenuShown(DWORD processId) {
  const std::vector<HWND> menus = MenuWindows(processId);
  return menus.empty() ? nullptr : menus.front();
}

std::wstring FloorExe() { return HostPath(HEAPFOLD_FLOOR_HOST); }
std::wstring ViewerExe() { return DistDir() + L"Heapview0.exe"; }

void StartFigures() {
  Heading("P1 under Wine: start to window at rest, animation off (median of 15)");
  TScratchFolder small(L"Twenty");
  for (int i = 0; i < 4; ++i) small.AddFolder(L"Folder " + std::to_wstring(i));
  for (int i = 0; i < 16; ++i) small.Add(L"Document " + std::to_wstring(i) + L".txt");
  TScratchFolder large(L"Two Hundred");
  for (int i = 0; i < 20; ++i) large.AddFolder(L"Folder " + std::to_wstring(i));
  for (int i = 0; i < 180; ++i) large.Add(L"Document " + std::to_wstring(i) + L".txt");

  std::vector<TStartCase> cases = {
      {FloorExe(), L"/plain", ShownWindow, {}},
      {FloorExe(), L"", ShownWindow, {}},
      {ViewerExe(), Quoted(small.Path()), ViewAtRest, {}},
      {ViewerExe(), Quoted(large.Path()), ViewAtRest, {}},
  };
  RunInterleaved(cases, kRuns);
  const double plain = Median(cases[0].Times), floor = Median(cases[1].Times);
  const double twenty = Median(cases[2].Times), twoHundred = Median(cases[3].Times);
  Figure("plain window: create and show", plain, "ms");
  Figure("floor: COM, one shell icon, a window", floor, "ms");
  Figure("Heapview0.exe, 20 entries (stack)", twenty, "ms");
  Figure("Heapview0.exe, 200 entries (too tall for a stack: grid)", twoHundred, "ms");
  Ratio("viewer / floor, 20 entries", twenty / floor, 1.3);
  Ratio("viewer / floor, 200 entries", twoHundred / floor, 2.0);
  Figure("viewer / plain window, 20 entries", twenty / plain, "x");
  Figure("peak working set: floor", cases[1].PeakWorkingSet / 1048576.0, "MB");
  Figure("peak working set: viewer, 20 entries", cases[2].PeakWorkingSet / 1048576.0, "MB");
}

std::size_t BareFindLoop(const std::wstring& folder) {
  std::size_t count = 0;
  WIN32_FIND_DATAW data;
  const TFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find) return 0;
  do ++count;
  while (::FindNextFileW(find.Get(), &data));
  return count;
}

void WineListingFigures(const std::wstring& data) {
  Heading("P2 under Wine: listing and sorting a folder (viewer's listing code vs a bare FindFirstFileW loop)");
  const auto folder = [&](int files) { return data + L"\\list" + std::to_wstring(files); };
  ListingFigures(
      "bare FindFirstFileW loop", kRuns, [&](int files) { return BareFindLoop(folder(files)); },
      [&](int files) {
        TFindFileSource source;
        TFolderListing listing = ListFolderEntries(source, folder(files));
        SortListing(listing, &SortKeyIgnoringCase);
        return listing.Files.size();
      });
}

void MenuFigures(const std::wstring& data) {
  Heading("The menu view under Wine: start to the menu on screen, against the stack's start (median of 15)");
  TScratchFolder small(L"Twenty");
  for (int i = 0; i < 4; ++i) small.AddFolder(L"Folder " + std::to_wstring(i));
  for (int i = 0; i < 16; ++i) small.Add(L"Document " + std::to_wstring(i) + L".txt");
  // 5,000 of the 10,000 empty files: a folder of their own, made once.
  const std::wstring large = data + L"\\menu5000";
  if (::GetFileAttributesW(large.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ::CreateDirectoryW(large.c_str(), nullptr);
    for (int i = 0; i < 5000; ++i) {
      const THandle file(::CreateFileW((large + L"\\file" + std::to_wstring(i) + L".txt").c_str(), GENERIC_WRITE, 0,
                                       nullptr, CREATE_NEW, 0, nullptr));
    }
  }
  std::vector<TStartCase> cases = {
      {ViewerExe(), Quoted(small.Path()), ViewAtRest, {}},
      {ViewerExe(), Quoted(small.Path()) + L" /menu", MenuShown, {}},
      {ViewerExe(), Quoted(large) + L" /menu", MenuShown, {}},
  };
  RunInterleaved(cases, kRuns);
  const double stack = Median(cases[0].Times), menu = Median(cases[1].Times), big = Median(cases[2].Times);
  Figure("stack, 20 entries", stack, "ms");
  Figure("menu, 20 entries", menu, "ms");
  Figure("menu, 5,000 files", big, "ms");
  Ratio("menu / stack, 20 entries", menu / stack, 1.0);
  Ratio("menu of 5,000 files / menu of 20 entries", big / menu, 3.0);
}

void GridFigures(const std::wstring& data, TPreferences& preferences) {
  Heading("Grid of 200 large pictures with /thumbs under Wine: start to window at rest (median of 9)");
  const std::wstring arguments = Quoted(data + L"\\grid200") + L" /grid /thumbs";
  std::vector<double> times[2];
  for (int run = -1; run < 9; ++run) {  // the first round warms the file cache
    for (int workers = 1; workers <= 2; ++workers) {
      preferences.SetTestingDword(L"ThumbnailWorkers", static_cast<DWORD>(workers));
      const double ms = TimeStart(ViewerExe(), arguments, ViewAtRest).Ms;
      if (run >= 0) times[workers - 1].push_back(ms);
    }
  }
  const double one = Median(times[0]), two = Median(times[1]);
  Figure("one worker", one, "ms");
  Figure("two workers", two, "ms");
  Ratio("two workers / one worker", two / one, 0.65);

  Heading("Grid of 600 large pictures with /thumbs under Wine: the viewer's peak working set");
  preferences.SetTestingDword(L"ThumbnailWorkers", 0);
  SIZE_T peak = 0;
  for (int run = 0; run < 3; ++run)
    peak = std::max(peak,
                    TimeStart(ViewerExe(), Quoted(data + L"\\grid600") + L" /grid /thumbs", ViewAtRest).PeakWorkingSet);
  Figure("peak working set, 600 tiles (largest of 3 runs)", peak / 1048576.0, "MB");
  Ratio("peak working set / 40 MB", peak / (40.0 * 1048576.0), 1.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wine_bench DATA-FOLDER [start] [listing] [menu] [grid]\n");
    return 2;
  }
  const auto wanted = [&](const wchar_t* section) {
    if (argc == 2) return true;
    for (int i = 2; i < argc; ++i)
      if (std::wstring(argv[i]) == section) return true;
    return false;
  };
  try {
    TPreferences preferences;
    preferences.SetDword(L"DoAnim", 0);
    if (wanted(L"start")) StartFigures();
    if (wanted(L"listing")) WineListingFigures(argv[1]);
    if (wanted(L"menu")) MenuFigures(argv[1]);
    if (wanted(L"grid")) GridFigures(argv[1], preferences);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wine_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
