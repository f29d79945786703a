#include "report/gui/report_pdf.h"

#include "platform/gui/qtext.h"
#include "report/gui/graph_objects.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QFont>
#include <QHashSeed>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <QTimeZone>
#include <QUrl>

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace lumor {

namespace {

constexpr qreal kMarginMm = 12;
// The page is laid out as a browser shows the HTML page, a pixel being 1/96 inch, the text in
// 11 points of DejaVu Serif (as wide as a browser's 12-point serif), and printed at three
// quarters of that size, so that a usual route's report fills one or two pages.
constexpr int kCssDpi = 96;
constexpr qreal kPrintScale = 0.75;
constexpr qreal kFontPoints = 11;
// The sizes of the page's <font size> 4 and 5 and of its headings, as browsers scale them.
constexpr qreal kLarge = 1.2;
constexpr qreal kXLarge = 1.5;
// The page's blocks: a heading's margins, a doubled <blockquote>'s indent and margins.
constexpr qreal kHeadingTop = 16, kHeadingBottom = 12;
constexpr qreal kQuoteIndent = 80, kQuoteMargin = 12;

const QChar kNoBreakSpace(0x00A0);
const QString kLogoName = QStringLiteral("ORV.gif");

// While it lives, Qt works the same on every machine and in every run, as the page's
// lengths and reproducible bytes need: the screen is taken as 96 dpi (QTextDocument sizes
// pictures by the screen's resolution), and hash tables are seeded alike (the PDF writer
// lists its fonts in the order of one).
class SteadyQt {
public:
    SteadyQt()
        : wasUse96Dpi_(QCoreApplication::testAttribute(Qt::AA_Use96Dpi)),
          wasRandomSeed_(size_t(QHashSeed::globalSeed()) != 0) {
        QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);
        if (wasRandomSeed_) QHashSeed::setDeterministicGlobalSeed();
    }
    ~SteadyQt() {
        if (wasRandomSeed_) QHashSeed::resetRandomGlobalSeed();
        QCoreApplication::setAttribute(Qt::AA_Use96Dpi, wasUse96Dpi_);
    }
    SteadyQt(const SteadyQt&) = delete;
    SteadyQt& operator=(const SteadyQt&) = delete;

private:
    bool wasUse96Dpi_;
    bool wasRandomSeed_;
};

// A document that shows only the pictures it is given: a name it lacks is never looked up
// as a file.
class ReportDocument : public QTextDocument {
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

// A value as the PDF shows it: a line break or a tab as a blank, another control character as
// U+FFFD (the page does the same; the five bytes code page 1250 leaves undefined come back as
// C1 controls).
QString shown(const std::string& text) {
    QString s = toQ(text);
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') {
            s.remove(i, 1);
            --i;
        } else if (c == u'\n' || c == u'\r' || c == u'\t') {
            s[i] = u' ';
        } else if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {
            s[i] = QChar(QChar::ReplacementCharacter);
        }
    }
    return s;
}

// Text glued with no-break spaces: "útlum = 2,5 dB" never breaks apart.
QString glued(const QString& text) {
    QString s = text;
    s.replace(u' ', kNoBreakSpace);
    return s;
}

QFont pageFont() {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(kFontPoints);
    // Any letter spacing turns Qt's ligatures off (Qt 6.4 has no switch of its own): 100 %
    // keeps the spacing as it is and "fi" stays two letters, so that "Žofie" is found as typed.
    font.setLetterSpacing(QFont::PercentageSpacing, 100);
    return font;
}

// Writes the document block by block.
class Writer {
public:
    explicit Writer(QTextDocument& doc) : cursor_(&doc) {}
    QTextCursor& cursor() { return cursor_; }

    // A new paragraph with the format (the document's first one is reused).
    void block(const QTextBlockFormat& format = {}) {
        if (fresh_) {
            cursor_.setBlockFormat(format);
            fresh_ = false;
        } else {
            cursor_.insertBlock(format, QTextCharFormat());
        }
    }
    void text(const QString& text, const QTextCharFormat& format = {}) { cursor_.insertText(text, format); }
    // A heading as the page's <h2><u>: "Optická trasa:".
    void heading(const QString& text) {
        QTextBlockFormat f;
        f.setHeadingLevel(2);
        f.setTopMargin(kHeadingTop);
        f.setBottomMargin(kHeadingBottom);
        block(f);
        QTextCharFormat c;
        c.setFontWeight(QFont::Bold);
        c.setFontUnderline(true);
        c.setFontPointSize(kFontPoints * kXLarge);
        this->text(text, c);
    }
    // The page's <br>.
    void emptyLine() { block(); }
    // A paragraph of its own, centred.
    void centred(const QString& text, const QTextCharFormat& format) {
        QTextBlockFormat f;
        f.setAlignment(Qt::AlignHCenter);
        block(f);
        this->text(text, format);
    }

private:
    QTextCursor cursor_;
    bool fresh_ = true;
};

