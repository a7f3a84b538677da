// position: the eight preset places of the inserted timecode.

#include "cli/Commands.h"
#include "cli/SettingsListing.h"
#include "cli/UnitConnection.h"
#include "config/ConfigEditor.h"
#include "config/PresetPlace.h"

#include <array>
#include <ostream>

namespace zeb40::cli {
namespace {

struct Preset {
    std::string_view name;
    int column; // 0 left, 1 centre, 2 right
    int row;    // 0 upper, 1 middle, 2 lower
};

constexpr std::array<Preset, 8> Presets{{
    {"upper-left", 0, 0},
    {"upper-center", 1, 0},
    {"upper-right", 2, 0},
    {"middle-left", 0, 1},
    {"middle-right", 2, 1},
    {"lower-left", 0, 2},
    {"lower-center", 1, 2},
    {"lower-right", 2, 2},
}};

// "Lower Right", "lower-right" and "LOWER_RIGHT" name the same preset.
const Preset* FindPreset(std::string_view text) {
    std::string folded;
    for (char c : text) {
        if (c == ' ' || c == '_')
            c = '-';
        folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    for (const auto& preset : Presets) {
        if (preset.name == folded)
            return &preset;
    }
    return nullptr;
}

std::string PresetNames(const char* separator) {
    std::string names;
    for (const auto& known : Presets)
        names += (names.empty() ? "" : separator) + std::string(known.name);
    return names;
}

} // namespace

std::string PositionPresetNames() {
    return PresetNames(" ");
}

ExitCode RunPosition(CliContext& context) {
    const Preset* preset = FindPreset(context.invocation.words[0]);
    if (!preset)
        return context.Fail(ExitCode::Usage, "unknown position '" + context.invocation.words[0] +
                                                 "'; one of: " + PresetNames(", "));
    if (ExitCode connected = ConnectToUnit(context); connected != ExitCode::Success)
        return connected;
    ConfigState config;
    if (ExitCode read = ReadUnitItems(context, config.table, {item::Norm, item::InsertSize});
        read != ExitCode::Success)
        return read;
    ConfigEditor editor(context.link, config, context.op);
    const EditChoices choices = ShownChoices(config.table, true);
    InsertPosition position =
        PresetPosition(preset->column, preset->row, {IsNtsc(config.table), choices.sizeSelection});
    MemoryReport report;
    const LinkResult placed = editor.SetInsertPosition(position, choices, report);

    context.result["position"] = preset->name;
    context.result["horizontal"] = position.horizontal;
    context.result["vertical"] = position.vertical;
    if (!placed)
        return FailExchange(context, placed, "the position");
    if (!context.JsonOutput())
        context.out << "Position " << preset->name << ": horizontal " << position.horizontal
                    << ", vertical " << position.vertical << "\n";
    return ExitCode::Success;
}

} // namespace zeb40::cli
