#pragma once
// One line per unit on a terminal, each redrawn in place as its unit moves
// on. Redraws come at most ten times a second, so a fast child cannot flood
// the terminal.

#include <chrono>
#include <iosfwd>
#include <string>
#include <vector>

namespace zeb40::cli {

class UnitProgressBoard {
  public:
    UnitProgressBoard(std::ostream& terminal, std::size_t lines);
    void Set(std::size_t line, const std::string& text);
    // Redraws what changed; force draws at once, as at the end.
    void Draw(bool force = false);

  private:
    std::ostream& terminal_;
    std::vector<std::string> lines_;
    bool changed_ = true;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};

// "caption [#####     ] 45%" in a bar of the given width.
std::string ProgressBar(const std::string& caption, int percent, int width);

} // namespace zeb40::cli
