#include "config/window/PositionButtons.h"

#include "config/PresetPlace.h"

#include <QPainter>

namespace zeb40 {
namespace {

constexpr int Width = 24;
constexpr int Height = 18;
constexpr int MarkWidth = 8;
constexpr int MarkHeight = 3;
constexpr int Margin = 3;

QPixmap Frame() {
    QPixmap picture(Width, Height);
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.setPen(QColor(96, 96, 96));
    painter.drawRect(0, 0, Width - 1, Height - 1);
    return picture;
}

} // namespace

QIcon PositionIcon(const PositionButton& button) {
    QPixmap picture = Frame();
    QPainter painter(&picture);
    const int x = Margin + button.column * (Width - 2 * Margin - MarkWidth) / 2;
    const int y = Margin + button.row * (Height - 2 * Margin - MarkHeight) / 2;
    painter.fillRect(x, y, MarkWidth, MarkHeight, Qt::white);
    painter.end();
    return QIcon(picture);
}

QPixmap PlainFramePicture() {
    return Frame();
}

} // namespace zeb40
