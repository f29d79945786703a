#pragma once
#include "app/ui/forms.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QFrame;
class QPlainTextEdit;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace lumor {

class GridView;
class ImageView;

/// The main window: the student's data, the route table, the three graphs, the conclusion
/// and every command of the program on its tool bar.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(Forms& forms);
    ~TForm1() override;

    void FormCreate();
    void ToolButton1Click();   ///< new route
    void ToolButton2Click();   ///< open route
    void ToolButton3Click();   ///< save route
    void ToolButton5Click();   ///< library window
    void ToolButton6Click();   ///< student dialog
    void ToolButton7Click();   ///< report
    void ToolButton10Click();  ///< about box
    void ToolButton11Click();  ///< draw the graphs
    void SpeedButton2Click();  ///< enlarged attenuation graph
    void SpeedButton3Click();  ///< enlarged chromatic dispersion graph
    void SpeedButton4Click();  ///< enlarged PMD graph
    void seznamDblClick();
    void Memo1Change();

    /// Evaluates and draws the route into the three images, keeps the end values, redraws
    /// the enlarged windows and saves their pictures for the report.
    void DrawRouteGraphs();
    /// Writes the report page from what the window shows and opens it.
    void WriteReport();
    /// Fills the three graph images white.
    void blankGraphs();

    // The controls, named as the program knows them.
    QWidget* content = nullptr;
    QScrollArea* scroller = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QToolButton* ToolButton3 = nullptr;
    QWidget* ToolButton4 = nullptr;
    QToolButton* ToolButton5 = nullptr;
    QToolButton* ToolButton6 = nullptr;
    QToolButton* ToolButton7 = nullptr;
    QWidget* ToolButton9 = nullptr;
    QToolButton* ToolButton10 = nullptr;
    QToolButton* ToolButton11 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;   ///< surname
    QLabel* Label7 = nullptr;   ///< first name
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;  ///< date
    QLabel* Label11 = nullptr;  ///< study group
    QLabel* Label12 = nullptr;
    GridView* seznam = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QToolButton* SpeedButton4 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    ImageView* att = nullptr;
    ImageView* Image2 = nullptr;
    ImageView* Image3 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;

private:
    void buildLayout();
    void setEnlargeAndReport(bool enlarge, bool report);
    void showEnlarged(QDialog& window, int kind);

    Forms& forms_;
    AppState& state_;
    Desk& desk_;
    bool limitingMemo_ = false;
};

}  // namespace lumor
