#pragma once
// A POSIX terminal device (serial port, USB adapter, pseudo-terminal) as the
// transport under the unit's protocol. The device is locked with flock and
// TIOCEXCL, so a second program gets "busy" instead of a shared line.

#include "link/ByteTransport.h"

#include <string>

namespace zeb40 {

class PosixSerialPort final : public ByteTransport {
  public:
    PosixSerialPort() = default;
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    bool Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override { return fd_ >= 0; }

    std::size_t WriteSome(const void* data, std::size_t count, int timeoutMs) override;
    std::size_t Read(void* buffer, std::size_t count, ReadBounds bounds) override;
    bool Drain(int timeoutMs) override;
    bool Purge() override;

    bool Lost() const override { return lost_; }
    std::string LastError() const override;
    std::string OpenFailureDetail() const override;

  private:
    void RecordError(int errorNumber) { lastErrno_ = errorNumber; }
    void MarkLost(int errorNumber);

    int fd_ = -1;
    bool lost_ = false;
    std::string devicePath_;
    int lastErrno_ = 0;
};

} // namespace zeb40
