#include "cli/UnitProgressBoard.h"

#include <algorithm>
#include <ostream>

namespace zeb40::cli {
namespace {

constexpr std::size_t LineWidth = 79;

} // namespace

UnitProgressBoard::UnitProgressBoard(std::ostream& terminal, std::size_t lines)
    : terminal_(terminal), lines_(lines) {}

void UnitProgressBoard::Set(std::size_t line, const std::string& text) {
    // A line that wrapped would move every later redraw off its place.
    std::string shown = text.substr(0, LineWidth);
    if (lines_.at(line) == shown)
        return;
    lines_[line] = shown;
    changed_ = true;
}

void UnitProgressBoard::Draw(bool force) {
    const auto now = std::chrono::steady_clock::now();
    if (!changed_ || (!force && now - lastDraw_ < std::chrono::milliseconds(100)))
        return;
    if (drawn_)
        terminal_ << "\x1b[" << lines_.size() << "A";
    for (const auto& line : lines_)
        terminal_ << "\r\x1b[2K" << line << "\n";
    terminal_ << std::flush;
    drawn_ = true;
    changed_ = false;
    lastDraw_ = now;
}

std::string ProgressBar(const std::string& caption, int percent, int width) {
    percent = std::clamp(percent, 0, 100);
    int filled = percent * width / 100;
    return caption + " [" + std::string(filled, '#') + std::string(width - filled, ' ') + "] " +
           std::to_string(percent) + "%";
}

} // namespace zeb40::cli
