#include "shell/shared/LogoPicture.h"

#include <QPalette>
#include <gtest/gtest.h>

namespace zeb40 {
namespace {

constexpr QRgb Background = 0xFF20A040;

TEST(LogoPicture, KeyColourShowsTheBackgroundAndEveryOtherColourIsPainted) {
    QImage picture(4, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, 0xFFFF00FF); // the key colour
    picture.setPixel(1, 0, 0xFFFE00FF); // one step off in red
    picture.setPixel(2, 0, 0xFFFF01FF); // in green
    picture.setPixel(3, 0, 0xFFFF00FE); // in blue

    QWidget window;
    QPalette palette;
    palette.setColor(QPalette::Window, QColor::fromRgb(Background));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(20, 10);
    LogoPicture logo(picture, &window);
    logo.setGeometry(0, 0, 8, 4); // larger than its picture

    const QImage shown = window.grab().toImage();
    EXPECT_EQ(shown.pixel(0, 0), Background);
    EXPECT_EQ(shown.pixel(1, 0), 0xFFFE00FFu);
    EXPECT_EQ(shown.pixel(2, 0), 0xFFFF01FFu);
    EXPECT_EQ(shown.pixel(3, 0), 0xFFFF00FEu);
    EXPECT_EQ(shown.pixel(6, 0), Background);
    EXPECT_EQ(shown.pixel(1, 3), Background);
}

TEST(LogoPicture, WithoutPictureItPaintsNothing) {
    QWidget window;
    QPalette palette;
    palette.setColor(QPalette::Window, QColor::fromRgb(Background));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(10, 10);
    LogoPicture logo(&window);
    logo.setGeometry(0, 0, 10, 10);
    EXPECT_EQ(window.grab().toImage().pixel(5, 5), Background);
}

TEST(LogoPicture, TheTwoLogosAre256ColoursOnTheKeyColour) {
    const QImage tall = LogoPicture::TallLogo();
    const QImage wide = LogoPicture::WideLogo();
    EXPECT_EQ(tall.size(), QSize(38, 100));
    EXPECT_EQ(wide.size(), QSize(100, 38));
    for (const QImage& logo : {tall, wide}) {
        EXPECT_EQ(logo.format(), QImage::Format_Indexed8);
        EXPECT_EQ(logo.colorCount(), 256);
        EXPECT_EQ(logo.pixel(0, 0), LogoPicture::KeyColour);
        EXPECT_EQ(logo.pixel(logo.width() - 1, logo.height() - 1), LogoPicture::KeyColour);
    }
}

} // namespace
} // namespace zeb40
