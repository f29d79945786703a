#include "assignment/assignment.h"

#include "text/numbers.h"
#include "text/read_file.h"
#include "text/text_decoding.h"

#include <array>
#include <cctype>
#include <cmath>
#include <variant>

// toml++ header-only: only what the parse needs (no printing of TOML, no wide strings).
#define TOML_ENABLE_FORMATTERS 0
#define TOML_ENABLE_WINDOWS_COMPAT 0
#include <toml++/toml.h>

namespace lumor {

namespace {

/// The largest assignment file read (1 MB): a task text of any sensible length fits.
constexpr std::size_t kAssignmentFileCap = 1024 * 1024;

/// Why a file is refused, with the line it concerns.
struct Refusal {
    std::string text;
};

[[noreturn]] void refuse(const toml::source_region& where, const std::string& text) {
    throw Refusal{"řádek " + std::to_string(where.begin.line) + ": " + text};
}

std::string quoted(std::string_view key) { return "„" + printableText(key) + "“"; }

/// What a value is, in the words of the messages ("musí být číslo, ne text").
std::string kindOf(const toml::node& node) {
    switch (node.type()) {
        case toml::node_type::string: return "text";
        case toml::node_type::integer: return "celé číslo";
        case toml::node_type::floating_point: return "desetinné číslo";
        case toml::node_type::boolean: return "pravdivostní hodnota";
        case toml::node_type::array: return "seznam";
        case toml::node_type::table: return "oddíl";
        default: return "datum nebo čas";
    }
}

/// A limit in km, dB or Gbit/s: a whole or decimal number, finite and not negative.
double limitNumber(const toml::key& key, const toml::node& node) {
    double value = 0;
    if (const auto* whole = node.as_integer()) {
        value = static_cast<double>(whole->get());
    } else if (const auto* decimal = node.as_floating_point()) {
        value = decimal->get();
    } else {
        refuse(key.source(), quoted(key.str()) + " musí být číslo, ne " + kindOf(node));
    }
    if (!std::isfinite(value)) refuse(key.source(), quoted(key.str()) + " musí být konečné číslo");
    if (value < 0) refuse(key.source(), quoted(key.str()) + " nesmí být záporné (je " + NumberText(value) + ")");
    return value;
}

/// A largest count of components: a whole number from `lowest` to the 999 components a route holds.
long long limitCount(const toml::key& key, const toml::node& node, long long lowest) {
    const auto* whole = node.as_integer();
    if (whole == nullptr) refuse(key.source(), quoted(key.str()) + " musí být celé číslo, ne " + kindOf(node));
    const long long value = whole->get();
    if (value < lowest || value > 999) {
        refuse(key.source(), quoted(key.str()) + " musí být celé číslo od " + std::to_string(lowest) + " do 999 (je " +
                                 std::to_string(value) + ")");
    }
    return value;
}

std::string textValue(const toml::key& key, const toml::node& node) {
    const auto* value = node.as_string();
    if (value == nullptr) refuse(key.source(), quoted(key.str()) + " musí být text v uvozovkách, ne " + kindOf(node));
    return value->get();
}

constexpr const char* kRequirementKeys =
    "delka_min_km, delka_max_km, rezerva_min_db, rychlost_min_gbit_s, zesilovacu_max, komponent_max";

void readRequirements(const toml::key& sectionKey, const toml::node& section, Assignment& a) {
    const auto* table = section.as_table();
    if (table == nullptr) {
        refuse(sectionKey.source(), quoted(sectionKey.str()) + " musí být oddíl [pozadavky], ne " + kindOf(section));
    }
    std::optional<toml::source_region> minLengthAt;
    std::optional<toml::source_region> maxLengthAt;
    for (const auto& [key, node] : *table) {
        const std::string_view name = key.str();
        if (name == "delka_min_km") {
            a.minFibreLength = limitNumber(key, node);
            minLengthAt = key.source();
        } else if (name == "delka_max_km") {
            a.maxFibreLength = limitNumber(key, node);
            maxLengthAt = key.source();
        } else if (name == "rezerva_min_db") {
            a.minMargin = limitNumber(key, node);
        } else if (name == "rychlost_min_gbit_s") {
            a.minBitRate = limitNumber(key, node);
        } else if (name == "zesilovacu_max") {
            a.maxAmplifiers = limitCount(key, node, 0);
        } else if (name == "komponent_max") {
            // A complete route has a source and a detector.
            a.maxComponents = limitCount(key, node, 2);
        } else {
            refuse(key.source(), "neznámý požadavek " + quoted(name) + "; oddíl [pozadavky] zná " + kRequirementKeys);
        }
    }
    if (a.minFibreLength && a.maxFibreLength && *a.maxFibreLength < *a.minFibreLength) {
        refuse(*maxLengthAt, "„delka_max_km“ (" + NumberText(*a.maxFibreLength) + ") je menší než „delka_min_km“ (" +
                                 NumberText(*a.minFibreLength) + ") z řádku " +
                                 std::to_string(minLengthAt->begin.line));
    }
}

/// toml++'s reason for text that is no TOML, in Czech, with a hint for the likeliest slip.
std::string syntaxReason(std::string_view text, const toml::parse_error& e) {
    const std::string_view what = e.description();
    const auto says = [&](std::string_view part) { return what.find(part) != std::string_view::npos; };
    // The line of the error: a decimal comma there is the usual cause.
    std::string_view line = text;
    for (auto n = e.source().begin.line; n > 1 && !line.empty(); --n) {
        const auto end = line.find('\n');
        line = end == std::string_view::npos ? std::string_view() : line.substr(end + 1);
    }
    line = line.substr(0, line.find('\n'));
    bool decimalComma = false;
    for (std::size_t i = 1; i + 1 < line.size(); ++i) {
        decimalComma = decimalComma || (line[i] == ',' && std::isdigit(static_cast<unsigned char>(line[i - 1])) &&
                                        std::isdigit(static_cast<unsigned char>(line[i + 1])));
    }
    std::string reason = "zápis není platný TOML";
    if (decimalComma) {
        reason = "čísla se v zadání píší s desetinnou tečkou (2.5), ne s čárkou";
    } else if (says("redefine")) {
        reason = "klíč nebo oddíl je v souboru podruhé";
    } else if (says("expected value")) {
        reason = "chybí hodnota za „=“";
    } else if (says("could not determine value type")) {
        reason = "hodnota není číslo, a je-li to text, chybí mu uvozovky";
    } else if (says("could not be interpreted")) {
        reason = "číslo nelze přečíst";
    }
    return "řádek " + std::to_string(e.source().begin.line) + ", sloupec " + std::to_string(e.source().begin.column) +
           ": " + reason;
}

}  // namespace

ParsedAssignment parseAssignment(std::string_view text) {
    ParsedAssignment parsed;
    try {
        const toml::table document = toml::parse(text);
        Assignment a;
        for (const auto& [key, node] : document) {
            const std::string_view name = key.str();
            if (name == "nazev") {
                a.title = textValue(key, node);
            } else if (name == "popis") {
                a.description = textValue(key, node);
            } else if (name == "pozadavky") {
                readRequirements(key, node, a);
            } else {
                refuse(key.source(), "neznámý klíč " + quoted(name) + "; zadání zná nazev, popis a oddíl [pozadavky]");
            }
        }
        parsed.assignment = std::move(a);
    } catch (const toml::parse_error& e) {
        parsed.problem = syntaxReason(text, e);
    } catch (const Refusal& r) {
        parsed.problem = r.text;
    }
    return parsed;
}

AssignmentFile readAssignmentFile(const std::string& path) {
    AssignmentFile file;
    const auto bytes = readBoundedFile(path, kAssignmentFileCap);
    if (const auto* failure = std::get_if<ReadFailure>(&bytes)) {
        file.problem = failure->reason;
        return file;
    }
    const DecodedText decoded = decodeText(std::get<std::string>(bytes));
    if (!decoded.problem.empty()) {
        file.problem = decoded.problem;
        return file;
    }
    file.encoding = decoded.encoding;
    ParsedAssignment parsed = parseAssignment(decoded.text);
    file.assignment = std::move(parsed.assignment);
    file.problem = std::move(parsed.problem);
    return file;
}

}  // namespace lumor
