// The viewer's command line. Tokenising follows the classic runtime rules
// rather than the C runtime's, so a quoted folder ending in a backslash
// ("C:\My Stack\") keeps its backslash instead of escaping the quote.
#include "core/viewer/CommandLine.h"

#include "core/base/ExtraStrUtils.h"
#include "core/base/PathUtils.h"

namespace {

// Reads one argument starting at pos and leaves pos just after it.
std::wstring NextArgument(const std::wstring& line, std::size_t& pos) {
  const std::size_t size = line.size();
  for (;;) {
    while (pos < size && line[pos] <= L' ') ++pos;
    // An empty quoted pair before an argument is skipped, not an argument.
    if (pos + 1 < size && line[pos] == L'"' && line[pos + 1] == L'"') {
      pos += 2;
      continue;
    }
    break;
  }
  std::wstring arg;
  while (pos < size && line[pos] > L' ') {
    if (line[pos] == L'"') {
      ++pos;
      while (pos < size && line[pos] != L'"') arg += line[pos++];
      if (pos < size) ++pos;
    } else {
      arg += line[pos++];
    }
  }
  return arg;
}

}  // namespace

std::vector<std::wstring> TokenizeCommandLine(const std::wstring& commandLine) {
  std::vector<std::wstring> args;
  std::size_t pos = 0;
  for (;;) {
    std::wstring arg = NextArgument(commandLine, pos);
    // An empty argument ends the list: that is how the end of the line shows.
    if (arg.empty()) break;
    args.push_back(std::move(arg));
  }
  return args;
}

TViewerCommand ParseViewerCommand(const std::vector<std::wstring>& args) {
  TViewerCommand command;
  if (args.empty()) return command;

  // Creator commands are matched case-sensitively; anything else, "/About"
  // included, names a stack folder.
  const std::wstring& first = args[0];
  if (first == L"/create") {
    command.CreatorParameters = std::wstring();
    return command;
  }
  if (first == L"/edit" && args.size() > 1) {
    command.CreatorParameters = L"/edit \"" + args[1] + L"\"";
    return command;
  }
  if (first == L"/about" || first == L"/donate" || first == L"/prefs" || first == L"/webupdate") {
    command.CreatorParameters = first;
    return command;
  }

  // Every trailing backslash goes, so that C:\Docs\\ is the folder C:\Docs
  // too: its group of viewers must not depend on how the folder was written.
  command.StackFolder = StripTrailingBackslashes(first);
  command.ViewKind = TViewKind::Stack;
  if (args.size() > 1) {
    const std::wstring kind = AsciiLowerCase(args[1]);
    if (kind == L"/grid")
      command.ViewKind = TViewKind::Grid;
    else if (kind == L"/menu")
      command.ViewKind = TViewKind::Menu;
  }
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::wstring option = AsciiLowerCase(args[i]);
    if (option == L"/noexplore")
      command.Options.ShowExplore = false;
    else if (option == L"/nobrowse")
      command.Options.BrowseFolders = false;
    else if (option == L"/hideext")
      command.Options.HideExtensions = true;
    else if (option == L"/thumbs")
      command.Options.ShowThumbnails = true;
    else if (option == L"/clear")
      command.Options.Clear = true;
    else if (option.compare(0, 6, kSortSwitchPrefix) == 0) {
      if (const auto order = ParseSortOrder(option.substr(6)))
        command.Options.Sort = *order;
      else
        command.Error = L"The switch \"" + args[i] +
                        L"\" is not known. A stack's order is one of /sort:name, /sort:modified, /sort:created, "
                        L"/sort:kind and /sort:size.";
    }
  }
  return command;
}

namespace {

const struct {
  TSortOrder Order;
  const wchar_t* Value;
} kSortValues[] = {{TSortOrder::Name, L"name"},
                   {TSortOrder::Modified, L"modified"},
                   {TSortOrder::Created, L"created"},
                   {TSortOrder::Kind, L"kind"},
                   {TSortOrder::Size, L"size"}};

}  // namespace

std::wstring SortSwitch(TSortOrder order) {
  if (order == TSortOrder::Name) return L"";
  for (const auto& known : kSortValues)
    if (known.Order == order) return kSortSwitchPrefix + std::wstring(known.Value);
  return L"";
}

std::optional<TSortOrder> ParseSortOrder(const std::wstring& value) {
  const std::wstring lower = AsciiLowerCase(value);
  for (const auto& known : kSortValues)
    if (lower == known.Value) return known.Order;
  return std::nullopt;
}

TCreatorCommand ParseCreatorCommand(const std::vector<std::wstring>& args) {
  TCreatorCommand command;
  if (args.empty()) return command;
  const std::wstring& first = args[0];
  if (first == L"/edit") {
    if (args.size() > 1 && !args[1].empty()) {
      command.Mode = TCreatorMode::Edit;
      for (wchar_t c : args[1])
        if (c != L'"') command.EditFolder += c;
    }
  } else if (first == L"/about") {
    command.Mode = TCreatorMode::About;
  } else if (first == L"/donate") {
    command.Mode = TCreatorMode::Donate;
  } else if (first == L"/prefs") {
    command.Mode = TCreatorMode::Prefs;
  } else if (first == L"/webupdate") {
    command.Mode = TCreatorMode::WebUpdate;
  }
  return command;
}
