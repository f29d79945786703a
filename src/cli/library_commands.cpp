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
/// of them. What it leaves out is said on the error stream; the export still succeeds.
int runExport(CommandContext& context, const ExportOptions& options) {
    const LoadedLibrary loaded = loadLibraryFile(options.kompPath);
    if (!loaded.list) {
        reportFailure(context, "„" + options.kompPath + "“: " + loaded.failure);
        return kExitRefused;
    }
    for (const auto& w : loaded.warnings) reportFailure(context, "varování: „" + options.kompPath + "“: " + w);
    return writeOutput(context, libraryCsvText(*loaded.list));
}

}  // namespace

void addLibraryCommands(CLI::App& root, CommandContext& context) {
    CLI::App* library = root.add_subcommand("library", "Convert component library files (*.komp) to and from CSV.");
    library->require_subcommand(1);
    library->footer(
        "Examples:\n  lumor-cli library export Komponenty/stdkmp.komp > stdkmp.csv\n"
        "  lumor-cli library import stdkmp.csv Komponenty/stdkmp.komp\n\n"
        "The CSV is UTF-8 (UTF-16 with a byte order mark and windows-1250 are read too) with\n"
        "';' between fields and a header row; see "
        "'lumor-cli library import --help'.");

    auto importOptions = std::make_shared<ImportOptions>();
    CLI::App* importCommand = library->add_subcommand("import", "Build a library file (*.komp) from a CSV file.");
    importCommand->add_option("FILE.csv", importOptions->csvPath, "CSV file to read (UTF-8, at most 16 MB)")
        ->required();
    importCommand
        ->add_option("OUT.komp", importOptions->kompPath, "library file to write; an existing file is replaced")
        ->required();
    importCommand->footer(
        "Example:\n  lumor-cli library import stdkmp.csv Komponenty/stdkmp.komp\n\n"
        "The CSV is checked whole first: a refused row is reported with its line number,\n"
        "and then no library file is written.\n\n"
        "An existing OUT.komp that is not a regular file (a device, a pipe) is refused.\n\n"
        "CSV format: UTF-8 (a file saved as UTF-16 with its byte order mark, or one that is\n"
        "not UTF-8 and so read as windows-1250, is read with a warning); at most 16 MB;\n"
        "first row the header\n"
        "  typ;označení;vlnová délka [nm];útlum [dB];zisk [dB];rms spek. zdroje [nm];"
        "PMD [ps/(km^0,5)];CD [ps/(km.nm)];měrný útlum [dB/km];citlivost [dB];poznámka\n"
        "then one row of 11 fields per component. The type is Zdroj, Vlákno, Detektor,\n"
        "Konektor or Zesilovač (or a whole number, the raw type code). Numbers use the\n"
        "decimal comma; '-' marks a value that does not apply. A field holding ';', '\"'\n"
        "or a line break is quoted with '\"', quotes inside doubled. A field holds at most\n"
        "255 characters, all of them from code page 1250; at most 999 rows.");
    importCommand->callback([&context, importOptions] {
        context.action = [&context, importOptions] { return runImport(context, *importOptions); };
    });

    auto exportOptions = std::make_shared<ExportOptions>();
    CLI::App* exportCommand =
        library->add_subcommand("export", "Write a library file's entries as CSV to standard output.");
    exportCommand->add_option("FILE.komp", exportOptions->kompPath, "library file to read")->required();
    exportCommand->footer(
        "Example:\n  lumor-cli library export Komponenty/stdkmp.komp > stdkmp.csv\n\n"
        "The output is the CSV that 'lumor-cli library import' reads. Like the program, the\n"
        "export takes the file's whole 2564-byte entries, at most 999; anything left out is\n"
        "reported on standard error.");
    exportCommand->callback([&context, exportOptions] {
        context.action = [&context, exportOptions] { return runExport(context, *exportOptions); };
    });
}

}  // namespace lumor::cli
