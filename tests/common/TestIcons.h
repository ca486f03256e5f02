// A test icon whose images each have a colour of their own, and a file type
// that shows it: a view's pixels then tell which image of the icon was drawn
// and at which size.
#pragma once

#include <windows.h>
#include <shlwapi.h>

#include <string>

struct TTestIconFrame {
  int Size;
  COLORREF Color;
};
inline constexpr TTestIconFrame kTestIconFrames[] = {
    {16, RGB(255, 0, 0)},   {24, RGB(0, 0, 255)},   {32, RGB(255, 0, 255)}, {40, RGB(255, 128, 0)},
    {48, RGB(0, 255, 255)}, {64, RGB(255, 255, 0)}, {72, RGB(0, 128, 0)},   {256, RGB(128, 0, 255)}};

// The colour of the image of that size; CLR_INVALID when the icon has none.
inline COLORREF TestIconColor(int size) {
  for (const TTestIconFrame& f : kTestIconFrames)
    if (f.Size == size) return f.Color;
  return CLR_INVALID;
}

// The icon file: one opaque 32-bit image per frame, each filled with its colour.
inline std::string TestIconFile() {
  const auto put16 = [](std::string& s, unsigned v) { s.append({char(v & 0xFF), char((v >> 8) & 0xFF)}); };
  const auto put32 = [](std::string& s, unsigned v) {
    for (int i = 0; i < 4; ++i) s += char((v >> (8 * i)) & 0xFF);
  };
  const unsigned count = sizeof(kTestIconFrames) / sizeof(kTestIconFrames[0]);
  std::string head, images;
  put16(head, 0);
  put16(head, 1);
  put16(head, count);
  unsigned offset = 6 + 16 * count;
  for (const TTestIconFrame& f : kTestIconFrames) {
    const unsigned size = static_cast<unsigned>(f.Size);
    std::string image;
    put32(image, 40);
    put32(image, size);
    put32(image, 2 * size);  // the colours and the mask
    put16(image, 1);
    put16(image, 32);
    for (int i = 0; i < 6; ++i) put32(image, 0);
    for (unsigned p = 0; p < size * size; ++p)
      image.append({char(GetBValue(f.Color)), char(GetGValue(f.Color)), char(GetRValue(f.Color)), char(0xFF)});
    image.append((size + 31) / 32 * 4 * size, '\0');
    head += char(size >= 256 ? 0 : size);
    head += char(size >= 256 ? 0 : size);
    head.append({0, 0});
    put16(head, 1);
    put16(head, 32);
    put32(head, static_cast<unsigned>(image.size()));
    put32(head, offset);
    offset += static_cast<unsigned>(image.size());
    images += image;
  }
  return head + images;
}

// Files of the type ".hfdpi" show the icon file at iconPath, for the scope.
class TTestIconType {
public:
  static constexpr const wchar_t* kExtension = L".hfdpi";
  explicit TTestIconType(const std::wstring& iconPath) {
    const std::wstring location = iconPath + L",0";
    ::SHSetValueW(HKEY_CLASSES_ROOT, kExtension, nullptr, REG_SZ, kClass, sizeof(kClass));
    ::SHSetValueW(HKEY_CLASSES_ROOT, (std::wstring(kClass) + L"\\DefaultIcon").c_str(), nullptr, REG_SZ,
                  location.c_str(), static_cast<DWORD>((location.size() + 1) * sizeof(wchar_t)));
  }
  ~TTestIconType() {
    ::SHDeleteKeyW(HKEY_CLASSES_ROOT, kExtension);
    ::SHDeleteKeyW(HKEY_CLASSES_ROOT, kClass);
  }
  TTestIconType(const TTestIconType&) = delete;
  TTestIconType& operator=(const TTestIconType&) = delete;

private:
  static constexpr wchar_t kClass[] = L"HeapfoldDpiTestFile";
};
