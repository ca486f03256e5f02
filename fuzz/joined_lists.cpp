// Joined lists, quoted parts, ASCII case, file masks and path pieces. Fields:
// a separator, a list (also read as a path and as a file name), a needle (also
// read as a mask); a field number and a byte size come from the input's end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzText.h"
#include "core/base/ExtraStrUtils.h"
#include "core/base/Listing.h"
#include "core/base/PathUtils.h"

namespace {

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}
bool StartsWith(const std::wstring& text, const std::wstring& start) {
  return text.compare(0, start.size(), start) == 0;
}

// '*' any run, '?' one character, ASCII case ignored: the plain dynamic
// programme that the mask matcher's single backtrack point must agree with.
bool ReferenceMatch(const std::wstring& mask, const std::wstring& name) {
  if (mask == L"*.*") return true;
  // row[j]: whether mask[0, i) matches name[0, j).
  std::vector<char> row(name.size() + 1, 0), next(name.size() + 1, 0);
  row[0] = 1;
  for (std::size_t i = 0; i < mask.size(); ++i) {
    next.assign(name.size() + 1, 0);
    for (std::size_t j = 0; j <= name.size(); ++j) {
      if (mask[i] == L'*') {
        next[j] = row[j] || (j > 0 && next[j - 1]);
      } else if (j > 0 && row[j - 1]) {
        next[j] = mask[i] == L'?' || AsciiLower(mask[i]) == AsciiLower(name[j - 1]);
      }
    }
    row.swap(next);
  }
  return row[name.size()] != 0;
}

void CheckJoinedList(const std::wstring& sep, const std::wstring& list, std::size_t count) {
  const std::vector<std::wstring> fields = SplitList(sep, list, count);
  FUZZ_CHECK(fields.size() == count);
  for (std::size_t i = 0; i < count; ++i) FUZZ_CHECK(fields[i] == GetListField(sep, list, i + 1));
  FUZZ_CHECK(GetListField(sep, list, 0).empty());
  // A trailing separator changes no field.
  for (std::size_t n = 1; n <= count; ++n) FUZZ_CHECK(GetListField(sep, list + sep, n) == fields[n - 1]);

  std::size_t previous = 0;
  for (std::size_t n = 1; n <= count + 1; ++n) {
    const std::size_t at = NthPos(sep, list, n);
    if (at == 0) break;
    FUZZ_CHECK(at > previous && list.compare(at - 1, sep.size(), sep) == 0);
    previous = at;
  }
  FUZZ_CHECK(NthPos(sep, list, 0) == 0);
}

void CheckCaseAndQuotes(const std::wstring& text, const std::wstring& needle) {
  const std::wstring lower = AsciiLowerCase(text);
  FUZZ_CHECK(lower.size() == text.size());
  FUZZ_CHECK(FindIgnoringCase(text, needle) == lower.find(AsciiLowerCase(needle)));
  FUZZ_CHECK(Contains(text, needle) == (text.find(needle) != std::wstring::npos));

  const std::wstring quoted = ExtractQuotedPart(text, L'"');
  if (!quoted.empty()) {
    FUZZ_CHECK(quoted.size() >= 2 && quoted.front() == L'"' && quoted.back() == L'"');
    FUZZ_CHECK(quoted.find(L'"', 1) == quoted.size() - 1);
    FUZZ_CHECK(text.find(quoted) == text.find(L'"'));
  }
  // Any quote character is safe to ask for.
  if (!needle.empty()) ExtractQuotedPart(text, needle[0]);
}

void CheckPath(const std::wstring& path) {
  const std::wstring folder = ExtractFilePath(path), name = ExtractFileName(path), ext = ExtractFileExt(path);
  FUZZ_CHECK(folder + name == path);
  FUZZ_CHECK(name.find_first_of(L"\\:") == std::wstring::npos);
  FUZZ_CHECK(ext.empty() || (ext[0] == L'.' && ext.find_first_of(L":\\/.", 1) == std::wstring::npos));
  FUZZ_CHECK(EndsWith(name, ext));
  FUZZ_CHECK(ExtractFileNameNoExt(path) + ext == name);
  FUZZ_CHECK(IsShortcutName(path) == (AsciiLowerCase(ext) == L".lnk"));

  const std::wstring stripped = StripTrailingBackslash(path);
  FUZZ_CHECK(StartsWith(path, stripped) && path.size() - stripped.size() <= 1);
  const std::wstring parent = ExtractParentFolder(path);
  FUZZ_CHECK(parent.empty() || (parent.back() == L'\\' && StartsWith(path + L"\\", parent)));
  const std::wstring last = ExtractLastFolderName(path);
  FUZZ_CHECK(last.find(L'\\') == std::wstring::npos && path.find(last) != std::wstring::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const std::size_t count = provider.ConsumeIntegralInRange<std::size_t>(0, 40);
  const auto byteSize = provider.ConsumeIntegral<std::int64_t>();
  const std::vector<std::wstring> fields = WideFields(provider.ConsumeRemainingBytes<std::uint8_t>(), 3);
  const std::wstring &sep = fields[0], &list = fields[1], &needle = fields[2];

  CheckJoinedList(sep, list, count);
  CheckCaseAndQuotes(list, needle);
  CheckPath(list);
  CheckPath(needle);
  // The dynamic programme is quadratic; the matcher itself is tried on all.
  const bool matched = MatchesMask(needle, list);
  if (needle.size() * list.size() <= 1 << 16) FUZZ_CHECK(matched == ReferenceMatch(needle, list));

  const std::wstring sizeText = FormatByteSize(byteSize, sep);
  FUZZ_CHECK(EndsWith(sizeText, L" bytes") || EndsWith(sizeText, L" KB") || EndsWith(sizeText, L" MB") ||
             EndsWith(sizeText, L" GB"));
  FormatCount(byteSize, sep, list, (count & 1) != 0, needle);
  return 0;
}
