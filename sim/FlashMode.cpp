#include "sim/FlashMode.h"

#include "sim/Base64.h"
#include "sim/Emulator.h"
#include "sim/HexText.h"

#include <algorithm>

namespace zeb40::sim {
namespace {

constexpr std::uint32_t BlockSize = 0x2000;
constexpr std::uint16_t PageSize = 128;
constexpr std::uint16_t LastPacedAddress = 0x4000; // pages above this program at once

bool InFlash(std::uint32_t address) {
    return address >= firmware_image::Start && address < firmware_image::End;
}

} // namespace

FlashMode::FlashMode() {
    // The factory firmware: a marked image of version 3.46 over a pattern.
    for (std::uint32_t a = firmware_image::Start; a < firmware_image::End; ++a)
        memory_[a] = static_cast<std::uint8_t>(a * 7 + (a >> 8));
    std::copy(std::begin(firmware_image::Marker), std::end(firmware_image::Marker),
              memory_.begin() + firmware_image::Start);
    memory_[firmware_image::Start + firmware_image::VersionOffset] = 0x03;
    memory_[firmware_image::Start + firmware_image::VersionOffset + 1] = 0x46;
}

std::optional<Response> FlashMode::Handle(Emulator& unit, const ReceivedCommand& command) {
    if (command.Is('l', 4))
        return Response{FormatHex(v_)};
    if (!command.Is('$') || !command.value)
        return std::nullopt;
    const bool accepted = (accepts_ == SwitchAccepts::Complement && *command.value == ~v_) ||
                          (accepts_ == SwitchAccepts::Plain && *command.value == v_);
    if (!accepted)
        return Response{"PR"};
    EnterFlashMode(unit);
    return Response{"OK"};
}

bool FlashMode::Configure(Emulator& unit, const std::string& key, const std::string& value) {
    if (key == "flash-v") {
        auto number = ParseHexSetting(value);
        if (!number)
            return false;
        v_ = *number;
    } else if (key == "flash-switch") {
        if (value == "complement")
            accepts_ = SwitchAccepts::Complement;
        else if (value == "plain")
            accepts_ = SwitchAccepts::Plain;
        else if (value == "never")
            accepts_ = SwitchAccepts::Never;
        else
            return false;
    } else if (key == "flash-page-ms") {
        if (value.empty() || !std::all_of(value.begin(), value.end(), ::isdigit) ||
            value.size() > 5)
            return false;
        pageTime_ = std::chrono::milliseconds(std::stoi(value));
    } else if (key == "flash-mode" && value == "on") {
        EnterFlashMode(unit);
    } else {
        return false;
    }
    return true;
}

void FlashMode::EnterFlashMode(Emulator& unit) {
    inFlashMode_ = true;
    phase_ = Phase::Command;
    unit.TakeOverStream(this);
}

std::vector<std::uint8_t> FlashMode::Flash(std::size_t count) const {
    count = std::min<std::size_t>(count, firmware_image::End - firmware_image::Start);
    auto begin = memory_.begin() + firmware_image::Start;
    return {begin, begin + static_cast<std::ptrdiff_t>(count)};
}

bool FlashMode::Reply(Emulator& unit, FlashReply which, const std::string& normal) {
    for (FlashFault& fault : faults_) {
        if (fault.reply != which || fault.times == 0)
            continue;
        if (fault.skip > 0) {
            --fault.skip;
            continue;
        }
        if (fault.times > 0)
            --fault.times;
        switch (fault.kind) {
        case FlashFault::Kind::Text:
            sent_ += fault.text.size();
            unit.Send(fault.text);
            break;
        case FlashFault::Kind::Silent:
            break;
        case FlashFault::Kind::HangUp:
            unit.HangUp();
            break;
        case FlashFault::Kind::Lowercase: {
            std::string lower = normal;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            sent_ += lower.size();
            unit.Send(lower);
            break;
        }
        }
        return false;
    }
    sent_ += normal.size();
    unit.Send(normal);
    return true;
}

void FlashMode::OnRawByte(Emulator& unit, char byte) {
    switch (phase_) {
    case Phase::Command:
        OnCommand(unit, byte);
        break;
    case Phase::Address:
        OnAddress(unit, byte);
        break;
    case Phase::Programming:
        OnProgramming(unit, byte);
        break;
    case Phase::SkipLine:
        // A command line of the normal protocol: the loader only answers its CR.
        if (byte == '\r') {
            phase_ = Phase::Command;
            Reply(unit, FlashReply::Prompt, "?");
        }
        break;
    }
}

void FlashMode::OnCommand(Emulator& unit, char byte) {
    switch (byte) {
    case '\r':
        Reply(unit, FlashReply::Prompt, "?");
        break;
    case '1':
        Reply(unit, FlashReply::Manufacturer, "01");
        break;
    case '2':
        Reply(unit, FlashReply::Chip, "20");
        break;
    case '5':
        Reply(unit, FlashReply::Logic, "01");
        break;
    case 'D':
        addressDigits_.clear();
        phase_ = Phase::Address;
        break;
    case 'C':
        Erase(unit);
        break;
    case 'I':
        accumulator_ = 0;
        bitsHeld_ = 0;
        programFailed_ = false;
        phase_ = Phase::Programming;
        break;
    case '9':
        Reply(unit, FlashReply::ReadBack, FormatHex(memory_[pointer_], 2));
        ++pointer_;
        break;
    case 'G':
        Restart(unit);
        break;
    case '$':
        phase_ = Phase::SkipLine;
        break;
    default:
        break; // "=" and anything else: no answer
    }
}

void FlashMode::OnAddress(Emulator& unit, char byte) {
    addressDigits_ += byte;
    if (addressDigits_.size() < 5)
        return;
    phase_ = Phase::Command;
    const std::string digits = addressDigits_.substr(0, 4);
    auto number = ParseHex(digits);
    const bool valid = addressDigits_[4] == '4' && number;
    if (valid)
        pointer_ = static_cast<std::uint16_t>(*number);
    Reply(unit, FlashReply::AddressPointer, valid ? FormatHex(pointer_, 4) : std::string("????"));
}

void FlashMode::Erase(Emulator& unit) {
    const bool blockStart = InFlash(pointer_) && (pointer_ % BlockSize) == 0;
    if (blockStart)
        std::fill_n(memory_.begin() + pointer_, BlockSize, 0xFF);
    Reply(unit, FlashReply::Erase, blockStart ? "00" : "01");
}

void FlashMode::OnProgramming(Emulator& unit, char byte) {
    if (unit.Now() < busyUntil_) {
        ++lost_;
        return;
    }
    if (byte == '=') {
        phase_ = Phase::Command;
        Reply(unit, FlashReply::ProgramResult, programFailed_ ? "01" : "00");
        programmedAt_ = unit.Now();
        return;
    }
    const int value = Base64Value(byte);
    if (value < 0)
        return; // line ends and blanks carry no data
    accumulator_ = (accumulator_ << 6) | static_cast<std::uint32_t>(value);
    bitsHeld_ += 6;
    if (bitsHeld_ < 8)
        return;
    bitsHeld_ -= 8;
    const std::uint16_t address = pointer_;
    ProgramByte(static_cast<std::uint8_t>(accumulator_ >> bitsHeld_));
    if (address <= LastPacedAddress && address % PageSize == 0)
        busyUntil_ = unit.Now() + pageTime_;
}

void FlashMode::ProgramByte(std::uint8_t byte) {
    // Flash bits only go from 1 to 0; anything else is a programming failure.
    if (InFlash(pointer_)) {
        memory_[pointer_] &= byte;
        if (memory_[pointer_] != byte)
            programFailed_ = true;
    } else {
        programFailed_ = true;
    }
    ++pointer_;
}

void FlashMode::Restart(Emulator& unit) {
    const auto image = memory_.begin() + firmware_image::Start;
    const bool blank = std::all_of(image, image + firmware_image::HeaderSize,
                                   [](std::uint8_t b) { return b == 0xFF; });
    if (blank) {
        Reply(unit, FlashReply::Restart, "E");
        return;
    }
    if (!Reply(unit, FlashReply::Restart, "G"))
        return;
    if (std::equal(std::begin(firmware_image::Marker), std::end(firmware_image::Marker), image)) {
        unit.State().firmwareVersion = static_cast<std::uint16_t>(
            image[firmware_image::VersionOffset] << 8 | image[firmware_image::VersionOffset + 1]);
    }
    inFlashMode_ = false;
    phase_ = Phase::Command;
    unit.ReleaseStream();
}

} // namespace zeb40::sim
