// The shipped packages of this build: the per-user installer in silent mode
// (its files, Start menu entry and uninstall entry, an upgrade over a running
// stack, the uninstaller) and the portable zip unpacked into a folder whose
// name holds a blank and a letter outside ASCII. Each time the installed
// creator makes a stack and the stack opens.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "E2eHarness.h"
#include "creator/ControlIds.h"
#include "shared/ExtraWinUtils.h"
#include "shared/ShellLinkUtils.h"
#include "shared/SysImg.h"

using namespace e2e;

namespace {

const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Heapfold";
const wchar_t* const kProgramFiles[] = {L"Heapmaker.exe", L"Heapview0.exe", L"Heapview1.exe", L"Heapview2.exe",
                                        L"Heapview3.exe", L"Heapview4.exe", L"Heapview5.exe", L"Heapview6.exe",
                                        L"Heapview7.exe", L"Heapview8.exe", L"Heapview9.exe", L"credits.rtf"};

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

std::wstring Packages() { return HostPath(HEAPFOLD_PACKAGES_HOST); }
std::wstring InstallerExe() { return Packages() + L"\\Heapfold-" + Wide(HEAPFOLD_VERSION_HOST) + L"-setup.exe"; }
std::wstring NewerInstaller() {
  return Packages() + L"\\newer\\Heapfold-" + Wide(HEAPFOLD_NEWER_VERSION_HOST) + L"-setup.exe";
}
// The release before this one, which held the i686 programs only.
std::wstring PreviousInstaller() {
  return Packages() + L"\\previous\\Heapfold-" + Wide(HEAPFOLD_PREVIOUS_VERSION_HOST) + L"-setup.exe";
}
// What this build's programs are: the installer puts the x64 programs on a
// 64-bit system and the i686 ones on a 32-bit one, and the tests run in a
// prefix of their own build's kind.
constexpr WORD kOwnMachine = sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;
const wchar_t* const kOwnArch = sizeof(void*) == 8 ? L"x64" : L"x86";

// A program file's PE headers; a zero signature when it cannot be read.
IMAGE_NT_HEADERS32 PeHeaders(const std::wstring& path) {
  IMAGE_NT_HEADERS32 nt = {};
  THandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  IMAGE_DOS_HEADER dos = {};
  DWORD read = 0;
  if (!file || !::ReadFile(file.Get(), &dos, sizeof(dos), &read, nullptr) || read != sizeof(dos)) return nt;
  ::SetFilePointer(file.Get(), dos.e_lfanew, nullptr, FILE_BEGIN);
  // The signature and the file header are the same in both kinds of header.
  if (!::ReadFile(file.Get(), &nt, sizeof(nt), &read, nullptr) || read != sizeof(nt)) nt = {};
  return nt;
}
WORD MachineOf(const std::wstring& path) { return PeHeaders(path).FileHeader.Machine; }
std::wstring StartMenuEntry() { return GetSpecialFolderPath(CSIDL_PROGRAMS) + L"\\Heapfold.lnk"; }
std::wstring DesktopFolder() { return GetSpecialFolderPath(CSIDL_DESKTOPDIRECTORY); }

// The names in a folder, sorted.
std::vector<std::wstring> FolderNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data;
  TFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find) return names;
  do {
    const std::wstring name = data.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (::FindNextFileW(find.Get(), &data));
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::wstring> ExpectedNames(bool withUninstaller) {
  std::vector<std::wstring> names(std::begin(kProgramFiles), std::end(kProgramFiles));
  if (withUninstaller) names.push_back(L"Uninstall.exe");
  std::sort(names.begin(), names.end());
  return names;
}

std::wstring UninstallString(const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof(value), type = 0;
  if (::SHGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, &type, value, &size) != ERROR_SUCCESS || type != REG_SZ)
    return L"<none>";
  return value;
}

DWORD UninstallDword(const wchar_t* name) {
  DWORD value = 0, size = sizeof(value), type = 0;
  if (::SHGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, &type, &value, &size) != ERROR_SUCCESS || type != REG_DWORD)
    return 0xFFFFFFFF;
  return value;
}

bool SameBytes(const std::wstring& a, const std::wstring& b) {
  const std::string bytes = ReadFileBytes(a);
  return !bytes.empty() && bytes == ReadFileBytes(b);
}

