// The reservation's printout: the description handed to the layout, the
// standard layout rendered to PDF and read back, and the custom layout
// through the host's object or, without one, from Rpt/.
#include "reservations/ReservationPrinting.h"

#include "../reports/PdfText.h"
#include "ReservationFixture.h"
#include "db/Error.h"
#include "host/Empresa.h"
#include "host/ReservationPrinter.h"
#include "reports/Report.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::reservations;

namespace {

class ReservationPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::fillReservationFixture(db);
        db.empresa().setSumarImpuestos(true);
        db.empresa().setRutaAplicacion(QStringLiteral(ZQVR_SOURCE_DIR));
    }
    void TearDown() override { host::ReservationPrinter::setFactory({}); }
    Reservation load(int codigo) { return loadReservation(db.conn(), db.empresa(), codigo).value(); }

    test::TestDatabase db;
    QTemporaryDir dir;
};

TEST_F(ReservationPrint, DescriptionNamesNumberWarehouseDatesStateAndInstalments)
{
    EXPECT_EQ(descripcionReserva(101, 1, QStringLiteral("Triana"), QDateTime(QDate(2026, 11, 10), QTime(0, 0)),
                                 QDateTime(QDate(2026, 11, 30), QTime(23, 30)), QStringLiteral("ABIERTA")),
              QStringLiteral("Reserva: 101 - Almacén: 1 / Triana - Fecha: 10/11/2026 - Fecha Modificación: 30/11/2026"
                             " - Estado: ABIERTA - Entrega a Cuenta: Sí"));
    EXPECT_TRUE(descripcionReserva(0, 1, QString(), {}, {}, QStringLiteral("ANULADA"))
                    .startsWith(QStringLiteral("Reserva: Todas - ")));

    // The parameters the layout receives.
    auto rpt = ReservationPrinting::build(ReservationPrinting::standardLayout(db.empresa()), db.conn(), db.empresa(),
                                          load(101));
    EXPECT_TRUE(rpt->parameterValue(QStringLiteral("Descripcion"))
                    .toString()
                    .startsWith(QStringLiteral("Reserva: 101 - Almacén: 1 / Triana - Fecha: 10/11/2026")));
    EXPECT_EQ(rpt->parameterValue(QStringLiteral("Fecha")).toString(), QStringLiteral("10/11/2026 00:00"));
    EXPECT_EQ(rpt->parameterValue(QStringLiteral("FechaModificacion")).toString(), QStringLiteral("30/11/2026 23:30"));
    EXPECT_EQ(rpt->parameterValue(QStringLiteral("Pendiente")).toString(), QStringLiteral("6,01"));
    EXPECT_EQ(rpt->data().rowCount(), 3);
}

TEST_F(ReservationPrint, StandardLayoutPrintsWhatTheViewerShows)
{
    const QString pdf = dir.filePath(QStringLiteral("reserva.pdf"));
    ReservationPrinting::printStandard(db.conn(), db.empresa(), load(101), {host::OutputDevice::File, pdf}, nullptr);
    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Supermercados Atlántico, S.L."))) << text.toStdString(); // Empresa.rpt
    EXPECT_TRUE(text.contains(QStringLiteral("Reserva: 101 - Almacén: 1 / Triana")));
    EXPECT_TRUE(text.contains(QStringLiteral("Bazar O'Donnell")));
    EXPECT_TRUE(text.contains(QStringLiteral("CAMISETA")));
    EXPECT_TRUE(text.contains(QStringLiteral("AG: 3 - Rosa Déniz")));
    EXPECT_TRUE(text.contains(QStringLiteral("999")));
    EXPECT_TRUE(text.contains(QStringLiteral("21,40")));
    EXPECT_TRUE(text.contains(QStringLiteral("VALE (CAMBIO)")));
    EXPECT_TRUE(text.contains(QStringLiteral("40,66")));
    EXPECT_TRUE(text.contains(QStringLiteral("6,01")));
}

TEST_F(ReservationPrint, CustomLayoutIsTheHostsOrTheNamedFileOrAClearMessage)
{
    const Reservation r = load(101);
    const QString pdf = dir.filePath(QStringLiteral("personalizada.pdf"));
    // No layout named.
    try {
        ReservationPrinting::printCustom(db.conn(), db.empresa(), r, {host::OutputDevice::File, pdf}, nullptr);
        FAIL() << "printed without a layout";
    } catch (const Error& e) {
        EXPECT_EQ(e.description(), QStringLiteral("No se ha indicado el formato personalizado de impresión de reservas."));
    }
    // A layout that is not in Rpt/.
    db.empresa().setVariable(QStringLiteral("Fenvary_ModeloImpresionReserva"), QStringLiteral("Reserva_Tienda"));
    try {
        ReservationPrinting::printCustom(db.conn(), db.empresa(), r, {host::OutputDevice::File, pdf}, nullptr);
        FAIL() << "printed a layout that does not exist";
    } catch (const Error& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("\"Reserva_Tienda.rpt\""))) << e.description().toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf));
    // A layout that is there.
    db.empresa().setVariable(QStringLiteral("Fenvary_ModeloImpresionReserva"), QStringLiteral("Reservas_Listado"));
    ReservationPrinting::printCustom(db.conn(), db.empresa(), r, {host::OutputDevice::File, pdf}, nullptr);
    EXPECT_TRUE(test::pdfText(pdf).contains(QStringLiteral("Reserva: 101")));

    // The host's own object takes the request instead.
    struct Recorder : host::ReservationPrinter {
        host::ReservationPrintRequest* seen;
        explicit Recorder(host::ReservationPrintRequest* s) : seen(s) {}
        void print(const host::ReservationPrintRequest& r) override { *seen = r; }
    };
    host::ReservationPrintRequest seen;
    host::ReservationPrinter::setFactory([&] { return std::make_unique<Recorder>(&seen); });
    ReservationPrinting::printCustom(db.conn(), db.empresa(), r, {host::OutputDevice::Printer, QStringLiteral("PDF")},
                                     nullptr);
    EXPECT_EQ(seen.codigo, 101);
    EXPECT_EQ(seen.codEmpresa, 1);
    EXPECT_EQ(seen.modelo, QStringLiteral("Reservas_Listado"));
    EXPECT_EQ(seen.empresa, &db.empresa());
    EXPECT_EQ(seen.device, host::OutputDevice::Printer);
    EXPECT_EQ(seen.target, QStringLiteral("PDF"));
}

} // namespace
