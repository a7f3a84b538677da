#include "shell/HelpWindow.h"
#include "shell/PortField.h"
#include "tests/shell/MainWindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace zeb40 {
namespace {

using Command = MainWindow::Command;

std::vector<char> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MainWindowFilesTest : public test::MainWindowFixture {
  protected:
    void Run(Command command) { window->MenuAction(command).trigger(); }
    // Saves the configuration under a name and marks it changed afterwards.
    void SaveModified(const std::string& path) {
        op.files.push_back(ChosenFile{path, "unit"});
        Run(Command::SaveAs);
        config.table[20] = 9;
        config.modified = true;
    }

    test::TempDir folder;
};

TEST_F(MainWindowFilesTest, SaveAsWritesTheTableAndOpenReadsItBack) {
    const std::string path = folder.File("unit.zeb");
    config.table[20] = 7;
    op.files.push_back(ChosenFile{path, "unit"});
    Run(Command::SaveAs);
    EXPECT_EQ(window->windowTitle(), "unit - VELOR ZEB40");
    ASSERT_EQ(std::filesystem::file_size(path), 125u);
    ASSERT_EQ(op.fileChoices.size(), 1u);
    EXPECT_TRUE(op.fileChoices[0].save);
    EXPECT_TRUE(op.fileChoices[0].askBeforeOverwrite);
    EXPECT_EQ(op.fileChoices[0].defaultExtension, "zeb");

    Run(Command::New);
    EXPECT_EQ(window->windowTitle(), "VELOR ZEB40");
    EXPECT_EQ(config.table, DefaultConfigItemTable());

    op.files.push_back(ChosenFile{path, "unit"});
    Run(Command::Open);
    EXPECT_EQ(window->windowTitle(), "unit - VELOR ZEB40");
    EXPECT_EQ(config.table[20], 7);
    EXPECT_FALSE(op.fileChoices[1].save);
    EXPECT_TRUE(op.messages.empty());

    // Save on a named configuration writes at once, without a dialog.
    config.table[20] = 8;
    Run(Command::Save);
    EXPECT_EQ(op.fileChoices.size(), 2u);
    EXPECT_EQ(FileBytes(path)[25 + 20], 8);
}

TEST_F(MainWindowFilesTest, FailedWriteReportsAndKeepsTheTitle) {
    op.files.push_back(ChosenFile{folder.File("missing/unit.zeb"), "unit"});
    Run(Command::SaveAs);
    ASSERT_EQ(op.Texts(), (std::vector<std::string>{"Failed to open file!\n"}));
    EXPECT_EQ(op.messages[0].caption, "ZEB40");
    EXPECT_EQ(window->windowTitle(), "VELOR ZEB40");
    EXPECT_TRUE(window->Document().path.empty());
}

TEST_F(MainWindowFilesTest, FileDialogsStartBesideTheFileInUse) {
    const std::string path = folder.File("unit.zeb");
    SaveModified(path);
    EXPECT_EQ(op.fileChoices[0].currentFile, "");
    Run(Command::SaveAs);
    EXPECT_EQ(op.fileChoices[1].currentFile, path);
    // Answering No gives the file up before the dialog opens; it still
    // starts beside it.
    op.answers.push_back(Answer::No);
    Run(Command::Open);
    EXPECT_EQ(op.fileChoices[2].currentFile, path);
    EXPECT_TRUE(window->Document().path.empty());
}

TEST_F(MainWindowFilesTest, ExitAsksAboutChangesToANamedFile) {
    const std::string path = folder.File("unit.zeb");
    window->show();

    SaveModified(path);
    op.answers.push_back(Answer::Cancel);
    Run(Command::Exit);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(op.messages.size(), 1u);
    EXPECT_EQ(op.messages[0].text, "Save changes in " + path + "?");
    EXPECT_EQ(op.messages[0].caption, "ZEB40 Error");
    EXPECT_TRUE(op.messages[0].question);

    op.answers.push_back(Answer::No);
    Run(Command::Exit);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_NE(FileBytes(path)[25 + 20], 9);

    Reopen();
    window->show();
    SaveModified(path);
    op.answers.push_back(Answer::Yes);
    Run(Command::Exit);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(FileBytes(path)[25 + 20], 9);
}

TEST_F(MainWindowFilesTest, CloseBoxAndEscapeAskTheExitQuestion) {
    const std::string path = folder.File("unit.zeb");
    SaveModified(path);
    window->show();
    op.answers.push_back(Answer::Cancel);
    window->close();
    EXPECT_TRUE(window->isVisible()) << "Cancel keeps the program open";
    ASSERT_EQ(op.Texts(), std::vector<std::string>{"Save changes in " + path + "?"});

    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    op.answers.push_back(Answer::Cancel);
    QApplication::sendEvent(window.get(), &escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(op.messages.size(), 2u);

    op.answers.push_back(Answer::Yes);
    QApplication::sendEvent(window.get(), &escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(FileBytes(path)[25 + 20], 9) << "Yes saved the changes";

    // Nothing to save: the window closes without a word.
    Reopen();
    window->show();
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(op.messages.size(), 3u);
}

TEST_F(MainWindowFilesTest, TitleFollowsTheDocumentAfterAFailedOpen) {
    SaveModified(folder.File("unit.zeb"));
    config.modified = false;
    const std::string broken = folder.File("broken.zeb");
    std::ofstream(broken) << "not a configuration";
    op.files.push_back(ChosenFile{broken, "broken"});
    Run(Command::Open);
    EXPECT_EQ(op.Texts(), std::vector<std::string>{"This is not a valid ZEB file!\n"});
    EXPECT_TRUE(window->Document().path.empty());
    EXPECT_EQ(window->windowTitle(), "VELOR ZEB40");
}

TEST_F(MainWindowFilesTest, MenusCarryTheirAccelerators) {
    EXPECT_EQ(window->MenuAction(Command::Open).shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(window->MenuAction(Command::Save).shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(window->MenuAction(Command::Exit).shortcut(), QKeySequence("Ctrl+E"));
    EXPECT_EQ(window->MenuAction(Command::SaveAs).text(), "Save &As...");
    EXPECT_EQ(window->MenuAction(Command::LoadProfile).text(), "&Load Profile...");
}

// Claims every key pressed with Ctrl, as the port field's line edit claims
// Ctrl+E ("end of line") on Linux desktops; the test platform binds it to
// nothing.
class KeyClaimingField : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride &&
            (static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier)) {
            event->accept();
            return true;
        }
        return QLineEdit::event(event);
    }
};

class MainWindowKeysTest : public test::MainWindowFixture {
  protected:
    // The key goes where the keyboard sends it: to the control with the focus.
    void PressWithFocusOn(QWidget& control, Qt::Key key) {
        window->show();
        QApplication::setActiveWindow(window.get());
        control.setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), &control);
        QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier);
    }
};

