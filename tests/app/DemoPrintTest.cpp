// "Imprimir..." on the controls page prints the article grid through the
// grid printer into the report viewer, with the company, the rows and the
// totals row as the grid shows them.
#include "ControlsDemoPage.h"
#include "controls/Grid.h"
#include "reports/ReportViewer.h"
#include "reports/frmView.h"
#include "reports/Report.h"
#include "support/ScreenTest.h"

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;

TEST(ControlsDemoPage, ImprimirShowsTheArticleGridInTheViewer)
{
    test::TestDatabase tdb;
    tdb.fillDemo();
    tdb.empresa().setRutaAplicacion(QStringLiteral(ZQVR_SOURCE_DIR));
    test::installInHostContext(tdb);
    test::ServiceDoubles services;
    brevanto::ControlsDemoPage page(&tdb.conn(), &tdb.empresa());

    int pages = 0, rows = 0;
    QString firstDescription;
    services.modal->queue([&](QDialog& d) {
        auto* view = qobject_cast<reports::frmView*>(&d);
        EXPECT_NE(view, nullptr);
        if (view) {
            pages = view->viewer()->pageCount();
            const reports::Report* report = view->viewer()->report();
            rows = report->data().rowCount();
            firstDescription = report->data().value(0, 1).toString();
        }
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(page.findChild<QPushButton*>(QStringLiteral("cmdImprimir")), Qt::LeftButton);
    EXPECT_TRUE(services.messages->shown.empty()) << services.messages->texts().join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(pages, 1);
    // Every grid row: the articles, the empty row and the totals row.
    EXPECT_EQ(rows, page.articlesGrid()->Rows() - 1);
    EXPECT_EQ(firstDescription, page.articlesGrid()->TextMatrix(1, 1));
}
