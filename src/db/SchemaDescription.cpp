#include "db/SchemaDescription.h"

#include "db/SqlLiteral.h"

#include <algorithm>

namespace zqvr::db::schema {

namespace {

// ---- column shorthands ----
// Key columns are NOT NULL without a default. The other columns accept NULL
// (the suite's older rows hold NULLs and the screens read them through
// ISNULL) and mostly default to 0 or ''.

Column key(const char* name, Type type, int length = 0)
{
    return {QString::fromLatin1(name), type, length, true, {}};
}

Column num(const char* name, Type type, double value = 0)
{
    Default d;
    d.kind = Default::Number;
    d.number = value;
    return {QString::fromLatin1(name), type, 0, false, d};
}

Column small(const char* name, double value = 0) { return num(name, Type::SmallInteger, value); }
Column integer(const char* name, double value = 0) { return num(name, Type::Integer, value); }
Column money(const char* name, double value = 0) { return num(name, Type::Money, value); }

Column text(const char* name, int length, const char* value = "")
{
    Default d;
    d.kind = Default::Text;
    d.text = QString::fromLatin1(value);
    return {QString::fromLatin1(name), Type::Text, length, false, d};
}

// Nullable and without a default: dates nobody has set, pictures, and the
// history's copies of a message's fields.
Column bare(const char* name, Type type, int length = 0)
{
    return {QString::fromLatin1(name), type, length, false, {}};
}

Column dateUntil(const char* name, const QDate& value)
{
    Default d;
    d.kind = Default::Date;
    d.date = value;
    return {QString::fromLatin1(name), Type::Date, 0, false, d};
}

Column stamped(const char* name)
{
    Default d;
    d.kind = Default::Now;
    return {QString::fromLatin1(name), Type::DateTime, 0, false, d};
}

Column blankDateTime(const char* name)
{
    Default d;
    d.kind = Default::Blank;
    return {QString::fromLatin1(name), Type::DateTime, 0, false, d};
}

Column identity(const char* name) { return {QString::fromLatin1(name), Type::Identity, 0, true, {}}; }

Index index(const char* name, const QStringList& columns) { return {QString::fromLatin1(name), columns, false}; }

// The ten reload marks of the terminals: Act, then Act<first>..Act10.
void addMarks(std::vector<Column>& cols, Type type, int first)
{
    cols.push_back(num("Act", type));
    for (int k = first; k <= 10; ++k)
        cols.push_back(num(QStringLiteral("Act%1").arg(k).toLatin1().constData(), type));
}

const QDate kOpenEnd(9999, 12, 31);

// Common text lengths.
constexpr int kName = 100;    // people, companies, addresses
constexpr int kLabel = 50;    // descriptions, towns, captions
constexpr int kPhone = 20;    // telephone and tax numbers
constexpr int kPath = 255;    // file paths and parameter values
constexpr int kDocument = 0;  // whole documents, unbounded

std::vector<Table> describe()
{
    using T = Type;
    std::vector<Table> t;

    // ---- companies, warehouses, terminals ----
    t.push_back({"Empresas",
                 {key("Codigo", T::SmallInteger), text("Nombre_1", kName), text("Nombre_2", kName), text("Nif", kPhone),
                  text("Direccion", kName), integer("Cp"), text("Localidad", kLabel), text("Provincia", kLabel),
                  text("Telefono", kPhone)},
                 {"Codigo"},
                 {}});
    // Regimen_Impuesto: 0 IGIC (Igic_Tipos), 1 the second tax system (Impuestos2_Tipos).
    t.push_back({"Almacenes",
                 {key("Cod_Empresa", T::SmallInteger), key("Codigo", T::SmallInteger), text("Nombre", kLabel),
                  text("Direccion", kName), text("Localidad", kLabel), text("Telefono", kPhone), small("Regimen_Impuesto")},
                 {"Cod_Empresa", "Codigo"},
                 {}});
    // PostoServerOk, Version and Serial are written by the terminals themselves;
    // SQLPassword holds the ciphered logon of the terminal's own server.
    t.push_back({"TPVs",
                 {key("Codigo", T::SmallInteger), text("Host", kName), text("Descripcion", kLabel), small("Empresa"),
                  small("TarifaPVP"), small("TarifaProm"), small("EnLinea"), small("Almacen"), small("Emergencia"),
                  text("SQLUser", kLabel), text("SQLPassword", kName), text("SQLPort", 10), small("PostoServerOk"),
                  text("Version", kPhone), text("Serial", kLabel)},
                 {"Codigo"},
                 {index("IX_TPVs_Empresa", {"Empresa", "Almacen"}), index("IX_TPVs_Host", {"Host"})}});
    t.push_back({"TPV_Contador_Ticket_Caja", {key("Fecha", T::Date), integer("Codigo")}, {"Fecha"}, {}});

    // ---- price lists, discounts, taxes, cards ----
    t.push_back({"Tarifas",
                 {key("Cod_Empresa", T::SmallInteger), key("Codigo", T::SmallInteger), text("Descripcion", kLabel)},
                 {"Cod_Empresa", "Codigo"},
                 {}});
    t.push_back({"Grupos_Descuento",
                 {key("Cod_Empresa", T::SmallInteger), key("Codigo", T::SmallInteger), text("Descripcion", kLabel),
                  money("Dto")},
                 {"Cod_Empresa", "Codigo"},
                 {}});
    for (const char* taxes : {"Igic_Tipos", "Impuestos2_Tipos"})
        t.push_back({taxes,
                     {key("Cod_Empresa", T::SmallInteger), key("Tipo", T::SmallInteger), key("FechaI", T::Date),
                      dateUntil("FechaF", kOpenEnd), money("Imp_Valor"), text("Descripcion", kLabel)},
                     {"Cod_Empresa", "Tipo", "FechaI"},
                     {}});
    t.push_back({"Tarjetas", {key("Codigo", T::SmallInteger), text("Nombre", kLabel)}, {"Codigo"}, {}});

    // ---- articles ----
    // Desc_Ticket is printed in the 40 columns of the receipt's line.
    t.push_back({"Articulos",
                 {key("Cod_Empresa", T::SmallInteger), key("Codigo", T::Integer), text("Descripcion", kName),
                  text("Desc_Ticket", 40), money("PVP"), money("Costo"), small("TipoImpuesto"), integer("CualidadX"),
                  integer("CualidadY"), small("EsKit")},
                 {"Cod_Empresa", "Codigo"},
                 {}});
    t.push_back({"Articulos_Imagenes",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_Articulo", T::Integer), bare("Imagen", T::Binary)},
                 {"Cod_Empresa", "Cod_Articulo"},
                 {}});
    t.push_back({"Cualidades_Des",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_Cualidad", T::Integer), key("Codigo", T::Integer),
                  text("Nombre", kLabel)},
                 {"Cod_Empresa", "Cod_Cualidad", "Codigo"},
                 {}});
    t.push_back({"Modelos_Etiq_Art", {key("Codigo", T::Integer), text("Nombre", kLabel)}, {"Codigo"}, {}});
    t.push_back({"Articulos_Ventas_Dia",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_Almacen", T::SmallInteger), key("Fecha", T::Date),
                  key("Cod_Articulo", T::Integer), money("Unidades"), money("Importe_Pvp"), money("Importe_Costo")},
                 {"Cod_Empresa", "Cod_Almacen", "Fecha", "Cod_Articulo"},
                 {index("IX_Articulos_Ventas_Dia_Fecha", {"Cod_Empresa", "Fecha"})}});
    // Act..Act10 are bit masks of 31 terminals each, hence 32-bit.
    {
        std::vector<Column> cols = {identity("Id"), small("Cod_Empresa"), integer("Cod_Articulo"), blankDateTime("Fecha")};
        addMarks(cols, T::Integer, 1);
        t.push_back({"Articulos_ToPos", cols, {"Id"}, {}});
    }
    t.push_back({"Articulos_TRegalo",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_Articulo", T::Integer)},
                 {"Cod_Empresa", "Cod_Articulo"},
                 {}});

