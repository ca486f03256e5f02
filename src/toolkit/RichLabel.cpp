#include "toolkit/RichLabel.h"

#include <richedit.h>

#include "core/base/Errors.h"
#include "toolkit/WindowDpi.h"

namespace {

// Rich edit 2.0 and later live in riched20.dll on every supported Windows.
HMODULE RichEditLibrary() {
  static TLibrary library(::LoadLibraryW(L"riched20.dll"));
  return library.Get();
}

struct TStreamSource {
  const std::string* Text;
  size_t Offset;
};

DWORD CALLBACK ReadRtfChunk(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  auto* source = reinterpret_cast<TStreamSource*>(cookie);
  const size_t left = source->Text->size() - source->Offset;
  const size_t n = left < static_cast<size_t>(size) ? left : static_cast<size_t>(size);
  memcpy(buffer, source->Text->data() + source->Offset, n);
  source->Offset += n;
  *read = static_cast<LONG>(n);
  return 0;
}

}  // namespace

void TRichLabel::Create(HWND parent, int x, int y, int width, int height, COLORREF background) {
  if (!RichEditLibrary()) throw EError(L"The rich edit control is not available.");
  control_.Reset(::CreateWindowExW(0, RICHEDIT_CLASSW, L"", WS_CHILD | ES_MULTILINE | ES_READONLY | ES_NOHIDESEL, x, y,
                                   width, height, parent, nullptr, ::GetModuleHandleW(nullptr), nullptr));
  if (!control_) throw EError(L"Cannot create the rich edit control.");
  ::SendMessageW(control_.Get(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(background));
  // A line width of 1 turns word wrap off: long lines run past the right edge.
  ::SendMessageW(control_.Get(), EM_SETTARGETDEVICE, 0, 1);
  ZoomRichEditForDpi(control_.Get(), WindowDpi(parent));
}

void TRichLabel::SetRtf(const std::string& rtf) {
  TStreamSource source{&rtf, 0};
  EDITSTREAM stream = {};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
  stream.pfnCallback = &ReadRtfChunk;
  ::SendMessageW(control_.Get(), EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

std::wstring TRichLabel::Text() const {
  const int length = ::GetWindowTextLengthW(control_.Get());
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(::GetWindowTextW(control_.Get(), &text[0], length + 1)));
  return text;
}
