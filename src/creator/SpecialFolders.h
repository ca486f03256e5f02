// The creator's "SF" menu of the system's special folders, grouped as the
// user finds them: Start Menu, Common Folders and Other as sub-menus, then
// the user's own folders.
#pragma once

#include <functional>

#include "shared/SysImg.h"
#include "toolkit/PopupMenu.h"

// Fills menu afresh, each sub-menu as it opens, so every path and icon is
// looked up anew; icons come from sysImg, which must outlive the menu.
// Choosing a folder calls onChoose with its CSIDL.
void BuildSpecialFolderMenu(TPopupMenu& menu, TSysImageList& sysImg, const std::function<void(int csidl)>& onChoose);
