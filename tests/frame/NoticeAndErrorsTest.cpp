// The operation notice and the error report.
#include "frame/ErrorReport.h"
#include "frame/OperationNotice.h"
#include "frame/frmMsg.h"
#include "support/ScriptedServices.h"

#include <QApplication>
#include <QLabel>
#include <gtest/gtest.h>

using namespace zqvr;

namespace {

QString noticeText() { return frame::frmMsg::instance().findChild<QLabel*>(QStringLiteral("lblMsg"))->text(); }

TEST(OperationNotice, ShowsTheDefaultTextThenOnlyChangesTextAndTakesDownOnce)
{
    frame::modMsgOp(false); // nothing shown: nothing happens
    EXPECT_FALSE(frame::operationNoticeVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    frame::modMsgOp(true);
    EXPECT_TRUE(frame::operationNoticeVisible());
    EXPECT_EQ(noticeText(), QStringLiteral("Realizando operación, espere por favor..."));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    const int shortWidth = frame::frmMsg::instance().width();

    frame::modMsgOp(true, QStringLiteral("Copiando los parámetros generales al TPV seleccionado..."));
    EXPECT_EQ(noticeText(), QStringLiteral("Copiando los parámetros generales al TPV seleccionado..."));
    EXPECT_GT(frame::frmMsg::instance().width(), shortWidth) << "the window is sized to its text";

    frame::modMsgOp(false);
    EXPECT_FALSE(frame::operationNoticeVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "one hourglass, one restore";
}

TEST(OperationNotice, WidthIsTheTextWidthPlus2500Twips)
{
    const auto& w = frame::frmMsg::instance();
    EXPECT_EQ(w.widthForText(QString()), 2500 / 15);
    EXPECT_GT(w.widthForText(QStringLiteral("Texto largo de prueba")), w.widthForText(QStringLiteral("Texto")));
}

TEST(OperationNotice, GuardTakesTheNoticeDownWhenLeftByAnException)
{
    try {
        frame::OperationNotice notice(QStringLiteral("Imprimiendo..."));
        EXPECT_TRUE(frame::operationNoticeVisible());
        throw Error(1, QStringLiteral("fallo"));
    } catch (const Error&) {
    }
    EXPECT_FALSE(frame::operationNoticeVisible());
}

TEST(ErrorReport, CaptionCarriesTheStatementNumberWhenThereIsOne)
{
    test::ServiceDoubles doubles;
    frame::reportError(Error(-2147217900, QStringLiteral("Incorrect syntax near 'FROM'.")),
                       QStringLiteral("Error en cmdAceptar_Click"));
    frame::reportError(Error(5, QStringLiteral("Fallo")).withStatementNumber(7),
                       QStringLiteral("frmTPVs:Validar"));
    ASSERT_EQ(doubles.messages->shown.size(), 2u);
    const auto& first = doubles.messages->shown[0];
    EXPECT_EQ(first.caption, QStringLiteral("Error en cmdAceptar_Click"));
    EXPECT_EQ(first.text, QStringLiteral("Incorrect syntax near 'FROM'."));
    EXPECT_EQ(first.icon, frame::MsgIcon::Critical);
    EXPECT_EQ(doubles.messages->shown[1].caption, QStringLiteral("[7] frmTPVs:Validar"));
}

TEST(ErrorReport, GuardedReportsAnyFailureAndTakesTheNoticeDown)
{
    test::ServiceDoubles doubles;
    frame::modMsgOp(true);
    const bool ok = frame::guarded(QStringLiteral("Error en cmdImprimir_Click"), [] {
        throw Error(3021, QStringLiteral("No hay registro actual."), QStringLiteral("clsTPV::Cargar"));
    });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(frame::operationNoticeVisible());
    EXPECT_EQ(doubles.messages->texts(), QStringList{QStringLiteral("No hay registro actual.")});
    EXPECT_TRUE(frame::guarded(QStringLiteral("x"), [] {}));
    EXPECT_EQ(doubles.messages->shown.size(), 1u);
    frame::guarded(QStringLiteral("Error en Form_Load"), [] { throw std::runtime_error("bad_alloc"); });
    EXPECT_EQ(doubles.messages->last()->caption, QStringLiteral("Error en Form_Load"));
}

TEST(Messages, QuestionsDefaultToNoAndContinueOnlyOnYes)
{
    test::ServiceDoubles doubles;
    EXPECT_FALSE(frame::askYesNo(QStringLiteral("¿Desea eliminar el TPV actual?"), QStringLiteral("Confirmar")));
    const auto& m = *doubles.messages->last();
    EXPECT_EQ(m.icon, frame::MsgIcon::Question);
    EXPECT_EQ(m.buttons, frame::MsgButtons::YesNo);
    EXPECT_EQ(m.defaultButton, frame::MsgResult::No);
    doubles.messages->queueAnswer(frame::MsgResult::Yes);
    EXPECT_TRUE(frame::askYesNo(QStringLiteral("¿Seguro?"), QStringLiteral("Confirmar")));
    frame::msgNoPermitida(QStringLiteral("El elemento especificado ya existe."));
    EXPECT_EQ(doubles.messages->last()->caption, QStringLiteral("¡ Operación no permitida !"));
    EXPECT_EQ(doubles.messages->last()->icon, frame::MsgIcon::Exclamation);
}

} // namespace
