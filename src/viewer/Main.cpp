#include "viewer/Main.h"

#include <windowsx.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "core/viewer/Activation.h"
#include "core/viewer/Animation.h"
#include "core/viewer/AppComm.h"
#include "core/raster/Blend.h"
#include "core/viewer/EntryHints.h"
#include "core/viewer/EntryPainting.h"
#include "core/viewer/GridLayout.h"
#include "core/imaging/ImageDecoders.h"
#include "core/viewer/JumpListTasks.h"
#include "core/viewer/KeyboardSelection.h"
#include "core/base/PathUtils.h"
#include "core/viewer/Placement.h"
#include "core/viewer/StackLayout.h"
#include "core/imaging/Thumbnails.h"
#include "shared/DeviceBitmap.h"
#include "shared/ExtraWinUtils.h"
#include "shared/Monitors.h"
#include "shared/RegUtils.h"
#include "shared/ShellDrag.h"
#include "shared/ShellItemMenu.h"
#include "shared/ShellLinkUtils.h"
#include "shared/ShellProcessRef.h"
#include "toolkit/Application.h"
#include "toolkit/WindowDpi.h"
#include "viewer/HelpText.h"

namespace {

const wchar_t kFormClass[] = L"THeapviewForm";
const wchar_t kCreatorFile[] = L"Heapmaker.exe";
const COLORREF kGray = RGB(128, 128, 128);
const COLORREF kBlack = RGB(0, 0, 0);

const wchar_t kListSeparator[] = L"-|-";
// Posted to the form to pop the menu view's menu up.
constexpr UINT kPopUpMenuMessage = WM_APP + 1;
// The hidden view's look at whether the shell is done in this process.
constexpr UINT_PTR kShellLeftoversTimer = 1;
constexpr UINT kShellLeftoversPeriod = 200;
// How long a hidden view waits for the window of a verb that shows one, when
// the shell took no reference on the process to say it is coming.
constexpr DWORD kShellWindowGrace = 2000;

// Counts a shell menu, verb or drag under way for its scope.
class TShellBusy {
public:
  explicit TShellBusy(int& count) : count_(count) { ++count_; }
  ~TShellBusy() { --count_; }
  TShellBusy(const TShellBusy&) = delete;
  TShellBusy& operator=(const TShellBusy&) = delete;

private:
  int& count_;
};

// Only files and folders are dragged out.
bool IsFileOrFolderItem(const TToolbarItem& item) {
  return !item.Hint.empty() &&
         (item.Kind == static_cast<int>(TEntryKind::File) || item.Kind == static_cast<int>(TEntryKind::Folder));
}

RECT ToRect(const TRectI& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

// Sub-folders and files of a folder as a hint counts them.
void CountFolderContents(const std::wstring& folder, long long& folders, long long& files) {
  std::wstring list;
  ListFolders(folder + L"\\*", kListSeparator, folders, list);
  list.clear();
  ListFiles(folder + L"\\*.*", kListSeparator, files, false, faReadOnly | faSysFile | faArchive, list);
}

// Threads that decode the grid's pictures: one per core, unless the product's
// test-only key, which users never have, names a count (the benchmark
// compares one worker with two).
unsigned ThumbnailWorkers(std::size_t pictures) {
  const int forced = RegReadInteger(kRegCompany, kRegApplication, L"Testing", L"ThumbnailWorkers", 0);
  return ThumbnailWorkerCount(forced > 0 ? static_cast<unsigned>(forced) : std::thread::hardware_concurrency(),
                              pictures);
}

int TextWidth(HFONT font, const std::wstring& text) {
  const TScreenDC screen;
  const TSelectObject select(screen.Get(), font);
  SIZE size = {0, 0};
  ::GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

}  // namespace

TFormMain::TFormMain(std::vector<std::wstring> args) : args_(std::move(args)) {
  JumpList.DisplayFrequent = false;
  JumpList.DisplayRecent = false;
}

void TFormMain::FormCreate() {
  NoteCursorAndMonitor();
  ApplySystemFontToForm();
  metrics_ = ViewMetricsFor(MonitorDpiByIndex(MonitorIndex));

  const TViewerCommand command = ParseViewerCommand(args_);
  if (HandOnCreatorCommand(command)) return;

  StackFolder = command.StackFolder;
  ReadPreferences();
  SetUpSecondClickClosing();
  RebuildJumpList();
  // A viewer that closed the open one of its stack shows nothing and ends.
  if (endWithoutWindow_) return;
  ViewKind = command.ViewKind;
  Options = command.Options;
  frame_ = ChooseViewerFrame(ViewKind, Animate, Options.Clear);
  AnimateOpen = frame_.AnimateOpen;
  CreateFormWindow();
  ApplyDpi(metrics_.Dpi);
  ApplyBackground();
  FallBackToGridIfTooTall();

  switch (ViewKind) {
    case TViewKind::Stack:
      ::ShowWindow(DockLeft.Handle(), SW_SHOWNA);
      SysImgList.SetIconSize(TIconSize::isLargeIcons);
      BuildStack(StackFolder);
      break;
    case TViewKind::Grid:
      ::ShowWindow(DockTop.Handle(), SW_SHOWNA);
      SysImgList.SetIconSize(TIconSize::isLargeIcons);
      BuildGrid(StackFolder);
      break;
    case TViewKind::Menu:
      SysImgList.SetIconSize(TIconSize::isSmallIcons);
      // The window is an invisible point (transparent since its creation)
      // that owns the menu; the menu pops up at the cursor once it is active.
      ::SetWindowPos(Handle(), nullptr, -1, -1, 1, 1, SWP_NOZORDER | SWP_NOACTIVATE);
      PopupMenu.ImageIndexOf = [this](const std::wstring& path) {
        return smallIcons_.IndexOf(SysImgList.GetIconIndex(path, 0));
      };
      PopupMenu.OnClosePopup = [this] { PopupMenuClosePopup(); };
      PopupMenu.OnItemContextMenu = [this](TMenuItem& item, POINT screen, bool extended) {
        PopupMenuItemContextMenu(item, screen, extended);
      };
      BuildMenu(StackFolder, nullptr);
      break;
    case TViewKind::Help: ShowHelpWindow(); break;
  }
}

void TFormMain::NoteCursorAndMonitor() {
  ::GetCursorPos(&StartCursorPos);
  MonitorIndex = MonitorIndexNearest(StartCursorPos);
}

bool TFormMain::HandOnCreatorCommand(const TViewerCommand& command) {
  if (!command.CreatorParameters) return false;
  // Whether the creator could be started is not looked at: the viewer's part
  // ends here either way.
  RunFile(GetProgramFolder() + kCreatorFile, *command.CreatorParameters);
  endWithoutWindow_ = true;
  return true;
}

void TFormMain::ReadPreferences() {
  // Only the low 8 bits of the colour scheme count, so 257 reads as 1.
  TextColor = static_cast<std::uint8_t>(RegReadInteger(kRegCompany, kRegApplication, kRegSection, L"TextColor", 1));
  Animate = RegReadBool(kRegCompany, kRegApplication, kRegSection, L"DoAnim", true);
  CloseBySecondClick = RegReadBool(kRegCompany, kRegApplication, kRegSection, L"CloseBy2ndClick", false);
}

void TFormMain::SetUpSecondClickClosing() {
  // Without the preference this viewer neither looks for others nor joins a
  // group, so no later viewer closes it by a second click.
  AppSend.SetEnabled(CloseBySecondClick);
  AppRecv.SetEnabled(CloseBySecondClick);
  if (!CloseBySecondClick) return;
  AppRecv.OnReceiveData = [this](HWND sender, const std::vector<std::uint8_t>& data) {
    AppRecvReceiveData(sender, data);
  };
  // Asked before this viewer joins the group, so it never finds itself.
  if (OtherInstanceRunning(StackFolder)) {
    endWithoutWindow_ = true;
    CloseOtherInstances(StackFolder);
  }
  AppRecv.SetGroupName(StackFolder);
}

bool TFormMain::OtherInstanceRunning(const std::wstring& folder) {
  return !AppSend.FindReceiversByName(folder, true).empty();
}

void TFormMain::CloseOtherInstances(const std::wstring& folder) {
  // Each send returns when that viewer has handled the command, its closing
  // slide included (or when it did not answer in time).
  for (const HWND receiver : AppSend.FindReceiversByName(folder, true)) {
    const TAppCommData block = MakeCloseCommand(NowDayTime());
    AppSend.SendData(receiver, &block, sizeof block);
  }
}

void TFormMain::AppRecvReceiveData(HWND, const std::vector<std::uint8_t>& data) {
  if (IsCloseCommand(data)) DoCloseAnimation();
}

void TFormMain::RebuildJumpList() {
  // The tasks describe the stack started last from this program file; the
  // result of the commit is not looked at (no list before Windows 7).
  JumpList.Tasks.clear();
  for (const TJumpTask& task : ViewerJumpTasks(GetProgramPath(), StackFolder, args_.empty() ? L"" : args_.front()))
    JumpList.Tasks.AddShellLink(task.Title, task.Arguments, task.IconIndex, task.IconFile);
  JumpList.Commit();
}

void TFormMain::ApplySystemFontToForm() {
  ApplySystemFont(fontDescription_);
  font_ = CreateFontFromDescription(fontDescription_);
}

void TFormMain::ApplyDpi(int dpi) {
  metrics_ = ViewMetricsFor(dpi);
  // Point sizes stay; their pixels follow the monitor, not the system.
  font_ = CreateFontForDpi(fontDescription_, metrics_.Dpi);
  stackFont_ = CreateFontForDpi({L"MS Sans Serif", 8}, metrics_.Dpi);
  captionFont_.reset();
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  ToolbarStack.SetFont(stackFont_.Get());
  ToolbarGrid.SetFont(font_.Get());
  for (TToolbar* toolbar : {&ToolbarStack, &ToolbarGrid}) {
    toolbar->SetPadding(metrics_.ToolbarPadding);
    toolbar->SetIconSize(metrics_.IconSize, metrics_.Dpi);
  }
  // Only the lists the view shows are made.
  if (ViewKind == TViewKind::Stack || ViewKind == TViewKind::Grid) icons_.SetIconSize(metrics_.IconSize);
  if (ViewKind == TViewKind::Menu) {
    smallIcons_.SetIconSize(metrics_.SmallIconSize);
    PopupMenu.Images = smallIcons_.Handle();  // the menu measures its items by the list
  }
}

void TFormMain::DpiChanged(int dpi, const RECT* suggested) {
  if (dpi <= 0 || dpi == metrics_.Dpi) return;
  // The grid's pictures are being made (messages go on meanwhile): the grid
  // is laid out again once it stands.
  if (buildingGrid_) {
    pendingDpi_ = dpi;
    return;
  }
  RECT now = {};
  ::GetWindowRect(Handle(), &now);
  const POINT centre = {now.left + (now.right - now.left) / 2, now.top + (now.bottom - now.top) / 2};
  MonitorIndex = MonitorIndexNearest(centre);
  ApplyDpi(dpi);
  switch (ViewKind) {
    case TViewKind::Stack:
    case TViewKind::Grid:
      // A view beside the taskbar is placed again by its own rules, centred
      // along the taskbar where it stands: the suggested rectangle keeps the
      // old layout scaled about the old spot, which may cover the taskbar or
      // cross the work area's edge once the view has its new size.
      StopOpeningSlide();
      StartCursorPos = centre;
      if (ViewKind == TViewKind::Stack)
        BuildStack(viewFolder_);
      else
        BuildGrid(viewFolder_);
      break;
    case TViewKind::Help: {
      // The help window is no view beside the taskbar: the suggested
      // rectangle, which keeps it under the pointer while it is dragged, is
      // the right one for it.
      const SIZE outer = OuterSizeOf(metrics_.HelpClientWidth, metrics_.HelpClientHeight);
      const POINT at = suggested ? POINT{suggested->left, suggested->top} : POINT{now.left, now.top};
      ::SetWindowPos(Handle(), nullptr, at.x, at.y, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
      ::SetWindowPos(lblHelp_.Handle(), nullptr, metrics_.HelpTextLeft, metrics_.HelpTextTop, metrics_.HelpTextWidth,
                     metrics_.HelpTextHeight, SWP_NOZORDER | SWP_NOACTIVATE);
      ZoomRichEditForDpi(lblHelp_.Handle(), metrics_.Dpi);
      break;
    }
    case TViewKind::Menu: break;  // the invisible point stays; the menu's icons follow
  }
}

void TFormMain::ApplyBackground() {
  // The help window keeps its button face.
  if (ViewKind == TViewKind::Help) return;
  if (IsGlassEnabled()) {
    // Black is what composition turns into glass; the docks are black already.
    formColor_ = kBlack;
    ExtendGlassFrame(Handle(), TRectI{-1, -1, -1, -1});
  } else {
    formColor_ = kGray;
    DockTop.SetColor(kGray);
    DockLeft.SetColor(kGray);
    ToolbarStack.SetColors(kGray, RGB(255, 255, 255));
    ToolbarGrid.SetColors(kGray, RGB(255, 255, 255));
  }
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TFormMain::CreateDocks() {
  DockTop.Create(Handle());
  DockLeft.Create(Handle());
  ToolbarGrid.Create(DockTop.Handle());
  ToolbarStack.Create(DockLeft.Handle());
  ToolbarStack.SetColors(kBlack, RGB(255, 255, 255));
  ToolbarStack.SetLayout(TToolbarLayout::SingleColumn);
  ToolbarGrid.SetColors(kBlack, RGB(255, 255, 255));
  ToolbarGrid.SetLayout(TToolbarLayout::WrapRows);
  ToolbarGrid.SetShowHints(true);
  auto onClick = [this](TToolbar&, const TToolbarItem& item) { DockItemExecute(item); };
  ToolbarStack.OnClick = onClick;
  ToolbarGrid.OnClick = onClick;
  auto onContextMenu = [this](TToolbar& toolbar, std::size_t index, POINT screen, bool extended) {
    ShowEntryMenu(toolbar, index, screen, extended);
  };
  ToolbarStack.OnContextMenu = onContextMenu;
  ToolbarGrid.OnContextMenu = onContextMenu;
  auto onBeginDrag = [this](TToolbar& toolbar, std::size_t index) { return DragEntry(toolbar, index); };
  ToolbarStack.OnBeginDrag = onBeginDrag;
  ToolbarGrid.OnBeginDrag = onBeginDrag;
  auto onDrawCaption = [this](TToolbar&, const TToolbarItem& item, HDC dc, const RECT& clientArea, RECT& captionRect,
                              TPaintStage stage, bool& paintDefault) {
    DockItemDrawCaption(item, dc, clientArea, captionRect, stage, paintDefault);
  };
  ToolbarStack.OnDrawCaption = onDrawCaption;
  ToolbarGrid.OnDrawCaption = onDrawCaption;
  auto onDescribe = [this](const TToolbarItem& item, std::wstring* description, std::wstring* action) {
    DockItemDescribe(item, description, action);
  };
  ToolbarStack.OnDescribeItem = onDescribe;
  ToolbarGrid.OnDescribeItem = onDescribe;
  Dispatcher.Create();
}

SIZE TFormMain::OuterSizeOf(int clientWidth, int clientHeight) const {
  const DWORD style = static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(Handle(), GWL_EXSTYLE));
  // The frame as the window has it now, at the DPI it is shown at.
  return OuterSizeForClientAtDpi(clientWidth, clientHeight, style, exStyle, WindowDpi(Handle()));
}

TFolderListing TFormMain::ListFolder(const std::wstring& folder) {
  TFindFileSource source;
  return ListFolderEntries(source, folder);
}

void TFormMain::FallBackToGridIfTooTall() {
  if (ViewKind != TViewKind::Stack) return;
  const TFolderListing listing = ListFolder(StackFolder);
  const auto entries = static_cast<long long>(listing.Folders.size() + listing.Files.size());
  if (StackFallsBackToGrid(MonitorWorkArea(MonitorIndex).Height(), entries, metrics_)) ViewKind = TViewKind::Grid;
}

void TFormMain::CreateFormWindow() {
  // The program's own icon on the caption bar and the taskbar (a shared resource icon).
  TWindow::RegisterWindowClass(kFormClass, ::GetSysColorBrush(COLOR_BTNFACE),
                               ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON"));
  DWORD style = WS_POPUP | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_TOPMOST;
  switch (frame_.Border) {
    case TBorderStyle::None: break;
    case TBorderStyle::Single: style |= WS_CAPTION; break;
    case TBorderStyle::ToolWindow:
      style |= WS_CAPTION;
      exStyle |= WS_EX_TOOLWINDOW;
      break;
    case TBorderStyle::Dialog:
      style |= WS_CAPTION;
      exStyle |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (frame_.SystemMenu) style |= WS_SYSMENU | WS_MINIMIZEBOX;
  if (frame_.AlphaBlend) exStyle |= WS_EX_LAYERED;
  if (!frame_.TaskbarButton) {
    hiddenOwner_.Reset(::CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr));
    if (!hiddenOwner_) throw SystemError(::GetLastError());
  }

  const SIZE outer =
      OuterSizeForClientAtDpi(metrics_.HelpClientWidth, metrics_.HelpClientHeight, style, exStyle, metrics_.Dpi);
  // Made on the monitor it is for (hidden until placed), so it has that
  // monitor's DPI, and the frame its size was worked out with, from the start.
  const TRectI work = MonitorWorkArea(MonitorIndex);
  CreateHandle(exStyle, kFormClass, L"FormMain", style, work.Left, work.Top, outer.cx, outer.cy, hiddenOwner_.Get());
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  if (frame_.AlphaBlend) ::SetLayeredWindowAttributes(Handle(), 0, frame_.Alpha, LWA_ALPHA);
  formColor_ = ::GetSysColor(COLOR_BTNFACE);
  CreateDocks();
}

void TFormMain::ShowHelpWindow() {
  ::SetWindowTextW(Handle(), L"Heapfold by Brenwick Software");
  lblHelp_.Create(Handle(), metrics_.HelpTextLeft, metrics_.HelpTextTop, metrics_.HelpTextWidth,
                  metrics_.HelpTextHeight, ::GetSysColor(COLOR_BTNFACE));
  lblHelp_.SetRtf(HelpRtf());
  ::ShowWindow(lblHelp_.Handle(), SW_SHOWNA);

  // Centred on the monitor under the cursor as it is now, by the outer size.
  MonitorIndex = CentreOnMonitorUnderCursor(Handle(), HWND_TOPMOST);
}

void TFormMain::BuildStack(const std::wstring& folder) {
  viewFolder_ = folder;
  TFolderListing listing = ListFolder(folder);
  const int nameWidth = TextWidth(stackFont_.Get(), LongestName(listing));
  const int goBackWidth = TextWidth(stackFont_.Get(), GoBackText(folder));
  const int entryWidth = EntryWidth(goBackWidth, nameWidth, metrics_);
  SortListing(listing, &SortKeyIgnoringCase);

  // The column is rebuilt out of sight and shown again once the window is placed.
  ::ShowWindow(ToolbarStack.Handle(), SW_HIDE);
  ToolbarStack.Clear();
  ::SetWindowTextW(Handle(), ExtractLastFolderName(folder).c_str());

  const int workHeight = MonitorWorkArea(MonitorIndex).Height();
  const bool crowded =
      IsCrowded(workHeight, static_cast<long long>(listing.Folders.size() + listing.Files.size()), metrics_);
  ToolbarStack.SetImageList(icons_.Handle());
  for (const TStackEntry& entry :
       BuildEntries(listing, folder, TViewKind::Stack, StackFolder, Options, crowded, GetWindowsFolder())) {
    TToolbarItem item;
    item.Caption = entry.Caption;
    item.Hint = entry.Hint;
    item.Name = entry.Name;
    item.Tag = entry.Tag;
    item.Kind = static_cast<int>(entry.Kind);
    item.ImageIndex = icons_.IndexOf(SysImgList.GetIconIndex(entry.IconPath, 0));
    item.Width = entryWidth;
    item.Height = metrics_.StackEntryHeight;
    item.Display = TItemDisplay::ImageAndText;
    ToolbarStack.AddItem(std::move(item));
  }

  const TSizeI client = StackClientSize(entryWidth, ToolbarStack.Items().size(), metrics_);
  ::SetWindowPos(DockLeft.Handle(), nullptr, 0, 0, client.Width, client.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(ToolbarStack.Handle(), nullptr, 0, 0, client.Width, client.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  // The new size goes straight into the placement, which sizes and moves the
  // window in one step: nothing depends on a size read back in between.
  SIZE outer = OuterSizeOf(client.Width, client.Height);
  outer.cy = StackOuterHeight(outer.cy, client.Height, workHeight, metrics_);
  DoOpenAnimation(outer);
}

void TFormMain::SetCaption(const std::wstring& caption) { ::SetWindowTextW(Handle(), caption.c_str()); }

void TFormMain::BuildGrid(const std::wstring& folder) {
  viewFolder_ = folder;
  buildingGrid_ = true;
  const TRectI workArea = MonitorWorkArea(MonitorIndex);
  const std::int64_t capacity = GridCapacity(workArea.Width(), workArea.Height(), metrics_);
  TFolderListing listing = ListFolder(folder);
  SortListing(listing, &SortKeyIgnoringCase);
  const std::size_t allFiles = listing.Files.size();
  const std::wstring name = ExtractLastFolderName(folder);

  SetCaption(name + L" (Cleaning up)");
  ::ShowWindow(ToolbarGrid.Handle(), SW_HIDE);
  ToolbarGrid.Clear();
  SetCaption(name + L" (Loading)");

  LimitListingToGrid(listing, capacity);
  std::vector<TStackEntry> entries =
      BuildEntries(listing, folder, TViewKind::Grid, StackFolder, Options, false, GetWindowsFolder());
  ToolbarGrid.SetImageList(icons_.Handle());

  // The pictures of the file tiles are decoded on worker threads while this
  // thread looks up the other tiles' icons; they are taken in tile order.
  std::vector<std::wstring> pictures;
  if (Options.ShowThumbnails)
    for (const std::wstring& file : listing.Files)
      if (IsImageFile(file)) pictures.push_back(file);
  // Room for every picture from the start: a list that grows a few images at
  // a time copies all of them on every step.
  const int thumbnailSize = metrics_.IconSize;
  ILImagePreviews.Create(thumbnailSize, thumbnailSize, ILC_COLOR32,
                         static_cast<int>(std::max<std::size_t>(pictures.size(), 1)));
  const std::uint64_t job = Dispatcher.StartJob();
  TThumbnailPool pool(
      pictures,
      [thumbnailSize](const std::wstring& path) -> std::optional<TBitmap32> {
        TBitmap32 thumbnail(thumbnailSize, thumbnailSize);
        if (!LoadThumbnail(path, thumbnail, true)) return std::nullopt;
        return thumbnail;
      },
      [this, job] { Dispatcher.Post(job, [] {}); }, ThumbnailWorkers(pictures.size()));

  std::size_t fileNumber = 0;
  for (const TStackEntry& entry : entries) {
    TToolbarItem item;
    item.Caption = entry.Caption;
    item.Hint = entry.Hint;
    item.Name = entry.Name;
    item.Tag = entry.Tag;
    item.Kind = static_cast<int>(entry.Kind);
    item.Width = metrics_.GridTileWidth;
    item.Height = metrics_.GridTileHeight;
    item.Display = TItemDisplay::ImageAboveCaption;
    bool hasPicture = false;
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
      case TEntryKind::File: {
        item.OnDrawHint = [this](const TToolbarItem& i, std::wstring& h, bool& p) { DockItemDrawHintFile(i, h, p); };
        SetCaption(name + L" (Loading " + std::to_wstring(++fileNumber) + L" of " + std::to_wstring(allFiles) + L")");
        if (Options.ShowThumbnails && IsImageFile(entry.Hint)) {
          std::optional<TThumbnailPool::TResult> result;
          if (!WaitForThumbnail(pool, result)) {
            Dispatcher.CancelJob(job);
            buildingGrid_ = false;
            return;  // the window closed while the pictures were made
          }
          if (result->Picture) {
            AddThumbnail(item, *result->Picture);
            hasPicture = true;
          }
        }
        break;
      }
    }
    if (!hasPicture) item.ImageIndex = icons_.IndexOf(SysImgList.GetIconIndex(entry.IconPath, 0));
    ToolbarGrid.AddItem(std::move(item));
  }
  Dispatcher.CancelJob(job);

  const TGridShape shape = GridShape(ToolbarGrid.Items().size());
  const TSizeI client = GridClientSize(shape, metrics_);
  ToolbarGrid.SetLayout(TToolbarLayout::WrapRows, shape.Columns);
  ::SetWindowPos(DockTop.Handle(), nullptr, 0, 0, client.Width, client.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetWindowPos(ToolbarGrid.Handle(), nullptr, 0, 0, client.Width, client.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  DoOpenAnimation(OuterSizeOf(client.Width, client.Height));
  SetCaption(name);
  buildingGrid_ = false;
  if (pendingDpi_ > 0) DpiChanged(std::exchange(pendingDpi_, 0), nullptr);
}

bool TFormMain::WaitForThumbnail(TThumbnailPool& pool, std::optional<TThumbnailPool::TResult>& result) {
  const HWND window = Handle();
  while (!(result = pool.TakeNext())) {
    // Messages go on while the pictures are made, so the window never looks
    // hung; the grid's toolbar is hidden, so nothing in it can be clicked.
    MSG msg;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the main loop
      return false;
    }
    if (got < 0) return false;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
    if (!::IsWindow(window)) return false;
  }
  return true;
}

void TFormMain::AddThumbnail(TToolbarItem& item, const TBitmap32& picture) {
  const TBitmap bitmap = CreateDeviceBitmap(picture, TDibAlpha::Straight);
  const int index = bitmap ? ::ImageList_Add(ILImagePreviews.Handle(), bitmap.Get(), nullptr) : -1;
  if (index < 0) return;  // the tile keeps its icon
  item.Images = ILImagePreviews.Handle();
  item.ImageIndex = index;
}

void TFormMain::DockItemDrawCaption(const TToolbarItem& item, HDC dc, const RECT& clientArea, RECT& captionRect,
                                    TPaintStage stage, bool& paintDefault) {
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
  PaintCaption(text, *captionFont_, MoveRectEdges(rect, -client.Left, -client.Top, -client.Left, -client.Top),
               item.Caption, CaptionRecipeFor(ViewKind, TextColor));
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

void TFormMain::BuildMenu(const std::wstring& folder, TMenuItem* parent) {
  TMenuItem& target = parent ? *parent : PopupMenu.Root;
  target.Clear();
  const std::wstring listed = folder.empty() ? StackFolder : folder;
  TFolderListing listing = ListFolder(listed);
  SortListing(listing, &SortKeyIgnoringCase);
  const std::vector<TStackEntry> entries =
      BuildEntries(listing, listed, TViewKind::Menu, StackFolder, Options, false, GetWindowsFolder());
  for (const TMenuLine& line : MenuLines(entries, Options.BrowseFolders)) {
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

void TFormMain::FormActivate() {
  if (ViewKind != TViewKind::Menu || menuShown_) return;
  menuShown_ = true;
  // The menu is tracked once the activation has been handled, not inside it.
  ::PostMessageW(Handle(), kPopUpMenuMessage, 0, 0);
}

void TFormMain::PopupMenuDisplayMenu(TMenuItem& item) { BuildMenu(item.Hint, &item); }

void TFormMain::PopupMenuItemExecute(TMenuItem& item) {
  try {
    std::wstring path = item.Hint;
    if (NeedsShortcutCheck(FileExists(path), IsShortcutName(path))) {
      // A damaged shortcut raises here: nothing runs.
      const std::wstring target = ResolveShellLink(path);
      if (const auto repaired = RepairedShortcutTarget(target, PathExists(target))) path = *repaired;
    }
    RunFile(path, L"");
  } catch (...) {
    // Reported while the window still stands; the viewer ends after it.
    TApplication::Instance().HandleCurrentException(Handle());
  }
}

void TFormMain::PopupMenuItemContextMenu(TMenuItem& item, POINT screen, bool extended) {
  if (shellBusy_ > 0 || pendingShellMenu_ || item.Hint.empty()) return;
  auto menu = std::make_unique<TShellItemMenu>();
  // An item the shell cannot take shows no menu: a message box would stand
  // over a menu being tracked.
  if (FAILED(menu->Load(Handle(), item.Hint, extended))) return;
  // The shell's menu takes the view's menu's place: not every system shows a
  // menu over another that is being tracked.
  pendingShellMenu_ = std::move(menu);
  pendingShellPoint_ = screen;
  PopupMenu.CloseMenu();
}

void TFormMain::PopupMenuClosePopup() {
  if (!pendingShellMenu_) {
    Close();
    return;
  }
  const std::unique_ptr<TShellItemMenu> menu = std::move(pendingShellMenu_);
  OfferShellProcessReference();
  const TShellBusy busy(shellBusy_);
  const UINT command = menu->Track(Handle(), pendingShellPoint_);
  if (command == 0) {
    // Nothing chosen: the view's menu comes back where it was.
    ::PostMessageW(Handle(), kPopUpMenuMessage, 0, 0);
    return;
  }
  const TShellMenuResult result = RunShellMenuCommand(*menu, command, Handle(), pendingShellPoint_);
  if (result.Outcome == TShellMenuOutcome::VerbRan)
    EndAfterShell(VerbShowsItsOwnWindow(result.Verb));
  else
    Close();
}

void TFormMain::DoOpenAnimation(const SIZE& outer) {
  // The shell is asked for the taskbar's edge once: the placement and the
  // slide's start both follow it.
  const std::uint8_t edge = GetTaskbarEdge();
  const TRestPlacement place =
      PlaceBesideTaskbar(MonitorWorkArea(MonitorIndex), edge, {StartCursorPos.x, StartCursorPos.y}, outer.cx, outer.cy,
                         RestLeft, RestTop, metrics_);
  RestLeft = place.RestLeft;
  RestTop = place.RestTop;
  ::SetWindowPos(Handle(), nullptr, RestLeft, RestTop, place.Width, place.Height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (!AnimateOpen) {
    ShowAtRest();
    return;
  }
  // Only the first showing of the process slides in.
  AnimateOpen = false;
  const TOpenSlide slide = OpenSlideFor(edge, RestLeft, RestTop, place.Width, place.Height);
  AnimStartLeft = slide.StartLeft;
  AnimStartTop = slide.StartTop;
  openSlide_ = slide;
  AnimStep = slide.Step();
  AnimAlphaStep = kSlideAlphaStep;
  ::SetWindowPos(Handle(), nullptr, AnimStartLeft, AnimStartTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetOpacity(0);
  AnimStartTime = NowDayTime();
  AnimEndTime = SlideEnd(AnimStartTime);
  // The ticks come on the clock's thread; each is handed to this thread and
  // applied here, in order, and none after the slide was stopped.
  const std::uint64_t job = Dispatcher.StartJob();
  animJob_ = job;
  AnimTimer.OnTimer = [this, job] { Dispatcher.Post(job, [this] { AnimTimerTimer(); }); };
  try {
    AnimTimer.SetEnabled(true);
  } catch (const ETickwellTimer& error) {
    // Without a clock there is no slide: the window is placed at rest,
    // opaque and usable, and the error is reported.
    Dispatcher.CancelJob(job);
    ShowAtRest();
    TApplication::Instance().ShowError(error.Message(), Handle());
  }
}

void TFormMain::AnimTimerTimer() {
  const double now = NowDayTime();
  const std::uint8_t edge = GetTaskbarEdge();
  ApplySlideFrame(OpeningFrame(edge, RestLeft, RestTop, openSlide_, RemainingMilliseconds(now, AnimEndTime)));
  if (now >= AnimEndTime) {
    StopOpeningSlide();
    ShowAtRest();
  }
}

void TFormMain::StopOpeningSlide() {
  AnimTimer.SetEnabled(false);
  Dispatcher.CancelJob(animJob_);
}

void TFormMain::ShowAtRest() {
  ::SetWindowPos(Handle(), nullptr, RestLeft, RestTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetOpacity(255);
  if (ViewKind == TViewKind::Stack) ::ShowWindow(ToolbarStack.Handle(), SW_SHOWNA);
  if (ViewKind == TViewKind::Grid) ::ShowWindow(ToolbarGrid.Handle(), SW_SHOWNA);
}

void TFormMain::SetOpacity(std::uint8_t alpha) {
  if (frame_.AlphaBlend) ::SetLayeredWindowAttributes(Handle(), 0, alpha, LWA_ALPHA);
}

void TFormMain::ApplySlideFrame(const TSlideFrame& frame) {
  RECT now = {};
  ::GetWindowRect(Handle(), &now);
  // One coordinate moves; the other stays where it is.
  const int left = frame.MovesTop ? now.left : frame.Position;
  const int top = frame.MovesTop ? frame.Position : now.top;
  ::SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetOpacity(frame.Alpha);
}

void TFormMain::DoCloseAnimation() {
  if (!Animate || (ViewKind != TViewKind::Stack && ViewKind != TViewKind::Grid)) {
    Close();
    return;
  }
  // A slide still opening stops first; the closing starts from wherever the
  // window is, at full opacity.
  StopOpeningSlide();
  ::ShowWindow(ToolbarStack.Handle(), SW_HIDE);
  ::ShowWindow(ToolbarGrid.Handle(), SW_HIDE);
  RECT window = {};
  ::GetWindowRect(Handle(), &window);
  AnimStartLeft = window.left;
  AnimStartTop = window.top;
  const TCloseSlide slide = CloseSlideFor(GetTaskbarEdge(), MonitorWorkArea(MonitorIndex), window.left, window.top,
                                          window.right - window.left, window.bottom - window.top);
  AnimStep = slide.Step();
  AnimAlphaStep = kSlideAlphaStep;
  SetOpacity(255);
  AnimStartTime = NowDayTime();
  AnimEndTime = SlideEnd(AnimStartTime);
  const HWND self = Handle();
  // The slide runs here, handling messages on every pass, so the viewer
  // never looks hung; another close trigger meanwhile runs a slide of its
  // own from the present position and closes the window, which ends this one.
  for (double now = AnimStartTime; now <= AnimEndTime; now = NowDayTime()) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (!::IsWindow(self) || closing_) return;
    ApplySlideFrame(ClosingFrame(GetTaskbarEdge(), slide, RemainingMilliseconds(now, AnimEndTime)));
  }
  ApplySlideFrame(ClosingFrame(GetTaskbarEdge(), slide, 0));
  closing_ = true;
  ::DestroyWindow(self);
}

void TFormMain::DockItemExecute(const TToolbarItem& item) {
  std::wstring path = item.Hint;
  if (NeedsShortcutCheck(FileExists(path), IsShortcutName(path))) {
    // A damaged shortcut raises here: nothing runs and the viewer stays open.
    const std::wstring target = ResolveShellLink(path);
    if (const auto repaired = RepairedShortcutTarget(target, PathExists(target))) path = *repaired;
  }

  switch (DecideClick(item.Tag, ViewKind)) {
    case TClickAction::BrowseStack: BuildStack(path); break;
    case TClickAction::BrowseGrid:
      SetCaption(GridCleaningUpCaption(path));
      BuildGrid(path);
      break;
    case TClickAction::Run:
      // Whether the shell could run it is not looked at: the viewer's part
      // ends here, at once and without the closing slide.
      RunFile(path, L"");
      ::DestroyWindow(Handle());
      break;
    case TClickAction::Nothing: break;
  }
}

void TFormMain::ShowEntryMenu(const TToolbar& toolbar, std::size_t index, POINT screen, bool extended) {
  if (closing_ || shellBusy_ > 0 || index >= toolbar.Items().size()) return;
  // The handler may rebuild the items, so the entry is copied.
  const TToolbarItem item = toolbar.Items()[index];
  if (screen.x == -1 && screen.y == -1) {
    // No pointer to show it at (the keyboard asked): beside the entry's icon.
    const RECT r = toolbar.ItemRect(index);
    screen = {r.left + (r.right - r.left) / 4, r.top + (r.bottom - r.top) / 2};
    ::ClientToScreen(toolbar.Handle(), &screen);
  }
  const HWND self = Handle();
  OfferShellProcessReference();
  TShellMenuResult result;
  {
    const TShellBusy busy(shellBusy_);
    result = ShowShellItemMenu(self, item.Hint, screen, extended);
  }
  if (!::IsWindow(self) || closing_) return;  // closed meanwhile (a second click on the stack's button)
  switch (result.Outcome) {
    case TShellMenuOutcome::VerbRan: EndAfterShell(VerbShowsItsOwnWindow(result.Verb)); break;
    case TShellMenuOutcome::Cancelled: ResumeAfterShell(); break;
    case TShellMenuOutcome::Failed:
      // A vanished file, a path the shell cannot take: said plainly, and the
      // view stays.
      {
        const TShellBusy busy(shellBusy_);
        TApplication::Instance().ShowError(item.Hint + L"\n\n" + SystemErrorMessage(static_cast<DWORD>(result.Error)),
                                           self);
      }
      if (::IsWindow(self)) ResumeAfterShell();
      break;
  }
}

bool TFormMain::DragEntry(const TToolbar& toolbar, std::size_t index) {
  if (closing_ || shellBusy_ > 0 || index >= toolbar.Items().size()) return false;
  const TToolbarItem item = toolbar.Items()[index];
  if (!IsFileOrFolderItem(item)) return false;
  const HWND self = Handle();
  OfferShellProcessReference();
  TDragResult result;
  {
    const TShellBusy busy(shellBusy_);
    result = DragShellItem(self, item.Hint);
  }
  if (!::IsWindow(self) || closing_) return true;
  // An item that cannot be dragged (it vanished) simply does not move.
  if (result.Outcome == TDragOutcome::Dropped)
    EndAfterShell(false);
  else
    ResumeAfterShell();
  return true;
}

void TFormMain::EndAfterShell(bool verbShowsWindow) {
  // The toolbars' hints go with them first: a hint left up would count as a
  // window of the shell's.
  ::ShowWindow(ToolbarStack.Handle(), SW_HIDE);
  ::ShowWindow(ToolbarGrid.Handle(), SW_HIDE);
  const bool shellAtWork = ShellHoldsProcessReference() || ProcessShowsWindowsBeside(Handle());
  if (!verbShowsWindow && !shellAtWork) {
    // As after running an entry: at once, without the closing slide.
    ::DestroyWindow(Handle());
    return;
  }
  // The shell's windows live in this process: the view goes out of sight and
  // the process stays until they have gone.
  StopOpeningSlide();
  ::ShowWindow(Handle(), SW_HIDE);
  lingerSince_ = ::GetTickCount();
  lingerGrace_ = verbShowsWindow ? kShellWindowGrace : 0;
  lingerSawShell_ = shellAtWork;
  ::SetTimer(Handle(), kShellLeftoversTimer, kShellLeftoversPeriod, nullptr);
}

void TFormMain::CheckShellLeftovers() {
  if (ShellHoldsProcessReference() || ProcessShowsWindowsBeside(Handle())) {
    lingerSawShell_ = true;
    return;
  }
  if (!lingerSawShell_ && ::GetTickCount() - lingerSince_ < lingerGrace_) return;
  ::KillTimer(Handle(), kShellLeftoversTimer);
  ::DestroyWindow(Handle());
}

void TFormMain::ResumeAfterShell() {
  const HWND foreground = ::GetForegroundWindow();
  DWORD process = 0;
  if (foreground) ::GetWindowThreadProcessId(foreground, &process);
  if (foreground && process != ::GetCurrentProcessId()) {
    // The activation went to another program while the menu or drag kept
    // the view: it closes now, as it would have then.
    if (!CloseBySecondClick) DoCloseAnimation();
    return;
  }
  ::SetForegroundWindow(Handle());
  ::SetFocus(Handle());
}

void TFormMain::Show() {
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  ::SetFocus(Handle());  // no control active: key presses reach the form
}

void TFormMain::Close() { ::PostMessageW(Handle(), WM_CLOSE, 0, 0); }

bool TFormMain::PreviewKey(const MSG& msg) {
  if (msg.message == WM_KEYDOWN) return FormKeyDown(static_cast<UINT>(msg.wParam));
  return msg.message == WM_CHAR && FormKeyPress(static_cast<wchar_t>(msg.wParam));
}

TToolbar* TFormMain::KeyboardToolbar() {
  TToolbar* toolbar = ViewKind == TViewKind::Stack  ? &ToolbarStack
                      : ViewKind == TViewKind::Grid ? &ToolbarGrid
                                                    : nullptr;
  // Keys wait while a view slides or is rebuilt: its entries are hidden then.
  return toolbar && toolbar->Handle() && ::IsWindowVisible(toolbar->Handle()) ? toolbar : nullptr;
}

void TFormMain::ShowSelectedEntryMenu(bool extended) {
  if (TToolbar* toolbar = KeyboardToolbar(); toolbar && toolbar->Selected() >= 0)
    ShowEntryMenu(*toolbar, static_cast<std::size_t>(toolbar->Selected()), {-1, -1}, extended);
}

bool TFormMain::FormKeyDown(UINT key) {
  TToolbar* toolbar = KeyboardToolbar();
  if (!toolbar) return false;
  if (key == VK_APPS) {
    ShowSelectedEntryMenu((::GetKeyState(VK_SHIFT) & 0x8000) != 0);
    return true;
  }
  TSelectionKey move = TSelectionKey::Home;
  switch (key) {
    case VK_UP: move = TSelectionKey::Up; break;
    case VK_DOWN: move = TSelectionKey::Down; break;
    case VK_LEFT: move = TSelectionKey::Left; break;
    case VK_RIGHT: move = TSelectionKey::Right; break;
    case VK_HOME: move = TSelectionKey::Home; break;
    case VK_END: move = TSelectionKey::End; break;
    default: return false;
  }
  typeToSelect_.Reset();
  SelectEntry(*toolbar, MoveSelection(toolbar->Selected(), move, toolbar->Items().size(), toolbar->Columns()));
  return true;
}

void TFormMain::SelectEntry(TToolbar& toolbar, int index) {
  // The keyboard is in use: focus cues show from now on.
  ::SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  toolbar.SetSelected(index);
}

bool TFormMain::FormKeyPress(wchar_t key) {
  if (key == VK_ESCAPE) {
    DoCloseAnimation();
    return true;
  }
  TToolbar* toolbar = KeyboardToolbar();
  if (!toolbar) return false;
  // A wrap of the 32-bit tick count at most forgets a prefix once in 49 days.
  const std::uint64_t now = ::GetTickCount();
  const auto& items = toolbar->Items();
  // A space inside a typed prefix belongs to the name being typed.
  const bool activate = key == L'\r' || (key == L' ' && !typeToSelect_.Typing(now));
  if (activate) {
    if (toolbar->Selected() >= 0) DockItemExecute(TToolbarItem(items[static_cast<size_t>(toolbar->Selected())]));
    return true;
  }
  if (key == L'\b') {
    const auto goBack = std::find_if(items.begin(), items.end(), [](const TToolbarItem& item) {
      return item.Kind == static_cast<int>(TEntryKind::GoBack);
    });
    if (goBack != items.end()) DockItemExecute(TToolbarItem(*goBack));
    return true;
  }
  if (key < L' ') return false;
  std::vector<std::wstring> captions;
  captions.reserve(items.size());
  for (const TToolbarItem& item : items) captions.push_back(UpperCase(item.Caption));
  const int found = typeToSelect_.Type(UpperCase(std::wstring(1, key))[0], now, captions, toolbar->Selected());
  if (found != kNoSelection) SelectEntry(*toolbar, found);
  return true;
}

void TFormMain::DockItemDescribe(const TToolbarItem& item, std::wstring* description, std::wstring* action) {
  if (action) {
    const TClickAction click = DecideClick(item.Tag, ViewKind);
    *action = click == TClickAction::BrowseStack || click == TClickAction::BrowseGrid ? L"Browse" : L"Open";
  }
  if (!description) return;
  // The stack's entries are described by their path, the grid's by the
  // lines of their hint.
  *description = item.Hint;
  bool paintDefault = true;
  if (item.OnDrawHint) item.OnDrawHint(item, *description, paintDefault);
  if (!paintDefault) *description = item.Hint;
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (ViewKind == TViewKind::Menu) {
    LRESULT result = 0;
    if (PopupMenu.HandleOwnerMessage(message, wParam, lParam, result)) return result;
    if (message == kPopUpMenuMessage) {
      PopupMenu.Popup(Handle(), StartCursorPos);
      return 0;
    }
  }
  switch (message) {
    case WM_NCACTIVATE:
      // Losing activation closes the window, unless a second click on the
      // stack's button is the way to close it.
      if (!wParam && !CloseBySecondClick && ::IsWindowVisible(Handle()) && !TApplication::Instance().ShowingMessage() &&
          !closing_ && shellBusy_ == 0) {
        const LRESULT result = DefaultHandling(message, wParam, lParam);
        DoCloseAnimation();
        return result;
      }
      break;
    case WM_KEYDOWN:
      if (FormKeyDown(static_cast<UINT>(wParam))) return 0;
      break;
    case WM_CHAR: FormKeyPress(static_cast<wchar_t>(wParam)); return 0;
    // The menu key and Shift+F10 show the selected entry's menu when pressed;
    // their releases are kept from the default handling, which would ask for
    // a menu a second time.
    case WM_KEYUP:
      if (wParam == VK_APPS) return 0;
      break;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000)) {
        ShowSelectedEntryMenu(false);
        return 0;
      }
      break;
    case WM_SYSKEYUP:
      if (wParam == VK_F10 && (::GetKeyState(VK_SHIFT) & 0x8000)) return 0;
      break;
    case WM_CONTEXTMENU:
      // Asked for without a pointer (the mouse's menus are the toolbar's).
      if (GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1) {
        ShowSelectedEntryMenu((::GetKeyState(VK_SHIFT) & 0x8000) != 0);
        return 0;
      }
      break;
    case WM_ERASEBKGND: {
      RECT client = {};
      ::GetClientRect(Handle(), &client);
      const TBrush brush(::CreateSolidBrush(formColor_));
      ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush.Get());
      return 1;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) FormActivate();
      break;
    case WM_DPICHANGED:
      // Only the help window reads the suggested rectangle, as the system
      // gives it; the views work from where they stand.
      DpiChanged(HIWORD(wParam), ViewKind == TViewKind::Help ? reinterpret_cast<const RECT*>(lParam) : nullptr);
      return 0;
    case WM_TIMER:
      if (wParam == kShellLeftoversTimer) {
        CheckShellLeftovers();
        return 0;
      }
      break;
    case WM_DESTROY:
      ::KillTimer(Handle(), kShellLeftoversTimer);
      WithdrawShellProcessReference();
      TApplication::Instance().Terminate();
      break;
    default: break;
  }
  return DefaultHandling(message, wParam, lParam);
}
