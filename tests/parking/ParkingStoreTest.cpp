// The parking bands without the window: the statements of the store and the
// checks of the two band dialogs, in their order.
#include "parking/BandValidation.h"
#include "parking/ParkingStore.h"

#include "db/Error.h"
#include "support/FailingTrigger.h"
#include "support/TestDatabase.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <functional>

using zqvr::Error;
using namespace zqvr; // errc
using zqvr::test::TestDatabase;
using namespace zqvr::parking;
using zqvr::test::dropFailingTrigger;
using zqvr::test::failingTrigger;

namespace {

class ParkingBands : public ::testing::Test {
protected:
    void SetUp() override
    {
        db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Centro')");
        db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 2, 'Puerto')");
        db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (2, 1, 'Otra empresa')");
    }
    TestDatabase db;
    ParkingStore store{db.conn(), 1};
};

FreeBand freeBand(qint16 alm, double ini, double fin, qint16 min)
{
    FreeBand b;
    b.almacen = alm;
    b.importeInicial = ini;
    b.importeFinal = fin;
    b.minutos = min;
    return b;
}

TariffBand tariff(qint16 alm, qint16 ini, qint16 fin, double pvp)
{
    TariffBand b;
    b.almacen = alm;
    b.minutoInicial = ini;
    b.minutoFinal = fin;
    b.pvp = pvp;
    return b;
}

TEST_F(ParkingBands, BandsListByWarehouseAndFirstLimitWithTheWarehouseName)
{
    store.InsertarGratis(freeBand(2, 0, 20, 30));
    store.InsertarGratis(freeBand(1, 50, 100, 120));
    store.InsertarGratis(freeBand(1, 0, 49.99, 60));
    store.InsertarGratis(freeBand(1, 10, 60, 90)); // overlapping bands are the user's business
    store.InsertarGratis(freeBand(7, 0, 10, 10));  // warehouse without a name row
    db.exec("INSERT INTO Parking_Gratis (Cod_Empresa, Cod_Almacen, ImporteInicial, ImporteFinal, Minutos)"
            " VALUES (2, 1, 0, 5, 5)");

    auto bands = store.CargarGratis();
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0].almacen, 1);
    EXPECT_EQ(bands[0].nombre, "Centro");
    EXPECT_DOUBLE_EQ(bands[0].importeFinal, 49.99);
    EXPECT_DOUBLE_EQ(bands[1].importeInicial, 10);
    EXPECT_DOUBLE_EQ(bands[2].importeInicial, 50);
    EXPECT_EQ(bands[2].minutos, 120);
    EXPECT_EQ(bands[3].nombre, "Puerto");
    // Hidden, not lost.
    EXPECT_EQ(db.count("Parking_Gratis", "Cod_Almacen = 7"), 1);

    store.InsertarTarifa(tariff(1, 61, 180, 0.03));
    store.InsertarTarifa(tariff(1, 1, 60, 0.025));
    store.InsertarTarifa(tariff(2, 30, 10, 0.5)); // last minute below the first is accepted
    auto fares = store.CargarTarifas();
    ASSERT_EQ(fares.size(), 3u);
    EXPECT_EQ(fares[0].minutoInicial, 1);
    EXPECT_DOUBLE_EQ(fares[0].pvp, 0.025);
    EXPECT_EQ(fares[1].minutoFinal, 180);
    EXPECT_EQ(fares[2].minutoInicial, 30);
    EXPECT_EQ(fares[2].minutoFinal, 10);
}

TEST_F(ParkingBands, ModifyAndDeleteActOnOneBandAndTellWhenItIsGone)
{
    store.InsertarGratis(freeBand(1, 0, 20, 30));
    store.InsertarGratis(freeBand(1, 20, 50, 60));
    FreeBand b = store.CargarGratis()[0];
    b.almacen = 2;
    b.importeFinal = 19.99;
    b.minutos = 45;
    store.ModificarGratis(b);
    auto bands = store.CargarGratis();
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_EQ(bands[1].id, b.id);
    EXPECT_EQ(bands[1].almacen, 2);
    EXPECT_DOUBLE_EQ(bands[1].importeFinal, 19.99);
    EXPECT_EQ(bands[1].minutos, 45);
    EXPECT_DOUBLE_EQ(bands[0].importeFinal, 50);

    store.EliminarGratis(b.id);
    EXPECT_EQ(db.count("Parking_Gratis"), 1);
    // Another user got there first: said so, nothing written.
    const auto expectGone = [](const std::function<void()>& op) {
        try {
            op();
            ADD_FAILURE() << "a band that is gone was changed silently";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), errc::RowDeleted);
            EXPECT_EQ(e.description(), "El elemento ya no existe: otro usuario lo ha eliminado.");
        }
    };
    expectGone([&] { store.EliminarGratis(b.id); });
    expectGone([&] { store.ModificarGratis(b); });
    EXPECT_EQ(db.count("Parking_Gratis"), 1);

    store.InsertarTarifa(tariff(1, 1, 60, 0.02));
    TariffBand t = store.CargarTarifas()[0];
    t.pvp = 0.0125;
    store.ModificarTarifa(t);
    EXPECT_DOUBLE_EQ(store.CargarTarifas()[0].pvp, 0.0125);
    store.EliminarTarifa(t.id);
    expectGone([&] { store.ModificarTarifa(t); });
    expectGone([&] { store.EliminarTarifa(t.id); });
    EXPECT_EQ(db.count("Parking_Tarifa"), 0);
}

