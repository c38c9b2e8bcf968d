#include "parking/ParkingStore.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"

namespace zqvr::parking {

namespace {
// A band has no name of its own; the user knows it as the line of the grid.
QString banda() { return QStringLiteral("El elemento"); }
} // namespace

using db::sqlInt;

QString amountLiteral(double amount) { return db::sqlNumber(amount, 4); }

ParkingStore::ParkingStore(db::Connection& conn, qint16 empresa) : m_conn(conn), m_empresa(empresa) {}

std::vector<FreeBand> ParkingStore::CargarGratis() const
{
    return reraiseAs(QStringLiteral("frmParkingMtto:Cargar_Gratis"), [&] {
        std::vector<FreeBand> out;
        db::RecordSet rs = m_conn.query(
            QStringLiteral("SELECT g.*, alm.Nombre FROM Parking_Gratis g") +
            QStringLiteral(" INNER JOIN Almacenes alm ON alm.Cod_Empresa = g.Cod_Empresa AND alm.Codigo = g.Cod_Almacen") +
            QStringLiteral(" WHERE g.Cod_Empresa =") + sqlInt(m_empresa) +
            QStringLiteral(" ORDER BY g.Cod_Almacen, g.ImporteInicial"));
        while (!rs.eof()) {
            FreeBand b;
            b.id = rs[QStringLiteral("Id")].toInt();
            b.almacen = static_cast<qint16>(rs[QStringLiteral("Cod_Almacen")].toInt());
            b.nombre = rs[QStringLiteral("Nombre")].toString();
            b.importeInicial = rs[QStringLiteral("ImporteInicial")].toDouble();
            b.importeFinal = rs[QStringLiteral("ImporteFinal")].toDouble();
            b.minutos = static_cast<qint16>(rs[QStringLiteral("Minutos")].toInt());
            out.push_back(std::move(b));
            rs.moveNext();
        }
        return out;
    });
}

std::vector<TariffBand> ParkingStore::CargarTarifas() const
{
    return reraiseAs(QStringLiteral("frmParkingMtto:Cargar_Tarifas"), [&] {
        std::vector<TariffBand> out;
        db::RecordSet rs = m_conn.query(
            QStringLiteral("SELECT t.*, alm.Nombre FROM Parking_Tarifa t") +
            QStringLiteral(" INNER JOIN Almacenes alm ON alm.Cod_Empresa = t.Cod_Empresa AND alm.Codigo = t.Cod_Almacen") +
            QStringLiteral(" WHERE t.Cod_Empresa =") + sqlInt(m_empresa) +
            QStringLiteral(" ORDER BY t.Cod_Almacen, t.MinutoInicial"));
        while (!rs.eof()) {
            TariffBand b;
            b.id = rs[QStringLiteral("Id")].toInt();
            b.almacen = static_cast<qint16>(rs[QStringLiteral("Cod_Almacen")].toInt());
            b.nombre = rs[QStringLiteral("Nombre")].toString();
            b.minutoInicial = static_cast<qint16>(rs[QStringLiteral("MinutoInicial")].toInt());
            b.minutoFinal = static_cast<qint16>(rs[QStringLiteral("MinutoFinal")].toInt());
            b.pvp = rs[QStringLiteral("Pvp")].toDouble();
            out.push_back(std::move(b));
            rs.moveNext();
        }
        return out;
    });
}

void ParkingStore::InsertarGratis(const FreeBand& b)
{
    reraiseAs(QStringLiteral("frmParkingMtto:Insertar_Gratis"), [&] {
        m_conn.execute(QStringLiteral("INSERT INTO Parking_Gratis (Cod_Empresa, Cod_Almacen, ImporteInicial, "
                                      "ImporteFinal, Minutos) VALUES (") +
                       sqlInt(m_empresa) + QStringLiteral(", ") + sqlInt(b.almacen) + QStringLiteral(", ") +
                       amountLiteral(b.importeInicial) + QStringLiteral(", ") + amountLiteral(b.importeFinal) +
                       QStringLiteral(", ") + sqlInt(b.minutos) + QStringLiteral(")"));
    });
}

void ParkingStore::InsertarTarifa(const TariffBand& b)
{
    reraiseAs(QStringLiteral("frmParkingMtto:Insertar_Tarifa"), [&] {
        m_conn.execute(QStringLiteral("INSERT INTO Parking_Tarifa (Cod_Empresa, Cod_Almacen, MinutoInicial, "
                                      "MinutoFinal, Pvp) VALUES (") +
                       sqlInt(m_empresa) + QStringLiteral(", ") + sqlInt(b.almacen) + QStringLiteral(", ") +
                       sqlInt(b.minutoInicial) + QStringLiteral(", ") + sqlInt(b.minutoFinal) +
                       QStringLiteral(", ") + amountLiteral(b.pvp) + QStringLiteral(")"));
    });
}

void ParkingStore::ModificarGratis(const FreeBand& b)
{
    reraiseAs(QStringLiteral("frmParkingMtto:Modificar_Gratis"), [&] {
        expectRow(m_conn.execute(QStringLiteral("UPDATE Parking_Gratis") + QStringLiteral(" SET Cod_Almacen =") +
                                  sqlInt(b.almacen) + QStringLiteral(", ImporteInicial =") +
                                  amountLiteral(b.importeInicial) + QStringLiteral(", ImporteFinal =") +
                                  amountLiteral(b.importeFinal) + QStringLiteral(", Minutos =") + sqlInt(b.minutos) +
                                  QStringLiteral(" WHERE Id=") + sqlInt(b.id)), banda());
    });
}

void ParkingStore::ModificarTarifa(const TariffBand& b)
{
    reraiseAs(QStringLiteral("frmParkingMtto:Modificar_Tarifa"), [&] {
        expectRow(m_conn.execute(QStringLiteral("UPDATE Parking_Tarifa") + QStringLiteral(" SET Cod_Almacen=") +
                                  sqlInt(b.almacen) + QStringLiteral(", MinutoInicial =") + sqlInt(b.minutoInicial) +
                                  QStringLiteral(", MinutoFinal =") + sqlInt(b.minutoFinal) +
                                  QStringLiteral(", Pvp =") + amountLiteral(b.pvp) + QStringLiteral(" WHERE Id=") +
                                  sqlInt(b.id)), banda());
    });
}

void ParkingStore::EliminarGratis(qint32 id)
{
    reraiseAs(QStringLiteral("frmParkingMtto:Eliminar_Gratis"), [&] {
        expectRow(m_conn.execute(QStringLiteral("DELETE FROM Parking_Gratis") + QStringLiteral(" WHERE Id=") +
                                  sqlInt(id)), banda());
    });
}

void ParkingStore::EliminarTarifa(qint32 id)
{
    reraiseAs(QStringLiteral("frmParkingMtto:Eliminar_Tarifa"), [&] {
        expectRow(m_conn.execute(QStringLiteral("DELETE FROM Parking_Tarifa") + QStringLiteral(" WHERE Id=") +
                                  sqlInt(id)), banda());
    });
}

} // namespace zqvr::parking
