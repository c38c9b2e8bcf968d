#include "support/ScreenTest.h"

#include "frame/HostContext.h"

#include <QTest>

namespace zqvr::test {

void installInHostContext(TestDatabase& db)
{
    frame::HostContext::instance().setEmpresa(&db.empresa());
    frame::HostContext::instance().setConexion(&db.conn());
}

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace zqvr::test
