// The launcher's lifecycle rules, on a small screen that lives here.
#include "db/Connection.h"
#include "db/Error.h"

#include <QCoreApplication>
#include <QEvent>
#include "frame/EntryClass.h"
#include "frame/HostContext.h"
#include "host/Empresa.h"

#include <QComboBox>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace zqvr;

namespace {

// Fills its combo from the host context's connection when it loads.
class frmPrueba : public frame::Form {
public:
    explicit frmPrueba(bool raisesNotice) : Form(QStringLiteral("frmPrueba"), QStringLiteral("Prueba"))
    {
        setRaisesUnloadNotice(raisesNotice);
        auto* lay = new QVBoxLayout(this);
        cbo = new QComboBox(this);
        cbo->setObjectName(QStringLiteral("cboNombres"));
        lay->addWidget(cbo);
    }
    QComboBox* cbo;
    int unloads = 0;

protected:
    void formLoad() override
    {
        cbo->clear();
        auto rs = frame::conn().query(QStringLiteral("SELECT Nombre FROM Nombres ORDER BY Nombre"));
        while (!rs.eof()) {
            cbo->addItem(rs["Nombre"].toString());
            rs.moveNext();
        }
    }
    void formUnload() override { ++unloads; }
};

class EntryLifecycle : public ::testing::Test {
protected:
    void SetUp() override
    {
        conn = db::Connection::open(QStringLiteral("sqlite::memory:"));
        conn->execute(QStringLiteral("CREATE TABLE Nombres (Nombre TEXT)"));
        conn->execute(QStringLiteral("INSERT INTO Nombres VALUES ('Ana')"));
        empresa = std::make_unique<host::Empresa>();
    }
    std::unique_ptr<frame::EntryClass> makeEntry(frame::EntryClass::Creation creation, bool raises,
                                                 bool subscribes)
    {
        auto e = std::make_unique<frame::EntryClass>([raises] { return new frmPrueba(raises); }, creation,
                                                     subscribes);
        e->setEmpresaBrevanto(empresa.get());
        e->setConexionBrevanto(conn.get());
        return e;
    }
    static frmPrueba* screenOf(const frame::EntryClass& e) { return static_cast<frmPrueba*>(e.screen()); }
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::unique_ptr<db::Connection> conn;
    std::unique_ptr<host::Empresa> empresa;
};

TEST_F(EntryLifecycle, HostContextIsSharedAndLastWriterWinsEvenForOpenScreens)
{
    auto first = makeEntry(frame::EntryClass::Creation::AtConstruction, false, false);
    first->Show(0);
    auto other = db::Connection::open(QStringLiteral("sqlite::memory:"));
    auto otherCompany = std::make_unique<host::Empresa>();
    {
        frame::EntryClass second([] { return new frmPrueba(false); },
                                 frame::EntryClass::Creation::AtConstruction, false);
        // The second object sees the context of the first before it is given its own.
        EXPECT_EQ(second.conexionBrevanto(), conn.get());
        second.setConexionBrevanto(other.get());
        second.setEmpresaBrevanto(otherCompany.get());
    }
    // Releasing the second object clears nothing, and the first one's open screen now reads the new connection.
    EXPECT_EQ(frame::HostContext::instance().conexion(), other.get());
    EXPECT_EQ(frame::HostContext::instance().empresa(), otherCompany.get());
    EXPECT_EQ(first->conexionBrevanto(), other.get());
    first->setConexionBrevanto(conn.get());
    first->setEmpresaBrevanto(empresa.get());
}

TEST_F(EntryLifecycle, ShowTwiceShowsTheSameWindowAndReopeningLoadsAfresh)
{
    auto e = makeEntry(frame::EntryClass::Creation::AtConstruction, false, false);
    frmPrueba* s = screenOf(*e);
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(s->isLoaded()) << "nothing is read before Show";
    e->Show(0);
    e->Show(0);
    EXPECT_EQ(screenOf(*e), s);
    EXPECT_EQ(s->loadCount(), 1);
    EXPECT_TRUE(s->isVisible());
    EXPECT_EQ(s->cbo->count(), 1);

    s->close();
    EXPECT_FALSE(s->isVisible());
    EXPECT_FALSE(s->isLoaded());
    EXPECT_EQ(s->unloads, 1);
    conn->execute(QStringLiteral("INSERT INTO Nombres VALUES ('Luis')"));
    e->Show(0);
    EXPECT_EQ(screenOf(*e), s) << "the entry object keeps its screen object";
    EXPECT_EQ(s->loadCount(), 2);
    EXPECT_EQ(s->cbo->count(), 2) << "the combo is refilled, not appended to";
}

TEST_F(EntryLifecycle, SubscribedNoticeMakesTheNextShowCreateANewScreen)
{
    // The touch-screen configurations launcher: its screen raises the notice and it listens.
    auto e = makeEntry(frame::EntryClass::Creation::AtConstruction, true, true);
    QPointer<frame::Form> s = e->screen();
    e->Show(0);
    s->close();
    EXPECT_EQ(e->screen(), nullptr);
    flushDeletes();
    EXPECT_TRUE(s.isNull());
    e->Show(0);
    ASSERT_NE(e->screen(), nullptr);
    EXPECT_EQ(e->screen()->loadCount(), 1);
}

TEST_F(EntryLifecycle, UnheardNoticeKeepsTheSameScreenObject)
{
    // Salons (created at construction) and parking (created at the first Show)
    // raise the notice but nobody listens: the same object loads again.
    for (auto creation : {frame::EntryClass::Creation::AtConstruction, frame::EntryClass::Creation::AtFirstShow}) {
        auto e = makeEntry(creation, true, false);
        EXPECT_EQ(e->screen() == nullptr, creation == frame::EntryClass::Creation::AtFirstShow);
        e->Show(0);
        QPointer<frame::Form> s = e->screen();
        int notices = 0;
        QObject::connect(s.data(), &frame::Form::unloaded, [&] { ++notices; });
        s->close();
        flushDeletes();
        EXPECT_EQ(notices, 1);
        ASSERT_FALSE(s.isNull());
        e->Show(0);
        EXPECT_EQ(e->screen(), s.data());
        EXPECT_EQ(s->loadCount(), 2);
    }
}

TEST_F(EntryLifecycle, ReleasingTheEntryObjectClosesItsModelessScreen)
{
    auto e = makeEntry(frame::EntryClass::Creation::AtConstruction, false, false);
    e->Show(0);
    QPointer<frmPrueba> s = screenOf(*e);
    ASSERT_TRUE(s->isVisible());
    e.reset();
    ASSERT_FALSE(s.isNull()) << "deleted later, after the unload step ran";
    EXPECT_FALSE(s->isVisible());
    EXPECT_EQ(s->unloads, 1);
    flushDeletes();
    EXPECT_TRUE(s.isNull());
    // The host context stays set.
    EXPECT_EQ(frame::HostContext::instance().conexion(), conn.get());
}

TEST_F(EntryLifecycle, ModalShowReturnsOnlyAfterTheScreenCloses)
{
    auto e = makeEntry(frame::EntryClass::Creation::AtConstruction, false, false);
    bool wasVisibleInside = false;
    QTimer::singleShot(0, [&] {
        wasVisibleInside = e->screen()->isVisible() && e->screen()->isModal();
        e->screen()->close();
    });
    e->Show(1);
    EXPECT_TRUE(wasVisibleInside);
    EXPECT_FALSE(e->screen()->isVisible());
    EXPECT_FALSE(e->screen()->isLoaded());
}

TEST_F(EntryLifecycle, OwnerFormKeepsTheScreenAboveIt)
{
    QWidget owner;
    owner.show();
    auto e = makeEntry(frame::EntryClass::Creation::AtConstruction, false, false);
    e->Show(0, &owner);
    EXPECT_EQ(e->screen()->parentWidget(), &owner);
    EXPECT_TRUE(e->screen()->isWindow());
    e.reset();
    flushDeletes();
}

TEST_F(EntryLifecycle, LateBoundMembersWorkThroughTheMetaObject)
{
    auto e = makeEntry(frame::EntryClass::Creation::AtConstruction, false, false);
    QObject* obj = e.get();
    ASSERT_TRUE(obj->setProperty("ConexionBrevanto", QVariant::fromValue<QObject*>(conn.get())));
    ASSERT_TRUE(obj->setProperty("EmpresaBrevanto", QVariant::fromValue<QObject*>(empresa.get())));
    ASSERT_TRUE(QMetaObject::invokeMethod(obj, "Show", Q_ARG(int, 0), Q_ARG(QObject*, nullptr)));
    EXPECT_TRUE(e->screen()->isVisible());
    ASSERT_TRUE(QMetaObject::invokeMethod(obj, "Show"));
    EXPECT_EQ(e->screen()->loadCount(), 1);
}

TEST_F(EntryLifecycle, FailingLoadReachesTheHostAndLeavesTheScreenUnloaded)
{
    conn->execute(QStringLiteral("DROP TABLE Nombres"));
    auto e = makeEntry(frame::EntryClass::Creation::AtConstruction, false, false);
    EXPECT_THROW(e->Show(0), Error);
    EXPECT_FALSE(e->screen()->isLoaded());
    EXPECT_FALSE(e->screen()->isVisible());
}

} // namespace
