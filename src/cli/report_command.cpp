#include "assignment/assignment.h"
#include "cli/cli_command.h"
#include "cli/list_file.h"
#include "cli/report_inputs.h"
#include "platform/gui/executable_folder.h"
#include "platform/gui/qtext.h"
#include "report/conclusion.h"
#include "report/gui/report_files.h"
#include "report/gui/report_pdf.h"
#include "route/route_rules.h"
#include "text/file_io.h"
#include "text/read_file.h"

#include <cerrno>

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
    std::string assignmentPath;  ///< --zadani, empty for none
    bool noPdf = false;          ///< --no-pdf
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

/// The largest conclusion file read: far more than the 550 characters the report keeps.
constexpr std::size_t kConclusionFileCap = 1024 * 1024;
/// The largest logo copied.
constexpr std::size_t kLogoFileCap = 4 * 1024 * 1024;

#ifndef LUMOR_CLI_TO_PROGRAM
#define LUMOR_CLI_TO_PROGRAM ""
#endif

/// The report's logo: in "Protokol" beside the executable, where the build puts it, else in
/// the installed program folder (LUMOR_CLI_TO_PROGRAM, relative to the tool's folder, set by
/// the install rules). The first that exists, or the installed one when neither does.
fs::path logoPath() {
    const fs::path here = pathFromUtf8(executableFolder());
    const fs::path beside = here / "Protokol" / "ORV.gif";
    std::error_code ec;
    if (fs::exists(fs::symlink_status(beside, ec))) return beside;
    return (here / pathFromUtf8(LUMOR_CLI_TO_PROGRAM) / "Protokol" / "ORV.gif").lexically_normal();
}

/// Why the output folder cannot be made or used, or "" when it is there now.
std::string outFolderProblem(const fs::path& outDir) {
    std::error_code ec;
    const fs::file_status link = fs::symlink_status(outDir, ec);
    if (fs::is_symlink(link)) {
        const fs::file_status status = fs::status(outDir, ec);
        if (ec && ec.default_error_condition() == std::errc::too_many_symbolic_link_levels) return czechReason(ELOOP);
        if (!fs::exists(status)) {
            return "je to symbolický odkaz na „" + utf8FromPath(fs::read_symlink(outDir, ec)) + "“, který neexistuje";
        }
    }
    std::error_code made;  // why the folder could not be made: no permission, a read-only disk…
    fs::create_directories(outDir, made);
    const fs::file_status status = fs::status(outDir, ec);
    if (fs::is_directory(status)) return {};
    if (fs::exists(status)) return "je to " + fileKindText(status.type()) + ", ne složka";
    const std::error_code& error = made ? made : ec;
    return czechReason(error ? error.default_error_condition().value() : ENOENT);
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
    // Refused before anything else is read or said, as the program refuses it.
    if (const auto incomplete = incompleteRouteReason(route)) {
        reportFailure(context, "„" + path + "“: " + *incomplete);
        return kExitRefused;
    }

    std::string conclusion;
    if (!options.conclusionPath.empty()) {
        auto bytes = readBoundedFile(options.conclusionPath, kConclusionFileCap);
        if (auto* failure = std::get_if<ReadFailure>(&bytes)) {
            reportFailure(context, "nelze načíst „" + options.conclusionPath + "“: " + failure->reason);
            return kExitRefused;
        }
        const ConclusionText text = conclusionFromFile(std::get<std::string>(bytes));
        if (!text.problem.empty()) {
            reportFailure(context, "nelze načíst „" + options.conclusionPath + "“: " + text.problem);
            return kExitRefused;
        }
        if (!text.encoding.empty()) {
            reportFailure(context, "varování: „" + options.conclusionPath + "“ není v kódování UTF-8, čte se jako " +
                                       text.encoding);
        }
        conclusion = text.text;
    }
    std::optional<Assignment> assignment;
    if (!options.assignmentPath.empty()) {
        AssignmentFile file = readAssignmentFile(options.assignmentPath);
        if (!file.assignment) {
            reportFailure(context, "zadání „" + options.assignmentPath + "“ nelze použít: " + file.problem);
            return kExitRefused;
        }
        if (!file.encoding.empty()) {
            reportFailure(context, "varování: „" + options.assignmentPath + "“ není v kódování UTF-8, čte se jako " +
                                       file.encoding);
        }
        assignment = std::move(file.assignment);
    }
    if (options.firstName.empty() || options.surname.empty()) {
        reportFailure(context,
                      "varování: chybí jméno nebo příjmení studenta (--jmeno, --prijmeni); "
                      "v protokolu bude „neuvedeno“");
    }

    // The report of the route, made whole before anything is written: evaluated, drawn,
    // the page and the PDF, as the program's "Protokol" makes it.
    OffscreenGui gui;
    const fs::path logo = logoPath();
    auto logoBytes = readBoundedFile(utf8FromPath(logo), kLogoFileCap);
    const auto* logoFile = std::get_if<std::string>(&logoBytes);
    ReportRequest request;
    request.student = {options.firstName, options.surname, options.date, options.group};
    request.conclusion = conclusionLines(limitConclusion(conclusion));
    if (logoFile) request.logo = QImage::fromData(QByteArray::fromStdString(*logoFile));
    request.pdf = !options.noPdf;
    request.creationTime = reportPdfTime();
    request.assignment = assignment;
    ReportFiles report;
    try {
        report = reportFiles(route, request);
    } catch (const std::exception& e) {
        reportFailure(context, "„" + path + "“: " + e.what());
        return kExitRefused;
    }
    if (!report.refusal.empty()) {
        reportFailure(context, "„" + path + "“: " + report.refusal);
        return kExitRefused;
    }

    const fs::path outDir = pathFromUtf8(options.outDir);
    if (const std::string problem = outFolderProblem(outDir); !problem.empty()) {
        reportFailure(context, "nelze vytvořit složku „" + options.outDir + "“: " + problem);
        return kExitRefused;
    }
    // The logo goes with the others, unless the folder is the program's own, which has it.
    std::error_code ec;
    const bool ownFolder = fs::equivalent(logo.parent_path(), outDir, ec);
    std::string logoProblem;
    if (!ownFolder) {
        if (logoFile) {
            report.files.push_back({"ORV.gif", std::move(std::get<std::string>(logoBytes))});
        } else {
            logoProblem = std::get<ReadFailure>(logoBytes).reason;
        }
    }
    if (auto failure = writeFileSet(options.outDir, report.files)) {
        reportFailure(context, "nelze zapsat „" + failure->path + "“: " + failure->reason + "; v „" + options.outDir +
                                   "“ zůstal předchozí stav");
        return kExitRefused;
    }
    if (!logoProblem.empty()) {
        reportFailure(context, "logo „" + utf8FromPath(logo) + "“ nelze načíst (" + logoProblem +
                                   "); protokol se na ně odkazuje, ale v „" + options.outDir + "“ není");
        return kExitRefused;
    }
    return kExitSuccess;
}

}  // namespace

