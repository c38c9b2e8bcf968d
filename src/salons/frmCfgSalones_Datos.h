#pragma once
// The code, name and plan document of one salon. The caller sets the
// properties and runs the dialog with frame::runModal; the properties hold
// what was typed when it was accepted.
#include "salons_export.h"

#include "frame/Dialog.h"

#include <memory>

namespace Ui { class frmCfgSalones_Datos; }

namespace zqvr::salons {

class ZQVR_SALONS_EXPORT frmCfgSalones_Datos : public frame::Dialog {
    Q_OBJECT
public:
    explicit frmCfgSalones_Datos(QWidget* parent = nullptr);
    ~frmCfgSalones_Datos() override;

    qint16 Codigo() const { return m_codigo; }
    void setCodigo(qint16 v) { m_codigo = v; }
    QString Descripcion() const { return m_descripcion; }
    void setDescripcion(const QString& v) { m_descripcion = v; }
    // The document with its real quotes.
    QString Xml() const { return m_xml; }
    void setXml(const QString& v) { m_xml = v; }

    // Puts the properties into the fields; a given code can no longer be changed.
    bool Form_Load() override;

protected:
    void reject() override;

private:
    void cmdAceptar_Click();
    void cmdCancelar_Click();

    std::unique_ptr<Ui::frmCfgSalones_Datos> ui;
    qint16 m_codigo = 0;
    QString m_descripcion;
    QString m_xml;
};

} // namespace zqvr::salons
