#pragma once
// The operation-in-progress notice: an icon and one bold label, sized to
// its text, shown modeless while the caller keeps the thread busy. One
// instance serves the whole component and is reused.
#include "frame_export.h"
#include <QWidget>

class QLabel;

namespace zqvr::frame {

class ZQVR_FRAME_EXPORT frmMsg : public QWidget {
    Q_OBJECT
public:
    static frmMsg& instance();
    // The one public text property and the operation that applies it.
    QString Mensaje() const { return m_mensaje; }
    void setMensaje(const QString& text) { m_mensaje = text; }
    void Aplicar();
    QLabel* label() const { return m_lbl; }
    // Width the window takes for a text: its width in twips plus 2500 twips.
    int widthForText(const QString& text) const;

private:
    explicit frmMsg(QWidget* parent = nullptr);
    QString m_mensaje;
    QLabel* m_icon = nullptr;
    QLabel* m_lbl = nullptr;
};

} // namespace zqvr::frame
