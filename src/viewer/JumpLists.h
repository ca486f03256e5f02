// TjlJumpLists: the tasks (and custom categories) of a taskbar button's jump
// list, built into the shell's custom destination list and committed. On
// systems before Windows 7, or when the shell has no destination list, there
// is none: Commit does nothing and answers why.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <wrl/client.h>

#include <string>
#include <vector>

struct ICustomDestinationList;

struct TjlShellLink {
  std::wstring DisplayName;  // the title shown
  std::wstring Arguments;
  std::wstring IconFilename;
  int IconIndex = 0;
};

enum class TjlLinkObjectType { lotShellLink, lotShellItem };

struct TjlLinkObjectItem {
  TjlLinkObjectType ObjectType = TjlLinkObjectType::lotShellItem;
  TjlShellLink ShellLink;          // for lotShellLink
  std::wstring ShellItemFilename;  // for lotShellItem: a file the shell shows as a destination
};

class TjlLinkObjectList : public std::vector<TjlLinkObjectItem> {
public:
  TjlLinkObjectItem& AddShellLink(const std::wstring& title, const std::wstring& arguments, int iconIndex,
                                  const std::wstring& iconFile);
};

struct TjlLinkCategory {
  std::wstring Title;
  TjlLinkObjectList Items;
};

// The step of a commit that failed, and its HRESULT.
enum class TJumpListStep {
  None,        // committed
  CreateList,  // no destination list: before Windows 7, or the shell has none
  BeginList,
  MakeCategory,  // a link of a custom category could not be made
  AppendCategory,
  MakeTasks,  // a task's link could not be made
  AddUserTasks,
  AppendFrequent,
  AppendRecent,
  CommitList,
};

struct TJumpListResult {
  TJumpListStep FailedStep = TJumpListStep::None;
  HRESULT Error = S_OK;
  bool Succeeded() const noexcept { return FailedStep == TJumpListStep::None; }
};

class TjlJumpLists {
public:
  TjlJumpLists();
  // Over a destination list of the caller's (one that records, in tests).
  explicit TjlJumpLists(Microsoft::WRL::ComPtr<ICustomDestinationList> list);
  ~TjlJumpLists();
  TjlJumpLists(const TjlJumpLists&) = delete;
  TjlJumpLists& operator=(const TjlJumpLists&) = delete;

  TjlLinkObjectList Tasks;
  std::vector<TjlLinkCategory> Categories;
  // The shell's own categories of frequent and recent destinations.
  bool DisplayFrequent = false;
  bool DisplayRecent = false;

  // The shell's destination list is made on first use, so a program that
  // never commits never loads it.
  bool Available() { return List() != nullptr; }
  // An explicit application identifier, passed on at once.
  HRESULT SetAppID(const std::wstring& appId);
  // Builds the list and hands it to the shell. Without a destination list, or
  // at the first step that fails, it stops and answers that step (a list
  // begun is then left uncommitted, and the shell keeps the one before).
  TJumpListResult Commit();

private:
  ICustomDestinationList* List();

  Microsoft::WRL::ComPtr<ICustomDestinationList> list_;
  bool made_ = false;           // the shell was asked for its list
  HRESULT createError_ = S_OK;  // why there is no list
};
