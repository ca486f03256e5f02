#include "core/viewer/ViewerFrame.h"

#include <gtest/gtest.h>

#include "core/viewer/StackLayout.h"

TEST(ViewerFrame, FollowsTheViewTheAnimationPreferenceAndClear) {
  using B = TBorderStyle;
  struct {
    TViewKind view;
    bool animate, clear;
    B border;
    bool alphaBlend;
    int alpha;
    bool animateOpen, sysMenu, taskbar;
  } cases[] = {
      {TViewKind::Stack, true, false, B::ToolWindow, true, 0, true, false, false},
      {TViewKind::Stack, false, false, B::Single, false, 255, false, false, false},
      {TViewKind::Grid, true, true, B::None, true, 0, true, false, false},
      {TViewKind::Grid, false, true, B::None, false, 255, false, false, false},
      {TViewKind::Menu, false, false, B::Single, true, 0, false, false, false},  // an invisible point
      {TViewKind::Menu, true, true, B::None, true, 0, false, false, false},
      {TViewKind::Help, true, true, B::Dialog, false, 255, false, true, true},  // never fades, keeps its button
      {TViewKind::Help, false, false, B::Dialog, false, 255, false, true, true},
  };
  for (const auto& c : cases) {
    const TViewerFrame f = ChooseViewerFrame(c.view, c.animate, c.clear);
    SCOPED_TRACE(testing::Message() << int(c.view) << c.animate << c.clear);
    EXPECT_EQ(f.Border, c.border);
    EXPECT_EQ(f.AlphaBlend, c.alphaBlend);
    EXPECT_EQ(f.Alpha, c.alpha);
    EXPECT_EQ(f.AnimateOpen, c.animateOpen);
    EXPECT_EQ(f.SystemMenu, c.sysMenu);
    EXPECT_EQ(f.TaskbarButton, c.taskbar);
  }
}

TEST(StackLayout, ClientSizeAndTheHeightCut) {
  EXPECT_EQ(StackClientSize(200, 0).Width, 204);
  EXPECT_EQ(StackClientSize(200, 0).Height, 4);
  EXPECT_EQ(StackClientSize(395, 6).Height, 6 * 44 + 4);
  EXPECT_EQ(StackClientSize(2147483647, 100000000).Width, 2147483647) << "clamped, never wrapped";
  EXPECT_EQ(StackClientSize(200, 100000000).Height, 2147483647);
  // A column taller than the work area gets the work area's height less 4.
  EXPECT_EQ(StackOuterHeight(1080, 1060, 1000), 996);
  EXPECT_EQ(StackOuterHeight(300, 268, 1000), 300);
  EXPECT_EQ(StackOuterHeight(1024, 1000, 1000), 1024) << "only a client taller than the work area is cut";
}
