// The quick-code window driven through its widgets by name, and its entry class.
#include "component/ClassRegistry.h"
#include "controls/Grid.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "frame/EntryClass.h"
#include "support/FailingTrigger.h"
#include "support/ScreenTest.h"
#include "touchscreen/frmCodigosRapido.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using controls::ctlTextBox;
using controls::Grid;
using touchscreen::frmCodigosRapido;
using zqvr::test::dropFailingTrigger;
using zqvr::test::failingTrigger;

namespace {

class QuickCodeScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        installInHostContext(db);
        db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Centro'), (1, 2, 'Puerto'),"
                " (1, 3, 'Aeropuerto')");
        db.exec("INSERT INTO SGD_Usuarios_Almacenes (CodUsuario, Cod_Empresa, Cod_Almacen) VALUES (1, 1, 2), (1, 1, 3)");
        db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 1001, 'Pan de molde'),"
                " (1, 1002, 'Leche entera')");
        db.exec("INSERT INTO TPV_CodigosRapido (Cod_Empresa, Cod_Almacen, Cod_Rapido, Cod_Articulo, Unidades, Act)"
                " VALUES (1, 2, '5', 1002, 6, 1), (1, 2, '1', 1001, 1, 1), (1, 2, 'X', 4711, 1, 1),"
                " (1, 1, '9', 1001, 2, 1)");
    }
    void open(bool oficinaCentral = false)
    {
        db.empresa().setVariable(QStringLiteral("OficinaCentral"), oficinaCentral ? 1 : 0);
        form = std::make_unique<frmCodigosRapido>();
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
    Grid* grid() { return ctl<Grid>("vsLineas"); }
    controls::ctlAlmacen* almacen() { return ctl<controls::ctlAlmacen>("txtAlmacen"); }
    QStringList lines()
    {
        QStringList out;
        Grid* g = grid();
        for (int r = 1; r < g->Rows(); ++r)
            out << QStringList{g->TextMatrix(r, 0), g->TextMatrix(r, 1), g->TextMatrix(r, 2), g->TextMatrix(r, 3)}
                       .join(QLatin1Char('|'));
        return out;
    }
    // Types the entry line and presses Enter in the units, as the user does.
    void enter(const QString& code, const QString& article, const QString& units)
    {
        ctl<ctlTextBox>("txtCodigo")->setText(code);
        ctl<controls::ctlArticulo>("txtArticulo")->codeField()->setText(article);
        auto* u = ctl<ctlTextBox>("txtUnidades");
        u->setFocus();
        u->setText(units);
        QTest::keyClick(u, Qt::Key_Return);
    }
    QString stored(const QString& code, int alm = 2)
    {
        auto rs = db.conn().query(QStringLiteral("SELECT Cod_Articulo, Unidades, Act FROM TPV_CodigosRapido"
                                                 " WHERE Cod_Empresa = 1 AND Cod_Almacen = %1 AND Cod_Rapido = '%2'")
                                      .arg(alm)
                                      .arg(code));
        return rs.eof() ? QStringLiteral("(none)")
                        : QStringLiteral("%1 x%2 act%3")
                              .arg(rs["Cod_Articulo"].toInt())
                              .arg(rs["Unidades"].toDouble())
                              .arg(rs["Act"].toInt());
    }

    test::TestDatabase db;
    test::ServiceDoubles services;
    std::unique_ptr<frmCodigosRapido> form;
};

TEST_F(QuickCodeScreen, LoadShowsTheUsersWarehouseCodesAndLocksItOutsideTheCentralOffice)
{
    ASSERT_NO_FATAL_FAILURE(open(false));
    EXPECT_EQ(form->windowTitle(), "Códigos Rápido");
    EXPECT_EQ(almacen()->Codigo(), 2);
    EXPECT_EQ(almacen()->Nombre(), "Puerto");
    EXPECT_FALSE(almacen()->Habilitado());
    Grid* g = grid();
    EXPECT_EQ(QStringList({g->TextMatrix(0, 0), g->TextMatrix(0, 1), g->TextMatrix(0, 2), g->TextMatrix(0, 3)}),
              QStringList({"Código Rápido", "Artículo", "Artículo", "Unidades"}));
    EXPECT_EQ(g->ColWidth(2), 6000);
    EXPECT_EQ(g->FixedAlignment(0), Grid::AlignCenter);
    // The code whose article is gone is not listed.
    EXPECT_EQ(lines(), QStringList({"1|1001|Pan de molde|1", "5|1002|Leche entera|6"}));
    EXPECT_EQ(ctl<ctlTextBox>("txtUnidades")->text(), "1");
}