    // ---- customers and agents ----
    t.push_back({"Clientes",
                 {key("Cod_Empresa", T::SmallInteger), key("Codigo", T::Integer), text("Nombre", kName),
                  text("Nombre_Comercial", kName), text("Nif", kPhone), text("Direccion", kName), integer("Cp"),
                  text("Localidad", kLabel), text("Provincia", kLabel), text("Pais", kLabel), text("F_Nif", kPhone),
                  text("F_Razon", kName), text("F_Direccion", kName), integer("F_Cp"), text("F_Localidad", kLabel),
                  text("F_Provincia", kLabel), text("F_Pais", kLabel), small("Bloqueado"), small("IntraCom")},
                 {"Cod_Empresa", "Codigo"},
                 {index("IX_Clientes_Nombre", {"Cod_Empresa", "Nombre"})}});
    t.push_back({"Clientes_Telefonos",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_Cliente", T::Integer), key("Codigo", T::SmallInteger),
                  text("Numero", kPhone)},
                 {"Cod_Empresa", "Cod_Cliente", "Codigo"},
                 {}});
    t.push_back({"Clientes_Estadisticas",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_Cliente", T::Integer), key("Fecha", T::Date),
                  key("Cod_Articulo", T::Integer), money("Unidades"), money("Importe"), money("Costo")},
                 {"Cod_Empresa", "Cod_Cliente", "Fecha", "Cod_Articulo"},
                 {}});
    t.push_back({"Agentes",
                 {key("Cod_Empresa", T::SmallInteger), key("Codigo", T::Integer), text("Nombre", kName)},
                 {"Cod_Empresa", "Codigo"},
                 {index("IX_Agentes_Codigo", {"Codigo"})}});
    t.push_back({"Facturas_Contador",
                 {key("Cod_Empresa", T::SmallInteger), key("Serie", T::Integer), key("Ejercicio", T::SmallInteger),
                  integer("Ultimo")},
                 {"Cod_Empresa", "Serie", "Ejercicio"},
                 {}});

    // ---- users, groups, rights and access levels ----
    t.push_back({"SGD_Usuarios", {key("Codigo", T::Integer), text("Nombre", kLabel)}, {"Codigo"}, {}});
    t.push_back({"SGD_Grupos", {key("Codigo", T::Integer), text("Nombre", kLabel)}, {"Codigo"}, {}});
    t.push_back({"SGD_Usuarios_Grupos",
                 {key("CodUsuario", T::Integer), key("CodGrupo", T::Integer)},
                 {"CodUsuario", "CodGrupo"},
                 {}});
    t.push_back({"SGD_Usuarios_Derechos",
                 {key("Cod_Usuario", T::Integer), key("Derecho", T::Integer)},
                 {"Cod_Usuario", "Derecho"},
                 {}});
    t.push_back({"SGD_Usuarios_Almacenes",
                 {key("CodUsuario", T::Integer), key("Cod_Empresa", T::SmallInteger), key("Cod_Almacen", T::SmallInteger)},
                 {"CodUsuario", "Cod_Empresa", "Cod_Almacen"},
                 {}});
    t.push_back({"SGD_Formularios",
                 {key("Cod_Formulario", T::Integer), text("Nombre", kLabel)},
                 {"Cod_Formulario"},
                 {index("IX_SGD_Formularios_Nombre", {"Nombre"})}});
    t.push_back({"SGD_Controles",
                 {key("Cod_Formulario", T::Integer), key("Cod_Control", T::Integer), text("Nombre", kLabel),
                  text("Indice", 10), integer("TabIndex")},
                 {"Cod_Formulario", "Cod_Control"},
                 {index("IX_SGD_Controles_Nombre", {"Cod_Formulario", "Nombre", "Indice"})}});
    t.push_back({"SGD_Controles_Grupos",
                 {key("Cod_Grupo", T::Integer), key("Cod_Formulario", T::Integer), key("Cod_Control", T::Integer),
                  small("Permiso")},
                 {"Cod_Grupo", "Cod_Formulario", "Cod_Control"},
                 {index("IX_SGD_Controles_Grupos_Control", {"Cod_Formulario", "Cod_Control"})}});

    // ---- tickets ----
    const QStringList ticketKey = {"Cod_Empresa", "Cod_Almacen", "Caja", "Fecha", "Codigo"};
    auto ticketColumns = [] {
        return std::vector<Column>{key("Cod_Empresa", T::Integer), key("Cod_Almacen", T::Integer), key("Caja", T::Integer),
                                   key("Fecha", T::Date), key("Codigo", T::Integer)};
    };
    {
        std::vector<Column> cols = ticketColumns();
        for (Column c : {bare("Hora", T::DateTime), integer("Cajero"), integer("Cliente"), integer("Agente"),
                         money("Total"), money("Efectivo"), money("Tarjeta"), money("Cheque"), money("Vales"),
                         money("Credito"), money("Cambio"), money("Dto"), small("Enviado")})
            cols.push_back(c);
        t.push_back({"TPV_Tickets", cols, ticketKey,
                     {index("IX_TPV_Tickets_Fecha", {"Cod_Empresa", "Cod_Almacen", "Fecha"})}});
    }
    {
        std::vector<Column> cols = ticketColumns();
        for (Column c : {key("Num_Linea", T::Integer), integer("Cod_Articulo"), money("PVP"), money("Cantidad"),
                         money("Dto"), money("Costo"), small("PM"), small("Promocion"), small("PA"),
                         integer("TipoImpuesto")})
            cols.push_back(c);
        t.push_back({"TPV_Tickets_Lineas", cols, ticketKey + QStringList{"Num_Linea"},
                     {index("IX_TPV_Tickets_Lineas_Articulo", {"Cod_Articulo", "Cod_Empresa", "Cod_Almacen", "Fecha"})}});
    }
    {
        std::vector<Column> cols = ticketColumns();
        cols.push_back(key("Num_Linea", T::Integer));
        cols.push_back(integer("Tipo_Promocion"));
        t.push_back({"TPV_Tickets_Lineas_Promocion", cols, ticketKey + QStringList{"Num_Linea"}, {}});
    }
    // Card payments, one row per card used and no key of their own: the
    // first row of a ticket names its card.
    {
        std::vector<Column> cols = ticketColumns();
        for (Column c : {integer("Tipo"), money("Importe"), text("Numero", 30)})
            cols.push_back(c);
        t.push_back({"Tpv_Tickets_Tarjeta", cols, {}, {index("IX_Tpv_Tickets_Tarjeta", ticketKey)}});
    }
    t.push_back({"TPV_Tickets_KitComposicion",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_almacen", T::SmallInteger), key("Caja", T::SmallInteger),
                  key("Fecha", T::Date), key("Codigo", T::Integer), key("Num_Linea", T::SmallInteger),
                  key("Cod_Articulo", T::Integer), money("Cantidad")},
                 {"Cod_Empresa", "Cod_almacen", "Caja", "Fecha", "Codigo", "Num_Linea", "Cod_Articulo"},
                 {}});
    {
        std::vector<Column> cols = ticketColumns();
        for (Column c : {integer("Cliente"), integer("Factura_Serie"), integer("Factura_Codigo"), text("Nif", kPhone),
                         text("Nombre", kName), text("Nombre_Comercial", kName), text("Direccion", kName), integer("CP"),
                         text("Localidad", kLabel), text("Provincia", kLabel), text("Pais", kLabel),
                         text("Telefono", kPhone), bare("Factura_Fecha", T::Date), integer("Factura_Almacen"),
                         small("Enviado")})
            cols.push_back(c);
        t.push_back({"TPV_Tickets_Factura", cols, ticketKey,
                     {index("IX_TPV_Tickets_Factura_Numero", {"Cod_Empresa", "Factura_Serie", "Factura_Codigo"})}});
    }

    // ---- reservations ----
    t.push_back({"Reservas",
                 {key("Cod_Empresa", T::Integer), key("Codigo", T::Integer), integer("Cod_Almacen"), integer("Caja"),
                  bare("Fecha", T::DateTime), bare("Fecha_Ult_Modificacion", T::DateTime),
                  bare("Fecha_Vencimiento", T::Date), integer("Cod_Cliente"), text("Nomb_Cliente", kName),
                  text("Telefono", kPhone), text("Nif", kPhone), text("Domicilio", kName), text("Paquete", kPhone),
                  text("Observaciones", kPath), integer("Agente"), integer("Cajero"), money("Ult_Dto_Aplicado"),
                  small("Pendiente", 1), small("Anulado"), money("Total_Entregado"), money("Total_Ventas"),
                  money("Total_Pendiente")},
                 {"Cod_Empresa", "Codigo"},
                 {index("IX_Reservas_Codigo", {"Codigo"}), index("IX_Reservas_Fecha", {"Fecha"}),
                  index("IX_Reservas_Caja", {"Cod_Empresa", "Cod_Almacen", "Caja", "Fecha"})}});
    t.push_back({"Reservas_Lineas",
                 {key("Cod_Empresa", T::Integer), key("Codigo", T::Integer), key("Num_Linea", T::Integer),
                  integer("Cod_Articulo"), integer("CualidadX"), integer("CualidadY"), money("Unidades"), money("Pvp"),
                  integer("TipoImpuesto"), text("Serie", kLabel), integer("Agente"), money("Dto"), small("Vendida")},
                 {"Cod_Empresa", "Codigo", "Num_Linea"},
                 {}});
    t.push_back({"Reservas_Historico",
                 {key("Cod_Empresa", T::Integer), key("Codigo", T::Integer), key("Num_Entrega", T::Integer),
                  bare("Fecha", T::DateTime), small("Tipo_Pago"), money("Cantidad"), integer("Cod_Almacen"),
                  integer("Caja"), small("Venta"), small("Anulacion"), small("Cambio")},
                 {"Cod_Empresa", "Codigo", "Num_Entrega"},
                 {index("IX_Reservas_Historico_Caja", {"Cod_Empresa", "Cod_Almacen", "Caja", "Fecha"})}});

    // ---- terminal parameters ----
    auto parameterValues = [] {
        return std::vector<Column>{key("Codigo", T::Integer), text("Valor", kPath), integer("Visible"),
                                   integer("Posicion"), integer("Color"), text("Valor2", kPath)};
    };
    {
        std::vector<Column> cols = {key("Cod_Empresa", T::SmallInteger), key("Cod_Almacen", T::SmallInteger)};
        for (const Column& c : parameterValues())
            cols.push_back(c);
        t.push_back({"Tpv_Parametros", cols, {"Cod_Empresa", "Cod_Almacen", "Codigo"}, {}});
    }
    {
        std::vector<Column> cols = {key("Cod_Empresa", T::SmallInteger), key("Cod_Almacen", T::SmallInteger),
                                    key("Cod_Tpv", T::SmallInteger)};
        for (const Column& c : parameterValues())
            cols.push_back(c);
        t.push_back({"Tpv_Parametros_Ex", cols, {"Cod_Empresa", "Cod_Almacen", "Cod_Tpv", "Codigo"}, {}});
    }

    // ---- touch-screen layouts, quick codes ----
    {
        std::vector<Column> cols = {key("Cod_Empresa", T::SmallInteger), key("Cod_CfgPantalla", T::SmallInteger),
                                    text("Descripcion", kLabel), small("Tipo"), small("Cod_GrupoDF")};
        addMarks(cols, T::SmallInteger, 2);
        t.push_back({"TPV_CfgPantalla", cols, {"Cod_Empresa", "Cod_CfgPantalla"}, {}});
    }
    // Groups and keys have plain indexes, not keys: moving one renumbers the
    // others with a single UPDATE, which passes through numbers still held.
    t.push_back({"TPV_CfgPantalla_Grupos",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_CfgPantalla", T::SmallInteger),
                  key("Cod_Grupo", T::SmallInteger), small("Posicion"), text("Descripcion", kLabel), small("TipoTexto"),
                  integer("ForeColor"), integer("BackColor"), bare("Imagen", T::Binary)},
                 {},
                 {index("IX_TPV_CfgPantalla_Grupos", {"Cod_Empresa", "Cod_CfgPantalla", "Cod_Grupo"})}});
    t.push_back({"TPV_CfgPantalla_Grupos_Lineas",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_CfgPantalla", T::SmallInteger),
                  key("Cod_Grupo", T::SmallInteger), key("Posicion", T::SmallInteger), integer("Cod_Articulo"),
                  money("Unidades", 1), integer("ForeColor"), integer("BackColor"), small("TipoTexto"),
                  text("Texto", kLabel), bare("Imagen", T::Binary), small("OrigenImagen"), small("Pesado"),
                  text("PathVinculo", kPath)},
                 {},
                 {index("IX_TPV_CfgPantalla_Grupos_Lineas", {"Cod_Empresa", "Cod_CfgPantalla", "Cod_Grupo", "Posicion"}),
                  index("IX_TPV_CfgPantalla_Grupos_Lineas_Articulo", {"Cod_Empresa", "Cod_Articulo"})}});
    t.push_back({"TPV_CodigosRapido",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_Almacen", T::SmallInteger), key("Cod_Rapido", T::Text, 20),
                  integer("Cod_Articulo"), money("Unidades", 1), small("Act")},
                 {"Cod_Empresa", "Cod_Almacen", "Cod_Rapido"},
                 {}});
    t.push_back({"TPV_CodigosRapido_Baja",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_Almacen", T::SmallInteger), key("Cod_Rapido", T::Text, 20),
                  small("Act")},
                 {"Cod_Empresa", "Cod_Almacen", "Cod_Rapido"},
                 {}});

    // ---- salons ----
    t.push_back({"TPV_Sln_Salones",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_CfgSalon", T::SmallInteger), text("Descripcion", kLabel),
                  text("Doc_Xml", kDocument)},
                 {"Cod_Empresa", "Cod_CfgSalon"},
                 {}});
    t.push_back({"TPV_Sln_Salones_Almacen",
                 {key("Cod_Empresa", T::SmallInteger), key("Cod_CfgSalon", T::SmallInteger), key("Cod_Almacen", T::Integer)},
                 {"Cod_Empresa", "Cod_CfgSalon", "Cod_Almacen"},
                 {}});
    t.push_back({"TPV_Sln_GrpElementos", {key("Cod_Grupo", T::Integer), text("Descripcion", kLabel)}, {"Cod_Grupo"}, {}});
    t.push_back({"TPV_Sln_Elementos",
                 {key("Tipo", T::Integer), text("Descripcion", kLabel), integer("Cod_Relacion"), integer("Cod_Grupo"),
                  text("Xaml", kDocument), bare("Imagen", T::Binary)},
                 {"Tipo"},
                 {index("IX_TPV_Sln_Elementos_Grupo", {"Cod_Grupo", "Tipo"})}});

    // ---- terminal messages ----
    // The fields of a message, in the order the history copies them.
    struct Field {
        const char* name;
        Type type;
        int length;
    };
    const Field fields[] = {
        {"Descripcion", T::Text, kLabel},     {"Linea1", T::Text, kName},        {"Linea2", T::Text, kName},
        {"Color", T::Integer, 0},             {"FechaInicial", T::Date, 0},      {"FechaFinal", T::Date, 0},
        {"NumRepetir", T::Integer, 0},        {"MostrarImagen", T::SmallInteger, 0},
        {"Cod_Mostrar", T::Integer, 0},       {"ModoMostrar", T::Integer, 0},    {"Imagen", T::Binary, 0},
        {"Horario1", T::SmallInteger, 0},     {"Horario2", T::SmallInteger, 0},  {"Hora1Ini", T::Text, 5},
        {"Hora1Fin", T::Text, 5},             {"Hora2Ini", T::Text, 5},          {"Hora2Fin", T::Text, 5},
        {"L", T::SmallInteger, 0},            {"M", T::SmallInteger, 0},         {"X", T::SmallInteger, 0},
        {"J", T::SmallInteger, 0},            {"V", T::SmallInteger, 0},         {"S", T::SmallInteger, 0},
        {"D", T::SmallInteger, 0},            {"IntervaloTickets", T::SmallInteger, 0},
        {"IntervaloEuros", T::SmallInteger, 0}, {"IntervaloNumTickets", T::Integer, 0},
        {"IntervaloMinEuros", T::Money, 0},
    };
    auto field = [&](const char* name) {
        for (const Field& f : fields)
            if (qstrcmp(f.name, name) == 0)
                return f;
        Q_ASSERT_X(false, "schema::describe", name);
        return fields[0];
    };
    const QStringList messageKey = {"Cod_Empresa", "Cod_Mensaje", "Origen"};
    auto messageColumns = [] {
        return std::vector<Column>{key("Cod_Empresa", T::Integer), key("Cod_Mensaje", T::Integer),
                                   key("Origen", T::SmallInteger)};
    };
    {
        std::vector<Column> cols = messageColumns();
        auto add = [&](const char* name) {
            const Field f = field(name);
            cols.push_back(f.type == T::Text ? text(name, f.length) : num(name, f.type));
        };
        for (const char* name : {"Descripcion", "Linea1", "Linea2", "Color"})
            add(name);
        cols.push_back(bare("FechaInicial", T::Date));
        cols.push_back(bare("FechaFinal", T::Date));
        for (const char* name : {"Cod_Mostrar", "ModoMostrar", "NumRepetir", "MostrarImagen"})
            add(name);
        cols.push_back(bare("Imagen", T::Binary));
        cols.push_back(integer("Usuario"));
        add("Horario1");
        add("Horario2");
        for (const char* name : {"Hora1Ini", "Hora1Fin", "Hora2Ini", "Hora2Fin"})
            cols.push_back(text(name, 5, "00:00"));
        for (const char* name : {"L", "M", "X", "J", "V", "S", "D", "IntervaloTickets", "IntervaloEuros",
                                 "IntervaloNumTickets", "IntervaloMinEuros"})
            add(name);
        addMarks(cols, T::SmallInteger, 2);
        t.push_back({"TPV_Gestor_Mensajes", cols, messageKey, {}});
    }
    {
        std::vector<Column> cols = messageColumns();
        cols.push_back(key("Cod_Almacen", T::SmallInteger));
        t.push_back({"TPV_Gestor_Mensajes_Almacen", cols, messageKey + QStringList{"Cod_Almacen"}, {}});
    }
    // One row per change: each field's new value and, under its name with
    // _Ant, the previous one.
    {
        std::vector<Column> cols = {identity("Id")};
        for (const Column& c : messageColumns())
            cols.push_back(c);
        cols.push_back(integer("Usuario"));
        cols.push_back(stamped("Fecha"));
        cols.push_back(text("Operacion", 1));
        for (const Field& f : fields) {
            cols.push_back(bare(f.name, f.type, f.length));
            cols.push_back(bare((QByteArray(f.name) + "_Ant").constData(), f.type, f.length));
        }
        t.push_back({"TPV_Gestor_Mensajes_Historico", cols, {"Id"},
                     {index("IX_TPV_Gestor_Mensajes_Historico", messageKey + QStringList{"Fecha"})}});
    }
    // A message number can be given again after the highest one was deleted,
    // so its deletion records have a plain index.
    {
        std::vector<Column> cols = messageColumns();
        cols.push_back(small("Act"));
        t.push_back({"TPV_Gestor_Mensajes_Baja", cols, {}, {index("IX_TPV_Gestor_Mensajes_Baja", messageKey)}});
    }

    // ---- parking ----
    t.push_back({"Parking_Gratis",
                 {identity("Id"), key("Cod_Empresa", T::SmallInteger), key("Cod_Almacen", T::SmallInteger),
                  money("ImporteInicial"), money("ImporteFinal"), small("Minutos")},
                 {"Id"},
                 {index("IX_Parking_Gratis", {"Cod_Empresa", "Cod_Almacen", "ImporteInicial"})}});
    t.push_back({"Parking_Tarifa",
                 {identity("Id"), key("Cod_Empresa", T::SmallInteger), key("Cod_Almacen", T::SmallInteger),
                  small("MinutoInicial"), small("MinutoFinal"), money("Pvp")},
                 {"Id"},
                 {index("IX_Parking_Tarifa", {"Cod_Empresa", "Cod_Almacen", "MinutoInicial"})}});
    return t;
}

