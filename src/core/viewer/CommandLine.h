// The viewer's command line: tokenising and grammar. The creator composes its
// shortcuts' arguments to match this grammar.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/viewer/DisplayOptions.h"

// Splits a raw command line (as GetCommandLineW gives it, program first) into
// arguments. Characters up to and including the space separate arguments; a
// double quote opens a run ending at the next double quote, spaces inside it
// belong to the argument and the quotes are dropped; a backslash is ordinary;
// a pair of double quotes at the start of an argument is skipped, so an empty
// quoted argument is not counted. Element 0 is the program as written.
std::vector<std::wstring> TokenizeCommandLine(const std::wstring& commandLine);

enum class TViewKind : std::uint8_t { Help = 0, Stack = 1, Grid = 2, Menu = 3 };

struct TViewerCommand {
  // Set when argument 1 is a creator command: the parameter string to start
  // Heapmaker.exe with (possibly empty, for "/create").
  std::optional<std::wstring> CreatorParameters;
  std::wstring StackFolder;  // argument 1 without its trailing backslashes
  TViewKind ViewKind = TViewKind::Help;
  TDisplayOptions Options;
  // A switch the viewer cannot follow: what it tells the user before ending.
  std::optional<std::wstring> Error;
};

// args are the arguments after the program (element 0 is argument 1).
TViewerCommand ParseViewerCommand(const std::vector<std::wstring>& args);

// "/sort:" and its value ("/sort:kind"): the switch of an order, empty for
// the default order of names, which shortcuts need not carry; and the order
// a value names (any letter case), nothing for an unknown one.
std::wstring SortSwitch(TSortOrder order);
std::optional<TSortOrder> ParseSortOrder(const std::wstring& value);
constexpr const wchar_t* kSortSwitchPrefix = L"/sort:";

// The creator's command line: only argument 1 selects, compared exactly.
enum class TCreatorMode { Create, Edit, About, Donate, Prefs, WebUpdate };
struct TCreatorCommand {
  TCreatorMode Mode = TCreatorMode::Create;
  std::wstring EditFolder;  // "/edit": argument 2 with every double quote removed
};
// "/edit" with a non-empty argument 2 edits that folder's pinned stack;
// "/about", "/donate", "/prefs" and "/webupdate" are one-shot actions (later
// arguments ignored); anything else, "/create" and "/EDIT" included, creates.
TCreatorCommand ParseCreatorCommand(const std::vector<std::wstring>& args);
