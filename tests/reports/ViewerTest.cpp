// The report viewer and the way reports reach the chosen device, driven
// through the viewer's own controls.
#include "reports/PdfText.h"
#include "reports/Report.h"
#include "reports/ReportOutput.h"
#include "reports/ReportViewer.h"
#include "reports/clsView.h"
#include "reports/frmView.h"
#include "support/ScreenTest.h"

#include "db/Error.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::reports;

namespace {

const char* kLayout = R"(<report name="Visor">
  <section name="PageHeaderSection1" height="400">
    <formula name="forPagina" x="0" y="0" width="4000" height="300">Página {PageNumber} de {TotalPages}</formula>
  </section>
  <section name="DetailSection1" height="260">
    <field name="fldNombre" x="0" y="0" width="4000" height="240" source="{ado.Nombre}"/>
  </section>
</report>)";

std::shared_ptr<Report> makeReport(int rows)
{
    auto r = std::make_shared<Report>(ReportLayout::parse(kLayout, QStringLiteral("Visor.rpt")));
    ReportData d({QStringLiteral("Nombre")});
    for (int i = 1; i <= rows; ++i)
        d.addRow({QStringLiteral("Línea %1").arg(i)});
    r->setData(d);
    r->setTitle(QStringLiteral("Informe del visor"));
    return r;
}

class Viewer : public ::testing::Test {
protected:
    void SetUp() override { test::installInHostContext(db); }

    template <class T>
    static T* child(QWidget& w, const char* name)
    {
        T* c = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }

    test::TestDatabase db;
    test::ServiceDoubles services;
    QTemporaryDir dir;
};

TEST_F(Viewer, ButtonsAndKeysMoveThroughThePagesAndEscCloses)
{
    bool ran = false;
    services.modal->queue([&](QDialog& d) {
        ran = true;
        d.show();
        d.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        auto* viewer = child<ReportViewer>(d, "crvRep");
        const int pages = viewer->pageCount();
        EXPECT_GE(pages, 3);
        EXPECT_EQ(viewer->currentPage(), 1);
        EXPECT_FALSE(child<QToolButton>(d, "crvAnterior")->isEnabled());
        QTest::mouseClick(child<QToolButton>(d, "crvSiguiente"), Qt::LeftButton);
        EXPECT_EQ(viewer->currentPage(), 2);
        QTest::mouseClick(child<QToolButton>(d, "crvUltima"), Qt::LeftButton);
        EXPECT_EQ(viewer->currentPage(), pages);
        EXPECT_FALSE(child<QToolButton>(d, "crvSiguiente")->isEnabled());
        QTest::keyClick(&d, Qt::Key_PageUp);
        EXPECT_EQ(viewer->currentPage(), pages - 1);
        QTest::keyClick(&d, Qt::Key_Home, Qt::ControlModifier);
        EXPECT_EQ(viewer->currentPage(), 1);
        // The zoom asked for by the caller, shown in the zoom list.
        EXPECT_EQ(viewer->zoom(), 150);
        EXPECT_EQ(child<QComboBox>(d, "crvZoom")->currentText(), QStringLiteral("150%"));
        EXPECT_TRUE(d.windowTitle().contains(QStringLiteral("Informe del visor")));
        QTest::keyClick(&d, Qt::Key_Escape);
        EXPECT_FALSE(d.isVisible());
        return d.result();
    });
    clsView view;
    view.setCrxRep(makeReport(200));
    view.setZoom(150);
    view.Show(true);
    EXPECT_TRUE(ran);
}

