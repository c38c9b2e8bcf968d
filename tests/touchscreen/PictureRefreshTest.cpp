// The host's picture refresh of "Imagen de la ficha" keys.
#include "touchscreen/clsCfgPantallaTactil.h"

#include "db/Error.h"
#include "support/ScreenTest.h"
#include "support/FailingWrites.h"

#include "controls/Progress.h"
#include "touchscreen/LayoutStore.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using zqvr::touchscreen::clsCfgPantallaTactil;
using zqvr::test::TestDatabase;

namespace {

class PictureRefresh : public ::testing::Test {
protected:
    void SetUp() override
    {
        zqvr::test::installInHostContext(db);
        // Article 50 on keys of two configurations with the record's picture, and once with a picture of its own.
        key(1, 1, 1, 6, 50, 1);
        key(1, 2, 3, 0, 50, 1);
        key(1, 2, 3, 1, 50, 0);
        key(1, 2, 3, 2, 51, 1);
        key(2, 1, 1, 6, 50, 1); // another company
        db.conn().execute("UPDATE TPV_CfgPantalla_Grupos_Lineas SET Imagen = ?", {QByteArray("\x01\x02", 2)});
        picture = dir.filePath("50.png");
        QImage img(120, 120, QImage::Format_RGB32);
        img.fill(Qt::blue);
        ASSERT_TRUE(img.save(picture));
        cls.setProperty("EmpresaBrevanto", QVariant::fromValue<QObject*>(&db.empresa()));
        cls.setProperty("ConexionBrevanto", QVariant::fromValue<QObject*>(&db.conn()));
    }
    void key(int company, int cfg, int group, int place, int article, int origin)
    {
        db.exec(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo,"
                               " Posicion, Cod_Articulo, OrigenImagen) VALUES (%1, %2, %3, %4, %5, %6)")
                    .arg(company).arg(cfg).arg(group).arg(place).arg(article).arg(origin));
    }
    QByteArray imagen(int company, int cfg, int place)
    {
        return db.conn()
            .scalar(QStringLiteral("SELECT Imagen FROM TPV_CfgPantalla_Grupos_Lineas WHERE Cod_Empresa = %1 AND "
                                   "Cod_CfgPantalla = %2 AND Posicion = %3").arg(company).arg(cfg).arg(place))
            .toByteArray();
    }

    TestDatabase db;
    zqvr::test::ServiceDoubles services;
    QTemporaryDir dir;
    QString picture;
    clsCfgPantallaTactil cls;
};

TEST_F(PictureRefresh, TheNewPictureReachesEveryRecordPictureKeyOfTheArticleInEveryConfiguration)
{
    EXPECT_EQ(cls.ActualizarImagenesFicha(50, picture), 2);
    for (int cfg : {1, 2}) {
        QImage stored;
        ASSERT_TRUE(stored.loadFromData(imagen(1, cfg, cfg == 1 ? 6 : 0))) << cfg;
        EXPECT_EQ(stored.size(), QSize(60, 60));
        EXPECT_EQ(stored.pixelColor(10, 10), QColor(Qt::blue));
    }
    // A picture of the key's own, another article and another company keep theirs.
    EXPECT_EQ(imagen(1, 2, 1), QByteArray("\x01\x02"));
    EXPECT_EQ(imagen(1, 2, 2), QByteArray("\x01\x02"));
    EXPECT_EQ(imagen(2, 1, 6), QByteArray("\x01\x02"));
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(PictureRefresh, AMissingFileClearsThePictureOfThoseKeysOnly)
{
    EXPECT_EQ(cls.ActualizarImagenesFicha(50, dir.filePath("borrada.png")), 2);
    EXPECT_EQ(imagen(1, 1, 6), QByteArray(""));
    EXPECT_EQ(imagen(1, 2, 0), QByteArray(""));
    EXPECT_EQ(imagen(1, 2, 1), QByteArray("\x01\x02"));
    EXPECT_EQ(imagen(2, 1, 6), QByteArray("\x01\x02"));
}

TEST_F(PictureRefresh, AFileThatIsNoPictureIsAnErrorForTheHostAndChangesNothing)
{
    const QString bad = dir.filePath("texto.jpg");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("no soy una imagen");
    f.close();
    try {
        cls.ActualizarImagenesFicha(50, bad);
        FAIL() << "no error";
    } catch (const zqvr::Error& e) {
        EXPECT_TRUE(e.description().contains("texto.jpg"));
    }
    EXPECT_EQ(imagen(1, 1, 6), QByteArray("\x01\x02"));
    EXPECT_EQ(imagen(1, 2, 0), QByteArray("\x01\x02"));
}

// The host runs the refresh in a batch: a failing key stops it with an error
// for the host, never with a box waiting for someone, and no key is half done.
TEST_F(PictureRefresh, AFailedKeyIsAnErrorForTheHostWithoutAnyDialogAndNoKeyChanges)
{
    zqvr::test::FailingWrites failing(db, {"TPV_CfgPantalla_Grupos_Lineas"});
    for (int n : {1, 2}) {
        failing.failAt(n);
        EXPECT_THROW(cls.ActualizarImagenesFicha(50, picture), zqvr::Error) << n;
        failing.off();
        EXPECT_EQ(imagen(1, 1, 6), QByteArray("\x01\x02")) << n;
        EXPECT_EQ(imagen(1, 2, 0), QByteArray("\x01\x02")) << n;
    }
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(PictureRefresh, StoppedAfterTheFirstKeyEveryKeyKeepsItsOldPicture)
{
    QList<int> seen;
    const int changed = zqvr::touchscreen::LayoutStore::refreshRecordPictures(
        db.conn(), 1, 50, picture, [&](int done, int total) {
            EXPECT_EQ(total, 2);
            seen << done;
            return done < 1; // the first key is written, then stop
        });
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(seen, (QList<int>{0, 1}));
    EXPECT_EQ(imagen(1, 1, 6), QByteArray("\x01\x02"));
    EXPECT_EQ(imagen(1, 2, 0), QByteArray("\x01\x02"));
    EXPECT_EQ(db.conn().transactionDepth(), 0);
}

TEST_F(PictureRefresh, CancellingInTheProgressWindowChangesNoKey)
{
    zqvr::controls::Progress::setShowAfter(0);
    QString label;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->objectName(), QStringLiteral("dlgProgreso"));
        label = dlg->labelText();
        for (QAbstractButton* b : dlg->findChildren<QAbstractButton*>())
            if (b->text() == QLatin1String("Cancelar"))
                b->click();
    });
    const int changed = cls.ActualizarImagenesFicha(50, picture);
    zqvr::controls::Progress::setShowAfter(500);
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(label, QStringLiteral("Actualizando las imágenes de las teclas...\n0 de 2"));
    EXPECT_EQ(imagen(1, 1, 6), QByteArray("\x01\x02"));
    EXPECT_EQ(imagen(1, 2, 0), QByteArray("\x01\x02"));
    EXPECT_TRUE(services.messages->shown.empty()) << "a cancel is no failure";
}

} // namespace
