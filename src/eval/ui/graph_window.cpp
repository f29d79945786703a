#include "eval/ui/graph_window.h"

#include "eval/ui/image_view_canvas.h"
#include "platform/gui/qtext.h"
#include "platform/ui/desk.h"
#include "platform/ui/fonts.h"
#include "platform/ui/image_view.h"
#include "ui_graph_window.h"

#include <QPoint>
#include <QStatusBar>

namespace lumor {

namespace {

/// What tells the three windows apart: the window's and the image's object names, the caption
/// and the window's own place (uic gives the window only its size; none: where the system puts it).
struct GraphWindowLook {
    const char* windowName;
    const char* caption;
    const char* imageName;
    std::optional<QPoint> place;
};

GraphWindowLook lookOf(GraphKind kind) {
    switch (kind) {
        case GraphKind::Attenuation: return {"Form6", "Graf útlumu", "utlum", std::nullopt};
        case GraphKind::Cd: return {"Form7", "Graf chromatické disperze", "chrom", QPoint(281, 190)};
        case GraphKind::Pmd: return {"Form8", "Graf polarizačně vidové disperze", "vid", QPoint(342, 170)};
    }
    return {"", "", "", std::nullopt};
}

}  // namespace

GraphWindow::GraphWindow(const RouteList& route, Desk& desk, GraphKind kind)
    : QDialog(nullptr), route_(route), kind_(kind), ui_(std::make_unique<Ui::GraphWindow>()) {
    const GraphWindowLook look = lookOf(kind);
    setupForm(*ui_, *this);  // the form's style sheet names its controls as the form does
    setObjectName(QString::fromLatin1(look.windowName));
    setWindowTitle(QString::fromUtf8(look.caption));
    ui_->image->setObjectName(QString::fromLatin1(look.imageName));
    ui_->image->setAccessibleName(windowTitle());
    ui_->image->blank();
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    connect(ui_->image, &ImageView::mouseMoved, this,
            [this, &desk](int x, int y) { guarded(desk, [&] { showCoordinates(x, y); }); });
    if (look.place) move(*look.place);
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::drawEnlargedGraph() {
    ImageViewCanvas canvas(*ui_->image);
    try {
        scale_ = renderEnlargedGraph(route_, kind_, canvas);
    } catch (...) {
        canvas.show();  // the picture stays as far as it got
        throw;
    }
    canvas.show();
}

void GraphWindow::showDrawing(const QImage& picture, const GraphScale& scale) {
    ui_->image->showPicture(picture);
    scale_ = scale;
}

void GraphWindow::showGraph(GraphKind kind, const QImage& picture, const GraphScale& scale) {
    if (kind == kind_) showDrawing(picture, scale);
}

void GraphWindow::showCoordinates(int x, int y) {
    if (!scale_) return;
    ui_->StatusBar1->showMessage(toQ(coordinateText(*scale_, x, y)));
}

}  // namespace lumor
