// The viewer's command line: tokenising and grammar. The creator composes its
// shortcuts' arguments to match this grammar.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Splits a raw command line (as GetCommandLineW gives it, program first) into
// arguments. Characters up to and including the space separate arguments; a
// double quote opens a run ending at the next double quote, spaces inside it
// belong to the argument and the quotes are dropped; a backslash is ordinary;
// a pair of double quotes at the start of an argument is skipped, so an empty
// quoted argument is not counted. Element 0 is the program as written.
std::vector<std::wstring> TokenizeCommandLine(const std::wstring& commandLine);

enum class TViewKind : std::uint8_t { Help = 0, Stack = 1, Grid = 2, Menu = 3 };

struct TViewerOptions {
  bool ShowExplore = true;
  bool BrowseFolders = true;
  bool HideExtensions = false;
  bool ShowThumbnails = false;
  bool Clear = false;  // "/clear": no window border
};

struct TViewerCommand {
  // Set when argument 1 is a creator command: the parameter string to start
  // Heapmaker.exe with (possibly empty, for "/create").
  std::optional<std::wstring> CreatorParameters;
  std::wstring StackFolder;  // argument 1 without one trailing backslash
  TViewKind ViewKind = TViewKind::Help;
  TViewerOptions Options;
};

// args are the arguments after the program (element 0 is argument 1).
TViewerCommand ParseViewerCommand(const std::vector<std::wstring>& args);
