// TFormMain: the viewer's one window. FormCreate does all of start-up before
// the window is first shown: it hands creator commands on, reads the
// preferences and the command line, and prepares the help window or a view.
//
// Its methods are kept by concern: start-up and messages in Main.cpp, the
// views in ViewBuilders.cpp, the slides in Slides.cpp (with TSlides, which
// holds the running slide), the shell's menus, drags and the linger after
// them in ShellSession.cpp, the keys in ViewerKeys.cpp, the views following
// their folder in LiveViews.cpp.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/viewer/Animation.h"
#include "core/viewer/CommandLine.h"
#include "core/imaging/ThumbnailPool.h"
#include "core/viewer/KeyboardSelection.h"
#include "core/viewer/LiveView.h"
#include "core/viewer/StackEntries.h"
#include "core/viewer/ViewLook.h"
#include "core/viewer/ViewMetrics.h"
#include "core/viewer/ViewPlans.h"
#include "core/viewer/ViewerFrame.h"
#include "core/viewer/ViewerKeys.h"
#include "core/viewer/ViewerSession.h"
#include "shared/Desktop.h"
#include "shared/GdiTextRenderer.h"
#include "shared/ScaledIcons.h"
#include "shared/ScopedWin.h"
#include "shared/ShellItemMenu.h"
#include "shared/SysImg.h"
#include "toolkit/Controls.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/RichLabel.h"
#include "toolkit/Toolbar.h"
#include "toolkit/UiDispatcher.h"
#include "toolkit/Window.h"
#include "viewer/EntryIcons.h"
#include "viewer/FolderWatch.h"
#include "viewer/InterAppComm.h"
#include "viewer/JumpLists.h"
#include "viewer/Slides.h"

class TFormMain : public TWindow {
public:
  // args: the command line's arguments after the program.
  explicit TFormMain(std::vector<std::wstring> args);

  // Start-up. Errors propagate to the caller, which reports them.
  void FormCreate();
  // False when start-up decided to end without a window.
  bool ShouldShow() const { return !endWithoutWindow_ && Handle() != nullptr; }
  void Show();
  void Close();

  // Fields other parts of the viewer work with.
  std::wstring StackFolder;
  POINT StartCursorPos = {0, 0};
  int MonitorIndex = 0;
  TViewKind ViewKind = TViewKind::Help;
  TDisplayOptions Options;  // the switches of the command line
  std::uint8_t TextColor = 1;
  bool Animate = true;
  bool CloseBySecondClick = false;
  bool AnimateOpen = true;
  std::int32_t RestLeft = 0;
  std::int32_t RestTop = 0;

  // The stack button's jump list; no shell categories, only the tasks.
  TjlJumpLists JumpList;

  // Second-click closing between viewers of one stack folder.
  TInterAppSender AppSend;
  TInterAppReceiver AppRecv;
  bool OtherInstanceRunning(const std::wstring& folder);
  void CloseOtherInstances(const std::wstring& folder);
  void AppRecvReceiveData(HWND sender, const std::vector<std::uint8_t>& data);

  // Each view is planned by the core from the folder's listing, then applied.
  void BuildStack(const std::wstring& folder);
  void BuildGrid(const std::wstring& folder);
  void BuildGrid(const std::wstring& folder, TFolderListing listing);
  // Fills the menu's root (parent null) or a folder's sub-menu from disk:
  // Explore and a separator, the folders, the files.
  void BuildMenu(const std::wstring& folder, TMenuItem* parent);
  TPopupMenu PopupMenu;  // the menu view
  // Sizes the window to its new outer size, places it beside the taskbar and
  // shows it: sliding in from the taskbar on the first showing when
  // animation is on, else at rest at once.
  void DoOpenAnimation(const SIZE& outer);
  // One step of the opening slide; the last one puts the window at rest.
  void AnimTimerTimer();
  // Slides the window back toward the taskbar while it fades out (when
  // animation is on, in the stack and grid views) and closes it.
  void DoCloseAnimation();

  // The docks and toolbars of the views, and the shell's icons they show.
  TDock DockTop;
  TDock DockLeft;
  TToolbar ToolbarGrid;
  TToolbar ToolbarStack;
  TSysImageList SysImgList;
  TEntryIcons entryIcons_{SysImgList};  // the entries' icons, once per file type where they are shared
  TImageList ILImagePreviews;           // the grid's thumbnails, as large as its icons
  TUiDispatcher Dispatcher;             // work of the thumbnail threads and the clock onto this thread
  TSlides Slides{Dispatcher};           // the running slide, opening or closing

  // The folder the stack or grid shows, watched while the view is open.
  TFolderWatch FolderWatch{Dispatcher};

