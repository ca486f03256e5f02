#include "viewer/InterAppComm.h"

#include <algorithm>

namespace {

const wchar_t kInterAppClass[] = L"THeapInterApp";
// Deadlines: queries and notices about a second, the close command (which
// waits for the other viewer's closing slide) five.
constexpr DWORD kQueryMilliseconds = 1000;
constexpr DWORD kNoticeMilliseconds = 1000;
constexpr DWORD kAnswerMilliseconds = 1000;
constexpr DWORD kDataMilliseconds = 5000;
// No single window may take more than this share of a broadcast's deadline.
constexpr DWORD kPerWindowMilliseconds = 250;

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindowsOursFirst() {
  std::vector<HWND> windows;
  ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  const auto ours = [](HWND window) {
    wchar_t name[32] = {};
    return ::GetClassNameW(window, name, 32) > 0 && std::wstring(name) == kInterAppClass;
  };
  std::stable_partition(windows.begin(), windows.end(), ours);
  return windows;
}

}  // namespace

TInterApp::TInterApp() {
  // The three messages are registered with the first component.
  HandshakeMessage();
  ByNameMessage();
  ByNameSilentMessage();
  RegisterWindowClass(kInterAppClass, nullptr);
  CreateHandle(0, kInterAppClass, L"", WS_POPUP, 0, 0, 0, 0);
}

UINT TInterApp::HandshakeMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"InterAppHandshake");
  return message;
}
UINT TInterApp::ByNameMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"InterAppHandshakeByName");
  return message;
}
UINT TInterApp::ByNameSilentMessage() {
  static const UINT message = ::RegisterWindowMessageW(L"InterAppHandshakeByNameSilent");
  return message;
}

LRESULT TInterApp::SendBounded(HWND target, UINT message, WPARAM wParam, LPARAM lParam, DWORD milliseconds) {
  DWORD_PTR result = 0;
  // SMTO_NORMAL: while waiting, this thread still handles messages sent to
  // it, such as the answers to a query.
  if (!::SendMessageTimeoutW(target, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, milliseconds, &result))
    return 0;
  return static_cast<LRESULT>(result);
}

void TInterApp::Broadcast(UINT message, WPARAM wParam, LPARAM lParam, DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  for (HWND window : TopLevelWindowsOursFirst()) {
    const DWORD spent = ::GetTickCount() - start;
    if (spent >= milliseconds) return;
    if (window == Handle() || !::IsWindow(window)) continue;
    SendBounded(window, message, wParam, lParam, std::min(milliseconds - spent, kPerWindowMilliseconds));
  }
}

// TInterAppSender

std::vector<HWND> TInterAppSender::FindReceiversByName(const std::wstring& group, bool silent) {
  byName_.clear();
  const ATOM atom = ::GlobalFindAtomW(GroupNameOf(group).c_str());
  if (atom == 0) return {};  // no viewer of the group runs
  Broadcast(silent ? ByNameSilentMessage() : ByNameMessage(), reinterpret_cast<WPARAM>(Handle()), atom,
            kQueryMilliseconds);
  return byName_;
}

LRESULT TInterAppSender::SendData(HWND target, const void* data, std::uint32_t size) {
  COPYDATASTRUCT copy = {};
  copy.dwData = 0;
  copy.cbData = size;
  copy.lpData = const_cast<void*>(data);
  return SendBounded(target, WM_COPYDATA, reinterpret_cast<WPARAM>(Handle()), reinterpret_cast<LPARAM>(&copy),
                     kDataMilliseconds);
}

LRESULT TInterAppSender::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND from = reinterpret_cast<HWND>(wParam);
  if (message == HandshakeMessage()) {
    const auto notify = [&](const std::function<void(HWND)>& event) {
      if (enabled_ && event) event(from);
    };
    switch (lParam) {
      case kInterAppCallAnswer:
        calls_.push_back(from);
        notify(OnReceiverReply);
        break;
      case kInterAppPingAnswer: calls_.push_back(from); break;
      case kInterAppCreated: notify(OnReceiverCreated); break;
      case kInterAppDestroyed: notify(OnReceiverDestroyed); break;
      case kInterAppDisabled: notify(OnReceiverDisabled); break;
      case kInterAppEnabled: notify(OnReceiverEnabled); break;
      default: break;
    }
    return 0;
  }
  if (message == ByNameMessage() || message == ByNameSilentMessage()) {
    // Our own query reaches our own window too; it is no answer.
    if (from != Handle() && ::IsWindow(from)) {
      byName_.push_back(from);
      if (message == ByNameMessage() && enabled_ && OnReceiverReply) OnReceiverReply(from);
    }
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

// TInterAppReceiver

TInterAppReceiver::~TInterAppReceiver() {
  const HWND window = Handle();
  DestroyHandle();
  if (atom_ != 0) ::GlobalDeleteAtom(atom_);
  atom_ = 0;
  if (window) Broadcast(HandshakeMessage(), reinterpret_cast<WPARAM>(window), kInterAppDestroyed, kNoticeMilliseconds);
}

void TInterAppReceiver::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Broadcast(HandshakeMessage(), reinterpret_cast<WPARAM>(Handle()), enabled ? kInterAppEnabled : kInterAppDisabled,
            kNoticeMilliseconds);
}

void TInterAppReceiver::SetGroupName(const std::wstring& name) {
  const std::wstring cut = GroupNameOf(name);
  if (cut == group_ && (atom_ != 0 || cut.empty())) return;
  if (atom_ != 0) ::GlobalDeleteAtom(atom_);
  atom_ = 0;
  group_ = cut;
  if (!group_.empty()) atom_ = ::GlobalAddAtomW(group_.c_str());
}

void TInterAppReceiver::Loaded() {
  Broadcast(HandshakeMessage(), reinterpret_cast<WPARAM>(Handle()), kInterAppCreated, kNoticeMilliseconds);
}

LRESULT TInterAppReceiver::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND from = reinterpret_cast<HWND>(wParam);
  const WPARAM self = reinterpret_cast<WPARAM>(Handle());
  if (message == HandshakeMessage()) {
    if (enabled_ && lParam == kInterAppCall) {
      if (OnReceiveCall) OnReceiveCall(from);
      SendBounded(from, HandshakeMessage(), self, kInterAppCallAnswer, kAnswerMilliseconds);
    } else if (enabled_ && lParam == kInterAppPing) {
      SendBounded(from, HandshakeMessage(), self, kInterAppPingAnswer, kAnswerMilliseconds);
    }
    return 0;
  }
  if (message == ByNameMessage() || message == ByNameSilentMessage()) {
    if (enabled_ && atom_ != 0 && lParam == static_cast<LPARAM>(atom_)) {
      if (message == ByNameMessage() && OnReceiveCall) OnReceiveCall(from);
      SendBounded(from, message, self, atom_, kAnswerMilliseconds);
    }
    return 0;
  }
  if (message == WM_COPYDATA) {
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!enabled_ || copy == nullptr) return 0;
    const std::optional<TCopyData> block = ReadCopyData(copy->dwData, copy->lpData, copy->cbData);
    if (!block) return 0;
    switch (block->Kind) {
      case TCopyDataKind::Data:
        if (OnReceiveData) OnReceiveData(from, block->Bytes);
        break;
      case TCopyDataKind::String:
        if (OnReceiveString) OnReceiveString(from, block->Text);
        break;
      case TCopyDataKind::Integer:
        if (OnReceiveInteger) OnReceiveInteger(from, block->Integer);
        break;
      case TCopyDataKind::Real:
        if (OnReceiveReal) OnReceiveReal(from, block->Real);
        break;
    }
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}
