// The main window while a flash update runs: it cannot be closed, so the
// program never goes on without a window, and the update ends as it should.

#include "shell/MainWindow.h"
#include "shell/PortField.h"
#include "sim/FlashPackageWriter.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QSettings>
#include <fstream>
#include <functional>

namespace zeb40 {
namespace {

// Acts while the update dispatches the windows' events, as the operator would.
class ActingOperator : public test::ScriptedOperator {
  public:
    void PumpMessages() override {
        ScriptedOperator::PumpMessages();
        if (onPump)
            onPump();
    }
    std::function<void()> onPump;
};

class MainWindowFlashTest : public test::EmulatorFixture {
  protected:
    void SetUp() override {
        EmulatorFixture::SetUp();
        std::vector<std::uint8_t> image(300, 0x5A);
        sim::StampFirmwareVersion(image, 0x0351);
        std::ofstream(package, std::ios::binary) << sim::FlashPackageText(image);
    }

    test::TempDir folder;
    const std::string package = folder.File("fw.zcf");
    ActingOperator op;
    ConfigState config;
    QSettings settings{QString::fromStdString(folder.File("settings.ini")), QSettings::IniFormat};
};

TEST_F(MainWindowFlashTest, ClosingDuringTheUpdateIsRefusedUntilItEnds) {
    MainWindow window(link, config, op, settings);
    int finished = 0;
    QObject::connect(&window, &QDialog::finished, [&finished] { ++finished; });
    window.show();
    int attempts = 0;
    bool stayedOpen = true;
    op.onPump = [&] {
        if (attempts++ > 1)
            return;
        window.close();
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&window, &escape);
        stayedOpen = stayedOpen && window.isVisible();
    };
    op.files.push_back(ChosenFile{package, "fw"});
    window.Port().setEditText(QString::fromStdString(unit.DevicePath()));
    window.MenuAction(MainWindow::Command::FlashUpdate).trigger();

    ASSERT_GT(attempts, 0);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Flash update successfully completed"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.isEnabled());

    // Once the update has ended the window closes, and the program with it.
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(finished, 1);
}

} // namespace
} // namespace zeb40
