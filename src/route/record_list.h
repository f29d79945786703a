#pragma once
#include "text/file_io.h"
#include "text/messages.h"
#include "text/read_file.h"
#include "text/text_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
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
    std::string fileKind;       ///< what a file of the list is: "optická trasa", "seznam komponent"
    std::string record;         ///< one record: "komponenta", "položka"
    std::string recordWhole;    ///< "celou komponentu", "celou položku"
    std::string unchanged;      ///< said when a file is refused: "Trasa zůstala beze změny."
};

/// Most records a list holds (the route as well as the library).
constexpr int kMaxRecords = 999;
/// Rows of a list's grid: the header row and eleven field rows.
constexpr int kGridRows = 12;

/// Told before and after each change of a record list (one change however many records it
/// touches), so that a history can remember what the list held.
class ListChangeObserver {
public:
    virtual void beforeChange() = 0;
    virtual void afterChange() = 0;

protected:
    ~ListChangeObserver() = default;
};

/// An ordered, owning list of fixed-size records numbered from 1, shown transposed as a text
/// table (record k in column k, one row per field, computed from the records whenever a view
/// asks), with its binary file: the bare sequence of the records' images. The route and the
/// component library are both one.
template <class Record>
class RecordList : public TextTable {
public:
    /// The text a record shows in a table row 1 to 11.
    using CellTextFn = std::string (*)(const Record& record, int row);
    /// Why the whole records of a file make no file of this kind, or nothing when they do.
    using ContentRefusalFn = std::optional<std::string> (*)(const std::vector<std::unique_ptr<Record>>& records);

    RecordList(Messages& messages, RecordListTexts texts, const std::array<std::string, 11>& rowCaptions,
               CellTextFn cellText, ContentRefusalFn contentRefusal = nullptr)
        : messages_(messages),
          texts_(std::move(texts)),
          rowCaptions_(rowCaptions),
          cellText_(cellText),
          contentRefusal_(contentRefusal) {}
    RecordList(const RecordList&) = delete;
    RecordList& operator=(const RecordList&) = delete;

    int rowCount() const override { return kGridRows; }
    int colCount() const override { return columns_; }
    /// Row captions in column 0, headers "1." to "100." in row 0, record k's texts in column k;
    /// a column no record owns (the one kept after the last record was removed) is blank.
    std::string cell(int col, int row) const override {
        if (row < 0 || row >= kGridRows || col < 0) return {};
        if (row == 0) return columnHeader(col);
        if (col == 0) return rowCaptions_[static_cast<std::size_t>(row - 1)];
        if (col > count()) return {};
        return cellText_(at(col), row);
    }

    /// The texts the list speaks with.
    const RecordListTexts& texts() const { return texts_; }
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

    /// Takes the record as position n + 1; the table gains a column unless the list was empty.
    /// A full list refuses with a warning and changes nothing.
    bool append(std::unique_ptr<Record> record) {
        const Change change(*this);
        if (!checkRoom()) return false;
        if (count() >= 1) setColumns(colCount() + 1);
        records_.push_back(std::move(record));
        ++revision_;
        return true;
    }

    /// Releases the last record (a warning on an empty list); the table keeps its column
    /// count, the column the record had now blank.
    void removeLast() {
        const Change change(*this);
        if (records_.empty()) {
            messages_.warning(texts_.emptyWarning);
        } else {
            records_.pop_back();
            ++revision_;
        }
    }

    /// After a removal: one column less unless only one record column is left.
    void dropSpareColumn() {
        if (colCount() > 2) setColumns(colCount() - 1);
    }

    /// Puts the record at position k (1 <= k <= n), releasing the one there.
    void replace(int k, std::unique_ptr<Record> record) {
        const Change change(*this);
        if (k < 1 || k > count()) return;
        records_[static_cast<std::size_t>(k - 1)] = std::move(record);
        ++revision_;
    }

    /// Removes every record, one column at a time, down to two columns; the final removal
    /// warns when the list was already empty.
    void clear() {
        const Change change(*this);
        while (colCount() > 2) {
            removeLast();
            setColumns(colCount() - 1);
        }
        removeLast();
    }

    /// What a load reads of a file at most: one record more than the list holds is enough
    /// to tell that the file has too many.
    static constexpr std::size_t kFileReadLimit = (kMaxRecords + 1) * Record::kImageSize;

    /// Replaces the list by the file's whole records, as `readListFile` and `loadListBytes` do;
    /// false (the list as it was) when the file cannot be read or is no file of this kind.
    bool load(const std::string& path) {
        const auto bytes = readListFile(path);
        if (!bytes) return false;
        loadListBytes(path, *bytes);
        return true;
    }

    /// The bytes of a list file, read and checked before anything of the list changes. Nothing
    /// when the file cannot be read or is no file of this kind (a message naming the file and
    /// why); the user has been told then.
    std::optional<std::string> readListFile(const std::string& path) {
        auto content = readFileBytes(path, kFileReadLimit);
        if (const auto* failure = std::get_if<ReadFailure>(&content)) {
            messages_.warning("Soubor „" + path + "“ nelze otevřít: " + failure->reason + ". " + texts_.unchanged);
            return std::nullopt;
        }
        std::string& bytes = std::get<std::string>(content);
        if (const auto refusal = refusalOf(bytes)) {
            messages_.warning("Soubor „" + path + "“ není " + texts_.fileKind + ": " + *refusal + ". " +
                              texts_.unchanged);
            return std::nullopt;
        }
        return std::move(bytes);
    }

