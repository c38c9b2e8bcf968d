#pragma once
// The catalogue of terminal parameters: every numbered setting the
// parameters window edits, as one table. Each entry names the code, the
// control that shows it, how its value is written into Tpv_Parametros, the
// caption the user reads, where it sits (tab and frame) and the entries of
// its combo or list. The window builds its controls from this table, resets
// and loads them by it, and writes the codes in the table's order.
//
// Adding a setting is one line in the table of ParameterCatalogue.cpp.
#include "parameters_export.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace zqvr::parameters {

enum class Kind {
    Check,      // the suite's check box: "1" / "0"
    PlainCheck, // the platform's check box: "1" / "0", read back as a condition
    ComboIndex, // 0-based index of the chosen entry
    ComboData,  // integer attached to the chosen entry
    Number,     // text box holding a number: written as the number's text
    Text,       // text box: the text as typed
    Picker,     // code picker: its integer code
    ListBits,   // list: sum of 2^attached over the selected entries
    CheckBits,  // group of check boxes: sum of the weights of the checked ones
    ClaveEntry, // one entry of the password list lstClave: "1" / "0" under its own code
    Link,       // link to an external program: key code in Valor, path in Valor2
    ScaleRows,  // the scales grid: one row per grid row from code 300 upwards
    Hidden,     // no control: the value is kept from load to save
};

enum Flag : unsigned {
    NoFlag = 0,
    Masked = 1u << 0,       // typed characters shown as '*'
    SameRow = 1u << 1,      // laid out on the previous entry's row, without a label of its own
    ZeroIsSecond = 1u << 2, // a stored 0 chooses the second entry
    ZeroShowsOne = 1u << 3, // a stored 0 shows "1"
    AlsoSets540 = 1u << 4,  // loading this code also sets cboConfirmarCopias (code 540)
    Secret = 1u << 5,       // a password: never shown in a message
};

enum class Tab {
    Operaciones, Ticket, Parametros1, Parametros2, Claves, Comp1, Comp2, Comp3,
    Balanzas, Logotipo, Vinculos, CashChanger, GeltCash
};
constexpr int kTabCount = 13;

struct ListEntry {
    QString text;
    int data = 0; // attached integer; the position for combos without attached integers
};

struct ZQVR_PARAMETERS_EXPORT CatalogueEntry {
    int code = 0;
    const char* control = "";  // control name; a comma list for a group of named check boxes
    int index = -1;            // element of a control array, -1 for a single control
    Kind kind = Kind::Text;
    const char* caption = "";  // the control's caption or the label beside it
    Tab tab = Tab::Ticket;
    const char* frame = "";    // caption of the frame around it, "" when none
    const char* entries = "";  // "a|b|c", "text=data|...", or the picker class for pickers
    int resetIndex = 0;        // combos: the entry shown when the code has no row
    unsigned flags = NoFlag;
    const char* suffix = "";   // a second label after the control ("seg.")

    QString controlName() const { return QString::fromUtf8(control); }
    QString captionText() const { return QString::fromUtf8(caption); }
    QString frameText() const { return QString::fromUtf8(frame); }
    bool has(Flag f) const { return (flags & f) != 0; }
    bool isArrayElement() const { return index >= 0; }
    // The entries of the combo, list or check-box group, in order. Combos
    // without attached integers get their position as data.
    QList<ListEntry> listEntries() const;
    // Named check boxes of a CheckBits group (code 56); empty for an array group (452).
    QStringList groupControls() const;
    // "name" or "name!index", the key the access levels use.
    QString key() const;
};

// The whole catalogue in the order a save writes it.
ZQVR_PARAMETERS_EXPORT const std::vector<CatalogueEntry>& catalogue();
// The entry of a code (the scale entry for 300-320), or nullptr for a code not catalogued.
ZQVR_PARAMETERS_EXPORT const CatalogueEntry* findEntry(int code);
// Codes recognised on load and not written back.
ZQVR_PARAMETERS_EXPORT bool isDroppedCode(int code);
ZQVR_PARAMETERS_EXPORT QString tabCaption(Tab tab);
// The name a message gives the field of an entry: its caption, or for a
// field without a label of its own the caption of the row it sits on, its
// frame, or at last its control name.
ZQVR_PARAMETERS_EXPORT QString fieldCaption(const CatalogueEntry& entry);

// The operations a key can run (cboOperacion): name and operation code.
ZQVR_PARAMETERS_EXPORT const QList<ListEntry>& operationEntries();
// The keys (cboTecla): name and virtual-key code.
ZQVR_PARAMETERS_EXPORT const QList<ListEntry>& keyEntries();
// Name of an operation or key code, "" when there is none.
ZQVR_PARAMETERS_EXPORT QString operationName(int code);
ZQVR_PARAMETERS_EXPORT QString keyName(int code);
// The scale bar-code types offered (cboTipo): name and type code.
ZQVR_PARAMETERS_EXPORT const QList<ListEntry>& scaleTypeEntries();
// The name the scales grid shows for a stored type code ("Importe" for an unknown one).
ZQVR_PARAMETERS_EXPORT QString storedScaleTypeName(int type);

// Codes with structure.
constexpr int kLastOperationCode = 41;
constexpr int kFirstScaleCode = 300;
constexpr int kLastScaleCode = 320;
constexpr int kMaxScaleRows = 10;
constexpr int kFirstLinkCode = 435;
constexpr int kLinkCount = 6;
constexpr int kHiddenCode = 545;

} // namespace zqvr::parameters
