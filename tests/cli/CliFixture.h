#pragma once
// Runs zeb40ctl in-process against an emulated unit and reads back what it
// printed, its exit status and its JSON document.

#include "cli/RunCli.h"
#include "tests/support/EmulatorFixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <sstream>
#include <string>
#include <vector>

namespace zeb40::test {

struct CliRun {
    int code = -1;
    std::string out;
    std::string err;

    // The JSON document on standard output; a null object when it is none.
    QJsonObject Json() const {
        QJsonParseError error{};
        auto document = QJsonDocument::fromJson(QByteArray::fromStdString(out), &error);
        return error.error == QJsonParseError::NoError ? document.object() : QJsonObject{};
    }
};

// Runs the tool without a terminal and without any port source of its own.
inline CliRun RunTool(const std::vector<std::string>& arguments,
                      cli::CliEnvironment environment = {}) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.code = cli::RunCli(arguments, out, err, environment);
    run.out = out.str();
    run.err = err.str();
    return run;
}

class CliFixture : public EmulatorFixture {
  protected:
    explicit CliFixture(Line kind = Line::PseudoTerminal) : EmulatorFixture(kind) {}
    // The arguments after "--port <the emulator>".
    CliRun Run(std::vector<std::string> arguments, cli::CliEnvironment environment = {}) {
        arguments.insert(arguments.begin(), {"--port", unit.DevicePath()});
        if (kind == Line::Fake)
            environment.link = &link;
        return RunTool(arguments, std::move(environment));
    }
    // The command texts the unit received, without the presence check.
    std::vector<std::string> Commands() {
        std::vector<std::string> texts;
        for (const auto& text : ReceivedTexts()) {
            if (text != "\b")
                texts.push_back(text);
        }
        return texts;
    }
};

} // namespace zeb40::test
