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

/// An enlarged graph window: the graph of one kind at 632 × 434 above a 19-pixel status bar
/// that reads out the coordinates under the mouse. The program has one of each kind:
/// "Graf útlumu" (window `Form6`, image `utlum`), "Graf chromatické disperze" (`Form7`,
/// `chrom`) and "Graf polarizačně vidové disperze" (`Form8`, `vid`).
class GraphWindow : public QDialog {
    Q_OBJECT
public:
    GraphWindow(const RouteList& route, Desk& desk, GraphKind kind);
    ~GraphWindow() override;

    /// Draws the graph afresh from the current route and keeps its scale.
    void drawEnlargedGraph();
    /// Shows a drawing of the graph made elsewhere (the draw command's) and keeps its scale.
    void showDrawing(const QImage& picture, const GraphScale& scale);
    /// The draw command's drawing of a graph: shown when it is this window's kind.
    void showGraph(GraphKind kind, const QImage& picture, const GraphScale& scale);
    /// The status bar's read-out for the pointer at (x, y) on the image.
    void showCoordinates(int x, int y);

private:
    const RouteList& route_;
    GraphKind kind_;
    std::unique_ptr<Ui::GraphWindow> ui_;
    std::optional<GraphScale> scale_;  ///< of the graph shown; none before the first
};

}  // namespace lumor
