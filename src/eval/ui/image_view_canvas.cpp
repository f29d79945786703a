#include "eval/ui/image_view_canvas.h"

#include "platform/ui/image_view.h"

namespace lumor {

ImageViewCanvas::ImageViewCanvas(ImageView& view)
    : QImageCanvas(view.picture().width(), view.picture().height()), view_(view) {}

void ImageViewCanvas::fill() {
    touched_ = true;
    QImageCanvas::fill();
}

void ImageViewCanvas::setPen(Rgb colour) {
    touched_ = true;
    QImageCanvas::setPen(colour);
}

void ImageViewCanvas::line(int x1, int y1, int x2, int y2) {
    touched_ = true;
    QImageCanvas::line(x1, y1, x2, y2);
}

void ImageViewCanvas::text(int x, int y, const std::string& text) {
    touched_ = true;
    QImageCanvas::text(x, y, text);
}

void ImageViewCanvas::show() const {
    if (touched_) view_.showPicture(image());
}

}  // namespace lumor
