// One HTTP GET through WinHTTP, bounded in time and in the size of the answer
// kept, for the creator's update check.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "core/creator/UpdateCheck.h"

struct THttpGetOptions {
  // Request header values, sent exactly as given; an empty one is not sent.
  std::wstring Accept;
  std::wstring UserAgent;  // the session's agent
  std::wstring ContentType;
  DWORD TotalMilliseconds = 15000;    // the whole request: connect, send, receive
  std::size_t BodyLimit = 64 * 1024;  // at most this many bytes of the body are kept; reading stops there
};

struct THttpGetResult {
  // Connected, sent, a 2xx status, and the body read to its end or to the
  // limit. An answer cut at the limit counts as read: its meaning is in its start.
  bool Succeeded = false;
  DWORD Status = 0;  // the HTTP status, when one arrived
  DWORD Error = 0;   // the Win32 or WinHTTP error of a failure; 0 for a status outside 2xx
  std::string Body;  // the raw bytes, only when Succeeded
};

// Sends "GET resource" to server, without a proxy and without cookies, and
// never takes much longer than options.TotalMilliseconds: when that time has
// passed the request is abandoned with Error ERROR_WINHTTP_TIMEOUT.
//
// Called on the user-interface thread, it keeps handling that thread's
// messages while it waits, so windows go on painting; a WM_QUIT met meanwhile
// is posted again before it returns. The caller disables its own window for
// the call, so that the user cannot start anything else through it.
THttpGetResult HttpGet(const TServerAddress& server, const std::wstring& resource, const THttpGetOptions& options);
