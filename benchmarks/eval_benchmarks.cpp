#include "eval/graph_drawing.h"
#include "route/route_list.h"
#include "test_routes.h"
#include "text/messages.h"

#include <benchmark/benchmark.h>

using namespace lumor;

namespace {

/// Counts operations and keeps nothing: the drawing's own cost.
class NullCanvas : public Canvas {
public:
    NullCanvas(int w, int h) : w_(w), h_(h) {}
    int width() const override { return w_; }
    int height() const override { return h_; }
    void fill() override { ++ops; }
    void setPen(Rgb) override { ++ops; }
    void line(int x1, int y1, int x2, int y2) override {
        ++ops;
        benchmark::DoNotOptimize(x1 + y1 + x2 + y2);
    }
    void text(int x, int y, const std::string& t) override {
        ++ops;
        benchmark::DoNotOptimize(x + y + static_cast<int>(t.size()));
    }
    long ops = 0;

private:
    int w_, h_;
};

struct SilentMessages : Messages {
    void warning(const std::string&, const std::string&) override {}
    void information(const std::string&, const std::string&) override {}
    bool question(const std::string&) override { return false; }
};

std::unique_ptr<ComponentRecord> component(const std::string& type, const std::string& att, const std::string& gain,
                                           const std::string& length, const std::string& sensitivity) {
    return makeRecord({type, "x", "1550", att, gain, "2", "0,1", "17", length, sensitivity, ""});
}

void typicalRoute(RouteList& r) {
    r.appendComponent(component("Zdroj", "-", "3", "-", "-"));
    r.appendComponent(component("Vlákno", "8,75", "-", "35", "-"));
    r.appendComponent(component("Konektor", "0,5", "-", "-", "-"));
    r.appendComponent(component("Vlákno", "12,5", "-", "50", "-"));
    r.appendComponent(component("Zesilovač", "-", "20", "-", "-"));
    r.appendComponent(component("Konektor", "0,5", "-", "-", "-"));
    r.appendComponent(component("Vlákno", "5", "-", "20", "-"));
    r.appendComponent(component("Konektor", "0,5", "-", "-", "-"));
    r.appendComponent(component("Vlákno", "2,5", "-", "10,5", "-"));
    r.appendComponent(component("Detektor", "-", "-", "-", "-30"));
}

void longestRoute(RouteList& r) {
    r.appendComponent(component("Zdroj", "-", "3", "-", "-"));
    for (int i = 0; i < 997; ++i) r.appendComponent(component("Vlákno", "2,5", "-", "10", "-"));
    r.appendComponent(component("Detektor", "-", "-", "-", "-30"));
}

void hugeRoute(RouteList& r) {
    r.appendComponent(component("Zdroj", "-", "3", "-", "-"));
    for (int i = 0; i < 10; ++i) r.appendComponent(component("Vlákno", "200000000", "-", "1E9", "-"));
    r.appendComponent(component("Detektor", "-", "-", "-", "-30"));
}

/// The draw command's work: three small graphs, then the three enlarged ones.
void drawAll(benchmark::State& state, void (*build)(RouteList&)) {
    SilentMessages messages;
    RouteList route(messages);
    build(route);
    long ops = 0;
    for (auto _ : state) {
        NullCanvas att(313, 273), cd(305, 273), pmd(305, 273);
        RouteResult result;
        renderRoutePictures(route, {{&att, &cd, &pmd}, {}}, result);
        ops = att.ops + cd.ops + pmd.ops;
        for (GraphKind kind : {GraphKind::Attenuation, GraphKind::Cd, GraphKind::Pmd}) {
            NullCanvas big(632, 434);
            benchmark::DoNotOptimize(renderEnlargedGraph(route, kind, big));
            ops += big.ops;
        }
        benchmark::DoNotOptimize(result);
    }
    state.counters["canvas_ops"] = static_cast<double>(ops);
}

void evaluateOnly(benchmark::State& state, void (*build)(RouteList&)) {
    SilentMessages messages;
    RouteList route(messages);
    build(route);
    for (auto _ : state) benchmark::DoNotOptimize(evaluateRoute(route));
}

}  // namespace

BENCHMARK_CAPTURE(evaluateOnly, typical, &typicalRoute);
BENCHMARK_CAPTURE(evaluateOnly, longest_999, &longestRoute);
BENCHMARK_CAPTURE(evaluateOnly, ten_fibres_1e9km, &hugeRoute);
BENCHMARK_CAPTURE(drawAll, typical, &typicalRoute);
BENCHMARK_CAPTURE(drawAll, longest_999, &longestRoute);
BENCHMARK_CAPTURE(drawAll, ten_fibres_1e9km, &hugeRoute);
