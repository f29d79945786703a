#pragma once
#include "text/file_io.h"
#include "text/messages.h"
#include "text/read_file.h"
#include "text/string_grid.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumor {

/// The messages a record list speaks with.
struct RecordListTexts {
    std::string emptyWarning;   ///< removing from an empty list
    std::string fullWarning;    ///< appending to a list of 999 records
    std::string truncatedLoad;  ///< a file with more than 999 records
};

/// Most records a list holds (the route as well as the library).
constexpr int kMaxRecords = 999;
/// Rows of a list's grid: the header row and eleven field rows.
constexpr int kGridRows = 12;
/// Columns that get a numbered header ("1." to "100.").
constexpr int kNumberedColumns = 100;

/// An ordered, owning list of fixed-size records numbered from 1, mirrored transposed in a
/// string grid (record k in column k, one row per field), with its binary file: the bare
/// sequence of the records' images. The route and the component library are both one.
template <class Record>
class RecordList {
public:
    /// Writes one record into its grid column.
    using ShowColumnFn = void (*)(StringGrid& grid, int col, const Record& record);

    RecordList(Messages& messages, RecordListTexts texts, const std::array<std::string, 11>& rowCaptions,
               ShowColumnFn showColumnFn)
        : messages_(messages), texts_(std::move(texts)), grid_(kGridRows, 2), show_(showColumnFn) {
        for (int r = 1; r <= 11; ++r) grid_.setCell(0, r, rowCaptions[static_cast<std::size_t>(r - 1)]);
        for (int c = 1; c <= kNumberedColumns; ++c) grid_.setCell(c, 0, std::to_string(c) + ".");
    }
    RecordList(const RecordList&) = delete;
    RecordList& operator=(const RecordList&) = delete;

    StringGrid& grid() { return grid_; }
    const StringGrid& grid() const { return grid_; }
    /// Number of records, n; the last position is n and the next free one n + 1.
    int count() const { return static_cast<int>(records_.size()); }
    bool isFull() const { return count() >= kMaxRecords; }
    /// The record at position k, 1 <= k <= n.
    const Record& at(int k) const { return *records_.at(static_cast<std::size_t>(k - 1)); }

    /// True when another record fits; otherwise warns that the list is full.
    bool checkRoom() {
        if (!isFull()) return true;
        messages_.warning(texts_.fullWarning);
        return false;
    }

    /// Takes the record as position n + 1; the grid gains a column unless the list was empty.
    /// A full list refuses with a warning and changes nothing.
    bool append(std::unique_ptr<Record> record) {
        if (!checkRoom()) return false;
        if (count() >= 1) setColumns(grid_.colCount() + 1);
        records_.push_back(std::move(record));
        showColumn(count());
        return true;
    }

    /// Releases the last record (a warning on an empty list), refreshes the grid and blanks
    /// the column the record had. The column count stays.
    void removeLast() {
        if (records_.empty()) {
            messages_.warning(texts_.emptyWarning);
        } else {
            records_.pop_back();
        }
        refreshGrid();
        grid_.blankColumn(count() + 1, 1, kGridRows - 1);
    }

    /// removeLast, then one column less unless only one record column is left.
    void removeLastAndShrink() {
        removeLast();
        if (grid_.colCount() > 2) setColumns(grid_.colCount() - 1);
    }

    /// Puts the record at position k (1 <= k <= n), releasing the one there.
    void replace(int k, std::unique_ptr<Record> record) {
        if (k < 1 || k > count()) return;
        records_[static_cast<std::size_t>(k - 1)] = std::move(record);
        refreshGrid();
    }

    /// Removes every record, one column at a time, down to two columns; the final removal
    /// warns when the list was already empty.
    void clear() {
        StringGrid::Batch batch(grid_);
        while (grid_.colCount() > 2) {
            removeLast();
            setColumns(grid_.colCount() - 1);
        }
        removeLast();
    }

    void refreshGrid() {
        StringGrid::Batch batch(grid_);
        for (int k = 1; k <= count(); ++k) showColumn(k);
    }
    void showColumn(int k) {
        if (k >= 1 && k <= count()) show_(grid_, k, at(k));
    }

    /// What a load reads of a file at most: one record more than the list holds is enough
    /// to tell that the file has too many.
    static constexpr std::size_t kFileReadLimit = (kMaxRecords + 1) * Record::kImageSize;

    /// Replaces the list by the file's whole records; a broken tail is ignored. Gives a
    /// warning and leaves the list as it was when the file cannot be opened or read (a read
    /// error is no short file).
    bool load(const std::string& path) {
        const auto content = readFileBytes(path, kFileReadLimit);
        if (std::holds_alternative<ReadFailure>(content)) {
            messages_.warning("nelze otevrit");
            return false;
        }
        loadBytes(std::get<std::string>(content));
        return true;
    }

    /// Replaces the list by the whole records in `bytes`, the content of a list file: a
    /// broken tail is ignored; records beyond the 999th are left out with a warning.
    void loadBytes(std::string_view bytes) {
        const std::size_t whole = bytes.size() / Record::kImageSize;
        const std::size_t n = std::min<std::size_t>(whole, kMaxRecords);
        records_.clear();
        records_.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            auto record = std::make_unique<Record>();
            std::memcpy(record->image.data(), bytes.data() + i * Record::kImageSize, Record::kImageSize);
            records_.push_back(std::move(record));
        }
        StringGrid::Batch batch(grid_);
        setColumns(1 + std::max(1, count()));
        refreshGrid();
        // The grid mirrors the list: a column no record owns any more is blank.
        for (int c = count() + 1; c < grid_.colCount(); ++c) grid_.blankColumn(c, 1, kGridRows - 1);
        if (whole > n) messages_.warning(texts_.truncatedLoad);
    }

    /// Writes every record's image to the file, replacing it only once the new file is
    /// complete. Says "Uloženo" on success, a warning naming the file and reason otherwise.
    bool save(const std::string& path) {
        if (auto error = writeFileAtomically(path, imageBytes())) {
            messages_.warning("Soubor „" + path + "“ se nepodařilo uložit: " + *error + ".");
            return false;
        }
        messages_.information("Uloženo", "Informace");
        return true;
    }

    /// The file's bytes: the images of records 1 to n in order.
    std::string imageBytes() const {
        std::string bytes;
        bytes.reserve(records_.size() * Record::kImageSize);
        for (const auto& r : records_) {
            bytes.append(reinterpret_cast<const char*>(r->image.data()), Record::kImageSize);
        }
        return bytes;
    }

    /// Sets the grid's column count (at least two: captions and one record column).
    void setColumns(int count) { grid_.setColCount(std::max(2, count)); }

private:
    Messages& messages_;
    RecordListTexts texts_;
    StringGrid grid_;
    ShowColumnFn show_;
    std::vector<std::unique_ptr<Record>> records_;
};

}  // namespace lumor
