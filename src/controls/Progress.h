#pragma once
// Long work's progress: a modal dialog with the count ("12.000 de 100.000")
// that appears only when the work lasts more than a moment, with a
// "Cancelar" button where the work can stop without leaving anything half
// done. The work asks after each item whether to go on:
//
//   Progress progress(QStringLiteral("Exportando filas..."), rows, Progress::Cancellable, this);
//   for (qint64 i = 0; i < rows; ++i) {
//       if (!progress.advance(i))
//           return;            // cancelled: undo or drop what was begun
//       ...
//   }
//
// Without a widget application (a store run from a console program) it shows
// nothing and never cancels.
#include "controls_export.h"
#include <QElapsedTimer>
#include <QPointer>
#include <QString>

class QProgressDialog;
class QWidget;

namespace zqvr::controls {

class ZQVR_CONTROLS_EXPORT Progress {
public:
    enum Kind { Cancellable, NotCancellable };

    Progress(const QString& label, qint64 total, Kind kind = Cancellable, QWidget* parent = nullptr);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Records that `done` items are finished. The window is repainted and
    // the Cancel button read a few times a second, not on every item, so the
    // call costs next to nothing. False once the user has cancelled.
    bool advance(qint64 done);
    bool wasCancelled() const;
    qint64 total() const { return m_total; }
    // For work that learns its size once it has begun.
    void setTotal(qint64 total);

    // The dialog, once it is shown (objectName "dlgProgreso"); nullptr before.
    QProgressDialog* dialog() const;

    // How long the work runs before the dialog appears, in milliseconds
    // (500 by default; tests set 0 to see it at the first item).
    static void setShowAfter(int ms);
    static int showAfter();

    // The count as the dialog shows it, in Spanish notation: "1500 de 20.000".
    static QString countText(qint64 done, qint64 total);

private:
    void showDialog();

    QString m_label;
    qint64 m_total;
    Kind m_kind;
    QPointer<QWidget> m_parent;
    QProgressDialog* m_dialog = nullptr;
    QElapsedTimer m_started;
    qint64 m_lastRefresh = -1;
    bool m_cancelled = false;
    bool m_gui = false;
};

} // namespace zqvr::controls
