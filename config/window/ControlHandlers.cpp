#include "config/window/ControlHandlers.h"

#include "config/window/ControlItems.h"
#include "config/window/RefusableSpinBox.h"

#include <QEvent>
#include <QFocusEvent>
#include <algorithm>

namespace zeb40 {
namespace {

constexpr int NormItem = 88;
constexpr int NtscNorm = 1;
constexpr int HorizontalItem = 62;
constexpr int VerticalItem = 63;
constexpr std::uint32_t JamFunction = 0x41;

// Runs a handler with the flag set, so that nested focus changes are ignored.
class HandlerScope {
  public:
    explicit HandlerScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~HandlerScope() { flag_ = false; }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

  private:
    bool& flag_;
};

bool IsOperatorLeaving(const QWidget& field, Qt::FocusReason reason) {
    switch (reason) {
    case Qt::MouseFocusReason:
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
        return true;
    case Qt::OtherFocusReason:
        // A focus moved by a call (assistive tools, scripts); not the focus
        // that a closing window gives up.
        return field.window()->isVisible();
    default:
        // Another window, a popup or the program itself took the focus.
        return false;
    }
}

} // namespace

ControlHandlers::ControlHandlers(const ConfigControls& controls, HeldValues& held,
                                 ConfigEditor& editor, ConfigState& config, UnitLink& link,
                                 Operator& op, QObject* parent)
    : QObject(parent), controls_(controls), held_(held), editor_(editor), config_(config),
      link_(link), op_(op) {
    for (const ItemDescription& description : SettingItems())
        Bind(description);

    QLineEdit* userBits = controls_.Edit(control::UserBits);
    fieldIds_[userBits] = control::UserBits;
    userBits->installEventFilter(this);

    for (const PositionButton& place : PositionButtons) {
        connect(controls_.Button(place.controlId), &QPushButton::clicked, this,
                [this, &place] { OnPositionButton(place); });
    }
    connect(controls_.Button(control::Jam), &QPushButton::clicked, this, &ControlHandlers::OnJam);
}

void ControlHandlers::Bind(const ItemDescription& description) {
    const int id = description.controlId;
    switch (description.encoding) {
    case ItemEncoding::Index:
    case ItemEncoding::OffFlag:
        connect(controls_.Combo(id), &QComboBox::activated, this, [this, &description] {
            if (description.controlId == control::Norm)
                OnNormChange();
            else if (description.encoding == ItemEncoding::OffFlag)
                OnSourceCombo(description);
            else
                OnCombo(description);
        });
        break;
    case ItemEncoding::Check:
        connect(controls_.Check(id), &QCheckBox::clicked, this,
                [this, &description] { OnField(description); });
        break;
    case ItemEncoding::Number:
    case ItemEncoding::Bcd:
        fieldIds_[controls_.Edit(id)] = id;
        controls_.Edit(id)->installEventFilter(this);
        if (description.spinId != 0) {
            controls_.Spin(description.spinId)
                ->SetMoveHandler([this, &description](int position, int change) {
                    return OnSpin(description, position, change);
                });
        }
        break;
    }
}

bool ControlHandlers::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !handling_ && !held_.MovingFocus()) {
        auto found = fieldIds_.find(watched);
        if (found != fieldIds_.end() &&
            IsOperatorLeaving(*static_cast<QWidget*>(watched),
                              static_cast<QFocusEvent*>(event)->reason()))
            OnFieldLeft(found->second);
    }
    return QObject::eventFilter(watched, event);
}

void ControlHandlers::OnFieldLeft(int controlId) {
    if (controlId == control::UserBits) {
        // The user bits reach the unit only through Set.
        HandlerScope scope(handling_);
        held_.Take();
        return;
    }
    const ItemDescription& description = ItemOfControl(controlId);
    if (description.encoding == ItemEncoding::Bcd)
        OnBcdField(description);
    else
        OnField(description);
}

void ControlHandlers::OnCombo(const ItemDescription& description) {
    HandlerScope scope(handling_);
    QComboBox* combo = controls_.Combo(description.controlId);
    int value = combo->currentIndex();
    if (editor_.SetItem(description.item, value))
        combo->setCurrentIndex(value);
    editor_.RefreshItemCount();
}

