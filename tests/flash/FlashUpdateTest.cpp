#include "flash/FlashUpdate.h"

#include "flash/FlashProgress.h"
#include "flash/PackageFile.h"
#include "sim/Base64.h"
#include "sim/FlashMode.h"
#include "tests/flash/TestPackage.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sys/stat.h>

namespace zeb40 {
namespace {

using sim::FlashFault;
using sim::FlashReply;
using test::TestPackage;

constexpr const char* Success = "Flash update successfully completed";

// The flash sequence on a fake line: its fixed waits and timeouts pass as fake
// time, which the timing checks read.
class FlashUpdateTest : public test::FakeLineFixture {
  protected:
    void SetUp() override {
        auto lock = unit.Lock();
        flash = unit.Find<sim::FlashMode>();
        ASSERT_NE(flash, nullptr);
        flash->SetModeSwitchValue(0x12345678);
    }

    std::string WritePackage(const std::string& text, const std::string& name = "fw.zcf") {
        test::WriteFile(dir.File(name), text);
        return dir.File(name);
    }
    FlashOutcome Run(const std::string& path) {
        op = test::ScriptedOperator{};
        op.files.push_back(ChosenFile{path, "fw"});
        return FlashUpdate(link, unit.DevicePath(), index, op).outcome;
    }
    // The detail of the last flash error shown, "" when there was none.
    std::string LastDetail() const {
        for (auto m = op.messages.rbegin(); m != op.messages.rend(); ++m) {
            if (m->text.starts_with("Error while updating Flash ROM.  Please try again.\n"))
                return m->text.substr(m->text.find('\n') + 1);
        }
        return "";
    }
    void AddFault(FlashReply reply, std::string text, int skip = 0) {
        auto lock = unit.Lock();
        flash->AddFault({reply, FlashFault::Kind::Text, std::move(text), skip, 1});
    }
    void AddFault(FlashReply reply, FlashFault::Kind kind, int skip = 0) {
        auto lock = unit.Lock();
        flash->AddFault({reply, kind, "", skip, 1});
    }
    std::vector<std::uint8_t> Flash(std::size_t count) {
        auto lock = unit.Lock();
        return flash->Flash(count);
    }
    bool InFlashMode() {
        auto lock = unit.Lock();
        return flash->InFlashMode();
    }
    std::uint16_t FirmwareVersion() {
        auto lock = unit.Lock();
        return unit.State().firmwareVersion;
    }

