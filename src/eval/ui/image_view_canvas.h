#pragma once
#include "eval/gui/qimage_canvas.h"

namespace lumor {

class ImageView;

/// Paints a drawing for an image control and puts it on the control once asked to, but only
/// when anything was drawn: a picture that a drawing never reached keeps what it showed.
class ImageViewCanvas : public QImageCanvas {
public:
    explicit ImageViewCanvas(ImageView& view);
    void fill() override;
    void setPen(Rgb colour) override;
    void line(int x1, int y1, int x2, int y2) override;
    void text(int x, int y, const std::string& text) override;

    /// Puts the drawing so far on the control, when there is one.
    void show() const;

private:
    ImageView& view_;
    bool touched_ = false;
};

}  // namespace lumor
