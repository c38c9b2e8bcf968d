// The reservations store and the reservation as the viewer works it out,
// without widgets, on the two-company fixture.
#include "reservations/Reservation.h"
#include "reservations/ReservationStatements.h"
#include "reservations/ReservationStore.h"

#include "ReservationFixture.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "host/Empresa.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::reservations;

namespace {

class Reservations : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::fillReservationFixture(db);
        db.empresa().setSumarImpuestos(true);
    }
    QList<int> listed(const ReservationFilter& f)
    {
        QList<int> out;
        for (const ReservationListRow& r : ReservationStore(db.conn()).list(f))
            out << r.codigo;
        return out;
    }
    ReservationFilter november(EstadoFiltro e = EstadoFiltro::Todas)
    {
        ReservationFilter f;
        f.empresa = 1;
        f.desde = QDate(2026, 11, 1);
        f.hasta = QDate(2026, 11, 30);
        f.estado = e;
        return f;
    }
    Reservation load(int codigo)
    {
        auto r = loadReservation(db.conn(), db.empresa(), codigo);
        EXPECT_TRUE(r.has_value()) << codigo;
        return r.value_or(Reservation{});
    }

    test::TestDatabase db;
};

TEST_F(Reservations, TotalsCountPaymentsSalesAndTheLineOfADeletedArticleButNotASoldLine)
{
    const Reservation r = load(101);
    // The deleted article's line is still there, with its code; the agent
    // of the other company with the same code doubles nothing.
    ASSERT_EQ(r.lines.size(), 3);
    EXPECT_EQ(r.lines[2].articulo, 999);
    EXPECT_FALSE(r.lines[2].articuloExiste);
    EXPECT_TRUE(r.lines[2].descTicket.isEmpty());
    EXPECT_EQ(r.lines[0].descTicket, QStringLiteral("CAMISETA"));
    EXPECT_EQ(r.lines[0].nombreCualidadX, QStringLiteral("L"));
    EXPECT_EQ(r.lines[0].nombreCualidadY, QStringLiteral("Rojo"));
    EXPECT_EQ(r.lines[0].nombreAgente, QStringLiteral("Rosa Déniz"));
    EXPECT_EQ(r.header.nombreAgente, QStringLiteral("Rosa Déniz"));
    // 2 x 10,00 less 10 % = 18,00 + 7 % = 19,26; 20,00 + 7 % = 21,40; the sold 5,35 is left out.
    EXPECT_DOUBLE_EQ(r.lines[0].importe, 19.26);
    EXPECT_DOUBLE_EQ(r.lines[1].importe, 5.35);
    EXPECT_DOUBLE_EQ(r.lines[2].importe, 21.40);
    EXPECT_DOUBLE_EQ(r.totals.totalReservaPendiente, 40.66);
    EXPECT_DOUBLE_EQ(r.totals.entregado, 40.00);
    EXPECT_DOUBLE_EQ(r.totals.vendido, 5.35);
    EXPECT_DOUBLE_EQ(r.totals.pendiente, 6.01);
    ASSERT_EQ(r.movements.size(), 4);
    EXPECT_TRUE(r.movements[2].venta);
    EXPECT_TRUE(r.movements[3].cambio);
    EXPECT_EQ(tipoEntregaTexto(r.movements[3]), QStringLiteral("VALE (CAMBIO)"));
    EXPECT_EQ(tipoEntregaTexto(r.movements[2]), QStringLiteral("VENTA"));

    // A cancelled reservation: the refund takes the payment back.
    const Reservation anulada = load(103);
    EXPECT_DOUBLE_EQ(anulada.totals.entregado, 0.0);
    EXPECT_DOUBLE_EQ(anulada.totals.pendiente, 12.0);
    EXPECT_TRUE(anulada.movements[1].anulacion);
}

TEST_F(Reservations, TaxIsAddedByTheCompanysFlagAndRegimeExceptForIntraCommunityOrNoCustomer)
{
    EXPECT_TRUE(load(101).impuestoSumado);
    db.empresa().setSumarImpuestos(false);
    const Reservation sinImpuesto = load(101);
    EXPECT_FALSE(sinImpuesto.impuestoSumado);
    EXPECT_DOUBLE_EQ(sinImpuesto.totals.totalReservaPendiente, 38.00);
    EXPECT_DOUBLE_EQ(sinImpuesto.totals.pendiente, 3.35);

    db.empresa().setSumarImpuestos(true);
    // The second tax system: 21 % on type 2.
    db.exec("UPDATE Almacenes SET Regimen_Impuesto = 1 WHERE Cod_Empresa = 1");
    EXPECT_DOUBLE_EQ(load(101).totals.totalReservaPendiente, 45.98);
    db.exec("UPDATE Almacenes SET Regimen_Impuesto = 0 WHERE Cod_Empresa = 1");

    // Intra-community customer, and no customer at all: no tax.
    const Reservation intra = load(103);
    EXPECT_TRUE(intra.intraComunitario);
    EXPECT_FALSE(intra.impuestoSumado);
    EXPECT_DOUBLE_EQ(intra.lines[0].importe, 12.0);
    const Reservation deNadie = load(102);
    EXPECT_TRUE(deNadie.intraComunitario);
    EXPECT_DOUBLE_EQ(deNadie.lines[0].importe, 8.0);
}

