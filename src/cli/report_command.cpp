#include "cli/cli_command.h"
#include "cli/list_file.h"
#include "cli/report_inputs.h"
#include "eval/graph_drawing.h"
#include "eval/gui/graph_pictures.h"
#include "eval/gui/qimage_canvas.h"
#include "platform/gui/executable_folder.h"
#include "report/conclusion.h"
#include "report/report_writer.h"
#include "text/file_io.h"
#include "text/read_file.h"

#include <CLI/CLI.hpp>

#include <QCoreApplication>
#include <QGuiApplication>

#include <array>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>

namespace lumor::cli {

namespace {

namespace fs = std::filesystem;

struct ReportOptions {
    std::string routePath;
    std::string outDir;
    std::string firstName;       ///< --jmeno
    std::string surname;         ///< --prijmeni
    std::string date;            ///< --datum
    std::string group;           ///< --skupina
    std::string conclusionPath;  ///< --zaver, empty for none
};

/// Qt's own chatter ("XDG_RUNTIME_DIR not set"…) means nothing to the tool's user; only
/// Qt's errors reach the error stream.
void qtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "lumor-cli: Qt: %s\n", message.toLocal8Bit().constData());
    }
}

/// A Qt application for painting the graphs, which opens no window. On Windows and macOS the
/// system's own platform plugin, which needs no display and which every installation carries
/// (windeployqt copies "qwindows", not "offscreen"); elsewhere the "offscreen" platform, as an
/// X or Wayland display may be missing or unreachable (the Debian package depends on Qt's
/// platform plugins). A platform the user chose is kept. Nothing is created when the process
/// already has an application.
class OffscreenGui {
public:
    OffscreenGui() {
        if (QCoreApplication::instance() != nullptr) return;
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
        previousHandler_ = qInstallMessageHandler(qtMessages);
        app_ = std::make_unique<QGuiApplication>(argc_, argv_.data());
    }
    ~OffscreenGui() {
        if (!app_) return;
        app_.reset();
        qInstallMessageHandler(previousHandler_);
    }
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;

private:
    // QGuiApplication keeps references to these for its whole life.
    int argc_ = 1;
    char name_[10] = "lumor-cli";
    std::array<char*, 2> argv_{name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
    QtMessageHandler previousHandler_ = nullptr;
};

/// Copies the report's logo from the "Protokol" folder beside the executable, where the
/// build puts it, into the output folder. A missing logo is only a warning: the page still
/// refers to it by name, as the program's page does when the logo is missing.
int copyLogo(CommandContext& context, const fs::path& outDir) {
    const fs::path logo = pathFromUtf8(executableFolder()) / "Protokol" / "ORV.gif";
    const fs::path target = outDir / "ORV.gif";
    std::error_code ec;
    if (fs::exists(target, ec) && fs::equivalent(logo, target, ec))
        return kExitSuccess;  // written into the program's own folder
    auto bytes = readFileBytes(utf8FromPath(logo));
    if (auto* failure = std::get_if<ReadFailure>(&bytes)) {
        reportFailure(context, "varování: logo „" + utf8FromPath(logo) + "“ nelze načíst (" + failure->reason +
                                   "); protokol se na ně odkazuje, ale v „" + utf8FromPath(outDir) + "“ nebude");
        return kExitSuccess;
    }
    if (auto error = writeFileAtomically(utf8FromPath(target), std::get<std::string>(bytes))) {
        reportFailure(context, "nelze zapsat „" + utf8FromPath(target) + "“: " + *error);
        return kExitRefused;
    }
    return kExitSuccess;
}

int runReport(CommandContext& context, const ReportOptions& options) {
    const std::string& path = options.routePath;
    LoadedRoute loaded = loadRouteFile(path);
    if (!loaded.list) {
        reportFailure(context, "„" + path + "“: " + loaded.failure);
        return kExitRefused;
    }
    for (const auto& w : loaded.warnings) reportFailure(context, "varování: „" + path + "“: " + w);
    const RouteList& route = *loaded.list;
    // The draw command's test; without a draw the report command is not available.
    if (!IsRouteComplete(route)) {
        reportFailure(context, "„" + path + "“: Trasa není úplná");
        return kExitRefused;
    }

    std::string conclusion;
    if (!options.conclusionPath.empty()) {
        auto bytes = readFileBytes(options.conclusionPath);
        if (auto* failure = std::get_if<ReadFailure>(&bytes)) {
            reportFailure(context, "nelze načíst „" + options.conclusionPath + "“: " + failure->reason);
            return kExitRefused;
        }
        const ConclusionText text = conclusionFromFile(std::get<std::string>(bytes));
        if (text.decodedAsCp1250) {
            reportFailure(context,
                          "varování: „" + options.conclusionPath + "“ není v kódování UTF-8, čte se jako windows-1250");
        }
        conclusion = text.text;
    }
    if (options.firstName.empty() || options.surname.empty()) {
        reportFailure(context,
                      "varování: chybí jméno nebo příjmení studenta (--jmeno, --prijmeni); "
                      "v protokolu bude „neuvedeno“");
    }

    // The draw command's drawing: the small graphs with the end values, then the three
    // enlarged pictures. All of it is drawn before anything is written.
    OffscreenGui gui;
    RouteResult result;
    QImageCanvas att(kSmallAttenuationWidth, kSmallGraphHeight);
    QImageCanvas cd(kSmallDispersionWidth, kSmallGraphHeight);
    QImageCanvas pmd(kSmallDispersionWidth, kSmallGraphHeight);
    EnlargedPictures enlarged;
    try {
        renderRoutePictures(route, {{&att, &cd, &pmd}, enlarged.targets()}, result);
    } catch (const std::exception& e) {
        reportFailure(context, "„" + path + "“: " + e.what());
        return kExitRefused;
    }

    const fs::path outDir = pathFromUtf8(options.outDir);
    std::error_code ec;
    fs::create_directories(outDir, ec);
    if (ec || !fs::is_directory(outDir)) {
        reportFailure(context, "nelze vytvořit složku „" + options.outDir + "“: " +
                                   (ec ? czechReason(ec.default_error_condition().value())
                                       : std::string("je to soubor, ne složka")));
        return kExitRefused;
    }
    const auto failure = saveGraphPictures(options.outDir, enlarged);
    if (failure) {
        reportFailure(context, "nelze zapsat „" + failure->path + "“: " + failure->reason);
        return kExitRefused;
    }
    const StudentTexts student{options.firstName, options.surname, options.date, options.group};
    const std::string page = reportPage(student, route.grid(), result, conclusionLines(limitConclusion(conclusion)));
    if (auto error = saveReport(utf8FromPath(outDir / "Protokol.html"), page)) {
        reportFailure(context, *error);
        return kExitRefused;
    }
    return copyLogo(context, outDir);
}

}  // namespace

