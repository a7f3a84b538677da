#pragma once
// The unit's flash update mode. 'l' 4 gives the value V; "$" with the
// complement of V (or V itself, see SwitchAccepts) makes the unit's firmware
// loader take over the line. The loader answers single command characters
// with fixed-length replies: "?" to CR, flash manufacturer "1", chip "2", logic
// test "5", address pointer "D" nnnn "4", block erase "C", programming "I" with
// base64 up to "=", read-back "9", restart "G".
//
// Flash memory is five 8 KB blocks from 2000h. Programming a 128-byte page at
// or below 4000h keeps the unit busy for the page time; characters that arrive
// meanwhile are lost, as on the real unit. "G" starts the programmed image and
// takes the firmware version from it (see firmware_image).

#include "sim/Extension.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace zeb40::sim {

// Where a firmware image says which version it is: the four bytes "ZEB4" at
// the start of the image (address 2000h), then the version, major number
// first. An image without them keeps the version the unit had.
namespace firmware_image {
inline constexpr std::uint16_t Start = 0x2000;
inline constexpr std::uint32_t End = 0xC000; // first address after the five blocks
inline constexpr char Marker[4] = {'Z', 'E', 'B', '4'};
inline constexpr std::size_t VersionOffset = 4;
inline constexpr std::size_t HeaderSize = 6;
} // namespace firmware_image

// The replies of the flash update mode that a test can make go wrong.
enum class FlashReply {
    Prompt,         // "?" to CR
    Manufacturer,   // "01" to "1"
    Chip,           // "20" to "2"
    Logic,          // "01" to "5"
    AddressPointer, // the 4 digits to "D" nnnn "4"
    Erase,          // "00" to "C"
    ProgramResult,  // "00" after the ending "="
    ReadBack,       // a byte as 2 hex digits to "9"
    Restart,        // "G" to "G"
};

struct FlashFault {
    enum class Kind {
        Text,      // reply with text instead
        Silent,    // no reply
        HangUp,    // the line goes down instead of the reply
        Lowercase, // the normal reply in lower case
    };
    FlashReply reply = FlashReply::Prompt;
    Kind kind = Kind::Text;
    std::string text;
    int skip = 0;   // let this many replies pass first
    int times = -1; // how often it strikes; -1 for ever
};

class FlashMode : public Extension {
  public:
    enum class SwitchAccepts { Complement, Plain, Never };

    FlashMode();

    std::optional<Response> Handle(Emulator& unit, const ReceivedCommand& command) override;
    // flash-v=HEX, flash-switch=complement|plain|never, flash-page-ms=N,
    // flash-mode=on (the unit starts in flash update mode)
    bool Configure(Emulator& unit, const std::string& key, const std::string& value) override;
    void OnRawByte(Emulator& unit, char byte) override;

    // For tests; hold the emulator's lock.
    void SetModeSwitchValue(std::uint32_t v) { v_ = v; }
    void SetSwitchAccepts(SwitchAccepts accepts) { accepts_ = accepts; }
    void SetPageTime(std::chrono::milliseconds time) { pageTime_ = time; }
    void AddFault(const FlashFault& fault) { faults_.push_back(fault); }
    void EnterFlashMode(Emulator& unit);
    bool InFlashMode() const { return inFlashMode_; }
    // The flash memory from 2000h, count bytes.
    std::vector<std::uint8_t> Flash(std::size_t count) const;
    std::uint64_t LostCharacters() const { return lost_; }
    std::uint64_t BytesSent() const { return sent_; }
    // When the last programming result went out (the read-back follows).
    std::chrono::steady_clock::time_point ProgrammedAt() const { return programmedAt_; }

  private:
    enum class Phase { Command, Address, Programming, SkipLine };

    void OnCommand(Emulator& unit, char byte);
    void OnProgramming(Emulator& unit, char byte);
    void OnAddress(Emulator& unit, char byte);
    void ProgramByte(std::uint8_t byte);
    void Erase(Emulator& unit);
    void Restart(Emulator& unit);
    // Sends the reply unless a fault changes it; false when a fault struck.
    bool Reply(Emulator& unit, FlashReply which, const std::string& normal);

    std::array<std::uint8_t, 0x10000> memory_{};
    std::uint32_t v_ = 0x5A3C0F96;
    SwitchAccepts accepts_ = SwitchAccepts::Complement;
    std::chrono::milliseconds pageTime_{10};
    std::vector<FlashFault> faults_;

    bool inFlashMode_ = false;
    Phase phase_ = Phase::Command;
    std::uint16_t pointer_ = 0;
    std::string addressDigits_;
    std::uint32_t accumulator_ = 0;
    int bitsHeld_ = 0;
    bool programFailed_ = false;
    std::chrono::steady_clock::time_point busyUntil_{};
    std::chrono::steady_clock::time_point programmedAt_{};
    std::uint64_t lost_ = 0;
    std::uint64_t sent_ = 0;
};

} // namespace zeb40::sim
