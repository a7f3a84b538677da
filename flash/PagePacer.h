#pragma once
// Sends the programmed characters so that the unit has time to program its
// pages: every four characters stand for three bytes of unit memory, and when
// a character completes a 128-byte page at or below 4000h the line is
// emptied and the unit gets the page pause before the next character.
//
// The characters between two pauses go out in one write: the line carries
// the same bytes with the same pauses, for a fraction of the system calls.

#include "flash/FlashModeLink.h"

#include <chrono>
#include <cstdint>
#include <string_view>

namespace zeb40 {

class PagePacer {
  public:
    // address: the unit memory address of the byte being completed.
    PagePacer(FlashModeLink& unit, std::uint16_t address, std::chrono::milliseconds pause)
        : unit_(unit), place_{0, address}, pause_(pause) {}

    // The count of characters sent: all of text, unless a write was held up
    // or failed or a stop was asked for. The counters stand after the last
    // character sent, so the rest can be sent again from there.
    std::size_t Send(std::string_view text);

  private:
    struct Run {
        std::size_t length = 0;
        bool pauseAfter = false;
    };
    struct Place {
        int group = 0; // position inside the current group of four characters
        std::uint16_t address = 0;
        // True when the character sent here completes the first byte of a
        // page at or below 4000h.
        bool PausesAfter() const;
        void Advance();
    };
    // The characters up to the next pause, at most available; one that
    // begins inside a group ends with it, so a stop can be seen where the
    // next group begins.
    Run NextRun(std::size_t available) const;

    FlashModeLink& unit_;
    Place place_;
    std::chrono::milliseconds pause_;
};

} // namespace zeb40