bool isSqlServer(Dialect::Kind engine) { return engine == Dialect::Kind::SqlServer; }

QString qualified(const QString& table, Dialect::Kind engine)
{
    return isSqlServer(engine) ? QStringLiteral("dbo.") + table : table;
}

// "Name type [NOT NULL] [DEFAULT ...]" as one line of a CREATE TABLE.
QString columnDefinition(const Table& table, const Column& c, Dialect::Kind engine)
{
    QString def = c.name + QLatin1Char(' ') + columnType(c, engine);
    if (c.type == Type::Identity) {
        // SQLite's identity is its rowid, declared as the key in place.
        if (engine == Dialect::Kind::SQLite)
            return def + QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
        return isSqlServer(engine) ? def + QStringLiteral(" NOT NULL") : def;
    }
    if (c.notNull)
        def += QStringLiteral(" NOT NULL");
    else if (isSqlServer(engine))
        def += QStringLiteral(" NULL");
    const QString value = defaultExpression(c, engine);
    if (!value.isEmpty()) {
        if (isSqlServer(engine))
            def += QStringLiteral(" CONSTRAINT DF_%1_%2 DEFAULT (%3)").arg(table.name, c.name, value);
        else
            def += QStringLiteral(" DEFAULT ") + value;
    }
    return def;
}

