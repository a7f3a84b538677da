#include "flash/PagePacer.h"

namespace zeb40 {
namespace {

constexpr std::uint16_t LastPacedAddress = 0x4000;
constexpr std::uint16_t PageMask = 0x7F;

} // namespace

bool PagePacer::Send(char c) {
    // A stop takes effect only where a group of four begins, so the unit never
    // holds part of a programmed byte.
    if (group_ == 0 && unit_.StopAsked())
        return false;
    if (!unit_.Send({&c, 1}))
        return false;
    if (address_ <= LastPacedAddress && group_ != 0 && (address_ & PageMask) == 0) {
        unit_.WaitForLine();
        unit_.Wait(pause_);
    }
    ++group_;
    if (group_ >= 2)
        ++address_;
    if (group_ == 4)
        group_ = 0;
    return true;
}

} // namespace zeb40
