#include "config/ItemDescriptions.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace zeb40 {
namespace {

using namespace std::string_view_literals;

constexpr std::array FrameRates = {"Auto"sv, "25"sv, "30"sv, "30 DF"sv, "24"sv};
constexpr std::array StopModes = {"Stop"sv, "Off"sv};
constexpr std::array SyncSources = {"Video"sv, "Free"sv, "Source"sv};
constexpr std::array LtcGains = {"Off"sv,    "-24 dB"sv, "-21 dB"sv, "-18 dB"sv, "-15 dB"sv,
                                 "-12 dB"sv, "-9 dB"sv,  "-6 dB"sv,  "-3 dB"sv,  "0 dB"sv,
                                 "3 dB"sv,   "6 dB"sv,   "9 dB"sv};
constexpr std::array GenerateVitcModes = {"Off"sv, "2 Lines"sv};
constexpr std::array LtcEdges = {"25 \xC2\xB5s"sv, "50 \xC2\xB5s"sv};
constexpr std::array JamModes = {"Off"sv, "Continous"sv, "Cont. 0 Frames"sv, "Cont. Wheel"sv};
constexpr std::array JamValues = {"Time"sv, "User"sv, "Time, User"sv, "Time to User"sv};
constexpr std::array ReadSources = {"Off"sv, "LTC"sv, "VITC"sv, "Auto"sv};
constexpr std::array ReadVitcModes = {"Auto"sv, "2 Lines"sv};
constexpr std::array InsertSources = {
    "Off"sv,          "Gen Time"sv,     "Read Time"sv,     "Gen User"sv,     "Read User"sv,
    "Gen D:M:H:M"sv,  "Read D:M:H:M"sv, "Gen D:H:M:S"sv,   "Read D:H:M:S"sv, "Gen D:M:M:S"sv,
    "Read D:M:M:S"sv, "Gen Time (6)"sv, "Read Time (6)"sv, "Gen User (6)"sv, "Read User (6)"sv,
    "Gen D:M:Y"sv,    "Read D:M:Y"sv,   "Gen Y:M:H:M"sv,   "Read Y:M:H:M"sv, "MTD Slave"sv};
constexpr std::array InsertSizes = {"Small"sv, "Large"sv};
constexpr std::array InsertStyles = {"White on Black"sv, "Black on White"sv, "White"sv, "Black"sv};
constexpr std::array SerialProtocols = {
    "Sony"sv,         "(Sony ID)"sv,   "RV22 Req"sv,      "RV22 ND"sv,       "(Meinberg R)"sv,
    "(Meinberg S)"sv, "ZEB30"sv,       "(IA232TC CTL)"sv, "(IA232TC LTC)"sv, "(Artlab ASCII)"sv,
    "RV22 Gen Req"sv, "RV22 Gen ND"sv, "RV22 ND Set"sv,   "RV22 ND Wheel"sv};
constexpr std::array Baudrates = {"2,400"sv, "4,800"sv,  "7,200"sv,
                                  "9,600"sv, "19,200"sv, "38,400"sv};
// "7 Sace 1" is the unit's own spelling.
constexpr std::array SerialFormats = {"8 None 1"sv,  "8 Odd 1"sv,  "8 Even 1"sv, "8 Mark 1"sv,
                                      "8 Space 1"sv, "7 Odd 1"sv,  "7 Even 1"sv, "7 Mark 1"sv,
                                      "7 Sace 1"sv,  "8 None 2"sv, "7 None 2"sv};
constexpr std::array RealTimeSources = {"Off"sv, "Clock"sv, "Serial"sv};
constexpr std::array Zones = {"UTC"sv, "Berlin"sv};
constexpr std::array DaylightSavings = {"Off"sv, "Europe"sv};
constexpr std::array Norms = {"PAL"sv, "NTSC"sv};
constexpr std::array DisplaySources = {
    "Gen Time"sv,      "Gen User"sv,      "Read Time"sv,
    "Read User"sv,     "Gen Time (6)"sv,  "Gen User (6)"sv,
    "Read Time (6)"sv, "Read User (6)"sv, "Read T (6/7), U (8)"sv,
    "Off"sv,           "MTD Slave"sv};
constexpr std::array KeyActions = {"No Operation"sv,
                                   "Reorga Mem"sv,
                                   "(reserved)"sv,
                                   "(reserved)"sv,
                                   "Insert Up"sv,
                                   "Insert Down"sv,
                                   "Insert Left"sv,
                                   "Insert Right"sv,
                                   "Insert Style"sv,
                                   "Insert Size"sv,
                                   "Ins Style/Size"sv,
                                   "Ins Time/User"sv,
                                   "Ins Read/Gen"sv,
                                   "Ins T/U/R/G"sv,
                                   "Insert Hold"sv,
                                   "Insert On/Off"sv,
                                   "Insert Frames"sv,
                                   "Disp Time/User"sv,
                                   "Disp Read/Gen"sv,
                                   "Disp T/U/R/G"sv,
                                   "Disp Frames"sv,
                                   "Disp Bright +"sv,
                                   "Disp Bright -"sv,
                                   "Disp Hold"sv,
                                   "Gen Start / Stop"sv,
                                   "Gen Start"sv,
                                   "Gen Set"sv,
                                   "Single Jam"sv,
                                   "Gen Stop"sv,
                                   "Gen Reset"sv,
                                   "Load User Profile 0"sv,
                                   "Load User Profile 1"sv,
                                   "Load User Profile 2"sv,
                                   "Load User Profile 3"sv,
                                   "Load User Profile 4"sv,
                                   "Load User Profile 5"sv,
                                   "Load User Profile 6"sv,
                                   "Load User Profile 7"sv,
                                   "Load User Profile 8"sv,
                                   "Load User Profile 9"sv,
                                   "(reserved)"sv,
                                   "Real-Time On/Off"sv,
                                   "Insert Top/Bottom"sv,
                                   "(reserved/Qvx)"sv,
                                   "Clock Adjust"sv,
                                   "Clock Preset"sv,
                                   "(reserved/EE)"sv,
                                   "(reserved/Meters)"sv,
                                   "(reserved/Mask Hours)"sv,
                                   "Disp On / Off"sv};
static_assert(KeyActions.size() == 50);

constexpr std::span<const std::string_view> NoList{};

constexpr ItemDescription Combo(int item, std::string_view name, std::string_view group,
                                std::string_view label, std::span<const std::string_view> list,
                                std::uint8_t defaultValue) {
    return {item,
            name,
            group,
            label,
            ItemEncoding::Index,
            list,
            -1,
            0,
            static_cast<int>(list.size()) - 1,
            defaultValue};
}

constexpr ItemDescription OffCombo(int item, std::string_view name, std::string_view group,
                                   std::string_view label, std::span<const std::string_view> list,
                                   int offEntry, std::uint8_t defaultValue) {
    return {item,
            name,
            group,
            label,
            ItemEncoding::OffFlag,
            list,
            offEntry,
            0,
            static_cast<int>(list.size()) - 1,
            defaultValue};
}

constexpr ItemDescription Number(int item, std::string_view name, std::string_view group,
                                 std::string_view label, int fieldMin, int fieldMax,
                                 std::uint8_t defaultValue) {
    return {item,   name, group,    label,    ItemEncoding::Number,
            NoList, -1,   fieldMin, fieldMax, defaultValue};
}

constexpr ItemDescription Time(int item, std::string_view name, std::string_view group,
                               std::string_view label, int fieldMax, std::uint8_t defaultValue) {
    return {item, name, group, label, ItemEncoding::Bcd, NoList, -1, 0, fieldMax, defaultValue};
}

constexpr ItemDescription Check(int item, std::string_view name, std::string_view group,
                                std::string_view label, std::uint8_t defaultValue) {
    return {item, name, group, label, ItemEncoding::Check, NoList, -1, 0, 1, defaultValue};
}

constexpr std::array Items = {
    Combo(12, "generate.frame-rate", "Generate", "Frame Rate", FrameRates, 0),
    Combo(13, "generate.stop-mode", "Generate", "Stop Mode", StopModes, 0),
    Combo(14, "generate.sync", "Generate", "Sync", SyncSources, 0),
    Combo(15, "generate.ltc-gain", "Generate", "LTC Gain", LtcGains, 9),
    Combo(16, "generate.vitc-mode", "Generate", "VITC Mode", GenerateVitcModes, 1),
    Number(17, "generate.vitc-line-1", "Generate", "VITC Line 1", 6, 30, 10),
    Number(18, "generate.vitc-line-2", "Generate", "VITC Line 2", 6, 30, 12),
    Combo(20, "generate.ltc-edge", "Generate", "LTC Edge", LtcEdges, 0),
    Time(24, "generate.time-frames", "Generate", "Time frames", 29, 0x00),
    Time(25, "generate.time-seconds", "Generate", "Time seconds", 59, 0x00),
    Time(26, "generate.time-minutes", "Generate", "Time minutes", 59, 0x00),
    Time(27, "generate.time-hours", "Generate", "Time hours", 23, 0x10),
    Combo(28, "jam.mode", "Jam", "Mode", JamModes, 0),
    Combo(29, "jam.values", "Jam", "Values", JamValues, 2),
    Number(30, "jam.wheel", "Jam", "Wheel", 1, 99, 1),
    Check(31, "jam.use-offset", "Jam", "Use Offset", 1),
    Time(32, "jam.offset-frames", "Jam", "Offset frames", 29, 0x00),
    Time(33, "jam.offset-seconds", "Jam", "Offset seconds", 59, 0x00),
    Time(34, "jam.offset-minutes", "Jam", "Offset minutes", 59, 0x00),
    Time(35, "jam.offset-hours", "Jam", "Offset hours", 23, 0x00),
    Combo(41, "read.frame-rate", "Read", "Frame Rate", FrameRates, 0),
    Combo(42, "read.source", "Read", "Source", ReadSources, 0x7F),
    Combo(44, "read.vitc-mode", "Read", "VITC Mode", ReadVitcModes, 0),
    Number(45, "read.vitc-line-1", "Read", "VITC Line 1", 6, 30, 10),
    Number(46, "read.vitc-line-2", "Read", "VITC Line 2", 6, 30, 12),
    OffCombo(60, "insert.source", "Insert", "Source", InsertSources, 0, 1),
    Number(62, "position.horizontal", "Position", "Horizontal", 0, 126, 116),
    Number(63, "position.vertical", "Position", "Vertical", 0, 135, 125),
    Combo(64, "insert.size", "Insert", "Size", InsertSizes, 0),
    Combo(65, "insert.style", "Insert", "Style", InsertStyles, 0),
    Check(66, "insert.hd-sw-filter", "Insert", "Hd. Sw. Filter", 0),
    Combo(72, "serial.protocol", "Serial", "Protocol", SerialProtocols, 0),
    Combo(73, "serial.baudrate", "Serial", "Baudrate", Baudrates, 5),
    Combo(74, "serial.format", "Serial", "Format", SerialFormats, 1),
    OffCombo(80, "real-time.source", "Real-Time", "Source", RealTimeSources, 0, 0),
    Combo(81, "real-time.zone", "Real-Time", "Zone", Zones, 1),
    Combo(82, "real-time.dst", "Real-Time", "DST", DaylightSavings, 1),
    Combo(88, "general.norm", "General", "Norm", Norms, 0),
    OffCombo(89, "display.source", "Display", "Source", DisplaySources, 9, 2),
    Number(90, "display.bright", "Display", "Bright", 1, 7, 3),
    Combo(92, "function-keys.f1", "Function Keys", "F1", KeyActions, 7),
    Combo(93, "function-keys.f2", "Function Keys", "F2", KeyActions, 5),
    Combo(94, "function-keys.f3", "Function Keys", "F3", KeyActions, 13),
    Combo(95, "function-keys.f4", "Function Keys", "F4", KeyActions, 15),
    Combo(96, "function-keys.f5", "Function Keys", "F5", KeyActions, 0),
};
static_assert(Items.size() == 45);

constexpr std::array ReadSequence = {12, 13, 14, 15, 16, 17, 18, 27, 26, 25, 24, 20, 28, 29, 30,
                                     31, 35, 34, 33, 32, 41, 42, 44, 45, 46, 60, 62, 63, 64, 65,
                                     66, 72, 73, 74, 80, 81, 82, 88, 89, 90, 92, 93, 94, 95, 96};
constexpr std::array ApplySequence = {12, 13, 14, 15, 16, 17, 18, 20, 27, 26, 25, 24, 28, 29, 30,
                                      31, 35, 34, 33, 32, 41, 42, 44, 45, 46, 60, 62, 63, 64, 65,
                                      66, 72, 73, 74, 80, 81, 82, 88, 89, 90, 92, 93, 94, 95, 96};

constexpr std::array NormBound = {17, 18, 45, 46, 32, 30, item::Horizontal, item::Vertical};

} // namespace

