// The parameters window driven through its controls by name: scope
// switches, saving, copying and deleting a terminal's set, the operation
// keys and their preview, scales, links and logos.
#include "controls/Grid.h"
#include "controls/ctlCheckBox.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "parameters/ColorButton.h"
#include "parameters/frmParametros.h"
#include "reports/frmVistaPreliminarOp.h"
#include "support/FailingTrigger.h"
#include "support/ScreenTest.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::parameters;
using controls::ctlTextBox;
using controls::Grid;
using frame::MsgResult;
using zqvr::test::dropFailingTrigger;
using zqvr::test::failingTrigger;

namespace {

class ParametersWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::installInHostContext(db);
        db.empresa().setRutaAplicacion(tmp.path() + QStringLiteral("/host"));
        db.empresa().setVariable(QStringLiteral("Tpv_HabilitarParamTpv"), 1);
        db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre, Regimen_Impuesto) VALUES"
                " (1, 1, 'Centro', 0), (1, 2, 'Puerto', 1), (1, 3, 'Sin cajas', 0), (2, 9, 'Otra empresa', 0)");
        db.exec("INSERT INTO TPVs (Codigo, Descripcion, Empresa, Almacen) VALUES (1, 'Caja 1', 1, 1), (2, 'Caja 2', 1, 1),"
                " (3, 'Caja puerto', 1, 2)");
        db.exec("INSERT INTO Igic_Tipos (Cod_Empresa, Tipo, FechaI, FechaF, Imp_Valor) VALUES (1, 2, '2000-01-01', '9999-12-31', 7),"
                " (1, 1, '2000-01-01', '9999-12-31', 3), (1, 5, '2000-01-01', '2001-01-01', 5)");
        db.exec("INSERT INTO Impuestos2_Tipos (Cod_Empresa, Tipo, FechaI, FechaF, Imp_Valor) VALUES (1, 4, '2000-01-01', '9999-12-31', 21)");
        db.exec("INSERT INTO Modelos_Etiq_Art (Codigo, Nombre) VALUES (4, 'Góndola'), (6, 'Balda')");
        general(1, 78, "1");
        general(1, 447, "1234");
        general(1, 100, "Centro");
        general(1, 403, "6");
        general(1, 535, "2");
        db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor, Visible, Posicion, Color) VALUES"
                " (1, 1, 10, '113', 1, 1, 255), (1, 1, 5, '114', 0, 2, 0)");
        db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor, Valor2) VALUES (1, 1, 300, '20', '1'),"
                " (1, 1, 301, '21', '3')");
        general(2, 100, "Puerto");
    }

    void open()
    {
        form = std::make_unique<frmParametros>();
        form->showForm(0);
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    void general(int almacen, int code, const char* value)
    {
        db.exec(QStringLiteral("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, %1, %2, '%3')")
                    .arg(almacen).arg(code).arg(QString::fromUtf8(value)));
    }

    template <class T = QWidget>
    T* ctl(const QString& name, int index = -1)
    {
        for (T* w : form->findChildren<T*>(name)) {
            // The pickers' own inner fields are not controls of the window.
            bool inner = false;
            for (QWidget* p = w->parentWidget(); p && p != form.get(); p = p->parentWidget())
                inner = inner || qobject_cast<controls::ctlCodePicker*>(p) != nullptr;
            if (!inner && (index < 0 || w->property("index").toInt() == index))
                return w;
        }
        ADD_FAILURE() << "no control " << name.toStdString() << " " << index;
        return nullptr;
    }
    QComboBox* combo(const char* name) { return ctl<QComboBox>(QString::fromLatin1(name)); }
    ctlTextBox* text(const char* name, int index = -1) { return ctl<ctlTextBox>(QString::fromLatin1(name), index); }
    QCheckBox* check(const char* name, int index = -1) { return ctl<QCheckBox>(QString::fromLatin1(name), index); }
    void click(const char* name, int index = -1) { QTest::mouseClick(ctl<QPushButton>(QString::fromLatin1(name), index), Qt::LeftButton); }
    void chooseTpv(int code) { combo("cboTpv")->setCurrentIndex(combo("cboTpv")->findData(code)); }
    void chooseAlmacen(int code) { combo("cboAlmacen")->setCurrentIndex(combo("cboAlmacen")->findData(code)); }
    Grid* grid(const char* name) { return ctl<Grid>(QString::fromLatin1(name)); }
    QStringList rows(const QString& table, const QString& where)
    {
        QStringList out;
        db::RecordSet rs = db.conn().query(QStringLiteral("SELECT Codigo, Valor, Visible, Posicion, Color, Valor2 FROM ") + table +
                                           QStringLiteral(" WHERE ") + where + QStringLiteral(" ORDER BY Codigo"));
        for (; !rs.eof(); rs.moveNext()) {
            QStringList f;
            for (int i = 0; i < rs.fieldCount(); ++i)
                f << rs.value(i).toString();
            out << f.join(QLatin1Char('|'));
        }
        return out;
    }
    QString valor(int almacen, int code, int tpv = 0)
    {
        return tpv == 0 ? db.conn().scalar(QStringLiteral("SELECT Valor FROM Tpv_Parametros WHERE Cod_Empresa = 1 AND Cod_Almacen = %1 AND Codigo = %2").arg(almacen).arg(code)).toString()
                        : db.conn().scalar(QStringLiteral("SELECT Valor FROM Tpv_Parametros_Ex WHERE Cod_Empresa = 1 AND Cod_Almacen = %1 AND Cod_Tpv = %3 AND Codigo = %2").arg(almacen).arg(code).arg(tpv)).toString();
    }
    // F9 as the user presses it, with the window active again after the operation notice.
    void save()
    {
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_F9);
    }

    QTemporaryDir tmp;
    test::TestDatabase db;
    test::ServiceDoubles services;
    std::unique_ptr<frmParametros> form;
};

} // namespace