// Runs a package's program to its end; false when it does not end or fails.
bool RunToEnd(const std::wstring& exe, const std::wstring& arguments) {
  TProcess process = TProcess::Launch(exe, arguments);
  return process.WaitForExit(60000) && process.ExitCode() == 0;
}

class Installer : public ::testing::Test {
protected:
  ~Installer() override {
    // Whatever a failed test left installed goes, so the next one starts clean.
    ::SHDeleteKeyW(HKEY_CURRENT_USER, kUninstallKey);
    ::DeleteFileW(StartMenuEntry().c_str());
    for (const std::wstring& path : desktop_) ::DeleteFileW(path.c_str());
  }

  // The installed creator writes a stack of folder onto the desktop; gives
  // the shortcut's path, empty when it did not.
  std::wstring CreateStack(const std::wstring& creator, const std::wstring& folder, const std::wstring& caption) {
    TProcess process = TProcess::Launch(creator, L"");
    const HWND form = WaitForWindow(process.Id(), kTimeout, L"Create a new Heapfold");
    if (!form) return L"";
    for (const auto& [id, text] : {std::pair<int, std::wstring>{kIdEditFolder, folder}, {kIdEditName, caption}})
      ::SendMessageW(::GetDlgItem(form, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    const std::wstring shortcut = DesktopFolder() + L"\\" + caption + L".lnk";
    desktop_.push_back(shortcut);
    ::PostMessageW(::GetDlgItem(form, kIdBtnCreateShortcut), BM_CLICK, 0, 0);
    const bool written = WaitUntil([&] { return FileExists(shortcut); });
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    process.WaitForExit();
    return written ? shortcut : L"";
  }

  // Starts the stack as the taskbar would; its viewer once its window shows,
  // else null.
  static std::unique_ptr<TProcess> OpenStack(const std::wstring& shortcut, const std::wstring& caption) {
    const TShellLinkInfo link = ReadShellLink(shortcut);
    auto viewer = std::make_unique<TProcess>(TProcess::Launch(link.TargetPath, link.Arguments));
    if (!WaitForWindow(viewer->Id(), kTimeout, caption)) viewer.reset();
    return viewer;
  }

  TComInit com_;
  TPreferences preferences_;
  TScratchFolder stackFolder_{L"Installed Stack"};
  std::vector<std::wstring> desktop_;
};

TEST_F(Installer, InstallsUpgradesOverARunningStackAndUninstallsCleanly) {
  TScratchFolder target(L"Install Target");
  const std::wstring folder = target.Path() + L"\\My Heapfold";
  ASSERT_TRUE(RunToEnd(InstallerExe(), L"/S /D=" + folder));

  // Every file, byte for byte, of this system's build, and the uninstaller.
  EXPECT_EQ(FolderNames(folder), ExpectedNames(true));
  for (const wchar_t* name : kProgramFiles)
    EXPECT_TRUE(SameBytes(folder + L"\\" + name, DistDir() + name)) << Narrow(name);
  EXPECT_EQ(MachineOf(folder + L"\\Heapview0.exe"), kOwnMachine);
  EXPECT_EQ(MachineOf(folder + L"\\Heapmaker.exe"), kOwnMachine);
  // The way in: the Start menu's "Heapfold" starts the creator.
  EXPECT_EQ(ReadShellLink(StartMenuEntry()).TargetPath, folder + L"\\Heapmaker.exe");
  // The uninstall entry of the current user.
  EXPECT_EQ(UninstallString(L"DisplayName"), L"Heapfold");
  EXPECT_EQ(UninstallString(L"DisplayVersion"), Wide(HEAPFOLD_VERSION_HOST));
  EXPECT_EQ(UninstallString(L"Publisher"), L"Brenwick Software");
  EXPECT_EQ(UninstallString(L"DisplayIcon"), folder + L"\\Heapmaker.exe,0");
  EXPECT_EQ(UninstallString(L"InstallLocation"), folder);
  EXPECT_EQ(UninstallString(L"UninstallString"), L"\"" + folder + L"\\Uninstall.exe\"");
  const DWORD size = UninstallDword(L"EstimatedSize");
  EXPECT_GT(size, 1000u);
  EXPECT_LT(size, 200000u);

  const std::wstring shortcut = CreateStack(folder + L"\\Heapmaker.exe", stackFolder_.Path(), L"Installed");
  ASSERT_FALSE(shortcut.empty());
  EXPECT_EQ(ReadShellLink(shortcut).TargetPath, folder + L"\\Heapview0.exe");
  EXPECT_NE(OpenStack(shortcut, L"Installed Stack"), nullptr);

  // The same version again, then a newer one while the stack is open: the
  // folder stays where it is (no /D), the open stack is closed first, and
  // no old file is left beside the new ones.
  ASSERT_TRUE(RunToEnd(InstallerExe(), L"/S"));
  EXPECT_EQ(FolderNames(folder), ExpectedNames(true));
  const std::unique_ptr<TProcess> open = OpenStack(shortcut, L"Installed Stack");
  ASSERT_NE(open, nullptr);
  ASSERT_TRUE(open->Running());
  ASSERT_TRUE(RunToEnd(NewerInstaller(), L"/S"));
  EXPECT_TRUE(open->WaitForExit()) << "the open stack was asked to close";
  EXPECT_EQ(FolderNames(folder), ExpectedNames(true));
  EXPECT_EQ(UninstallString(L"DisplayVersion"), Wide(HEAPFOLD_NEWER_VERSION_HOST));
  EXPECT_NE(OpenStack(shortcut, L"Installed Stack"), nullptr) << "stacks keep working after the upgrade";

  // The uninstaller runs from a copy of itself and ends when the folder has
  // gone; the preferences and the user's stack shortcut stay.
  preferences_.SetDword(L"TextColor", 0);
  ASSERT_TRUE(RunToEnd(folder + L"\\Uninstall.exe", L"/S"));
  EXPECT_TRUE(WaitUntil([&] { return !PathExists(folder) && UninstallString(L"DisplayName") == L"<none>"; }, 30000));
  EXPECT_FALSE(FileExists(StartMenuEntry()));
  EXPECT_EQ(UninstallString(L"DisplayName"), L"<none>");
  EXPECT_TRUE(FileExists(shortcut));
  EXPECT_EQ(preferences_.Dword(L"TextColor"), 0);

  // Asked to, the uninstaller takes the preferences too.
  ASSERT_TRUE(RunToEnd(InstallerExe(), L"/S /D=" + folder));
  ASSERT_TRUE(RunToEnd(folder + L"\\Uninstall.exe", L"/S /REMOVEPREFERENCES"));
  EXPECT_TRUE(WaitUntil([&] { return !PathExists(folder) && preferences_.Dword(L"TextColor") == -1; }, 30000));
}

// A stack made with the previous release, which installed the i686
// programs, still opens after this installer has replaced them in place
// (with the x64 programs on a 64-bit system).
TEST_F(Installer, UpgradesThePreviousI686ReleaseInPlace) {
  TScratchFolder target(L"Previous Install");
  const std::wstring folder = target.Path() + L"\\Heapfold";
  ASSERT_TRUE(RunToEnd(PreviousInstaller(), L"/S /D=" + folder));
  EXPECT_EQ(FolderNames(folder), ExpectedNames(true));
  EXPECT_EQ(MachineOf(folder + L"\\Heapview0.exe"), IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(UninstallString(L"DisplayVersion"), Wide(HEAPFOLD_PREVIOUS_VERSION_HOST));
  // The stack shortcut as that release's creator wrote it onto the desktop
  // (written here: on a system that runs no 32-bit programs it cannot run).
  TShellLinkInfo stack;
  stack.TargetPath = folder + L"\\Heapview0.exe";
  stack.Arguments = L"\"" + stackFolder_.Path() + L"\" ";
  stack.Description = L"Heapfold";
  stack.WorkingFolder = stackFolder_.Path();
  const std::wstring shortcut = DesktopFolder() + L"\\Older.lnk";
  desktop_.push_back(shortcut);
  // The link object rewrites a file in place: it starts as an empty one.
  ASSERT_TRUE(THandle(::CreateFileW(shortcut.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
  WriteShellLink(shortcut, stack);

  // No folder given: the upgrade finds the installed one.
  ASSERT_TRUE(RunToEnd(InstallerExe(), L"/S"));
  EXPECT_EQ(FolderNames(folder), ExpectedNames(true)) << "no old file is left beside the new ones";
  for (const wchar_t* name : kProgramFiles)
    EXPECT_TRUE(SameBytes(folder + L"\\" + name, DistDir() + name)) << Narrow(name);
  EXPECT_EQ(MachineOf(folder + L"\\Heapview0.exe"), kOwnMachine);
  EXPECT_EQ(UninstallString(L"DisplayVersion"), Wide(HEAPFOLD_VERSION_HOST));
  EXPECT_EQ(UninstallString(L"InstallLocation"), folder);
  const std::unique_ptr<TProcess> viewer = OpenStack(shortcut, L"Installed Stack");
  ASSERT_NE(viewer, nullptr) << "the older stack opens with the new programs";
  const HWND window = WaitForWindow(viewer->Id(), kTimeout, L"Installed Stack");
  ASSERT_TRUE(WaitForViewAtRest(window));
  PressKey(window, VK_ESCAPE, 27);
  EXPECT_TRUE(viewer->WaitForExit());

  ASSERT_TRUE(RunToEnd(folder + L"\\Uninstall.exe", L"/S"));
  EXPECT_TRUE(WaitUntil([&] { return !PathExists(folder); }, 30000));
}

TEST_F(Installer, PortableZipWorksFromAnyFolder) {
  const std::wstring folder = Packages() + L"\\Heapfold P\u00f6rtable " + kOwnArch + L"\\Heapfold";
  std::vector<std::wstring> expected = ExpectedNames(false);
  expected.push_back(L"Read me.txt");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FolderNames(folder), expected);
  for (const wchar_t* name : kProgramFiles)
    EXPECT_TRUE(SameBytes(folder + L"\\" + name, DistDir() + name)) << Narrow(name);

  const std::wstring shortcut = CreateStack(folder + L"\\Heapmaker.exe", stackFolder_.Path(), L"Portable");
  ASSERT_FALSE(shortcut.empty());
  EXPECT_EQ(ReadShellLink(shortcut).TargetPath, folder + L"\\Heapview0.exe");
  EXPECT_NE(OpenStack(shortcut, L"Installed Stack"), nullptr);
}

// What every program of the release carries: its version, from the one
// place it is set, and its maker; no link time, so builds can be compared.
TEST(Release, ProgramsCarryTheirVersionAndNoLinkTime) {
  for (const wchar_t* name : {L"Heapmaker.exe", L"Heapview0.exe"}) {
    SCOPED_TRACE(Narrow(name));
    const std::wstring path = DistDir() + name;
    DWORD handle = 0;
    std::vector<char> info(::GetFileVersionInfoSizeW(path.c_str(), &handle));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    const auto text = [&](const wchar_t* key) {
      wchar_t* value = nullptr;
      UINT length = 0;
      const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
      if (!::VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        return std::wstring();
      return std::wstring(value);
    };
    EXPECT_EQ(text(L"ProductVersion"), Wide(HEAPFOLD_VERSION_HOST));
    EXPECT_EQ(text(L"FileVersion"), Wide(HEAPFOLD_VERSION_HOST));
    EXPECT_EQ(text(L"ProductName"), L"Heapfold");
    EXPECT_EQ(text(L"CompanyName"), L"Brenwick Software");
    EXPECT_EQ(text(L"OriginalFilename"), name == std::wstring(L"Heapmaker.exe") ? L"Heapmaker.exe" : L"Heapview.exe");
    EXPECT_FALSE(text(L"FileDescription").empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const std::wstring numbers =
        std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionMS)) +
        L"." + std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionLS));
    EXPECT_EQ(numbers, Wide(HEAPFOLD_VERSION_HOST));

    const IMAGE_NT_HEADERS32 nt = PeHeaders(path);
    ASSERT_EQ(nt.Signature, static_cast<DWORD>(IMAGE_NT_SIGNATURE));
    EXPECT_EQ(nt.FileHeader.TimeDateStamp, 0u);
    EXPECT_EQ(nt.FileHeader.Machine, kOwnMachine);
  }
}

}  // namespace
