#include "sim/BasicCommands.h"
#include "sim/ConfigMemory.h"
#include "sim/Emulator.h"
#include "sim/FaultSettings.h"
#include "sim/FlashMode.h"
#include "sim/Profiles.h"
#include "sim/RealTimeClock.h"
#include "sim/TimecodeGenerator.h"

namespace zeb40::sim {

// The features of the unit, most specific first: the first extension that
// answers a command wins, so a feature can refine what BasicCommands does.
void InstallUnitFeatures(Emulator& unit) {
    unit.AddExtension(std::make_unique<ConfigMemory>(unit));
    unit.AddExtension(std::make_unique<TimecodeGenerator>());
    unit.AddExtension(std::make_unique<Profiles>());
    unit.AddExtension(std::make_unique<RealTimeClock>());
    unit.AddExtension(std::make_unique<FlashMode>());
    unit.AddExtension(std::make_unique<BasicCommands>());
    unit.AddExtension(std::make_unique<FaultSettings>());
}

} // namespace zeb40::sim
