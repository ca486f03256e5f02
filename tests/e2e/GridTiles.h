// Where a grid's tiles stand in its client area at 96 DPI, and the screen's
// pixels of a part of a window, for the tests that read tiles by their pixels.
#pragma once

#include <windows.h>

#include <vector>

#include "E2eHarness.h"

namespace e2e {

constexpr int kTileWidth = 64, kTileHeight = 56, kTilePadding = 2;

// Tile index's top-left corner in the grid's client area.
inline POINT TileCorner(int index, int columns) {
  return {kTilePadding + (index % columns) * kTileWidth, kTilePadding + (index / columns) * kTileHeight};
}
inline POINT TileCentre(int index, int columns) {
  const POINT corner = TileCorner(index, columns);
  return {corner.x + kTileWidth / 2, corner.y + kTileHeight / 2};
}
// The 32 x 32 place of a tile's icon or picture.
inline RECT TileIcon(int index, int columns) {
  const POINT corner = TileCorner(index, columns);
  return {corner.x + 16, corner.y + 4, corner.x + 48, corner.y + 36};
}

// The screen's pixels of a rectangle given in a window's client coordinates.
struct TScreenArea {
  std::vector<COLORREF> Pixels;
  int Width = 0, Height = 0;
  COLORREF At(int x, int y) const { return Pixels[static_cast<size_t>(y * Width + x)]; }
};
inline TScreenArea ReadArea(HWND window, RECT clientRect) {
  TScreenArea area;
  area.Width = clientRect.right - clientRect.left;
  area.Height = clientRect.bottom - clientRect.top;
  POINT origin = {clientRect.left, clientRect.top};
  ::ClientToScreen(window, &origin);
  const TScreenDC screen;
  for (int y = 0; y < area.Height; ++y)
    for (int x = 0; x < area.Width; ++x) area.Pixels.push_back(::GetPixel(screen.Get(), origin.x + x, origin.y + y));
  return area;
}

}  // namespace e2e
