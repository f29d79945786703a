#pragma once
#include "eval/gui/vector_canvas.h"

#include <QObject>
#include <QTextObjectInterface>

#include <array>

namespace lumor {

/// The report's three graphs as objects of its text (QTextDocument): an object of type `kType`
/// whose property `kIndex` is 0, 1 or 2 takes the size of that graph's picture in the page's
/// pixels and paints its drawing there as vectors. The drawings must outlive the object.
class GraphObjects : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    static constexpr int kType = QTextFormat::UserObject + 1;
    static constexpr int kIndex = QTextFormat::UserProperty + 1;

    explicit GraphObjects(const std::array<VectorCanvas, 3>& graphs) : graphs_(graphs) {}
    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;

private:
    const VectorCanvas& graph(const QTextFormat& format) const;
    const std::array<VectorCanvas, 3>& graphs_;
};

}  // namespace lumor
