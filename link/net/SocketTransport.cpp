#include "link/net/SocketTransport.h"

#include "link/net/NetworkPortName.h"
#include "link/net/TelnetCodec.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace zeb40 {
namespace {

using namespace std::chrono_literals;

// A server that has not answered the connection by then is not there.
constexpr auto ConnectTime = 5s;
// One byte on the server's line: a start bit, 8 data bits and a stop bit at
// 38400 baud.
constexpr std::chrono::nanoseconds ByteTime{1'000'000'000LL * 10 / 38400};
constexpr std::size_t ReceiveChunk = 4096;
// The server's text shown for a failed open is cut to this.
constexpr std::size_t MaxServerText = 200;

// The printable text of what a server sent, its lines joined by blanks.
std::string PrintableText(std::string_view bytes) {
    std::string text;
    bool blank = false;
    for (char c : bytes) {
        if (c >= 0x20 && c < 0x7F) {
            if (blank && !text.empty())
                text += ' ';
            blank = false;
            text += c;
        } else {
            blank = true;
        }
        if (text.size() >= MaxServerText)
            break;
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace

bool SocketTransport::Open(const std::string& device) {
    Close();
    name_ = device;
    openFailure_.clear();
    received_.clear();
    unsentRaw_.clear();
    lost_ = false;
    lineFreeAt_ = {};
    std::optional<NetworkPortName> parsed = ParseNetworkPortName(device);
    if (!parsed) {
        openFailure_ = "not a network port of the form rfc2217://HOST:PORT or tcp://HOST:PORT";
        return false;
    }
    const auto start = Clock::now();
    if (!socket_.Connect(parsed->host, parsed->port, start + ConnectTime)) {
        openFailure_ = socket_.LastError();
        return false;
    }
    roundTrip_ = Clock::now() - start;
    open_ = true;
    if (!StartSession()) {
        socket_.Close();
        open_ = false;
        received_.clear();
        return false;
    }
    return true;
}

void SocketTransport::Close() {
    if (!open_)
        return;
    if (!socket_.Closed())
        EndSession();
    socket_.Close();
    open_ = false;
    received_.clear();
    unsentRaw_.clear();
}

void SocketTransport::FailOpen(const std::string& reason) {
    std::string said = ConnectionEnded() ? PrintableText(received_) : std::string();
    if (!said.empty())
        openFailure_ = said;
    else if (ConnectionEnded())
        openFailure_ = socket_.LastError();
    else
        openFailure_ = reason;
}

bool SocketTransport::ReceiveOnce(Clock::time_point deadline) {
    char raw[ReceiveChunk];
    const std::size_t got = socket_.Receive(raw, sizeof raw, deadline);
    if (got == 0) {
        if (socket_.Closed())
            lost_ = true;
        return false;
    }
    Decode({raw, got});
    return true;
}

bool SocketTransport::SendRaw(std::string_view raw, Clock::time_point deadline) {
    const bool sent = socket_.Send(raw.data(), raw.size(), deadline) == raw.size();
    if (socket_.Closed())
        lost_ = true;
    return sent;
}

bool SocketTransport::DiscardUntilQuiet(Clock::duration quiet, Clock::time_point limit) {
    for (;;) {
        const auto now = Clock::now();
        if (now >= limit)
            break;
        if (!ReceiveOnce(std::min(limit, now + quiet))) {
            if (ConnectionEnded())
                return false;
            break;
        }
    }
    received_.clear();
    return true;
}

bool SocketTransport::FlushUnsent(Clock::time_point deadline) {
    if (unsentRaw_.empty())
        return true;
    const std::size_t sent = socket_.Send(unsentRaw_.data(), unsentRaw_.size(), deadline);
    unsentRaw_.erase(0, sent);
    if (socket_.Closed())
        lost_ = true;
    return unsentRaw_.empty();
}

void SocketTransport::NoteSent(std::size_t count) {
    // The bytes reach the server half a round trip from now and then take
    // their time on its line, after whatever is still on it.
    const auto reached = Clock::now() + roundTrip_ / 2;
    lineFreeAt_ = std::max(lineFreeAt_, reached) +
                  std::chrono::duration_cast<Clock::duration>(ByteTime * count);
}

std::size_t SocketTransport::WriteSome(const void* data, std::size_t count, int timeoutMs) {
    if (!open_ || lost_)
        return 0;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    if (!FlushUnsent(deadline))
        return 0;
    std::string_view bytes(static_cast<const char*>(data), count);
    const std::string escaped = escapeIac_ ? telnet::Escaped(bytes) : std::string(bytes);
    const std::size_t sent = socket_.Send(escaped.data(), escaped.size(), deadline);
    if (socket_.Closed())
        lost_ = true;
    // Which of the caller's bytes went out: a doubled 0xFF cut in half still
    // counts, its second half goes first with the next write.
    std::size_t written = 0;
    std::size_t at = 0;
    for (char c : bytes) {
        const std::size_t width =
            escapeIac_ && static_cast<unsigned char>(c) == telnet::Iac ? 2 : 1;
        if (at + width <= sent) {
            at += width;
            ++written;
            continue;
        }
        if (at < sent && !lost_) {
            unsentRaw_.assign(1, c);
            ++written;
        }
        break;
    }
    NoteSent(written);
    return written;
}

std::size_t SocketTransport::Read(void* buffer, std::size_t count, ReadBounds bounds) {
    if (!open_ || lost_ || count == 0)
        return 0;
    auto* bytes = static_cast<char*>(buffer);
    const auto totalDeadline =
        Clock::now() + std::chrono::milliseconds(bounds.totalMs) + roundTrip_;
    std::size_t got = 0;
    Clock::time_point lastByte{};
    auto take = [&] {
        const std::size_t n = std::min(count - got, received_.size());
        if (n == 0)
            return;
        std::memcpy(bytes + got, received_.data(), n);
        received_.erase(0, n);
        got += n;
        lastByte = Clock::now();
    };
    take();
    while (got < count) {
        auto deadline = totalDeadline;
        if (got > 0) {
            deadline =
                bounds.intervalMs == 0
                    ? Clock::now()
                    : std::min(deadline, lastByte + std::chrono::milliseconds(bounds.intervalMs) +
                                             roundTrip_);
        }
        if (!ReceiveOnce(deadline))
            break;
        take();
    }
    return got;
}

bool SocketTransport::Drain(int timeoutMs) {
    if (!open_ || lost_)
        return false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs) + roundTrip_;
    if (!FlushUnsent(deadline))
        return false;
    std::size_t pending = 0;
    while (socket_.Unacknowledged(pending) && pending > 0) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    std::this_thread::sleep_until(std::min(lineFreeAt_, deadline));
    return lineFreeAt_ <= deadline && !lost_;
}

bool SocketTransport::Purge() {
    if (!open_)
        return false;
    received_.clear();
    while (ReceiveOnce(Clock::now()))
        received_.clear();
    return !lost_;
}

} // namespace zeb40
