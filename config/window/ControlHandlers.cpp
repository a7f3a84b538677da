#include "config/window/ControlHandlers.h"

#include "config/NormChange.h"
#include "config/TimecodeCommands.h"
#include "config/window/ControlItems.h"
#include "config/window/EditorState.h"
#include "config/window/RefusableSpinBox.h"

#include <QEvent>
#include <QFocusEvent>

namespace zeb40 {
namespace {

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
                                 QObject* parent)
    : QObject(parent), controls_(controls), held_(held), editor_(editor), config_(config),
      link_(link) {
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
    if (SetItem(description.item, value))
        combo->setCurrentIndex(value);
    RefreshItemCount();
    EndCommand();
}

void ControlHandlers::OnSourceCombo(const ItemDescription& description) {
    HandlerScope scope(handling_);
    QComboBox* combo = controls_.Combo(description.controlId);
    int value = combo->currentIndex();
    // "Off" keeps the source chosen before in the low bits.
    if (value == description.offEntry)
        value = config_.table[static_cast<std::size_t>(description.item)] % 128 + 128;
    if (SetItem(description.item, value))
        combo->setCurrentIndex(value < 128 ? value : description.offEntry);
    RefreshItemCount();
    EndCommand();
}

void ControlHandlers::OnField(const ItemDescription& description) {
    HandlerScope scope(handling_);
    if (!held_.Take())
        return;
    int value = held_.Value(description.controlId);
    const bool bounded = SetItem(description.item, value);
    held_.SetValue(description.controlId, value);
    if (bounded)
        held_.Show();
    RefreshItemCount();
    EndCommand();
}

void ControlHandlers::OnBcdField(const ItemDescription& description) {
    HandlerScope scope(handling_);
    if (!held_.Take())
        return;
    int value = BcdFromDecimal(held_.Value(description.controlId));
    if (SetItem(description.item, value)) {
        held_.SetValue(description.controlId, DecimalFromBcd(value));
        held_.Show();
    }
    RefreshItemCount();
    EndCommand();
}

bool ControlHandlers::OnSpin(const ItemDescription& description, int position, int change) {
    HandlerScope scope(handling_);
    int value = position + change;
    const bool refused = SetItem(description.item, value);
    // A number the item refuses outright (a step past 0) is not held: the
    // field keeps showing the spin's position.
    const bool fits = value >= description.fieldMin && value <= description.fieldMax;
    held_.SetValue(description.controlId, fits ? value : position);
    if (refused)
        held_.Show();
    RefreshItemCount();
    EndCommand();
    return refused;
}

bool ControlHandlers::SetItem(int item, int& value) {
    MemoryReport report;
    const bool putBack = editor_.SetItem(item, value, CurrentChoices(controls_), report).PutBack();
    ShowMemoryReport(controls_, held_, report);
    writeFailed_ = writeFailed_ || report.writeFailed;
    reorganizeOffered_ = reorganizeOffered_ || report.reorganizeOffered;
    return putBack;
}

void ControlHandlers::RefreshItemCount() {
    ShowItemCount(editor_, controls_, held_);
}

void ControlHandlers::EndCommand() {
    const bool failed = writeFailed_;
    const bool reported = reorganizeOffered_;
    writeFailed_ = false;
    reorganizeOffered_ = false;
    emit commandEnded(failed, reported);
}

void ControlHandlers::OnNormChange() {
    HandlerScope scope(handling_);
    QComboBox* combo = controls_.Combo(control::Norm);
    const int selected = combo->currentIndex();
    // The bounds below already follow the new norm; only the norm itself is
    // written to the unit, the re-bounded values go with the next Apply.
    config_.table[item::Norm] = static_cast<std::uint8_t>(selected);
    held_.Take();
    const BoundsBasis basis{IsNtsc(config_.table), CurrentChoices(controls_).sizeSelection};
    for (const ReboundValue& rebound : ReboundForNorm(
             basis, [this](int item) { return held_.Value(FindItem(item)->controlId); })) {
        held_.SetValue(rebound.description->controlId, rebound.shown);
        config_.table[static_cast<std::size_t>(rebound.description->item)] = rebound.stored;
    }
    held_.Show();
    int value = selected;
    if (SetItem(item::Norm, value))
        combo->setCurrentIndex(value);
    RefreshItemCount();
    EndCommand();
}

void ControlHandlers::OnPositionButton(const PositionButton& button) {
    HandlerScope scope(handling_);
    const EditChoices choices = CurrentChoices(controls_);
    InsertPosition position =
        PresetPosition(button.column, button.row, {IsNtsc(config_.table), choices.sizeSelection});
    MemoryReport report;
    editor_.SetInsertPosition(position, choices, report);
    held_.SetValue(control::Horizontal, position.horizontal);
    held_.SetValue(control::Vertical, position.vertical);
    ShowMemoryReport(controls_, held_, report);
    held_.Show();
    writeFailed_ = report.writeFailed;
    reorganizeOffered_ = report.reorganizeOffered;
    EndCommand();
}

void ControlHandlers::OnJam() {
    writeFailed_ = !SingleJam(link_);
    EndCommand();
}

} // namespace zeb40
