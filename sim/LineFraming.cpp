#include "sim/LineFraming.h"

#include "sim/HexText.h"

namespace zeb40::sim {
namespace {

constexpr std::size_t LineBuffer = 64;

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

std::optional<std::string> LineAssembler::Take(char byte) {
    if (byte == '\b' && pending_.empty())
        return std::string(1, '\b');
    if (byte == '\r') {
        std::string line;
        line.swap(pending_);
        if (line.empty())
            return std::nullopt;
        return line;
    }
    if (byte != '\n' && pending_.size() < LineBuffer)
        pending_ += byte;
    return std::nullopt;
}

ReceivedCommand ParseCommand(const std::string& line) {
    ReceivedCommand command;
    command.letter = line[0];
    command.text = line;
    std::size_t end = 1;
    while (end < line.size() && IsHexDigit(line[end]))
        ++end;
    if (end > 1)
        command.value = ParseHex(std::string_view(line).substr(1, end - 1));
    return command;
}

AnswerLines FrameAnswer(const ReceivedCommand& command, const Response& response) {
    AnswerLines answer;
    answer.letter = command.letter;
    if (command.value && response.echoValue)
        answer.echoValue = FormatHex(*command.value);
    answer.reply = response.reply;
    return answer;
}

} // namespace zeb40::sim
