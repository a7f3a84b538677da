#include "link/windows/WindowsSerialPort.h"

#include "link/SerialTransport.h"
#include "link/windows/PortOpenFailure.h"
#include "link/windows/SystemMessage.h"

#include <algorithm>
#include <chrono>
#include <windows.h>

namespace zeb40 {
namespace {

using Clock = std::chrono::steady_clock;

constexpr DWORD QueueSize = 4096;
constexpr DWORD PurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;
// ReadFile and WriteFile count in DWORDs; the protocol never moves this much at once.
constexpr std::size_t MaxTransfer = 1u << 30;

HANDLE PortHandle(void* handle) {
    return static_cast<HANDLE>(handle);
}

DWORD Milliseconds(int ms) {
    return ms > 0 ? static_cast<DWORD>(ms) : 0;
}

int MillisecondsUntil(Clock::time_point deadline) {
    // Rounded up, so a transfer never gets less than its time.
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool ApplyLineSettings(HANDLE port) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(port, &dcb))
        return false;
    dcb.BaudRate = CBR_38400;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = TRUE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    // The unit has no handshake lines: a driver that left CTS or DSR flow
    // control on would hold every write until its timeout.
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    return SetCommState(port, &dcb) != 0;
}

} // namespace

std::unique_ptr<ByteTransport> MakeSerialTransport() {
    return std::make_unique<WindowsSerialPort>();
}

WindowsSerialPort::~WindowsSerialPort() {
    Close();
}

bool WindowsSerialPort::IsOpen() const {
    return handle_ != nullptr;
}

std::string WindowsSerialPort::LastError() const {
    return SystemMessage(lastError_);
}

std::string WindowsSerialPort::OpenFailureDetail() const {
    return PortOpenFailureDetail(device_, lastError_);
}

bool WindowsSerialPort::Open(const std::string& device) {
    // Opening again without a close would keep the old handle, and the port
    // could no longer be opened by anyone.
    Close();
    device_ = device;
    HANDLE port = CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        RecordError(GetLastError());
        return false;
    }
    SetCommMask(port, EV_RXCHAR);
    SetupComm(port, QueueSize, QueueSize);
    PurgeComm(port, PurgeAll);
    // The timeouts of an idle port; every transfer sets its own.
    const Timeouts idle{100, 1, 1000, 1, 100};
    COMMTIMEOUTS timeouts{idle.readInterval, idle.readMultiplier, idle.readConstant,
                          idle.writeMultiplier, idle.writeConstant};
    // A port whose timeouts cannot be set could block a read for ever.
    if (!SetCommTimeouts(port, &timeouts) || !ApplyLineSettings(port)) {
        RecordError(GetLastError());
        CloseHandle(port);
        return false;
    }
    // Ports without modem lines (a pseudo-terminal under Wine) refuse these;
    // the line works all the same.
    EscapeCommFunction(port, SETDTR);
    EscapeCommFunction(port, SETRTS);
    handle_ = port;
    applied_ = idle;
    lost_ = false;
    return true;
}

void WindowsSerialPort::Close() {
    if (!handle_)
        return;
    HANDLE port = PortHandle(handle_);
    SetCommMask(port, 0);
    EscapeCommFunction(port, CLRDTR);
    PurgeComm(port, PurgeAll);
    CloseHandle(port);
    handle_ = nullptr;
}

bool WindowsSerialPort::ApplyTimeouts(const Timeouts& timeouts) {
    if (timeouts == applied_)
        return true;
    COMMTIMEOUTS values{timeouts.readInterval, timeouts.readMultiplier, timeouts.readConstant,
                        timeouts.writeMultiplier, timeouts.writeConstant};
    if (!SetCommTimeouts(PortHandle(handle_), &values)) {
        NoteFailedTransfer(GetLastError());
        return false;
    }
    applied_ = timeouts;
    return true;
}

void WindowsSerialPort::NoteFailedTransfer(unsigned long code) {
    RecordError(code);
    ClearPortErrors();
}

