// Bad input of every kind, one row each: broken and oversize files, texts the slots and the
// code page cannot hold, texts read as numbers, routes that cannot be evaluated as they are,
// full lists, save targets that cannot be written, markup typed into the report. Each row
// names what the user is told, and every row also checks that the files saved before it are
// byte for byte as they were.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifndef _WIN32
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#endif

#include "eval/graph_drawing.h"
#include "eval/route_evaluation.h"
#include "failing_saves.h"
#include "io/read_file.h"
#include "io/save_calls.h"
#include "io/write_file.h"
#include "library/component_library.h"
#include "library/library_csv.h"
#include "recording_canvas.h"
#include "report/report_writer.h"
#include "route/component_types.h"
#include "route/route_list.h"
#include "route/route_rules.h"
#include "test_files.h"
#include "test_messages.h"
#include "test_routes.h"
#include "text/errors.h"
#include "text/numbers.h"
#include "text/text_decoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace lumor;
namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

/// Bytes that no rule produced: a fixed seed, so every run sees the same ones.
std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(gen() & 0xFF);
    return bytes;
}

using Slots = std::array<std::string, 11>;
const Slots kSource = {"Zdroj", "LD", "1550", "-", "3", "2", "-", "-", "-", "-", ""};
const Slots kDetector = {"Detektor", "PIN", "1550", "-", "-", "-", "-", "-", "-", "-30", ""};
Slots fibre(const std::string& length, const std::string& attenuation = "2,5", const std::string& cd = "17",
            const std::string& pmd = "0,1") {
    return {"Vlákno", "SMF", "1550", attenuation, "-", "-", pmd, cd, length, "-", ""};
}

std::unique_ptr<LibraryEntry> libraryEntry(const std::string& label, std::int32_t code) {
    auto e = std::make_unique<LibraryEntry>();
    setSlotText(*e, LibrarySlot::Label, label);
    for (LibrarySlot s : kLibrarySlots) {
        if (s != LibrarySlot::Label) setSlotText(*e, s, "-");
    }
    setTypeCode(*e, code);
    return e;
}

/// A folder with a route, a library and a report saved before the row runs, and the lists
/// in the state they were saved in.
struct Sandbox {
    fs::path dir;
    RecordingMessages messages;
    RouteList route{messages};
    ComponentLibrary library{messages};
    fs::path routeFile, libraryFile, reportFile;
    std::string routeBytes, libraryBytes, reportBytes;

