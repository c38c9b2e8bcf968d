#pragma once
// The key-colour chooser of the operation-key editor: a button showing the
// colour; clicking it opens the colour dialog through the modal service.
// Colours are the suite's 24-bit integers with red in the low byte.
#include "parameters_export.h"

#include <QColor>
#include <QToolButton>

namespace zqvr::parameters {

ZQVR_PARAMETERS_EXPORT QColor fromSuiteColor(int rgb);
ZQVR_PARAMETERS_EXPORT int toSuiteColor(const QColor& c);

class ZQVR_PARAMETERS_EXPORT ColorButton : public QToolButton {
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent = nullptr);
    // The colour as the suite's integer; 0 is none (shown white).
    int Color() const { return m_color; }
    void setColor(int rgb);

private:
    void choose();
    int m_color = 0;
};

} // namespace zqvr::parameters
