#include "config/window/ConfigDialog.h"

#include "config/ClockWords.h"
#include "config/ItemDescriptions.h"
#include "config/ProfileCommands.h"
#include "config/TimecodeCommands.h"
#include "config/window/ConfigLayout.h"
#include "config/window/EditorState.h"
#include "config/window/RefusableSpinBox.h"
#include "config/window/SaveProfileDialog.h"
#include "config/window/SettingEncodings.h"
#include "resources/ProgramIdentity.h"
#include "resources/Strings.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>

namespace zeb40 {
namespace {

constexpr const char* AutoApplySetting = identity::AutoApply.key;
constexpr const char* HelpPage = "config.html";

} // namespace

ConfigDialog::ConfigDialog(UnitLink& link, ConfigState& config, Operator& op, QSettings& settings,
                           QWidget* parent)
    : QDialog(parent), link_(link), config_(config), op_(op), settings_(settings),
      controls_(BuildConfigLayout(*this)),
      held_(controls_.settings, *controls_.userBits, *controls_.itemsText, op),
      editor_(link, config, op), handlers_(controls_, held_, editor_, config, link),
      monitor_(link, controls_.Check(control::ReaderTimecode),
               controls_.Check(control::GeneratorTimecode)) {
    setWindowTitle(QString(identity::Product) + " Config");

    SetSpinRanges();
    LoadFromTable();
    SetUpForLink();
    held_.Show();
    RefreshItemCount();
    // The first control in tab order.
    controls_.settings.Named("generate.frame-rate").widgets.combo->setFocus(Qt::OtherFocusReason);
    // A unit unplugged before the window opened fails its first query.
    CommandEnded(false, false);

    connect(&monitor_, &TimecodeMonitor::linkLost, this, [this] { CommandEnded(true, false); });
    connect(&handlers_, &ControlHandlers::commandEnded, this, &ConfigDialog::CommandEnded);
    connect(controls_.Button(control::Apply), &QPushButton::clicked, this, &ConfigDialog::OnApply);
    connect(controls_.Check(control::AutoApply), &QCheckBox::clicked, this,
            &ConfigDialog::OnAutoApplyClicked);
    connect(controls_.Button(control::Close), &QPushButton::clicked, this, &QDialog::reject);
    connect(controls_.Button(control::Help), &QPushButton::clicked, this,
            [this] { emit helpRequested(HelpPage); });
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
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

void ConfigDialog::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && qobject_cast<QLineEdit*>(focusWidget()) && !TakeControlValues())
        return;
    QDialog::keyPressEvent(event);
}

