#pragma once
// The background colour of a message: a drop-down of usual colours with a
// swatch each, and "Otro color..." for any other, chosen in the colour
// dialog. The value is the suite's colour number (red in the low byte).
#include "messages_export.h"
#include <QColor>
#include <QComboBox>

namespace zqvr::messages {

// The suite's colour number of a colour and back (red in the low byte).
ZQVR_MESSAGES_EXPORT int toColourNumber(const QColor& c);
ZQVR_MESSAGES_EXPORT QColor fromColourNumber(int value);

class ZQVR_MESSAGES_EXPORT ColourCombo : public QComboBox {
    Q_OBJECT
public:
    explicit ColourCombo(QWidget* parent = nullptr);

    int colourNumber() const;
    QColor colour() const { return fromColourNumber(colourNumber()); }
    // Selects the colour, adding it to the list when it is not one of the usual ones.
    void setColourNumber(int value);

Q_SIGNALS:
    void colourChanged(int value);

private:
    int indexOfColour(int value) const;
    int addColour(int value, const QString& name);
    void onActivated(int index);

    int m_current = 0;
};

} // namespace zqvr::messages