TEST_F(MainWindowKeysTest, AcceleratorsWorkWhateverControlHasTheFocus) {
    const std::vector<QWidget*> controls{&window->Port(), &window->ConnectBox(),
                                         &window->ConfigButton()};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        QWidget* control = controls[i];
        window->Port().setEditText("COM7");
        PressWithFocusOn(*control, Qt::Key_O);
        ASSERT_EQ(op.fileChoices.size(), 2 * i + 1) << "Ctrl+O, control " << i;
        EXPECT_FALSE(op.fileChoices.back().save);
        PressWithFocusOn(*control, Qt::Key_S);
        ASSERT_EQ(op.fileChoices.size(), 2 * i + 2) << "Ctrl+S, control " << i;
        EXPECT_TRUE(op.fileChoices.back().save);
        PressWithFocusOn(*control, Qt::Key_E);
        EXPECT_FALSE(window->isVisible()) << "Ctrl+E, control " << i;
        EXPECT_EQ(window->result(), QDialog::Accepted);
        EXPECT_EQ(window->Port().currentText(), "COM7");
    }
}

TEST_F(MainWindowKeysTest, AcceleratorsComeBeforeAControlThatClaimsTheKey) {
    auto* field = new KeyClaimingField(window.get());
    PressWithFocusOn(*field, Qt::Key_O);
    EXPECT_EQ(op.fileChoices.size(), 1u);
    PressWithFocusOn(*field, Qt::Key_E);
    EXPECT_FALSE(window->isVisible());

    // Other windows keep their keys.
    Reopen();
    KeyClaimingField elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    elsewhere.setFocus();
    QApplication::processEvents();
    QTest::keyClick(&elsewhere, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(op.fileChoices.size(), 1u);
}

class MainWindowPortTest : public test::MainWindowFixture {
  protected:
    void LoseFocus(Qt::FocusReason reason) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(&window->Port(), &out);
    }
    QStringList Entries() const {
        QStringList entries;
        for (int i = 0; i < window->Port().count(); ++i)
            entries << window->Port().itemText(i);
        return entries;
    }
};

