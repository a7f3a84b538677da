// The flash update against a unit that vanishes or falls silent in each phase:
// mode switch, tests, erase, programming, read-back and restart. Each ends
// with its numbered error (or, where the read-back decides, with success),
// the progress window closed, no wait beyond the 2000 ms byte timeout per
// silent reply, and a second run (on the same unit, or on a fresh one after a
// hang-up) completes.

#include "flash/FlashUpdate.h"
#include "shell/MainWindow.h"
#include "shell/PortField.h"
#include "sim/FlashMode.h"
#include "sim/FlashPackageWriter.h"
#include "tests/faults/FaultFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QSettings>
#include <atomic>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zeb40 {
namespace {

using sim::Fault;
using sim::FlashFault;
using sim::FlashReply;
using test::FlashByteTimeout;

constexpr const char* FlashErrorText = "Error while updating Flash ROM.  Please try again.\n";
constexpr const char* Success = "Flash update successfully completed";

// Lets a test pull the plug while the update works through the package.
class PluggedOperator : public test::ScriptedOperator {
  public:
    void PumpMessages() override {
        ScriptedOperator::PumpMessages();
        if (onPump)
            onPump(pumps);
    }
    std::function<void(int)> onPump;
};

struct PhaseFault {
    const char* name;
    std::optional<Fault> lineFault;       // in the normal protocol
    std::optional<FlashFault> flashFault; // in flash update mode
    int timeouts;                         // silent replies waited for
    FlashOutcome outcome;
    const char* detail; // "" when no numbered error is shown
};

// Whether the fault takes the line down (the unit then comes back on another).
bool HangsUp(const PhaseFault& fault) {
    return (fault.lineFault && fault.lineFault->kind == Fault::Kind::HangUp) ||
           (fault.flashFault && fault.flashFault->kind == FlashFault::Kind::HangUp);
}

void PrintTo(const PhaseFault& fault, std::ostream* out) {
    *out << fault.name;
}

FlashFault Strike(FlashReply reply, FlashFault::Kind kind, int skip = 0) {
    return FlashFault{reply, kind, "", skip, 1};
}

std::vector<std::uint8_t> FirmwareImage() {
    std::vector<std::uint8_t> image(300);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    sim::StampFirmwareVersion(image, 0x0351);
    return image;
}

class FlashFaultsFixture : public test::FaultFixture {
  protected:
    explicit FlashFaultsFixture(test::Line kind = test::Line::PseudoTerminal)
        : FaultFixture(kind) {}
    void SetUp() override {
        FaultFixture::SetUp();
        std::ofstream(package, std::ios::binary) << sim::FlashPackageText(image);
    }

    static sim::FlashMode& FlashModeOf(sim::Emulator& someUnit) {
        return *someUnit.Find<sim::FlashMode>();
    }
    FlashOutcome Run(sim::Emulator& target, double& seconds) {
        op = PluggedOperator{};
        op.files.push_back(ChosenFile{package, "fw"});
        test::Stopwatch watch = StartStopwatch();
        const FlashOutcome outcome = FlashUpdate(link, target.DevicePath(), index, op).outcome;
        seconds = watch.Seconds();
        return outcome;
    }
    std::string Detail() const {
        for (const auto& message : op.messages) {
            if (message.text.starts_with(FlashErrorText))
                return message.text.substr(std::string_view(FlashErrorText).size());
        }
        return "";
    }
    void ExpectRunCompletes(sim::Emulator& target) {
        double seconds = 0;
        EXPECT_EQ(Run(target, seconds), FlashOutcome::Completed) << Detail();
        EXPECT_EQ(op.Texts(), std::vector<std::string>{Success});
        auto lock = target.Lock();
        EXPECT_EQ(FlashModeOf(target).Flash(image.size()), image);
        EXPECT_EQ(target.State().firmwareVersion, 0x0351);
    }

    void ExpectPhaseFault(const PhaseFault& fault);

