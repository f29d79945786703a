#include "eval/graph_windows.h"

#include "platform/icons.h"
#include "platform/image_view.h"

#include <QStatusBar>

namespace lumor {

GraphWindow::GraphWindow(Forms& forms, int kind, const char* formName, const char* caption,
                         const char* imageName)
    : QDialog(nullptr), forms_(forms), kind_(kind) {
    setObjectName(QString::fromLatin1(formName));
    setWindowTitle(QString::fromUtf8(caption));
    setFont(formFont(11));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(632, 453);
    image = new ImageView(632, 434, this);
    image->setObjectName(QString::fromLatin1(imageName));
    image->move(0, 0);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setGeometry(0, 434, 632, 19);
    connect(image, &ImageView::mouseMoved, this,
            [this](int x, int y) { guarded(forms_.desk, [&] { ShowCoordinates(x, y); }); });
}

void GraphWindow::DrawEnlargedGraph() {}

void GraphWindow::ShowCoordinates(int, int) {}

TForm6::TForm6(Forms& forms) : GraphWindow(forms, 0, "Form6", "Graf útlumu", "utlum") { utlum = image; }

TForm7::TForm7(Forms& forms) : GraphWindow(forms, 1, "Form7", "Graf chromatické disperze", "chrom") {
    chrom = image;
    move(281, 190);
}

TForm8::TForm8(Forms& forms)
    : GraphWindow(forms, 2, "Form8", "Graf polarizačně vidové disperze", "vid") {
    vid = image;
    move(342, 170);
}

void drawRouteGraphs(Forms&) {}

void drawEnlargedGraph(Forms&, int) {}

}  // namespace lumor
