#include "tests/support/FakeLineFixture.h"

namespace zeb40::test {
namespace {

std::unique_ptr<EmulatedTransport> MakeLine(sim::Emulator& unit, FakeClock& clock,
                                            EmulatedTransport*& line) {
    auto made = std::make_unique<EmulatedTransport>(unit, clock);
    line = made.get();
    return made;
}

} // namespace

FakeLineFixture::FakeLineFixture() : link(MakeLine(unit, clock, line), clock) {}

bool FakeLineFixture::OpenLink() {
    link.CloseIfOpen();
    return link.OpenByName(unit.DevicePath());
}

std::vector<std::string> FakeLineFixture::ReceivedTexts() {
    std::vector<std::string> texts;
    for (const auto& command : unit.Received())
        texts.push_back(command.text);
    return texts;
}

double FakeLineFixture::SecondsSince(LinkClock::TimePoint start) const {
    return std::chrono::duration<double>(clock.Now() - start).count();
}

} // namespace zeb40::test
