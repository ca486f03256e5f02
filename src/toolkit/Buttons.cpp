#include "toolkit/Buttons.h"

#include "core/base/Dpi.h"

// TButton

void TButton::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height, bool isDefault) {
  CreateControl(parent, L"BUTTON", text, WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, x, y, width,
                height);
}

bool TButton::OnCommand(WORD code) {
  if (code != BN_CLICKED) return false;
  if (OnClick) OnClick();
  return true;
}

// TImageButton

void TImageButton::Create(HWND parent, int x, int y, int width, int height) {
  CreateControl(parent, L"BUTTON", L"", WS_TABSTOP | BS_PUSHBUTTON | BS_ICON, 0, x, y, width, height);
}

void TImageButton::SetImage(HIMAGELIST images, int index) {
  TIcon icon(::ImageList_GetIcon(images, index, ILD_NORMAL));
  ::SendMessageW(Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.Get()));
  icon_ = std::move(icon);  // the button does not own the icon it shows
}

// TCheckBox

void TCheckBox::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height) {
  CreateControl(parent, L"BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, 0, x, y, width, height);
}

bool TCheckBox::Checked() const { return ::SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// TRadioButton

void TRadioButton::Create(HWND parent, const std::wstring& text, int x, int y, int width, int height) {
  CreateControl(parent, L"BUTTON", text, WS_TABSTOP | BS_AUTORADIOBUTTON, 0, x, y, width, height);
}

// TBitButton

void TBitButton::SetImage(HIMAGELIST images, int index) {
  int width = 0, height = 0;
  ::ImageList_GetIconSize(images, &width, &height);
  TImageListHandle own(::ImageList_Create(width, height, ILC_COLOR32, 1, 0));
  if (!own) return;
  const TIcon icon(::ImageList_GetIcon(images, index, ILD_NORMAL));
  ::ImageList_AddIcon(own.Get(), icon.Get());
  BUTTON_IMAGELIST list = {};
  list.himl = own.Get();
  list.margin = {ScaleForDpi(4, Dpi()), 0, 0, 0};
  list.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  ::SendMessageW(Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
  image_ = std::move(own);  // the button draws from the list without owning it
}
