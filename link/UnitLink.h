#pragma once
// The unit's command protocol on a byte transport: a letter, an optional "%lX"
// value and CR go out; an echo line and a reply line come back. Every
// exchange is synchronous and returns a LinkResult: false when it failed in
// any way, telling how (refusal, silence, wrong echo, undecodable reply, lost
// line). The raw sends and reads below the exchanges return plain bools.
//
// The unit may take up to 1 ms + the reply wait for every awaited byte (1001 ms
// normally); exchanges that keep the unit busy pass a longer wait. A write of
// n bytes may take n + 100 ms.

#include "link/ByteTransport.h"
#include "link/LinkClock.h"
#include "link/LinkResult.h"
#include "link/ReplyCode.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

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

// How long the unit may stay silent before each awaited byte, in ms.
enum class ReplyWait : int {
    Normal = 1000,
    FlashMode = 2000,   // every reply of the flash update, 'l' 4 included
    Reorganize = 5000,  // 'Q': the unit reorganises its memory first
    ProfileSave = 10000 // the whole save of a user profile
};

// One reply line as read: at most MaxLineLength bytes, LF included when it came.
struct Line {
    static constexpr std::size_t MaxLineLength = 20;
    char bytes[MaxLineLength] = {};
    std::size_t length = 0;
    std::string_view View() const { return {bytes, length}; }
};

class UnitLink {
  public:
    // On this computer's serial ports, the network ports of serial device
    // servers, and this computer's clock.
    UnitLink();
    UnitLink(std::unique_ptr<ByteTransport> transport, LinkClock& clock);
    ~UnitLink();
    UnitLink(const UnitLink&) = delete;
    UnitLink& operator=(const UnitLink&) = delete;

    // Maps an operator's port name ("COM3", "USB Serial Port (COM101)",
    // "ttyUSB0", "/dev/pts/3", "rfc2217://host:4001") to a device path and
    // opens it, closing first.
    bool OpenByName(const std::string& name);
    void Close();
    // False when the link was already closed.
    bool CloseIfOpen();
    bool IsOpen() const;
    // True once the device has vanished; every exchange then fails at once.
    bool Lost() const;
    // Why the last open failed: "<device>: <reason>" (the window shows it).
    std::string OpenFailureDetail() const;
    // The same without the device (the command line names it itself).
    std::string OpenFailureReason() const;

    bool SendText(std::string_view text);
    bool SendLetter(char letter);
    bool SendCommand(char letter, std::uint32_t value);

    // Reads up to LF or 20 bytes; false on a timeout before either. Bytes
    // after the line stay for the next read.
    bool ReadLine(Line& line, ReplyWait wait = ReplyWait::Normal);
    bool ReadEcho(char& letter, std::uint32_t& value, ReplyWait wait = ReplyWait::Normal);
    bool ReadReply(ReplyCode& code, std::uint32_t& value, ReplyWait wait = ReplyWait::Normal);
    bool ReadReply(ReplyCode& code, std::uint32_t& value, std::uint32_t& second,
                   ReplyWait wait = ReplyWait::Normal);

    // Presence check: backspace, any line, then "CO" (another code refuses).
    LinkResult Probe();
    // Echo (letter and value) checked; Ok exactly when the reply is OK.
    LinkResult Command(char letter, std::uint32_t value, ReplyWait wait = ReplyWait::Normal);
    // Echo letter checked; Ok exactly when the reply is OK.
    LinkResult CommandLetter(char letter, ReplyWait wait = ReplyWait::Normal);
    // Ok when the reply was decoded, with the code in Reply() and in code;
    // the caller checks it (Expecting). result is written only on Ok.
    LinkResult Query(char letter, std::uint32_t value, ReplyCode& code, std::uint32_t& result,
                     ReplyWait wait = ReplyWait::Normal);
    // As Query; a decoded number too large for the result is Garbled, with
    // the code still handed back.
    LinkResult QueryWord(char letter, std::uint32_t value, ReplyCode& code, std::uint16_t& result);
    LinkResult QueryByte(char letter, std::uint32_t value, ReplyCode& code, std::uint8_t& result);
    LinkResult QueryPair(char letter, std::uint32_t value, ReplyCode& code, std::uint32_t& first,
                         std::uint32_t& second);

    // Raw transfers for the flash update mode. ReadBytes returns what arrived
    // of count bytes under one read: count x 1 ms + the wait in all, 100 ms
    // between two bytes.
    bool WriteBytes(std::string_view bytes);
    // As many of the bytes as the line takes in the time a write of them may
    // take; the count written.
    std::size_t WriteSomeBytes(std::string_view bytes);
    std::string ReadBytes(std::size_t count, ReplyWait wait);
    // Waits until the output queue has been handed to the line, bounded like
    // a write of pendingBytes.
    bool Drain(std::size_t pendingBytes);
    // Discards both queues and whatever was read ahead.
    bool Purge();

    LinkClock& Clock() { return clock_; }

    // For a run that Ctrl+C must stop cleanly: once *stop is set, the next
    // write that begins an exchange (the first after a read) fails as on a
    // lost line, and so does every transfer after it, so the running sequence
    // ends through its own failure handling and no command is cut in half.
    void StopWhen(const std::atomic<bool>* stop) { stop_ = stop; }
    // For writes whose boundaries only the caller knows (the programmed
    // characters of the flash update): true, and the link counts as lost from
    // now on, when a stop was asked for.
    bool StopAsked();

  private:
    friend class RaisedReplyWait;

    int WaitMs(ReplyWait wait) const;
    // False when a stop or an earlier stop keeps this write from going out.
    bool MayWrite();
    bool FillReadAhead(ReplyWait wait);
    // A line that did not come: Lost on a vanished or stopped line, else Silent.
    LinkResult NoLine() const;
    LinkResult ReadReplyLine(bool withSecondSlot, ReplyCode& code, std::uint32_t& value,
                             std::uint32_t& second, ReplyWait wait);
    LinkResult SendAndCheckEcho(char letter, std::uint32_t value, ReplyWait wait);
    LinkResult CheckedReply(ReplyWait wait);

    std::unique_ptr<ByteTransport> transport_;
    LinkClock& clock_;
    std::string readAhead_; // bytes read past the last line, oldest first
    int raisedWaitMs_ = 0;
    const std::atomic<bool>* stop_ = nullptr;
    bool stopped_ = false;
    bool betweenExchanges_ = true; // nothing written since the last read
};

// Raises the reply wait of every exchange while it lives, for a sequence that
// keeps the unit busy throughout (saving a user profile applies all settings
// first). Ends with the scope, so no caller can leave it raised.
class RaisedReplyWait {
  public:
    RaisedReplyWait(UnitLink& link, ReplyWait wait);
    ~RaisedReplyWait();
    RaisedReplyWait(const RaisedReplyWait&) = delete;
    RaisedReplyWait& operator=(const RaisedReplyWait&) = delete;

  private:
    UnitLink& link_;
    int previousMs_;
};

// "%lX": upper-case hex without leading zeros.
std::string HexText(std::uint32_t value);

} // namespace zeb40
