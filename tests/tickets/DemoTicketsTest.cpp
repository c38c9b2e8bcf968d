// The demo data gives the viewer something to show today and yesterday.
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

TEST(DemoTickets, TodayAndYesterdayHaveVariedTicketsToLookAt)
{
    zqvr::test::TestDatabase db;
    db.fillDemo(0.5);
    for (const char* day : {"2026-12-06", "2026-12-05"}) {
        const QString on = QStringLiteral("Fecha = '%1'").arg(QString::fromLatin1(day));
        SCOPED_TRACE(day);
        EXPECT_GE(db.conn().scalar("SELECT COUNT(DISTINCT Caja) FROM TPV_Tickets WHERE " + on).toInt(), 2);
        EXPECT_GE(db.conn().scalar("SELECT COUNT(DISTINCT Cajero) FROM TPV_Tickets WHERE " + on).toInt(), 2);
        EXPECT_GT(db.count("TPV_Tickets_KitComposicion", on), 0);
        EXPECT_GT(db.count("TPV_Tickets_Lineas_Promocion", on), 0);
        EXPECT_GT(db.count("TPV_Tickets", on + " AND Efectivo > 0"), 0);
        EXPECT_GT(db.count("TPV_Tickets", on + " AND Tarjeta > 0"), 0);
        EXPECT_GT(db.count("TPV_Tickets t", "t." + on +
                                                " AND t.Cliente <> 0 AND NOT EXISTS (SELECT 1 FROM Clientes c"
                                                " WHERE c.Cod_Empresa = t.Cod_Empresa AND c.Codigo = t.Cliente)"),
                  0);
    }
}

} // namespace
