// The shell's thumbnails (Windows Vista and later) through its thumbnail
// cache: pictures of any file the shell can picture, photos, videos and
// documents alike, as Explorer shows them.
//
// Called on the grid's worker threads: COM must be initialised on the calling
// thread, in the multithreaded apartment (TComInitMultithreaded), which the
// cache serves without a message loop; the call neither initialises COM nor
// touches any window.
#pragma once

#include <optional>
#include <string>

#include "core/raster/Bitmap32.h"

enum class TShellThumbnailMode {
  CacheOnly,  // a picture the shell made before, or nothing; never extracts (quick)
  Extract,    // the cache's picture, extracted and cached when it has none (may take long)
};

// The shell's picture of the file at path, fitted into a size x size square
// (FitThumbnail: its shape kept, shrunk when larger, centred on transparent
// pixels), with straight alpha (TakeShellThumbnailAlpha). Nothing on every
// failure: no thumbnail cache (Windows XP, Wine: the class is not
// registered), no shell item for the path, not in the cache, an extraction
// that failed, or a bitmap of a format other than 32-bit. Never throws.
std::optional<TBitmap32> ShellThumbnail(const std::wstring& path, int size, TShellThumbnailMode mode) noexcept;