TEST_F(ParametersWindow, OpensOnTheFirstWarehouseGeneralScopeWithEveryTab)
{
    ASSERT_NO_FATAL_FAILURE(open());
    auto* tabs = ctl<QTabWidget>(QStringLiteral("sstTpv"));
    ASSERT_EQ(tabs->count(), 13);
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Parámetros (1)"));
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(combo("cboAlmacen")->count(), 3); // the company's warehouses only
    EXPECT_EQ(combo("cboTpv")->currentText(), QStringLiteral("TODOS"));
    EXPECT_EQ(combo("cboTpv")->count(), 3);
    EXPECT_TRUE(check("chkParam", 12)->isChecked());
    EXPECT_EQ(text("txtCabecera", 0)->text(), QStringLiteral("Centro"));
    EXPECT_EQ(ctl<controls::ctlCodePicker>(QStringLiteral("txtArtBolsas"))->Codigo(), 1234);
    EXPECT_EQ(combo("cboModeloEtiq")->currentText(), QStringLiteral("Balda"));
    EXPECT_EQ(combo("cboImpuestoAplicar")->count(), 3); // "Estipulado" and the two IGIC rates in force
    EXPECT_EQ(combo("cboImpuestoAplicar")->currentData().toInt(), 2);
    EXPECT_EQ(combo("cboReservaCopias")->currentIndex(), 1);
    EXPECT_EQ(grid("vsLineas")->Rows(), 3);
    EXPECT_EQ(grid("vsLineas")->TextMatrix(1, 1), QStringLiteral("Cantidad Manual"));
    EXPECT_EQ(grid("vsLineas")->TextMatrix(2, 3), QStringLiteral("F2"));
    EXPECT_EQ(grid("vsBalanzas")->TextMatrix(2, 1), QStringLiteral("Importe")); // stored type 3
    EXPECT_FALSE(ctl<QPushButton>(QStringLiteral("cmdCopiarGeneral"))->isEnabled());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Parámetros de TPV"));
}

TEST_F(ParametersWindow, WithoutTerminalSettingsOnlyTheGeneralScopeIsReachable)
{
    db.empresa().setVariable(QStringLiteral("Tpv_HabilitarParamTpv"), 0);
    ASSERT_NO_FATAL_FAILURE(open());
    EXPECT_TRUE(combo("cboTpv")->isHidden());
    EXPECT_TRUE(ctl<QPushButton>(QStringLiteral("cmdCopiarGeneral"))->isHidden());
    EXPECT_TRUE(ctl<QPushButton>(QStringLiteral("cmdEliminarParametrosTpv"))->isHidden());
    EXPECT_EQ(combo("cboTpv")->count(), 1);
}

TEST_F(ParametersWindow, ATerminalWithoutRowsShowsTheResetStateNotThePreviousScope)
{
    ASSERT_NO_FATAL_FAILURE(open());
    check("chkGeltCash", 0)->setChecked(true);
    chooseTpv(1);
    EXPECT_FALSE(check("chkParam", 12)->isChecked());
    EXPECT_EQ(text("txtCabecera", 0)->text(), QString());
    EXPECT_EQ(ctl<controls::ctlCodePicker>(QStringLiteral("txtArtBolsas"))->Codigo(), 0);
    EXPECT_FALSE(check("chkGeltCash", 0)->isChecked());
    EXPECT_EQ(grid("vsLineas")->Rows(), 1);
    EXPECT_EQ(grid("vsBalanzas")->Rows(), 1);
    EXPECT_TRUE(ctl<QPushButton>(QStringLiteral("cmdCopiarGeneral"))->isEnabled());

    // Saving the terminal writes no article and leaves the general rows alone.
    const QStringList generalBefore = rows(QStringLiteral("Tpv_Parametros"), QStringLiteral("Cod_Almacen = 1"));
    ASSERT_NO_FATAL_FAILURE(save());
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Parámetros de TPV guardados correctamente."));
    EXPECT_EQ(valor(1, 447, 1), QStringLiteral("0"));
    EXPECT_EQ(rows(QStringLiteral("Tpv_Parametros"), QStringLiteral("Cod_Almacen = 1")), generalBefore);

    chooseTpv(0);
    EXPECT_TRUE(check("chkParam", 12)->isChecked());
    chooseAlmacen(2);
    EXPECT_EQ(text("txtCabecera", 0)->text(), QStringLiteral("Puerto"));
    EXPECT_EQ(combo("cboTpv")->count(), 2);
    EXPECT_EQ(combo("cboImpuestoAplicar")->itemText(1), QStringLiteral("21 %")); // the second tax regime
}

