#include "config/window/ControlHandlers.h"

#include "config/NormChange.h"
#include "config/TimecodeCommands.h"
#include "config/window/EditorState.h"
#include "config/window/RefusableSpinBox.h"
#include "config/window/SettingEncodings.h"

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
    for (const SettingBinding& setting : controls_.settings)
        Bind(setting);

    controls_.userBits->installEventFilter(this);

    for (const PositionButton& place : PositionButtons) {
        connect(controls_.Button(place.controlId), &QPushButton::clicked, this,
                [this, &place] { OnPositionButton(place); });
    }
    connect(controls_.Button(control::Jam), &QPushButton::clicked, this, &ControlHandlers::OnJam);
}

void ControlHandlers::Bind(const SettingBinding& setting) {
    const SettingWidgets& widgets = setting.widgets;
    if (widgets.combo) {
        connect(widgets.combo, &QComboBox::activated, this, [this, &setting] {
            if (setting.Item() == item::Norm)
                OnNormChange();
            else
                OnChange(setting);
        });
    }
    if (widgets.check) {
        connect(widgets.check, &QCheckBox::clicked, this, [this, &setting] { OnChange(setting); });
    }
    if (widgets.edit) {
        fields_[widgets.edit] = &setting;
        widgets.edit->installEventFilter(this);
    }
    if (widgets.spin) {
        widgets.spin->SetMoveHandler([this, &setting](int position, int change) {
            return OnSpin(setting, position, change);
        });
    }
}

bool ControlHandlers::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !handling_ && !held_.MovingFocus() &&
        IsOperatorLeaving(*static_cast<QWidget*>(watched),
                          static_cast<QFocusEvent*>(event)->reason())) {
        if (watched == controls_.userBits) {
            OnUserBitsLeft();
        } else if (auto found = fields_.find(watched); found != fields_.end()) {
            OnChange(*found->second);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ControlHandlers::OnUserBitsLeft() {
    // The user bits reach the unit only through Set.
    HandlerScope scope(handling_);
    held_.Take();
}

void ControlHandlers::OnChange(const SettingBinding& setting) {
    HandlerScope scope(handling_);
    const SettingEncoding& encoding = *setting.encoding;
    if (encoding.Held() && !held_.Take())
        return;
    const std::uint8_t current = config_.table[static_cast<std::size_t>(setting.Item())];
    int value = encoding.ItemValue(setting, encoding.Read(setting, held_), current);
    const bool putBack = SetItem(setting.Item(), value);
    encoding.Settle(setting, held_, value, putBack);
    RefreshItemCount();
    EndCommand();
}

bool ControlHandlers::OnSpin(const SettingBinding& setting, int position, int change) {
    HandlerScope scope(handling_);
    const ItemDescription& description = *setting.description;
    int value = position + change;
    const bool refused = SetItem(description.item, value);
    // A number the item refuses outright (a step past 0) is not held: the
    // field keeps showing the spin's position.
    const bool fits = value >= description.fieldMin && value <= description.fieldMax;
    held_.SetValue(description.item, fits ? value : position);
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
    QComboBox* combo = controls_.Setting(item::Norm).widgets.combo;
    const int selected = combo->currentIndex();
    // The bounds below already follow the new norm; only the norm itself is
    // written to the unit, the re-bounded values go with the next Apply.
    config_.table[item::Norm] = static_cast<std::uint8_t>(selected);
    held_.Take();
    const BoundsBasis basis{IsNtsc(config_.table), CurrentChoices(controls_).sizeSelection};
    for (const ReboundValue& rebound :
         ReboundForNorm(basis, [this](int item) { return held_.Value(item); })) {
        held_.SetValue(rebound.description->item, rebound.shown);
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
    held_.SetValue(item::Horizontal, position.horizontal);
    held_.SetValue(item::Vertical, position.vertical);
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
