#pragma once
// Shared pieces of the fuzz targets: a silent Messages, a route built from a line-based text,
// a canvas that checks every coordinate, and the check that stops the run on a violation.
#include "eval/canvas.h"
#include "eval/graph_drawing.h"
#include "route/route_list.h"
#include "test_routes.h"
#include "text/messages.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace lumor::fuzz {

/// Stops the run with the broken invariant named; libFuzzer keeps the input as a crash.
[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "invariant violated: %s\n", what);
    std::fflush(stderr);
    __builtin_trap();
}

#define LUMOR_FUZZ_CHECK(cond)                   \
    do {                                         \
        if (!(cond)) ::lumor::fuzz::fail(#cond); \
    } while (false)

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

/// Counts the messages and otherwise ignores them.
struct SilentMessages : Messages {
    int warnings = 0;
    int informations = 0;
    void warning(const std::string&, const std::string&) override { ++warnings; }
    void information(const std::string&, const std::string&) override { ++informations; }
    bool question(const std::string&) override { return false; }
};

/// Splits at `sep`; a text without it is one part.
inline std::vector<std::string_view> split(std::string_view text, char sep) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto at = text.find(sep);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) return parts;
        text.remove_prefix(at + 1);
    }
}

/// Records the fuzz inputs build routes from are short; more would only slow a run down.
constexpr std::size_t kMaxFuzzRecords = 64;

/// Appends one record per line of `text`, its fields separated by ";" in slot order (ComponentSlot::Type,
/// Label, ComponentSlot::Wavelength, ComponentSlot::Attenuation, ComponentSlot::Gain, ComponentSlot::SourceRms,
/// ComponentSlot::Pmd, ComponentSlot::Cd, ComponentSlot::Length, ComponentSlot::Sensitivity, ComponentSlot::Note);
/// missing fields are empty.
inline void appendRouteText(RouteList& route, std::string_view text) {
    std::size_t added = 0;
    for (std::string_view line : split(text, '\n')) {
        if (line.empty() || added++ == kMaxFuzzRecords) continue;
        std::array<std::string, 11> slots{};
        const auto fields = split(line, ';');
        for (std::size_t s = 0; s < slots.size() && s < fields.size(); ++s) slots[s] = std::string(fields[s]);
        route.appendComponent(makeRecord(slots));
    }
}

/// A canvas that checks that every coordinate stays within ±kPixelLimit and that the
/// drawing's work stays bounded.
class CheckingCanvas : public Canvas {
public:
    CheckingCanvas(int width, int height) : width_(width), height_(height) {}
    int width() const override { return width_; }
    int height() const override { return height_; }
    void fill() override { count(); }
    void setPen(Rgb colour) override {
        count();
        LUMOR_FUZZ_CHECK(colour == kBlackPen || colour == kLightBluePen || colour == kGreenPen || colour == kRedPen);
    }
    void line(int x1, int y1, int x2, int y2) override {
        count();
        within(x1), within(y1), within(x2), within(y2);
    }
    void text(int x, int y, const std::string& t) override {
        count();
        within(x), within(y);
        LUMOR_FUZZ_CHECK(!t.empty());
        LUMOR_FUZZ_CHECK(t.find("NAN") == std::string::npos && t.find("INF") == std::string::npos);
    }
    long ops = 0;

private:
    static void within(int c) { LUMOR_FUZZ_CHECK(c >= -kPixelLimit && c <= kPixelLimit); }
    void count() {
        // A graph of any route is a few thousand operations at most: the curve is bounded by
        // the picture's width, the ticks by the rules in graph_drawing.h.
        LUMOR_FUZZ_CHECK(++ops < 200000);
    }
    int width_;
    int height_;
};

}  // namespace lumor::fuzz
