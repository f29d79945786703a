#include "platform/ui/image_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumor {

ImageView::ImageView(int width, int height, QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    resizePicture(width, height);
}

void ImageView::resizePicture(int width, int height) {
    picture_ = QImage(width, height, QImage::Format_RGB32);
    picture_.fill(Qt::white);
    resize(width, height);
    update();
}

void ImageView::blank() {
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
