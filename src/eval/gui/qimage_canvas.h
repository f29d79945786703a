#pragma once
#include "eval/canvas.h"

#include <QFont>
#include <QImage>

#include <optional>
#include <string>

namespace lumor {

/// A canvas over a QImage (RGB32, white at first): 1-pixel lines of exactly the pen's colour,
/// rasterised by the canvas's own rule (Canvas::line), texts
/// in the default font on an opaque white background, their top-left corner at (x, y).
class QImageCanvas : public Canvas {
public:
    QImageCanvas(int width, int height);
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    void fill() override;
    void setPen(Rgb colour) override { pen_ = colour; }
    void line(int x1, int y1, int x2, int y2) override;
    void text(int x, int y, const std::string& text) override;

    const QImage& image() const { return image_; }

private:
    QImage image_;
    Rgb pen_ = kBlackPen;
};

/// The pictures' font for texts: DejaVu Sans of 11 pixels, without antialiasing, or the
/// platform's sans-serif.
const QFont& canvasFont();

/// The bytes of the Windows bitmap file of a picture, as QImage::save(path, "BMP") writes it.
std::optional<std::string> bmpBytes(const QImage& image);

}  // namespace lumor
