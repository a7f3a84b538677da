// The read-back with requests sent ahead, on the fake line: the same bytes
// compared and the same bytes on the wire as the stop-and-wait read-back,
// with the requests grouped differently.

#include "flash/FlashUpdate.h"
#include "sim/Base64.h"
#include "sim/FlashMode.h"
#include "tests/flash/TestPackage.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <algorithm>

namespace zeb40 {
namespace {

using sim::FlashFault;
using sim::FlashReply;

// The sizes of the writes in order, a run of equal sizes as "size*count".
std::string WriteSizes(const std::vector<std::string>& writes) {
    std::string text;
    for (std::size_t i = 0; i < writes.size();) {
        std::size_t j = i;
        while (j < writes.size() && writes[j].size() == writes[i].size())
            ++j;
        if (!text.empty())
            text += ' ';
        text += std::to_string(writes[i].size());
        if (j - i > 1)
            text += "*" + std::to_string(j - i);
        i = j;
    }
    return text;
}

// The writes of the read-back: from the address pointer after the
// programming result up to the one before the restart.
std::vector<std::string> ReadBackWrites(const std::vector<std::string>& writes) {
    auto last = std::find(writes.rbegin(), writes.rend(), "D20004");
    auto first = std::find(last + 1, writes.rend(), "D20004");
    return {first.base(), last.base() - 1};
}

class ReadAheadTest : public test::FakeLineFixture {
  protected:
    void SetUp() override {
        auto lock = unit.Lock();
        flash = unit.Find<sim::FlashMode>();
        flash->SetModeSwitchValue(0x12345678);
    }
    FlashResult Run(const std::vector<std::uint8_t>& image, int readAhead) {
        test::WriteFile(dir.File("fw.zcf"), sim::FlashPackageText(image));
        unit.ClearReceived();
        line->RecordWrites();
        writesBefore = line->Writes().size();
        op = test::ScriptedOperator{};
        return FlashUpdateFromFile(link, unit.DevicePath(), dir.File("fw.zcf"), index, op,
                                   FlashOptions{readAhead});
    }
    std::vector<std::string> Writes() const {
        return {line->Writes().begin() + static_cast<std::ptrdiff_t>(writesBefore),
                line->Writes().end()};
    }
    std::string LastDetail() const {
        for (auto m = op.messages.rbegin(); m != op.messages.rend(); ++m) {
            if (m->text.starts_with("Error while updating Flash ROM.  Please try again.\n"))
                return m->text.substr(m->text.find('\n') + 1);
        }
        return "";
    }
    void AddFault(FlashFault fault) {
        auto lock = unit.Lock();
        flash->AddFault(fault);
    }
    std::vector<std::uint8_t> Flash(std::size_t count) {
        auto lock = unit.Lock();
        return flash->Flash(count);
    }

