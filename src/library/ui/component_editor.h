#pragma once
#include "library/library_rules.h"

#include <QDialog>

#include <array>
#include <memory>

class QLineEdit;

namespace lumor {

namespace Ui {
class TForm3;
}

class ComponentLibrary;
class Desk;

/// The component editor "Přidej/Uprav komponentu": adds and edits library entries.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    TForm3(ComponentLibrary& library, Desk& desk);
    ~TForm3() override;

    /// Loads the standard library "Komponenty/stdkmp.komp" from the working directory, then
    /// sets the fields for a source.
    void FormCreate();
    /// Sets the numeric fields for the type the user picked.
    void ComboBox1Select();
    /// "Přidej": appends the entry unless its label is empty or already in the library, or a
    /// number field of its type is empty or holds no number.
    void Button1Click();
    /// "Zavři": closes the dialog; the fields keep their texts.
    void Button2Click();
    /// "Uprav": overwrites entry `EditedIndex` with the fields, then closes the dialog; a number
    /// field of the type that is empty or holds no number is refused as under "Přidej".
    void Button3Click();

    /// Adding: "Přidej" enabled, "Uprav" disabled, the type selectable; the fields keep what
    /// they hold.
    void setNewMode();
    /// Editing library entry `index` (0: none was found) of the type code: "Uprav" enabled,
    /// "Přidej" disabled, the fields of the type emptied, then filled from the entry's grid
    /// column and the type shown when there is an entry; the type is fixed.
    void setEditMode(int typeCode, int index);
    /// The new mode, then the dialog shown modally.
    void openForNew();
    /// The edit mode, then the dialog shown modally.
    void openForEdit(int typeCode, int index);

    /// Appends the fields as the library's new last entry, empties the label and the note
    /// and tells that the library changed. A full library refuses with a warning.
    void AppendLibraryEntry();
    /// A new entry of the selected type holding the ten fields' texts.
    std::unique_ptr<LibraryEntry> BuildEntryFromFields() const;
    /// Each of `Edit2` to `Edit9`, in order, enabled and emptied when it applies to the type,
    /// otherwise disabled and showing "-". The label and the note are not touched.
    void applyFieldStates(int typeCode);
    /// The texts of `Edit1` to `Edit10`.
    EntryFields fieldTexts() const;
    /// Puts the texts into `Edit1` to `Edit10` as they are (a full stop in a number field becomes the comma).
    void setFieldTexts(const EntryFields& texts);

    /// Library index of the entry "Uprav" overwrites; 0 names none.
    int EditedIndex() const { return editedIndex_; }

signals:
    /// An entry was added or changed (the library window refills its category lists).
    void libraryChanged();

private:
    /// Warns about the first number field of the type that cannot be stored, naming it by its
    /// caption, and puts the focus there; false when there is one.
    bool numberFieldsStorable();

    ComponentLibrary& library_;
    Desk& desk_;
    std::unique_ptr<Ui::TForm3> ui_;
    int editedIndex_ = 0;

    /// Edit1 (label) to Edit10 (note); edits_[s] edits slot s.
    std::array<QLineEdit*, LibraryEntry::kSlotCount> edits_{};
};

}  // namespace lumor
