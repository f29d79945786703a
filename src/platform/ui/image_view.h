#pragma once
#include <QImage>
#include <QWidget>

namespace lumor {

/// An image control: a picture of its own size that can be drawn on, painted on screen, and
/// reporting mouse moves over it.
class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    QImage& picture() { return picture_; }
    const QImage& picture() const { return picture_; }
    /// Fills the whole picture with the brush colour, white; the picture takes the control's
    /// size (the form's) when it has another.
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
