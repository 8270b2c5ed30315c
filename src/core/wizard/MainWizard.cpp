#include "wizard/MainWizard.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <stdexcept>

#include "common/ZMFormat.h"
#include "common/ZMSafeFile.h"
#include "common/ZMUserInterface.h"
#include "config/grid_file_stuff.h"

void TEditGridTarget::SetColWidthForText(int col, const std::string& text) {
  if (view_) view_->SetGridColumnWidthForText(col, text);
}

std::string HistoryFileName(int year) { return "history" + std::to_string(year) + ".his"; }

int CurrentYear() {
  const auto today = std::chrono::year_month_day(
      std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now()));
  return static_cast<int>(today.year());
}

TConfigWizardLogic::TConfigWizardLogic() : Grid_(kConfigGridColumns, 2, 0) {}

TConfigWizardLogic::~TConfigWizardLogic() {
  ControlUnits_.SetSystem(nullptr);
  System_.reset();
  ControlUnits_.SetControlUnitCount(0);
}

void TConfigWizardLogic::FormCreate() {
  GridBuilt_ = false;
  FileSaved_ = false;
  ControlUnits_.TargetControlUnit = -1;
  ControlUnits_.OnUpdateWizardButtons = [this] { UpdateWizardButtons(); };
  NewSystem();
  State_ = 1;
  ChangeState(false);
}

void TConfigWizardLogic::NewSystem() {
  ControlUnits_.SetSystem(nullptr);
  System_ = std::make_unique<TzmUPSSystem>();
  System_->Root()->AddChild();
  ControlUnits_.SetSystem(System_.get());
}

void TConfigWizardLogic::ReplaceSystem(std::unique_ptr<TzmUPSSystem> system) {
  ControlUnits_.SetSystem(nullptr);
  System_ = std::move(system);
  ControlUnits_.SetSystem(System_.get());
  if (View_) View_->SystemReplaced();
}

void TConfigWizardLogic::FileNew() {
  if (UserMessages().Show(TMsgKind::Confirmation, kAskStartOver, TMsgButtons::YesNo) != TMsgAnswer::Yes) return;
  NewSystem();
  if (View_) View_->SystemReplaced();
  if (OnNewSystemStarted) OnNewSystemStarted();
  if (OnConfigureBatteries) OnConfigureBatteries();
}

void TConfigWizardLogic::Status(const std::string& text) {
  LastStatus_ = text;
  if (View_) View_->ShowStatus(text);
}

void TConfigWizardLogic::ChangeState(bool forward) {
  const std::uint8_t previous = State_;
  if (forward) {
    if (State_ == wsDefine) {
      if (GlobalAlarmSetting) ApplyGlobalAlarms();
      ControlUnits_.RebuildControlUnitList();
      State_ = 2;
    }
    if (State_ == wsSave) {
      if (View_) View_->CloseWindow();
      return;
    }
    ++State_;
  } else {
    if (State_ == wsVerify) {
      SetDirectEditing(false);
      if (Grid_.Edited()) {
        if (UserMessages().Show(TMsgKind::Warning, kAskBackFromGrid, TMsgButtons::YesNo) != TMsgAnswer::Yes)
          return;
        Grid_.SetEdited(false);
      }
      State_ = 1;
    } else if (State_ == wsSave) {
      State_ = wsVerify;
      if (View_) View_->UseGridMenu();
      return;
    }
    --State_;
  }
  if (State_ > wsSave) {
    const int state = State_;
    State_ = previous;  // the window stays as it was
    throw std::runtime_error(Format("Unhandled state (%d) in ChangeState", state));
  }
  SetupPage();
  UpdateWizardButtons();
}

void TConfigWizardLogic::SetupPage() {
  if (View_) View_->ShowPage(State_);
  switch (State_) {
    case wsDefine:
      Status(kPageDefine);
      break;
    case wsVerify:
      Status(kPageVerify);
      VerifyPage();
      break;
    case wsSave:
      SavePage();
      break;
    default:
      break;
  }
}

