#include "shell/QtOperator.h"

#include "resources/Strings.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

namespace zeb40 {
namespace {

struct SeenBox {
    QString text;
    QString caption;
    QString detail;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    Qt::CursorShape cursor = Qt::BitmapCursor;
};

// Looks at the next message box and presses one of its buttons.
void AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.text = box->text();
        seen.caption = box->windowTitle();
        seen.detail = box->informativeText();
        seen.icon = box->icon();
        seen.defaultButton = box->standardButton(box->defaultButton());
        if (const QCursor* cursor = QApplication::overrideCursor())
            seen.cursor = cursor->shape();
        box->button(press)->click();
    });
}

TEST(QtOperator, MessagesAndQuestionsAreMessageBoxes) {
    QWidget owner;
    QtOperator op(&owner);
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    op.ShowMessage("Can't open port", "ZEB40 Error", MessageIcon::Exclamation);
    EXPECT_EQ(seen.text, "Can't open port");
    EXPECT_EQ(seen.caption, "ZEB40 Error");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_TRUE(seen.detail.isEmpty());

    AnswerNextBox(seen, QMessageBox::Ok);
    op.ShowMessageWithDetail("Can't open port", "ZEB40 Error", MessageIcon::Exclamation,
                             "/dev/ttyS0: Permission denied.");
    EXPECT_EQ(seen.text, "Can't open port");
    EXPECT_EQ(seen.detail, "/dev/ttyS0: Permission denied.");

    AnswerNextBox(seen, QMessageBox::No);
    EXPECT_EQ(op.Ask("Save changes in /a.zeb?", "ZEB40 Error", Buttons::YesNoCancel,
                     MessageIcon::Exclamation, Answer::Yes),
              Answer::No);
    EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);

    AnswerNextBox(seen, QMessageBox::Cancel);
    EXPECT_EQ(op.Ask("q", "c", Buttons::OkCancel, MessageIcon::Question, Answer::Ok),
              Answer::Cancel);
}

// Notes the folder the next file dialog starts in, then chooses the name
// (a full path) or, without one, cancels.
void AnswerNextFileDialog(QString& startFolder, const QString& name = QString()) {
    QTimer::singleShot(0, [&startFolder, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        startFolder = dialog->directory().absolutePath();
        if (name.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
        static_cast<QDialog*>(dialog)->accept();
    });
}

TEST(QtOperator, FileDialogsStartBesideTheFileElseWhereOneWasLastChosen) {
    QTemporaryDir scratch;
    const QString documents = scratch.path() + "/documents";
    const QString configs = scratch.path() + "/configs";
    const QString other = scratch.path() + "/other";
    for (const QString& folder : {documents, configs, other})
        ASSERT_TRUE(QDir().mkpath(folder));
    const QString userDirs = test::TestConfigHome() + "/user-dirs.dirs";
    {
        QFile file(userDirs);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("XDG_DOCUMENTS_DIR=\"" + documents.toUtf8() + "\"\n");
    }
    QSettings().remove("Main/LastFolder");
    QtOperator op;
    FileChoice save{true, "zeb", {{"ZEB40 Config Files (*.zeb)", "*.zeb"}}, false, ""};
    FileChoice open = save;
    open.save = false;
    QString started;

    AnswerNextFileDialog(started);
    EXPECT_FALSE(op.ChooseFile(open));
    EXPECT_EQ(started, documents) << "nothing chosen yet";
    EXPECT_FALSE(QSettings().contains("Main/LastFolder")) << "a cancel keeps nothing";

    AnswerNextFileDialog(started, configs + "/studio");
    auto chosen = op.ChooseFile(save);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->path, (configs + "/studio.zeb").toStdString());
    EXPECT_EQ(QSettings().value("Main/LastFolder").toString(), configs);
    AnswerNextFileDialog(started);
    op.ChooseFile(open);
    EXPECT_EQ(started, configs);

    open.currentFile = (other + "/unit.zeb").toStdString();
    AnswerNextFileDialog(started);
    op.ChooseFile(open);
    EXPECT_EQ(started, other);

    // A folder that is gone is passed over.
    open.currentFile.clear();
    ASSERT_TRUE(QDir(configs).removeRecursively());
    AnswerNextFileDialog(started);
    op.ChooseFile(open);
    EXPECT_EQ(started, documents);
    QFile::remove(userDirs);
}

struct BoxLines {
    int boxWidth = 0;
    int wrappedLines = 0; // lines added by wrapping, message and detail together
};

// Measures how the next message box shows its text, then closes it.
void MeasureNextBox(BoxLines& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = {box->width(), 0};
        for (QLabel* label : box->findChildren<QLabel*>()) {
            const QString text = label->text();
            if (text.isEmpty() || (text != box->text() && text != box->informativeText()))
                continue;
            const QFontMetrics metrics = label->fontMetrics();
            const int lineHeight = metrics.lineSpacing();
            const QRect shown = metrics.boundingRect(label->contentsRect(), Qt::TextWordWrap, text);
            const QRect unwrapped = metrics.boundingRect(QRect(), 0, text);
            seen.wrappedLines += (shown.height() - unwrapped.height()) / lineHeight;
        }
        box->button(QMessageBox::Ok)->click();
    });
}

