#include "link/net/TcpSocket.h"

#include <algorithm>

// Winsock first: the headers after it need its types.
// clang-format off
#include <winsock2.h>
#include <mstcpip.h>
#include <ws2tcpip.h>
// clang-format on

// Windows's own mstcpip.h has it; mingw-w64's lacks it.
#ifndef SIO_TCP_SET_ACK_FREQUENCY
#define SIO_TCP_SET_ACK_FREQUENCY _WSAIOW(IOC_VENDOR, 23)
#endif

namespace zeb40 {
namespace {

// Keep-alive: the first probe after 5 s of silence, then one a second.
constexpr ULONG KeepAliveIdleMs = 5000;
constexpr ULONG KeepAliveIntervalMs = 1000;

SOCKET Handle(std::intptr_t handle) {
    return static_cast<SOCKET>(handle);
}

timeval TimeUntil(TcpSocket::Clock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::microseconds>(deadline - TcpSocket::Clock::now());
    long long us = left.count() > 0 ? left.count() : 0;
    return {static_cast<long>(us / 1000000), static_cast<long>(us % 1000000)};
}

std::string ErrorText(int error) {
    char text[256] = {};
    DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(error), 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                          text[length - 1] == '.' || text[length - 1] == ' '))
        text[--length] = '\0';
    return length > 0 ? std::string(text, length) : "socket error " + std::to_string(error);
}

bool StartWinsock() {
    static const bool started = [] {
        WSADATA data{};
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

// 1 ready, 0 timeout, -1 failed.
int WaitFor(SOCKET s, bool write, TcpSocket::Clock::time_point deadline) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(s, &set);
    fd_set failed;
    FD_ZERO(&failed);
    FD_SET(s, &failed);
    timeval time = TimeUntil(deadline);
    int ready = select(0, write ? nullptr : &set, write ? &set : nullptr, &failed, &time);
    if (ready < 0 || FD_ISSET(s, &failed))
        return -1;
    return ready > 0 ? 1 : 0;
}

void TuneConnection(SOCKET s) {
    BOOL on = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
    tcp_keepalive keepAlive{1, KeepAliveIdleMs, KeepAliveIntervalMs};
    DWORD returned = 0;
    WSAIoctl(s, SIO_KEEPALIVE_VALS, &keepAlive, sizeof keepAlive, nullptr, 0, &returned, nullptr,
             nullptr);
    // Every segment acknowledged at once: a server without TCP_NODELAY
    // (ser2net's default) holds back each piece of a reply after the first
    // until the piece before is acknowledged, and Windows delays that up to
    // 200 ms.
    UCHAR everySegment = 1;
    WSAIoctl(s, SIO_TCP_SET_ACK_FREQUENCY, &everySegment, sizeof everySegment, nullptr, 0,
             &returned, nullptr, nullptr);
}

} // namespace

bool TcpSocket::Connect(const std::string& host, std::uint16_t port, Clock::time_point deadline) {
    Close();
    closed_ = false;
    lastError_.clear();
    if (!StartWinsock()) {
        lastError_ = ErrorText(WSAGetLastError());
        return false;
    }
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (int error = getaddrinfo(host.c_str(), service.c_str(), &hints, &found); error != 0) {
        lastError_ = ErrorText(error);
        return false;
    }
    int lastError = WSAETIMEDOUT;
    for (addrinfo* address = found; address != nullptr; address = address->ai_next) {
        if (Clock::now() >= deadline)
            break;
        SOCKET s = socket(address->ai_family, address->ai_socktype, address->ai_protocol);
        if (s == INVALID_SOCKET) {
            lastError = WSAGetLastError();
            continue;
        }
        u_long nonBlocking = 1;
        ioctlsocket(s, FIONBIO, &nonBlocking);
        int error = 0;
        if (connect(s, address->ai_addr, static_cast<int>(address->ai_addrlen)) != 0) {
            error = WSAGetLastError();
            if (error == WSAEWOULDBLOCK) {
                int ready = WaitFor(s, true, deadline);
                error = 0;
                if (ready <= 0) {
                    int length = sizeof error;
                    if (ready < 0)
                        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                                   &length);
                    if (error == 0)
                        error = ready == 0 ? WSAETIMEDOUT : WSAECONNREFUSED;
                }
            }
        }
        if (error == 0) {
            TuneConnection(s);
            handle_ = static_cast<std::intptr_t>(s);
            break;
        }
        lastError = error;
        closesocket(s);
    }
    freeaddrinfo(found);
    if (handle_ == Invalid) {
        lastError_ = ErrorText(lastError);
        return false;
    }
    return true;
}

void TcpSocket::Close() {
    if (handle_ == Invalid)
        return;
    closesocket(Handle(handle_));
    handle_ = Invalid;
}

std::size_t TcpSocket::Send(const void* data, std::size_t count, Clock::time_point deadline) {
    if (handle_ == Invalid || closed_)
        return 0;
    const SOCKET s = Handle(handle_);
    const auto* bytes = static_cast<const char*>(data);
    std::size_t sent = 0;
    while (sent < count) {
        const int chunk = static_cast<int>(std::min<std::size_t>(count - sent, 1 << 20));
        int n = send(s, bytes + sent, chunk, 0);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            Fail(ErrorText(error));
            return sent;
        }
        if (WaitFor(s, true, deadline) <= 0) {
            lastError_ = ErrorText(WSAETIMEDOUT);
            return sent;
        }
    }
    return sent;
}

std::size_t TcpSocket::Receive(void* buffer, std::size_t count, Clock::time_point deadline) {
    if (handle_ == Invalid || closed_ || count == 0)
        return 0;
    const SOCKET s = Handle(handle_);
    const int chunk = static_cast<int>(std::min<std::size_t>(count, 1 << 20));
    for (;;) {
        int n = recv(s, static_cast<char*>(buffer), chunk, 0);
        if (n > 0)
            return static_cast<std::size_t>(n);
        if (n == 0) {
            Fail("the server closed the connection");
            return 0;
        }
        const int error = WSAGetLastError();
        if (error != WSAEWOULDBLOCK) {
            Fail(ErrorText(error));
            return 0;
        }
        if (WaitFor(s, false, deadline) == 0)
            return 0;
    }
}

bool TcpSocket::Unacknowledged(std::size_t&) const {
    // Winsock does not tell; the line-time estimate alone stands in.
    return false;
}

} // namespace zeb40
