#pragma once
// A configuration window on a real link to the emulated unit, with a scripted
// operator and a settings file of its own.

#include "config/window/ConfigDialog.h"
#include "config/window/RefusableSpinBox.h"
#include "sim/ConfigMemory.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <QSettings>
#include <memory>
#include <stdexcept>
#include <string>

namespace zeb40::test {

// The window's logic on the fake line; the line itself is tested end to end
// in tests/faults.
class ConfigWindowFixture : public EmulatorFixture {
  protected:
    ConfigWindowFixture() : EmulatorFixture(Line::Fake) {}
    void SetUp() override;
    void TearDown() override;

    // Opens the window (with the link open unless closed first).
    ConfigDialog& Open();
    // The item memory of the emulated unit.
    std::uint8_t UnitItem(int item);
    void SetUnitCapacity(int capacity, int inUse);
    // Commands received since the last ClearReceived, without the item
    // status queries the window makes after every change.
    std::vector<std::string> Sent();

    // The window's controls by the names scripts and checks look them up by
    // ("combo1009"); a missing one fails the test.
    QComboBox* Combo(int id) { return Named<QComboBox>("combo", id); }
    QLineEdit* Edit(int id) { return Named<QLineEdit>("edit", id); }
    QCheckBox* Check(int id) { return Named<QCheckBox>("check", id); }
    QPushButton* Button(int id) { return Named<QPushButton>("button", id); }
    RefusableSpinBox* Spin(int id) { return Named<RefusableSpinBox>("spin", id); }

    // The operator picks an entry, leaves a field, clicks a box.
    void Choose(int comboId, int index);
    void Enter(int editId, const QString& text);
    // Auto Apply on without the full apply that a click runs.
    void AutoApplyOn();

    template <typename Widget> Widget* Named(const char* kind, int id) {
        auto* widget = dialog->findChild<Widget*>(QString("%1%2").arg(kind).arg(id));
        if (!widget)
            throw std::logic_error(std::string("no control ") + kind + std::to_string(id));
        return widget;
    }

    ScriptedOperator op;
    ConfigState config;
    TempDir folder;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<ConfigDialog> dialog;
};

} // namespace zeb40::test
