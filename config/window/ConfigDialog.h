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
    // True when this window told the operator that the unit vanished.
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

  private:
    void LoadFromTable();
    void SetSpinRanges();
    void SetUpForLink();
    void OnAutoApplyClicked();
    void OnReorganize();
    void OnSetClock();
    void OnSaveUserProfile();
    void OnSetGenerator();
    void OnLinkLost();

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
