#pragma once
#include <QImage>
#include <QWidget>

namespace lumor {

/// An image control: a picture of its own size that can be drawn on, painted on screen, and
/// reporting mouse moves over it.
class ImageView : public QWidget {
    Q_OBJECT
public:
    ImageView(int width, int height, QWidget* parent = nullptr);

    QImage& picture() { return picture_; }
    const QImage& picture() const { return picture_; }
    /// Gives the picture a new size (white) and the control the same size.
    void resizePicture(int width, int height);
    /// Fills the whole picture with the brush colour, white.
    void blank();
    /// Shows another picture of the same size.
    void showPicture(const QImage& picture);

signals:
    void mouseMoved(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

}  // namespace lumor
