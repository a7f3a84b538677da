// Connect in the main window against a unit that vanishes, falls silent,
// garbles its lines or answers late: the one stated message, the Connect box
// unchecked, no wait beyond the protocol's timeouts, and a working reconnect.

#include "config/ItemDescriptions.h"
#include "config/window/ProfileNumberDialog.h"
#include "shell/MainWindow.h"
#include "shell/PortField.h"
#include "tests/faults/FaultFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <thread>

namespace zeb40 {
namespace {

using sim::Fault;
using test::ByteTimeout;
using test::Immediate;

constexpr const char* CantConnect = "Can't connect to ZEB40.  Please check cable and port name";
constexpr const char* CommunicationError = "Communication error";
constexpr const char* ConnectedVersion = "3.46\t\tUnique ID:  0000002A";

class ConnectFaultsTest : public test::FaultFixture {
  protected:
    void SetUp() override {
        FaultFixture::SetUp();
        QSettings().clear();
        window = std::make_unique<MainWindow>(link, config, op, settings);
        // Every item of the unit differs from the default table, so the test
        // sees which items a broken read replaced.
        auto lock = unit.Lock();
        for (std::size_t item = 12; item < 100; ++item)
            unit.State().items[item] = static_cast<std::uint8_t>(item + 100);
    }
    void TearDown() override {
        window.reset();
        FaultFixture::TearDown();
    }

    // Types the port name, clicks Connect and times the click.
    double ConnectTo(const std::string& port) {
        window->Port().setEditText(QString::fromStdString(port));
        test::Stopwatch watch = StartStopwatch();
        window->ConnectBox().click();
        return watch.Seconds();
    }
    double ConnectToUnit() { return ConnectTo(unit.DevicePath()); }

    bool Checked() const { return window->ConnectBox().isChecked(); }
    bool LoadProfileEnabled() const {
        return window->MenuAction(MainWindow::Command::LoadProfile).isEnabled();
    }
    bool FlashUpdateEnabled() const {
        return window->MenuAction(MainWindow::Command::FlashUpdate).isEnabled();
    }
    // A click that connects: no message, the unit's information shown.
    void ExpectReconnectTo(const std::string& port) {
        op.messages.clear();
        ConnectTo(port);
        EXPECT_TRUE(op.messages.empty()) << op.messages.front().text;
        EXPECT_TRUE(Checked());
        EXPECT_TRUE(link.IsOpen());
        EXPECT_EQ(window->VersionShown().toStdString(), ConnectedVersion);
        EXPECT_TRUE(LoadProfileEnabled());
        EXPECT_FALSE(FlashUpdateEnabled());
    }
    void ExpectOnlyMessage(const char* text) {
        ASSERT_EQ(op.messages.size(), 1u) << (op.messages.empty() ? "" : op.messages[1].text);
        EXPECT_EQ(op.messages[0].text, text);
        EXPECT_EQ(op.messages[0].caption, "ZEB40 Error");
        EXPECT_EQ(op.messages[0].icon, MessageIcon::Exclamation);
    }

    ConfigState config;
    QSettings settings;
    std::unique_ptr<MainWindow> window;
};

TEST_F(ConnectFaultsTest, UnitVanishingAtTheProbeIsNoUnitAndAFreshOneConnects) {
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, '\b'));
    EXPECT_LT(ConnectToUnit(), Immediate);
    ExpectOnlyMessage(CantConnect);
    EXPECT_FALSE(Checked());
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(LoadProfileEnabled());
    EXPECT_TRUE(FlashUpdateEnabled());

    // The same device is gone for good; the unit comes back on another.
    op.messages.clear();
    ConnectToUnit();
    ExpectOnlyMessage("Can't open port");
    auto fresh = StartFreshUnit();
    ExpectReconnectTo(fresh->DevicePath());
}

TEST_F(ConnectFaultsTest, SilentUnitAtTheProbeCostsOneTimeout) {
    unit.AddFault(Fault::Of(Fault::Kind::Silent, '\b', 1));
    const double seconds = ConnectToUnit();
    EXPECT_GT(seconds, 0.9 * ByteTimeout);
    EXPECT_LT(seconds, 2 * ByteTimeout);
    ExpectOnlyMessage(CantConnect);
    EXPECT_FALSE(Checked());
    EXPECT_FALSE(link.IsOpen());

    ExpectReconnectTo(unit.DevicePath());
}

TEST_F(ConnectFaultsTest, UnitVanishingAfterTheIdentifierIsACommunicationError) {
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'e').OnValue(0x97));
    EXPECT_LT(ConnectToUnit(), Immediate);
    ExpectOnlyMessage(CommunicationError);
    EXPECT_FALSE(Checked());
    // The unit answered the probe: the link stays open and the menus as they were.
    EXPECT_TRUE(link.IsOpen());
    EXPECT_TRUE(link.Lost());
    EXPECT_FALSE(LoadProfileEnabled());
    EXPECT_EQ(window->VersionShown(), "");
    EXPECT_EQ(config.table, DefaultConfigItemTable());

    auto fresh = StartFreshUnit();
    ExpectReconnectTo(fresh->DevicePath());
}

