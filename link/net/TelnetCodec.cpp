#include "link/net/TelnetCodec.h"

namespace zeb40::telnet {
namespace {

Event::Kind KindOf(unsigned char verb) {
    switch (verb) {
    case Will:
        return Event::Kind::Will;
    case Wont:
        return Event::Kind::Wont;
    case Do:
        return Event::Kind::Do;
    default:
        return Event::Kind::Dont;
    }
}

} // namespace

void Receiver::Command(unsigned char byte, std::string& data) {
    switch (byte) {
    case Iac:
        data += static_cast<char>(Iac);
        state_ = State::Data;
        break;
    case Will:
    case Wont:
    case Do:
    case Dont:
        verb_ = byte;
        state_ = State::Option;
        break;
    case Sb:
        payload_.clear();
        verb_ = 0;
        state_ = State::Subnegotiation;
        break;
    default:
        // NOP, go-ahead, data mark and the like carry nothing for a byte
        // stream.
        state_ = State::Data;
        break;
    }
}

std::optional<Event> Receiver::EndSubnegotiation() {
    state_ = State::Data;
    if (payload_.empty())
        return std::nullopt;
    Event event;
    event.kind = Event::Kind::Subnegotiation;
    event.option = static_cast<unsigned char>(payload_[0]);
    event.payload = payload_.substr(1);
    payload_.clear();
    return event;
}

std::size_t Receiver::Take(std::string_view bytes, std::string& data, std::optional<Event>& event) {
    event.reset();
    std::size_t taken = 0;
    while (taken < bytes.size() && !event) {
        const char c = bytes[taken++];
        const auto byte = static_cast<unsigned char>(c);
        switch (state_) {
        case State::Data:
            if (byte == Iac)
                state_ = State::Command;
            else
                data += c;
            break;
        case State::Command:
            Command(byte, data);
            break;
        case State::Option:
            event = Event{KindOf(verb_), byte, {}};
            state_ = State::Data;
            break;
        case State::Subnegotiation:
            if (byte == Iac) {
                state_ = State::SubnegotiationCommand;
            } else if (payload_.size() < MaxPayload + 1) {
                payload_ += c;
            }
            break;
        case State::SubnegotiationCommand:
            if (byte == Iac) {
                if (payload_.size() < MaxPayload + 1)
                    payload_ += c;
                state_ = State::Subnegotiation;
            } else if (byte == Se) {
                event = EndSubnegotiation();
            } else {
                // A server that never closes its subnegotiation: what it has
                // sent counts as closed, and the byte starts a new command.
                event = EndSubnegotiation();
                Command(byte, data);
            }
            break;
        }
    }
    return taken;
}

std::string Escaped(std::string_view data) {
    std::string escaped;
    escaped.reserve(data.size());
    for (char c : data) {
        escaped += c;
        if (static_cast<unsigned char>(c) == Iac)
            escaped += c;
    }
    return escaped;
}

std::string Request(unsigned char verb, unsigned char option) {
    return {static_cast<char>(Iac), static_cast<char>(verb), static_cast<char>(option)};
}

std::string Subnegotiation(unsigned char option, std::string_view payload) {
    std::string text{static_cast<char>(Iac), static_cast<char>(Sb), static_cast<char>(option)};
    text += Escaped(payload);
    text += static_cast<char>(Iac);
    text += static_cast<char>(Se);
    return text;
}

} // namespace zeb40::telnet
