// TjlJumpLists: the tasks (and custom categories) of a taskbar button's jump
// list, built into the shell's custom destination list and committed. On
// systems before Windows 7, or when the shell has no destination list, there
// is none: Commit does nothing and answers false.
#pragma once

#include <windows.h>

#include <objbase.h>

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

class TjlJumpLists {
public:
  TjlJumpLists();
  ~TjlJumpLists();
  TjlJumpLists(const TjlJumpLists&) = delete;
  TjlJumpLists& operator=(const TjlJumpLists&) = delete;

  TjlLinkObjectList Tasks;
  std::vector<TjlLinkCategory> Categories;
  // The shell's own categories of frequent and recent destinations.
  bool DisplayFrequent = false;
  bool DisplayRecent = false;

  bool Available() const { return list_ != nullptr; }
  // An explicit application identifier, passed on at once.
  void SetAppID(const std::wstring& appId);
  // Builds the list and hands it to the shell; false without a destination
  // list or when a step fails (a list begun is then left uncommitted).
  bool Commit();

private:
  ICustomDestinationList* list_ = nullptr;  // owned; released with the component
};
