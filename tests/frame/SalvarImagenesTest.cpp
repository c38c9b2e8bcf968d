// Picture saving: thumbnail sizes, the temporary folder and the stored bytes.
#include "db/Connection.h"
#include "frame/HostContext.h"
#include "frame/modComun.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;

namespace {

TEST(Thumbnail, LargePicturesShrinkToFit60KeepingProportionsSmallOnesStay)
{
    EXPECT_EQ(frame::thumbnailSize(QSize(120, 60)), QSize(60, 30));
    EXPECT_EQ(frame::thumbnailSize(QSize(30, 90)), QSize(20, 60));
    EXPECT_EQ(frame::thumbnailSize(QSize(200, 200)), QSize(60, 60));
    EXPECT_EQ(frame::thumbnailSize(QSize(61, 10)), QSize(60, 10));
    EXPECT_EQ(frame::thumbnailSize(QSize(60, 60)), QSize(60, 60));
    EXPECT_EQ(frame::thumbnailSize(QSize(12, 45)), QSize(12, 45));
}

class SalvarImagenes : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toUtf8());
        conn = db::Connection::open(QStringLiteral("sqlite::memory:"));
        conn->execute(QStringLiteral("CREATE TABLE Fotos (Codigo INTEGER PRIMARY KEY, Nombre TEXT, Imagen BLOB)"));
        conn->execute(QStringLiteral("INSERT INTO Fotos (Codigo, Nombre) VALUES (1, 'uno'), (2, 'dos')"));
        frame::HostContext::instance().setConexion(conn.get());
    }
    void TearDown() override { qputenv("HOME", oldHome); }
    QString picture(int w, int h)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::red);
        const QString path = work.filePath(QStringLiteral("src_%1x%2.png").arg(w).arg(h));
        img.save(path);
        return path;
    }
    QImage stored(int code)
    {
        auto rs = conn->query(QStringLiteral("SELECT Imagen FROM Fotos WHERE Codigo = %1").arg(code));
        return QImage::fromData(rs["Imagen"].toByteArray());
    }

    QByteArray oldHome;
    QTemporaryDir home, work;
    std::unique_ptr<db::Connection> conn;
    test::ServiceDoubles doubles;
};

TEST_F(SalvarImagenes, StoresTheThumbnailInTheRowAndKeepsItInTheTempFolder)
{
    const QString result = frame::SalvarImagenes(picture(120, 60),
                                                 QStringLiteral("SELECT Codigo, Imagen FROM Fotos WHERE Codigo = 2"),
                                                 QStringLiteral("art2.png"));
    EXPECT_EQ(result, QDir(home.path()).filePath(QStringLiteral("TempImg/art2.png")));
    EXPECT_EQ(QImage(result).size(), QSize(60, 30));
    EXPECT_EQ(stored(2).size(), QSize(60, 30));
    EXPECT_TRUE(conn->query(QStringLiteral("SELECT Imagen FROM Fotos WHERE Codigo = 1"))["Imagen"].isNull())
        << "only the selected row changes";
    EXPECT_TRUE(doubles.messages->shown.empty());
}

TEST_F(SalvarImagenes, EmptyTemporaryNameWrites1Png)
{
    const QString result = frame::SalvarImagenes(picture(30, 90), QStringLiteral("SELECT * FROM Fotos WHERE Codigo = 1"));
    EXPECT_TRUE(result.endsWith(QStringLiteral("/TempImg/1.png")));
    EXPECT_EQ(stored(1).size(), QSize(20, 60));
}

TEST_F(SalvarImagenes, FailuresAreReportedAndGiveAnEmptyResult)
{
    const QString missing = frame::SalvarImagenes(work.filePath(QStringLiteral("nope.png")),
                                                  QStringLiteral("SELECT * FROM Fotos WHERE Codigo = 1"));
    QFile junk(work.filePath(QStringLiteral("junk.png")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    const QString unreadable = frame::SalvarImagenes(junk.fileName(), QStringLiteral("SELECT * FROM Fotos WHERE Codigo = 1"));
    const QString noRow = frame::SalvarImagenes(picture(10, 10), QStringLiteral("SELECT * FROM Fotos WHERE Codigo = 99"));
    EXPECT_TRUE(missing.isEmpty());
    EXPECT_TRUE(unreadable.isEmpty());
    EXPECT_TRUE(noRow.isEmpty());
    ASSERT_EQ(doubles.messages->shown.size(), 3u);
    for (const auto& m : doubles.messages->shown) {
        EXPECT_EQ(m.caption, QStringLiteral("modComun:SalvarImagenes"));
        EXPECT_EQ(m.icon, frame::MsgIcon::Critical);
    }
    EXPECT_TRUE(stored(1).isNull());
}

} // namespace