TEST_F(ConnectFaultsTest, SilenceInTheConfigurationReadKeepsWhatWasRead) {
    // Item 44 is the 23rd of the read order.
    unit.AddFault(Fault::Of(Fault::Kind::Silent, 'c', 1).OnValue(44));
    const double seconds = ConnectToUnit();
    EXPECT_LT(seconds, 2 * ByteTimeout);
    ExpectOnlyMessage(CommunicationError);
    EXPECT_FALSE(Checked());
    EXPECT_TRUE(link.IsOpen());
    EXPECT_EQ(window->VersionShown().toStdString(), ConnectedVersion);
    EXPECT_TRUE(LoadProfileEnabled());

    bool before44 = true;
    for (int item : ReadOrder()) {
        if (item == 44)
            before44 = false;
        const auto index = static_cast<std::size_t>(item);
        EXPECT_EQ(config.table[index], before44 ? item + 100 : DefaultConfigItemTable()[index])
            << "item " << item;
    }

    ExpectReconnectTo(unit.DevicePath());
    for (int item : ReadOrder())
        EXPECT_EQ(config.table[static_cast<std::size_t>(item)], item + 100) << "item " << item;
}

TEST_F(ConnectFaultsTest, UnitVanishingInTheConfigurationReadFailsAtOnce) {
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'c').After(10));
    EXPECT_LT(ConnectToUnit(), Immediate);
    ExpectOnlyMessage(CommunicationError);
    EXPECT_FALSE(Checked());
    EXPECT_EQ(config.table[12], 112);
    EXPECT_EQ(config.table[96], DefaultConfigItemTable()[96]);

    auto fresh = StartFreshUnit();
    ExpectReconnectTo(fresh->DevicePath());
    EXPECT_EQ(config.table[96], 0); // the fresh unit's memory
}

TEST_F(ConnectFaultsTest, GarbledLinesFailAtOnceAndAReconnectStartsClean) {
    struct Case {
        const char* what;
        Fault fault;
        const char* message;
    };
    const Case cases[] = {
        {"probe lines ending in LF only", Fault::Of(Fault::Kind::LfOnly, '\b', 1), CantConnect},
        {"identifier echoed with another letter",
         Fault::Of(Fault::Kind::WrongEchoLetter, 'e', 1).OnValue(0x98), CantConnect},
        {"identifier echoed with another value",
         Fault::Of(Fault::Kind::WrongEchoValue, 'e', 1).OnValue(0x98), CantConnect},
        {"identifier answered with text", Fault::Reply('e', "ZZ", 1).OnValue(0x98), CantConnect},
        {"version reply longer than a line", Fault::Of(Fault::Kind::LongLine, 'e', 1).OnValue(0x99),
         CommunicationError},
        {"item echoed with another value", Fault::Of(Fault::Kind::WrongEchoValue, 'c', 1),
         CommunicationError},
        {"item refused", Fault::Refuse('c', "OV", 1).OnValue(44), CommunicationError},
        {"item reply longer than a line", Fault::Of(Fault::Kind::LongLine, 'c', 1).OnValue(30),
         CommunicationError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->ConnectBox().setChecked(false);
        window->Disconnect();
        op.messages.clear();
        unit.AddFault(c.fault);
        // The lines left behind by the garbled exchange are still in transit.
        EXPECT_LT(ConnectToUnit(), Immediate);
        ExpectOnlyMessage(c.message);
        EXPECT_FALSE(Checked());
        test::WaitForTheLineToSettle();
        ExpectReconnectTo(unit.DevicePath());
    }
}

TEST_F(ConnectFaultsTest, LateAnswerInsideTheTimeoutConnects) {
    unit.AddFault(Fault::Late('\b', 600, 1));
    unit.AddFault(Fault::Late('c', 600, 1).OnValue(44));
    EXPECT_LT(ConnectToUnit(), 2 * ByteTimeout);
    EXPECT_TRUE(op.messages.empty());
    EXPECT_TRUE(Checked());
    EXPECT_EQ(config.table[44], 144);
}

TEST_F(ConnectFaultsTest, LateAnswerBeyondTheTimeoutIsNoUnitAndIsNotReadLater) {
    unit.AddFault(Fault::Late('e', 1500, 1).OnValue(0x98));
    const double seconds = ConnectToUnit();
    EXPECT_GT(seconds, 0.9 * ByteTimeout);
    EXPECT_LT(seconds, 2 * ByteTimeout);
    ExpectOnlyMessage(CantConnect);
    EXPECT_FALSE(link.IsOpen());

    // The late lines arrive while the port is closed; opening it again
    // discards them instead of taking them for the next answers.
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    ExpectReconnectTo(unit.DevicePath());
}

TEST_F(ConnectFaultsTest, UnitVanishingAtLoadProfileIsReportedAndShownDisconnected) {
    ConnectToUnit();
    ASSERT_TRUE(Checked());
    unit.AddFault(Fault::Of(Fault::Kind::HangUp, 'B'));
    // Profile 12 in the modal number dialog; whatever happens, the modal run ends.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<ProfileNumberDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->Field()->setText("12");
        dialog->accept();
    });
    QTimer::singleShot(5000, [] {
        if (auto* modal = QApplication::activeModalWidget())
            modal->close();
    });
    test::Stopwatch watch = StartStopwatch();
    window->MenuAction(MainWindow::Command::LoadProfile).trigger();
    EXPECT_LT(watch.Seconds(), Immediate);

    // The load fails, the settings are read back all the same, and that fails too.
    EXPECT_EQ(op.Texts(), (std::vector<std::string>{"Can't load profile", CommunicationError}));
    EXPECT_FALSE(Checked());

    auto fresh = StartFreshUnit();
    ExpectReconnectTo(fresh->DevicePath());
}

} // namespace
} // namespace zeb40
