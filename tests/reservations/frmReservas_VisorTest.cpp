// The reservations viewer driven through its widgets by name on the
// two-company fixture.
#include "reservations/frmReservas_Visor.h"

#include "../reports/PdfText.h"
#include "ReservationFixture.h"
#include "controls/Grid.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlDispositivo.h"
#include "controls/ctlMaskEdBox.h"
#include "controls/ctlTextBox.h"
#include "host/OleColor.h"
#include "support/ScreenTest.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using controls::Grid;
using reservations::frmReservas_Visor;

namespace {

class ReservationsViewer : public ::testing::Test {
protected:
    void SetUp() override
    {
        installInHostContext(db);
        test::fillReservationFixture(db);
        db.empresa().setSumarImpuestos(true);
        form = std::make_unique<frmReservas_Visor>();
        form->showForm(0);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    template <class T = QWidget>
    T* ctl(const char* name)
    {
        T* w = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    Grid* list() { return ctl<Grid>("grdReservas"); }
    QTabWidget* tabs() { return ctl<QTabWidget>("Tabs"); }
    QString text(const char* name) { return ctl<QLineEdit>(name)->text(); }
    QString label(const char* name) { return ctl<QLabel>(name)->text(); }
    void typeDate(const char* name, const QString& date)
    {
        auto* f = ctl<controls::ctlMaskEdBox>(name);
        f->setText(QString());
        f->setFocus();
        QTest::keyClicks(f, QString(date).remove(QLatin1Char('/')));
    }
    // Lists November's reservations in a state by Enter in the state list.
    void listNovember(const QString& estado = QStringLiteral("TODAS"))
    {
        typeDate("txtFechaIni", QStringLiteral("01/11/2026"));
        typeDate("txtFechaFin", QStringLiteral("30/11/2026"));
        auto* cbo = ctl<QComboBox>("cboEstado");
        cbo->setCurrentText(estado);
        cbo->setFocus();
        QTest::keyClick(cbo, Qt::Key_Return);
    }
    QStringList codes()
    {
        QStringList out;
        for (int r = 1; r < list()->Rows(); ++r)
            out << list()->TextMatrix(r, frmReservas_Visor::ResCodigo);
        return out;
    }
    int rowOf(int codigo) { return int(codes().indexOf(QString::number(codigo))) + 1; }
    QStringList messages() { return services.messages->texts(); }

    test::TestDatabase db;
    test::ServiceDoubles services;
    std::unique_ptr<frmReservas_Visor> form;
};

TEST_F(ReservationsViewer, OpensOnTheListWithTheMonthsFirstDayAndOpenReservations)
{
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Visor de Reservas"));
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(tabs()->tabText(0), QStringLiteral("Reservas"));
    EXPECT_EQ(tabs()->tabText(1), QStringLiteral("Detalles"));
    const QDate today = QDate::currentDate();
    EXPECT_EQ(ctl<controls::ctlMaskEdBox>("txtFechaIni")->Fecha(), QDate(today.year(), today.month(), 1));
    EXPECT_TRUE(ctl<controls::ctlMaskEdBox>("txtFechaFin")->isEmpty());
    EXPECT_EQ(ctl<QComboBox>("cboEstado")->currentText(), QStringLiteral("ABIERTA"));
    EXPECT_EQ(list()->Rows(), 1);
    EXPECT_FALSE(ctl<QPushButton>("cmdImprimir")->isEnabled());
    EXPECT_EQ(label("lblPendiente"), QStringLiteral("0,00"));
    QStringList heads;
    for (int c = 0; c < frmReservas_Visor::ResCols; ++c)
        heads << list()->TextMatrix(0, c);
    EXPECT_EQ(heads, (QStringList{"Fecha", "Código", "Cliente", "Vencim.", "Entregado", "Vendido", "Pend.", "Anul."}));
}

TEST_F(ReservationsViewer, ListShowsTwoLineCustomersAndColoursTheStates)
{
    listNovember();
    EXPECT_TRUE(messages().isEmpty()) << messages().join('\n').toStdString();
    EXPECT_EQ(codes(), (QStringList{"103", "102", "105", "104", "101"}));
    const int r101 = rowOf(101), r102 = rowOf(102), r103 = rowOf(103);
    EXPECT_EQ(list()->TextMatrix(r101, frmReservas_Visor::ResFecha), QStringLiteral("10/11/2026"));
    EXPECT_EQ(list()->TextMatrix(r101, frmReservas_Visor::ResCliente), QStringLiteral("Bazar O'Donnell\nCJ: 7 - Ana López"));
    EXPECT_EQ(list()->TextMatrix(r101, frmReservas_Visor::ResVencim), QStringLiteral("09/01/2027"));
    EXPECT_EQ(list()->TextMatrix(r101, frmReservas_Visor::ResEntregado), QStringLiteral("40,00"));
    EXPECT_EQ(list()->TextMatrix(r101, frmReservas_Visor::ResVendido), QStringLiteral("5,35"));
    EXPECT_EQ(list()->TextMatrix(r101, frmReservas_Visor::ResPend), QStringLiteral("X"));
    EXPECT_EQ(list()->TextMatrix(r103, frmReservas_Visor::ResAnul), QStringLiteral("X"));

    const QColor green = host::fromOleColor(65280), red = host::fromOleColor(255), white = host::fromOleColor(16777215);
    const int pend = frmReservas_Visor::ResPend, anul = frmReservas_Visor::ResAnul;
    EXPECT_EQ(list()->CellBackColor(r101, pend), green); // open
    EXPECT_EQ(list()->CellForeColor(r101, pend), white);
    EXPECT_EQ(list()->CellBackColor(r102, pend), red); // closed
    EXPECT_FALSE(list()->CellBackColor(r103, pend).isValid()); // cancelled: no colour
    EXPECT_EQ(list()->CellBackColor(r103, anul), red);
    EXPECT_EQ(list()->CellForeColor(r103, anul), white);
    EXPECT_EQ(list()->CellBackColor(r101, anul), white);

    // Only the open ones; the row selected first is loaded without leaving the list.
    listNovember(QStringLiteral("ABIERTA"));
    EXPECT_EQ(codes(), (QStringList{"105", "104", "101"}));
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(text("txtCod_Reserva"), QStringLiteral("105"));
}

TEST_F(ReservationsViewer, MissingOrInvalidDatesAreRefusedAndTheListStaysAsItWas)
{
    listNovember();
    const QStringList before = codes();
    typeDate("txtFechaFin", QString());
    QTest::keyClick(ctl<QComboBox>("cboEstado"), Qt::Key_Return);
    EXPECT_EQ(messages().value(0), QStringLiteral("Indique la fecha desde y la fecha hasta, o un número de reserva."));
    EXPECT_EQ(codes(), before);

    typeDate("txtFechaFin", QStringLiteral("31/02/2026"));
    QTest::keyClick(ctl<QComboBox>("cboEstado"), Qt::Key_Return);
    EXPECT_EQ(messages().value(1), QStringLiteral("La fecha hasta no es válida: 31/02/2026."));
    EXPECT_EQ(services.messages->shown.back().caption, QStringLiteral("¡ Atención !"));
    EXPECT_EQ(form->focusWidget(), ctl<QWidget>("txtFechaFin"));
    EXPECT_EQ(codes(), before);

    typeDate("txtFechaFin", QStringLiteral("30/11/2026"));
    typeDate("txtModifHasta", QStringLiteral("12/1"));
    QTest::keyClick(ctl<QComboBox>("cboEstado"), Qt::Key_Return);
    EXPECT_TRUE(messages().value(2).startsWith(QStringLiteral("La fecha de última modificación hasta no es válida")))
        << messages().join(QLatin1Char('\n')).toStdString();

    // The whole last day of the modification range is included.
    typeDate("txtModifHasta", QStringLiteral("30/11/2026"));
    QTest::keyClick(ctl<QComboBox>("cboEstado"), Qt::Key_Return);
    EXPECT_EQ(messages().size(), 3);
    EXPECT_EQ(codes(), (QStringList{"102", "105", "104", "101"}));
}

TEST_F(ReservationsViewer, EnterWithANumberListsItWhateverTheOtherFilters)
{
    ctl<QComboBox>("cboEstado")->setCurrentText(QStringLiteral("ANULADA"));
    ctl<QLineEdit>("txtCliente_Filtro")->setText(QStringLiteral("nadie"));
    auto* numero = ctl<controls::ctlTextBox>("txtReserva_Filtro");
    numero->setFocus();
    QTest::keyClicks(numero, QStringLiteral("101"));
    QTest::keyClick(numero, Qt::Key_Return);
    EXPECT_EQ(codes(), (QStringList{"101"}));
    EXPECT_EQ(ctl<QComboBox>("cboEstado")->currentText(), QStringLiteral("TODAS"));
    EXPECT_TRUE(ctl<controls::ctlMaskEdBox>("txtFechaIni")->isEmpty());
    EXPECT_TRUE(text("txtCliente_Filtro").isEmpty());
    EXPECT_EQ(text("txtNomb_Cliente"), QStringLiteral("Bazar O'Donnell")); // company 1's, not company 2's

    numero->setText(QStringLiteral("4711"));
    QTest::keyClick(numero, Qt::Key_Return);
    EXPECT_EQ(list()->Rows(), 1);
    EXPECT_EQ(messages().value(0), QStringLiteral("No se ha encontrado la reserva 4711."));
    EXPECT_TRUE(text("txtNomb_Cliente").isEmpty());

    numero->setText(QStringLiteral("12x"));
    QTest::keyClick(numero, Qt::Key_Return);
    EXPECT_EQ(messages().value(1), QStringLiteral("El número de reserva no es válido: 12x."));

    // Without a number Enter moves on to the next filter.
    numero->clear();
    numero->setFocus();
    QTest::keyClick(numero, Qt::Key_Return);
    EXPECT_EQ(form->focusWidget(), ctl<QWidget>("txtCliente_Filtro"));
}

TEST_F(ReservationsViewer, ArrowsLoadTheReservationButOnlyEnterOpensTheDetail)
{
    listNovember();
    ASSERT_EQ(form->focusWidget(), list());
    EXPECT_EQ(text("txtCod_Reserva"), QStringLiteral("103"));
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(text("txtCod_Reserva"), QStringLiteral("102"));
    EXPECT_EQ(tabs()->currentIndex(), 0);
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_TRUE(ctl<QPushButton>("cmdImprimir")->isEnabled());
    EXPECT_EQ(text("txtCod_Reserva"), QStringLiteral("102"));

    // The move buttons on the detail tab walk the list.
    QTest::mouseClick(ctl<QPushButton>("cmdUltimo"), Qt::LeftButton);
    EXPECT_EQ(text("txtCod_Reserva"), QStringLiteral("101"));
    EXPECT_EQ(list()->Row(), list()->Rows() - 1);
    QTest::mouseClick(ctl<QPushButton>("cmdAnterior"), Qt::LeftButton);
    EXPECT_EQ(text("txtCod_Reserva"), QStringLiteral("104"));
    QTest::mouseClick(ctl<QPushButton>("cmdPrimero"), Qt::LeftButton);
    EXPECT_EQ(text("txtCod_Reserva"), QStringLiteral("103"));
    QTest::mouseClick(ctl<QPushButton>("cmdSiguiente"), Qt::LeftButton);
    EXPECT_EQ(text("txtCod_Reserva"), QStringLiteral("102"));

    // Enter walks the filters: the dates, then the warehouse and the state.
    auto* desde = ctl<controls::ctlMaskEdBox>("txtFechaIni");
    tabs()->setCurrentIndex(0);
    desde->setFocus();
    QTest::keyClick(desde, Qt::Key_Return);
    EXPECT_EQ(form->focusWidget(), ctl<QWidget>("txtFechaFin"));
    tabs()->setCurrentIndex(1);

    // Back on the list, Up on the first row goes back to the number filter.
    tabs()->setCurrentIndex(0);
    EXPECT_FALSE(ctl<QPushButton>("cmdImprimir")->isEnabled());
    QTest::mouseClick(ctl<QPushButton>("cmdPrimero"), Qt::LeftButton);
    ASSERT_EQ(form->focusWidget(), list());
    QTest::keyClick(list(), Qt::Key_Up);
    EXPECT_EQ(form->focusWidget(), ctl<QWidget>("txtReserva_Filtro"));

    // Esc closes the window.
    QTest::keyClick(list(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(ReservationsViewer, DetailShowsHeaderLinesPaymentsAndTotals)
{
    listNovember();
    list()->setRow(rowOf(101));
    QTest::keyClick(list(), Qt::Key_Return);
    ASSERT_EQ(tabs()->currentIndex(), 1);
    EXPECT_EQ(text("txtFecha"), QStringLiteral("10/11/2026"));
    EXPECT_EQ(text("txtUltModificacion"), QStringLiteral("30/11/2026 23:30"));
    EXPECT_EQ(text("txtVencimiento"), QStringLiteral("09/01/2027"));
    EXPECT_EQ(text("txtCliente"), QStringLiteral("5"));
    EXPECT_EQ(text("txtAgente"), QStringLiteral("Rosa Déniz"));
    EXPECT_EQ(text("txtPaquete"), QStringLiteral("PQ-000101"));
    EXPECT_EQ(ctl<controls::ctlAlmacen>("txtAlmReserva")->Nombre(), QStringLiteral("Triana"));
    EXPECT_EQ(label("lblEstado"), QStringLiteral("ABIERTA"));
    EXPECT_EQ(label("lblDto"), QStringLiteral("10%"));

    auto* art = ctl<Grid>("grdArticulos");
    ASSERT_EQ(art->Rows(), 4);
    EXPECT_EQ(art->TextMatrix(1, frmReservas_Visor::ArtDescripcion), QStringLiteral("CAMISETA\nAG: 3 - Rosa Déniz"));
    EXPECT_EQ(art->TextMatrix(1, frmReservas_Visor::ArtCualidadX), QStringLiteral("L"));
    EXPECT_EQ(art->TextMatrix(1, frmReservas_Visor::ArtImporte), QStringLiteral("19,26"));
    EXPECT_EQ(art->TextMatrix(2, frmReservas_Visor::ArtL), QStringLiteral("V"));
    EXPECT_EQ(art->TextMatrix(3, frmReservas_Visor::ArtCodigo), QStringLiteral("999"));
    EXPECT_EQ(art->TextMatrix(3, frmReservas_Visor::ArtImporte), QStringLiteral("21,40"));

    auto* ent = ctl<Grid>("grdEntregas");
    ASSERT_EQ(ent->Rows(), 5);
    EXPECT_EQ(ent->TextMatrix(1, 0), QStringLiteral("10/11/26"));
    EXPECT_EQ(ent->TextMatrix(1, 1), QStringLiteral("EFECTIVO"));
    EXPECT_EQ(ent->TextMatrix(2, 1), QStringLiteral("TARJETA"));
    EXPECT_EQ(ent->TextMatrix(3, 1), QStringLiteral("VENTA"));
    EXPECT_TRUE(ent->CellFontBold(3, 2));
    EXPECT_FALSE(ent->CellFontBold(1, 2));

    EXPECT_EQ(label("lblEntregado"), QStringLiteral("40,00"));
    EXPECT_EQ(label("lblVendido"), QStringLiteral("5,35"));
    EXPECT_EQ(label("lblTotalResPte"), QStringLiteral("40,66"));
    EXPECT_EQ(label("lblPendiente"), QStringLiteral("6,01"));

    // The cancelled one: its refund in red, no discount shown.
    tabs()->setCurrentIndex(0);
    list()->setRow(rowOf(103));
    EXPECT_EQ(label("lblEstado"), QStringLiteral("ANULADA"));
    EXPECT_EQ(label("lblDto"), QStringLiteral("---"));
    EXPECT_EQ(ent->CellBackColor(2, 0), host::fromOleColor(255));
    EXPECT_FALSE(ent->CellBackColor(1, 0).isValid());
    EXPECT_EQ(label("lblPendiente"), QStringLiteral("12,00"));
}

TEST_F(ReservationsViewer, F9PrintsTheStandardReportToTheChosenFile)
{
    db.empresa().setRutaAplicacion(QStringLiteral(ZQVR_SOURCE_DIR));
    listNovember();
    list()->setRow(rowOf(101));
    // F9 does nothing on the list tab.
    QTest::keyClick(list(), Qt::Key_F9);
    EXPECT_TRUE(services.modal->dialogsRun.isEmpty());

    QTest::keyClick(list(), Qt::Key_Return);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("reserva.pdf"));
    services.files->answers.push_back(pdf);
    services.modal->queue([](QDialog& d) {
        d.findChild<controls::ctlDispositivo*>(QStringLiteral("cboDispositivo"))->setValor(controls::ctlDispositivo::Fichero);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
        return d.result();
    });
    services.messages->queueAnswer(frame::MsgResult::No);
    QTest::keyClick(form.get(), Qt::Key_F9);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->shown[0].caption, QStringLiteral("IMPRIMIR RESERVA"));
    EXPECT_EQ(services.messages->shown[0].icon, frame::MsgIcon::Question);
    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Reserva: 101"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("6,01")));

    // Yes with no custom layout named: told clearly, nothing printed.
    services.files->answers.push_back(dir.filePath(QStringLiteral("otra.pdf")));
    services.modal->queue([](QDialog& d) {
        d.findChild<controls::ctlDispositivo*>(QStringLiteral("cboDispositivo"))->setValor(controls::ctlDispositivo::Fichero);
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
        return d.result();
    });
    services.messages->queueAnswer(frame::MsgResult::Yes);
    QTest::mouseClick(ctl<QPushButton>("cmdImprimir"), Qt::LeftButton);
    ASSERT_EQ(services.messages->shown.size(), 3u);
    EXPECT_EQ(services.messages->shown[2].text,
              QStringLiteral("No se ha indicado el formato personalizado de impresión de reservas."));
    EXPECT_EQ(services.messages->shown[2].caption, QStringLiteral("¡ Atención !"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("otra.pdf"))));
}

} // namespace
