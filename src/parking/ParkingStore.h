#pragma once
// The car-park bands of the company's warehouses, as the terminals read
// them: free-parking bands (a purchase between two amounts gives free
// minutes, Parking_Gratis) and tariff bands (a price per minute for a range
// of minutes, Parking_Tarifa). Bands may overlap; the terminals resolve that.
//
//   ParkingStore store(conn, empresa.CodigoEmpresa());
//   store.InsertarGratis({.almacen = 1, .importeInicial = 20, .importeFinal = 49.99, .minutos = 60});
//   for (const FreeBand& b : store.CargarGratis()) ...
//
// Amounts reach the statements as numeric literals with a "." decimal point
// whatever the machine's locale. Every operation re-raises its failures as
// zqvr::Error with the source "frmParkingMtto:<operation>".
#include "parking_export.h"

#include <QString>
#include <vector>

namespace zqvr::db { class Connection; }

namespace zqvr::parking {

struct ZQVR_PARKING_EXPORT FreeBand {
    qint32 id = 0;
    qint16 almacen = 0;
    QString nombre; // warehouse name, read only
    double importeInicial = 0;
    double importeFinal = 0;
    qint16 minutos = 0;
};

struct ZQVR_PARKING_EXPORT TariffBand {
    qint32 id = 0;
    qint16 almacen = 0;
    QString nombre;
    qint16 minutoInicial = 0;
    qint16 minutoFinal = 0;
    double pvp = 0;
};

class ZQVR_PARKING_EXPORT ParkingStore {
public:
    ParkingStore(db::Connection& conn, qint16 empresa);

    // The bands of warehouses that exist in Almacenes, by warehouse and then
    // by their first amount / first minute. Bands of a warehouse that is gone
    // are left out (and kept in the table).
    std::vector<FreeBand> CargarGratis() const;
    std::vector<TariffBand> CargarTarifas() const;

    void InsertarGratis(const FreeBand& b);
    void InsertarTarifa(const TariffBand& b);
    // Update or delete the band with b.id / id; raise rowDeletedError
    // (db/Error.h) when no such band is left (another user deleted it meanwhile).
    void ModificarGratis(const FreeBand& b);
    void ModificarTarifa(const TariffBand& b);
    void EliminarGratis(qint32 id);
    void EliminarTarifa(qint32 id);

private:
    db::Connection& m_conn;
    qint16 m_empresa;
};

// An amount as a statement literal: up to four decimals (what a currency
// column keeps), "." as decimal point.
ZQVR_PARKING_EXPORT QString amountLiteral(double amount);

} // namespace zqvr::parking