QTextCharFormat bold(qreal scale = 1) {
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    f.setFontPointSize(kFontPoints * scale);
    return f;
}

QTextCharFormat red() {
    QTextCharFormat f;
    f.setForeground(QColor(0xFF, 0, 0));
    return f;
}

QTextCharFormat italic() {
    QTextCharFormat f;
    f.setFontItalic(true);
    return f;
}

// The header: the logo beside a table of the course, the task, the name, the date and the group.
void writeHeader(Writer& w, const ReportContent& c, const QImage& logo) {
    QTextTableFormat outer;
    outer.setBorder(2);
    outer.setBorderStyle(QTextFrameFormat::BorderStyle_Outset);
    outer.setCellPadding(0);
    outer.setCellSpacing(0);
    outer.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    outer.setColumnWidthConstraints(
        {QTextLength(QTextLength::PercentageLength, 20), QTextLength(QTextLength::VariableLength, 0)});
    QTextTable* table = w.cursor().insertTable(1, 2, outer);
    QTextTableCellFormat top;
    top.setVerticalAlignment(QTextCharFormat::AlignTop);
    table->cellAt(0, 0).setFormat(top);
    if (!logo.isNull()) {
        QTextCursor at = table->cellAt(0, 0).firstCursorPosition();
        QTextImageFormat image;
        image.setName(kLogoName);
        image.setWidth(logo.width());
        image.setHeight(logo.height());
        at.insertImage(image);
    }

    QTextCursor inside = table->cellAt(0, 1).firstCursorPosition();
    QTextTableFormat inner = outer;
    inner.setBorder(1);
    inner.clearColumnWidthConstraints();
    const std::pair<const char*, std::pair<QString, qreal>> rows[] = {
        {"Předmět:", {QStringLiteral("Přenosová media"), kXLarge}},
        {"Název úlohy:",
         {QStringLiteral("Návrh optické trasy a měření útlumu, chromatické, polarizačně vidové disperze"), kLarge}},
        {"Jméno a příjmení:", {shown(c.student.firstName) + u' ' + shown(c.student.surname), kXLarge}},
        {"Měřeno dne:", {shown(c.student.date), kLarge}},
        {"Studijní skupina:", {shown(c.student.group), kLarge}}};
    QTextTable* fields = inside.insertTable(static_cast<int>(std::size(rows)), 1, inner);
    for (int r = 0; r < fields->rows(); ++r) {
        const auto& [label, value] = rows[r];
        QTextCursor cell = fields->cellAt(r, 0).firstCursorPosition();
        cell.insertText(QString::fromUtf8(label));
        QTextBlockFormat centre;
        centre.setAlignment(Qt::AlignHCenter);
        cell.insertBlock(centre);
        cell.insertText(value.first, bold(value.second));
    }
    w.cursor().movePosition(QTextCursor::End);
}

// A route line: "Vlákno: G.652, útlum = 2,5 dB, …" with the values in red, each joined to its
// name and unit.
void writeRouteLine(Writer& w, const ReportRouteLine& line) {
    QTextBlockFormat quote;
    quote.setLeftMargin(kQuoteIndent);
    quote.setRightMargin(kQuoteIndent);
    quote.setTopMargin(kQuoteMargin);
    quote.setBottomMargin(kQuoteMargin);
    w.block(quote);
    w.text(toQ(line.kind) + QStringLiteral(": "), bold());
    w.text(shown(line.label));
    for (const ReportValue& v : line.values) {
        w.text(QStringLiteral(", ") + glued(toQ(v.name) + QStringLiteral(" = ")));
        w.text(glued(shown(v.value)), red());
        w.text(kNoBreakSpace + toQ(v.unit));
    }
}

void writeGraph(Writer& w, int index, const char* caption) {
    QTextBlockFormat centre;
    centre.setAlignment(Qt::AlignHCenter);
    w.block(centre);
    QTextCharFormat object;
    object.setObjectType(GraphObjects::kType);
    object.setProperty(GraphObjects::kIndex, index);
    w.text(QString(QChar::ObjectReplacementCharacter), object);
    w.emptyLine();
    w.centred(QString::fromUtf8(caption), italic());
}

