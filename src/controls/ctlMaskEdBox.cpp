#include "controls/ctlMaskEdBox.h"

#include "host/Formato.h"

#include <QRegularExpression>

namespace zqvr::controls {

namespace {
const QLatin1String kDateFormat("dd/MM/yyyy");
const QLatin1String kTimeFormat("HH:mm");
} // namespace

ctlMaskEdBox::ctlMaskEdBox(QWidget* parent) : ctlMaskEdBox(Kind::Date, parent) {}

ctlMaskEdBox::ctlMaskEdBox(Kind kind, QWidget* parent) : QLineEdit(parent)
{
    m_kind = kind == Kind::Date ? Kind::Time : Kind::Date; // so that setKind applies the mask
    setKind(kind);
}

void ctlMaskEdBox::setKind(Kind kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    QLineEdit::setInputMask(kind == Kind::Date ? QStringLiteral("99/99/9999;_") : QStringLiteral("99:99;_"));
    QLineEdit::clear();
    const QString sample = kind == Kind::Date ? QStringLiteral("00/00/00000") : QStringLiteral("00:000");
    setMinimumWidth(fontMetrics().horizontalAdvance(sample) + 16);
}

bool ctlMaskEdBox::isEmpty() const
{
    // With a mask, QLineEdit::text() keeps the separators and drops the blanks.
    static const QRegularExpression digit(QStringLiteral("[0-9]"));
    return !QLineEdit::text().contains(digit);
}

QString ctlMaskEdBox::text() const { return isEmpty() ? QString() : displayText(); }

void ctlMaskEdBox::setText(const QString& text)
{
    const QString t = text.trimmed();
    if (m_kind == Kind::Date) {
        const QDate d = host::Formato::LeerFecha(t);
        if (d.isValid())
            setFecha(d);
        else
            QLineEdit::clear();
        return;
    }
    static const QRegularExpression hhmm(QStringLiteral(R"(^(\d{1,2}):(\d{2})(:\d{2})?$)"));
    const auto m = hhmm.match(t);
    const QTime time = m.hasMatch() ? QTime(m.captured(1).toInt(), m.captured(2).toInt()) : QTime();
    if (time.isValid())
        setHora(time);
    else
        QLineEdit::clear();
}

bool ctlMaskEdBox::isValid() const
{
    return m_kind == Kind::Date ? Fecha().isValid() : Hora().isValid();
}

QDate ctlMaskEdBox::Fecha() const
{
    if (m_kind != Kind::Date)
        return {};
    return QDate::fromString(displayText(), kDateFormat);
}

void ctlMaskEdBox::setFecha(const QDate& date)
{
    if (m_kind != Kind::Date)
        return;
    if (date.isValid())
        QLineEdit::setText(date.toString(kDateFormat));
    else
        QLineEdit::clear();
}

QTime ctlMaskEdBox::Hora() const
{
    if (m_kind != Kind::Time)
        return {};
    return QTime::fromString(displayText(), kTimeFormat);
}

void ctlMaskEdBox::setHora(const QTime& time)
{
    if (m_kind != Kind::Time)
        return;
    if (time.isValid())
        QLineEdit::setText(time.toString(kTimeFormat));
    else
        QLineEdit::clear();
}

} // namespace zqvr::controls
