// The grid's thumbnails: which picture a file gives and how it is stretched.
// The stretch itself is the raster library's; these are its inputs.
#pragma once

#include <optional>
#include <string>

#include "core/base/Rect.h"
#include "core/raster/Bitmap32.h"

// Reduced-size JPEG decoding for thumbnails, by the picture's full width:
// more than 256 pixels an eighth, more than 128 a quarter, more than 64 a
// half, else full size. Gives the divisor (8, 4, 2 or 1). Those widths are
// for 32-pixel thumbnails: for another size they scale with it (the picture
// stays wider than the thumbnail after the reduction).
int JpegThumbnailScale(int fullWidth);
int JpegThumbnailScale(int fullWidth, int thumbnailSize);

// Decodes the picture at path for a thumbnail, by ImageKindOf(path): JPEG (in
// fast mode the thumbnail a camera stored in the file when it may stand for
// the picture, see UseEmbeddedThumbnail in ExifThumbnail.h, and the file ends
// with its end marker; else the picture with the fast transform and the
// reduced size above; otherwise full size at full quality), Windows bitmap,
// GIF (every pixel opaque) and PNG (with its alpha).
// Nothing (nullopt) when no file exists at the path, or when its extension is
// none of the five: then nothing is drawn and the target keeps its pixels.
// A file that exists but cannot be read as its extension says throws
// EImageError. thumbnailSize: the thumbnail's width, for the reduction.
std::optional<TBitmap32> DecodeThumbnailSource(const std::wstring& path, bool fast, int thumbnailSize = 32);

// The resampler a decoded picture is stretched with: linear interpolation for
// pictures no wider than the thumbnail (32 pixels at 96 DPI), the fast draft
// resampler above.
enum class TThumbnailResampler { Linear, Draft };
TThumbnailResampler ChooseThumbnailResampler(int decodedWidth, int thumbnailSize = 32);

// Draws the picture at path stretched over the whole target, replacing its
// pixels (the aspect ratio is not kept: a 640 x 480 picture fills a 32 x 32
// target). Nothing happens when DecodeThumbnailSource gives nothing; a picture
// that cannot be read throws EImageError and leaves the target as it was.
// The target's width is the thumbnail's size. Gives whether a picture was
// drawn.
bool LoadThumbnail(const std::wstring& path, TBitmap32& target, bool fast);

// Where a picture of width x height stands in a size x size thumbnail: its
// shape kept, shrunk to fit when it is larger (never enlarged), centred. The
// shell's pictures are placed so, as Explorer shows them; they come in the
// sizes its cache keeps, often larger than the one asked for.
TRectI ThumbnailFitRect(int width, int height, int size);
// The picture drawn at ThumbnailFitRect on a size x size bitmap that is
// transparent around it.
TBitmap32 FitThumbnail(TBitmap32 picture, int size);

// The shell's thumbnail bitmaps as the grid takes them. With alpha
// (WTSAT_ARGB), their colours are premultiplied, as the shell draws them
// with AlphaBlend: they are made straight; a bitmap whose every pixel has
// alpha 0 carries no alpha at all and is taken as opaque. Without alpha
// (WTSAT_RGB, or unknown), the fourth byte means nothing: every pixel is made
// opaque.
void TakeShellThumbnailAlpha(TBitmap32& picture, bool premultipliedAlpha);
