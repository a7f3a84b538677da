#pragma once
// Sends the programmed characters so that the unit has time to program its
// pages: every four characters stand for three bytes of unit memory, and when
// a character completes a 128-byte page at or below 4000h the line is
// emptied and the unit gets the page pause before the next character.

#include "flash/FlashModeLink.h"

#include <chrono>
#include <cstdint>

namespace zeb40 {

class PagePacer {
  public:
    // address: the unit memory address of the byte being completed.
    PagePacer(FlashModeLink& unit, std::uint16_t address, std::chrono::milliseconds pause)
        : unit_(unit), address_(address), pause_(pause) {}

    // False when the character could not be written; the counters then stay.
    bool Send(char c);

  private:
    FlashModeLink& unit_;
    std::uint16_t address_;
    std::chrono::milliseconds pause_;
    int group_ = 0; // position inside the current group of four characters
};

} // namespace zeb40
