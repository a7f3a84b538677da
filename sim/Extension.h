#pragma once
// A part of the emulated unit. Each feature of the unit (configuration memory,
// timecode, profiles, flash mode) is one extension in a file of its own; the
// emulator asks them in turn until one takes the command.

#include "sim/Command.h"
#include "sim/UnitState.h"

#include <optional>
#include <string>

namespace zeb40::sim {

class Emulator;

class Extension {
  public:
    virtual ~Extension() = default;

    // Answer the command, or leave it to the next extension.
    virtual std::optional<Response> Handle(Emulator& unit, const ReceivedCommand& command) = 0;

    // Answer 'e' with this number (the reply line), or leave it.
    virtual std::optional<std::string> UnitValue(Emulator& unit, std::uint32_t number) {
        (void)unit;
        (void)number;
        return std::nullopt;
    }

    // A setting from the command line of zeb40-sim ("--capacity=64" arrives as
    // key "capacity", value "64"); true when this extension knows the key.
    virtual bool Configure(Emulator& unit, const std::string& key, const std::string& value) {
        (void)unit;
        (void)key;
        (void)value;
        return false;
    }

    // While this extension owns the line (see Emulator::TakeOverStream) every
    // received byte comes here instead of the line parser.
    virtual void OnRawByte(Emulator& unit, char byte) {
        (void)unit;
        (void)byte;
    }
};

} // namespace zeb40::sim
