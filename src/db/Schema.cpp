#include "db/Schema.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SchemaDescription.h"
#include "db/SchemaSteps.h"

#include <QSet>

namespace zqvr::db {

namespace {

// ---------------------------------------------------------------------------
// Version 1: the suite's master tables the component reads and the
// point-of-sale tables it reads and writes.
//
// Types are SQLite's: INTEGER for codes, counts and flags (0/1), REAL for
// amounts and quantities, TEXT for texts, for dates ('yyyy-MM-dd') and for
// date-times ('yyyy-MM-dd HH:mm:ss'), BLOB for pictures. The engine-neutral
// types, lengths included, are in SchemaDescription.cpp, which writes the
// server's statements; a test holds the end of these steps to it, so a step
// appended here comes with the same change there.
//
// Key columns are NOT NULL; the other columns accept NULL (the screens read
// them through ISNULL or NULL-safe conversions, and older rows of the suite
// hold NULLs) and default to 0 or ''.
//
// Two groups of tables have plain (non-unique) indexes where a key would be
// expected: the touch-screen groups and keys, whose positions and group
// numbers are shifted by one UPDATE each when the user reorders them (SQLite
// checks uniqueness row by row during an UPDATE, so a shift would collide
// half-way), and the deletion records of messages, since a message number can
// be given again after the highest one was deleted.
// ---------------------------------------------------------------------------
const QStringList kVersion1 = {
    // ---- companies, warehouses, terminals ----
    QStringLiteral(R"(CREATE TABLE Empresas (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre_1 TEXT DEFAULT '',
        Nombre_2 TEXT DEFAULT '',
        Nif TEXT DEFAULT '',
        Direccion TEXT DEFAULT '',
        Cp INTEGER DEFAULT 0,
        Localidad TEXT DEFAULT '',
        Provincia TEXT DEFAULT '',
        Telefono TEXT DEFAULT ''))"),
    // Regimen_Impuesto: 0 IGIC (Canary Islands, Igic_Tipos), 1 the second
    // tax system (Impuestos2_Tipos).
    QStringLiteral(R"(CREATE TABLE Almacenes (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Nombre TEXT DEFAULT '',
        Direccion TEXT DEFAULT '',
        Localidad TEXT DEFAULT '',
        Telefono TEXT DEFAULT '',
        Regimen_Impuesto INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    // One row per sales terminal, shared by all companies. PostoServerOk,
    // Version and Serial are written by the terminals themselves.
    QStringLiteral(R"(CREATE TABLE TPVs (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Host TEXT DEFAULT '',
        Descripcion TEXT DEFAULT '',
        Empresa INTEGER DEFAULT 0,
        TarifaPVP INTEGER DEFAULT 0,
        TarifaProm INTEGER DEFAULT 0,
        EnLinea INTEGER DEFAULT 0,
        Almacen INTEGER DEFAULT 0,
        Emergencia INTEGER DEFAULT 0,
        SQLUser TEXT DEFAULT '',
        SQLPassword TEXT DEFAULT '',
        SQLPort TEXT DEFAULT '',
        PostoServerOk INTEGER DEFAULT 0,
        Version TEXT DEFAULT '',
        Serial TEXT DEFAULT ''))"),
    QStringLiteral("CREATE INDEX IX_TPVs_Empresa ON TPVs (Empresa, Almacen)"),
    QStringLiteral("CREATE INDEX IX_TPVs_Host ON TPVs (Host)"),
    // Ticket counter of a till; it lives in the till's own database, and the
    // embedded file carries one too so that a till file has the same schema.
    QStringLiteral(R"(CREATE TABLE TPV_Contador_Ticket_Caja (
        Fecha TEXT NOT NULL PRIMARY KEY,
        Codigo INTEGER DEFAULT 0))"),