    test::TempDir dir;
    const std::string package = dir.File("fw.zcf");
    const std::vector<std::uint8_t> image = FirmwareImage();
    PluggedOperator op;
    PackageIndex index;
};

void FlashFaultsFixture::ExpectPhaseFault(const PhaseFault& fault) {
    if (fault.lineFault)
        unit.AddFault(*fault.lineFault);
    if (fault.flashFault) {
        auto lock = unit.Lock();
        FlashModeOf(unit).AddFault(*fault.flashFault);
    }

    double seconds = 0;
    EXPECT_EQ(Run(unit, seconds), fault.outcome);
    EXPECT_LT(seconds, 2 * FlashByteTimeout * std::max(fault.timeouts, 1));
    EXPECT_FALSE(op.progressOpen);
    EXPECT_EQ(Detail(), fault.detail);
    if (fault.outcome == FlashOutcome::Aborted) {
        // An abort keeps the port open and shows no success.
        EXPECT_TRUE(link.IsOpen());
        const auto texts = op.Texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), Success), 0);
    } else {
        EXPECT_FALSE(link.IsOpen());
    }

    if (HangsUp(fault)) {
        EXPECT_TRUE(link.Lost());
        auto fresh = StartFreshUnit();
        ExpectRunCompletes(*fresh);
    } else {
        ExpectRunCompletes(unit);
    }
}

// Every phase on the fake line, where the timeouts pass as fake time.
class FlashPhaseFaultsTest : public FlashFaultsFixture,
                             public ::testing::WithParamInterface<PhaseFault> {
  protected:
    FlashPhaseFaultsTest() : FlashFaultsFixture(test::Line::Fake) {}
};

TEST_P(FlashPhaseFaultsTest, EndsWithItsErrorInTimeAndASecondRunCompletes) {
    ExpectPhaseFault(GetParam());
}

// A silence and a hang-up on a real pseudo-terminal.
class FlashPhaseFaultsOnAPseudoTerminalTest : public FlashFaultsFixture,
                                              public ::testing::WithParamInterface<PhaseFault> {};

TEST_P(FlashPhaseFaultsOnAPseudoTerminalTest, EndsWithItsErrorInTimeAndASecondRunCompletes) {
    ExpectPhaseFault(GetParam());
}

const PhaseFault PhaseFaults[] = {
    {"ModeSwitchHangUp", Fault::Of(Fault::Kind::HangUp, 'l'), std::nullopt, 0,
     FlashOutcome::Aborted, "Can't force ZEB40 unit to flash update mode (29)"},
    {"ModeSwitchSilence", Fault::Of(Fault::Kind::Silent, 'l', 1), std::nullopt, 2,
     FlashOutcome::Aborted, "Can't force ZEB40 unit to flash update mode (29)"},
    {"ManufacturerHangUp", std::nullopt, Strike(FlashReply::Manufacturer, FlashFault::Kind::HangUp),
     0, FlashOutcome::Aborted, "Flash manufacturer 0x unknown (32)"},
    {"ChipSilence", std::nullopt, Strike(FlashReply::Chip, FlashFault::Kind::Silent), 1,
     FlashOutcome::Aborted, "Flash chip  unknown (33)"},
    {"EraseHangUp", std::nullopt, Strike(FlashReply::Erase, FlashFault::Kind::HangUp, 2), 0,
     FlashOutcome::Aborted, "Flash erase failed (34)"},
    {"EraseSilence", std::nullopt, Strike(FlashReply::Erase, FlashFault::Kind::Silent, 2), 1,
     FlashOutcome::Aborted, "Flash erase failed (34)"},
    {"AddressPointerSilence", std::nullopt,
     Strike(FlashReply::AddressPointer, FlashFault::Kind::Silent, 5), 1, FlashOutcome::Aborted,
     "Can't set address pointer (11)"},
    {"ProgrammingResultHangUp", std::nullopt,
     Strike(FlashReply::ProgramResult, FlashFault::Kind::HangUp), 0, FlashOutcome::Aborted,
     "Can't set address pointer (11)"},
    // The read-back decides: every byte arrived, so the update succeeds.
    {"ProgrammingResultSilence", std::nullopt,
     Strike(FlashReply::ProgramResult, FlashFault::Kind::Silent), 1, FlashOutcome::Completed, ""},
    {"ReadBackHangUp", std::nullopt, Strike(FlashReply::ReadBack, FlashFault::Kind::HangUp, 50), 0,
     FlashOutcome::Aborted, "Verify error(41)"},
    {"ReadBackSilence", std::nullopt, Strike(FlashReply::ReadBack, FlashFault::Kind::Silent, 50), 1,
     FlashOutcome::Aborted, "Verify error(41)"},
    {"RestartHangUp", std::nullopt, Strike(FlashReply::Restart, FlashFault::Kind::HangUp), 0,
     FlashOutcome::RestartFailed, "Firmware restart failed (42)"},
    {"RestartSilence", std::nullopt, Strike(FlashReply::Restart, FlashFault::Kind::Silent), 1,
     FlashOutcome::RestartFailed, "Firmware restart failed (42)"},
};

