// The walk-through: bytes become the user's answers, ticks and buttons. After
// each action the page shown belongs to the level in charge; once the run has
// ended no step is queued and none is posted; when it finished, the model's
// sub-string tables add up (while the sizes are being asked they need not).
#include <cstdlib>

#include "ModelChecks.h"
#include "walkthrough/fmWalkThroughEngine.h"
#include "walkthrough/fmWalkThroughPage.h"

namespace {
TWalkLevel LevelOf(TWalkPageId id) {
  switch (id) {
    case TWalkPageId::Start:
    case TWalkPageId::BatteryCount:
    case TWalkPageId::NoPage:
    case TWalkPageId::SystemVerify: return TWalkLevel::Top;
    case TWalkPageId::BatteryName:
    case TWalkPageId::StringCount:
    case TWalkPageId::BatteryVerify: return TWalkLevel::Battery;
    case TWalkPageId::StringName:
    case TWalkPageId::StringChannels:
    case TWalkPageId::StringProbe:
    case TWalkPageId::StringSensors: return TWalkLevel::String;
    case TWalkPageId::SubStringChannels: return TWalkLevel::SubString;
    case TWalkPageId::BlocksPerChannel:
    case TWalkPageId::LowVoltage:
    case TWalkPageId::HighVoltage:
    case TWalkPageId::LowOhmic:
    case TWalkPageId::HighOhmic: return TWalkLevel::Channel;
    case TWalkPageId::Discharge:
    case TWalkPageId::Charge: return TWalkLevel::Current;
    case TWalkPageId::SensorName:
    case TWalkPageId::LowTemperature:
    case TWalkPageId::HighTemperature: return TWalkLevel::Temperature;
  }
  return TWalkLevel::Top;
}

// The deferred steps; a step posted after the run ended is a fault.
class TCheckedSteps : public TQueuedSteps {
 public:
  bool ended = false;
  void Post(std::function<void()> step) override {
    FUZZ_CHECK(!ended);
    TQueuedSteps::Post(std::move(step));
  }
};

// One line a step, to turn a find into a test.
void Trace(const TWalkThroughEngine& engine, const TzmUPSSystem& system) {
  std::fprintf(stderr, "page %d level %d heading \"%s\"", static_cast<int>(engine.Page().Id),
               static_cast<int>(engine.Level()), engine.Page().Heading.c_str());
  for (int b = 0; b < system.BatteryCount(); ++b)
    for (int s = 0; s < system.GetBattery(b)->StringCount(); ++s) {
      const TzmUPSStringSystemNode* string = system.GetBattery(b)->GetString(s);
      std::fprintf(stderr, " [%d.%d: %d cells", b, s, string->CellCount());
      for (int cells : string->SubStringCells()) std::fprintf(stderr, " %d", cells);
      std::fprintf(stderr, "]");
    }
  std::fprintf(stderr, "\n");
}

std::string Number(TFuzzBytes& in) {
  switch (in.Below(8)) {
    case 0: return in.Text();
    case 1: return std::to_string(in.Below(300) - 20) + "." + std::to_string(in.Below(10));
    default: return std::to_string(in.Below(6));
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  TFuzzBytes in(data, size);
  TFuzzUserInterface ui(in);
  TzmUPSSystem system;
  TNullTextArea text;
  TCheckedSteps steps;
  TWalkThroughEngine engine(text, steps);
  engine.RunCurrentScaling = [&](TCurrentScalingCalculator&) { return in.Bool(); };
  engine.OnClose = [&](TWalkResult) {
    FUZZ_CHECK(steps.Empty());
    steps.ended = true;
  };
  if (!engine.Start(&system)) return 0;
  steps.Drain();

  for (int action = 0; action < 400 && !in.Empty() && engine.Result() == TWalkResult::Running; ++action) {
    switch (in.Below(16)) {
      case 0: engine.GoBack(); break;
      case 1:
        if (in.Below(8) == 0) engine.Cancel();
        break;
      case 2: engine.CurrentScalingClick(); break;
      case 3: engine.SetEntryText(in.Text()); break;
      case 4:
      case 5: engine.UserChangedNumber(Number(in)); break;
      case 6: engine.UserChangedFahrenheit(Number(in)); break;
      case 7: engine.UserSetCheck(static_cast<TWalkBox>(in.Below(6)), in.Bool()); break;
      default: engine.Next(); break;
    }
    steps.Drain();
    if (std::getenv("ZM_FUZZ_TRACE")) Trace(engine, system);
    FUZZ_CHECK(steps.Empty());
    if (engine.Result() != TWalkResult::Running) break;
    FUZZ_CHECK(LevelOf(engine.Page().Id) == engine.Level());
  }
  if (engine.Result() == TWalkResult::Finished) CheckSubStringTables(system);
  return 0;
}