QString createTable(const Table& table, Dialect::Kind engine)
{
    QStringList lines;
    for (const Column& c : table.columns)
        lines << columnDefinition(table, c, engine);
    const bool keyInPlace = engine == Dialect::Kind::SQLite && table.primaryKey.size() == 1 &&
                            table.column(table.primaryKey.first())->type == Type::Identity;
    if (!table.primaryKey.isEmpty() && !keyInPlace) {
        const QString keys = table.primaryKey.join(QStringLiteral(", "));
        if (engine == Dialect::Kind::SQLite)
            lines << QStringLiteral("PRIMARY KEY (%1)").arg(keys);
        else
            lines << QStringLiteral("CONSTRAINT PK_%1 PRIMARY KEY (%2)").arg(table.name, keys);
    }
    return QStringLiteral("CREATE TABLE %1 (\n    %2\n)")
        .arg(qualified(table.name, engine), lines.join(QStringLiteral(",\n    ")));
}

QString createIndex(const Table& table, const Index& ix, Dialect::Kind engine)
{
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(ix.unique ? QStringLiteral("UNIQUE ") : QString(), ix.name, qualified(table.name, engine),
             ix.columns.join(QStringLiteral(", ")));
}

} // namespace

const Column* Table::column(const QString& wanted) const
{
    for (const Column& c : columns)
        if (c.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const std::vector<Table>& tables()
{
    static const std::vector<Table> t = describe();
    return t;
}

const Table* findTable(const QString& name)
{
    for (const Table& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

int textLength(const QString& table, const QString& column)
{
    const Table* t = findTable(table);
    const Column* c = t ? t->column(column) : nullptr;
    return c && c->type == Type::Text ? std::max(0, c->length) : 0;
}

QString columnType(const Column& c, Dialect::Kind engine)
{
    switch (engine) {
    case Dialect::Kind::SQLite:
        switch (c.type) {
        case Type::Integer:
        case Type::SmallInteger:
        case Type::Identity:
            return QStringLiteral("INTEGER");
        case Type::Money:
            return QStringLiteral("REAL");
        case Type::Text:
        case Type::Date:
        case Type::DateTime:
            return QStringLiteral("TEXT");
        case Type::Binary:
            return QStringLiteral("BLOB");
        }
        break;
    case Dialect::Kind::PostgreSQL:
        switch (c.type) {
        case Type::Integer:
            return QStringLiteral("integer");
        case Type::SmallInteger:
            return QStringLiteral("smallint");
        case Type::Money:
            return QStringLiteral("numeric(19,4)");
        case Type::Text:
            return c.length > 0 ? QStringLiteral("varchar(%1)").arg(c.length) : QStringLiteral("text");
        case Type::Date:
            return QStringLiteral("date");
        case Type::DateTime:
            return QStringLiteral("timestamp");
        case Type::Binary:
            return QStringLiteral("bytea");
        case Type::Identity:
            return QStringLiteral("integer GENERATED BY DEFAULT AS IDENTITY");
        }
        break;
    case Dialect::Kind::SqlServer:
        switch (c.type) {
        case Type::Integer:
            return QStringLiteral("int");
        case Type::SmallInteger:
            return QStringLiteral("smallint");
        case Type::Money:
            return QStringLiteral("money");
        case Type::Text:
            return c.length > 0 ? QStringLiteral("varchar(%1)").arg(c.length) : QStringLiteral("varchar(max)");
        case Type::Date:
        case Type::DateTime:
            return QStringLiteral("datetime");
        case Type::Binary:
            // image, as the suite's pictures are: the statements clear a
            // picture with Imagen = '', which SQL Server converts to an empty
            // image but refuses for varbinary(max).
            return QStringLiteral("image");
        case Type::Identity:
            return QStringLiteral("int IDENTITY(1,1)");
        }
        break;
    }
    return {};
}

QString defaultExpression(const Column& c, Dialect::Kind engine)
{
    const Default& d = c.value;
    switch (d.kind) {
    case Default::None:
        return {};
    case Default::Number:
        return sqlNumber(d.number);
    case Default::Text:
        return sqlText(d.text);
    case Default::Date:
        switch (engine) {
        case Dialect::Kind::SQLite:
            return sqlText(d.date.toString(QStringLiteral("yyyy-MM-dd")));
        case Dialect::Kind::PostgreSQL:
            return QStringLiteral("DATE ") + sqlText(d.date.toString(QStringLiteral("yyyy-MM-dd")));
        case Dialect::Kind::SqlServer:
            // The unseparated form reads the same under every DATEFORMAT.
            return sqlText(d.date.toString(QStringLiteral("yyyyMMdd")));
        }
        break;
    case Default::Now:
        switch (engine) {
        case Dialect::Kind::SQLite:
            return QStringLiteral("(strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime'))");
        case Dialect::Kind::PostgreSQL:
            return QStringLiteral("LOCALTIMESTAMP(0)");
        case Dialect::Kind::SqlServer:
            return QStringLiteral("GETDATE()");
        }
        break;
    case Default::Blank:
        return engine == Dialect::Kind::SQLite ? QStringLiteral("''") : QString();
    }
    return {};
}

QStringList createStatements(Dialect::Kind engine)
{
    QStringList out;
    for (const Table& t : tables()) {
        out << createTable(t, engine);
        for (const Index& ix : t.indexes)
            out << createIndex(t, ix, engine);
    }
    return out;
}

QString kitLineFunctionSqlServer()
{
    return QStringLiteral(
        "CREATE FUNCTION dbo.fn_TPVTicketsLineasEsKit (\n"
        "    @Cod_Empresa int, @Cod_Almacen int, @Caja int, @Fecha datetime, @Codigo int, @Num_Linea int)\n"
        "RETURNS int\n"
        "AS\n"
        "BEGIN\n"
        "    RETURN (SELECT COUNT(*) FROM dbo.TPV_Tickets_KitComposicion\n"
        "            WHERE Cod_Empresa = @Cod_Empresa AND Cod_almacen = @Cod_Almacen AND Caja = @Caja\n"
        "              AND Fecha = @Fecha AND Codigo = @Codigo AND Num_Linea = @Num_Linea)\n"
        "END");
}

QString sqlServerScript()
{
    const auto engine = Dialect::Kind::SqlServer;
    QString s = QStringLiteral(
        "-- The tables, indexes and kit-line function that ZQVRTpvs reads and writes\n"
        "-- in the suite's SQL Server database.\n"
        "--\n"
        "-- Generated from the component's schema description; do not edit by hand.\n"
        "-- To write it again: cmake --build build --target sqlserver-schema\n"
        "--\n"
        "-- Run it in the suite's database, e.g. sqlcmd -S SERVER -d DATABASE -i schema.sql.\n"
        "-- It creates only what is missing: a table, index or function that already\n"
        "-- exists is left exactly as it is, since the suite owns its schema.\n"
        "SET ANSI_NULLS ON\n"
        "GO\n"
        "SET QUOTED_IDENTIFIER ON\n"
        "GO\n");
    for (const Table& t : tables()) {
        s += QStringLiteral("\nIF OBJECT_ID(N'dbo.%1', N'U') IS NULL\n").arg(t.name);
        s += createTable(t, engine) + QStringLiteral("\nGO\n");
        for (const Index& ix : t.indexes) {
            s += QStringLiteral("IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'%1'"
                                " AND object_id = OBJECT_ID(N'dbo.%2'))\n")
                     .arg(ix.name, t.name);
            s += createIndex(t, ix, engine) + QStringLiteral("\nGO\n");
        }
    }
    // CREATE FUNCTION must open its batch, so the guarded form runs it through EXEC.
    QString body = kitLineFunctionSqlServer();
    body.replace(QLatin1Char('\''), QStringLiteral("''"));
    s += QStringLiteral("\n-- Non-zero when the ticket line sold a kit: the number of components\n"
                        "-- recorded for the line.\n"
                        "IF OBJECT_ID(N'dbo.fn_TPVTicketsLineasEsKit', N'FN') IS NULL\n"
                        "EXEC (N'") +
         body + QStringLiteral("')\nGO\n");
    return s;
}

} // namespace zqvr::db::schema
