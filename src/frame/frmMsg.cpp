#include "frame/frmMsg.h"

#include "frame/OperationNotice.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>

namespace zqvr::frame {

namespace {
constexpr int kTwipsPerPixel = 15;
bool g_cursorOverridden = false;

QFont noticeFont()
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    f.setBold(true);
    return f;
}
} // namespace

frmMsg& frmMsg::instance()
{
    static frmMsg* w = new frmMsg;
    return *w;
}

frmMsg::frmMsg(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmMsg"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* lay = new QHBoxLayout(this);
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("Image1"));
    m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    m_lbl = new QLabel(this);
    m_lbl->setObjectName(QStringLiteral("lblMsg"));
    m_lbl->setFont(noticeFont());
    lay->addWidget(m_icon);
    lay->addWidget(m_lbl, 1);
    setFixedHeight(60);
}

void frmMsg::Aplicar()
{
    if (!m_mensaje.isEmpty()) {
        m_lbl->setText(m_mensaje);
        m_lbl->repaint();
    }
}

int frmMsg::widthForText(const QString& text) const
{
    const QFontMetrics fm(noticeFont());
    const int twips = fm.horizontalAdvance(text) * kTwipsPerPixel;
    return (twips + 2500) / kTwipsPerPixel;
}

void modMsgOp(bool show, const QString& text)
{
    try {
        if (show) {
            if (!g_cursorOverridden) {
                QApplication::setOverrideCursor(Qt::WaitCursor);
                g_cursorOverridden = true;
            }
            frmMsg& w = frmMsg::instance();
            const QString t = text.isEmpty() ? QStringLiteral("Realizando operación, espere por favor...") : text;
            w.setMensaje(t);
            w.Aplicar();
            w.setFixedWidth(w.widthForText(t));
            if (!w.isVisible()) {
                if (const QWidget* active = QApplication::activeWindow()) {
                    const QRect g = active->frameGeometry();
                    w.move(g.center() - QPoint(w.width() / 2, w.height() / 2));
                }
                w.show();
            }
            w.repaint();
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        } else {
            if (g_cursorOverridden) {
                QApplication::restoreOverrideCursor();
                g_cursorOverridden = false;
            }
            frmMsg& w = frmMsg::instance();
            if (w.isVisible())
                w.hide();
        }
    } catch (...) {
        // The notice never fails its caller.
    }
}

bool operationNoticeVisible() { return frmMsg::instance().isVisible(); }

} // namespace zqvr::frame
