#include "shell/QtOperator.h"

#include <QApplication>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
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

} // namespace
} // namespace zeb40
