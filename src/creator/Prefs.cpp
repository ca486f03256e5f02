#include "creator/Prefs.h"

#include "core/viewer/EntryPainting.h"
#include "creator/ButtonImages.h"
#include "shared/DeviceBitmap.h"
#include "shared/Desktop.h"
#include "shared/SystemLook.h"
#include "shared/GdiTextRenderer.h"
#include "shared/PreferenceStore.h"
#include "toolkit/Application.h"

namespace {

const wchar_t kFormClass[] = L"THeapfoldPrefsForm";
const wchar_t kPreviewText[] = L"Example";

}  // namespace

void TFormPrefs::FormCreate(HWND owner) {
  CreateForm(owner, kFormClass, L"Heapfold Preferences", 352, 248);
  ApplyAppsFrame(Handle());  // the title bar in the apps' theme, as the main form's
  if (owner) CentreOn(owner);
  const HWND form = Handle();

  // Controls inside a group box are placed relative to it, but belong to the
  // form, so their notifications reach it.
  GroupStackAppearance.Create(form, L"Appearance", 8, 8, 337, 73);
  // Where stacks draw their captions without a halo (Windows 8 and later,
  // high contrast) the text follows the Windows theme, and the choice below
  // waits for a look that has one.
  if (ChooseViewLook(ReadLookFacts()).Halo)
    LblText.Create(form, L"Text:", 8 + 8, 8 + 16, 100, 14);
  else
    LblText.Create(form, L"Text (on this system it follows the Windows theme):", 8 + 8, 8 + 16, 321, 14);
  RadioBlackOnWhite.Create(form, L"Black text on white background", 8 + 24, 8 + 32, 190, 17);
  RadioBlackOnWhite.SetGroupStart();
  RadioWhiteOnBlack.Create(form, L"White text on black background", 8 + 24, 8 + 48, 190, 17);
  PBPreviewBW.Create(form, 8 + 216, 8 + 32, 65, 15);
  PBPreviewBW.OnPaintBuffer = [this](TBitmap32& buffer) { PaintPreview(buffer, true); };
  PBPreviewWB.Create(form, 8 + 216, 8 + 48, 65, 15);
  PBPreviewWB.OnPaintBuffer = [this](TBitmap32& buffer) { PaintPreview(buffer, false); };

  GroupStackBehavior.Create(form, L"Behavior", 8, 88, 337, 121);
  ChkDoAnimation.Create(form, L"Animate when opening and closing", 8 + 8, 88 + 16, 300, 17);
  ChkDoAnimation.SetGroupStart();
  LblCloseBy.Create(form, L"Close stack by:", 8 + 8, 88 + 40, 200, 14);
  RadioCloseDefault.Create(form, L"Clicking anywhere outside of the stack", 8 + 24, 88 + 56, 290, 17);
  RadioCloseDefault.SetGroupStart();
  RadioClose2ndClick.Create(form, L"Clicking the stack's icon again (like Mac OS X)", 8 + 24, 88 + 72, 290, 17);
  LblNote.Create(form, L"Note: Behavior preferences are ignored by Menu-style stacks", 8 + 8, 88 + 96, 321, 14);

  BtnOK.Create(form, L"OK", 86, 216, 75, 25);
  BtnOK.SetGroupStart();
  BtnOK.SetId(IDOK);
  BtnOK.OnClick = [this] { BtnOKClick(); };
  BtnCancel.Create(form, L"Cancel", 166, 216, 75, 25);
  BtnCancel.SetId(IDCANCEL);
  BtnCancel.OnClick = [this] { SetModalResult(IDCANCEL); };
  SetDefaultButton(BtnOK);

  ApplySystemFont(font_);
  SetControlsFont(FormFont(font_));
  MakeDpiResources();
}

void TFormPrefs::MakeDpiResources() {
  CreateButtonImages(ILButtons, Dpi());
  BtnOK.SetImage(ILButtons.Handle(), kImgOk);
  BtnCancel.SetImage(ILButtons.Handle(), kImgCancel);
  previewFont_ = std::make_unique<TGdiTextRenderer>(font_.Name, PreviewPointSize(font_.PointSize), true, Dpi());
}

void TFormPrefs::DpiChanged() {
  MakeDpiResources();
  PBPreviewBW.Invalidate();
  PBPreviewWB.Invalidate();
}

void TFormPrefs::FormShow() {
  // Read in this order; a value of the wrong type stops here with its error,
  // and the controls after it stay as the form made them.
  // Each shows what the viewer obeys, its default when nothing is stored.
  IsBlackOnWhite(TextColorScheme(ReadPreference(kPrefTextColor))) ? RadioBlackOnWhite.SetChecked(true)
                                                                  : RadioWhiteOnBlack.SetChecked(true);
  ChkDoAnimation.SetChecked(ReadPreference(kPrefAnimate));
  ReadPreference(kPrefCloseBySecondClick) ? RadioClose2ndClick.SetChecked(true) : RadioCloseDefault.SetChecked(true);
}

void TFormPrefs::BtnOKClick() {
  WritePreference(kPrefTextColor, StoredTextColor(RadioBlackOnWhite.Checked()));
  WritePreference(kPrefAnimate, ChkDoAnimation.Checked());
  WritePreference(kPrefCloseBySecondClick, RadioClose2ndClick.Checked());
  SetModalResult(IDOK);
}

void TFormPrefs::PaintPreview(TBitmap32& buffer, bool blackOnWhite) {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  buffer.Fill(FromColorRef(face));
  PaintCaption(buffer, *previewFont_, TRectI{0, 0, buffer.Width(), buffer.Height()}, kPreviewText,
               CaptionRecipeFor(TViewKind::Grid, blackOnWhite ? 1 : 0));
}
