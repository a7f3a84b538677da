#include "shell/Application.h"

#include "config/ConfigItemTable.h"
#include "link/UnitLink.h"
#include "resources/ProgramIdentity.h"
#include "resources/Strings.h"
#include "services/UserCode.h"
#include "shell/MainWindow.h"
#include "shell/QtOperator.h"
#include "shell/UserCodeDialog.h"
#include "shell/shared/ProgramIcon.h"
#include "shell/startup/CommandLine.h"

#include <QApplication>
#include <QSettings>
#include <cstdio>
#include <cstring>

namespace zeb40 {
namespace {

// The program's process-wide state, alive from start-up to the end.
struct ProgramState {
    UnitLink link;
    ConfigState config;
    CommandLine commandLine;
};

int RunUserCodeDialog(ProgramState& state) {
    QtOperator op;
    UserCodeDialog dialog(state.link, state.commandLine.portName, op);
    op.SetOwner(&dialog);
    return dialog.Run() == UserCodeDialog::Cancelled ? 1 : 0;
}

int RunMainWindow(QApplication& app, ProgramState& state) {
    QSettings settings;
    QtOperator op;
    MainWindow window(state.link, state.config, op, settings);
    op.SetOwner(&window);
    // The help window must not keep the program alive once the main window
    // has closed.
    QObject::connect(&window, &QDialog::finished, &app, &QCoreApplication::quit);
    window.show();
    app.exec();
    return 0;
}

} // namespace

void UseProgramIdentity() {
    QCoreApplication::setOrganizationName(identity::Organization);
    QCoreApplication::setApplicationName(identity::Application);
}

int RunApplication(int argc, char** argv, const char* revision) {
    ProgramState state;
    state.commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (state.commandLine.versionAsked) {
        std::printf("%s (revision %s)\n", strings::VersionLine, revision);
        return 0;
    }

    if (state.commandLine.unattended) {
        ApplyUnattendedDefaults(state.commandLine);
        if (!state.commandLine.userCode.empty()) {
            UnattendedResult result = DownloadUserCode(state.link, state.commandLine.portName,
                                                       state.commandLine.userCode);
            if (!result.ok) {
                (void)std::fprintf(stderr, "zeb40: %s\n", result.failure.c_str());
                return 1;
            }
            return 0;
        }
    }

    QApplication app(argc, argv);
    UseProgramIdentity();
    QApplication::setWindowIcon(ProgramIcon());
    if (state.commandLine.unattended)
        return RunUserCodeDialog(state);
    return RunMainWindow(app, state);
}

} // namespace zeb40
