#pragma once
// The faults a test has asked the unit to show: which command a fault strikes,
// and what it makes of the unit's answer.

#include "sim/Command.h"
#include "sim/Fault.h"
#include "sim/LineFraming.h"

#include <optional>
#include <vector>

namespace zeb40::sim {

class FaultList {
  public:
    void Add(const Fault& fault) { faults_.push_back(fault); }
    void Clear() { faults_.clear(); }
    // The first fault that strikes this command, counted as struck.
    std::optional<Fault> Match(const ReceivedCommand& command);

  private:
    std::vector<Fault> faults_;
};

// How much of an answer reaches the line.
enum class AnswerDelivery {
    Whole,
    EchoOnly,       // the reply never comes
    EchoThenHangUp, // the line goes down after the echo
};

// How long the fault keeps the unit from answering, in milliseconds.
int FaultDelayMs(const std::optional<Fault>& fault);

// Bends the answer as the fault says. Silent faults never get here: the
// unit does not answer at all.
AnswerDelivery InjectFault(const Fault& fault, const ReceivedCommand& command,
                           const Response& response, AnswerLines& answer);

} // namespace zeb40::sim
