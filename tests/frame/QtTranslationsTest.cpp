// Qt's own texts follow the screens' language: a question's buttons read
// "Sí" and "No", and a user of another language gets theirs.
#include "frame/QtTranslations.h"
#include "frame/Services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zqvr;

namespace {

// Shows a message through the production service and returns its buttons'
// texts (accelerator marks removed), answering with the button of `answer`'s role.
QStringList buttonsOf(const std::function<void()>& show, QMessageBox::ButtonRole answer)
{
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            return;
        }
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            texts << b->text().remove(QLatin1Char('&'));
            if (box->buttonRole(b) == answer)
                chosen = b;
        }
        if (chosen)
            chosen->click();
        else
            box->reject();
    });
    show();
    texts.sort();
    return texts;
}

class QtTranslationsTest : public ::testing::Test {
protected:
    void TearDown() override { frame::installQtTranslations(QLocale(QLocale::English)); }
};

TEST_F(QtTranslationsTest, WithoutALanguageTheQuestionAnswersSiOrNoAndOkCancelReadsCancelar)
{
    // A bare session (the C locale) names no language: Spanish, as the screens.
    ASSERT_EQ(frame::installQtTranslations(QLocale::c()), QStringLiteral("es"))
        << "Qt's translations (qt6-translations-l10n) are not installed";
    bool yes = true;
    const QStringList question = buttonsOf([&] { yes = frame::askYesNo(QStringLiteral("¿Borrar el TPV 3?"),
                                                                        QStringLiteral("Tpvs")); },
                                           QMessageBox::NoRole);
    EXPECT_EQ(question, (QStringList{"No", "Sí"}));
    EXPECT_FALSE(yes) << "the No button answers No";

    const QStringList okCancel = buttonsOf(
        [] { frame::msgBox(QStringLiteral("¿Continuar?"), QStringLiteral("Tpvs"), frame::MsgIcon::Question,
                           frame::MsgButtons::OkCancel, frame::MsgResult::Ok); },
        QMessageBox::RejectRole);
    EXPECT_EQ(okCancel, (QStringList{"Aceptar", "Cancelar"}));
}

TEST_F(QtTranslationsTest, TheUsersOwnLanguageWinsAndEnglishNeedsNoCatalogue)
{
    ASSERT_EQ(frame::installQtTranslations(QLocale(QLocale::French, QLocale::France)), QStringLiteral("fr"));
    EXPECT_EQ(buttonsOf([] { frame::askYesNo(QStringLiteral("?"), QStringLiteral("Tpvs")); }, QMessageBox::NoRole),
              (QStringList{"Non", "Oui"}));

    // English replaces the French catalogue rather than stacking on it.
    EXPECT_EQ(frame::installQtTranslations(QLocale(QLocale::English, QLocale::UnitedKingdom)), QString());
    EXPECT_EQ(buttonsOf([] { frame::askYesNo(QStringLiteral("?"), QStringLiteral("Tpvs")); }, QMessageBox::NoRole),
              (QStringList{"No", "Yes"}));

    // A language Qt has no catalogue for falls back to Spanish; with no catalogue at all nothing is loaded.
    EXPECT_EQ(frame::installQtTranslations(QLocale(QLocale::Basque, QLocale::Spain)), QStringLiteral("es"));
    EXPECT_EQ(frame::installQtTranslations(QLocale::c(), QStringLiteral("/nonexistent")), QString());
}

} // namespace
