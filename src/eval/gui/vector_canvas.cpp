#include "eval/gui/vector_canvas.h"

#include "eval/gui/qimage_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lumor {

namespace {

QColor colourOf(Rgb colour) { return QColor::fromRgb(0xFF000000u | (colour & 0xFFFFFFu)); }

// A single line as the strip of pixels the raster rule walks: along its longer axis from the
// first pixel's near edge to the last pixel's near edge (the last one not drawn), across it
// through the pixels' centres.
QLineF pixelStrip(std::pair<int, int> a, std::pair<int, int> b) {
    const double dx = double(b.first) - a.first, dy = double(b.second) - a.second;
    if (std::fabs(dx) >= std::fabs(dy)) {
        const double edge = dx < 0 ? 1 : 0;
        return {a.first + edge, a.second + 0.5, b.first + edge, b.second + 0.5};
    }
    const double edge = dy < 0 ? 1 : 0;
    return {a.first + 0.5, a.second + edge, b.first + 0.5, b.second + edge};
}

}  // namespace

VectorCanvas::VectorCanvas(int width, int height) : width_(width), height_(height) {}

void VectorCanvas::fill() {
    // Whatever was drawn before is covered: it need not be kept.
    shapes_.clear();
    shapes_.push_back({Shape::Kind::Fill, 0, {}, {}});
}

void VectorCanvas::line(int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2) return;  // draws nothing
    if (!shapes_.empty()) {
        Shape& last = shapes_.back();
        if (last.kind == Shape::Kind::Path && last.colour == pen_ && last.points.back() == std::pair(x1, y1)) {
            last.points.emplace_back(x2, y2);
            return;
        }
    }
    shapes_.push_back({Shape::Kind::Path, pen_, {{x1, y1}, {x2, y2}}, {}});
}

void VectorCanvas::text(int x, int y, const std::string& text) {
    shapes_.push_back({Shape::Kind::Text, kBlackPen, {{x, y}}, text});
}

void VectorCanvas::paint(QPainter& painter, double deviceLineWidth) const {
    painter.save();
    painter.setClipRect(QRectF(0, 0, width_, height_), Qt::IntersectClip);
    painter.setBrush(Qt::NoBrush);
    QFont font = canvasFont();
    // On paper the letters stand where the font's design puts them, not on a screen's pixels
    // (a PDF reader reads a gap between hinted letters as a blank).
    if (deviceLineWidth <= 0) font.setHintingPreference(QFont::PreferNoHinting);
    painter.setFont(font);
    for (const Shape& s : shapes_) {
        switch (s.kind) {
            case Shape::Kind::Fill: painter.fillRect(QRectF(0, 0, width_, height_), Qt::white); break;
            case Shape::Kind::Path: {
                QPen pen(colourOf(s.colour));
                pen.setCapStyle(Qt::FlatCap);
                pen.setJoinStyle(Qt::MiterJoin);
                pen.setWidthF(deviceLineWidth > 0 ? deviceLineWidth : 1.0);
                pen.setCosmetic(deviceLineWidth > 0);
                painter.setPen(pen);
                if (s.points.size() == 2) {
                    painter.drawLine(pixelStrip(s.points[0], s.points[1]));
                } else {
                    QPolygonF polyline;
                    for (const auto& [x, y] : s.points) polyline << QPointF(x + 0.5, y + 0.5);
                    painter.drawPolyline(polyline);
                }
                break;
            }
            case Shape::Kind::Text: {
                const QString text = QString::fromUtf8(s.text.data(), static_cast<qsizetype>(s.text.size()));
                const QFontMetrics metrics = painter.fontMetrics();
                // The cell as on the pictures: the text's own extent, opaque white.
                const QRectF cell(s.points[0].first, s.points[0].second, metrics.horizontalAdvance(text) + 1,
                                  metrics.height());
                painter.fillRect(cell, Qt::white);
                painter.setPen(QPen(Qt::black, 1));
                painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, text);
                break;
            }
        }
    }
    painter.restore();
}

QImage VectorCanvas::picture(double ratio) const {
    QImage image(static_cast<int>(std::lround(width_ * ratio)), static_cast<int>(std::lround(height_ * ratio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    paint(painter, std::max(1.0, std::round(ratio)));
    return image;
}

}  // namespace lumor
