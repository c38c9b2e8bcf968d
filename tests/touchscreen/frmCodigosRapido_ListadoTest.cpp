// The quick-code listing as a user prints it: opened from the quick-code
// window, written to a PDF and read back as text.
#include "../reports/PdfText.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlDispositivo.h"
#include "support/ScreenTest.h"
#include "touchscreen/frmCodigosRapido.h"
#include "touchscreen/frmCodigosRapido_Listado.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using controls::ctlDispositivo;
using touchscreen::frmCodigosRapido_Listado;

namespace {

class QuickCodeListingPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        installInHostContext(db);
        db.empresa().setRutaAplicacion(QStringLiteral(ZQVR_SOURCE_DIR));
        db.empresa().setVariable(QStringLiteral("OficinaCentral"), 1);
        db.exec("INSERT INTO Empresas (Codigo, Nombre_1) VALUES (1, 'Panaderías del Norte'), (2, 'Otra Empresa')");
        db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Centro'), (1, 2, 'Puerto')");
        db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES (1, 1001, 'Zumo de naranja'),"
                " (1, 1002, 'Agua mineral'), (1, 1003, 'Magdalenas')");
        db.exec("INSERT INTO TPV_CodigosRapido (Cod_Empresa, Cod_Almacen, Cod_Rapido, Cod_Articulo, Unidades, Act)"
                " VALUES (1, 2, 'B7', 1002, 6, 1), (1, 2, 'A1', 1003, 1, 1), (1, 2, 'C3', 1001, 2, 1),"
                " (1, 2, 'D9', 4711, 1, 1), (1, 1, 'E5', 1001, 3, 1)");
        ASSERT_TRUE(dir.isValid());
    }

    // Chooses sort and direction, the PDF device, and presses Aceptar; returns the PDF's text.
    QString printToPdf(frmCodigosRapido_Listado& dlg, int ordenadoPor, int orden)
    {
        dlg.findChild<QComboBox*>(QStringLiteral("cboOrdenadoPor"))->setCurrentIndex(ordenadoPor);
        dlg.findChild<QComboBox*>(QStringLiteral("cboOrden"))->setCurrentIndex(orden);
        dlg.findChild<ctlDispositivo*>(QStringLiteral("cboDispositivo"))->setValor(ctlDispositivo::Fichero);
        const QString path = dir.filePath(QStringLiteral("codigos%1%2.pdf").arg(ordenadoPor).arg(orden));
        services.files->answers = {path};
        QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
        EXPECT_TRUE(QFile::exists(path)) << services.messages->texts().join(QLatin1Char('\n')).toStdString();
        // pdftotext renders a run of blanks as one: the subtitle's exact
        // spacing is DevCriterio's own concern.
        return QFile::exists(path) ? test::pdfText(path) : QString();
    }

    // The quick codes in the order they appear in the text.
    static QStringList codesInOrder(const QString& text)
    {
        QStringList out;
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const QString first = line.trimmed().section(QLatin1Char(' '), 0, 0);
            if (QStringList{"A1", "B7", "C3", "D9", "E5"}.contains(first))
                out << first;
        }
        return out;
    }

    test::TestDatabase db;
    test::ServiceDoubles services;
    QTemporaryDir dir;
};

TEST_F(QuickCodeListingPrint, PdfListsTheWarehouseCodesInTheChosenOrderUnderTheSubtitle)
{
    frmCodigosRapido_Listado dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Listado Códigos Rápidos"));
    dlg.setAlmacen(2);

    const QString byCode = printToPdf(dlg, 1, 0);
    EXPECT_TRUE(byCode.contains(QStringLiteral("Almacen: 2 Puerto / Ordenado Por: Código Rápido / Orden: Ascendente")))
        << byCode.toStdString();
    EXPECT_TRUE(byCode.contains(QStringLiteral("Panaderías del Norte"))) << "company block";
    EXPECT_FALSE(byCode.contains(QStringLiteral("Otra Empresa")));
    // Other warehouses' codes and codes of vanished articles are not listed.
    EXPECT_EQ(codesInOrder(byCode), (QStringList{"A1", "B7", "C3"}));
    EXPECT_TRUE(byCode.contains(QStringLiteral("Magdalenas")));

    const QString byDescriptionDesc = printToPdf(dlg, 2, 1);
    EXPECT_TRUE(byDescriptionDesc.contains(QStringLiteral("Almacen: 2 Puerto / Ordenado Por: Descripción / Orden: Descendente")));
    EXPECT_EQ(codesInOrder(byDescriptionDesc), (QStringList{"C3", "A1", "B7"})); // Zumo, Magdalenas, Agua

    const QString byArticle = printToPdf(dlg, 0, 0);
    EXPECT_EQ(codesInOrder(byArticle), (QStringList{"C3", "B7", "A1"})); // 1001, 1002, 1003
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(QuickCodeListingPrint, MissingLayoutIsReportedAndNothingIsWritten)
{
    QTemporaryDir empty;
    db.empresa().setRutaAplicacion(empty.path());
    frmCodigosRapido_Listado dlg;
    dlg.setAlmacen(2);
    dlg.findChild<ctlDispositivo*>(QStringLiteral("cboDispositivo"))->setValor(ctlDispositivo::Fichero);
    const QString path = dir.filePath(QStringLiteral("nada.pdf"));
    services.files->answers = {path};
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_TRUE(services.messages->texts().join(QString()).contains(QStringLiteral("Codigos Rapidos.rpt")))
        << services.messages->texts().join(QString()).toStdString();
}

TEST_F(QuickCodeListingPrint, DatabaseFailureIsReportedAndTheWindowStaysOpen)
{
    frmCodigosRapido_Listado dlg;
    dlg.setAlmacen(2);
    dlg.show();
    db.exec("DROP TABLE TPV_CodigosRapido");
    dlg.findChild<ctlDispositivo*>(QStringLiteral("cboDispositivo"))->setValor(ctlDispositivo::Fichero);
    const QString path = dir.filePath(QStringLiteral("fallo.pdf"));
    services.files->answers = {path};
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("cmdAceptar")), Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(services.files->asked, 0) << "the report fails before the file is chosen";
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->caption, QStringLiteral("Error en cmdAceptar_Click"));
    EXPECT_TRUE(services.messages->last()->text.contains(QStringLiteral("TPV_CodigosRapido"), Qt::CaseInsensitive));
    EXPECT_TRUE(dlg.isVisible());
}

TEST_F(QuickCodeListingPrint, ImprimirOpensTheListingForTheWarehouseShown)
{
    touchscreen::frmCodigosRapido form;
    form.showForm(0);
    auto* almacen = form.findChild<controls::ctlAlmacen*>(QStringLiteral("txtAlmacen"));
    almacen->setCodigo(2);
    almacen->Cargar();
    auto* imprimir = form.findChild<QPushButton*>(QStringLiteral("cmdImprimir"));
    ASSERT_TRUE(imprimir->isEnabled());
    qint64 shown = -1;
    services.modal->queue([&](QDialog& d) {
        shown = d.findChild<controls::ctlAlmacen*>(QStringLiteral("txtAlmacen"))->Codigo();
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(imprimir, Qt::LeftButton);
    EXPECT_EQ(services.modal->dialogsRun, QStringList{QStringLiteral("frmCodigosRapido_Listado")});
    EXPECT_EQ(shown, 2);
}

} // namespace