void writeResults(Writer& w, const ReportContent& c) {
    w.heading(QStringLiteral("Výsledky měření:"));
    w.block();
    const std::pair<const char*, const std::string*> parts[] = {
        {"Útlum na konci trasy je ", &c.endAttenuation},
        {" dB. Citlivost detektoru je ", &c.sensitivity},
        {" dB. Velikost chromatické disperze na konci trasy je ", &c.endCd},
        {" ns. Velikost polarizačně vidové disperze je ", &c.endPmd}};
    for (const auto& [before, value] : parts) {
        QString words = QString::fromUtf8(before);
        if (words.startsWith(u' ')) words[0] = kNoBreakSpace;  // the unit stays with its number
        w.text(words);
        w.text(glued(shown(*value)), red());
    }
    w.text(kNoBreakSpace + QStringLiteral("ps."));
}

void writeVerdict(Writer& w, const LinkVerdict& verdict) {
    const std::string nbsp = "\u00A0";
    QTextBlockFormat f;
    f.setTopMargin(kQuoteMargin / 2);
    w.block(f);
    w.text(QStringLiteral("Verdikt: "), bold());
    w.text(toQ(verdictLine(verdict, nbsp)));
    if (const std::string rule = rateLimitRule(verdict, nbsp); !rule.empty()) {
        w.block();
        w.text(QStringLiteral("Odhad rychlosti: "), bold());
        w.text(toQ(rule) + u'.');
    }
}

// The assignment's requirements, one line each, and the result as a whole.
void writeAssignment(Writer& w, const ReportAssignment& a) {
    w.emptyLine();
    w.heading(a.title.empty() ? QStringLiteral("Zadání:") : QStringLiteral("Zadání: ") + shown(a.title));
    for (const RequirementResult& r : a.grading.requirements) {
        w.block();
        w.text(toQ(r.name) + QStringLiteral(": "), bold());
        QString value = toQ(valueWithUnit(r));
        QString limit = toQ(r.limitText);
        value.replace(u' ', kNoBreakSpace);
        limit.replace(u' ', kNoBreakSpace);
        w.text(value + QStringLiteral(" (") + limit + QStringLiteral("): "));
        w.text(r.met ? QStringLiteral("splněno") : QStringLiteral("nesplněno"), r.met ? QTextCharFormat() : red());
    }
    w.block();
    w.text(a.grading.passed ? QStringLiteral("Trasa zadání splňuje.") : QStringLiteral("Trasa zadání nesplňuje."),
           bold());
    if (a.grading.problem) w.text(QStringLiteral(" ") + toQ(*a.grading.problem));
}

// The whole report, in the page's order.
void writeReport(Writer& w, const ReportContent& c, const LinkVerdict& verdict, const QImage& logo,
                 const std::optional<ReportAssignment>& assignment) {
    writeHeader(w, c, logo);
    w.emptyLine();
    w.heading(QStringLiteral("Optická trasa:"));
    for (const ReportRouteLine& line : c.route) writeRouteLine(w, line);
    w.emptyLine();
    w.heading(QStringLiteral("Grafy:"));
    w.emptyLine();
    writeGraph(w, 0, "Obrázek 1: Průběh útlumu na optické trase");
    w.emptyLine();
    w.emptyLine();
    writeGraph(w, 1, "Obrázek 2: Průběh chromatické disperze na optické trase");
    w.emptyLine();
    w.emptyLine();
    writeGraph(w, 2, "Obrázek 3: Průběh polarizačně vidové disperze na optické trase");
    w.emptyLine();
    writeResults(w, c);
    writeVerdict(w, verdict);
    if (assignment) writeAssignment(w, *assignment);
    w.emptyLine();
    w.heading(QStringLiteral("Závěr:"));
    for (const std::string& line : c.conclusion) {
        w.block();
        w.text(shown(line));
    }
}

