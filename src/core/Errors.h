// Errors the user must see: each carries the message text that the
// application's error handler shows in a message box, after which the program
// goes on.
#pragma once

#include <stdexcept>
#include <string>

class EError : public std::runtime_error {
public:
  explicit EError(std::wstring message) : std::runtime_error("Heapfold error"), message_(std::move(message)) {}
  const std::wstring& Message() const noexcept { return message_; }

private:
  std::wstring message_;
};

// Replaces the first "%s" in pattern with value, as the error texts are worded.
inline std::wstring FormatMessageText(const std::wstring& pattern, const std::wstring& value) {
  std::wstring result = pattern;
  const auto at = result.find(L"%s");
  if (at != std::wstring::npos) result.replace(at, 2, value);
  return result;
}
