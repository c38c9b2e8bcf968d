// A grid is printed from a temporary table of the print job's own
// connection: on SQL Server a global temporary table (##), created, filled
// with the grid's rows, read and dropped. A query source is probed with its
// first row to know its fields.
#include "controls/Grid.h"
#include "db/Error.h"
#include "reports/CRPrintGrid.h"
#include "reports/GridTypes.h"
#include "support/StatementContract.h"

#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::reports;
using controls::Grid;

TEST(StatementContract, TheGridPrintTableIsCreatedFilledAndDroppedInSqlServerText)
{
    Grid grid;
    grid.setCols(5);
    const QStringList headers = {"Código", "Descripción", "Fecha", "Importe", "Activo"};
    for (int c = 0; c < headers.size(); ++c)
        grid.setTextMatrix(0, c, headers[c]);
    grid.setColDataType(0, test::numberType());
    grid.setColDataType(2, test::dateType());
    grid.setColDataType(3, test::numberType());
    grid.setColDataType(4, test::booleanType());
    grid.AddItem(QStringLiteral("17\tO'Brien\t06/12/2026\t1.234,56\t1"));
    grid.AddItem(QStringLiteral("18\tÑandú\t\t7,5\t0"));

    CRPrintGrid job;
    job.setEmpresa_AppPath(QStringLiteral(ZQVR_SOURCE_DIR));
    job.setEmpresa_Codigo(1);
    job.setEmpresa_Nombre(QStringLiteral("Comercial Demo"));
    job.setConnectionString(QStringLiteral("record:sqlserver"));
    job.setReportSource(&grid);
    // The recorder's empty result has none of the table's fields, so the
    // report itself is refused once the table is read and dropped.
    EXPECT_THROW(job.Preparar(), zqvr::Error);

    const QString table = job.NombreTabla();
    EXPECT_TRUE(table.startsWith(QStringLiteral("##TablaDinamica_"))) << table.toStdString();
    ASSERT_NE(job.ConexionTrabajo(), nullptr);
    const QStringList sent = job.ConexionTrabajo()->recordedStatements();
    // An empty or invalid date goes in as 01/01/1900; numbers lose the
    // thousands point and take a decimal point.
    const QStringList expected = {
        "CREATE TABLE " + table + " (C0 MONEY NOT NULL DEFAULT(0),C1 VARCHAR(255) NOT NULL DEFAULT(''),"
                                  "C2 Datetime NOT NULL DEFAULT(getDate()),C3 MONEY NOT NULL DEFAULT(0),"
                                  "C4 BIT NOT NULL DEFAULT(0))",
        "INSERT INTO " + table + " VALUES (17, 'O''Brien', '06/12/2026', 1234.56, 1)",
        "INSERT INTO " + table + " VALUES (18, 'Ñandú', '01/01/1900', 7.5, 0)",
        "SELECT * FROM " + table,
        "DROP TABLE " + table,
    };
    EXPECT_EQ(test::lines(sent), test::lines(expected));
    std::cout << "[ contract ] grid-print table: " << expected.size() << " statements\n";
}

TEST(StatementContract, AQuerySourceIsProbedWithItsFirstRow)
{
    CRPrintGrid job;
    job.setConnectionString(QStringLiteral("record:sqlserver"));
    job.setSQLSource(QStringLiteral("SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa = 1 ORDER BY Nombre"));
    ASSERT_NE(job.ConexionTrabajo(), nullptr);
    EXPECT_EQ(job.ConexionTrabajo()->recordedStatements(),
              QStringList{"SELECT TOP 1 Codigo, Nombre FROM Almacenes WHERE Cod_Empresa = 1 ORDER BY Nombre"});

    // SQL Server refuses TOP before DISTINCT.
    CRPrintGrid distinct;
    distinct.setConnectionString(QStringLiteral("record:sqlserver"));
    distinct.setSQLSource(QStringLiteral("select distinct Cod_Almacen FROM TPV_Tickets"));
    ASSERT_NE(distinct.ConexionTrabajo(), nullptr);
    EXPECT_EQ(distinct.ConexionTrabajo()->recordedStatements(),
              QStringList{"SELECT DISTINCT TOP 1 Cod_Almacen FROM TPV_Tickets"});
    std::cout << "[ contract ] grid-print query source: 2 statements\n";
}
