#pragma once
// The unit's side of the read-back: "9" requests and their replies of 2 hex
// digits, sent and read in the flash update mode.

#include "flash/FlashModeLink.h"
#include "flash/ReadBackDecoder.h"

#include <cstdint>
#include <string>

namespace zeb40 {

// Each request goes out when the decoder asks for it: one at a time, and up
// to 4 on a line that ends in "=" pad characters.
class UnitReadBack : public ReadBackPeer {
  public:
    explicit UnitReadBack(FlashModeLink& unit) : unit_(unit) {}
    void RequestBytes(std::size_t count) override;
    std::string ReadReply() override;

  private:
    FlashModeLink& unit_;
};

// Keeps up to depth requests outstanding for the whole read-back, so that
// the unit's replies fill its line while the requests travel the other way;
// the next goes out as each reply has come. Never more than total requests
// in all, so nothing is left in flight after the last byte.
class ReadAheadReadBack : public ReadBackPeer {
  public:
    ReadAheadReadBack(FlashModeLink& unit, std::uint64_t depth, std::uint64_t total)
        : unit_(unit), depth_(depth), total_(total) {}
    // The requests follow the replies, not the decoder.
    void RequestBytes(std::size_t) override {}
    std::string ReadReply() override;

  private:
    FlashModeLink& unit_;
    std::uint64_t depth_;
    std::uint64_t total_;
    std::uint64_t sent_ = 0;
    std::uint64_t read_ = 0;
};

} // namespace zeb40
