// A grid's "Exportar..." goes through the frame's services: the file is
// asked of the installed file chooser and a failure shown as a message, so
// a host sees the suite's dialogs and a test scripts them.
#include "controls/Grid.h"
#include "support/ScriptedServices.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;

TEST(GridExportServices, TheFileIsAskedOfTheServicesAndAFailureIsShownAsAMessage)
{
    test::ServiceDoubles services;
    QTemporaryDir dir;
    controls::Grid grid;
    grid.setColumns({controls::Grid::Column("Código"), controls::Grid::Column("Nombre")});
    grid.AddItem("1\tUno");
    services.files->answers = {dir.filePath("lista.csv"), dir.filePath("no/existe.csv"), QString()};

    grid.exportAction()->trigger();
    QFile f(dir.filePath("lista.csv"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\xEF\xBB\xBF" "Código;Nombre\r\n1;Uno\r\n"));
    EXPECT_TRUE(services.messages->shown.empty());

    grid.exportAction()->trigger();
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->caption, QStringLiteral("Exportar"));
    EXPECT_EQ(services.messages->last()->icon, frame::MsgIcon::Critical);

    grid.exportAction()->trigger(); // cancelled in the file dialog: nothing more
    EXPECT_EQ(services.files->asked, 3);
    EXPECT_EQ(services.messages->shown.size(), 1u);
}
