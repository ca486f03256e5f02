#include "creator/MessageDialog.h"

#include "core/raster/Blend.h"
#include "creator/ButtonImages.h"
#include "creator/PictureIds.h"
#include "shared/DeviceBitmap.h"
#include "shared/Desktop.h"
#include "shared/SystemLook.h"
#include "shared/ExtraWinUtils.h"
#include "shared/TextMeasure.h"
#include "shared/Monitors.h"

namespace {

const wchar_t kFormClass[] = L"THeapfoldMessageForm";
constexpr int kClientWidth = 480;
constexpr int kClientHeight = 120;
constexpr int kButtonTop = 88;
constexpr int kButtonWidth = 73;
constexpr int kButtonHeight = 25;
constexpr int kPictureSize = 48;
// The message's place; a longer message makes the box taller, up to a limit
// (MessageTextExtraHeight).
constexpr int kTextLeft = 64;
constexpr int kTextTop = kMessageTextTop;
constexpr int kTextWidth = 409;
constexpr int kTextHeight = kMessageTextHeight;
constexpr int kCheckTop = 64;

// The full bounds (not the work area) of the monitor nearest the cursor.
RECT MonitorBoundsUnderCursor() {
  POINT cursor = {};
  ::GetCursorPos(&cursor);
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  ::GetMonitorInfoW(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcMonitor;
}

}  // namespace

TFormMessage::TFormMessage() = default;

void TFormMessage::FormCreate() {
  CreateForm(nullptr, kFormClass, L"", kClientWidth, kClientHeight);
  ApplyAppsFrame(Handle());  // the title bar in the apps' theme, as the main form's
  const HWND form = Handle();
  CentreOn(MonitorBoundsUnderCursor());

  Img.Create(form, 8, 8, kPictureSize, kPictureSize);
  Img.OnPaintBuffer = [this](TBitmap32& buffer) { ImgPaintBuffer(buffer); };
  MessageText.Create(form, L"", kTextLeft, kTextTop, kTextWidth, kTextHeight);
  MessageText.SetId(kIdMessageText);
  CheckDontShow.Create(form, L"Don't show this message again", 8, kCheckTop, 300, 17);
  for (TBitButton& button : Buttons) {
    button.Create(form, L"", 8, kButtonTop, kButtonWidth, kButtonHeight);
    button.SetVisible(false);
  }
  LoadPictures();

  SetControlsFont(FormFont(TFontDescription{L"Arial", 8}));
  MessageText.SetFont(FormFont(TFontDescription{L"Arial", 9}));
}

void TFormMessage::LoadPictures() {
  const int size = Scaled(kPictureSize);
  for (int i = 0; i < kIconTypeCount; ++i) {
    TBitmap32& picture = BLImages[static_cast<std::size_t>(i)];
    picture = ScalePicture(LoadPictureResource(kMessagePictureResource + i), size, size);
    picture.SetDrawMode(TDrawMode::Blend);
  }
  CreateMessageButtonImages(ILButtons, Dpi());
  for (std::size_t i = 0; i < Buttons.size(); ++i) {
    if (imageNumbers_[i] != 0) Buttons[i].SetImage(ILButtons.Handle(), imageNumbers_[i] - 1);
  }
}

void TFormMessage::FitText() {
  // The height the label's word wrapping needs, in the message's font.
  const int width = Scaled(kTextLeft + kTextWidth) - Scaled(kTextLeft);
  const std::wstring text = MessageText.Text();
  RECT needed = {0, 0, width, 0};
  {
    const TWindowDC dc(MessageText.Handle());
    const TSelectObject select(dc.Get(), MessageText.Font());
    ::DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &needed,
                DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  }
  const int extra = MessageTextExtraHeight(needed.bottom, Dpi());
  if (extra == textExtra_) return;
  textExtra_ = extra;
  MessageText.SetBounds(kTextLeft, kTextTop, kTextWidth, kTextHeight + extra);
  CheckDontShow.SetBounds(8, kCheckTop + extra, 300, 17);
  SetClientSize(kClientWidth, kClientHeight + extra);
}

void TFormMessage::DpiChanged() {
  LoadPictures();
  FitText();
  ArrangeButtons();
  Img.Invalidate();
}

void TFormMessage::SetupButton(int index, const TMDButton& record) {
  TBitButton& button = Buttons.at(static_cast<std::size_t>(index));
  button.SetVisible(record.Visible);
  imageNumbers_[static_cast<std::size_t>(index)] = record.ImageNumber;
  if (record.ImageNumber != 0) button.SetImage(ILButtons.Handle(), record.ImageNumber - 1);
  button.SetText(record.Caption);
  // The result is the button's identifier, so a command of that number presses it.
  button.SetId(record.ModalResult);
  const int result = record.ModalResult;
  button.OnClick = [this, result] { SetModalResult(result == kResultNone ? kResultCancel : result); };
  defaults_[static_cast<std::size_t>(index)] = record.IsDefault;
  if (record.IsDefault) SetDefaultButton(button);
}

void TFormMessage::ArrangeButtons() {
  std::array<bool, 4> visible = {};
  std::array<int, 4> widths = {};
  std::array<int, 4> lefts = {};
  for (std::size_t i = 0; i < Buttons.size(); ++i) {
    const HWND button = Buttons[i].Handle();
    visible[i] = Buttons[i].Visible();
    widths[i] = MessageButtonWidth(TextWidth(Buttons[i].Font(), Buttons[i].Text()), Dpi());
    RECT r = {};
    ::GetWindowRect(button, &r);
    ::MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    lefts[i] = r.left;
  }
  RECT client = {};
  ::GetClientRect(Handle(), &client);
  lefts = ::ArrangeButtons(visible, widths, lefts, client.right, Dpi());
  // Anchored to the bottom edge, which a long message moves down.
  const int top = Scaled(kButtonTop + textExtra_);
  const int height = Scaled(kButtonTop + textExtra_ + kButtonHeight) - top;
  for (std::size_t i = 0; i < Buttons.size(); ++i) {
    ::SetWindowPos(Buttons[i].Handle(), nullptr, lefts[i], top, widths[i], height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TFormMessage::FormClose() { DontShow = CheckDontShow.Checked(); }

void TFormMessage::FormShow() {
  // Each default button takes the focus in turn: the last one keeps it.
  for (std::size_t i = 0; i < Buttons.size(); ++i)
    if (defaults_[i] && Buttons[i].Visible()) ::SetFocus(Buttons[i].Handle());
}

void TFormMessage::ImgPaintBuffer(TBitmap32& buffer) {
  const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
  buffer.Fill(FromColorRef(face));
  if (IconType >= 0 && IconType < kIconTypeCount)
    DrawBitmap(buffer, 0, 0, BLImages[static_cast<std::size_t>(IconType)]);
}

int ShowMessageBox(const std::wstring& title, const std::wstring& text, int iconType, bool& dontShow, bool showDontShow,
                   const TMDButton& button1, const TMDButton& button2, const TMDButton& button3,
                   const TMDButton& button4) {
  TFormMessage box;
  box.FormCreate();
  ::SetWindowTextW(box.Handle(), title.c_str());
  box.MessageText.SetText(text);
  box.FitText();
  box.CentreOn(MonitorBoundsUnderCursor());
  box.IconType = iconType;
  const TMDButton* records[] = {&button1, &button2, &button3, &button4};
  for (int i = 0; i < 4; ++i) box.SetupButton(i, *records[i]);
  box.ArrangeButtons();
  box.CheckDontShow.SetVisible(showDontShow);
  box.CheckDontShow.SetChecked(showDontShow);
  PlaySystemSound(SoundForIconType(iconType));
  const int result = box.ShowModal();
  dontShow = box.DontShow;
  return result;
}

int ShowQuestion(const std::wstring& title, const std::wstring& text, int iconType, const std::wstring& yesCaption,
                 const std::wstring& noCaption) {
  bool dontShow = false;
  return ShowMessageBox(title, text, iconType, dontShow, false,
                        MakeButton(true, kButtonImageOk, yesCaption, true, kResultYes),
                        MakeButton(true, kButtonImageCancel, noCaption, false, kResultNo), NoButton(), NoButton());
}

int ShowInfo(const std::wstring& title, const std::wstring& text, int iconType, const std::wstring& caption) {
  bool dontShow = false;
  return ShowMessageBox(title, text, iconType, dontShow, false,
                        MakeButton(true, kButtonImageOk, caption, true, kResultOk), NoButton(), NoButton(), NoButton());
}
