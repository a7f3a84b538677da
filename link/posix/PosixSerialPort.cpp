#include "link/posix/PosixSerialPort.h"

#include "link/SerialTransport.h"
#include "link/posix/PortAccess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace zeb40 {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsUntil(Clock::time_point deadline) {
    // Rounded up: a poll that wakes a fraction early would end a read before
    // its time.
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool IsDeviceGone(int errorNumber) {
    return errorNumber == EIO || errorNumber == ENXIO || errorNumber == ENODEV ||
           errorNumber == EBADF;
}

bool ApplyLineSettings(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS | HUPCL);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, B38400) != 0 || cfsetospeed(&tio, B38400) != 0)
        return false;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

void SetModemLines(int fd, int lines, bool raise) {
    // Pseudo-terminals have no modem lines; that is not a failure.
    ioctl(fd, raise ? TIOCMBIS : TIOCMBIC, &lines);
}

} // namespace

std::unique_ptr<ByteTransport> MakeSerialTransport() {
    return std::make_unique<PosixSerialPort>();
}

PosixSerialPort::~PosixSerialPort() {
    Close();
}

void PosixSerialPort::MarkLost(int errorNumber) {
    RecordError(errorNumber);
    lost_ = true;
}

std::string PosixSerialPort::LastError() const {
    return std::strerror(lastErrno_);
}

std::string PosixSerialPort::OpenFailureDetail() const {
    return PortOpenFailureDetail(devicePath_, lastErrno_);
}

bool PosixSerialPort::Open(const std::string& device) {
    // Opening again without a close would keep the old descriptor and its
    // lock, and the unit could no longer be reached by anyone.
    Close();
    devicePath_ = device;
    int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        RecordError(errno);
        return false;
    }
    // Two programs must never talk to one unit at once.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        RecordError(errno == EWOULDBLOCK ? EBUSY : errno);
        ::close(fd);
        return false;
    }
    if (isatty(fd) && ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) {
        RecordError(errno);
        ::close(fd);
        return false;
    }
    tcflush(fd, TCIOFLUSH);
    if (!ApplyLineSettings(fd)) {
        RecordError(errno);
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        return false;
    }
    SetModemLines(fd, TIOCM_DTR, true);
    SetModemLines(fd, TIOCM_RTS, true);
    fd_ = fd;
    lost_ = false;
    return true;
}

void PosixSerialPort::Close() {
    if (fd_ < 0)
        return;
    SetModemLines(fd_, TIOCM_DTR, false);
    tcflush(fd_, TCIOFLUSH);
    ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

std::size_t PosixSerialPort::WriteSome(const void* data, std::size_t count, int timeoutMs) {
    if (fd_ < 0 || lost_)
        return 0;
    const auto* bytes = static_cast<const unsigned char*>(data);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::size_t written = 0;
    while (written < count) {
        ssize_t n = ::write(fd_, bytes + written, count - written);
        if (n > 0) {
            written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            if (IsDeviceGone(errno))
                MarkLost(errno);
            else
                RecordError(errno);
            return written;
        }
        pollfd p{fd_, POLLOUT, 0};
        int ready = ::poll(&p, 1, MillisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            RecordError(ETIMEDOUT);
            return written;
        }
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            MarkLost(EIO);
            return written;
        }
    }
    return written;
}

std::size_t PosixSerialPort::Read(void* buffer, std::size_t count, ReadBounds bounds) {
    if (fd_ < 0 || lost_ || count == 0)
        return 0;
    auto* bytes = static_cast<unsigned char*>(buffer);
    const auto totalDeadline = Clock::now() + std::chrono::milliseconds(bounds.totalMs);
    std::size_t got = 0;
    Clock::time_point lastByte{};
    while (got < count) {
        auto deadline = totalDeadline;
        if (got > 0)
            deadline = std::min(deadline, lastByte + std::chrono::milliseconds(bounds.intervalMs));
        pollfd p{fd_, POLLIN, 0};
        int ready = ::poll(&p, 1, MillisecondsUntil(deadline));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            RecordError(errno);
            return got;
        }
        if (ready == 0)
            return got; // timeout: the short count says so
        if (p.revents & POLLIN) {
            ssize_t n = ::read(fd_, bytes + got, count - got);
            if (n > 0) {
                got += static_cast<std::size_t>(n);
                lastByte = Clock::now();
                continue;
            }
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            MarkLost(n == 0 ? EIO : errno);
            return got;
        }
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            MarkLost(EIO);
            return got;
        }
    }
    return got;
}

bool PosixSerialPort::Drain(int timeoutMs) {
    if (fd_ < 0 || lost_)
        return false;
    int pending = 0;
    if (ioctl(fd_, TIOCOUTQ, &pending) != 0)
        return tcdrain(fd_) == 0;
    // Polled rather than tcdrain: a line held by flow control must not hang
    // the program.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (pending > 0) {
        if (Clock::now() >= deadline) {
            RecordError(ETIMEDOUT);
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (ioctl(fd_, TIOCOUTQ, &pending) != 0)
            break;
    }
    return true;
}

bool PosixSerialPort::Purge() {
    if (fd_ < 0)
        return false;
    return tcflush(fd_, TCIOFLUSH) == 0;
}

} // namespace zeb40
