#pragma once
// The floor-plan editor of one salon: elements are dragged from the palette
// (Arbol) onto the drawing (graSalon), moved, resized, relabelled and
// deleted; "&Aceptar" stores the whole drawing in the salon's Doc_Xml and
// "&Cancelar" loses everything done since the editor opened.
//
//   frmCfgSalonElementos dlg;
//   dlg.setCodSalon(3);
//   dlg.setDocXml(storedText);      // as stored, with | for '
//   frame::runModal(dlg);   // runs Form_Load first
#include "salons_export.h"

#include "frame/Dialog.h"
#include "salons/FlowNodeItem.h"

#include <QPointer>
#include <memory>

namespace Ui { class frmCfgSalonElementos; }

namespace zqvr::salons {

class FlowNodeItem;
class FlowGraphView;
class ExplorerBar;

class ZQVR_SALONS_EXPORT frmCfgSalonElementos : public frame::Dialog {
    Q_OBJECT
public:
    explicit frmCfgSalonElementos(QWidget* parent = nullptr);
    ~frmCfgSalonElementos() override;

    qint16 CodSalon() const { return m_codSalon; }
    void setCodSalon(qint16 code) { m_codSalon = code; }
    QString DocXml() const { return m_docXml; }
    void setDocXml(const QString& stored) { m_docXml = stored; }

    // Fills the palette, loads the element pictures and opens the handed-over
    // document. Returns false when it failed (the failure has been reported).
    bool Form_Load() override;

    // Adds a resource shape node to the active page at that place and size; nullptr without a page.
    FlowNodeItem* AddCustomFlowGraphShape(int nResShapeID, double left, double top, double width, double height);

    FlowGraphView* surface() const;
    ExplorerBar* palette() const;
    FlowNodeItem* selectedNode() const { return m_selected.data(); }

protected:
    void showEvent(QShowEvent* e) override;
    void reject() override;

private:
    void graSalon_DragDrop(const QPointF& point);
    void graSalon_SelChange(FlowNodeItem* node);
    void txtRenombrar_KeyPress(int& keyAscii);
    void cmdRenombrar_Click();
    void cmdEliminarNodo_Click();
    void cmdAceptar_Click();
    void cmdCancelar_Click();

    std::unique_ptr<Ui::frmCfgSalonElementos> ui;
    qint16 m_codSalon = 0;
    QString m_docXml;
    QPointer<FlowNodeItem> m_selected;
    bool m_loaded = false;
};

} // namespace zqvr::salons
