// The creator's dialogs seen from outside: the preferences read and written,
// the about box and its credits, the update check against a real HTTP server
// on this machine through the creator's own message box, and the pickers of
// the creator's window (the special-folder menu, the folder dialog, the icon
// picker and the caption's key filter).
#include <gtest/gtest.h>

#include <shlobj.h>

#include <memory>

#include "../common/HttpTestServer.h"
#include "E2eFixture.h"
#include "creator/ControlIds.h"
#include "core/base/PathUtils.h"
#include "shared/ExtraWinUtils.h"
#include "shared/SysImg.h"

using namespace e2e;
using httptest::THttpTestAnswer;
using httptest::THttpTestServer;

namespace {

const wchar_t kPrefsCaption[] = L"Heapfold Preferences";
const wchar_t kAboutCaption[] = L"About Heapfold";
const wchar_t kUpdateTitle[] = L"Heapfold";
const wchar_t kAppTitle[] = L"Create Heapview";

bool IsRichEdit(HWND window) {
  const std::wstring name = ClassNameOf(window);
  return ::lstrcmpiW(name.c_str(), L"RICHEDIT50W") == 0 || ::lstrcmpiW(name.c_str(), L"RichEdit20W") == 0;
}

bool Checked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// The visible buttons of a message box, left to right by creation order.
std::vector<HWND> VisibleButtons(HWND box) {
  std::vector<HWND> buttons;
  for (HWND child : ChildWindows(box))
    if (ClassNameOf(child) == L"Button" && ::IsWindowVisible(child) &&
        (::GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON)
      buttons.push_back(child);
  return buttons;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

class CreatorDialogs : public TCreatorTest {};

// Preferences

struct TPrefsCase {
  const char* Name;
  long long TextColor, DoAnim, CloseBy2ndClick;  // stored before; -1: nothing
  bool BlackOnWhite, Animate, SecondClick;       // what the dialog shows
  std::vector<const wchar_t*> Clicks;            // controls clicked, by caption
  UINT Close;                                    // IDOK, IDCANCEL, or WM_CLOSE for the close box
  long long StoredTextColor, StoredDoAnim, StoredCloseBy2ndClick;
};

void PrintTo(const TPrefsCase& c, std::ostream* os) { *os << c.Name; }

class CreatorPrefs : public CreatorDialogs, public ::testing::WithParamInterface<TPrefsCase> {};

TEST_P(CreatorPrefs, ShowsTheStoredValuesAndWritesOnlyOnOk) {
  const TPrefsCase& c = GetParam();
  if (c.TextColor >= 0) preferences_.SetDword(L"TextColor", static_cast<DWORD>(c.TextColor));
  if (c.DoAnim >= 0) preferences_.SetDword(L"DoAnim", static_cast<DWORD>(c.DoAnim));
  if (c.CloseBy2ndClick >= 0) preferences_.SetDword(L"CloseBy2ndClick", static_cast<DWORD>(c.CloseBy2ndClick));

  const HWND form = Start(L"/prefs", kPrefsCaption);
  ASSERT_NE(form, nullptr);
  const HWND blackOnWhite = ChildWithText(form, L"Black text on white background");
  const HWND whiteOnBlack = ChildWithText(form, L"White text on black background");
  const HWND animate = ChildWithText(form, L"Animate when opening and closing");
  const HWND closeDefault = ChildWithText(form, L"Clicking anywhere outside of the stack");
  const HWND secondClick = ChildWithText(form, L"Clicking the stack's icon again (like Mac OS X)");
  ASSERT_TRUE(blackOnWhite && whiteOnBlack && animate && closeDefault && secondClick);
  ASSERT_TRUE(WaitUntil([&] { return Checked(blackOnWhite) || Checked(whiteOnBlack); })) << "filled on showing";
  EXPECT_EQ(Checked(blackOnWhite), c.BlackOnWhite);
  EXPECT_EQ(Checked(whiteOnBlack), !c.BlackOnWhite);
  EXPECT_EQ(Checked(animate), c.Animate);
  EXPECT_EQ(Checked(secondClick), c.SecondClick);
  EXPECT_EQ(Checked(closeDefault), !c.SecondClick);

  for (const wchar_t* caption : c.Clicks) ::SendMessageW(ChildWithText(form, caption), BM_CLICK, 0, 0);
  if (c.Close == WM_CLOSE)
    ::PostMessageW(form, WM_CLOSE, 0, 0);
  else
    ::PostMessageW(form, WM_COMMAND, c.Close, 0);
  EXPECT_TRUE(Process().WaitForExit()) << "\"/prefs\" ends with the dialog";
  EXPECT_EQ(preferences_.Dword(L"TextColor"), c.StoredTextColor);
  EXPECT_EQ(preferences_.Dword(L"DoAnim"), c.StoredDoAnim);
  EXPECT_EQ(preferences_.Dword(L"CloseBy2ndClick"), c.StoredCloseBy2ndClick);
}

INSTANTIATE_TEST_SUITE_P(Creator, CreatorPrefs,
                         ::testing::Values(
                             // Nothing stored: black on white, animation on as the viewer does it.
                             TPrefsCase{"NothingStoredOk", -1, -1, -1, true, true, false, {}, IDOK, 1, 1, 0},
                             TPrefsCase{"OnlyTheLowByteCounts", 257, 0, 1, true, false, true, {}, IDOK, 1, 0, 1},
                             TPrefsCase{"WhiteOnBlackChanged",
                                        0,
                                        1,
                                        0,
                                        false,
                                        true,
                                        false,
                                        {L"Animate when opening and closing",
                                         L"Clicking the stack's icon again (like Mac OS X)"},
                                        IDOK,
                                        0,
                                        0,
                                        1},
                             TPrefsCase{"CancelWritesNothing",
                                        2,
                                        -1,
                                        -1,
                                        false,
                                        true,
                                        false,
                                        {L"Black text on white background", L"Animate when opening and closing",
                                         L"Clicking the stack's icon again (like Mac OS X)"},
                                        IDCANCEL,
                                        2,
                                        -1,
                                        -1},
                             TPrefsCase{"CloseBoxWritesNothing",
                                        -1,
                                        0,
                                        -1,
                                        true,
                                        false,
                                        false,
                                        {L"White text on black background"},
                                        WM_CLOSE,
                                        -1,
                                        0,
                                        -1}),
                         [](const ::testing::TestParamInfo<TPrefsCase>& info) { return std::string(info.param.Name); });

TEST_F(CreatorDialogs, OnWindows10ThePreferencesSayTheTextFollowsTheTheme) {
  TWineVersion version(L"win10");
  const HWND form = Start(L"/prefs", kPrefsCaption);
  ASSERT_NE(form, nullptr);
  const HWND label = ChildWithText(form, L"Text (on this system it follows the Windows theme):");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(ChildWithText(form, L"Text:"), nullptr);
  EXPECT_NE(ChildWithText(form, L"Black text on white background"), nullptr) << "the choice stays for other looks";
}

TEST_F(CreatorDialogs, EveryFormsTitleBarFollowsTheAppsTheme) {
  TWineVersion version(L"win10");  // Wine's is 1903: the frame's dark mode is attribute 19
  TScratchFolder install(L"Themed Creator");
  const std::wstring exe = install.Path() + L"\\Heapmaker.exe";
  for (const wchar_t* file : {L"Heapmaker.exe", L"credits.rtf"})
    ASSERT_TRUE(::CopyFileW((DistDir() + file).c_str(), (install.Path() + L"\\" + file).c_str(), FALSE));
  const struct {
    const wchar_t* Arguments;
    const wchar_t* Caption;
  } forms[] = {{L"", kCreateCaption}, {L"/prefs", kPrefsCaption}, {L"/about", kAboutCaption}};
  for (const DWORD light : {0u, 1u}) {
    TUserDword apps(L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", L"AppsUseLightTheme", light);
    for (const auto& form : forms) {
      SCOPED_TRACE(Narrow(form.Arguments) + " light " + std::to_string(light));
      TDwmStandIn dwm(install.Path());
      const HWND window = Start(form.Arguments, form.Caption, exe);
      ASSERT_NE(window, nullptr);
      EXPECT_EQ(dwm.CallsOn(window), std::vector<std::wstring>{light ? L"attribute 19 0" : L"attribute 19 1"});
      ::PostMessageW(window, WM_CLOSE, 0, 0);
      EXPECT_TRUE(Process().WaitForExit());
    }
  }
}

TEST_F(CreatorDialogs, PreferencesHaveTheirSizeAndEveryControlInPlace) {
  const HWND form = Start(L"/prefs", kPrefsCaption);
  ASSERT_NE(form, nullptr);
  const TWindowFacts facts = ReadWindowFacts(form);
  EXPECT_EQ(facts.ClientWidth(), 352);
  EXPECT_EQ(facts.ClientHeight(), 248);
  EXPECT_EQ(facts.Style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME),
            WS_CAPTION | WS_SYSMENU);
  const struct {
    const wchar_t* Caption;
    int X, Y;
  } places[] = {
      {L"Appearance", 8, 8},
      {L"Text:", 16, 24},
      {L"Black text on white background", 32, 40},
      {L"White text on black background", 32, 56},
      {L"Behavior", 8, 88},
      {L"Animate when opening and closing", 16, 104},
      {L"Close stack by:", 16, 128},
      {L"Clicking anywhere outside of the stack", 32, 144},
      {L"Clicking the stack's icon again (like Mac OS X)", 32, 160},
      {L"Note: Behavior preferences are ignored by Menu-style stacks", 16, 184},
      {L"OK", 86, 216},
      {L"Cancel", 166, 216},
  };
  for (const auto& place : places) {
    const HWND control = ChildWithText(form, place.Caption);
    ASSERT_NE(control, nullptr) << Narrow(place.Caption);
    const RECT r = RectInClient(form, control);
    EXPECT_EQ(r.left, place.X) << Narrow(place.Caption);
    EXPECT_EQ(r.top, place.Y) << Narrow(place.Caption);
  }
  // The two previews: boxes of 65 x 15 beside the radio buttons.
  int previews = 0;
  for (HWND child : ChildWindows(form)) {
    const RECT r = RectInClient(form, child);
    if (r.left == 224 && (r.top == 40 || r.top == 56) && r.right - r.left == 65 && r.bottom - r.top == 15) ++previews;
  }
  EXPECT_EQ(previews, 2);
  // Esc cancels.
  PressKey(ChildWithText(form, L"OK"), VK_ESCAPE, 27);
  EXPECT_TRUE(Process().WaitForExit());
  EXPECT_EQ(preferences_.Dword(L"TextColor"), -1);
}

// About box

TEST_F(CreatorDialogs, AboutBoxShowsTheVersionTheDateAndTheCredits) {
  const HWND form = Start(L"/about", kAboutCaption);
  ASSERT_NE(form, nullptr);
  const TWindowFacts facts = ReadWindowFacts(form);
  EXPECT_EQ(facts.ClientWidth(), 347);
  EXPECT_EQ(facts.ClientHeight(), 264);
  EXPECT_NE(ChildWithText(form, L"Heapfold v1.2"), nullptr);
  EXPECT_NE(ChildWithText(form, L"Released on Sunday, July 5, 2009"), nullptr) << "the prefix speaks US English";
  HWND credits = nullptr;
  for (HWND child : ChildWindows(form))
    if (IsRichEdit(child)) credits = child;
  ASSERT_NE(credits, nullptr);
  EXPECT_NE(WindowText(credits).find(L"Independent JPEG Group"), std::wstring::npos);
  EXPECT_FALSE(ShowsMessageBox(Process().Id()));
  // Two pictures: the product's icon and, below it, the maker's bricks,
  // which the creator's file keeps as data rather than as a second icon.
  std::vector<HWND> pictures;
  for (HWND child : ChildWindows(form))
    if (ClassNameOf(child) == L"Static" && (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
      pictures.push_back(child);
  ASSERT_EQ(pictures.size(), 2u);
  RECT maker = {};
  for (HWND picture : pictures) {
    RECT r = {};
    ::GetWindowRect(picture, &r);
    if (r.top > maker.top) maker = r;
  }
  int bricks = 0;
  for (int y = maker.top; y < maker.bottom; y += 2)
    for (int x = maker.left; x < maker.right; x += 2) {
      const COLORREF c = ScreenPixel({x, y});
      if (GetRValue(c) > 150 && GetGValue(c) < 110 && GetBValue(c) < 90) ++bricks;
    }
  EXPECT_GT(bricks, 100) << "the maker's picture is drawn";
  const HWND close = ChildWithText(form, L"Close");
  ASSERT_NE(close, nullptr);
  const RECT r = RectInClient(form, close);
  EXPECT_EQ(r.left, 136);
  EXPECT_EQ(r.top, 232);
  ::PostMessageW(close, BM_CLICK, 0, 0);
  EXPECT_TRUE(Process().WaitForExit()) << "\"/about\" ends with the box";
}

TEST_F(CreatorDialogs, AboutBoxWithoutCreditsSaysWhyAndStillOpens) {
  TScratchFolder install(L"No Credits");
  const std::wstring exe = install.Path() + L"\\Heapmaker.exe";
  ASSERT_TRUE(::CopyFileW((DistDir() + L"Heapmaker.exe").c_str(), exe.c_str(), FALSE));
  process_ = std::make_unique<TProcess>(TProcess::Launch(exe, L"/about"));
  const TMessageBox box = WaitForMessageBox(Process().Id(), kAppTitle);
  EXPECT_EQ(box.Text.find(L"Cannot open file \"" + install.Path() + L"\\credits.rtf\"."), 0u) << Narrow(box.Text);
  ASSERT_TRUE(AnswerMessageBox(box, IDOK));
  const HWND form = WaitForWindow(Process().Id(), kTimeout, kAboutCaption);
  ASSERT_NE(form, nullptr);
  int richEdits = 0;
  for (HWND child : ChildWindows(form)) {
    if (!IsRichEdit(child)) continue;
    ++richEdits;
    EXPECT_EQ(WindowText(child), L"");
  }
  EXPECT_EQ(richEdits, 1);
  ::PostMessageW(form, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(Process().WaitForExit());
}

// Update check

struct TUpdateCase {
  const char* Name;
  THttpTestAnswer Answer;
  bool Unreachable;
  const wchar_t* Text;                  // the message shown
  std::vector<const wchar_t*> Buttons;  // their captions
  int Press;                            // IDYES, IDNO or IDOK
  const wchar_t* Opened;                // what the shell then opens; nullptr: nothing
  const wchar_t* Notice;                // a second message after the answer; nullptr: none
};

void PrintTo(const TUpdateCase& c, std::ostream* os) { *os << c.Name; }

THttpTestAnswer Answer(const std::string& body, int status = 200) {
  THttpTestAnswer answer;
  answer.Body = body;
  answer.Status = status;
  answer.Reason = status == 200 ? "OK" : "Error";
  return answer;
}

THttpTestAnswer Long(const std::string& body, std::uint64_t moreBytes, bool endless) {
  THttpTestAnswer answer = Answer(body);
  answer.MoreBytes = moreBytes;
  answer.Endless = endless;
  return answer;
}

THttpTestAnswer Silence() {
  THttpTestAnswer answer;
  answer.Silent = true;
  return answer;
}

const wchar_t kOffer[] = L"A new version (1.3) is available.  Download it now?";
const wchar_t kYes[] = L"Yes, download it now";
const wchar_t kNo[] = L"No, not at this time";

class CreatorUpdate : public CreatorDialogs, public ::testing::WithParamInterface<TUpdateCase> {};

TEST_P(CreatorUpdate, AsksTheServerAndAnswersInItsOwnBox) {
  const TUpdateCase& c = GetParam();
  TRecordingHandler handler;
  THttpTestServer server(c.Answer);
  ASSERT_TRUE(server.Running());
  preferences_.SetString(L"UpdateServer", c.Unreachable ? L"http://127.0.0.1:" + std::to_wstring(httptest::UnusedPort())
                                                        : server.BaseAddress());
  MoveCursor({300, 200});
  const DWORD started = ::GetTickCount();
  process_ = std::make_unique<TProcess>(TProcess::Launch(DistDir() + L"Heapmaker.exe", L"/webupdate"));
  // A server that never answers is given up within the bound of 15 seconds.
  const TMessageBox box = WaitForMessageBox(Process().Id(), kUpdateTitle, 30000);
  ASSERT_NE(box.Window, nullptr);
  EXPECT_LT(::GetTickCount() - started, 25000u);
  EXPECT_EQ(box.Text, c.Text);

  // The box: 480 x 120, centred on the monitor, the buttons centred as a row
  // 8 apart, the first focused.
  const TWindowFacts facts = ReadWindowFacts(box.Window);
  EXPECT_EQ(facts.ClientWidth(), 480);
  EXPECT_EQ(facts.ClientHeight(), 120);
  EXPECT_EQ(facts.Window.left, (::GetSystemMetrics(SM_CXSCREEN) - facts.Width()) / 2);
  EXPECT_EQ(facts.Window.top, (::GetSystemMetrics(SM_CYSCREEN) - facts.Height()) / 2);
  const std::vector<HWND> buttons = VisibleButtons(box.Window);
  ASSERT_EQ(buttons.size(), c.Buttons.size());
  int rowWidth = 8 * static_cast<int>(buttons.size() - 1);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(WindowText(buttons[i]), c.Buttons[i]);
    const RECT r = RectInClient(box.Window, buttons[i]);
    rowWidth += r.right - r.left;
    EXPECT_EQ(r.top, 88);
    if (i > 0) {
      EXPECT_EQ(r.left, RectInClient(box.Window, buttons[i - 1]).right + 8);
    }
  }
  EXPECT_EQ(RectInClient(box.Window, buttons[0]).left, (480 - rowWidth) / 2);
  EXPECT_EQ(FocusOf(box.Window), buttons[0]);

  ASSERT_TRUE(AnswerMessageBox(box, c.Press));
  if (c.Notice) {
    const TMessageBox notice = WaitForMessageBox(Process().Id(), kUpdateTitle);
    EXPECT_NE(notice.Text.find(c.Notice), std::wstring::npos) << Narrow(notice.Text);
    AnswerMessageBox(notice, IDOK);
  }
  EXPECT_TRUE(Process().WaitForExit()) << "\"/webupdate\" ends after the check";
  const std::vector<std::wstring> opened = handler.SettledOpened();
  EXPECT_EQ(opened, c.Opened ? std::vector<std::wstring>{c.Opened} : std::vector<std::wstring>{});

  if (!c.Unreachable && !c.Answer.Silent) {
    // One GET of the update resource with the client's headers, no cookies.
    const std::vector<std::string> heads = server.RequestHeads();
    ASSERT_EQ(heads.size(), 1u);
    const std::string& head = heads[0];
    EXPECT_EQ(head.find("GET /heapfold/update/ HTTP/1.1\r\n"), 0u) << head;
    for (const char* line :
         {"\r\nAccept: text/html, */*\r\n", "\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n",
          "\r\nContent-Type: text/html\r\n"})
      EXPECT_NE(head.find(line), std::string::npos) << line << head;
    EXPECT_EQ(head.find("Cookie"), std::string::npos) << head;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Creator, CreatorUpdate,
    ::testing::Values(
        TUpdateCase{"NewerVersionYes",
                    Answer("1.3+++++121+++++http://downloads.example/heapfold-1.3"),
                    false,
                    kOffer,
                    {kYes, kNo},
                    IDYES,
                    L"http://downloads.example/heapfold-1.3",
                    nullptr},
        TUpdateCase{"NewerVersionNo",
                    Answer("1.3+++++121+++++http://downloads.example/heapfold-1.3\r\n"),
                    false,
                    kOffer,
                    {kYes, kNo},
                    IDNO,
                    nullptr,
                    nullptr},
        TUpdateCase{
            "NewerVersionWithoutAddress", Answer("1.3+++++121"), false, kOffer, {kYes, kNo}, IDYES, nullptr, nullptr},
        TUpdateCase{"FileAddressIsNeverOpened",
                    Answer("1.3+++++121+++++file:///C:/windows/notepad.exe"),
                    false,
                    kOffer,
                    {kYes, kNo},
                    IDYES,
                    nullptr,
                    L"did not hold a valid download address"},
        TUpdateCase{"SameVersionText",
                    Answer("1.2+++++121+++++http://downloads.example/"),
                    false,
                    L"No update available.",
                    {L"OK"},
                    IDOK,
                    nullptr,
                    nullptr},
        TUpdateCase{"ErrorStatus",
                    Answer("1.3+++++121+++++http://downloads.example/", 500),
                    false,
                    L"Error contacting website.",
                    {L"OK"},
                    IDOK,
                    nullptr,
                    nullptr},
        TUpdateCase{"UnreachablePort", Answer(""), true, L"Error contacting website.", {L"OK"}, IDOK, nullptr, nullptr},
        TUpdateCase{
            "ServerNeverAnswers", Silence(), false, L"Error contacting website.", {L"OK"}, IDOK, nullptr, nullptr},
        // Answers nobody meant: huge, endless, binary, without separators, naming a program.
        TUpdateCase{"HugeAnswer",
                    Long("1.2+++++121+++++", 8 << 20, false),
                    false,
                    L"No update available.",
                    {L"OK"},
                    IDOK,
                    nullptr,
                    nullptr},
        TUpdateCase{
            "EndlessAnswer", Long("", 0, true), false, L"No update available.", {L"OK"}, IDOK, nullptr, nullptr},
        TUpdateCase{"BinaryAnswer",
                    Answer(std::string("\0\xff\xfe+++\x80\x01", 8)),
                    false,
                    L"No update available.",
                    {L"OK"},
                    IDOK,
                    nullptr,
                    nullptr},
        TUpdateCase{"NoSeparators",
                    Answer("1.3 121 http://downloads.example/"),
                    false,
                    L"No update available.",
                    {L"OK"},
                    IDOK,
                    nullptr,
                    nullptr},
        TUpdateCase{"ProgramAddress",
                    Answer("1.3+++++121+++++calc.exe"),
                    false,
                    kOffer,
                    {kYes, kNo},
                    IDYES,
                    nullptr,
                    L"did not hold a valid download address"}),
    [](const ::testing::TestParamInfo<TUpdateCase>& info) { return std::string(info.param.Name); });

TEST_F(CreatorDialogs, AnUnusableUpdateServerValueMakesNoRequest) {
  THttpTestServer server(Answer("1.3+++++121+++++http://downloads.example/"));
  const std::wstring base = server.BaseAddress();
  const std::wstring withPath = base + L"/elsewhere/";
  const DWORD number = 8123;
  const struct {
    DWORD Type;
    std::string Data;
  } values[] = {
      {REG_SZ, std::string(reinterpret_cast<const char*>(withPath.c_str()), (withPath.size() + 1) * 2)},
      {REG_SZ, std::string("f\0i\0l\0e\0:\0/\0/\0\0\0", 16)},
      {REG_EXPAND_SZ, std::string(reinterpret_cast<const char*>(base.c_str()), (base.size() + 1) * 2)},
      {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)},
      {REG_BINARY, std::string(reinterpret_cast<const char*>(base.c_str()), base.size() * 2)},
      {REG_SZ, std::string(10000, 'h') + std::string(2, '\0')},  // longer than any address
  };
  for (const auto& value : values) {
    SCOPED_TRACE(value.Type);
    preferences_.SetRaw(L"UpdateServer", value.Type, value.Data);
    process_ = std::make_unique<TProcess>(TProcess::Launch(DistDir() + L"Heapmaker.exe", L"/webupdate"));
    const TMessageBox box = WaitForMessageBox(Process().Id(), kUpdateTitle);
    EXPECT_EQ(box.Text, L"Error contacting website.");
    AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(Process().WaitForExit());
    const auto stored = preferences_.Raw(L"UpdateServer");
    EXPECT_TRUE(stored.first == value.Type && stored.second == value.Data) << "left as it was";
  }
  EXPECT_EQ(server.Connections(), 0);
}

// The creator window's pickers

class CreatorPickers : public CreatorDialogs {
protected:
  void SetUp() override {
    form_ = Start(L"", L"Create a new Heapfold");
    ASSERT_NE(form_, nullptr);
    folder_ = ::GetDlgItem(form_, kIdEditFolder);
    name_ = ::GetDlgItem(form_, kIdEditName);
    icon_ = ::GetDlgItem(form_, kIdEditIcon);
  }
  void SetText(HWND edit, const std::wstring& text) {
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  HWND form_ = nullptr, folder_ = nullptr, name_ = nullptr, icon_ = nullptr;
};

TEST_F(CreatorPickers, TheCaptionRefusesWhatAFileNameCannotHold) {
  // Characters as typing gives them (a key press would give a second one
  // through the creator's own TranslateMessage); read once the last is in.
  for (wchar_t c : std::wstring(L"a?b\"c/d*e")) ::PostMessageW(name_, WM_CHAR, c, 1);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(name_) == L"abcde"; })) << Narrow(WindowText(name_));
}

TEST_F(CreatorPickers, SpecialFolderMenuFillsFolderAndCaption) {
  ::PostMessageW(::GetDlgItem(folder_, kIdBtnSpecialFolder), BM_CLICK, 0, 0);
  HWND menu = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    const std::vector<HWND> menus = MenuWindows(Process().Id());
    menu = menus.empty() ? nullptr : menus.front();
    return menu != nullptr;
  }));
  // "Other" is the third sub-menu; "Fonts" its fourth entry.
  for (WORD key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}) PressKey(menu, key, 0);
  HWND sub = nullptr;
  ASSERT_TRUE(WaitUntil([&] {
    const std::vector<HWND> menus = MenuWindows(Process().Id());
    sub = menus.size() > 1 ? menus.back() : nullptr;
    return sub != nullptr;
  }));
  for (WORD key : {VK_DOWN, VK_DOWN, VK_DOWN}) PressKey(sub, key, 0);
  PressKey(sub, VK_RETURN, L'\r');
  const std::wstring fonts = GetSpecialFolderPath(CSIDL_FONTS);
  ASSERT_FALSE(fonts.empty());
  EXPECT_TRUE(WaitUntil([&] { return WindowText(folder_) == fonts; })) << Narrow(WindowText(folder_));
  EXPECT_EQ(WindowText(name_), L"Fonts");
}

