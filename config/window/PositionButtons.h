#pragma once
// The eight buttons of the Position group, laid out as a three-by-three square
// around a picture: their ids, tooltips, pictures and the positions they set.

#include <QIcon>
#include <QPixmap>
#include <array>

namespace zeb40 {

struct PositionButton {
    int controlId;
    const char* label;
    int column; // 0 left, 1 centre, 2 right
    int row;    // 0 upper, 1 middle, 2 lower
};

inline constexpr std::array<PositionButton, 8> PositionButtons{{
    {1048, "Upper Left", 0, 0},
    {1056, "Upper Center", 1, 0},
    {1057, "Upper Right", 2, 0},
    {1058, "Middle Left", 0, 1},
    {1060, "Middle Right", 2, 1},
    {1061, "Lower Left", 0, 2},
    {1062, "Lower Center", 1, 2},
    {1063, "Lower Right", 2, 2},
}};

// A small black video frame with a white text mark where the button stands;
// the centre picture is the plain frame.
QIcon PositionIcon(const PositionButton& button);
QPixmap PlainFramePicture();

} // namespace zeb40
