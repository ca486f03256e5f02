#include "core/viewer/JumpListTasks.h"

#include "core/base/PathUtils.h"
#include "core/viewer/CommandLine.h"

std::vector<TJumpTask> ViewerJumpTasks(const std::wstring& programFile, const std::wstring& stackFolder,
                                       const std::wstring& firstArgument, TSortOrder sort) {
  const std::wstring creator = ExtractFilePath(programFile) + L"Heapmaker.exe";
  const std::wstring sortSwitch = SortSwitch(sort);
  const std::wstring menu = L"\"" + firstArgument + L"\" /menu" + (sortSwitch.empty() ? L"" : L" " + sortSwitch);
  return {
      {L"Edit this stack", L"/edit \"" + stackFolder + L"\"", programFile, kIconEdit},
      {L"Create a new stack", L"/create", creator, 0},
      {L"Browse stack as a menu", menu, programFile, kIconFeet},
      {L"Preferences", L"/prefs", programFile, kIconPrefs},
      {L"Check for latest version", L"/webupdate", programFile, kIconUpdate1},
      {L"Donate", L"/donate", programFile, kIconPaypal},
      {L"About Heapfold", L"/about", programFile, kIconBrenwick},
  };
}
