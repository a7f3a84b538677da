#include "ConfigWindowFixture.h"
#include "sim/Fault.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace zeb40::test {
namespace {

using sim::Fault;
using Wire = std::vector<std::string>;

class TimecodeMonitorTest : public ConfigWindowFixture {
  protected:
    QCheckBox* Reader() { return Check(control::ReaderTimecode); }
    QCheckBox* Generator() { return Check(control::GeneratorTimecode); }
};

TEST_F(TimecodeMonitorTest, CaptionsShowTimeAndUserBits) {
    unit.AddFault(Fault::Reply('e', "10203004, ABCD").OnValue(3));
    unit.AddFault(Fault::Reply('e', "23595824, 12AB").OnValue(0x23));
    Open();
    EXPECT_EQ(Reader()->text(), "Timecode");
    Reader()->click();
    EXPECT_TRUE(dialog->Monitor().Running());
    dialog->Monitor().Tick();
    EXPECT_EQ(Reader()->text(), "10:20:30:04  0000ABCD");
    Reader()->click();
    EXPECT_EQ(Reader()->text(), "Time Code");
    EXPECT_FALSE(dialog->Monitor().Running());

    Generator()->click();
    dialog->Monitor().Tick();
    EXPECT_EQ(Generator()->text(), "23:59:58:24  000012AB");
}

TEST_F(TimecodeMonitorTest, BothBoxesArePolledInTurn) {
    Open();
    Reader()->click();
    Generator()->click();
    for (int tick = 0; tick < 4; ++tick)
        dialog->Monitor().Tick();
    const Wire polls = Sent();
    ASSERT_EQ(polls.size(), 4u);
    EXPECT_NE(polls[0], polls[1]);
    EXPECT_EQ(polls[0], polls[2]);
    EXPECT_EQ(polls[1], polls[3]);

    // One box left: polled on every tick.
    Reader()->click();
    EXPECT_EQ(Reader()->text(), "Time Code");
    EXPECT_TRUE(dialog->Monitor().Running());
    unit.ClearReceived();
    dialog->Monitor().Tick();
    dialog->Monitor().Tick();
    EXPECT_EQ(Sent(), (Wire{"e23", "e23"}));
    Generator()->click();
    EXPECT_FALSE(dialog->Monitor().Running());
}

TEST_F(TimecodeMonitorTest, TheTimerPollsTheRunningGenerator) {
    Open();
    ASSERT_TRUE(link.Command('A', 0x10000000));
    Generator()->click();
    QElapsedTimer waited;
    waited.start();
    while (!Generator()->text().startsWith("10:00:0") && waited.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_TRUE(Generator()->text().startsWith("10:00:0")) << Generator()->text().toStdString();
}

TEST_F(TimecodeMonitorTest, AFailedPollLeavesTheCaption) {
    unit.AddFault(Fault::Reply('e', "10203004, ABCD", 1).OnValue(3));
    Open();
    Reader()->click();
    dialog->Monitor().Tick();
    unit.AddFault(Fault::Reply('e', "11111111", 1).OnValue(3));
    dialog->Monitor().Tick();
    EXPECT_EQ(Reader()->text(), "10:20:30:04  0000ABCD");
    unit.AddFault(Fault::Refuse('e', "OV", 1).OnValue(3));
    dialog->Monitor().Tick();
    EXPECT_EQ(Reader()->text(), "10:20:30:04  0000ABCD");
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(TimecodeMonitorTest, SetLoadsTimeAndUserBitsIntoTheGenerator) {
    Open();
    Edit(1064)->setText("23");
    Edit(1066)->setText("59");
    Edit(1067)->setText("58");
    Edit(1068)->setText("24");
    Edit(1069)->setText("12ab");
    const ConfigItemTable before = config.table;
    Button(control::SetGenerator)->click();
    EXPECT_EQ(Sent(), (Wire{"D12AB", "A23595824", "P18", "L23595824"}));
    EXPECT_EQ(config.table, before);
    EXPECT_EQ(UnitItem(24), 0x24);
    EXPECT_EQ(UnitItem(27), 0x23);

    unit.ClearReceived();
    Edit(1069)->setText("");
    Button(control::SetGenerator)->click();
    EXPECT_EQ(Sent(), (Wire{"A23595824", "P18", "L23595824"}));
    unit.ClearReceived();
    Edit(1069)->setText("xyz");
    Button(control::SetGenerator)->click();
    EXPECT_EQ(Sent().front(), "A23595824");
}

} // namespace
} // namespace zeb40::test
