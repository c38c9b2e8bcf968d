#pragma once
// The live board of the company's terminals: one row per terminal with its
// flags, today's sales and reservation figures, version, queued articles and
// serial, a totals row, today's total and the sales of a comparable day of
// last year. It refreshes itself every 5 seconds, keeping the selected row
// and the scroll position, and offers remote access to a terminal's desktop
// to the users who hold right 5.
//
// Keys: Shift, Ctrl or Alt with F8 shows or hides the "Serial" column.
#include "terminals_export.h"
#include "frame/Form.h"
#include "terminals/ComparisonDays.h"

#include <QDate>
#include <QTimer>
#include <functional>
#include <memory>

namespace Ui { class frmVisorTpvs; }

namespace zqvr::terminals {

class ZQVR_TERMINALS_EXPORT frmVisorTpvs : public frame::Form {
    Q_OBJECT
public:
    // Grid columns.
    enum Column {
        ColCodigo, ColNombre, ColDescripcion, ColEnLinea, ColAct, ColVentaDia, ColCobroRes, ColResNuevas,
        ColVentasTotal, ColVersion, ColCola, ColSerial, ColumnCount
    };
    static constexpr int RefreshMs = 5000;

    explicit frmVisorTpvs(QWidget* parent = nullptr);
    ~frmVisorTpvs() override;

    // Where "today" comes from (the system date unless a test sets it).
    void setClock(std::function<QDate()> clock);
    // One refresh of the board, as a timer tick runs it.
    void Refrescar();

protected:
    void formLoad() override;
    void formUnload() override;

private:
    void Timer_Timer();
    void cmdAccRemoto_Click();
    void cmdSalir_Click();
    void toggleSerial();

    void configurarGrid();
    void calcularComparaciones(const QDate& today);
    void rellenar(const QDate& today);
    QString CalcularVentas(const QDate& day);
    bool reservasActivas() const;

    std::unique_ptr<Ui::frmVisorTpvs> ui;
    QTimer Timer;
    std::function<QDate()> m_clock;
    // The day the comparison fields were computed for; a new day recomputes them.
    QDate m_comparisonsFor;
    bool m_refreshing = false;
};

} // namespace zqvr::terminals
