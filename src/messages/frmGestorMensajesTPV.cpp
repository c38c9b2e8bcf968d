#include "messages/frmGestorMensajesTPV.h"

#include "ui_frmGestorMensajesTPV.h"

#include "db/Connection.h"
#include "frame/Wiring.h"
#include "controls/ControlArray.h"
#include "frame/HostContext.h"
#include "frame/OperationNotice.h"
#include "frame/Services.h"
#include "host/Empresa.h"
#include "host/Formato.h"
#include "messages/ColourCombo.h"
#include "messages/clsGestorMensajes.h"
#include "messages/frmGestorMensajesTPV_Datos.h"

#include <QCheckBox>

namespace zqvr::messages {

namespace {
constexpr int ColCodigo = 0;
constexpr int ColOrigen = 5;
constexpr int ColColor = 7;
constexpr int ColValorColor = 8; // hidden: the colour number, for whoever reads the grid

// The origin code from the host's named value: 0 to 255, 0 when not set.
int leerOrigen(const QVariant& v)
{
    const QString text = v.toString().trimmed();
    if (text.isEmpty())
        return 0;
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < 0 || n > 255)
        throw Error(6, QStringLiteral("El código de origen de la instalación (Tpv_Mensajes_CodigoOrigen = \"%1\") "
                                      "debe ser un número de 0 a 255.")
                           .arg(text));
    return n;
}
} // namespace

frmGestorMensajesTPV::frmGestorMensajesTPV(QWidget* parent)
    : Form(QStringLiteral("frmGestorMensajesTPV"), QStringLiteral("Gestor de Mensajes en Tpv"), parent),
      ui(std::make_unique<Ui::frmGestorMensajesTPV>())
{
    ui->setupUi(this);
    chkVer = {ui->chkVer_0, ui->chkVer_1, ui->chkVer_2};
    // The procedures report in the messages' own way, under the window's name;
    // a new message whose number could not be made is told in plain words.
    const frame::ToldInstead noNumber{QStringLiteral("Ha ocurrido un error al crear el Mensaje a %1."),
                                      QStringLiteral("¡ Atención !"), frame::MsgIcon::Information};
    frame::declareReports(
        this, frame::ReportNames()
                  .style(frame::ReportStyle::NumberInText)
                  .allUnder(QStringLiteral("frmGestorMensajesTPV"))
                  .reportAs(QStringLiteral("chkVer_Click"), QStringLiteral("cargar"))
                  .reportAs(QStringLiteral("vsMensajes_DoubleClicked"), QStringLiteral("cmdVisualizar_Click"))
                  .reportAs(QStringLiteral("lstAlm_CheckCambiado"), QStringLiteral("lstAlm_ItemCheck"))
                  .tell(QStringLiteral("cmdAgregar_Click"), ErrorNumeroMensaje,
                        {noNumber.text.arg(QStringLiteral("Agregar")), noNumber.caption, noNumber.icon})
                  .tell(QStringLiteral("cmdDuplicar_Click"), ErrorNumeroMensaje,
                        {noNumber.text.arg(QStringLiteral("Duplicar")), noNumber.caption, noNumber.icon}));
    for (int i = 0; i < chkVer.size(); ++i) {
        controls::setArrayIndex(chkVer[i], QStringLiteral("chkVer"), i);
        frame::wireElement(chkVer[i], &QCheckBox::clicked, this, &frmGestorMensajesTPV::chkVer_Click);
    }
    prepararGrid();
    frame::wire(ui->cmdAgregar, &QPushButton::clicked, this, &frmGestorMensajesTPV::cmdAgregar_Click);
    frame::wire(ui->cmdModificar, &QPushButton::clicked, this, &frmGestorMensajesTPV::cmdModificar_Click);
    frame::wire(ui->cmdDuplicar, &QPushButton::clicked, this, &frmGestorMensajesTPV::cmdDuplicar_Click);
    frame::wire(ui->cmdEliminar, &QPushButton::clicked, this, &frmGestorMensajesTPV::cmdEliminar_Click);
    frame::wire(ui->cmdVisualizar, &QPushButton::clicked, this, &frmGestorMensajesTPV::cmdVisualizar_Click);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmGestorMensajesTPV::cmdSalir_Click);
    frame::wire(ui->vsMensajes, &controls::Grid::RowColChange, this, &frmGestorMensajesTPV::vsMensajes_RowColChange);
    frame::wire(ui->vsMensajes, &controls::Grid::DoubleClicked, this, &frmGestorMensajesTPV::cmdVisualizar_Click);
    frame::wire(ui->lstAlm, &controls::ctlAlmacenCons::CheckCambiado, this, &frmGestorMensajesTPV::lstAlm_ItemCheck);
    resize(1060, 520);
}

frmGestorMensajesTPV::~frmGestorMensajesTPV() = default;

QDate frmGestorMensajesTPV::hoy() const
{
    return m_hoy.isValid() ? m_hoy : QDate::currentDate();
}

