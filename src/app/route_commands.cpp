#include "app/route_commands.h"

#include "route/component_types.h"
#include "text/cp1250.h"
#include "text/errors.h"
#include "text/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace lumor {

namespace {

// Keeps the characters `accept` takes, given whether a comma was kept before; at most 31.
template <class Accept>
std::string keepAccepted(const std::string& text, Accept accept) {
    std::string out;
    bool comma = false;
    for (char32_t c : utf8ToCodePoints(text)) {
        if (out.size() == kMaxInputChars) break;
        if (accept(c, comma)) {
            comma = comma || c == U',';
            out.push_back(static_cast<char>(c));  // only ASCII is ever accepted
        }
    }
    return out;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

std::string filterLengthText(const std::string& text) {
    return keepAccepted(text, [](char32_t c, bool comma) { return isDigit(c) || (c == U',' && !comma); });
}

std::string filterNumericText(const std::string& text) {
    return keepAccepted(text, [](char32_t c, bool comma) { return isDigit(c) || c == U',' || (c == U'-' && !comma); });
}

std::vector<std::string> conclusionLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(c);
        }
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    if (lines.size() == 1 && lines[0].empty()) lines.clear();
    return lines;
}

LimitedConclusion limitConclusion(const std::string& text, std::size_t cursor) {
    constexpr std::size_t kMaxLines = 5;
    constexpr std::size_t kMaxChars = 550;
    std::u32string chars = utf8ToCodePoints(text);
    std::size_t lines = 1;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == U'\n' && ++lines > kMaxLines) {
            chars.resize(i);  // the sixth line and all after it go
            break;
        }
    }
    cursor = std::min(cursor, chars.size());
    if (chars.size() > kMaxChars) {
        const std::size_t typed = std::min(chars.size() - kMaxChars, cursor);
        chars.erase(cursor - typed, typed);
        cursor -= typed;
        if (chars.size() > kMaxChars) chars.resize(kMaxChars);
    }
    LimitedConclusion out;
    for (char32_t c : chars) appendUtf8(out.text, c);
    out.cursor = std::min(cursor, chars.size());
    return out;
}

std::string limitConclusion(const std::string& text) { return limitConclusion(text, std::string::npos).text; }

bool gridRouteComplete(const StringGrid& routeGrid) {
    return routeGrid.cell(1, 1) == kSourceType &&
           routeGrid.cell(routeGrid.colCount() - 1, 1) == kDetectorType;
}

int fibreLengthColumn(const StringGrid& routeGrid, int left, int top, int right, int bottom) {
    for (int k = 1; k < routeGrid.colCount(); ++k) {
        if (routeGrid.cell(k, 1) == kFibreType && left == k && right == k && top == 9 && bottom == 9) {
            return k;
        }
    }
    return 0;
}

std::unique_ptr<ComponentRecord> recordFromLibraryColumn(const StringGrid& lib, int k) {
    auto r = std::make_unique<ComponentRecord>();
    SetSlotText(*r, Type, lib.cell(k, 1));
    SetSlotText(*r, Label, lib.cell(k, 2));
    for (int s = Wavelength; s <= Cd; ++s) SetSlotText(*r, s, lib.cell(k, s + 1));
    SetSlotText(*r, Length, "-");
    SetSlotText(*r, Sensitivity, lib.cell(k, 10));
    SetSlotText(*r, Note, lib.cell(k, 11));
    return r;
}

namespace {

// A double as a float without undefined behaviour: values beyond the float range saturate.
float toFloat(double value) {
    constexpr double kMax = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -kMax, kMax));
}

// An attenuation the route can hold: a finite number.
std::string attenuationText(double attenuation) {
    const double rounded = RoundHundredths(attenuation);
    if (!std::isfinite(rounded)) {
        throw RefusalError("Útlum vlákna vychází mimo rozsah čísel. Zkontrolujte délku vlákna a jeho "
                           "měrný útlum.");
    }
    return NumberText(rounded);
}

// Slots 0-2 and 4-7 from rows 1-3 and 5-8, the attenuation and length given, 9-10 from 10-11.
std::unique_ptr<ComponentRecord> fibreFromColumn(const StringGrid& grid, int k, const std::string& attenuation,
                                                 const std::string& length) {
    auto r = std::make_unique<ComponentRecord>();
    for (int s = Type; s <= Wavelength; ++s) SetSlotText(*r, s, grid.cell(k, s + 1));
    SetSlotText(*r, Attenuation, attenuation);
    for (int s = Gain; s <= Cd; ++s) SetSlotText(*r, s, grid.cell(k, s + 1));
    SetSlotText(*r, Length, length);
    SetSlotText(*r, Sensitivity, grid.cell(k, 10));
    SetSlotText(*r, Note, grid.cell(k, 11));
    return r;
}

}  // namespace

std::unique_ptr<ComponentRecord> newFibreRecord(const StringGrid& lib, int col, const std::string& lengthText) {
    // Single precision on purpose: 3,3 km × 0,35 dB/km must give 1,15 (the float product
    // lies just below 1.155).
    const float specific = toFloat(SlotNumber(lib.cell(col, 9)));
    if (lengthText.empty()) return nullptr;
    const float length = toFloat(SlotNumber(lengthText));
    if (length == 0) return nullptr;
    const float attenuation = length * specific;
    return fibreFromColumn(lib, col, attenuationText(attenuation), lengthText);
}

std::unique_ptr<ComponentRecord> changedFibreRecord(const StringGrid& route, int k, const std::string& lengthText) {
    const double attenuation = SlotNumber(route.cell(k, 4));
    const double length = SlotNumber(route.cell(k, 9));
    if (lengthText.empty()) return nullptr;
    const double newLength = SlotNumber(lengthText);
    if (newLength == 0) return nullptr;
    if (length == 0) {
        throw RefusalError("Vlákno na pozici " + std::to_string(k) +
                           " má nulovou délku, jeho měrný útlum nelze určit. Přidejte je do trasy znovu.");
    }
    const double specific = attenuation / length;
    return fibreFromColumn(route, k, attenuationText(specific * newLength), lengthText);
}

std::string aboutText() {
    return "Tento program vytvořil\r\nProjekt Lumor\r\n2007\r\nEmail: lumor@example.org\r\n"
           "Doporučené rozlišení:\r\n1024x768";
}

}  // namespace lumor
