#pragma once
// A pair of arrow buttons bound to the number field on its left, like an
// up-down control: before every move it asks its handler with the current
// position and the proposed change, and the handler may refuse the move. The
// range may run from high to low, so that the up arrow lowers the number.

#include <QWidget>
#include <functional>

class QLineEdit;
class QToolButton;

namespace zeb40 {

class RefusableSpinBox : public QWidget {
    Q_OBJECT
  public:
    // True refuses the move: the position and the field stay as they are.
    using MoveHandler = std::function<bool(int position, int change)>;

    // Vertical: up and down arrows; horizontal: left and right arrows.
    explicit RefusableSpinBox(Qt::Orientation orientation, QWidget* parent = nullptr);

    // The field that shows the position; its Up and Down keys move the spin.
    void SetBuddy(QLineEdit* buddy);
    // 'bottom' is the end the down (left) arrow leads to; it may be the larger one.
    void SetRange(int bottom, int top);
    void SetMoveHandler(MoveHandler handler) { handler_ = std::move(handler); }
    // Names the control and its two arrows after the field's label.
    void SetAccessibleNames(const QString& label);
    int Position() const { return position_; }
    int Bottom() const { return bottom_; }

    // What the up (right) and the down (left) arrow do.
    void StepUp() { Step(+1); }
    void StepDown() { Step(-1); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Step(int direction);
    void ReadBuddy();
    bool InRange(int value) const;

    QLineEdit* buddy_ = nullptr;
    QToolButton* towardsTop_ = nullptr;
    QToolButton* towardsBottom_ = nullptr;
    MoveHandler handler_;
    int bottom_ = 0;
    int top_ = 100;
    int position_ = 0;
};

} // namespace zeb40