    // ---- price lists, discounts, taxes, cards ----
    QStringLiteral(R"(CREATE TABLE Tarifas (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    QStringLiteral(R"(CREATE TABLE Grupos_Descuento (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        Dto REAL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    // Tax rates by validity period: FechaI..FechaF, Imp_Valor in percent.
    QStringLiteral(R"(CREATE TABLE Igic_Tipos (
        Cod_Empresa INTEGER NOT NULL,
        Tipo INTEGER NOT NULL,
        FechaI TEXT NOT NULL,
        FechaF TEXT DEFAULT '9999-12-31',
        Imp_Valor REAL DEFAULT 0,
        Descripcion TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Tipo, FechaI)))"),
    QStringLiteral(R"(CREATE TABLE Impuestos2_Tipos (
        Cod_Empresa INTEGER NOT NULL,
        Tipo INTEGER NOT NULL,
        FechaI TEXT NOT NULL,
        FechaF TEXT DEFAULT '9999-12-31',
        Imp_Valor REAL DEFAULT 0,
        Descripcion TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Tipo, FechaI)))"),
    QStringLiteral(R"(CREATE TABLE Tarjetas (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT DEFAULT ''))"),

    // ---- articles ----
    QStringLiteral(R"(CREATE TABLE Articulos (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        Desc_Ticket TEXT DEFAULT '',
        PVP REAL DEFAULT 0,
        Costo REAL DEFAULT 0,
        TipoImpuesto INTEGER DEFAULT 0,
        CualidadX INTEGER DEFAULT 0,
        CualidadY INTEGER DEFAULT 0,
        EsKit INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    // The picture of an article record. It is kept apart from Articulos
    // because the touch-screen statements join Articulos with the key table
    // and read the key's Imagen without a table prefix.
    QStringLiteral(R"(CREATE TABLE Articulos_Imagenes (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Articulo INTEGER NOT NULL,
        Imagen BLOB,
        PRIMARY KEY (Cod_Empresa, Cod_Articulo)))"),
    // Names of the values of an article's quality dimensions (size, colour...).
    QStringLiteral(R"(CREATE TABLE Cualidades_Des (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Cualidad INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Nombre TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_Cualidad, Codigo)))"),
    QStringLiteral(R"(CREATE TABLE Modelos_Etiq_Art (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT DEFAULT ''))"),
    // Sales of an article per warehouse and day (the monitor's comparisons).
    QStringLiteral(R"(CREATE TABLE Articulos_Ventas_Dia (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Cod_Articulo INTEGER NOT NULL,
        Unidades REAL DEFAULT 0,
        Importe_Pvp REAL DEFAULT 0,
        Importe_Costo REAL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Fecha, Cod_Articulo)))"),
    QStringLiteral("CREATE INDEX IX_Articulos_Ventas_Dia_Fecha ON Articulos_Ventas_Dia (Cod_Empresa, Fecha)"),
    // Article changes queued for the terminals: bit b of Act<k> (Act for
    // k = 0) is set once terminal 31*k + b + 1 has taken the row.
    QStringLiteral(R"(CREATE TABLE Articulos_ToPos (
        Id INTEGER PRIMARY KEY AUTOINCREMENT,
        Cod_Empresa INTEGER DEFAULT 0,
        Cod_Articulo INTEGER DEFAULT 0,
        Fecha TEXT DEFAULT '',
        Act INTEGER DEFAULT 0, Act1 INTEGER DEFAULT 0, Act2 INTEGER DEFAULT 0,
        Act3 INTEGER DEFAULT 0, Act4 INTEGER DEFAULT 0, Act5 INTEGER DEFAULT 0,
        Act6 INTEGER DEFAULT 0, Act7 INTEGER DEFAULT 0, Act8 INTEGER DEFAULT 0,
        Act9 INTEGER DEFAULT 0, Act10 INTEGER DEFAULT 0))"),
    QStringLiteral(R"(CREATE TABLE Articulos_TRegalo (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Articulo INTEGER NOT NULL,
        PRIMARY KEY (Cod_Empresa, Cod_Articulo)))"),

    // ---- customers and agents ----
    // F_*: billing data that overrides the ordinary one on invoices.
    QStringLiteral(R"(CREATE TABLE Clientes (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Nombre TEXT DEFAULT '',
        Nombre_Comercial TEXT DEFAULT '',
        Nif TEXT DEFAULT '',
        Direccion TEXT DEFAULT '',
        Cp INTEGER DEFAULT 0,
        Localidad TEXT DEFAULT '',
        Provincia TEXT DEFAULT '',
        Pais TEXT DEFAULT '',
        F_Nif TEXT DEFAULT '',
        F_Razon TEXT DEFAULT '',
        F_Direccion TEXT DEFAULT '',
        F_Cp INTEGER DEFAULT 0,
        F_Localidad TEXT DEFAULT '',
        F_Provincia TEXT DEFAULT '',
        F_Pais TEXT DEFAULT '',
        Bloqueado INTEGER DEFAULT 0,
        IntraCom INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    QStringLiteral("CREATE INDEX IX_Clientes_Nombre ON Clientes (Cod_Empresa, Nombre)"),
    // Codigo 0 is the customer's main telephone.
    QStringLiteral(R"(CREATE TABLE Clientes_Telefonos (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Cliente INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Numero TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_Cliente, Codigo)))"),
    // Sales statistics per customer, kept by the host's statistics object
    // (an invoice that moves a ticket to another customer moves its lines here).
    QStringLiteral(R"(CREATE TABLE Clientes_Estadisticas (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Cliente INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Cod_Articulo INTEGER NOT NULL,
        Unidades REAL DEFAULT 0,
        Importe REAL DEFAULT 0,
        Costo REAL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Cliente, Fecha, Cod_Articulo)))"),
    // Sales agents; the screens join them by Codigo alone, so codes are
    // expected to be unique across companies.
    QStringLiteral(R"(CREATE TABLE Agentes (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Nombre TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    QStringLiteral("CREATE INDEX IX_Agentes_Codigo ON Agentes (Codigo)"),
    // Last invoice number handed out per company, series and year (the
    // host's invoice numbering object).
    QStringLiteral(R"(CREATE TABLE Facturas_Contador (
        Cod_Empresa INTEGER NOT NULL,
        Serie INTEGER NOT NULL,
        Ejercicio INTEGER NOT NULL,
        Ultimo INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Serie, Ejercicio)))"),

    // ---- users, groups, rights and access levels ----
    QStringLiteral(R"(CREATE TABLE SGD_Usuarios (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT DEFAULT ''))"),
    QStringLiteral(R"(CREATE TABLE SGD_Grupos (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT DEFAULT ''))"),
    QStringLiteral(R"(CREATE TABLE SGD_Usuarios_Grupos (
        CodUsuario INTEGER NOT NULL,
        CodGrupo INTEGER NOT NULL,
        PRIMARY KEY (CodUsuario, CodGrupo)))"),
    QStringLiteral(R"(CREATE TABLE SGD_Usuarios_Derechos (
        Cod_Usuario INTEGER NOT NULL,
        Derecho INTEGER NOT NULL,
        PRIMARY KEY (Cod_Usuario, Derecho)))"),
    // The warehouses a user may work in.
    QStringLiteral(R"(CREATE TABLE SGD_Usuarios_Almacenes (
        CodUsuario INTEGER NOT NULL,
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        PRIMARY KEY (CodUsuario, Cod_Empresa, Cod_Almacen)))"),
    QStringLiteral(R"(CREATE TABLE SGD_Formularios (
        Cod_Formulario INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT DEFAULT ''))"),
    QStringLiteral("CREATE INDEX IX_SGD_Formularios_Nombre ON SGD_Formularios (Nombre)"),
    // Indice: index within a control array, '' for single controls;
    // TabIndex -1 marks a control no longer on its window.
    QStringLiteral(R"(CREATE TABLE SGD_Controles (
        Cod_Formulario INTEGER NOT NULL,
        Cod_Control INTEGER NOT NULL,
        Nombre TEXT DEFAULT '',
        Indice TEXT DEFAULT '',
        TabIndex INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Formulario, Cod_Control)))"),
    QStringLiteral("CREATE INDEX IX_SGD_Controles_Nombre ON SGD_Controles (Cod_Formulario, Nombre, Indice)"),
    // Cod_Grupo 0 grants to every user; Permiso 0 visible, 1 locked, 2 disabled.
    QStringLiteral(R"(CREATE TABLE SGD_Controles_Grupos (
        Cod_Grupo INTEGER NOT NULL,
        Cod_Formulario INTEGER NOT NULL,
        Cod_Control INTEGER NOT NULL,
        Permiso INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Grupo, Cod_Formulario, Cod_Control)))"),
    QStringLiteral("CREATE INDEX IX_SGD_Controles_Grupos_Control ON SGD_Controles_Grupos (Cod_Formulario, Cod_Control)"),

    // ---- tickets ----
    // Fecha is the business date; Hora the date and time of the sale.
    QStringLiteral(R"(CREATE TABLE TPV_Tickets (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Hora TEXT,
        Cajero INTEGER DEFAULT 0,
        Cliente INTEGER DEFAULT 0,
        Agente INTEGER DEFAULT 0,
        Total REAL DEFAULT 0,
        Efectivo REAL DEFAULT 0,
        Tarjeta REAL DEFAULT 0,
        Cheque REAL DEFAULT 0,
        Vales REAL DEFAULT 0,
        Credito REAL DEFAULT 0,
        Cambio REAL DEFAULT 0,
        Dto REAL DEFAULT 0,
        Enviado INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo)))"),
    QStringLiteral("CREATE INDEX IX_TPV_Tickets_Fecha ON TPV_Tickets (Cod_Empresa, Cod_Almacen, Fecha)"),
    QStringLiteral(R"(CREATE TABLE TPV_Tickets_Lineas (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Num_Linea INTEGER NOT NULL,
        Cod_Articulo INTEGER DEFAULT 0,
        PVP REAL DEFAULT 0,
        Cantidad REAL DEFAULT 0,
        Dto REAL DEFAULT 0,
        Costo REAL DEFAULT 0,
        PM INTEGER DEFAULT 0,
        Promocion INTEGER DEFAULT 0,
        PA INTEGER DEFAULT 0,
        TipoImpuesto INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea)))"),
    QStringLiteral("CREATE INDEX IX_TPV_Tickets_Lineas_Articulo ON TPV_Tickets_Lineas (Cod_Articulo, Cod_Empresa, Cod_Almacen, Fecha)"),
    QStringLiteral(R"(CREATE TABLE TPV_Tickets_Lineas_Promocion (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Num_Linea INTEGER NOT NULL,
        Tipo_Promocion INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea)))"),
    // Card payments of a ticket, one row per card used; Tipo is a Tarjetas code.
    QStringLiteral(R"(CREATE TABLE Tpv_Tickets_Tarjeta (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Linea INTEGER NOT NULL DEFAULT 1,
        Tipo INTEGER DEFAULT 0,
        Importe REAL DEFAULT 0,
        Numero TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Linea)))"),
    // Components sold inside the kit lines of tickets.
    QStringLiteral(R"(CREATE TABLE TPV_Tickets_KitComposicion (
        Cod_Empresa INTEGER NOT NULL,
        Cod_almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Num_Linea INTEGER NOT NULL,
        Cod_Articulo INTEGER NOT NULL,
        Cantidad REAL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_almacen, Caja, Fecha, Codigo, Num_Linea, Cod_Articulo)))"),
    // Invoices made from tickets. Enviado is used by the till's own copy
    // (1 = already known to the central database).
    QStringLiteral(R"(CREATE TABLE TPV_Tickets_Factura (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Cliente INTEGER DEFAULT 0,
        Factura_Serie INTEGER DEFAULT 0,
        Factura_Codigo INTEGER DEFAULT 0,
        Nif TEXT DEFAULT '',
        Nombre TEXT DEFAULT '',
        Nombre_Comercial TEXT DEFAULT '',
        Direccion TEXT DEFAULT '',
        CP INTEGER DEFAULT 0,
        Localidad TEXT DEFAULT '',
        Provincia TEXT DEFAULT '',
        Pais TEXT DEFAULT '',
        Telefono TEXT DEFAULT '',
        Factura_Fecha TEXT,
        Factura_Almacen INTEGER DEFAULT 0,
        Enviado INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo)))"),
    QStringLiteral("CREATE INDEX IX_TPV_Tickets_Factura_Numero ON TPV_Tickets_Factura (Cod_Empresa, Factura_Serie, Factura_Codigo)"),

    // ---- reservations ----
    // Fecha is the day the reservation was made; Fecha_Ult_Modificacion
    // carries the time of the last change.
    QStringLiteral(R"(CREATE TABLE Reservas (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Cod_Almacen INTEGER DEFAULT 0,
        Caja INTEGER DEFAULT 0,
        Fecha TEXT,
        Fecha_Ult_Modificacion TEXT,
        Fecha_Vencimiento TEXT,
        Cod_Cliente INTEGER DEFAULT 0,
        Nomb_Cliente TEXT DEFAULT '',
        Telefono TEXT DEFAULT '',
        Nif TEXT DEFAULT '',
        Domicilio TEXT DEFAULT '',
        Paquete TEXT DEFAULT '',
        Observaciones TEXT DEFAULT '',
        Agente INTEGER DEFAULT 0,
        Cajero INTEGER DEFAULT 0,
        Ult_Dto_Aplicado REAL DEFAULT 0,
        Pendiente INTEGER DEFAULT 1,
        Anulado INTEGER DEFAULT 0,
        Total_Entregado REAL DEFAULT 0,
        Total_Ventas REAL DEFAULT 0,
        Total_Pendiente REAL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo)))"),
    QStringLiteral("CREATE INDEX IX_Reservas_Codigo ON Reservas (Codigo)"),
    QStringLiteral("CREATE INDEX IX_Reservas_Fecha ON Reservas (Fecha)"),
    QStringLiteral("CREATE INDEX IX_Reservas_Caja ON Reservas (Cod_Empresa, Cod_Almacen, Caja, Fecha)"),
    QStringLiteral(R"(CREATE TABLE Reservas_Lineas (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Num_Linea INTEGER NOT NULL,
        Cod_Articulo INTEGER DEFAULT 0,
        CualidadX INTEGER DEFAULT 0,
        CualidadY INTEGER DEFAULT 0,
        Unidades REAL DEFAULT 0,
        Pvp REAL DEFAULT 0,
        TipoImpuesto INTEGER DEFAULT 0,
        Serie TEXT DEFAULT '',
        Agente INTEGER DEFAULT 0,
        Dto REAL DEFAULT 0,
        Vendida INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo, Num_Linea)))"),
    // Payments (Venta = 0) and sales (Venta = 1) of a reservation;
    // Tipo_Pago 0 cash, 1 card, 2 voucher, 3 cheque, 4 sale.
    QStringLiteral(R"(CREATE TABLE Reservas_Historico (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Num_Entrega INTEGER NOT NULL,
        Fecha TEXT,
        Tipo_Pago INTEGER DEFAULT 0,
        Cantidad REAL DEFAULT 0,
        Cod_Almacen INTEGER DEFAULT 0,
        Caja INTEGER DEFAULT 0,
        Venta INTEGER DEFAULT 0,
        Anulacion INTEGER DEFAULT 0,
        Cambio INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo, Num_Entrega)))"),
    QStringLiteral("CREATE INDEX IX_Reservas_Historico_Caja ON Reservas_Historico (Cod_Empresa, Cod_Almacen, Caja, Fecha)"),

    // ---- terminal parameters ----
    // General scope, per company and warehouse. Codes 0-41 are operation keys
    // (Valor key code, Visible, Posicion, Color); 300-320 scale rows and
    // 435-440 link rows use Valor2.
    QStringLiteral(R"(CREATE TABLE Tpv_Parametros (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Valor TEXT DEFAULT '',
        Visible INTEGER DEFAULT 0,
        Posicion INTEGER DEFAULT 0,
        Color INTEGER DEFAULT 0,
        Valor2 TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo)))"),
    // Terminal scope: the same per terminal.
    QStringLiteral(R"(CREATE TABLE Tpv_Parametros_Ex (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Cod_Tpv INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Valor TEXT DEFAULT '',
        Visible INTEGER DEFAULT 0,
        Posicion INTEGER DEFAULT 0,
        Color INTEGER DEFAULT 0,
        Valor2 TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Tpv, Codigo)))"),

    // ---- touch-screen layouts, quick codes ----
    // Tipo 0 = 3 x 4, 1 = 9 x 4. Act..Act10: reload marks for the terminals.
    QStringLiteral(R"(CREATE TABLE TPV_CfgPantalla (
        Cod_Empresa INTEGER NOT NULL,
        Cod_CfgPantalla INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        Tipo INTEGER DEFAULT 0,
        Cod_GrupoDF INTEGER DEFAULT 0,
        Act INTEGER DEFAULT 0, Act2 INTEGER DEFAULT 0, Act3 INTEGER DEFAULT 0,
        Act4 INTEGER DEFAULT 0, Act5 INTEGER DEFAULT 0, Act6 INTEGER DEFAULT 0,
        Act7 INTEGER DEFAULT 0, Act8 INTEGER DEFAULT 0, Act9 INTEGER DEFAULT 0,
        Act10 INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_CfgPantalla)))"),
    // Group buttons: Cod_Grupo = button index + 1, Posicion the place on the
    // 9 x 4 grid (see the note above on why the index is not unique).
    QStringLiteral(R"(CREATE TABLE TPV_CfgPantalla_Grupos (
        Cod_Empresa INTEGER NOT NULL,
        Cod_CfgPantalla INTEGER NOT NULL,
        Cod_Grupo INTEGER NOT NULL,
        Posicion INTEGER DEFAULT 0,
        Descripcion TEXT DEFAULT '',
        TipoTexto INTEGER DEFAULT 0,
        ForeColor INTEGER DEFAULT 0,
        BackColor INTEGER DEFAULT 0,
        Imagen BLOB))"),
    QStringLiteral("CREATE INDEX IX_TPV_CfgPantalla_Grupos ON TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo)"),
    // Article keys of a group. Cod_Articulo -1 back key, -2 external link;
    // OrigenImagen 1 = the picture follows the article record.
    QStringLiteral(R"(CREATE TABLE TPV_CfgPantalla_Grupos_Lineas (
        Cod_Empresa INTEGER NOT NULL,
        Cod_CfgPantalla INTEGER NOT NULL,
        Cod_Grupo INTEGER NOT NULL,
        Posicion INTEGER NOT NULL,
        Cod_Articulo INTEGER DEFAULT 0,
        Unidades REAL DEFAULT 1,
        ForeColor INTEGER DEFAULT 0,
        BackColor INTEGER DEFAULT 0,
        TipoTexto INTEGER DEFAULT 0,
        Texto TEXT DEFAULT '',
        Imagen BLOB,
        OrigenImagen INTEGER DEFAULT 0,
        Pesado INTEGER DEFAULT 0,
        PathVinculo TEXT DEFAULT ''))"),
    QStringLiteral("CREATE INDEX IX_TPV_CfgPantalla_Grupos_Lineas ON TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion)"),
    QStringLiteral("CREATE INDEX IX_TPV_CfgPantalla_Grupos_Lineas_Articulo ON TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_Articulo)"),
    QStringLiteral(R"(CREATE TABLE TPV_CodigosRapido (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Cod_Rapido TEXT NOT NULL,
        Cod_Articulo INTEGER DEFAULT 0,
        Unidades REAL DEFAULT 1,
        Act INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Rapido)))"),
    QStringLiteral(R"(CREATE TABLE TPV_CodigosRapido_Baja (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Cod_Rapido TEXT NOT NULL,
        Act INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Rapido)))"),

    // ---- salons ----
    // Doc_Xml: the floor plan ("FlowGraph" document) with every ' stored as |.
    QStringLiteral(R"(CREATE TABLE TPV_Sln_Salones (
        Cod_Empresa INTEGER NOT NULL,
        Cod_CfgSalon INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        Doc_Xml TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_CfgSalon)))"),
    QStringLiteral(R"(CREATE TABLE TPV_Sln_Salones_Almacen (
        Cod_Empresa INTEGER NOT NULL,
        Cod_CfgSalon INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        PRIMARY KEY (Cod_Empresa, Cod_CfgSalon, Cod_Almacen)))"),
    // Element palette: group 1 holds drawn (XAML) elements, the others
    // picture elements (types 7-12, whose picture is also kept in Imagen).
    QStringLiteral(R"(CREATE TABLE TPV_Sln_GrpElementos (
        Cod_Grupo INTEGER NOT NULL PRIMARY KEY,
        Descripcion TEXT DEFAULT ''))"),
    QStringLiteral(R"(CREATE TABLE TPV_Sln_Elementos (
        Tipo INTEGER NOT NULL PRIMARY KEY,
        Descripcion TEXT DEFAULT '',
        Cod_Relacion INTEGER DEFAULT 0,
        Cod_Grupo INTEGER DEFAULT 0,
        Xaml TEXT DEFAULT '',
        Imagen BLOB))"),
    QStringLiteral("CREATE INDEX IX_TPV_Sln_Elementos_Grupo ON TPV_Sln_Elementos (Cod_Grupo, Tipo)"),

    // ---- terminal messages ----
    QStringLiteral(R"(CREATE TABLE TPV_Gestor_Mensajes (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Mensaje INTEGER NOT NULL,
        Origen INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        Linea1 TEXT DEFAULT '',
        Linea2 TEXT DEFAULT '',
        Color INTEGER DEFAULT 0,
        FechaInicial TEXT,
        FechaFinal TEXT,
        Cod_Mostrar INTEGER DEFAULT 0,
        ModoMostrar INTEGER DEFAULT 0,
        NumRepetir INTEGER DEFAULT 0,
        MostrarImagen INTEGER DEFAULT 0,
        Imagen BLOB,
        Usuario INTEGER DEFAULT 0,
        Horario1 INTEGER DEFAULT 0,
        Horario2 INTEGER DEFAULT 0,
        Hora1Ini TEXT DEFAULT '00:00',
        Hora1Fin TEXT DEFAULT '00:00',
        Hora2Ini TEXT DEFAULT '00:00',
        Hora2Fin TEXT DEFAULT '00:00',
        L INTEGER DEFAULT 0, M INTEGER DEFAULT 0, X INTEGER DEFAULT 0, J INTEGER DEFAULT 0,
        V INTEGER DEFAULT 0, S INTEGER DEFAULT 0, D INTEGER DEFAULT 0,
        IntervaloTickets INTEGER DEFAULT 0,
        IntervaloEuros INTEGER DEFAULT 0,
        IntervaloNumTickets INTEGER DEFAULT 0,
        IntervaloMinEuros REAL DEFAULT 0,
        Act INTEGER DEFAULT 0, Act2 INTEGER DEFAULT 0, Act3 INTEGER DEFAULT 0,
        Act4 INTEGER DEFAULT 0, Act5 INTEGER DEFAULT 0, Act6 INTEGER DEFAULT 0,
        Act7 INTEGER DEFAULT 0, Act8 INTEGER DEFAULT 0, Act9 INTEGER DEFAULT 0,
        Act10 INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Mensaje, Origen)))"),
    QStringLiteral(R"(CREATE TABLE TPV_Gestor_Mensajes_Almacen (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Mensaje INTEGER NOT NULL,
        Origen INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        PRIMARY KEY (Cod_Empresa, Cod_Mensaje, Origen, Cod_Almacen)))"),
    // One row per change: each field's new value under its name and the
    // previous one under the name with _Ant. Fecha is the moment of the change.
    QStringLiteral(R"(CREATE TABLE TPV_Gestor_Mensajes_Historico (
        Id INTEGER PRIMARY KEY AUTOINCREMENT,
        Cod_Empresa INTEGER NOT NULL,
        Cod_Mensaje INTEGER NOT NULL,
        Origen INTEGER NOT NULL,
        Usuario INTEGER DEFAULT 0,
        Fecha TEXT DEFAULT (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime')),
        Operacion TEXT DEFAULT '',
        Descripcion TEXT, Descripcion_Ant TEXT,
        Linea1 TEXT, Linea1_Ant TEXT,
        Linea2 TEXT, Linea2_Ant TEXT,
        Color INTEGER, Color_Ant INTEGER,
        FechaInicial TEXT, FechaInicial_Ant TEXT,
        FechaFinal TEXT, FechaFinal_Ant TEXT,
        NumRepetir INTEGER, NumRepetir_Ant INTEGER,
        MostrarImagen INTEGER, MostrarImagen_Ant INTEGER,
        Cod_Mostrar INTEGER, Cod_Mostrar_Ant INTEGER,
        ModoMostrar INTEGER, ModoMostrar_Ant INTEGER,
        Imagen BLOB, Imagen_Ant BLOB,
        Horario1 INTEGER, Horario1_Ant INTEGER,
        Horario2 INTEGER, Horario2_Ant INTEGER,
        Hora1Ini TEXT, Hora1Ini_Ant TEXT,
        Hora1Fin TEXT, Hora1Fin_Ant TEXT,
        Hora2Ini TEXT, Hora2Ini_Ant TEXT,
        Hora2Fin TEXT, Hora2Fin_Ant TEXT,
        L INTEGER, L_Ant INTEGER,
        M INTEGER, M_Ant INTEGER,
        X INTEGER, X_Ant INTEGER,
        J INTEGER, J_Ant INTEGER,
        V INTEGER, V_Ant INTEGER,
        S INTEGER, S_Ant INTEGER,
        D INTEGER, D_Ant INTEGER,
        IntervaloTickets INTEGER, IntervaloTickets_Ant INTEGER,
        IntervaloEuros INTEGER, IntervaloEuros_Ant INTEGER,
        IntervaloNumTickets INTEGER, IntervaloNumTickets_Ant INTEGER,
        IntervaloMinEuros REAL, IntervaloMinEuros_Ant REAL))"),
    QStringLiteral("CREATE INDEX IX_TPV_Gestor_Mensajes_Historico ON TPV_Gestor_Mensajes_Historico (Cod_Empresa, Cod_Mensaje, Origen, Fecha)"),
    // Deleted messages waiting to be withdrawn from the terminals (Act 0).
    QStringLiteral(R"(CREATE TABLE TPV_Gestor_Mensajes_Baja (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Mensaje INTEGER NOT NULL,
        Origen INTEGER NOT NULL,
        Act INTEGER DEFAULT 0))"),
    QStringLiteral("CREATE INDEX IX_TPV_Gestor_Mensajes_Baja ON TPV_Gestor_Mensajes_Baja (Cod_Empresa, Cod_Mensaje, Origen)"),

    // ---- parking ----
    // A purchase between the two amounts gives Minutos of free parking.
    QStringLiteral(R"(CREATE TABLE Parking_Gratis (
        Id INTEGER PRIMARY KEY AUTOINCREMENT,
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        ImporteInicial REAL DEFAULT 0,
        ImporteFinal REAL DEFAULT 0,
        Minutos INTEGER DEFAULT 0))"),
    QStringLiteral("CREATE INDEX IX_Parking_Gratis ON Parking_Gratis (Cod_Empresa, Cod_Almacen, ImporteInicial)"),
    // Price per minute for the minutes MinutoInicial..MinutoFinal.
    QStringLiteral(R"(CREATE TABLE Parking_Tarifa (
        Id INTEGER PRIMARY KEY AUTOINCREMENT,
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        MinutoInicial INTEGER DEFAULT 0,
        MinutoFinal INTEGER DEFAULT 0,
        Pvp REAL DEFAULT 0))"),
    QStringLiteral("CREATE INDEX IX_Parking_Tarifa ON Parking_Tarifa (Cod_Empresa, Cod_Almacen, MinutoInicial)"),
};