// Qt dates the document by the clock and the local time zone; this puts `seconds` (UTC) in
// its place and moves the cross-reference offsets behind it by the change of length. PDF
// bytes of another form are left as they are.
void setCreationDate(std::string& pdf, long long seconds) {
    const std::string key = "/CreationDate (D:";
    const auto at = pdf.find(key);
    if (at == std::string::npos) return;
    const auto value = at + key.size() - 3;  // the "(" of the date
    const auto close = pdf.find(')', value);
    const auto xref = pdf.rfind("\nxref\n");
    const auto startKey = pdf.rfind("\nstartxref\n");
    if (close == std::string::npos || xref == std::string::npos || startKey == std::string::npos || xref < close)
        return;

    const QDateTime time = QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
    if (!time.isValid() || time.date().year() > 9999) return;  // no date of fourteen digits
    const std::string date = "(D:" + time.toString(QStringLiteral("yyyyMMddHHmmss")).toStdString() + "Z)";
    const auto delta = static_cast<long long>(date.size()) - static_cast<long long>(close + 1 - value);

    // The table: "xref", "0 N", then N lines of 20 bytes "oooooooooo ggggg n \n".
    auto parse = [&pdf](std::size_t from, std::size_t length, long long& out) {
        const char* first = pdf.data() + from;
        return from + length <= pdf.size() && std::from_chars(first, first + length, out).ptr == first + length;
    };
    const std::size_t header = xref + 6;
    const auto headerEnd = pdf.find('\n', header);
    const auto space = pdf.find(' ', header);
    long long count = 0;
    if (headerEnd == std::string::npos || space > headerEnd ||
        !parse(space + 1, headerEnd - space - 1 - (pdf[headerEnd - 1] == ' ' ? 1 : 0), count))
        return;
    std::size_t entry = headerEnd + 1;
    std::string table = pdf.substr(entry, static_cast<std::size_t>(count) * 20);
    if (table.size() != static_cast<std::size_t>(count) * 20) return;
    for (std::size_t i = 0; i < table.size(); i += 20) {
        long long offset = 0;
        if (!parse(entry + i, 10, offset)) return;
        if (table[i + 17] != 'n' || offset <= static_cast<long long>(value)) continue;
        char digits[11];
        std::snprintf(digits, sizeof digits, "%010lld", offset + delta);
        table.replace(i, 10, digits, 10);
    }
    const std::size_t startValue = startKey + 11;
    const auto startEnd = pdf.find_first_of(" \n", startValue);
    long long start = 0;
    if (startEnd == std::string::npos || !parse(startValue, startEnd - startValue, start)) return;

    pdf.replace(startValue, startEnd - startValue, std::to_string(start + delta));
    pdf.replace(entry, table.size(), table);
    pdf.replace(value, close + 1 - value, date);
}

}  // namespace

std::optional<std::string> reportPdf(const ReportContent& content, const LinkVerdict& verdict,
                                     const std::array<VectorCanvas, 3>& graphs, const QImage& logo,
                                     std::optional<long long> creationTime,
                                     const std::optional<ReportAssignment>& assignment) {
    const SteadyQt steady;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Protokol"));
        writer.setCreator(QStringLiteral("Lumor"));
        if (!writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                              QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                              QPageLayout::Millimeter)))
            return std::nullopt;
        writer.setResolution(kCssDpi);  // a device unit is a pixel of the page

        ReportDocument doc;
        GraphObjects graphObjects(graphs);
        doc.documentLayout()->setPaintDevice(&writer);
        doc.documentLayout()->registerHandler(GraphObjects::kType, &graphObjects);
        doc.setUseDesignMetrics(true);
        doc.setDefaultFont(pageFont());
        if (!logo.isNull()) {
            // Flattened onto white in one format, so that the logo gives the same bytes whether
            // it came from its file as GIF or otherwise.
            QImage flat(logo.size(), QImage::Format_RGB32);
            flat.fill(Qt::white);
            QPainter(&flat).drawImage(0, 0, logo);
            doc.addResource(QTextDocument::ImageResource, QUrl(kLogoName), flat);
        }
        Writer w(doc);
        writeReport(w, content, verdict, logo, assignment);
        const QSizeF page(writer.width() / kPrintScale, writer.height() / kPrintScale);
        doc.setPageSize(page);

        QPainter painter;
        if (!painter.begin(&writer)) return std::nullopt;
        painter.setRenderHint(QPainter::LosslessImageRendering);  // the logo without lossy compression
        for (int i = 0; i < doc.pageCount(); ++i) {
            if (i > 0 && !writer.newPage()) return std::nullopt;
            painter.save();
            painter.scale(kPrintScale, kPrintScale);
            painter.translate(0, -page.height() * i);
            doc.drawContents(&painter, QRectF(QPointF(0, page.height() * i), page));
            painter.restore();
        }
        if (!painter.end()) return std::nullopt;
    }
    buffer.close();
    std::string pdf = bytes.toStdString();
    if (pdf.empty()) return std::nullopt;
    if (creationTime) setCreationDate(pdf, *creationTime);
    return pdf;
}

std::optional<long long> reportPdfTime() {
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    if (text == nullptr || *text == '\0') return std::nullopt;
    const std::string_view value(text);
    long long seconds = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    if (error != std::errc() || end != value.data() + value.size() || seconds < 0) return std::nullopt;
    return seconds;
}

}  // namespace lumor
