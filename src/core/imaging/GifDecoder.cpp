// GIF through giflib: the first picture of the file at its own frame size.
// giflib reports errors by return value, so no jumps are involved here.
#include <cstdio>
#include <memory>
#include <vector>

#include <gif_lib.h>

#include "core/imaging/ImageDecoderUtils.h"

namespace {

int ReadGifData(GifFileType* gif, GifByteType* buffer, int length) {
  return static_cast<int>(
      std::fread(buffer, 1, static_cast<std::size_t>(length), static_cast<std::FILE*>(gif->UserData)));
}

struct TGifCloser {
  void operator()(GifFileType* gif) const noexcept {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

EImageError GifError(const std::wstring& name, int code) {
  if (code == D_GIF_ERR_READ_FAILED || code == D_GIF_ERR_EOF_TOO_SOON) return EImageError(name, kReasonTruncated);
  return EImageError(name, DamagedReason(L"GIF", GifErrorString(code)));
}

// Skips extension blocks up to the first image descriptor and reads it.
void ReadToFirstImage(GifFileType* gif, const std::wstring& name) {
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif, &record) == GIF_ERROR) throw GifError(name, gif->Error);
    switch (record) {
      case IMAGE_DESC_RECORD_TYPE:
        if (DGifGetImageDesc(gif) == GIF_ERROR) throw GifError(name, gif->Error);
        return;
      case EXTENSION_RECORD_TYPE: {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) throw GifError(name, gif->Error);
        while (block != nullptr)
          if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) throw GifError(name, gif->Error);
        break;
      }
      case TERMINATE_RECORD_TYPE: throw EImageError(name, L"it holds no picture");
      default: throw EImageError(name, DamagedReason(L"GIF", nullptr));
    }
  }
}

}  // namespace

TBitmap32 DecodeGif(std::FILE* file, const std::wstring& name) {
  static const unsigned char kSignature[] = {'G', 'I', 'F', '8'};
  ExpectSignature(file, kSignature, sizeof kSignature, name, L"GIF");

  int error = 0;
  std::unique_ptr<GifFileType, TGifCloser> gif(DGifOpen(file, ReadGifData, &error));
  if (!gif) throw GifError(name, error);
  ReadToFirstImage(gif.get(), name);

  const GifImageDesc& frame = gif->Image;
  CheckImageSize(frame.Width, frame.Height, name);
  const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (map == nullptr || map->Colors == nullptr) throw EImageError(name, L"it has no colour table");
  std::vector<TColor32> palette(256, kColor32Black);
  for (int i = 0; i < map->ColorCount && i < 256; ++i)
    palette[static_cast<std::size_t>(i)] = Color32(255, map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);

  TBitmap32 bitmap(frame.Width, frame.Height);
  std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
  auto readRow = [&](int y) {
    if (DGifGetLine(gif.get(), line.data(), frame.Width) == GIF_ERROR) throw GifError(name, gif->Error);
    TColor32* row = bitmap.Row(y);
    for (int x = 0; x < frame.Width; ++x) row[x] = palette[line[static_cast<std::size_t>(x)]];
  };
  if (frame.Interlace) {
    // Four passes: every 8th row from 0, every 8th from 4, every 4th from 2,
    // every 2nd from 1.
    static const int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = kStart[pass]; y < frame.Height; y += kStep[pass]) readRow(y);
  } else {
    for (int y = 0; y < frame.Height; ++y) readRow(y);
  }
  return bitmap;
}
