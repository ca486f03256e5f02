// Messaging between viewer processes of one desktop: a receiver joins the
// group of its stack folder (a global atom); a sender finds the receivers of a
// group by a registered message sent to the top-level windows, which they
// answer, and sends them data blocks as WM_COPYDATA.
//
// Every send is bounded: windows of our own class are asked first, a window
// that does not answer in time is passed over, and each exchange has an
// overall deadline, so no hung window anywhere on the desktop holds a viewer
// up.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/viewer/AppComm.h"
#include "toolkit/Window.h"

// Notices and answers of the plain handshake message.
enum : WPARAM {
  kInterAppCall = 0,
  kInterAppPing = 1,
  kInterAppCallAnswer = 2,
  kInterAppPingAnswer = 3,
  kInterAppCreated = 4,
  kInterAppDestroyed = 5,
  kInterAppDisabled = 6,
  kInterAppEnabled = 7,
};

// The hidden top-level window of a component and the three registered
// messages, the same numbers in every process.
class TInterApp : public TWindow {
public:
  TInterApp();
  static UINT HandshakeMessage();
  static UINT ByNameMessage();
  static UINT ByNameSilentMessage();

  bool Enabled() const { return enabled_; }

protected:
  // Sends to every top-level window, ours first, each within its share of the
  // deadline; gives once all have answered or the time is up.
  void Broadcast(UINT message, WPARAM wParam, LPARAM lParam, DWORD milliseconds);
  static LRESULT SendBounded(HWND target, UINT message, WPARAM wParam, LPARAM lParam, DWORD milliseconds);
  bool enabled_ = true;
};

class TInterAppSender : public TInterApp {
public:
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  // The windows of the enabled receivers in the group (its name cut to the
  // 255 characters an atom holds, as receivers cut theirs), other than this
  // sender's own, in the order they answered; empty when none runs.
  std::vector<HWND> FindReceiversByName(const std::wstring& group, bool silent);
  // Sends the block as WM_COPYDATA of kind 0; gives the target's answer (0
  // when it did not answer within the deadline).
  LRESULT SendData(HWND target, const void* data, std::uint32_t size);

  std::function<void(HWND receiver)> OnReceiverReply, OnReceiverCreated, OnReceiverDestroyed, OnReceiverEnabled,
      OnReceiverDisabled;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  std::vector<HWND> byName_;
  std::vector<HWND> calls_;
};

class TInterAppReceiver : public TInterApp {
public:
  ~TInterAppReceiver() override;  // leaves the group and tells the senders

  // Setting a new value tells every sender (notice 7 or 6).
  void SetEnabled(bool enabled);
  // Joins a group, its name cut to the 255 characters an atom holds: the old
  // group's atom is given up, the new one added.
  void SetGroupName(const std::wstring& name);
  const std::wstring& GroupName() const { return group_; }
  // The form that holds the receiver has loaded: tells every sender (notice 4).
  void Loaded();

  std::function<void(HWND sender)> OnReceiveCall;
  std::function<void(HWND sender, const std::vector<std::uint8_t>& data)> OnReceiveData;
  std::function<void(HWND sender, const std::string& text)> OnReceiveString;
  std::function<void(HWND sender, std::int32_t value)> OnReceiveInteger;
  std::function<void(HWND sender, double value)> OnReceiveReal;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  std::wstring group_;
  ATOM atom_ = 0;
};