void frmGestorMensajesTPV::prepararGrid()
{
    using controls::Grid;
    Grid& g = *ui->vsMensajes;
    // ColCodigo, ColOrigen and ColValorColor are the first, sixth and last.
    g.setColumns({{QStringLiteral("Código"), 800, Grid::AlignRight, Grid::TypeNumber},
                  {QStringLiteral("Descripción"), 4600},
                  {QStringLiteral("Fecha Inicial"), 1300, Grid::AlignCenter, Grid::TypeDate},
                  {QStringLiteral("Fecha Final"), 1300, Grid::AlignCenter, Grid::TypeDate},
                  {QStringLiteral("Origen"), 1000},
                  {QString(), 0, {}, {}, true},
                  {QStringLiteral("Mostrar"), 2100},
                  {QStringLiteral("Color"), 800},
                  {QString(), 0, {}, {}, true}});
    g.setSelectionBehavior(QAbstractItemView::SelectRows);
}

void frmGestorMensajesTPV::formLoad()
{
    m_origen = leerOrigen(frame::empresa().Variable(QStringLiteral("Tpv_Mensajes_CodigoOrigen")));
    chkVer[0]->setChecked(false);
    chkVer[1]->setChecked(true);
    chkVer[2]->setChecked(true);
    ui->lstAlm->setConexion(&frame::conn());
    ui->lstAlm->setEmpresa(&frame::empresa());
    ui->lstAlm->Cargar();
    frame::guarded(this, QStringLiteral("cargar"), [&] { cargar(); });
}

void frmGestorMensajesTPV::cargar()
{
    FiltroFechas f;
    f.caducadas = chkVer[0]->isChecked();
    f.presentes = chkVer[1]->isChecked();
    f.futuras = chkVer[2]->isChecked();
    const std::vector<FilaMensaje> rows = clsGestorMensajes(frame::conn()).Cargar(frame::empresa().CodigoEmpresa(), f, hoy());

    controls::Grid& g = *ui->vsMensajes;
    {
        const controls::RedrawOff paused(g);
        g.ClearData();
        const QString tab(QLatin1Char('\t'));
        for (const FilaMensaje& r : rows) {
            QString desc = r.descripcion;
            desc.replace(QLatin1Char('\t'), QLatin1Char(' '));
            g.AddItem(QString::number(r.numero) + tab + desc + tab + host::Formato::FormatoFecha(r.fechaInicial) + tab +
                      host::Formato::FormatoFecha(r.fechaFinal) + tab + textoOrigen(r.origen) + tab +
                      QString::number(r.origen) + tab + textoMostrar(r.codMostrar) + tab + QString() + tab +
                      QString::number(r.color));
            g.setCellBackColor(g.Rows() - 1, ColColor, fromColourNumber(r.color));
        }
        if (!rows.empty())
            g.setRow(1);
    }
    vsMensajes_RowColChange();
}

std::optional<ClaveMensaje> frmGestorMensajesTPV::seleccionado() const
{
    const controls::Grid& g = *ui->vsMensajes;
    const int row = g.Row();
    if (row < g.FixedRows() || row >= g.Rows())
        return std::nullopt;
    return ClaveMensaje{frame::empresa().CodigoEmpresa(), g.TextMatrix(row, ColCodigo).toInt(),
                        g.TextMatrix(row, ColOrigen).toInt()};
}

void frmGestorMensajesTPV::seleccionar(const ClaveMensaje& k)
{
    controls::Grid& g = *ui->vsMensajes;
    for (int r = g.FixedRows(); r < g.Rows(); ++r) {
        if (g.TextMatrix(r, ColCodigo).toInt() == k.numero && g.TextMatrix(r, ColOrigen).toInt() == k.origen) {
            g.setRow(r);
            vsMensajes_RowColChange();
            return;
        }
    }
}

void frmGestorMensajesTPV::habilitarBotones()
{
    const std::optional<ClaveMensaje> k = seleccionado();
    // The central installation does not change what a shop wrote.
    const bool editable = k && !(m_origen == 0 && k->origen == 1);
    ui->cmdModificar->setEnabled(editable);
    ui->cmdEliminar->setEnabled(editable);
    ui->cmdDuplicar->setEnabled(editable);
    ui->lstAlm->setEnabled(editable);
    ui->cmdVisualizar->setEnabled(k.has_value());
}

// Each view box narrows the list at once.
void frmGestorMensajesTPV::chkVer_Click(int)
{
    cargar();
}

void frmGestorMensajesTPV::vsMensajes_RowColChange()
{
    frame::guarded(this, QStringLiteral("vsMensajes_RowColChange"), [&] {
        ui->lstAlm->setAllChecked(false);
        habilitarBotones();
        const std::optional<ClaveMensaje> k = seleccionado();
        if (!k)
            return;
        for (int code : clsGestorMensajes(frame::conn()).Almacenes(*k))
            ui->lstAlm->setCheckedCodigo(code, true);
    });
}

