// The creator window's small decisions: how folder paths are compared, which
// shortcuts are stacks, and the stack-type drop-down's items.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/creator/StackShortcut.h"

// Upper-cases a text as the system compares file names.
using TUpperCase = std::function<std::wstring(std::wstring)>;

// Folder paths compared as Windows compares them: letter case ignored (by
// upperCase), and only paths of the same length can match.
bool SameFolderPath(const std::wstring& a, const std::wstring& b, const TUpperCase& upperCase);

// A shortcut whose target is one of the viewer copies: one a stack wrote.
bool IsViewerTarget(const std::wstring& target);

// The drop-down lists Stack, Grid and Menu in that order; an index outside
// them (none chosen is -1) means Stack.
TStackType StackTypeOfIndex(int index);
int IndexOfStackType(TStackType type);

// The "Sort by" drop-down lists the orders by name, date modified, date
// created, kind and size, in that order; an index outside them means by name.
const std::vector<std::wstring>& SortOrderCaptions();
TSortOrder SortOrderOfIndex(int index);
int IndexOfSortOrder(TSortOrder order);
