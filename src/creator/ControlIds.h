// The control identifiers of the creator's window. The dialog manager finds
// the default button by its identifier, and tools that drive the window from
// outside (the end-to-end tests, screen readers' scripts) find controls by them.
#pragma once

enum TCreatorControlId : int {
  kIdLblFolder = 1001,
  kIdEditFolder,
  kIdBtnChooseFolder,   // "..." inside the folder field
  kIdBtnSpecialFolder,  // "SF" inside the folder field (create mode)
  kIdLblCaption,
  kIdEditName,
  kIdLblStackType,
  kIdCboStackType,
  kIdLblIcon,
  kIdEditIcon,
  kIdBtnChooseIcon,  // "..." inside the icon field
  kIdChkExplore,
  kIdChkBrowse,
  kIdChkHideExt,
  kIdChkShowThumbs,
  kIdChkClear,
  kIdLblDonate,
  kIdBtnCreateShortcut,
  kIdBtnCheckNewVersion,
  kIdBtnPrefs,
  kIdBtnAbout,
  kIdBtnClose,
  kIdGrpStatus,
  kIdLblStatus,
  kIdLblSortBy,
  kIdCboSortBy,
};