    /// Why the bytes are no file of this kind, or nothing when they are: some bytes but not one
    /// whole record, or whole records none of which the list can be made of. An empty file is
    /// an empty list.
    std::optional<std::string> refusalOf(std::string_view bytes) const {
        if (!bytes.empty() && bytes.size() < Record::kImageSize) {
            return "má jen " + std::to_string(bytes.size()) + " bajtů, je kratší než jedna " + texts_.record + " (" +
                   std::to_string(Record::kImageSize) + " bajtů)";
        }
        if (contentRefusal_ == nullptr || bytes.empty()) return std::nullopt;
        return contentRefusal_(recordsOf(bytes.substr(0, std::min(bytes.size(), kMaxRecords * Record::kImageSize))));
    }

    /// Replaces the list by the whole records of a file's bytes (`loadBytes`), then says so
    /// when a broken tail was left out, so the user knows before saving over the file.
    void loadListBytes(const std::string& path, std::string_view bytes) {
        loadBytes(bytes);
        const std::size_t tail = bytes.size() % Record::kImageSize;
        if (tail != 0 && bytes.size() / Record::kImageSize <= kMaxRecords) {
            messages_.warning("Soubor „" + path + "“ je poškozený: jeho posledních " + std::to_string(tail) +
                              " bajtů netvoří " + texts_.recordWhole + " (" + std::to_string(Record::kImageSize) +
                              " bajtů), a proto nebyly načteny.");
        }
    }

    /// Replaces the list by the whole records in `bytes`, the content of a list file: a
    /// broken tail is ignored; records beyond the 999th are left out with a warning.
    void loadBytes(std::string_view bytes) {
        const Change change(*this);
        const std::size_t whole = bytes.size() / Record::kImageSize;
        records_ = recordsOf(bytes.substr(0, std::min<std::size_t>(whole, kMaxRecords) * Record::kImageSize));
        ++revision_;
        setColumns(1 + std::max(1, count()));
        if (whole > static_cast<std::size_t>(kMaxRecords)) messages_.warning(texts_.truncatedLoad);
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

    /// Sets the table's column count (at least two: captions and one record column).
    void setColumns(int count) {
        const Change change(*this);
        columns_ = std::clamp(count, 2, kMaxColumns);
    }

    /// Removes the record at position k (1 <= k <= n); the later ones move one position left.
    /// The table's column count follows as when the last record is removed.
    void removeAt(int k) {
        if (k < 1 || k > count()) return;
        const Change change(*this);
        records_.erase(records_.begin() + (k - 1));
        ++revision_;
        if (colCount() > 2) setColumns(colCount() - 1);
    }

    /// Moves the record at position k to position `to` (both 1 … n), the ones between shifting
    /// by one.
    void move(int k, int to) {
        if (k < 1 || k > count() || to < 1 || to > count() || k == to) return;
        const Change change(*this);
        auto record = std::move(records_[static_cast<std::size_t>(k - 1)]);
        records_.erase(records_.begin() + (k - 1));
        records_.insert(records_.begin() + (to - 1), std::move(record));
        ++revision_;
    }

    /// Tells the observer (nothing: none) of every change from now on.
    void setObserver(ListChangeObserver* observer) { observer_ = observer; }

    /// Grows with every change of the records (append, removal, replacement, load), so that a
    /// window can tell whether the list changed since it last looked.
    std::uint64_t revision() const { return revision_; }

private:
    /// One change for the table's view and the observer, however many operations it is made of.
    class Change {
    public:
        explicit Change(RecordList& list) : list_(list) {
            if (list_.changeDepth_++ == 0 && list_.observer_) list_.observer_->beforeChange();
        }
        ~Change() {
            if (--list_.changeDepth_ != 0) return;
            list_.tellChanged();
            if (list_.observer_) list_.observer_->afterChange();
        }
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;

    private:
        RecordList& list_;
    };

    /// The whole records in `bytes`.
    static std::vector<std::unique_ptr<Record>> recordsOf(std::string_view bytes) {
        std::vector<std::unique_ptr<Record>> records;
        records.reserve(bytes.size() / Record::kImageSize);
        for (std::size_t at = 0; at + Record::kImageSize <= bytes.size(); at += Record::kImageSize) {
            auto record = std::make_unique<Record>();
            std::memcpy(record->image.data(), bytes.data() + at, Record::kImageSize);
            records.push_back(std::move(record));
        }
        return records;
    }

    /// Most columns a table shows: a column per record, the caption column and a kept one.
    static constexpr int kMaxColumns = kMaxRecords + 2;

    Messages& messages_;
    RecordListTexts texts_;
    std::array<std::string, 11> rowCaptions_;
    CellTextFn cellText_;
    ContentRefusalFn contentRefusal_;
    int columns_ = 2;  ///< 1 + max(1, n), but for the column kept after the last record is removed
    std::vector<std::unique_ptr<Record>> records_;
    std::uint64_t revision_ = 0;
    ListChangeObserver* observer_ = nullptr;
    int changeDepth_ = 0;
};

}  // namespace lumor
