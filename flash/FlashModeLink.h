#pragma once
// The unit's byte-oriented flash update mode on top of the link: single command
// characters, fixed-length replies without line end, judged only by comparing
// the characters received.
//
// It keeps the time at which the line will have carried the last byte written
// (38400 baud, ten bit times per byte). A pseudo-terminal or a USB adapter
// with a deep queue takes kilobytes at once and says it has drained long
// before the unit has them; waits for the unit start from the later of the
// two.

#include "flash/FlashError.h"
#include "link/UnitLink.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace zeb40 {

class FlashModeLink {
  public:
    explicit FlashModeLink(UnitLink& link) : link_(link) {}

    bool Send(std::string_view text);
    // As much of text as the line takes in the time its write may take; the
    // count sent.
    std::size_t SendSome(std::string_view text);
    // What arrived of a reply of count characters; shorter on a timeout.
    std::string Read(std::size_t count);
    std::string Exchange(std::string_view text, std::size_t replyLength);
    // Waits until the unit has had everything written: the output queue
    // drained and the wire time of the bytes passed.
    void WaitForLine();
    // A fixed wait of the update.
    void Wait(std::chrono::milliseconds time);
    void Purge();

    // Brings the unit from its normal firmware into flash update mode, or
    // recognises that it is already there; (29) or (30) when it won't go.
    FlashCheck EnterFlashMode();
    // "D", the address as 4 hex digits, "4"; the reply must repeat the digits.
    FlashCheck SetAddressPointer(std::uint16_t address);

    bool Lost() const { return link_.Lost(); }
    // True when a stop was asked for; the link then counts as lost.
    bool StopAsked() { return link_.StopAsked(); }

  private:
    void SendModeSwitch(std::uint32_t value);
    void NoteSent(std::size_t count);

    UnitLink& link_;
    LinkClock::TimePoint lineFreeAt_{};
    std::size_t undrained_ = 0; // bytes written since the last drain
};

// value as 4 or 8 upper-case hex digits with leading zeros.
std::string HexDigits(std::uint32_t value, int digits);

} // namespace zeb40