TEST_F(ParametersWindow, WhatIsSavedIsWhatComesBackAfterSwitchingScopes)
{
    ASSERT_NO_FATAL_FAILURE(open());
    text("txtCabecera", 3)->setText(QStringLiteral("Tienda d'en Joan"));
    combo("cboFactxAgente")->setCurrentIndex(4);
    combo("cboTipoCierre")->setCurrentIndex(1);
    check("chkTarjetas")->setChecked(true);
    check("chkTarjetaMonedero")->setChecked(true);
    check("chkBlqCierre", 2)->setChecked(true);
    ctl<QListWidget>(QStringLiteral("lstClave"))->item(19)->setCheckState(Qt::Checked);
    QListWidget* caja = ctl<QListWidget>(QStringLiteral("lstCaja"));
    caja->item(caja->count() - 1)->setCheckState(Qt::Checked); // "Retirada Efectivo", bit 10
    text("txtTopeCaja")->setText(QStringLiteral("600,5"));
    combo("cboLetra_Vinculo")->setCurrentIndex(3);
    text("txtUbicacion_Vinculo", 0)->setText(QStringLiteral("/opt/kolvane/it's"));
    check("chkCrearLogMX")->setChecked(true);
    ASSERT_NO_FATAL_FAILURE(save());
    ASSERT_FALSE(services.messages->shown.empty());
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Parámetros de TPV guardados correctamente."));
    EXPECT_EQ(services.messages->last()->caption, QStringLiteral("Drumelt"));
    EXPECT_EQ(valor(1, 103), QStringLiteral("Tienda d'en Joan"));
    EXPECT_EQ(valor(1, 355), QStringLiteral("4"));
    EXPECT_EQ(valor(1, 56), QStringLiteral("65"));
    EXPECT_EQ(valor(1, 452), QStringLiteral("4"));
    EXPECT_EQ(valor(1, 457), QString::number(1 << 10));
    EXPECT_EQ(valor(1, 481), QStringLiteral("1"));
    EXPECT_EQ(valor(1, 369), QStringLiteral("600.5"));

    chooseAlmacen(2);
    chooseAlmacen(1);
    EXPECT_EQ(text("txtCabecera", 3)->text(), QStringLiteral("Tienda d'en Joan"));
    EXPECT_EQ(combo("cboFactxAgente")->currentIndex(), 4);
    EXPECT_EQ(combo("cboTipoCierre")->currentText(), QStringLiteral("Expandido"));
    EXPECT_TRUE(check("chkTarjetaMonedero")->isChecked());
    EXPECT_FALSE(check("chkCheques")->isChecked());
    EXPECT_TRUE(check("chkBlqCierre", 2)->isChecked());
    EXPECT_EQ(caja->item(caja->count() - 1)->checkState(), Qt::Checked);
    EXPECT_EQ(text("txtTopeCaja")->text(), QStringLiteral("600,5"));
    EXPECT_EQ(combo("cboLetra_Vinculo")->currentIndex(), 3);
    EXPECT_EQ(text("txtUbicacion_Vinculo", 0)->text(), QStringLiteral("/opt/kolvane/it's"));
    EXPECT_TRUE(check("chkCrearLogMX")->isChecked());
    EXPECT_EQ(grid("vsLineas")->Rows(), 3);

    // A second save of what was read back writes the same rows, except the
    // two codes whose stored 0 is shown as another choice ("1" for the PLU
    // department, the second entry for the voucher copies).
    const ScopeValues first = form->currentValues();
    auto stable = [&] {
        QStringList r = rows(QStringLiteral("Tpv_Parametros"), QStringLiteral("Cod_Almacen = 1 AND Codigo NOT IN (430, 512)"));
        return r;
    };
    const QStringList saved = stable();
    ASSERT_NO_FATAL_FAILURE(save());
    chooseAlmacen(2);
    chooseAlmacen(1);
    EXPECT_TRUE(form->currentValues() == first);
    EXPECT_EQ(stable(), saved);
    EXPECT_EQ(valor(1, 430), QStringLiteral("1"));
}

TEST_F(ParametersWindow, ATextValueStopsAtTheWidthOfItsColumnAndIsSavedWhole)
{
    ASSERT_NO_FATAL_FAILURE(open());
    test::typeText(text("txtCabecera", 4), QString(300, QChar(u'ñ')));
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Parámetros de TPV guardados correctamente."));
    EXPECT_EQ(valor(1, 104), QString(255, QChar(u'ñ')));
}

