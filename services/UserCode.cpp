#include "services/UserCode.h"

#include "link/PortNames.h"
#include "link/ReplyDecoding.h"
#include "services/UnitConnection.h"

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

UserCodeDelivery DeliverUserCode(UnitLink& link, std::uint32_t word) {
    UserCodeDelivery delivery;
    ReplyCode code{};
    std::uint32_t ignored = 0;
    for (auto [step, value] : {std::pair{UserCodeDelivery::Step::Prepare, std::uint32_t{0}},
                               std::pair{UserCodeDelivery::Step::Code, word}}) {
        const char letter = step == UserCodeDelivery::Step::Prepare ? 'A' : 'D';
        delivery.failure = link.Query(letter, value, code, ignored).Expecting(ReplyCode::OK);
        if (!delivery.failure) {
            delivery.failedAt = step;
            return delivery;
        }
    }
    return delivery;
}

UnattendedResult DownloadUserCode(UnitLink& link, const std::string& portName,
                                  const std::string& userCode) {
    if (OpenPort(link, portName) != UnitAccess::Ready)
        return {false,
                "can't open port " + PortDescription(portName) + ": " + link.OpenFailureReason()};
    UnattendedResult result;
    if (!link.Probe()) {
        result.failure = "no ZEB40 answers on port " + PortDescription(portName);
    } else if (auto word = UserCodeWordFromText(userCode); !word) {
        result.failure = "user code '" + userCode + "' is not a number";
    } else {
        const UserCodeDelivery delivery = DeliverUserCode(link, *word);
        if (delivery.failedAt == UserCodeDelivery::Step::Prepare)
            result.failure = "the unit did not accept 'A' 0 before the user code";
        else if (delivery.failedAt == UserCodeDelivery::Step::Code)
            result.failure = "the unit did not accept the user code";
        else
            result.ok = true;
    }
    link.CloseIfOpen();
    return result;
}

} // namespace zeb40