void frmGestorMensajesTPV::lstAlm_ItemCheck(int, int code, bool checked)
{
    const bool ok = frame::guarded(this, QStringLiteral("lstAlm_ItemCheck"), [&] {
        const std::optional<ClaveMensaje> k = seleccionado();
        if (!k)
            return;
        clsGestorMensajes(frame::conn()).AsignarAlmacen(*k, code, checked);
    });
    if (!ok) {
        // The list shows what is stored, not what was refused; a warehouse
        // removed meanwhile leaves the list.
        frame::guarded(this, QStringLiteral("lstAlm_ItemCheck"), [&] { ui->lstAlm->Cargar(); });
        vsMensajes_RowColChange();
    }
}

bool frmGestorMensajesTPV::existeOAvisa(const ClaveMensaje& k)
{
    if (clsGestorMensajes(frame::conn()).Existe(k))
        return true;
    frame::msgAtencion(rowDeletedError(nombreMensaje(k)).description());
    cargar();
    return false;
}

void frmGestorMensajesTPV::cmdAgregar_Click()
{
    frmGestorMensajesTPV_Datos editor(this);
    editor.setNumero(0);
    editor.setOrigen(m_origen);
    editor.setUsuario(m_usuario);
    editor.setSoloLectura(false);
    if (frame::runModal(editor) != frame::DialogResult::Accepted)
        return;
    int numero = 0;
    {
        frame::OperationNotice notice;
        numero = clsGestorMensajes(frame::conn())
                     .Agregar(frame::empresa().CodigoEmpresa(), m_origen, m_usuario, editor.mensaje());
    }
    cargar();
    seleccionar({frame::empresa().CodigoEmpresa(), numero, m_origen});
}

// The data window on a stored message, shown modally; not shown when it
// could not read the message (the failure has been reported).
frame::DialogResult frmGestorMensajesTPV::mostrarEditor(frmGestorMensajesTPV_Datos& editor, const ClaveMensaje& k,
                                                        bool soloLectura)
{
    editor.setNumero(k.numero);
    editor.setOrigen(k.origen);
    editor.setUsuario(m_usuario);
    editor.setSoloLectura(soloLectura);
    return frame::runModal(editor);
}

void frmGestorMensajesTPV::cmdModificar_Click()
{
    const std::optional<ClaveMensaje> k = seleccionado();
    if (!k || !existeOAvisa(*k))
        return;
    frmGestorMensajesTPV_Datos editor(this);
    if (mostrarEditor(editor, *k, false) != frame::DialogResult::Accepted)
        return;
    {
        frame::OperationNotice notice;
        clsGestorMensajes(frame::conn()).Modificar(*k, m_usuario, editor.mensaje());
    }
    cargar();
    seleccionar(*k);
}

void frmGestorMensajesTPV::cmdDuplicar_Click()
{
    const std::optional<ClaveMensaje> k = seleccionado();
    if (!k)
        return;
    if (!frame::askYesNo(
            QStringLiteral("Va a Duplicar el mensaje de TPV y sus almacenes asociados. ¿Desea Continuar?"),
            QStringLiteral("¡ Atención !")))
        return;
    int numero = 0;
    {
        frame::OperationNotice notice;
        numero = clsGestorMensajes(frame::conn()).Duplicar(*k, m_origen, m_usuario);
    }
    cargar();
    seleccionar({k->empresa, numero, m_origen});
}

void frmGestorMensajesTPV::cmdEliminar_Click()
{
    const std::optional<ClaveMensaje> k = seleccionado();
    if (!k)
        return;
    if (!frame::askYesNo(
            QStringLiteral("Va a eliminar el mensaje de TPV y sus almacenes asociados. ¿Desea Continuar?"),
            QStringLiteral("¡ Atención !")))
        return;
    {
        frame::OperationNotice notice;
        clsGestorMensajes(frame::conn()).Eliminar(*k);
    }
    cargar();
}

void frmGestorMensajesTPV::cmdVisualizar_Click()
{
    const std::optional<ClaveMensaje> k = seleccionado();
    if (!k || !existeOAvisa(*k))
        return;
    frmGestorMensajesTPV_Datos editor(this);
    mostrarEditor(editor, *k, true);
}

void frmGestorMensajesTPV::cmdSalir_Click()
{
    close();
}

bool frmGestorMensajesTPV::formQueryUnload()
{
    bool allow = true;
    // A failing check does not keep the user in the window.
    frame::guarded(this, QStringLiteral("Form_QueryUnload"), [&] {
        const std::optional<ClaveMensaje> k =
            clsGestorMensajes(frame::conn()).MensajeSinAlmacen(frame::empresa().CodigoEmpresa(), hoy());
        if (!k)
            return;
        frame::msgAtencion(QStringLiteral("Imposible Continuar, Debe elegir un almacén para el mensaje con Código: ") +
                           QString::number(k->numero) + QStringLiteral(" y Origen: ") + textoOrigen(k->origen));
        allow = false;
        seleccionar(*k);
    });
    return allow;
}

} // namespace zqvr::messages
