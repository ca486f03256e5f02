// The shell's icons at exactly the size a view needs. The shell keeps its
// icons in a few image lists of fixed sizes that share one index per icon;
// TScaledIconList picks the list that looks sharpest at the target size
// (core/IconScaling.h) and, when that list's size is not the target, keeps an
// image list of its own at the target size, made one icon at a time as the
// view asks for them.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <wrl/client.h>

#include <memory>
#include <unordered_map>

#include "core/raster/IconScaling.h"
#include "shared/ScopedWin.h"

// One of the shell's image lists (SHGetImageList, looked up at run time); null
// when the system has no such list (the jumbo one before Vista). Holds a
// reference to the list for its scope.
class TShellImageList {
public:
  explicit TShellImageList(TShellIconList list);
  HIMAGELIST Handle() const noexcept { return handle_; }
  // The list's icon width in pixels; 0 without a list.
  int IconSize() const;

private:
  Microsoft::WRL::ComPtr<IUnknown> list_;
  HIMAGELIST handle_ = nullptr;
};

// The icon of a list drawn into a 32-bit image with its alpha; empty when
// the list has no such icon.
TBitmap32 ImageListIcon(HIMAGELIST list, int index);

class TScaledIconList {
public:
  TScaledIconList() = default;
  TScaledIconList(const TScaledIconList&) = delete;
  TScaledIconList& operator=(const TScaledIconList&) = delete;

  // Icons of targetSize pixels from now on; the icons made so far go.
  void SetIconSize(int targetSize);
  int IconSize() const noexcept { return size_; }
  // The list to draw from: the shell's own when it has the size, else ours.
  // Null before SetIconSize or when the shell gives no list at all.
  HIMAGELIST Handle() const noexcept;
  // The index in Handle() of the icon at the shell's index (as
  // TSysImageList gives it); -1 when it cannot be made.
  int IndexOf(int shellIndex);
  // Whether the icons are made here rather than taken from the shell's list.
  bool Scales() const noexcept { return static_cast<bool>(own_); }

private:
  TBitmap32 SourceIcon(int shellIndex);

  int size_ = 0;
  TIconSource source_;
  std::unique_ptr<TShellImageList> primary_;   // the list the icons come from
  std::unique_ptr<TShellImageList> fallback_;  // for icons the first one lacks
  TImageListHandle own_;                       // at the target size, when scaling
  std::unordered_map<int, int> made_;          // shell index -> index in own_
};
