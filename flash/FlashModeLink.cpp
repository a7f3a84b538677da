#include "flash/FlashModeLink.h"

#include <algorithm>
#include <cstdio>

namespace zeb40 {
namespace {

using namespace std::chrono_literals;

// One byte on the line: a start bit, 8 data bits and a stop bit at 38400 baud.
constexpr std::chrono::nanoseconds ByteTime{1'000'000'000LL * 10 / 38400};

} // namespace

std::string HexDigits(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
    return text;
}

bool FlashModeLink::Send(std::string_view text) {
    if (!link_.WriteBytes(text))
        return false;
    NoteSent(text.size());
    return true;
}

std::size_t FlashModeLink::SendSome(std::string_view text) {
    const std::size_t sent = link_.WriteSomeBytes(text);
    NoteSent(sent);
    return sent;
}

void FlashModeLink::NoteSent(std::size_t count) {
    lineFreeAt_ = std::max(lineFreeAt_, link_.Clock().Now()) +
                  std::chrono::duration_cast<LinkClock::TimePoint::duration>(ByteTime * count);
    undrained_ += count;
}

std::string FlashModeLink::Read(std::size_t count) {
    return link_.ReadBytes(count, ReplyWait::FlashMode);
}

std::string FlashModeLink::Exchange(std::string_view text, std::size_t replyLength) {
    Send(text);
    return Read(replyLength);
}

void FlashModeLink::WaitForLine() {
    link_.Drain(undrained_);
    undrained_ = 0;
    link_.Clock().SleepUntil(lineFreeAt_);
}

void FlashModeLink::Wait(std::chrono::milliseconds time) {
    link_.Clock().SleepFor(time);
}

void FlashModeLink::Purge() {
    link_.Purge();
    undrained_ = 0;
}

void FlashModeLink::SendModeSwitch(std::uint32_t value) {
    Send("$" + HexDigits(value, 8) + "\r");
}

FlashCheck FlashModeLink::EnterFlashMode() {
    if (Exchange("=\r", 1) == "?")
        return std::nullopt;
    Wait(100ms);
    Purge();

    // V stays 0 when the unit gives no plain value; the switch is then tried
    // with FFFFFFFF and 00000000.
    std::uint32_t v = 0;
    ReplyCode code{};
    std::uint32_t reply = 0;
    if (!link_.Query('l', 4, code, reply, ReplyWait::FlashMode) || code != ReplyCode::Value) {
        Wait(100ms);
        Purge();
        if (Exchange("1", 1) != "0")
            return MakeFlashError(29, "Can't force ZEB40 unit to flash update mode (29)");
    } else {
        v = reply;
    }

    SendModeSwitch(~v);
    Wait(200ms);
    Purge();
    if (Exchange("\r", 1) == "?")
        return std::nullopt;

    Wait(1000ms);
    Purge();
    SendModeSwitch(v);
    Wait(2000ms);
    Purge();
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
