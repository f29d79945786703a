#include "report/gui/report_pdf.h"

#include "eval/gui/graph_pictures.h"
#include "platform/gui/qtext.h"
#include "report/report_writer.h"
#include "text/cp1250.h"
#include "text/read_file.h"

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
#include <QRegularExpression>
#include <QTextDocument>
#include <QTimeZone>
#include <QUrl>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace lumor {

namespace {

constexpr qreal kMarginMm = 12;
// The page is laid out as a browser shows it, a pixel being 1/96 inch, the text in 11 points
// of DejaVu Serif (as wide as a browser's 12-point serif), and printed at three quarters of
// that size, so that a usual route's report fills one or two pages.
constexpr int kCssDpi = 96;
constexpr qreal kPrintScale = 0.75;
constexpr int kFontPoints = 11;

// A document that shows only the pictures it is given: a name it lacks is never looked up
// as a file.
class PageDocument : public QTextDocument {
public:
    using QTextDocument::QTextDocument;

protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

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

// The page as QTextDocument reads it well; the page's own bytes stay as they are, only this
// copy changes: attributes lose the stray ";" between them and the "px" of font sizes, a
// table its height, a picture not given its place, the header table's cells get the row
// they lack, and the conclusion's lines each end with a line break (a browser runs them
// together).
QString documentHtml(const QString& html, const std::set<QString>& pictures) {
    static const QRegularExpression tag(QStringLiteral("<[^<>]*>"));
    static const QRegularExpression separator(QStringLiteral("\"\\s*;"));
    static const QRegularExpression fontSize(QStringLiteral("size\\s*=\\s*\"\\s*(\\d+)px\\s*\""));
    static const QRegularExpression height(QStringLiteral("height\\s*=\\s*\"\\s*(\\d+)\\s*\""));
    static const QRegularExpression source(QStringLiteral("^<img\\b.*\\bsrc\\s*=\\s*\"([^\"]*)\""));

    QString cleaned;
    qsizetype from = 0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        cleaned += QStringView(html).mid(from, match.capturedStart() - from);
        from = match.capturedEnd();
        QString t = match.captured();
        t.replace(separator, QStringLiteral("\""));
        t.replace(fontSize, QStringLiteral("size=\"\\1\""));
        // QTextDocument keeps a table to its height even when the content needs more.
        if (t.startsWith(QStringLiteral("<table"))) t.remove(height);
        if (const auto img = source.match(t); img.hasMatch() && !pictures.contains(img.captured(1))) continue;
        cleaned += t;
    }
    cleaned += QStringView(html).mid(from);

    static const QRegularExpression rowStart(QStringLiteral("(<table[^<>]*>)(\\s*<td)"));
    static const QRegularExpression rowEnd(QStringLiteral("(</td>\\s*)(</table>)"));
    cleaned.replace(rowStart, QStringLiteral("\\1<tr>\\2"));
    cleaned.replace(rowEnd, QStringLiteral("\\1</tr>\\2"));

    const QString heading = QStringLiteral("<h2><u>Závěr:</u></h2>");
    const qsizetype start = cleaned.indexOf(heading);
    const qsizetype end = cleaned.lastIndexOf(QStringLiteral("</body>"));
    if (start >= 0 && end > start) {
        qsizetype body = start + heading.size();
        if (QStringView(cleaned).mid(body, 2) == u"\r\n") body += 2;
        QString lines = cleaned.mid(body, end - body);
        lines.replace(QStringLiteral("\r\n"), QStringLiteral("<br>\r\n"));
        cleaned = cleaned.left(body) + lines + cleaned.mid(end);
    }
    return cleaned;
}

QFont pageFont() {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPointSize(kFontPoints);
    return font;
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

std::optional<std::string> reportPdf(const std::string& pageBytes, const ReportPictures& pictures,
                                     std::optional<long long> creationTime) {
    const SteadyQt steady;
    PageDocument doc;
    std::set<QString> names;
    auto addPicture = [&](const std::string& name, const QImage& image) {
        if (image.isNull()) return;
        // Flattened onto white in one format, so that a picture gives the same bytes whether
        // it was painted or loaded from its file.
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        doc.addResource(QTextDocument::ImageResource, QUrl(toQ(name)), flat);
        names.insert(toQ(name));
    };
    addPicture("ORV.gif", pictures.logo);
    for (std::size_t i = 0; i < kGraphPictureNames.size(); ++i) addPicture(kGraphPictureNames[i], pictures.graphs[i]);

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
        doc.documentLayout()->setPaintDevice(&writer);
        doc.setUseDesignMetrics(true);
        doc.setDefaultFont(pageFont());
        doc.setHtml(documentHtml(toQ(cp1250ToUtf8(pageBytes)), names));
        const QSizeF page(writer.width() / kPrintScale, writer.height() / kPrintScale);
        doc.setPageSize(page);

        QPainter painter;
        if (!painter.begin(&writer)) return std::nullopt;
        // The graphs' thin lines stay sharp: no lossy compression of the pictures.
        painter.setRenderHint(QPainter::LosslessImageRendering);
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

std::optional<std::string> addReportPdf(std::vector<NamedFile>& files, const std::string& folder,
                                        const std::string& pageBytes, const ReportPictures& pictures) {
    auto pdf = reportPdf(pageBytes, pictures, reportPdfTime());
    if (!pdf) {
        std::string path = folder;
        if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
        return "Protokol nelze uložit do souboru „" + path + kReportPdfName + "“: dokument PDF se nepodařilo vytvořit.";
    }
    files.push_back({kReportPdfName, std::move(*pdf)});
    return std::nullopt;
}

ReportPictures loadReportPictures(const std::string& folder) {
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/' && prefix.back() != '\\') prefix += '/';
    // Pictures of 632 x 434 and a small logo: a few MB is plenty.
    constexpr std::size_t kPictureFileCap = 4 * 1024 * 1024;
    auto picture = [&](const std::string& name) {
        const auto bytes = readBoundedFile(prefix + name, kPictureFileCap);
        const auto* content = std::get_if<std::string>(&bytes);
        return content ? QImage::fromData(QByteArray::fromStdString(*content)) : QImage();
    };
    ReportPictures pictures;
    pictures.logo = picture("ORV.gif");
    for (std::size_t i = 0; i < kGraphPictureNames.size(); ++i) pictures.graphs[i] = picture(kGraphPictureNames[i]);
    return pictures;
}

}  // namespace lumor
