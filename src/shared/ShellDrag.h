// Dragging a file or folder out to any window that takes the shell's drops:
// the item's own data object from its parent folder, the system's drag loop
// and a drop source of ours.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>

#include "shared/ScopedWin.h"  // TOleInit, for the drag loop

enum class TDragOutcome { Dropped, Cancelled, Failed };

struct TDragResult {
  TDragOutcome Outcome = TDragOutcome::Cancelled;
  DWORD Effect = DROPEFFECT_NONE;  // what the target did, once dropped
  HRESULT Error = S_OK;            // why it failed
};

// Drags path with copying, moving and linking allowed, until the left button
// is let go (dropped where a target took it, else cancelled) or Esc is
// pressed (cancelled). The left button must be down when called. owner is
// the window of any user interface the shell shows.
TDragResult DragShellItem(HWND owner, const std::wstring& path);

// Whether the pointer has left the system's drag rectangle around the point
// where the button went down, so that the move starts a drag.
bool BeyondDragRect(POINT down, POINT now);
