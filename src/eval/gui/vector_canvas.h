#pragma once
#include "eval/canvas.h"

#include <QImage>

#include <string>
#include <vector>

class QPainter;

namespace lumor {

/// A canvas that keeps its drawing as shapes and paints them with any QPainter, so that a graph
/// stays sharp at any size: in the report's PDF and on a screen whose device pixel ratio is
/// above 1. Coordinates are the picture's pixels; the painter's transform maps them to the page
/// or the screen. A line covers the strip of pixels the raster rule of `Canvas::line` walks,
/// from its first point up to its last (a horizontal or vertical one exactly the pixels of
/// QImageCanvas); lines drawn end to start in one pen join into one path through the pixels'
/// centres. A text is drawn as text in the pictures' font (canvasFont) on a white cell of its
/// extent, covering what lies beneath as it does on the pictures.
class VectorCanvas : public Canvas {
public:
    VectorCanvas(int width, int height);
    int width() const override { return width_; }
    int height() const override { return height_; }
    void fill() override;
    void setPen(Rgb colour) override { pen_ = colour; }
    void line(int x1, int y1, int x2, int y2) override;
    void text(int x, int y, const std::string& text) override;

    /// Paints the drawing through the painter's transform, clipped to the picture. A positive
    /// `deviceLineWidth` draws the lines that many device pixels wide whatever the transform
    /// (a screen's pixels); otherwise a line is one picture pixel wide, scaled with the rest,
    /// and texts keep the font's design metrics (paper).
    void paint(QPainter& painter, double deviceLineWidth = 0) const;

    /// The drawing as a picture of (width × ratio) × (height × ratio) pixels whose device pixel
    /// ratio is `ratio`, without antialiasing: its lines are whole device pixels wide (the ratio
    /// rounded), its texts drawn in device pixels, nothing enlarged from a smaller picture.
    QImage picture(double ratio) const;

private:
    struct Shape {
        enum class Kind { Fill, Path, Text };
        Kind kind = Kind::Fill;
        Rgb colour = kBlackPen;
        std::vector<std::pair<int, int>> points;  ///< Path: the points joined, in order; Text: its corner
        std::string text;
    };
    int width_;
    int height_;
    Rgb pen_ = kBlackPen;
    std::vector<Shape> shapes_;
};

}  // namespace lumor
