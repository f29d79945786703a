#include "cli/cli_command.h"
#include "cli/list_file.h"
#include "library/library_csv.h"
#include "text/file_io.h"
#include "text/read_file.h"
#include "text/text_decoding.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <ostream>

namespace lumor::cli {

namespace {

struct ImportOptions {
    std::string csvPath;
    std::string kompPath;
};

struct ExportOptions {
    std::string kompPath;
};

/// The largest CSV file read: 999 rows of 11 fields of 255 characters, quoted, fit easily.
constexpr std::size_t kCsvFileCap = 16 * 1024 * 1024;

/// Reads the CSV whole, refuses it on the first bad row, and only then writes the library
/// file, replacing an old one only by a complete new one.
int runImport(CommandContext& context, const ImportOptions& options) {
    auto input = readBoundedFile(options.csvPath, kCsvFileCap);
    if (auto* failure = std::get_if<ReadFailure>(&input)) {
        reportFailure(context, "nelze načíst „" + options.csvPath + "“: " + failure->reason + "; soubor „" +
                                   options.kompPath + "“ nebyl zapsán");
        return kExitRefused;
    }
    const DecodedText text = decodeText(std::get<std::string>(input));
    if (!text.problem.empty()) {
        reportFailure(context, "soubor „" + options.csvPath + "“ odmítnut, " + text.problem + "; soubor „" +
                                   options.kompPath + "“ nebyl zapsán");
        return kExitRefused;
    }
    if (!text.encoding.empty()) {
        reportFailure(context,
                      "varování: „" + options.csvPath + "“ není v kódování UTF-8, čte se jako " + text.encoding);
    }
    std::vector<LibraryEntry> entries;
    try {
        entries = parseLibraryCsv(text.text);
    } catch (const LibraryCsvError& e) {
        reportFailure(context, "soubor „" + options.csvPath + "“ odmítnut, " + e.what() + "; soubor „" +
                                   options.kompPath + "“ nebyl zapsán");
        return kExitRefused;
    }
    if (auto error = writeFileAtomically(options.kompPath, libraryFileBytes(entries))) {
        reportFailure(context, "nelze zapsat „" + options.kompPath + "“: " + *error);
        return kExitRefused;
    }
    return kExitSuccess;
}

/// Writes the entries that the program loads from the file: the whole entries, at most 999
/// of them. What it leaves out is said on the error stream; leaving out entries beyond the
/// 999th fails the export.
int runExport(CommandContext& context, const ExportOptions& options) {
    const LoadedLibrary loaded = loadLibraryFile(options.kompPath);
    if (!loaded.list) {
        reportFailure(context, "„" + options.kompPath + "“: " + loaded.failure);
        return kExitRefused;
    }
    for (const auto& w : loaded.warnings) reportFailure(context, "varování: „" + options.kompPath + "“: " + w);
    const int written = writeOutput(context, libraryCsvText(*loaded.list));
    if (loaded.truncated) {
        reportFailure(context, "„" + options.kompPath + "“ má více než 999 položek; export obsahuje jen prvních 999");
        return kExitRefused;
    }
    return written;
}

}  // namespace

void addLibraryCommands(CLI::App& root, CommandContext& context) {
    CLI::App* library = root.add_subcommand("library", "Převádí seznamy komponent (*.komp) do formátu CSV a zpět.");
    library->require_subcommand(1);
    library->footer(
        "Příklady:\n  lumor-cli library export Komponenty/stdkmp.komp > stdkmp.csv\n"
        "  lumor-cli library import stdkmp.csv Komponenty/stdkmp.komp\n\n"
        "CSV je v UTF-8 (čte se i UTF-16 se značkou pořadí bajtů a windows-1250), pole odděluje\n"
        "';', první řádek je záhlaví; podrobnosti: lumor-cli library import --help.");

    auto importOptions = std::make_shared<ImportOptions>();
    CLI::App* importCommand = library->add_subcommand("import", "Vytvoří seznam komponent (*.komp) ze souboru CSV.");
    importCommand->add_option("FILE.csv", importOptions->csvPath, "soubor CSV ke čtení (UTF-8, nejvýš 16 MB)")
        ->required();
    importCommand
        ->add_option("OUT.komp", importOptions->kompPath, "seznam komponent k zápisu; existující soubor nahradí")
        ->required();
    importCommand->footer(
        "Příklad:\n  lumor-cli library import stdkmp.csv Komponenty/stdkmp.komp\n\n"
        "Celé CSV se nejprve zkontroluje: odmítnutý řádek se ohlásí i s číslem a seznam\n"
        "komponent se pak nezapíše.\n\n"
        "Existující OUT.komp, který není obyčejným souborem (zařízení, roura), se odmítne.\n\n"
        "Formát CSV: UTF-8 (soubor v UTF-16 se značkou pořadí bajtů nebo soubor, který není\n"
        "v UTF-8 a čte se proto jako windows-1250, se načte s varováním); nejvýš 16 MB;\n"
        "první řádek je záhlaví\n"
        "  typ;označení;vlnová délka [nm];útlum [dB];zisk [dB];rms spek. zdroje [nm];"
        "PMD [ps/(km^0,5)];CD [ps/(km.nm)];měrný útlum [dB/km];citlivost [dB];poznámka\n"
        "a za ním jeden řádek o 11 polích na komponentu. Typ je Zdroj, Vlákno, Detektor,\n"
        "Konektor nebo Zesilovač (nebo celé číslo, přímo kód typu). Sloupce od vlnové délky\n"
        "po citlivost nesou čísla s desetinnou čárkou; '-' (nebo prázdné pole) značí hodnotu,\n"
        "která se nepoužije, jiný text se odmítne. Pole obsahující ';', '\"' nebo konec řádku\n"
        "je v uvozovkách '\"', uvozovky uvnitř zdvojené. \\xHH (dvě šestnáctkové číslice) je\n"
        "znak s kódem HH, tak export zapisuje řídicí znaky (\\x1b, \\x0a pro konec řádku);\n"
        "\\\\ je zpětné lomítko, jiné zpětné lomítko platí, jak stojí. Pole má nejvýš 255\n"
        "znaků, všechny z kódové stránky 1250; nejvýš 999 řádků.");
    importCommand->callback([&context, importOptions] {
        context.action = [&context, importOptions] { return runImport(context, *importOptions); };
    });

    auto exportOptions = std::make_shared<ExportOptions>();
    CLI::App* exportCommand =
        library->add_subcommand("export", "Vypíše položky seznamu komponent jako CSV na standardní výstup.");
    exportCommand->add_option("FILE.komp", exportOptions->kompPath, "seznam komponent ke čtení")->required();
    exportCommand->footer(
        "Příklad:\n  lumor-cli library export Komponenty/stdkmp.komp > stdkmp.csv\n\n"
        "Výstup je CSV, které čte lumor-cli library import, bez řídicích znaků (viz\n"
        "lumor-cli library import --help). Stejně jako program bere export celé položky souboru\n"
        "po 2564 bajtech, nejvýš 999; co vynechá, ohlásí na standardní chybový výstup, a má-li\n"
        "soubor víc než 999 položek, skončí s návratovým kódem 1.");
    exportCommand->callback([&context, exportOptions] {
        context.action = [&context, exportOptions] { return runExport(context, *exportOptions); };
    });
}

}  // namespace lumor::cli
