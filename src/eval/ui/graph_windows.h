#pragma once
#include "eval/graph_drawing.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace lumor {

class Desk;
class RouteList;

namespace Ui {
class GraphWindow;
}

/// An enlarged graph window: the graph at 632 × 434 above a 19-pixel status bar that reads
/// out the coordinates under the mouse.
class GraphWindow : public QDialog {
    Q_OBJECT
public:
    GraphWindow(const RouteList& route, Desk& desk, GraphKind kind, const char* formName, const char* caption,
                const char* imageName);
    ~GraphWindow() override;

    /// Draws the graph afresh from the current route and keeps its scale.
    void DrawEnlargedGraph();
    /// Shows a drawing of the graph made elsewhere (the draw command's) and keeps its scale.
    void showDrawing(const QImage& picture, const GraphScale& scale);
    /// The draw command's drawing of a graph: shown when it is this window's kind.
    void showGraph(GraphKind kind, const QImage& picture, const GraphScale& scale);
    /// The status bar's read-out for the pointer at (x, y) on the image.
    void ShowCoordinates(int x, int y);

    /// The picture the window shows, which the report shows too.
    const QImage& picture() const;

private:
    const RouteList& route_;
    GraphKind kind_;
    std::unique_ptr<Ui::GraphWindow> ui_;
    std::optional<GraphScale> scale_;
};

/// "Graf útlumu", image `utlum`.
class TForm6 : public GraphWindow {
    Q_OBJECT
public:
    TForm6(const RouteList& route, Desk& desk);
    void utlumMouseMove(int x, int y) { ShowCoordinates(x, y); }
};

/// "Graf chromatické disperze", image `chrom`.
class TForm7 : public GraphWindow {
    Q_OBJECT
public:
    TForm7(const RouteList& route, Desk& desk);
};

/// "Graf polarizačně vidové disperze", image `vid`.
class TForm8 : public GraphWindow {
    Q_OBJECT
public:
    TForm8(const RouteList& route, Desk& desk);
};

}  // namespace lumor
