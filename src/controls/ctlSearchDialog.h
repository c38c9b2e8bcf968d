#pragma once
// The pickers' search dialog: a filter field and the list of codes and names
// that match it. Typing refreshes the list; Down moves into it; Enter or a
// double-click on a row chooses that row.
#include "controls_export.h"
#include <QDialog>
#include <QList>
#include <QPair>

#include <functional>

namespace zqvr::controls {

class ctlTextBox;
class Grid;

class ZQVR_CONTROLS_EXPORT ctlSearchDialog : public QDialog {
    Q_OBJECT
public:
    using Rows = QList<QPair<qint64, QString>>;
    using Searcher = std::function<Rows(const QString& filter)>;
    using Runner = std::function<int(QDialog&)>;

    explicit ctlSearchDialog(Searcher searcher, const QString& title = QString(),
                             QWidget* parent = nullptr);

    // Sets the filter text and lists what matches it.
    void setFilter(const QString& text);
    QString filter() const;
    // Lists the rows matching the current filter again.
    void refresh();

    bool hasChoice() const { return m_chosen; }
    qint64 chosenCode() const { return m_code; }
    QString chosenName() const { return m_name; }

    ctlTextBox* filterField() const { return m_filter; }
    Grid* list() const { return m_list; }

    // Runs a search dialog modally (exec() unless a runner was installed).
    static int run(QDialog& dialog);
    // Replaces how search dialogs are run (tests); an empty runner restores exec().
    static void setRunner(Runner runner);

Q_SIGNALS:
    // The search statement failed; the list stays empty. The picker passes it on.
    void ErrorOccurred(int number, const QString& description, const QString& source);

private:
    void choose();

    Searcher m_searcher;
    ctlTextBox* m_filter = nullptr;
    Grid* m_list = nullptr;
    bool m_chosen = false;
    qint64 m_code = 0;
    QString m_name;
};

} // namespace zqvr::controls
