#include "config/window/RefusableSpinBox.h"

#include <QApplication>
#include <QBoxLayout>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

namespace zeb40 {
namespace {

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    return button;
}

} // namespace

RefusableSpinBox::RefusableSpinBox(Qt::Orientation orientation, QWidget* parent) : QWidget(parent) {
    QBoxLayout* layout = nullptr;
    if (orientation == Qt::Vertical) {
        layout = new QVBoxLayout(this);
        towardsTop_ = ArrowButton(Qt::UpArrow, this);
        towardsBottom_ = ArrowButton(Qt::DownArrow, this);
        layout->addWidget(towardsTop_);
        layout->addWidget(towardsBottom_);
        for (auto* button : {towardsTop_, towardsBottom_})
            button->setFixedWidth(16);
    } else {
        layout = new QHBoxLayout(this);
        towardsBottom_ = ArrowButton(Qt::LeftArrow, this);
        towardsTop_ = ArrowButton(Qt::RightArrow, this);
        layout->addWidget(towardsBottom_);
        layout->addWidget(towardsTop_);
        for (auto* button : {towardsTop_, towardsBottom_})
            button->setFixedWidth(14);
    }
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    connect(towardsTop_, &QToolButton::clicked, this, &RefusableSpinBox::StepUp);
    connect(towardsBottom_, &QToolButton::clicked, this, &RefusableSpinBox::StepDown);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

void RefusableSpinBox::SetBuddy(QLineEdit* buddy) {
    if (buddy_)
        buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (!buddy_)
        return;
    buddy_->installEventFilter(this);
    // The arrows stand beside the field at its height.
    setFixedHeight(buddy_->sizeHint().height());
}

void RefusableSpinBox::SetAccessibleNames(const QString& label) {
    setAccessibleName(label);
    const bool vertical = towardsTop_->arrowType() == Qt::UpArrow;
    towardsTop_->setAccessibleName(label + (vertical ? " up" : " right"));
    towardsBottom_->setAccessibleName(label + (vertical ? " down" : " left"));
}

void RefusableSpinBox::SetRange(int bottom, int top) {
    bottom_ = bottom;
    top_ = top;
    position_ = std::clamp(position_, std::min(bottom, top), std::max(bottom, top));
}

bool RefusableSpinBox::InRange(int value) const {
    return value >= std::min(bottom_, top_) && value <= std::max(bottom_, top_);
}

void RefusableSpinBox::ReadBuddy() {
    if (!buddy_)
        return;
    bool isNumber = false;
    const int shown = buddy_->text().trimmed().toInt(&isNumber);
    // Text that is no number inside the range leaves the last position.
    if (isNumber && InRange(shown))
        position_ = shown;
}

void RefusableSpinBox::Step(int direction) {
    if (!isEnabled())
        return;
    // As with an up-down control, the field takes the focus first, so a number
    // typed in another field is taken over before this one moves.
    if (buddy_ && buddy_->isVisible() && QApplication::focusWidget() != buddy_)
        buddy_->setFocus(Qt::MouseFocusReason);
    ReadBuddy();
    // Towards the top is a rising number only when the top is the larger end.
    const int change = top_ >= bottom_ ? direction : -direction;
    if (handler_ && handler_(position_, change))
        return;
    const int moved =
        std::clamp(position_ + change, std::min(bottom_, top_), std::max(bottom_, top_));
    if (moved == position_)
        return;
    position_ = moved;
    if (buddy_)
        buddy_->setText(QString::number(position_));
}

bool RefusableSpinBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zeb40
