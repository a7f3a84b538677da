#include "shell/QtOperator.h"

#include "files/window/CMyFileDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWindow>

namespace zeb40 {
namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Exclamation:
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton QtButton(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return QMessageBox::Ok;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

Answer AnswerOf(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QMessageBox::StandardButtons QtButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// A message box over the wait cursor still shows the arrow.
class ArrowWhileAsking {
  public:
    explicit ArrowWhileAsking(bool waiting) : waiting_(waiting) {
        if (waiting_)
            QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking() {
        if (waiting_)
            QApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

  private:
    bool waiting_;
};

constexpr Qt::WindowFlags NoCloseBox = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// The progress window and the notice close only when the work is done: not by
// Escape, not by the window manager's close command.
class WorkWindow : public QWidget {
  public:
    WorkWindow() : QWidget(nullptr, NoCloseBox) {}

  protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

} // namespace

QtOperator::QtOperator(QWidget* owner) : owner_(owner) {}

QtOperator::~QtOperator() = default;

void QtOperator::PlaceOverOwner(QWidget& window) const {
    if (!owner_)
        return;
    window.winId(); // makes the native window, so it can get a transient parent
    if (QWindow* ownerWindow = owner_->window()->windowHandle())
        window.windowHandle()->setTransientParent(ownerWindow);
    window.adjustSize();
    window.move(owner_->window()->geometry().center() - window.rect().center());
}

void QtOperator::ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) {
    Ask(text, caption, Buttons::Ok, icon, Answer::Ok);
}

void QtOperator::ShowMessageWithDetail(const std::string& text, const std::string& caption,
                                       MessageIcon icon, const std::string& detail) {
    QMessageBox box(QtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok);
    box.setInformativeText(QString::fromStdString(detail));
    Present(box);
}

Answer QtOperator::Ask(const std::string& text, const std::string& caption, Buttons buttons,
                       MessageIcon icon, Answer defaultAnswer) {
    QMessageBox box(QtIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QtButtons(buttons));
    box.setDefaultButton(QtButton(defaultAnswer));
    return AnswerOf(Present(box));
}

int QtOperator::Present(QMessageBox& box) {
    PlaceOverOwner(box);
    ArrowWhileAsking arrow(waitDepth_ > 0);
    return box.exec();
}

std::optional<ChosenFile> QtOperator::ChooseFile(const FileChoice& choice) {
    CMyFileDialog dialog(!choice.save, QString::fromStdString(choice.defaultExtension), QString(),
                         choice.askBeforeOverwrite, choice.filters, owner_);
    ArrowWhileAsking arrow(waitDepth_ > 0);
    if (dialog.DoModal() != 1)
        return std::nullopt;
    return ChosenFile{dialog.PathName().toStdString(), dialog.FileTitle().toStdString()};
}

void QtOperator::BeginWait() {
    ++waitDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtOperator::EndWait() {
    if (waitDepth_ == 0)
        return;
    --waitDepth_;
    QApplication::restoreOverrideCursor();
}

bool QtOperator::ShowProgress(const std::string& caption, int minimum, int maximum) {
    progress_ = std::make_unique<WorkWindow>();
    progress_->setWindowTitle(QString::fromStdString(caption));
    bar_ = new QProgressBar(progress_.get());
    bar_->setRange(minimum, maximum);
    bar_->setValue(minimum);
    bar_->setTextVisible(false);
    bar_->setMinimumWidth(300);
    auto* layout = new QVBoxLayout(progress_.get());
    layout->addWidget(bar_);
    PlaceOverOwner(*progress_);
    progress_->show();
    QCoreApplication::processEvents();
    return true;
}

void QtOperator::SetProgress(int position) {
    if (bar_)
        bar_->setValue(position);
}

void QtOperator::CloseProgress() {
    bar_ = nullptr;
    progress_.reset();
}

bool QtOperator::ShowNotice(const std::string& caption) {
    notice_ = std::make_unique<WorkWindow>();
    notice_->setWindowTitle(QString::fromStdString(caption));
    notice_->setFixedSize(320, 24);
    PlaceOverOwner(*notice_);
    notice_->show();
    QCoreApplication::processEvents();
    return true;
}

void QtOperator::CloseNotice() {
    notice_.reset();
}

void QtOperator::PumpMessages() {
    QCoreApplication::processEvents();
}

} // namespace zeb40