TEST_F(ParametersWindow, RefusedSavesLeaveTheScopeAsItWas)
{
    ASSERT_NO_FATAL_FAILURE(open());
    const QStringList before = rows(QStringLiteral("Tpv_Parametros"), QStringLiteral("1 = 1"));

    text("txtUnidadesPermitidasMin")->setText(QStringLiteral("100000"));
    text("txtUnidadesPermitidasMax")->setText(QStringLiteral("200000"));
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(services.messages->last()->text,
              QStringLiteral("Las unidades mínimas permitidas para facturar no puede ser superior a 99999"));
    text("txtUnidadesPermitidasMin")->setText(QStringLiteral("50"));
    text("txtUnidadesPermitidasMax")->setText(QStringLiteral("40"));
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(services.messages->last()->text,
              QStringLiteral("Las unidades mínimas permitidas debe ser inferior a las máximas permitidas"));

    text("txtUnidadesPermitidasMax")->setText(QStringLiteral("50"));
    grid("vsLineas")->setTextMatrix(2, 4, QStringLiteral("2"));
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Existen varias operaciones en la misma posición: 2"));
    EXPECT_EQ(services.messages->last()->caption, QStringLiteral("¡ Atención !"));
    grid("vsLineas")->setTextMatrix(2, 4, QStringLiteral("1"));

    // A number field that holds no number is named, on its own tab.
    text("txtSleepImp")->setText(QStringLiteral("50 ms"));
    services.messages->shown.clear();
    ASSERT_NO_FATAL_FAILURE(save());
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->shown[0].text,
              QStringLiteral("El campo \"Retardo en Impresora (ms)\" no contiene un número válido: 50 ms"));
    EXPECT_EQ(services.messages->shown[0].caption, QStringLiteral("¡ Atención !"));
    auto* tabs = ctl<QTabWidget>(QStringLiteral("sstTpv"));
    EXPECT_TRUE(tabs->currentWidget()->isAncestorOf(text("txtSleepImp")));
    EXPECT_EQ(rows(QStringLiteral("Tpv_Parametros"), QStringLiteral("1 = 1")), before);

    // A warehouse without terminals, and a terminal deleted meanwhile.
    text("txtSleepImp")->setText(QStringLiteral("50"));
    chooseAlmacen(3);
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_TRUE(services.messages->last()->text.contains(QStringLiteral("no tiene ningún Tpv")));
    chooseAlmacen(1);
    chooseTpv(2);
    db.exec("DELETE FROM TPVs WHERE Codigo = 2");
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_TRUE(services.messages->last()->text.contains(QStringLiteral("ya no existe")));
    EXPECT_EQ(rows(QStringLiteral("Tpv_Parametros"), QStringLiteral("1 = 1")), before);
    EXPECT_EQ(db.count("Tpv_Parametros_Ex"), 0);
}

TEST_F(ParametersWindow, CopyingAndDeletingATerminalsSet)
{
    ASSERT_NO_FATAL_FAILURE(open());
    chooseTpv(2);
    services.messages->queueAnswer(MsgResult::No);
    click("cmdCopiarGeneral");
    EXPECT_EQ(db.count("Tpv_Parametros_Ex"), 0);

    services.messages->queueAnswer(MsgResult::Yes);
    click("cmdCopiarGeneral");
    EXPECT_EQ(services.messages->shown.back().caption, QStringLiteral("COPIAR PARAMETROS"));
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Tpv = 2"), db.count("Tpv_Parametros", "Cod_Almacen = 1"));
    EXPECT_TRUE(check("chkParam", 12)->isChecked()); // the copy is shown
    EXPECT_EQ(grid("vsLineas")->Rows(), 3);

    services.messages->queueAnswer(MsgResult::Yes);
    click("cmdEliminarParametrosTpv");
    EXPECT_EQ(db.count("Tpv_Parametros_Ex"), 0);
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Configuración eliminada correctamente"));
    EXPECT_EQ(combo("cboTpv")->currentText(), QStringLiteral("TODOS"));
    EXPECT_EQ(text("txtCabecera", 0)->text(), QStringLiteral("Centro"));
    EXPECT_FALSE(ctl<QPushButton>(QStringLiteral("cmdEliminarParametrosTpv"))->isEnabled());
}

TEST_F(ParametersWindow, AnOperationHasOneKeyRowAndThePreviewRefusesMoreThanEighteen)
{
    ASSERT_NO_FATAL_FAILURE(open());
    Grid* lines = grid("vsLineas");
    QComboBox* op = combo("cboOperacion");
    op->setCurrentIndex(op->findData(10));
    combo("cboTecla")->setCurrentIndex(combo("cboTecla")->findText(QStringLiteral("F5")));
    combo("cboPosicion")->setCurrentIndex(6);
    ctl<ColorButton>(QStringLiteral("cboColor"))->setColor(0x0000ff);
    check("chkVisible")->setChecked(false);
    click("cmdAgregar");
    ASSERT_EQ(lines->Rows(), 3); // replaced, not added
    EXPECT_EQ(lines->TextMatrix(2, 3), QStringLiteral("F5"));
    EXPECT_EQ(lines->TextMatrix(2, 4), QStringLiteral("7"));
    EXPECT_EQ(lines->TextMatrix(2, 6), QString());
    EXPECT_EQ(lines->CellBackColor(2, 5), QColor(255, 0, 0));

    // Selecting a row puts it back into the editors.
    lines->setRow(1);
    EXPECT_EQ(op->currentData().toInt(), 5);
    EXPECT_TRUE(check("chkVisible")->isChecked() == false);
    lines->setRow(2);
    EXPECT_EQ(combo("cboPosicion")->currentText(), QStringLiteral("7"));
    click("cmdEliminarOP");
    EXPECT_EQ(lines->Rows(), 2);

    int previews = 0;
    form->setPreview([&](const std::vector<OperationKey>& keys, int mode, QWidget*) {
        ++previews;
        return mode == 1 ? 12 : 0;
    });
    for (int code = 20; lines->Rows() - 1 < 18; ++code) {
        op->setCurrentIndex(op->findData(code));
        click("cmdAgregar");
    }
    click("cmdVistaPos");
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(combo("cboPosicion")->currentText(), QStringLiteral("12"));
    op->setCurrentIndex(op->findData(1));
    click("cmdAgregar");
    ASSERT_EQ(lines->Rows() - 1, 19);
    click("cmdVisual");
    click("cmdVistaPos");
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Existen demasiadas operaciones asignadas para la previsualización."));
}