TEST_F(MainWindowPortTest, PortNameIsKeptAcrossARestart) {
    EXPECT_EQ(Entries(), (QStringList{"COM1", "COM2", "COM3", "COM4"}));
    EXPECT_TRUE(window->Port().currentText().isEmpty());

    window->Port().setEditText("USB Serial Port (COM101)");
    LoseFocus(Qt::PopupFocusReason);
    EXPECT_FALSE(QSettings().contains("Main/Port"));
    LoseFocus(Qt::TabFocusReason);
    EXPECT_EQ(QSettings().value("Main/Port").toString(), "USB Serial Port (COM101)");

    Reopen();
    EXPECT_EQ(window->Port().currentText(), "USB Serial Port (COM101)");
}

TEST_F(MainWindowPortTest, MovingTheFocusOnStoresTheTypedName) {
    window->show();
    QApplication::setActiveWindow(window.get());
    window->Port().setFocus();
    QApplication::processEvents();
    window->Port().setEditText("COM7");
    window->ConnectBox().setFocus();
    QApplication::processEvents();
    EXPECT_EQ(QSettings().value("Main/Port").toString(), "COM7");

    // Closing the window takes the focus from the field as well.
    window->Port().setFocus();
    QApplication::processEvents();
    window->Port().setEditText("COM8");
    window->close();
    EXPECT_EQ(QSettings().value("Main/Port").toString(), "COM8");
}

TEST_F(MainWindowPortTest, ListIsRebuiltFromThePresentPortsWhenItDropsDown) {
    window->Port().SetPortSource([] {
        return std::vector<FoundPort>{{"ttyUSB0", "USB Serial Port"},
                                      {"ttyS0", "Communications Port"},
                                      {"lp0", "Printer Port"},
                                      {"ttyS4", ""}};
    });
    window->Port().setEditText("usb");
    window->Port().showPopup();
    window->Port().hidePopup();
    EXPECT_EQ(Entries(), (QStringList{"Communications Port (COM1)", "ttyS4 (COM5)",
                                      "USB Serial Port (COM101)"}));
    EXPECT_EQ(window->Port().currentText(), "USB Serial Port (COM101)");

    // A typed name that begins no entry is lost.
    window->Port().setEditText("COM1");
    window->Port().showPopup();
    window->Port().hidePopup();
    EXPECT_EQ(window->Port().currentIndex(), -1);
    EXPECT_TRUE(window->Port().currentText().isEmpty());
}

class MainWindowHelpTest : public test::MainWindowFixture {};

TEST_F(MainWindowHelpTest, HelpOpensTheProgramsOwnPages) {
    window->HelpButton().click();
    ASSERT_NE(window->Help(), nullptr);
    EXPECT_TRUE(window->Help()->isVisible());
    EXPECT_EQ(window->Help()->CurrentPage(), "main-window.html");
    window->MenuAction(Command::HelpTopics).trigger();
    EXPECT_EQ(window->Help()->CurrentPage(), "index.html");
    // The configuration window asks for its page without the extension too.
    window->ShowHelp("config");
    EXPECT_EQ(window->Help()->CurrentPage(), "config.html");
    EXPECT_TRUE(op.messages.empty());

    window->ShowHelp("no-such-page.html");
    ASSERT_EQ(op.Texts(), (std::vector<std::string>{"Failed to launch help."}));
    EXPECT_EQ(op.messages[0].caption, "ZEB40");

    QPointer<HelpWindow> help = window->Help();
    // The help window closes when the main window is destroyed.
    window.reset();
    EXPECT_TRUE(help.isNull());
}

TEST(HelpPages, EveryLinkLeadsToAPageOfTheProgram) {
    HelpWindow help;
    QDir pages(":/help");
    ASSERT_GE(pages.entryList().size(), 10);
    static const QRegularExpression link(R"(href="([^"#:]+))");
    for (const QString& name : pages.entryList()) {
        QFile page(pages.filePath(name));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(page.readAll());
        for (const auto& match : link.globalMatch(html))
            EXPECT_TRUE(pages.exists(match.captured(1)))
                << name.toStdString() << " -> " << match.captured(1).toStdString();
    }
}

TEST_F(MainWindowHelpTest, AboutBoxShowsTheVersion) {
    QString title;
    QTimer::singleShot(0, [&title] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            title = box->windowTitle();
            box->close();
        }
    });
    window->show();
    window->MenuAction(Command::About).trigger();
    EXPECT_EQ(title, "About ZEB40");
}

} // namespace
} // namespace zeb40
