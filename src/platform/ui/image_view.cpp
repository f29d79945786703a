#include "platform/ui/image_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumor {

ImageView::ImageView(QWidget* parent) : QWidget(parent) { setMouseTracking(true); }

void ImageView::blank() {
    if (picture_.size() != size()) picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
    update();
}

void ImageView::showPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void ImageView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

void ImageView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    emit mouseMoved(pos.x(), pos.y());
}

}  // namespace lumor
