#include "library/library_csv.h"

#include "library/component_library.h"
#include "route/component_types.h"
#include "route/record_list.h"
#include "text/cp1250.h"
#include "text/errors.h"
#include "text/numbers.h"
#include "text/slot_image.h"

#include <charconv>

namespace lumor {

namespace {

constexpr char kSeparator = ';';
constexpr char kQuote = '"';
/// Fields of a row: the type and the ten slots.
constexpr std::size_t kFieldCount = 1 + LibraryEntry::kSlotCount;

std::string lineText(int line) { return "řádek " + std::to_string(line); }

constexpr char kEscape = '\\';

bool needsQuotes(std::string_view field) { return field.find_first_of(";\"\r\n") != std::string_view::npos; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

/// The field with every control character written as "\xHH" and every backslash doubled.
std::string escapedField(std::string_view field) {
    static const char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto c = static_cast<unsigned char>(field[i]);
        unsigned control = 0x100;  // none
        if (c < 0x20 || c == 0x7F) {
            control = c;
        } else if (c == 0xC2 && i + 1 < field.size() && static_cast<unsigned char>(field[i + 1]) <= 0x9F &&
                   static_cast<unsigned char>(field[i + 1]) >= 0x80) {
            control = static_cast<unsigned char>(field[++i]);  // U+0080 to U+009F, two bytes in UTF-8
        }
        if (control != 0x100) {
            out += kEscape;
            out += 'x';
            out += kHex[control >> 4];
            out += kHex[control & 0xF];
        } else {
            if (c == static_cast<unsigned char>(kEscape)) out += kEscape;
            out += field[i];
        }
    }
    return out;
}

/// The text an exported field stands for: "\\" is a backslash, "\xHH" the character U+00HH;
/// any other backslash stands for itself, as in a path typed into a spreadsheet.
std::string unescapedField(std::string field) {
    if (field.find(kEscape) == std::string::npos) return field;
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != kEscape || i + 1 >= field.size()) {
            out += field[i];
        } else if (field[i + 1] == kEscape) {
            out += kEscape;
            ++i;
        } else if (field[i + 1] == 'x' && i + 3 < field.size() && hexValue(field[i + 2]) >= 0 &&
                   hexValue(field[i + 3]) >= 0) {
            appendUtf8(out, static_cast<char32_t>(hexValue(field[i + 2]) * 16 + hexValue(field[i + 3])));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

void appendField(std::string& out, std::string_view text) {
    const std::string field = escapedField(text);
    if (!needsQuotes(field)) {
        out.append(field);
        return;
    }
    out.push_back(kQuote);
    for (char c : field) {
        if (c == kQuote) out.push_back(kQuote);
        out.push_back(c);
    }
    out.push_back(kQuote);
}

void appendRow(std::string& out, const std::vector<std::string>& fields) { out += csvLine(fields); }

std::string typeField(std::int32_t code) {
    if (const auto type = typeOfCode(code)) return typeName(*type);
    return integerText(code);
}

void appendEntryRow(std::string& out, const LibraryEntry& entry) {
    std::vector<std::string> fields;
    fields.reserve(kFieldCount);
    fields.push_back(typeField(typeCode(entry)));
    for (LibrarySlot s : kLibrarySlots) fields.push_back(SlotText(entry, s));
    appendRow(out, fields);
}

/// One row as read: its fields, how many it has, and the line it starts on.
struct CsvRow {
    int line = 0;
    std::vector<std::string> fields;  ///< the first kFieldCount of them
    std::size_t count = 0;            ///< all of them
    bool quotedAny = false;
};

/// Splits the text into rows, RFC 4180 style with ";" between fields. Quoted fields may
/// hold separators, doubled quotes and line breaks; a quote inside an unquoted field is an
/// ordinary character. A row keeps no more fields than a library row has, so that a row of
/// millions of separators takes no more memory than its text.
class CsvReader {
public:
    explicit CsvReader(std::string_view text) : text_(text) {
        if (text_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
    }

    bool atEnd() const { return pos_ >= text_.size(); }

    CsvRow next() {
        CsvRow row;
        row.line = line_;
        std::string field;
        for (;;) {
            field.clear();
            bool atRowEnd = false;
            if (pos_ < text_.size() && text_[pos_] == kQuote) {
                row.quotedAny = true;
                readQuoted(field);
                if (pos_ < text_.size() && text_[pos_] != kSeparator && !atLineEnd()) {
                    throw LibraryCsvError(line_, "za uzavírací uvozovkou pole " + std::to_string(row.count + 1) +
                                                     " smí následovat jen středník nebo konec řádku");
                }
            } else {
                const std::size_t start = pos_;
                while (pos_ < text_.size() && text_[pos_] != kSeparator && !atLineEnd()) ++pos_;
                if (row.count < kFieldCount) field.assign(text_.substr(start, pos_ - start));
            }
            if (++row.count <= kFieldCount) row.fields.push_back(std::move(field));
            if (pos_ >= text_.size()) {
                atRowEnd = true;
            } else if (text_[pos_] == kSeparator) {
                ++pos_;
            } else {
                skipLineEnd();
                atRowEnd = true;
            }
            if (atRowEnd) return row;
        }
    }

private:
    /// True at "\n" or at "\r\n".
    bool atLineEnd() const {
        if (text_[pos_] == '\n') return true;
        return text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n';
    }
    void skipLineEnd() {
        if (text_[pos_] == '\r') ++pos_;
        ++pos_;
        ++line_;
    }
    void readQuoted(std::string& field) {
        const int openedOn = line_;
        ++pos_;  // the opening quote
        for (;;) {
            if (pos_ >= text_.size()) {
                throw LibraryCsvError(openedOn, "uvozovky otevřené na tomto řádku nejsou nikde uzavřeny");
            }
            const char c = text_[pos_++];
            if (c == kQuote) {
                if (pos_ < text_.size() && text_[pos_] == kQuote) {
                    field.push_back(kQuote);
                    ++pos_;
                    continue;
                }
                return;
            }
            if (c == '\n') ++line_;
            field.push_back(c);
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

bool isEmptyLine(const CsvRow& row) { return row.count == 1 && row.fields[0].empty() && !row.quotedAny; }

std::string fieldName(std::size_t index) {
    return "pole " + std::to_string(index + 1) + " („" + libraryCsvHeader()[index] + "“)";
}

/// The type code a type field names: a type name, or a whole number for codes the type
/// selector does not have.
std::int32_t typeCodeOf(const CsvRow& row) {
    const std::string& text = row.fields[0];
    if (const auto type = typeNamed(text)) return codeOf(*type);
    std::int32_t code = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    const auto res = std::from_chars(first, last, code);
    if (!text.empty() && res.ec == std::errc() && res.ptr == last) return code;
    throw LibraryCsvError(row.line, "neznámý typ „" + text +
                                        "“; typ má být Zdroj, Vlákno, Detektor, Konektor, "
                                        "Zesilovač nebo celé číslo (kód typu)");
}

/// Fields 3 to 10 (wavelength to sensitivity) hold numbers.
bool isNumberField(std::size_t index) { return index >= 2 && index <= 9; }

void checkSlotField(const CsvRow& row, std::size_t index, const std::string& text) {
    if (!isUtf8(text)) {
        throw LibraryCsvError(row.line, fieldName(index) + " není platný text v UTF-8");
    }
    if (!fitsCp1250(text)) {
        throw LibraryCsvError(row.line, fieldName(index) + " obsahuje znak, který kódová stránka 1250 nemá");
    }
    const std::size_t length = utf8Length(text);
    if (length > kMaxSlotText) {
        throw LibraryCsvError(row.line,
                              fieldName(index) + " má " + std::to_string(length) + " znaků, nejvýš smí mít 255");
    }
    if (!isNumberField(index) || text.empty() || text == "-") return;
    try {
        SlotNumber(text);
    } catch (const ConversionError&) {
        throw LibraryCsvError(row.line, fieldName(index) + " „" + text +
                                            "“ není číslo; čísla se píší s desetinnou čárkou (např. 0,35), "
                                            "„-“ značí hodnotu, která se nepoužije");
    }
}

}  // namespace

LibraryCsvError::LibraryCsvError(int line, const std::string& reason)
    : LumorError(lineText(line) + ": " + reason), line_(line), reason_(reason) {}

const std::vector<std::string>& libraryCsvHeader() {
    // The library grid's row captions, rows 1 to 11.
    static const std::vector<std::string> header(libraryRowCaptions().begin(), libraryRowCaptions().end());
    return header;
}

std::string libraryCsvText(const std::vector<LibraryEntry>& entries) {
    std::string out;
    appendRow(out, libraryCsvHeader());
    for (const auto& entry : entries) appendEntryRow(out, entry);
    return out;
}

std::string libraryCsvText(const ComponentLibrary& library) {
    std::string out;
    appendRow(out, libraryCsvHeader());
    for (int k = 1; k <= library.count(); ++k) appendEntryRow(out, library.at(k));
    return out;
}

std::vector<LibraryEntry> parseLibraryCsv(std::string_view text) {
    CsvReader reader(text);
    bool headerSeen = false;
    std::vector<LibraryEntry> entries;
    while (!reader.atEnd()) {
        CsvRow row = reader.next();
        if (isEmptyLine(row)) continue;
        if (!headerSeen) {
            if (row.count != kFieldCount || row.fields != libraryCsvHeader()) {
                std::string expected;
                appendRow(expected, libraryCsvHeader());
                expected.pop_back();
                throw LibraryCsvError(row.line, "první řádek má být záhlaví „" + expected + "“");
            }
            headerSeen = true;
            continue;
        }
        if (row.count != kFieldCount) {
            throw LibraryCsvError(
                row.line, "počet polí je " + std::to_string(row.count) + ", má být 11 (pole odděluje středník)");
        }
        if (entries.size() >= static_cast<std::size_t>(kMaxRecords)) {
            throw LibraryCsvError(row.line, "knihovna pojme nejvýš 999 komponent");
        }
        const std::int32_t code = typeCodeOf(row);
        LibraryEntry entry;
        setTypeCode(entry, code);
        for (std::size_t i = 1; i < kFieldCount; ++i) {
            const std::string text = unescapedField(std::move(row.fields[i]));
            checkSlotField(row, i, text);
            SetSlotText(entry, kLibrarySlots[i - 1], text);
        }
        entries.push_back(entry);
    }
    if (!headerSeen) throw LibraryCsvError(1, "soubor je prázdný, chybí i záhlaví");
    return entries;
}

std::string libraryFileBytes(const std::vector<LibraryEntry>& entries) {
    std::string bytes;
    bytes.reserve(entries.size() * LibraryEntry::kImageSize);
    for (const auto& entry : entries) {
        bytes.append(reinterpret_cast<const char*>(entry.image.data()), LibraryEntry::kImageSize);
    }
    return bytes;
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) out.push_back(kSeparator);
        appendField(out, fields[i]);
    }
    out.push_back('\n');
    return out;
}

}  // namespace lumor
