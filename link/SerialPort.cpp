#include "link/SerialPort.h"

#include "link/PortNames.h"

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
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
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

SerialPort::~SerialPort() {
    CloseIfOpen();
}

void SerialPort::RecordError(int errorNumber) {
    lastErrno_ = errorNumber;
    lastError_ = std::strerror(errorNumber);
}

void SerialPort::MarkLost(int errorNumber) {
    RecordError(errorNumber);
    lost_ = true;
}

bool SerialPort::StopNow() {
    if (stop_ == nullptr || !stop_->load())
        return false;
    MarkLost(EINTR);
    return true;
}

bool SerialPort::Open(const std::string& devicePath) {
    devicePath_ = devicePath;
    betweenExchanges_ = true;
    int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
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
    timeouts_ = SerialTimeouts{};
    tcflush(fd, TCIOFLUSH);
    if (!ApplyLineSettings(fd)) {
        RecordError(errno);
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        open_ = false;
        return false;
    }
    SetModemLines(fd, TIOCM_DTR, true);
    SetModemLines(fd, TIOCM_RTS, true);
    fd_ = fd;
    lost_ = false;
    open_ = true;
    return true;
}

bool SerialPort::OpenByName(const std::string& name) {
    bool opened = Open(DevicePathForName(name));
    groupCounter_ = 0;
    return opened;
}

bool SerialPort::Close() {
    open_ = false;
    if (fd_ >= 0) {
        SetModemLines(fd_, TIOCM_DTR, false);
        tcflush(fd_, TCIOFLUSH);
        ioctl(fd_, TIOCNXCL);
        ::close(fd_);
        fd_ = -1;
    }
    return true;
}

bool SerialPort::CloseIfOpen() {
    if (!open_)
        return false;
    return Close();
}

bool SerialPort::Write(const void* data, std::size_t count) {
    if (fd_ < 0 || lost_)
        return false;
    if (betweenExchanges_ && StopNow())
        return false;
    betweenExchanges_ = false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(timeouts_.writeTotalMultiplierMs * count +
                                                 timeouts_.writeTotalConstantMs);
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
            return false;
        }
        pollfd p{fd_, POLLOUT, 0};
        int ready = ::poll(&p, 1, MillisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            RecordError(ETIMEDOUT);
            return false;
        }
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) {
            MarkLost(EIO);
            return false;
        }
    }
    return true;
}

bool SerialPort::WriteText(const char* text, std::size_t count) {
    if (count == 0)
        count = std::strlen(text);
    return Write(text, count);
}

std::size_t SerialPort::Read(void* buffer, std::size_t count) {
    if (fd_ < 0 || lost_ || count == 0)
        return 0;
    betweenExchanges_ = true;
    auto* bytes = static_cast<unsigned char*>(buffer);
    const auto start = Clock::now();
    const auto totalDeadline =
        start + std::chrono::milliseconds(timeouts_.readTotalMultiplierMs * count +
                                          timeouts_.readTotalConstantMs);
    std::size_t got = 0;
    auto lastByte = start;
    while (got < count) {
        auto deadline = totalDeadline;
        if (got > 0)
            deadline =
                std::min(deadline, lastByte + std::chrono::milliseconds(timeouts_.readIntervalMs));
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

bool SerialPort::ReadExact(void* buffer, std::size_t count) {
    return Read(buffer, count) == count;
}

bool SerialPort::Drain() {
    if (fd_ < 0 || lost_)
        return false;
    int pending = 0;
    if (ioctl(fd_, TIOCOUTQ, &pending) != 0)
        return tcdrain(fd_) == 0;
    // Bounded like a write of the pending bytes: a line held by flow control
    // must not hang the program.
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(timeouts_.writeTotalMultiplierMs * pending +
                                                 timeouts_.writeTotalConstantMs);
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

bool SerialPort::Purge() {
    if (fd_ < 0)
        return false;
    return tcflush(fd_, TCIOFLUSH) == 0;
}

int SerialPort::SetReadTimeout(int milliseconds) {
    int previous = timeouts_.readTotalConstantMs;
    timeouts_.readTotalConstantMs = milliseconds;
    return previous;
}

bool SerialPort::WritePaced(const void* data, std::size_t count, int pauseMs,
                            std::uint16_t& address) {
    const auto* bytes = static_cast<const char*>(data);
    for (std::size_t i = 0; i < count; ++i) {
        if (groupCounter_ == 0 && StopNow())
            return false;
        if (!WriteText(bytes + i, 1))
            return false;
        if (address <= 0x4000 && groupCounter_ != 0 && (address & 0x7F) == 0) {
            Drain();
            std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
        }
        ++groupCounter_;
        if (groupCounter_ == 2 || groupCounter_ == 3) {
            ++address;
        } else if (groupCounter_ == 4) {
            ++address;
            groupCounter_ = 0;
        }
    }
    return true;
}

} // namespace zeb40