void addReportCommands(CLI::App& root, CommandContext& context) {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* report = root.add_subcommand(
        "report", "Write a route's measurement report (Protokol.html and its pictures) into a folder.");
    report->add_option("ROUTE.trasa", options->routePath, "route file to draw and report")->required();
    report->add_option("--out", options->outDir, "folder to write into; created when missing")->required();
    report->add_option("--jmeno", options->firstName, "the student's first name");
    report->add_option("--prijmeni", options->surname, "the student's surname");
    report->add_option("--datum", options->date, "the date of the measurement");
    report->add_option("--skupina", options->group, "the study group");
    report->add_option("--zaver", options->conclusionPath,
                       "text file with the conclusion (UTF-8); its first five lines are used");
    report->footer(
        "Example:\n"
        "  lumor-cli report novak.trasa --out protokoly/novak --jmeno Jan --prijmeni Novák \\\n"
        "      --datum 12.3.2024 --skupina 3 --zaver novak-zaver.txt\n\n"
        "Writes what the program writes when the route is drawn and the report command is\n"
        "pressed with these student data and this conclusion: att.bmp, cd.bmp and pmd.bmp\n"
        "(the enlarged graphs, 632 x 434), Protokol.html, and a copy of the logo ORV.gif from\n"
        "the Protokol folder beside lumor-cli. A value left out is written as \"neuvedeno\".\n"
        "The conclusion is kept as the program's conclusion box keeps it: the first five\n"
        "lines, at most 550 characters; a file that is not UTF-8 is read as windows-1250.\n"
        "Needs no display (on Linux Qt's offscreen platform unless QT_QPA_PLATFORM is set).\n\n"
        "Exit status: 0 written, 1 the route is unreadable, not complete (\"Trasa není\n"
        "úplná\") or fails to evaluate, or a file cannot be written; 2 usage error.");
    report->callback(
        [&context, options] { context.action = [&context, options] { return runReport(context, *options); }; });
}

}  // namespace lumor::cli
