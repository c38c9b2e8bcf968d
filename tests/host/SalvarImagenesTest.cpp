// Picture saving: thumbnail sizes and the stored bytes.
#include "db/Connection.h"
#include "db/Error.h"
#include "host/Thumbnail.h"
#include "support/ScriptedServices.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;

namespace {

TEST(Thumbnail, LargePicturesShrinkToFit60KeepingProportionsSmallOnesStay)
{
    EXPECT_EQ(host::thumbnailSize(QSize(120, 60)), QSize(60, 30));
    EXPECT_EQ(host::thumbnailSize(QSize(30, 90)), QSize(20, 60));
    EXPECT_EQ(host::thumbnailSize(QSize(200, 200)), QSize(60, 60));
    EXPECT_EQ(host::thumbnailSize(QSize(61, 10)), QSize(60, 10));
    EXPECT_EQ(host::thumbnailSize(QSize(60, 60)), QSize(60, 60));
    EXPECT_EQ(host::thumbnailSize(QSize(12, 45)), QSize(12, 45));
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

TEST_F(SalvarImagenes, StoresTheThumbnailInTheRowAndReturnsItsBytesWithoutAnyFile)
{
    const QByteArray bytes = host::SalvarImagenes(*conn, picture(120, 60),
                                                   QStringLiteral("SELECT Codigo, Imagen FROM Fotos WHERE Codigo = 2"));
    EXPECT_EQ(QImage::fromData(bytes).size(), QSize(60, 30));
    EXPECT_EQ(stored(2).size(), QSize(60, 30));
    EXPECT_TRUE(conn->query(QStringLiteral("SELECT Imagen FROM Fotos WHERE Codigo = 1"))["Imagen"].isNull())
        << "only the selected row changes";
    EXPECT_EQ(host::SalvarImagenes(*conn, picture(30, 90), QStringLiteral("SELECT * FROM Fotos WHERE Codigo = 1")).size(),
              host::thumbnailBytes(picture(30, 90)).size());
    EXPECT_EQ(stored(1).size(), QSize(20, 60));
    // Nothing goes through a file another running instance could overwrite.
    EXPECT_FALSE(QDir(home.path()).exists(QStringLiteral("TempImg")));
    EXPECT_TRUE(doubles.messages->shown.empty());
}

// A store's transaction or the host's batch must never stop on a dialog: failures are raised.
TEST_F(SalvarImagenes, FailuresAreRaisedWithoutAnyDialogAndLeaveTheRow)
{
    QFile junk(work.filePath(QStringLiteral("junk.png")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a picture");
    junk.close();
    const QString one = QStringLiteral("SELECT * FROM Fotos WHERE Codigo = 1");
    for (const auto& [path, select] : {std::pair{work.filePath(QStringLiteral("nope.png")), one},
                                       std::pair{junk.fileName(), one},
                                       std::pair{picture(10, 10), QStringLiteral("SELECT * FROM Fotos WHERE Codigo = 99")}}) {
        try {
            host::SalvarImagenes(*conn, path, select);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const Error& e) {
            EXPECT_EQ(e.source(), QStringLiteral("modComun::SalvarImagenes"));
            EXPECT_FALSE(e.description().isEmpty());
        }
    }
    EXPECT_TRUE(doubles.messages->shown.empty());
    EXPECT_TRUE(stored(1).isNull());
}

} // namespace
