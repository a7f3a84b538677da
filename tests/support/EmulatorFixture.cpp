#include "tests/support/EmulatorFixture.h"

#include "link/SerialTransport.h"

#include <cstdlib>
#include <filesystem>

namespace zeb40::test {
namespace {

std::unique_ptr<ByteTransport> MakeTransport(Line kind, sim::Emulator& unit, FakeClock& clock,
                                             EmulatedTransport*& line) {
    if (kind == Line::PseudoTerminal)
        return MakeSerialTransport();
    auto fake = std::make_unique<EmulatedTransport>(clock);
    fake->Plug(unit);
    line = fake.get();
    return fake;
}

LinkClock& ClockOf(Line kind, FakeClock& clock) {
    if (kind == Line::PseudoTerminal)
        return SteadyClock();
    return clock;
}

} // namespace

EmulatorFixture::EmulatorFixture(Line lineKind)
    : kind(lineKind), link(MakeTransport(kind, unit, clock, line), ClockOf(kind, clock)) {}

void EmulatorFixture::SetUp() {
    if (kind == Line::PseudoTerminal) {
        ASSERT_TRUE(unit.Start()) << "no pseudo-terminal";
    }
}

void EmulatorFixture::TearDown() {
    link.CloseIfOpen();
    unit.Stop();
}

bool EmulatorFixture::OpenLink() {
    link.CloseIfOpen();
    return link.OpenByName(unit.DevicePath());
}

std::vector<std::string> EmulatorFixture::ReceivedTexts() {
    std::vector<std::string> texts;
    for (const auto& command : unit.Received())
        texts.push_back(command.text);
    return texts;
}

std::unique_ptr<sim::Emulator> EmulatorFixture::StartFreshUnit() {
    auto fresh = std::make_unique<sim::Emulator>();
    if (kind == Line::PseudoTerminal)
        EXPECT_TRUE(fresh->Start()) << "no pseudo-terminal";
    else
        line->Plug(*fresh);
    return fresh;
}

double EmulatorFixture::SecondsSince(LinkClock::TimePoint start) {
    return std::chrono::duration<double>(link.Clock().Now() - start).count();
}

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zeb40-test-XXXXXX").string();
    char* made = mkdtemp(pattern.data());
    if (made)
        path_ = made;
}

TempDir::~TempDir() {
    if (path_.empty())
        return;
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

} // namespace zeb40::test
