#include "platform/ui/image_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumor {

ImageView::ImageView(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void ImageView::blank() {
    if (picture_.size() != size()) picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    sharp_ = QImage();
    update();
}

void ImageView::showPicture(const QImage& picture, const QImage& sharp) {
    picture_ = picture;
    sharp_ = sharp;
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // A drawing made for another ratio (the window moved to another screen) gives way to the
    // picture until the next drawing.
    if (!sharp_.isNull() && sharp_.devicePixelRatio() == devicePixelRatioF()) {
        p.drawImage(QPointF(0, 0), sharp_);
    } else {
        p.drawImage(0, 0, picture_);
    }
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    emit mouseMoved(pos.x(), pos.y());
}

}  // namespace lumor
