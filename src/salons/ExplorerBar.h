#pragma once
// The element palette of the floor-plan editor (Arbol): a tree with one bold,
// expanded heading per element group and the group's elements under it, each
// with its picture. Pressing an element stores it as the dragged element
// (PaletteDrag::shared()) and dragging it onto the drawing places it there.
#include "salons_export.h"

#include <QTreeWidget>
#include <QWidget>

namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }

namespace zqvr::salons {

// The inner tree: starts the drag of an element.
class ZQVR_SALONS_EXPORT ExplorerTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit ExplorerTree(QWidget* parent = nullptr);

Q_SIGNALS:
    void MouseDown(Qt::MouseButton button, const QPoint& pos);
    void MouseUp(Qt::MouseButton button, const QPoint& pos);

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void startDrag(Qt::DropActions supported) override;
};

class ZQVR_SALONS_EXPORT ExplorerBar : public QWidget {
    Q_OBJECT
public:
    explicit ExplorerBar(QWidget* parent = nullptr);

    void setEmpresa(host::Empresa* empresa) { m_empresa = empresa; }
    void setConexion(db::Connection* conn) { m_conn = conn; }
    // Pictures of the picture elements come from "<folder>/Imagen/".
    void setPictureFolder(const QString& folder) { m_pictureFolder = folder; }

    // Clears the drag state and (re)fills the tree. Errors are reported as "ExplorerBar:Cargar".
    void Cargar();
    QTreeWidget* wndTreeViewControl() const { return m_tree; }

    // Item data roles of the tree.
    static constexpr int KeyRole = Qt::UserRole;          // "n" + Tipo on elements, empty on headings
    static constexpr int RelacionRole = Qt::UserRole + 1; // Cod_Relacion

private:
    void wndTreeView_MouseDown(Qt::MouseButton button, const QPoint& pos);
    void wndTreeView_Click(QTreeWidgetItem* item, int column);
    QIcon elementIcon(int tipo, const QString& xaml) const;

    ExplorerTree* m_tree;
    host::Empresa* m_empresa = nullptr;
    db::Connection* m_conn = nullptr;
    QString m_pictureFolder;
};

} // namespace zqvr::salons
