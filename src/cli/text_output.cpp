#include "cli/text_output.h"

#include "library/library_csv.h"
#include "text/cp1250.h"

#include <algorithm>

namespace lumor::cli {

namespace {

// A cell shown on one line: a line break or tab inside a text would break the table apart.
std::string oneLine(const std::string& text) {
    std::string out = text;
    std::replace_if(
        out.begin(), out.end(), [](char c) { return c == '\n' || c == '\r' || c == '\t'; }, ' ');
    return out;
}

}  // namespace

std::string textTable(const std::vector<std::string>& header, const std::vector<Align>& align,
                      const std::vector<std::vector<std::string>>& rows) {
    const std::size_t columns = header.size();
    std::vector<std::vector<std::string>> lines;
    lines.reserve(rows.size() + 2);
    lines.push_back(header);
    lines.emplace_back(columns);  // the rule, filled in below
    for (const auto& row : rows) {
        std::vector<std::string> cells(columns);
        for (std::size_t c = 0; c < columns && c < row.size(); ++c) cells[c] = oneLine(row[c]);
        lines.push_back(std::move(cells));
    }
    std::vector<std::size_t> width(columns, 0);
    for (const auto& cells : lines) {
        for (std::size_t c = 0; c < columns; ++c) width[c] = std::max(width[c], utf8Length(cells[c]));
    }
    for (std::size_t c = 0; c < columns; ++c) lines[1][c] = std::string(width[c], '-');

    std::string out;
    for (const auto& cells : lines) {
        std::string line;
        for (std::size_t c = 0; c < columns; ++c) {
            if (c > 0) line += "  ";
            const std::size_t pad = width[c] - utf8Length(cells[c]);
            const bool right = c < align.size() && align[c] == Align::Right;
            if (right) line.append(pad, ' ');
            line += cells[c];
            if (!right && c + 1 < columns) line.append(pad, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out += line;
        out += '\n';
    }
    return out;
}

}  // namespace lumor::cli
