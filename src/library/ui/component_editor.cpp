#include "library/ui/component_editor.h"

#include "platform/ui/input_filter.h"

#include "text/typed_input.h"
#include "library/ui/library_window.h"
#include "platform/ui/icons.h"
#include "platform/gui/qtext.h"
#include "route/component_types.h"

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

TForm3::TForm3(Forms& forms) : QDialog(nullptr), forms_(forms) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Přidej/Uprav komponentu"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    setFont(formFont(11));
    setFixedSize(411, 517);
    buildLayout();
    FormCreate();
}

void TForm3::buildLayout() {
    Desk& desk = forms_.desk;
    auto guardedSlot = [this, &desk](void (TForm3::*handler)()) {
        return [this, &desk, handler] { guarded(desk, [&] { (this->*handler)(); }); };
    };

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, width(), height());
    setBackground(Panel1, colours::skyBlue);

    for (int i = 0; i < 11; ++i) {
        auto* caption = new QLabel(QString::fromUtf8(kRowCaptions[i]), Panel1);
        caption->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        caption->setFont(formFont(16, true));
        caption->move(24, kFirstRowTop + kRowStep * i);
        caption->adjustSize();
        captions[static_cast<std::size_t>(i)] = caption;
    }

    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(false);
    for (const std::string& name : kTypeNames) ComboBox1->addItem(toQ(name));
    ComboBox1->setGeometry(kFieldLeft, kFirstRowTop, kFieldWidth, 21);
    ComboBox1->setCurrentIndex(0);
    connect(ComboBox1, &QComboBox::activated, this, guardedSlot(&TForm3::ComboBox1Select));

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
    for (int s = 0; s < LibraryEntry::kSlotCount; ++s) {
        auto* edit = new QLineEdit(Panel1);
        edit->setObjectName(QStringLiteral("Edit%1").arg(s + 1));
        edit->setGeometry(kFieldLeft, kFirstRowTop + kRowStep * (s + 1), kFieldWidth, 21);
        if (changeHandlers[s]) connect(edit, &QLineEdit::textChanged, this, guardedSlot(changeHandlers[s]));
        edits[static_cast<std::size_t>(s)] = edit;
    }

    auto button = [&](const char* name, const QString& text, int x, Handler handler) {
        auto* b = new QPushButton(text, Panel1);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(x, 472, 75, 25);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, guardedSlot(handler));
        return b;
    };
    Button1 = button("Button1", QStringLiteral("Přidej"), 24, &TForm3::Button1Click);
    Button3 = button("Button3", QStringLiteral("Uprav"), 160, &TForm3::Button3Click);
    Button2 = button("Button2", QStringLiteral("Zavři"), 296, &TForm3::Button2Click);
    Button3->setEnabled(false);
}

void TForm3::FormCreate() {
    forms_.state.library.LoadLibrary(kStandardLibraryPath);
    applyFieldStates(0);
}

void TForm3::applyFieldStates(int typeCode) {
    const auto applicable = applicableFields(typeCode);
    for (int f = 0; f < kNumericFieldCount; ++f) {
        QLineEdit* field = edits[static_cast<std::size_t>(f + 1)];
        const bool on = applicable[static_cast<std::size_t>(f)];
        field->setEnabled(on);
        field->setText(on ? QString() : QStringLiteral("-"));
    }
}

void TForm3::ComboBox1Select() { applyFieldStates(ComboBox1->currentIndex()); }

void TForm3::filterField(QLineEdit* field) { applyInputFilter(*field, &filterNumericText, filtering_); }

void TForm3::Edit2Change() { filterField(edits[1]); }
void TForm3::Edit3Change() { filterField(edits[2]); }
void TForm3::Edit4Change() { filterField(edits[3]); }
void TForm3::Edit5Change() { filterField(edits[4]); }
void TForm3::Edit6Change() { filterField(edits[5]); }
void TForm3::Edit7Change() { filterField(edits[6]); }
void TForm3::Edit8Change() { filterField(edits[7]); }
void TForm3::Edit9Change() { filterField(edits[8]); }

EntryFields TForm3::fieldTexts() const {
    EntryFields texts;
    for (std::size_t s = 0; s < texts.size(); ++s) texts[s] = fromQ(edits[s]->text());
    return texts;
}

void TForm3::setFieldTexts(const EntryFields& texts) {
    for (std::size_t s = 0; s < texts.size(); ++s) edits[s]->setText(toQ(texts[s]));
}

std::unique_ptr<LibraryEntry> TForm3::BuildEntryFromFields() const {
    return buildLibraryEntry(ComboBox1->currentIndex(), fieldTexts());
}

void TForm3::Button1Click() {
    const ComponentLibrary& library = forms_.state.library;
    if (!isNewLabel(library.grid(), library.count(), fromQ(edits[0]->text()))) {
        forms_.desk.warning(kLabelRefused);
        return;
    }
    AppendLibraryEntry();
}

void TForm3::AppendLibraryEntry() {
    // The list adds the grid column (none for the first entry) and shows the entry in it; a
    // library of 999 entries refuses with its own warning and nothing changes.
    if (!forms_.state.library.append(BuildEntryFromFields())) return;
    edits[0]->clear();
    edits[9]->clear();
    forms_.Form2->RebuildCategoryLists();
}

void TForm3::Button3Click() {
    ComponentLibrary& library = forms_.state.library;
    const int k = forms_.state.EditedIndex;
    // Only an existing entry is overwritten: without one handed over nothing is written.
    if (k >= 1 && k <= library.count()) {
        library.replace(k, BuildEntryFromFields());
        library.ShowLibraryEntry(k);
        forms_.Form2->RebuildCategoryLists();
    }
    close();
}

void TForm3::Button2Click() { close(); }

}  // namespace lumor
