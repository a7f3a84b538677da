#pragma once
// A picture control for the maker's logo: paints its image at the top left
// with RGB(255, 0, 255) transparent, so the window's background shows outside
// the artwork and wherever the control is larger than the image.

#include <QImage>
#include <QWidget>

namespace zeb40 {

class LogoPicture : public QWidget {
    Q_OBJECT
  public:
    explicit LogoPicture(QWidget* parent = nullptr);
    LogoPicture(const QImage& picture, QWidget* parent = nullptr);

    // A null image makes it paint as an empty control.
    void SetPicture(const QImage& picture);

    QSize sizeHint() const override;

    // The two logos: 38 x 100 for the main and configuration windows, 100 x 38
    // for the About box; 256 colours on the key colour.
    static QImage TallLogo();
    static QImage WideLogo();
    static constexpr QRgb KeyColour = 0xFFFF00FF;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
    QImage masked_; // the picture with key-coloured pixels fully transparent
};

} // namespace zeb40
