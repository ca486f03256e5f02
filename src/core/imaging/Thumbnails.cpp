#include "core/imaging/Thumbnails.h"

#include "core/raster/Blend.h"
#include "core/raster/Resamplers.h"

#include <algorithm>
#include <cerrno>
#include <vector>

#include "core/imaging/ExifThumbnail.h"
#include "core/imaging/ImageDecoders.h"
#include "core/base/WideFile.h"

namespace {

// The head of a JPEG file is read in one go of kFirstHeadRead bytes (an Exif
// segment is at most 64 KB), then in growing steps while other segments come
// before the frame header, up to kMaxHeadRead.
constexpr std::size_t kFirstHeadRead = 64 * 1024 + 1024;
constexpr std::size_t kMaxHeadRead = 1024 * 1024;

// The file's head, read from its start, and what it says.
TJpegHead ReadFileHead(std::FILE* file, std::vector<unsigned char>& bytes) {
  std::size_t want = kFirstHeadRead;
  for (;;) {
    const std::size_t have = bytes.size();
    bytes.resize(want);
    bytes.resize(have + std::fread(bytes.data() + have, 1, want - have, file));
    const TJpegHead head = ReadJpegHead(bytes.data(), bytes.size());
    if (head.needed == 0 || bytes.size() < want || head.needed > kMaxHeadRead) return head;
    want = std::max(head.needed, std::min(2 * want, kMaxHeadRead));
  }
}

// A file cut short (a download that stopped) must still be refused as the
// whole picture's decoding refuses it, though only its head is read: it must
// end with the end marker. A file with data after the end marker is decoded
// whole.
bool EndsWithEndMarker(std::FILE* file) {
  unsigned char last[2] = {};
  return std::fseek(file, -2, SEEK_END) == 0 && std::fread(last, 1, 2, file) == 2 && last[0] == 0xFF && last[1] == 0xD9;
}

// The embedded thumbnail of a JPEG file when it may stand for the picture
// (UseEmbeddedThumbnail) and decodes; nothing otherwise. It is decoded
// reduced as the whole picture would be, by the same rule applied to both of
// its sides, so that neither becomes shorter than the thumbnail.
std::optional<TBitmap32> DecodeEmbeddedThumbnail(std::FILE* file, const std::wstring& path, int thumbnailSize) {
  std::vector<unsigned char> bytes;
  const TJpegHead head = ReadFileHead(file, bytes);
  if (!UseEmbeddedThumbnail(head, thumbnailSize) || !EndsWithEndMarker(file)) return std::nullopt;
  const int scale = std::min(JpegThumbnailScale(head.thumbnailFrame.width, thumbnailSize),
                             JpegThumbnailScale(head.thumbnailFrame.height, thumbnailSize));
  TJpegDecodeOptions options;
  options.fast = true;
  options.scaleDenominator = [scale](int) { return scale; };
  try {
    return DecodeJpegBytes(bytes.data() + head.thumbnailOffset, head.thumbnailLength, path, options);
  } catch (const EImageError&) {
    return std::nullopt;  // a damaged thumbnail: the whole picture is decoded instead
  }
}

}  // namespace

int JpegThumbnailScale(int fullWidth) { return JpegThumbnailScale(fullWidth, 32); }

int JpegThumbnailScale(int fullWidth, int thumbnailSize) {
  const long long size = thumbnailSize;
  if (fullWidth > 8 * size) return 8;
  if (fullWidth > 4 * size) return 4;
  if (fullWidth > 2 * size) return 2;
  return 1;
}

std::optional<TBitmap32> DecodeThumbnailSource(const std::wstring& path, bool fast, int thumbnailSize) {
  const TImageKind kind = ImageKindOf(path);
  if (kind == TImageKind::None) return std::nullopt;
  errno = 0;
  TFilePtr file = OpenWideFile(path, L"rb");
  if (!file) {
    if (errno == ENOENT || errno == ENOTDIR) return std::nullopt;
    throw EImageError(path, L"the file cannot be opened");
  }
  switch (kind) {
    case TImageKind::Jpeg: {
      TJpegDecodeOptions options;
      if (fast) {
        if (std::optional<TBitmap32> embedded = DecodeEmbeddedThumbnail(file.get(), path, thumbnailSize))
          return embedded;
        std::rewind(file.get());
        options.fast = true;
        options.scaleDenominator = [thumbnailSize](int fullWidth) {
          return JpegThumbnailScale(fullWidth, thumbnailSize);
        };
      }
      return DecodeJpeg(file.get(), path, options);
    }
    case TImageKind::Bitmap: return DecodeBmp(file.get(), path);
    case TImageKind::Gif: return DecodeGif(file.get(), path);
    case TImageKind::Png: return DecodePng(file.get(), path);
    case TImageKind::None: break;
  }
  return std::nullopt;
}

TThumbnailResampler ChooseThumbnailResampler(int decodedWidth, int thumbnailSize) {
  return decodedWidth <= thumbnailSize ? TThumbnailResampler::Linear : TThumbnailResampler::Draft;
}

bool LoadThumbnail(const std::wstring& path, TBitmap32& target, bool fast) {
  const int size = target.Empty() ? 32 : target.Width();
  std::optional<TBitmap32> picture = DecodeThumbnailSource(path, fast, size);
  if (!picture || target.Empty()) return false;
  picture->SetResampler(ChooseThumbnailResampler(picture->Width(), size) == TThumbnailResampler::Linear
                            ? LinearResampler()
                            : DraftResampler());
  picture->SetDrawMode(TDrawMode::Opaque);
  StretchBitmap(target, {0, 0, target.Width(), target.Height()}, *picture);
  return true;
}

TRectI ThumbnailFitRect(int width, int height, int size) {
  if (width <= 0 || height <= 0 || size <= 0) return {};
  const long long longer = std::max(width, height);
  const long long fit = std::min<long long>(size, longer);
  // Rounded to the nearest pixel, at least one.
  const int w = static_cast<int>(std::max<long long>(1, (width * fit + longer / 2) / longer));
  const int h = static_cast<int>(std::max<long long>(1, (height * fit + longer / 2) / longer));
  const int left = (size - w) / 2;
  const int top = (size - h) / 2;
  return {left, top, left + w, top + h};
}

TBitmap32 FitThumbnail(TBitmap32 picture, int size) {
  if (size > 0 && picture.Width() == size && picture.Height() == size) return picture;  // as the cache mostly gives it
  TBitmap32 thumbnail(size, size);
  const TRectI rect = ThumbnailFitRect(picture.Width(), picture.Height(), size);
  if (thumbnail.Empty() || rect.Width() <= 0) return thumbnail;
  picture.SetResampler(ChooseThumbnailResampler(picture.Width(), rect.Width()) == TThumbnailResampler::Linear
                           ? LinearResampler()
                           : DraftResampler());
  picture.SetDrawMode(TDrawMode::Opaque);
  StretchBitmap(thumbnail, rect, picture);
  return thumbnail;
}

void TakeShellThumbnailAlpha(TBitmap32& picture, bool premultipliedAlpha) {
  TColor32* const begin = picture.Bits();
  TColor32* const end = begin + static_cast<std::size_t>(picture.Width()) * static_cast<std::size_t>(picture.Height());
  const bool anyAlpha = std::any_of(begin, end, [](TColor32 c) { return AlphaOf(c) != 0; });
  if (premultipliedAlpha && anyAlpha)
    std::transform(begin, end, begin, StraightFromPremultiplied);
  else
    std::transform(begin, end, begin, [](TColor32 c) { return c | 0xFF000000u; });
}
