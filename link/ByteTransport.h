#pragma once
// The byte stream under the unit's protocol: the serial port on this computer,
// a scripted fake in tests. Every transfer is bounded by the time the caller
// passes with it; nothing here waits longer, prints or shows a message.

#include <cstddef>
#include <string>

namespace zeb40 {

// How long one read may take: it ends when all bytes came, when more than
// intervalMs passed between two bytes, or when totalMs passed since it began.
// intervalMs 0: it ends with what has come as soon as no further byte is
// waiting, once the first one came.
struct ReadBounds {
    int totalMs = 1000;
    int intervalMs = 100;
};

class ByteTransport {
  public:
    virtual ~ByteTransport() = default;

    // Opens the device exclusively with the unit's line settings: 38400 baud,
    // 8 data bits, no parity, one stop bit, raw, no flow control, DTR and RTS
    // raised, both queues empty. False with the reason kept for
    // OpenFailureDetail(); a transport that was open is closed first.
    virtual bool Open(const std::string& device) = 0;
    // Drops DTR, discards both queues and releases the device. Nothing when
    // closed.
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // Writes what the line takes within timeoutMs and returns how many bytes
    // went out: all of them, unless the time passed first or the device
    // failed. A caller that goes on after a short count resumes where it
    // ended rather than sending the start again.
    virtual std::size_t WriteSome(const void* data, std::size_t count, int timeoutMs) = 0;
    // Writes all bytes, or false when timeoutMs passed first or the device
    // failed; writing nothing fails on a closed or lost line.
    bool Write(const void* data, std::size_t count, int timeoutMs) {
        if (count == 0)
            return IsOpen() && !Lost();
        return WriteSome(data, count, timeoutMs) == count;
    }
    // Returns the number of bytes read; a short count is a timeout, not an
    // error.
    virtual std::size_t Read(void* buffer, std::size_t count, ReadBounds bounds) = 0;
    // Waits until the output queue has been handed to the line; false when
    // timeoutMs passed first.
    virtual bool Drain(int timeoutMs) = 0;
    // Discards both queues.
    virtual bool Purge() = 0;

    // True once the device has vanished (unplugged, hung up): every transfer
    // then fails at once instead of waiting for its time.
    virtual bool Lost() const = 0;
    // The system's reason for the last failure ("Device or resource busy").
    virtual std::string LastError() const = 0;
    // Why the last Open failed, in words an operator can act on:
    // "<device>: <reason>", with a hint where one helps (a group to join).
    virtual std::string OpenFailureDetail() const = 0;
};

} // namespace zeb40
