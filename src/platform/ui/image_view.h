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
    /// Shows another picture of the same size. `sharp` is the same drawing at a device pixel
    /// ratio above 1 (its own): while it is the screen's ratio, the control paints it instead,
    /// so that the drawing is not enlarged from the picture's pixels.
    void showPicture(const QImage& picture, const QImage& sharp = QImage());
    /// The drawing shown at the screen's device pixel ratio; null when the picture is all there is.
    const QImage& sharpPicture() const { return sharp_; }

signals:
    void mouseMoved(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage picture_;
    QImage sharp_;
};

}  // namespace lumor
