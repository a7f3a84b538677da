#include "shell/shared/LogoPicture.h"

#include <QPainter>

// Resources of a static library must be registered by hand, from the global
// namespace.
static void RegisterLogoResources() {
    Q_INIT_RESOURCE(logo);
}

namespace zeb40 {
namespace {

QImage LoadLogo(const char* path) {
    static const bool registered = (RegisterLogoResources(), true);
    (void)registered;
    return QImage(QString::fromLatin1(path));
}

// What a masked transfer does: the key colour, compared exactly in all three
// channels, leaves the screen unchanged.
QImage WithKeyColourTransparent(const QImage& picture) {
    if (picture.isNull())
        return {};
    QImage masked = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x) {
            if ((line[x] | 0xFF000000u) == LogoPicture::KeyColour)
                line[x] = qRgba(0, 0, 0, 0);
            else
                line[x] |= 0xFF000000u;
        }
    }
    return masked;
}

} // namespace

LogoPicture::LogoPicture(QWidget* parent) : QWidget(parent) {}

LogoPicture::LogoPicture(const QImage& picture, QWidget* parent) : QWidget(parent) {
    SetPicture(picture);
}

void LogoPicture::SetPicture(const QImage& picture) {
    picture_ = picture;
    masked_ = WithKeyColourTransparent(picture);
    updateGeometry();
    update();
}

QSize LogoPicture::sizeHint() const {
    return picture_.isNull() ? QWidget::sizeHint() : picture_.size();
}

QImage LogoPicture::TallLogo() {
    return LoadLogo(":/logo/tall_logo.bmp");
}

QImage LogoPicture::WideLogo() {
    return LoadLogo(":/logo/wide_logo.bmp");
}

void LogoPicture::paintEvent(QPaintEvent* event) {
    if (masked_.isNull()) {
        QWidget::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), masked_);
}

} // namespace zeb40
