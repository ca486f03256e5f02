// Controls that take the user's text or choice: edits, an edit with embedded
// buttons and a drop-down list.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Buttons.h"
#include "toolkit/Control.h"

// A drop-down list without free text.
class TComboBox : public TControl {
public:
  // dropDownHeight: the height of the control with its list open.
  void Create(HWND parent, int x, int y, int width, int dropDownHeight);
  void AddItem(const std::wstring& text);
  int ItemIndex() const;  // -1 when nothing is selected
  void SetItemIndex(int index);
};

class TEdit : public TControl {
public:
  void Create(HWND parent, int x, int y, int width, int height);
  TNotifyEvent OnChange;
  // A typed character before the edit takes it; set it to 0 to refuse it.
  // Pasted text does not pass here.
  std::function<void(wchar_t& key)> OnKeyPress;

protected:
  bool OnCommand(WORD code) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// An edit field with push buttons docked at its right edge inside it. The
// text keeps clear of them through the edit's right margin.
class TButtonEdit : public TEdit {
public:
  // Buttons are laid out from the right edge leftwards in the order added.
  TButton& AddButton(const std::wstring& caption, int width);
  const std::vector<std::unique_ptr<TButton>>& Buttons() const { return buttons_; }

protected:
  void ApplyFont(HFONT font) override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void LayOutButtons();
  std::vector<std::unique_ptr<TButton>> buttons_;
  std::vector<int> widths_;  // design units
};
