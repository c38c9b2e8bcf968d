#include "parameters/ParameterCatalogue.h"

#include <QHash>
#include <iterator>

namespace zqvr::parameters {

namespace {

constexpr Kind Check = Kind::Check;
constexpr Kind PlainCheck = Kind::PlainCheck;
constexpr Kind ComboIndex = Kind::ComboIndex;
constexpr Kind ComboData = Kind::ComboData;
constexpr Kind Number = Kind::Number;
constexpr Kind Text = Kind::Text;
constexpr Kind Picker = Kind::Picker;
constexpr Kind ListBits = Kind::ListBits;
constexpr Kind CheckBits = Kind::CheckBits;
constexpr Kind ClaveEntry = Kind::ClaveEntry;
constexpr Kind Link = Kind::Link;

constexpr Tab Ticket = Tab::Ticket;
constexpr Tab P1 = Tab::Parametros1;
constexpr Tab P2 = Tab::Parametros2;
constexpr Tab Claves = Tab::Claves;
constexpr Tab Comp1 = Tab::Comp1;
constexpr Tab Comp2 = Tab::Comp2;
constexpr Tab Comp3 = Tab::Comp3;

const char* const kCab = "Cabecera / Rojo / Letra Extendida";
const char* const kPie = "Pie / Rojo / Letra Extendida";
const char* const kClave = "Clave / Utilización";
const char* const kTelepago = "Telepago";
const char* const kRecarga = "Recarga de Móviles";
const char* const kVale = "Líneas de Vale ";
const char* const kParking = "Parking";
const char* const kLoyal = "Loyal Guru";
const char* const kGelt = "Gelt Cash";
const char* const kCopias = "(Ninguna)|1|2|3";
const char* const kVinculo = "Vínculos";

// Rows in the order a save writes them (the operation keys, codes 0-41, go
// first and live in their own grid). Entries of a combo or list: "a|b|c" by
// position, "text=data" with an attached integer; a picker names its class.
const std::vector<CatalogueEntry> kCatalogue = {
    {52, "chkParam", 1, Check, "Anular Línea de Venta", Comp1},
    {53, "chkParam", 2, Check, "Consulta Artículos Alfabética", Comp1},
    {54, "chkParam", 3, Check, "Enter = Repetición", Comp1},
    {56, "chkTarjetas,chkCheques,chkVales,chkCreditos,chkPuntos,chkTarjetaMonedero", -1, CheckBits, "", P1,
     "Tipo de Cobro Admitidos", "Tarjetas=1|Cheques=2|Vales=4|Créditos=8|Puntos=16|Tarjeta Monedero=64"},
    {57, "cboFactxAgente", -1, ComboIndex, "Fact. x Agente:", P1, "",
     "No|General (Selección por lista)|Por Línea (Selección por lista)|General (Especificando Código)|"
     "Por Línea (Especificando Código)|Solo a peticion (Selección por lista)|Solo a peticion (Especificando Código)"},
    {58, "chkParam", 0, Check, "Cantidad Manual Siempre", Comp1},
    {60, "chkSaldoNuevo", -1, Check, "Imprimir Saldo Nuevo en Tickets de Crédito", Comp1},
    {61, "chkParam", 4, Check, "Doble Línea en Ticket", Comp1},
    {62, "chkParam", 5, Check, "Num. Tickets Consecutivo", Comp1},
    {63, "chkFactCredito_Ticket", -1, Check, "Facturar a Crédito en Tickets", Comp1},
    {64, "chkParam", 10, Check, "Detallar Impuesto en Ticket", Comp1},
    {65, "lstOtrasOpciones", -1, ListBits, "", Claves, "Otras Opciones",
     "Repetir Albarán/Presupuesto=0|Factura de Ticket=1|Repetir Tickets=2|Recuperar Documento=3|"
     "Ventas en Espera=4|Cobros a Clientes=5|Extractos de Clientes=6|Alta de Clientes=7|Alta de Artículos=8|"
     "Inventario=9|Traspasos=10|Confirmar Traspasos=11|Realizar Pedidos=12|Pedidos Pendientes=13|Entradas=14|"
     "Reservas=15|Regularizaciones=16|Etiquetas de Atículos=17|Informe de Vales=18|Saldo T.Fidelizacion=19|"
     "Devoluciones=20|Administrador de Tareas=21|Informe de Ventas=22|Informe de Tarjetas Monedero=23"},
    {66, "cboFact_PVP0", -1, ComboIndex, "Artículos con PVP=0:", P1, "", "Prohibir|Permitir|Permitir especificando Pvp"},
    {67, "chkParam", 6, Check, "Facturación por Bultos", Comp1},
    {68, "cboFactClientes", -1, ComboIndex, "Modo Fact Clientes:", P1, "",
     "Solo Tarifas Cliente|Tarifa Ventajosa s/Promoción Contado|Tarifa Ventajosa s/Todas las Tarifas Contados"},
    {69, "txtTarifaPvp", -1, Picker, "Tarifa Pvp:", P1, "", "ctlTarifa"},
    {70, "txtTarifaProm", -1, Picker, "Tarifa Prom.:", P1, "", "ctlTarifa"},
    {71, "cboSonido", -1, ComboIndex, "Tipo de Sonido:", P1, "",
     "Ninguno|Beep x Altavoz interno|Sonido WAV x Tarjeta de sonido"},
    {72, "chkParam", 7, Check, "Habilitar Descuentos", Comp1},
    {73, "chkParam", 8, Check, "Pedir Cliente Siempre", Comp1},
    {74, "txtCliMinimo", -1, Number, "Cliente Minimo:", P1},
    {75, "cboModeloTicket", -1, ComboIndex, "Modelo Ticket:", P1, "", "Expandido|Estandar"},
    {76, "chkContTicketsCredito", -1, Check, "Contabilizar Tickets de Crédito", Comp1},
    {78, "chkParam", 12, Check, "Sumar Igic en Ticket", Comp1},
    {79, "chkPManualesCierre", -1, Check, "Imprimir Pvp Manuales en Cierre", Comp1},
    {80, "txtClave", -1, Text, "Código Master:", P1, "", "", 0, Secret},
    {81, "lstClave", 0, ClaveEntry, "Anular Línea", Claves, kClave},
    {82, "lstClave", 1, ClaveEntry, "Devoluciones", Claves, kClave},
    {83, "lstClave", 2, ClaveEntry, "Consulta Artículos", Claves, kClave},
    {84, "lstClave", 3, ClaveEntry, "Precio Manual", Claves, kClave},
    {85, "lstClave", 4, ClaveEntry, "Anular Ticket", Claves, kClave},
    {86, "lstClave", 5, ClaveEntry, "Devolver Documento", Claves, kClave},
    {87, "lstClave", 6, ClaveEntry, "Inspección de Caja", Claves, kClave},
    {88, "lstClave", 7, ClaveEntry, "Cierre Definitivo", Claves, kClave},
    {89, "lstClave", 8, ClaveEntry, "Imprimir Copia de Cierre", Claves, kClave},
    {90, "lstClave", 9, ClaveEntry, "Facturar sin Stock (Alm. Entrega)", Claves, kClave},
    {91, "lstClave", 10, ClaveEntry, "Descuento al Pie", Claves, kClave},
    {92, "lstClave", 11, ClaveEntry, "Precio bajo Costo (Fenvary)", Claves, kClave},
    {93, "lstClave", 12, ClaveEntry, "Cobro con Vales", Claves, kClave},
    {94, "lstClave", 13, ClaveEntry, "Cobro con Cheque", Claves, kClave},
    {95, "lstClave", 14, ClaveEntry, "CashGuard - Efectivo manual", Claves, kClave},
    {96, "lstClave", 15, ClaveEntry, "Anular Recarga de Móvil", Claves, kClave},
    {97, "lstClave", 16, ClaveEntry, "Regularizaciones", Claves, kClave},
    {98, "lstClave", 17, ClaveEntry, "Identificar Cliente", Claves, kClave},
    {99, "lstClave", 18, ClaveEntry, "Cierre Diario", Claves, kClave},
    {481, "lstClave", 19, ClaveEntry, "Repetir Vale", Claves, kClave},
    {100, "txtCabecera", 0, Text, "", Tab::Ticket, kCab},
    {110, "chkCab_Rojo", 0, Check, "", Tab::Ticket, kCab},
    {120, "chkCab_Ext", 0, Check, "", Tab::Ticket, kCab},
    {130, "txtPie", 0, Text, "", Tab::Ticket, kPie},
    {140, "chkPie_Rojo", 0, Check, "", Tab::Ticket, kPie},
    {150, "chkPie_Ext", 0, Check, "", Tab::Ticket, kPie},
    {101, "txtCabecera", 1, Text, "", Tab::Ticket, kCab},
    {111, "chkCab_Rojo", 1, Check, "", Tab::Ticket, kCab},
    {121, "chkCab_Ext", 1, Check, "", Tab::Ticket, kCab},
    {131, "txtPie", 1, Text, "", Tab::Ticket, kPie},
    {141, "chkPie_Rojo", 1, Check, "", Tab::Ticket, kPie},
    {151, "chkPie_Ext", 1, Check, "", Tab::Ticket, kPie},
    {102, "txtCabecera", 2, Text, "", Tab::Ticket, kCab},
    {112, "chkCab_Rojo", 2, Check, "", Tab::Ticket, kCab},
    {122, "chkCab_Ext", 2, Check, "", Tab::Ticket, kCab},
    {132, "txtPie", 2, Text, "", Tab::Ticket, kPie},
    {142, "chkPie_Rojo", 2, Check, "", Tab::Ticket, kPie},
    {152, "chkPie_Ext", 2, Check, "", Tab::Ticket, kPie},
    {103, "txtCabecera", 3, Text, "", Tab::Ticket, kCab},
    {113, "chkCab_Rojo", 3, Check, "", Tab::Ticket, kCab},
    {123, "chkCab_Ext", 3, Check, "", Tab::Ticket, kCab},
    {133, "txtPie", 3, Text, "", Tab::Ticket, kPie},
    {143, "chkPie_Rojo", 3, Check, "", Tab::Ticket, kPie},
    {153, "chkPie_Ext", 3, Check, "", Tab::Ticket, kPie},
    {104, "txtCabecera", 4, Text, "", Tab::Ticket, kCab},
    {114, "chkCab_Rojo", 4, Check, "", Tab::Ticket, kCab},
    {124, "chkCab_Ext", 4, Check, "", Tab::Ticket, kCab},
    {134, "txtPie", 4, Text, "", Tab::Ticket, kPie},
    {144, "chkPie_Rojo", 4, Check, "", Tab::Ticket, kPie},
    {154, "chkPie_Ext", 4, Check, "", Tab::Ticket, kPie},
    {105, "txtCabecera", 5, Text, "", Tab::Ticket, kCab},
    {115, "chkCab_Rojo", 5, Check, "", Tab::Ticket, kCab},
    {125, "chkCab_Ext", 5, Check, "", Tab::Ticket, kCab},
    {135, "txtPie", 5, Text, "", Tab::Ticket, kPie},
    {145, "chkPie_Rojo", 5, Check, "", Tab::Ticket, kPie},
    {155, "chkPie_Ext", 5, Check, "", Tab::Ticket, kPie},
    {106, "txtCabecera", 6, Text, "", Tab::Ticket, kCab},
    {116, "chkCab_Rojo", 6, Check, "", Tab::Ticket, kCab},
    {126, "chkCab_Ext", 6, Check, "", Tab::Ticket, kCab},
    {136, "txtPie", 6, Text, "", Tab::Ticket, kPie},
    {146, "chkPie_Rojo", 6, Check, "", Tab::Ticket, kPie},
    {156, "chkPie_Ext", 6, Check, "", Tab::Ticket, kPie},
    {107, "txtCabecera", 7, Text, "", Tab::Ticket, kCab},
    {117, "chkCab_Rojo", 7, Check, "", Tab::Ticket, kCab},
    {127, "chkCab_Ext", 7, Check, "", Tab::Ticket, kCab},
    {137, "txtPie", 7, Text, "", Tab::Ticket, kPie},
    {147, "chkPie_Rojo", 7, Check, "", Tab::Ticket, kPie},
    {157, "chkPie_Ext", 7, Check, "", Tab::Ticket, kPie},
    {108, "txtCabecera", 8, Text, "", Tab::Ticket, kCab},
    {118, "chkCab_Rojo", 8, Check, "", Tab::Ticket, kCab},
    {128, "chkCab_Ext", 8, Check, "", Tab::Ticket, kCab},
    {138, "txtPie", 8, Text, "", Tab::Ticket, kPie},
    {148, "chkPie_Rojo", 8, Check, "", Tab::Ticket, kPie},
    {158, "chkPie_Ext", 8, Check, "", Tab::Ticket, kPie},
    {109, "txtCabecera", 9, Text, "", Tab::Ticket, kCab},
    {119, "chkCab_Rojo", 9, Check, "", Tab::Ticket, kCab},
    {129, "chkCab_Ext", 9, Check, "", Tab::Ticket, kCab},
    {139, "txtPie", 9, Text, "", Tab::Ticket, kPie},
    {149, "chkPie_Rojo", 9, Check, "", Tab::Ticket, kPie},
    {159, "chkPie_Ext", 9, Check, "", Tab::Ticket, kPie},
    {160, "chkImprime_Final", -1, Check, "Imprimir al Final", Ticket},
    {300, "vsBalanzas", -1, Kind::ScaleRows, "", Tab::Balanzas, "", "Codigo|Tipo"},
    {352, "chkImpCualid", -1, Check, "Imprimir Cualidades en Ticket", Comp3},
    {353, "txtLineasFinales", -1, Number, "Lineas Finales:", Ticket},
    {354, "txtSleepImp", -1, Number, "Retardo en Impresora (ms):", Ticket},
    {355, "cboTipoCierre", -1, ComboData, "Tipo Cierre (Fenvary):", P1, "", "Normal=3|Expandido=4"},
    {356, "chkScanerModa", -1, Check, "Códigos de Barra estilo Fenvary", Comp2},
    {357, "txtTextoVisor", -1, Text, "Texto Visor:", P1},
    {358, "chkArqueoManual", -1, Check, "Arqueo Manual", Comp1},
    {359, "cboTraspCopias", -1, ComboIndex, "Traspasos Copias:", P2, "", kCopias, 0, AlsoSets540},
    {360, "cboTelePagoTipo", -1, ComboIndex, "Tipo:", P2, kTelepago, "---|Sitef|Wincor-Nixdorf|ClearOne"},
    {362, "chkDevTarjeta", -1, Check, "Permitir devoluciones en Tarjeta", Comp1},
    {363, "chkTotalAgentes", -1, Check, "Totales x Agente en cierre", Comp1},
    {364, "cboAutenticacion", -1, ComboIndex, "", Claves, kClave,
     "Sólo clave (abajo indicada)|Sistema de seguridad por tarjeta magnética|Auntentificación por usuario y contraseña"},
    {365, "chkBoletaTelepago", -1, Check, "Imprimir Comprobante de Pago con Tarjeta", Comp1},
    {366, "chkDecUnidades", -1, Check, "Prohibir Decimales en Unidades", Comp1},
    {367, "chkImpCreditosCierre", -1, Check, "Imprimir Créditos en Cierre", Comp1},
    {373, "chkActStockTraspasos", -1, Check, "Actualizar stocks en Traspasos", Comp1},
    {368, "chkParam", 9, Check, "Prohibir Cierre con Ventas en Espera", Comp1},
    {369, "txtTopeCaja", -1, Number, "Importe Tope en Caja:", P1},
    {370, "txtPorcB", -1, Number, "", P1, "", "", 0, SameRow},
    {371, "chkEANBalanzas", -1, Check, "7 primeros dígitos = EAN asociado al artículo.", Tab::Balanzas},
    {374, "txtSerieFactura", -1, Number, "Serie Fra. Tickets:", P1},
    {375, "chkNoMostrarArticuloBonif", -1, Check, "No Mostrar Artículo en Bonificaciones", Comp1},
    {376, "cboServidorImagen", -1, ComboIndex, "Servidor Imágenes:", P2, "", "Local|Remoto"},
    {377, "txtRutaImagen", -1, Text, "Ruta Imagen:", P2},
    {378, "txtUsuarioFTP", -1, Text, "Usuario FTP:", P2},
    {379, "txtPasswordFTP", -1, Text, "Contraseña FTP:", P2, "", "", 0, Masked | Secret},
    {380, "txtClienteDefecto", -1, Picker, "Cliente por Defecto:", P1, "", "ctlCliente"},
    {381, "chkClaveCodigo", -1, Check, "Código de Usuario = Contraseña", Claves},
    {382, "txtFondoCaja", -1, Number, "Fondo de Caja:", P1},
    {383, "chkNoGrabarTicketFactura", -1, Check, "No Grabar en Tickets Facturas", Comp1},
    {384, "chkDesgloceArqueoManual", -1, Check, "Imprimir Desglose de Arqueo Manual", Comp1},
    {385, "chkClavePManualTicket", -1, Check, "Clave para precio manual sólo una vez por ticket", Claves},
    {386, "chkClaveDevolucTicket", -1, Check, "Clave para devoluciones sólo una vez por ticket", Claves},
    {388, "chkProhibirNegativos", -1, Check, "Prohibir Tickets en Negativo", Comp1},
    {389, "chkTicketsDevoluciones", -1, Check, "Imprimir Copia de Tickets en Devoluciones", Comp1},
    {390, "cboNroTicket", -1, ComboIndex, "Nro Ticket:", P1, "",
     "AAA\\CCC-X|AAA\\CCC\\YYMMDD-X|MT(A)-4YY-CCXXXXX|AACCCXXXXX"},
    {391, "chkDestacarArticulosOferta", -1, Check, "Destacar Artículos en Oferta", Comp1},
    {392, "chkBalanzaCheckPLU", -1, Check, "Check PLU en EAN Balanzas", Comp1},
    {393, "cboRecargaMovil", -1, ComboIndex, "Tipo:", P2, kRecarga, "---|Sitef|Wincor-Nixdorf|ClearOne|Euronet"},
    {397, "chkTelepagoPermitirRelieve", -1, Check, "Telepago, Permitir Cobro x Relieve", Comp1},
    {398, "chkArtPromAplicarDtosCliente", -1, Check, "Art. Pvp Promoción Aplicar Dtos Cliente", Comp1},
    {399, "chkPromRegalos", -1, Check, "Activar Promociones Regalos", Comp2},
    {400, "chkReservasCaducadas", -1, Check, "Comprobar Caducidad en Reservas", Comp2},
    {401, "chkNoDetallarDevoluciones", -1, Check, "No Detallar Devoluciones en Arqueo", Comp1},
    {402, "cboModeloReserva", -1, ComboIndex, "Modelo Reserva:", P1, "", "Estandar|Expandido"},
    // The label models follow "---" when the window loads them.
    {403, "cboModeloEtiq", -1, ComboData, "Etiqueta Artículos:", P1, "", "---=0"},
    {404, "chkNoMostrarArticulosFueraSurtido", -1, Check, "No Mostrar Articulos fuera Surtido en Consulta", Comp1},
    {405, "txtLineasVales", 0, Text, "", P2, kVale},
    {406, "txtLineasVales", 1, Text, "", P2, kVale},
    {407, "txtLineasVales", 2, Text, "", P2, kVale},
    {408, "chkDetallarValesArqueo", -1, Check, "Detallar Vales en Arqueo", Comp1},
    {409, "txtAgenteDefecto", -1, Picker, "Agente por Defecto:", P1, "", "ctlAgente"},
    {410, "chkBloquearFlechaArriba", -1, Check, "Bloquear Flecha Arriba en Precio", Comp1},
    {411, "txtArticulosArqueo", -1, Text, "Artículos Arqueo:", P2},
    {412, "chkPaqueteReservas", -1, Check, "Requerir Código de Paquete en Reservas", Comp1},
    {413, "chkSegundaCopiaPProv", -1, Check, "Segunda Copia en Pago Proveedores", Comp2},
    {414, "txtClaveFraTickets", -1, Text, "Clave Fra Tickets:", Claves, "", "", 0, Secret},
    {415, "txtUmbralArqueo", -1, Number, "Umbral Arqueo:", P1},
    {416, "chkPermitirDtosPromo", -1, Check, "Permitir Dtos. en Artículos en Promoción (Fenvary)", Comp2},
    {417, "chkPedirAgenteCierre", -1, Check, "Pedir Agente en Arqueo Manual (Fenvary)", Comp2},
    {418, "chkBloquearCodIntPesado", -1, Check, "Bloquear Cod.Interno en Reg. Pesado", Comp2},
    {419, "txtDiasTicketsTPVs", -1, Number, "Dias Tickets TPVs:", P1},
    {420, "chkNoVenderArtBloqueado", -1, Check, "Prohibir Venta Artículos Bloqueados a la Compra", Comp2},
    {421, "chkCobroClienteAv", -1, Check, "Usar Cobro de Clientes Avanzado", Comp2},
    {422, "txtGrpDto", 0, Picker, "Grupo Dto. Empleados:", P1, "", "ctlDtoGrp"},
    {423, "chkConsArt1Op", -1, Check, "Consulta Artículos Limitar a 1 Operación", Comp2},
    {424, "chkParam", 13, Check, "Calcular 70% en detalle de IGIC", Comp1},
    {425, "chkDtoEmpPie", -1, Check, "Descuento de  Empleados al Pie", Comp2},
    {426, "chkCodInternoPunto", -1, Check, "Acceso Código Interno con Punto", Comp2},
    {427, "txtBarrasDto", -1, Number, "Cod. Barras Prom. Dto:", P1},
    {428, "chkTelepagoDatafono", -1, Check, "Telepago, permitir x Datafono", Comp2},
    {429, "chkCashGuardEFManual", -1, Check, "CashGuard - Permitir Efectivo Manual", Comp2},
    {430, "txtDptoPlu", -1, Number, "Dpto. Plu:", Tab::Balanzas, "", "", 0, ZeroShowsOne},
    {431, "cboTipoFichaCliente", -1, ComboIndex, "Identificar Cliente:", P1, "", "Básica|Fidelización"},
    {432, "chkPesadoDirectoCodigoInterno", -1, Check, "Pesado Directo x Código Interno", Comp2},
    {433, "chkClientesEscaner", -1, Check, "Habilitar Escaner (RS232) en Clientes", Comp2},
    {434, "txtTextoRetFodos", -1, Text, "Texto Ret.Fondo:", P2},
    {435, "cboLetra_Vinculo", 0, Link, "", Tab::Vinculos, kVinculo},
    {436, "cboLetra_Vinculo", 1, Link, "", Tab::Vinculos, kVinculo},
    {437, "cboLetra_Vinculo", 2, Link, "", Tab::Vinculos, kVinculo},
    {438, "cboLetra_Vinculo", 3, Link, "", Tab::Vinculos, kVinculo},
    {439, "cboLetra_Vinculo", 4, Link, "", Tab::Vinculos, kVinculo},
    {440, "cboLetra_Vinculo", 5, Link, "", Tab::Vinculos, kVinculo},
    {445, "chkProhibirConsReservas", -1, Check, "Prohibir consulta de Reservas de otras Tiendas", Comp2},
    {446, "chkCifrarTarjetaEmpleados", -1, Check, "Cifrar Tarjeta Empleados", Comp2},
    {447, "txtArtBolsas", -1, Picker, "Art. Bolsas:", P2, "", "ctlArticulo"},
    {448, "cboPedirCp", -1, ComboIndex, "Pedir Código Postal:", P2, "", "---|Después de Cobro|Antes de Cobro"},
    {449, "chkArtPromAplicarDtosEmp", -1, Check, "Art. Pvp Promoción Aplicar Dtos Empleados", Comp1},
    {450, "txtTelePagoAlm", -1, Text, "ID Tienda:", P2, kTelepago},
    {451, "chkNoMostrarDatosCliente", -1, Check, "No Mostrar Datos de Cliente en Ticket", Comp2},
    {452, "chkBlqCierre", -1, CheckBits, "", P2, "Ocultar Bloques del Cierre", "Estadísticos=1|Económicos=2|Arqueo=4"},
    {455, "chkMostrarResultadoArqueo", -1, Check, "Mostrar Resultado de Arqueo", Comp2},
    {456, "chkProhibirDtosManuales", -1, Check, "Prohibir Descuentos Manuales", Comp2},
    {457, "lstCaja", -1, ListBits, "", Claves, "Caja",
     "Cierre Definitivo=0|Inspección de Ventas=1|Pagos=2|Retirada de Fondos=3|Insertar Fondos=4|"
     "Prestamo para Cambios=5|Imprimir Copia de Cierre=6|Contar Efectivo=7|Imprimir Contenido CashChanger=8|"
     "Cierre Diario=9|Retirada Efectivo=10"},
    {458, "chkPermitirCobrosNegativos", -1, Check, "Permitir Cobros a Clientes Negativos", Comp2},
    {459, "chkCobrosClientesLimiteSaldo", -1, Check, "Limitar Cobros a Clientes a Saldo Pendiente", Comp2},
    {460, "chkNoMostrarFechaSistema", -1, Check, "No Mostrar Fecha del Sistema", Comp2},
    {461, "chkRepartoDom", 0, Check, "Reparto Domicilio, No Imprimir Ticket para Personal de Caja", Comp2},
    {462, "chkRepartoDom", 1, Check, "Reparto Domicilio, No Imprimir Ticket para Repartidor", Comp2},
    {463, "chkRepartoDom", 2, Check, "Reparto Domicilio, No Imprimir Ticket para Bultos", Comp2},
    {464, "chkEmpDisableTeclado", 0, Check, "Identificar Empleados (Tarjeta), permitir mediante teclado", Comp3},
    {521, "chkEmpDisableTeclado", 1, Check, "Identificar Empleados (DNI), permitir mediante teclado", Comp3},
    {465, "chkNoPermitirValesImproteErroneo", -1, Check, "No permitir Vales con importe erróneo", Comp3},
    {466, "chkNoPermitirCantManualIndirecto", -1, Check, "No permitir Cantidad Manual después de artículo", Comp3},
    {468, "chkParametro", 0, Check, "Cierre Definitivo (Expandido)  Detallar Vales Emitidos", Comp3},
    {469, "chkParametro", 1, Check, "Cierre Definitivo (Expandido)  Detallar Ventas a Crédito", Comp3},
    {470, "chkParametro", 2, Check, "Cierre Definitivo (Expandido) Detallar Entregas a Cuenta", Comp3},
    {471, "chkParametro", 3, Check, "Cierre Definitivo (Expandido) Detallar Desglose Tarjetas", Comp3},
    {472, "chkParametro", 4, Check, "Cierre Definitivo (Expandido) Detallar Nuevas Reservas", Comp3},
    {473, "chkParametro", 5, Check, "Cierre Definitivo (Expandido) Mostrar Resumen Datafonos", Comp3},
    {474, "chkParametro", 6, Check, "Agente, Solicitar Contraseña (Fact.xAgente: solo a petición)", Comp3},
    {475, "chkDtoNoMostrar", -1, Check, "No mostrar Dto. al imprimir ticket (Reducción PVP)", Comp3},
    {476, "txtLimContCashChanger", -1, Number, "Lim. Dev. Efectivo:", P2, "", "", 0, NoFlag, "(CashChanger)"},
    {477, "lstGuneboOpciones", -1, ListBits, "", Tab::CashChanger, "Gunnebo Opciones",
     "Abrir Tapa Superior=0|Abrir/Cerrar Caja Inferior=1|Devolver Efectivo Insertado=2"},
    {478, "chkParam", 11, Check, "Retraer Impuesto (al Detallar Impuesto en Ticket)", Comp1},
    {479, "chkPrecioManualSiempre", -1, Check, "Precio Manual Siempre", Comp3},
    {480, "chkNoFacturarSinCliente", -1, Check, "No Facturar si no hay Cliente Identificado", Comp3},
    {482, "lstCashKeeperOpciones", -1, ListBits, "", Tab::CashChanger, "CashKeeper Opciones",
     "Limpieza Validador de Monedas=1|Vaciado a CashBox=2|Informar Vaciado de CashBox (Monedas)=3|"
     "Informar Vaciado de CashBox (Billetes)=4|Devolver Efectivo Insertado=5|Reset CashKeeper=6|Desactivar CashKeeper=7"},
    {483, "lstCashlogyOpciones", -1, ListBits, "", Tab::CashChanger, "CashLogy Opciones",
     "Cancelar Operación=1|Vaciado a CashBox=2|Inicializar Stacker=3|Devolver Efectivo Insertado=5|"
     "Reset CashKeeper=6|Desactivar CashKeeper=7"},
    {493, "txtNroTexto", -1, Text, "Nro Texto:", P1},
    {494, "chkActivarFidelizacion", -1, Check, "Activar Fidelización", Comp3},
    {495, "chkAgruparPromMxNe", -1, Check, "Agrupar Artículos en Promoción MxN€", Comp3},
    {496, "chkCompletarPromMxNe", -1, Check, "Aviso para Completar Promoción MxN€", Comp3},
    {497, "chkPrecioImporte", -1, Check, "KolvaneTAC - Agregar importe en columna Pvp", Comp3},
    {498, "txtLoyalGuru", 0, Number, "ID EAN Cupón:", Tab::Vinculos, kLoyal},
    {499, "txtLoyalGuru", 1, Text, "Api Key:", Tab::Vinculos, kLoyal},
    {500, "txtLoyalGuru", 2, Text, "Api Secret:", Tab::Vinculos, kLoyal, "", 0, Masked | Secret},
    {501, "txtLoyalGuru", 3, Number, "Cant. Cupones:", Tab::Vinculos, kLoyal},
    {502, "txtLoyalGuru", 4, Number, "ID EAN Cliente:", Tab::Vinculos, kLoyal},
    {503, "txtLoyalGuru", 5, Number, "Cant. Mensaje:", Tab::Vinculos, kLoyal},
    {504, "cboReservaCopias", -1, ComboIndex, "Reservas Copias:", P2, "", "1|2|3", 1, ZeroIsSecond},
    {505, "chkPagoProvNoSinEfect", -1, Check, "Pago Proveedor No permitir sin efectivo", Comp3},
    {506, "txtLimPagoProveedor", -1, Number, "Lim.Pago Proveedor:", P2},
    {507, "txtMaxMsgBloqueo", -1, Number, "Max. Msg. Bloqueo:", P1},
    {508, "chkAbrirCajonSoloConCobro", -1, Check, "Abrir Cajón solo cuando se efectua cobro. (Fenvary)", Comp3},
    {509, "chkCrearLogMX", -1, PlainCheck, "Ajustar logos para impresoras Matriciales", Tab::Logotipo},
    {511, "chkVerificarEstadoPedido", -1, Check, "Verificar estado de pedidos de Almacén (Fenvary)", Comp3},
    {512, "cboValesCopias", -1, ComboIndex, "Copias:", P2, "Vales", "1|2|3", 0, ZeroIsSecond},
    {513, "txtArtParking", -1, Picker, "Artículo:", Tab::Balanzas, kParking, "ctlArticulo"},
    {514, "txtEANParking", -1, Number, "ID EAN:", Tab::Balanzas, kParking},
    {515, "chkRedondearPesado", -1, Check, "Redondear pesado en caja a múltiplo de 5 cts", Comp3},
    {516, "chkMostrarNombreEmpleado", -1, Check, "Mostrar nombre de Empleado en Ticket", Comp3},
    // The company object's sales-report groupings follow "---" when the window loads.
    {518, "cboInfVta", -1, ComboIndex, "Informe Vta Agrup.:", P2, "", "---"},
    {519, "txtLoyalGuru", 6, Text, "", Tab::Vinculos, kLoyal},
    {520, "chkMostrarNombreCajero", -1, Check, "Mostrar nombre Cajero en Tickets", Comp3},
    {522, "cboEntradasCopias", -1, ComboIndex, "Entradas Copias:", P2, "", kCopias},
    {533, "chkNoImprimirCodigoTicket", -1, Check, "No Imprimir Código de Ticket", Comp1},
    {534, "chkMostrarPropietarioTarjetaClub", -1, Check, "Mostrar Nombre de Propietario Tarjeta Club", Comp1},
    // "Estipulado" and the taxes of the warehouse's regime, filled by the window.
    {535, "cboImpuestoAplicar", -1, ComboData, "Imp. Aplicar:", P1, "", "Estipulado=-1"},
    {536, "txtLoyalGuru", 7, Number, "TimeOut:", Tab::Vinculos, kLoyal, "", 0, NoFlag, "seg."},
    {537, "cboTipoParking", -1, ComboData, "Tipo:", Tab::Balanzas, kParking, "AGA=0|CLEMSA=1"},
    {538, "txtMaximoDia", -1, Number, "Máximo Día:", Tab::Balanzas, kParking},
    {540, "cboConfirmarCopias", -1, ComboIndex, "Confirmar Traspasos Copias:", P2, "", kCopias},
    {541, "txtUnidadesPermitidasMin", -1, Number, "Unidades Permitidas:", P2},
    {542, "txtUnidadesPermitidasMax", -1, Number, "", P2, "", "", 0, SameRow},
    {543, "txtGrpDto", 1, Picker, "Grupo Dto. F.Numerosa:", P1, "", "ctlDtoGrp"},
    {544, "chkNoAbrirCajonSinEfectivo", -1, Check, "No abrir el cajón en Tickets sin Efectivo", Comp3},
    {545, "", -1, Kind::Hidden, "", Ticket},
    {546, "txtMensajeConexTarMonedero", -1, Text, "Sin Conex.Tar.Mon:", P1},
    {547, "txtBalanzaIdQR", -1, Number, "Id QR:", Tab::Balanzas},
    {548, "txtRecargaMovilAlm", -1, Text, "ID Tienda:", P2, kRecarga},
    {549, "chkUnirTicketRegaloACompra", -1, Check, "Unir Ticket de Regalo al Ticket de Compra", Comp3},
    {550, "txtGeltCash", 0, Text, "ID App:", Tab::GeltCash, kGelt},
    {551, "txtGeltCash", 1, Text, "Usuario:", Tab::GeltCash, kGelt},
    {552, "txtGeltCash", 2, Text, "Contraseña:", Tab::GeltCash, kGelt, "", 0, Masked | Secret},
    {553, "chkGeltCash", 0, PlainCheck, "Imprimir ticket para cliente", Tab::GeltCash, kGelt},
    {554, "chkGeltCash", 1, PlainCheck, "Imprimir ticket para establecimiento", Tab::GeltCash, kGelt},
    {555, "chkParametro", 7, Check, "Recarga Móvil / Contenidos dígitales permitir cobro con tarjeta", Comp2},
    {556, "chkProhibirImpresionCopiaTickets", -1, Check, "Prohibir impresión de copias de ticket con fecha diferente a hoy", Comp3},
    {557, "chkParam", 14, Check, "Imprimir ID Tarjeta Monedero en Ticket", Comp2},
};

} // namespace

const std::vector<CatalogueEntry>& catalogue() { return kCatalogue; }

const CatalogueEntry* findEntry(int code)
{
    static const QHash<int, const CatalogueEntry*> byCode = [] {
        QHash<int, const CatalogueEntry*> h;
        for (const CatalogueEntry& e : kCatalogue)
            h.insert(e.code, &e);
        return h;
    }();
    if (code >= kFirstScaleCode && code <= kLastScaleCode)
        code = kFirstScaleCode;
    return byCode.value(code, nullptr);
}

bool isDroppedCode(int code)
{
    switch (code) {
    case 215: case 216: case 387: case 453: case 454: case 467: case 510: case 517: case 539:
        return true;
    default:
        return false;
    }
}

QString fieldCaption(const CatalogueEntry& entry)
{
    auto trimmed = [](QString c) {
        c = c.trimmed();
        if (c.endsWith(QLatin1Char(':')))
            c.chop(1);
        return c.trimmed();
    };
    QString caption = trimmed(entry.captionText());
    if (caption.isEmpty() && entry.has(SameRow)) {
        // The field shares the row of the entry before it in the table.
        for (auto it = kCatalogue.begin(); it != kCatalogue.end(); ++it)
            if (it->code == entry.code && it != kCatalogue.begin())
                caption = trimmed(std::prev(it)->captionText());
    }
    if (caption.isEmpty())
        caption = trimmed(entry.frameText());
    return caption.isEmpty() ? entry.controlName() : caption;
}

QString tabCaption(Tab tab)
{
    static const char* const captions[kTabCount] = {
        "Operaciones", "Ticket", "Parámetros (1)", "Parámetros (2)", "Claves", "Comp.(1)", "Comp.(2)",
        "Comp.(3)", "Balanzas", "Logotipo", "Vínculos", "CashChanger", "Gelt Cash"};
    return QString::fromUtf8(captions[static_cast<int>(tab)]);
}

QList<ListEntry> CatalogueEntry::listEntries() const
{
    QList<ListEntry> out;
    if (kind == Kind::Picker || !*entries)
        return out;
    const QStringList parts = QString::fromUtf8(entries).split(QLatin1Char('|'));
    for (int i = 0; i < parts.size(); ++i) {
        const QString& p = parts[i];
        const int eq = p.lastIndexOf(QLatin1Char('='));
        if (eq > 0 && kind != Kind::ComboIndex && kind != Kind::ScaleRows)
            out.push_back({p.left(eq), p.mid(eq + 1).toInt()});
        else
            out.push_back({p, i});
    }
    return out;
}

QStringList CatalogueEntry::groupControls() const
{
    const QString c = controlName();
    return c.contains(QLatin1Char(',')) ? c.split(QLatin1Char(',')) : QStringList();
}

QString CatalogueEntry::key() const
{
    return index >= 0 ? controlName() + QLatin1Char('!') + QString::number(index) : controlName();
}

const QList<ListEntry>& operationEntries()
{
    static const QList<ListEntry> ops = [] {
        const char* const names[] = {
            "Acceso a Caja", "Albarán", "Anular Linea Ant.", "Anular Ticket", "Apertura de Cajón", "Cantidad Manual",
            "Consulta Artículos", "Devoluciones", "Entrega de Almacén", "Presupuestos", "Fin Ticket", "Otras Opciones",
            "Precio Manual", "Salir", "Ticket", "Ventas Espera", "Identificar Cliente", "Imprimir Vale",
            "Identif. Empleado", "Requerir Pesado", "Imprimir Ticket", "Identificar Agente", "Recarga Movil",
            "Descuento al Pie", "Consulta Art. x Proveed.", "Pesado Directo", "Repite Ult. Línea", "Código Rápido",
            "Asoc. Pedido Cliente", "Ticket Regalo", "Factura Directa", "Dispensar Bolsa", "Anular Recarga Movil",
            "Reparto Domicilio", nullptr, "Descuento", "CashChanger", "Imprimir Cuenta", "Vendedor 1", "Vendedor 2",
            "Vendedor 3", "Vendedor 4"};
        QList<ListEntry> l;
        for (int code = 0; code <= kLastOperationCode; ++code)
            if (names[code]) // code 34 has no operation
                l.push_back({QString::fromUtf8(names[code]), code});
        return l;
    }();
    return ops;
}

const QList<ListEntry>& keyEntries()
{
    static const QList<ListEntry> keys = [] {
        QList<ListEntry> l;
        for (int c = '0'; c <= '9'; ++c)
            l.push_back({QString(QChar(c)), c});
        for (int c = 'A'; c <= 'Z'; ++c)
            l.push_back({QString(QChar(c)), c});
        for (int f = 2; f <= 16; ++f)
            l.push_back({QStringLiteral("F%1").arg(f), 111 + f});
        l.push_back({QStringLiteral("Inicio"), 36});
        l.push_back({QStringLiteral("Fin"), 35});
        l.push_back({QStringLiteral("RePág"), 33});
        l.push_back({QStringLiteral("AvPág"), 34});
        l.push_back({QStringLiteral("Insert"), 45});
        l.push_back({QStringLiteral("Supr"), 46});
        l.push_back({QStringLiteral("*"), 106});
        return l;
    }();
    return keys;
}

namespace {
QString nameIn(const QList<ListEntry>& l, int code)
{
    for (const ListEntry& e : l)
        if (e.data == code)
            return e.text;
    return {};
}
} // namespace

QString operationName(int code) { return nameIn(operationEntries(), code); }
QString keyName(int code) { return nameIn(keyEntries(), code); }

const QList<ListEntry>& scaleTypeEntries()
{
    static const QList<ListEntry> types = {
        {QStringLiteral("Código interno + Peso"), 1}, {QStringLiteral("Código interno + Importe"), 2},
        {QStringLiteral("Código Interno"), 5},        {QStringLiteral("EAN 7 p. digitos + Peso"), 6},
        {QStringLiteral("EAN 7 p. digitos + Importe"), 7}, {QStringLiteral("PLU + Peso"), 8},
        {QStringLiteral("PLU + Importe"), 9}};
    return types;
}

QString storedScaleTypeName(int type)
{
    // Rows read back from the store carry the names the terminals' own
    // configuration screen has always shown for them.
    switch (type) {
    case 1: return QStringLiteral("Código inteno + Peso");
    case 2: return QStringLiteral("Código inteno + Importe");
    case 5: return QStringLiteral("Código Interno");
    case 6: return QStringLiteral("EAN 7 p. dígitos + Peso");
    case 7: return QStringLiteral("EAN 7 p. dígitos + Importe");
    case 8: return QStringLiteral("PLU + Peso");
    case 9: return QStringLiteral("PLU + Importe");
    default: return QStringLiteral("Importe");
    }
}

} // namespace zqvr::parameters
