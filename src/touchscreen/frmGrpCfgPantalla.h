#pragma once
// The layout editor of one touch-screen configuration: the page of group
// buttons and, for the selected group, its page of article keys, each
// button edited in a property grid and written to the database at once.
// Buttons are rearranged by dragging one onto another of the same page.
//
// The caller sets the configuration (setCodigo, setTipo, setDescripcion),
// and runs the window with frame::runModal; there is nothing to save on close.
#include "touchscreen_export.h"
#include "touchscreen/LayoutSlots.h"

#include "frame/Dialog.h"
#include <memory>
#include <vector>

class QFrame;

namespace Ui { class frmGrpCfgPantalla; }

namespace zqvr::controls {
class PropertyGrid;
class PropertyItem;
} // namespace zqvr::controls

namespace zqvr::touchscreen {

class ImageList;
class LayoutStore;
class PageButton;

// The frames, property grids and marks come from frmGrpCfgPantalla.ui; the
// page buttons are made on load, as many as the grid type has.
class ZQVR_TOUCHSCREEN_EXPORT frmGrpCfgPantalla : public frame::Dialog {
    Q_OBJECT
public:
    explicit frmGrpCfgPantalla(QWidget* parent = nullptr);
    ~frmGrpCfgPantalla() override;

    void setCodigo(int v) { m_codigo = v; }
    void setTipo(int v) { m_tipo = v == Tipo3x4 ? Tipo3x4 : Tipo9x4; }
    void setDescripcion(const QString& v) { m_descripcion = v; }
    int Codigo() const { return m_codigo; }
    int Tipo() const { return m_tipo; }

    // The load step; failures are reported and leave the pages empty (the
    // window is still shown).
    bool Form_Load() override;

    // The working copy, for whoever drives the window.
    const std::vector<GroupSlot>& grupos() const { return m_grupos; }
    const std::vector<KeySlot>& articulos() const { return m_articulos; }
    int grupoSeleccionado() const { return m_grupoIndex; }
    int articuloSeleccionado() const { return m_articuloIndex; }

    // What the mouse does on the pages: a click selects, a drop moves
    // (after = the pointer was on the target's right half).
    void cmdRapido_Click(int index);
    void cmdArticulo_Click(int index);
    void MoverArticulo(int f, int t, bool after);
    void MoverGrupo(int f, int t, bool after);

private:
    void prepararSelectores(controls::PropertyGrid* grid);
    void prepararPropiedadesGrupo();
    void prepararPropiedadesArticulo();
    void conectar();
    void distribuir();
    void CargarCodigosRapido();
    void CargarArticulos();
    void refrescarGrupo(int index);
    void refrescarArticulo(int index);
    void cargarPropiedadesGrupo();
    void cargarPropiedadesArticulo();
    void marcar(QFrame* mark, QWidget* button);
    void colocarMarcaDefecto();

    void wndPropGridGrp_ValueChanged(controls::PropertyItem* item);
    void wndPropGridArt_ValueChanged(controls::PropertyItem* item);
    void cambioGrupo(int item, const QVariant& value);
    void cambioArticulo(int item, const QVariant& value);
    void wndPropGridGrp_Command(int id);
    void wndPropGridArt_Command(int id);
    void wndPropGridArt_KeyDown(int& keyCode, int shift);
    void wndPropGridArt_InplaceButtonDown(controls::PropertyItem* item);
    void buscarArticulo();
    void cmdSalir_Click();

    void Establecer_GrupoDefecto();
    void Eliminar_Articulo();
    void Eliminar_Grupo();
    void Quitar_ImagenArticulo();
    void Quitar_ImagenGrupo();
    void mostrarImagenGrupo(GroupSlot& slot);
    void mostrarImagenArticulo(KeySlot& slot);

    // Drag feedback: the arrow beside the target under the pointer.
    void arrastrando(bool grupos, int f, const QPoint& globalPos);
    void soltado(bool grupos, int f, const QPoint& globalPos);
    void cmdRapido_DragOver(int f, const QPoint& globalPos);
    void cmdRapido_DragDrop(int f, const QPoint& globalPos);
    void cmdArticulo_DragOver(int f, const QPoint& globalPos);
    void cmdArticulo_DragDrop(int f, const QPoint& globalPos);
    PageButton* botonEn(bool grupos, const QPoint& globalPos, bool* after) const;

    std::unique_ptr<Ui::frmGrpCfgPantalla> ui;
    int m_codigo = 0;
    int m_tipo = Tipo9x4;
    QString m_descripcion;
    std::unique_ptr<LayoutStore> m_store;
    std::vector<GroupSlot> m_grupos;
    std::vector<KeySlot> m_articulos;
    int m_grupoIndex = 0;
    int m_articuloIndex = 0;
    int m_defaultIndex = -1;
    bool m_loaded = false;

    std::vector<PageButton*> cmdRapido;
    std::vector<PageButton*> cmdArticulo;
    ImageList* ImageManager1 = nullptr; // group pictures
    ImageList* ImageManager = nullptr;  // key pictures
};

} // namespace zqvr::touchscreen
