// The configuration window as an operator meets it: names for assistive
// tools, the keyboard, the user bits field, and a window that fits the screen.

#include "ConfigWindowFixture.h"

#include <QAccessible>
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QToolButton>

namespace zeb40::test {
namespace {

class ConfigDialogOperatorTest : public ConfigWindowFixture {
  protected:
    void ShowActive() {
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QApplication::processEvents();
    }
};

QString AccessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

TEST_F(ConfigDialogOperatorTest, EveryControlHasAnAccessibleName) {
    Open();
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        if (!qobject_cast<QComboBox*>(control) && !qobject_cast<QLineEdit*>(control) &&
            !qobject_cast<QAbstractButton*>(control))
            continue;
        if (control->parentWidget() && qobject_cast<QComboBox*>(control->parentWidget()))
            continue; // the combo's own line edit, if any
        EXPECT_FALSE(AccessibleName(control).isEmpty()) << control->objectName().toStdString();
    }
    // On Linux a combo box's accessible name is its entry; its label comes
    // as the label relation.
    EXPECT_EQ(Combo(1009)->accessibleName(), "Frame Rate");
    bool labelled = false;
    for (QLabel* label : dialog->findChildren<QLabel*>())
        labelled = labelled || (label->buddy() == Combo(1009) && label->text() == "Frame Rate");
    EXPECT_TRUE(labelled);
    EXPECT_EQ(AccessibleName(Edit(1015)), "VITC Line 1");
    EXPECT_EQ(AccessibleName(Edit(1064)), "Time hours");
    EXPECT_EQ(AccessibleName(Edit(1053)), "Offset frames");
    EXPECT_EQ(AccessibleName(Edit(control::UserBits)), "User");

    // The caption runs with the timecode; the name does not.
    Check(control::ReaderTimecode)->setText("10:20:30:04  0000ABCD");
    EXPECT_EQ(AccessibleName(Check(control::ReaderTimecode)), "Read Timecode");
    EXPECT_EQ(AccessibleName(Check(control::GeneratorTimecode)), "Generate Timecode");
}

TEST_F(ConfigDialogOperatorTest, TimesShowTwoDigitsEach) {
    config.table[27] = 0x10;
    config.table[26] = 0x00;
    config.table[25] = 0x05;
    config.table[24] = 0x00;
    config.table[90] = 5;
    Open();
    EXPECT_EQ(Edit(1064)->text(), "10");
    EXPECT_EQ(Edit(1066)->text(), "00");
    EXPECT_EQ(Edit(1067)->text(), "05");
    EXPECT_EQ(Edit(1050)->text(), "00");
    EXPECT_EQ(Edit(1075)->text(), "5") << "other numbers as they are";
}

TEST_F(ConfigDialogOperatorTest, UserBitsTakeEightHexadecimalDigitsOnly) {
    Open();
    ShowActive();
    QLineEdit* user = Edit(control::UserBits);
    user->setFocus();
    QTest::keyClicks(user, "12xg+Ab 3456789");
    EXPECT_EQ(user->text(), "12Ab3456");
    Button(control::SetGenerator)->click();
    const auto sent = Sent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.front(), "D12AB3456");
}

TEST_F(ConfigDialogOperatorTest, EnterWithAnInvalidValueStopsAtTheError) {
    Open();
    ShowActive();
    Edit(1040)->setFocus();
    Edit(1040)->setText("200");
    QTest::keyClick(Edit(1040), Qt::Key_Return);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"Please enter an integer between 0 and 135."});
    EXPECT_TRUE(Sent().empty()) << "no Apply after the error";
    EXPECT_EQ(QApplication::focusWidget(), Edit(1040));

    Edit(1040)->setText("20");
    QTest::keyClick(Edit(1040), Qt::Key_Return);
    const auto sent = Sent();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back(), "S") << "a valid value goes on to Apply";
    EXPECT_EQ(UnitItem(63), 20);
}

TEST_F(ConfigDialogOperatorTest, F1AsksForTheHelpOfThisWindow) {
    Open();
    ShowActive();
    QString page;
    QObject::connect(dialog.get(), &ConfigDialog::helpRequested,
                     [&page](const QString& requested) { page = requested; });
    QTest::keyClick(Combo(1009), Qt::Key_F1);
    EXPECT_EQ(page, "config.html");
}

TEST_F(ConfigDialogOperatorTest, WindowFitsTheScreenWithItsButtonsInView) {
    Open();
    ShowActive();
    const QRect screen = dialog->screen()->availableGeometry();
    EXPECT_LE(dialog->frameGeometry().width(), screen.width());
    EXPECT_LE(dialog->frameGeometry().height(), screen.height());
    for (int id : {control::Apply, control::Close, control::Help}) {
        QPushButton* button = Button(id);
        const QRect place(button->mapTo(dialog.get(), QPoint(0, 0)), button->size());
        EXPECT_TRUE(dialog->rect().contains(place)) << id;
    }
}

} // namespace
} // namespace zeb40::test
