#pragma once
#include "app/ui/forms.h"
#include "eval/graph_drawing.h"

#include <optional>

#include <QDialog>

class QStatusBar;

namespace lumor {

class ImageView;

/// An enlarged graph window: the graph at 632 × 434 above a 19-pixel status bar that reads
/// out the coordinates under the mouse.
class GraphWindow : public QDialog {
    Q_OBJECT
public:
    GraphWindow(Forms& forms, GraphKind kind, const char* formName, const char* caption, const char* imageName);

    /// Draws the graph afresh from the current route and keeps its scale.
    void DrawEnlargedGraph();
    /// The status bar's read-out for the pointer at (x, y) on the image.
    void ShowCoordinates(int x, int y);

    ImageView* image = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    /// The scale of the last drawing, kept for the read-out; nothing before the first one.
    const std::optional<GraphScale>& keptScale() const { return scale_; }

protected:
    Forms& forms_;
    GraphKind kind_;
    std::optional<GraphScale> scale_;
};

/// "Graf útlumu", image `utlum`.
class TForm6 : public GraphWindow {
    Q_OBJECT
public:
    explicit TForm6(Forms& forms);
    void utlumMouseMove(int x, int y) { ShowCoordinates(x, y); }
    ImageView* utlum = nullptr;
};

/// "Graf chromatické disperze", image `chrom`.
class TForm7 : public GraphWindow {
    Q_OBJECT
public:
    explicit TForm7(Forms& forms);
    void chromMouseMove(int x, int y) { ShowCoordinates(x, y); }
    ImageView* chrom = nullptr;
};

/// "Graf polarizačně vidové disperze", image `vid`.
class TForm8 : public GraphWindow {
    Q_OBJECT
public:
    explicit TForm8(Forms& forms);
    void vidMouseMove(int x, int y) { ShowCoordinates(x, y); }
    ImageView* vid = nullptr;
};

/// The main window's draw: the three small graphs, the end values, the enlarged windows
/// redrawn, and their pictures saved into "Protokol" beside the executable.
void drawRouteGraphs(Forms& forms);
/// Redraws enlarged window 0 (attenuation), 1 (CD) or 2 (PMD).
void drawEnlargedGraph(Forms& forms, int kind);

}  // namespace lumor
