// The small printing dialogs driven through their controls by name.
#include "reports/OperationCaptions.h"
#include "reports/frmCopiasImpresion.h"
#include "reports/frmReport_Destino.h"
#include "reports/frmVistaPreliminarOp.h"
#include "support/ScreenTest.h"

#include "controls/ctlDispositivo.h"
#include "controls/ctlImpresoras.h"
#include "controls/ctlTextBox.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::reports;
using controls::ctlDispositivo;
using controls::ctlImpresoras;
using controls::ctlTextBox;

namespace {

template <class T>
T* child(QWidget& w, const char* name)
{
    T* c = w.findChild<T*>(QLatin1String(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
}

void showActive(QWidget& w)
{
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
}

class PrintDialogs : public ::testing::Test {
protected:
    void SetUp() override { test::installInHostContext(db); }
    test::TestDatabase db;
    test::ServiceDoubles services;
};

TEST_F(PrintDialogs, DestinationIsStoredOnlyByAceptar)
{
    frmReport_Destino dlg;
    ASSERT_NO_FATAL_FAILURE(showActive(dlg));
    auto* printers = child<ctlImpresoras>(dlg, "cboImpresora");
    printers->CargarNombres({QStringLiteral("Laser Oficina"), QStringLiteral("Matricial Caja")}, QStringLiteral("Laser Oficina"));
    EXPECT_FALSE(printers->isEnabled()); // the screen needs no printer
    child<ctlDispositivo>(dlg, "cboDispositivo")->setValor(ctlDispositivo::Impresora);
    EXPECT_TRUE(printers->isEnabled());
    child<ctlDispositivo>(dlg, "cboDispositivo")->setValor(ctlDispositivo::Fichero);
    EXPECT_FALSE(printers->isEnabled());
    printers->setImpresora(QStringLiteral("matricial caja"));
    QTest::mouseClick(child<QPushButton>(dlg, "cmdAceptar"), Qt::LeftButton);
    EXPECT_TRUE(dlg.Result());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Destino(), Destino::Fichero);
    EXPECT_EQ(dlg.Impresora(), QStringLiteral("Matricial Caja"));

    frmReport_Destino cancelled;
    ASSERT_NO_FATAL_FAILURE(showActive(cancelled));
    child<ctlDispositivo>(cancelled, "cboDispositivo")->setValor(ctlDispositivo::Impresora);
    QTest::mouseClick(child<QPushButton>(cancelled, "cmdCancelar"), Qt::LeftButton);
    EXPECT_FALSE(cancelled.Result());
    EXPECT_EQ(cancelled.Destino(), Destino::Pantalla);

    frmReport_Destino escaped;
    ASSERT_NO_FATAL_FAILURE(showActive(escaped));
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_FALSE(escaped.Result());
    EXPECT_FALSE(escaped.isVisible());
}

TEST_F(PrintDialogs, CopiesMustBeANumberAboveZero)
{
    frmCopiasImpresion dlg;
    ASSERT_NO_FATAL_FAILURE(showActive(dlg));
    auto* copies = child<ctlTextBox>(dlg, "txtCopias");
    EXPECT_EQ(copies->text(), QStringLiteral("1"));
    child<ctlImpresoras>(dlg, "txtImpresora")->CargarNombres({QStringLiteral("Tickets")});

    for (const char* bad : {"0", "", "-2"}) {
        copies->setText(QString::fromLatin1(bad));
        child<QPushButton>(dlg, "cmdSalir")->setFocus();
        QTest::mouseClick(child<QPushButton>(dlg, "cmdImprimir"), Qt::LeftButton);
        ASSERT_NE(services.messages->last(), nullptr) << bad;
        EXPECT_EQ(services.messages->last()->text, QStringLiteral("Se esperaba número de copias."));
        EXPECT_EQ(services.messages->last()->caption, QStringLiteral("¡Atención!"));
        EXPECT_EQ(services.messages->last()->icon, frame::MsgIcon::Information);
        EXPECT_TRUE(dlg.isVisible()) << bad;
        EXPECT_TRUE(copies->hasFocus()) << bad;
        EXPECT_EQ(dlg.Copias(), 0);
    }
    copies->setText(QStringLiteral("3"));
    QTest::mouseClick(child<QPushButton>(dlg, "cmdImprimir"), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Copias(), 3);
    EXPECT_EQ(dlg.Impresora(), QStringLiteral("Tickets"));
    EXPECT_EQ(services.messages->shown.size(), 3u);

    frmCopiasImpresion left;
    ASSERT_NO_FATAL_FAILURE(showActive(left));
    child<ctlTextBox>(left, "txtCopias")->setText(QStringLiteral("5"));
    QTest::mouseClick(child<QPushButton>(left, "cmdSalir"), Qt::LeftButton);
    EXPECT_EQ(left.result(), QDialog::Rejected);
    EXPECT_EQ(left.Copias(), 0);
}

TEST_F(PrintDialogs, OperationCaptionsCoverTheUnknownAndTheClubCard)
{
    EXPECT_EQ(operationCaption(0, QString()), QStringLiteral("Caja"));
    EXPECT_EQ(operationCaption(7, QString()), QStringLiteral("Devolución"));
    EXPECT_EQ(operationCaption(41, QString()), QStringLiteral("Vendedor 4"));
    EXPECT_EQ(operationCaption(18, QString()), QStringLiteral("Empleado"));
    EXPECT_EQ(operationCaption(18, QStringLiteral("  ")), QStringLiteral("Empleado"));
    EXPECT_EQ(operationCaption(18, QStringLiteral("Tarjeta Oro")), QStringLiteral("Tarjeta Oro"));
    for (int code : {23, 34, 42, -1, 255})
        EXPECT_EQ(operationCaption(code, QString()), QStringLiteral("No Conocido")) << code;
    EXPECT_EQ(operationKeyName(113), QStringLiteral("F2"));
    EXPECT_EQ(operationKeyName(127), QStringLiteral("F16"));
    EXPECT_EQ(operationKeyName(33), QStringLiteral("RePág"));
    EXPECT_EQ(operationKeyName(200), QString());
}

TEST_F(PrintDialogs, PanelPreviewShowsEachOperationAtItsPosition)
{
    db.empresa().setVariable(QStringLiteral("NombreTarjetaClub"), QString());
    frmVistaPreliminarOp vista;
    vista.Agregar(10, 113, 0x0000FF, 1, true); // Cobrar, F2, red
    vista.Agregar(18, 65, 0, 2, true);
    vista.Agregar(34, 0, 0, 3, true);
    vista.Agregar(3, 0, 0, 4, false);          // not visible on the panel
    vista.Agregar(5, 0, 0, 31, true);          // no such position: left out
    ASSERT_NO_FATAL_FAILURE(showActive(vista));
    const QList<QPushButton*> buttons = vista.findChildren<QPushButton*>(QStringLiteral("cmdOperacion"));
    EXPECT_EQ(buttons.size(), frmVistaPreliminarOp::Posiciones);
    EXPECT_EQ(vista.boton(1)->text(), QStringLiteral("Cobrar\n(F2)"));
    EXPECT_EQ(vista.boton(1)->font().family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(vista.boton(1)->property("index").toInt(), 0);
    EXPECT_EQ(vista.boton(2)->text(), QStringLiteral("Empleado\n(A)"));
    EXPECT_EQ(vista.boton(3)->text(), QStringLiteral("No Conocido"));
    EXPECT_EQ(vista.boton(4)->text(), QString());
    for (QPushButton* b : buttons)
        EXPECT_FALSE(b->text().startsWith(QStringLiteral("Cantidad")));

    // Looking only: a click changes nothing.
    QTest::mouseClick(vista.boton(2), Qt::LeftButton);
    EXPECT_TRUE(vista.isVisible());
    EXPECT_EQ(vista.Posicion(), 0);
}

TEST_F(PrintDialogs, PanelPreviewInChoosingModeReturnsTheClickedPosition)
{
    db.empresa().setVariable(QStringLiteral("NombreTarjetaClub"), QStringLiteral("Club Brevanto"));
    frmVistaPreliminarOp vista;
    vista.Agregar(18, 0, 0, 7, true);
    vista.setModo(1);
    ASSERT_NO_FATAL_FAILURE(showActive(vista));
    EXPECT_EQ(vista.boton(7)->text(), QStringLiteral("Club Brevanto"));
    QTest::mouseClick(vista.boton(12), Qt::LeftButton); // an empty position can be chosen too
    EXPECT_FALSE(vista.isVisible());
    EXPECT_EQ(vista.result(), QDialog::Accepted);
    EXPECT_EQ(vista.Posicion(), 12);
}

} // namespace
