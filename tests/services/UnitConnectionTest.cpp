#include "services/UnitConnection.h"

#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

namespace zeb40 {
namespace {

using sim::Fault;

class UnitConnectionTest : public test::FakeLineFixture {
  protected:
    test::ScriptedOperator op;
};

TEST_F(UnitConnectionTest, EachWayOfNotReachingTheUnitIsAValueAndItsOneMessage) {
    ASSERT_TRUE(OpenLink());
    EXPECT_EQ(OpenUnit(link, "", op), UnitAccess::NoPortName);
    EXPECT_TRUE(link.IsOpen()) << "an empty name leaves the link alone";

    test::TempDir dir;
    EXPECT_EQ(OpenUnit(link, dir.File("no-such-port"), op), UnitAccess::CantOpen);
    EXPECT_FALSE(link.IsOpen());

    unit.AddFault(Fault::Of(Fault::Kind::Silent, '\b'));
    EXPECT_EQ(OpenUnit(link, unit.DevicePath(), op), UnitAccess::NoUnit);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_EQ(op.waitDepth, 0);
    EXPECT_TRUE(op.messages.empty()) << "the caller decides what to show";

    for (UnitAccess access :
         {UnitAccess::Ready, UnitAccess::NoPortName, UnitAccess::CantOpen, UnitAccess::NoUnit})
        ShowAccessFailure(op, link, access);
    EXPECT_EQ(op.Texts(), (std::vector<std::string>{
                              "Please select a port name", "Can't open port",
                              "Can't connect to ZEB40.  Please check cable and port name"}));

    unit.ClearFaults();
    EXPECT_EQ(OpenUnit(link, unit.DevicePath(), op), UnitAccess::Ready);
    EXPECT_TRUE(link.IsOpen());
}

TEST_F(UnitConnectionTest, IdentityTellsWhichExchangeFailedAndHow) {
    ASSERT_TRUE(OpenLink());
    UnitIdentity identity;
    ASSERT_EQ(ReadUnitIdentity(link, identity).read, IdentityRead::Read);
    EXPECT_EQ(ReceivedTexts(), (std::vector<std::string>{"e98", "e97", "e96", "e99"}));
    EXPECT_EQ(InfoOf(identity).config.size(), std::string("00000000 / 00000000").size());

    unit.AddFault(Fault::Refuse('e', "NC", 1).OnValue(0x96));
    IdentityReadResult read = ReadUnitIdentity(link, identity);
    EXPECT_EQ(read.read, IdentityRead::LaterExchangeFailed);
    EXPECT_EQ(read.failure, LinkResult::Refused(ReplyCode::NC));

    unit.AddFault(Fault::Refuse('e', "NC", 1).OnValue(0x98));
    EXPECT_EQ(ReadUnitIdentity(link, identity).read, IdentityRead::NoIdentifier);

    unit.AddFault(Fault::Reply('e', "10000", 1).OnValue(0x99));
    EXPECT_EQ(ReadUnitIdentity(link, identity).failure.Outcome(), LinkOutcome::Garbled)
        << "a version too large for a word";
}

} // namespace
} // namespace zeb40