// ---------------------------------------------------------------------------
// Version 2: the card payments of a ticket take the suite's shape. Version 1
// gave Tpv_Tickets_Tarjeta a line number of our own as part of its key; the
// suite's table has none, so no statement may rely on it. The rows are kept,
// in the order of the old lines (the first row of a ticket names its card).
// ---------------------------------------------------------------------------
const QStringList kVersion2 = {
    QStringLiteral(R"(CREATE TABLE Tpv_Tickets_Tarjeta_V2 (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Tipo INTEGER DEFAULT 0,
        Importe REAL DEFAULT 0,
        Numero TEXT DEFAULT ''))"),
    QStringLiteral("INSERT INTO Tpv_Tickets_Tarjeta_V2 (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Tipo, Importe, Numero)"
                   " SELECT Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Tipo, Importe, Numero FROM Tpv_Tickets_Tarjeta"
                   " ORDER BY Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Linea"),
    QStringLiteral("DROP TABLE Tpv_Tickets_Tarjeta"),
    QStringLiteral("ALTER TABLE Tpv_Tickets_Tarjeta_V2 RENAME TO Tpv_Tickets_Tarjeta"),
    QStringLiteral("CREATE INDEX IX_Tpv_Tickets_Tarjeta ON Tpv_Tickets_Tarjeta (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo)"),
};

