#pragma once
// The configuration window: every setting of the configuration table in a
// control, loaded when the window opens; changes go through the item rules,
// Apply and Auto Apply send all settings at once. It also hosts the timecode
// monitor and the profile, clock and reorganisation buttons.

#include "config/ConfigEditor.h"
#include "config/window/ConfigControls.h"
#include "config/window/ControlHandlers.h"
#include "config/window/HeldValues.h"
#include "config/window/TimecodeMonitor.h"

#include <QDialog>
#include <QSettings>

namespace zeb40 {

class ConfigDialog : public QDialog {
    Q_OBJECT
  public:
    ConfigDialog(UnitLink& link, ConfigState& config, Operator& op, QSettings& settings,
                 QWidget* parent = nullptr);

    const ConfigControls& Controls() const { return controls_; }
    TimecodeMonitor& Monitor() { return monitor_; }
    // True when the unit vanished while this window was open; the window has
    // told the operator and shows the link as closed.
    bool ReportedLostLink() const { return reportedLostLink_; }

    // Apply: the controls' values taken and all settings sent; the items
    // text and buttons show the outcome.
    bool ApplyAll();
    void RefreshItemCount();
    // What ApplyAll sends for a setting item.
    int ControlValue(int item) const;
    // The window's value exchange; false on a validation failure (its message
    // has been shown).
    bool TakeControlValues();

  signals:
    // The Help button: open this page of the program's help.
    void helpRequested(const QString& page);

  protected:
    // Enter in a field with an invalid value stops at its message instead
    // of going on to Apply.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void LoadFromTable();
    void SetSpinRanges();
    void SetUpForLink();
    // The unit-related controls disabled, as when the window opens without a
    // link; Auto Apply unchecked without storing the choice.
    void DisableUnitControls();
    bool ApplyAll(MemoryReport& report);
    // After each command of the window: a failure that nothing has reported
    // yet shows "Communication error"; a vanished unit is reported once and
    // the window goes on as without a link.
    void CommandEnded(bool failed, bool reported);
    void OnApply();
    void OnAutoApplyClicked();
    void OnReorganize();
    void OnSetClock();
    void OnSaveUserProfile();
    void OnSetGenerator();

    UnitLink& link_;
    ConfigState& config_;
    Operator& op_;
    QSettings& settings_;
    ConfigControls controls_;
    HeldValues held_;
    ConfigEditor editor_;
    ControlHandlers handlers_;
    TimecodeMonitor monitor_;
    bool reportedLostLink_ = false;
};

} // namespace zeb40
