// Watches the folder an open stack or grid shows, and its parent, and tells
// the user-interface thread when names change there.
//
// How the folder is watched: FindFirstChangeNotificationW. The view lists its
// folder afresh for every rebuild, so it needs to hear that something
// changed, not what: ReadDirectoryChangesW's records of each name (and their
// buffer, which overflows in a burst anyway) would go unread, and
// SHChangeNotifyRegister hears only what is announced through the shell, not
// files that other programs write directly. A change notification is one
// waitable handle, on every Windows the viewer runs on.
//
// Where the handles are waited on: a wait registered with the system
// (RegisterWaitForSingleObject), whose callback on a thread of the system's
// pool only posts through the toolkit's dispatcher; nothing there touches a
// window. The user-interface thread handles messages in several loops (the
// application's, the closing slide's, the shell's menus and drags, message
// boxes), all through GetMessage: a handle waited on in one of them would go
// unheard in the others, while the dispatcher's message reaches the thread
// in any of them. The form decides there whether a rebuild may run.
//
// The parent is watched for the folder's own name: the folder itself being
// deleted, renamed away or coming back changes nothing inside it that its own
// handle would report on every system.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "toolkit/UiDispatcher.h"

class TFolderWatch {
public:
  explicit TFolderWatch(TUiDispatcher& dispatcher);
  ~TFolderWatch();
  TFolderWatch(const TFolderWatch&) = delete;
  TFolderWatch& operator=(const TFolderWatch&) = delete;

  // Watches folder (without trailing backslash) in place of the folder
  // watched before; the same folder keeps its watch. onChange runs on the
  // user-interface thread after a name changed in the folder or in its parent.
  void Watch(const std::wstring& folder, std::function<void()> onChange);
  // No onChange runs after this.
  void Stop();
  const std::wstring& Folder() const { return folder_; }
  // Lets go of the folder once it has gone, and watches it again once it is
  // back. renew: the folder's handle is closed and opened afresh. A folder
  // deleted while a handle is open on it stays pending, its name taken,
  // until the handle closes; Windows ends the watch then, but not every
  // system says so (Wine's folder opens and lists as before), so a watch
  // renewed before each listing never holds a deleted folder for long.
  void CheckFolder(bool renew);

private:
  struct TSlot;
  // The folder's own handle and its parent's.
  static constexpr std::size_t kFolder = 0;
  static constexpr std::size_t kParent = 1;

  static void CALLBACK Signalled(void* context, BOOLEAN timedOut);
  void Changed(std::size_t index);
  // Opens or re-arms the slot's notification and waits for it again; a slot
  // whose folder cannot be watched (gone, unreadable) is closed.
  void Arm(TSlot& slot);

  TUiDispatcher& dispatcher_;
  std::wstring folder_;
  std::function<void()> onChange_;
  std::uint64_t job_ = 0;
  std::array<std::unique_ptr<TSlot>, 2> slots_;
};
