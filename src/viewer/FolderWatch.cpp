#include "viewer/FolderWatch.h"

#include <utility>

#include "core/base/PathUtils.h"
#include "shared/ScopedWin.h"

namespace {

using TChangeNotification = TScopedHandle<HANDLE, &::FindCloseChangeNotification, -1, 0>;

// Waits for a callback of the wait that is under way: once this returns, the
// callback's context may go.
void UnregisterWaitBlocking(HANDLE wait) { ::UnregisterWaitEx(wait, INVALID_HANDLE_VALUE); }
using TRegisteredWait = TScopedHandle<HANDLE, &UnregisterWaitBlocking, 0>;

// A folder that is there to be watched. One deleted while a handle is open on
// it (ours, or another program's) is pending: its name may still have
// attributes, but it can no longer be opened.
bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
  const THandle folder(::CreateFileW(path.c_str(), FILE_LIST_DIRECTORY,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return static_cast<bool>(folder);
}

}  // namespace

// One watched folder. Its address is the wait's context, so it stays put
// while the wait is registered.
struct TFolderWatch::TSlot {
  TFolderWatch* Owner = nullptr;
  std::size_t Index = 0;
  std::uint64_t Job = 0;
  std::wstring Path;  // with a trailing backslash: "C:\" is the root, "C:" is not
  DWORD Filter = 0;
  TChangeNotification Change;
  TRegisteredWait Wait;  // after Change: the wait goes before its handle closes
};

TFolderWatch::TFolderWatch(TUiDispatcher& dispatcher) : dispatcher_(dispatcher) {}

TFolderWatch::~TFolderWatch() { Stop(); }

void TFolderWatch::Watch(const std::wstring& folder, std::function<void()> onChange) {
  if (job_ != 0 && folder == folder_) {
    onChange_ = std::move(onChange);
    return;
  }
  Stop();
  folder_ = folder;
  onChange_ = std::move(onChange);
  job_ = dispatcher_.StartJob();
  const std::wstring path = StripTrailingBackslashes(folder) + L"\\";
  const std::wstring parent = ExtractParentFolder(StripTrailingBackslashes(folder));
  const auto makeSlot = [this](std::size_t index, std::wstring slotPath, DWORD filter) {
    auto slot = std::make_unique<TSlot>();
    slot->Owner = this;
    slot->Index = index;
    slot->Job = job_;
    slot->Path = std::move(slotPath);
    slot->Filter = filter;
    return slot;
  };
  slots_[kFolder] = makeSlot(kFolder, path, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
  // A root has no parent to watch.
  if (!parent.empty() && parent.size() < path.size())
    slots_[kParent] = makeSlot(kParent, parent, FILE_NOTIFY_CHANGE_DIR_NAME);
  for (const std::unique_ptr<TSlot>& slot : slots_)
    if (slot) Arm(*slot);
}

void TFolderWatch::Stop() {
  // The waits go first, so nothing is posted after the job is cancelled.
  for (std::unique_ptr<TSlot>& slot : slots_) slot.reset();
  if (job_ != 0) dispatcher_.CancelJob(job_);
  job_ = 0;
  folder_.clear();
  onChange_ = nullptr;
}

void CALLBACK TFolderWatch::Signalled(void* context, BOOLEAN) {
  // On a thread of the system's pool: only the dispatcher is touched here.
  const TSlot& slot = *static_cast<const TSlot*>(context);
  TFolderWatch* owner = slot.Owner;
  const std::size_t index = slot.Index;
  owner->dispatcher_.Post(slot.Job, [owner, index] { owner->Changed(index); });
}

void TFolderWatch::CheckFolder(bool renew) {
  if (!slots_[kFolder]) return;
  TSlot& folder = *slots_[kFolder];
  if (renew || !IsFolder(folder.Path)) {
    folder.Wait.Reset();
    folder.Change.Reset();
  }
  if (!folder.Change) Arm(folder);
}

void TFolderWatch::Changed(std::size_t index) {
  if (slots_[index]) Arm(*slots_[index]);
  // A name changed beside the folder: the folder itself may have gone or
  // come back.
  if (index == kParent) CheckFolder(false);
  // The handler may stop the watch or watch another folder.
  const std::function<void()> onChange = onChange_;
  if (onChange) onChange();
}

void TFolderWatch::Arm(TSlot& slot) {
  // A wait that fired once is released before the next is registered.
  slot.Wait.Reset();
  if (!IsFolder(slot.Path)) {
    slot.Change.Reset();
    return;
  }
  if (slot.Change && !::FindNextChangeNotification(slot.Change.Get())) slot.Change.Reset();
  if (!slot.Change) slot.Change.Reset(::FindFirstChangeNotificationW(slot.Path.c_str(), FALSE, slot.Filter));
  // A folder that cannot be watched is shown as it was listed: not following
  // it is no error of the user's.
  if (!slot.Change) return;
  HANDLE wait = nullptr;
  if (::RegisterWaitForSingleObject(&wait, slot.Change.Get(), &TFolderWatch::Signalled, &slot, INFINITE,
                                    WT_EXECUTEONLYONCE))
    slot.Wait.Reset(wait);
}
