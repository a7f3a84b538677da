#pragma once
// Faults set from the command line of zeb40-sim, for checks that run the
// program as a process of its own: "--fault=KIND:LETTER[:TEXT]".
//
//   silent:c            no echo, no reply to 'c'
//   silent-reply:c      the echo, then nothing
//   hang-up:H           the echo, then the line closes as if unplugged
//   reply:e:xyz         "xyz" as the whole reply line to 'e'
//   long-line:c         a 25-byte reply line
//   lf-only:c           both lines end in LF only
//   late:c:1500         the answer 1500 ms late
//
// LETTER "any" matches every command and "probe" the presence check.

#include "sim/Extension.h"

namespace zeb40::sim {

class FaultSettings : public Extension {
  public:
    std::optional<Response> Handle(Emulator& unit, const ReceivedCommand& command) override;
    // fault (see above); false when the value is not understood.
    bool Configure(Emulator& unit, const std::string& key, const std::string& value) override;
};

} // namespace zeb40::sim