TEST_F(CreatorPickers, FolderDialogOpensAtTheFieldAndProposesTheCaption) {
  const std::wstring windows = StripTrailingBackslash(GetWindowsFolder());
  const struct {
    std::wstring Folder, Caption;
  } cases[] = {{windows, ExtractLastFolderName(windows)}, {L"C:\\", L"Drive C"}};
  for (const auto& c : cases) {
    SetText(folder_, c.Folder);
    SetText(name_, L"unchanged");
    ::PostMessageW(::GetDlgItem(folder_, kIdBtnChooseFolder), BM_CLICK, 0, 0);
    const HWND dialog = WaitForSystemDialog(Process().Id());
    ASSERT_NE(dialog, nullptr);
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(name_) == c.Caption; })) << Narrow(WindowText(name_));
    EXPECT_EQ(WindowText(folder_), c.Folder);
  }
  // Cancel changes nothing.
  SetText(folder_, windows);
  ::PostMessageW(::GetDlgItem(folder_, kIdBtnChooseFolder), BM_CLICK, 0, 0);
  const HWND dialog = WaitForSystemDialog(Process().Id());
  ASSERT_NE(dialog, nullptr);
  ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
  ASSERT_TRUE(Sync(form_));
  EXPECT_EQ(WindowText(folder_), windows);
  EXPECT_EQ(WindowText(name_), L"Drive C");
}