TEST_F(Reservations, CompanyObjectReadsTheRateValidTodayInItsRegime)
{
    host::Empresa& e = db.empresa();
    EXPECT_DOUBLE_EQ(e.ValorImpuesto(2), 7.0);
    EXPECT_DOUBLE_EQ(e.ValorImpuesto(2, QDate(2010, 1, 1)), 5.0);
    EXPECT_DOUBLE_EQ(e.ValorImpuesto(9), 0.0); // no such type
    const QHash<int, double> all = e.ValoresImpuesto();
    EXPECT_EQ(all.size(), 2);
    EXPECT_DOUBLE_EQ(all.value(2), 7.0);
    db.exec("UPDATE Almacenes SET Regimen_Impuesto = 1 WHERE Cod_Empresa = 1");
    EXPECT_EQ(e.RegimenImpuesto(), 1);
    EXPECT_DOUBLE_EQ(e.ValorImpuesto(3), 10.0);

    host::Empresa unconnected;
    try {
        unconnected.ValorImpuesto(2);
        FAIL() << "a company object without connection read a rate";
    } catch (const Error& err) {
        EXPECT_TRUE(err.description().contains(QStringLiteral("conexión")));
    }
}

TEST_F(Reservations, StateFilterAndTheCompanysOwnReservationsOnly)
{
    EXPECT_EQ(listed(november(EstadoFiltro::Todas)), (QList<int>{103, 102, 105, 104, 101}));
    EXPECT_EQ(listed(november(EstadoFiltro::Abierta)), (QList<int>{105, 104, 101}));
    EXPECT_EQ(listed(november(EstadoFiltro::Anulada)), (QList<int>{103}));
    EXPECT_EQ(listed(november(EstadoFiltro::Cerrada)), (QList<int>{102}));
    ReservationFilter f = november();
    f.almacen = 2;
    EXPECT_EQ(listed(f), (QList<int>{102}));

    const auto rows = ReservationStore(db.conn()).list(november(EstadoFiltro::Abierta));
    const ReservationListRow& r101 = rows.back();
    EXPECT_EQ(r101.nombreCliente, QStringLiteral("Bazar O'Donnell"));
    EXPECT_EQ(r101.nombreCajero, QStringLiteral("Ana López"));
    EXPECT_EQ(r101.fecha, QDate(2026, 11, 10));
    EXPECT_EQ(r101.vencimiento, QDate(2027, 1, 9));
    EXPECT_DOUBLE_EQ(r101.entregado, 40.0);
    EXPECT_TRUE(r101.pendiente);
}

TEST_F(Reservations, ANumberFindsItsReservationWhateverTheDatesAndCustomerButNotTheState)
{
    ReservationFilter f;
    f.empresa = 1;
    f.numero = 101;
    f.cliente = QStringLiteral("nadie");
    f.estado = EstadoFiltro::Todas;
    f.almacen = 2;
    EXPECT_EQ(listed(f), (QList<int>{101})); // company 1's, not company 2's of the same number
    f.estado = EstadoFiltro::Anulada;
    EXPECT_TRUE(listed(f).isEmpty());
    f.estado = EstadoFiltro::Todas;
    f.numero = 4711;
    EXPECT_TRUE(listed(f).isEmpty());
}

TEST_F(Reservations, DateRangesIncludeTheWholeLastDayAndAnOpenModificationEndIsLeftOut)
{
    ReservationFilter f = november();
    f.modifHasta = QDate(2026, 11, 30);
    EXPECT_TRUE(listed(f).contains(101)); // changed at 23:30 on the last day
    EXPECT_FALSE(listed(f).contains(103)); // changed on 01/12
    f.modifHasta = QDate(2026, 11, 29);
    EXPECT_FALSE(listed(f).contains(101));
    f.modifHasta = QDate();
    f.modifDesde = QDate(2026, 11, 30);
    EXPECT_EQ(listed(f), (QList<int>{103, 101}));

    // A day made with a time of day stored is still inside its last day.
    db.exec("UPDATE Reservas SET Fecha = '2026-11-30 18:00:00' WHERE Cod_Empresa = 1 AND Codigo = 104");
    EXPECT_TRUE(listed(november()).contains(104));
}

TEST_F(Reservations, CustomerTextIsSearchedLiterallyWithWildcardsAndQuotes)
{
    ReservationFilter f = november();
    f.cliente = QStringLiteral("50%");
    EXPECT_EQ(listed(f), (QList<int>{104}));
    f.cliente = QStringLiteral("_");
    EXPECT_EQ(listed(f), (QList<int>{104}));
    f.cliente = QStringLiteral("O'Neil");
    EXPECT_EQ(listed(f), (QList<int>{104}));
    f.cliente = QStringLiteral("[5]");
    EXPECT_TRUE(listed(f).isEmpty());
    f.cliente = QStringLiteral("descuento");
    EXPECT_EQ(listed(f), (QList<int>{105, 104}));
}

TEST_F(Reservations, ReservationOfAnotherCompanyOrGoneIsNotFound)
{
    EXPECT_FALSE(loadReservation(db.conn(), db.empresa(), 4711).has_value());
    db.empresa().setCodigoEmpresa(2);
    db.empresa().setEmpresaArticulos(2);
    db.empresa().setEmpresaClientes(2);
    const Reservation other = load(101);
    EXPECT_EQ(other.header.nombreCliente, QStringLiteral("Otra Empresa"));
    EXPECT_EQ(other.header.nombreAgente, QStringLiteral("Pedro Otro"));
    ASSERT_EQ(other.lines.size(), 1);
    EXPECT_EQ(other.lines[0].descTicket, QStringLiteral("CAFE"));
}

} // namespace
