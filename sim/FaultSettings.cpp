#include "sim/FaultSettings.h"

#include "sim/Emulator.h"

#include <array>
#include <charconv>
#include <string_view>

namespace zeb40::sim {
namespace {

struct KindName {
    std::string_view name;
    Fault::Kind kind;
};

constexpr std::array<KindName, 7> Kinds{{
    {"silent", Fault::Kind::Silent},
    {"silent-reply", Fault::Kind::SilentReply},
    {"hang-up", Fault::Kind::HangUp},
    {"reply", Fault::Kind::Reply},
    {"long-line", Fault::Kind::LongLine},
    {"lf-only", Fault::Kind::LfOnly},
    {"late", Fault::Kind::Late},
}};

std::optional<char> LetterNamed(std::string_view name) {
    if (name == "any")
        return '\0';
    if (name == "probe")
        return '\b';
    if (name.size() == 1)
        return name[0];
    return std::nullopt;
}

} // namespace

std::optional<Response> FaultSettings::Handle(Emulator& unit, const ReceivedCommand& command) {
    (void)unit;
    (void)command;
    return std::nullopt;
}

bool FaultSettings::Configure(Emulator& unit, const std::string& key, const std::string& value) {
    if (key != "fault")
        return false;
    std::string_view rest = value;
    const std::size_t kindEnd = rest.find(':');
    if (kindEnd == std::string_view::npos)
        return false;
    const std::string_view kindName = rest.substr(0, kindEnd);
    rest.remove_prefix(kindEnd + 1);
    const std::size_t letterEnd = rest.find(':');
    const std::optional<char> letter = LetterNamed(rest.substr(0, letterEnd));
    const std::string_view text =
        letterEnd == std::string_view::npos ? std::string_view{} : rest.substr(letterEnd + 1);
    if (!letter)
        return false;

    for (const KindName& entry : Kinds) {
        if (entry.name != kindName)
            continue;
        Fault fault = Fault::Of(entry.kind, *letter);
        if (entry.kind == Fault::Kind::Reply) {
            if (text.empty())
                return false;
            fault.text = std::string(text);
        } else if (entry.kind == Fault::Kind::Late) {
            auto [end, error] =
                std::from_chars(text.data(), text.data() + text.size(), fault.delayMs);
            if (error != std::errc{} || end != text.data() + text.size() || fault.delayMs < 0)
                return false;
        } else if (!text.empty()) {
            return false;
        }
        unit.AddFault(fault);
        return true;
    }
    return false;
}

} // namespace zeb40::sim
