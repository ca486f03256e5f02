// The creator seen from outside: its window in create and edit mode, the
// stack shortcuts it writes onto the desktop or over a pinned one, what it
// refuses to write, its one-shot actions, and a stack's whole road from the
// creator to a running viewer.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>

#include "../common/ShortcutHeader.h"
#include "E2eFixture.h"
#include "creator/ControlIds.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ShellLinkUtils.h"
#include "shared/SysImg.h"

using namespace e2e;

namespace {

std::wstring StatusText(const std::wstring& caption, const wchar_t* how) {
  return L"Stack \"" + caption + L"\" successfully " + how + L".";
}

const wchar_t kTitle[] = L"Create Heapview";

std::wstring CreatorExe() { return DistDir() + L"Heapmaker.exe"; }
std::wstring DesktopFolder() { return GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY); }
std::wstring PinnedFolder() {
  return GetSpecialFolderPath(CSIDL_APPDATA) + L"\\Microsoft\\Internet Explorer\\Quick Launch\\User Pinned\\TaskBar";
}

int DesktopFileCount() {
  WIN32_FIND_DATAW data;
  TFindHandle find(::FindFirstFileW((DesktopFolder() + L"\\*").c_str(), &data));
  int files = 0;
  if (find) {
    do {
      if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (::FindNextFileW(find.Get(), &data));
  }
  return files;
}

void WriteLink(const std::wstring& path, const TShellLinkInfo& info) {
  CreateEmptyFile(path);
  WriteShellLink(path, info);
}

TShellLinkInfo StackLink(const std::wstring& target, const std::wstring& folder, const std::wstring& switches = L"") {
  TShellLinkInfo info;
  info.TargetPath = target;
  info.Arguments = L"\"" + folder + L"\" " + switches;
  info.Description = L"Heapfold";
  info.WorkingFolder = folder;
  return info;
}

// Files the test puts into (or expects in) shared folders of the prefix,
// removed when the scope ends.
class TFileCleanup {
public:
  ~TFileCleanup() {
    for (const std::wstring& path : paths_) {
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(path.c_str());
    }
  }
  std::wstring Track(const std::wstring& path) {
    paths_.push_back(path);
    return path;
  }
  std::wstring Desktop(const std::wstring& name) { return Track(DesktopFolder() + L"\\" + name); }
  std::wstring Pin(const std::wstring& name, const TShellLinkInfo& info) {
    const std::wstring path = Track(PinnedFolder() + L"\\" + name);
    WriteLink(path, info);
    return path;
  }

private:
  std::vector<std::wstring> paths_;
};

struct TCreatorWindow {
  HWND Form = nullptr;
  HWND EditFolder, EditName, CboStackType, EditIcon;
  HWND Checks[5];  // Explore, Browse, HideExt, ShowThumbs, Clear
  HWND BtnCreate, BtnClose, LblStatus, LblDonate;

  explicit TCreatorWindow(HWND form) : Form(form) {
    EditFolder = ::GetDlgItem(form, kIdEditFolder);
    EditName = ::GetDlgItem(form, kIdEditName);
    CboStackType = ::GetDlgItem(form, kIdCboStackType);
    EditIcon = ::GetDlgItem(form, kIdEditIcon);
    const int checks[5] = {kIdChkExplore, kIdChkBrowse, kIdChkHideExt, kIdChkShowThumbs, kIdChkClear};
    for (int i = 0; i < 5; ++i) Checks[i] = ::GetDlgItem(form, checks[i]);
    BtnCreate = ::GetDlgItem(form, kIdBtnCreateShortcut);
    BtnClose = ::GetDlgItem(form, kIdBtnClose);
    LblStatus = ::GetDlgItem(form, kIdLblStatus);
    LblDonate = ::GetDlgItem(form, kIdLblDonate);
  }
  bool Found() const {
    for (HWND check : Checks)
      if (!check) return false;
    return EditFolder && EditName && CboStackType && EditIcon && BtnCreate && BtnClose && LblStatus && LblDonate;
  }
  std::vector<bool> CheckStates() const {
    std::vector<bool> states;
    for (HWND check : Checks) states.push_back(::SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED);
    return states;
  }
  void SetChecks(const std::vector<bool>& states) {
    for (size_t i = 0; i < 5; ++i) {
      const bool checked = ::SendMessageW(Checks[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
      if (checked != states[i]) ::SendMessageW(Checks[i], BM_CLICK, 0, 0);
    }
  }
  int StackType() const { return static_cast<int>(::SendMessageW(CboStackType, CB_GETCURSEL, 0, 0)); }
  void Fill(const std::wstring& folder, const std::wstring& caption, int type, const std::wstring& icon) {
    ::SendMessageW(EditFolder, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    ::SendMessageW(EditName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    ::SendMessageW(EditIcon, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(icon.c_str()));
    ::SendMessageW(CboStackType, CB_SETCURSEL, static_cast<WPARAM>(type), 0);
  }
  // Posted: the click may open a message box, which a sent message would wait for.
  void ClickCreate() const { ::PostMessageW(BtnCreate, BM_CLICK, 0, 0); }
  int ClientHeight() const { return ReadWindowFacts(Form).ClientHeight(); }
  std::wstring Status() const { return WindowText(LblStatus); }
  // Waits until the status reads text; false on time-out.
  bool WaitForStatus(const std::wstring& text) const {
    return WaitUntil([&] { return Status() == text; });
  }
  // Fills the window, saves, and waits for the report of a created stack.
  bool CreateStack(const std::wstring& folder, const std::wstring& caption, int type = 0) {
    Fill(folder, caption, type, L"");
    ClickCreate();
    return WaitForStatus(StatusText(caption, L"created"));
  }
};

class Creator : public TCreatorTest {
protected:
  Creator() { ::SHCreateDirectoryExW(nullptr, PinnedFolder().c_str(), nullptr); }

  // Answers the message box the creator shows with its title; gives its text.
  std::wstring Answer(int button) {
    const TMessageBox box = WaitForMessageBox(process_->Id(), kTitle);
    if (!AnswerMessageBox(box, button)) return L"<no message box>";
    return box.Text;
  }
  bool MessageBoxShowing() { return ShowsMessageBox(process_->Id()); }

  TFileCleanup files_;
};

struct TStartCase {
  const char* Name;
  const wchar_t* Arguments;
  const wchar_t* WineVersion;  // empty: Wine's default, a version after Windows 7
  bool DonateVisible;          // only before Windows 7
};

void PrintTo(const TStartCase& c, std::ostream* os) { *os << c.Name; }

class CreatorCreateMode : public Creator, public ::testing::WithParamInterface<TStartCase> {};

TEST_P(CreatorCreateMode, OpensEmptyWithTheCreateDefaults) {
  MoveCursor({300, 200});
  const TWineVersion version(GetParam().WineVersion);
  const HWND form = Start(GetParam().Arguments);
  ASSERT_NE(form, nullptr);
  const TWindowFacts facts = ReadWindowFacts(form);
  EXPECT_EQ(facts.ClientWidth(), 336);
  EXPECT_EQ(facts.ClientHeight(), 280);
  EXPECT_EQ(facts.Style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
            WS_CAPTION | WS_SYSMENU);
  EXPECT_TRUE(facts.ExStyle & WS_EX_DLGMODALFRAME);
  RECT work = {};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(facts.Window.left, work.left + (work.right - work.left - facts.Width()) / 2);
  EXPECT_EQ(facts.Window.top, work.top + (work.bottom - work.top - facts.Height()) / 2);

  TCreatorWindow creator(form);
  ASSERT_TRUE(creator.Found());
  // Every control at its place in the client area.
  const struct {
    int Id;
    int X, Y;
  } places[] = {
      {kIdEditFolder, 8, 24},   {kIdEditName, 8, 72},           {kIdCboStackType, 248, 72},
      {kIdEditIcon, 8, 120},    {kIdChkExplore, 8, 152},        {kIdChkBrowse, 8, 168},
      {kIdChkHideExt, 8, 184},  {kIdChkShowThumbs, 8, 200},     {kIdChkClear, 8, 224},
      {kIdLblDonate, 264, 225}, {kIdBtnCreateShortcut, 8, 248}, {kIdBtnCheckNewVersion, 176, 248},
      {kIdBtnPrefs, 204, 248},  {kIdBtnAbout, 232, 248},        {kIdBtnClose, 264, 248},
      {kIdGrpStatus, 8, 280},   {kIdLblStatus, 16, 296},
  };
  for (const auto& place : places) {
    const RECT at = RectInClient(form, ::GetDlgItem(form, place.Id));
    EXPECT_EQ(at.left, place.X) << "control " << place.Id;
    EXPECT_EQ(at.top, place.Y) << "control " << place.Id;
  }
  EXPECT_EQ(creator.CheckStates(), (std::vector<bool>{true, true, false, false, false}));
  EXPECT_EQ(creator.StackType(), 0);
  EXPECT_EQ(WindowText(creator.EditFolder), L"");
  EXPECT_TRUE(::IsWindowEnabled(creator.EditFolder));
  EXPECT_TRUE(::IsWindowEnabled(creator.EditName));
  EXPECT_EQ(WindowText(::GetDlgItem(creator.EditFolder, kIdBtnSpecialFolder)), L"SF")
      << "the special-folder button sits in the folder field";
  EXPECT_EQ(WindowText(::GetDlgItem(creator.EditFolder, kIdBtnChooseFolder)), L"...");
  EXPECT_EQ(WindowText(creator.BtnCreate), L"Create Shortcut on Desktop");
  EXPECT_TRUE(::GetWindowLongW(creator.BtnCreate, GWL_STYLE) & BS_DEFPUSHBUTTON);
  EXPECT_EQ(::IsWindowVisible(creator.LblDonate) != FALSE, GetParam().DonateVisible);

  // Esc closes the window, whichever control has the focus.
  PressKey(creator.EditName, VK_ESCAPE, 27);
  EXPECT_TRUE(Process().WaitForExit(kTimeout));
}

INSTANTIATE_TEST_SUITE_P(Creator, CreatorCreateMode,
                         ::testing::Values(TStartCase{"NoArguments", L"", L"", false},
                                           TStartCase{"CreateOnXp", L"/create", L"winxp", true},
                                           TStartCase{"EditInCapitalsOnVista", L"/EDIT C:\\Docs", L"vista", true},
                                           TStartCase{"EditAloneOnWin7", L"/edit", L"win7", false},
                                           TStartCase{"EditWithEmptyFolder", L"/edit \"\"", L"", false}),
                         [](const ::testing::TestParamInfo<TStartCase>& info) { return std::string(info.param.Name); });

struct TSaveCase {
  const wchar_t* Caption;
  int StackType;
  std::vector<bool> Checks;
  const wchar_t* Icon;      // as typed into the icon field
  const wchar_t* Switches;  // expected after the quoted folder
  const wchar_t* IconPath;  // expected; nullptr: the folder's own icon, else the target
  int IconIndex;
};

TEST_F(Creator, SavesEachStackOntoTheDesktopAsComposed) {
  TScratchFolder folder(L"Saved Stack");
  const std::wstring target = DistDir() + L"Heapview0.exe";
  // What the shell says about the folder's icon decides the fallback.
  TSysImageList sysImg;
  int folderIconIndex = 0;
  std::wstring folderIcon;
  sysImg.GetIconLocation(folder.Path(), 0, folderIconIndex, folderIcon);
  if (folderIcon.empty()) folderIcon = target, folderIconIndex = 0;

  const TSaveCase cases[] = {
      {L"Plain", 0, {true, true, false, false, false}, L"", L"", nullptr, 0},
      {L"Grid No Explore",
       1,
       {false, true, true, false, false},
       L"C:\\icons\\a.ico|5",
       L"/grid /noexplore /hideext ",
       L"C:\\icons\\a.ico",
       5},
      {L"Menu Everything",
       2,
       {false, false, true, true, true},
       L"%SystemRoot%\\b.dll",
       L"/menu /noexplore /nobrowse /hideext /thumbs /clear ",
       L"%SystemRoot%\\b.dll",
       0},
      {L"Index Only", 0, {true, false, false, false, true}, L"|7", L"/nobrowse /clear ", nullptr, 0},
  };
  const HWND form = Start(L"");
  ASSERT_NE(form, nullptr);
  TCreatorWindow creator(form);
  ASSERT_TRUE(creator.Found());
  for (const TSaveCase& c : cases) {
    SCOPED_TRACE(Narrow(c.Caption));
    const std::wstring path = files_.Desktop(std::wstring(c.Caption) + L".lnk");
    creator.Fill(folder.Path(), c.Caption, c.StackType, c.Icon);
    creator.SetChecks(c.Checks);
    creator.ClickCreate();
    ASSERT_TRUE(creator.WaitForStatus(StatusText(c.Caption, L"created"))) << Narrow(creator.Status());
    EXPECT_FALSE(MessageBoxShowing());
    EXPECT_EQ(creator.ClientHeight(), 328);

    const TShellLinkInfo link = ReadShellLink(path);
    EXPECT_EQ(link.TargetPath, target);
    EXPECT_EQ(link.Arguments, L"\"" + folder.Path() + L"\" " + c.Switches);
    EXPECT_EQ(link.Description, L"Heapfold");
    EXPECT_EQ(link.WorkingFolder, folder.Path());
    EXPECT_EQ(link.IconPath, c.IconPath ? c.IconPath : folderIcon);
    EXPECT_EQ(link.IconIndex, c.IconPath ? c.IconIndex : folderIconIndex);
    EXPECT_EQ(HeaderShowCommand(path), 0u);
    EXPECT_EQ(link.HotKey, 0);
  }

  // Enter presses the save button from any field; a stack shortcut of the
  // same name is replaced without a question.
  ::SendMessageW(creator.EditName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Plain"));
  ::SendMessageW(creator.Checks[4], BM_CLICK, 0, 0);
  PressKey(creator.EditName, VK_RETURN, L'\r');
  ASSERT_TRUE(creator.WaitForStatus(StatusText(L"Plain", L"created")));
  EXPECT_FALSE(MessageBoxShowing());
  EXPECT_EQ(ReadShellLink(DesktopFolder() + L"\\Plain.lnk").Arguments, L"\"" + folder.Path() + L"\" /nobrowse ");
}

TEST_F(Creator, PointsANewStackAtTheLowestViewerCopyNotPinned) {
  TScratchFolder folder(L"Numbered");
  for (int n : {0, 1, 3}) {
    files_.Pin(L"Pinned " + std::to_wstring(n) + L".lnk",
               StackLink(DistDir() + L"Heapview" + std::to_wstring(n) + L".exe", L"C:\\Pinned" + std::to_wstring(n)));
  }
  const std::wstring path = files_.Desktop(L"Numbered.lnk");
  const HWND form = Start(L"");
  ASSERT_NE(form, nullptr);
  TCreatorWindow creator(form);
  ASSERT_TRUE(creator.CreateStack(folder.Path(), L"Numbered"));
  EXPECT_EQ(ReadShellLink(path).TargetPath, DistDir() + L"Heapview2.exe");
}

TEST_F(Creator, EditsAPinnedStackInPlace) {
  TScratchFolder folder(L"Edited Stack");
  TShellLinkInfo pinned =
      StackLink(DistDir() + L"Heapview3.exe", folder.Path(), L"/grid /nobrowse /thumbs /SORT:Kind ");
  pinned.IconPath = L"C:\\icons\\edit.ico";
  pinned.IconIndex = 7;
  pinned.ShowCommand = SW_SHOWMINNOACTIVE;
  pinned.HotKey = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT);
  pinned.Description = L"old";
  // A stack of another folder that merely starts alike is listed too.
  files_.Pin(L"Other.lnk", StackLink(DistDir() + L"Heapview1.exe", L"C:\\Elsewhere"));
  const std::wstring path = files_.Pin(L"My Edit Stack.lnk", pinned);
  // What the shell reports of the pinned file is what must stay.
  const TShellLinkInfo before = ReadShellLink(path);

  const HWND form = Start(L"/edit \"" + folder.Path() + L"\"", L"Edit this Heapfold");
  ASSERT_NE(form, nullptr);
  TCreatorWindow creator(form);
  ASSERT_TRUE(creator.Found());
  EXPECT_EQ(WindowText(creator.EditFolder), folder.Path());
  EXPECT_EQ(WindowText(creator.EditName), L"My Edit Stack");
  EXPECT_FALSE(::IsWindowEnabled(creator.EditFolder));
  EXPECT_FALSE(::IsWindowEnabled(creator.EditName));
  EXPECT_EQ(::GetDlgItem(creator.EditFolder, kIdBtnSpecialFolder), nullptr);
  EXPECT_EQ(WindowText(creator.EditIcon), L"C:\\icons\\edit.ico|7");
  EXPECT_EQ(creator.StackType(), 1);
  EXPECT_EQ(creator.CheckStates(), (std::vector<bool>{true, false, false, true, false}));
  const HWND sortBy = ::GetDlgItem(form, kIdCboSortBy);
  EXPECT_EQ(::SendMessageW(sortBy, CB_GETCURSEL, 0, 0), 3) << "Kind";
  EXPECT_EQ(WindowText(creator.BtnCreate), L"Edit this stack's shortcut");

  ::SendMessageW(creator.CboStackType, CB_SETCURSEL, 2, 0);
  ::SendMessageW(creator.Checks[4], BM_CLICK, 0, 0);
  creator.ClickCreate();
  ASSERT_TRUE(creator.WaitForStatus(StatusText(L"My Edit Stack", L"updated")));
  EXPECT_EQ(creator.ClientHeight(), 328);

  const TShellLinkInfo link = ReadShellLink(path);
  EXPECT_EQ(link.TargetPath, pinned.TargetPath);
  EXPECT_EQ(HeaderShowCommand(path), static_cast<DWORD>(before.ShowCommand));
  EXPECT_EQ(link.HotKey, pinned.HotKey);
  EXPECT_EQ(link.Arguments, L"\"" + folder.Path() + L"\" /menu /nobrowse /thumbs /clear /sort:kind ");
  EXPECT_EQ(link.Description, L"Heapfold");
  EXPECT_EQ(link.WorkingFolder, folder.Path());
  EXPECT_EQ(link.IconPath, pinned.IconPath);
  EXPECT_EQ(link.IconIndex, 7);
  EXPECT_FALSE(FileExists(files_.Desktop(L"My Edit Stack.lnk"))) << "nothing lands on the desktop";
}

TEST_F(Creator, EditWithoutAPinnedStackSaysSoAndOffersCreateMode) {
  files_.Pin(L"Other.lnk", StackLink(DistDir() + L"Heapview1.exe", L"C:\\Elsewhere"));
  process_ = std::make_unique<TProcess>(TProcess::Launch(CreatorExe(), L"/edit \"C:\\No Such Stack\""));
  EXPECT_NE(Answer(IDOK).find(L"No stack of the folder \"C:\\No Such Stack\" is pinned"), std::wstring::npos);
  const HWND form = WaitForWindow(Process().Id(), kTimeout, kCreateCaption);
  ASSERT_NE(form, nullptr);
  TCreatorWindow creator(form);
  EXPECT_EQ(WindowText(creator.EditFolder), L"C:\\No Such Stack");
  EXPECT_TRUE(::IsWindowEnabled(creator.EditFolder));
  EXPECT_EQ(WindowText(::GetDlgItem(creator.EditFolder, kIdBtnSpecialFolder)), L"SF");
  EXPECT_EQ(WindowText(creator.BtnCreate), L"Create Shortcut on Desktop");
}

struct TRefusalCase {
  const char* Name;
  bool PinAllTen;
  const wchar_t* Folder;  // nullptr: a scratch folder
  const wchar_t* Caption;
  const wchar_t* Message;  // part of the message shown
};

void PrintTo(const TRefusalCase& c, std::ostream* os) { *os << c.Name; }

class CreatorRefusal : public Creator, public ::testing::WithParamInterface<TRefusalCase> {};

TEST_P(CreatorRefusal, ExplainsAndWritesNothing) {
  const TRefusalCase& c = GetParam();
  TScratchFolder folder(L"Refused");
  if (c.PinAllTen) {
    for (int n = 0; n < 10; ++n) {
      files_.Pin(L"Slot " + std::to_wstring(n) + L".lnk",
                 StackLink(DistDir() + L"Heapview" + std::to_wstring(n) + L".exe", L"C:\\Slot" + std::to_wstring(n)));
    }
  }
  const std::wstring path = files_.Desktop(std::wstring(c.Caption) + L".lnk");
  const HWND form = Start(L"");
  ASSERT_NE(form, nullptr);
  TCreatorWindow creator(form);
  creator.Fill(c.Folder ? c.Folder : folder.Path(), c.Caption, 0, L"");
  creator.ClickCreate();
  EXPECT_NE(Answer(IDOK).find(c.Message), std::wstring::npos);
  ASSERT_TRUE(Sync(form)) << "the save's handler has returned";
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(creator.Status(), L"");
  EXPECT_EQ(creator.ClientHeight(), 280);
}

INSTANTIATE_TEST_SUITE_P(
    Creator, CreatorRefusal,
    ::testing::Values(TRefusalCase{"AllTenSlotsTaken", true, nullptr, L"Eleventh", L"All ten stack slots are in use"},
                      TRefusalCase{"EmptyFolder", false, L"", L"No Folder", L"choose the folder"},
                      TRefusalCase{"EmptyCaption", false, nullptr, L"", L"type a caption"},
                      TRefusalCase{"CaptionWithFileNameCharacters", false, nullptr, L"Pasted?<Name>",
                                   L"The caption cannot contain the characters ? < >,"}),
    [](const ::testing::TestParamInfo<TRefusalCase>& info) { return std::string(info.param.Name); });

TEST_F(Creator, AsksBeforeReplacingADesktopFileThatIsNoStack) {
  TScratchFolder folder(L"Replacing");
  const std::wstring textFile = files_.Desktop(L"Text File.lnk");
  {
    THandle file(::CreateFileW(textFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.Get(), "not a shortcut", 14, &written, nullptr);
  }
  TShellLinkInfo other;
  other.TargetPath = L"C:\\windows\\notepad.exe";
  const std::wstring otherLink = files_.Desktop(L"Other Program.lnk");
  WriteLink(otherLink, other);

  const HWND form = Start(L"");
  ASSERT_NE(form, nullptr);
  TCreatorWindow creator(form);
  for (const wchar_t* name : {L"Text File", L"Other Program"}) {
    SCOPED_TRACE(Narrow(name));
    const std::wstring path = DesktopFolder() + L"\\" + name + L".lnk";
    const std::wstring before = ReadTextFile(path);
    creator.Fill(folder.Path(), name, 0, L"");
    creator.ClickCreate();
    EXPECT_NE(Answer(IDNO).find(L"not a stack shortcut"), std::wstring::npos);
    ASSERT_TRUE(Sync(form));
    EXPECT_EQ(ReadTextFile(path), before) << "No keeps the file";
    EXPECT_EQ(creator.Status(), L"");

    creator.ClickCreate();
    Answer(IDYES);
    ASSERT_TRUE(creator.WaitForStatus(StatusText(name, L"created")));
    EXPECT_EQ(ReadShellLink(path).TargetPath, DistDir() + L"Heapview0.exe");
    ::SendMessageW(creator.LblStatus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  }
}

TEST_F(Creator, AFailedSaveShowsTheSystemErrorAndChangesNothing) {
  TScratchFolder folder(L"Failing");
  files_.Desktop(L"First.lnk");
  const std::wstring locked = files_.Desktop(L"Locked.lnk");
  WriteLink(locked, StackLink(DistDir() + L"Heapview5.exe", L"C:\\Old"));

  const int filesBefore = DesktopFileCount();
  const HWND form = Start(L"");
  ASSERT_NE(form, nullptr);
  TCreatorWindow creator(form);
  ASSERT_TRUE(creator.CreateStack(folder.Path(), L"First"));

  // A caption with a backslash would name a sub-folder: refused before
  // anything is written.
  creator.Fill(folder.Path(), L"Missing Folder\\Stack", 1, L"");
  creator.ClickCreate();
  std::wstring text = Answer(IDOK);
  EXPECT_NE(text.find(L"the characters \\"), std::wstring::npos);
  ASSERT_TRUE(Sync(form));
  EXPECT_EQ(creator.Status(), StatusText(L"First", L"created"));
  EXPECT_EQ(creator.ClientHeight(), 328);
  EXPECT_FALSE(FileExists(DesktopFolder() + L"\\Missing Folder"));

  // A shortcut held open by another program can be neither read nor
  // replaced: after the question, the write fails.
  {
    const THandle hold(::CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(hold);
    creator.Fill(folder.Path(), L"Locked", 1, L"");
    creator.ClickCreate();
    EXPECT_NE(Answer(IDYES).find(L"not a stack shortcut"), std::wstring::npos);
    text = Answer(IDOK);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find(L"successfully"), std::wstring::npos);
    ASSERT_TRUE(Sync(form));
  }
  EXPECT_EQ(creator.Status(), StatusText(L"First", L"created"));
  EXPECT_EQ(ReadShellLink(locked).Arguments, L"\"C:\\Old\" ");
  EXPECT_EQ(ReadShellLink(locked).TargetPath, DistDir() + L"Heapview5.exe");
  EXPECT_EQ(DesktopFileCount(), filesBefore + 1) << "no placeholder or temporary file is left behind";
}

TEST_F(Creator, StatusPanelHidesItsIntervalAfterTheLastSave) {
  // Users get fifteen seconds; the test shortens the interval through the
  // creator's test-only value.
  constexpr DWORD kInterval = 1500;
  preferences_.SetTestingDword(L"StatusPanelMilliseconds", kInterval);
  TScratchFolder folder(L"Timed");
  files_.Desktop(L"Timed.lnk");
  const HWND form = Start(L"");
  ASSERT_NE(form, nullptr);
  TCreatorWindow creator(form);
  ASSERT_TRUE(creator.CreateStack(folder.Path(), L"Timed"));
  const DWORD firstSave = ::GetTickCount();
  // The one deliberate wait of this layer: the second save must fall well
  // inside the first one's interval for the restart to be seen.
  WaitUntil([&] { return ::GetTickCount() - firstSave >= kInterval / 2 || creator.ClientHeight() != 328; });
  ASSERT_EQ(creator.ClientHeight(), 328);
  ::SendMessageW(creator.LblStatus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  creator.ClickCreate();  // starts the interval again
  ASSERT_TRUE(creator.WaitForStatus(StatusText(L"Timed", L"created")));
  const DWORD secondSave = ::GetTickCount();
  ASSERT_TRUE(WaitUntil([&] { return creator.ClientHeight() == 280; }, kInterval * 4));
  const DWORD hidden = ::GetTickCount();
  // Hidden no sooner than an interval after the second save (a little slack
  // for the tick counter's granularity), so later than the first would have.
  EXPECT_GE(hidden - secondSave + 50, kInterval);
  EXPECT_GE(hidden - firstSave, kInterval + kInterval / 2);
}

struct TOneShotCase {
  const char* Name;
  const wchar_t* Arguments;
  const wchar_t* Window;  // the caption of what shows; nullptr: nothing shows
  const wchar_t* Opened;  // what the shell is asked to open; nullptr: nothing
};

void PrintTo(const TOneShotCase& c, std::ostream* os) { *os << c.Name; }

class CreatorOneShot : public Creator, public ::testing::WithParamInterface<TOneShotCase> {};

TEST_P(CreatorOneShot, RunsTheActionAndEndsWithoutTheWindow) {
  const TOneShotCase& c = GetParam();
  TRecordingHandler handler;
  preferences_.SetString(L"UpdateServer", L"http://127.0.0.1:1");  // nothing answers there
  process_ = std::make_unique<TProcess>(TProcess::Launch(CreatorExe(), c.Arguments));
  bool formSeen = false;
  const auto noteForm = [&] {
    for (HWND window : TopLevelWindows(Process().Id())) formSeen |= WindowText(window) == kCreateCaption;
  };
  if (c.Window) {
    HWND shown = nullptr;
    WaitUntil([&] {
      noteForm();
      for (HWND window : TopLevelWindows(Process().Id()))
        if (WindowText(window) == c.Window) shown = window;
      return shown != nullptr;
    });
    ASSERT_NE(shown, nullptr);
    ::PostMessageW(shown, WM_CLOSE, 0, 0);
  }
  WaitUntil([&] {
    noteForm();
    return !Process().Running();
  });
  EXPECT_TRUE(Process().WaitForExit(kTimeout));
  EXPECT_FALSE(formSeen);
  EXPECT_EQ(handler.SettledOpened(), c.Opened ? std::vector<std::wstring>{c.Opened} : std::vector<std::wstring>{});
}

INSTANTIATE_TEST_SUITE_P(
    Creator, CreatorOneShot,
    ::testing::Values(TOneShotCase{"About", L"/about", L"About Heapfold", nullptr},
                      TOneShotCase{"Prefs", L"/prefs ignored", L"Heapfold Preferences", nullptr},
                      TOneShotCase{"WebUpdate", L"/webupdate", L"Heapfold", nullptr},
                      TOneShotCase{"Donate", L"/donate", nullptr, L"https://www.brenwick.example/heapfold/"}),
    [](const ::testing::TestParamInfo<TOneShotCase>& info) { return std::string(info.param.Name); });

TEST_F(Creator, DamagedPinnedShortcutsBlockNeitherEditingNorCreating) {
  TScratchFolder folder(L"Beside Damage");
  const std::string garbage = "\x4c\0\0\0 not really a shortcut \xff\xfe";
  for (const auto& [name, content] : {std::pair<const wchar_t*, std::string>{L"Broken.lnk", garbage},
                                      {L"Empty.lnk", std::string()},
                                      {L"Truncated.lnk", std::string("\x4c\0\0\0\x01\x14\x02\0", 8)}}) {
    const std::wstring path = files_.Track(PinnedFolder() + L"\\" + name);
    const THandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    ::WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  }
  // A stack of a folder that merely starts alike comes first.
  files_.Pin(L"A Longer.lnk", StackLink(DistDir() + L"Heapview0.exe", folder.Path() + L"2"));
  const std::wstring pinned = files_.Pin(L"Z Stack.lnk", StackLink(DistDir() + L"Heapview1.exe", folder.Path()));

  // Letter case and a trailing backslash do not matter.
  std::wstring asked = folder.Path() + L"\\";
  for (wchar_t& c : asked) c = static_cast<wchar_t>(::towupper(c));
  HWND form = Start(L"/edit \"" + asked + L"\"", L"Edit this Heapfold");
  ASSERT_NE(form, nullptr);
  EXPECT_FALSE(MessageBoxShowing());
  EXPECT_EQ(WindowText(::GetDlgItem(form, kIdEditName)), L"Z Stack");
  ::PostMessageW(form, WM_CLOSE, 0, 0);
  ASSERT_TRUE(Process().WaitForExit());

  const std::wstring created = files_.Desktop(L"Beside.lnk");
  form = Start(L"");
  ASSERT_NE(form, nullptr);
  TCreatorWindow creator(form);
  ASSERT_TRUE(creator.CreateStack(folder.Path(), L"Beside"));
  EXPECT_EQ(ReadShellLink(created).TargetPath, DistDir() + L"Heapview2.exe");
}

TEST_F(Creator, AStackRunsFromItsCreationToItsViewer) {
  TScratchFolder folder(L"Road Stack");
  folder.Add(L"first.txt");
  folder.AddFolder(L"Sub");
  const std::wstring desktopLink = files_.Desktop(L"Road.lnk");
  const HWND form = Start(L"");
  ASSERT_NE(form, nullptr);
  TCreatorWindow creator(form);
  ASSERT_TRUE(creator.CreateStack(folder.Path(), L"Road"));
  ::PostMessageW(creator.BtnClose, BM_CLICK, 0, 0);
  EXPECT_TRUE(Process().WaitForExit(kTimeout)) << "Close ends the program";

  // The user pins it; the taskbar button then starts its target with its arguments.
  const std::wstring pinned = files_.Track(PinnedFolder() + L"\\Road.lnk");
  ASSERT_TRUE(::CopyFileW(desktopLink.c_str(), pinned.c_str(), FALSE));
  const TShellLinkInfo link = ReadShellLink(pinned);
  TProcess viewer = TProcess::Launch(link.TargetPath, link.Arguments);
  EXPECT_NE(WaitForWindow(viewer.Id(), kTimeout, L"Road Stack"), nullptr);
}

}  // namespace
