#pragma once
// The quick codes of a warehouse: a short code that sells one article and a
// number of units at the warehouse's terminals. Saving an existing code
// changes it, saving a new one creates it; either way the code's Act mark
// goes to 0 so that the terminals take it on their next load. Deleting a code
// leaves a deletion record (TPV_CodigosRapido_Baja, Act 0) from which the
// terminals learn to drop it from their own copy.
//
//   QuickCodeStore store(conn, empresa.CodigoEmpresa(), empresa.EmpresaArticulos());
//   store.Guardar(1, " 12 ", 1001, 0);   // code "12", 1 unit
//   store.Eliminar(1, "12");
//
// Every operation re-raises its failures as zqvr::Error with the source
// "frmCodigosRapido:<operation>".
#include "touchscreen_export.h"

#include <QString>
#include <optional>
#include <vector>

namespace zqvr::db {
class Connection;
class RecordSet;
} // namespace zqvr::db

namespace zqvr::touchscreen {

struct ZQVR_TOUCHSCREEN_EXPORT QuickCode {
    QString codigo;
    qint32 articulo = 0;
    QString descripcion;
    double unidades = 0;
};
// The quick code of the record set's current row (Cod_Rapido, Cod_Articulo, Descripcion, Unidades).
ZQVR_TOUCHSCREEN_EXPORT QuickCode quickCodeFromRow(const db::RecordSet& rs);

// What is wrong with an entry line, and the field to put the focus in.
struct ZQVR_TOUCHSCREEN_EXPORT EntryProblem {
    enum class Field { Almacen, Codigo, Articulo, Unidades };
    Field field;
    QString message;
};

// A checked entry line, ready to be saved.
struct ZQVR_TOUCHSCREEN_EXPORT QuickCodeEntry {
    QString codigo;   // trimmed
    qint32 articulo = 0;
    double unidades = 1; // never 0: an empty or zero units field sells one unit
};

// The longest code the window takes.
constexpr int QuickCodeMaxLength = 50;

// Reads the units as the suite writes numbers ("1.234,5", "2,5", "3");
// empty or 0 gives 1. Anything else that is not a number of at least 0 is a problem.
ZQVR_TOUCHSCREEN_EXPORT std::optional<EntryProblem> readUnits(const QString& text, double& units);

// The units as the grid shows them: whole numbers without decimals, others
// in the suite's notation with up to three decimals.
ZQVR_TOUCHSCREEN_EXPORT QString unitsText(double units);

class ZQVR_TOUCHSCREEN_EXPORT QuickCodeStore {
public:
    // empresa: the company whose codes these are; empresaArticulos: the
    // company whose article table the codes point into.
    QuickCodeStore(db::Connection& conn, qint16 empresa, qint16 empresaArticulos);

    // The warehouse's codes in code order. Codes whose article no longer
    // exists are left out of the list (and kept in the table).
    std::vector<QuickCode> Cargar(qint16 almacen) const;

    // Checks an entry line in the window's order (warehouse, code, article,
    // units); the first problem found, or the entry ready to save.
    std::optional<EntryProblem> Validar(bool almacenValido, const QString& codigo, qint32 articulo,
                                        const QString& unidades, QuickCodeEntry& entry) const;

    // Updates the code when it exists for the warehouse, inserts it
    // otherwise; units 0 are stored as 1 and the code is trimmed. Returns
    // true when a new code was created.
    bool Guardar(qint16 almacen, const QString& codigo, qint32 articulo, double unidades);

    // Records the deletion for the terminals and deletes the code, all or
    // nothing; raises rowDeletedError (db/Error.h) when the code is already gone.
    void Eliminar(qint16 almacen, const QString& codigo);

    // Whether the article exists in the article company's table.
    bool ArticuloExiste(qint32 articulo) const;

    // The warehouse's codes as the listing prints them, sorted by the chosen
    // column and direction (the listing's ordenadoPor and orden choices; ties
    // by quick code). As in the window, codes whose article is gone are left out.
    std::vector<QuickCode> listing(qint16 almacen, int ordenadoPor, int orden) const;
    // The statement behind listing, for the report.
    QString listingStatement(qint16 almacen, int ordenadoPor, int orden) const;

private:
    db::Connection& m_conn;
    qint16 m_empresa;
    qint16 m_empresaArticulos;
};

} // namespace zqvr::touchscreen
