#pragma once
// The report viewer's window: the viewer control crvRep and the logo pctLogo
// (the installation folder's Logo.png, .jpg or .bmp when there is one). Esc
// closes it; it remembers nothing between uses. clsView opens it.
#include "reports_export.h"

#include <QDialog>
#include <memory>

class QLabel;

namespace zqvr::reports {

class Report;
class ReportViewer;

class ZQVR_REPORTS_EXPORT frmView : public QDialog {
    Q_OBJECT
public:
    explicit frmView(QWidget* parent = nullptr);
    ~frmView() override;

    // The report shown (prepared here: throws its Error before the window shows).
    void setReport(std::shared_ptr<Report> report);
    void setZoom(int zoom);
    ReportViewer* viewer() const { return crvRep; }

    // The logo looked for in a folder: Logo.png, Logo.jpg, Logo.bmp (any case); "" when none.
    static QString logoFile(const QString& folder);

protected:
    void changeEvent(QEvent* e) override;

private:
    ReportViewer* crvRep = nullptr;
    QLabel* pctLogo = nullptr;
    std::shared_ptr<Report> m_report;
};

} // namespace zqvr::reports
