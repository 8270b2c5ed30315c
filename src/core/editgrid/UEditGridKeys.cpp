#include "UEditGridKeys.h"

bool IsQuietReadOnlyKey(TGridKey key) {
  switch (key) {
    case TGridKey::Backspace: case TGridKey::Shift: case TGridKey::Ctrl: case TGridKey::Alt:
    case TGridKey::PageUp: case TGridKey::PageDown: case TGridKey::End: case TGridKey::Home:
    case TGridKey::Up: case TGridKey::Down: case TGridKey::Left: case TGridKey::Right:
      return true;
    default:
      return false;
  }
}

bool TypesCharacter(const TGridKeyInput& key) {
  if (key.Alt) return false;
  switch (key.Key) {
    case TGridKey::Character: case TGridKey::Enter: case TGridKey::Backspace:
      return true;
    case TGridKey::Tab:
      return !key.Ctrl;
    case TGridKey::C: case TGridKey::V: case TGridKey::X: case TGridKey::Z: case TGridKey::CtrlLetter:
      return key.Ctrl;
    default:
      return false;
  }
}

TGridKeyDecision DecideGridKey(const TGridKeyInput& key, const TGridKeyState& state) {
  using A = TGridKeyAction;
  const TGridKeyDecision passOn{A::None, true};
  if (!state.EditingOption)
    return {IsQuietReadOnlyKey(key.Key) ? A::None : A::WarningBeep, true};

  const bool copy = state.CopyMode;
  // Ctrl is tested before Shift: Ctrl+Shift+Insert marks a block.
  if (key.Ctrl) {
    switch (key.Key) {
      case TGridKey::C:
      case TGridKey::Insert:
        return {A::StartCopy, false};
      case TGridKey::X:
        return {A::StartCut, false};
      case TGridKey::V:
        return copy ? TGridKeyDecision{A::Paste, false} : passOn;
      case TGridKey::Delete:
        return copy ? TGridKeyDecision{A::CopyModeDeleteMessage, true}
                    : TGridKeyDecision{A::DeleteLines, false};
      case TGridKey::Z:
        if (!state.EditorOpen && state.CanUndo) return {A::Undo, false};
        break;
      default:
        break;
    }
  }
  if (key.Shift && !key.Ctrl && key.Key == TGridKey::Insert)
    return {copy ? A::Paste : A::InsertLine, false};
  if (key.Key == TGridKey::Escape && copy) return {A::EndBlock, true};
  if (key.Key == TGridKey::Delete && !key.Shift && !key.Ctrl && !key.Alt)
    return copy ? TGridKeyDecision{A::WarningBeep, true} : TGridKeyDecision{A::ClearSelection, false};
  if (key.Key == TGridKey::Backspace && key.Alt && state.CanUndo) return {A::CloseEditorUndo, false};
  // Cells cannot be typed into while a block is marked: every character the key
  // would type, control characters included, is swallowed with the beep.
  if (copy && TypesCharacter(key)) return {A::WarningBeep, false};
  return passOn;
}
