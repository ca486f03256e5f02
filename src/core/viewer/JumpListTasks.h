// The seven tasks of a stack button's jump list: titles, the arguments that
// start the viewer again, and their icons (indexes count the program file's
// group icons in the order of their names).
#pragma once

#include <string>
#include <vector>

#include "core/viewer/DisplayOptions.h"

// The viewer's group icons in name order.
enum : int {
  kIconMain = 0,
  kIconBrenwick = 1,
  kIconEdit = 2,
  kIconFeet = 3,
  kIconPaypal = 4,
  kIconPrefs = 5,
  kIconUpdate1 = 6,
  kIconUpdate2 = 7,
};

struct TJumpTask {
  std::wstring Title;
  std::wstring Arguments;
  std::wstring IconFile;
  int IconIndex = 0;
};

// programFile: the running viewer's own file; stackFolder: the stack folder
// without its trailing backslash; firstArgument: the viewer's first argument
// as it was written (empty for the help window). Every task starts the
// viewer itself; "Create a new stack" shows the creator's icon.
// sort: the stack's order, which the menu task keeps.
std::vector<TJumpTask> ViewerJumpTasks(const std::wstring& programFile, const std::wstring& stackFolder,
                                       const std::wstring& firstArgument, TSortOrder sort = TSortOrder::Name);
