#pragma once

#include <windows.h>

#include "toolkit/Control.h"
#include "toolkit/Window.h"

// A window-message timer on a hidden window of its own: an interval, an
// enabled switch and one handler. Disabling and enabling it again restarts the
// interval.
class TSimpleTimer : public TWindow {
public:
  ~TSimpleTimer() override;
  void SetInterval(UINT milliseconds);
  UINT Interval() const { return interval_; }
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  TNotifyEvent OnTimer;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Apply();
  UINT interval_ = 1000;
  bool enabled_ = false;
};
