#include "shell/Application.h"

#include "link/UnitLink.h"
#include "resources/Strings.h"
#include "shell/startup/CommandLine.h"
#include "shell/startup/UserCode.h"

#include <QApplication>
#include <QFileInfo>
#include <QWidget>
#include <cstdio>
#include <cstring>

namespace zeb40 {
namespace {

// The program's process-wide state, alive from start-up to the end.
struct ProgramState {
    UnitLink link;
    CommandLine commandLine;
};

} // namespace

int RunApplication(int argc, char** argv, const char* revision) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    for (const std::string& word : arguments) {
        if (word == "--version") {
            std::printf("%s (revision %s)\n", strings::VersionLine, revision);
            return 0;
        }
    }

    ProgramState state;
    state.commandLine = ParseCommandLine(arguments);

    if (state.commandLine.unattended) {
        ApplyUnattendedDefaults(state.commandLine);
        if (!state.commandLine.userCode.empty()) {
            UnattendedResult result = DownloadUserCode(state.link, state.commandLine.portName,
                                                       state.commandLine.userCode);
            if (!result.ok) {
                std::fprintf(stderr, "zeb40: %s\n", result.failure.c_str());
                return 1;
            }
            return 0;
        }
    }

    QApplication app(argc, argv);
    QApplication::setOrganizationName("VELOR");
    QApplication::setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
    QWidget placeholder;
    placeholder.setWindowTitle(strings::AppCaption);
    placeholder.show();
    return app.exec();
}

} // namespace zeb40
