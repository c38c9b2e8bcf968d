// The terminals read the car-park bands from Parking_Gratis and
// Parking_Tarifa; the maintenance screen's statements are the system's text,
// rendered for SQL Server, with amounts written with a "." decimal point.
#include "db/Error.h"
#include "parking/ParkingStore.h"
#include "support/StatementContract.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::parking;
using db::Connection;

namespace {
// The recorder changes no row: a band is reported as deleted meanwhile by
// another user, after its statement was sent.
template <typename F>
void rejected(F&& f)
{
    EXPECT_THROW(f(), zqvr::Error);
}

const FreeBand kFree{7, 2, QString(), 20, 49.99, 60};
const TariffBand kTariff{8, 2, QString(), 0, 30, 0.025};
} // namespace

TEST(StatementContract, TheParkingScreenSendsTheSystemsStatements)
{
    test::expectStatements("parking bands", {
        {"free bands", [](Connection& c) { ParkingStore(c, 1).CargarGratis(); },
         {"SELECT g.*, alm.Nombre FROM Parking_Gratis g INNER JOIN Almacenes alm ON alm.Cod_Empresa = g.Cod_Empresa"
          " AND alm.Codigo = g.Cod_Almacen WHERE g.Cod_Empresa =1 ORDER BY g.Cod_Almacen, g.ImporteInicial"}},
        {"tariffs", [](Connection& c) { ParkingStore(c, 1).CargarTarifas(); },
         {"SELECT t.*, alm.Nombre FROM Parking_Tarifa t INNER JOIN Almacenes alm ON alm.Cod_Empresa = t.Cod_Empresa"
          " AND alm.Codigo = t.Cod_Almacen WHERE t.Cod_Empresa =1 ORDER BY t.Cod_Almacen, t.MinutoInicial"}},
        {"add a free band", [](Connection& c) { ParkingStore(c, 1).InsertarGratis(kFree); },
         {"INSERT INTO Parking_Gratis (Cod_Empresa, Cod_Almacen, ImporteInicial, ImporteFinal, Minutos)"
          " VALUES (1, 2, 20, 49.99, 60)"}},
        {"add a tariff", [](Connection& c) { ParkingStore(c, 1).InsertarTarifa(kTariff); },
         {"INSERT INTO Parking_Tarifa (Cod_Empresa, Cod_Almacen, MinutoInicial, MinutoFinal, Pvp)"
          " VALUES (1, 2, 0, 30, 0.025)"}},
        {"change a free band", [](Connection& c) { rejected([&] { ParkingStore(c, 1).ModificarGratis(kFree); }); },
         {"UPDATE Parking_Gratis SET Cod_Almacen =2, ImporteInicial =20, ImporteFinal =49.99, Minutos =60 WHERE Id=7"}},
        {"change a tariff", [](Connection& c) { rejected([&] { ParkingStore(c, 1).ModificarTarifa(kTariff); }); },
         {"UPDATE Parking_Tarifa SET Cod_Almacen=2, MinutoInicial =0, MinutoFinal =30, Pvp =0.025 WHERE Id=8"}},
        {"delete a free band", [](Connection& c) { rejected([&] { ParkingStore(c, 1).EliminarGratis(7); }); },
         {"DELETE FROM Parking_Gratis WHERE Id=7"}},
        {"delete a tariff", [](Connection& c) { rejected([&] { ParkingStore(c, 1).EliminarTarifa(8); }); },
         {"DELETE FROM Parking_Tarifa WHERE Id=8"}},
    });
}
