#pragma once
// Reservations of two companies that share numbers and agent codes, so that
// a statement missing the company would mix them.
//
// Company 1 (IGIC: tax type 2 is 7%, type 3 is 3%):
//   101 open, customer 5 (Bazar O'Donnell), made 10/11/2026, changed 30/11/2026 23:30,
//       agent 3, last discount 10 %; lines: 2 x 10,00 less 10 % (type 2), 1 x 5,00
//       already sold, 1 x 20,00 of article 999 (deleted since); payments 30,00 cash and
//       10,00 card, the sale of the sold line (5,35), an exchange voucher of 0,00
//   102 closed, no customer, made 15/11/2026; 1 x 8,00 sold
//   103 cancelled, customer 6 (intra-community), made 20/11/2026, changed
//       01/12/2026 08:00; 1 x 12,00 (type 3); 15,00 card and its refund
//   104 open, customer "50% _Descuento O'Neil", made 12/11/2026
//   105 open, customer "500 Descuentos", made 12/11/2026
// Company 2: 101 open, customer "Otra Empresa", agent 3 of company 2.
#include "support/TestDatabase.h"

namespace zqvr::test {

inline void fillReservationFixture(TestDatabase& db)
{
    db.exec("INSERT INTO Empresas (Codigo, Nombre_1, Nif) VALUES (1, 'Supermercados Atlántico, S.L.', 'B35123456'),"
            " (2, 'Cafeterías La Meseta, S.A.', 'A28765432')");
    db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre, Regimen_Impuesto) VALUES (1, 1, 'Triana', 0),"
            " (1, 2, 'Telde', 0), (2, 1, 'Gran Vía', 1)");
    db.exec("INSERT INTO SGD_Usuarios (Codigo, Nombre) VALUES (7, 'Ana López'), (8, 'Luis Pérez')");
    db.exec("INSERT INTO Clientes (Cod_Empresa, Codigo, Nombre, IntraCom) VALUES (1, 5, 'Bazar O''Donnell', 0),"
            " (1, 6, 'Loja do Porto, Lda.', 1)");
    db.exec("INSERT INTO Agentes (Cod_Empresa, Codigo, Nombre) VALUES (1, 3, 'Rosa Déniz'), (2, 3, 'Pedro Otro')");
    db.exec("INSERT INTO Articulos (Cod_Empresa, Codigo, Descripcion, Desc_Ticket, CualidadX, CualidadY) VALUES"
            " (1, 100, 'Camiseta algodón', 'CAMISETA', 1, 2), (1, 101, 'Toalla de playa', 'TOALLA', 0, 0),"
            " (1, 102, 'Pantalón corto', 'PANTALON', 0, 0), (2, 100, 'Café solo', 'CAFE', 0, 0)");
    db.exec("INSERT INTO Cualidades_Des (Cod_Empresa, Cod_Cualidad, Codigo, Nombre) VALUES (1, 1, 3, 'L'),"
            " (1, 2, 4, 'Rojo')");
    db.exec("INSERT INTO Igic_Tipos (Cod_Empresa, Tipo, FechaI, FechaF, Imp_Valor) VALUES"
            " (1, 2, '2000-01-01', '2012-06-30', 5), (1, 2, '2012-07-01', '9999-12-31', 7),"
            " (1, 3, '2000-01-01', '9999-12-31', 3)");
    db.exec("INSERT INTO Impuestos2_Tipos (Cod_Empresa, Tipo, FechaI, FechaF, Imp_Valor) VALUES"
            " (1, 2, '2000-01-01', '9999-12-31', 21), (1, 3, '2000-01-01', '9999-12-31', 10)");
    db.exec("INSERT INTO Reservas (Cod_Empresa, Codigo, Cod_Almacen, Fecha, Fecha_Ult_Modificacion, Fecha_Vencimiento,"
            " Cod_Cliente, Nomb_Cliente, Telefono, Nif, Domicilio, Paquete, Observaciones, Agente, Cajero,"
            " Ult_Dto_Aplicado, Pendiente, Anulado, Total_Entregado, Total_Ventas) VALUES"
            " (1, 101, 1, '2026-11-10', '2026-11-30 23:30:00', '2027-01-09', 5, 'Bazar O''Donnell', '928 36 12 40',"
            "  'B35999999', 'C/ Perojo, 4', 'PQ-000101', 'Recoge su hija', 3, 7, 10, 1, 0, 40, 5.35),"
            " (1, 102, 2, '2026-11-15', '2026-11-15 10:00:00', '2026-12-15', 0, 'Cliente de paso', '', '', '', '', '',"
            "  0, 8, 0, 0, 0, 8, 8),"
            " (1, 103, 1, '2026-11-20', '2026-12-01 08:00:00', '2026-12-20', 6, 'Loja do Porto, Lda.', '', '', '', '',"
            "  '', 0, 7, 0, 0, 1, 0, 0),"
            " (1, 104, 1, '2026-11-12', '2026-11-12 09:00:00', '2026-12-12', 0, '50% _Descuento O''Neil', '', '', '',"
            "  '', '', 0, 7, 0, 1, 0, 0, 0),"
            " (1, 105, 1, '2026-11-12', '2026-11-12 09:30:00', '2026-12-12', 0, '500 Descuentos', '', '', '', '', '',"
            "  0, 7, 0, 1, 0, 0, 0),"
            " (2, 101, 1, '2026-11-10', '2026-11-10 12:00:00', '2026-12-10', 0, 'Otra Empresa', '', '', '', '', '', 3,"
            "  8, 0, 1, 0, 0, 0)");
    db.exec("INSERT INTO Reservas_Lineas (Cod_Empresa, Codigo, Num_Linea, Cod_Articulo, CualidadX, CualidadY, Unidades,"
            " Pvp, TipoImpuesto, Agente, Dto, Vendida) VALUES"
            " (1, 101, 1, 100, 3, 4, 2, 10, 2, 3, 10, 0), (1, 101, 2, 101, 0, 0, 1, 5, 2, 3, 0, 1),"
            " (1, 101, 3, 999, 0, 0, 1, 20, 2, 3, 0, 0),"
            " (1, 102, 1, 102, 0, 0, 1, 8, 2, 0, 0, 1),"
            " (1, 103, 1, 102, 0, 0, 1, 12, 3, 0, 0, 0),"
            " (2, 101, 1, 100, 0, 0, 3, 1.5, 2, 3, 0, 0)");
    db.exec("INSERT INTO Reservas_Historico (Cod_Empresa, Codigo, Num_Entrega, Fecha, Tipo_Pago, Cantidad, Cod_Almacen,"
            " Venta, Anulacion, Cambio) VALUES"
            " (1, 101, 1, '2026-11-10 10:00:00', 0, 30, 1, 0, 0, 0),"
            " (1, 101, 2, '2026-11-20 11:00:00', 1, 10, 1, 0, 0, 0),"
            " (1, 101, 3, '2026-11-25 12:00:00', 4, 5.35, 1, 1, 0, 0),"
            " (1, 101, 4, '2026-11-30 23:30:00', 2, 0, 1, 0, 0, 1),"
            " (1, 102, 1, '2026-11-15 10:00:00', 0, 8, 2, 0, 0, 0),"
            " (1, 102, 2, '2026-11-15 10:00:00', 4, 8, 2, 1, 0, 0),"
            " (1, 103, 1, '2026-11-20 09:00:00', 1, 15, 1, 0, 0, 0),"
            " (1, 103, 2, '2026-12-01 08:00:00', 1, -15, 1, 0, 1, 0),"
            " (2, 101, 1, '2026-11-10 12:00:00', 0, 99, 1, 0, 0, 0)");
}

} // namespace zqvr::test