TEST_F(Viewer, ThePageBoxZoomKeysAndLastPageKeysActOnTheViewer)
{
    bool ran = false;
    services.modal->queue([&](QDialog& d) {
        ran = true;
        d.show();
        d.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
        auto* viewer = child<ReportViewer>(d, "crvRep");
        const int pages = viewer->pageCount();
        child<QSpinBox>(d, "crvNumPagina")->setValue(2);
        EXPECT_EQ(viewer->currentPage(), 2);
        QTest::keyClick(&d, Qt::Key_End, Qt::ControlModifier);
        EXPECT_EQ(viewer->currentPage(), pages);
        // With the next-page button greyed out the key just stays on the last page.
        QTest::keyClick(&d, Qt::Key_PageDown);
        EXPECT_EQ(viewer->currentPage(), pages);
        QTest::keyClick(&d, Qt::Key_Minus);
        EXPECT_EQ(viewer->zoom(), 125);
        QTest::keyClick(&d, Qt::Key_Plus);
        QTest::keyClick(&d, Qt::Key_Plus);
        EXPECT_EQ(viewer->zoom(), 200);
        EXPECT_TRUE(services.messages->shown.empty());
        QTest::mouseClick(child<QToolButton>(d, "crvCerrar"), Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
        return d.result();
    });
    clsView view;
    view.setCrxRep(makeReport(200));
    view.setZoom(150);
    view.Show(true);
    EXPECT_TRUE(ran);
}

TEST_F(Viewer, ModelessWindowKeepsTheReportAndGoesAwayWhenClosed)
{
    QPointer<frmView> shown;
    {
        clsView view;
        view.setCrxRep(makeReport(5));
        view.Show(false);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<frmView*>(w); f && f->isVisible())
                shown = f;
    }
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown->viewer()->pageCount(), 1);
    EXPECT_TRUE(services.modal->dialogsRun.isEmpty());
    shown->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shown.isNull());
}

TEST_F(Viewer, ExportWritesThePdfWhereTheUserSays)
{
    frmView form;
    form.setReport(makeReport(3));
    form.show();
    const QString path = dir.filePath(QStringLiteral("exportado"));
    services.files->answers = {path, QString()};
    QTest::mouseClick(child<QToolButton>(form, "crvExportar"), Qt::LeftButton);
    EXPECT_TRUE(test::pdfText(path + QStringLiteral(".pdf")).contains(QStringLiteral("Línea 3")));
    // Cancelling the file choice writes nothing.
    EXPECT_FALSE(form.viewer()->exportPdf());
    EXPECT_EQ(services.files->asked, 2);
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(Viewer, LogoComesFromTheInstallationFolderWhenThere)
{
    {
        frmView without;
        EXPECT_FALSE(child<QLabel>(without, "pctLogo")->isVisibleTo(&without));
    }
    QImage logo(64, 64, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(dir.filePath(QStringLiteral("Logo.png"))));
    db.empresa().setRutaAplicacion(dir.path());
    frmView with;
    auto* pct = child<QLabel>(with, "pctLogo");
    EXPECT_TRUE(pct->isVisibleTo(&with));
    EXPECT_FALSE(pct->pixmap().isNull());
}

TEST_F(Viewer, SendReportGoesToTheChosenDevice)
{
    // Fichero: a PDF where the file chooser says.
    const QString path = dir.filePath(QStringLiteral("enviado.pdf"));
    services.files->answers = {path};
    EXPECT_TRUE(sendReport(makeReport(2), Destino::Fichero));
    EXPECT_TRUE(test::pdfText(path).contains(QStringLiteral("Línea 2")));
    services.files->answers = {QString()};
    EXPECT_FALSE(sendReport(makeReport(2), 2));

    // Pantalla: the viewer.
    EXPECT_TRUE(sendReport(makeReport(2), Destino::Pantalla));
    EXPECT_EQ(services.modal->dialogsRun, QStringList{QStringLiteral("frmView")});

    // Impresora: a printer that is not there is reported.
    try {
        sendReport(makeReport(2), Destino::Impresora, QStringLiteral("No Hay Tal Impresora"));
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), rpterr::PrinterNotFound);
    }

    // A report that cannot be printed fails before any window or file.
    auto bad = makeReport(2);
    bad->layout().requireObject(QStringLiteral("fldNombre")).field = QStringLiteral("NoExiste");
    services.files->answers = {dir.filePath(QStringLiteral("malo.pdf"))};
    EXPECT_THROW(sendReport(bad, Destino::Pantalla), Error);
    EXPECT_THROW(sendReport(bad, Destino::Fichero), Error);
    EXPECT_EQ(services.modal->dialogsRun.size(), 1);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("malo.pdf"))));
}

} // namespace
