#pragma once
// A page that shows every input control and the grid working on the demo
// data, so that they can be tried by hand: each code picker, the text,
// date and time fields, the check box, the warehouse check list, the output
// selectors and a grid of the company's articles with a merged totals row,
// which Imprimir... prints through the grid printer to the report viewer.
// What the controls report (code changes, keys, grid events) is logged.
#include <QWidget>

class QPlainTextEdit;

namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }
namespace zqvr::controls { class Grid; }

namespace brevanto {

class ControlsDemoPage : public QWidget {
    Q_OBJECT
public:
    ControlsDemoPage(zqvr::db::Connection* conn, zqvr::host::Empresa* empresa, QWidget* parent = nullptr);

    // Fills the article grid again (redraw off, one statement, totals row).
    void loadArticles();
    // Prints the article grid through the grid printer to the report viewer,
    // or into a PDF file when a path is given.
    void printArticles(const QString& pdfPath = QString());
    zqvr::controls::Grid* articlesGrid() const { return m_grid; }

private:
    void log(const QString& line);

    zqvr::db::Connection* m_conn;
    zqvr::host::Empresa* m_empresa;
    zqvr::controls::Grid* m_grid = nullptr;
    QPlainTextEdit* m_log = nullptr;
};

} // namespace brevanto
