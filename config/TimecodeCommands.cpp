#include "config/TimecodeCommands.h"

#include "config/ItemDescriptions.h"
#include "link/ReplyDecoding.h"

#include <cstdio>

namespace zeb40 {
namespace {

// Item 24 (generator frames) is the first of the four preset bytes.
constexpr std::uint32_t SingleJamFunction = 0x41;
constexpr std::uint32_t GeneratorPresetItem = 24;
constexpr std::size_t UserBitsWidth = 8;

} // namespace

std::uint32_t TimecodeWord(int hours, int minutes, int seconds, int frames) {
    return static_cast<std::uint32_t>(BcdFromDecimal(hours)) << 24 |
           static_cast<std::uint32_t>(BcdFromDecimal(minutes)) << 16 |
           static_cast<std::uint32_t>(BcdFromDecimal(seconds)) << 8 |
           static_cast<std::uint32_t>(BcdFromDecimal(frames));
}

std::string TimecodeCaption(std::uint32_t timecode, std::uint32_t userBits) {
    char text[32];
    std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X  %08X", (timecode >> 24) & 0xFF,
                  (timecode >> 16) & 0xFF, (timecode >> 8) & 0xFF, timecode & 0xFF, userBits);
    return text;
}

LinkResult ReadTimecode(UnitLink& link, TimecodeSource source, std::string& caption) {
    const std::uint32_t number = source == TimecodeSource::Reader ? unit_value::ReaderTimecode
                                                                  : unit_value::GeneratorTimecode;
    ReplyCode code{};
    std::uint32_t timecode = 0;
    std::uint32_t userBits = 0;
    const LinkResult polled =
        link.QueryPair('e', number, code, timecode, userBits).Expecting(ReplyCode::ValuePair);
    if (polled)
        caption = TimecodeCaption(timecode, userBits);
    return polled;
}

std::optional<std::uint32_t> ParseUserBits(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() &&
           (text[start] == ' ' || (text[start] >= '\t' && text[start] <= '\r')))
        ++start;
    auto number = ScanHex(text.substr(start, UserBitsWidth));
    if (!number)
        return std::nullopt;
    return number->value;
}

LinkResult SetGenerator(UnitLink& link, std::uint32_t timecode, std::string_view userBitsText) {
    LinkResult result;
    if (auto userBits = ParseUserBits(userBitsText))
        result = link.Command('D', *userBits);
    result = FirstFailure(result, link.Command('A', timecode));
    result = FirstFailure(result, link.Command('P', GeneratorPresetItem));
    return FirstFailure(result, link.Command('L', timecode));
}

LinkResult SingleJam(UnitLink& link) {
    return link.Command('E', SingleJamFunction);
}

} // namespace zeb40