QString tooNewMessage(int found, int supported)
{
    return QStringLiteral("La base de datos fue creada por una versión más reciente de ZQVRTpvs "
                          "(versión %1); esta versión admite hasta la %2.")
        .arg(found)
        .arg(supported);
}

bool versionTableExists(Connection& conn)
{
    switch (conn.dialect().kind()) {
    case Dialect::Kind::SQLite:
        return conn.scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'"
                                          " AND name = 'Zqvr_Schema'"))
                   .toInt() > 0;
    case Dialect::Kind::PostgreSQL:
        // Unquoted names are folded to lower case when the table is created.
        return conn.scalar(QStringLiteral("SELECT COUNT(*) FROM information_schema.tables"
                                          " WHERE LOWER(table_name) = 'zqvr_schema'"
                                          " AND table_schema = current_schema()"))
                   .toInt() > 0;
    case Dialect::Kind::SqlServer:
        break;
    }
    return conn.scalar(QStringLiteral("SELECT COUNT(*) FROM INFORMATION_SCHEMA.TABLES"
                                      " WHERE TABLE_NAME = 'Zqvr_Schema'"))
               .toInt() > 0;
}

// A PostgreSQL database is made in one step, from the description, at the
// version this build writes; a later version appends its own upgrade step
// for the databases made by this one.
std::vector<schema::Step> postgreSqlSteps()
{
    return {{Schema::currentVersion(), schema::createStatements(Dialect::Kind::PostgreSQL)}};
}

