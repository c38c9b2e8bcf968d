// The kit makes the captions screens must not type.
QString reportName(const QObject* control, const QString& event)
{
    return QStringLiteral("Error en ") + control->objectName() + QLatin1Char('_') + event;
}
