// The benchmarks that run the real programs under Wine, and the listing code
// as the viewer runs it there.
//
//   wine_bench DATA [start] [phases] [listing] [menu] [grid] [memory]
//                     DATA is the folder native_bench made (as a Windows
//                     path); without section names every section runs. Prints:
//   - P1: start of Heapview0.exe to its window at rest (animation off) for
//     folders of 20 and 200 entries, against the floor program (COM, one
//     shell icon, a window) and a plain create-and-show window;
//   - P2: listing and sorting through the viewer's listing code against a
//     bare FindFirstFileW loop, at 10,000 and 100,000 entries;
//   - the menu view's start for 20 entries and 5,000 files against the stack's;
//   - the phases of the viewer's start-up, from the trace it writes when asked;
//   - grids of 200 large pictures with /thumbs, with and without embedded
//     thumbnails: at rest against the 20-entry stack, and to the last picture;
//   - the viewer's peak working set for a grid of 600 pictures.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchStats.h"
#include "E2eHarness.h"
#include "core/base/StartupTrace.h"
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

// A grid at rest whose pictures are all in place: its caption has stopped
// counting them.
HWND GridComplete(DWORD processId) {
  const HWND window = ViewAtRest(processId);
  return window && WindowText(window).find(L"(Loading") == std::wstring::npos ? window : nullptr;
}

std::int64_t NowMicroseconds() {
  LARGE_INTEGER counter = {}, frequency = {};
  ::QueryPerformanceCounter(&counter);
  ::QueryPerformanceFrequency(&frequency);
  return counter.QuadPart / frequency.QuadPart * 1000000 +
         counter.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
}

std::wstring ReadTextFile(const std::wstring& path) {
  const THandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
  if (!file) return L"";
  char buffer[4096];
  DWORD read = 0;
  if (!::ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr)) return L"";
  return std::wstring(buffer, buffer + read);
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

// Runs a start with the viewer's trace on, until the trace names the last
// phase wanted, and gives each phase's length in milliseconds, measured from
// the moment before the process was made.
std::vector<TTracePhase> TracedStart(const std::wstring& arguments, const std::wstring& lastPhase) {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring trace = std::wstring(temp) + L"heapfold-bench-trace.txt";
  ::DeleteFileW(trace.c_str());
  ::SetEnvironmentVariableW(L"HEAPFOLD_TRACE", trace.c_str());
  const std::int64_t start = NowMicroseconds();
  TProcess process = TProcess::Launch(ViewerExe(), arguments);
  ::SetEnvironmentVariableW(L"HEAPFOLD_TRACE", nullptr);
  std::vector<TTraceMark> marks;
  if (!PollUntil([&] {
        marks = ParseStartupTrace(ReadTextFile(trace));
        return !marks.empty() && marks.back().Phase == lastPhase;
      }))
    throw std::runtime_error("no trace from Heapview0.exe " + Narrow(arguments));
  HWND window = ViewAtRest(process.Id());
  if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (!process.WaitForExit(kDeadline)) throw std::runtime_error("the traced viewer did not end");
  ::DeleteFileW(trace.c_str());
  return TracePhases(start, marks);
}

// The phases of a start, each the median of runs, in milliseconds and as a
// share of start-up to the first paint; what comes after it is listed apart.
void PhaseFigures(const char* what, const std::wstring& arguments, int runs) {
  std::vector<std::wstring> names;
  std::vector<std::vector<double>> times;
  for (int run = 0; run < runs; ++run) {
    const std::vector<TTracePhase> phases = TracedStart(arguments, L"jump list (after the first paint)");
    for (std::size_t i = 0; i < phases.size(); ++i) {
      if (i == names.size()) {
        names.push_back(phases[i].Phase);
        times.emplace_back();
      }
      if (names[i] == phases[i].Phase) times[i].push_back(phases[i].Microseconds / 1000.0);
    }
  }
  double whole = 0;
  std::vector<double> medians;
  for (std::size_t i = 0; i < names.size(); ++i) {
    medians.push_back(Median(times[i]));
    if (names[i].find(L"after") == std::wstring::npos) whole += medians[i];
  }
  std::printf("  %s: start to first paint %.1f ms (medians of %d traced runs)\n", what, whole, runs);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const bool after = names[i].find(L"after") != std::wstring::npos;
    if (after)
      std::printf("    %-44s %8.1f ms\n", Narrow(names[i]).c_str(), medians[i]);
    else
      std::printf("    %-44s %8.1f ms %5.1f %%\n", Narrow(names[i]).c_str(), medians[i],
                  whole > 0 ? 100 * medians[i] / whole : 0.0);
  }
  std::fflush(stdout);
}

// The start-up cases' folders: 20 entries (a stack) and 200 (a grid), a tenth
// of them folders.
struct TStartFolders {
  TScratchFolder Small{L"Twenty"};
  TScratchFolder Large{L"Two Hundred"};
  TStartFolders() {
    Fill(Small, 4, 16);
    Fill(Large, 20, 180);
  }
  static void Fill(TScratchFolder& folder, int folders, int files) {
    for (int i = 0; i < folders; ++i) folder.AddFolder(L"Folder " + std::to_wstring(i));
    for (int i = 0; i < files; ++i) folder.Add(L"Document " + std::to_wstring(i) + L".txt");
  }
};