    test::TempDir dir;
    test::ScriptedOperator op;
    PackageIndex index;
    sim::FlashMode* flash = nullptr;
};

TEST_F(FlashUpdateTest, PackageOfTheBuilderProgramsVerifiesAndRestarts) {
    const auto image = test::TestImage(301, 0x0351); // ends in "QQ==" style padding
    const auto path = WritePackage(sim::FlashPackageText(image));
    ASSERT_EQ(Run(path), FlashOutcome::Completed);

    EXPECT_EQ(op.Texts(), std::vector<std::string>{Success});
    EXPECT_EQ(op.messages[0].caption, "ZEB40");
    EXPECT_EQ(op.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(Flash(image.size()), image);
    EXPECT_EQ(FirmwareVersion(), 0x0351);
    EXPECT_FALSE(InFlashMode());
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(ClearsConnectBox(FlashOutcome::Completed));

    ASSERT_EQ(op.fileChoices.size(), 1u);
    const FileChoice& choice = op.fileChoices[0];
    EXPECT_FALSE(choice.save);
    EXPECT_EQ(choice.defaultExtension, "zcf");
    ASSERT_EQ(choice.filters.size(), 2u);
    EXPECT_EQ(choice.filters[0].description, "ZEB40 Flash Update Files (*.zcf)");
    EXPECT_EQ(choice.filters[1].description, "All Files (*.*)");

    EXPECT_EQ(op.progressCaption, "VELOR ZEB40 Flash Update");
    EXPECT_FALSE(op.progressOpen);
    ASSERT_GE(op.progress.size(), 8u);
    EXPECT_EQ(std::vector<int>(op.progress.begin(), op.progress.begin() + 7),
              (std::vector<int>{0, 10, 10, 18, 26, 34, 42}));
    EXPECT_TRUE(std::is_sorted(op.progress.begin(), op.progress.end()));
    EXPECT_EQ(op.progress.back(), 1000);
    EXPECT_TRUE(std::any_of(op.progress.begin(), op.progress.end(),
                            [](int p) { return p > 50 && p < 300; }));
    EXPECT_TRUE(std::any_of(op.progress.begin(), op.progress.end(),
                            [](int p) { return p > 300 && p < 1000; }));
    EXPECT_GT(op.pumps, 0);

    // The mode switch, the tests, the erase of the five blocks, then programming.
    const std::string wire = unit.ReceivedBytes();
    EXPECT_TRUE(wire.starts_with(
        "=\rl4\r$EDCBA987\r\r512"
        "D20004CD40004CD60004CD80004CDA0004C"
        "D20004I" +
        sim::Base64Encode(std::vector<std::uint8_t>(image.begin(), image.begin() + 57))))
        << wire.substr(0, 120);
    // The read-back asks for every byte with "9", then the restart follows.
    ASSERT_TRUE(wire.ends_with("D20004G"));
    const auto restart = wire.size() - 7;
    const auto readBack = wire.rfind("D20004", restart - 1) + 6;
    EXPECT_EQ(wire.substr(readBack, restart - readBack), std::string(image.size(), '9'));
}

// A line whose queue takes the whole package at once (a pseudo-terminal, a
// USB adapter): the unit still gets its page pauses, and the wait for its
// programming result starts once the line has carried the last character.
// 20 KB keep the line busy for seconds after the last write returned.
TEST_F(FlashUpdateTest, KilobytesThroughADeepQueueComplete) {
    line->AtLineRate(true);
    const auto image = test::TestImage(20 * 1024);
    ASSERT_EQ(Run(WritePackage(sim::FlashPackageText(image))), FlashOutcome::Completed)
        << LastDetail();
    EXPECT_EQ(Flash(image.size()), image);
    auto lock = unit.Lock();
    EXPECT_EQ(flash->LostCharacters(), 0u);
}

// A line that stops taking characters for a while in the middle of the
// programming (flow control, a busy adapter): the unit gets every character
// once, none lost and none repeated.
TEST_F(FlashUpdateTest, ALineThatStallsWhileProgrammingLosesNoCharacter) {
    const auto image = test::TestImage(3000);
    line->StallAfter(2000, std::chrono::milliseconds(1500));
    ASSERT_EQ(Run(WritePackage(sim::FlashPackageText(image))), FlashOutcome::Completed)
        << LastDetail();
    EXPECT_EQ(Flash(image.size()), image);
}

TEST_F(FlashUpdateTest, LineShapesThatKeepWorking) {
    struct Shape {
        std::size_t imageSize;
        std::size_t lineLength;
        std::string lineEnd;
        std::string indent;
    };
    // "QUI=" and no padding at all; 78 and 100 characters; LF only; leading blanks.
    for (const Shape& shape :
         {Shape{302, 78, "\r\n", ""}, Shape{300, 100, "\n", "  "}, Shape{250, 76, "\r\n", "\t "}}) {
        SCOPED_TRACE(shape.lineLength);
        auto image = test::TestImage(shape.imageSize, static_cast<std::uint16_t>(shape.lineLength));
        TestPackage package;
        package.SetImage(image, shape.lineLength);
        for (auto& line : package.data) {
            if (!line.empty())
                line = shape.indent + line;
        }
        package.lineEnd = shape.lineEnd;
        unit.ClearReceived();
        ASSERT_EQ(Run(WritePackage(package.Text())), FlashOutcome::Completed) << LastDetail();
        EXPECT_EQ(Flash(image.size()), image);
        EXPECT_EQ(FirmwareVersion(), shape.lineLength);
        // Blanks and line ends stay behind; without padding the program ends
        // the data with an "=" of its own.
        const std::string data = sim::Base64Encode(image);
        const bool ownEquals = data.find('=') == std::string::npos;
        EXPECT_NE(unit.ReceivedBytes().find("I" + data + (ownEquals ? "=" : "")),
                  std::string::npos);
    }
}

TEST_F(FlashUpdateTest, HeaderLinesOfExactlySeventyNineCharactersAreSeenWhole) {
    const std::string boundary(39, 'B');
    const std::string name(26, 'n');
    TestPackage package;
    package.boundaryLine = "Content-Type: multipart/mixed; boundary=" + boundary;
    package.delimiter = "--" + boundary;
    package.closing = package.delimiter + "--";
    package.jamHeaders[0] = "Content-Type: text/plain; charset=US-ASCII; name=" + name + ".jam";
    package.romHeaders[0] = "Content-Type: text/plain; charset=US-ASCII; name=" + name + ".rom";
    for (const auto& line : {package.boundaryLine, package.jamHeaders[0], package.romHeaders[0]})
        ASSERT_EQ(line.size(), 79u);
    const auto image = test::TestImage(120);
    package.SetImage(image);
    ASSERT_EQ(Run(WritePackage(package.Text())), FlashOutcome::Completed) << LastDetail();
    EXPECT_EQ(index.delimiter, package.delimiter);
    EXPECT_EQ(Flash(image.size()), image);
}

TEST_F(FlashUpdateTest, MalformedPackagesNeverReachTheUnit) {
    const auto before = Flash(0xA000);
    TestPackage seventyNine;
    seventyNine.SetImage(test::TestImage(600), 79);
    TestPackage hundredFiftyEight;
    hundredFiftyEight.SetImage(test::TestImage(600), 158);
    TestPackage badFirstPart;
    badFirstPart.jamHeaders[1] = "Content-transfer-encoding: base64";
    TestPackage notBase64;
    notBase64.data = {"this is not base64 data at all", ""};
    TestPackage empty;
    empty.data = {""};
    TestPackage oneByteTooMany;
    oneByteTooMany.SetImage(std::vector<std::uint8_t>(40961, 0x11));
    TestPackage farTooLarge;
    farTooLarge.SetImage(std::vector<std::uint8_t>(60000, 0x22));
    TestPackage megabyteLine;
    megabyteLine.data = {std::string(1 << 20, 'Q'), ""};

    const std::pair<TestPackage, int> cases[] = {
        {seventyNine, 37}, {hundredFiftyEight, 37}, {badFirstPart, 18}, {notBase64, 26},
        {empty, 27},       {oneByteTooMany, 24},    {farTooLarge, 24},  {megabyteLine, 24}};
    for (const auto& [package, number] : cases) {
        const auto start = clock.Now();
        EXPECT_EQ(Run(WritePackage(package.Text())), FlashOutcome::Aborted);
        EXPECT_EQ(clock.Now(), start); // not a byte sent, not a wait
        EXPECT_TRUE(LastDetail().ends_with("(" + std::to_string(number) + ")")) << LastDetail();
        EXPECT_EQ(op.messages.size(), 1u);
        EXPECT_FALSE(op.progressOpen);
        EXPECT_TRUE(link.IsOpen());
    }
    EXPECT_EQ(unit.ReceivedBytes(), "");
    EXPECT_EQ(Flash(0xA000), before);
    EXPECT_FALSE(InFlashMode());
}

TEST_F(FlashUpdateTest, UnitAlreadyInFlashModeIsTakenAsItIs) {
    {
        auto lock = unit.Lock();
        flash->EnterFlashMode(unit);
    }
    const auto image = test::TestImage(200);
    ASSERT_EQ(Run(WritePackage(sim::FlashPackageText(image))), FlashOutcome::Completed);
    EXPECT_TRUE(unit.ReceivedBytes().starts_with("=\r512D2000"));
    EXPECT_EQ(op.progress[1], 10);
}

TEST_F(FlashUpdateTest, SecondModeSwitchAttemptSendsVItself) {
    {
        auto lock = unit.Lock();
        flash->SetSwitchAccepts(sim::FlashMode::SwitchAccepts::Plain);
    }
    const auto path = WritePackage(sim::FlashPackageText(test::TestImage(100)));
    const auto start = clock.Now();
    ASSERT_EQ(Run(path), FlashOutcome::Completed) << LastDetail();
    EXPECT_GE(clock.Now() - start, std::chrono::milliseconds(3300));
    EXPECT_TRUE(unit.ReceivedBytes().starts_with("=\rl4\r$EDCBA987\r\r$12345678\r1512"));
}

TEST_F(FlashUpdateTest, UnitThatWillNotSwitchEndsWithTwentyNineOrThirty) {
    unit.AddFault(sim::Fault::Refuse('l', "UC"));
    const auto path = WritePackage(sim::FlashPackageText(test::TestImage(100)));
    EXPECT_EQ(Run(path), FlashOutcome::Aborted);
    EXPECT_EQ(LastDetail(), "Can't force ZEB40 unit to flash update mode (29)");
    ASSERT_EQ(op.messages.size(), 2u);
    EXPECT_EQ(op.messages[1].text, "Can't connect to ZEB40.  Please check cable and port name");

    unit.ClearFaults();
    {
        auto lock = unit.Lock();
        flash->SetSwitchAccepts(sim::FlashMode::SwitchAccepts::Never);
    }
    EXPECT_EQ(Run(path), FlashOutcome::Aborted);
    EXPECT_EQ(LastDetail(), "Can't force ZEB40 unit to flash update mode (30)");
    EXPECT_EQ(op.messages.size(), 1u);
    EXPECT_TRUE(link.IsOpen());
}

TEST_F(FlashUpdateTest, EachWrongReplyOfTheUnitHasItsNumber) {
    const auto image = test::TestImage(150);
    const auto path = WritePackage(sim::FlashPackageText(image));
    struct Case {
        FlashReply reply;
        std::string text;
        int skip;
        std::string detail;
    };
    const Case cases[] = {
        {FlashReply::Logic, "00", 0, "EPLD does not work (31)"},
        {FlashReply::Manufacturer, "02", 0, "Flash manufacturer 0x02 unknown (32)"},
        {FlashReply::Chip, "21", 0, "Flash chip 21 unknown (33)"},
        {FlashReply::Erase, "01", 2, "Flash erase failed (34)"},
        {FlashReply::AddressPointer, "2001", 5, "Can't set address pointer (11)"},
        {FlashReply::ReadBack, "00", 40, "Verify error(41)"},
    };
    for (const Case& c : cases) {
        AddFault(c.reply, c.text, c.skip);
        EXPECT_EQ(Run(path), FlashOutcome::Aborted) << c.detail;
        EXPECT_EQ(LastDetail(), c.detail);
        EXPECT_EQ(op.messages.size(), 1u);
        EXPECT_FALSE(op.progressOpen);
        EXPECT_TRUE(link.IsOpen());
        EXPECT_TRUE(InFlashMode()); // no restart after an abort
    }
    // The manufacturer code "20" passes as well as "01".
    AddFault(FlashReply::Manufacturer, "20");
    EXPECT_EQ(Run(path), FlashOutcome::Completed) << LastDetail();
    EXPECT_EQ(Flash(image.size()), image);
}

TEST_F(FlashUpdateTest, ReadBackDecidesOverTheProgrammingResult) {
    const auto image = test::TestImage(150);
    const auto path = WritePackage(sim::FlashPackageText(image));
    AddFault(FlashReply::ProgramResult, "01");
    EXPECT_EQ(Run(path), FlashOutcome::Completed) << LastDetail();

    AddFault(FlashReply::ReadBack, FlashFault::Kind::Lowercase, 12); // 9Dh
    EXPECT_EQ(Run(path), FlashOutcome::Aborted);
    EXPECT_EQ(LastDetail(), "Verify error(41)");
}

TEST_F(FlashUpdateTest, RestartFailureClosesThePortWithoutSuccess) {
    AddFault(FlashReply::Restart, "E");
    ASSERT_EQ(Run(WritePackage(sim::FlashPackageText(test::TestImage(100)))),
              FlashOutcome::RestartFailed);
    EXPECT_EQ(LastDetail(), "Firmware restart failed (42)");
    EXPECT_EQ(op.messages.size(), 1u);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(op.progressOpen);
    EXPECT_TRUE(ClearsConnectBox(FlashOutcome::RestartFailed));
}

TEST_F(FlashUpdateTest, LostUnitEndsTheUpdateWithinTheTimeouts) {
    const auto path = WritePackage(sim::FlashPackageText(test::TestImage(150)));
    AddFault(FlashReply::ProgramResult, FlashFault::Kind::Silent);
    AddFault(FlashReply::ReadBack, FlashFault::Kind::Silent);
    auto start = clock.Now();
    EXPECT_EQ(Run(path), FlashOutcome::Aborted);
    EXPECT_EQ(LastDetail(), "Verify error(41)");
    EXPECT_LT(clock.Now() - start, std::chrono::seconds(8));

    AddFault(FlashReply::Erase, FlashFault::Kind::HangUp, 1);
    start = clock.Now();
    EXPECT_EQ(Run(path), FlashOutcome::Aborted);
    EXPECT_EQ(LastDetail(), "Flash erase failed (34)");
    EXPECT_LT(clock.Now() - start, std::chrono::seconds(3));
}

TEST_F(FlashUpdateTest, HangUpAfterProgrammingEndsQuickly) {
    AddFault(FlashReply::ProgramResult, FlashFault::Kind::HangUp);
    const auto start = clock.Now();
    EXPECT_EQ(Run(WritePackage(sim::FlashPackageText(test::TestImage(150)))),
              FlashOutcome::Aborted);
    EXPECT_EQ(LastDetail(), "Can't set address pointer (11)");
    EXPECT_LT(clock.Now() - start, std::chrono::seconds(3));
}

TEST_F(FlashUpdateTest, PreparationFailuresLeaveTheUnitUntouched) {
    EXPECT_EQ(FlashUpdate(link, "", index, op).outcome, FlashOutcome::NoPort);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Please select a port name"});
    EXPECT_EQ(op.messages[0].caption, "ZEB40 Error");

    op = test::ScriptedOperator{};
    EXPECT_EQ(FlashUpdate(link, dir.File("no-such-port"), index, op).outcome, FlashOutcome::NoPort);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Can't open port"});
    EXPECT_TRUE(ClearsConnectBox(FlashOutcome::NoPort));

    op = test::ScriptedOperator{}; // cancels the file dialog
    EXPECT_EQ(FlashUpdate(link, unit.DevicePath(), index, op).outcome, FlashOutcome::Cancelled);
    EXPECT_TRUE(link.IsOpen());

    EXPECT_EQ(Run(dir.File("absent.zcf")), FlashOutcome::Cancelled);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Failed to open file!\n"});
    EXPECT_EQ(op.messages[0].caption, "ZEB40");
    // A pipe would block the open until a writer comes; a device never ends.
    ASSERT_EQ(mkfifo(dir.File("pipe.zcf").c_str(), 0600), 0);
    for (const std::string& path : {dir.File("pipe.zcf"), std::string("/dev/zero"), dir.Path()}) {
        EXPECT_EQ(Run(path), FlashOutcome::Cancelled) << path;
        EXPECT_EQ(op.Texts(), std::vector<std::string>{"Failed to open file!\n"});
    }
    EXPECT_FALSE(ClearsConnectBox(FlashOutcome::Cancelled));
    EXPECT_EQ(unit.ReceivedBytes(), "");
}

// Rewrites the package on the first repaint during programming.
class RewritingOperator : public test::ScriptedOperator {
  public:
    RewritingOperator(std::string path, std::string text)
        : path_(std::move(path)), text_(std::move(text)) {}
    void PumpMessages() override {
        if (pumps++ == 0)
            test::WriteFile(path_, text_);
    }

  private:
    std::string path_;
    std::string text_;
};

TEST_F(FlashUpdateTest, ProgramsAndVerifiesThePackageAsChecked) {
    const std::vector<std::uint8_t> image = test::TestImage(300);
    const std::string path = WritePackage(sim::FlashPackageText(image));
    RewritingOperator rewriting(path, "not a package any more\n");
    rewriting.files.push_back(ChosenFile{path, "fw"});
    EXPECT_EQ(FlashUpdate(link, unit.DevicePath(), index, rewriting).outcome,
              FlashOutcome::Completed);
    EXPECT_EQ(Flash(image.size()), image);
}

TEST_F(FlashUpdateTest, AFileFarLargerThanAnyPackageIsRefusedUntouched) {
    const std::string path = WritePackage(sim::FlashPackageText(test::TestImage(100)));
    std::filesystem::resize_file(path, MaxPackageBytes + 1);
    EXPECT_EQ(Run(path), FlashOutcome::Cancelled);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Failed to open file!\n"});
    EXPECT_EQ(unit.ReceivedBytes(), "");

    std::filesystem::resize_file(path, MaxPackageBytes);
    EXPECT_TRUE(ReadPackageFile(path));
}

TEST(FlashProgressTest, LargeFilesDoNotOverflow) {
    // 32-bit arithmetic would overflow from about 8.6 MB of data on.
    EXPECT_EQ(flash_progress::Position(50, 250, 2'000'000'000, 100, 2'100'000'100), 288);
    EXPECT_EQ(flash_progress::Position(300, 700, 2'100'000'100, 100, 2'100'000'100), 1000);
    EXPECT_EQ(flash_progress::Position(50, 250, 100, 100, 100), 50);
}

} // namespace
} // namespace zeb40
