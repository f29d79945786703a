#include "report/gui/graph_objects.h"

#include <QPainter>

#include <algorithm>

namespace lumor {

QSizeF GraphObjects::intrinsicSize(QTextDocument*, int, const QTextFormat& format) {
    const VectorCanvas& g = graph(format);
    return QSizeF(g.width(), g.height());
}

void GraphObjects::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) {
    const VectorCanvas& g = graph(format);
    painter->save();
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / g.width(), rect.height() / g.height());
    g.paint(*painter);
    painter->restore();
}

const VectorCanvas& GraphObjects::graph(const QTextFormat& format) const {
    return graphs_[static_cast<std::size_t>(std::clamp(format.intProperty(kIndex), 0, 2))];
}

}  // namespace lumor
