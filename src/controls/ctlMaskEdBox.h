#pragma once
// The suite's masked field for dates ("dd/mm/yyyy") and times of day
// ("hh:mm"). The mask places the separators; text() is what the field shows,
// or "" while nothing has been typed.
#include "controls_export.h"
#include <QDate>
#include <QLineEdit>
#include <QTime>

namespace zqvr::controls {

class ZQVR_CONTROLS_EXPORT ctlMaskEdBox : public QLineEdit {
    Q_OBJECT
public:
    enum class Kind { Date, Time };

    explicit ctlMaskEdBox(QWidget* parent = nullptr);
    explicit ctlMaskEdBox(Kind kind, QWidget* parent = nullptr);

    Kind kind() const { return m_kind; }
    void setKind(Kind kind);

    // The text as shown ("06/12/2026", "14:30"; unfilled places as '_'), "" when empty.
    QString text() const;
    // Takes "dd/mm/yyyy" (also "d/m/yy" and ISO) or "hh:mm"; anything else empties the field.
    void setText(const QString& text);
    // Nothing typed at all.
    bool isEmpty() const;
    // The field holds a complete, real date or time ("31/02/2026" and "24:00" are not).
    bool isValid() const;

    // The date typed; an invalid QDate unless isValid() in date mode.
    QDate Fecha() const;
    void setFecha(const QDate& date);
    // The time typed; an invalid QTime unless isValid() in time mode.
    QTime Hora() const;
    void setHora(const QTime& time);

    // false locks typing.
    bool Habilitado() const { return !isReadOnly(); }
    void setHabilitado(bool on) { setReadOnly(!on); }

private:
    Kind m_kind = Kind::Date;
};

} // namespace zqvr::controls
