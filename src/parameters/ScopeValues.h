#pragma once
// The state of every parameter control of the window for one scope, held
// without widgets: what LimpiarOpciones resets, what Cargar_Opciones fills
// from the rows of a scope and what GuardarOpciones writes. The window shows
// it in its controls and reads it back before a save.
#include "parameters_export.h"
#include "parameters/ParameterCatalogue.h"

#include <QHash>
#include <QString>
#include <vector>

namespace zqvr::parameters {

// One row of Tpv_Parametros / Tpv_Parametros_Ex as the window reads it.
struct ParameterRow {
    int code = 0;
    QString valor;
    int visible = 0;
    int posicion = 0;
    int color = 0;
    QString valor2;
};

// A line of the operation-key grid.
struct OperationKey {
    int operation = 0;
    int key = 0;
    int position = 0;
    int color = 0; // 24-bit RGB, 0 = none (shown white)
    bool visible = true;
    bool operator==(const OperationKey&) const = default;
};

// A line of the scales grid.
struct ScaleRow {
    QString prefix; // the bar-code prefix, digits
    int type = 0;   // scale bar-code type code
    bool operator==(const ScaleRow&) const = default;
};

// The state of one catalogue entry's control.
//  n: check state 0/1 (checks, password entries, 545), entry index (combos),
//     code (pickers), the bits shown (lists, check-box groups), key code (links);
//  text: the text of a text box, the path of a link.
struct SettingValue {
    qint64 n = 0;
    QString text;
    bool operator==(const SettingValue&) const = default;
};

class ZQVR_PARAMETERS_EXPORT ScopeValues {
public:
    // esFenvary: the edition, which decides the entries of two lists.
    explicit ScopeValues(bool esFenvary = false);

    // Entries of a combo or list as the window shows them.
    const QList<ListEntry>& entries(int code) const;
    // Replaces the entries of a combo filled from data (403, 518, 535); the
    // combo returns to its reset choice.
    void setEntries(int code, QList<ListEntry> entries);

    SettingValue& value(int code);
    const SettingValue& value(int code) const;
    bool has(int code) const { return m_values.contains(code); }

    // LimpiarOpciones: every setting to the state it shows without a row.
    void reset();
    // The first steps of Cargar_Opciones: lists deselected, the reservation
    // copies on their second entry, no operation keys, no scale rows.
    void beginLoad();
    // Cargar_Opciones for one row of the scope.
    void applyRow(const ParameterRow& row);
    // reset + beginLoad + every row.
    void load(const std::vector<ParameterRow>& rows);

    std::vector<OperationKey> keys;
    std::vector<ScaleRow> scales;
    bool hidden545 = false;

    bool operator==(const ScopeValues& o) const;

    // The key entries offered for a link (the first one, "---", is no key).
    static const QList<ListEntry>& linkKeys();

private:
    bool m_esFenvary;
    QHash<int, SettingValue> m_values;
    QHash<int, QList<ListEntry>> m_entries;
    std::vector<int> m_scaleCodes; // codes of the scale rows read so far (load order)
};

// Numbers as the store keeps them: the text typed in a number field, read
// as the suite's number fields read it (host::Formato::LeerNumero: "1.500"
// is 1500, "1.234,5" is 1234.5, a lone "." before other than three digits is
// a decimal point), written back as text with "." as the decimal point. ok is
// false for text that is not a number; an empty field is 0.
ZQVR_PARAMETERS_EXPORT QString storedNumber(const QString& typed, bool* ok);
// A number as a number field shows it: decimal comma, no grouping, so that
// storedNumber reads the shown text back as the same number.
ZQVR_PARAMETERS_EXPORT QString fieldNumber(double v);
// A stored number as a number field shows it: its leading number (0 when none).
ZQVR_PARAMETERS_EXPORT QString shownNumber(const QString& stored);
// The leading number of a stored text, as the terminals read it (0 when none).
ZQVR_PARAMETERS_EXPORT double leadingNumber(const QString& text);
ZQVR_PARAMETERS_EXPORT QString formatNumber(double v);

} // namespace zqvr::parameters