// Clicks the icon field's "..." button and answers the shell's icon picker
// with `command` when it shows. Wine's picker shows a dialog in some builds
// and in others gives back at once the file and icon it was opened on; the
// click's handler has returned when this does. Gives the file the picker
// showed, empty when it showed none.
std::wstring PickIcon(HWND form, HWND iconField, DWORD processId, WPARAM command) {
  ::PostMessageW(::GetDlgItem(iconField, kIdBtnChooseIcon), BM_CLICK, 0, 0);
  // A sent message is handled by the picker's own loop while it shows, so
  // once this returns the picker either shows or has been and gone.
  if (!Sync(form)) return L"<the creator hangs>";
  HWND picker = nullptr;
  for (HWND window : TopLevelWindows(processId))
    if (window != form && ClassNameOf(window) == L"#32770" && ::IsWindowVisible(window)) picker = window;
  if (!picker) return L"";
  std::wstring file = L"<no file shown>";
  for (HWND child : ChildWindows(picker))
    if (ClassNameOf(child) == L"Edit") file = WindowText(child);
  ::PostMessageW(picker, WM_COMMAND, command, 0);
  if (!WaitUntil([&] { return !::IsWindow(picker); }) || !Sync(form)) return L"<the picker stays>";
  return file;
}

TEST_F(CreatorPickers, IconFieldKeepsItsVariablesWhenThePickerIsCancelled) {
  const std::wstring field = L"%SystemRoot%\\system32\\shell32.dll|4";
  SetText(icon_, field);
  // Cancelled, or given back the file it was opened on (expanded): the
  // field keeps its variables for the same file.
  const std::wstring shown = PickIcon(form_, icon_, Process().Id(), IDCANCEL);
  EXPECT_EQ(shown.find(L'<'), std::wstring::npos) << Narrow(shown);
  EXPECT_FALSE(ShowsMessageBox(Process().Id()));
  EXPECT_EQ(WindowText(icon_), field);
  // A field naming no file opens the picker on the shell's icons, and what
  // it gives back replaces the field.
  SetText(icon_, L"C:\\no such file.ico|2");
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring shell = std::wstring(system) + L"\\SHELL32.DLL";
  const std::wstring opened = PickIcon(form_, icon_, Process().Id(), IDOK);
  if (opened.empty()) {
    EXPECT_EQ(::lstrcmpiW(WindowText(icon_).c_str(), (shell + L"|2").c_str()), 0) << Narrow(WindowText(icon_));
  } else {
    EXPECT_EQ(::lstrcmpiW(opened.c_str(), shell.c_str()), 0) << Narrow(opened);
    const std::wstring text = WindowText(icon_);
    EXPECT_EQ(::lstrcmpiW(text.substr(0, shell.size() + 1).c_str(), (shell + L"|").c_str()), 0) << Narrow(text);
  }
}

}  // namespace
