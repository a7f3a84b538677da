#include "tests/faults/FaultFixture.h"

#include "sim/ConfigMemory.h"

namespace zeb40::test {

void FaultFixture::MakeRoom(sim::Emulator& someUnit) {
    auto lock = someUnit.Lock();
    auto* memory = someUnit.Find<sim::ConfigMemory>();
    ASSERT_NE(memory, nullptr);
    memory->SetCapacity(255);
    memory->SetInUse(0);
}

bool FaultFixture::OpenLinkOn(sim::Emulator& other) {
    link.CloseIfOpen();
    return link.OpenByName(other.DevicePath());
}

} // namespace zeb40::test
