#include "eval/ui/graph_windows.h"

#include "eval/ui/image_view_canvas.h"
#include "platform/gui/qtext.h"
#include "platform/ui/desk.h"
#include "platform/ui/icons.h"
#include "platform/ui/image_view.h"

#include <QStatusBar>

namespace lumor {

GraphWindow::GraphWindow(const RouteList& route, Desk& desk, GraphKind kind, const char* formName, const char* caption,
                         const char* imageName)
    : QDialog(nullptr), route_(route), kind_(kind) {
    setObjectName(QString::fromLatin1(formName));
    setWindowTitle(QString::fromUtf8(caption));
    setFont(formFont(11));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kEnlargedGraphWidth, kEnlargedGraphHeight + 19);
    image_ = new ImageView(kEnlargedGraphWidth, kEnlargedGraphHeight, this);
    image_->setObjectName(QString::fromLatin1(imageName));
    image_->move(0, 0);
    StatusBar1_ = new QStatusBar(this);
    StatusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1_->setSizeGripEnabled(false);
    StatusBar1_->setGeometry(0, kEnlargedGraphHeight, kEnlargedGraphWidth, 19);
    connect(image_, &ImageView::mouseMoved, this,
            [this, &desk](int x, int y) { guarded(desk, [&] { ShowCoordinates(x, y); }); });
}

void GraphWindow::DrawEnlargedGraph() {
    ImageViewCanvas canvas(*image_);
    try {
        scale_ = renderEnlargedGraph(route_, kind_, canvas);
    } catch (...) {
        canvas.show();  // the picture stays as far as it got
        throw;
    }
    canvas.show();
}

void GraphWindow::showDrawing(const QImage& picture, const GraphScale& scale) {
    image_->showPicture(picture);
    scale_ = scale;
}

void GraphWindow::ShowCoordinates(int x, int y) {
    if (!scale_) return;
    StatusBar1_->showMessage(toQ(coordinateText(*scale_, x, y)));
}

const QImage& GraphWindow::picture() const { return image_->picture(); }

TForm6::TForm6(const RouteList& route, Desk& desk)
    : GraphWindow(route, desk, GraphKind::Attenuation, "Form6", "Graf útlumu", "utlum") {}

TForm7::TForm7(const RouteList& route, Desk& desk)
    : GraphWindow(route, desk, GraphKind::Cd, "Form7", "Graf chromatické disperze", "chrom") {
    move(281, 190);
}

TForm8::TForm8(const RouteList& route, Desk& desk)
    : GraphWindow(route, desk, GraphKind::Pmd, "Form8", "Graf polarizačně vidové disperze", "vid") {
    move(342, 170);
}

}  // namespace lumor
