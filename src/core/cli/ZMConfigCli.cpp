#include "cli/ZMConfigCli.h"

#include <exception>
#include <stdexcept>

#include "cli/ZMConfigCliArgs.h"
#include "cli/ZMConfigCliTable.h"
#include "cli/ZMPlainTextArea.h"
#include "common/ZMSafeFile.h"
#include "common/ZMUserInterface.h"
#include "config/grid_file_stuff.h"
#include "import/ZMConfigImport.h"
#include "sitefile/ZMSiteFile.h"
#include "wizard/MainWizard.h"
#include "wizard/VersionInfo.h"

namespace {

// A '\r' in the core's messages is a line break.
std::string Lines(std::string text) {
  for (char& ch : text)
    if (ch == '\r') ch = '\n';
  return text;
}

// Message boxes become lines on the error stream; questions are answered No.
class TCliMessages : public IUserMessages {
 public:
  TCliMessages(std::ostream& err, std::string file) : err_(err), file_(std::move(file)) {}
  TMsgAnswer Show(TMsgKind kind, const std::string& text, TMsgButtons buttons, const std::string&) override {
    err_ << "zmconfig: " << file_ << ": " << (kind == TMsgKind::Error ? "error: " : "warning: ") << Lines(text) << "\n";
    switch (buttons) {
      case TMsgButtons::Ok: return TMsgAnswer::Ok;
      case TMsgButtons::OkCancel: return TMsgAnswer::Cancel;
      default: return TMsgAnswer::No;
    }
  }
  void Beep(TBeepKind) override {}

 private:
  std::ostream& err_;
  std::string file_;
};

class TCliErrorList : public IErrorList {
 public:
  std::vector<std::string> Entries;
  void Clear() override { Entries.clear(); }
  void Add(const std::string& message) override { Entries.push_back(message); }
  int Count() const override { return static_cast<int>(Entries.size()); }
  void Show() override {}
};

// Installs the command line's services for one run and puts back what was there.
class TServices {
 public:
  TServices(IUserMessages& messages, IErrorList& errors) {
    try {
      oldMessages_ = &UserMessages();
    } catch (const std::logic_error&) {
    }
    try {
      oldErrors_ = &ErrorList();
    } catch (const std::logic_error&) {
    }
    SetUserMessages(&messages);
    SetErrorList(&errors);
  }
  ~TServices() {
    SetUserMessages(oldMessages_);
    SetErrorList(oldErrors_);
  }
  TServices(const TServices&) = delete;
  TServices& operator=(const TServices&) = delete;

 private:
  IUserMessages* oldMessages_ = nullptr;
  IErrorList* oldErrors_ = nullptr;
};

class TCommand {
 public:
  TCommand(const TCliArgs& args, std::ostream& out, std::ostream& err)
      : a_(args), out_(out), err_(err), messages_(err, args.File), services_(messages_, errors_) {}
  ~TCommand() { ClearSystem(logic_.System()); }
  TCommand(const TCommand&) = delete;
  TCommand& operator=(const TCommand&) = delete;

  int Run() {
    logic_.FormCreate();
    logic_.SetView(&view_);
    if (a_.Command == "import") return Import();
    if (!OpenSite()) return kExitBadInput;
    if (a_.Command == "build" || a_.Command == "check") return BuildOrCheck();
    if (a_.Command == "report") return Report();
    return AutoAssign();
  }

 private:
  void Say(const std::string& file, const std::string& text) { err_ << "zmconfig: " << file << ": " << Lines(text) << "\n"; }

  bool OpenSite() {
    if (const auto error = OpenSiteFile(a_.File, logic_.System(), settings_)) {
      Say(a_.File, error->Message());
      return false;
    }
    logic_.ControlUnits().EnsureButtons(settings_.ControlUnitButtons);
    logic_.GlobalAlarmSetting = settings_.GlobalAlarmSetting;
    logic_.GlobalAlarmLimits = settings_.AlarmDialog.Limits;
    return true;
  }

