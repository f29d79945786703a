#include "eval/gui/qimage_canvas.h"

#include <QBuffer>
#include <QPainter>
#include <QString>

namespace lumor {

namespace {

QColor colourOf(Rgb rgb) { return QColor(static_cast<QRgb>(0xFF000000u | rgb)); }

}  // namespace

const QFont& canvasFont() {
    static const QFont font = [] {
        QFont f(QStringLiteral("MS Sans Serif"));
        f.setStyleHint(QFont::SansSerif);
        f.setPixelSize(11);
        return f;
    }();
    return font;
}

QImageCanvas::QImageCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {
    image_.fill(Qt::white);
}

void QImageCanvas::fill() { image_.fill(Qt::white); }

void QImageCanvas::line(int x1, int y1, int x2, int y2) {
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(colourOf(pen_), 1));
    p.drawLine(x1, y1, x2, y2);
}

void QImageCanvas::text(int x, int y, const std::string& text) {
    QPainter p(&image_);
    p.setFont(canvasFont());
    p.setPen(QPen(Qt::black, 1));  // texts take the font's colour, which stays black
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(QBrush(Qt::white));
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // The cell is the text's own extent: the opaque background covers just that.
    const QFontMetrics metrics = p.fontMetrics();
    p.drawText(QRect(x, y, metrics.horizontalAdvance(s) + 1, metrics.height()), Qt::AlignLeft | Qt::AlignTop, s);
}

std::optional<std::string> bmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "BMP")) return std::nullopt;
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace lumor
