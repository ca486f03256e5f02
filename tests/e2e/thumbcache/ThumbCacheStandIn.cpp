// A stand-in for the shell's thumbnail cache, registered in the test prefix
// for the scope of a test (Wine has no thumbnail cache of its own). Each call
// is written, one line, to "<this DLL's path>.txt":
//   <file name>|<size asked for>|cache     (WTS_INCACHEONLY)
//   <file name>|<size asked for>|extract   (extraction allowed)
// and answered by the file's name, with colours no icon has:
//   "shellonly": pure green, size x size, only when it may extract;
//                cache-only, WTS_E_FAILEDEXTRACTION
//   "alpha":     pure blue at half alpha, premultiplied, as WTSAT_ARGB
//   "wide":      pure blue, twice as wide as the size and as high (the
//                cache's next size up)
//   "24bit":     a 24-bit bitmap, which is no thumbnail the shell gives
//   "cached":    pure blue, size x size, as WTSAT_RGB with its fourth byte 0
//   "gated" too: answered only once the test sets the event named
//                "HeapfoldThumbnailGate" (at most 30 s later), so a test sees
//                the tile before its picture comes
//   anything else: WTS_E_FAILEDEXTRACTION
// The callers are worker threads in the multithreaded apartment: the class is
// registered with the threading model "Both", and everything here may be
// called on several threads at once.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0600
#undef NTDDI_VERSION
#define NTDDI_VERSION 0x06000000
#include <windows.h>

#include <shobjidl.h>
#include <thumbcache.h>
#include <wrl/client.h>

#include <string>

#include "../StandInDll.h"
#include "shared/ScopedWin.h"

using Microsoft::WRL::ComPtr;

namespace {

using stand_in::Record;
using stand_in::TCounted;

// A DIB section of width x height at bitCount bits, every pixel `pixel` (the
// low bytes of it for 24 bits).
TBitmap SolidBitmap(int width, int height, WORD bitCount, DWORD pixel) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitCount;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  TBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return TBitmap();
  const int stride = ((width * bitCount + 31) / 32) * 4;
  const int bytesPerPixel = bitCount / 8;
  for (int y = 0; y < height; ++y) {
    BYTE* row = static_cast<BYTE*>(bits) + static_cast<size_t>(y) * static_cast<size_t>(stride);
    for (int x = 0; x < width; ++x)
      for (int b = 0; b < bytesPerPixel; ++b) row[x * bytesPerPixel + b] = static_cast<BYTE>(pixel >> (8 * b));
  }
  ::GdiFlush();
  return bitmap;
}

class TSharedBitmap final : public TCounted<ISharedBitmap> {
public:
  TSharedBitmap(TBitmap bitmap, SIZE size, WTS_ALPHATYPE alpha)
      : bitmap_(std::move(bitmap)), size_(size), alpha_(alpha) {}