TEST_F(ParametersWindow, ThePanelPreviewShowsTheKeysAndPicksThePositionClicked)
{
    using reports::frmVistaPreliminarOp;
    ASSERT_NO_FATAL_FAILURE(open());
    EXPECT_TRUE(ctl<QPushButton>(QStringLiteral("cmdVisual"))->isEnabled());
    EXPECT_TRUE(ctl<QPushButton>(QStringLiteral("cmdVistaPos"))->isEnabled());
    QComboBox* posicion = combo("cboPosicion");
    posicion->setCurrentIndex(posicion->findText(QStringLiteral("4")));

    // Looking only: the stored keys are laid out, a click on a key does not close the panel.
    QString cobrar, hidden, cobrarStyle;
    int resultAfterClick = -1;
    services.modal->queue([&](QDialog& d) {
        auto& vista = static_cast<frmVistaPreliminarOp&>(d);
        cobrar = vista.boton(1)->text();
        cobrarStyle = vista.boton(1)->styleSheet();
        hidden = vista.boton(2)->text();
        QTest::mouseClick(vista.boton(3), Qt::LeftButton);
        resultAfterClick = d.result();
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdCerrar")), Qt::LeftButton);
        return d.result();
    });
    click("cmdVisual");
    EXPECT_EQ(services.modal->dialogsRun, QStringList{QStringLiteral("frmVistaPreliminarOp")});
    EXPECT_EQ(cobrar, QStringLiteral("Cobrar\n(F2)"));
    EXPECT_TRUE(cobrarStyle.contains(QStringLiteral("#ff0000"))) << cobrarStyle.toStdString();
    EXPECT_EQ(hidden, QString()); // stored as not visible
    EXPECT_NE(resultAfterClick, QDialog::Accepted);
    EXPECT_EQ(posicion->currentText(), QStringLiteral("4"));

    // Choosing: the clicked position becomes the key's position; the panel is gone afterwards.
    services.modal->queue([](QDialog& d) {
        QTest::mouseClick(static_cast<frmVistaPreliminarOp&>(d).boton(9), Qt::LeftButton);
        return d.result();
    });
    click("cmdVistaPos");
    EXPECT_EQ(posicion->currentText(), QStringLiteral("9"));
    EXPECT_TRUE(form->findChildren<frmVistaPreliminarOp*>().isEmpty());

    // Closing without a click keeps the position chosen before.
    services.modal->queue([](QDialog& d) {
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdCerrar")), Qt::LeftButton);
        return d.result();
    });
    click("cmdVistaPos");
    EXPECT_EQ(services.modal->dialogsRun.size(), 3);
    EXPECT_EQ(posicion->currentText(), QStringLiteral("9"));
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(ParametersWindow, ScalesTakeAtMostTenRowsWithAPrefix)
{
    ASSERT_NO_FATAL_FAILURE(open());
    Grid* scales = grid("vsBalanzas");
    ctlTextBox* codigo = text("txtCodigo");
    QComboBox* tipo = combo("cboTipo");
    codigo->setText(QStringLiteral("0"));
    QTest::keyClick(tipo, Qt::Key_Return);
    EXPECT_EQ(scales->Rows(), 3);
    EXPECT_TRUE(services.messages->last()->text.contains(QStringLiteral("distinto de 0")));
    for (int p = 22; scales->Rows() - 1 < 10 && p < 60; ++p) {
        codigo->setText(QString::number(p));
        tipo->setCurrentIndex(3);
        QTest::keyClick(tipo, Qt::Key_Return);
        ASSERT_TRUE(codigo->text().isEmpty()) << services.messages->texts().join(QLatin1Char('/')).toStdString();
    }
    EXPECT_EQ(scales->TextMatrix(3, 1), QStringLiteral("EAN 7 p. digitos + Peso"));
    codigo->setText(QStringLiteral("99"));
    QTest::keyClick(tipo, Qt::Key_Return);
    EXPECT_EQ(scales->Rows() - 1, 10);
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("No puede definir más de 10 líneas."));
    EXPECT_EQ(services.messages->last()->caption, QStringLiteral("¡Atención!"));
    scales->setRow(1);
    click("cmdEliminar");
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(db.count("Tpv_Parametros", "Cod_Almacen = 1 AND Codigo BETWEEN 300 AND 320"), 9);
    EXPECT_EQ(valor(1, 300), QStringLiteral("21"));
    EXPECT_EQ(db.conn().scalar("SELECT Valor2 FROM Tpv_Parametros WHERE Cod_Almacen = 1 AND Codigo = 302").toString(), QStringLiteral("6"));
}

