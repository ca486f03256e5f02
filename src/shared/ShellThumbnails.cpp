// IThumbnailCache and IShellItem are Vista interfaces; the programs still
// start on XP, where creating the cache simply fails.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#undef WINVER
#define WINVER 0x0600
#undef NTDDI_VERSION
#define NTDDI_VERSION 0x06000000

#include "shared/ShellThumbnails.h"

#include <shobjidl.h>
#include <thumbcache.h>
#include <wrl/client.h>

#include <atomic>

#include "core/imaging/Thumbnails.h"
#include "shared/ScopedWin.h"

using Microsoft::WRL::ComPtr;

namespace {

// Larger than any size the cache keeps (1024): a bitmap beyond it is not a
// thumbnail, and its pixels are not worth copying.
constexpr int kMaxShellThumbnailSide = 4096;

// SHCreateItemFromParsingName, looked up at run time: shell32 has it from
// Vista on.
HRESULT CreateShellItem(const std::wstring& path, ComPtr<IShellItem>& item) {
  using TCreateItem = HRESULT(WINAPI*)(PCWSTR, IBindCtx*, REFIID, void**);
  static const auto create = reinterpret_cast<TCreateItem>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"shell32.dll"), "SHCreateItemFromParsingName")));
  if (create == nullptr) return E_NOTIMPL;
  return create(path.c_str(), nullptr, IID_PPV_ARGS(&item));
}

// The pixels of a 32-bit bitmap, top-down. GetDIBits wants a device context
// and a bitmap that is not selected into any; the shell's is not.
std::optional<TBitmap32> ReadBitmap(HBITMAP bitmap) {
  BITMAP header = {};
  if (::GetObjectW(bitmap, sizeof(header), &header) != sizeof(header)) return std::nullopt;
  const int width = header.bmWidth;
  const int height = header.bmHeight < 0 ? -header.bmHeight : header.bmHeight;
  if (header.bmBitsPixel != 32 || width <= 0 || height <= 0 || width > kMaxShellThumbnailSide ||
      height > kMaxShellThumbnailSide)
    return std::nullopt;
  const TMemoryDC dc(::CreateCompatibleDC(nullptr));
  if (!dc) return std::nullopt;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as TBitmap32's rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  TBitmap32 picture(width, height);
  // GDI's 32-bit pixel, blue in the low byte, is laid out as TColor32.
  if (::GetDIBits(dc.Get(), bitmap, 0, static_cast<UINT>(height), picture.Bits(), &info, DIB_RGB_COLORS) != height)
    return std::nullopt;
  return picture;
}

// Set once the system has said it has no thumbnail cache: a grid of
// hundreds of pictures then asks the registry once, not once a picture.
std::atomic<bool> noCache{false};

std::optional<TBitmap32> ShellThumbnailOrThrow(const std::wstring& path, int size, TShellThumbnailMode mode) {
  if (noCache) return std::nullopt;
  ComPtr<IThumbnailCache> cache;
  const HRESULT made =
      ::CoCreateInstance(__uuidof(LocalThumbnailCache), nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&cache));
  if (made == REGDB_E_CLASSNOTREG) noCache = true;
  if (FAILED(made) || !cache) return std::nullopt;
  ComPtr<IShellItem> item;
  if (FAILED(CreateShellItem(path, item)) || !item) return std::nullopt;
  const WTS_FLAGS flags = mode == TShellThumbnailMode::CacheOnly ? WTS_INCACHEONLY : WTS_EXTRACT;
  ComPtr<ISharedBitmap> shared;
  WTS_CACHEFLAGS cached = WTS_DEFAULT;
  if (FAILED(cache->GetThumbnail(item.Get(), static_cast<UINT>(size), flags, &shared, &cached, nullptr)) || !shared)
    return std::nullopt;
  // The bitmap stays the shared bitmap's: it is read while that is held, and
  // never deleted here.
  HBITMAP bitmap = nullptr;
  if (FAILED(shared->GetSharedBitmap(&bitmap)) || bitmap == nullptr) return std::nullopt;
  std::optional<TBitmap32> picture = ReadBitmap(bitmap);
  if (!picture) return std::nullopt;
  // Only WTSAT_ARGB is taken as alpha (premultiplied); WTSAT_RGB and
  // WTSAT_UNKNOWN, or no answer, give an opaque picture.
  WTS_ALPHATYPE alpha = WTSAT_UNKNOWN;
  if (FAILED(shared->GetFormat(&alpha))) alpha = WTSAT_UNKNOWN;
  TakeShellThumbnailAlpha(*picture, alpha == WTSAT_ARGB);
  return FitThumbnail(std::move(*picture), size);
}

}  // namespace

std::optional<TBitmap32> ShellThumbnail(const std::wstring& path, int size, TShellThumbnailMode mode) noexcept {
  // The cache takes sizes up to 1024.
  if (size <= 0 || size > 1024 || path.empty()) return std::nullopt;
  try {
    return ShellThumbnailOrThrow(path, size, mode);
  } catch (...) {
    return std::nullopt;  // out of memory: the tile shows the file's icon
  }
}
