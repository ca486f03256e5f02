// The grid's pictures as they come: tiles stand with their icons at once and
// take their pictures as these are made, a camera's picture draws from its
// embedded thumbnail (the whole picture when that is damaged), browsing away
// leaves no picture being made, and the shell's thumbnails are asked for
// first where the system has them.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
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

// Holds the stand-in cache's answers for "gated" files until opened; opened
// at the latest when the test ends, so no worker waits on.
class TThumbnailGate {
public:
  TThumbnailGate() : event_(::CreateEventW(nullptr, TRUE, FALSE, L"HeapfoldThumbnailGate")) {}
  ~TThumbnailGate() { Open(); }
  void Open() { ::SetEvent(event_.Get()); }

private:
  THandle event_;
};

class GridPictures : public TViewerTest {
protected:
  GridPictures() : TViewerTest(TAnimation::Off) {}

  TThumbnailCacheStandIn cache_;

  bool Asked(const std::wstring& call) const {
    const std::vector<std::wstring> calls = cache_.Calls();
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }

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

TEST_F(GridPictures, ATileShowsItsIconAtOnceAndItsPictureOnceMade) {
  TThumbnailGate gate;
  TScratchFolder folder(L"Gate");
  folder.Add(L"a gated cached.png");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid /thumbs");
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr) << "the grid stands while its picture is being made";
  EXPECT_EQ(WindowText(window), L"Gate (Loading 1 of 1)");
  const TScreenArea icon = ReadArea(window, TileIcon(0, 2));
  const COLORREF background = ViewBackground(window);
  EXPECT_TRUE(std::any_of(icon.Pixels.begin(), icon.Pixels.end(), [&](COLORREF c) { return c != background; }))
      << "the file's icon stands in the picture's place";
  EXPECT_FALSE(TileShows(window, 0, 2, 0, 0, 255));

  gate.Open();
  ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Gate"; }));
  EXPECT_TRUE(WaitUntil([&] { return TileShows(window, 0, 2, 0, 0, 255); })) << "the picture replaced the icon";
}

TEST_F(GridPictures, BrowsingAwayDropsThePicturesLeftAndTheNextFolderGetsItsOwn) {
  TThumbnailGate gate;
  preferences_.SetTestingDword(L"ThumbnailWorkers", 2);
  TScratchFolder folder(L"Away");
  folder.AddFolder(L"Next");
  folder.Add(L"Next\\red.png", RedPng());
  for (const wchar_t* name : {L"p1 gated cached.png", L"p2 gated cached.png", L"p3 gated cached.png"}) folder.Add(name);
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid /thumbs");
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  // Both workers wait in the cache with the first two pictures.
  ASSERT_TRUE(WaitUntil([&] { return cache_.Calls().size() == 2; }));
  const int busy = ThreadsOf(viewer.Id());

  ClickAt(window, TileCentre(0, 5));  // Next
  // The next folder is shown, its picture made, while the last folder's
  // workers still wait: leaving never waits for them.
  ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Next"; }));
  EXPECT_TRUE(WaitUntil([&] { return TileShows(window, 1, 3, 255, 0, 0); })) << "Go back, red.png, Explore";
  EXPECT_TRUE(Asked(L"red.png|32|cache"));

  gate.Open();
  EXPECT_TRUE(WaitUntil([&] { return ThreadsOf(viewer.Id()) <= busy - 2; })) << "the two workers ended";
  EXPECT_FALSE(Asked(L"p3 gated cached.png|32|cache")) << "the picture left was never asked for";
  EXPECT_TRUE(TileShows(window, 1, 3, 255, 0, 0)) << "no picture of the folder left came into the next one";
}

TEST_F(GridPictures, TheShellsThumbnailsComeFirstFromVistaOnAndNotOnXp) {
  TScratchFolder folder(L"Shell");
  folder.Add(L"a cached.png");  // no picture our decoders read: the cache's
  folder.Add(L"b shellonly.avi");
  folder.Add(L"c fails.txt");
  folder.Add(L"d red.png", RedPng());
  {
    const TWineVersion seven(L"win7");
    TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid /thumbs");
    const HWND window = OpenAtRest(viewer);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Shell"; }));
    EXPECT_TRUE(TileShows(window, 0, 5, 0, 0, 255)) << "from the cache";
    EXPECT_TRUE(TileShows(window, 1, 5, 0, 255, 0)) << "extracted by the shell";
    EXPECT_FALSE(TileShows(window, 2, 5, 0, 255, 0) || TileShows(window, 2, 5, 0, 0, 255)) << "its icon";
    EXPECT_TRUE(TileShows(window, 3, 5, 255, 0, 0)) << "not in the cache: decoded";
    std::vector<std::wstring> calls = cache_.Calls();
    std::sort(calls.begin(), calls.end());
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"a cached.png|32|cache", L"b shellonly.avi|32|extract",
                                                L"c fails.txt|32|extract", L"d red.png|32|cache"}));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(viewer.WaitForExit());
  }
  cache_.Clear();
  const TWineVersion xp(L"winxp");
  TProcess viewer = TProcess::Launch(install_.Viewer(), Quoted(folder.Path()) + L" /grid /thumbs");
  const HWND window = OpenAtRest(viewer);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == L"Shell"; }));
  EXPECT_TRUE(TileShows(window, 3, 5, 255, 0, 0));
  EXPECT_FALSE(TileShows(window, 0, 5, 0, 0, 255)) << "no cache on XP: our decoders, which cannot read it";
  EXPECT_TRUE(cache_.Calls().empty());
}
