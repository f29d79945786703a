#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace lumor {

/// A pen colour as 0xRRGGBB.
using Rgb = std::uint32_t;

constexpr Rgb kBlackPen = 0x000000;
constexpr Rgb kLightBluePen = 0xA6CAF0;
constexpr Rgb kGreenPen = 0x008000;
constexpr Rgb kRedPen = 0xFF0000;

/// What the graph drawing needs of a picture: a white brush, a 1-pixel pen whose colour
/// changes, lines between pixels and opaque texts in the default font.
class Canvas {
public:
    virtual ~Canvas() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    /// Fills the whole picture with the brush (white).
    virtual void fill() = 0;
    virtual void setPen(Rgb colour) = 0;
    /// A line from (x1, y1) to (x2, y2), both ends included.
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    /// A text on the brush colour, its cell's top-left corner at (x, y).
    virtual void text(int x, int y, const std::string& text) = 0;
};

/// One recorded canvas operation.
struct CanvasOp {
    enum Kind { Fill, Pen, Line, Text };
    Kind kind = Fill;
    Rgb colour = 0;                  ///< Pen
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  ///< Line; Text uses x1, y1
    std::string text;                ///< Text

    bool operator==(const CanvasOp&) const = default;
};

/// A canvas that keeps every operation as data, for tests and measurements.
class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    void fill() override { ops.push_back(CanvasOp{CanvasOp::Fill, 0, 0, 0, 0, 0, {}}); }
    void setPen(Rgb colour) override { ops.push_back(CanvasOp{CanvasOp::Pen, colour, 0, 0, 0, 0, {}}); }
    void line(int x1, int y1, int x2, int y2) override {
        ops.push_back(CanvasOp{CanvasOp::Line, 0, x1, y1, x2, y2, {}});
    }
    void text(int x, int y, const std::string& t) override {
        ops.push_back(CanvasOp{CanvasOp::Text, 0, x, y, 0, 0, t});
    }

    std::vector<CanvasOp> ops;

private:
    int width_;
    int height_;
};

/// Readable form of an operation ("line 25,0 25,273", "text 30,3 A[dB]", "pen A6CAF0",
/// "fill"), for test messages.
std::string DescribeOp(const CanvasOp& op);

}  // namespace lumor
