#pragma once
// A main window on real widgets, connected to an emulated unit, with its
// messages and questions answered by a script.

#include "config/ConfigItemTable.h"
#include "shell/MainWindow.h"
#include "tests/support/EmulatorFixture.h"
#include "tests/support/ScriptedOperator.h"

#include <QSettings>
#include <memory>

namespace zeb40::test {

class MainWindowFixture : public EmulatorFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A new window, as when the program starts again.
    void Reopen();
    // Types the port name and clicks Connect.
    void ConnectTo(const std::string& port);
    void ConnectToUnit() { ConnectTo(unit.DevicePath()); }
    bool Enabled(MainWindow::Command command) const;

    ScriptedOperator op;
    ConfigState config;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<MainWindow> window;
};

} // namespace zeb40::test
