#include "eval/ui/graph_windows.h"

#include "app/ui/main_window.h"
#include "platform/gui/qimage_canvas.h"
#include "platform/ui/icons.h"
#include "platform/ui/image_view.h"
#include "platform/gui/qtext.h"
#include "report/report_writer.h"
#include "text/file_io.h"
#include "text/errors.h"

#include <QStatusBar>

namespace lumor {

namespace {

/// Paints through a QImage canvas and remembers whether anything was drawn, so that a
/// picture the run never reached keeps what it showed before.
class TrackingCanvas : public Canvas {
public:
    explicit TrackingCanvas(const ImageView& view) : inner_(view.picture().width(), view.picture().height()) {}
    int width() const override { return inner_.width(); }
    int height() const override { return inner_.height(); }
    void fill() override { touched_ = true, inner_.fill(); }
    void setPen(Rgb colour) override { touched_ = true, inner_.setPen(colour); }
    void line(int x1, int y1, int x2, int y2) override { touched_ = true, inner_.line(x1, y1, x2, y2); }
    void text(int x, int y, const std::string& t) override { touched_ = true, inner_.text(x, y, t); }

    /// Puts the drawing on the image control, if there is one.
    void showOn(ImageView& view) const {
        if (!touched_) return;
        view.picture() = inner_.image();
        view.update();
    }

private:
    QImageCanvas inner_;
    bool touched_ = false;
};

}  // namespace

GraphWindow::GraphWindow(Forms& forms, GraphKind kind, const char* formName, const char* caption,
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

void GraphWindow::DrawEnlargedGraph() {
    TrackingCanvas canvas(*image);
    try {
        scale_ = lumor::DrawEnlargedGraph(forms_.state.route, kind_, canvas);
    } catch (...) {
        canvas.showOn(*image);  // the picture stays as far as it got
        throw;
    }
    canvas.showOn(*image);
}

void GraphWindow::ShowCoordinates(int x, int y) {
    if (!scale_) return;
    StatusBar1->showMessage(toQ(CoordinateText(*scale_, x, y)));
}

TForm6::TForm6(Forms& forms) : GraphWindow(forms, GraphKind::Attenuation, "Form6", "Graf útlumu", "utlum") { utlum = image; }

TForm7::TForm7(Forms& forms) : GraphWindow(forms, GraphKind::Cd, "Form7", "Graf chromatické disperze", "chrom") {
    chrom = image;
    move(281, 190);
}

TForm8::TForm8(Forms& forms)
    : GraphWindow(forms, GraphKind::Pmd, "Form8", "Graf polarizačně vidové disperze", "vid") {
    vid = image;
    move(342, 170);
}

void drawRouteGraphs(Forms& forms) {
    TForm1& main = *forms.Form1;
    TrackingCanvas att(*main.att), cd(*main.Image2), pmd(*main.Image3);
    bool drawn = false;
    try {
        drawn = DrawRouteGraphs(forms.state.route, att, cd, pmd, forms.state.routeResult);
    } catch (...) {
        att.showOn(*main.att), cd.showOn(*main.Image2), pmd.showOn(*main.Image3);
        throw;
    }
    att.showOn(*main.att), cd.showOn(*main.Image2), pmd.showOn(*main.Image3);
    if (!drawn) return;

    GraphWindow* windows[] = {forms.Form6.get(), forms.Form7.get(), forms.Form8.get()};
    for (GraphWindow* w : windows) w->DrawEnlargedGraph();

    // The report shows these pictures; a missing or read-only folder stops at the first. Each
    // replaces its old file only once it is complete.
    const std::string folder = protocolFolder(forms.desk.executableDir());
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string path = folder + kGraphPictureNames[i];
        const auto bytes = BmpBytes(windows[i]->image->picture());
        if (!bytes || writeFileAtomically(path, *bytes)) throw FileCreateError(path);
    }
}

void drawEnlargedGraph(Forms& forms, int kind) {
    GraphWindow* windows[] = {forms.Form6.get(), forms.Form7.get(), forms.Form8.get()};
    windows[kind]->DrawEnlargedGraph();
}

}  // namespace lumor