void addReportCommands(CLI::App& root, CommandContext& context) {
    auto options = std::make_shared<ReportOptions>();
    CLI::App* report = root.add_subcommand(
        "report", "Zapíše protokol měření trasy (Protokol.html s obrázky a Protokol.pdf) do složky.");
    report->add_option("ROUTE.trasa", options->routePath, "soubor trasy, jejíž grafy a protokol se vytvoří")
        ->required();
    report->add_option("--out", options->outDir, "složka, do níž se zapisuje; chybí-li, vytvoří se")->required();
    report->add_option("--jmeno", options->firstName, "jméno studenta");
    report->add_option("--prijmeni", options->surname, "příjmení studenta");
    report->add_option("--datum", options->date, "datum měření");
    report->add_option("--skupina", options->group, "studijní skupina");
    report->add_option("--zadani", options->assignmentPath,
                       "zadání učitele (*.zadani): PDF uvede jeho požadavky a zda je trasa splňuje");
    report->add_option("--zaver", options->conclusionPath,
                       "textový soubor se závěrem (UTF-8, UTF-16 nebo windows-1250); použije se prvních pět řádků");
    report->add_flag("--no-pdf", options->noPdf, "Protokol.pdf nezapíše");
    report->footer(
        "Příklad:\n"
        "  lumor-cli report novak.trasa --out protokoly/novak --jmeno Jan --prijmeni Novák \\\n"
        "      --datum 12.3.2024 --skupina 3 --zaver novak-zaver.txt\n\n"
        "Zapíše totéž, co program po vykreslení grafů a příkazu Protokol s těmito údaji\n"
        "studenta a tímto závěrem: att.bmp, cd.bmp a pmd.bmp (zvětšené grafy, 632 x 434),\n"
        "Protokol.html, kopii loga ORV.gif ze složky Protokol programu (vedle lumor-cli nebo\n"
        "v nainstalované složce programu) a Protokol.pdf, protokol na A4 s grafy (vektorově),\n"
        "logem a verdiktem uvnitř, jediný soubor k odevzdání (--no-pdf ho vynechá;\n"
        "SOURCE_DATE_EPOCH určí datum jeho vytvoření). Soubory se zapíší všechny, nebo\n"
        "žádný, jako nové soubory: odkaz na místě jejich jména se nahradí, nikdy se jím\n"
        "neprochází. Vynechaný údaj se zapíše jako \"neuvedeno\".\n"
        "Závěr (nejvýš 1 MB) se vezme tak, jak ho drží okno závěru programu: prvních pět\n"
        "řádků, nejvýš 550 znaků; čte se jako UTF-8, UTF-16 se značkou pořadí bajtů, jinak\n"
        "jako windows-1250.\n"
        "Nepotřebuje displej (v Linuxu platforma offscreen, není-li nastaveno QT_QPA_PLATFORM).\n\n"
        "Návratový kód: 0 zapsáno; 1 trasu nelze přečíst, není úplná (\"Trasa není úplná\")\n"
        "nebo ji nelze vyhodnotit, soubor nelze zapsat nebo chybí logo (ostatní soubory se\n"
        "pak zapíší); 2 chybný příkazový řádek.");
    report->callback(
        [&context, options] { context.action = [&context, options] { return runReport(context, *options); }; });
}

}  // namespace lumor::cli
