// The library's face as a host sees it: program identifiers, object
// creation, the unload answer and the per-user component registry file.
#include "component/ZQVRTpvs.h"
#include "frame/EntryClass.h"
#include "support/ScriptedServices.h"
#include "support/TestDatabase.h"

#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zqvr;

namespace {

QStringList listed() { return QString::fromUtf8(ZQVRTpvs_ListClasses()).split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

TEST(ExportedFunctions, ListsProgramIdentifiersAndCreatesObjectsByThem)
{
    const QStringList ids = listed();
    ASSERT_TRUE(ids.contains(QStringLiteral("ZQVRTpvs.frmclsTpvs")));
    for (const QString& id : ids)
        EXPECT_TRUE(id.startsWith(QStringLiteral("ZQVRTpvs."))) << id.toStdString();

    EXPECT_EQ(ZQVRTpvs_CreateObject("ZQVRTpvs.NoExiste"), nullptr);
    EXPECT_EQ(ZQVRTpvs_CreateObject(nullptr), nullptr);
    EXPECT_EQ(ZQVRTpvs_CanUnloadNow(), 1);

    QObject* a = ZQVRTpvs_CreateObject("ZQVRTpvs.frmclsTpvs");
    QObject* b = ZQVRTpvs_CreateObject("zqvrtpvs.FRMCLSTPVS"); // identifiers are not case-sensitive
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_NE(a, b) << "each call makes a new entry object";
    EXPECT_EQ(ZQVRTpvs_CanUnloadNow(), 0);
    delete a;
    EXPECT_EQ(ZQVRTpvs_CanUnloadNow(), 0);
    delete b;
    EXPECT_EQ(ZQVRTpvs_CanUnloadNow(), 1);
}

TEST(ExportedFunctions, EveryListedClassOffersTheHostMembers)
{
    for (const QString& id : listed()) {
        std::unique_ptr<QObject> obj(ZQVRTpvs_CreateObject(id.toUtf8().constData()));
        ASSERT_NE(obj, nullptr) << id.toStdString();
        const QMetaObject* mo = obj->metaObject();
        EXPECT_GE(mo->indexOfProperty("EmpresaBrevanto"), 0) << id.toStdString();
        EXPECT_GE(mo->indexOfProperty("ConexionBrevanto"), 0) << id.toStdString();
        const bool hasShow = mo->indexOfMethod("Show(int,QObject*)") >= 0;
        const bool hasBatch = mo->indexOfMethod("ActualizarImagenesFicha(int,QString)") >= 0;
        EXPECT_TRUE(hasShow != hasBatch) << id.toStdString();
    }
}

TEST(ExportedFunctions, ShowThroughTheMetaObjectOpensTheScreenOverItsOwner)
{
    test::TestDatabase db;
    test::ServiceDoubles doubles;
    QWidget owner;
    owner.show();
    std::unique_ptr<QObject> obj(ZQVRTpvs_CreateObject("ZQVRTpvs.frmclsTpvs"));
    obj->setProperty("EmpresaBrevanto", QVariant::fromValue<QObject*>(&db.empresa()));
    obj->setProperty("ConexionBrevanto", QVariant::fromValue<QObject*>(&db.conn()));
    ASSERT_TRUE(QMetaObject::invokeMethod(obj.get(), "Show", Q_ARG(int, 0), Q_ARG(QObject*, &owner)));
    auto* entry = qobject_cast<frame::EntryClass*>(obj.get());
    ASSERT_NE(entry, nullptr);
    ASSERT_NE(entry->screen(), nullptr);
    EXPECT_EQ(entry->screen()->objectName(), QStringLiteral("frmTPVs"));
    EXPECT_TRUE(entry->screen()->isVisible());
    EXPECT_EQ(entry->screen()->parentWidget(), &owner);
    QPointer<QWidget> screen = entry->screen();
    obj.reset();
    EXPECT_TRUE(screen.isNull() || !screen->isVisible()) << "releasing the entry object closes its screen";
}

TEST(ExportedFunctions, RegisterWritesThePerUserRegistryAndUnregisterRemovesIt)
{
    QTemporaryDir home;
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    ASSERT_EQ(ZQVRTpvs_RegisterServer("/opt/brevanto/libZQVRTpvs.so"), 1);
    const QString file = home.filePath(QStringLiteral("Brevanto/components.ini"));
    {
        QSettings s(file, QSettings::IniFormat);
        EXPECT_EQ(s.value(QStringLiteral("ZQVRTPVS/Library")).toString(), QStringLiteral("/opt/brevanto/libZQVRTpvs.so"));
        EXPECT_EQ(s.value(QStringLiteral("ZQVRTPVS/Description")).toString(), QStringLiteral("Brevanto Class TPV"));
        EXPECT_TRUE(s.value(QStringLiteral("ZQVRTPVS/Classes")).toStringList().contains(QStringLiteral("ZQVRTpvs.frmclsTpvs")));
    }
    ASSERT_EQ(ZQVRTpvs_UnregisterServer(), 1);
    {
        QSettings s(file, QSettings::IniFormat);
        EXPECT_FALSE(s.contains(QStringLiteral("ZQVRTPVS/Library")));
    }
    qputenv("XDG_CONFIG_HOME", oldConfig);
}

} // namespace
