// Where a toolbar's items stand and where each item's parts are painted, in
// the toolbar's client pixels: the items sit on a grid of equal cells inside a
// padding, one column (the stack) or wrapping rows (the grid); an item shows
// its icon beside its caption or above it, with spacing designed at 96 DPI.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/base/Rect.h"

enum class TItemDisplay { ImageAndText, ImageAboveCaption };
enum class TToolbarLayout { SingleColumn, WrapRows };

struct TToolbarSize {
  std::int32_t Width = 0, Height = 0;
};

// The grid the items stand on. Every item of one build has the same size, so
// the first item's size is the cell every item is placed in.
struct TToolbarGeometry {
  std::int32_t Columns = 1;  // at least 1
  std::int32_t Padding = 0;  // between the toolbar's edge and its items
  TToolbarSize Cell;
};

// The columns a layout has: 1 for a single column, else those asked for, at
// least 1.
std::int32_t ToolbarColumns(TToolbarLayout layout, std::int32_t columns);

// The rectangle of the item at an index, of its own size, at its cell's
// top-left corner.
TRectI ToolbarItemRect(const TToolbarGeometry& geometry, std::size_t index, TToolbarSize size);

// The size that a number of items needs, padding included: the columns in use
// by the rows they fill.
TToolbarSize ToolbarContentSize(const TToolbarGeometry& geometry, std::size_t count);

// The index of the first item whose rectangle holds the point (right and
// bottom edges excluded), -1 for none.
int ToolbarItemAt(const TToolbarGeometry& geometry, const std::vector<TToolbarSize>& sizes, TPointI point);

// Where an item's icon (its top-left corner) and its caption go inside the
// item's rectangle, for icons of a size and spacing scaled to a DPI.
struct TToolbarItemParts {
  TPointI Icon;
  TRectI Caption;
};
TToolbarItemParts ToolbarItemParts(TItemDisplay display, const TRectI& item, std::int32_t iconSize, std::int32_t dpi);

// How an item is painted from the toolbar's hot, pressed and selected indices
// (-1 for none): the selected item looks hot and has a focus frame; the hot
// item looks pressed while it is also the pressed one.
struct TToolbarItemLook {
  bool Highlighted = false;
  bool Pressed = false;
  bool Focused = false;
  // The highlight's shade of the background (see ShadeColor): darker when
  // pressed, lighter when hot.
  int ShadeAmount = 0;
};
TToolbarItemLook ToolbarItemLook(int index, int hot, int pressed, int selected);

// The focus frame of an item: one pixel inside its rectangle.
TRectI ToolbarFocusRect(const TRectI& item);

// A colour mixed toward white by a positive percentage or toward black by a
// negative one, for highlights over any background. Each of the three low
// bytes is a channel and is mixed alike, so red-first and blue-first orders
// both work; the top byte comes out 0.
std::uint32_t ShadeColor(std::uint32_t color, int amount);

// The horizontal bands that painting a clip's rows [top, bottom) is cut into:
// at every item's top and bottom edge inside it, so each band holds one row of
// items and needs an off-screen buffer of one row only. Cuts runs from top to
// bottom without repeats; Tallest is the highest band.
struct TToolbarPaintBands {
  std::vector<std::int32_t> Cuts;
  std::int32_t Tallest = 0;
};
TToolbarPaintBands ToolbarPaintBands(const std::vector<TRectI>& items, std::int32_t top, std::int32_t bottom);