    Sandbox() {
        dir = fs::temp_directory_path() / ("lumor_bad_input_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        route.appendComponent(makeRecord(kSource));
        route.appendComponent(makeRecord(fibre("10")));
        route.appendComponent(makeRecord(kDetector));
        library.append(libraryEntry("SMF", 1));
        library.append(libraryEntry("FC", 3));
        routeFile = dir / "saved.trasa";
        libraryFile = dir / "saved.komp";
        reportFile = dir / "Protokol.html";
        EXPECT_TRUE(route.save(routeFile.string()));
        EXPECT_TRUE(library.saveLibrary(libraryFile.string()));
        EXPECT_FALSE(writeReportPage(reportFile.string(), page()).has_value());
        routeBytes = readBytes(routeFile);
        libraryBytes = readBytes(libraryFile);
        reportBytes = readBytes(reportFile);
        messages.shown.clear();
    }
    ~Sandbox() {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }
    std::string page(const StudentTexts& student = {"Jan", "Novák", "1. 3.", "2B"}) const {
        return reportPage(student, route, RouteResult{}, {"Závěr."});
    }
    std::string file(const std::string& name) const { return (dir / name).string(); }
    /// What the user was told, in order, joined by " | "; "" when nothing.
    std::string told() const {
        std::string out;
        for (const auto& m : messages.shown) out += (out.empty() ? "" : " | ") + m;
        return out;
    }
};

/// One row: what it does (returning what it observed, in the words the user sees) and the
/// text expected.
struct Row {
    std::string name;
    std::function<std::string(Sandbox&)> run;
    std::string expected;
    bool needsNonRoot = false;  ///< relies on permissions, which root ignores
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

/// The text of the error the step throws, or "no error".
std::string errorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

std::string conversion(const std::string& text) {
    return errorOf([&] { slotNumber(text); });
}

/// Evaluates and draws a complete route of the given interior fibres; on success says how
/// the drawing went, otherwise gives the error's text.
std::string drawRoute(Sandbox& s, const std::vector<Slots>& fibres) {
    RouteList route(s.messages);
    route.appendComponent(makeRecord(kSource));
    for (const auto& f : fibres) route.appendComponent(makeRecord(f));
    route.appendComponent(makeRecord(kDetector));
    RecordingCanvas att(kSmallAttenuationWidth, kSmallGraphHeight);
    RecordingCanvas cd(kSmallDispersionWidth, kSmallGraphHeight);
    RecordingCanvas pmd(kSmallDispersionWidth, kSmallGraphHeight);
    RecordingCanvas big(kEnlargedGraphWidth, kEnlargedGraphHeight);
    RouteResult result;
    std::string error = errorOf([&] {
        renderRoutePictures(route, {{&att, &cd, &pmd}, {}}, result);
        renderEnlargedGraph(route, GraphKind::Pmd, big);
    });
    if (error != "no error") return error;
    bool inside = true;
    for (const auto* c : {&att, &cd, &pmd, &big}) {
        for (const CanvasOp& op : c->ops) {
            for (int v : {op.x1, op.y1, op.x2, op.y2}) inside = inside && std::abs(v) <= kPixelLimit;
        }
    }
    const bool finite =
        std::isfinite(result.endAttenuation) && std::isfinite(result.endCd) && std::isfinite(result.endPmd);
    return std::string("drawn") + (inside ? ", within the pixel limit" : ", OUTSIDE the pixel limit") +
           (finite ? ", finite end values" : ", NON-FINITE end values");
}

/// What a load did: loaded or refused, the records then held, whether they are the file's whole
/// records (loaded) or the list's own (refused), and what the user was told, the file named "in".
template <class List>
std::string loadList(Sandbox& s, List& list, const std::string& name, const std::string& bytes) {
    const std::string path = s.file(name);
    writeBytes(path, bytes);
    const std::string before = list.imageBytes();
    const bool ok = list.load(path);
    const std::size_t size = List::kFileReadLimit / (kMaxRecords + 1);
    const std::size_t whole = std::min<std::size_t>(bytes.size() / size, kMaxRecords);
    const bool same = list.imageBytes() == (ok ? bytes.substr(0, whole * size) : before);
    std::string told = s.told();
    for (std::size_t at; (at = told.find(path)) != std::string::npos;) told.replace(at, path.size(), "in");
    return std::string(ok ? "loaded " : "refused ") + std::to_string(list.count()) +
           (same ? (ok ? " byte for byte" : " unchanged") : " CHANGED") + (told.empty() ? "" : " | " + told);
}

std::string loadRoute(Sandbox& s, const std::string& bytes) { return loadList(s, s.route, "in.trasa", bytes); }
std::string loadLibrary(Sandbox& s, const std::string& bytes) { return loadList(s, s.library, "in.komp", bytes); }

/// A load's answer, the record count after it and what the user was told.
std::string loadAnswer(Sandbox& s, bool loaded, int count) {
    return std::string(loaded ? "loaded " : "refused ") + std::to_string(count) + " | " + s.told();
}

const std::string kTooMany =
    "warning||Soubor obsahuje více než 999 komponent. Načteno bylo prvních 999, zbytek nebyl načten.";

/// A file standing where a folder should be: "plain/x" cannot be created.
std::string fileAsFolder(Sandbox& s, const std::string& name) {
    writeBytes(s.dir / "plain", "not a folder");
    return s.file("plain/" + name);
}

#ifndef _WIN32
/// System calls that plant a symbolic link to `victim` at the temporary name the save is
/// about to create, then create it for real.
SaveCalls plantingLinkTo(const fs::path& victim) {
    SaveCalls calls = systemSaveCalls();
    calls.open = [victim, real = calls.open, planted = false](const char* path, int flags, mode_t mode) mutable {
        if ((flags & O_CREAT) != 0 && !planted) {
            fs::create_symlink(victim, path);
            planted = true;
        }
        return real(path, flags, mode);
    };
    return calls;
}
#endif

/// Changes the route and the library from what the sandbox saved, so that a failed save
/// that wrote anything at all shows in the saved files.
void changeLists(Sandbox& s) {
    s.route.appendComponent(makeRecord(fibre("5")));
    s.library.append(libraryEntry("SC", 3));
    s.messages.shown.clear();
}

/// The names in the sandbox folder that are temporary files of a save.
std::string temporaryFilesLeft(const Sandbox& s) {
    std::string out;
    for (const auto& e : fs::directory_iterator(s.dir)) {
        const std::string name = e.path().filename().string();
        if (name.ends_with(".lumor-tmp") && !fs::is_symlink(e.symlink_status())) out += " " + name;
    }
    return out.empty() ? "no temporary file" : "LEFT" + out;
}

std::string routeSave(Sandbox& s, const std::string& path) {
    const bool ok = s.route.save(path);
    return std::string(ok ? "saved" : "not saved") + " | " + s.told();
}

std::string librarySave(Sandbox& s, const std::string& path) {
    const bool ok = s.library.saveLibrary(path);
    return std::string(ok ? "saved" : "not saved") + " | " + s.told();
}

std::string reportSave(Sandbox& s, const std::string& path) {
    const auto error = writeReportPage(path, s.page({"Eva", "Nová", "", ""}));
    return error ? *error : "saved";
}

std::string saveFailure(const std::string& path, const std::string& reason) {
    return "not saved | warning||Soubor „" + path + "“ se nepodařilo uložit: " + reason + ".";
}

/// Path texts as the rows expect them; the sandbox folder differs per process.
std::string sandboxFile(const std::string& name) {
    return (fs::temp_directory_path() / ("lumor_bad_input_" + std::to_string(::getpid())) / name).string();
}

/// A refused open as the rows see it: the answer, then the warning naming the file and why.
std::string openFailure(const std::string& answer, const std::string& path, const std::string& reason,
                        const std::string& unchanged) {
    return answer + " | warning||Soubor „" + path + "“ nelze otevřít: " + reason + ". " + unchanged;
}

/// What a read gives: its byte count, or why it failed.
std::string readAnswer(const std::variant<std::string, ReadFailure>& content) {
    if (const auto* failure = std::get_if<ReadFailure>(&content)) return failure->reason;
    return std::to_string(std::get<std::string>(content).size()) + " bytes";
}

/// How the text decoder reads the bytes: encoding ("" for UTF-8) and text, or its problem.
std::string decoded(const std::string& bytes) {
    const DecodedText d = decodeText(bytes);
    return d.problem.empty() ? "[" + d.encoding + "] " + d.text : d.problem;
}

/// A report folder "out" holding an old set of the five files, then a new set written into it
/// under `calls`: what the writer said, and whether the folder holds the old set or the new one.
std::string reportSet(Sandbox& s, SaveCalls calls) {
    const std::vector<std::string> names = {"att.bmp", "cd.bmp", "pmd.bmp", "Protokol.html", "ORV.gif"};
    fs::create_directories(s.dir / "out");
    std::vector<NamedFile> files;
    for (const auto& n : names) {
        writeBytes(s.dir / "out" / n, "old " + n);
        files.push_back({n, "new " + n});
    }
    ScopedSaveCalls scoped(std::move(calls));
    const auto failure = writeFileSet(s.file("out"), files);
    std::string set;
    for (const auto& n : names) set += readBytes(s.dir / "out" / n).substr(0, 3) + " ";
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(s.dir / "out")) ++entries;
    return (failure ? fs::path(failure->path).filename().string() + ": " + failure->reason : "written") + " | " + set +
           "| " + std::to_string(entries) + " files";
}

#ifndef _WIN32
/// System calls under which renaming anything onto the name `name` fails with EIO.
SaveCalls renameOntoFailing(const std::string& name) {
    SaveCalls calls = systemSaveCalls();
    calls.rename = [name, real = calls.rename](const char* from, const char* to) {
        if (fs::path(to).filename() == name) {
            errno = EIO;
            return -1;
        }
        return real(from, to);
    };
    return calls;
}

#endif
std::vector<Row> rows() {
    std::vector<Row> r;
    const std::size_t R = ComponentRecord::kImageSize;
    const std::size_t L = LibraryEntry::kImageSize;

    // Route and library files.
    r.push_back({"EmptyRouteFile", [](Sandbox& s) { return loadRoute(s, ""); }, "loaded 0 byte for byte"});
    r.push_back({"TruncatedRouteFile", [=](Sandbox& s) { return loadRoute(s, s.routeBytes.substr(0, 2 * R + 100)); },
                 "loaded 2 byte for byte | warning||Soubor „in“ je poškozený: jeho posledních 100 bajtů netvoří "
                 "celou komponentu (2816 bajtů), a proto nebyly načteny."});
    // A route of one true component, then random records.
    const auto randomRoute = [=](Sandbox& s, std::size_t size, unsigned seed) {
        return s.routeBytes.substr(0, R) + randomBytes(size - R, seed);
    };
    r.push_back({"RouteFileOf1000Records", [=](Sandbox& s) { return loadRoute(s, randomRoute(s, 1000 * R, 1)); },
                 "loaded 999 byte for byte | " + kTooMany});
    r.push_back({"RouteFileOf999RecordsAndATail",
                 [=](Sandbox& s) { return loadRoute(s, randomRoute(s, 999 * R + 7, 2)); },
                 "loaded 999 byte for byte | warning||Soubor „in“ je poškozený: jeho posledních 7 bajtů netvoří "
                 "celou komponentu (2816 bajtů), a proto nebyly načteny."});
    r.push_back({"RandomRouteFile", [=](Sandbox& s) { return loadRoute(s, randomRoute(s, 5 * R + 11, 3)); },
                 "loaded 5 byte for byte | warning||Soubor „in“ je poškozený: jeho posledních 11 bajtů netvoří "
                 "celou komponentu (2816 bajtů), a proto nebyly načteny."});
    r.push_back({"RouteFileOfNoKnownType", [=](Sandbox& s) { return loadRoute(s, randomBytes(5 * R + 11, 3)); },
                 "refused 3 unchanged | warning||Soubor „in“ není optická trasa: žádný jeho záznam nemá známý typ "
                 "komponenty (Zdroj, Vlákno, Detektor, Konektor, Zesilovač). Trasa zůstala beze změny."});
    r.push_back({"RouteFileShorterThanOneRecord", [=](Sandbox& s) { return loadRoute(s, randomBytes(106, 6)); },
                 "refused 3 unchanged | warning||Soubor „in“ není optická trasa: má jen 106 bajtů, je kratší než "
                 "jedna komponenta (2816 bajtů). Trasa zůstala beze změny."});
    r.push_back(
        {"MissingRouteFile",
         [](Sandbox& s) {
             const bool ok = s.route.load(s.file("none.trasa"));
             return loadAnswer(s, ok, s.route.count());
         },
         openFailure("refused 3", sandboxFile("none.trasa"), "soubor neexistuje", "Trasa zůstala beze změny.")});
    r.push_back({"FolderAsRouteFile",
                 [](Sandbox& s) {
                     const bool ok = s.route.load(s.dir.string());
                     return loadAnswer(s, ok, s.route.count());
                 },
                 openFailure("refused 3", fs::path(sandboxFile("x")).parent_path().string(), "je to složka, ne soubor",
                             "Trasa zůstala beze změny.")});
    r.push_back({"EmptyLibraryFile", [](Sandbox& s) { return loadLibrary(s, ""); }, "loaded 0 byte for byte"});
    r.push_back({"TruncatedLibraryFile", [=](Sandbox& s) { return loadLibrary(s, s.libraryBytes.substr(0, L + 2563)); },
                 "loaded 1 byte for byte | warning||Soubor „in“ je poškozený: jeho posledních 2563 bajtů netvoří "
                 "celou položku (2564 bajtů), a proto nebyly načteny."});
    r.push_back(
        {"LibraryFileOf1000Entries",
         [=](Sandbox& s) { return loadLibrary(s, s.libraryBytes + randomBytes(1000 * L - s.libraryBytes.size(), 4)); },
         "loaded 999 byte for byte | " + kTooMany});
    r.push_back({"LibraryFileOfNoKnownType", [=](Sandbox& s) { return loadLibrary(s, randomBytes(4 * L + 1, 5)); },
                 "refused 2 unchanged | warning||Soubor „in“ není seznam komponent: žádná jeho položka nemá známý "
                 "typ komponenty. Seznam komponent zůstal beze změny."});
    r.push_back({"TextAsLibraryFile", [=](Sandbox& s) { return loadLibrary(s, std::string(3000, 'x')); },
                 "refused 2 unchanged | warning||Soubor „in“ není seznam komponent: žádná jeho položka nemá známý "
                 "typ komponenty. Seznam komponent zůstal beze změny."});
    r.push_back({"MissingLibraryFile",
                 [](Sandbox& s) {
                     const bool ok = s.library.loadLibrary(s.file("none.komp"));
                     return loadAnswer(s, ok, s.library.count());
                 },
                 openFailure("refused 2", sandboxFile("none.komp"), "soubor neexistuje",
                             "Seznam komponent zůstal beze změny.")});

    // Texts the slots cannot hold.
    r.push_back({"TextOver255CharactersIsCutAndSurvivesTheFile",
                 [](Sandbox& s) {
                     Slots slots = kDetector;
                     slots[static_cast<std::size_t>(ComponentSlot::Note)] =
                         std::string(200, 'a') + std::string(100, 'b');
                     s.route.appendComponent(makeRecord(slots));
                     s.route.save(s.file("long.trasa"));
                     s.route.load(s.file("long.trasa"));
                     const std::string note = slotText(s.route.at(4), ComponentSlot::Note);
                     return std::to_string(note.size()) + " characters, " +
                            (note == std::string(200, 'a') + std::string(55, 'b') ? "the first ones" : "OTHERS");
                 },
                 "255 characters, the first ones"});
    r.push_back({"CharactersCodePage1250LacksBecomeQuestionMarks",
                 [](Sandbox& s) {
                     Slots slots = kDetector;
                     slots[static_cast<std::size_t>(ComponentSlot::Label)] = "日本 ő € 😀";
                     s.route.appendComponent(makeRecord(slots));
                     return s.route.cell(4, gridRow(ComponentSlot::Label));
                 },
                 "?? ő € ?"});
    r.push_back({"CharactersCodePage1250LacksReachTheReportAsReferences",
                 [](Sandbox& s) {
                     const std::string page = s.page({"日", "Nová", "", ""});
                     return page.find("&#26085; Nov\xE1") != std::string::npos ? "referenced" : "LOST";
                 },
                 "referenced"});

    r.push_back({"BytesCodePage1250LeavesUndefinedReachTheReportAsReferences",
                 [](Sandbox& s) {
                     std::string bytes = s.routeBytes;
                     bytes[256 + 1] = static_cast<char>(0x81);  // the source's label "LD" as 0x81 "D"
                     writeBytes(s.dir / "odd.trasa", bytes);
                     s.route.load(s.file("odd.trasa"));
                     const std::string page = s.page();
                     const bool raw = page.find('\x81') != std::string::npos;
                     return std::string(raw ? "raw byte 0x81" : "no raw byte") +
                            (page.find("<b>Zdroj: </b>&#129;D,") != std::string::npos ? ", referenced" : ", LOST");
                 },
                 "no raw byte, referenced"});

    // A misspelled type is evaluated as a passive component, as ever, and named when the route is opened.
    r.push_back({"MisspelledTypesAreNamed",
                 [](Sandbox& s) {
                     for (const char* type : {"Vlakno", "zdroj", "", "Konektor ", "X", "Y", "Z"})
                         s.route.appendComponent(makeRecord({type, "", "", "", "", "", "", "", "", "", ""}));
                     return unknownTypeWarning(s.route).value_or("NOTHING");
                 },
                 "Komponenty ve sloupcích 4 („Vlakno“), 5 („zdroj“), 6 („“), 7 („Konektor “), 8 („X“) a 2 další mají "
                 "neznámý typ (typ má být Zdroj, Vlákno, Detektor, Konektor nebo Zesilovač). Výpočet u nich bere jen "
                 "útlum, bez délky vlákna a disperze."});

    // Routes that cannot be evaluated as they stand.
    r.push_back({"FibreOfLengthZero", [](Sandbox& s) { return drawRoute(s, {fibre("0", "0")}); },
                 "drawn, within the pixel limit, finite end values"});
    r.push_back({"FibreOfNegativeLength", [](Sandbox& s) { return drawRoute(s, {fibre("-5")}); },
                 "Vlákno na pozici 2 má zápornou délku (-5). Graf nelze vykreslit."});
    r.push_back({"FibreOf1e300Km", [](Sandbox& s) { return drawRoute(s, {fibre("1e300")}); },
                 "drawn, within the pixel limit, finite end values"});
    r.push_back({"FibresWhoseLengthsAddUpBeyondDouble",
                 [](Sandbox& s) {
                     return drawRoute(s, {fibre("1e308"), fibre("1e308")});
                 },
                 "Hodnoty trasy jsou u komponenty na pozici 3 příliš velké, výsledek přesahuje rozsah "
                 "čísel. Graf nelze vykreslit."});
    r.push_back({"FibreWhoseDispersionExceedsDouble",
                 [](Sandbox& s) { return drawRoute(s, {fibre("1e300", "1", "1e300")}); },
                 "Hodnoty trasy jsou u komponenty na pozici 2 příliš velké, výsledek přesahuje rozsah "
                 "čísel. Graf nelze vykreslit."});
    r.push_back({"FibreLengthThatIsNoNumber", [](Sandbox& s) { return drawRoute(s, {fibre("-")}); },
                 "Ve sloupci 2 (Vlákno „SMF“) není v řádku „délka vlákna [km]“ číslo, ale „-“."});

    // Full lists.
    r.push_back({"RouteOf999TakesNoMore",
                 [](Sandbox& s) {
                     RouteList full(s.messages);
                     for (int k = 0; k < kMaxRecords; ++k) full.appendComponent(makeRecord(kSource));
                     s.messages.shown.clear();
                     const bool added = full.appendComponent(makeRecord(kDetector));
                     return std::string(added ? "added " : "refused ") + std::to_string(full.count()) + " | " +
                            s.told();
                 },
                 "refused 999 | warning||Trasa už obsahuje 999 komponent, což je nejvíc, kolik jich může mít. "
                 "Další komponentu nelze přidat."});
    r.push_back({"LibraryOf999TakesNoMore",
                 [](Sandbox& s) {
                     ComponentLibrary full(s.messages);
                     for (int k = 0; k < kMaxRecords; ++k) full.append(libraryEntry("x", 0));
                     s.messages.shown.clear();
                     const bool added = full.append(libraryEntry("y", 0));
                     return std::string(added ? "added " : "refused ") + std::to_string(full.count()) + " | " +
                            s.told();
                 },
                 "refused 999 | warning||Seznam komponent už obsahuje 999 položek, což je nejvíc, kolik jich "
                 "může mít. Další komponentu nelze přidat."});

    // Save targets that cannot be written.
    r.push_back({"RouteSaveIntoMissingFolder", [](Sandbox& s) { return routeSave(s, s.file("none/r.trasa")); },
                 saveFailure(sandboxFile("none/r.trasa"), "složka neexistuje")});
    r.push_back({"RouteSaveBelowAFile", [](Sandbox& s) { return routeSave(s, fileAsFolder(s, "r.trasa")); },
                 saveFailure(sandboxFile("plain/r.trasa"), "cesta nevede do složky")});
    r.push_back({"RouteSaveOntoAFolder", [](Sandbox& s) { return routeSave(s, s.dir.string()); },
                 saveFailure(sandboxFile("").substr(0, sandboxFile("").size() - 1), "pod tímto jménem je složka")});
    r.push_back({"RouteSaveOverTheSavedFileFails",
                 [](Sandbox& s) {
                     changeLists(s);
                     ScopedSaveCalls fullDisk(writeFailing(ENOSPC));
                     return routeSave(s, s.routeFile.string()) + " | " + temporaryFilesLeft(s);
                 },
                 saveFailure(sandboxFile("saved.trasa"), "na disku není místo") + " | no temporary file"});
    r.push_back(
        {"RouteSaveWhoseSyncFails",
         [](Sandbox& s) {
             changeLists(s);
             ScopedSaveCalls failingDisk(syncFailing(EIO));
             return routeSave(s, s.routeFile.string()) + " | " + temporaryFilesLeft(s);
         },
         saveFailure(sandboxFile("saved.trasa"), "disk ohlásil chybu čtení nebo zápisu") + " | no temporary file"});
#ifndef _WIN32  // symbolic links: MinGW's std::filesystem makes none (write_file_win32_tests.cpp)
    // Links planted where a save puts its temporary file point at the saved library: were
    // they followed, the library would change.
    r.push_back({"RouteSaveWithALinkAtTheOldFixedTemporaryName",
                 [](Sandbox& s) {
                     fs::create_symlink(s.libraryFile, s.file("saved.trasa.lumor-tmp"));
                     const std::string said = routeSave(s, s.routeFile.string());
                     return said + (fs::is_symlink(s.file("saved.trasa.lumor-tmp")) ? ", the link is there" : ", GONE");
                 },
                 "saved | information|Informace|Uloženo, the link is there"});
    r.push_back({"RouteSaveWithALinkPlantedAtTheTemporaryNameBeingCreated",
                 [](Sandbox& s) {
                     ScopedSaveCalls planting(plantingLinkTo(s.libraryFile));
                     return routeSave(s, s.routeFile.string()) + " | " + temporaryFilesLeft(s);
                 },
                 "saved | information|Informace|Uloženo | no temporary file"});
#endif
    r.push_back({"RouteSaveIntoReadOnlyFolder",
                 [](Sandbox& s) {
                     fs::create_directories(s.dir / "ro");
                     fs::permissions(s.dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
                     return routeSave(s, s.file("ro/r.trasa"));
                 },
                 saveFailure(sandboxFile("ro/r.trasa"), "přístup odepřen"), true});
    r.push_back({"LibrarySaveIntoMissingFolder", [](Sandbox& s) { return librarySave(s, s.file("none/l.komp")); },
                 saveFailure(sandboxFile("none/l.komp"), "složka neexistuje")});
    r.push_back({"LibrarySaveBelowAFile", [](Sandbox& s) { return librarySave(s, fileAsFolder(s, "l.komp")); },
                 saveFailure(sandboxFile("plain/l.komp"), "cesta nevede do složky")});
    r.push_back({"LibrarySaveOverTheSavedFileFails",
                 [](Sandbox& s) {
                     changeLists(s);
                     ScopedSaveCalls fullDisk(writeFailing(ENOSPC));
                     return librarySave(s, s.libraryFile.string()) + " | " + temporaryFilesLeft(s);
                 },
                 saveFailure(sandboxFile("saved.komp"), "na disku není místo") + " | no temporary file"});
#ifndef _WIN32
    r.push_back({"LibrarySaveWithALinkPlantedAtTheTemporaryNameBeingCreated",
                 [](Sandbox& s) {
                     ScopedSaveCalls planting(plantingLinkTo(s.routeFile));
                     return librarySave(s, s.libraryFile.string()) + " | " + temporaryFilesLeft(s);
                 },
                 "saved | information|Informace|Uloženo | no temporary file"});
#endif
#ifndef _WIN32
    // One writer per folder: a save meeting another writer's lock waits about ten seconds (the
    // waits counted here, not slept), then gives up. The next removes what dead saves left, not
    // what only looks alike.
    r.push_back(
        {"RouteSaveWhileAnotherWriterHoldsTheFolderThenAfterDeadSaves",
         [](Sandbox& s) {
             const int fd = ::open(s.file(kFolderLockName).c_str(), O_RDONLY | O_CREAT, 0600);
             ::flock(fd, LOCK_EX);
             unsigned long waited = 0;
             SaveCalls calls = systemSaveCalls();
             calls.sleep = [&waited](unsigned long ms) { waited += ms; };
             ScopedSaveCalls counted(calls);
             changeLists(s);
             std::string said = routeSave(s, s.routeFile.string()) + " | waited ";
             ::close(fd);
             writeBytes(s.dir / ".saved.trasa.0123456789ab.lumor-tmp", "a dead save's");
             fs::create_symlink(s.libraryFile, s.dir / ".saved.komp.0123456789ab.lumor-tmp");
             for (const char* mine : {"a.lumor-tmp", ".saved.trasa.0123456789AB.lumor-tmp", ".x.lumor-tmp"})
                 writeBytes(s.dir / mine, "the user's");
             s.messages.shown.clear();
             said += std::to_string(waited) + " | then " + routeSave(s, s.file("o.trasa")) + " | left:";
             std::set<std::string> names;
             for (const auto& e : fs::directory_iterator(s.dir)) names.insert(e.path().filename().string());
             for (const auto& name : names) said += name.find("lumor-") != std::string::npos ? " " + name : "";
             return said;
         },
         saveFailure(sandboxFile("saved.trasa"),
                     "do složky právě zapisuje jiný spuštěný Lumor nebo lumor-cli a ani po 10 s zápis "
                     "nedokončil; zkuste to prosím znovu") +
             " | waited 9950 | then saved | information|Informace|Uloženo | left: "
             ".saved.komp.0123456789ab.lumor-tmp .saved.trasa.0123456789AB.lumor-tmp .x.lumor-tmp a.lumor-tmp"});
#endif
    r.push_back({"ReportSaveIntoMissingFolder", [](Sandbox& s) { return reportSave(s, s.file("none/Protokol.html")); },
                 "Protokol nelze uložit do souboru „" + sandboxFile("none/Protokol.html") + "“: složka neexistuje."});
    r.push_back(
        {"ReportSaveBelowAFile", [](Sandbox& s) { return reportSave(s, fileAsFolder(s, "Protokol.html")); },
         "Protokol nelze uložit do souboru „" + sandboxFile("plain/Protokol.html") + "“: cesta nevede do složky."});
    r.push_back({"ReportSaveOverTheSavedFileFails",
                 [](Sandbox& s) {
                     ScopedSaveCalls fullDisk(writeFailing(ENOSPC));
                     return reportSave(s, s.reportFile.string()) + " | " + temporaryFilesLeft(s);
                 },
                 "Protokol nelze uložit do souboru „" + sandboxFile("Protokol.html") +
                     "“: na disku není místo. | no temporary file"});
#ifndef _WIN32
    // The report is a file the program names itself: a link planted at its name is replaced,
    // the file it led to stays as it was.
    r.push_back({"ReportSaveOntoALinkReplacesTheLinkNotItsTarget",
                 [](Sandbox& s) {
                     fs::create_directories(s.dir / "elsewhere");
                     writeBytes(s.dir / "elsewhere" / "Protokol.html", "old page");
                     fs::create_symlink("elsewhere/Protokol.html", s.dir / "link.html");
                     const std::string said = reportSave(s, s.file("link.html"));
                     const bool written = readBytes(s.dir / "link.html") == s.page({"Eva", "Nová", "", ""});
                     return said + (written ? ", page written" : ", page NOT written") +
                            (readBytes(s.dir / "elsewhere" / "Protokol.html") == "old page" ? ", target untouched"
                                                                                            : ", target CHANGED") +
                            (fs::is_symlink(s.dir / "link.html") ? ", link KEPT" : ", link replaced");
                 },
                 "saved, page written, target untouched, link replaced"});
#endif
    r.push_back({"ReportSaveIntoReadOnlyFolder",
                 [](Sandbox& s) {
                     fs::create_directories(s.dir / "ro");
                     fs::permissions(s.dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
                     return reportSave(s, s.file("ro/Protokol.html"));
                 },
                 "Protokol nelze uložit do souboru „" + sandboxFile("ro/Protokol.html") + "“: přístup odepřen.", true});

    // Markup typed into the report.
    r.push_back({"MarkupInEveryStudentFieldIsEscaped",
                 [](Sandbox& s) {
                     const std::string page = s.page({"<b>Jan", "&amp;", "<i>1. 3.</i>", "\"2B\""});
                     const bool raw = page.find("<b>Jan") != std::string::npos ||
                                      page.find("<i>1. 3.") != std::string::npos ||
                                      page.find("\"2B\"") != std::string::npos;
                     const bool escaped = page.find("&lt;b&gt;Jan &amp;amp;") != std::string::npos &&
                                          page.find("&lt;i&gt;1. 3.&lt;/i&gt;") != std::string::npos &&
                                          page.find("&quot;2B&quot;") != std::string::npos;
                     return std::string(raw ? "raw markup" : "no raw markup") + (escaped ? ", escaped" : ", LOST");
                 },
                 "no raw markup, escaped"});

    // Hostile folders and files.
#ifndef _WIN32
    r.push_back(
        {"ReportSetThroughLinksPlantedAtItsNames",
         [](Sandbox& s) {
             fs::create_directories(s.dir / "out");
             fs::create_symlink(s.routeFile, s.dir / "out" / "att.bmp");
             fs::create_symlink(s.reportFile, s.dir / "out" / "Protokol.html");
             const auto failure = writeFileSet(s.file("out"), {{"att.bmp", "picture"}, {"Protokol.html", "page"}});
             return std::string(failure ? failure->reason : "written") + ", " +
                    (fs::is_symlink(s.dir / "out" / "att.bmp") ? "link KEPT" : "links replaced") + ", " +
                    readBytes(s.dir / "out" / "att.bmp") + ", " + readBytes(s.dir / "out" / "Protokol.html");
         },
         "written, links replaced, picture, page"});
    r.push_back({"ReportSetWhoseThirdRenameFailsPutsTheOldSetBack",
                 [](Sandbox& s) { return reportSet(s, renameOntoFailing("pmd.bmp")); },
                 "pmd.bmp: disk ohlásil chybu čtení nebo zápisu | old old old old old | 5 files"});
#endif
    r.push_back({"ReportSetWhoseSecondFileCannotBeWrittenChangesNothing",
                 [](Sandbox& s) { return reportSet(s, writeFailing(ENOSPC)); },
                 "cd.bmp: na disku není místo | old old old old old | 5 files"});
    r.push_back({"ReportSetWritten", [](Sandbox& s) { return reportSet(s, systemSaveCalls()); },
                 "written | new new new new new | 5 files"});
#ifndef _WIN32
    r.push_back({"ReportSetRefusesAFifoAtOneOfItsNames",
                 [](Sandbox& s) {
                     fs::create_directories(s.dir / "out");
                     ::mkfifo(s.file("out/pmd.bmp").c_str(), 0600);
                     const auto failure = writeFileSet(s.file("out"), {{"att.bmp", "new"}, {"pmd.bmp", "new"}});
                     return (failure ? failure->reason : "written") +
                            (fs::is_fifo(s.file("out/pmd.bmp")) ? ", FIFO kept" : ", FIFO REPLACED") +
                            (fs::exists(s.file("out/att.bmp")) ? ", att.bmp WRITTEN" : "");
                 },
                 "pod tímto jménem je pojmenovaná roura (FIFO), ne obyčejný soubor, FIFO kept"});
    r.push_back({"RouteSaveOntoADevice", [](Sandbox& s) { return routeSave(s, "/dev/null"); },
                 saveFailure("/dev/null", "pod tímto jménem je zařízení, ne obyčejný soubor")});
    r.push_back({"LibrarySaveOntoAFifo",
                 [](Sandbox& s) {
                     ::mkfifo(s.file("fifo.komp").c_str(), 0600);
                     return librarySave(s, s.file("fifo.komp")) + (fs::is_fifo(s.file("fifo.komp")) ? "" : " REPLACED");
                 },
                 saveFailure(sandboxFile("fifo.komp"),
                             "pod tímto jménem je pojmenovaná roura (FIFO), ne obyčejný "
                             "soubor")});
    r.push_back(
        {"StandardLibraryThatIsAFifoDoesNotBlock",
         [](Sandbox& s) {
             ::mkfifo(s.file("stdkmp.komp").c_str(), 0600);
             const bool ok = s.library.loadLibrary(s.file("stdkmp.komp"));
             return loadAnswer(s, ok, s.library.count());
         },
         openFailure("refused 2", sandboxFile("stdkmp.komp"), "je to pojmenovaná roura (FIFO), ne obyčejný soubor",
                     "Seznam komponent zůstal beze změny.")});
    r.push_back({"ReadOfADevice", [](Sandbox&) { return readAnswer(readBoundedFile("/dev/zero", 1 << 20)); },
                 "je to zařízení, ne obyčejný soubor"});
#endif
#if !defined(_WIN32) && !defined(__SANITIZE_ADDRESS__)
    // The largest CSV lumor-cli reads, one row of 16 MB of separators, is refused in memory of
    // a small multiple of its size: its peak measured in a process of its own.
    r.push_back({"CsvOf16MegabytesOfSeparatorsIsRefusedInLittleMemory",
                 [](Sandbox&) {
                     const pid_t child = ::fork();
                     if (child == 0) {
                         const std::string said =
                             errorOf([] { parseLibraryCsv(csvLine(libraryCsvHeader()) + std::string(16 << 20, ';')); });
                         ::_exit(said.find("počet polí je 16777217,") != std::string::npos ? 0 : 1);
                     }
                     int status = 0;
                     struct rusage usage {};
                     ::wait4(child, &status, 0, &usage);
                     return "exit " + std::to_string(WEXITSTATUS(status)) +
                            (usage.ru_maxrss < 200 * 1024 ? ", under 200 MB" : ", OVER 200 MB");
                 },
                 "exit 0, under 200 MB"});
#endif
    r.push_back({"ReadOverItsCap",
                 [](Sandbox& s) {
                     writeBytes(s.dir / "big.txt", std::string((1 << 20) + 1, 'a'));
                     return readAnswer(readBoundedFile(s.file("big.txt"), 1 << 20)) + " | " +
                            readAnswer(readBoundedFile(s.file("big.txt"), (1 << 20) + 1));
                 },
                 "soubor je příliš velký, nejvýš 1 MB | 1048577 bytes"});
#ifndef _WIN32
    r.push_back({"ReadOfADanglingLinkAndALoop",
                 [](Sandbox& s) {
                     fs::create_symlink("gone.trasa", s.dir / "dangling.trasa");
                     fs::create_symlink("loop.trasa", s.dir / "loop.trasa");
                     return readAnswer(readFileBytes(s.file("dangling.trasa"))) + " | " +
                            readAnswer(readFileBytes(s.file("loop.trasa")));
                 },
                 "je to symbolický odkaz na „gone.trasa“, který neexistuje | symbolické odkazy v cestě tvoří smyčku"});
#endif

    // Values beyond what rounding to hundredths can divide, and raw bytes in texts.
    r.push_back({"EndValueNear1E308IsReportedAsANumber",
                 [](Sandbox& s) {
                     RouteResult result;
                     result.endAttenuation = -1e308;
                     const std::string page = reportPage({}, s.route, result, {});
                     return numberText(roundHundredths(1.7e308)) + " | " +
                            (page.find("red\">-1E308</font> dB") != std::string::npos ? "-1E308 dB" : "NOT -1E308");
                 },
                 "1,7E308 | -1E308 dB"});
    r.push_back({"ControlCharactersNeverReachThePage",
                 [](Sandbox& s) {
                     const std::string page = s.page({std::string("J\0a\x1B[2Jn", 8), "No\tvák", "", ""});
                     const bool raw = std::any_of(page.begin(), page.end(), [](char c) {
                         return (static_cast<unsigned char>(c) < 0x20 && c != '\r' && c != '\n') || c == 0x7F;
                     });
                     const auto at = page.find("J&#65533;a&#65533;[2Jn No v\xE1k");
                     return std::string(raw ? "raw controls" : "no raw controls") +
                            (at != std::string::npos ? ", shown" : ", LOST");
                 },
                 "no raw controls, shown"});
    r.push_back({"NumberWithANulByteIsToldWhole",
                 [](Sandbox&) {
                     return conversion(
                         std::string("1\0"
                                     "2",
                                     3));
                 },
                 "'1\\x002' is not a valid floating point value"});
    r.push_back({"PrintableTextEscapesControlsAndBadBytes",
                 [](Sandbox&) { return printableText("a\x1B[31m\xFFč\xC2\x9B"); }, "a\\x1b[31m\uFFFDč\\u009b"});

    // Text files in the encodings a Czech teacher meets.
    r.push_back({"TextInWindows1250", [](Sandbox&) { return decoded("\xDAtlum"); }, "[windows-1250] Útlum"});
    r.push_back({"TextInUtf16WithItsMark", [](Sandbox&) { return decoded(std::string("\xFF\xFE\xDA\0t\0", 6)); },
                 "[UTF-16LE] Út"});
    r.push_back({"TextInUtf16BigEndian", [](Sandbox&) { return decoded(std::string("\xFE\xFF\0\xDA\0t", 6)); },
                 "[UTF-16BE] Út"});
    r.push_back({"TextInUtf8WithItsMark", [](Sandbox&) { return decoded("\xEF\xBB\xBF\xC3\x9Atlum"); }, "[] Útlum"});
    r.push_back({"TextInUtf16WithoutItsMark", [](Sandbox&) { return decoded(std::string("\xDA\0t\0", 4)); },
                 "soubor obsahuje nulové bajty, není to text v kódování UTF-8, UTF-16 se značkou BOM ani "
                 "windows-1250"});
    r.push_back({"TextInUtf16CutInHalf", [](Sandbox&) { return decoded("\xFF\xFE\x3D\xD8t\0"); },
                 "soubor začíná značkou kódování UTF-16LE, ale není to platný text v tomto kódování (lichý počet "
                 "bajtů nebo neúplná dvojice)"});
    return r;
}

class BadInput : public ::testing::TestWithParam<Row> {};

TEST_P(BadInput, IsToldAndLeavesSavedFilesAlone) {
    const Row& row = GetParam();
    if (row.needsNonRoot && !folderPermissionsHold()) {
        GTEST_SKIP() << "read-only folders stop no one here (root, or Windows)";
    }
    Sandbox s;
    EXPECT_EQ(row.run(s), row.expected);
    EXPECT_EQ(readBytes(s.routeFile), s.routeBytes) << "the saved route changed";
    EXPECT_EQ(readBytes(s.libraryFile), s.libraryBytes) << "the saved library changed";
    EXPECT_EQ(readBytes(s.reportFile), s.reportBytes) << "the saved report changed";
}

INSTANTIATE_TEST_SUITE_P(Table, BadInput, ::testing::ValuesIn(rows()),
                         [](const ::testing::TestParamInfo<Row>& info) { return info.param.name; });

}  // namespace
