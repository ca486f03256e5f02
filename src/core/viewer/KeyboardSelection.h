// Keyboard selection in the stack and the grid: which entry an arrow, Home or
// End key selects, and which entry typed letters select. Entries are laid out
// row by row in a fixed number of columns (one for the stack); the last row
// may be short.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class TSelectionKey { Up, Down, Left, Right, Home, End };

constexpr int kNoSelection = -1;

// The entry selected after the key, from current (kNoSelection when none is).
// With nothing selected, Down, Right and Home select the first entry and Up,
// Left and End the last. Moves never wrap: a key that would leave the layout
// keeps the selection. Down from a row whose next row is short, where no entry
// stands below, selects the last entry.
int MoveSelection(int current, TSelectionKey key, std::size_t count, int columns);

// Type-to-select: letters typed within kTypeSelectTimeout of each other form
// a prefix, and the first entry from the selection on (wrapping) whose
// caption starts with it is selected. A prefix of one letter, or of the same
// letter typed again and again, moves on to the next entry starting with that
// letter, so repeating a letter steps through its entries. Captions and typed
// characters are compared as given: the caller folds their case.
class TTypeToSelect {
public:
  static constexpr std::uint64_t kTimeoutMilliseconds = 1000;

  // The entry to select after typing ch at nowMilliseconds (a steady clock),
  // or kNoSelection when no caption starts with the prefix.
  int Type(wchar_t ch, std::uint64_t nowMilliseconds, const std::vector<std::wstring>& captions, int current);
  // True while typed letters still extend the prefix at nowMilliseconds.
  bool Typing(std::uint64_t nowMilliseconds) const;
  void Reset() { prefix_.clear(); }

private:
  std::wstring prefix_;
  std::uint64_t lastTyped_ = 0;
};
