#pragma once
// The suite's text field: the text, its value as a number in the suite's
// notation, a lock on typing and the key events a screen may consume.
#include "controls_export.h"
#include <QLineEdit>

class QStyle;

namespace zqvr::controls {

class ZQVR_CONTROLS_EXPORT ctlTextBox : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(int AccessLevel READ AccessLevel WRITE setAccessLevel)
public:
    explicit ctlTextBox(QWidget* parent = nullptr);

    // The text as a number ("12,5" is 12.5, "1.234,5" is 1234.5); 0 when empty or not a number.
    double Valor() const;
    bool Habilitado() const { return !isReadOnly(); }
    // false locks typing (the field still shows its text and takes the focus).
    void setHabilitado(bool on);
    // Shows typed characters as '*'.
    void setPasswordMask(bool on);
    // When set, only digits, one sign and the suite's separators can be typed.
    void setNumeric(bool on);
    bool isNumeric() const { return m_numeric; }
    // Enter that no KeyPress handler consumed moves the focus to the next field (on by default).
    void setEnterMovesFocus(bool on) { m_enterMovesFocus = on; }
    // Access level granted to the user (0 shown, 1 locked, 2 disabled),
    // applied by the control itself; other levels change nothing.
    int AccessLevel() const { return m_accessLevel; }
    void setAccessLevel(int level);

Q_SIGNALS:
    // keyCode is a Qt::Key; a handler sets it to 0 to consume the key.
    void KeyDown(int& keyCode, int shift);
    // keyAscii is the character code (Enter is 13); a handler sets it to 0 to consume it.
    void KeyPress(int& keyAscii);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    bool m_numeric = false;
    int m_accessLevel = 0;
    bool m_enterMovesFocus = true;
    QStyle* m_maskStyle = nullptr;
};

} // namespace zqvr::controls
