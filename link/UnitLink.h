#pragma once
// The unit's command protocol on top of the serial port: a letter, an optional
// "%lX" value and CR go out; an echo line and a reply line come back. Every
// operation is synchronous and returns false when the exchange failed in any
// way (write error, timeout, echo mismatch, undecodable reply).

#include "link/ReplyCode.h"
#include "link/SerialPort.h"

#include <cstdint>
#include <string>

namespace zeb40 {

// Numbers of the values read with 'e'.
namespace unit_value {
inline constexpr std::uint32_t ReaderTimecode = 0x03;
inline constexpr std::uint32_t GeneratorTimecode = 0x23;
inline constexpr std::uint32_t ItemStatus = 0x95;
inline constexpr std::uint32_t SecondOptionWord = 0x96;
inline constexpr std::uint32_t FirstOptionWord = 0x97;
inline constexpr std::uint32_t Identifier = 0x98;
inline constexpr std::uint32_t FirmwareVersion = 0x99;
} // namespace unit_value

// One reply line as read: at most MaxLineLength bytes, LF included when it came.
struct Line {
    static constexpr std::size_t MaxLineLength = 20;
    char bytes[MaxLineLength] = {};
    std::size_t length = 0;
    std::string_view View() const { return {bytes, length}; }
};

class UnitLink : public SerialPort {
  public:
    bool SendText(const char* text);
    bool SendLetter(char letter);
    bool SendCommand(char letter, std::uint32_t value);

    // Reads up to LF or 20 bytes; false on a timeout before either.
    bool ReadLine(Line& line);
    bool ReadEcho(char& letter, std::uint32_t& value);
    bool ReadReply(ReplyCode& code, std::uint32_t& value);
    bool ReadReply(ReplyCode& code, std::uint32_t& value, std::uint32_t& second);

    // Presence check: backspace, any line, then "CO".
    bool Probe();
    // Echo (letter and value) checked; true exactly when the reply is OK.
    bool Command(char letter, std::uint32_t value);
    // Echo letter checked; true exactly when the reply is OK.
    bool CommandLetter(char letter);
    // True when the reply was decoded; the caller checks the code. result is
    // written only when the whole operation succeeds.
    bool Query(char letter, std::uint32_t value, ReplyCode& code, std::uint32_t& result);
    bool QueryWord(char letter, std::uint32_t value, ReplyCode& code, std::uint16_t& result);
    bool QueryByte(char letter, std::uint32_t value, ReplyCode& code, std::uint8_t& result);
    bool QueryPair(char letter, std::uint32_t value, ReplyCode& code, std::uint32_t& first,
                   std::uint32_t& second);

  private:
    bool ReadReplyLine(bool withSecondSlot, ReplyCode& code, std::uint32_t& value,
                       std::uint32_t& second);
    bool SendAndCheckEcho(char letter, std::uint32_t value);
};

// "%lX": upper-case hex without leading zeros.
std::string HexText(std::uint32_t value);

} // namespace zeb40
