#pragma once
#include "library/library_entry.h"
#include "text/errors.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumor {

class ComponentLibrary;

// The library as a readable CSV text, for editing a catalogue in a text editor or a
// spreadsheet and turning it back into a library file.
//
// - UTF-8, one row per entry, lines ending in LF (CR LF is read too; a UTF-8 byte order mark
//   at the start is skipped).
// - The first row is the header: the library grid's row captions "typ" … "poznámka".
// - Eleven fields a row, separated by ";" because numbers carry the decimal comma: the type,
//   then the slots Label, Wavelength, Attenuation, Gain, SourceRms, Pmd, Cd,
//   SpecificAttenuation, Sensitivity, Note. A field that holds ";" or a double quote is
//   written in double quotes with every quote inside doubled (the reader also takes quoted
//   line breaks, as older exports and spreadsheets write them).
// - No field holds a control character, so that an export is safe to print on a terminal:
//   every character U+0000 to U+001F, U+007F and U+0080 to U+009F (the five bytes code page
//   1250 leaves undefined) is written as "\x" and two lowercase hex digits of its code ("\x1b"
//   for ESC, "\x00" for NUL, "\x0a" for a line break), and a backslash as "\\". The reader
//   turns "\xHH" (hex digits of either case) into the character U+00HH and "\\" into one
//   backslash; any other backslash stands for itself. So every text a slot can hold survives
//   export and import byte for byte.
// - The type is its name ("Zdroj" … "Zesilovač"). A type code outside 0 to 4 is written as
//   the whole number itself, and a whole number in the type column is read back as that
//   code, so that such an entry survives a round trip unchanged.
// - Slot texts are written as they are; "-" marks a slot that does not apply. The slots
//   Wavelength to Sensitivity hold numbers with the decimal comma: the reader refuses any
//   other text there but "-" and an empty field, naming line and field.
// - A completely empty line is skipped.

/// A CSV text refused by the reader; nothing of it was taken.
class LibraryCsvError : public LumorError {
public:
    LibraryCsvError(int line, const std::string& reason);
    /// The line (counted from 1) on which the refused row starts.
    int line() const { return line_; }
    /// What is wrong, without the line number.
    const std::string& reason() const { return reason_; }

private:
    int line_;
    std::string reason_;
};

/// The header row's fields, the library grid's row captions: "typ" to "poznámka".
const std::vector<std::string>& libraryCsvHeader();

/// The CSV text of the entries, header first, one row each, in order.
std::string libraryCsvText(const std::vector<LibraryEntry>& entries);
/// The CSV text of the library's entries 1 to n.
std::string libraryCsvText(const ComponentLibrary& library);

/// Reads a whole CSV text into entries (at most 999). Throws LibraryCsvError naming the line
/// of the first bad row: a missing or different header, a wrong number of fields, an unknown
/// type, an unterminated quote, text that is not UTF-8 or that code page 1250 cannot hold,
/// a field longer than 255 characters, a number field that holds no number, or more than 999
/// rows. The bytes after each slot's text are zero. Takes memory of about the text's size.
std::vector<LibraryEntry> parseLibraryCsv(std::string_view text);

/// The library file image of the entries: their 2564-byte images one after another.
std::string libraryFileBytes(const std::vector<LibraryEntry>& entries);

/// One CSV row as the library's CSV writes it: fields separated by ";", ended by LF; control
/// characters and backslashes escaped, then a field holding ";" or a double quote quoted
/// with every quote inside doubled.
std::string csvLine(const std::vector<std::string>& fields);

}  // namespace lumor
