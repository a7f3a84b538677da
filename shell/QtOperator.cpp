#include "shell/QtOperator.h"

#include "files/window/CMyFileDialog.h"
#include "files/window/DialogFolder.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QSettings>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

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

void KeepCaptionWhole(QMessageBox& box);

int UnwrappedWidth(QLabel& label) {
    const bool wrapped = label.wordWrap();
    label.setWordWrap(false);
    const int width = label.sizeHint().width();
    label.setWordWrap(wrapped);
    return width;
}

// Qt wraps a message at about half the screen and, when a detail follows,
// gives the detail only the width of the message; both broke lines that fit
// easily. Every line of the message and of the detail now keeps its width up
// to two thirds of the screen. Qt itself allows no wider box than its own
// limit and breaks lines anywhere beyond it, so the box stays within that too.
void FitLinesOfText(QMessageBox& box) {
    const int screen = box.screen()->availableGeometry().width();
    const int qtLimit = screen <= 1024 ? screen : std::min(screen - 480, 1000);
    const int boxLimit = std::min(screen * 2 / 3, qtLimit);
    for (QLabel* label : box.findChildren<QLabel*>()) {
        const QString text = label->text();
        if (text.isEmpty() || (text != box.text() && text != box.informativeText()))
            continue;
        const int width = UnwrappedWidth(*label);
        label->setMinimumWidth(width);
        const int boxWidth = box.layout()->totalMinimumSize().width();
        if (boxWidth > boxLimit)
            label->setMinimumWidth(std::max(0, width - (boxWidth - boxLimit)));
    }
    KeepCaptionWhole(box);
}

// A short message would make a box too narrow for its title bar, which then
// clips the caption: the message takes the room the caption needs.
void KeepCaptionWhole(QMessageBox& box) {
    // The title bar's buttons and its margins beside the caption.
    constexpr int TitleBarExtras = 120;
    const QFont titleFont = QApplication::font("QMdiSubWindowTitleBar");
    const int needed =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + TitleBarExtras;
    const int boxWidth = box.layout()->totalMinimumSize().width();
    if (boxWidth >= needed)
        return;
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (!label->text().isEmpty() && label->text() == box.text()) {
            label->setMinimumWidth(label->minimumWidth() + needed - boxWidth);
            return;
        }
    }
}

// Shows a work window drawn at once: the thread blocks on the unit next, and
// a window that is only mapped later would stay blank throughout.
void PaintNow(QWidget& window) {
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (window.windowHandle() && !window.windowHandle()->isExposed() && waited.elapsed() < 500)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    window.repaint();
    QCoreApplication::processEvents();
}

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
    FitLinesOfText(box);
    PlaceOverOwner(box);
    ArrowWhileAsking arrow(waitDepth_ > 0);
    return box.exec();
}

std::optional<ChosenFile> QtOperator::ChooseFile(const FileChoice& choice) {
    CMyFileDialog dialog(!choice.save, QString::fromStdString(choice.defaultExtension), QString(),
                         choice.askBeforeOverwrite, choice.filters, owner_);
    QSettings settings;
    dialog.setDirectory(DialogStartFolder(QString::fromStdString(choice.currentFile), settings));
    ArrowWhileAsking arrow(waitDepth_ > 0);
    if (dialog.DoModal() != 1)
        return std::nullopt;
    RememberDialogFolder(dialog.PathName(), settings);
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
    PaintNow(*progress_);
    return true;
}

void QtOperator::SetProgress(int position) {
    if (bar_) {
        bar_->setValue(position);
        // The fixed waits of the mode switch and the erase pump nothing.
        bar_->repaint();
    }
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
    PaintNow(*notice_);
    return true;
}

void QtOperator::CloseNotice() {
    notice_.reset();
}

void QtOperator::PumpMessages() {
    QCoreApplication::processEvents();
}

} // namespace zeb40
