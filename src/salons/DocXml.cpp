#include "salons/DocXml.h"

namespace zqvr::salons {

QString encodeDocXml(const QString& document)
{
    QString s = document;
    return s.replace(QLatin1Char('\''), QLatin1Char('|'));
}

QString decodeDocXml(const QString& stored)
{
    QString s = stored;
    return s.replace(QLatin1Char('|'), QLatin1Char('\''));
}

} // namespace zqvr::salons
