// Errors the user must see: each carries the message text that the
// application's error handler shows in a message box, after which the program
// goes on.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

class EError : public std::runtime_error {
public:
  explicit EError(std::wstring message) : std::runtime_error("Heapfold error"), message_(std::move(message)) {}
  // An error of a system call keeps its code: the HRESULT or Win32 status.
  EError(std::wstring message, std::uint32_t code)
      : std::runtime_error("Heapfold error"), message_(std::move(message)), code_(code), hasCode_(true) {}
  const std::wstring& Message() const noexcept { return message_; }
  bool HasCode() const noexcept { return hasCode_; }
  std::uint32_t Code() const noexcept { return code_; }

private:
  std::wstring message_;
  std::uint32_t code_ = 0;
  bool hasCode_ = false;
};

// Replaces the first "%s" in pattern with value, as the error texts are worded.
inline std::wstring FormatMessageText(const std::wstring& pattern, const std::wstring& value) {
  std::wstring result = pattern;
  const auto at = result.find(L"%s");
  if (at != std::wstring::npos) result.replace(at, 2, value);
  return result;
}
