#pragma once
// One serial device with the unit's fixed line settings (38400 8N1, raw, no
// flow control, DTR and RTS raised) and timeout-bounded transfers.
//
// A read returns when all bytes arrived, when more than the interval timeout
// passes between two bytes, or when count x multiplier + constant ms passed in
// all; a short count is a timeout, not an error. A write gives up after
// count x multiplier + constant ms. Nothing here prints or shows a message; the
// OS's reason for the last failure is kept in LastError().

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zeb40 {

struct SerialTimeouts {
    int readIntervalMs = 100;
    int readTotalMultiplierMs = 1;
    int readTotalConstantMs = 1000;
    int writeTotalMultiplierMs = 1;
    int writeTotalConstantMs = 100;
};

class SerialPort {
  public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    bool Open(const std::string& devicePath);
    // Maps an operator's port name ("COM3", "USB Serial Port (COM101)",
    // "ttyUSB0", "/dev/pts/3") to a device path and opens it.
    bool OpenByName(const std::string& name);
    bool Close();
    bool CloseIfOpen();
    bool IsOpen() const { return open_; }

    bool Write(const void* data, std::size_t count);
    // count 0 means the length of the zero-terminated text.
    bool WriteText(const char* text, std::size_t count = 0);
    // Returns the number of bytes read; fewer than count on a timeout.
    std::size_t Read(void* buffer, std::size_t count);
    bool ReadExact(void* buffer, std::size_t count);
    // Waits (bounded) until the output queue has been transmitted.
    bool Drain();
    // Discards both queues.
    bool Purge();
    // Replaces only the read total constant; returns the previous one.
    int SetReadTimeout(int milliseconds);
    const SerialTimeouts& Timeouts() const { return timeouts_; }

    // Byte-wise write for the flash loader: every four characters stand for
    // three bytes of unit memory; pauses at 128-byte boundaries up to 0x4000.
    bool WritePaced(const void* data, std::size_t count, int pauseMs, std::uint16_t& address);
    int GroupCounter() const { return groupCounter_; }

    // True once the device has vanished (hang-up, I/O error); every transfer
    // then fails at once instead of waiting for its timeout.
    bool Lost() const { return lost_; }
    const std::string& LastError() const { return lastError_; }
    int LastErrorNumber() const { return lastErrno_; }
    const std::string& DevicePath() const { return devicePath_; }

    // For a run that Ctrl+C must stop cleanly: once *stop is set, the next
    // write that begins an exchange (the first after a read) and the next
    // group of paced characters fail as on a lost line, so the running
    // sequence ends through its own failure handling and no command is cut
    // in half.
    void StopWhen(const std::atomic<bool>* stop) { stop_ = stop; }

  private:
    bool StopNow();
    void RecordError(int errorNumber);
    void MarkLost(int errorNumber);

    int fd_ = -1;
    bool open_ = false;
    int groupCounter_ = 0;
    bool lost_ = false;
    SerialTimeouts timeouts_;
    std::string devicePath_;
    std::string lastError_;
    int lastErrno_ = 0;
    const std::atomic<bool>* stop_ = nullptr;
    bool betweenExchanges_ = true;
};

} // namespace zeb40
