#include "library/ui/component_editor.h"

#include "library/component_library.h"
#include "library/entry_check.h"
#include "platform/gui/qtext.h"
#include "platform/ui/access.h"
#include "platform/ui/commands.h"
#include "platform/ui/icons.h"
#include "platform/ui/input_filter.h"
#include "route/component_types.h"
#include "ui_component_editor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumor {

namespace {

const char* const kLabelRefused =
    "V seznamu komponent již existuje komponenta se stejným označením nebo jste nezadali žádné označení";

}  // namespace

TForm3::TForm3(ComponentLibrary& library, Desk& desk)
    : QDialog(nullptr), library_(library), desk_(desk), ui_(std::make_unique<Ui::TForm3>()) {
    ui_->setupUi(this);
    applyFormFonts(*this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    for (const std::string& name : kTypeNames) ui_->ComboBox1->addItem(toQ(name));
    ui_->ComboBox1->setCurrentIndex(0);
    connectGuarded(ui_->ComboBox1, &QComboBox::activated, this, desk_, [this] { ComboBox1Select(); });

    edits_ = {ui_->Edit1, ui_->Edit2, ui_->Edit3, ui_->Edit4, ui_->Edit5,
              ui_->Edit6, ui_->Edit7, ui_->Edit8, ui_->Edit9, ui_->Edit10};
    // Edit2 to Edit9 take numbers; what they cannot take is refused, said below the buttons.
    showAsHint(*ui_->Label12);
    for (int f = 1; f <= kNumericFieldCount; ++f) {
        takeNumbers(*edits_[static_cast<std::size_t>(f)], NumberSign::MayBeNegative, *ui_->Label12);
    }
    onClicked(ui_->Button1, desk_, [this] { Button1Click(); });
    onClicked(ui_->Button3, desk_, [this] { Button3Click(); });
    onClicked(ui_->Button2, desk_, [this] { Button2Click(); });
    nameControls(*this);
    FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::FormCreate() {
    library_.LoadLibrary(kStandardLibraryPath);
    applyFieldStates(0);
}

void TForm3::setNewMode() {
    ui_->Label12->clear();
    ui_->Button1->setEnabled(true);
    ui_->Button3->setEnabled(false);
    ui_->ComboBox1->setEnabled(true);
}

void TForm3::setEditMode(int typeCode, int index) {
    ui_->Label12->clear();
    ui_->Button1->setEnabled(false);
    ui_->Button3->setEnabled(true);
    applyFieldStates(typeCode);
    editedIndex_ = index;
    if (index >= 1 && index <= library_.count()) {
        ui_->ComboBox1->setCurrentIndex(typeCode);
        setFieldTexts(entryFieldsFromColumn(library_, index));
    }
    ui_->ComboBox1->setEnabled(false);
}

void TForm3::openForNew() {
    setNewMode();
    desk_.showModal(*this);
}

void TForm3::openForEdit(int typeCode, int index) {
    setEditMode(typeCode, index);
    desk_.showModal(*this);
}

void TForm3::applyFieldStates(int typeCode) {
    const auto applicable = applicableFields(typeCode);
    for (int f = 0; f < kNumericFieldCount; ++f) {
        QLineEdit* field = edits_[static_cast<std::size_t>(f + 1)];
        const bool on = applicable[static_cast<std::size_t>(f)];
        field->setEnabled(on);
        field->setText(on ? QString() : QStringLiteral("-"));
    }
}

void TForm3::ComboBox1Select() { applyFieldStates(ui_->ComboBox1->currentIndex()); }

EntryFields TForm3::fieldTexts() const {
    EntryFields texts;
    for (std::size_t s = 0; s < texts.size(); ++s) texts[s] = fromQ(edits_[s]->text());
    return texts;
}

void TForm3::setFieldTexts(const EntryFields& texts) {
    for (std::size_t s = 0; s < texts.size(); ++s) edits_[s]->setText(toQ(texts[s]));
}

std::unique_ptr<LibraryEntry> TForm3::BuildEntryFromFields() const {
    return buildLibraryEntry(ui_->ComboBox1->currentIndex(), fieldTexts());
}

void TForm3::Button1Click() {
    if (!isNewLabel(library_, library_.count(), fromQ(edits_[0]->text()))) {
        desk_.warning(kLabelRefused);
        return;
    }
    if (!numberFieldsStorable()) return;
    AppendLibraryEntry();
}

void TForm3::AppendLibraryEntry() {
    // The list adds the grid column (none for the first entry) and shows the entry in it; a
    // library of 999 entries refuses with its own warning and nothing changes.
    if (!library_.append(BuildEntryFromFields())) return;
    edits_[0]->clear();
    edits_[9]->clear();
    emit libraryChanged();
}

bool TForm3::numberFieldsStorable() {
    const auto fault = firstFieldFault(ui_->ComboBox1->currentIndex(), fieldTexts());
    if (!fault) return true;
    QLineEdit& field = *edits_[static_cast<std::size_t>(fault->slot)];
    const std::string caption = fromQ(accessibleCaption(field));  // as the user sees it beside the field
    desk_.warning(fault->empty ? "Pole „" + caption + "“ je prázdné. Zadejte číslo, komponenta typu " +
                                     fromQ(ui_->ComboBox1->currentText()) + " ho potřebuje."
                               : "V poli „" + caption + "“ není číslo: „" + fromQ(field.text()) +
                                     "“. Zadejte číslo s desetinnou čárkou.");
    field.setFocus(Qt::OtherFocusReason);
    field.selectAll();
    return false;
}

void TForm3::Button3Click() {
    const int k = editedIndex_;
    // Only an existing entry is overwritten: without one handed over nothing is written.
    if (k >= 1 && k <= library_.count()) {
        if (!numberFieldsStorable()) return;
        library_.replace(k, BuildEntryFromFields());
        emit libraryChanged();
    }
    close();
}

void TForm3::Button2Click() { close(); }

}  // namespace lumor
