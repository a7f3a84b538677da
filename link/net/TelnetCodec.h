#pragma once
// Telnet framing (RFC 854) as a serial device server speaks it: data bytes
// with 0xFF doubled, option requests, and subnegotiations that carry the com
// port control of RFC 2217. Pure byte handling, no socket.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zeb40::telnet {

inline constexpr unsigned char Iac = 0xFF;
inline constexpr unsigned char Dont = 0xFE;
inline constexpr unsigned char Do = 0xFD;
inline constexpr unsigned char Wont = 0xFC;
inline constexpr unsigned char Will = 0xFB;
inline constexpr unsigned char Sb = 0xFA;
inline constexpr unsigned char Se = 0xF0;

inline constexpr unsigned char BinaryOption = 0;
inline constexpr unsigned char EchoOption = 1;
inline constexpr unsigned char SuppressGoAheadOption = 3;
inline constexpr unsigned char ComPortOption = 44;

struct Event {
    enum class Kind { Will, Wont, Do, Dont, Subnegotiation };
    Kind kind = Kind::Will;
    unsigned char option = 0;
    std::string payload; // of a subnegotiation, with doubled 0xFF undone
};

// Splits what arrives into data and events, in the order they came. State
// carries over between calls, so an escape split across two reads is
// completed by the second.
class Receiver {
  public:
    // A longer subnegotiation is cut to this; nothing this program reads is
    // anywhere near it.
    static constexpr std::size_t MaxPayload = 256;

    // Takes bytes up to and including the next complete event, appending the
    // data bytes before it to data; the count taken. event holds the event
    // when one completed.
    std::size_t Take(std::string_view bytes, std::string& data, std::optional<Event>& event);
    // Back to the start of a stream.
    void Reset() { *this = Receiver{}; }

  private:
    enum class State { Data, Command, Option, Subnegotiation, SubnegotiationCommand };
    void Command(unsigned char byte, std::string& data);
    std::optional<Event> EndSubnegotiation();

    State state_ = State::Data;
    unsigned char verb_ = 0;
    std::string payload_;
};

// data with every 0xFF doubled.
std::string Escaped(std::string_view data);
// IAC verb option, verb one of Will, Wont, Do, Dont.
std::string Request(unsigned char verb, unsigned char option);
// IAC SB option payload IAC SE, with 0xFF in the payload doubled.
std::string Subnegotiation(unsigned char option, std::string_view payload);

} // namespace zeb40::telnet