std::optional<ItemBounds> SetItemBounds(int item, const BoundsBasis& basis) {
    switch (item) {
    case 17:
    case 18:
    case 45:
    case 46:
        return ItemBounds{basis.ntsc ? 10 : 6, 30};
    case 24:
    case 32:
        return ItemBounds{0, basis.ntsc ? 0x29 : 0x24};
    case 30:
        return ItemBounds{1, 99};
    case item::Horizontal:
        return ItemBounds{0, MaxHorizontalPosition(basis.sizeSelection)};
    case item::Vertical:
        return ItemBounds{0, MaxVerticalPosition(basis.ntsc, basis.sizeSelection)};
    case item::Bright:
        return ItemBounds{1, 7};
    default:
        return std::nullopt;
    }
}

std::span<const int> NormBoundItems() {
    return NormBound;
}

int MaxHorizontalPosition(int sizeSelection) {
    return sizeSelection == SmallInsert ? 126 : 69;
}

int MaxVerticalPosition(bool ntsc, int sizeSelection) {
    if (sizeSelection == SmallInsert)
        return ntsc ? 111 : 135;
    return ntsc ? 103 : 127;
}

std::span<const ItemDescription> SettingItems() {
    return Items;
}

const ItemDescription* FindItem(int item) {
    for (const auto& description : Items) {
        if (description.item == item)
            return &description;
    }
    return nullptr;
}

