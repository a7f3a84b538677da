#include "shell/startup/UserCode.h"

#include "link/PortNames.h"
#include "link/ReplyDecoding.h"

#include <cstdio>

namespace zeb40 {
namespace {

std::string PortDescription(const std::string& portName) {
    std::string path = DevicePathForName(portName);
    if (path == portName)
        return "'" + portName + "'";
    return "'" + portName + "' (" + path + ")";
}

} // namespace

std::optional<std::uint32_t> UserCodeWordFromText(const std::string& code) {
    auto number = ScanHex(code + "00");
    if (!number)
        return std::nullopt;
    return number->value;
}

std::uint32_t UserCodeWord(int code) {
    char text[16];
    int length = std::snprintf(text, sizeof text, "%04d00", code);
    return ScanHex(std::string_view(text, static_cast<std::size_t>(length))).value().value;
}

UnattendedResult DownloadUserCode(UnitLink& link, const std::string& portName,
                                  const std::string& userCode) {
    link.CloseIfOpen();
    if (!link.OpenByName(portName))
        return {false,
                "can't open port " + PortDescription(portName) + ": " + link.OpenFailureReason()};
    UnattendedResult result;
    if (!link.Probe()) {
        result.failure = "no ZEB40 answers on port " + PortDescription(portName);
    } else if (auto word = UserCodeWordFromText(userCode); !word) {
        result.failure = "user code '" + userCode + "' is not a number";
    } else {
        ReplyCode code{};
        std::uint32_t reply = 0;
        if (!link.Query('A', 0, code, reply) || code != ReplyCode::OK)
            result.failure = "the unit did not accept 'A' 0 before the user code";
        else if (!link.Query('D', *word, code, reply) || code != ReplyCode::OK)
            result.failure = "the unit did not accept the user code";
        else
            result.ok = true;
    }
    link.CloseIfOpen();
    return result;
}

} // namespace zeb40