// Every (table, column) pair the catalogue lists, lower-cased, since SQL
// Server and SQLite compare names without case and PostgreSQL folds them.
QSet<QString> catalogueColumns(Connection& conn)
{
    QString sql;
    switch (conn.dialect().kind()) {
    case Dialect::Kind::SQLite:
        sql = QStringLiteral("SELECT m.name, p.name FROM sqlite_master m, pragma_table_info(m.name) p"
                             " WHERE m.type = 'table'");
        break;
    case Dialect::Kind::PostgreSQL:
        sql = QStringLiteral("SELECT table_name, column_name FROM information_schema.columns"
                             " WHERE table_schema = current_schema()");
        break;
    case Dialect::Kind::SqlServer:
        sql = QStringLiteral("SELECT TABLE_NAME, COLUMN_NAME FROM INFORMATION_SCHEMA.COLUMNS");
        break;
    }
    QSet<QString> found;
    for (RecordSet rs = conn.query(sql); !rs.eof(); rs.moveNext())
        found.insert(rs.value(0).toString().toLower() + QLatin1Char('.') + rs.value(1).toString().toLower());
    return found;
}

} // namespace

namespace schema {

const std::vector<Step>& steps()
{
    // Append new versions at the end; never edit a step that has shipped.
    static const std::vector<Step> s = {
        {1, kVersion1},
        {2, kVersion2},
    };
    return s;
}

int recordedVersion(Connection& conn)
{
    if (!versionTableExists(conn))
        return 0;
    return conn.scalar(QStringLiteral("SELECT MAX(Version) FROM Zqvr_Schema")).toInt();
}

void migrate(Connection& conn, const std::vector<Step>& list)
{
    const int target = list.empty() ? 0 : list.back().version;
    const int found = recordedVersion(conn);
    if (found > target)
        throw Error(errc::SchemaTooNew, tooNewMessage(found, target));
    if (found == target)
        return;

    TransactionGuard guard(conn, TransactionGuard::Write);
    // On a server, several back-office users may start at once: the first
    // one creates the schema while the others wait here for its commit. The
    // lock's key is "ZQVR" in ASCII.
    if (conn.dialect().kind() == Dialect::Kind::PostgreSQL)
        conn.execute(QStringLiteral("SELECT pg_advisory_xact_lock(1515346514)"));
    // Look again under the write lock: another program may have upgraded the
    // file between the first look and the lock.
    const int current = recordedVersion(conn);
    if (current > target)
        throw Error(errc::SchemaTooNew, tooNewMessage(current, target));
    if (current < target) {
        conn.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS Zqvr_Schema (Version INTEGER NOT NULL)"));
        for (const Step& step : list) {
            if (step.version <= current)
                continue;
            for (const QString& sql : step.statements) {
                try {
                    conn.execute(sql);
                } catch (const Error& e) {
                    throw Error(e.number(),
                                QStringLiteral("No se pudo preparar la base de datos (versión %1): %2")
                                    .arg(step.version)
                                    .arg(e.description()),
                                QStringLiteral("Schema::ensure"));
                }
            }
        }
        conn.execute(QStringLiteral("DELETE FROM Zqvr_Schema"));
        conn.execute(QStringLiteral("INSERT INTO Zqvr_Schema (Version) VALUES (%1)").arg(target));
    }
    guard.commit();
}

} // namespace schema

