#pragma once
// The two parameter tables and their scopes: the general scope of a
// warehouse (Tpv_Parametros) and the scope of one terminal
// (Tpv_Parametros_Ex). A scope is read with one SELECT and written by
// deleting it and inserting every catalogued code once, in one transaction.
#include "parameters_export.h"
#include "db/Error.h"
#include "parameters/ScopeValues.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <vector>

namespace zqvr::db { class Connection; }

namespace zqvr::parameters {

// A failed save: the transaction was rolled back; statement() is the last
// statement built (the one that failed), with the passwords it carries
// masked, as it may be shown to the user.
// What a message shows in place of a password.
inline const QString kSecretMask = QStringLiteral("********");

class ZQVR_PARAMETERS_EXPORT SaveError : public Error {
public:
    SaveError(const Error& cause, QString statement) : Error(cause), m_statement(std::move(statement)) {}
    const QString& statement() const { return m_statement; }

private:
    QString m_statement;
};

class ZQVR_PARAMETERS_EXPORT ParameterStore {
public:
    ParameterStore(db::Connection& conn, int company) : m_conn(conn), m_company(company) {}

    // Statements (terminal 0 is the general scope).
    QString selectScope(int almacen, int tpv) const;
    QString deleteScope(int almacen, int tpv) const;
    // Every statement of a save of the scope, in order: the delete, the
    // operation keys, then the catalogue. Throws SaveError when a numeric
    // field does not hold a number (its statement shows the text typed).
    // shown, when given, gets the same statements as they may be shown to
    // the user: the passwords replaced by kSecretMask.
    QStringList saveStatements(int almacen, int tpv, const ScopeValues& values, QStringList* shown = nullptr) const;
    // The statements of the clean-up of the company's rows whose terminal
    // (and, outside the central office, whose warehouse's terminals) are gone.
    QStringList depurarStatements(bool oficinaCentral) const;

    // What a save removes before writing the scope, in the same transaction.
    enum class Cleanup { None, VanishedTerminals, VanishedTerminalsAndWarehouses };

    // The rows of a scope, in the order the database returns them.
    std::vector<ParameterRow> load(int almacen, int tpv);
    // GuardarOpciones: replaces the scope in one transaction, after the
    // clean-up asked for; throws SaveError after rolling back, leaving both
    // tables as they were.
    void save(int almacen, int tpv, const ScopeValues& values, Cleanup cleanup = Cleanup::None);
    // DepurarTpvs on its own: removes the company's rows of warehouses
    // (unless oficinaCentral) and terminals that no longer have a terminal,
    // in one transaction.
    void depurarTpvs(bool oficinaCentral);
    // Replaces a terminal's rows with a copy of the general rows of its warehouse, in one transaction.
    void copyGeneralToTerminal(int almacen, int tpv);
    // Deletes a terminal's rows.
    void deleteTerminal(int almacen, int tpv);

    // The lists the window offers: label models (by code), the company's
    // warehouses, and the terminals of a warehouse; text and code of each.
    QList<ListEntry> labelModels();
    QList<ListEntry> warehouses();
    QList<ListEntry> terminals(int almacen);
    // The tax rates in force on the day under the warehouse's regime
    // (regime 1: Impuestos2_Tipos, otherwise IGIC), lowest first.
    struct TaxRate {
        int tipo = 0;
        double valor = 0;
    };
    std::vector<TaxRate> taxRates(int almacen, const QDate& day);

    // Whether the terminal still belongs to the warehouse of the company.
    bool terminalExists(int almacen, int tpv);
    bool warehouseHasTerminals(int almacen);

private:
    db::Connection& m_conn;
    int m_company;
};

} // namespace zqvr::parameters
