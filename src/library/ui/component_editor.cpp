#include "library/ui/component_editor.h"

#include "library/component_library.h"
#include "library/ui/library_window.h"
#include "platform/gui/qtext.h"
#include "platform/ui/commands.h"
#include "platform/ui/icons.h"
#include "platform/ui/input_filter.h"
#include "route/component_types.h"
#include "text/typed_input.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lumor {

namespace {

const char* const kRowCaptions[11] = {
    "Typ:",
    "Označení:",
    "Vlnová délka [nm] :",
    "Útlum [dB] :",
    "Zisk [dB]",
    "rms spektra zdroje [nm] :",
    "PMD [ps/(km^0,5)] :",
    "CD [ps/(km.nm)] :",
    "Měrný útlum [dB/km] :",
    "Citlivost [dB] :",
    "Poznámka :",
};

const char* const kLabelRefused =
    "V seznamu komponent již existuje komponenta se stejným označením nebo jste nezadali žádné označení";

// Rows are 40 pixels apart from the type selector's at y = 24; captions at x = 24, fields at
// x = 240, 145 pixels wide.
constexpr int kFirstRowTop = 24;
constexpr int kRowStep = 40;
constexpr int kFieldLeft = 240;
constexpr int kFieldWidth = 145;

}  // namespace

TForm3::TForm3(ComponentLibrary& library, Desk& desk) : QDialog(nullptr), library_(library), desk_(desk) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Přidej/Uprav komponentu"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFont(formFont(11));
    setFixedSize(411, 517);
    buildLayout();
    FormCreate();
}

void TForm3::buildLayout() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(0, 0, width(), height());
    setBackground(panel, colours::skyBlue);

    for (int i = 0; i < 11; ++i) {
        auto* caption = new QLabel(QString::fromUtf8(kRowCaptions[i]), panel);
        caption->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        caption->setFont(formFont(16, true));
        caption->move(24, kFirstRowTop + kRowStep * i);
        caption->adjustSize();
    }

    ComboBox1_ = new QComboBox(panel);
    ComboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1_->setEditable(false);
    for (const std::string& name : kTypeNames) ComboBox1_->addItem(toQ(name));
    ComboBox1_->setGeometry(kFieldLeft, kFirstRowTop, kFieldWidth, 21);
    ComboBox1_->setCurrentIndex(0);
    connectGuarded(ComboBox1_, &QComboBox::activated, this, desk_, [this] { ComboBox1Select(); });

    using Handler = void (TForm3::*)();
    const Handler changeHandlers[LibraryEntry::kSlotCount] = {
        nullptr,
        &TForm3::Edit2Change,
        &TForm3::Edit3Change,
        &TForm3::Edit4Change,
        &TForm3::Edit5Change,
        &TForm3::Edit6Change,
        &TForm3::Edit7Change,
        &TForm3::Edit8Change,
        &TForm3::Edit9Change,
        nullptr,
    };
    for (std::size_t s = 0; s < edits_.size(); ++s) {
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QStringLiteral("Edit%1").arg(s + 1));
        edit->setGeometry(kFieldLeft, kFirstRowTop + kRowStep * static_cast<int>(s + 1), kFieldWidth, 21);
        if (Handler h = changeHandlers[s]) {
            connectGuarded(edit, &QLineEdit::textChanged, this, desk_, [this, h] { (this->*h)(); });
        }
        edits_[s] = edit;
    }

    auto button = [&](const char* name, const QString& text, int x, Handler handler) {
        auto* b = new QPushButton(text, panel);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, 472, 75, 25);
        b->setAutoDefault(false);
        onClicked(b, desk_, [this, handler] { (this->*handler)(); });
        return b;
    };
    Button1_ = button("Button1", QStringLiteral("Přidej"), 24, &TForm3::Button1Click);
    Button3_ = button("Button3", QStringLiteral("Uprav"), 160, &TForm3::Button3Click);
    button("Button2", QStringLiteral("Zavři"), 296, &TForm3::Button2Click);
    Button3_->setEnabled(false);
}

void TForm3::FormCreate() {
    library_.LoadLibrary(kStandardLibraryPath);
    applyFieldStates(0);
}

void TForm3::setNewMode() {
    Button1_->setEnabled(true);
    Button3_->setEnabled(false);
    ComboBox1_->setEnabled(true);
}

void TForm3::setEditMode(int typeCode, int index) {
    Button1_->setEnabled(false);
    Button3_->setEnabled(true);
    applyFieldStates(typeCode);
    editedIndex_ = index;
    if (index >= 1 && index <= library_.count()) {
        ComboBox1_->setCurrentIndex(typeCode);
        setFieldTexts(entryFieldsFromColumn(library_.grid(), index));
    }
    ComboBox1_->setEnabled(false);
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

void TForm3::ComboBox1Select() { applyFieldStates(ComboBox1_->currentIndex()); }

void TForm3::filterField(std::size_t slot) { applyInputFilter(*edits_[slot], &filterNumericText); }

void TForm3::Edit2Change() { filterField(1); }
void TForm3::Edit3Change() { filterField(2); }
void TForm3::Edit4Change() { filterField(3); }
void TForm3::Edit5Change() { filterField(4); }
void TForm3::Edit6Change() { filterField(5); }
void TForm3::Edit7Change() { filterField(6); }
void TForm3::Edit8Change() { filterField(7); }
void TForm3::Edit9Change() { filterField(8); }

EntryFields TForm3::fieldTexts() const {
    EntryFields texts;
    for (std::size_t s = 0; s < texts.size(); ++s) texts[s] = fromQ(edits_[s]->text());
    return texts;
}

void TForm3::setFieldTexts(const EntryFields& texts) {
    for (std::size_t s = 0; s < texts.size(); ++s) edits_[s]->setText(toQ(texts[s]));
}

std::unique_ptr<LibraryEntry> TForm3::BuildEntryFromFields() const {
    return buildLibraryEntry(ComboBox1_->currentIndex(), fieldTexts());
}

void TForm3::Button1Click() {
    if (!isNewLabel(library_.grid(), library_.count(), fromQ(edits_[0]->text()))) {
        desk_.warning(kLabelRefused);
        return;
    }
    AppendLibraryEntry();
}

void TForm3::AppendLibraryEntry() {
    // The list adds the grid column (none for the first entry) and shows the entry in it; a
    // library of 999 entries refuses with its own warning and nothing changes.
    if (!library_.append(BuildEntryFromFields())) return;
    edits_[0]->clear();
    edits_[9]->clear();
    rebuildLibraryWindow();
}

void TForm3::Button3Click() {
    const int k = editedIndex_;
    // Only an existing entry is overwritten: without one handed over nothing is written.
    if (k >= 1 && k <= library_.count()) {
        library_.replace(k, BuildEntryFromFields());
        library_.ShowLibraryEntry(k);
        rebuildLibraryWindow();
    }
    close();
}

void TForm3::Button2Click() { close(); }

void TForm3::rebuildLibraryWindow() {
    if (libraryWindow_) libraryWindow_->RebuildCategoryLists();
}

}  // namespace lumor