TEST_F(ParkingBands, FailuresReachTheCallerAndLeaveTheTableUnchanged)
{
    store.InsertarGratis(freeBand(1, 0, 20, 30));
    failingTrigger(db, "fail", "BEFORE UPDATE", "Parking_Gratis", "fallo");
    FreeBand b = store.CargarGratis()[0];
    b.minutos = 99;
    try {
        store.ModificarGratis(b);
        FAIL() << "the update should have failed";
    } catch (const Error& e) {
        EXPECT_EQ(e.source(), "frmParkingMtto:Modificar_Gratis");
    }
    EXPECT_EQ(store.CargarGratis()[0].minutos, 30);
}

// The user's amounts, typed in the suite's notation, reach the database as
// numbers even where the machine writes decimals with a comma.
TEST_F(ParkingBands, TypedAmountsBecomeNumericLiteralsUnderACommaDecimalLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(amountLiteral(1234.56), "1234.56");
    EXPECT_EQ(amountLiteral(0.0125), "0.0125");

    FreeBand b;
    ASSERT_FALSE(validarGratis({true, 1, "1.234,5", "2.000", "60"}, b));
    store.InsertarGratis(b);
    FreeBand p;
    ASSERT_FALSE(validarGratis({true, 1, "12.5", "12,75", "30"}, p)); // a lone point reads as decimal point
    store.InsertarGratis(p);
    TariffBand t;
    ASSERT_FALSE(validarTarifa({true, 2, "1", "60", "0,025"}, t));
    store.InsertarTarifa(t);
    QLocale::setDefault(saved);

    EXPECT_DOUBLE_EQ(db.conn().scalar("SELECT ImporteInicial FROM Parking_Gratis WHERE Minutos = 60").toDouble(), 1234.5);
    EXPECT_DOUBLE_EQ(db.conn().scalar("SELECT ImporteFinal FROM Parking_Gratis WHERE Minutos = 60").toDouble(), 2000);
    EXPECT_DOUBLE_EQ(db.conn().scalar("SELECT ImporteInicial FROM Parking_Gratis WHERE Minutos = 30").toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(db.conn().scalar("SELECT ImporteFinal FROM Parking_Gratis WHERE Minutos = 30").toDouble(), 12.75);
    EXPECT_DOUBLE_EQ(db.conn().scalar("SELECT Pvp FROM Parking_Tarifa").toDouble(), 0.025);
}

QString freeMessage(FreeBandInput in)
{
    FreeBand b;
    auto p = validarGratis(in, b);
    return p ? p->field + QStringLiteral(": ") + p->message : QStringLiteral("ok");
}

QString tariffMessage(TariffBandInput in)
{
    TariffBand b;
    auto p = validarTarifa(in, b);
    return p ? p->field + QStringLiteral(": ") + p->message : QStringLiteral("ok");
}

TEST(BandChecks, FreeBandIsCheckedInTheWindowsOrder)
{
    // Each case fails every check from its own on, so the first failing check shows.
    EXPECT_EQ(freeMessage({false, 1, "50", "0", "0"}), "txtAlmacen: Debe especificar un Almacén Válido.");
    EXPECT_EQ(freeMessage({true, 0, "50", "0", "0"}), "txtAlmacen: Debe especificar un Almacén Válido.");
    EXPECT_EQ(freeMessage({true, 1, "50", "0", "0"}), "txtImporteFinal: Debe especificar un Importe Final.");
    EXPECT_EQ(freeMessage({true, 1, "50", "", "0"}), "txtImporteFinal: Debe especificar un Importe Final.");
    EXPECT_EQ(freeMessage({true, 1, "50", "abc", "0"}), "txtImporteFinal: Debe especificar un Importe Final.");
    EXPECT_EQ(freeMessage({true, 1, "50", "49,99", "0"}),
              "txtImporteFinal: Importe Inicial tiene que ser menor a Importe Final.");
    EXPECT_EQ(freeMessage({true, 1, "50", "-5", "0"}),
              "txtImporteFinal: Importe Inicial tiene que ser menor a Importe Final.");
    EXPECT_EQ(freeMessage({true, 1, "50", "50", "0"}), "txtMinutos: Debe especificar los Minutos Gratis.");
    EXPECT_EQ(freeMessage({true, 1, "50", "50", "0,4"}), "txtMinutos: Debe especificar los Minutos Gratis.");
    EXPECT_EQ(freeMessage({true, 1, "10", "10", "30"}), "ok"); // equal limits pass
    EXPECT_EQ(freeMessage({true, 1, "", "10", "30"}), "ok");

    // Typing slips the window's own checks let through.
    EXPECT_EQ(freeMessage({true, 1, "abc", "10", "30"}), "txtImporteInicial: Debe especificar un Importe Inicial válido.");
    EXPECT_EQ(freeMessage({true, 1, "-10", "-5", "30"}), "txtImporteInicial: Debe especificar un Importe Inicial válido.");
    EXPECT_EQ(freeMessage({true, 1, "0", "1e300", "30"}), "txtImporteFinal: Debe especificar un Importe Final.");
    EXPECT_EQ(freeMessage({true, 1, "0", "99999999999999999999", "30"}),
              "txtImporteFinal: Debe especificar un Importe Final válido.");
    EXPECT_EQ(freeMessage({true, 1, "0", "10", "-30"}), "txtMinutos: Debe especificar unos Minutos Gratis válidos.");
    EXPECT_EQ(freeMessage({true, 1, "0", "10", "40000"}), "txtMinutos: Debe especificar unos Minutos Gratis válidos.");
    EXPECT_EQ(freeMessage({true, 1, "0", "10", "1e12"}), "txtMinutos: Debe especificar los Minutos Gratis.");
    EXPECT_EQ(freeMessage({true, 1, "0", "10", "1.000.000.000.000"}),
              "txtMinutos: Debe especificar unos Minutos Gratis válidos.");

    FreeBand b;
    b.id = 9;
    ASSERT_FALSE(validarGratis({true, 3, "1.000,5", "2.000,25", "29,6"}, b));
    EXPECT_EQ(b.id, 9);
    EXPECT_EQ(b.almacen, 3);
    EXPECT_DOUBLE_EQ(b.importeInicial, 1000.5);
    EXPECT_DOUBLE_EQ(b.importeFinal, 2000.25);
    EXPECT_EQ(b.minutos, 30);
}

TEST(BandChecks, TariffBandIsCheckedInTheWindowsOrderWithoutOrderingTheMinutes)
{
    EXPECT_EQ(tariffMessage({false, 1, "0", "0", "0"}), "txtAlmacen: Debe especificar un Almacén Válido.");
    EXPECT_EQ(tariffMessage({true, 1, "0", "0", "0"}), "txtMinutoInicial: Debe especificar un Minuto Inicial.");
    EXPECT_EQ(tariffMessage({true, 1, "1", "0", "0"}), "txtMinutoFinal: Debe especificar un Minuto Final.");
    EXPECT_EQ(tariffMessage({true, 1, "1", "abc", "0"}), "txtMinutoFinal: Debe especificar un Minuto Final.");
    EXPECT_EQ(tariffMessage({true, 1, "1", "60", "0"}), "txtPvp: Debe especificar el Precio del Minuto.");
    EXPECT_EQ(tariffMessage({true, 1, "1", "60", "x"}), "txtPvp: Debe especificar el Precio del Minuto.");
    EXPECT_EQ(tariffMessage({true, 1, "30", "10", "0,02"}), "ok");

    EXPECT_EQ(tariffMessage({true, 1, "-1", "10", "0,02"}), "txtMinutoInicial: Debe especificar un Minuto Inicial válido.");
    EXPECT_EQ(tariffMessage({true, 1, "1", "99999", "0,02"}), "txtMinutoFinal: Debe especificar un Minuto Final válido.");
    EXPECT_EQ(tariffMessage({true, 1, "1", "10", "-0,02"}), "txtPvp: Debe especificar un Precio del Minuto válido.");

    TariffBand t;
    ASSERT_FALSE(validarTarifa({true, 2, "61", "180", "0,035"}, t));
    EXPECT_EQ(t.minutoInicial, 61);
    EXPECT_EQ(t.minutoFinal, 180);
    EXPECT_DOUBLE_EQ(t.pvp, 0.035);
}

TEST(BandChecks, DialogAmountsKeepEveryStoredDecimal)
{
    EXPECT_EQ(amountFieldText(1234.5), "1.234,50");
    EXPECT_EQ(amountFieldText(0.0125), "0,0125");
    EXPECT_EQ(amountFieldText(0.025), "0,025");
    EXPECT_EQ(amountFieldText(0), "0,00");
}

} // namespace