void StartFigures() {
  Heading("P1 under Wine: start to window at rest, animation off (median of 15)");
  const TStartFolders folders;
  const TScratchFolder& small = folders.Small;
  const TScratchFolder& large = folders.Large;

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

void PhasesFigures() {
  Heading("Where the viewer's start-up goes: its trace's phases (animation off)");
  const TStartFolders folders;
  const TScratchFolder& small = folders.Small;
  const TScratchFolder& large = folders.Large;
  PhaseFigures("20 entries (stack)", Quoted(small.Path()), 9);
  PhaseFigures("200 entries (grid)", Quoted(large.Path()), 9);
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
  const TStartFolders folders;
  const TScratchFolder& small = folders.Small;
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

// Starts of the grid of a folder of pictures with two workers: to the grid
// at rest with all its tiles, and to its last picture in place.
struct TGridStart {
  double AtRest = 0, LastPicture = 0;
};
TGridStart TimeGrid(const std::wstring& folder) {
  const double start = NowMs();
  TProcess process = TProcess::Launch(ViewerExe(), Quoted(folder) + L" /grid /thumbs");
  TGridStart result;
  HWND window = nullptr;
  if (!PollUntil([&] { return (window = ViewAtRest(process.Id())) != nullptr; }))
    throw std::runtime_error("no grid of " + Narrow(folder));
  result.AtRest = NowMs() - start;
  if (!PollUntil([&] { return GridComplete(process.Id()) != nullptr; }))
    throw std::runtime_error("the pictures of " + Narrow(folder) + " never all came");
  result.LastPicture = NowMs() - start;
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (!process.WaitForExit(kDeadline)) throw std::runtime_error("the grid did not end");
  return result;
}

void GridFigures(const std::wstring& data, TPreferences& preferences) {
  Heading("Grids of 200 large pictures with /thumbs under Wine, two workers (median of 9)");
  const TStartFolders folders;
  const TScratchFolder& small = folders.Small;
  preferences.SetTestingDword(L"ThumbnailWorkers", 2);
  std::vector<double> stack, plainRest, plainLast, exifRest, exifLast;
  for (int run = -1; run < 9; ++run) {  // the first round warms the file cache
    const double stackMs = TimeStart(ViewerExe(), Quoted(small.Path()), ViewAtRest).Ms;
    const TGridStart plain = TimeGrid(data + L"\\grid200");
    const TGridStart exif = TimeGrid(data + L"\\grid200exif");
    if (run < 0) continue;
    stack.push_back(stackMs);
    plainRest.push_back(plain.AtRest);
    plainLast.push_back(plain.LastPicture);
    exifRest.push_back(exif.AtRest);
    exifLast.push_back(exif.LastPicture);
  }
  const double stackMs = Median(stack);
  Figure("stack of 20 entries: at rest", stackMs, "ms");
  Figure("200 pictures: grid at rest, every tile in place", Median(plainRest), "ms");
  Figure("200 pictures: last picture in place", Median(plainLast), "ms");
  Figure("200 pictures with embedded thumbnails: grid at rest", Median(exifRest), "ms");
  Figure("200 pictures with embedded thumbnails: last picture in place", Median(exifLast), "ms");
  Ratio("grid of 200 pictures at rest / stack of 20 at rest", Median(plainRest) / stackMs, 1.5);
  Ratio("last picture: embedded thumbnails / whole pictures", Median(exifLast) / Median(plainLast), 0.5);
}

void MemoryFigures(const std::wstring& data, TPreferences& preferences) {
  Heading("Grid of 600 large pictures with /thumbs under Wine: the viewer's peak working set");
  preferences.SetTestingDword(L"ThumbnailWorkers", 0);
  SIZE_T peak = 0;
  // Read once the last picture is in place: the pictures come after the
  // grid is at rest.
  for (int run = 0; run < 3; ++run)
    peak = std::max(
        peak, TimeStart(ViewerExe(), Quoted(data + L"\\grid600") + L" /grid /thumbs", GridComplete).PeakWorkingSet);
  Figure("peak working set, 600 tiles (largest of 3 runs)", peak / 1048576.0, "MB");
  Ratio("peak working set / 40 MB", peak / (40.0 * 1048576.0), 1.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wine_bench DATA-FOLDER [start] [phases] [listing] [menu] [grid] [memory]\n");
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
    if (wanted(L"phases")) PhasesFigures();
    if (wanted(L"listing")) WineListingFigures(argv[1]);
    if (wanted(L"menu")) MenuFigures(argv[1]);
    if (wanted(L"grid")) GridFigures(argv[1], preferences);
    if (wanted(L"memory")) MemoryFigures(argv[1], preferences);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wine_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
