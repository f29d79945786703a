#include "platform/ui/icons.h"

#include <QFontDatabase>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QPolygon>
#include <QRadialGradient>
#include <QWidget>

namespace lumor {

namespace {

void page(QPainter& p, QColor fill = Qt::white) {
    p.setPen(QColor(60, 60, 60));
    p.setBrush(fill);
    p.drawPolygon(QPolygon({QPoint(3, 1), QPoint(10, 1), QPoint(13, 4), QPoint(13, 14), QPoint(3, 14)}));
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
}

void plus(QPainter& p, QColor c) {
    p.setPen(QPen(c, 2));
    p.drawLine(11, 8, 11, 14);
    p.drawLine(8, 11, 14, 11);
}

void minus(QPainter& p, QColor c) {
    p.setPen(QPen(c, 2));
    p.drawLine(8, 11, 14, 11);
}

void paint(QPainter& p, Picture picture) {
    const QColor dark(40, 40, 40);
    const QColor blue(30, 90, 200);
    const QColor green(0, 140, 0);
    const QColor red(200, 30, 30);
    switch (picture) {
        case Picture::NewDocument:
            page(p);
            p.setPen(QColor(255, 190, 0));
            p.drawLine(11, 9, 15, 13);
            p.drawLine(15, 9, 11, 13);
            break;
        case Picture::OpenFolder:
            p.setPen(dark);
            p.setBrush(QColor(240, 200, 80));
            p.drawRect(1, 4, 12, 9);
            p.setBrush(QColor(255, 225, 120));
            p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
            break;
        case Picture::SaveDisk:
            p.setPen(dark);
            p.setBrush(blue);
            p.drawRect(1, 1, 13, 13);
            p.setBrush(Qt::white);
            p.drawRect(4, 2, 7, 5);
            p.setBrush(QColor(200, 200, 200));
            p.drawRect(4, 9, 7, 5);
            break;
        case Picture::Library:
            p.setPen(dark);
            for (int i = 0; i < 3; ++i) {
                p.setBrush(i == 0 ? red : i == 1 ? green : blue);
                p.drawRect(2 + 4 * i, 3 + i, 3, 11 - i);
            }
            break;
        case Picture::Student:
            p.setPen(dark);
            p.setBrush(QColor(250, 210, 170));
            p.drawEllipse(5, 1, 6, 6);
            p.setBrush(blue);
            p.drawRoundedRect(3, 8, 10, 7, 2, 2);
            break;
        case Picture::About:
            p.setPen(dark);
            p.setBrush(QColor(255, 255, 200));
            p.drawEllipse(1, 1, 14, 14);
            p.setPen(QPen(blue, 2));
            p.drawLine(8, 7, 8, 12);
            p.drawPoint(8, 4);
            break;
        case Picture::Chart:
            p.setPen(dark);
            p.drawLine(2, 1, 2, 14);
            p.drawLine(2, 14, 15, 14);
            p.setPen(QPen(red, 2));
            p.drawPolyline(QPolygon({QPoint(3, 4), QPoint(7, 7), QPoint(7, 9), QPoint(13, 12)}));
            break;
        case Picture::Report:
            page(p);
            p.setPen(QColor(120, 120, 120));
            for (int y = 5; y <= 12; y += 2) p.drawLine(5, y, 11, y);
            p.setPen(red);
            p.drawLine(5, 12, 8, 12);
            break;
        case Picture::Enlarge:
            p.setPen(QPen(dark, 2));
            p.drawEllipse(2, 2, 8, 8);
            p.drawLine(9, 9, 14, 14);
            p.setPen(QPen(blue, 1));
            p.drawLine(6, 4, 6, 8);
            p.drawLine(4, 6, 8, 6);
            break;
        case Picture::Confirm:
            p.setPen(QPen(green, 3));
            p.drawPolyline(QPolygon({QPoint(2, 8), QPoint(6, 12), QPoint(14, 3)}));
            break;
        case Picture::AddItem:
            page(p);
            plus(p, green);
            break;
        case Picture::RemoveItem:
            page(p);
            minus(p, red);
            break;
        case Picture::RemoveFromRoute:
            p.setPen(QPen(QColor(255, 150, 0), 2));
            p.drawLine(1, 5, 12, 5);
            p.setPen(dark);
            p.setBrush(QColor(120, 120, 120));
            p.drawRect(12, 3, 3, 4);
            minus(p, red);
            break;
        case Picture::AddToRoute:
            p.setPen(QPen(QColor(255, 150, 0), 2));
            p.drawLine(1, 5, 12, 5);
            plus(p, green);
            break;
        case Picture::Edit:
            p.setPen(dark);
            p.setBrush(QColor(255, 200, 0));
            p.drawPolygon(QPolygon({QPoint(3, 11), QPoint(11, 3), QPoint(13, 5), QPoint(5, 13), QPoint(2, 14)}));
            break;
        case Picture::Find:
            p.setPen(QPen(dark, 2));
            p.drawEllipse(2, 2, 8, 8);
            p.drawLine(9, 9, 14, 14);
            break;
        case Picture::Close:
            p.setPen(QPen(red, 2));
            p.drawLine(3, 3, 13, 13);
            p.drawLine(13, 3, 3, 13);
            break;
    }
}

}  // namespace

QIcon pictureIcon(Picture picture) {
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing, true);
    paint(p, picture);
    p.end();
    return QIcon(pix);
}

