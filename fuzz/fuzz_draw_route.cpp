// Evaluating a route and drawing its graphs, small and enlarged, with the read-out.
// Input: one component per line, its slot texts separated by ";" (see fuzz_common.h).
#include "eval/route_evaluation.h"
#include "fuzz_common.h"
#include "text/errors.h"

#include <cmath>
#include <cstdint>

namespace {

using namespace lumor;

/// Runs `step`; ConversionError and RefusalError are the refusals a route may meet, anything
/// else is a fault. True when the step went through.
template <class Step>
bool refusedOrDone(Step step) {
    try {
        step();
        return true;
    } catch (const ConversionError&) {
    } catch (const RefusalError& e) {
        LUMOR_FUZZ_CHECK(std::string(e.what()).size() > 0);
    } catch (...) {
        fuzz::fail("evaluation or drawing threw something other than ConversionError or RefusalError");
    }
    return false;
}

/// The read-out at pointer positions: the picture's corners and middle, the origin, the far
/// ends of a 16-bit position (a pointer dragged off the picture stays within a screen), and
/// one position taken from the input.
void checkReadOut(const GraphScale& scale, std::string_view input) {
    std::vector<std::pair<int, int>> points = {{0, 0},
                                               {scale.W - 1, scale.H - 1},
                                               {scale.x0, scale.zeroRow()},
                                               {scale.W / 2, scale.H / 2},
                                               {INT16_MIN, INT16_MAX},
                                               {INT16_MAX, INT16_MIN}};
    if (input.size() >= 4) {
        const auto* b = reinterpret_cast<const unsigned char*>(input.data() + input.size() - 4);
        points.emplace_back(static_cast<std::int16_t>(b[0] | b[1] << 8), static_cast<std::int16_t>(b[2] | b[3] << 8));
    }
    for (const auto& [x, y] : points) {
        const std::string text = coordinateText(scale, x, y);
        LUMOR_FUZZ_CHECK(text.rfind("Souřadnice  X:", 0) == 0);
        LUMOR_FUZZ_CHECK(text.find("NAN") == std::string::npos && text.find("INF") == std::string::npos);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::bytesOf(data, size);
    fuzz::SilentMessages messages;
    RouteList route(messages);
    fuzz::appendRouteText(route, input);

    refusedOrDone([&] {
        const RouteProfiles r = evaluateRoute(route);
        LUMOR_FUZZ_CHECK(std::isfinite(r.endAttenuation) && std::isfinite(r.endCd) && std::isfinite(r.endPmd));
        LUMOR_FUZZ_CHECK(std::isfinite(r.fibreLength) && std::isfinite(r.pmd.scaleTop));
    });

    fuzz::CheckingCanvas att(kSmallAttenuationWidth, kSmallGraphHeight);
    fuzz::CheckingCanvas cd(kSmallDispersionWidth, kSmallGraphHeight);
    fuzz::CheckingCanvas pmd(kSmallDispersionWidth, kSmallGraphHeight);
    RouteResult result;
    refusedOrDone([&] {
        const bool drawn = renderRoutePictures(route, {{&att, &cd, &pmd}, {}}, result).has_value();
        LUMOR_FUZZ_CHECK(drawn == isRouteComplete(route));
    });
    LUMOR_FUZZ_CHECK(std::isfinite(result.endAttenuation) && std::isfinite(result.endCd) &&
                     std::isfinite(result.endPmd));

    for (GraphKind kind : {GraphKind::Attenuation, GraphKind::Cd, GraphKind::Pmd}) {
        fuzz::CheckingCanvas big(kEnlargedGraphWidth, kEnlargedGraphHeight);
        GraphScale scale;
        if (refusedOrDone([&] { scale = renderEnlargedGraph(route, kind, big); })) {
            LUMOR_FUZZ_CHECK(std::isfinite(scale.xs) && scale.xs > 0);
            LUMOR_FUZZ_CHECK(std::isfinite(scale.v) && scale.v > 0);
            checkReadOut(scale, input);
        }
    }
    return 0;
}
