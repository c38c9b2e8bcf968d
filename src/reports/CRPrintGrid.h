#pragma once
// Prints an on-screen grid (or a record set, or a query) as a plain columnar
// report, without a layout designed for it: the grid goes into a temporary
// table of the print job's own connection, the generic layout
// <Empresa_AppPath>/Rpt/Listado Dinamico.rpt gets one header text, one field
// (and optionally one summary) per visible column, and the report goes to
// the viewer or to a printer.
//
//   CRPrintGrid job;
//   job.setEmpresa_AppPath(empresa.RutaAplicacion());
//   job.setEmpresa_Codigo(empresa.CodigoEmpresa());
//   job.setEmpresa_Nombre(nombreEmpresa);
//   job.setConnectionString(conn.property("Extended Properties").toString());
//   job.setReportSource(vsLineas);              // the Grid
//   job.setTitulo(windowTitle());
//   job.setAjustarColumnas(true);
//   job.Imprimir(0, "");                        // 0: the viewer; else the printer by name ("" = default)
//   job.ImprimirPdf("/tmp/listado.pdf");        // or straight into a PDF
//
// A failure of Imprimir is raised again as Error number 0x80040004 with
// " Imprimir - " and the original number in its source; the caller reports it.
#include "reports_export.h"
#include "reports/colColumnas.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

namespace zqvr::controls { class Grid; }
namespace zqvr::db {
class Connection;
class RecordSet;
} // namespace zqvr::db

namespace zqvr::reports {

class Report;
class ReportData;

class ZQVR_REPORTS_EXPORT CRPrintGrid : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ConnectionString READ ConnectionString WRITE setConnectionString)
    Q_PROPERTY(QString SQLSource READ SQLSource WRITE setSQLSource)
    Q_PROPERTY(QString Titulo READ Titulo WRITE setTitulo)
    Q_PROPERTY(QString Criterio READ Criterio WRITE setCriterio)
    Q_PROPERTY(bool AjustarColumnas READ AjustarColumnas WRITE setAjustarColumnas)
    Q_PROPERTY(QString Empresa_AppPath READ Empresa_AppPath WRITE setEmpresa_AppPath)
    Q_PROPERTY(int Empresa_Codigo READ Empresa_Codigo WRITE setEmpresa_Codigo)
    Q_PROPERTY(QString Empresa_Nombre READ Empresa_Nombre WRITE setEmpresa_Nombre)
    Q_PROPERTY(QString SeparadorCols READ SeparadorCols WRITE setSeparadorCols)
    Q_PROPERTY(bool FechasComoTexto READ FechasComoTexto WRITE setFechasComoTexto)
public:
    // The number every failure of Imprimir is raised with (0x80040004).
    static constexpr long ErrorImprimir = -2147221500;
    static constexpr const char* LayoutFile = "/Rpt/Listado Dinamico.rpt";

    explicit CRPrintGrid(QObject* parent = nullptr);
    ~CRPrintGrid() override;

    QString ConnectionString() const { return m_connectionString; }
    // An empty text raises "Debe establecerla la cadena de conexión."; a new
    // text closes the job's connection (and with it its temporary table).
    void setConnectionString(const QString& cs);

    // The data: a Grid ("VSFLEXGRID"), anything else raises "Origen de datos no admitido.".
    void setReportSource(QObject* source);
    // A record set ("RECORDSET"), read from its current row when printing; not owned.
    void setReportSource(db::RecordSet* rs);
    QString SQLSource() const { return m_sql; }
    // A query ("SQL STRING"); the columns are built at once from a one-row probe
    // when there are none yet and the connection string is set.
    void setSQLSource(const QString& sql);
    // "VSFLEXGRID", "RECORDSET", "SQL STRING" or "" before a source is set.
    QString TipoOrigen() const { return m_kind; }

    QString Titulo() const { return m_titulo; }
    void setTitulo(const QString& v) { m_titulo = v; }
    QString Criterio() const { return m_criterio; }
    void setCriterio(const QString& v) { m_criterio = v; }
    bool AjustarColumnas() const { return m_ajustar; }
    void setAjustarColumnas(bool v) { m_ajustar = v; }
    QString Empresa_AppPath() const { return m_appPath; }
    void setEmpresa_AppPath(const QString& v) { m_appPath = v; }
    qint16 Empresa_Codigo() const { return m_empresaCodigo; }
    void setEmpresa_Codigo(int v) { m_empresaCodigo = static_cast<qint16>(v); }
    QString Empresa_Nombre() const { return m_empresaNombre; }
    void setEmpresa_Nombre(const QString& v) { m_empresaNombre = v; }
    // Kept for joined values; the columnar report does not use it.
    QString SeparadorCols() const { return m_separador; }
    void setSeparadorCols(const QString& v) { m_separador = v; }
    // Dates of the grid stored as text rather than as dates.
    bool FechasComoTexto() const { return m_fechasTexto; }
    void setFechasComoTexto(bool v) { m_fechasTexto = v; }
    // Whether the viewer of Imprimir(0) is modal (the default) or modeless.
    bool VistaModal() const { return m_modal; }
    void setVistaModal(bool v) { m_modal = v; }

    colColumnas& Columnas() { return m_columnas; }

    // 0: the viewer (its print dialog opens on strImpresora when one is named);
    // anything else: the printer strImpresora ("" = the system's default), no dialog.
    Q_INVOKABLE void Imprimir(int intDestino, const QString& strImpresora);
    // The same report written into a PDF file.
    void ImprimirPdf(const QString& path);
    // The report of the current source, filled and ready for any output; the
    // temporary table is already dropped. Errors are raised as by Imprimir.
    // A grid of many rows shows a progress window while it is copied; when
    // the user cancels there, nothing is printed or written and Preparar
    // returns nullptr.
    std::shared_ptr<Report> Preparar();

    // The temporary table's name (made at the first print and kept by this object).
    QString NombreTabla() const { return m_table; }
    // The print job's own connection, nullptr before its first use.
    db::Connection* ConexionTrabajo() const { return m_conn.get(); }

private:
    enum class Output { Viewer, Printer, Pdf, None };
    std::shared_ptr<Report> run(Output output, const QString& target);
    std::shared_ptr<Report> buildReport();
    db::Connection& connection();
    void columnsFromGrid();
    ReportData fillFromGrid();
    void columnsFromData(const ReportData& data);
    void dropTable();

    QString m_connectionString;
    std::unique_ptr<db::Connection> m_conn;
    QString m_kind;
    QPointer<controls::Grid> m_grid;
    db::RecordSet* m_rs = nullptr;
    QString m_sql;
    QString m_titulo;
    QString m_criterio;
    bool m_ajustar = false;
    QString m_appPath;
    qint16 m_empresaCodigo = 0;
    QString m_empresaNombre;
    QString m_separador;
    bool m_fechasTexto = false;
    bool m_modal = true;
    colColumnas m_columnas;
    QString m_table;
    bool m_tableCreated = false;
};

} // namespace zqvr::reports
