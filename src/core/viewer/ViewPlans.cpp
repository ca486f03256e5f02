#include "core/viewer/ViewPlans.h"

#include "core/base/PathUtils.h"
#include "core/imaging/ImageDecoders.h"
#include "core/imaging/ThumbnailSources.h"
#include "core/viewer/Placement.h"

namespace {

long long EntryCount(const TFolderListing& listing) {
  return static_cast<long long>(listing.Folders.size() + listing.Files.size());
}

std::vector<TStackEntry> Entries(const TFolderListing& listing, const TViewRequest& request, TViewKind view,
                                 bool crowded) {
  return BuildEntries(listing, request.Folder, view, request.StackFolder, request.Options, crowded,
                      request.WindowsFolder);
}

bool GetsPicture(const std::wstring& file, const TViewRequest& request) {
  return !ThumbnailSources({IsImageFile(file), request.ShellThumbnails, request.Options.ShowThumbnails}).empty();
}

}  // namespace

TStackPlan PlanStack(TFolderListing listing, const TViewRequest& request, const TTextWidth& measure) {
  const TViewMetrics& metrics = request.Metrics;
  const std::int32_t workHeight = request.WorkArea.Height();
  TStackPlan plan;
  plan.Caption = ExtractLastFolderName(request.Folder);
  // Measured before sorting: the first of the longest names in listed order.
  plan.EntryWidth = EntryWidth(measure(GoBackText(request.Folder)), measure(LongestName(listing)), metrics);
  plan.EntryHeight = metrics.StackEntryHeight;
  SortListing(listing, request.SortKey, request.Options.Sort);
  plan.Crowded = IsCrowded(workHeight, EntryCount(listing), metrics);
  plan.FallsBackToGrid = StackFallsBackToGrid(workHeight, EntryCount(listing), metrics);
  plan.Entries = Entries(listing, request, TViewKind::Stack, plan.Crowded);
  plan.Client = StackClientSize(plan.EntryWidth, plan.Entries.size(), metrics);
  if (workHeight < plan.Client.Height) plan.OuterHeight = StackOuterHeight(0, plan.Client.Height, workHeight, metrics);
  return plan;
}

std::wstring TGridPlan::LoadingCaption(std::size_t fileNumber) const {
  return Name + L" (Loading " + std::to_wstring(fileNumber) + L" of " + std::to_wstring(AllFiles) + L")";
}

std::wstring TGridPlan::CaptionWithPicturesPlaced(std::size_t placed) const {
  if (placed >= PictureTiles.size()) return Name;
  return LoadingCaption(Tiles[PictureTiles[placed]].FileNumber);
}

TGridPlan PlanGrid(TFolderListing listing, const TViewRequest& request) {
  const TViewMetrics& metrics = request.Metrics;
  TGridPlan plan;
  plan.Name = ExtractLastFolderName(request.Folder);
  SortListing(listing, request.SortKey, request.Options.Sort);
  plan.AllFiles = listing.Files.size();
  LimitListingToGrid(listing, GridCapacity(request.WorkArea.Width(), request.WorkArea.Height(), metrics));
  std::size_t fileNumber = 0;
  for (TStackEntry& entry : Entries(listing, request, TViewKind::Grid, false)) {
    TGridTile tile;
    if (entry.Kind == TEntryKind::File) {
      tile.FileNumber = ++fileNumber;
      tile.Picture = GetsPicture(entry.Hint, request);
      if (tile.Picture) {
        plan.Pictures.push_back(entry.Hint);
        plan.PictureTiles.push_back(plan.Tiles.size());
      }
    }
    tile.Entry = std::move(entry);
    plan.Tiles.push_back(std::move(tile));
  }
  plan.TileWidth = metrics.GridTileWidth;
  plan.TileHeight = metrics.GridTileHeight;
  plan.Shape = GridShape(plan.Tiles.size());
  plan.Client = GridClientSize(plan.Shape, metrics);
  return plan;
}

std::vector<TMenuLine> PlanMenu(TFolderListing listing, const TViewRequest& request) {
  SortListing(listing, request.SortKey, request.Options.Sort);
  return MenuLines(Entries(listing, request, TViewKind::Menu, false), request.Options.BrowseFolders);
}