  // Caption painting of stack and grid entries, and the grid's hints.
  void DockItemDrawCaption(const TToolbar& toolbar, const TToolbarItem& item, HDC dc, const RECT& clientArea,
                           RECT& captionRect, TPaintStage stage, bool& paintDefault);
  void DockItemDrawHintFolder(const TToolbarItem& item, std::wstring& hint, bool& paintDefault);
  void DockItemDrawHintFile(const TToolbarItem& item, std::wstring& hint, bool& paintDefault);
  void DockItemDrawHintGoBack(const TToolbarItem& item, std::wstring& hint, bool& paintDefault);
  void DockItemDrawHintExplore(const TToolbarItem& item, std::wstring& hint, bool& paintDefault);

  // The shell's context menu of a stack or grid entry at a screen point
  // ((-1, -1): beside the entry, for the keyboard) (extended: with the verbs
  // shown when Shift is held); the go-back and
  // Explore entries show their folder's. The view stays while the menu is
  // up, closes after a verb ran and stays active when nothing was chosen.
  void ShowEntryMenu(const TToolbar& toolbar, std::size_t index, POINT screen, bool extended);

  bool PreviewKey(const MSG& msg) override;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // Posted to the form to pop the menu view's menu up.
  static constexpr UINT kPopUpMenuMessage = WM_APP + 1;
  // Posted once the view is painted at rest: the jump list is committed.
  static constexpr UINT kCommitJumpListMessage = WM_APP + 2;
  // The hidden view's look at whether the shell is done in this process.
  static constexpr UINT_PTR kShellLeftoversTimer = 1;
  static constexpr UINT kShellLeftoversPeriod = 200;
  // The grid's pictures that came meanwhile, placed when their time has come.
  static constexpr UINT_PTR kPlacePicturesTimer = 3;
  // The rebuild that shows the changes of the view's folder is due.
  static constexpr UINT_PTR kLiveRebuildTimer = 0x11FE;

  void NoteCursorAndMonitor();
  bool HandOnCreatorCommand(const TViewerCommand& command);
  void ReadPreferences();
  void SetUpSecondClickClosing();
  void RebuildJumpList();
  void ApplySystemFontToForm();
  // Sizes, fonts and icons for the DPI of the monitor the view is on.
  void ApplyDpi(int dpi);
  // The window went to a monitor of another DPI: the view is laid out again.
  // suggested: the system's rectangle for the window at the new DPI, if any.
  void DpiChanged(int dpi, const RECT* suggested);
  void ApplyBackground();
  // The look as the window can show it now: over the system's backdrop
  // where it can show, else on the look's solid sheet.
  void PaintLook();
  void CreateDocks();
  SIZE OuterSizeOf(int clientWidth, int clientHeight) const;
  // elevated: Ctrl and Shift were held with the click or key.
  void DockItemExecute(const TToolbarItem& item, bool control = false, bool shift = false);
  // Runs a file as administrator; the view ends as after any run, or stays
  // when the prompt was declined or the run failed (said plainly).
  void RunAsAdministrator(const std::wstring& path);
  TFolderListing ListFolder(const std::wstring& folder);
  // What the core plans a view of folder from, besides its listing.
  TViewRequest ViewRequest(const std::wstring& folder) const;
  // The folder's listing, and the trace's mark after it.
  TFolderListing ListFolderTraced(const std::wstring& folder);
  TStackPlan PlanStackOf(const std::wstring& folder, TFolderListing listing);
  void ApplyStack(const std::wstring& folder, const TStackPlan& plan);
  unsigned ThumbnailWorkers(std::size_t pictures) const;
  void CreateFormWindow();
  // The open stack or grid follows its folder: each build watches the folder
  // it shows, and changes there rebuild the same window in place, paced by
  // the core, with the keyboard's selection kept by path.
  void FollowViewFolder();
  void ViewFolderChanged();
  void ArmLiveRebuild(std::uint64_t milliseconds);
  void LiveRebuildTimerTimer();
  void RebuildInPlace();
  void ShowHelpWindow();
  // Escape, and in the stack and grid Enter, Space, Backspace and typed
  // letters: true when the key was handled.
  bool FormKeyPress(wchar_t key);
  // Arrow keys, Home, End and the menu key: true when the key was handled.
  bool FormKeyDown(UINT key);
  // A key message as the core decides it: true when it was handled.
  bool RunKey(TKeyInput input, unsigned code);
  // The key messages HandleMessage hands on: true when handled (WM_CHAR always is).
  bool HandleKeyMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // The toolbar that takes the keyboard's selection: the view's, while shown.
  TToolbar* KeyboardToolbar();
  void SelectEntry(TToolbar& toolbar, int index);
  // The selected entry's shell menu beside it (the menu key, Shift+F10).
  void ShowSelectedEntryMenu(bool extended);
  void DockItemDescribe(const TToolbarItem& item, std::wstring* description, std::wstring* action);
  void SetCaption(const std::wstring& caption);
  // The grid's pictures: made by worker threads from the plan's list while
  // the grid stands with icons, placed in reading order as they come, and
  // dropped when the grid shows another folder or closes.
  void StartThumbnails();
  void PlaceThumbnails();
  void StopThumbnails();
  void PlacePicturesTimerTimer();
  // The picture's index in ILImagePreviews, -1 when it could not be added.
  int AddThumbnail(const TBitmap32& picture);
  // The jump list is committed once the view has been painted at rest.
  void CommitJumpListOnce();
  // The view's toolbar painted: the first time, start-up is over.
  void ViewPainted();
  void StopOpeningSlide();
  void FormActivate();
  void PopupMenuDisplayMenu(TMenuItem& item);
  void PopupMenuItemExecute(TMenuItem& item);
  void PopupMenuClosePopup();
  // A menu item's shell menu, shown in place of the menu view's menu, which
  // comes back when nothing is chosen there.
  void PopupMenuItemContextMenu(TMenuItem& item, POINT screen, bool extended);
  // At rest: the rest position, opaque, the view's entries shown.
  void ShowAtRest();
  // Drags a file or folder entry out; the view closes after a drop. False
  // for the entries that are not dragged (go back, Explore).
  bool DragEntry(const TToolbar& toolbar, std::size_t index);
  // After the shell ran a verb or took a drop: closes the view, or hides it
  // and ends once the shell's windows and threads in this process are done.
  void EndAfterShell(bool verbShowsWindow);
  void CheckShellLeftovers();
  // OLE for the shell's menus and drags, started before the first of them.
  void StartOle();
  // After a cancelled menu or drag: active again, unless the user went to
  // another program meanwhile, which closes the view as losing activation does.
  void ResumeAfterShell();

