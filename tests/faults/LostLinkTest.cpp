// A unit unplugged while the link is open: every exchange fails at once
// instead of waiting for its timeout, nothing spins on the dead line, and the
// main window shows the link as lost instead of polling it for ever.

#include "config/window/ConfigDialog.h"
#include "shell/MainWindow.h"
#include "shell/PortField.h"
#include "tests/faults/FaultFixture.h"

#include <QApplication>
#include <QEventLoop>
#include <QSettings>
#include <QTimer>
#include <ctime>

namespace zeb40 {
namespace {

using test::Immediate;

// Runs the event loop (timers included) for the given time.
void ProcessEventsFor(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

double ProcessorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

class LostLinkTest : public test::FaultFixture {
  protected:
    void SetUp() override {
        FaultFixture::SetUp();
        QSettings().clear();
    }

    ConfigState config;
    QSettings settings;
};

TEST_F(LostLinkTest, MonitorPollingAVanishedUnitNeitherWaitsNorSpins) {
    ASSERT_TRUE(OpenLink());
    ConfigDialog dialog(link, config, op, settings);
    QCheckBox* reader = dialog.Controls().Check(control::ReaderTimecode);
    reader->click();
    ASSERT_TRUE(dialog.Monitor().Running());
    ProcessEventsFor(450);
    EXPECT_NE(reader->text(), "Time Code");

    unit.HangUp();
    test::Stopwatch watch = StartStopwatch();
    for (int tick = 0; tick < 50; ++tick)
        dialog.Monitor().Tick();
    EXPECT_LT(watch.Seconds(), Immediate);
    EXPECT_TRUE(link.Lost());

    // A second of the monitor's timer on the dead line costs next to no
    // processor time.
    const double before = ProcessorSeconds();
    ProcessEventsFor(1000);
    EXPECT_LT(ProcessorSeconds() - before, 0.25);
}

TEST_F(LostLinkTest, EmulatedUnitSaysItHungUpBeforeTheProgramSeesTheLineGo) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        sim::Emulator other;
        ASSERT_TRUE(other.Start());
        other.AddFault(sim::Fault::Of(sim::Fault::Kind::HangUp, 'e'));
        ASSERT_TRUE(OpenLinkOn(other));
        ReplyCode code{};
        std::uint32_t value = 0;
        EXPECT_FALSE(link.Query('e', unit_value::Identifier, code, value));
        ASSERT_TRUE(other.HungUp()) << "attempt " << attempt;
        link.CloseIfOpen();
    }
}

TEST_F(LostLinkTest, MainWindowShowsTheLinkLostAtTheNextExchange) {
    MainWindow window(link, config, op, settings);
    window.Port().setEditText(QString::fromStdString(unit.DevicePath()));
    window.ConnectBox().click();
    ASSERT_TRUE(window.ConnectBox().isChecked());

    // Inside the configuration window's modal run: start the monitor, pull
    // the plug, let it poll, close the window.
    QTimer::singleShot(0, [this] {
        auto* dialog = qobject_cast<ConfigDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->Controls().Check(control::ReaderTimecode)->click();
        unit.HangUp();
        QTimer::singleShot(700, dialog, &QDialog::reject);
    });
    // Never stay in the modal run, whatever happens above.
    QTimer::singleShot(5000, [] {
        if (auto* modal = QApplication::activeModalWidget())
            modal->close();
    });
    window.ConfigButton().click();

    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Communication error"});
    EXPECT_FALSE(window.ConnectBox().isChecked());
}

} // namespace
} // namespace zeb40
