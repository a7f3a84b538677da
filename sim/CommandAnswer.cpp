// The emulator's answer to a command line: the extensions answer it, a fault
// may bend the answer, and the unit's working time passes before it goes out.

#include "sim/Emulator.h"
#include "sim/FaultInjection.h"
#include "sim/LineFraming.h"

#include <thread>

namespace zeb40::sim {

void Emulator::OnLine(const std::string& line) {
    ReceivedCommand command = ParseCommand(line);
    {
        auto lock = Lock();
        received_.push_back(command);
    }
    receivedChanged_.notify_all();
    Answer(command);
}

Response Emulator::Dispatch(const ReceivedCommand& command) {
    if (command.letter == 'e' && command.value) {
        for (auto& extension : extensions_) {
            if (auto value = extension->UnitValue(*this, *command.value))
                return Response{*value};
        }
        return Response{"OV"};
    }
    for (auto& extension : extensions_) {
        if (auto response = extension->Handle(*this, command))
            return *response;
    }
    return Response{"UC"};
}

void Emulator::WorkFor(std::chrono::milliseconds time) {
    if (time <= std::chrono::milliseconds(0))
        return;
    if (attachment_)
        attachment_->delay(time);
    else if (options_.paced)
        line_.Busy(time); // the answer waits on the unit's clock
    else
        std::this_thread::sleep_for(time);
}

void Emulator::Answer(const ReceivedCommand& command) {
    std::optional<Fault> fault;
    Response response;
    {
        auto lock = Lock();
        fault = faults_.Match(command);
        if (fault && fault->kind == Fault::Kind::Silent)
            return;
        response = Dispatch(command);
    }
    if (response.silent)
        return;
    WorkFor(std::chrono::milliseconds(response.busyMs + FaultDelayMs(fault)));

    AnswerLines answer = FrameAnswer(command, response);
    const AnswerDelivery delivery =
        fault ? InjectFault(*fault, command, response, answer) : AnswerDelivery::Whole;
    switch (delivery) {
    case AnswerDelivery::Whole:
        Send(answer.EchoLine() + answer.ReplyLine());
        break;
    case AnswerDelivery::EchoOnly:
        Send(answer.EchoLine());
        break;
    case AnswerDelivery::EchoThenHangUp:
        Send(answer.EchoLine());
        HangUp();
        break;
    }
}

} // namespace zeb40::sim
