#include "controls/ctlTextBox.h"

#include "controls/KeyCodes.h"
#include "controls/Visibility.h"
#include "host/Formato.h"
#include "host/Teclado.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPalette>
#include <QProxyStyle>
#include <QRegularExpressionValidator>

namespace zqvr::controls {

namespace {

// Draws the password mask with '*' whatever the style's own bullet.
class StarMaskStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* ret) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, ret);
    }
};

} // namespace

ctlTextBox::ctlTextBox(QWidget* parent) : QLineEdit(parent) {}

double ctlTextBox::Valor() const { return host::Formato::LeerNumero(text()); }

void ctlTextBox::setHabilitado(bool on)
{
    // The user's access level is a ceiling: the screen's own rules cannot unlock it.
    on = on && m_accessLevel != 1 && m_accessLevel != 2;
    setReadOnly(!on);
    // A locked field looks locked: the window's colour behind its text.
    QPalette p = palette();
    p.setColor(QPalette::Base, on ? QApplication::palette(this).color(QPalette::Base)
                                  : QApplication::palette(this).color(QPalette::Window));
    setPalette(p);
}

void ctlTextBox::setAccessLevel(int level)
{
    m_accessLevel = level;
    if (level == 0)
        showForLevelZero(this);
    else if (level == 1)
        setHabilitado(false);
    else if (level == 2)
        setEnabled(false);
}

void ctlTextBox::setPasswordMask(bool on)
{
    if (on) {
        if (!m_maskStyle) {
            m_maskStyle = new StarMaskStyle;
            m_maskStyle->setParent(this);
        }
        setStyle(m_maskStyle);
        setEchoMode(QLineEdit::Password);
    } else {
        setEchoMode(QLineEdit::Normal);
    }
}

void ctlTextBox::setNumeric(bool on)
{
    if (on == m_numeric)
        return;
    m_numeric = on;
    if (on) {
        // One optional leading sign, then digits and the suite's separators.
        static const QRegularExpression number(QStringLiteral(R"([+-]?[0-9.,]*)"));
        setValidator(new QRegularExpressionValidator(number, this));
    } else {
        const QValidator* v = validator();
        setValidator(nullptr);
        delete v;
    }
}

void ctlTextBox::keyPressEvent(QKeyEvent* e)
{
    int key = e->key();
    emit KeyDown(key, shiftState(e->modifiers()));
    if (key == 0) {
        e->accept();
        return;
    }
    const int original = characterCode(e);
    if (original != 0) {
        int ascii = original;
        emit KeyPress(ascii);
        if (ascii == 0) {
            e->accept();
            return;
        }
        if (ascii == 13 && m_enterMovesFocus) {
            // Enter that nobody took moves on to the next field, as everywhere in the suite.
            host::Teclado::Enter(this);
            e->accept();
            return;
        }
        if (ascii != original && ascii >= 32) {
            // The handler replaced the character: type that one instead.
            QKeyEvent replaced(e->type(), e->key(), e->modifiers(), QString(QChar(ascii)),
                               e->isAutoRepeat(), static_cast<ushort>(e->count()));
            QLineEdit::keyPressEvent(&replaced);
            e->setAccepted(replaced.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(e);
}

} // namespace zqvr::controls
