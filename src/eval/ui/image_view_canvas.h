#pragma once
#include "eval/gui/qimage_canvas.h"
#include "eval/gui/vector_canvas.h"

#include <optional>

namespace lumor {

class ImageView;

/// Paints a drawing for an image control and puts it on the control once asked to, but only
/// when anything was drawn: a picture that a drawing never reached keeps what it showed. The
/// picture is drawn at 1 (the control's `picture`, pixel for pixel as the files are); on a
/// screen whose device pixel ratio is above 1 the same drawing is also kept as vectors and
/// shown at that ratio, sharp.
class ImageViewCanvas : public QImageCanvas {
public:
    /// For the control's screen, or for the device pixel ratio given (above 0).
    explicit ImageViewCanvas(ImageView& view, double ratio = 0);
    void fill() override;
    void setPen(Rgb colour) override;
    void line(int x1, int y1, int x2, int y2) override;
    void text(int x, int y, const std::string& text) override;

    /// Puts the drawing so far on the control, when there is one.
    void show() const;

private:
    ImageView& view_;
    bool touched_ = false;
    double ratio_;
    std::optional<VectorCanvas> sharp_;  ///< the drawing once more, for a ratio above 1
};

}  // namespace lumor
