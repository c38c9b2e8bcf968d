#pragma once
// The salons of one company and the warehouses each salon is assigned to
// (TPV_Sln_Salones, TPV_Sln_Salones_Almacen). Documents go in and come out
// as XML text; the store applies the quote substitution of DocXml.h on every
// write and undoes it on every read (except LeerDocXmlGuardado, which hands
// over the column as stored, for the floor-plan editor).
//
// Failures are re-raised as zqvr::Error with the source "SalonStore::<operation>".
#include "salons_export.h"
#include <QList>
#include <QString>

namespace zqvr::db { class Connection; }

namespace zqvr::salons {

struct ZQVR_SALONS_EXPORT SalonRow {
    qint16 codigo = 0;
    QString descripcion;
};

class ZQVR_SALONS_EXPORT SalonStore {
public:
    SalonStore(db::Connection& conn, int empresa) : m_conn(conn), m_empresa(empresa) {}

    // The company's salons in code order.
    QList<SalonRow> Cargar();
    // Whether a salon of the company already has this code or this description.
    bool Existe(qint16 codigo, const QString& descripcion);
    void Agregar(qint16 codigo, const QString& descripcion, const QString& xml);
    // Modificar, Eliminar, GuardarPlano and AsignarAlmacen raise
    // rowDeletedError (db/Error.h) when the salon is no longer there.
    void Modificar(qint16 codigo, const QString& descripcion, const QString& xml);
    // Removes the warehouse assignments, then the salon: both or neither.
    void Eliminar(qint16 codigo);

    // The document with its quotes restored ("" when the salon has none or does not exist).
    QString LeerXml(qint16 codigo);
    // The document as stored, with | for ' ("" when the salon does not exist).
    QString LeerDocXmlGuardado(qint16 codigo);
    // Stores a floor-plan document (given with its real quotes).
    void GuardarPlano(qint16 codigo, const QString& xml);

    // Warehouse codes the salon is assigned to, in the order read.
    QList<int> Almacenes(qint16 codigo);
    // Leaves exactly one assignment row when checked and none when not.
    void AsignarAlmacen(qint16 codigo, int almacen, bool checked);

private:
    db::Connection& m_conn;
    int m_empresa;
};

} // namespace zqvr::salons
