#include "link/net/Rfc2217Transport.h"

#include "link/net/SessionTimes.h"

namespace zeb40 {
namespace {

using telnet::Event;

// Com port commands, client to server; the server answers with 100 added.
namespace com {
constexpr unsigned char SetBaudRate = 1;
constexpr unsigned char SetDataSize = 2;
constexpr unsigned char SetParity = 3;
constexpr unsigned char SetStopSize = 4;
constexpr unsigned char SetControl = 5;
constexpr unsigned char PurgeData = 12;
constexpr unsigned char ServerOffset = 100;

constexpr unsigned char NoFlowControl = 1;
constexpr unsigned char DtrOn = 8;
constexpr unsigned char DtrOff = 9;
constexpr unsigned char RtsOn = 11;
constexpr unsigned char PurgeBoth = 3;
constexpr unsigned char NoParity = 1;
constexpr unsigned char OneStopBit = 1;
} // namespace com

constexpr std::uint32_t UnitBaud = 38400;
constexpr unsigned UnitDataBits = 8;
constexpr int ControlRequests = 3;

std::string Byte(unsigned char value) {
    return std::string(1, static_cast<char>(value));
}

std::string BigEndian(std::uint32_t value) {
    return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
            static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::uint32_t FromBigEndian(std::string_view bytes) {
    std::uint32_t value = 0;
    for (char c : bytes)
        value = value << 8 | static_cast<unsigned char>(c);
    return value;
}

std::string ParityName(unsigned code) {
    switch (code) {
    case 1:
        return "no parity";
    case 2:
        return "odd parity";
    case 3:
        return "even parity";
    case 4:
        return "mark parity";
    case 5:
        return "space parity";
    default:
        return "parity " + std::to_string(code);
    }
}

std::string StopBitsName(unsigned code) {
    switch (code) {
    case 1:
        return "1 stop bit";
    case 2:
        return "2 stop bits";
    case 3:
        return "1.5 stop bits";
    default:
        return "stop bits " + std::to_string(code);
    }
}

bool Accepted(unsigned char option) {
    return option == telnet::BinaryOption || option == telnet::SuppressGoAheadOption;
}

} // namespace

void Rfc2217Transport::Answer(unsigned char verb, unsigned char option,
                              std::array<bool, 256>& sent) {
    // Each answer once: a server that repeats itself gets no reply, so no
    // negotiation can go round in circles.
    if (sent[option])
        return;
    sent[option] = true;
    SendRaw(telnet::Request(verb, option), Clock::now() + session_times::Farewell);
}

void Rfc2217Transport::Handle(const Event& event) {
    const unsigned char option = event.option;
    switch (event.kind) {
    case Event::Kind::Will:
        if (Accepted(option)) {
            serverSendsBinary_ = serverSendsBinary_ || option == telnet::BinaryOption;
            Answer(telnet::Do, option, sentDo_);
        } else {
            Answer(telnet::Dont, option, sentDont_);
        }
        break;
    case Event::Kind::Do:
        if (Accepted(option) || option == telnet::ComPortOption) {
            serverTakesBinary_ = serverTakesBinary_ || option == telnet::BinaryOption;
            serverTakesComPort_ = serverTakesComPort_ || option == telnet::ComPortOption;
            Answer(telnet::Will, option, sentWill_);
        } else {
            Answer(telnet::Wont, option, sentWont_);
        }
        break;
    case Event::Kind::Wont:
        if (option == telnet::BinaryOption)
            refusal_ = "the server refused binary transmission";
        break;
    case Event::Kind::Dont:
        if (option == telnet::BinaryOption)
            refusal_ = "the server refused binary transmission";
        else if (option == telnet::ComPortOption)
            refusal_ = "the server offers no com port control (RFC 2217); for a raw TCP port use "
                       "tcp://";
        break;
    case Event::Kind::Subnegotiation:
        if (option == telnet::ComPortOption)
            HandleComPort(event.payload);
        break;
    }
}

void Rfc2217Transport::HandleComPort(const std::string& payload) {
    if (payload.empty())
        return;
    const unsigned command = static_cast<unsigned char>(payload[0]);
    const std::string_view value = std::string_view(payload).substr(1);
    const unsigned byte = value.empty() ? 0 : static_cast<unsigned char>(value[0]);
    switch (command) {
    case com::ServerOffset + com::SetBaudRate:
        if (value.size() == 4)
            line_.baud = FromBigEndian(value);
        break;
    case com::ServerOffset + com::SetDataSize:
        line_.dataBits = byte;
        break;
    case com::ServerOffset + com::SetParity:
        line_.parity = byte;
        break;
    case com::ServerOffset + com::SetStopSize:
        line_.stopBits = byte;
        break;
    case com::ServerOffset + com::SetControl:
        ++controlAnswers_;
        break;
    case com::ServerOffset + com::PurgeData:
        // What came before the answer was on its way before the purge.
        ++purgeAnswers_;
        ReadQueue().clear();
        break;
    default:
        // Line and modem state notifications and the like: nothing the unit's
        // protocol needs.
        break;
    }
}

void Rfc2217Transport::Decode(std::string_view raw) {
    while (!raw.empty()) {
        std::optional<Event> event;
        raw.remove_prefix(receiver_.Take(raw, ReadQueue(), event));
        if (event)
            Handle(*event);
    }
}

void Rfc2217Transport::SendComPort(unsigned char command, std::string_view value) {
    std::string payload = Byte(command);
    payload += value;
    SendRaw(telnet::Subnegotiation(telnet::ComPortOption, payload),
            Clock::now() + session_times::Negotiation);
}

bool Rfc2217Transport::AwaitUntil(const std::function<bool()>& done, Clock::time_point deadline) {
    while (!done()) {
        if (!ReceiveOnce(deadline))
            return done();
    }
    return true;
}

bool Rfc2217Transport::Negotiate(Clock::time_point deadline) {
    sentWill_[telnet::BinaryOption] = sentDo_[telnet::BinaryOption] = true;
    sentWill_[telnet::ComPortOption] = true;
    SendRaw(telnet::Request(telnet::Will, telnet::BinaryOption) +
                telnet::Request(telnet::Do, telnet::BinaryOption) +
                telnet::Request(telnet::Will, telnet::ComPortOption),
            deadline);
    const bool agreed = AwaitUntil(
        [this] {
            return !refusal_.empty() ||
                   (serverSendsBinary_ && serverTakesBinary_ && serverTakesComPort_);
        },
        deadline);
    if (!refusal_.empty()) {
        FailOpen(refusal_);
        return false;
    }
    if (!agreed) {
        FailOpen(serverTakesComPort_ ? "the server did not agree to binary transmission"
                                     : "the server did not agree to com port control (RFC 2217)");
        return false;
    }
    return true;
}

bool Rfc2217Transport::SetLine(Clock::time_point deadline) {
    SendComPort(com::SetBaudRate, BigEndian(UnitBaud));
    SendComPort(com::SetDataSize, Byte(UnitDataBits));
    SendComPort(com::SetParity, Byte(com::NoParity));
    SendComPort(com::SetStopSize, Byte(com::OneStopBit));
    if (!AwaitUntil([this] { return line_.Complete(); }, deadline)) {
        FailOpen("the server did not confirm the line settings");
        return false;
    }
    std::string differences;
    auto differs = [&](const std::string& what) {
        differences += (differences.empty() ? "" : ", ") + what;
    };
    if (*line_.baud != UnitBaud)
        differs(std::to_string(*line_.baud) + " baud");
    if (*line_.dataBits != UnitDataBits)
        differs(std::to_string(*line_.dataBits) + " data bits");
    if (*line_.parity != com::NoParity)
        differs(ParityName(*line_.parity));
    if (*line_.stopBits != com::OneStopBit)
        differs(StopBitsName(*line_.stopBits));
    if (!differences.empty()) {
        FailOpen("the server set " + differences +
                 " instead of 38400 baud, 8 data bits, no parity, 1 stop bit");
        return false;
    }
    return true;
}

void Rfc2217Transport::SetControls() {
    SendComPort(com::SetControl, Byte(com::NoFlowControl));
    SendComPort(com::SetControl, Byte(com::DtrOn));
    SendComPort(com::SetControl, Byte(com::RtsOn));
    AwaitUntil([this] { return controlAnswers_ >= ControlRequests; },
               Clock::now() + session_times::ControlAcknowledgement + RoundTrip());
}

bool Rfc2217Transport::PurgeServer(Clock::time_point deadline) {
    const int before = purgeAnswers_;
    SendComPort(com::PurgeData, Byte(com::PurgeBoth));
    return AwaitUntil([this, before] { return purgeAnswers_ > before; }, deadline);
}

bool Rfc2217Transport::StartSession() {
    receiver_.Reset();
    sentWill_ = sentWont_ = sentDo_ = sentDont_ = {};
    serverSendsBinary_ = serverTakesBinary_ = serverTakesComPort_ = false;
    refusal_.clear();
    line_ = {};
    controlAnswers_ = purgeAnswers_ = 0;
    purgeAnswered_ = false;

    const auto deadline = Clock::now() + session_times::Negotiation + RoundTrip();
    if (!Negotiate(deadline) || !SetLine(deadline))
        return false;
    SetControls();
    purgeAnswered_ = PurgeServer(Clock::now() + session_times::PurgeAcknowledgement + RoundTrip());
    if (!DiscardUntilQuiet(session_times::Quiet + RoundTrip(),
                           Clock::now() + session_times::QuietLimit)) {
        FailOpen("the server closed the connection");
        return false;
    }
    return true;
}

void Rfc2217Transport::EndSession() {
    const auto deadline = Clock::now() + session_times::Farewell;
    std::string farewell =
        telnet::Subnegotiation(telnet::ComPortOption, Byte(com::PurgeData) + Byte(com::PurgeBoth));
    farewell +=
        telnet::Subnegotiation(telnet::ComPortOption, Byte(com::SetControl) + Byte(com::DtrOff));
    SendRaw(farewell, deadline);
}

bool Rfc2217Transport::Purge() {
    if (!IsOpen() || Lost())
        return false;
    ReadQueue().clear();
    if (purgeAnswered_) {
        if (!PurgeServer(Clock::now() + session_times::PurgeAcknowledgement + RoundTrip()))
            purgeAnswered_ = false;
        ReadQueue().clear();
    } else {
        SendComPort(com::PurgeData, Byte(com::PurgeBoth));
    }
    return SocketTransport::Purge();
}

} // namespace zeb40
