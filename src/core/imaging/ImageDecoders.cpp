#include "core/imaging/ImageDecoders.h"

#include <cstring>

#include "core/imaging/ImageDecoderUtils.h"
#include "core/base/PathUtils.h"
#include "core/base/WideFile.h"

TImageKind ImageKindOf(const std::wstring& path) {
  std::wstring ext = ExtractFileExt(path);
  for (auto& c : ext)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  if (ext == L".jpg" || ext == L".jpeg") return TImageKind::Jpeg;
  if (ext == L".bmp") return TImageKind::Bitmap;
  if (ext == L".gif") return TImageKind::Gif;
  if (ext == L".png") return TImageKind::Png;
  return TImageKind::None;
}

bool IsImageFile(const std::wstring& path) { return ImageKindOf(path) != TImageKind::None; }

EImageError::EImageError(const std::wstring& name, const std::wstring& reason)
    : EError(L"The picture \"" + name + L"\" cannot be read: " + reason + L".") {}

const wchar_t* const kReasonTruncated = L"the file ends too early";

std::wstring DamagedReason(const wchar_t* kindName, const char* libraryMessage) {
  std::wstring reason = std::wstring(L"its ") + kindName + L" data is damaged";
  if (libraryMessage != nullptr && *libraryMessage != '\0') {
    reason += L" (";
    // Library messages are ASCII; anything else is shown as '?'.
    for (const char* p = libraryMessage; *p; ++p)
      reason += static_cast<unsigned char>(*p) < 0x80 ? static_cast<wchar_t>(*p) : L'?';
    reason += L")";
  }
  return reason;
}

void CheckImageSize(long long width, long long height, const std::wstring& name) {
  if (width < 1 || height < 1) throw EImageError(name, L"it declares an empty picture");
  if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
    throw EImageError(name,
                      L"it is too large (" + std::to_wstring(width) + L" x " + std::to_wstring(height) + L" pixels)");
}

void ExpectSignature(std::FILE* file, const unsigned char* signature, std::size_t size, const std::wstring& name,
                     const wchar_t* kindName) {
  unsigned char head[16] = {};
  const std::size_t got = std::fread(head, 1, size < sizeof head ? size : sizeof head, file);
  if (got != size || std::memcmp(head, signature, size) != 0 || std::fseek(file, 0, SEEK_SET) != 0)
    throw EImageError(name, std::wstring(L"it is not a ") + kindName + L" file");
}

TBitmap32 DecodeImageFile(const std::wstring& path, TImageKind kind, const TJpegDecodeOptions& jpeg) {
  if (kind == TImageKind::None) throw EImageError(path, L"it is not a picture file");
  TFilePtr file = OpenWideFile(path, L"rb");
  if (!file) throw EImageError(path, L"the file cannot be opened");
  switch (kind) {
    case TImageKind::Jpeg: return DecodeJpeg(file.get(), path, jpeg);
    case TImageKind::Bitmap: return DecodeBmp(file.get(), path);
    case TImageKind::Gif: return DecodeGif(file.get(), path);
    case TImageKind::Png: return DecodePng(file.get(), path);
    case TImageKind::None: break;
  }
  throw EImageError(path, L"it is not a picture file");
}