  HRESULT STDMETHODCALLTYPE GetSharedBitmap(HBITMAP* bitmap) override {
    if (!bitmap) return E_POINTER;
    *bitmap = bitmap_.Get();
    return bitmap_ ? S_OK : E_UNEXPECTED;
  }
  HRESULT STDMETHODCALLTYPE GetSize(SIZE* size) override {
    if (!size) return E_POINTER;
    *size = size_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetFormat(WTS_ALPHATYPE* alpha) override {
    if (!alpha) return E_POINTER;
    *alpha = alpha_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE InitializeBitmap(HBITMAP, WTS_ALPHATYPE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Detach(HBITMAP* bitmap) override {
    if (!bitmap) return E_POINTER;
    *bitmap = bitmap_.Release();
    return *bitmap ? S_OK : E_UNEXPECTED;
  }

private:
  TBitmap bitmap_;
  SIZE size_;
  WTS_ALPHATYPE alpha_;
};

std::wstring FileName(IShellItem* item) {
  TCoTaskMem name;
  if (!item || FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, reinterpret_cast<LPWSTR*>(name.Put()))) || !name)
    return L"";
  const std::wstring path = static_cast<const wchar_t*>(name.Get());
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool Has(const std::wstring& name, const wchar_t* word) { return name.find(word) != std::wstring::npos; }

constexpr DWORD kBlue = 0x000000FF;  // blue, red, green, then a zero fourth byte
constexpr DWORD kGreen = 0x0000FF00;
constexpr DWORD kHalfBluePremultiplied = 0x80000080;

class TThumbnailCache final : public TCounted<IThumbnailCache> {
public:
  HRESULT STDMETHODCALLTYPE GetThumbnail(IShellItem* item, UINT size, WTS_FLAGS flags, ISharedBitmap** thumbnail,
                                         WTS_CACHEFLAGS* cacheFlags, WTS_THUMBNAILID* id) override {
    if (thumbnail) *thumbnail = nullptr;
    if (cacheFlags) *cacheFlags = WTS_DEFAULT;
    if (id) *id = WTS_THUMBNAILID{};
    const std::wstring name = FileName(item);
    const bool cacheOnly = (flags & WTS_INCACHEONLY) != 0;
    Record(name + L"|" + std::to_wstring(size) + (cacheOnly ? L"|cache" : L"|extract"));
    if (!item || !thumbnail) return E_INVALIDARG;
    if (size == 0 || size > 1024) return E_INVALIDARG;
    const int side = static_cast<int>(size);
    if (Has(name, L"shellonly")) {
      if (cacheOnly) return WTS_E_FAILEDEXTRACTION;
      return Answer(SolidBitmap(side, side, 32, kGreen), side, side, WTSAT_RGB, WTS_DEFAULT, thumbnail, cacheFlags);
    }
    if (Has(name, L"alpha"))
      return Answer(SolidBitmap(side, side, 32, kHalfBluePremultiplied), side, side, WTSAT_ARGB, WTS_CACHED, thumbnail,
                    cacheFlags);
    if (Has(name, L"wide"))
      return Answer(SolidBitmap(2 * side, side, 32, kBlue), 2 * side, side, WTSAT_RGB, WTS_CACHED, thumbnail,
                    cacheFlags);
    if (Has(name, L"24bit"))
      return Answer(SolidBitmap(side, side, 24, kBlue), side, side, WTSAT_RGB, WTS_CACHED, thumbnail, cacheFlags);
    if (Has(name, L"gated")) {
      const HANDLE gate = ::OpenEventW(SYNCHRONIZE, FALSE, L"HeapfoldThumbnailGate");
      if (gate) {
        ::WaitForSingleObject(gate, 30000);
        ::CloseHandle(gate);
      }
    }
    if (Has(name, L"cached"))
      return Answer(SolidBitmap(side, side, 32, kBlue), side, side, WTSAT_RGB, WTS_CACHED, thumbnail, cacheFlags);
    return WTS_E_FAILEDEXTRACTION;
  }
  HRESULT STDMETHODCALLTYPE GetThumbnailByID(WTS_THUMBNAILID, UINT, ISharedBitmap** thumbnail,
                                             WTS_CACHEFLAGS*) override {
    if (thumbnail) *thumbnail = nullptr;
    return E_NOTIMPL;
  }

private:
  static HRESULT Answer(TBitmap bitmap, int width, int height, WTS_ALPHATYPE alpha, WTS_CACHEFLAGS flags,
                        ISharedBitmap** thumbnail, WTS_CACHEFLAGS* cacheFlags) {
    if (!bitmap) return E_OUTOFMEMORY;
    if (cacheFlags) *cacheFlags = flags;
    *thumbnail = new TSharedBitmap(std::move(bitmap), SIZE{width, height}, alpha);  // our one reference
    return S_OK;
  }
};

class TFactory final : public TCounted<IClassFactory> {
public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return MakeComObject<TThumbnailCache>()->QueryInterface(riid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (clsid != __uuidof(LocalThumbnailCache)) return CLASS_E_CLASSNOTAVAILABLE;
  return MakeComObject<TFactory>()->QueryInterface(riid, out);
}