TEST_F(QuickCodeScreen, EnterInTheWarehouseReloadsTheListAtTheCentralOffice)
{
    ASSERT_NO_FATAL_FAILURE(open(true));
    EXPECT_TRUE(almacen()->Habilitado());
    almacen()->codeField()->setFocus();
    almacen()->codeField()->selectAll();
    QTest::keyClicks(almacen()->codeField(), QStringLiteral("1"));
    QTest::keyClick(almacen()->codeField(), Qt::Key_Return);
    EXPECT_EQ(lines(), QStringList({"9|1001|Pan de molde|2"}));

    // Codes saved now go to the warehouse shown.
    enter(QStringLiteral("7"), QStringLiteral("1002"), QStringLiteral("3"));
    EXPECT_EQ(stored("7", 1), "1002 x3 act0");
    EXPECT_EQ(stored("7", 2), "(none)");
}

TEST_F(QuickCodeScreen, EnterInTheUnitsSavesTheLineAsUpdateOrInsertAndClearsIt)
{
    ASSERT_NO_FATAL_FAILURE(open());
    enter(QStringLiteral("  12 "), QStringLiteral("1001"), QString());
    EXPECT_TRUE(services.messages->shown.empty()) << services.messages->texts().join('\n').toStdString();
    EXPECT_EQ(stored("12"), "1001 x1 act0");
    EXPECT_EQ(lines(), QStringList({"1|1001|Pan de molde|1", "12|1001|Pan de molde|1", "5|1002|Leche entera|6"}));
    EXPECT_EQ(grid()->Row(), 2);
    EXPECT_EQ(ctl<ctlTextBox>("txtCodigo")->text(), "");
    EXPECT_EQ(ctl<controls::ctlArticulo>("txtArticulo")->text(), "");
    EXPECT_EQ(ctl<ctlTextBox>("txtUnidades")->text(), "1");
    EXPECT_EQ(QApplication::focusWidget(), ctl<ctlTextBox>("txtCodigo"));

    // Typing an existing code changes it, in place.
    enter(QStringLiteral("5"), QStringLiteral("1001"), QStringLiteral("1.234,5"));
    EXPECT_EQ(stored("5"), "1001 x1234.5 act0");
    EXPECT_EQ(db.count("TPV_CodigosRapido", "Cod_Almacen = 2"), 4);
    EXPECT_EQ(lines().last(), "5|1001|Pan de molde|1.234,5");

    enter(QStringLiteral("O'Neil"), QStringLiteral("1002"), QStringLiteral("0"));
    EXPECT_EQ(stored("O''Neil"), "1002 x1 act0");
}

TEST_F(QuickCodeScreen, BadEntriesAreRefusedWithAMessageAndWriteNothing)
{
    ASSERT_NO_FATAL_FAILURE(open());
    const QString before = QString::number(db.count("TPV_CodigosRapido"));
    enter(QStringLiteral("   "), QStringLiteral("1001"), QStringLiteral("1"));
    enter(QStringLiteral("12"), QStringLiteral("4711"), QStringLiteral("1"));
    enter(QStringLiteral("12"), QStringLiteral(""), QStringLiteral("1"));
    enter(QStringLiteral("12"), QStringLiteral("1001"), QStringLiteral("abc"));
    EXPECT_EQ(QApplication::focusWidget(), ctl<ctlTextBox>("txtUnidades"));
    enter(QStringLiteral("12"), QStringLiteral("1001"), QStringLiteral("-3"));
    EXPECT_EQ(services.messages->texts(),
              QStringList({"Debe especificar un Código Rápido.", "Debe especificar un Artículo Válido.",
                           "Debe especificar un Artículo Válido.", "Debe especificar unas Unidades válidas.",
                           "Las Unidades no pueden ser negativas."}));
    for (const auto& m : services.messages->shown)
        EXPECT_EQ(m.caption, "¡ Atención !");
    EXPECT_EQ(QString::number(db.count("TPV_CodigosRapido")), before);
    // The refused line stays for the user to correct.
    EXPECT_EQ(ctl<ctlTextBox>("txtCodigo")->text(), "12");
}

