// The shell's icons at a view's size. Every failure is silent: no list, or
// index -1, and the view shows the entry without an icon.
#include "shared/ScaledIcons.h"

#include "shared/ComObject.h"

#include <algorithm>

#include "core/raster/Supersampling.h"
#include "shared/DeviceBitmap.h"

namespace {

// SHIL_ values of the shell's lists.
int ShilOf(TShellIconList list) {
  switch (list) {
    case TShellIconList::Large: return 0;
    case TShellIconList::Small: return 1;
    case TShellIconList::ExtraLarge: return 2;
    case TShellIconList::Jumbo: return 4;
  }
  return 0;
}

// IImageList, whose pointer is the HIMAGELIST of the same list.
const IID kIidImageList = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};

using TSHGetImageList = HRESULT(WINAPI*)(int, REFIID, void**);

// By name where it has one, by its ordinal on Windows XP, where it has none.
TSHGetImageList SHGetImageListFunction() {
  static const TSHGetImageList function = [] {
    const HMODULE shell32 = ::GetModuleHandleW(L"shell32.dll");
    if (!shell32) return TSHGetImageList(nullptr);
    FARPROC found = ::GetProcAddress(shell32, "SHGetImageList");
    if (!found) found = ::GetProcAddress(shell32, MAKEINTRESOURCEA(727));
    return reinterpret_cast<TSHGetImageList>(reinterpret_cast<void*>(found));
  }();
  return function;
}

// The list's icon drawn over one background colour, the DIB's pixels read back.
TBitmap32 RenderOver(HIMAGELIST list, int index, int width, int height, TColor32 background) {
  TColor32* bits = nullptr;
  const TBitmap dib = CreateTopDownDib(nullptr, width, height, bits);
  const TMemoryDC dc(::CreateCompatibleDC(nullptr));
  if (!dib || !bits || !dc) return TBitmap32();
  const TSelectObject select(dc.Get(), dib.Get());
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::fill(bits, bits + count, background);
  if (!::ImageList_Draw(list, index, dc.Get(), 0, 0, ILD_TRANSPARENT)) return TBitmap32();
  ::GdiFlush();
  TBitmap32 image(width, height);
  std::copy(bits, bits + count, image.Bits());
  return image;
}

}  // namespace

TShellImageList::TShellImageList(TShellIconList list) {
  const TSHGetImageList getImageList = SHGetImageListFunction();
  if (!getImageList) return;
  void* out = nullptr;
  if (FAILED(getImageList(ShilOf(list), kIidImageList, &out)) || !out) return;
  list_ = AdoptReference(static_cast<IUnknown*>(out));  // the reference SHGetImageList gave
  handle_ = reinterpret_cast<HIMAGELIST>(out);
}

int TShellImageList::IconSize() const {
  int width = 0, height = 0;
  if (!handle_ || !::ImageList_GetIconSize(handle_, &width, &height)) return 0;
  return width;
}

TBitmap32 ImageListIcon(HIMAGELIST list, int index) {
  int width = 0, height = 0;
  if (!list || index < 0 || index >= ::ImageList_GetImageCount(list) ||
      !::ImageList_GetIconSize(list, &width, &height) || width <= 0 || height <= 0)
    return TBitmap32();
  // Drawn over black and over white: where the two agree the icon covers the
  // pixel, where they differ by the background it lets it through. That
  // gives the alpha of icons with an alpha channel and of masked ones alike.
  const TBitmap32 overBlack = RenderOver(list, index, width, height, kColor32Black);
  const TBitmap32 overWhite = RenderOver(list, index, width, height, kColor32White);
  return ImageFromBlackAndWhiteRenderings(overBlack, overWhite, 1);
}

void TScaledIconList::SetIconSize(int targetSize) {
  size_ = targetSize;
  made_.clear();
  own_.Reset();
  fallback_.reset();
  const auto sizeOf = [](TShellIconList list, int usual) {
    const int size = TShellImageList(list).IconSize();
    return size > 0 ? size : usual;
  };
  source_ = IconSourceFor(targetSize, sizeOf(TShellIconList::Small, 16), sizeOf(TShellIconList::Large, 32),
                          sizeOf(TShellIconList::ExtraLarge, 48));
  primary_ = std::make_unique<TShellImageList>(source_.List);
  if (!primary_->Handle() && source_.Fallback != source_.List) {
    // No such list on this system (the jumbo one before Vista).
    primary_ = std::make_unique<TShellImageList>(source_.Fallback);
    source_.List = source_.Fallback;
    source_.ListSize = source_.FallbackSize;
  }
  if (source_.Fallback != source_.List) fallback_ = std::make_unique<TShellImageList>(source_.Fallback);
  if (primary_->Handle() && primary_->IconSize() == targetSize) return;  // the shell's icons as they are
  own_.Reset(::ImageList_Create(targetSize, targetSize, ILC_COLOR32, 16, 16));
  if (own_) ::ImageList_SetBkColor(own_.Get(), CLR_NONE);
}

HIMAGELIST TScaledIconList::Handle() const noexcept {
  if (own_) return own_.Get();
  return primary_ ? primary_->Handle() : nullptr;
}

TBitmap32 TScaledIconList::SourceIcon(int shellIndex) {
  TBitmap32 icon = primary_ ? ImageListIcon(primary_->Handle(), shellIndex) : TBitmap32();
  // A jumbo icon without a large image is the small one in a corner: the
  // fallback list shows it whole.
  if (source_.List == TShellIconList::Jumbo && !icon.Empty() && IsSmallImageOnLargeCanvas(icon, source_.FallbackSize))
    icon = TBitmap32();
  if (icon.Empty() && fallback_) icon = ImageListIcon(fallback_->Handle(), shellIndex);
  return icon;
}

int TScaledIconList::IndexOf(int shellIndex) {
  if (!own_) {
    const bool known =
        primary_ && primary_->Handle() && shellIndex >= 0 && shellIndex < ::ImageList_GetImageCount(primary_->Handle());
    return known ? shellIndex : -1;
  }
  const auto found = made_.find(shellIndex);
  if (found != made_.end()) return found->second;
  int index = -1;
  const TBitmap32 icon = SourceIcon(shellIndex);
  if (!icon.Empty()) {
    const TBitmap bitmap = CreateDeviceBitmap(ResizeIcon(icon, size_), TDibAlpha::Straight);
    if (bitmap) index = ::ImageList_Add(own_.Get(), bitmap.Get(), nullptr);
  }
  made_[shellIndex] = index;
  return index;
}
