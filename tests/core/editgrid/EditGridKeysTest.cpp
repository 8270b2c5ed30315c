#include <gtest/gtest.h>

#include "editgrid/UEditGridKeys.h"

namespace {
using A = TGridKeyAction;
using K = TGridKey;

TGridKeyState Edit(bool copy, bool editorOpen = false, bool canUndo = true) {
  return {true, copy, editorOpen, canUndo};
}

struct TCase {
  const char* name;
  TGridKeyInput key;
  TGridKeyState state;
  TGridKeyDecision expected;
};

TEST(EditGridKeyDecision, EditModeTable) {
  const TCase cases[] = {
      {"Ctrl+C", {K::C, false, true}, Edit(false), {A::StartCopy, false}},
      {"Ctrl+C again in copy mode", {K::C, false, true}, Edit(true), {A::StartCopy, false}},
      {"Ctrl+Insert", {K::Insert, false, true}, Edit(false), {A::StartCopy, false}},
      {"Ctrl+Shift+Insert marks", {K::Insert, true, true}, Edit(true), {A::StartCopy, false}},
      {"Ctrl+X", {K::X, false, true}, Edit(false), {A::StartCut, false}},
      {"Ctrl+V copy mode", {K::V, false, true}, Edit(true), {A::Paste, false}},
      {"Ctrl+V no block", {K::V, false, true}, Edit(false), {A::None, true}},
      {"Shift+Insert copy mode", {K::Insert, true}, Edit(true), {A::Paste, false}},
      {"Shift+Insert no block", {K::Insert, true}, Edit(false), {A::InsertLine, false}},
      {"Escape copy mode", {K::Escape}, Edit(true), {A::EndBlock, true}},
      {"Escape no block", {K::Escape}, Edit(false), {A::None, true}},
      {"Delete no block", {K::Delete}, Edit(false), {A::ClearSelection, false}},
      {"Delete copy mode", {K::Delete}, Edit(true), {A::WarningBeep, true}},
      {"Shift+Delete", {K::Delete, true}, Edit(false), {A::None, true}},
      {"Ctrl+Delete copy mode", {K::Delete, false, true}, Edit(true), {A::CopyModeDeleteMessage, true}},
      {"Ctrl+Delete no block", {K::Delete, false, true}, Edit(false), {A::DeleteLines, false}},
      {"Ctrl+Z", {K::Z, false, true}, Edit(false), {A::Undo, false}},
      {"Ctrl+Z editor open", {K::Z, false, true}, Edit(false, true), {A::None, true}},
      {"Ctrl+Z nothing to undo", {K::Z, false, true}, Edit(false, false, false), {A::None, true}},
      {"Alt+Backspace", {K::Backspace, false, false, true}, Edit(false, true), {A::CloseEditorUndo, false}},
      {"Alt+Backspace nothing to undo", {K::Backspace, false, false, true}, Edit(false, true, false), {A::None, true}},
      {"character copy mode", {K::Character}, Edit(true), {A::WarningBeep, false}},
      {"Enter copy mode", {K::Enter}, Edit(true), {A::WarningBeep, false}},
      {"Tab copy mode", {K::Tab}, Edit(true), {A::WarningBeep, false}},
      {"Backspace copy mode", {K::Backspace}, Edit(true), {A::WarningBeep, false}},
      {"Ctrl+Z nothing to undo copy mode", {K::Z, false, true}, Edit(true, false, false),
       {A::WarningBeep, false}},
      {"Ctrl+other letter copy mode", {K::CtrlLetter, false, true}, Edit(true), {A::WarningBeep, false}},
      {"Enter no block", {K::Enter}, Edit(false), {A::None, true}},
      {"Ctrl+other letter no block", {K::CtrlLetter, false, true}, Edit(false), {A::None, true}},
      {"character no block", {K::Character}, Edit(false), {A::None, true}},
      {"arrow copy mode", {K::Right}, Edit(true), {A::None, true}},
  };
  for (const TCase& c : cases) EXPECT_EQ(DecideGridKey(c.key, c.state), c.expected) << c.name;
}

TEST(EditGridKeyDecision, ReadOnlyPassesEverythingOnAndBeepsForAllButMovement) {
  const TGridKeyState readOnly{false, false, false, true};
  for (K quiet : {K::Backspace, K::Shift, K::Ctrl, K::Alt, K::PageUp, K::PageDown, K::End, K::Home,
                  K::Up, K::Down, K::Left, K::Right})
    EXPECT_EQ(DecideGridKey({quiet}, readOnly), (TGridKeyDecision{A::None, true}));
  for (K loud : {K::Character, K::Delete, K::Escape, K::Enter, K::F2, K::Tab})
    EXPECT_EQ(DecideGridKey({loud}, readOnly), (TGridKeyDecision{A::WarningBeep, true}));
  // Block keys do nothing but beep outside edit mode.
  EXPECT_EQ(DecideGridKey({K::C, false, true}, readOnly), (TGridKeyDecision{A::WarningBeep, true}));
  EXPECT_EQ(DecideGridKey({K::Delete, false, true}, {false, true, false, true}),
            (TGridKeyDecision{A::WarningBeep, true}));
}
}  // namespace
