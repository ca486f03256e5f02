// The jump list's tasks: each one starts the viewer with arguments that the
// viewer (and, for creator commands, the creator after it) must read as the
// task means. Fields: the program file, the stack folder, the first argument.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzText.h"
#include "core/viewer/CommandLine.h"
#include "core/viewer/JumpListTasks.h"
#include "core/base/PathUtils.h"

namespace {

std::vector<std::wstring> ArgumentsOf(const std::wstring& program, const std::wstring& arguments) {
  std::vector<std::wstring> args = TokenizeCommandLine(L"\"" + program + L"\" " + arguments);
  if (!args.empty()) args.erase(args.begin());
  return args;
}

// The creator mode a task ends in: the viewer reads its arguments and hands a
// creator command on.
TCreatorCommand CreatorReading(const std::wstring& arguments) {
  const TViewerCommand viewer = ParseViewerCommand(ArgumentsOf(L"Heapview0.exe", arguments));
  FUZZ_CHECK(viewer.CreatorParameters.has_value());
  return ParseCreatorCommand(ArgumentsOf(L"Heapmaker.exe", *viewer.CreatorParameters));
}

bool IsCreatorWord(const std::wstring& text) {
  return text == L"/create" || text == L"/edit" || text == L"/about" || text == L"/donate" || text == L"/prefs" ||
         text == L"/webupdate";
}

bool HasQuote(const std::wstring& text) { return text.find(L'"') != std::wstring::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::wstring> fields = AllWideFields(data, size);
  const std::wstring program = fields[0];
  const std::wstring folder = fields.size() > 1 ? fields[1] : std::wstring();
  const std::wstring first = fields.size() > 2 ? fields[2] : std::wstring();
  const std::vector<TJumpTask> tasks = ViewerJumpTasks(program, folder, first);
  FUZZ_CHECK(tasks.size() == 7);
  for (const TJumpTask& task : tasks) FUZZ_CHECK(!task.Title.empty());
  FUZZ_CHECK(tasks[1].IconFile == ExtractFilePath(program) + L"Heapmaker.exe");

  if (!folder.empty() && !HasQuote(folder)) {
    const TCreatorCommand edit = CreatorReading(tasks[0].Arguments);
    FUZZ_CHECK(edit.Mode == TCreatorMode::Edit && edit.EditFolder == folder);
  }
  FUZZ_CHECK(CreatorReading(tasks[1].Arguments).Mode == TCreatorMode::Create);
  FUZZ_CHECK(CreatorReading(tasks[3].Arguments).Mode == TCreatorMode::Prefs);
  FUZZ_CHECK(CreatorReading(tasks[4].Arguments).Mode == TCreatorMode::WebUpdate);
  FUZZ_CHECK(CreatorReading(tasks[5].Arguments).Mode == TCreatorMode::Donate);
  FUZZ_CHECK(CreatorReading(tasks[6].Arguments).Mode == TCreatorMode::About);

  // The menu task shows the same folder as the menu. The viewer's first
  // argument never holds a quote and is never empty when it names a stack.
  if (!first.empty() && !HasQuote(first) && !IsCreatorWord(first)) {
    const TViewerCommand menu = ParseViewerCommand(ArgumentsOf(L"Heapview0.exe", tasks[2].Arguments));
    FUZZ_CHECK(!menu.CreatorParameters && menu.ViewKind == TViewKind::Menu);
    FUZZ_CHECK(menu.StackFolder == ParseViewerCommand({first}).StackFolder);
  }
  return 0;
}