void ControlHandlers::OnSourceCombo(const ItemDescription& description) {
    HandlerScope scope(handling_);
    QComboBox* combo = controls_.Combo(description.controlId);
    int value = combo->currentIndex();
    // "Off" keeps the source chosen before in the low bits.
    if (value == description.offEntry)
        value = config_.table[static_cast<std::size_t>(description.item)] % 128 + 128;
    if (editor_.SetItem(description.item, value))
        combo->setCurrentIndex(value < 128 ? value : description.offEntry);
    editor_.RefreshItemCount();
}

void ControlHandlers::OnField(const ItemDescription& description) {
    HandlerScope scope(handling_);
    if (!held_.Take())
        return;
    int value = held_.Value(description.controlId);
    const bool bounded = editor_.SetItem(description.item, value);
    held_.SetValue(description.controlId, value);
    if (bounded)
        held_.Show();
    editor_.RefreshItemCount();
}

void ControlHandlers::OnBcdField(const ItemDescription& description) {
    HandlerScope scope(handling_);
    if (!held_.Take())
        return;
    int value = BcdFromDecimal(held_.Value(description.controlId));
    if (editor_.SetItem(description.item, value)) {
        held_.SetValue(description.controlId, DecimalFromBcd(value));
        held_.Show();
    }
    editor_.RefreshItemCount();
}

bool ControlHandlers::OnSpin(const ItemDescription& description, int position, int change) {
    HandlerScope scope(handling_);
    int value = position + change;
    const bool refused = editor_.SetItem(description.item, value);
    // A number the item refuses outright (a step past 0) is not held: the
    // field keeps showing the spin's position.
    const bool fits = value >= description.fieldMin && value <= description.fieldMax;
    held_.SetValue(description.controlId, fits ? value : position);
    if (refused)
        held_.Show();
    editor_.RefreshItemCount();
    return refused;
}

void ControlHandlers::Rebound(int controlId, int item, int minimum, int maximum, bool bcd) {
    const int held = held_.Value(controlId);
    const int bounded = std::clamp(held, minimum, maximum);
    if (bounded == held)
        return;
    held_.SetValue(controlId, bounded);
    config_.table[static_cast<std::size_t>(item)] =
        static_cast<std::uint8_t>(bcd ? BcdFromDecimal(bounded) : bounded);
}

void ControlHandlers::OnNormChange() {
    HandlerScope scope(handling_);
    QComboBox* combo = controls_.Combo(control::Norm);
    const int selected = combo->currentIndex();
    // The bounds below already follow the new norm; only the norm itself is
    // written to the unit, the re-bounded values go with the next Apply.
    config_.table[NormItem] = static_cast<std::uint8_t>(selected);
    held_.Take();
    const bool ntsc = config_.table[NormItem] == NtscNorm;
    const int lowestLine = ntsc ? 10 : 6;
    for (int id : {1015, 1017, 1030, 1032})
        Rebound(id, ItemOfControl(id).item, lowestLine, 30, false);
    Rebound(1053, 32, 0, ntsc ? 29 : 24, true);
    Rebound(1021, 30, 1, 99, false);
    Rebound(control::Horizontal, HorizontalItem, 0, editor_.MaxHorizontalPosition(), false);
    Rebound(control::Vertical, VerticalItem, 0, editor_.MaxVerticalPosition(), false);
    held_.Show();
    int value = selected;
    if (editor_.SetItem(NormItem, value))
        combo->setCurrentIndex(value);
    editor_.RefreshItemCount();
}

void ControlHandlers::OnPositionButton(const PositionButton& button) {
    HandlerScope scope(handling_);
    held_.SetValue(control::Horizontal, PresetHorizontal(button, editor_.MaxHorizontalPosition()));
    held_.SetValue(control::Vertical, PresetVertical(button, editor_.MaxVerticalPosition()));
    ApplyInsertPosition();
}

void ControlHandlers::ApplyInsertPosition() {
    WaitCursor wait(op_);
    link_.CommandLetter('O');
    int horizontal = held_.Value(control::Horizontal);
    editor_.SetItem(HorizontalItem, horizontal);
    held_.SetValue(control::Horizontal, horizontal);
    int vertical = held_.Value(control::Vertical);
    editor_.SetItem(VerticalItem, vertical);
    held_.SetValue(control::Vertical, vertical);
    link_.CommandLetter('S');
    editor_.RefreshItemCount();
    held_.Show();
}

void ControlHandlers::OnJam() {
    link_.Command('E', JamFunction);
}

} // namespace zeb40
