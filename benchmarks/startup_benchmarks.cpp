#include "app/app_state.h"
#include "app/ui/forms.h"
#include "app/ui/main_window.h"
#include "library/library_entry.h"
#include "route/component_types.h"
#include "scripted_desk.h"

#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

/// A working directory holding a standard library of 999 entries, as the program reads it.
class LibraryFolder {
public:
    LibraryFolder() {
        dir_ = fs::temp_directory_path() / ("lumor_bench_" + std::to_string(::getpid()));
        fs::create_directories(dir_ / "Komponenty");
        std::ofstream out(dir_ / "Komponenty" / "stdkmp.komp", std::ios::binary);
        for (int i = 1; i <= 999; ++i) {
            LibraryEntry e;
            setSlotText(e, LibrarySlot::Label, "Konektor " + std::to_string(i));
            setSlotText(e, LibrarySlot::Attenuation, "0,3");
            setSlotText(e, LibrarySlot::Note, "poznámka");
            setTypeCode(e, i % 5);
            out.write(reinterpret_cast<const char*>(e.image.data()), LibraryEntry::kImageSize);
        }
        old_ = fs::current_path();
        fs::current_path(dir_);
    }
    ~LibraryFolder() {
        fs::current_path(old_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

private:
    fs::path dir_, old_;
};

// The program's own start-up: the eight windows, the 999-entry library, the main window shown.
void startProgram(benchmark::State& state) {
    LibraryFolder folder;
    for (auto _ : state) {
        ScriptedDesk desk;
        AppState appState(desk);
        auto forms = createForms(appState, desk);
        forms->mainWindow->show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(forms->mainWindow->isVisible());
    }
}

// The reference: a bare main window with one table of the same shape, shown the same way.
void startBareWindow(benchmark::State& state) {
    for (auto _ : state) {
        QMainWindow window;
        auto* table = new QTableWidget(11, 1000, &window);
        window.setCentralWidget(table);
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.isVisible());
    }
}

}  // namespace

BENCHMARK(startProgram)->Unit(benchmark::kMillisecond);
BENCHMARK(startBareWindow)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
