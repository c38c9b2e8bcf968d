#include "frame/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zqvr::frame {

namespace {

// "qt" brings the catalogues of every Qt module (qtbase, ...).
QTranslator* loadFor(const QLocale& locale, const QString& folder)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"), folder))
        return translator;
    delete translator;
    return nullptr;
}

} // namespace

QString installQtTranslations(const QLocale& userLocale, const QString& folder)
{
    static QTranslator* installed = nullptr;
    if (installed) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    const QString dir = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    // The C locale of a bare session names no language: the screens' Spanish then.
    const bool hasLanguage = userLocale.language() != QLocale::C && userLocale.language() != QLocale::AnyLanguage;
    if (hasLanguage && userLocale.language() == QLocale::English)
        return QString();
    QTranslator* translator = hasLanguage ? loadFor(userLocale, dir) : nullptr;
    QLocale loaded = userLocale;
    if (!translator) {
        loaded = QLocale(QLocale::Spanish, QLocale::Spain);
        translator = loadFor(loaded, dir);
    }
    if (!translator)
        return QString();
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return QLocale::languageToCode(loaded.language());
}

} // namespace zqvr::frame
