// The viewer's command line as Windows hands it over, and the creator's: the
// input is read twice, once as a raw command line (tokenised as the viewer
// does) and once as a list of arguments already split (fields), so arguments
// the tokeniser never gives (empty ones, ones with quotes) are tried too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzText.h"
#include "core/viewer/CommandLine.h"

namespace {

bool EndsWithBackslash(const std::wstring& text) { return !text.empty() && text.back() == L'\\'; }

// A viewer hands a creator command on by starting the creator with its
// parameters; the creator reads them with the same tokeniser.
TCreatorCommand CreatorReading(const std::wstring& parameters) {
  std::vector<std::wstring> args = TokenizeCommandLine(L"Heapmaker.exe " + parameters);
  FUZZ_CHECK(!args.empty());
  args.erase(args.begin());
  return ParseCreatorCommand(args);
}

void CheckViewerCommand(const std::vector<std::wstring>& args) {
  const TViewerCommand command = ParseViewerCommand(args);
  ParseCreatorCommand(args);
  if (args.empty()) {
    FUZZ_CHECK(command.ViewKind == TViewKind::Help && !command.CreatorParameters);
    return;
  }
  if (!command.CreatorParameters) {
    FUZZ_CHECK(command.ViewKind != TViewKind::Help);
    FUZZ_CHECK(!EndsWithBackslash(command.StackFolder));
    return;
  }
  FUZZ_CHECK(command.StackFolder.empty());
  // What the creator makes of what the viewer passes on.
  const TCreatorCommand creator = CreatorReading(*command.CreatorParameters);
  const std::wstring& first = args[0];
  if (first == L"/edit") {
    FUZZ_CHECK(args.size() > 1);
    const std::wstring& folder = args[1];
    if (!folder.empty() && folder.find(L'"') == std::wstring::npos) {
      FUZZ_CHECK(creator.Mode == TCreatorMode::Edit);
      FUZZ_CHECK(creator.EditFolder == folder);
    }
  } else if (first == L"/create") {
    FUZZ_CHECK(creator.Mode == TCreatorMode::Create);
  } else if (first == L"/about") {
    FUZZ_CHECK(creator.Mode == TCreatorMode::About);
  } else if (first == L"/donate") {
    FUZZ_CHECK(creator.Mode == TCreatorMode::Donate);
  } else if (first == L"/prefs") {
    FUZZ_CHECK(creator.Mode == TCreatorMode::Prefs);
  } else {
    FUZZ_CHECK(first == L"/webupdate" && creator.Mode == TCreatorMode::WebUpdate);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::wstring> tokens = TokenizeCommandLine(WideText(data, size));
  // An empty argument is where the list ends, and quotes only group.
  for (const std::wstring& token : tokens) {
    FUZZ_CHECK(!token.empty());
    FUZZ_CHECK(token.find(L'"') == std::wstring::npos);
  }
  // Each argument quoted again reads back as the same list.
  std::wstring quoted;
  for (const std::wstring& token : tokens) quoted += L"\"" + token + L"\" ";
  FUZZ_CHECK(TokenizeCommandLine(quoted) == tokens);
  if (!tokens.empty()) CheckViewerCommand({tokens.begin() + 1, tokens.end()});

  std::vector<std::wstring> fields = AllWideFields(data, size);
  CheckViewerCommand(fields);
  return 0;
}