bool WindowsSerialPort::ClearPortErrors(unsigned long* pendingOutput) {
    // Clears the port's error state so the next transfer can go; a port that
    // cannot even do that has vanished (unplugged adapter, closed terminal).
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(PortHandle(handle_), &errors, &status)) {
        RecordError(GetLastError());
        lost_ = true;
        return false;
    }
    if (pendingOutput)
        *pendingOutput = status.cbOutQue;
    return true;
}

std::size_t WindowsSerialPort::WriteSome(const void* data, std::size_t count, int timeoutMs) {
    if (!handle_ || lost_)
        return 0;
    const auto* bytes = static_cast<const char*>(data);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t written = 0;
    while (written < count) {
        const int left = MillisecondsUntil(deadline);
        if (left == 0) {
            RecordError(ERROR_TIMEOUT);
            return written;
        }
        Timeouts timeouts = applied_;
        timeouts.writeMultiplier = 0;
        timeouts.writeConstant = Milliseconds(left);
        if (!ApplyTimeouts(timeouts))
            return written;
        DWORD sent = 0;
        const auto chunk = static_cast<DWORD>(std::min(count - written, MaxTransfer));
        if (!WriteFile(PortHandle(handle_), bytes + written, chunk, &sent, nullptr)) {
            NoteFailedTransfer(GetLastError());
            return written;
        }
        written += sent;
    }
    return written;
}

std::size_t WindowsSerialPort::ReadOnce(void* buffer, std::size_t count, const Timeouts& timeouts) {
    if (!ApplyTimeouts(timeouts))
        return 0;
    DWORD got = 0;
    const auto wanted = static_cast<DWORD>(std::min(count, MaxTransfer));
    if (!ReadFile(PortHandle(handle_), buffer, wanted, &got, nullptr)) {
        NoteFailedTransfer(GetLastError());
        return got;
    }
    // A vanished port may look like a silent one: the read just times out.
    if (got < wanted)
        ClearPortErrors();
    return got;
}

std::size_t WindowsSerialPort::Read(void* buffer, std::size_t count, ReadBounds bounds) {
    if (!handle_ || lost_ || count == 0)
        return 0;
    Timeouts timeouts = applied_;
    timeouts.readMultiplier = 0;
    // An interval of MAXDWORD without totals makes ReadFile return at once
    // with what the queue holds.
    if (bounds.totalMs <= 0) {
        // No total would mean "no limit" to the port.
        timeouts.readInterval = MAXDWORD;
        timeouts.readConstant = 0;
        return ReadOnce(buffer, count, timeouts);
    }
    timeouts.readConstant = Milliseconds(bounds.totalMs);
    if (bounds.intervalMs > 0) {
        timeouts.readInterval = Milliseconds(bounds.intervalMs);
        return ReadOnce(buffer, count, timeouts);
    }
    // No pause allowed after a byte: wait for the first, then take what has
    // come with it. Done in two reads, since not every port driver honours
    // the single setting meant for this (interval and multiplier MAXDWORD).
    timeouts.readInterval = 0;
    std::size_t got = ReadOnce(buffer, 1, timeouts);
    if (got == 1 && count > 1 && !lost_) {
        timeouts.readInterval = MAXDWORD;
        timeouts.readConstant = 0;
        got += ReadOnce(static_cast<char*>(buffer) + 1, count - 1, timeouts);
    }
    return got;
}

bool WindowsSerialPort::Drain(int timeoutMs) {
    if (!handle_ || lost_)
        return false;
    // FlushFileBuffers alone would wait without limit on a line held by flow
    // control, so the output queue is watched against the time first.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        unsigned long pending = 0;
        if (!ClearPortErrors(&pending))
            return false;
        if (pending == 0)
            break;
        if (Clock::now() >= deadline) {
            RecordError(ERROR_TIMEOUT);
            return false;
        }
        Sleep(1);
    }
    if (!FlushFileBuffers(PortHandle(handle_))) {
        NoteFailedTransfer(GetLastError());
        return false;
    }
    return true;
}

bool WindowsSerialPort::Purge() {
    if (!handle_)
        return false;
    if (!PurgeComm(PortHandle(handle_), PurgeAll)) {
        RecordError(GetLastError());
        return false;
    }
    return true;
}

} // namespace zeb40
