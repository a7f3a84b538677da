#include "shell/HelpWindow.h"
#include "tests/shell/MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace zeb40 {
namespace {

using Command = MainWindow::Command;

// Runs the step in the modal window that the next command opens.
void InNextModalWindow(std::function<void(QDialog&)> step) {
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        step(*dialog);
    });
}

QPushButton* Button(QDialog& dialog, const QString& text) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

class MainWindowEditTest : public test::MainWindowFixture {};

TEST_F(MainWindowEditTest, ConfigButtonAndMenuOpenTheConfigurationWindow) {
    window->show();
    QString title;
    QString helpPage;
    InNextModalWindow([&](QDialog& dialog) {
        title = dialog.windowTitle();
        QPushButton* help = Button(dialog, "&Help");
        ASSERT_NE(help, nullptr);
        help->click();
        if (window->Help())
            helpPage = window->Help()->CurrentPage();
        dialog.reject();
    });
    window->ConfigButton().click();
    EXPECT_EQ(title, "VELOR ZEB40 Config");
    EXPECT_EQ(helpPage, "config.html");

    title.clear();
    InNextModalWindow([&](QDialog& dialog) {
        title = dialog.windowTitle();
        dialog.reject();
    });
    window->MenuAction(Command::Config).trigger();
    EXPECT_EQ(title, "VELOR ZEB40 Config");
    EXPECT_TRUE(op.messages.empty());
}

TEST_F(MainWindowEditTest, LoadedProfileIsReadBackFromTheUnit) {
    ConnectToUnit();
    ASSERT_TRUE(Enabled(Command::LoadProfile));
    unit.ClearReceived();
    InNextModalWindow([](QDialog& dialog) {
        QPushButton* ok = Button(dialog, "OK");
        ASSERT_NE(ok, nullptr);
        ok->click();
    });
    window->MenuAction(Command::LoadProfile).trigger();
    std::vector<std::string> received = ReceivedTexts();
    ASSERT_EQ(received.size(), 1u + 45u);
    EXPECT_EQ(received[0], "B");
    EXPECT_EQ(received[1], "cC");
    EXPECT_TRUE(window->ConnectBox().isChecked());

    // Cancel sends nothing and reads nothing.
    unit.ClearReceived();
    InNextModalWindow([](QDialog& dialog) { dialog.reject(); });
    window->MenuAction(Command::LoadProfile).trigger();
    EXPECT_TRUE(ReceivedTexts().empty());
}

} // namespace
} // namespace zeb40
