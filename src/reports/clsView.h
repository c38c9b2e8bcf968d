#pragma once
// Shows a report in the viewer window (frmView), modal or modeless.
//
//   clsView view;
//   view.setCrxRep(report);   // a Report (Report.h), filled or with its query
//   view.setZoom(100);        // percent; 1 fits the page width, 2 the whole page
//   view.Show(true);          // true: returns when the window closes
//
// Show prepares the report first and throws its Error when it cannot be
// printed, so nothing half-made is shown. A modeless window deletes itself
// when closed and keeps the report alive until then.
#include "reports_export.h"

#include <QObject>
#include <memory>

class QWidget;

namespace zqvr::reports {

class Report;

class ZQVR_REPORTS_EXPORT clsView : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Zoom READ Zoom WRITE setZoom)
public:
    explicit clsView(QObject* parent = nullptr);
    ~clsView() override;

    void setCrxRep(std::shared_ptr<Report> report) { m_report = std::move(report); }
    qint16 Zoom() const { return m_zoom; }
    void setZoom(int zoom) { m_zoom = static_cast<qint16>(zoom); }

    // The printer the viewer's print dialog opens on ("" = the system's default).
    QString Impresora() const { return m_impresora; }
    void setImpresora(const QString& name) { m_impresora = name; }

    void Show(bool bolModal, QWidget* parent = nullptr);

private:
    std::shared_ptr<Report> m_report;
    qint16 m_zoom = 1; // fit the page's width
    QString m_impresora;
};

} // namespace zqvr::reports
