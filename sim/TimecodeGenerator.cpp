#include "sim/TimecodeGenerator.h"

#include "sim/Emulator.h"
#include "sim/HexText.h"

namespace zeb40::sim {
namespace {

constexpr std::size_t FrameRateItem = 12;
constexpr std::uint8_t PresetItem = 24; // frames; seconds, minutes, hours follow
constexpr std::uint32_t JamFunction = 0x41;
constexpr std::uint32_t ReaderTimecodeValue = 0x03;
constexpr std::uint32_t GeneratorTimecodeValue = 0x23;
constexpr std::int64_t SecondsPerDay = 24 * 60 * 60;

// Item 12: 0 Auto, 1 "25", 2 "30", 3 "30 DF", 4 "24". Drop-frame counting is
// not emulated: "30 DF" runs as 30 frames per second.
int FramesPerSecond(const UnitState& state) {
    switch (state.items[FrameRateItem]) {
    case 2:
    case 3:
        return 30;
    case 4:
        return 24;
    default:
        return 25;
    }
}

int Decimal(std::uint32_t bcd) {
    return static_cast<int>((bcd & 0x0F) + ((bcd >> 4) & 0x0F) * 10);
}

std::uint32_t Bcd(std::int64_t decimal) {
    return static_cast<std::uint32_t>((decimal / 10) * 16 + decimal % 10);
}

std::int64_t FrameCount(std::uint32_t word, int rate) {
    const std::int64_t hours = Decimal(word >> 24);
    const std::int64_t minutes = Decimal(word >> 16);
    const std::int64_t seconds = Decimal(word >> 8);
    return ((hours * 60 + minutes) * 60 + seconds) * rate + Decimal(word);
}

std::uint32_t TimeWord(std::int64_t frames, int rate) {
    frames %= SecondsPerDay * rate;
    const std::int64_t totalSeconds = frames / rate;
    return Bcd(totalSeconds / 3600) << 24 | Bcd(totalSeconds / 60 % 60) << 16 |
           Bcd(totalSeconds % 60) << 8 | Bcd(frames % rate);
}

std::string Pair(std::uint32_t first, std::uint32_t second) {
    return FormatHex(first) + ", " + FormatHex(second);
}

} // namespace

TimecodeGenerator::TimecodeGenerator() : startedAt_(std::chrono::steady_clock::now()) {}

void TimecodeGenerator::Restart(std::uint32_t timeWord) {
    startWord_ = timeWord;
    startedAt_ = std::chrono::steady_clock::now();
}

std::uint32_t TimecodeGenerator::GeneratorTime(const UnitState& state) const {
    const int rate = FramesPerSecond(state);
    const auto elapsed = std::chrono::steady_clock::now() - startedAt_;
    const auto elapsedFrames =
        std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() * rate / 1000;
    return TimeWord(FrameCount(startWord_, rate) + elapsedFrames, rate);
}

std::optional<Response> TimecodeGenerator::Handle(Emulator& unit, const ReceivedCommand& command) {
    UnitState& state = unit.State();
    const std::uint32_t value = command.value.value_or(0);
    switch (command.letter) {
    case 'A':
        // The parameter word itself is kept by the basic commands.
        Restart(value);
        return std::nullopt;
    case 'D':
        userBits_ = value;
        return std::nullopt;
    case 'L': {
        if (!command.value || state.itemPointer + 4u > state.items.size())
            return Response{"OV"};
        for (std::size_t i = 0; i < 4; ++i)
            state.items[state.itemPointer + i] = static_cast<std::uint8_t>(value >> (8 * i));
        if (state.itemPointer == PresetItem)
            Restart(value);
        return Response{"OK"};
    }
    case 'E':
        if (value != JamFunction)
            return std::nullopt;
        return Response{"OK"};
    default:
        return std::nullopt;
    }
}

std::optional<std::string> TimecodeGenerator::UnitValue(Emulator& unit, std::uint32_t number) {
    if (number == GeneratorTimecodeValue)
        return Pair(GeneratorTime(unit.State()), userBits_);
    if (number == ReaderTimecodeValue)
        return Pair(GeneratorTime(unit.State()), readerUserBits_);
    return std::nullopt;
}

bool TimecodeGenerator::Configure(Emulator&, const std::string& key, const std::string& value) {
    if (key != "reader-userbits")
        return false;
    auto number = ParseHexSetting(value);
    if (!number)
        return false;
    readerUserBits_ = *number;
    return true;
}

} // namespace zeb40::sim