TEST_F(QuickCodeScreen, DeleteRemovesTheSelectedLineAndLeavesItsDeletionRecord)
{
    ASSERT_NO_FATAL_FAILURE(open());
    grid()->setRow(2);
    ctl<QPushButton>("cmdEliminar")->click();
    EXPECT_EQ(lines(), QStringList({"1|1001|Pan de molde|1"}));
    EXPECT_EQ(stored("5"), "(none)");
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja", "Cod_Empresa = 1 AND Cod_Almacen = 2 AND Cod_Rapido = '5' AND Act = 0"), 1);
    EXPECT_TRUE(services.messages->shown.empty());

    // A failing delete is reported; the line and every table stay as they were.
    failingTrigger(db, "fail", "BEFORE DELETE", "TPV_CodigosRapido", "bloqueado");
    grid()->setRow(1);
    ctl<QPushButton>("cmdEliminar")->click();
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->shown[0].caption, "Error en cmdEliminar_Click");
    EXPECT_EQ(lines(), QStringList({"1|1001|Pan de molde|1"}));
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja", "Cod_Rapido = '1'"), 0);
}

TEST_F(QuickCodeScreen, ACodeDeletedAndTypedAgainIsNoLongerPendingDeletion)
{
    ASSERT_NO_FATAL_FAILURE(open());
    grid()->setRow(2);
    ctl<QPushButton>("cmdEliminar")->click();
    ASSERT_EQ(db.count("TPV_CodigosRapido_Baja", "Cod_Almacen = 2 AND Cod_Rapido = '5' AND Act = 0"), 1);
    enter(QStringLiteral("5"), QStringLiteral("1001"), QStringLiteral("2"));
    EXPECT_TRUE(services.messages->shown.empty()) << services.messages->texts().join('\n').toStdString();
    EXPECT_EQ(stored("5"), "1001 x2 act0");
    EXPECT_EQ(db.count("TPV_CodigosRapido_Baja"), 0);
}

TEST_F(QuickCodeScreen, TheListingKeepsTheChosenSortAndDirectionAcrossOpenings)
{
    ASSERT_NO_FATAL_FAILURE(open(true));
    services.modal->queue([](QDialog& d) {
        EXPECT_EQ(d.objectName(), "frmCodigosRapido_Listado");
        d.findChild<QComboBox*>("cboOrdenadoPor")->setCurrentIndex(2);
        d.findChild<QComboBox*>("cboOrden")->setCurrentIndex(1);
        d.findChild<QPushButton*>("cmdSalir")->click();
        return d.result();
    });
    ctl<QPushButton>("cmdImprimir")->click();
    ASSERT_TRUE(services.modal->steps.empty());

    // A later quick-code window finds the listing as the user left it, showing its own warehouse.
    form.reset();
    ASSERT_NO_FATAL_FAILURE(open(true));
    almacen()->setCodigo(3);
    almacen()->Cargar();
    int sort = -1, direction = -1;
    qint64 warehouse = 0;
    services.modal->queue([&](QDialog& d) {
        sort = d.findChild<QComboBox*>("cboOrdenadoPor")->currentIndex();
        direction = d.findChild<QComboBox*>("cboOrden")->currentIndex();
        warehouse = d.findChild<controls::ctlAlmacen*>("txtAlmacen")->Codigo();
        return int(QDialog::Rejected);
    });
    ctl<QPushButton>("cmdImprimir")->click();
    EXPECT_EQ(sort, 2);
    EXPECT_EQ(direction, 1);
    EXPECT_EQ(warehouse, 3);
}

TEST(QuickCodeEntryClass, MakesItsScreenWithTheEntryObject)
{
    test::TestDatabase db;
    test::ServiceDoubles services;
    std::unique_ptr<QObject> obj(component::ClassRegistry::instance().create(QStringLiteral("ZQVRTpvs.frmclsCodigosRapido")));
    ASSERT_NE(obj, nullptr);
    auto* entry = qobject_cast<frame::EntryClass*>(obj.get());
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(entry->screen(), nullptr);
    EXPECT_EQ(entry->screen()->objectName(), "frmCodigosRapido");
    EXPECT_FALSE(entry->screen()->raisesUnloadNotice());
    entry->setEmpresaBrevanto(&db.empresa());
    entry->setConexionBrevanto(&db.conn());
    entry->Show(0, nullptr);
    EXPECT_TRUE(entry->screen()->isLoaded());
}

} // namespace
