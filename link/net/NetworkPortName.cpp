#include "link/net/NetworkPortName.h"

#include <array>

namespace zeb40 {
namespace {

struct Scheme {
    std::string_view prefix;
    NetworkProtocol protocol;
};

constexpr std::array<Scheme, 2> Schemes{{
    {"rfc2217://", NetworkProtocol::Rfc2217},
    {"tcp://", NetworkProtocol::RawTcp},
}};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[i]) != prefix[i])
            return false;
    }
    return true;
}

const Scheme* SchemeOf(std::string_view name) {
    for (const Scheme& scheme : Schemes) {
        if (StartsWithIgnoringCase(name, scheme.prefix))
            return &scheme;
    }
    return nullptr;
}

std::optional<std::uint16_t> PortNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 5)
        return std::nullopt;
    unsigned number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + static_cast<unsigned>(c - '0');
    }
    if (number == 0 || number > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(number);
}

bool IsHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

bool IsIpv6Character(char c) {
    return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || (c >= '0' && c <= '9') || c == ':' ||
           c == '.' || c == '%';
}

} // namespace

bool IsNetworkPortName(std::string_view name) {
    return SchemeOf(name) != nullptr;
}

std::optional<NetworkProtocol> NetworkProtocolOf(std::string_view name) {
    if (const Scheme* scheme = SchemeOf(name))
        return scheme->protocol;
    return std::nullopt;
}

std::optional<NetworkPortName> ParseNetworkPortName(std::string_view name) {
    const Scheme* scheme = SchemeOf(name);
    if (scheme == nullptr)
        return std::nullopt;
    std::string_view rest = name.substr(scheme->prefix.size());
    std::string_view host;
    std::string_view port;
    if (rest.starts_with('[')) {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos || close + 1 >= rest.size() || rest[close + 1] != ':')
            return std::nullopt;
        host = rest.substr(1, close - 1);
        port = rest.substr(close + 2);
        if (host.find(':') == std::string_view::npos)
            return std::nullopt;
        for (char c : host) {
            if (!IsIpv6Character(c))
                return std::nullopt;
        }
    } else {
        const std::size_t colon = rest.find(':');
        if (colon == std::string_view::npos)
            return std::nullopt;
        host = rest.substr(0, colon);
        port = rest.substr(colon + 1);
        for (char c : host) {
            if (!IsHostCharacter(c))
                return std::nullopt;
        }
    }
    if (host.empty())
        return std::nullopt;
    std::optional<std::uint16_t> number = PortNumber(port);
    if (!number)
        return std::nullopt;
    return NetworkPortName{scheme->protocol, std::string(host), *number};
}

} // namespace zeb40
