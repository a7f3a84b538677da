#pragma once
// "rfc2217://HOST:PORT": Telnet with com port control (RFC 2217). Opening
// negotiates binary transmission both ways and the com port option, sets
// 38400 baud, 8 data bits, no parity and one stop bit and checks the
// server's answers, raises DTR and RTS with no flow control (going on
// without acknowledgements after a short wait), purges the server's buffers
// and discards what arrives until the line is quiet. Options this program
// does not use are refused.

#include "link/net/SocketTransport.h"
#include "link/net/TelnetCodec.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

namespace zeb40 {

class Rfc2217Transport final : public SocketTransport {
  public:
    Rfc2217Transport() : SocketTransport(true) {}
    ~Rfc2217Transport() override { Close(); }

    // Sends PURGE-DATA, then discards what arrived before the server's
    // answer to it (when the server answered the purge while opening).
    bool Purge() override;

  protected:
    bool StartSession() override;
    void EndSession() override;
    void Decode(std::string_view raw) override;

  private:
    struct LineAnswers {
        std::optional<std::uint32_t> baud;
        std::optional<unsigned> dataBits;
        std::optional<unsigned> parity;
        std::optional<unsigned> stopBits;
        bool Complete() const { return baud && dataBits && parity && stopBits; }
    };
    void Handle(const telnet::Event& event);
    void HandleComPort(const std::string& payload);
    void Answer(unsigned char verb, unsigned char option, std::array<bool, 256>& sent);
    // Receives until done() holds or deadline passes; false in the second case.
    bool AwaitUntil(const std::function<bool()>& done, Clock::time_point deadline);
    bool Negotiate(Clock::time_point deadline);
    bool SetLine(Clock::time_point deadline);
    void SetControls();
    bool PurgeServer(Clock::time_point deadline);
    void SendComPort(unsigned char command, std::string_view value);

    telnet::Receiver receiver_;
    std::array<bool, 256> sentWill_{};
    std::array<bool, 256> sentWont_{};
    std::array<bool, 256> sentDo_{};
    std::array<bool, 256> sentDont_{};
    bool serverSendsBinary_ = false;
    bool serverTakesBinary_ = false;
    bool serverTakesComPort_ = false;
    std::string refusal_; // why the server will not do what the unit needs
    LineAnswers line_;
    int controlAnswers_ = 0;
    int purgeAnswers_ = 0;
    bool purgeAnswered_ = false; // the server answers purges
};

} // namespace zeb40