std::string CaseName(const ::testing::TestParamInfo<PhaseFault>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Phases, FlashPhaseFaultsTest, ::testing::ValuesIn(PhaseFaults), CaseName);
INSTANTIATE_TEST_SUITE_P(Phases, FlashPhaseFaultsOnAPseudoTerminalTest,
                         ::testing::Values(PhaseFaults[3], PhaseFaults[4]), CaseName);

using FlashFaultsTest = FlashFaultsFixture;

TEST_F(FlashFaultsTest, UnitVanishingWhileProgrammingStopsSendingAndAborts) {
    // The first pumps come from programming: pull the plug after the first line.
    op.onPump = [this](int pumps) {
        if (pumps == 1)
            unit.HangUp();
    };
    op.files.push_back(ChosenFile{package, "fw"});
    test::Stopwatch watch = StartStopwatch();
    EXPECT_EQ(FlashUpdate(link, unit.DevicePath(), index, op).outcome, FlashOutcome::Aborted);
    EXPECT_LT(watch.Seconds(), FlashByteTimeout);
    EXPECT_EQ(Detail(), "Can't set address pointer (11)");
    EXPECT_FALSE(op.progressOpen);
    EXPECT_TRUE(link.Lost());

    auto fresh = StartFreshUnit();
    ExpectRunCompletes(*fresh);
}

TEST_F(FlashFaultsTest, MainWindowIsUsableAgainAfterTheUnitVanishedDuringTheErase) {
    QSettings settings;
    ConfigState config;
    MainWindow window(link, config, op, settings);
    {
        auto lock = unit.Lock();
        FlashModeOf(unit).AddFault(Strike(FlashReply::Erase, FlashFault::Kind::HangUp, 1));
    }
    op.files.push_back(ChosenFile{package, "fw"});
    window.Port().setEditText(QString::fromStdString(unit.DevicePath()));
    window.MenuAction(MainWindow::Command::FlashUpdate).trigger();

    EXPECT_EQ(Detail(), "Flash erase failed (34)");
    EXPECT_TRUE(window.isEnabled());
    EXPECT_FALSE(window.ConnectBox().isChecked());
    EXPECT_FALSE(op.progressOpen);

    // Plugged in again, the unit connects.
    auto fresh = StartFreshUnit();
    op.messages.clear();
    window.Port().setEditText(QString::fromStdString(fresh->DevicePath()));
    window.ConnectBox().click();
    EXPECT_TRUE(op.messages.empty());
    EXPECT_TRUE(window.ConnectBox().isChecked());
}

