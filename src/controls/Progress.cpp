#include "controls/Progress.h"

#include <QApplication>
#include <QLocale>
#include <QProgressDialog>

#include <algorithm>
#include <climits>

namespace zqvr::controls {

namespace {

int& showAfterSlot()
{
    static int ms = 500;
    return ms;
}

// How often a shown dialog is repainted and its button read.
constexpr qint64 kRefreshMs = 50;

} // namespace

void Progress::setShowAfter(int ms) { showAfterSlot() = std::max(0, ms); }
int Progress::showAfter() { return showAfterSlot(); }

QString Progress::countText(qint64 done, qint64 total)
{
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    return QStringLiteral("%1 de %2").arg(spanish.toString(done), spanish.toString(total));
}

Progress::Progress(const QString& label, qint64 total, Kind kind, QWidget* parent)
    : m_label(label), m_total(std::max<qint64>(0, total)), m_kind(kind), m_parent(parent)
{
    m_gui = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    m_started.start();
}

Progress::~Progress()
{
    delete m_dialog;
}

QProgressDialog* Progress::dialog() const { return m_dialog; }

void Progress::showDialog()
{
    m_dialog = new QProgressDialog(m_parent ? m_parent->window() : nullptr);
    m_dialog->setObjectName(QStringLiteral("dlgProgreso"));
    m_dialog->setWindowTitle(QStringLiteral("Progreso"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    // Shown and closed by this object alone, not by the dialog's own timing.
    m_dialog->setMinimumDuration(INT_MAX);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    if (m_kind == NotCancellable)
        m_dialog->setCancelButton(nullptr);
    else
        m_dialog->setCancelButtonText(QStringLiteral("Cancelar"));
    // The range is an int; a count beyond it is shown scaled.
    m_dialog->setRange(0, int(std::min<qint64>(m_total, INT_MAX)));
    m_dialog->setLabelText(m_label + QLatin1Char('\n') + countText(0, m_total));
    m_dialog->show();
}

bool Progress::advance(qint64 done)
{
    if (m_cancelled)
        return false;
    if (!m_gui)
        return true;
    const qint64 now = m_started.elapsed();
    if (!m_dialog) {
        if (now < showAfterSlot())
            return true;
        showDialog();
    } else if (m_lastRefresh >= 0 && now - m_lastRefresh < kRefreshMs) {
        return true;
    }
    m_lastRefresh = now;
    done = std::clamp<qint64>(done, 0, m_total);
    const int value = m_total > INT_MAX ? int(double(done) / double(m_total) * INT_MAX) : int(done);
    m_dialog->setLabelText(m_label + QLatin1Char('\n') + countText(done, m_total));
    m_dialog->setValue(value);
    // The dialog is modal: only it takes input while the work runs.
    QCoreApplication::processEvents();
    if (m_dialog->wasCanceled())
        m_cancelled = true;
    return !m_cancelled;
}

void Progress::setTotal(qint64 total)
{
    m_total = std::max<qint64>(0, total);
    if (m_dialog)
        m_dialog->setRange(0, int(std::min<qint64>(m_total, INT_MAX)));
}

bool Progress::wasCancelled() const
{
    return m_cancelled || (m_dialog && m_dialog->wasCanceled());
}

} // namespace zqvr::controls