void TConfigWizardLogic::Save1Click() {
  State_ = wsVerify;
  ChangeState(true);
}

void TConfigWizardLogic::UpdateWizardButtons() {
  bool nextEnabled = true;
  if (State_ == wsDefine) {
    nextEnabled = VerifySystem();
    if (View_) View_->UpdateTreeActions();
  }
  if (View_) {
    View_->SetNextButton(nextEnabled, State_ < wsSave ? kCaptionNext : kCaptionFinish);
    View_->SetBackEnabled(State_ > wsDefine);
  }
}

bool TConfigWizardLogic::VerifySystem() {
  auto fail = [this](const char* status, const char* hint) {
    Status(status);
    if (View_) View_->SetNextHint(hint);
    return false;
  };
  const TzmUPSSystem& system = *System_;
  for (int b = 0; b < system.BatteryCount(); ++b) {
    const TzmUPSBatterySystemNode* battery = system.GetBattery(b);
    if (battery->StringCount() == 0) return fail(kVerifyNoStrings, kVerifyNoStrings);
    bool hasCells = false, hasProbe = false;
    for (int s = 0; s < battery->StringCount(); ++s) {
      const TzmUPSStringSystemNode* string = battery->GetString(s);
      if (string->ChildCount() >= 3 && string->GetChild(2)->ChildCount() >= 1) hasCells = true;
      if (string->ControlUnit() < 0) return fail(kVerifyNotAssigned, kVerifyNotAssigned);
      if (!hasProbe && string->ChildCount() >= 1 && string->GetChild(0)->ChildCount() >= 1) hasProbe = true;
    }
    if (!hasProbe && !battery->Genset) return fail(kVerifyNoProbe, kVerifyNoProbe);
    if (!hasCells) return fail(kVerifyNoCellsStatus, kVerifyNoCellsHint);
  }
  if (View_) View_->SetNextHint({});
  // A passing check must not leave an earlier failure on the status line next
  // to an enabled Next: the page title comes back instead.
  for (const char* failure : {kVerifyNoStrings, kVerifyNotAssigned, kVerifyNoProbe, kVerifyNoCellsStatus})
    if (LastStatus_ == failure) Status(kPageDefine);
  return true;
}

void TConfigWizardLogic::ApplyGlobalAlarms() {
  if (OnReadGlobalAlarms) OnReadGlobalAlarms(GlobalAlarmLimits);
  const TAlarmLimits& limits = GlobalAlarmLimits;
  System_->ForEachNode([&limits](TzmUPSCellSystemNode* cell) { SetCellAlarms(cell, limits); },
                       [&limits](TzmUPSStringSystemNode* string) { SetProbeAlarms(string, limits); });
}

TControlUnitStringList TConfigWizardLogic::ControlUnitStrings() const {
  TControlUnitStringList list;
  for (const TControlUnitEntry& entry : ControlUnits_.ControlUnitList()) {
    TControlUnitStrings& strings = list.emplace_back();
    for (const TControlUnitString& s : entry.Strings) strings.push_back(s.String);
  }
  return list;
}

void TConfigWizardLogic::VerifyPage() {
  const bool modified = Grid_.Modified();
  const TControlUnitStringList units = ControlUnitStrings();
  TGlobalAlarmSetting global{GlobalAlarmSetting, GlobalAlarmLimits};
  if (GlobalAlarmSetting && OnReadGlobalAlarms) OnReadGlobalAlarms(global.Limits);
  TEditGridTarget target(Grid_, View_);
  TConfigGridBuilder builder(*System_, units, target, ErrorList(), global);
  builder.BuildConfigGrid();
  if (!FileSaved_) Grid_.SetModified(modified);
  GridBuilt_ = true;
}

