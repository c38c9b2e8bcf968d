#pragma once
// The small dialog that gives a configuration its code, description and
// grid type. The caller sets the three properties, runs the dialog with
// frame::runModal and reads them back when it was accepted.
#include "touchscreen_export.h"

#include "frame/Dialog.h"
#include <memory>

namespace Ui { class frmCfgPantalla_Datos; }

namespace zqvr::touchscreen {

class ZQVR_TOUCHSCREEN_EXPORT frmCfgPantalla_Datos : public frame::Dialog {
    Q_OBJECT
public:
    explicit frmCfgPantalla_Datos(QWidget* parent = nullptr);
    ~frmCfgPantalla_Datos() override;

    qint16 Codigo() const { return m_codigo; }
    void setCodigo(qint16 v) { m_codigo = v; }
    QString Descripcion() const { return m_descripcion; }
    void setDescripcion(const QString& v) { m_descripcion = v; }
    qint16 Tipo() const { return m_tipo; }
    void setTipo(qint16 v) { m_tipo = v; }

    // The load step: puts the properties into the controls.
    bool Form_Load() override;
    // Closing the window in any way but Aceptar is a cancellation.
    void reject() override;

private:
    void cmdAceptar_Click();
    void cmdCancelar_Click();

    std::unique_ptr<Ui::frmCfgPantalla_Datos> ui;
    qint16 m_codigo = 0;
    QString m_descripcion;
    qint16 m_tipo = 0;
};

} // namespace zqvr::touchscreen
