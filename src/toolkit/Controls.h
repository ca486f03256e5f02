// The native controls and the small pieces the forms build with them: one
// tooltip control for all hints, an owned image list and a plain
// window-message timer. Each family has its own header; this one includes them
// all, so a form (and any code written before the split) includes just this.
#pragma once

#include "toolkit/Buttons.h"
#include "toolkit/Control.h"
#include "toolkit/Edits.h"
#include "toolkit/ImageList.h"
#include "toolkit/Labels.h"
#include "toolkit/PaintBox.h"
#include "toolkit/SimpleTimer.h"
#include "toolkit/TabControl.h"
#include "toolkit/ToolTips.h"
