// The form's views: the stack, the grid and the menu built from the core's
// plan of a folder, the grid's pictures, and the captions and hints of the
// entries as they are painted.
#include <algorithm>
#include <thread>
#include <utility>

#include "core/base/PathUtils.h"
#include "core/imaging/ImageDecoders.h"
#include "core/imaging/ThumbnailSources.h"
#include "core/imaging/Thumbnails.h"
#include "core/raster/Blend.h"
#include "core/viewer/EntryHints.h"
#include "core/viewer/EntryPainting.h"
#include "shared/DeviceBitmap.h"
#include "shared/ExtraWinUtils.h"
#include "shared/Monitors.h"
#include "shared/RegUtils.h"
#include "shared/ShellThumbnails.h"
#include "shared/WindowsVersion.h"
#include "viewer/Main.h"

#include "shared/TextMeasure.h"
#include "viewer/Trace.h"

namespace {

const wchar_t kListSeparator[] = L"-|-";

RECT ToRect(const TRectI& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// Sub-folders and files of a folder as a hint counts them.
void CountFolderContents(const std::wstring& folder, long long& folders, long long& files) {
  std::wstring list;
  ListFolders(folder + L"\\*", kListSeparator, folders, list);
  list.clear();
  ListFiles(folder + L"\\*.*", kListSeparator, files, false, faReadOnly | faSysFile | faArchive, list);
}

// A tile's picture from the first of its sources that gives one (on a
// worker thread).
std::optional<TBitmap32> MakeThumbnail(const std::wstring& path, int size, bool shell) {
  return FirstThumbnail(ThumbnailSources({IsImageFile(path), shell, true}),
                        [&](TThumbnailSource source) -> std::optional<TBitmap32> {
                          switch (source) {
                            case TThumbnailSource::ShellCache:
                              return ShellThumbnail(path, size, TShellThumbnailMode::CacheOnly);
                            case TThumbnailSource::ShellExtract:
                              return ShellThumbnail(path, size, TShellThumbnailMode::Extract);
                            case TThumbnailSource::Decoder: {
                              TBitmap32 thumbnail(size, size);
                              if (!LoadThumbnail(path, thumbnail, true)) return std::nullopt;
                              return thumbnail;
                            }
                          }
                          return std::nullopt;
                        });
}

TToolbarItem ItemFor(const TStackEntry& entry, int width, int height, TItemDisplay display) {
  TToolbarItem item;
  item.Caption = entry.Caption;
  item.Hint = entry.Hint;
  item.Name = entry.Name;
  item.Tag = entry.Tag;
  item.Kind = static_cast<int>(entry.Kind);
  item.Width = width;
  item.Height = height;
  item.Display = display;
  return item;
}

}  // namespace

TFolderListing TFormMain::ListFolder(const std::wstring& folder) {
  TFindFileSource source;
  return ListFolderEntries(source, folder);
}

TViewRequest TFormMain::ViewRequest(const std::wstring& folder) const {
  TViewRequest request;
  request.Folder = folder;
  request.StackFolder = StackFolder;
  request.Options = Options;
  request.WindowsFolder = GetWindowsFolder();
  request.WorkArea = MonitorWorkArea(MonitorIndex);
  request.Metrics = metrics_;
  request.SortKey = &SortKeyIgnoringCase;
  request.ShellThumbnails = OffersShellThumbnails(ReadWindowsVersion());
  return request;
}

// Threads that decode the grid's pictures: one per core, unless the product's
// test-only key, which users never have, names a count (the benchmark
// compares one worker with two).
unsigned TFormMain::ThumbnailWorkers(std::size_t pictures) const {
  return ThumbnailWorkersFor(RegReadInteger(kRegCompany, kRegApplication, L"Testing", L"ThumbnailWorkers", 0),
                             std::thread::hardware_concurrency(), pictures);
}

TFolderListing TFormMain::ListFolderTraced(const std::wstring& folder) {
  TFolderListing listing = ListFolder(folder);
  TraceMark(L"listing");
  viewListing_ = listing;
  return listing;
}

TStackPlan TFormMain::PlanStackOf(const std::wstring& folder, TFolderListing listing) {
  // The stack toolbar's own font measures its entries.
  TStackPlan plan = PlanStack(std::move(listing), ViewRequest(folder),
                              [this](const std::wstring& text) { return TextWidth(stackFont_.Get(), text); });
  TraceMark(L"captions (stack)");
  return plan;
}

void TFormMain::BuildStack(const std::wstring& folder) {
  ApplyStack(folder, PlanStackOf(folder, ListFolderTraced(folder)));
}

void TFormMain::ApplyStack(const std::wstring& folder, const TStackPlan& plan) {
  viewFolder_ = folder;
  FollowViewFolder();
  // The column is rebuilt out of sight and shown again once the window is placed.
  ::ShowWindow(ToolbarStack.Handle(), SW_HIDE);
  ToolbarStack.Clear();
  SetCaption(plan.Caption);
  ToolbarStack.SetImageList(icons_.Handle());
  for (const TStackEntry& entry : plan.Entries) {
    TToolbarItem item = ItemFor(entry, plan.EntryWidth, plan.EntryHeight, TItemDisplay::ImageAndText);
    item.ImageIndex = icons_.IndexOf(entryIcons_.IndexOf(entry));
    ToolbarStack.AddItem(std::move(item));
  }
  TraceMark(L"icons");
  const TSizeI client = plan.Client;
  ::SetWindowPos(DockLeft.Handle(), nullptr, 0, 0, client.Width, client.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(ToolbarStack.Handle(), nullptr, 0, 0, client.Width, client.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  // The new size goes straight into the placement, which sizes and moves the
  // window in one step: nothing depends on a size read back in between.
  SIZE outer = OuterSizeOf(client.Width, client.Height);
  if (plan.OuterHeight) outer.cy = *plan.OuterHeight;
  DoOpenAnimation(outer);
  TraceMark(L"layout");
}

void TFormMain::SetCaption(const std::wstring& caption) { ::SetWindowTextW(Handle(), caption.c_str()); }

void TFormMain::BuildGrid(const std::wstring& folder) { BuildGrid(folder, ListFolderTraced(folder)); }

void TFormMain::BuildGrid(const std::wstring& folder, TFolderListing listing) {
  // The pictures of the folder shown before are not wanted any more.
  StopThumbnails();
  viewFolder_ = folder;
  FollowViewFolder();
  grid_ = PlanGrid(std::move(listing), ViewRequest(folder));
  TraceMark(L"captions (grid)");

  SetCaption(grid_.CleaningUpCaption());
  ::ShowWindow(ToolbarGrid.Handle(), SW_HIDE);
  ToolbarGrid.Clear();
  SetCaption(grid_.LoadingCaption());
  ToolbarGrid.SetImageList(icons_.Handle());
  // The workers start on the pictures while this thread looks up the icons.
  StartThumbnails();

  for (const TGridTile& tile : grid_.Tiles) {
    const TStackEntry& entry = tile.Entry;
    TToolbarItem item = ItemFor(entry, grid_.TileWidth, grid_.TileHeight, TItemDisplay::ImageAboveCaption);
    switch (entry.Kind) {
      case TEntryKind::GoBack:
        item.OnDrawHint = [this](const TToolbarItem& i, std::wstring& h, bool& p) { DockItemDrawHintGoBack(i, h, p); };
        break;
      case TEntryKind::Folder:
        item.OnDrawHint = [this](const TToolbarItem& i, std::wstring& h, bool& p) { DockItemDrawHintFolder(i, h, p); };
        break;
      case TEntryKind::Explore:
        item.OnDrawHint = [this](const TToolbarItem& i, std::wstring& h, bool& p) { DockItemDrawHintExplore(i, h, p); };
        break;
      case TEntryKind::File:
        item.OnDrawHint = [this](const TToolbarItem& i, std::wstring& h, bool& p) { DockItemDrawHintFile(i, h, p); };
        break;
    }
    // A picture tile shows its file's icon until its picture is made.
    item.ImageIndex = icons_.IndexOf(entryIcons_.IndexOf(entry));
    ToolbarGrid.AddItem(std::move(item));
  }
  TraceMark(L"icons");

  const TSizeI client = grid_.Client;
  ToolbarGrid.SetLayout(TToolbarLayout::WrapRows, grid_.Shape.Columns);
  ::SetWindowPos(DockTop.Handle(), nullptr, 0, 0, client.Width, client.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(ToolbarGrid.Handle(), nullptr, 0, 0, client.Width, client.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  DoOpenAnimation(OuterSizeOf(client.Width, client.Height));
  // The caption counts the pictures still to come, or is the name alone.
  placedAt_ = ::GetTickCount();
  SetCaption(grid_.CaptionWithPicturesPlaced(0));
  TraceMark(L"layout");
}

void TFormMain::StartThumbnails() {
  // The pictures of the folder shown before go with their list. Room for
  // every picture from the start: a list that grows a few images at a time
  // copies all of them on every step.
  const int size = metrics_.IconSize;
  ILImagePreviews.Create(size, size, ILC_COLOR32, static_cast<int>(std::max<std::size_t>(grid_.Pictures.size(), 1)));
  if (grid_.Pictures.empty()) return;
  // Finished pools of folders left before are dropped now; one still
  // waiting for a slow picture is kept until it returns, so leaving a
  // folder never waits for its pictures.
  retiredThumbnails_.erase(std::remove_if(retiredThumbnails_.begin(), retiredThumbnails_.end(),
                                          [](const std::unique_ptr<TThumbnailPool>& pool) { return pool->Finished(); }),
                           retiredThumbnails_.end());
  thumbnailJob_ = Dispatcher.StartJob();
  const std::uint64_t job = thumbnailJob_;
  // From Vista on the shell's thumbnail cache is asked first, and the shell
  // makes the pictures of files our decoders do not read; its objects need
  // COM on the workers.
  const bool shell = OffersShellThumbnails(ReadWindowsVersion());
  thumbnails_ = std::make_unique<TThumbnailPool>(
      grid_.Pictures, [size, shell](const std::wstring& path) { return MakeThumbnail(path, size, shell); },
      [this, job] { Dispatcher.Post(job, [this] { PlaceThumbnails(); }); }, ThumbnailWorkers(grid_.Pictures.size()),
      shell ? TThumbnailPool::TWorkerScope([] { return std::make_shared<TComInitMultithreaded>(); })
            : TThumbnailPool::TWorkerScope());
}

void TFormMain::PlaceThumbnails() {
  if (!thumbnails_ || placeTimerSet_) return;
  // The pictures that came are placed, and the caption counts them, at most
  // every kProgressCaptionMilliseconds: each placing repaints and retitles
  // the window, which would otherwise take the time the workers need.
  const std::uint32_t now = ::GetTickCount();
  if (!ProgressCaptionDue(placedAt_, now, false)) {
    placeTimerSet_ = ::SetTimer(Handle(), kPlacePicturesTimer, kProgressCaptionMilliseconds, nullptr) != 0;
    if (placeTimerSet_) return;
  }
  placedAt_ = now;
  const std::size_t before = thumbnails_->Taken();
  while (std::optional<TThumbnailPool::TResult> result = thumbnails_->TakeNext()) {
    if (!result->Picture) continue;  // the tile keeps its icon
    const int index = AddThumbnail(*result->Picture);
    if (index >= 0) ToolbarGrid.SetItemImage(grid_.PictureTiles[result->Index], ILImagePreviews.Handle(), index);
  }
  if (thumbnails_->Taken() == before) return;
  SetCaption(grid_.CaptionWithPicturesPlaced(thumbnails_->Taken()));
  if (!thumbnails_->AllTaken()) return;
  TraceMark(L"last picture");
  WriteTrace();
  StopThumbnails();
}

void TFormMain::PlacePicturesTimerTimer() {
  ::KillTimer(Handle(), kPlacePicturesTimer);
  placeTimerSet_ = false;
  placedAt_ = ::GetTickCount() - kProgressCaptionMilliseconds;
  PlaceThumbnails();
}

void TFormMain::StopThumbnails() {
  if (placeTimerSet_) ::KillTimer(Handle(), kPlacePicturesTimer);
  placeTimerSet_ = false;
  if (!thumbnails_) return;
  Dispatcher.CancelJob(thumbnailJob_);
  thumbnails_->Cancel();
  if (thumbnails_->Finished())
    thumbnails_.reset();
  else
    retiredThumbnails_.push_back(std::move(thumbnails_));
}

int TFormMain::AddThumbnail(const TBitmap32& picture) {
  const TBitmap bitmap = CreateDeviceBitmap(picture, TDibAlpha::Straight);
  return bitmap ? ::ImageList_Add(ILImagePreviews.Handle(), bitmap.Get(), nullptr) : -1;
}

void TFormMain::BuildMenu(const std::wstring& folder, TMenuItem* parent) {
  TMenuItem& target = parent ? *parent : PopupMenu.Root;
  target.Clear();
  const std::wstring listed = folder.empty() ? StackFolder : folder;
  for (const TMenuLine& line : PlanMenu(ListFolder(listed), ViewRequest(listed))) {
    TMenuItem& item = target.Add();
    item.Separator = line.Kind == TMenuLineKind::Separator;
    item.SubMenu = line.Kind == TMenuLineKind::SubMenu;
    item.Caption = line.Entry.Caption;
    item.Hint = line.Entry.Hint;
    item.Tag = line.Entry.Tag;
    item.IconPath = line.Entry.IconPath;
    if (item.SubMenu)
      item.OnClick = [this](TMenuItem& opened) { PopupMenuDisplayMenu(opened); };
    else if (!item.Separator)
      item.OnClick = [this](TMenuItem& chosen) { PopupMenuItemExecute(chosen); };
  }
}

void TFormMain::DockItemDrawCaption(const TToolbar& toolbar, const TToolbarItem& item, HDC dc, const RECT& clientArea,
                                    RECT& captionRect, TPaintStage stage, bool& paintDefault) {
  if (stage == TPaintStage::PostPaint) return;
  paintDefault = false;
  const TRectI client = ToRectI(clientArea);
  const TRectI rect = CaptionRectFor(ViewKind, ToRectI(captionRect), client, metrics_);
  captionRect = ToRect(rect);
  if (client.Width() <= 0 || client.Height() <= 0) return;
  if (!captionFont_) {
    captionFont_ = std::make_unique<TGdiTextRenderer>(
        fontDescription_.Name, CaptionPointSize(ViewKind, fontDescription_.PointSize), true, metrics_.Dpi);
  }
  // The text layer and the background under the entry, both the size of the
  // entry's client area; the caption rectangle in their coordinates.
  TBitmap32 text(client.Width(), client.Height());
  text.SetDrawMode(TDrawMode::Blend);
  PaintCaption(
      text, *captionFont_, MoveRectEdges(rect, -client.Left, -client.Top, -client.Left, -client.Top), item.Caption,
      look_.Halo ? CaptionRecipeFor(ViewKind, TextColor)
                 : PlainCaptionRecipeFor(ViewKind, toolbar.PaintingHighlighted() ? look_.HighlightText : look_.Text));
  TBitmap32 background = CopyFromDC(dc, client);
  DrawBitmap(background, 0, 0, text);
  PaintBitmap32(dc, client.Left, client.Top, background);
}

void TFormMain::DockItemDrawHintFolder(const TToolbarItem&, std::wstring& hint, bool& paintDefault) {
  if (ViewKind != TViewKind::Grid) return;
  long long folders = 0, files = 0;
  CountFolderContents(StripTrailingBackslash(hint), folders, files);
  hint = FolderHintText(hint, folders, files);
  paintDefault = true;
}

void TFormMain::DockItemDrawHintFile(const TToolbarItem&, std::wstring& hint, bool& paintDefault) {
  if (ViewKind != TViewKind::Grid) return;
  hint = FileHintText(hint, Options.HideExtensions, ReadFileFacts(hint));
  paintDefault = true;
}

void TFormMain::DockItemDrawHintGoBack(const TToolbarItem&, std::wstring& hint, bool& paintDefault) {
  if (ViewKind != TViewKind::Grid) return;
  hint = GoBackHintText(hint);
  paintDefault = true;
}

void TFormMain::DockItemDrawHintExplore(const TToolbarItem&, std::wstring& hint, bool& paintDefault) {
  if (ViewKind != TViewKind::Grid) return;
  hint = ExploreHintText(hint);
  paintDefault = true;
}