    test::TempDir dir;
    test::ScriptedOperator op;
    PackageIndex index;
    sim::FlashMode* flash = nullptr;
    std::size_t writesBefore = 0;
};

// The whole update of a 302-byte image as the stop-and-wait read-back has
// always sent it: the mode switch, tests and erase, the programming in runs
// between page pauses, one "9" a write and groups of 4 on the "=" line, then
// the restart. Both the window's command and --read-ahead 1 send exactly this.
TEST_F(ReadAheadTest, OneRequestAtATimeKeepsTheWireTrafficAsItWas) {
    constexpr const char* Sizes = "2 1*3 10 1*4 6 1 6 1 6 1 6 1 6 1 6 1 2*2 72 76 20 56 76 39 1 36 "
                                  "24 6 1*285 4*4 1 6 1";
    const auto image = test::TestImage(302);
    ASSERT_EQ(Run(image, 1).outcome, FlashOutcome::Completed) << LastDetail();
    EXPECT_EQ(WriteSizes(Writes()), Sizes);
    const std::string wire = unit.ReceivedBytes();

    unit.ClearReceived();
    writesBefore = line->Writes().size();
    op = test::ScriptedOperator{};
    op.files.push_back(ChosenFile{dir.File("fw.zcf"), "fw"});
    ASSERT_EQ(FlashUpdate(link, unit.DevicePath(), index, op).outcome, FlashOutcome::Completed);
    EXPECT_EQ(WriteSizes(Writes()), Sizes);
    EXPECT_EQ(unit.ReceivedBytes(), wire);
}

TEST_F(ReadAheadTest, RequestsAheadCarryTheSameBytesAndCompareEveryOne) {
    const auto image = test::TestImage(1000);
    ASSERT_EQ(Run(image, 1).outcome, FlashOutcome::Completed) << LastDetail();
    const std::string stopAndWait = unit.ReceivedBytes();
    const std::vector<int> progress = op.progress;

    for (int depth : {2, 4}) {
        SCOPED_TRACE(depth);
        ASSERT_EQ(Run(image, depth).outcome, FlashOutcome::Completed) << LastDetail();
        EXPECT_EQ(unit.ReceivedBytes(), stopAndWait);
        EXPECT_EQ(Flash(image.size()), image);
        EXPECT_EQ(op.progress, progress);
        // depth requests at first, then one as each reply comes.
        const auto readBack = ReadBackWrites(Writes());
        ASSERT_FALSE(readBack.empty());
        EXPECT_EQ(readBack.front(), std::string(static_cast<std::size_t>(depth), '9'));
        EXPECT_EQ(readBack.size(), image.size() - static_cast<std::size_t>(depth) + 1);
    }
}

TEST_F(ReadAheadTest, NoMoreRequestsThanBytes) {
    // Two bytes: "QUk=" asks for both at once, whatever the depth.
    const std::vector<std::uint8_t> image = {'A', 'I'};
    ASSERT_EQ(Run(image, 4).outcome, FlashOutcome::Completed) << LastDetail();
    EXPECT_EQ(ReadBackWrites(Writes()), std::vector<std::string>{"99"});
    EXPECT_TRUE(unit.ReceivedBytes().ends_with("D20004"
                                               "99"
                                               "D20004G"));
}

TEST_F(ReadAheadTest, AMismatchStopsTheReadBackAtOnce) {
    const auto image = test::TestImage(600);
    AddFault({FlashReply::ReadBack, FlashFault::Kind::Text, "00", 40, 1});
    EXPECT_EQ(Run(image, 4).outcome, FlashOutcome::Aborted);
    EXPECT_EQ(LastDetail(), "Verify error(41)");
    // The 41st reply was wrong: no request beyond the 3 already in flight,
    // and no restart.
    const std::string wire = unit.ReceivedBytes();
    const auto readBack = wire.rfind("D20004") + 6;
    EXPECT_EQ(wire.substr(readBack), std::string(44, '9'));
    EXPECT_FALSE(op.progressOpen);
    EXPECT_TRUE(link.IsOpen());
}

TEST_F(ReadAheadTest, ASilentOrVanishedUnitEndsWithinTheTimeouts) {
    const auto image = test::TestImage(600);
    AddFault({FlashReply::ReadBack, FlashFault::Kind::Silent, "", 100, 1});
    auto start = clock.Now();
    EXPECT_EQ(Run(image, 4).outcome, FlashOutcome::Aborted);
    EXPECT_EQ(LastDetail(), "Verify error(41)");
    EXPECT_LT(clock.Now() - start, std::chrono::seconds(4));

    AddFault({FlashReply::ReadBack, FlashFault::Kind::HangUp, "", 100, 1});
    start = clock.Now();
    EXPECT_EQ(Run(image, 4).outcome, FlashOutcome::Aborted);
    EXPECT_EQ(LastDetail(), "Verify error(41)");
    EXPECT_LT(clock.Now() - start, std::chrono::seconds(2));
}

} // namespace
} // namespace zeb40
