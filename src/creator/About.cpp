#include "creator/About.h"

#include "core/base/DateFormat.h"
#include "core/imaging/IconFile.h"
#include "core/base/Errors.h"
#include "core/creator/UpdateCheck.h"
#include "shared/Desktop.h"
#include "shared/SystemLook.h"
#include "shared/ExtraWinUtils.h"
#include "toolkit/Application.h"

namespace {

const wchar_t kFormClass[] = L"THeapfoldAboutForm";
constexpr DWORD kCreditsLimit = 4 * 1024 * 1024;
constexpr int kPictureSize = 48;

std::wstring LocaleText(LCTYPE type) {
  wchar_t text[128] = {};
  const int length = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 128);
  return length > 1 ? std::wstring(text, static_cast<std::size_t>(length - 1)) : std::wstring();
}

TDateNames UserDateNames() {
  TDateNames names;
  // The system's list starts on Monday; ours on Sunday.
  for (int i = 0; i < 7; ++i)
    names.LongDayNames[static_cast<std::size_t>((i + 1) % 7)] = LocaleText(LOCALE_SDAYNAME1 + i);
  for (int i = 0; i < 12; ++i) names.LongMonthNames[static_cast<std::size_t>(i)] = LocaleText(LOCALE_SMONTHNAME1 + i);
  return names;
}

// The whole file, or EError with the system's reason.
std::string ReadWholeFile(const std::wstring& path) {
  const THandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  const auto fail = [&](DWORD code) { return EError(L"Cannot open file \"" + path + L"\". " + OsErrorText(code)); };
  if (!file) throw fail(::GetLastError());
  const DWORD size = ::GetFileSize(file.Get(), nullptr);
  if (size == INVALID_FILE_SIZE) throw fail(::GetLastError());
  if (size > kCreditsLimit) throw fail(ERROR_FILE_TOO_LARGE);
  std::string bytes(size, '\0');
  DWORD read = 0;
  if (size > 0 && !::ReadFile(file.Get(), &bytes[0], size, &read, nullptr)) throw fail(::GetLastError());
  bytes.resize(read);
  return bytes;
}

TIcon LoadIconOfSize(const wchar_t* name, int size) {
  return TIcon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), name, IMAGE_ICON, size, size, 0)));
}

// The maker's logo is an icon file kept as raw data, not a group icon: the
// program file's only icon is its own. Its images are tried from the best
// fit down, so a system that cannot read the large PNG image takes the next.
TIcon LoadMakerPicture(int size) {
  const TResourceBytes file = ProgramRawData(L"ZBRENWICK");
  for (const TIconFileImage& image : IconFileImagesFor(file.Data, file.Size, size)) {
    TIcon icon(::CreateIconFromResourceEx(const_cast<PBYTE>(file.Data + image.Offset), static_cast<DWORD>(image.Size),
                                          TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR));
    if (icon) return icon;
  }
  return TIcon();
}

}  // namespace

std::wstring ReleaseDateText() { return FormatDayNumber(L"dddd, mmmm d, yyyy", kReleaseDayNumber, UserDateNames()); }

void TFormAbout::FormCreate(HWND owner) {
  CreateForm(owner, kFormClass, L"About Heapfold", 347, 264);
  ApplyAppsFrame(Handle());  // the title bar in the apps' theme, as the main form's
  if (owner) CentreOn(owner);
  const HWND form = Handle();

  Tabs.Create(form, 0, 0, 347, 225);
  Tabs.AddTab(L"About Heapfold");
  Tabs.AddTab(L"Credits");
  const HWND about = Tabs.Page(0);
  const HWND credits = Tabs.Page(1);

  ImgProduct.Create(about, 8, 8, kPictureSize, kPictureSize);
  LblAppName.Create(about, std::wstring(L"Heapfold v") + kCurrentVersionText, 64, 8, 250, 24);
  LblReleaseDate.Create(about, L"Released on " + ReleaseDateText(), 64, 32, 250, 14);
  LblURLHeapfold.Create(about, kProductAddress, 64, 48, 250, 14, false);
  LblURLHeapfold.OnClick = [] { ShellOpen(kProductAddress); };
  ImgMaker.Create(about, 8, 80, kPictureSize, kPictureSize);
  LoadPictures();
  LblBrenwick.Create(about, L"Brenwick Software", 64, 80, 250, 14);
  LblNotice.Create(about, L"\u00a9 2009 Brenwick Software. All rights reserved.", 64, 96, 270, 14);
  LblURLBrenwick.Create(about, kMakerAddress, 64, 112, 250, 14, false);
  LblURLBrenwick.OnClick = [] { ShellOpen(kMakerAddress); };
  LblDonation.Create(about,
                     L"If you like this app, please consider donating $5 USD to help us improve it, and create more "
                     L"apps like it.  Thanks!",
                     16, 144, 297, 41);
  REditCredits.Create(credits, 8, 8, 329, 177);
  REditCredits.OnURLClick = [this](const std::wstring& link) { REditCreditsURLClick(link); };

  BtnClose.Create(form, L"Close", 136, 232, 75, 25);
  BtnClose.SetId(IDCANCEL);
  BtnClose.OnClick = [this] { SetModalResult(IDCANCEL); };
  SetDefaultButton(BtnClose);
  SetFocusControl(BtnClose.Handle());

  TFontDescription font{L"Arial", 8};
  ApplySystemFont(font);
  SetControlsFont(FormFont(font));
  LblAppName.SetFont(FormFont(TFontDescription{font.Name, 14, true}));
  LblBrenwick.SetFont(FormFont(TFontDescription{font.Name, font.PointSize, true}));

  Tabs.SelectTab(0);
  LoadCredits();
}

void TFormAbout::LoadPictures() {
  const int size = Scaled(kPictureSize);
  ImgProduct.SetIcon(LoadIconOfSize(L"MAINICON", size));
  ImgMaker.SetIcon(LoadMakerPicture(size));
  // The icon style sizes the control to the icon; the layout says where it goes.
  ImgProduct.ApplyDpi(Dpi());
  ImgMaker.ApplyDpi(Dpi());
}

void TFormAbout::DpiChanged() { LoadPictures(); }

void TFormAbout::LoadCredits() {
  try {
    REditCredits.LoadRichText(ReadWholeFile(GetProgramFolder() + L"credits.rtf"));
  } catch (const EError& e) {
    TApplication::Instance().ShowError(e.Message(), Handle());
  }
}

void TFormAbout::REditCreditsURLClick(const std::wstring& link) {
  // Only web pages are handed to the shell: a link in a document must not
  // start programs or open files.
  if (IsWebAddress(link)) ShellOpen(link);
}
