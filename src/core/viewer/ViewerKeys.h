// What a key does in the viewer: which key, in which event and while the
// view's entries are shown or not, closes the view, moves or activates the
// selection, browses back, types a name or asks for an entry's shell menu.
#pragma once

#include <cstdint>
#include <string>

#include "core/viewer/Activation.h"
#include "core/viewer/KeyboardSelection.h"

// Virtual-key codes the viewer acts on (the values Windows gives them).
namespace vk {
constexpr unsigned kBack = 0x08;
constexpr unsigned kReturn = 0x0D;
constexpr unsigned kEscape = 0x1B;
constexpr unsigned kEnd = 0x23;
constexpr unsigned kHome = 0x24;
constexpr unsigned kLeft = 0x25;
constexpr unsigned kUp = 0x26;
constexpr unsigned kRight = 0x27;
constexpr unsigned kDown = 0x28;
constexpr unsigned kApps = 0x5D;
constexpr unsigned kF10 = 0x79;
}  // namespace vk

// The key messages the form sees. MenuRequest is a context menu asked for
// without a pointer (the menu key's or Shift+F10's own request).
enum class TKeyInput { KeyDown, KeyUp, SysKeyDown, SysKeyUp, Character, MenuRequest };

enum class TKeyAction {
  Unhandled,          // the default handling goes on
  Swallow,            // handled by doing nothing
  Close,              // the closing slide
  EntryMenu,          // the selected entry's shell menu
  ExtendedEntryMenu,  // the same with the verbs shown when Shift is held
  Move,               // the selection moves by TKeyDecision::Move
  ActivateSelected,   // the selected entry, as a click
  GoBack,             // the go-back entry, as a click
  TypeToSelect,       // the character extends the typed name
};

struct TKeyDecision {
  TKeyAction Action = TKeyAction::Unhandled;
  TSelectionKey Move = TSelectionKey::Home;  // for Move
  bool operator==(const TKeyDecision& other) const { return Action == other.Action && Move == other.Move; }
};

// code: the virtual key, or the character for Character. entriesShown: the
// stack's or grid's entries are shown (not while a view slides, is rebuilt,
// or in the menu and help windows). typing: typed letters still extend a
// name, so a space belongs to it. shift and control: those keys are held.
TKeyDecision DecideViewerKey(TKeyInput input, unsigned code, bool shift, bool entriesShown, bool typing,
                             bool control = false);

// The default action a screen reader names for an entry clicked this way.
std::wstring EntryActionName(TClickAction click);
