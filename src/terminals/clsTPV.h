#pragma once
// One sales terminal (a row of TPVs) with its persistence: load by code,
// step through the terminals in code order, save, delete, and hand out the
// next ticket number from the ticket counter of the terminal's database.
// The statements are TerminalStore's; this is the system's interface to them.
//
//   clsTPV tpv;
//   tpv.setConexion(&conn);
//   tpv.setCodigo(3);
//   if (tpv.Cargar()) { tpv.setHost("PC03"); tpv.Modificar(); }
//
// Every operation re-raises its failures as zqvr::Error with the source
// "clsTPV::<operation>".
#include "terminals_export.h"
#include "terminals/TerminalStore.h"
#include <QDate>
#include <QString>
#include <functional>
#include <optional>

namespace zqvr::db { class Connection; }

namespace zqvr::terminals {

class ZQVR_TERMINALS_EXPORT clsTPV {
public:
    clsTPV() = default;

    // Row values.
    qint16 Codigo() const { return m_codigo; }
    void setCodigo(qint16 v) { m_codigo = v; }
    QString Host() const { return m_host; }
    void setHost(const QString& v) { m_host = v; }
    QString Descripcion() const { return m_descripcion; }
    void setDescripcion(const QString& v) { m_descripcion = v; }
    qint16 Empresa() const { return m_empresa; }
    void setEmpresa(qint16 v) { m_empresa = v; }
    qint16 TarifaPVP() const { return m_tarifaPVP; }
    void setTarifaPVP(qint16 v) { m_tarifaPVP = v; }
    qint16 TarifaProm() const { return m_tarifaProm; }
    void setTarifaProm(qint16 v) { m_tarifaProm = v; }
    // 1 when the terminal works on line; any non-zero value read back is 1.
    qint16 EnLinea() const { return m_enLinea; }
    void setEnLinea(qint16 v) { m_enLinea = v; }
    qint16 Almacen() const { return m_almacen; }
    void setAlmacen(qint16 v) { m_almacen = v; }
    bool Emergencia() const { return m_emergencia; }
    void setEmergencia(bool v) { m_emergencia = v; }

    // The suite's database: every operation but Dev_CodigoTicket runs on it.
    void setConexion(db::Connection* conn) { m_conn = conn; }
    db::Connection* Conexion() const { return m_conn; }
    // The database that holds the ticket counter; only Dev_CodigoTicket uses it.
    void setConexionTpv(db::Connection* conn) { m_connTpv = conn; }
    db::Connection* ConexionTpv() const { return m_connTpv; }

    // Saves the terminal: updates its row, inserts it when there is none, and
    // when it is the emergency terminal clears the flag on every other
    // terminal. All of it or nothing is written.
    void Modificar();
    void Insertar();
    // Raises rowDeletedError (db/Error.h) when another user deleted the terminal meanwhile.
    void Eliminar();

    // Loading operations: the code they start from is the target's Codigo;
    // the target is clsDest or, without it, this object. They return true
    // when a row was found and copied, false leaving the target unchanged.
    bool Cargar(clsTPV* clsDest = nullptr);
    bool Cargar_Anterior(clsTPV* clsDest = nullptr);
    bool Cargar_Primero(clsTPV* clsDest = nullptr);
    bool Cargar_Siguiente(clsTPV* clsDest = nullptr);
    bool Cargar_Ultimo(clsTPV* clsDest = nullptr);

    // The next ticket number of the date (or of its year with continuous
    // numbering). With bolAct the number is taken: the counter moves on and
    // no other caller gets the same number; without it the number is only
    // looked at and nothing is written.
    qint32 Dev_CodigoTicket(bool bolAct, bool bolNumeracion_Continua, const QDate& dtePOSFecha);

private:
    db::Connection& conexion() const;
    db::Connection& tillConnection() const;
    Terminal row() const;
    // Runs a load of the store; a row found is copied into the target.
    bool loadInto(clsTPV* clsDest, const QString& source,
                  const std::function<std::optional<Terminal>(TerminalStore&, int)>& load);

    qint16 m_codigo = 0;
    QString m_host;
    QString m_descripcion;
    qint16 m_empresa = 0;
    qint16 m_tarifaPVP = 0;
    qint16 m_tarifaProm = 0;
    qint16 m_enLinea = 0;
    qint16 m_almacen = 0;
    bool m_emergencia = false;
    db::Connection* m_conn = nullptr;
    db::Connection* m_connTpv = nullptr;
};

} // namespace zqvr::terminals
