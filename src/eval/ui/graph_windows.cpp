#include "eval/ui/graph_windows.h"

#include "eval/ui/image_view_canvas.h"
#include "platform/gui/qtext.h"
#include "platform/ui/desk.h"
#include "platform/ui/icons.h"
#include "platform/ui/image_view.h"
#include "ui_graph_window.h"

#include <QStatusBar>

namespace lumor {

GraphWindow::GraphWindow(const RouteList& route, Desk& desk, GraphKind kind, const char* formName, const char* caption,
                         const char* imageName)
    : QDialog(nullptr), route_(route), kind_(kind), ui_(std::make_unique<Ui::GraphWindow>()) {
    setObjectName(QString::fromLatin1(formName));
    ui_->setupUi(this);
    applyFormFonts(*this);
    setWindowTitle(QString::fromUtf8(caption));
    ui_->image->setObjectName(QString::fromLatin1(imageName));
    ui_->image->setAccessibleName(windowTitle());
    ui_->image->blank();
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    connect(ui_->image, &ImageView::mouseMoved, this,
            [this, &desk](int x, int y) { guarded(desk, [&] { ShowCoordinates(x, y); }); });
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::DrawEnlargedGraph() {
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

void GraphWindow::ShowCoordinates(int x, int y) {
    if (!scale_) return;
    ui_->StatusBar1->showMessage(toQ(coordinateText(*scale_, x, y)));
}

const QImage& GraphWindow::picture() const { return ui_->image->picture(); }

TForm6::TForm6(const RouteList& route, Desk& desk)
    : GraphWindow(route, desk, GraphKind::Attenuation, "Form6", "Graf útlumu", "utlum") {}

TForm7::TForm7(const RouteList& route, Desk& desk)
    : GraphWindow(route, desk, GraphKind::Cd, "Form7", "Graf chromatické disperze", "chrom") {
    move(281, 190);  // a form's own place: uic gives the window only its size
}

TForm8::TForm8(const RouteList& route, Desk& desk)
    : GraphWindow(route, desk, GraphKind::Pmd, "Form8", "Graf polarizačně vidové disperze", "vid") {
    move(342, 170);
}

}  // namespace lumor
