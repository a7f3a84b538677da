// The main window as an operator meets it: the keyboard's help keys, Info
// values to copy, and names for assistive tools.

#include "shell/HelpWindow.h"
#include "shell/PortField.h"
#include "tests/shell/MainWindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace zeb40 {
namespace {

class MainWindowOperatorTest : public test::MainWindowFixture {
  protected:
    void ShowActive() {
        window->show();
        QApplication::setActiveWindow(window.get());
        window->Port().setFocus();
        QApplication::processEvents();
    }
};

TEST_F(MainWindowOperatorTest, AltHIsTheHelpButtonAndF1OpensHelpToo) {
    ShowActive();
    EXPECT_EQ(window->HelpButton().shortcut(), QKeySequence(Qt::ALT | Qt::Key_H));
    // Through the window system, as the keyboard's keys come.
    QTest::keyClick(window->windowHandle(), Qt::Key_H, Qt::AltModifier);
    // A mnemonic shows the button pressed for a moment before it clicks.
    QTest::qWait(300);
    ASSERT_NE(window->Help(), nullptr) << "the first press opens help";
    EXPECT_EQ(window->Help()->CurrentPage(), "main-window.html");

    Reopen();
    ShowActive();
    QTest::keyClick(window->windowHandle(), Qt::Key_F1);
    EXPECT_TRUE(window->Help()->isVisible());
    EXPECT_EQ(window->Help()->CurrentPage(), "main-window.html");

    // The Help menu keeps a key of its own.
    QStringList menus;
    for (QAction* menu : window->findChild<QMenuBar*>()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, (QStringList{"&File", "&Edit", "He&lp"}));
}

TEST_F(MainWindowOperatorTest, InfoValuesCanBeSelectedAndAreNamed) {
    ConnectToUnit();
    ASSERT_TRUE(window->ConnectBox().isChecked());
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text() != window->VersionShown() && label->text() != window->ConfigShown())
            continue;
        EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByMouse);
        EXPECT_TRUE(label->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    }
    QStringList names;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->textInteractionFlags() & Qt::TextSelectableByMouse)
            names << QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
    }
    EXPECT_EQ(names, (QStringList{"Version", "Config", "Options"}));
    EXPECT_EQ(window->Port().accessibleName(), "Port");
}

} // namespace
} // namespace zeb40
