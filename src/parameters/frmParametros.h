#pragma once
// The terminal parameters window: the settings of a warehouse (general
// scope) or of one of its terminals, on thirteen tabs built from the
// catalogue, with the operation keys, scales, links and ticket logos.
#include "parameters_export.h"
#include "frame/Form.h"
#include "parameters/CatalogueControls.h"
#include "parameters/ScopeValues.h"

#include <QList>
#include <functional>
#include <memory>

class QLabel;

namespace Ui { class frmParametros; }

namespace zqvr::parameters {

// The top bar, the buttons and the Operaciones, Balanzas and Logotipo
// panels come from frmParametros.ui; the settings on every tab come from
// the catalogue.
class ZQVR_PARAMETERS_EXPORT frmParametros : public frame::Form {
    Q_OBJECT
public:
    explicit frmParametros(QWidget* parent = nullptr);
    ~frmParametros() override;

    // The procedures of the window (also used by its tests).
    void LimpiarOpciones();
    void Cargar_Opciones(int almacen, int tpv);
    // Removes the company's rows of vanished terminals and replaces the scope
    // with the state of the controls, all in one transaction; false when it
    // failed (already reported, and nothing changed).
    bool GuardarOpciones(int almacen, int tpv);
    void CargarComboImpuestos();

    int almacenActual() const;
    int tpvActual() const;
    QString programFolder() const { return m_programFolder; }
    // The state the controls show, as a save would write it.
    ScopeValues currentValues() const;

    // The hook for the operation-panel preview: receives the rows and the
    // mode, returns the position clicked (0 none). The window opens the
    // operation-panel preview window; tests may replace it.
    using PreviewFn = std::function<int(const std::vector<OperationKey>& keys, int mode, QWidget* parent)>;
    // Without a preview both preview buttons stay disabled.
    void setPreview(PreviewFn fn);

protected:
    void formLoad() override;

private:
    void nameArrayElements();
    void prepareFixedControls();
    void buildCatalogueTabs();
    void wireHandlers();
    void declareReportNames();
    void wireTopBar();
    void wireOperations();
    void wireScales();
    void wireLogo();
    void wireCatalogueControls();
    void bindKeys();

    void CargarAlmacenes();
    void CargarTpvs();
    void CargarOperaciones();
    void showValues();
    void showKeys(const std::vector<OperationKey>& keys);
    void showScales(const std::vector<ScaleRow>& rows);
    void CargarLogos();
    void applyReactions();
    // Refuses a number field whose text is no number, naming the field; false when refused.
    bool numbersAreReadable(const ScopeValues& v);

    void cboAlmacen_Click();
    void cboTpv_Click();
    void cmdAceptar_Click();
    void cmdCancelar_Click();
    void cmdCopiarGeneral_Click();
    void cmdEliminarParametrosTpv_Click();
    void cmdAgregar_Click();
    void cmdEliminarOP_Click();
    void vsLineas_RowColChange(int row, int col);
    void cmdVisual_Click();
    void cmdVistaPos_Click();
    void vistaPreliminar(int mode);
    void cboTipo_Enter();
    void cmdEliminar_Click();
    void cmdFotoExaminar_Click(int k);
    void cmdFotoBorrar_Click(int k);
    void cmdExaminar_Vinculo_Click(int i);

    std::unique_ptr<Ui::frmParametros> ui;
    CatalogueControls m_catalogue;
    std::unique_ptr<ScopeValues> m_values;
    QString m_programFolder;
    bool m_esFenvary = false;
    bool m_allowAlmacen = false;
    bool m_allowTpv = false;
    PreviewFn m_preview;

    // The elements of the logo tab's control arrays, by index.
    QLabel* picLogo[2] = {};
    QLabel* lblInfo[3] = {};
};

} // namespace zqvr::parameters
