#include "assignment/ui/assignment_panel.h"

#include "assignment/assignment.h"
#include "assignment/grading.h"
#include "platform/gui/qtext.h"

#include <QLabel>
#include <QVBoxLayout>

namespace lumor {

AssignmentPanel::AssignmentPanel(QWidget* parent) : QGroupBox(parent), lines_(new QLabel(this)) {
    lines_->setObjectName(QStringLiteral("zadaniPozadavky"));
    lines_->setTextFormat(Qt::RichText);
    lines_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lines_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(0);
    layout->addWidget(lines_);
    hide();
}

void AssignmentPanel::setAssignment(const Assignment* assignment) {
    setVisible(assignment != nullptr);
    if (assignment == nullptr) return;
    const QString name = toQ(assignment->title);
    setTitle(name.isEmpty() ? QStringLiteral("Zadání") : QStringLiteral("Zadání: ") + name);
    setToolTip(toQ(assignment->description));
    setAccessibleName(title());
    setAccessibleDescription(toolTip());
}

void AssignmentPanel::showGrading(const Grading& grading) {
    QString html;
    QString plain;
    for (const RequirementResult& r : grading.requirements) {
        const QString mark = r.met ? QStringLiteral("✓") : QStringLiteral("✗");
        const QString colour = r.met ? QStringLiteral("#007000") : QStringLiteral("#c00000");
        const QString line = toQ(r.name + ": " + valueWithUnit(r) + " (" + r.limitText + ")");
        if (!html.isEmpty()) html += QStringLiteral("<br>");
        html += QStringLiteral("<span style=\"color:%1\">%2</span> %3").arg(colour, mark, line.toHtmlEscaped());
        plain += mark + QLatin1Char(' ') + line + QLatin1Char('\n');
    }
    if (grading.requirements.empty()) html = plain = QStringLiteral("Zadání nemá žádné požadavky.");
    lines_->setText(html);
    lines_->setAccessibleName(plain.trimmed());
    lines_->setToolTip(grading.problem ? toQ(*grading.problem) : QString());
}

QString AssignmentPanel::linesText() const { return lines_->accessibleName(); }

}  // namespace lumor
