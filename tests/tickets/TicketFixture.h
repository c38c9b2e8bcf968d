#pragma once
// A small set of tickets that share numbers across tills and dates, so that
// a statement missing part of the key would mix their lines.
//
// Warehouse 1, company 1:
//   till 1, 05/12/2026, cashier 7: ticket 1 (09:00, customer 5), ticket 2 (10:30, customer 99 - gone)
//   till 2, 05/12/2026, cashier 7: ticket 1 (09:15)
//   till 1, 04/12/2026, cashier 7: ticket 1 (11:00)
//   till 1, 05/12/2026, cashier 8: ticket 3 (12:00)
// Every ticket 1 has different lines; ticket 1 of till 1 on the 5th sells
// article 100 on two lines, a kit on line 3 and a promotion on line 2.
#include "support/TestDatabase.h"

#include <QDate>

namespace zqvr::test {

inline const QDate kDay5(2026, 12, 5);
inline const QDate kDay4(2026, 12, 4);

inline void fillTicketFixture(TestDatabase& db)
{
    db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Tienda Centro')");
    db.exec("INSERT INTO SGD_Usuarios (Codigo, Nombre) VALUES (7, 'Ana López'), (8, 'Luis Pérez')");
    db.exec("INSERT INTO Clientes (Cod_Empresa, Codigo, Nombre) VALUES (1, 5, 'Bazar O''Donnell')");
    db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion) VALUES"
            " (1, 100, 'Café molido 250 g'), (1, 101, 'Leche entera 1 L'), (1, 102, 'Pack desayuno'),"
            " (1, 103, 'Pan de millo'), (1, 104, 'Zumo de naranja')");
    // Tax type 2: 5% until June 2012, 7% after; type 3 only valid in 2020.
    db.exec("INSERT INTO Igic_Tipos (Cod_Empresa, Tipo, FechaI, FechaF, Imp_Valor) VALUES"
            " (1, 2, '2000-01-01', '2012-06-30', 5), (1, 2, '2012-07-01', '9999-12-31', 7),"
            " (1, 3, '2020-01-01', '2020-12-31', 9.5)");
    db.exec("INSERT INTO TPV_Tickets (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Hora, Cajero, Cliente,"
            " Total, Efectivo, Tarjeta, Cheque, Vales, Credito, Cambio) VALUES"
            " (1, 1, 1, '2026-12-05', 1, '2026-12-05 09:00:00', 7, 5, 12.5, 20, 0, 0, 0, 0, 7.5),"
            " (1, 1, 1, '2026-12-05', 2, '2026-12-05 10:30:00', 7, 99, 3, 0, 3, 0, 0, 0, 0),"
            " (1, 1, 2, '2026-12-05', 1, '2026-12-05 09:15:00', 7, 0, 4, 4, 0, 0, 0, 0, 0),"
            " (1, 1, 1, '2026-12-04', 1, '2026-12-04 11:00:00', 7, 0, 5, 5, 0, 0, 0, 0, 0),"
            " (1, 1, 1, '2026-12-05', 3, '2026-12-05 12:00:00', 8, 0, 1.2, 1.2, 0, 0, 0, 0, 0)");
    db.exec("INSERT INTO TPV_Tickets_Lineas (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea, Cod_Articulo,"
            " PVP, Cantidad, Dto, PM, Promocion, PA, TipoImpuesto) VALUES"
            " (1, 1, 1, '2026-12-05', 1, 1, 100, 3.5, 2, 0, 1, 0, 0, 2),"
            " (1, 1, 1, '2026-12-05', 1, 2, 100, 2.975, 1, 0, 0, 1, 1, 3),"
            " (1, 1, 1, '2026-12-05', 1, 3, 102, 6.95, 1, 10, 0, 0, 0, 2),"
            " (1, 1, 1, '2026-12-05', 2, 1, 104, 3, 1, 0, 0, 0, 0, 2),"
            " (1, 1, 2, '2026-12-05', 1, 1, 101, 1.2, 2, 0, 0, 0, 0, 2),"
            " (1, 1, 1, '2026-12-04', 1, 1, 103, 0.5, 10, 0, 0, 0, 0, 2),"
            " (1, 1, 1, '2026-12-05', 3, 1, 101, 1.2, 1, 0, 0, 0, 0, 2)");
    db.exec("INSERT INTO TPV_Tickets_Lineas_Promocion (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea,"
            " Tipo_Promocion) VALUES (1, 1, 1, '2026-12-05', 1, 2, 4),"
            // The same line key on the other till: must never leak into till 1.
            " (1, 1, 2, '2026-12-05', 1, 1, 12)");
    db.exec("INSERT INTO TPV_Tickets_KitComposicion (Cod_Empresa, Cod_almacen, Caja, Fecha, Codigo, Num_Linea,"
            " Cod_Articulo, Cantidad) VALUES (1, 1, 1, '2026-12-05', 1, 3, 103, 1), (1, 1, 1, '2026-12-05', 1, 3, 101, 2),"
            " (1, 1, 1, '2026-12-04', 1, 1, 100, 1)");
    db.exec("INSERT INTO Tarjetas (Codigo, Nombre) VALUES (1, 'VISA')");
    db.exec("INSERT INTO Tpv_Tickets_Tarjeta (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Tipo, Importe)"
            " VALUES (1, 1, 1, '2026-12-05', 2, 1, 3)");
}

} // namespace zqvr::test
