#include "creator/RichEditURL.h"

#include <richedit.h>

#include "core/base/Errors.h"
#include "shared/ScopedWin.h"
#include "toolkit/Application.h"
#include "toolkit/WindowDpi.h"

namespace {

// The newer rich edit when the system has it, else version 2; loaded once
// and kept for the program's life, as its window class needs it.
const wchar_t* RichEditClass() {
  static const TLibrary msftedit(::LoadLibraryW(L"msftedit.dll"));
  if (msftedit) return L"RICHEDIT50W";
  static const TLibrary riched20(::LoadLibraryW(L"riched20.dll"));
  if (riched20) return RICHEDIT_CLASSW;
  throw EError(L"The rich text control of the system cannot be loaded.");
}

struct TStreamSource {
  const std::string* Text;
  std::size_t Position;
};

DWORD CALLBACK ReadStream(DWORD_PTR cookie, LPBYTE buffer, LONG capacity, LONG* read) {
  auto* source = reinterpret_cast<TStreamSource*>(cookie);
  const std::size_t left = source->Text->size() - source->Position;
  const std::size_t count = left < static_cast<std::size_t>(capacity) ? left : static_cast<std::size_t>(capacity);
  source->Text->copy(reinterpret_cast<char*>(buffer), count, source->Position);
  source->Position += count;
  *read = static_cast<LONG>(count);
  return 0;
}

}  // namespace

void TRichEditURL::Create(HWND parent, int x, int y, int width, int height) {
  CreateControl(parent, RichEditClass(), L"",
                WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_SAVESEL, WS_EX_CLIENTEDGE, x,
                y, width, height);
  ::SendMessageW(Handle(), EM_AUTOURLDETECT, TRUE, 0);
  const LRESULT mask = ::SendMessageW(Handle(), EM_GETEVENTMASK, 0, 0);
  ::SendMessageW(Handle(), EM_SETEVENTMASK, 0, mask | ENM_LINK);
  ApplyDpi(Dpi());
}

void TRichEditURL::ApplyDpi(int dpi) {
  TControl::ApplyDpi(dpi);
  ZoomRichEditForDpi(Handle(), dpi);
}

void TRichEditURL::LoadRichText(const std::string& rtf) {
  TStreamSource source{&rtf, 0};
  EDITSTREAM stream = {};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = &ReadStream;
  ::SendMessageW(Handle(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

bool TRichEditURL::OnNotify(const NMHDR& header, LPARAM lParam, LRESULT&) {
  if (header.code != EN_LINK) return false;
  const auto* link = reinterpret_cast<const ENLINK*>(lParam);
  if (link->msg != WM_LBUTTONDOWN || !OnURLClick) return false;
  try {
    CHARRANGE range = link->chrg;
    ::SendMessageW(Handle(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    const LONG length = range.cpMax - range.cpMin;
    if (length <= 0 || length > 4096) return false;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(Handle(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    OnURLClick(text);
  } catch (const std::exception&) {
    // The click's handler failed (its own error or memory): reported as any
    // failed click is, and the rich edit goes on handling the click.
    TApplication::Instance().HandleCurrentException(Handle());
  }
  return false;  // the rich edit's own handling goes on
}