void ConfigDialog::SetSpinRanges() {
    // Set once: a norm change later leaves them as they are.
    const BoundsBasis basis{IsNtsc(config_.table), SmallInsert};
    for (const SettingBinding& setting : controls_.settings) {
        RefusableSpinBox* spin = setting.widgets.spin;
        if (!spin)
            continue;
        const ItemDescription& description = *setting.description;
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
    for (const SettingBinding& setting : controls_.settings) {
        setting.encoding->Load(setting, held_,
                               config_.table[static_cast<std::size_t>(setting.Item())]);
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
    DisableUnitControls();
}

void ConfigDialog::DisableUnitControls() {
    for (int id : {control::Reorganize, control::Apply, control::SetGenerator, control::Jam,
                   control::SetClock, control::SaveUserProfile})
        controls_.Button(id)->setEnabled(false);
    if (monitor_.Running())
        monitor_.Stop();
    controls_.Check(control::AutoApply)->setChecked(false);
    for (int id : {control::AutoApply, control::GeneratorTimecode, control::ReaderTimecode})
        controls_.Check(id)->setEnabled(false);
}

void ConfigDialog::CommandEnded(bool failed, bool reported) {
    if (reportedLostLink_)
        return;
    const bool lost = link_.IsOpen() && link_.Lost();
    if ((failed || lost) && !reported)
        op_.ShowMessage(strings::CommunicationError, strings::ErrorCaption,
                        MessageIcon::Exclamation);
    if (lost) {
        reportedLostLink_ = true;
        DisableUnitControls();
    }
}

bool ConfigDialog::ApplyAll() {
    MemoryReport report;
    return ApplyAll(report);
}

bool ConfigDialog::ApplyAll(MemoryReport& report) {
    if (link_.IsOpen())
        TakeControlValues();
    const bool applied =
        editor_.ApplyAll([this](int item) { return ControlValue(item); }, report).IsOk();
    ShowMemoryReport(controls_, held_, report);
    return applied;
}

void ConfigDialog::OnApply() {
    MemoryReport report;
    const bool applied = ApplyAll(report);
    CommandEnded(!applied, report.reorganizeOffered);
}

void ConfigDialog::RefreshItemCount() {
    ShowItemCount(editor_, controls_, held_);
}

int ConfigDialog::ControlValue(int item) const {
    const SettingBinding& setting = controls_.Setting(item);
    return setting.encoding->Read(setting, held_);
}

bool ConfigDialog::TakeControlValues() {
    return held_.Take();
}

void ConfigDialog::OnAutoApplyClicked() {
    QCheckBox* box = controls_.Check(control::AutoApply);
    MemoryReport report;
    const bool applied = !box->isChecked() || ApplyAll(report);
    if (!applied)
        box->setChecked(false);
    settings_.setValue(AutoApplySetting, box->isChecked() ? 1 : 0);
    CommandEnded(!applied, report.reorganizeOffered);
}

void ConfigDialog::OnReorganize() {
    ItemStatus status;
    const LinkResult queried = QueryItemStatus(link_, status);
    if (!queried || status.inUse == 0) {
        // A refusal or an empty memory leaves nothing to do; a lost answer is a failure.
        CommandEnded(!queried && !queried.IsRefused(), false);
        return;
    }
    const Answer answer = op_.Ask(strings::ReorganizeQuestion, strings::ReorganizeCaption,
                                  Buttons::OkCancel, MessageIcon::Exclamation, Answer::Ok);
    if (answer == Answer::Ok) {
        MemoryReport report;
        const bool reorganized = editor_.ReorganizeConfigMemory(report).IsOk();
        ShowMemoryReport(controls_, held_, report);
        CommandEnded(!reorganized, true);
    }
}

void ConfigDialog::OnSetClock() {
    TakeControlValues();
    bool set = false;
    {
        WaitCursor wait(op_);
        set = SetClock(link_, ReadLocalClock(), LocalStandardBiasMinutes(), IsNtsc(config_.table))
                  .IsOk();
    }
    CommandEnded(!set, false);
}

void ConfigDialog::OnSaveUserProfile() {
    const int number = RunSaveProfileDialog(op_, this);
    if (number < 0)
        return;
    MemoryReport report;
    bool applied = true;
    const std::optional<LinkResult> save =
        SaveUserProfileNumber(link_, number, op_, [&] { applied = ApplyAll(report); });
    const bool saved = save && save->IsOk();
    // A failed save has said so; a saved profile after a failed apply holds
    // not quite what the window shows.
    if (!saved)
        CommandEnded(true, true);
    else
        CommandEnded(!applied, report.reorganizeOffered);
}

void ConfigDialog::OnSetGenerator() {
    TakeControlValues();
    auto held = [this](std::string_view setting) {
        return held_.Value(controls_.settings.Named(setting).Item());
    };
    const std::uint32_t timecode =
        TimecodeWord(held("generate.time-hours"), held("generate.time-minutes"),
                     held("generate.time-seconds"), held("generate.time-frames"));
    bool set = false;
    {
        WaitCursor wait(op_);
        set = SetGenerator(link_, timecode, held_.UserBitsText()).IsOk();
    }
    CommandEnded(!set, false);
}

} // namespace zeb40
