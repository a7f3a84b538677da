#include "config/window/ConfigDialog.h"

#include "config/ClockWords.h"
#include "config/ItemDescriptions.h"
#include "config/ProfileCommands.h"
#include "config/TimecodeCommands.h"
#include "config/window/ConfigLayout.h"
#include "config/window/EditorState.h"
#include "config/window/RefusableSpinBox.h"
#include "config/window/SaveProfileDialog.h"
#include "resources/ProgramIdentity.h"
#include "resources/Strings.h"

namespace zeb40 {
namespace {

constexpr const char* AutoApplySetting = identity::AutoApply.key;
constexpr const char* HelpPage = "config.html";

} // namespace

ConfigDialog::ConfigDialog(UnitLink& link, ConfigState& config, Operator& op, QSettings& settings,
                           QWidget* parent)
    : QDialog(parent), link_(link), config_(config), op_(op), settings_(settings),
      controls_(BuildConfigLayout(*this)), held_(controls_, op), editor_(link, config, op),
      handlers_(controls_, held_, editor_, config, link),
      monitor_(link, controls_.Check(control::ReaderTimecode),
               controls_.Check(control::GeneratorTimecode)) {
    setWindowTitle(QString(identity::Product) + " Config");

    SetSpinRanges();
    LoadFromTable();
    SetUpForLink();
    held_.Show();
    RefreshItemCount();
    controls_.Combo(1009)->setFocus(Qt::OtherFocusReason);

    connect(&monitor_, &TimecodeMonitor::linkLost, this, &ConfigDialog::OnLinkLost);
    connect(controls_.Button(control::Apply), &QPushButton::clicked, this, [this] { ApplyAll(); });
    connect(controls_.Check(control::AutoApply), &QCheckBox::clicked, this,
            &ConfigDialog::OnAutoApplyClicked);
    connect(controls_.Button(control::Close), &QPushButton::clicked, this, &QDialog::reject);
    connect(controls_.Button(control::Help), &QPushButton::clicked, this,
            [this] { emit helpRequested(HelpPage); });
    connect(controls_.Button(control::Reorganize), &QPushButton::clicked, this,
            &ConfigDialog::OnReorganize);
    connect(controls_.Button(control::SetClock), &QPushButton::clicked, this,
            &ConfigDialog::OnSetClock);
    connect(controls_.Button(control::SaveUserProfile), &QPushButton::clicked, this,
            &ConfigDialog::OnSaveUserProfile);
    connect(controls_.Button(control::SetGenerator), &QPushButton::clicked, this,
            &ConfigDialog::OnSetGenerator);
}

void ConfigDialog::SetSpinRanges() {
    // Set once: a norm change later leaves them as they are.
    const BoundsBasis basis{IsNtsc(config_.table), SmallInsert};
    for (const ItemDescription& description : SettingItems()) {
        if (description.spinId == 0)
            continue;
        RefusableSpinBox* spin = controls_.Spin(description.spinId);
        if (description.item == item::Horizontal) {
            spin->SetRange(description.fieldMin, description.fieldMax);
        } else if (description.item == item::Vertical) {
            // The up arrow lowers the vertical position: the picture's top is line 0.
            spin->SetRange(description.fieldMax, description.fieldMin);
        } else {
            const ItemBounds bounds = *SetItemBounds(description.item, basis);
            spin->SetRange(bounds.minimum, bounds.maximum);
        }
    }
}

void ConfigDialog::LoadFromTable() {
    for (const ItemDescription& description : SettingItems()) {
        const int shown = ControlValueFromItem(
            description, config_.table[static_cast<std::size_t>(description.item)]);
        switch (description.encoding) {
        case ItemEncoding::Index:
        case ItemEncoding::OffFlag:
            controls_.Combo(description.controlId)->setCurrentIndex(shown);
            break;
        case ItemEncoding::Number:
        case ItemEncoding::Bcd:
        case ItemEncoding::Check:
            held_.SetValue(description.controlId, shown);
            break;
        }
    }
}

void ConfigDialog::SetUpForLink() {
    if (link_.IsOpen()) {
        ItemStatus status;
        if (QueryItemStatus(link_, status) && status.inUse == 0)
            controls_.Button(control::Reorganize)->setEnabled(false);
        controls_.Check(control::AutoApply)
            ->setChecked(settings_.value(AutoApplySetting, 0).toInt() == 1);
        return;
    }
    for (int id : {control::Reorganize, control::Apply, control::SetGenerator, control::Jam,
                   control::SetClock, control::SaveUserProfile})
        controls_.Button(id)->setEnabled(false);
    for (int id : {control::AutoApply, control::GeneratorTimecode, control::ReaderTimecode})
        controls_.Check(id)->setEnabled(false);
}

bool ConfigDialog::ApplyAll() {
    if (link_.IsOpen())
        TakeControlValues();
    MemoryReport report;
    const bool applied = editor_.ApplyAll([this](int item) { return ControlValue(item); }, report);
    ShowMemoryReport(controls_, held_, report);
    return applied;
}

void ConfigDialog::RefreshItemCount() {
    ShowItemCount(editor_, controls_, held_);
}

int ConfigDialog::ControlValue(int item) const {
    const ItemDescription& description = *FindItem(item);
    if (description.encoding == ItemEncoding::Index ||
        description.encoding == ItemEncoding::OffFlag)
        return controls_.Combo(description.controlId)->currentIndex();
    return held_.Value(description.controlId);
}

bool ConfigDialog::TakeControlValues() {
    return held_.Take();
}

void ConfigDialog::OnAutoApplyClicked() {
    QCheckBox* box = controls_.Check(control::AutoApply);
    if (box->isChecked() && !ApplyAll())
        box->setChecked(false);
    settings_.setValue(AutoApplySetting, box->isChecked() ? 1 : 0);
}

void ConfigDialog::OnReorganize() {
    ItemStatus status;
    if (!QueryItemStatus(link_, status) || status.inUse == 0)
        return;
    const Answer answer = op_.Ask(strings::ReorganizeQuestion, strings::ReorganizeCaption,
                                  Buttons::OkCancel, MessageIcon::Exclamation, Answer::Ok);
    if (answer == Answer::Ok) {
        MemoryReport report;
        editor_.ReorganizeConfigMemory(report);
        ShowMemoryReport(controls_, held_, report);
    }
}

void ConfigDialog::OnSetClock() {
    TakeControlValues();
    WaitCursor wait(op_);
    SetClock(link_, ReadLocalClock(), LocalStandardBiasMinutes(), IsNtsc(config_.table));
}

void ConfigDialog::OnSaveUserProfile() {
    const int number = RunSaveProfileDialog(op_, this);
    if (number < 0)
        return;
    SaveUserProfileNumber(link_, number, op_, [this] { ApplyAll(); });
}

void ConfigDialog::OnSetGenerator() {
    TakeControlValues();
    const std::uint32_t timecode =
        TimecodeWord(held_.Value(control::GenerateHours), held_.Value(control::GenerateMinutes),
                     held_.Value(control::GenerateSeconds), held_.Value(control::GenerateFrames));
    WaitCursor wait(op_);
    SetGenerator(link_, timecode, held_.UserBitsText());
}

void ConfigDialog::OnLinkLost() {
    if (reportedLostLink_)
        return;
    reportedLostLink_ = true;
    op_.ShowMessage(strings::CommunicationError, strings::ErrorCaption, MessageIcon::Exclamation);
}

} // namespace zeb40
