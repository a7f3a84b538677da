#include "link/UnitLink.h"

#include "link/PortNames.h"
#include "link/PortTransport.h"
#include "link/ReplyDecoding.h"

#include <algorithm>

namespace zeb40 {
namespace {

// The bounds of the serial line: 1 ms per byte on top of a constant.
constexpr int MsPerByte = 1;
constexpr int WriteConstantMs = 100;
constexpr int ReadIntervalMs = 100;
// Enough for an echo and a reply line in one read.
constexpr std::size_t ReadAheadChunk = 64;

int TransferMs(std::size_t count, int constantMs) {
    return static_cast<int>(count) * MsPerByte + constantMs;
}

} // namespace

std::string HexText(std::uint32_t value) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    char text[9];
    int n = 0;
    do {
        text[n++] = Digits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string result;
    while (n > 0)
        result += text[--n];
    return result;
}

UnitLink::UnitLink() : UnitLink(MakePortTransport(), SteadyClock()) {}

UnitLink::UnitLink(std::unique_ptr<ByteTransport> transport, LinkClock& clock)
    : transport_(std::move(transport)), clock_(clock) {}

UnitLink::~UnitLink() = default;

bool UnitLink::OpenByName(const std::string& name) {
    readAhead_.clear();
    stopped_ = false;
    betweenExchanges_ = true;
    return transport_->Open(DevicePathForName(name));
}

void UnitLink::Close() {
    readAhead_.clear();
    transport_->Close();
}

bool UnitLink::CloseIfOpen() {
    if (!IsOpen())
        return false;
    Close();
    return true;
}

bool UnitLink::IsOpen() const {
    return transport_->IsOpen();
}

bool UnitLink::Lost() const {
    return stopped_ || transport_->Lost();
}

bool UnitLink::StopAsked() {
    if (stop_ != nullptr && stop_->load())
        stopped_ = true;
    return stopped_;
}

std::string UnitLink::OpenFailureDetail() const {
    return transport_->OpenFailureDetail();
}

std::string UnitLink::OpenFailureReason() const {
    std::string detail = transport_->OpenFailureDetail();
    const std::size_t separator = detail.find(": ");
    return separator == std::string::npos ? detail : detail.substr(separator + 2);
}

int UnitLink::WaitMs(ReplyWait wait) const {
    return std::max(static_cast<int>(wait), raisedWaitMs_);
}

bool UnitLink::MayWrite() {
    if (stopped_ || (betweenExchanges_ && StopAsked()))
        return false;
    betweenExchanges_ = false;
    return true;
}

bool UnitLink::WriteBytes(std::string_view bytes) {
    return MayWrite() &&
           transport_->Write(bytes.data(), bytes.size(), TransferMs(bytes.size(), WriteConstantMs));
}

std::size_t UnitLink::WriteSomeBytes(std::string_view bytes) {
    if (!MayWrite())
        return 0;
    return transport_->WriteSome(bytes.data(), bytes.size(),
                                 TransferMs(bytes.size(), WriteConstantMs));
}

std::string UnitLink::ReadBytes(std::size_t count, ReplyWait wait) {
    betweenExchanges_ = true;
    if (stopped_)
        return {};
    std::string bytes = readAhead_.substr(0, count);
    readAhead_.erase(0, bytes.size());
    if (bytes.size() == count)
        return bytes;
    const std::size_t had = bytes.size();
    bytes.resize(count);
    const std::size_t got = transport_->Read(bytes.data() + had, count - had,
                                             {TransferMs(count, WaitMs(wait)), ReadIntervalMs});
    bytes.resize(had + got);
    return bytes;
}

bool UnitLink::Drain(std::size_t pendingBytes) {
    return transport_->Drain(TransferMs(pendingBytes, WriteConstantMs));
}

bool UnitLink::Purge() {
    readAhead_.clear();
    return transport_->Purge();
}

bool UnitLink::SendText(std::string_view text) {
    return WriteBytes(text);
}

bool UnitLink::SendLetter(char letter) {
    if (!WriteBytes({&letter, 1}))
        return false;
    return WriteBytes("\r");
}

bool UnitLink::SendCommand(char letter, std::uint32_t value) {
    if (!WriteBytes({&letter, 1}))
        return false;
    if (!WriteBytes(HexText(value)))
        return false;
    return WriteBytes("\r");
}

// Whatever has arrived, once the first byte came within the time one awaited
// byte may take; so a line costs one read, not one per byte.
bool UnitLink::FillReadAhead(ReplyWait wait) {
    betweenExchanges_ = true;
    if (stopped_)
        return false;
    char chunk[ReadAheadChunk];
    const std::size_t got = transport_->Read(chunk, sizeof chunk, {TransferMs(1, WaitMs(wait)), 0});
    readAhead_.append(chunk, got);
    return got > 0;
}

bool UnitLink::ReadLine(Line& line, ReplyWait wait) {
    line.length = 0;
    while (line.length < Line::MaxLineLength) {
        if (readAhead_.empty() && !FillReadAhead(wait))
            return false;
        const char byte = readAhead_.front();
        readAhead_.erase(0, 1);
        line.bytes[line.length++] = byte;
        if (byte == '\n')
            return true;
    }
    return true; // the rest of a longer line is read as the next line
}

bool UnitLink::ReadEcho(char& letter, std::uint32_t& value, ReplyWait wait) {
    Line line;
    if (!ReadLine(line, wait))
        return false;
    Echo echo = DecodeEcho(line.View()).value_or(Echo{});
    letter = echo.letter;
    value = echo.value;
    return true;
}

LinkResult UnitLink::NoLine() const {
    return LinkResult::Failed(Lost() ? LinkOutcome::Lost : LinkOutcome::Silent);
}

LinkResult UnitLink::ReadReplyLine(bool withSecondSlot, ReplyCode& code, std::uint32_t& value,
                                   std::uint32_t& second, ReplyWait wait) {
    Line line;
    if (!ReadLine(line, wait))
        return NoLine();
    auto reply = DecodeReply(line.View(), withSecondSlot);
    if (!reply)
        return LinkResult::Failed(LinkOutcome::Garbled);
    code = reply->code;
    value = reply->value;
    if (reply->code == ReplyCode::ValuePair)
        second = reply->second;
    return LinkResult::Ok(reply->code);
}

bool UnitLink::ReadReply(ReplyCode& code, std::uint32_t& value, ReplyWait wait) {
    std::uint32_t unused = 0;
    return ReadReplyLine(false, code, value, unused, wait).IsOk();
}

bool UnitLink::ReadReply(ReplyCode& code, std::uint32_t& value, std::uint32_t& second,
                         ReplyWait wait) {
    return ReadReplyLine(true, code, value, second, wait).IsOk();
}

LinkResult UnitLink::Probe() {
    if (!SendText("\b"))
        return LinkResult::Failed(LinkOutcome::Lost);
    Line ignored;
    if (!ReadLine(ignored))
        return NoLine();
    ReplyCode code{};
    std::uint32_t value = 0;
    std::uint32_t unused = 0;
    return ReadReplyLine(false, code, value, unused, ReplyWait::Normal).Expecting(ReplyCode::CO);
}

// A command that could not go out failed on the line itself.
LinkResult UnitLink::SendAndCheckEcho(char letter, std::uint32_t value, ReplyWait wait) {
    if (!SendCommand(letter, value))
        return LinkResult::Failed(LinkOutcome::Lost);
    char echoedLetter = 0;
    std::uint32_t echoedValue = 0;
    if (!ReadEcho(echoedLetter, echoedValue, wait))
        return NoLine();
    if (echoedLetter != letter || echoedValue != value)
        return LinkResult::Failed(LinkOutcome::BadEcho);
    return LinkResult::Ok();
}

LinkResult UnitLink::CheckedReply(ReplyWait wait) {
    ReplyCode code{};
    std::uint32_t result = 0;
    std::uint32_t unused = 0;
    return ReadReplyLine(false, code, result, unused, wait).Expecting(ReplyCode::OK);
}

LinkResult UnitLink::Command(char letter, std::uint32_t value, ReplyWait wait) {
    if (LinkResult echoed = SendAndCheckEcho(letter, value, wait); !echoed)
        return echoed;
    return CheckedReply(wait);
}

LinkResult UnitLink::CommandLetter(char letter, ReplyWait wait) {
    if (!SendLetter(letter))
        return LinkResult::Failed(LinkOutcome::Lost);
    char echoedLetter = 0;
    std::uint32_t echoedValue = 0;
    if (!ReadEcho(echoedLetter, echoedValue, wait))
        return NoLine();
    if (echoedLetter != letter)
        return LinkResult::Failed(LinkOutcome::BadEcho);
    return CheckedReply(wait);
}

LinkResult UnitLink::Query(char letter, std::uint32_t value, ReplyCode& code, std::uint32_t& result,
                           ReplyWait wait) {
    if (LinkResult echoed = SendAndCheckEcho(letter, value, wait); !echoed)
        return echoed;
    std::uint32_t decoded = 0;
    std::uint32_t unused = 0;
    LinkResult replied = ReadReplyLine(false, code, decoded, unused, wait);
    if (replied)
        result = decoded;
    return replied;
}

LinkResult UnitLink::QueryWord(char letter, std::uint32_t value, ReplyCode& code,
                               std::uint16_t& result) {
    std::uint32_t decoded = 0;
    LinkResult replied = Query(letter, value, code, decoded);
    if (!replied)
        return replied;
    if (decoded >= 0x10000)
        return LinkResult::Failed(LinkOutcome::Garbled);
    result = static_cast<std::uint16_t>(decoded);
    return replied;
}

LinkResult UnitLink::QueryByte(char letter, std::uint32_t value, ReplyCode& code,
                               std::uint8_t& result) {
    std::uint32_t decoded = 0;
    LinkResult replied = Query(letter, value, code, decoded);
    if (!replied)
        return replied;
    if (decoded >= 0x100)
        return LinkResult::Failed(LinkOutcome::Garbled);
    result = static_cast<std::uint8_t>(decoded);
    return replied;
}

LinkResult UnitLink::QueryPair(char letter, std::uint32_t value, ReplyCode& code,
                               std::uint32_t& first, std::uint32_t& second) {
    if (LinkResult echoed = SendAndCheckEcho(letter, value, ReplyWait::Normal); !echoed)
        return echoed;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    LinkResult replied = ReadReplyLine(true, code, a, b, ReplyWait::Normal);
    if (replied) {
        first = a;
        second = b;
    }
    return replied;
}

RaisedReplyWait::RaisedReplyWait(UnitLink& link, ReplyWait wait)
    : link_(link), previousMs_(link.raisedWaitMs_) {
    link_.raisedWaitMs_ = std::max(previousMs_, static_cast<int>(wait));
}

RaisedReplyWait::~RaisedReplyWait() {
    link_.raisedWaitMs_ = previousMs_;
}

} // namespace zeb40
