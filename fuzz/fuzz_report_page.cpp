// The report page from any student texts, route cells, end values and conclusion.
// Input lines: first name, surname, date, group, then "a;b;c" end values (read with
// SlotNumber, 0 where that fails), then route components (as in fuzz_draw_route) up to a line
// "---", then the conclusion lines.
#include "fuzz_common.h"
#include "report/report_writer.h"
#include "text/errors.h"
#include "text/numbers.h"

namespace {

double numberOr0(std::string_view text) {
    try {
        return lumor::SlotNumber(text);
    } catch (const lumor::ConversionError&) {
        return 0;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lumor;
    const auto lines = fuzz::split(fuzz::bytesOf(data, size), '\n');
    auto line = [&](std::size_t i) { return i < lines.size() ? std::string(lines[i]) : std::string(); };

    const StudentTexts student{line(0), line(1), line(2), line(3)};
    RouteResult result;
    const std::string valueLine = line(4);
    const auto values = fuzz::split(valueLine, ';');
    result.EndAttenuation = numberOr0(values[0]);
    if (values.size() > 1) result.EndCd = numberOr0(values[1]);
    if (values.size() > 2) result.EndPmd = numberOr0(values[2]);

    fuzz::SilentMessages messages;
    RouteList route(messages);
    std::size_t i = 5;
    std::string routeText;
    for (; i < lines.size() && lines[i] != "---"; ++i) routeText.append(lines[i]).push_back('\n');
    fuzz::appendRouteText(route, routeText);
    std::vector<std::string> conclusion;
    for (++i; i < lines.size(); ++i) conclusion.emplace_back(lines[i]);

    const std::string page = reportPage(student, route, result, conclusion);

    // Code page 1250 text: none of the five bytes the code page leaves undefined, and line
    // breaks only as CR LF.
    for (std::size_t k = 0; k < page.size(); ++k) {
        const auto b = static_cast<unsigned char>(page[k]);
        LUMOR_FUZZ_CHECK(b != 0x81 && b != 0x83 && b != 0x88 && b != 0x90 && b != 0x98);
        if (b == '\r') LUMOR_FUZZ_CHECK(k + 1 < page.size() && page[k + 1] == '\n');
        if (b == '\n') LUMOR_FUZZ_CHECK(k > 0 && page[k - 1] == '\r');
    }
    const std::string_view head = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n";
    const std::string_view tail = "</body>\r\n</html>\r\n";
    LUMOR_FUZZ_CHECK(page.compare(0, head.size(), head) == 0);
    LUMOR_FUZZ_CHECK(page.size() >= tail.size() && page.compare(page.size() - tail.size(), tail.size(), tail) == 0);
    // Typed values never open markup of their own: every "<" of the page is the template's.
    const RouteList emptyRoute(messages);
    const std::string empty = reportPage({}, emptyRoute, RouteResult{}, {});
    std::size_t tags = 0, emptyTags = 0;
    for (char c : page) tags += c == '<';
    for (char c : empty) emptyTags += c == '<';
    // The component lines' own markup: 14 tags for a fibre, 8 for a connector or an amplifier.
    std::size_t componentTags = 0;
    for (int k = 1; k <= route.count(); ++k) {
        const std::string type = SlotText(route.at(k), ComponentSlot::Type);
        if (type == "Vlákno") componentTags += 14;
        if (type == "Konektor" || type == "Zesilovač") componentTags += 8;
    }
    LUMOR_FUZZ_CHECK(tags == emptyTags + componentTags);
    return 0;
}