  std::vector<std::wstring> args_;
  TViewerFrame frame_;
  // A view keeps off the taskbar as an application's windows do: it is owned
  // by a hidden window, and owned windows get no taskbar button.
  TOwnedWindow hiddenOwner_;
  bool endWithoutWindow_ = false;
  TRichLabel lblHelp_;
  TFontDescription fontDescription_{L"MS Sans Serif", 8};  // the form's font: captions painted by the viewer
  TFont font_;
  TFont stackFont_;                                // the stack toolbar's own font, which its entries are measured with
  std::unique_ptr<TGdiTextRenderer> captionFont_;  // the painted captions' font, bold, sized for the view
  TViewMetrics metrics_;                           // every size of the view, at its monitor's DPI
  TScaledIconList icons_;                          // the stack's and grid's icons at that DPI
  TScaledIconList smallIcons_;                     // the menu's
  std::wstring viewFolder_;                        // the folder the stack or grid shows
  TFolderListing viewListing_;                     // its listing as shown
  TRebuildPacer livePacer_;                        // its changes waiting to be shown
  bool rebuilding_ = false;                        // a rebuild in place runs
  TGridPlan grid_;                                 // the grid shown
  std::unique_ptr<TThumbnailPool> thumbnails_;     // its pictures being made
  std::uint64_t thumbnailJob_ = 0;                 // their job on the dispatcher
  // Pools of folders left while a picture was still being made; each is
  // dropped once its workers have returned.
  std::vector<std::unique_ptr<TThumbnailPool>> retiredThumbnails_;
  std::uint32_t placedAt_ = 0;  // when pictures were placed last
  bool placeTimerSet_ = false;  // pictures wait for kPlacePicturesTimer
  bool jumpListCommitted_ = false;
  bool painted_ = false;         // the view's toolbar has been painted once
  std::optional<TOleInit> ole_;  // ended before COM, which ends after the form
  COLORREF formColor_ = 0;
  TViewLook look_;                           // the system's look the stack and grid take
  bool backdropWanted_ = false;              // the look has the system's backdrop
  bool backdropShown_ = false;               // the window asked the system for it
  TViewKind startedKind_ = TViewKind::Help;  // the view the command line asked for
  TTypeToSelect typeToSelect_;
  bool closing_ = false;  // the closing slide has ended and the window is going
  int shellBusy_ = 0;     // a shell menu, verb or drag under way: losing activation closes nothing
  TShellLinger linger_;   // the hidden view waits for the shell's windows
  std::unique_ptr<TShellItemMenu> pendingShellMenu_;  // a menu item's shell menu, shown once the view's has closed
  POINT pendingShellPoint_ = {0, 0};
  bool menuShown_ = false;  // the menu view pops its menu up once
};