  // Next on "Define the UPS system": verification, control unit list, grid.
  int BuildOrCheck() {
    const bool check = a_.Command == "check";
    if (!logic_.VerifySystem()) {
      if (check) {
        out_ << a_.File << ": " << view_.Status << "\n";
        return kExitFailed;
      }
      Say(a_.File, view_.Status);
      if (!a_.Force) return kExitFailed;
    }
    logic_.btnNextClick();
    if (check) {
      for (const std::string& entry : errors_.Entries) out_ << a_.File << ": " << Lines(entry) << "\n";
      if (!errors_.Entries.empty()) return kExitFailed;
      out_ << a_.File << ": verified\n";
      return kExitDone;
    }
    for (const std::string& entry : errors_.Entries) Say(a_.File, entry);
    try {
      SaveGridToFile(logic_.Grid(), a_.Output);
    } catch (const EGridFileError& e) {
      Say(a_.Output, e.what());
      return kExitFailed;
    } catch (const ESafeFileError& e) {
      Say(a_.Output, e.what());
      return kExitBadInput;
    }
    return kExitDone;
  }

  int Report() {
    const TzmUPSSystem& system = logic_.System();
    if (a_.Battery > system.BatteryCount()) {
      Say(a_.File, "--battery " + std::to_string(a_.Battery) + ": the site has " +
                       std::to_string(system.BatteryCount()) + " batteries.");
      return kExitBadInput;
    }
    const TControlUnitTable table = ControlUnitTableOf(system);
    TPlainTextArea area;
    if (!a_.Hardware) {
      for (int b = 0; b < system.BatteryCount(); ++b) {
        if (a_.Battery > 0 && b != a_.Battery - 1) continue;
        WriteBatteryDescription(system, *system.GetBattery(b), area, table);
        out_ << area.Text() << (a_.Battery > 0 ? "" : "\n");
      }
    }
    if (a_.Battery == 0) {
      WriteHardwareList(area, table);
      out_ << area.Text();
    }
    return kExitDone;
  }

  int AutoAssign() {
    TMainControlUnits& units = logic_.ControlUnits();
    if (!units.AutoAssign()) return kExitFailed;
    settings_.ControlUnitButtons = units.ButtonCount();
    return Save(logic_.System());
  }

  int Import() {
    TzmUPSSystem& system = logic_.System();
    const TConfigImportResult result = ImportConfigFileAt(a_.File, system, settings_, errors_);
    if (!result.Imported) {
      err_ << "zmconfig: " << result.Refusal << "\n";
      return kExitBadInput;
    }
    for (const std::string& problem : result.Problems) Say(a_.File, problem);
    return Save(system);
  }

  int Save(const TzmUPSSystem& system) {
    try {
      SaveSiteFile(a_.Output, system, settings_);
    } catch (const std::exception& e) {
      Say(a_.Output, e.what());
      return kExitBadInput;
    }
    return kExitDone;
  }

  const TCliArgs& a_;
  std::ostream& out_;
  std::ostream& err_;
  TCliMessages messages_;
  TCliErrorList errors_;
  TServices services_;
  TStatusOnlyView view_;  // its status line says why a verification fails
  TConfigWizardLogic logic_;
  TSiteSettings settings_;
};

}  // namespace

int RunZmConfig(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const TCliParse parse = ParseCliArgs(args);
  if (!parse.Args) {
    err << "zmconfig: " << parse.Error << "\nTry 'zmconfig --help'.\n";
    return kExitBadInput;
  }
  const TCliArgs& a = *parse.Args;
  if (a.Command == "help") {
    out << CliUsage();
    return kExitDone;
  }
  if (a.Command == "version") {
    out << "zmconfig " << ProgramVersionText() << "\n";
    return kExitDone;
  }
  try {
    return TCommand(a, out, err).Run();
  } catch (const std::exception& e) {
    err << "zmconfig: " << a.File << ": " << e.what() << "\n";
    return kExitFailed;
  }
}
