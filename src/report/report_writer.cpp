#include "report/report_writer.h"

#include "route/component_record.h"
#include "route/component_types.h"
#include "text/cp1250.h"
#include "text/file_io.h"
#include "text/numbers.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>
#include <tuple>

namespace lumor {

namespace {

const std::string kNotGiven = "neuvedeno";
constexpr std::size_t kConclusionLines = 5;

// Appends a typed value: markup characters escaped, line breaks as CR LF, other control
// characters as a blank (tab) or U+FFFD, and a character code page 1250 cannot hold as a
// numeric reference so that nothing typed is lost.
void appendValue(std::string& out, std::string_view text) {
    const std::u32string cps = utf8ToCodePoints(text);
    for (std::size_t i = 0; i < cps.size(); ++i) {
        const char32_t cp = cps[i];
        switch (cp) {
            case U'&': out += "&amp;"; break;
            case U'<': out += "&lt;"; break;
            case U'>': out += "&gt;"; break;
            case U'"': out += "&quot;"; break;
            case U'\r':
                if (i + 1 < cps.size() && cps[i + 1] == U'\n') ++i;
                out += "\r\n";
                break;
            case U'\n': out += "\r\n"; break;
            // Other control characters never reach the page: a tab is the blank it shows as,
            // the rest become U+FFFD, so that the reader sees something was there.
            case U'\t': out += ' '; break;
            default: {
                if (cp < 0x20 || cp == 0x7F) {
                    out += "&#65533;";
                    break;
                }
                std::string one;
                appendUtf8(one, cp);
                // The five bytes code page 1250 leaves undefined come back from a loaded
                // route as C1 controls; the page declares windows-1250, so they go as references.
                const bool undefinedByte = cp == 0x81 || cp == 0x83 || cp == 0x88 || cp == 0x90 || cp == 0x98;
                if (fitsCp1250(one) && !undefinedByte) {
                    out += utf8ToCp1250(one);
                } else {
                    out += "&#" + integerText(static_cast<long long>(cp)) + ";";
                }
            }
        }
    }
}

// Collects the page one template row at a time.
class Page {
public:
    // Writes one row: its literal text as is, each "%s" replaced by the next value.
    void row(std::string_view text, const std::vector<std::string_view>& values = {}, bool lineBreak = true) {
        auto value = values.begin();
        for (;;) {
            const auto mark = text.find("%s");
            if (mark == std::string_view::npos || value == values.end()) break;
            out_ += utf8ToCp1250(text.substr(0, mark));
            appendValue(out_, *value++);
            text.remove_prefix(mark + 2);
        }
        out_ += utf8ToCp1250(text);
        if (lineBreak) out_ += "\r\n";
    }
    std::string take() { return std::move(out_); }

private:
    std::string out_;
};

std::string orNotGiven(const std::string& text) { return text.empty() ? kNotGiven : text; }

std::string endValueText(double value) { return NumberText(roundHundredths(value)); }

// A route line: the record's label and the named slots with their units; no record (an
// empty route) gives empty texts.
ReportRouteLine routeLine(const char* kind, const ComponentRecord* record,
                          std::initializer_list<std::tuple<const char*, ComponentSlot, const char*>> values) {
    auto text = [&](ComponentSlot slot) { return record ? SlotText(*record, slot) : std::string(); };
    ReportRouteLine line{kind, text(ComponentSlot::Label), {}};
    for (const auto& [name, slot, unit] : values) line.values.push_back({name, text(slot), unit});
    return line;
}

}  // namespace

ReportContent reportContent(const StudentTexts& student, const RouteList& route, const RouteResult& result,
                            const std::vector<std::string>& conclusion) {
    ReportContent c;
    c.student = {orNotGiven(student.firstName), orNotGiven(student.surname), orNotGiven(student.date),
                 orNotGiven(student.group)};
    using S = ComponentSlot;
    const int n = route.count();
    const ComponentRecord* source = n >= 1 ? &route.at(1) : nullptr;
    const ComponentRecord* detector = n >= 1 ? &route.at(n) : nullptr;
    c.route.push_back(
        routeLine("Zdroj", source, {{"zisk", S::Gain, "dB"}, {"rms šířky spektra zdroje", S::SourceRms, "nm"}}));
    for (int k = 1; k <= n; ++k) {
        // Whole-text comparison, case and accents included; sources and detectors are
        // described by their own lines, wherever they stand.
        const ComponentRecord& r = route.at(k);
        const auto type = typeNamed(SlotText(r, S::Type));
        if (type == ComponentType::Fibre) {
            c.route.push_back(routeLine("Vlákno", &r,
                                        {{"útlum", S::Attenuation, "dB"},
                                         {"CD", S::Cd, "ps/(nm.km)"},
                                         {"PMD", S::Pmd, "ps/(km^0,5)"},
                                         {"L", S::Length, "km"}}));
        } else if (type == ComponentType::Connector) {
            c.route.push_back(routeLine("Konektor", &r, {{"útlum", S::Attenuation, "dB"}}));
        } else if (type == ComponentType::Amplifier) {
            c.route.push_back(routeLine("Zesilovač", &r, {{"zisk", S::Gain, "dB"}}));
        }
    }
    c.route.push_back(routeLine("Detektor", detector, {{"citlivost", S::Sensitivity, "dB"}}));
    c.endAttenuation = endValueText(result.EndAttenuation);
    c.sensitivity = detector ? SlotText(*detector, S::Sensitivity) : std::string();
    c.endCd = endValueText(result.EndCd);
    c.endPmd = endValueText(result.EndPmd);
    for (std::size_t i = 0; i < conclusion.size() && i < kConclusionLines; ++i) {
        if (!conclusion[i].empty()) c.conclusion.push_back(conclusion[i]);
    }
    return c;
}

std::string reportPage(const ReportContent& c) {
    Page p;
    p.row(R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">)");
    p.row("<html>");
    p.row("<head>");
    p.row(R"(<meta http-equiv="content-type" content="text/html; charset=windows-1250">)");
    p.row(R"(<meta name="generator" content="Lumor">)");
    p.row("<title>Protokol</title>");
    p.row("</head>");
    p.row("<body>");
    p.row(R"(<table border="2"; width = "100%"; height="250"; cellpadding="0"; cellspacing="0">)");
    p.row(R"(<td width = "20%"; valign="top"><img src = "ORV.gif" alt = "ORV"></td>)");
    p.row("<td>");
    p.row(R"(<table border="1"; width = "100%"; cellpadding="0"; cellspacing="0">)");
    p.row(
        R"(<tr height = "50"><td><font size = "3px">Předmět:<b><font size ="5px"><center>Přenosová media</center></b></td></tr>)");
    p.row(
        R"(<tr height = "50"><td><font size = "3px">Název úlohy:<b><font size ="4px"><center>Návrh optické trasy a měření útlumu, chromatické, polarizačně vidové disperze</center></b></td></tr>)");
    p.row(R"(<tr height = "50"><td><font size = "3px">Jméno a příjmení: <center><b><font size ="5px">)", {}, false);
    p.row("%s %s", {c.student.firstName, c.student.surname}, false);
    p.row("</b></center></td></tr>");
    p.row(
        R"(<tr height = "50"><td><font size = "3px">Měřeno dne: <center><b><font size ="4px">%s</b></center></td></tr>)",
        {c.student.date});
    p.row(
        R"(<tr height = "50"><td><font size = "3px">Studijní skupina: <center><b><font size ="4px">%s</b></center></td></tr>)",
        {c.student.group});
    p.row("</table>");
    p.row("</td>");
    p.row("</table>");
    p.row("<br>");
    p.row("<h2><u>Optická trasa:</u></h2>");
    for (const ReportRouteLine& line : c.route) {
        // "<b>Vlákno: </b>%s, útlum = <font color="red">%s</font> dB, …"
        std::string text = "<blockquote><blockquote><b>" + line.kind + ": </b>%s";
        std::vector<std::string_view> values{line.label};
        for (const ReportValue& v : line.values) {
            text += ", " + v.name + R"( = <font color="red">%s</font> )" + v.unit;
            values.push_back(v.value);
        }
        p.row(text + "</blockquote></blockquote>", values);
    }
    p.row("<br>");
    p.row("<h2><u>Grafy:</u></h2>");
    p.row("<br>");
    p.row(R"(<center><img src = "att.bmp" alt = "průběh útlumu"></center>)");
    p.row("<br>");
    p.row("<center><i>Obrázek 1: Průběh útlumu na optické trase</i></center>");
    p.row("<br>");
    p.row("<br>");
    p.row(R"(<center><img src = "cd.bmp" alt = "průběh chromatické disperze"></center>)");
    p.row("<br>");
    p.row("<center><i>Obrázek 2: Průběh chromatické disperze na optické trase</i></center>");
    p.row("<br>");
    p.row("<br>");
    p.row(R"(<center><img src = "pmd.bmp" alt = "průběh polarizačně vidové disperze"></center>)");
    p.row("<br>");
    p.row("<center><i>Obrázek 3: Průběh polarizačně vidové disperze na optické trase</i></center>");
    p.row("<br>");
    p.row("<h2><u>Výsledky měření:</u></h2>");
    // The two result rows form one line of the file.
    p.row(
        R"(Útlum na konci trasy je <font color = "red">%s</font> dB. Citlivost detektoru je <font color = "red">%s</font> dB. )",
        {c.endAttenuation, c.sensitivity}, false);
    p.row(
        R"(Velikost chromatické disperze na konci trasy je <font color = "red">%s</font> ns. Velikost polarizačně vidové disperze je <font color = "red">%s</font> ps.)",
        {c.endCd, c.endPmd});
    p.row("<br>");
    p.row("<h2><u>Závěr:</u></h2>");
    for (const std::string& line : c.conclusion) p.row("%s", {line});
    p.row("</body>");
    p.row("</html>");
    return p.take();
}

std::string reportPage(const StudentTexts& student, const RouteList& route, const RouteResult& result,
                       const std::vector<std::string>& conclusion) {
    return reportPage(reportContent(student, route, result, conclusion));
}

std::string protocolFolder(const std::string& programFolder) {
    std::string path = programFolder;
    if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
    return path + "Protokol/";
}

std::string ReportPath(const std::string& programFolder) { return protocolFolder(programFolder) + "Protokol.html"; }

std::optional<std::string> saveReport(const std::string& path, const std::string& page) {
    if (const auto reason = writeNewFile(path, page)) {
        return "Protokol nelze uložit do souboru „" + path + "“: " + *reason + ".";
    }
    return std::nullopt;
}

}  // namespace lumor