TEST_F(ParametersWindow, LogosAreWrittenAndDeletedAtOnce)
{
    ASSERT_NO_FATAL_FAILURE(open());
    const QString source = tmp.filePath(QStringLiteral("nuevo.bmp"));
    QImage img(600, 200, QImage::Format_RGB32);
    img.fill(Qt::darkBlue);
    ASSERT_TRUE(img.save(source, "BMP"));
    const QString imagen = form->programFolder() + QStringLiteral("/Imagen/");

    check("chkCrearLogMX")->setChecked(true);
    services.files->answers.push_back(source);
    click("cmdFotoExaminar", 1);
    EXPECT_TRUE(QFile::exists(imagen + QStringLiteral("logo1.bmp")));
    const QImage mx(imagen + QStringLiteral("LogoMX1.bmp"));
    ASSERT_FALSE(mx.isNull());
    EXPECT_LE(mx.width(), 360);
    EXPECT_EQ(mx.depth(), 1);
    EXPECT_TRUE(QFile::exists(imagen + QStringLiteral("setNVBitImage.txt")));
    EXPECT_FALSE(ctl<QLabel>(QStringLiteral("picLogo"), 1)->pixmap().isNull());
    EXPECT_FALSE(QFile::exists(imagen + QStringLiteral("Logo.bmp")));

    click("cmdFotoBorrar", 1);
    EXPECT_FALSE(QFile::exists(imagen + QStringLiteral("logo1.bmp")));
    EXPECT_FALSE(QFile::exists(imagen + QStringLiteral("LogoMX1.bmp")));
    EXPECT_TRUE(ctl<QLabel>(QStringLiteral("picLogo"), 1)->pixmap().isNull());

    // A logo that cannot be written is reported; the picture stays as it was.
    // (A directory in the logo's place: file permissions do not stop every user.)
    services.files->answers.push_back(source);
    click("cmdFotoExaminar", 1);
    ASSERT_TRUE(QDir().mkpath(imagen + QStringLiteral("Logo.bmp")));
    services.files->answers.push_back(source);
    click("cmdFotoExaminar", 0);
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->caption, QStringLiteral("¡ Atención !"));
    EXPECT_TRUE(ctl<QLabel>(QStringLiteral("picLogo"), 0)->pixmap().isNull());
    EXPECT_FALSE(ctl<QLabel>(QStringLiteral("picLogo"), 1)->pixmap().isNull());
    EXPECT_TRUE(QFileInfo(imagen + QStringLiteral("Logo.bmp")).isDir());
}

TEST_F(ParametersWindow, LinksTakeTheChosenProgramAndReactionsFollowTheirSettings)
{
    ASSERT_NO_FATAL_FAILURE(open());
    services.files->answers.push_back(QStringLiteral("/usr/bin/calculadora"));
    click("cmdExaminar_Vinculo", 4);
    EXPECT_EQ(text("txtUbicacion_Vinculo", 4)->text(), QStringLiteral("/usr/bin/calculadora"));

    combo("cboAutenticacion")->setCurrentIndex(1);
    EXPECT_FALSE(text("txtClave")->isEnabled());
    combo("cboAutenticacion")->setCurrentIndex(0);
    EXPECT_TRUE(text("txtClave")->isEnabled());
    EXPECT_FALSE(text("txtRecargaMovilAlm")->isEnabled());
    combo("cboRecargaMovil")->setCurrentIndex(4);
    EXPECT_TRUE(text("txtRecargaMovilAlm")->isEnabled());
    // Enter in these combos moves on to the next field.
    for (const char* name : {"cboAutenticacion", "cboServidorImagen", "cboTipoFichaCliente"}) {
        QComboBox* c = combo(name);
        auto* tabs = ctl<QTabWidget>(QStringLiteral("sstTpv"));
        for (int t = 0; t < tabs->count(); ++t)
            if (tabs->widget(t)->isAncestorOf(c))
                tabs->setCurrentIndex(t);
        c->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), c) << name;
        const int index = c->currentIndex();
        QTest::keyClick(c, Qt::Key_Return);
        EXPECT_NE(QApplication::focusWidget(), c) << name;
        EXPECT_EQ(c->currentIndex(), index);
    }
    check("chkParam", 10)->setChecked(true);
    check("chkParam", 11)->setChecked(true);
    check("chkParam", 10)->setChecked(false);
    EXPECT_FALSE(check("chkParam", 11)->isEnabled());
    EXPECT_FALSE(check("chkParam", 11)->isChecked());
}

// The panels of the Balanzas and Logotipo tabs are made apart from their
// settings; Tab still goes through a tab as it reads and ends on the buttons.
TEST_F(ParametersWindow, TabGoesFromEachPanelToItsSettingsAndThenToGuardarAndSalir)
{
    ASSERT_NO_FATAL_FAILURE(open());
    auto* tabs = ctl<QTabWidget>(QStringLiteral("sstTpv"));
    auto tabFrom = [](QWidget* w) {
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Tab);
        return QApplication::focusWidget();
    };
    tabs->setCurrentIndex(8);
    EXPECT_EQ(tabFrom(ctl(QStringLiteral("cmdEliminar"))), ctl(QStringLiteral("chkEANBalanzas")));
    tabs->setCurrentIndex(9);
    EXPECT_EQ(tabFrom(ctl(QStringLiteral("cmdFotoBorrar"), 1)), ctl(QStringLiteral("chkCrearLogMX")));
    EXPECT_EQ(tabFrom(ctl(QStringLiteral("chkCrearLogMX"))), ctl(QStringLiteral("cmdAceptar")));
    EXPECT_EQ(tabFrom(ctl(QStringLiteral("cmdAceptar"))), ctl(QStringLiteral("cmdCancelar")));
}

