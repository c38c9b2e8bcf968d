#pragma once
// A report ready to run: a layout, its data and its parameters. The same
// object goes to the viewer, a printer or a PDF file (ReportOutput.h).
//
//   auto rpt = Report::open(empresa.RutaAplicacion() + "/Rpt/Codigos Rapidos.rpt");
//   rpt->setConnection(&conn);                 // runs the layout's own <query>
//   rpt->setParameter(1, empresa.CodigoEmpresa());
//   rpt->setParameter(5, subtitulo);
//   // or give it the rows yourself:
//   rpt->setQuery(conn, "SELECT ...");         // or setRecordSet(rs) / setData(...)
//   sendReport(rpt, destino, impresora);       // screen, printer or PDF
//
// Everything that can be wrong with a report (a missing field, a missing
// parameter, a query that fails) is found by prepare(), before a page is drawn.
#include "reports_export.h"
#include "reports/ReportData.h"
#include "reports/ReportLayout.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

namespace zqvr::db {
class Connection;
class Dialect;
class RecordSet;
} // namespace zqvr::db

namespace zqvr::reports {

class ZQVR_REPORTS_EXPORT Report {
public:
    explicit Report(ReportLayout layout);
    // Loads a layout file; throws Error naming the file when it is missing or malformed.
    static std::shared_ptr<Report> open(const QString& path);

    ReportLayout& layout() { return m_layout; }
    const ReportLayout& layout() const { return m_layout; }

    // Title of the printed document (printer queue, PDF, viewer caption); the layout's name by default.
    QString title() const { return m_title.isEmpty() ? m_layout.name : m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // The rows to print, one of these (the last one set wins):
    void setData(ReportData data);
    // Reads the record set at once, from its current row to the end.
    void setRecordSet(db::RecordSet& rs);
    // Runs the statement on the connection when the report is prepared.
    void setQuery(db::Connection& conn, const QString& sql);
    // The connection the layout's own query and its subreports run on.
    void setConnection(db::Connection* conn) { m_conn = conn; invalidate(); }
    db::Connection* connection() const { return m_conn; }

    // Parameters {?1} / {?Name} of the layout's query and formulas.
    void setParameter(int index, const QVariant& value);
    void setParameter(const QString& name, const QVariant& value);
    // The value given or the layout's default; invalid when neither.
    QVariant parameterValue(const QString& nameOrIndex) const;

    // Runs the query if any, checks every field and formula against the data
    // and works out the summaries. Throws Error; a second call does nothing
    // until the data, the parameters or the layout change (invalidate()).
    void prepare();
    bool isPrepared() const { return m_prepared; }
    // Call after changing the layout of a prepared report.
    void invalidate() { m_prepared = false; }

    const ReportData& data() const { return m_data; }
    QDateTime printedAt() const { return m_printedAt; }

    // The text an object shows for a data row (row -1: none) on a page of pages.
    QString objectText(const ReportObject& o, int row, int page, int pages) const;
    // The layout's query with its parameters written in through the literal helpers.
    QString expandQuery(const QString& sql, const db::Dialect& dialect) const;

    // Subreports of this report, prepared with it (by object name).
    Report* subreport(const QString& objectName) const;

    // Formats a value the way a field with that format prints it.
    static QString formatValue(const QVariant& v, const QString& format);

private:
    QString describe() const;
    QString summaryText(const ReportObject& o) const;
    QString parameterText(const QString& key) const;
    QString parameterKey(const QString& nameOrIndex) const;
    void checkTemplate(const ReportObject& o) const;
    [[noreturn]] void fail(long number, const QString& text) const;

    ReportLayout m_layout;
    QString m_title;
    db::Connection* m_conn = nullptr;
    ReportData m_data;
    bool m_haveData = false;
    db::Connection* m_queryConn = nullptr;
    QString m_query;
    QHash<QString, QVariant> m_params; // "1", "name" (lower case)
    bool m_prepared = false;
    QDateTime m_printedAt;
    QHash<QString, QString> m_summaries; // object name (lower case) -> text
    QHash<QString, std::shared_ptr<Report>> m_subreports;
};

} // namespace zqvr::reports
