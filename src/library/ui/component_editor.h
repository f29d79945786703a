#pragma once
#include "app/ui/forms.h"
#include "library/library_commands.h"

#include <QDialog>

#include <array>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumor {

/// The component editor "Přidej/Uprav komponentu": adds and edits library entries.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(Forms& forms);

    /// Loads the standard library "Komponenty/stdkmp.komp" from the working directory, then
    /// sets the fields for a source.
    void FormCreate();
    /// Sets the numeric fields for the type the user picked.
    void ComboBox1Select();
    /// The numeric filter on each of the eight numeric fields.
    void Edit2Change();
    void Edit3Change();
    void Edit4Change();
    void Edit5Change();
    void Edit6Change();
    void Edit7Change();
    void Edit8Change();
    void Edit9Change();
    /// "Přidej": appends the entry unless its label is empty or already in the library.
    void Button1Click();
    /// "Zavři": closes the dialog; the fields keep their texts.
    void Button2Click();
    /// "Uprav": overwrites entry `EditedIndex` with the fields, then closes the dialog.
    void Button3Click();

    /// Appends the fields as the library's new last entry, empties the label and the note
    /// and rebuilds the library window's category lists. A full library refuses with a warning.
    void AppendLibraryEntry();
    /// A new entry of the selected type holding the ten fields' texts.
    std::unique_ptr<LibraryEntry> BuildEntryFromFields() const;
    /// Each of `Edit2` to `Edit9`, in order, enabled and emptied when it applies to the type,
    /// otherwise disabled and showing "-". The label and the note are not touched.
    void applyFieldStates(int typeCode);
    /// The texts of `Edit1` to `Edit10`.
    EntryFields fieldTexts() const;
    /// Puts the texts into `Edit1` to `Edit10` (the numeric ones pass through the filter).
    void setFieldTexts(const EntryFields& texts);

    QFrame* Panel1 = nullptr;
    /// Label1 ("Typ:") to Label11 ("Poznámka :"), the captions of the rows.
    std::array<QLabel*, 11> captions{};
    QComboBox* ComboBox1 = nullptr;
    /// Edit1 (label) to Edit10 (note); edits[s] edits slot s.
    std::array<QLineEdit*, LibraryEntry::kSlotCount> edits{};
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;

private:
    void buildLayout();
    void filterField(QLineEdit* field);

    Forms& forms_;
    bool filtering_ = false;
};

}  // namespace lumor
