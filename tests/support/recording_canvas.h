#pragma once
#include "eval/canvas.h"

#include <string>
#include <vector>

namespace lumor {

/// One recorded canvas operation.
struct CanvasOp {
    enum class Kind { Fill, Pen, Line, Text };
    Kind kind = Kind::Fill;
    Rgb colour = 0;                      ///< Pen
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  ///< Line; Text uses x1, y1
    std::string text;                    ///< Text

    bool operator==(const CanvasOp&) const = default;
};

/// A canvas that keeps every operation as data, for tests and measurements.
class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    void fill() override { ops.push_back(CanvasOp{CanvasOp::Kind::Fill, 0, 0, 0, 0, 0, {}}); }
    void setPen(Rgb colour) override { ops.push_back(CanvasOp{CanvasOp::Kind::Pen, colour, 0, 0, 0, 0, {}}); }
    void line(int x1, int y1, int x2, int y2) override {
        ops.push_back(CanvasOp{CanvasOp::Kind::Line, 0, x1, y1, x2, y2, {}});
    }
    void text(int x, int y, const std::string& t) override {
        ops.push_back(CanvasOp{CanvasOp::Kind::Text, 0, x, y, 0, 0, t});
    }

    std::vector<CanvasOp> ops;

private:
    int width_;
    int height_;
};

/// Readable form of an operation ("line 25,0 25,273", "text 30,3 A[dB]", "pen A6CAF0",
/// "fill"), for test messages.
std::string describeOp(const CanvasOp& op);

}  // namespace lumor
