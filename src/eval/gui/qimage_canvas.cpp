#include "eval/gui/qimage_canvas.h"

#include <QBuffer>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace lumor {

const QFont& canvasFont() {
    // One font file on every Debian machine (fonts-dejavu-core), drawn without antialiasing
    // and fully hinted whatever the desktop's font settings say: the pictures' pixels depend
    // on the program only.
    static const QFont font = [] {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setStyleHint(QFont::SansSerif);
        f.setStyleStrategy(QFont::NoAntialias);
        f.setHintingPreference(QFont::PreferFullHinting);
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
    // Bresenham's midpoint rule: one pixel per step along the longer axis, from the first
    // point up to but not including the last, each the nearest to the ideal line (a tie goes
    // away from the first point). Only the steps inside the picture are walked, so a line
    // reaching far off the picture costs no more than one across it.
    const std::int64_t dx = std::int64_t{x2} - x1, dy = std::int64_t{y2} - y1;
    const bool alongX = std::abs(dx) >= std::abs(dy);
    const std::int64_t steps = alongX ? std::abs(dx) : std::abs(dy);
    if (steps == 0) return;
    const std::int64_t major0 = alongX ? x1 : y1, minor0 = alongX ? y1 : x1;
    const int majorSign = (alongX ? dx : dy) < 0 ? -1 : 1;
    const int minorSign = (alongX ? dy : dx) < 0 ? -1 : 1;
    const std::uint64_t minorSpan = static_cast<std::uint64_t>(std::abs(alongX ? dy : dx));
    const std::int64_t majorSize = alongX ? image_.width() : image_.height();
    const std::int64_t minorSize = alongX ? image_.height() : image_.width();
    // The steps whose major coordinate lies inside the picture.
    std::int64_t first = 0, last = steps - 1;
    if (majorSign > 0) {
        first = std::max(first, -major0);
        last = std::min(last, majorSize - 1 - major0);
    } else {
        first = std::max(first, major0 - (majorSize - 1));
        last = std::min(last, major0);
    }
    const QRgb colour = 0xFF000000u | (pen_ & 0xFFFFFFu);
    const auto n = static_cast<std::uint64_t>(steps);
    for (std::int64_t i = first; i <= last; ++i) {
        // i × span < 2^64 for any two int points; the offset is the quotient rounded.
        const std::uint64_t product = static_cast<std::uint64_t>(i) * minorSpan;
        const std::uint64_t offset = product / n + (2 * (product % n) >= n ? 1 : 0);
        const std::int64_t minor = minor0 + minorSign * static_cast<std::int64_t>(offset);
        if (minor < 0 || minor >= minorSize) continue;
        const std::int64_t major = major0 + majorSign * i;
        const int x = static_cast<int>(alongX ? major : minor), y = static_cast<int>(alongX ? minor : major);
        reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = colour;
    }
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
