#include "sim/BasicCommands.h"

#include "sim/Emulator.h"
#include "sim/HexText.h"

namespace zeb40::sim {

std::optional<Response> BasicCommands::Handle(Emulator& unit, const ReceivedCommand& command) {
    UnitState& state = unit.State();
    const std::uint32_t value = command.value.value_or(0);
    switch (command.letter) {
    case '\b':
        return Response{"CO"};
    case 'A':
        state.parameterA = value;
        return Response{"OK"};
    case 'D':
        state.parameterD = value;
        if (state.parameterA == 0)
            state.userCode = value;
        return Response{"OK"};
    case 'P':
        if (value >= state.items.size())
            return Response{"OV"};
        state.itemPointer = static_cast<std::uint8_t>(value);
        return Response{"OK"};
    case 'C':
        if (!command.value || value > 254)
            return Response{"OV"};
        state.items[state.itemPointer] = static_cast<std::uint8_t>(value);
        return Response{"OK"};
    case 'c':
        if (value >= state.items.size())
            return Response{"OV"};
        return Response{FormatHex(state.items[value])};
    case 'O':
    case 'S':
    case 'E':
        return Response{"OK"};
    default:
        return std::nullopt;
    }
}

bool BasicCommands::Configure(Emulator& unit, const std::string& key, const std::string& value) {
    auto number = ParseHexSetting(value);
    if (!number)
        return false;
    UnitState& state = unit.State();
    if (key == "identifier")
        state.identifier = *number;
    else if (key == "version")
        state.firmwareVersion = static_cast<std::uint16_t>(*number);
    else if (key == "option1")
        state.firstOptionWord = *number;
    else if (key == "option2")
        state.secondOptionWord = *number;
    else
        return false;
    return true;
}

std::optional<std::string> BasicCommands::UnitValue(Emulator& unit, std::uint32_t number) {
    const UnitState& state = unit.State();
    switch (number) {
    case 0x96:
        return FormatHex(state.secondOptionWord);
    case 0x97:
        return FormatHex(state.firstOptionWord);
    case 0x98:
        return FormatHex(state.identifier);
    case 0x99:
        return FormatHex(state.firmwareVersion);
    default:
        return std::nullopt;
    }
}

} // namespace zeb40::sim
