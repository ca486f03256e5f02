#include "core/viewer/ViewerFrame.h"

TViewerFrame ChooseViewerFrame(TViewKind view, bool animate, bool clear) {
  TViewerFrame frame;
  if (view == TViewKind::Help) {
    frame.Border = TBorderStyle::Dialog;
    frame.SystemMenu = true;
    frame.TaskbarButton = true;
    return frame;
  }
  frame.AnimateOpen = animate;
  frame.AlphaBlend = animate;
  frame.Alpha = animate ? 0 : 255;
  if (clear)
    frame.Border = TBorderStyle::None;
  else
    frame.Border = animate ? TBorderStyle::ToolWindow : TBorderStyle::Single;
  if (view == TViewKind::Menu) {
    // The menu view's window exists only to be active and own the menu.
    frame.AlphaBlend = true;
    frame.Alpha = 0;
    frame.AnimateOpen = false;
  }
  return frame;
}
