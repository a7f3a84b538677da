#include "tests/shell/MainWindowFixture.h"

#include "shell/PortField.h"

#include <QAction>
#include <QCheckBox>

namespace zeb40::test {

void MainWindowFixture::SetUp() {
    EmulatorFixture::SetUp();
    QSettings().clear();
    Reopen();
}

void MainWindowFixture::TearDown() {
    window.reset();
    settings.reset();
    EmulatorFixture::TearDown();
}

void MainWindowFixture::Reopen() {
    window.reset();
    settings = std::make_unique<QSettings>();
    window = std::make_unique<MainWindow>(link, config, op, *settings);
}

void MainWindowFixture::ConnectTo(const std::string& port) {
    window->Port().setEditText(QString::fromStdString(port));
    window->ConnectBox().click();
}

bool MainWindowFixture::Enabled(MainWindow::Command command) const {
    return window->MenuAction(command).isEnabled();
}

} // namespace zeb40::test