const ItemDescription* FindItemByName(std::string_view name) {
    for (const auto& description : Items) {
        if (description.name == name)
            return &description;
    }
    return nullptr;
}

std::span<const int> ReadOrder() {
    return ReadSequence;
}

std::span<const int> ApplyOrder() {
    return ApplySequence;
}

int ControlValueFromItem(const ItemDescription& description, std::uint8_t stored) {
    const int listSize = static_cast<int>(description.list.size());
    switch (description.encoding) {
    case ItemEncoding::Index:
        if (description.item == item::ReadSource)
            return stored & 3;
        return stored < listSize ? stored : -1;
    case ItemEncoding::OffFlag:
        if (stored >= 0x80)
            return description.offEntry;
        return stored < listSize ? stored : -1;
    case ItemEncoding::Bcd:
        return DecimalFromBcd(stored);
    case ItemEncoding::Number:
        // The window shows brightness within its bounds, whatever the unit holds.
        if (description.item == item::Bright) {
            const ItemBounds bounds = *SetItemBounds(item::Bright, {});
            return std::clamp<int>(stored, bounds.minimum, bounds.maximum);
        }
        return stored;
    case ItemEncoding::Check:
        return stored != 0 ? 1 : 0;
    }
    return -1;
}

int BcdFromDecimal(int decimal) {
    return (decimal / 10) * 16 + decimal % 10;
}

int DecimalFromBcd(int bcd) {
    return (bcd >> 4) * 10 + (bcd & 0x0F);
}

} // namespace zeb40
