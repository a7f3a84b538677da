#include "sim/Emulator.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace zeb40::sim {
namespace {

using Clock = std::chrono::steady_clock;
void MakeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
}

// How long to wait for the next scheduled answer; none without one.
timespec TimeUntil(std::chrono::steady_clock::time_point due) {
    const auto left = std::max<Clock::duration>(due - Clock::now(), {});
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    return timespec{static_cast<time_t>(nanoseconds / 1'000'000'000),
                    static_cast<long>(nanoseconds % 1'000'000'000)};
}

} // namespace

Emulator::Emulator(EmulatorOptions options) : options_(options) {
    line_.SetReceiveQueue(std::max<std::size_t>(options.receiveQueue, 1));
    InstallUnitFeatures(*this);
}

Emulator::~Emulator() {
    Stop();
}

bool Emulator::Start() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0)
        return false;
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        CloseLine();
        return false;
    }
    char name[128] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) {
        CloseLine();
        return false;
    }
    devicePath_ = name;
    slaveKeeper_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveKeeper_ < 0) {
        CloseLine();
        return false;
    }
    MakeRaw(slaveKeeper_);
    if (options_.paced) {
        line_.KeepProcessorsAwake();
        line_.MeasureHandOver(master_, slaveKeeper_);
    }
    if (pipe2(wakePipe_, O_CLOEXEC) != 0) {
        CloseLine();
        return false;
    }
    thread_ = std::thread([this] { Serve(); });
    return true;
}

void Emulator::Stop() {
    stopping_ = true;
    if (wakePipe_[1] >= 0) {
        char wake = 0;
        (void)!::write(wakePipe_[1], &wake, 1);
    }
    if (thread_.joinable())
        thread_.join();
    CloseLine();
    for (int& fd : wakePipe_) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void Emulator::Attach(Attachment attachment) {
    devicePath_ = attachment.devicePath;
    attachment_ = std::move(attachment);
}

void Emulator::Feed(std::string_view bytes) {
    for (char byte : bytes) {
        if (hungUp_)
            return;
        OnByte(byte);
    }
}

std::chrono::steady_clock::time_point Emulator::Now() const {
    if (attachment_)
        return attachment_->now();
    // Paced, the unit handles each byte at once but by the line's time: when
    // it arrived, or when the unit had answered what came before it; its
    // answers wait for their own time on the line.
    return options_.paced ? line_.Now() : Clock::now();
}

void Emulator::HangUp() {
    if (thread_.joinable() && std::this_thread::get_id() != thread_.get_id()) {
        hangUpRequested_ = true;
        char wake = 0;
        (void)!::write(wakePipe_[1], &wake, 1);
        while (!hungUp_ && !stopping_)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return;
    }
    // What the unit said before it went is still on the line.
    WriteAnswers(true);
    // Said before the line goes, so a test that sees the program lose the
    // line also sees the unit as hung up.
    hungUp_ = true;
    CloseLine();
}

void Emulator::CloseLine() {
    if (slaveKeeper_ >= 0)
        ::close(slaveKeeper_);
    if (master_ >= 0)
        ::close(master_);
    slaveKeeper_ = -1;
    master_ = -1;
}

std::vector<ReceivedCommand> Emulator::Received() {
    auto lock = Lock();
    return received_;
}

void Emulator::ClearReceived() {
    auto lock = Lock();
    received_.clear();
    receivedBytes_.clear();
}

bool Emulator::WaitForReceived(std::size_t count, std::chrono::milliseconds timeout) {
    auto lock = Lock();
    return receivedChanged_.wait_for(lock, timeout, [&] { return received_.size() >= count; });
}

std::string Emulator::ReceivedBytes() {
    auto lock = Lock();
    return receivedBytes_;
}

void Emulator::AddFault(const Fault& fault) {
    auto lock = Lock();
    faults_.Add(fault);
}

void Emulator::ClearFaults() {
    auto lock = Lock();
    faults_.Clear();
}

void Emulator::AddExtension(std::unique_ptr<Extension> extension) {
    auto lock = Lock();
    extensions_.push_back(std::move(extension));
}

bool Emulator::Configure(const std::string& key, const std::string& value) {
    auto lock = Lock();
    for (auto& extension : extensions_) {
        if (extension->Configure(*this, key, value))
            return true;
    }
    return false;
}

void Emulator::Send(const std::string& bytes) {
    if (attachment_ && !hungUp_) {
        attachment_->output(bytes);
        return;
    }
    if (master_ < 0 || bytes.empty())
        return;
    if (!options_.paced) {
        WriteAll(bytes);
        return;
    }
    // At line rate once the unit has handled the command and sent what it
    // said before. An answer is a few bytes that the program reads whole, so
    // it goes out in one piece when its last byte would have arrived: never
    // early, and one wake-up for the program instead of one per byte. The
    // serving loop writes it, reading on meanwhile as the line's other
    // direction carries on.
    scheduled_.push_back({line_.ScheduleAnswer(bytes.size()), bytes});
}

void Emulator::WriteAnswers(bool all) {
    while (!scheduled_.empty()) {
        const ScheduledAnswer& next = scheduled_.front();
        if (all)
            std::this_thread::sleep_until(next.due);
        else if (Clock::now() < next.due)
            return;
        if (master_ >= 0)
            WriteAll(next.bytes);
        line_.Written(next.due);
        scheduled_.pop_front();
    }
}

void Emulator::WriteAll(std::string_view bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        ssize_t n = ::write(master_, bytes.data() + sent, bytes.size() - sent);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
            return;
        }
    }
}

void Emulator::Serve() {
    // Paced timing needs sleeps that end on time, not up to 50 us late.
    prctl(PR_SET_TIMERSLACK, 1UL);
    // A unit has a processor of its own: where the system allows it, the
    // paced unit keeps its time ahead of busy programs beside it.
    if (options_.paced) {
        const sched_param priority{.sched_priority = 1};
        pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
    }
    char buffer[4096];
    while (!stopping_) {
        if (hangUpRequested_) {
            CloseLine();
            hungUp_ = true;
            return;
        }
        WriteAnswers(false);
        pollfd fds[2] = {{master_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        timespec untilDue{};
        if (!scheduled_.empty())
            untilDue = TimeUntil(scheduled_.front().due);
        if (::ppoll(fds, 2, scheduled_.empty() ? nullptr : &untilDue, nullptr) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents & POLLIN)
            continue; // woken to stop or hang up
        if (!(fds[0].revents & POLLIN))
            continue;
        ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        // Each byte arrives one byte time after the one before it.
        const auto readAt = Clock::now();
        for (ssize_t i = 0; i < n && !hungUp_; ++i) {
            if (options_.paced && !line_.ByteArrived(readAt)) {
                ++overruns_;
                continue;
            }
            OnByte(buffer[i]);
        }
        if (hungUp_)
            return;
    }
}

void Emulator::OnByte(char byte) {
    {
        auto lock = Lock();
        receivedBytes_ += byte;
        if (rawOwner_) {
            rawOwner_->OnRawByte(*this, byte);
            return;
        }
    }
    if (auto line = lines_.Take(byte))
        OnLine(*line);
}

} // namespace zeb40::sim
