// The viewer window's frame and opacity, from the view, the animation
// preference and "/clear". The Win32 layer turns the answer into window styles.
#pragma once

#include <cstdint>

#include "core/viewer/CommandLine.h"

enum class TBorderStyle {
  None,        // "/clear": no border, no caption
  Single,      // the normal caption bar
  ToolWindow,  // the small caption bar of a tool window
  Dialog,      // the help window's dialog frame
};

struct TViewerFrame {
  TBorderStyle Border = TBorderStyle::Single;
  bool SystemMenu = false;     // system menu and minimise box (the help window only)
  bool AlphaBlend = false;     // a layered window with its own opacity
  std::uint8_t Alpha = 255;    // the opacity the window starts with
  bool AnimateOpen = false;    // the first showing slides in
  bool TaskbarButton = false;  // false: the window keeps off the taskbar
};

// A stack or grid has the small caption when it animates and the normal one
// when it does not, none under "/clear"; it starts transparent when it will
// fade in. The menu view's window is a transparent point. The help window has
// a dialog frame, its caption buttons and a taskbar button, and never fades.
TViewerFrame ChooseViewerFrame(TViewKind view, bool animate, bool clear);