TEST_F(ParametersWindow, TheUsersAccessLevelsApplyWhenTheWindowOpens)
{
    db.exec("INSERT INTO SGD_Formularios (Cod_Formulario, Nombre) VALUES (1, 'frmParametros')");
    db.exec("INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre, Indice, TabIndex) VALUES"
            " (1, 1, 'cmdAceptar', '', 1), (1, 2, 'chkParam', '2', 2), (1, 3, 'txtClave', '', 3)");
    db.exec("INSERT INTO SGD_Usuarios_Grupos (CodUsuario, CodGrupo) VALUES (1, 3)");
    db.exec("INSERT INTO SGD_Controles_Grupos (Cod_Grupo, Cod_Formulario, Cod_Control, Permiso) VALUES"
            " (3, 1, 1, 2), (3, 1, 2, 1), (0, 1, 3, 1)");
    ASSERT_NO_FATAL_FAILURE(open());
    EXPECT_FALSE(ctl<QPushButton>(QStringLiteral("cmdAceptar"))->isEnabled());
    EXPECT_FALSE(check("chkParam", 2)->isEnabled());
    EXPECT_TRUE(check("chkParam", 1)->isEnabled());
    EXPECT_FALSE(text("txtClave")->Habilitado());
    ASSERT_NO_FATAL_FAILURE(save()); // F9 follows the disabled button
    EXPECT_EQ(db.count("Tpv_Parametros", "Codigo = 52"), 0);
}

TEST_F(ParametersWindow, NumbersAreReadAsTheSuiteWritesThemAndShowTheNumberTheTerminalsUse)
{
    ASSERT_NO_FATAL_FAILURE(open());
    text("txtFondoCaja")->setText(QStringLiteral("1.500"));
    text("txtTopeCaja")->setText(QStringLiteral("1.234,5"));
    text("txtUmbralArqueo")->setText(QStringLiteral("123,456"));
    text("txtDiasTicketsTPVs")->setText(QStringLiteral("12.5"));
    ASSERT_NO_FATAL_FAILURE(save());
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Parámetros de TPV guardados correctamente."));
    const QStringList stored = {QStringLiteral("1500"), QStringLiteral("1234.5"), QStringLiteral("123.456"), QStringLiteral("12.5")};
    auto storedNow = [&] { return QStringList{valor(1, 382), valor(1, 369), valor(1, 415), valor(1, 419)}; };
    EXPECT_EQ(storedNow(), stored);

    // Reopened, each field shows the number stored; saved again as shown, nothing moves.
    for (int round = 0; round < 2; ++round) {
        chooseAlmacen(2);
        chooseAlmacen(1);
        EXPECT_EQ(text("txtFondoCaja")->text(), QStringLiteral("1500"));
        EXPECT_EQ(text("txtTopeCaja")->text(), QStringLiteral("1234,5"));
        EXPECT_EQ(text("txtUmbralArqueo")->text(), QStringLiteral("123,456"));
        EXPECT_EQ(text("txtDiasTicketsTPVs")->text(), QStringLiteral("12,5"));
        ASSERT_NO_FATAL_FAILURE(save());
        EXPECT_EQ(storedNow(), stored) << "round " << round;
    }
}

TEST_F(ParametersWindow, SavingKeepsOtherCompaniesSettingsAndAFailedSaveRemovesNothingNorShowsAPassword)
{
    // Company 2 has no terminal here; company 1's warehouse 3 has none and its terminal 8 is gone.
    db.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (2, 9, 100, 'Otra'), (1, 3, 100, 'Sin cajas')");
    db.exec("INSERT INTO Tpv_Parametros_Ex (Cod_Empresa, Cod_Almacen, Cod_Tpv, Codigo, Valor) VALUES"
            " (2, 9, 4, 100, 'Otra caja'), (1, 1, 8, 100, 'Caja borrada')");
    ASSERT_NO_FATAL_FAILURE(open());
    const QStringList general = rows(QStringLiteral("Tpv_Parametros"), QStringLiteral("1 = 1"));
    const QStringList terminal = rows(QStringLiteral("Tpv_Parametros_Ex"), QStringLiteral("1 = 1"));
    struct Secret { const char* control; int index; int code; };
    for (const Secret& secret : {Secret{"txtPasswordFTP", -1, 379}, Secret{"txtLoyalGuru", 2, 500}, Secret{"txtGeltCash", 2, 552}}) {
        const QString password = QStringLiteral("s3creto-%1").arg(secret.code);
        text(secret.control, secret.index)->setText(password);
        dropFailingTrigger(db, "fault_secret", "Tpv_Parametros");
        failingTrigger(db, "fault_secret", "BEFORE INSERT", "Tpv_Parametros", "injected fault",
                       QStringLiteral("NEW.Codigo = %1").arg(secret.code));
        services.messages->shown.clear();
        ASSERT_NO_FATAL_FAILURE(save());
        ASSERT_EQ(services.messages->shown.size(), 2u) << secret.code;
        EXPECT_EQ(services.messages->shown[0].text,
                  QStringLiteral("Ha ocurrido un error al guardar los parametros. Es posible que no haya especificado alguno."));
        EXPECT_TRUE(services.messages->shown[1].text.contains(QStringLiteral(", %1, '********')").arg(secret.code)))
            << services.messages->shown[1].text.toStdString();
        for (const frame::Message& m : services.messages->shown)
            EXPECT_FALSE(m.text.contains(password)) << m.text.toStdString();
        // Nothing removed, the clean-up included.
        EXPECT_EQ(rows(QStringLiteral("Tpv_Parametros"), QStringLiteral("1 = 1")), general) << secret.code;
        EXPECT_EQ(rows(QStringLiteral("Tpv_Parametros_Ex"), QStringLiteral("1 = 1")), terminal) << secret.code;
    }

    dropFailingTrigger(db, "fault_secret", "Tpv_Parametros");
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(services.messages->last()->text, QStringLiteral("Parámetros de TPV guardados correctamente."));
    EXPECT_EQ(valor(1, 552), QStringLiteral("s3creto-552"));
    EXPECT_EQ(db.count("Tpv_Parametros", "Cod_Empresa = 2"), 1);
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Empresa = 2"), 1);
    EXPECT_EQ(db.count("Tpv_Parametros", "Cod_Empresa = 1 AND Cod_Almacen = 3"), 0);
    EXPECT_EQ(db.count("Tpv_Parametros_Ex", "Cod_Empresa = 1 AND Cod_Tpv = 8"), 0);
}

