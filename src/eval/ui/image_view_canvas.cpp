#include "eval/ui/image_view_canvas.h"

#include "platform/ui/image_view.h"

namespace lumor {

ImageViewCanvas::ImageViewCanvas(ImageView& view, double ratio)
    : QImageCanvas(view.picture().width(), view.picture().height()),
      view_(view),
      ratio_(ratio > 0 ? ratio : view.devicePixelRatioF()) {
    if (ratio_ > 1) sharp_.emplace(width(), height());
}

void ImageViewCanvas::fill() {
    touched_ = true;
    QImageCanvas::fill();
    if (sharp_) sharp_->fill();
}

void ImageViewCanvas::setPen(Rgb colour) {
    touched_ = true;
    QImageCanvas::setPen(colour);
    if (sharp_) sharp_->setPen(colour);
}

void ImageViewCanvas::line(int x1, int y1, int x2, int y2) {
    touched_ = true;
    QImageCanvas::line(x1, y1, x2, y2);
    if (sharp_) sharp_->line(x1, y1, x2, y2);
}

void ImageViewCanvas::text(int x, int y, const std::string& text) {
    touched_ = true;
    QImageCanvas::text(x, y, text);
    if (sharp_) sharp_->text(x, y, text);
}

void ImageViewCanvas::show() const {
    if (!touched_) return;
    view_.showPicture(image(), sharp_ ? sharp_->picture(ratio_) : QImage());
}

}  // namespace lumor
