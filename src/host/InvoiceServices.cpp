#include "host/InvoiceServices.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "host/Empresa.h"

#include <mutex>

namespace zqvr::host {

using db::sqlInt;
using db::sqlNumber;

namespace {

template <class T>
struct Slot {
    std::mutex lock;
    std::shared_ptr<T> installed;
};

template <class T, class Default>
std::shared_ptr<T> currentOf(Slot<T>& slot)
{
    std::lock_guard<std::mutex> g(slot.lock);
    if (!slot.installed)
        slot.installed = std::make_shared<Default>();
    return slot.installed;
}

template <class T>
void installIn(Slot<T>& slot, std::shared_ptr<T> value)
{
    std::lock_guard<std::mutex> g(slot.lock);
    slot.installed = std::move(value);
}

Slot<NumeradorFacturas>& numeradorSlot()
{
    static Slot<NumeradorFacturas> s;
    return s;
}
Slot<EstadisticasClientes>& estadisticasSlot()
{
    static Slot<EstadisticasClientes> s;
    return s;
}
Slot<Descifrador>& descifradorSlot()
{
    static Slot<Descifrador> s;
    return s;
}
ImpresionFactura::Factory& impresionFactory()
{
    static ImpresionFactura::Factory f;
    return f;
}

// The byte mixed into position i of a text.
quint8 mezcla(const QByteArray& clave, int i)
{
    const quint8 k = clave.isEmpty() ? 0 : quint8(clave.at(i % clave.size()));
    return quint8(k ^ quint8((i * 73 + 41) & 0xFF));
}

} // namespace

// ---- numbering ----

std::shared_ptr<NumeradorFacturas> NumeradorFacturas::current()
{
    return currentOf<NumeradorFacturas, ContadorFacturas>(numeradorSlot());
}

void NumeradorFacturas::install(std::shared_ptr<NumeradorFacturas> numerador)
{
    installIn(numeradorSlot(), std::move(numerador));
}

int ContadorFacturas::Siguiente(Empresa& empresa, db::Connection& conn, int serie)
{
    const QString source = QStringLiteral("ContadorFacturas::Siguiente");
    if (serie <= 0)
        throw Error(errc::InvalidArgument, QStringLiteral("La serie de facturación %1 no es válida.").arg(serie), source);
    // A number reserved inside someone else's transaction would come back
    // when that transaction rolls back, after it may have been printed.
    if (conn.transactionDepth() > 0)
        throw Error(errc::InvalidArgument,
                    QStringLiteral("El número de factura no puede reservarse dentro de otra transacción."), source);
    return reraiseAs(source, [&] {
        const int ejercicio = (m_hoy.isValid() ? m_hoy : QDate::currentDate()).year();
        const QString where = QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(empresa.CodigoEmpresa()) +
                              QStringLiteral(" AND Serie = ") + sqlInt(serie) + QStringLiteral(" AND Ejercicio = ") +
                              sqlInt(ejercicio);
        db::TransactionGuard guard(conn, db::TransactionGuard::Write);
        if (conn.execute(QStringLiteral("UPDATE Facturas_Contador SET Ultimo = Ultimo + 1") + where) == 0)
            conn.execute(QStringLiteral("INSERT INTO Facturas_Contador (Cod_Empresa, Serie, Ejercicio, Ultimo) VALUES (") +
                         sqlInt(empresa.CodigoEmpresa()) + QStringLiteral(", ") + sqlInt(serie) + QStringLiteral(", ") +
                         sqlInt(ejercicio) + QStringLiteral(", 1)"));
        const int numero = conn.scalar(QStringLiteral("SELECT Ultimo FROM Facturas_Contador") + where).toInt();
        guard.commit();
        return numero;
    });
}

// ---- statistics ----

std::shared_ptr<EstadisticasClientes> EstadisticasClientes::current()
{
    return currentOf<EstadisticasClientes, EstadisticasClientesTabla>(estadisticasSlot());
}

void EstadisticasClientes::install(std::shared_ptr<EstadisticasClientes> estadisticas)
{
    installIn(estadisticasSlot(), std::move(estadisticas));
}

void EstadisticasClientesTabla::Registrar(Empresa& empresa, db::Connection& conn, int cliente, const QDate& fecha,
                                          qint64 articulo, double cantidad, double importe, double costo)
{
    reraiseAs(QStringLiteral("EstadisticasClientesTabla::Registrar"), [&] {
        const QString where = QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(empresa.EmpresaClientes()) +
                              QStringLiteral(" AND Cod_Cliente = ") + sqlInt(cliente) + QStringLiteral(" AND Fecha = ") +
                              conn.dialect().date(fecha) + QStringLiteral(" AND Cod_Articulo = ") + sqlInt(articulo);
        const int n = conn.execute(QStringLiteral("UPDATE Clientes_Estadisticas SET Unidades = Unidades + ") +
                                   sqlNumber(cantidad) + QStringLiteral(", Importe = Importe + ") + sqlNumber(importe) +
                                   QStringLiteral(", Costo = Costo + ") + sqlNumber(costo) + where);
        if (n == 0)
            conn.execute(QStringLiteral("INSERT INTO Clientes_Estadisticas (Cod_Empresa, Cod_Cliente, Fecha, Cod_Articulo,"
                                        " Unidades, Importe, Costo) VALUES (") +
                         sqlInt(empresa.EmpresaClientes()) + QStringLiteral(", ") + sqlInt(cliente) +
                         QStringLiteral(", ") + conn.dialect().date(fecha) + QStringLiteral(", ") + sqlInt(articulo) +
                         QStringLiteral(", ") + sqlNumber(cantidad) + QStringLiteral(", ") + sqlNumber(importe) +
                         QStringLiteral(", ") + sqlNumber(costo) + QStringLiteral(")"));
    });
}

// ---- deciphering ----

std::shared_ptr<Descifrador> Descifrador::current()
{
    return currentOf<Descifrador, CifradoTpv>(descifradorSlot());
}

void Descifrador::install(std::shared_ptr<Descifrador> descifrador)
{
    installIn(descifradorSlot(), std::move(descifrador));
}

QString CifradoTpv::Descifrar(const QString& cifrado, const QString& clave) const
{
    const QString t = cifrado.trimmed();
    if (t.isEmpty())
        return {};
    bool hex = t.size() % 2 == 0;
    for (const QChar c : t)
        hex = hex && ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F')));
    if (!hex)
        throw Error(errc::InvalidArgument, QStringLiteral("El texto no está cifrado con la clave de las cajas."),
                    QStringLiteral("CifradoTpv::Descifrar"));
    QByteArray bytes = QByteArray::fromHex(t.toLatin1());
    const QByteArray k = clave.toUtf8();
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(quint8(bytes.at(i)) ^ mezcla(k, i));
    return QString::fromUtf8(bytes);
}

QString CifradoTpv::Cifrar(const QString& texto, const QString& clave)
{
    QByteArray bytes = texto.toUtf8();
    const QByteArray k = clave.toUtf8();
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(quint8(bytes.at(i)) ^ mezcla(k, i));
    return QString::fromLatin1(bytes.toHex().toUpper());
}

// ---- printing ----

std::unique_ptr<ImpresionFactura> ImpresionFactura::create()
{
    return impresionFactory() ? impresionFactory()() : nullptr;
}

void ImpresionFactura::setFactory(Factory factory) { impresionFactory() = std::move(factory); }

bool ImpresionFactura::hasFactory() { return static_cast<bool>(impresionFactory()); }

QList<int> copiasDeMascara(int mascara)
{
    QList<int> out;
    for (int i = 0; i < 6; ++i)
        if (mascara & (1 << i))
            out << i + 1;
    if (out.isEmpty())
        out << 1;
    return out;
}

} // namespace zqvr::host
