#pragma once
// The unit's byte-oriented flash update mode on top of the link: single command
// characters, fixed-length replies without line end, judged only by comparing
// the characters received.

#include "flash/FlashError.h"
#include "link/UnitLink.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zeb40 {

class FlashModeLink {
  public:
    explicit FlashModeLink(UnitLink& link) : link_(link) {}

    bool Send(std::string_view text);
    // What arrived of a reply of count characters; shorter on a timeout.
    std::string Read(std::size_t count);
    std::string Exchange(std::string_view text, std::size_t replyLength);

    // Brings the unit from its normal firmware into flash update mode, or
    // recognises that it is already there; (29) or (30) when it won't go.
    FlashCheck EnterFlashMode();
    // "D", the address as 4 hex digits, "4"; the reply must repeat the digits.
    FlashCheck SetAddressPointer(std::uint16_t address);

    UnitLink& Link() { return link_; }

  private:
    void SendModeSwitch(std::uint32_t value);

    UnitLink& link_;
};

// value as 4 or 8 upper-case hex digits with leading zeros.
std::string HexDigits(std::uint32_t value, int digits);

// Sleeps for the fixed waits of the flash update.
void WaitMilliseconds(int milliseconds);

} // namespace zeb40
