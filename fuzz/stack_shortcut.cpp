// A stack shortcut's arguments: composed by the creator, read back by the
// creator in edit mode and by the viewer from its command line; the icon
// field, the save checks and the proposed caption. Fields: folder, free
// arguments, caption, icon field, target; the type and options from the end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzText.h"
#include "core/viewer/CommandLine.h"
#include "core/base/ExtraStrUtils.h"
#include "core/base/PathUtils.h"
#include "core/creator/StackShortcut.h"

namespace {

std::wstring WithoutTrailingBackslashes(std::wstring path) {
  while (!path.empty() && path.back() == L'\\') path.pop_back();
  return path;
}

bool IsCreatorWord(const std::wstring& text) {
  return text == L"/create" || text == L"/edit" || text == L"/about" || text == L"/donate" || text == L"/prefs" ||
         text == L"/webupdate";
}

TViewerCommand ViewerReading(const std::wstring& arguments) {
  std::vector<std::wstring> args = TokenizeCommandLine(L"\"C:\\Program Files\\Heapfold\\Heapview0.exe\" " + arguments);
  FUZZ_CHECK(!args.empty());
  args.erase(args.begin());
  return ParseViewerCommand(args);
}

TViewKind ViewKindOf(TStackType type) {
  switch (type) {
    case TStackType::Grid: return TViewKind::Grid;
    case TStackType::Menu: return TViewKind::Menu;
    case TStackType::Stack: break;
  }
  return TViewKind::Stack;
}

void CheckComposition(const TStackSettings& settings) {
  const std::wstring arguments = ComposeArguments(settings);
  const TStackSettings back = ReadStackArguments(arguments);
  const std::size_t quote = settings.Folder.find(L'"');
  if (quote != std::wstring::npos) {
    // A double quote (which no Windows path holds) ends the folder early.
    FUZZ_CHECK(back.Folder == settings.Folder.substr(0, quote));
    return;
  }
  FUZZ_CHECK(back.Folder == settings.Folder);
  FUZZ_CHECK(back.Type == settings.Type);
  FUZZ_CHECK(back.Options == settings.Options);

  const std::wstring wanted = WithoutTrailingBackslashes(settings.Folder);
  if (settings.Folder.empty() || IsCreatorWord(settings.Folder)) return;
  const TViewerCommand command = ViewerReading(arguments);
  FUZZ_CHECK(!command.CreatorParameters);
  FUZZ_CHECK(command.StackFolder == wanted);
  FUZZ_CHECK(command.ViewKind == ViewKindOf(settings.Type));
  FUZZ_CHECK(command.Options == settings.Options);
  FUZZ_CHECK(IsPinnedStackOf(L"C:\\P\\Heapview3.exe", arguments, settings.Folder) == !wanted.empty());
  FUZZ_CHECK(!IsPinnedStackOf(L"C:\\P\\Heapmaker.exe", arguments, settings.Folder));
}

void CheckIconField(const std::wstring& text, int index) {
  const TIconField field = SplitIconField(text);
  FUZZ_CHECK(field.Path.find(L'|') == std::wstring::npos);
  const TIconField joined = SplitIconField(JoinIconField(field.Path, index));
  FUZZ_CHECK(joined.Path == field.Path && joined.Index == index);
}

void CheckCaption(const std::wstring& folder, const std::wstring& caption, bool markDriveRoot) {
  const auto refusal = SaveRefusal(folder, caption);
  bool acceptable = !folder.empty() && !caption.empty();
  for (const wchar_t c : caption)
    if (c < 0x20 || c == 0x7F || IsRefusedCaptionCharacter(c)) acceptable = false;
  FUZZ_CHECK(refusal.has_value() != acceptable);

  const std::wstring proposed = ProposeCaption(folder, markDriveRoot);
  FUZZ_CHECK(proposed.find_first_of(L"\\:") == std::wstring::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const auto type = static_cast<TStackType>(provider.ConsumeIntegralInRange<int>(0, 2));
  const auto boxes = provider.ConsumeIntegral<std::uint8_t>();
  const auto index = provider.ConsumeIntegral<int>();
  const std::vector<std::wstring> fields = WideFields(provider.ConsumeRemainingBytes<std::uint8_t>(), 5);
  const std::wstring &folder = fields[0], &arguments = fields[1], &caption = fields[2], &icon = fields[3],
                     &target = fields[4];

  TStackSettings settings;
  settings.Folder = folder;
  settings.Type = type;
  settings.Options = {(boxes & 1) != 0, (boxes & 2) != 0, (boxes & 4) != 0, (boxes & 8) != 0, (boxes & 16) != 0};
  CheckComposition(settings);

  // Arguments as another program may have left them in a pinned shortcut.
  const TStackSettings read = ReadStackArguments(arguments);
  FUZZ_CHECK(read.Folder.find(L'"') == std::wstring::npos);
  if (IsPinnedStackOf(target, arguments, folder)) {
    FUZZ_CHECK(target.find(L"Heapview") != std::wstring::npos);
    FUZZ_CHECK(!WithoutTrailingBackslashes(folder).empty());
  }

  CheckIconField(icon, index);
  CheckCaption(folder, caption, (boxes & 32) != 0);
  const std::vector<std::wstring> pinned = {folder, arguments, caption, icon, target};
  if (const auto number = ChooseViewerNumber(pinned)) {
    FUZZ_CHECK(*number >= 0 && *number <= 9);
    for (const std::wstring& entry : pinned)
      FUZZ_CHECK(AsciiLowerCase(ExtractFileName(entry)) != AsciiLowerCase(ViewerFileName(*number)));
  }
  return 0;
}