// An image that would leave the unit erased, or one the flash cannot hold, is
// refused from the window's Flash Update before a byte reaches the unit.
TEST_F(FlashFaultsTest, MainWindowRefusesImagesTheFlashCannotHoldUntouched) {
    QSettings settings;
    ConfigState config;
    MainWindow window(link, config, op, settings);
    window.Port().setEditText(QString::fromStdString(unit.DevicePath()));
    const std::pair<std::vector<std::uint8_t>, const char*> cases[] = {
        {{}, "The .rom file holds no data (27)"},
        {std::vector<std::uint8_t>(40961, 0x44),
         "The .rom file holds 40961 bytes; the flash holds 40960 (24)"},
    };
    for (const auto& [bytes, detail] : cases) {
        std::ofstream(package, std::ios::binary | std::ios::trunc) << sim::FlashPackageText(bytes);
        op.messages.clear();
        op.files.push_back(ChosenFile{package, "fw"});
        window.MenuAction(MainWindow::Command::FlashUpdate).trigger();
        EXPECT_EQ(Detail(), detail);
        EXPECT_TRUE(window.isEnabled());
        EXPECT_FALSE(op.progressOpen);
    }
    EXPECT_EQ(unit.ReceivedBytes(), "");
    auto lock = unit.Lock();
    EXPECT_FALSE(FlashModeOf(unit).InFlashMode());
}

// With 4 requests ahead, a unit that vanishes or falls silent in the middle of
// the read-back ends it as the stop-and-wait read-back does.
class FlashReadAheadFaultsTest : public FlashFaultsFixture {
  protected:
    FlashReadAheadFaultsTest() : FlashFaultsFixture(test::Line::Fake) {}
};

TEST_F(FlashReadAheadFaultsTest, ReadBackFaultsEndWithAVerifyErrorInTime) {
    for (FlashFault::Kind kind : {FlashFault::Kind::Silent, FlashFault::Kind::HangUp}) {
        {
            auto lock = unit.Lock();
            FlashModeOf(unit).AddFault(Strike(FlashReply::ReadBack, kind, 50));
        }
        op = PluggedOperator{};
        test::Stopwatch watch = StartStopwatch();
        EXPECT_EQ(FlashUpdateFromFile(link, unit.DevicePath(), package, index, op, {4}).outcome,
                  FlashOutcome::Aborted);
        EXPECT_LT(watch.Seconds(), 2 * FlashByteTimeout);
        EXPECT_EQ(Detail(), "Verify error(41)");
        EXPECT_FALSE(op.progressOpen);
    }
    auto fresh = StartFreshUnit();
    op = PluggedOperator{};
    EXPECT_EQ(FlashUpdateFromFile(link, fresh->DevicePath(), package, index, op, {4}).outcome,
              FlashOutcome::Completed)
        << Detail();
    auto lock = fresh->Lock();
    EXPECT_EQ(FlashModeOf(*fresh).Flash(image.size()), image);
}

// A pipe (or a device) chosen in the file dialog would block the open until
// some writer comes along, or never end.
TEST_F(FlashFaultsTest, PackageThatIsAPipeIsRefusedInsteadOfWaitedFor) {
    const std::string pipe = dir.File("pipe.zcf");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // Lets any open that waits for a writer go on after two seconds, so the
    // test ends either way.
    std::atomic<bool> done{false};
    std::thread writer([&] {
        const auto start = std::chrono::steady_clock::now();
        while (!done && std::chrono::steady_clock::now() - start < std::chrono::seconds(2))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        while (!done) {
            const int fd = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    op.files.push_back(ChosenFile{pipe, "pipe"});
    test::Stopwatch watch = StartStopwatch();
    const FlashOutcome outcome = FlashUpdate(link, unit.DevicePath(), index, op).outcome;
    const double seconds = watch.Seconds();
    done = true;
    writer.join();

    EXPECT_LT(seconds, test::Immediate);
    EXPECT_EQ(outcome, FlashOutcome::Cancelled);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Failed to open file!\n"});
    EXPECT_EQ(unit.ReceivedBytes(), "");
}

} // namespace
} // namespace zeb40
