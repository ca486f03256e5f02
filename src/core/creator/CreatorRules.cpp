#include "core/creator/CreatorRules.h"

bool SameFolderPath(const std::wstring& a, const std::wstring& b, const TUpperCase& upperCase) {
  return a.size() == b.size() && upperCase(a) == upperCase(b);
}

bool IsViewerTarget(const std::wstring& target) { return target.find(L"Heapview") != std::wstring::npos; }

TStackType StackTypeOfIndex(int index) {
  switch (index) {
    case 1: return TStackType::Grid;
    case 2: return TStackType::Menu;
    default: return TStackType::Stack;
  }
}

int IndexOfStackType(TStackType type) { return static_cast<int>(type); }

const std::vector<std::wstring>& SortOrderCaptions() {
  static const std::vector<std::wstring> captions = {L"Name", L"Date modified", L"Date created", L"Kind", L"Size"};
  return captions;
}

TSortOrder SortOrderOfIndex(int index) {
  return index > 0 && index < static_cast<int>(SortOrderCaptions().size()) ? static_cast<TSortOrder>(index)
                                                                           : TSortOrder::Name;
}

int IndexOfSortOrder(TSortOrder order) { return static_cast<int>(order); }
