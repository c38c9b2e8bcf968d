#pragma once
// A central database and a till's own database (two files), both holding the
// ticket fixture, with the customers, till login and series that invoicing
// needs, and a till connector that can be made to fail.
#include "TicketFixture.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "host/InvoiceServices.h"
#include "host/TillConnector.h"
#include "support/FailingTrigger.h"
#include "support/TestDatabase.h"
#include "tickets/FacturaTicketStore.h"

#include <functional>

namespace zqvr::test {

// The till of the tests: a database of its own (a file, or a schema on the
// test server), reachable or not, whose invoice table can refuse rows.
class TestTill : public host::TillConnector {
public:
    explicit TestTill(TestDatabase& till) : m_till(till) {}
    std::unique_ptr<db::Connection> open(const host::TillLogin& login) override
    {
        last = login;
        ++opened;
        if (beforeOpen) {
            auto f = std::move(beforeOpen);
            beforeOpen = nullptr;
            f();
        }
        if (unreachable)
            throw Error(errc::ConnectionFailed, QStringLiteral("No se puede conectar con la caja."));
        // The refusal holds for this opening only (whichever TestTill made it).
        dropFailingTrigger(m_till, QStringLiteral("till_down"), QStringLiteral("TPV_Tickets_Factura"));
        if (failInvoiceInsert)
            failingTrigger(m_till, QStringLiteral("till_down"), QStringLiteral("BEFORE INSERT"),
                           QStringLiteral("TPV_Tickets_Factura"), QStringLiteral("caja caída"));
        return db::Connection::open(m_till.connectionString());
    }
    host::TillLogin last;
    int opened = 0;
    bool unreachable = false;
    bool failInvoiceInsert = false;
    std::function<void()> beforeOpen; // runs once, at the next open
private:
    TestDatabase& m_till;
};

inline void fillInvoiceCustomers(TestDatabase& db)
{
    // 6: billing overrides (the postal code's only when Cp is set); 8: none; 9: blocked.
    db.exec("INSERT INTO Clientes (Cod_Empresa, Codigo, Nombre, Nombre_Comercial, Nif, Direccion, Cp, Localidad,"
            " Provincia, Pais, F_Nif, F_Razon, F_Direccion, F_Cp, F_Localidad, F_Provincia, F_Pais, Bloqueado) VALUES"
            " (1, 6, 'Ferretería Díaz', 'Ferre Díaz', '42111222A', 'C/ Mayor, 3', 35001, 'Las Palmas', 'Las Palmas', 'España',"
            "  'B35999888', 'Suministros Díaz, S.L.', 'Polígono El Goro, nave 7', 35219, 'Telde', 'Las Palmas de G.C.', 'España', 0),"
            " (1, 8, 'Lucía Pérez', '', '43000111B', 'Avda. Marítima 10', 0, 'Arucas', 'Las Palmas', 'España',"
            "  '', '', '', 38001, '', '', '', 0),"
            " (1, 9, 'Moroso, S.A.', '', 'A35000000', 'C/ Sin Salida 1', 35010, 'Telde', 'Las Palmas', 'España',"
            "  '', '', '', 0, '', '', '', 1)");
    db.exec("INSERT INTO Clientes_Telefonos (Cod_Empresa, Cod_Cliente, Codigo, Numero) VALUES"
            " (1, 6, 1, '600 111 222'), (1, 6, 0, '928 000 111'), (1, 8, 2, '611 000 000')");
}

// Central database with the till's row (till 1 = TPV01, online), series 374 and
// line costs; the till file with the same tickets.
struct InvoiceWorld {
    TestDatabase central{TestDatabase::File};
    TestDatabase tillDb{TestDatabase::File};
    TestTill till{tillDb};
    host::ContadorFacturas numerador;
    host::EstadisticasClientesTabla estadisticas;
    host::CifradoTpv cifrado;

    InvoiceWorld()
    {
        fillTicketFixture(central);
        fillInvoiceCustomers(central);
        central.exec("UPDATE TPV_Tickets_Lineas SET Costo = 1.25");
        const QString key = QString::fromLatin1(host::kTillLoginKey);
        central.exec(QStringLiteral("INSERT INTO TPVs (Codigo, Host, EnLinea, Almacen, Empresa, SQLUser, SQLPassword, SQLPort)"
                                    " VALUES (1, 'TPV01', 1, 1, 1, '%1', '%2', '14330'), (2, 'TPV02', 0, 1, 1, '', '', '')")
                         .arg(host::CifradoTpv::Cifrar(QStringLiteral("caja"), key),
                              host::CifradoTpv::Cifrar(QStringLiteral("s3cr;t}"), key)));
        central.exec("INSERT INTO Tpv_Parametros (Cod_Empresa, Cod_Almacen, Codigo, Valor) VALUES (1, 1, 374, '7')");
        fillTicketFixture(tillDb);
        numerador.setHoy(QDate(2027, 1, 15));
    }

    tickets::InvoiceHost host() { return {&numerador, &estadisticas, &till, &cifrado}; }
    tickets::FacturaTicketStore store() { return tickets::FacturaTicketStore(central.conn(), central.empresa()); }

    // Ticket 1 of till 1 on the 5th (customer 5), invoiced to customer 6.
    static tickets::InvoiceRequest request()
    {
        tickets::InvoiceRequest r;
        r.key = {1, 1, 1, kDay5, 1};
        r.cliente = 6;
        r.fiscal.nif = QStringLiteral("B35999888");
        r.fiscal.nombre = QStringLiteral("Suministros O'Donnell, S.L.");
        r.fiscal.nombreComercial = QStringLiteral("Ferre Díaz");
        r.fiscal.direccion = QStringLiteral("Polígono El Goro, nave 7");
        r.fiscal.cp = 35219;
        r.fiscal.localidad = QStringLiteral("Telde");
        r.fiscal.provincia = QStringLiteral("Las Palmas");
        r.fiscal.pais = QStringLiteral("España");
        r.fiscal.telefono = QStringLiteral("928 000 111");
        r.serie = 7;
        r.facturaAlmacen = 3;
        r.hoy = QDate(2027, 1, 15);
        return r;
    }

    int counter() { return central.conn().scalar("SELECT Ultimo FROM Facturas_Contador WHERE Cod_Empresa = 1 AND Serie = 7 AND Ejercicio = 2027").toInt(); }
    int centralInvoices() { return central.count("TPV_Tickets_Factura"); }
    int tillInvoices() { return tillDb.count("TPV_Tickets_Factura"); }
    int centralNumber() { return central.conn().scalar("SELECT Factura_Codigo FROM TPV_Tickets_Factura").toInt(); }
    int tillNumber() { return tillDb.conn().scalar("SELECT Factura_Codigo FROM TPV_Tickets_Factura").toInt(); }
};

} // namespace zqvr::test
