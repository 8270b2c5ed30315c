#pragma once
// The keys the editable grid understands, independent of any GUI toolkit, and the
// one decision that turns a key, its modifiers and the grid's state into an action.
#include <cstdint>

enum class TGridKey {
  None,
  Up, Down, Left, Right, PageUp, PageDown, Home, End,
  Tab, Enter, Escape, Backspace, Delete, Insert, F2,
  Shift, Ctrl, Alt,          // a modifier pressed on its own
  C, V, X, Z,                // letters that matter with Ctrl held
  CtrlLetter,                // any other letter with Ctrl held (a control character)
  Character,                 // a typed character (no Ctrl or Alt held)
  Other,
};

struct TGridKeyInput {
  TGridKey Key = TGridKey::None;
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
};

// What the grid knows when a key arrives.
struct TGridKeyState {
  bool EditingOption = false;  // the grid is in edit mode
  bool CopyMode = false;       // a block is marked
  bool EditorOpen = false;     // the in-place cell editor is open
  bool CanUndo = false;
};

enum class TGridKeyAction {
  None,
  StartCopy,              // mark the selection as source block for copying
  StartCut,               // mark the selection as source block for moving
  Paste,                  // paste the source block at the destination
  InsertLine,             // ask, then insert a line at the current row
  EndBlock,               // leave copy mode
  ClearSelection,         // empty every selected cell
  WarningBeep,            // the key means nothing here
  CopyModeDeleteMessage,  // tell the user rows cannot be deleted in copy mode
  DeleteLines,            // ask, then delete the selected rows
  Undo,
  CloseEditorUndo,        // close the cell editor, then undo
};

struct TGridKeyDecision {
  TGridKeyAction Action = TGridKeyAction::None;
  bool PassOn = true;  // the key goes on to ordinary grid handling afterwards
  bool operator==(const TGridKeyDecision&) const = default;
};

TGridKeyDecision DecideGridKey(const TGridKeyInput& key, const TGridKeyState& state);

// Keys that never beep outside edit mode: they only move around or are modifiers.
bool IsQuietReadOnlyKey(TGridKey key);

// Whether the key types a character into a cell, control characters included
// (Enter, Tab, Backspace and Ctrl with a letter).
bool TypesCharacter(const TGridKeyInput& key);
