#include "sim/FaultInjection.h"

#include "sim/HexText.h"

namespace zeb40::sim {

std::optional<Fault> FaultList::Match(const ReceivedCommand& command) {
    for (Fault& fault : faults_) {
        if (fault.letter != 0 && fault.letter != command.letter)
            continue;
        if (fault.value && fault.value != command.value)
            continue;
        if (fault.times == 0)
            continue;
        if (fault.skip > 0) {
            --fault.skip;
            continue;
        }
        if (fault.times > 0)
            --fault.times;
        return fault;
    }
    return std::nullopt;
}

int FaultDelayMs(const std::optional<Fault>& fault) {
    return fault && fault->kind == Fault::Kind::Late ? fault->delayMs : 0;
}

AnswerDelivery InjectFault(const Fault& fault, const ReceivedCommand& command,
                           const Response& response, AnswerLines& answer) {
    switch (fault.kind) {
    case Fault::Kind::LfOnly:
        answer.lineEnd = "\n";
        break;
    case Fault::Kind::WrongEchoLetter:
        answer.letter = static_cast<char>(command.letter + 1);
        break;
    case Fault::Kind::WrongEchoValue:
        // With no value echoed, one appears.
        answer.echoValue =
            command.value && response.echoValue ? FormatHex(*command.value + 1) : "1";
        break;
    case Fault::Kind::SilentReply:
        return AnswerDelivery::EchoOnly;
    case Fault::Kind::HangUp:
        return AnswerDelivery::EchoThenHangUp;
    case Fault::Kind::Refuse:
    case Fault::Kind::Reply:
        answer.reply = fault.text;
        break;
    case Fault::Kind::LongLine:
        answer.reply = "12345678901234567890ABC";
        break;
    case Fault::Kind::Silent:
    case Fault::Kind::Late:
        break;
    }
    return AnswerDelivery::Whole;
}

} // namespace zeb40::sim
