#include "core/viewer/EntryHints.h"

#include "core/base/ExtraStrUtils.h"
#include "core/base/PathUtils.h"

std::wstring ContentsPhrase(long long folders, long long files) {
  if (folders == 0 && files == 0) return L"Nothing";
  if (files > 0)
    return FormatCount(folders, L"folder, ", L"folders, ", true, L"") +
           FormatCount(files, L"file", L"files", true, L"");
  return FormatCount(folders, L"folder", L"folders", true, L"");
}

std::wstring FolderHintText(const std::wstring& folder, long long folders, long long files) {
  return ExtractLastFolderName(folder) + L"\rContains: " + ContentsPhrase(folders, files);
}

std::wstring FileHintText(const std::wstring& path, bool hideExtensions, const std::optional<TFileFacts>& facts) {
  if (hideExtensions || IsShortcutName(path)) return ExtractFileNameNoExt(path);
  const std::wstring name = ExtractFileName(path);
  if (!facts) return name;
  return name + L"\rSize: " + facts->SizeText + L"\rDate: " + facts->DateText;
}

std::wstring GoBackHintText(const std::wstring& parentFolder) {
  return L"Go back to: " + ExtractLastFolderName(parentFolder);
}

std::wstring ExploreHintText(const std::wstring& folder) { return L"Explore: " + ExtractLastFolderName(folder); }

std::wstring FileDateText(const std::wstring& shortDate, const std::wstring& longTime, int hour, int minute,
                          int second) {
  if (hour == 0 && minute == 0 && second == 0) return shortDate;
  return shortDate + L" " + longTime;
}
