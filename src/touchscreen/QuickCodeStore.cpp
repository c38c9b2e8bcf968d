#include "touchscreen/QuickCodeStore.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "host/Formato.h"

#include <cmath>

namespace zqvr::touchscreen {

QuickCode quickCodeFromRow(const db::RecordSet& rs)
{
    QuickCode q;
    q.codigo = rs[QStringLiteral("Cod_Rapido")].toString();
    q.articulo = rs[QStringLiteral("Cod_Articulo")].toInt();
    q.descripcion = rs[QStringLiteral("Descripcion")].toString();
    q.unidades = rs[QStringLiteral("Unidades")].toDouble();
    return q;
}

using db::sqlInt;
using db::sqlNumber;
using db::sqlText;

namespace {

// Units beyond this are a typing slip, not a quantity a terminal sells at one keystroke.
constexpr double MaxUnits = 999999.0;

} // namespace

std::optional<EntryProblem> readUnits(const QString& text, double& units)
{
    bool ok = false;
    const double v = host::Formato::LeerNumero(text, &ok);
    if (text.trimmed().isEmpty() || (ok && v == 0.0)) {
        units = 1;
        return std::nullopt;
    }
    if (!ok || v > MaxUnits)
        return EntryProblem{EntryProblem::Field::Unidades, QStringLiteral("Debe especificar unas Unidades válidas.")};
    if (v < 0)
        return EntryProblem{EntryProblem::Field::Unidades,
                            QStringLiteral("Las Unidades no pueden ser negativas.")};
    units = v;
    return std::nullopt;
}

QString unitsText(double units)
{
    if (units == std::floor(units) && std::fabs(units) < 1e15)
        return QString::number(static_cast<qint64>(units));
    QString s = host::Formato::FormatoNumero(units, 3);
    while (s.endsWith(QLatin1Char('0')))
        s.chop(1);
    return s;
}

QuickCodeStore::QuickCodeStore(db::Connection& conn, qint16 empresa, qint16 empresaArticulos)
    : m_conn(conn), m_empresa(empresa), m_empresaArticulos(empresaArticulos)
{
}

std::vector<QuickCode> QuickCodeStore::Cargar(qint16 almacen) const
{
    return reraiseAs(QStringLiteral("frmCodigosRapido:CargarLineas"), [&] {
        std::vector<QuickCode> out;
        db::RecordSet rs = m_conn.query(
            QStringLiteral("SELECT a.Cod_Rapido, a.Cod_Articulo, a.Unidades, b.Descripcion") +
            QStringLiteral(" FROM TPV_CodigosRapido a INNER JOIN Articulos b") +
            QStringLiteral(" ON b.Cod_Empresa = ") + sqlInt(m_empresaArticulos) +
            QStringLiteral(" AND a.Cod_Articulo = b.Codigo") + QStringLiteral(" WHERE a.Cod_Empresa =") +
            sqlInt(m_empresa) + QStringLiteral(" AND a.Cod_Almacen =") + sqlInt(almacen) +
            QStringLiteral(" ORDER BY a.Cod_Rapido"));
        while (!rs.eof()) {
            out.push_back(quickCodeFromRow(rs));
            rs.moveNext();
        }
        return out;
    });
}

bool QuickCodeStore::ArticuloExiste(qint32 articulo) const
{
    return reraiseAs(QStringLiteral("frmCodigosRapido:ArticuloExiste"), [&] {
        db::RecordSet rs = m_conn.query(QStringLiteral("SELECT Codigo FROM Articulos WHERE Cod_Empresa =") +
                                        sqlInt(m_empresaArticulos) + QStringLiteral(" AND Codigo =") +
                                        sqlInt(articulo));
        return !rs.eof();
    });
}

std::optional<EntryProblem> QuickCodeStore::Validar(bool almacenValido, const QString& codigo, qint32 articulo,
                                                    const QString& unidades, QuickCodeEntry& entry) const
{
    using F = EntryProblem::Field;
    if (!almacenValido)
        return EntryProblem{F::Almacen, QStringLiteral("Debe especificar un Almacén Válido.")};
    const QString code = codigo.trimmed();
    if (code.isEmpty())
        return EntryProblem{F::Codigo, QStringLiteral("Debe especificar un Código Rápido.")};
    if (code.size() > QuickCodeMaxLength)
        return EntryProblem{F::Codigo, QStringLiteral("El Código Rápido no puede tener más de %1 caracteres.")
                                           .arg(QuickCodeMaxLength)};
    // A code pointing at a missing article would be saved but never listed.
    if (articulo <= 0 || !ArticuloExiste(articulo))
        return EntryProblem{F::Articulo, QStringLiteral("Debe especificar un Artículo Válido.")};
    double units = 1;
    if (auto p = readUnits(unidades, units))
        return p;
    entry.codigo = code;
    entry.articulo = articulo;
    entry.unidades = units;
    return std::nullopt;
}

bool QuickCodeStore::Guardar(qint16 almacen, const QString& codigo, qint32 articulo, double unidades)
{
    return reraiseAs(QStringLiteral("frmCodigosRapido:Grabar"), [&] {
        const QString code = codigo.trimmed();
        if (code.isEmpty())
            throw Error(errc::InvalidArgument, QStringLiteral("Debe especificar un Código Rápido."));
        if (unidades == 0.0 || !std::isfinite(unidades))
            unidades = 1;
        const QString units = sqlNumber(unidades);
        const QString where = QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(m_empresa) +
                              QStringLiteral(" AND Cod_Almacen =") + sqlInt(almacen) +
                              QStringLiteral(" AND Cod_Rapido =") + sqlText(code);
        db::TransactionGuard guard(m_conn);
        const int changed = m_conn.execute(
            QStringLiteral("UPDATE TPV_CodigosRapido SET Cod_Articulo =") + sqlInt(articulo) +
            QStringLiteral(", Unidades =") + units + QStringLiteral(", Act = 0") + where);
        if (changed == 0) {
            // Act is written here, not left to the column's default: the new
            // code must reach the terminals whatever the table was created with.
            m_conn.execute(QStringLiteral("INSERT INTO TPV_CodigosRapido (Cod_Empresa, Cod_Almacen, Cod_Rapido,"
                                          " Cod_Articulo, Unidades, Act) VALUES (") +
                           sqlInt(m_empresa) + QStringLiteral(", ") + sqlInt(almacen) + QStringLiteral(", ") +
                           sqlText(code) + QStringLiteral(", ") + sqlInt(articulo) + QStringLiteral(", ") + units +
                           QStringLiteral(", 0)"));
        }
        // A deletion of this code that the terminals have not taken yet would
        // make them drop the code just saved: it goes with the save.
        m_conn.execute(QStringLiteral("DELETE FROM TPV_CodigosRapido_Baja") + where + QStringLiteral(" AND Act = 0"));
        guard.commit();
        return changed == 0;
    });
}

void QuickCodeStore::Eliminar(qint16 almacen, const QString& codigo)
{
    reraiseAs(QStringLiteral("frmCodigosRapido:Eliminar"), [&] {
        const QString where = QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(m_empresa) +
                              QStringLiteral(" AND Cod_Almacen =") + sqlInt(almacen) +
                              QStringLiteral(" AND Cod_Rapido =") + sqlText(codigo);
        // The deletion record and the delete land together: the terminals are
        // never told to drop a code that is still there, nor left keeping one
        // that is gone.
        db::TransactionGuard guard(m_conn);
        if (m_conn.execute(QStringLiteral("UPDATE TPV_CodigosRapido_Baja SET Act = 0") + where) == 0) {
            m_conn.execute(
                QStringLiteral("INSERT INTO TPV_CodigosRapido_Baja (Cod_Empresa, Cod_Almacen, Cod_Rapido) VALUES (") +
                sqlInt(m_empresa) + QStringLiteral(", ") + sqlInt(almacen) + QStringLiteral(", ") + sqlText(codigo) +
                QStringLiteral(")"));
        }
        expectRow(m_conn.execute(QStringLiteral("DELETE FROM TPV_CodigosRapido") + where),
                  QStringLiteral("El código rápido %1").arg(codigo));
        guard.commit();
    });
}

QString QuickCodeStore::listingStatement(qint16 almacen, int ordenadoPor, int orden) const
{
    // Only these column names ever reach the ORDER BY.
    static const char* const columns[] = {"a.Cod_Articulo", "a.Cod_Rapido", "b.Descripcion"};
    constexpr int ByQuickCode = 1;
    constexpr int Descending = 1;
    const int sort = ordenadoPor >= 0 && ordenadoPor < 3 ? ordenadoPor : ByQuickCode;
    const QString dir = orden == Descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
    QString order = QString::fromLatin1(columns[sort]) + dir;
    if (sort != ByQuickCode)
        order += QStringLiteral(", a.Cod_Rapido") + dir;
    return QStringLiteral("SELECT a.Cod_Rapido, a.Cod_Articulo, a.Unidades, b.Descripcion") +
           QStringLiteral(" FROM TPV_CodigosRapido a INNER JOIN Articulos b") + QStringLiteral(" ON b.Cod_Empresa = ") +
           sqlInt(m_empresaArticulos) + QStringLiteral(" AND a.Cod_Articulo = b.Codigo") +
           QStringLiteral(" WHERE a.Cod_Empresa =") + sqlInt(m_empresa) + QStringLiteral(" AND a.Cod_Almacen =") +
           sqlInt(almacen) + QStringLiteral(" ORDER BY ") + order;
}

std::vector<QuickCode> QuickCodeStore::listing(qint16 almacen, int ordenadoPor, int orden) const
{
    return reraiseAs(QStringLiteral("frmCodigosRapido_Listado:Listar"), [&] {
        std::vector<QuickCode> out;
        db::RecordSet rs = m_conn.query(listingStatement(almacen, ordenadoPor, orden));
        while (!rs.eof()) {
            out.push_back(quickCodeFromRow(rs));
            rs.moveNext();
        }
        return out;
    });
}

} // namespace zqvr::touchscreen
