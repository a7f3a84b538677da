#include "flash/PagePacer.h"

namespace zeb40 {
namespace {

constexpr std::uint16_t LastPacedAddress = 0x4000;
constexpr std::uint16_t PageMask = 0x7F;

} // namespace

bool PagePacer::Place::PausesAfter() const {
    return address <= LastPacedAddress && group != 0 && (address & PageMask) == 0;
}

void PagePacer::Place::Advance() {
    ++group;
    if (group >= 2)
        ++address;
    if (group == 4)
        group = 0;
}

PagePacer::Run PagePacer::NextRun(std::size_t available) const {
    const bool insideGroup = place_.group != 0;
    Place place = place_;
    for (std::size_t length = 1; length <= available; ++length) {
        const bool pause = place.PausesAfter();
        place.Advance();
        if (pause)
            return {length, true};
        if (insideGroup && place.group == 0)
            return {length, false};
    }
    return {available, false};
}

std::size_t PagePacer::Send(std::string_view text) {
    std::size_t sent = 0;
    while (sent < text.size()) {
        // A stop takes effect only where a group of four begins, so the unit
        // never holds part of a programmed byte.
        if (place_.group == 0 && unit_.StopAsked())
            break;
        const Run run = NextRun(text.size() - sent);
        const std::size_t written = unit_.SendSome(text.substr(sent, run.length));
        for (std::size_t i = 0; i < written; ++i)
            place_.Advance();
        sent += written;
        if (written < run.length)
            break;
        if (run.pauseAfter) {
            unit_.WaitForLine();
            unit_.Wait(pause_);
        }
    }
    return sent;
}

} // namespace zeb40
