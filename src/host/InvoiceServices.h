#pragma once
// The host objects the invoice-from-ticket screen relies on: the invoice
// numbering, the customer sales statistics, the deciphering of a till's
// stored login and the invoice printing. Each is an interface a real host
// replaces with install(); without one the component uses the defaults
// below (printing: the component's own report, installed by the tickets
// library). Every call throws zqvr::Error when it cannot do its job.
#include "host_export.h"
#include "host/TextPrinter.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>

namespace zqvr::db { class Connection; }

namespace zqvr::host {

class Empresa;

// ---------------------------------------------------------------------------
// Invoice numbering: the next number of a series for the current calendar
// year, reserved for good before it is returned (a number handed out is
// never handed out again, even when the caller then fails).
class ZQVR_HOST_EXPORT NumeradorFacturas {
public:
    virtual ~NumeradorFacturas() = default;
    virtual int Siguiente(Empresa& empresa, db::Connection& conn, int serie) = 0;

    static std::shared_ptr<NumeradorFacturas> current();
    // nullptr restores the default.
    static void install(std::shared_ptr<NumeradorFacturas> numerador);
};

// The default: Facturas_Contador (company, series, year) holds the last
// number given; the row is moved on under the database's write lock in a
// transaction of its own, so two users never get the same number.
class ZQVR_HOST_EXPORT ContadorFacturas : public NumeradorFacturas {
public:
    int Siguiente(Empresa& empresa, db::Connection& conn, int serie) override;
    // The day whose year numbers the invoices; today unless set.
    void setHoy(const QDate& d) { m_hoy = d; }

private:
    QDate m_hoy;
};

// ---------------------------------------------------------------------------
// Customer sales statistics: quantity, amount and cost per customer, article
// and day, added to what is there (negative values take sales away).
class ZQVR_HOST_EXPORT EstadisticasClientes {
public:
    virtual ~EstadisticasClientes() = default;
    virtual void Registrar(Empresa& empresa, db::Connection& conn, int cliente, const QDate& fecha,
                           qint64 articulo, double cantidad, double importe, double costo) = 0;

    static std::shared_ptr<EstadisticasClientes> current();
    static void install(std::shared_ptr<EstadisticasClientes> estadisticas);
};

// The default: Clientes_Estadisticas under the company's customer company;
// it joins the caller's transaction.
class ZQVR_HOST_EXPORT EstadisticasClientesTabla : public EstadisticasClientes {
public:
    void Registrar(Empresa& empresa, db::Connection& conn, int cliente, const QDate& fecha, qint64 articulo,
                   double cantidad, double importe, double costo) override;
};

// ---------------------------------------------------------------------------
// Deciphering of the login a till's row keeps in TPVs (SQLUser, SQLPassword).
class ZQVR_HOST_EXPORT Descifrador {
public:
    virtual ~Descifrador() = default;
    // The plain text; "" for an empty text. Throws Error when the text is not ciphered by it.
    virtual QString Descifrar(const QString& cifrado, const QString& clave) const = 0;

    static std::shared_ptr<Descifrador> current();
    static void install(std::shared_ptr<Descifrador> descifrador);
};

// The default cipher: the text's UTF-8 bytes mixed with the key and their
// position, written as upper-case hexadecimal. Cifrar is its inverse, for
// the demo data and for whoever sets a till's login.
class ZQVR_HOST_EXPORT CifradoTpv : public Descifrador {
public:
    QString Descifrar(const QString& cifrado, const QString& clave) const override;
    static QString Cifrar(const QString& texto, const QString& clave);
};

// ---------------------------------------------------------------------------
// Invoice printing: one copy per bit of the mask (bit i is copy i + 1, named
// by the host's value "TipoDoc_<i + 1>").
struct ZQVR_HOST_EXPORT InvoicePrintRequest {
    db::Connection* conexion = nullptr;
    Empresa* empresa = nullptr;
    int almacen = 0;
    int caja = 0;
    QDate fecha;
    int anio = 0;
    int ticket = 0;
    int copias = 1;
    bool mostrarDtos = true;
    int cajero = 0;
    QString nif, nombre, nombreComercial, direccion, localidad, provincia, pais, telefono;
    int cp = 0;
    // The printer of the document, by name.
    QString impresora;
    // Document parameters by name ("Impresora_Externa").
    QVariantMap parametros;
    // Where it goes: the printer above, the viewer, or a PDF file (target).
    OutputDevice device = OutputDevice::Printer;
    QString target;
};

class ZQVR_HOST_EXPORT ImpresionFactura {
public:
    using Factory = std::function<std::unique_ptr<ImpresionFactura>()>;
    virtual ~ImpresionFactura() = default;
    virtual void Imprimir(const InvoicePrintRequest& request) = 0;

    // The installed factory's printing object, nullptr when none is installed.
    static std::unique_ptr<ImpresionFactura> create();
    static void setFactory(Factory factory);
    static bool hasFactory();
};

// The copies a mask asks for: bits 0..5, a mask without any gives copy 1.
ZQVR_HOST_EXPORT QList<int> copiasDeMascara(int mascara);

} // namespace zqvr::host
