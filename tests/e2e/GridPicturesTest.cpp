// The grid's pictures as they come: tiles stand with their icons at once and
// take their pictures as these are made, a camera's picture draws from its
// embedded thumbnail (the whole picture when that is damaged), browsing away
// leaves no picture being made, and the shell's thumbnails are asked for
// first where the system has them.
#include <gtest/gtest.h>

#include <string>

#include "../common/ExifJpeg.h"
#include "E2eFixture.h"
#include "GridTiles.h"

using namespace e2e;

namespace {

std::string Bytes(const exifjpeg::TByteString& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A JPEG's colours come back near, not exactly, what was written.
bool Near(COLORREF c, int r, int g, int b) {
  return std::abs(GetRValue(c) - r) < 40 && std::abs(GetGValue(c) - g) < 40 && std::abs(GetBValue(c) - b) < 40;
}

class GridPictures : public TViewerTest {
protected:
  GridPictures() : TViewerTest(TAnimation::Off) {}

  // Whether the centre of tile index's picture place is near the colour.
  static bool TileShows(HWND window, int index, int columns, int r, int g, int b) {
    return Near(ReadArea(window, TileIcon(index, columns)).At(16, 16), r, g, b);
  }
};

}  // namespace

TEST_F(GridPictures, ACamerasPictureDrawsFromItsEmbeddedThumbnailUnlessThatIsDamaged) {
  using namespace exifjpeg;
  TScratchFolder folder(L"Camera");
  // Red pictures with blue thumbnails: the colour tells which was drawn.
  TExifLayout damaged;
  damaged.thumbnail = SolidJpegWithMarkers(160, 120, 0x0000FF, {});
  damaged.lengthShift = -20;  // its frame header is whole, its data cut short
  folder.Add(L"a damaged.jpg",
             Bytes(SolidJpegWithMarkers(640, 480, 0xFF0000, {{JPEG_APP0 + 1, ComposeExifSegment(damaged)}})));
  folder.Add(L"b camera.jpg", Bytes(SolidJpegWithThumbnail(640, 480, 0xFF0000, 160, 120, 0x0000FF)));
  folder.Add(L"c turned.jpg", Bytes(SolidJpegWithThumbnail(640, 480, 0xFF0000, 120, 160, 0x0000FF)));

  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid /thumbs");
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Camera"; })) << "the pictures never all came";
  EXPECT_TRUE(TileShows(window, 0, 4, 255, 0, 0)) << "a damaged thumbnail: the whole picture";
  EXPECT_TRUE(TileShows(window, 1, 4, 0, 0, 255)) << "the embedded thumbnail";
  EXPECT_TRUE(TileShows(window, 2, 4, 255, 0, 0)) << "a thumbnail of another shape: the whole picture";
  EXPECT_FALSE(ShowsMessageBox(viewer.Id()));
}
