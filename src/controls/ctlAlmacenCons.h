#pragma once
// The company's warehouses as a list with check marks. Screens load it,
// read how many entries there are, each entry's code and check state, and
// check entries by index or by code.
#include "controls_export.h"
#include <QListWidget>

namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }

namespace zqvr::controls {

class ZQVR_CONTROLS_EXPORT ctlAlmacenCons : public QListWidget {
    Q_OBJECT
public:
    explicit ctlAlmacenCons(QWidget* parent = nullptr);

    // The list loads itself as soon as it has both its connection and its company;
    // a failure then is raised as ErrorOccurred and leaves the list empty.
    void setConexion(db::Connection* conn);
    void setEmpresa(host::Empresa* empresa);
    db::Connection* Conexion() const { return m_conn; }
    host::Empresa* Empresa() const { return m_empresa; }

    // Fills the list with the company's warehouses in code order, all
    // unchecked. Throws Error when the statement fails (the list is then empty).
    void Cargar();

    // Number of entries (QListWidget::count()).
    int ListCount() const { return count(); }
    // Code of an entry; 0 for an index out of range.
    int Codigo(int index) const;
    // Name of an entry; "" for an index out of range.
    QString Nombre(int index) const;
    // Index of the entry with that code, -1 when not listed.
    int indexOfCodigo(int code) const;

    bool Checked(int index) const;
    // Out-of-range indexes are ignored.
    void setChecked(int index, bool checked);
    // false when no entry has that code.
    bool setCheckedCodigo(int code, bool checked);
    void setAllChecked(bool checked);
    QList<int> checkedCodes() const;

Q_SIGNALS:
    // The user checked or unchecked an entry. Not raised while the list is
    // filled nor for checks made through the calls above.
    void CheckCambiado(int index, int code, bool checked);
    // Loading by itself failed (a Form reports it under "<list name>:Cargar").
    void ErrorOccurred(int number, const QString& description, const QString& source);

private:
    void loadWhenReady();

    db::Connection* m_conn = nullptr;
    host::Empresa* m_empresa = nullptr;
    int m_quiet = 0;
};

} // namespace zqvr::controls
