#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Control.h"

// Tabs over pages: each page is a window of the dialog's colour over the
// tabs' display area, whose controls are its children and are placed
// relative to it. Their notifications go on to the form. Only the selected
// page shows.
class TTabControl : public TControl {
public:
  TTabControl();
  ~TTabControl() override;
  void Create(HWND parent, int x, int y, int width, int height);
  // Adds a tab and its page; gives the tab's index.
  int AddTab(const std::wstring& caption);
  // The page window of a tab: the parent for its controls.
  HWND Page(int tab) const;
  int SelectedTab() const;
  void SelectTab(int tab);
  void ApplyDpi(int dpi) override;
  TNotifyEvent OnChange;

protected:
  bool OnNotify(const NMHDR& header, LPARAM lParam, LRESULT& result) override;

private:
  void ShowPage();
  // The pages' rectangle in the parent: the tabs' display area.
  RECT PageArea() const;
  class TPage;
  std::vector<std::unique_ptr<TPage>> pages_;
};
