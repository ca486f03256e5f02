// Where a grid's tiles stand in its client area at 96 DPI, the screen's
// pixels of a part of a window, and a picture file, for the tests that read
// tiles by their pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "E2eHarness.h"

namespace e2e {

// A 16 x 16 pure red PNG.
inline const unsigned char kRedPng[] = {
    0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x10, 0x08, 0x02, 0x00, 0x00, 0x00, 0x90, 0x91, 0x68,
    0x36, 0x00, 0x00, 0x00, 0x16, 0x49, 0x44, 0x41, 0x54, 0x78, 0xda, 0x63, 0xf8, 0xcf, 0xc0, 0x40,
    0x12, 0x62, 0x18, 0xd5, 0x30, 0xaa, 0x61, 0xf8, 0x6a, 0x00, 0x00, 0x90, 0xf9, 0xff, 0x01, 0xf2,
    0xee, 0xe8, 0x57, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4e, 0x44, 0xae, 0x42, 0x60, 0x82};

inline std::string RedPng() { return std::string(reinterpret_cast<const char*>(kRedPng), sizeof(kRedPng)); }

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

// The view's background: its client area's top-left pixel, which no tile
// covers.
inline COLORREF ViewBackground(HWND window) { return ReadArea(window, {0, 0, 1, 1}).At(0, 0); }

}  // namespace e2e
