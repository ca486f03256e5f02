#include "core/viewer/KeyboardSelection.h"

#include <algorithm>

int MoveSelection(int current, TSelectionKey key, std::size_t count, int columns) {
  if (count == 0) return kNoSelection;
  const int last = static_cast<int>(count - 1);
  if (columns < 1) columns = 1;
  if (current < 0 || current > last) {
    const bool fromStart = key == TSelectionKey::Down || key == TSelectionKey::Right || key == TSelectionKey::Home;
    return fromStart ? 0 : last;
  }
  const int column = current % columns;
  switch (key) {
    case TSelectionKey::Home: return 0;
    case TSelectionKey::End: return last;
    case TSelectionKey::Up: return current >= columns ? current - columns : current;
    case TSelectionKey::Down:
      // A row below exists when the last entry's row is further down.
      return current / columns < last / columns ? std::min(current + columns, last) : current;
    case TSelectionKey::Left: return column > 0 ? current - 1 : current;
    case TSelectionKey::Right: return column < columns - 1 && current < last ? current + 1 : current;
  }
  return current;
}

bool TTypeToSelect::Typing(std::uint64_t nowMilliseconds) const {
  return !prefix_.empty() && nowMilliseconds - lastTyped_ <= kTimeoutMilliseconds;
}

int TTypeToSelect::Type(wchar_t ch, std::uint64_t nowMilliseconds, const std::vector<std::wstring>& captions,
                        int current) {
  if (!Typing(nowMilliseconds)) prefix_.clear();
  lastTyped_ = nowMilliseconds;
  prefix_ += ch;
  if (captions.empty()) return kNoSelection;

  // One letter typed, or the same letter again: step past the selection.
  const bool repeated = std::all_of(prefix_.begin(), prefix_.end(), [&](wchar_t c) { return c == prefix_[0]; });
  const std::wstring wanted = repeated ? prefix_.substr(0, 1) : prefix_;
  const int count = static_cast<int>(captions.size());
  const int start = current < 0 || current >= count ? 0 : (repeated ? current + 1 : current);
  for (int step = 0; step < count; ++step) {
    const int index = (start + step) % count;
    if (captions[static_cast<std::size_t>(index)].compare(0, wanted.size(), wanted) == 0) return index;
  }
  return kNoSelection;
}