TEST(QtOperator, MessageLinesAreWrappedOnlyWhenWiderThanTwoThirdsOfTheScreen) {
    QWidget owner;
    QtOperator op(&owner);
    const int twoThirds = QApplication::primaryScreen()->availableGeometry().width() * 2 / 3;
    BoxLines seen;

    MeasureNextBox(seen);
    op.Ask(strings::NoItemsLeftQuestion(), strings::ReorganizeCaption, Buttons::OkCancel,
           MessageIcon::Question, Answer::Ok);
    EXPECT_EQ(seen.wrappedLines, 0);

    MeasureNextBox(seen);
    op.ShowMessageWithDetail(strings::CantOpenPort, strings::ErrorCaption, MessageIcon::Exclamation,
                             "/dev/ttyUSB0: No such file or directory.");
    EXPECT_EQ(seen.wrappedLines, 0);

    // A reason wider than two thirds of the screen is wrapped within them.
    MeasureNextBox(seen);
    op.ShowMessageWithDetail(
        strings::CantOpenPort, strings::ErrorCaption, MessageIcon::Exclamation,
        "/dev/ttyUSB0: Permission denied. The port belongs to the group 'dialout'. Join it with "
        "\"sudo usermod -aG dialout $USER\" and log in again.");
    EXPECT_GT(seen.wrappedLines, 0);
    EXPECT_LE(seen.boxWidth, twoThirds);
}

TEST(QtOperator, WaitCursorNestsAndGivesWayToMessageBoxes) {
    QtOperator op;
    op.BeginWait();
    op.BeginWait();
    SeenBox seen;
    AnswerNextBox(seen, QMessageBox::Ok);
    op.ShowMessage("Communication error", "ZEB40 Error", MessageIcon::Exclamation);
    EXPECT_EQ(seen.cursor, Qt::ArrowCursor);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    op.EndWait();
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    op.EndWait();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    op.EndWait(); // an unmatched end is ignored
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtOperator, ProgressWindowAndNoticeHaveNoCloseBoxAndStayUntilClosed) {
    QWidget owner;
    owner.show();
    QtOperator op(&owner);
    ASSERT_TRUE(op.ShowProgress("Flash Update", 0, 1000));
    QWidget* progress = op.ProgressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->windowTitle(), "Flash Update");
    EXPECT_FALSE(progress->windowFlags() & Qt::WindowCloseButtonHint);
    auto* bar = progress->findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 1000);
    op.SetProgress(250);
    EXPECT_EQ(bar->value(), 250);
    // Disabling the owner during the work leaves the progress window alone.
    owner.setEnabled(false);
    EXPECT_TRUE(progress->isEnabled());
    EXPECT_FALSE(progress->close());
    EXPECT_TRUE(progress->isVisible());
    op.CloseProgress();
    EXPECT_EQ(op.ProgressWindow(), nullptr);

    ASSERT_TRUE(op.ShowNotice("Saving User Profile..."));
    EXPECT_EQ(op.NoticeWindow()->windowTitle(), "Saving User Profile...");
    EXPECT_TRUE(op.NoticeWindow()->isVisible());
    op.CloseNotice();
    EXPECT_EQ(op.NoticeWindow(), nullptr);
}

TEST(QtOperator, ShortMessagesLeaveTheCaptionWhole) {
    QWidget owner;
    QtOperator op(&owner);
    int width = 0;
    QTimer::singleShot(0, [&width] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        }
    });
    const std::string caption = "ZEB40 Config Memory Reorganization";
    op.ShowMessage("OK", caption, MessageIcon::Exclamation);
    const QFontMetrics title(QApplication::font("QMdiSubWindowTitleBar"));
    EXPECT_GT(width, title.horizontalAdvance(QString::fromStdString(caption)) + 100);
}

// Counts the paint events of windows with the given caption.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QString caption) : caption_(std::move(caption)) {
        QApplication::instance()->installEventFilter(this);
    }
    int count = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window()->windowTitle() == caption_)
            ++count;
        return false;
    }

  private:
    QString caption_;
};

TEST(QtOperator, NoticeAndProgressAreDrawnBeforeTheWorkBlocks) {
    QWidget owner;
    owner.show();
    QtOperator op(&owner);
    PaintCounter notice("Saving User Profile...");
    ASSERT_TRUE(op.ShowNotice("Saving User Profile..."));
    EXPECT_GT(notice.count, 0);
    EXPECT_TRUE(op.NoticeWindow()->windowHandle()->isExposed());
    op.CloseNotice();

    PaintCounter progress("VELOR ZEB40 Flash Update");
    ASSERT_TRUE(op.ShowProgress("VELOR ZEB40 Flash Update", 0, 1000));
    EXPECT_GT(progress.count, 0);
    const int before = progress.count;
    op.SetProgress(10);
    EXPECT_GT(progress.count, before) << "each position is drawn at once";
    op.CloseProgress();
}

} // namespace
} // namespace zeb40
