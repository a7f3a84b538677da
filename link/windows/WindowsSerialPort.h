#pragma once
// A Windows communications port ("\\.\COM3") as the transport under the
// unit's protocol. The port is opened without sharing, so a second program
// gets "Access denied" instead of a shared line. The port's timeouts are set
// from the bounds of each transfer, and only when they change.

#include "link/ByteTransport.h"

#include <string>

namespace zeb40 {

class WindowsSerialPort final : public ByteTransport {
  public:
    WindowsSerialPort() = default;
    ~WindowsSerialPort() override;
    WindowsSerialPort(const WindowsSerialPort&) = delete;
    WindowsSerialPort& operator=(const WindowsSerialPort&) = delete;

    // device is a path such as "\\.\COM3".
    bool Open(const std::string& device) override;
    void Close() override;
    bool IsOpen() const override;

    std::size_t WriteSome(const void* data, std::size_t count, int timeoutMs) override;
    std::size_t Read(void* buffer, std::size_t count, ReadBounds bounds) override;
    bool Drain(int timeoutMs) override;
    bool Purge() override;

    bool Lost() const override { return lost_; }
    std::string LastError() const override;
    std::string OpenFailureDetail() const override;

  private:
    // The five values of the port's COMMTIMEOUTS, in their order.
    struct Timeouts {
        unsigned long readInterval;
        unsigned long readMultiplier;
        unsigned long readConstant;
        unsigned long writeMultiplier;
        unsigned long writeConstant;
        bool operator==(const Timeouts&) const = default;
    };

    bool ApplyTimeouts(const Timeouts& timeouts);
    std::size_t ReadOnce(void* buffer, std::size_t count, const Timeouts& timeouts);
    void RecordError(unsigned long code) { lastError_ = code; }
    void NoteFailedTransfer(unsigned long code);
    // False, and the port lost, when the port no longer answers.
    bool ClearPortErrors(unsigned long* pendingOutput = nullptr);

    void* handle_ = nullptr; // the port's HANDLE; null when closed
    bool lost_ = false;
    std::string device_;
    unsigned long lastError_ = 0;
    Timeouts applied_{};
};

} // namespace zeb40