void TConfigWizardLogic::SavePage() {
  TFileDialogOptions options;
  options.Filter = kConfigFileFilter;
  options.DefaultExt = kConfigFileDefaultExt;
  options.FileName = kConfigFileDefaultName;
  options.InitialDir = InitialDir.empty() ? BuiltInSaveFolder : InitialDir;
  options.OverwritePrompt = true;
  std::string fileName;
  if (FileDialogs().SaveFileName(options, fileName)) {
    namespace fs = std::filesystem;
    const fs::path history = fs::path(fileName).parent_path() / HistoryFileName(CurrentYear());
    std::error_code ec;
    if (fs::exists(history, ec)) {
      UserMessages().Beep(TBeepKind::Default);
      if (UserMessages().Show(TMsgKind::Warning, kAskHistoryFile, TMsgButtons::OkCancel) != TMsgAnswer::Ok)
        return;
    }
    try {
      SaveGridToFile(Grid_, fileName);
    } catch (const std::exception& e) {
      // Nothing was saved: the earlier file is intact and the flags stay as they were.
      UserMessages().Show(TMsgKind::Error, e.what(), TMsgButtons::Ok);
      Status(kPageSave);
      return;
    }
    Grid_.SetModified(false);
    FileSaved_ = true;
    SavedFileName_ = fileName;
    // The user sees that the file was written, and where.
    Status(kStatusSaved + fileName);
    return;
  }
  Status(kPageSave);
}

void TConfigWizardLogic::AfterWalkThrough(bool finished) {
  if (finished && System_->BatteryCount() > 0) {
    // A walk-through that ends without a last string adds no buttons.
    const TzmUPSBatterySystemNode* last = System_->GetBattery(System_->BatteryCount() - 1);
    const TzmUPSStringSystemNode* string = last->GetString(last->StringCount() - 1);
    if (string && string->ControlUnit() >= 0)
      ControlUnits_.EnsureButtons(std::min(string->ControlUnit() + 1, TMainControlUnits::MaxControlUnits));
  }
  // Finished or not, the walk-through may have placed strings beyond the last
  // control unit; none may stay there (nor in a site file, which refuses it).
  ControlUnits_.TakeOffStringsBeyondLastControlUnit();
  UpdateWizardButtons();
}

bool TConfigWizardLogic::CloseQuery() {
  if (GridBuilt_ && !FileSaved_)
    return UserMessages().Show(TMsgKind::Warning, kAskQuitNotCreated, TMsgButtons::YesNo) == TMsgAnswer::Yes;
  if (Grid_.Modified())
    return UserMessages().Show(TMsgKind::Warning, kAskQuitChanged, TMsgButtons::YesNo) == TMsgAnswer::Yes;
  return true;
}

bool TConfigWizardLogic::DirectEditing() const { return (Grid_.Options() & goEditing) != 0; }

void TConfigWizardLogic::SetDirectEditing(bool on) {
  const TGridOptions options = Grid_.Options();
  Grid_.SetOptions(on ? (options | goEditing | goRangeSelect) : (options & ~(goEditing | goRangeSelect)));
}

TGridActionStates TConfigWizardLogic::GridActionStates() const {
  TGridActionStates states;
  const bool editing = DirectEditing();
  const TGridRect& sel = Grid_.Selection();
  states.Undo = editing && Grid_.CanUndo();
  states.Cut = editing;
  states.Copy = editing;
  states.Paste = editing && Grid_.CopyMode();
  states.Fill = editing && sel.Left >= 0 && !sel.IsSingleCell();
  states.EditConfigurationChecked = (Grid_.Options() & goEditing) != 0;
  return states;
}

void TConfigWizardLogic::FillSelected() {
  std::string text = Grid_.Col() >= 0 && Grid_.Row() >= 0 && Grid_.Col() < Grid_.ColCount() &&
                             Grid_.Row() < Grid_.RowCount()
                         ? Grid_.Cells(Grid_.Col(), Grid_.Row())
                         : std::string();
  if (ValuePrompts().GetText(kFillPrompt, kFillCaption, text)) Grid_.FillSelection(text);
}

std::string TConfigWizardLogic::ToggleGlobalAlarmSetting() {
  GlobalAlarmSetting = !GlobalAlarmSetting;
  return GlobalAlarmSetting ? kCaptionGlobalAlarms : kCaptionNoGlobalAlarms;
}