QIcon imageListIcon(int index) {
    static const Picture list[] = {Picture::NewDocument, Picture::OpenFolder, Picture::SaveDisk, Picture::Library,
                                   Picture::Student,     Picture::About,      Picture::Chart,    Picture::Report};
    if (index < 0 || index >= 8) return {};
    return pictureIcon(list[index]);
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pix(size, size);
        pix.fill(Qt::transparent);
        QPainter p(&pix);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(size / 128.0, size / 128.0);  // drawn on the 128-unit grid of lumor.svg

        QLinearGradient background(0, 6, 0, 122);
        background.setColorAt(0, QColor(0x1f, 0x78, 0xa8));
        background.setColorAt(1, QColor(0x0b, 0x33, 0x50));
        p.setPen(Qt::NoPen);
        p.setBrush(background);
        p.drawRoundedRect(QRectF(6, 6, 116, 116), 22, 22);

        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xa6, 0xca, 0xf0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(24, 22), QPointF(24, 78), QPointF(108, 78)}));
        // The attenuation profile: fibre, connector, fibre, amplifier, fibre.
        p.setPen(QPen(QColor(0xff, 0x5a, 0x4a), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF(
            {QPointF(24, 32), QPointF(50, 46), QPointF(50, 54), QPointF(72, 66), QPointF(72, 38), QPointF(104, 54)}));

        QPainterPath fibre(QPointF(26, 98));
        fibre.cubicTo(44, 84, 58, 110, 76, 96);
        fibre.cubicTo(94, 82, 96, 90, 100, 96);
        p.setPen(QPen(QColor(0xff, 0xd0, 0x40), 5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(fibre);

        QRadialGradient source(QPointF(26, 98), 15);
        source.setColorAt(0, QColor(0xff, 0xfb, 0xd0));
        source.setColorAt(0.4, QColor(0xff, 0xc2, 0x33));
        source.setColorAt(1, QColor(0xff, 0x7a, 0x00, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(source);
        p.drawEllipse(QPointF(26, 98), 15, 15);

        p.setPen(QPen(QColor(0x0b, 0x33, 0x50), 2));
        p.setBrush(QColor(0xc0, 0xdc, 0xc0));
        p.drawRoundedRect(QRectF(98, 86, 14, 20), 3, 3);
        p.end();
        icon.addPixmap(pix);
    }
    return icon;
}

namespace {

/// The family if the font database has it, else the platform's sans-serif (looked up once
/// per family by the callers: matching a missing family afresh for every control is slow).
QString familyOrSystem(const QString& wanted) {
    if (QFontDatabase::hasFamily(wanted)) return wanted;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont sansSerif(const QString& family, int pixelHeight, bool bold) {
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelHeight);
    f.setBold(bold);
    return f;
}

}  // namespace

QFont formFont(int pixelHeight, bool bold) {
    static const QString family = familyOrSystem(QStringLiteral("Liberation Sans"));
    return sansSerif(family, pixelHeight, bold);
}

QFont narrowFormFont(int pixelHeight) {
    static const QString family = [] {
        const QString narrow = QStringLiteral("Liberation Sans Narrow");
        return QFontDatabase::hasFamily(narrow) ? narrow : formFont(11).family();
    }();
    return sansSerif(family, pixelHeight, false);
}

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    widget->setPalette(pal);
}

}  // namespace lumor
