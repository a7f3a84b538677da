// A line held by flow control: the unit stops taking characters and the
// program's output stays queued. No write may then wait without bound; the
// exchange fails within the write timeout and the operation reports it.

#include "flash/FlashUpdate.h"
#include "services/UnitConnection.h"
#include "sim/FlashPackageWriter.h"
#include "tests/faults/FaultFixture.h"

#include <fcntl.h>
#include <fstream>
#include <functional>
#include <termios.h>
#include <unistd.h>

namespace zeb40 {
namespace {

// Stops the terminal's output as a flow-control line that stays low does.
void HoldLine(const std::string& devicePath) {
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(tcflow(fd, TCOOFF), 0);
    ::close(fd);
}

class HeldLineTest : public test::FaultFixture {};

TEST_F(HeldLineTest, ConnectOnAHeldLineIsNoUnitWithinTheWriteTimeout) {
    HoldLine(unit.DevicePath());
    test::Stopwatch watch = StartStopwatch();
    const ConnectResult result = ConnectToUnit(link, unit.DevicePath(), op);
    EXPECT_LT(watch.Seconds(), test::Immediate);
    EXPECT_EQ(result.outcome, ConnectOutcome::Refused);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{
                              "Can't connect to ZEB40.  Please check cable and port name"});
    EXPECT_FALSE(link.IsOpen());
}

// Lets the test hold the line while the update works through the package.
class HoldingOperator : public test::ScriptedOperator {
  public:
    void PumpMessages() override {
        ScriptedOperator::PumpMessages();
        if (pumps == holdAtPump)
            hold();
    }
    std::function<void()> hold;
    int holdAtPump = 0;
};

// Waited out on the fake line, which holds its output as the terminal does.
class HeldFakeLineTest : public test::FaultFixture {
  protected:
    HeldFakeLineTest() : FaultFixture(test::Line::Fake) {}
};

TEST_F(HeldFakeLineTest, FlashUpdateOnALineHeldWhileProgrammingEndsWithinItsTimeouts) {
    test::TempDir dir;
    std::vector<std::uint8_t> image(3000, 0x5A);
    std::ofstream(dir.File("fw.zcf"), std::ios::binary) << sim::FlashPackageText(image);
    HoldingOperator holding;
    holding.hold = [this] { line->HoldLine(true); };
    holding.holdAtPump = 3;
    holding.files.push_back(ChosenFile{dir.File("fw.zcf"), "fw"});
    PackageIndex index;

    test::Stopwatch watch = StartStopwatch();
    EXPECT_EQ(FlashUpdate(link, unit.DevicePath(), index, holding).outcome, FlashOutcome::Aborted);
    // One held character waited for, the programming result and the address
    // pointer of the read-back: three flash timeouts at most.
    EXPECT_LT(watch.Seconds(), 2 * 3 * test::FlashByteTimeout);
    ASSERT_FALSE(holding.messages.empty());
    EXPECT_EQ(holding.messages.back().text,
              "Error while updating Flash ROM.  Please try again.\nCan't set address pointer (11)");
    EXPECT_FALSE(holding.progressOpen);
}

} // namespace
} // namespace zeb40