TEST_F(ParametersWindow, TheWindowsOwnRulesNeverLiftTheUsersAccessLevels)
{
    db.empresa().setVariable(QStringLiteral("Tpv_HabilitarParamTpv"), 0);
    general(1, 364, "0"); // "Sólo clave": the rule enables txtClave
    general(1, 64, "1");  // "Detallar Impuesto": the rule enables chkParam(11)
    db.exec("INSERT INTO SGD_Formularios (Cod_Formulario, Nombre) VALUES (1, 'frmParametros')");
    db.exec("INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre, Indice, TabIndex) VALUES"
            " (1, 1, 'txtClave', '', 1), (1, 2, 'chkParam', '11', 2), (1, 3, 'cboTpv', '', 3),"
            " (1, 4, 'txtRecargaMovilAlm', '', 4), (1, 5, 'cmdCopiarGeneral', '', 5)");
    db.exec("INSERT INTO SGD_Usuarios_Grupos (CodUsuario, CodGrupo) VALUES (1, 3)");
    db.exec("INSERT INTO SGD_Controles_Grupos (Cod_Grupo, Cod_Formulario, Cod_Control, Permiso) VALUES"
            " (3, 1, 1, 2), (0, 1, 2, 1), (3, 1, 2, 2), (0, 1, 3, 0), (3, 1, 4, 1), (0, 1, 5, 0)");
    ASSERT_NO_FATAL_FAILURE(open());
    ASSERT_EQ(combo("cboAutenticacion")->currentIndex(), 0);
    ASSERT_TRUE(check("chkParam", 10)->isChecked());
    EXPECT_FALSE(text("txtClave")->isEnabled());
    EXPECT_FALSE(check("chkParam", 11)->isEnabled());
    // Level 0 does not bring back what the window hid on purpose.
    EXPECT_TRUE(combo("cboTpv")->isHidden());
    EXPECT_TRUE(ctl<QPushButton>(QStringLiteral("cmdCopiarGeneral"))->isHidden());

    // The rules run again as the user works, and on every change of scope.
    combo("cboAutenticacion")->setCurrentIndex(1);
    combo("cboAutenticacion")->setCurrentIndex(0);
    check("chkParam", 10)->setChecked(false);
    check("chkParam", 10)->setChecked(true);
    combo("cboRecargaMovil")->setCurrentIndex(4);
    EXPECT_FALSE(text("txtClave")->isEnabled());
    EXPECT_FALSE(check("chkParam", 11)->isEnabled());
    EXPECT_TRUE(text("txtRecargaMovilAlm")->isEnabled()); // level 1 lets it be enabled, never typed in
    EXPECT_FALSE(text("txtRecargaMovilAlm")->Habilitado());
    chooseAlmacen(2);
    chooseAlmacen(1);
    EXPECT_FALSE(text("txtClave")->isEnabled());
    EXPECT_FALSE(check("chkParam", 11)->isEnabled());
    EXPECT_FALSE(text("txtRecargaMovilAlm")->Habilitado());
}

TEST_F(ParametersWindow, WhenTheAccessLevelsCannotBeReadTheWindowOpensLocked)
{
    db.exec("DROP TABLE SGD_Controles_Grupos");
    ASSERT_NO_FATAL_FAILURE(open());
    ASSERT_EQ(services.messages->shown.size(), 1u);
    const frame::Message& m = services.messages->shown[0];
    EXPECT_EQ(m.caption, QStringLiteral("clsControlSeg:SetStateAllControl"));
    EXPECT_EQ(m.icon, frame::MsgIcon::Critical);
    EXPECT_TRUE(m.text.startsWith(QStringLiteral("No se han podido leer los permisos del usuario en esta ventana"))) << m.text.toStdString();
    EXPECT_TRUE(m.text.contains(QStringLiteral("SGD_Controles_Grupos"), Qt::CaseInsensitive)) << m.text.toStdString();

    EXPECT_FALSE(ctl<QPushButton>(QStringLiteral("cmdAceptar"))->isEnabled());
    EXPECT_FALSE(text("txtClave")->Habilitado());
    EXPECT_FALSE(text("txtFondoCaja")->Habilitado());
    EXPECT_FALSE(check("chkParam", 1)->isEnabled());
    EXPECT_FALSE(check("chkParam", 11)->isEnabled());
    EXPECT_FALSE(combo("cboAlmacen")->isEnabled());
    EXPECT_FALSE(ctl<QListWidget>(QStringLiteral("lstClave"))->isEnabled());
    // The way out stays, and the tabs can still be browsed.
    EXPECT_TRUE(ctl<QPushButton>(QStringLiteral("cmdCancelar"))->isEnabled());
    EXPECT_TRUE(ctl<QTabWidget>(QStringLiteral("sstTpv"))->isEnabled());
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(db.count("Tpv_Parametros", "Codigo = 52"), 0);
}