int Schema::currentVersion() { return schema::steps().back().version; }

int Schema::versionOf(Connection& conn) { return schema::recordedVersion(conn); }

void Schema::ensure(Connection& conn)
{
    // A recording connection runs nothing, so there is no schema to make.
    if (conn.isRecorder())
        return;
    switch (conn.dialect().kind()) {
    case Dialect::Kind::SqlServer:
        // The suite's database: its schema is the suite's to keep.
        return;
    case Dialect::Kind::SQLite:
        schema::migrate(conn, schema::steps());
        break;
    case Dialect::Kind::PostgreSQL:
        schema::migrate(conn, postgreSqlSteps());
        break;
    }
    verify(conn);
}

void Schema::verify(Connection& conn)
{
    const QSet<QString> found = catalogueColumns(conn);
    QSet<QString> tablesFound;
    for (const QString& pair : found)
        tablesFound.insert(pair.section(QLatin1Char('.'), 0, 0));

    QStringList missing;
    for (const schema::Table& t : schema::tables()) {
        const QString table = t.name.toLower();
        if (!tablesFound.contains(table)) {
            missing << QStringLiteral("falta la tabla %1").arg(t.name);
            continue;
        }
        for (const schema::Column& c : t.columns)
            if (!found.contains(table + QLatin1Char('.') + c.name.toLower()))
                missing << QStringLiteral("a la tabla %1 le falta la columna %2").arg(t.name, c.name);
    }
    if (missing.isEmpty())
        return;
    // A handful is enough to recognise the database; the count says the rest.
    constexpr int shown = 5;
    QString list = missing.mid(0, shown).join(QStringLiteral("; "));
    if (missing.size() > shown)
        list += QStringLiteral(" (y %1 más)").arg(missing.size() - shown);
    throw Error(errc::SchemaIncomplete,
                QStringLiteral("La base de datos no tiene lo que ZQVRTpvs necesita: %1.").arg(list),
                QStringLiteral("Schema::verify"));
}

} // namespace zqvr::db
