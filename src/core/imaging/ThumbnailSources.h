// Where a grid tile's picture comes from: our own decoders, the shell's
// thumbnail cache (Windows Vista and later), or the shell's own extraction,
// which also makes pictures of files our decoders cannot read (videos,
// documents) as Explorer shows them. Which sources apply, and in what order,
// follows from plain facts about the file and the system.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "core/base/WindowsVersion.h"
#include "core/raster/Bitmap32.h"

enum class TThumbnailSource : std::uint8_t {
  ShellCache,    // the shell's cache only: a picture it already made, never a new one
  Decoder,       // our decoders (JPEG, PNG, GIF, bitmap)
  ShellExtract,  // the shell's cache, which makes the picture when it has none
};

struct TThumbnailFacts {
  bool Decodable = false;        // our decoders read the file (IsImageFile)
  bool ShellThumbnails = false;  // the system offers the shell's thumbnails
  bool Shown = false;            // the grid shows thumbnails at all ("/thumbs")
};

// The shell's thumbnail cache came with Windows Vista.
constexpr bool OffersShellThumbnails(const TWindowsVersion& v) { return IsVistaOrLater(v); }

// The sources tried for a file, first to last; none when the file gets its
// icon. A picture our decoders read is taken from the shell's cache when it is
// there (it is made already, which is quicker than decoding), else decoded; it
// is never extracted by the shell, which would only decode it again, slower.
// Any other file is left to the shell's extraction, which may fail: then the
// tile shows the file's icon.
std::vector<TThumbnailSource> ThumbnailSources(const TThumbnailFacts& facts);

// One source's picture for the file, or nothing.
using TThumbnailAttempt = std::function<std::optional<TBitmap32>(TThumbnailSource source)>;
// Asks the sources in order and gives the first picture; a source that throws
// counts as one that gave nothing. Nothing when none gave a picture.
std::optional<TBitmap32> FirstThumbnail(const std::vector<TThumbnailSource>& sources, const TThumbnailAttempt& attempt);
