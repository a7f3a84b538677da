#include "flash/FlashModeLink.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace zeb40 {

std::string HexDigits(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
    return text;
}

void WaitMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool FlashModeLink::Send(std::string_view text) {
    return link_.Write(text.data(), text.size());
}

std::string FlashModeLink::Read(std::size_t count) {
    std::string reply(count, '\0');
    reply.resize(link_.Read(reply.data(), count));
    return reply;
}

std::string FlashModeLink::Exchange(std::string_view text, std::size_t replyLength) {
    Send(text);
    return Read(replyLength);
}

void FlashModeLink::SendModeSwitch(std::uint32_t value) {
    link_.SendText(("$" + HexDigits(value, 8) + "\r").c_str());
}

FlashCheck FlashModeLink::EnterFlashMode() {
    if (Exchange("=\r", 1) == "?")
        return std::nullopt;
    WaitMilliseconds(100);
    link_.Purge();

    // V stays 0 when the unit gives no plain value; the switch is then tried
    // with FFFFFFFF and 00000000.
    std::uint32_t v = 0;
    ReplyCode code{};
    std::uint32_t reply = 0;
    if (!link_.Query('l', 4, code, reply) || code != ReplyCode::Value) {
        WaitMilliseconds(100);
        link_.Purge();
        if (Exchange("1", 1) != "0")
            return MakeFlashError(29, "Can't force ZEB40 unit to flash update mode (29)");
    } else {
        v = reply;
    }

    SendModeSwitch(~v);
    WaitMilliseconds(200);
    link_.Purge();
    if (Exchange("\r", 1) == "?")
        return std::nullopt;

    WaitMilliseconds(1000);
    link_.Purge();
    SendModeSwitch(v);
    WaitMilliseconds(2000);
    link_.Purge();
    if (Exchange("1", 2).starts_with('0'))
        return std::nullopt;
    return MakeFlashError(30, "Can't force ZEB40 unit to flash update mode (30)");
}

FlashCheck FlashModeLink::SetAddressPointer(std::uint16_t address) {
    const std::string digits = HexDigits(address, 4);
    if (Exchange("D" + digits + "4", 4) != digits)
        return MakeFlashError(11, "Can't set address pointer (11)");
    return std::nullopt;
}

} // namespace zeb40
