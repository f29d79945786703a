#pragma once
#include <QGroupBox>

class QLabel;

namespace lumor {

struct Assignment;
struct Grading;

/// The teacher's assignment on the main window: its name as the title, each requirement with
/// the route's value and ✓ or ✗, followed after every change of the route. Hidden while no
/// assignment is open.
class AssignmentPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit AssignmentPanel(QWidget* parent = nullptr);
    /// Shows the assignment's name and task (its tool tip), or hides the panel (nothing).
    void setAssignment(const Assignment* assignment);
    /// The route's grading against the assignment shown.
    void showGrading(const Grading& grading);
    /// The requirement lines as shown, one per line, for the eye that reads them aloud.
    QString linesText() const;

private:
    QLabel* lines_;
};

}  // namespace lumor
