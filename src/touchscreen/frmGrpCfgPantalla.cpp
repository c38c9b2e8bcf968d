#include "touchscreen/frmGrpCfgPantalla.h"

#include "ui_frmGrpCfgPantalla.h"

#include "controls/ColumnLimit.h"
#include "controls/PropertyGrid.h"
#include "controls/ctlCodePicker.h"
#include "db/Connection.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "frame/Wiring.h"
#include "host/Empresa.h"
#include "touchscreen/ImageList.h"
#include "touchscreen/LayoutStore.h"
#include "touchscreen/PageButton.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace zqvr::touchscreen {

using controls::PropertyGrid;
using controls::PropertyItem;

namespace {
// Pitches of the pages: 1440 twips across and 1200 down between buttons.
constexpr int PitchX = 1440 / 15;
constexpr int PitchY = 1200 / 15;
constexpr int ButtonW = PitchX - 6;
constexpr int ButtonH = PitchY - 6;
constexpr int OriginX = 12;
constexpr int OriginY = 26;
constexpr int ArrowGap = 60 / 15; // the arrow sits 60 twips beyond a right half

// Group grid items.
enum { GrpTipoTexto = 1, GrpTexto, GrpColorTexto, GrpColorFondo, GrpDefecto, GrpImagen };
// Key grid items.
enum {
    ArtTipo = 1, ArtArticulo, ArtTipoTexto, ArtTexto, ArtUnidades, ArtColorTexto, ArtColorFondo,
    ArtOrigenImagen, ArtImagen, ArtPesado, ArtVinculo
};

// The key's text: its own, held to the column while it can be typed, or the
// article's description, shown whole and read-only.
void showKeyText(PropertyGrid* a, const QString& text, bool editable)
{
    PropertyItem* item = a->item(ArtTexto);
    if (auto* edit = qobject_cast<QLineEdit*>(item->editor()))
        edit->setMaxLength(editable ? db::schema::textLength(QStringLiteral("TPV_CfgPantalla_Grupos_Lineas"),
                                                             QStringLiteral("Texto"))
                                    : 32767);
    item->setValue(text);
    item->setReadOnly(!editable);
}

QPixmap pictureOf(const QByteArray& bytes)
{
    QPixmap p;
    if (!bytes.isEmpty())
        p.loadFromData(bytes);
    return p;
}

QPixmap arrowPicture()
{
    QPixmap pm(9, ButtonH);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(200, 0, 0), 3));
    p.drawLine(4, 6, 4, ButtonH - 6);
    p.setBrush(QColor(200, 0, 0));
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(9, 0), QPoint(4, 7)}));
    p.drawPolygon(QPolygon({QPoint(0, ButtonH), QPoint(9, ButtonH), QPoint(4, ButtonH - 7)}));
    return pm;
}

int listValue(const QVariant& v) { return v.toInt(); }
} // namespace

frmGrpCfgPantalla::frmGrpCfgPantalla(QWidget* parent) : Dialog(parent), ui(std::make_unique<Ui::frmGrpCfgPantalla>())
{
    ui->setupUi(this);
    // The tick and the arrow only show; the buttons under them take the mouse.
    ui->chkGDF->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui->chkGDF->adjustSize();
    ui->pctFlecha->setPixmap(arrowPicture());
    ui->pctFlecha->setAttribute(Qt::WA_TransparentForMouseEvents);
    ui->pctFlecha->adjustSize();

    ImageManager1 = new ImageList(this);
    ImageManager1->setObjectName(QStringLiteral("ImageManager1"));
    ImageManager = new ImageList(this);
    ImageManager->setObjectName(QStringLiteral("ImageManager"));

    prepararPropiedadesGrupo();
    prepararPropiedadesArticulo();
    conectar();
}

frmGrpCfgPantalla::~frmGrpCfgPantalla() = default;

// Colours and pictures are chosen through the component's modal and file services.
void frmGrpCfgPantalla::prepararSelectores(PropertyGrid* grid)
{
    grid->setColorChooser([this](const QColor& current) -> std::optional<QColor> {
        QColorDialog dlg(current, this);
        dlg.setObjectName(QStringLiteral("dlgColor"));
        if (frame::runModal(dlg) != frame::DialogResult::Accepted)
            return std::nullopt;
        return dlg.currentColor();
    });
    grid->setPictureChooser([this] {
        return frame::Services::files().openFile(this, QStringLiteral("Imagen"), QString(),
                                                 QStringLiteral("Imágenes (*.png *.jpg *.jpeg *.bmp *.gif)"));
    });
}

void frmGrpCfgPantalla::prepararPropiedadesGrupo()
{
    PropertyGrid* g = ui->wndPropGridGrp;
    prepararSelectores(g);
    g->addCategory(QStringLiteral("Botón Grupo"));
    auto* tt = g->addItem(GrpTipoTexto, PropertyItem::List, QStringLiteral("Tipo Texto"));
    tt->addChoice(QStringLiteral("Texto personalizado"), 0);
    tt->addChoice(QStringLiteral("No Mostrar"), 1);
    controls::limitToColumn(g->addItem(GrpTexto, PropertyItem::Text, QStringLiteral("Texto"))->editor(),
                            QStringLiteral("TPV_CfgPantalla_Grupos"), QStringLiteral("Descripcion"));
    g->addItem(GrpColorTexto, PropertyItem::Color, QStringLiteral("Color Texto"));
    g->addItem(GrpColorFondo, PropertyItem::Color, QStringLiteral("Color Fondo"));
    g->addItem(GrpDefecto, PropertyItem::YesNo, QStringLiteral("Grupo por Defecto"));
    g->addItem(GrpImagen, PropertyItem::Picture, QStringLiteral("Imagen"));
    g->addCommand(101, QStringLiteral("Establecer Predeterminado"));
    g->addCommand(102, QStringLiteral("Eliminar Grupo"));
    g->addCommand(103, QStringLiteral("Quitar Imagen"));
}

void frmGrpCfgPantalla::prepararPropiedadesArticulo()
{
    PropertyGrid* a = ui->wndPropGridArt;
    prepararSelectores(a);
    a->addCategory(QStringLiteral("Botón Artículo"));
    auto* kind = a->addItem(ArtTipo, PropertyItem::List, QStringLiteral("Tipo"));
    kind->addChoice(QStringLiteral("Articulo"), KindArticle);
    kind->addChoice(QStringLiteral("Botón Atrás"), KindBack);
    kind->addChoice(QStringLiteral("Vinculo Externo"), KindLink);
    a->addItem(ArtArticulo, PropertyItem::TextButton, QStringLiteral("Artículo"));
    auto* at = a->addItem(ArtTipoTexto, PropertyItem::List, QStringLiteral("Tipo Texto"));
    at->addChoice(QStringLiteral("Texto del artículo"), 0);
    at->addChoice(QStringLiteral("Texto personalizado"), 1);
    at->addChoice(QStringLiteral("No mostrar"), 2);
    a->addItem(ArtTexto, PropertyItem::Text, QStringLiteral("Texto"));
    a->addItem(ArtUnidades, PropertyItem::Number, QStringLiteral("Unidades"));
    a->addItem(ArtColorTexto, PropertyItem::Color, QStringLiteral("Color Texto"));
    a->addItem(ArtColorFondo, PropertyItem::Color, QStringLiteral("Color Fondo"));
    auto* origin = a->addItem(ArtOrigenImagen, PropertyItem::List, QStringLiteral("Origen imagen"));
    origin->addChoice(QStringLiteral("Imagen personalizada"), 0);
    origin->addChoice(QStringLiteral("Imagen de la ficha"), 1);
    a->addItem(ArtImagen, PropertyItem::Picture, QStringLiteral("Imagen"));
    auto* weighed = a->addItem(ArtPesado, PropertyItem::List, QStringLiteral("Pesado en TPV"));
    weighed->addChoice(QStringLiteral("No"), 0);
    weighed->addChoice(QStringLiteral("Si"), 1);
    controls::limitToColumn(a->addItem(ArtVinculo, PropertyItem::Text, QStringLiteral("PathVinculo"))->editor(),
                            QStringLiteral("TPV_CfgPantalla_Grupos_Lineas"), QStringLiteral("PathVinculo"));
    a->addCommand(201, QStringLiteral("Eliminar Artículo"));
    a->addCommand(202, QStringLiteral("Quitar Imagen"));
}

void frmGrpCfgPantalla::conectar()
{
    PropertyGrid* g = ui->wndPropGridGrp;
    PropertyGrid* a = ui->wndPropGridArt;
    // The page buttons and the property grids report by the system's event names.
    frame::ReportNames names;
    names.under(QStringLiteral("frmGrpCfgPantalla"),
                {QStringLiteral("ConfiguracionPantalla"),
                 QStringLiteral("CargarCodigosRapido"),
                 QStringLiteral("CargarArticulos"),
                 QStringLiteral("wndPropGridGrp_ValueChanged"),
                 QStringLiteral("wndPropGridArt_ValueChanged"),
                 QStringLiteral("Establecer_GrupoDefecto"),
                 QStringLiteral("Eliminar_Articulo"),
                 QStringLiteral("Eliminar_Grupo"),
                 QStringLiteral("Quitar_ImagenArticulo"),
                 QStringLiteral("Quitar_ImagenGrupo"),
                 QStringLiteral("MoverArticulo"),
                 QStringLiteral("MoverGrupo")});
    for (const char* grid : {"wndPropGridGrp", "wndPropGridArt"})
        names.reportAs(QLatin1String(grid) + QStringLiteral("_CommandClicked"), QLatin1String(grid) + QStringLiteral("_Command"));
    for (const char* page : {"cmdRapido", "cmdArticulo"}) {
        names.reportAs(QLatin1String(page) + QStringLiteral("_Selected"), QLatin1String(page) + QStringLiteral("_Click"));
        names.reportAs(QLatin1String(page) + QStringLiteral("_Dropped"), QLatin1String(page) + QStringLiteral("_DragDrop"));
    }
    frame::declareReports(this, names);
    frame::wire(g, &PropertyGrid::ValueChanged, this, &frmGrpCfgPantalla::wndPropGridGrp_ValueChanged);
    frame::wire(a, &PropertyGrid::ValueChanged, this, &frmGrpCfgPantalla::wndPropGridArt_ValueChanged);
    frame::wire(g, &PropertyGrid::CommandClicked, this, &frmGrpCfgPantalla::wndPropGridGrp_Command);
    frame::wire(a, &PropertyGrid::CommandClicked, this, &frmGrpCfgPantalla::wndPropGridArt_Command);
    frame::wire(a, &PropertyGrid::KeyDown, this, &frmGrpCfgPantalla::wndPropGridArt_KeyDown);
    frame::wire(a, &PropertyGrid::InplaceButtonDown, this, &frmGrpCfgPantalla::wndPropGridArt_InplaceButtonDown);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmGrpCfgPantalla::cmdSalir_Click);
}

void frmGrpCfgPantalla::cmdSalir_Click() { accept(); }

void frmGrpCfgPantalla::distribuir()
{
    const int n = buttonCount(m_tipo);
    const int cols = buttonColumns(m_tipo);
    QFont captionFont(QStringLiteral("Tahoma"));
    captionFont.setBold(true);
    auto make = [&](std::vector<PageButton*>& list, QGroupBox* frame, const QString& name, bool grupos) {
        for (PageButton* b : list)
            delete b;
        list.clear();
        for (int i = 0; i < n; ++i) {
            auto* b = new PageButton(name, i, frame);
            b->setGeometry(OriginX + (i % cols) * PitchX, OriginY + (i / cols) * PitchY, ButtonW, ButtonH);
            b->setFont(captionFont);
            b->show();
            if (grupos) {
                frame::wire(b, &PageButton::Selected, this, &frmGrpCfgPantalla::cmdRapido_Click);
                frame::wire(b, &PageButton::DragOver, this, &frmGrpCfgPantalla::cmdRapido_DragOver);
                frame::wire(b, &PageButton::Dropped, this, &frmGrpCfgPantalla::cmdRapido_DragDrop);
            } else {
                frame::wire(b, &PageButton::Selected, this, &frmGrpCfgPantalla::cmdArticulo_Click);
                frame::wire(b, &PageButton::DragOver, this, &frmGrpCfgPantalla::cmdArticulo_DragOver);
                frame::wire(b, &PageButton::Dropped, this, &frmGrpCfgPantalla::cmdArticulo_DragDrop);
            }
            connect(b, &PageButton::DragCancelled, ui->pctFlecha, &QWidget::hide);
            list.push_back(b);
        }
        frame->setFixedSize(OriginX * 2 + (cols - 1) * PitchX + ButtonW, OriginY + 3 * PitchY + ButtonH + 12);
    };
    make(cmdRapido, ui->fraGrupos, QStringLiteral("cmdRapido"), true);
    make(cmdArticulo, ui->fraArticulos, QStringLiteral("cmdArticulo"), false);
    ui->Shape1->lower();
    ui->Shape->lower();
}

bool frmGrpCfgPantalla::Form_Load()
{
    frame::guarded(this, QStringLiteral("ConfiguracionPantalla"), [&] {
        host::Empresa& empresa = frame::empresa();
        db::Connection& conn = frame::conn();
        ui->txtArticuloTAC->setConexion(&conn);
        ui->txtArticuloTAC->setEmpresa(&empresa);
        setWindowTitle(QStringLiteral("[Configuración Grupos Pantalla] - ") + m_descripcion);
        m_store = std::make_unique<LayoutStore>(conn, empresa.CodigoEmpresa(), m_codigo, m_tipo,
                                                empresa.EmpresaArticulos());
        distribuir();
        m_loaded = true;
        m_articulos.assign(buttonCount(m_tipo), KeySlot{});
        CargarCodigosRapido();
        cmdRapido_Click(m_defaultIndex >= 0 ? m_defaultIndex : 0);
    });
    return true;
}

void frmGrpCfgPantalla::CargarCodigosRapido()
{
    frame::guarded(this, QStringLiteral("CargarCodigosRapido"), [&] {
        int def = -1;
        auto grupos = m_store->loadGroups(&def);
        ImageManager1->clear();
        for (GroupSlot& s : grupos) {
            const QPixmap p = pictureOf(s.imagen);
            if (!p.isNull())
                s.imagenIndex = ImageManager1->add(p);
        }
        m_grupos = std::move(grupos);
        m_defaultIndex = def;
        for (int i = 0; i < int(m_grupos.size()); ++i)
            refrescarGrupo(i);
        colocarMarcaDefecto();
    });
}

void frmGrpCfgPantalla::CargarArticulos()
{
    frame::guarded(this, QStringLiteral("CargarArticulos"), [&] {
        const GroupSlot& g = m_grupos.at(m_grupoIndex);
        std::vector<KeySlot> keys;
        if (g.stored()) {
            keys = m_store->loadKeys(g.numero);
        } else {
            keys.assign(buttonCount(m_tipo), KeySlot{});
        }
        ImageManager->clear();
        for (KeySlot& k : keys) {
            const QPixmap p = pictureOf(k.imagen);
            if (!p.isNull())
                k.imagenIndex = ImageManager->add(p);
        }
        m_articulos = std::move(keys);
    });
    for (int i = 0; i < int(m_articulos.size()); ++i)
        refrescarArticulo(i);
}

void frmGrpCfgPantalla::refrescarGrupo(int index)
{
    const GroupSlot& s = m_grupos.at(index);
    cmdRapido.at(index)->setFace(colorFromStored(s.backColor), colorFromStored(s.foreColor),
                                 s.imagenIndex > 0 ? ImageManager1->at(s.imagenIndex) : QPixmap(), s.caption());
}

void frmGrpCfgPantalla::refrescarArticulo(int index)
{
    const KeySlot& s = m_articulos.at(index);
    cmdArticulo.at(index)->setFace(colorFromStored(s.backColor), colorFromStored(s.foreColor),
                                   s.imagenIndex > 0 ? ImageManager->at(s.imagenIndex) : QPixmap(), s.caption());
}

void frmGrpCfgPantalla::marcar(QFrame* mark, QWidget* button)
{
    mark->setGeometry(button->geometry().adjusted(-4, -4, 4, 4));
    mark->show();
    mark->lower();
}

void frmGrpCfgPantalla::colocarMarcaDefecto()
{
    if (m_defaultIndex < 0 || m_defaultIndex >= int(cmdRapido.size()) || !m_grupos[m_defaultIndex].stored()) {
        ui->chkGDF->hide();
        return;
    }
    const QRect r = cmdRapido[m_defaultIndex]->geometry();
    ui->chkGDF->move(r.right() - ui->chkGDF->width() - 2, r.top() + 2);
    ui->chkGDF->show();
    ui->chkGDF->raise();
}

void frmGrpCfgPantalla::cmdRapido_Click(int index)
{
    if (!m_loaded || index < 0 || index >= int(m_grupos.size()))
        return;
    m_grupoIndex = index;
    marcar(ui->Shape1, cmdRapido[index]);
    cargarPropiedadesGrupo();
    CargarArticulos();
    cmdArticulo_Click(m_articuloIndex);
    const bool stored = m_grupos[index].stored();
    ui->fraArticulos->setEnabled(stored);
    ui->wndPropGridArt->setEnabled(stored);
}

void frmGrpCfgPantalla::cmdArticulo_Click(int index)
{
    if (!m_loaded || index < 0 || index >= int(m_articulos.size()))
        return;
    m_articuloIndex = index;
    marcar(ui->Shape, cmdArticulo[index]);
    cargarPropiedadesArticulo();
}

void frmGrpCfgPantalla::cargarPropiedadesGrupo()
{
    const GroupSlot& s = m_grupos.at(m_grupoIndex);
    PropertyGrid* g = ui->wndPropGridGrp;
    g->item(GrpTipoTexto)->setValue(s.tipoTexto);
    g->item(GrpTexto)->setValue(s.texto);
    g->item(GrpColorTexto)->setValue(colorFromStored(s.foreColor));
    g->item(GrpColorFondo)->setValue(colorFromStored(s.backColor));
    g->item(GrpDefecto)->setValue(s.defecto);
    g->item(GrpImagen)->setValue(QString());
}

void frmGrpCfgPantalla::cargarPropiedadesArticulo()
{
    const KeySlot& s = m_articulos.at(m_articuloIndex);
    PropertyGrid* a = ui->wndPropGridArt;
    const int kind = (s.tipo == KindBack || s.tipo == KindLink) ? s.tipo : KindArticle;
    a->item(ArtTipo)->setValue(kind);
    a->item(ArtArticulo)->setValue(s.articulo > 0 ? QString::number(s.articulo) : QString());
    a->item(ArtTipoTexto)->setValue(s.tipoTexto);
    showKeyText(a, s.tipoTexto == 1 ? s.texto : s.descripcion, s.tipoTexto == 1);
    a->item(ArtUnidades)->setValue(s.unidades);
    a->item(ArtColorTexto)->setValue(colorFromStored(s.foreColor));
    a->item(ArtColorFondo)->setValue(colorFromStored(s.backColor));
    a->item(ArtOrigenImagen)->setValue(s.origenImagen);
    a->item(ArtImagen)->setValue(QString());
    a->item(ArtPesado)->setValue(s.pesado ? 1 : 0);
    a->item(ArtVinculo)->setValue(s.vinculo);
    // A back or link key has no article to type in.
    a->item(ArtArticulo)->setReadOnly(kind != KindArticle);
    a->item(ArtImagen)->setReadOnly(s.origenImagen == 1);
}

// ---------------------------------------------------------------------------
// Property changes: each one is written at once, creating the row of an
// empty button first, all in one transaction; when it fails, the button
// and its grid show again what is stored.

void frmGrpCfgPantalla::wndPropGridGrp_ValueChanged(PropertyItem* item)
{
    const GroupSlot before = m_grupos.at(m_grupoIndex);
    const bool wasStored = before.stored();
    const bool ok = frame::guarded(this, QStringLiteral("wndPropGridGrp_ValueChanged"), [&] {
        db::TransactionGuard tx(frame::conn());
        cambioGrupo(item->index(), item->value());
        tx.commit();
    });
    if (!ok) {
        m_grupos[m_grupoIndex] = before;
        cargarPropiedadesGrupo();
    }
    refrescarGrupo(m_grupoIndex);
    if (ok && !wasStored && m_grupos[m_grupoIndex].stored()) {
        ui->fraArticulos->setEnabled(true);
        ui->wndPropGridArt->setEnabled(true);
        for (KeySlot& k : m_articulos)
            k.grupo = m_grupos[m_grupoIndex].numero;
    }
}

void frmGrpCfgPantalla::cambioGrupo(int item, const QVariant& value)
{
    GroupSlot& s = m_grupos.at(m_grupoIndex);
    // The store creates the row of an empty button with what the slot holds
    // before the change, then writes the change; the slot takes it afterwards.
    switch (item) {
    case GrpTipoTexto: {
        const int mode = listValue(value);
        m_store->setGroupTextMode(s, m_grupoIndex, mode);
        return;
    }
    case GrpTexto:
        m_store->setGroupCaption(s, m_grupoIndex, value.toString());
        return;
    case GrpColorTexto: {
        m_store->setGroupForeColour(s, m_grupoIndex, colorToStored(value.value<QColor>()));
        return;
    }
    case GrpColorFondo: {
        m_store->setGroupBackColour(s, m_grupoIndex, colorToStored(value.value<QColor>()));
        return;
    }
    case GrpDefecto:
        // Whatever the tick says, the group becomes the default: a default is replaced, never cleared.
        m_store->ensureGroup(s, m_grupoIndex);
        Establecer_GrupoDefecto();
        return;
    case GrpImagen:
        m_store->storeGroupPicture(s, m_grupoIndex, value.toString());
        mostrarImagenGrupo(s);
        return;
    default: return;
    }
}

void frmGrpCfgPantalla::mostrarImagenGrupo(GroupSlot& s)
{
    const QPixmap p = pictureOf(s.imagen);
    if (p.isNull())
        return;
    if (s.imagenIndex == 0)
        s.imagenIndex = ImageManager1->add(p);
    else
        ImageManager1->replace(s.imagenIndex, p);
}

void frmGrpCfgPantalla::wndPropGridArt_ValueChanged(PropertyItem* item)
{
    const KeySlot before = m_articulos.at(m_articuloIndex);
    const bool ok = frame::guarded(this, QStringLiteral("wndPropGridArt_ValueChanged"), [&] {
        db::TransactionGuard tx(frame::conn());
        cambioArticulo(item->index(), item->value());
        tx.commit();
    });
    if (!ok) {
        m_articulos[m_articuloIndex] = before;
        cargarPropiedadesArticulo();
    }
    refrescarArticulo(m_articuloIndex);
}

void frmGrpCfgPantalla::cambioArticulo(int item, const QVariant& value)
{
    KeySlot& s = m_articulos.at(m_articuloIndex);
    PropertyGrid* a = ui->wndPropGridArt;
    // The store creates the row of an empty key with what the slot holds
    // before the change, then writes the change; the slot takes the value afterwards.
    const int at = m_articuloIndex;
    // Sets another item as the user would have and handles it as its own change.
    auto chain = [&](int other, const QVariant& v) {
        a->item(other)->setValue(v);
        cambioArticulo(other, v);
    };
    switch (item) {
    case ArtTipo: {
        const int kind = listValue(value);
        if (kind == KindBack) {
            chain(ArtTipoTexto, 1);
            chain(ArtTexto, QStringLiteral("ATRAS"));
            chain(ArtArticulo, QString::number(KindBack));
            a->item(ArtArticulo)->setReadOnly(true);
            a->item(ArtArticulo)->setValue(QString());
        } else if (kind == KindLink) {
            chain(ArtTipoTexto, 1);
            chain(ArtArticulo, QString::number(KindLink));
            a->item(ArtArticulo)->setReadOnly(true);
            a->item(ArtArticulo)->setValue(QString());
        } else {
            chain(ArtArticulo, QStringLiteral("0"));
            a->item(ArtArticulo)->setReadOnly(false);
        }
        s.tipo = kind;
        return;
    }
    case ArtArticulo: {
        bool numeric = false;
        const QString typed = value.toString().trimmed();
        qint64 code = typed.toLongLong(&numeric);
        if (!numeric || code < std::numeric_limits<qint32>::min() || code > std::numeric_limits<qint32>::max()) {
            a->item(ArtArticulo)->setValue(QString());
            return;
        }
        const bool custom = s.tipoTexto == 1;
        QString description;
        if (code >= 1 && custom) {
            // A key with its own text keeps the code as typed: the article may
            // not be in this company's file yet. Its description, when there is
            // one, is kept only for showing the key in the article's text later.
            const QString found = m_store->articleDescription(static_cast<qint32>(code));
            if (!found.isNull())
                description = found;
        } else if (code >= 1) {
            const QString found = m_store->articleDescription(static_cast<qint32>(code));
            if (found.isNull()) {
                code = 0;
                showKeyText(a, QStringLiteral("EL ARTICULO NO EXISTE"), false);
            } else {
                description = found;
                showKeyText(a, found, false);
            }
        }
        m_store->setKeyArticle(s, at, static_cast<qint32>(code));
        s.descripcion = description;
        if (code >= 1)
            s.tipo = KindArticle;
        a->item(ArtArticulo)->setValue(code > 0 ? QString::number(code) : QString());
        return;
    }
    case ArtTipoTexto: {
        const int mode = listValue(value);
        m_store->setKeyTextMode(s, at, mode);
        showKeyText(a, mode == 1 ? s.texto : s.descripcion, mode == 1);
        return;
    }
    case ArtTexto:
        m_store->setKeyText(s, at, value.toString());
        return;
    case ArtUnidades:
        m_store->setKeyUnits(s, at, value.toDouble());
        return;
    case ArtColorTexto: {
        m_store->setKeyForeColour(s, at, colorToStored(value.value<QColor>()));
        return;
    }
    case ArtColorFondo: {
        m_store->setKeyBackColour(s, at, colorToStored(value.value<QColor>()));
        return;
    }
    case ArtOrigenImagen: {
        const int origin = listValue(value);
        a->item(ArtImagen)->setReadOnly(origin == 1);
        if (origin == 1 && s.articulo >= 1) {
            // The article record's picture: <DirImagenArt>/<code>.jpg, when there is one.
            const QString dir = frame::empresa().Variable(QStringLiteral("DirImagenArt")).toString();
            const QString file = QDir(dir).filePath(QString::number(s.articulo) + QStringLiteral(".jpg"));
            if (!dir.isEmpty() && QFileInfo(file).isFile()) {
                m_store->storeKeyPicture(s, m_articuloIndex, file);
                mostrarImagenArticulo(s);
            }
        }
        m_store->setKeyPictureSource(s, at, origin);
        return;
    }
    case ArtImagen: {
        m_store->storeKeyPicture(s, m_articuloIndex, value.toString());
        mostrarImagenArticulo(s);
        return;
    }
    case ArtPesado:
        m_store->setKeyWeighed(s, at, listValue(value));
        return;
    case ArtVinculo:
        m_store->setKeyLink(s, at, value.toString());
        return;
    default: return;
    }
}

void frmGrpCfgPantalla::mostrarImagenArticulo(KeySlot& s)
{
    const QPixmap p = pictureOf(s.imagen);
    if (p.isNull())
        return;
    if (s.imagenIndex == 0)
        s.imagenIndex = ImageManager->add(p);
    else
        ImageManager->replace(s.imagenIndex, p);
}

void frmGrpCfgPantalla::wndPropGridArt_KeyDown(int& keyCode, int)
{
    if (keyCode != Qt::Key_F3)
        return;
    PropertyItem* item = ui->wndPropGridArt->selectedItem();
    if (!item || item->index() != ArtArticulo)
        return;
    keyCode = 0;
    buscarArticulo();
}

void frmGrpCfgPantalla::wndPropGridArt_InplaceButtonDown(PropertyItem* item)
{
    if (item->index() == ArtArticulo)
        buscarArticulo();
}

void frmGrpCfgPantalla::buscarArticulo()
{
    PropertyItem* item = ui->wndPropGridArt->item(ArtArticulo);
    if (item->isReadOnly() || !ui->wndPropGridArt->isEnabled())
        return;
    ui->txtArticuloTAC->setText(QString());
    ui->txtArticuloTAC->Buscar();
    const qint64 chosen = ui->txtArticuloTAC->Codigo();
    if (chosen > 0)
        item->setValueFromUser(QString::number(chosen));
}

// ---------------------------------------------------------------------------
// Commands

void frmGrpCfgPantalla::wndPropGridGrp_Command(int id)
{
    if (id == 101)
        frame::guarded(this, QStringLiteral("Establecer_GrupoDefecto"), [&] { Establecer_GrupoDefecto(); });
    else if (id == 102)
        Eliminar_Grupo();
    else if (id == 103)
        Quitar_ImagenGrupo();
}

void frmGrpCfgPantalla::wndPropGridArt_Command(int id)
{
    if (id == 201)
        Eliminar_Articulo();
    else if (id == 202)
        Quitar_ImagenArticulo();
}

void frmGrpCfgPantalla::Establecer_GrupoDefecto()
{
    GroupSlot& s = m_grupos.at(m_grupoIndex);
    if (!s.stored())
        return;
    m_store->setDefaultGroup(s.numero);
    if (m_defaultIndex >= 0 && m_defaultIndex < int(m_grupos.size()))
        m_grupos[m_defaultIndex].defecto = false;
    s.defecto = true;
    m_defaultIndex = m_grupoIndex;
    colocarMarcaDefecto();
    ui->wndPropGridGrp->item(GrpDefecto)->setValue(true);
}

void frmGrpCfgPantalla::Eliminar_Articulo()
{
    frame::guarded(this, QStringLiteral("Eliminar_Articulo"), [&] {
        KeySlot& s = m_articulos.at(m_articuloIndex);
        if (!s.stored())
            return;
        if (frame::msgBox(QStringLiteral("¿Desea eliminar el artículo seleccionado.?"), QStringLiteral("Eliminar ARTICULO"),
                          frame::MsgIcon::Exclamation, frame::MsgButtons::YesNo, frame::MsgResult::No)
            != frame::MsgResult::Yes)
            return;
        m_store->deleteKey(s);
        refrescarArticulo(m_articuloIndex);
        cargarPropiedadesArticulo();
    });
}

void frmGrpCfgPantalla::Eliminar_Grupo()
{
    frame::guarded(this, QStringLiteral("Eliminar_Grupo"), [&] {
        GroupSlot& s = m_grupos.at(m_grupoIndex);
        if (!s.stored())
            return;
        if (frame::msgBox(QStringLiteral("¿Desea eliminar el grupo seleccionado y todos los artículos que contiene.?"),
                          QStringLiteral("Eliminar GRUPO"), frame::MsgIcon::Exclamation, frame::MsgButtons::YesNo,
                          frame::MsgResult::No)
            != frame::MsgResult::Yes)
            return;
        m_store->deleteGroup(s);
        // The store cleared the default with the group.
        if (m_defaultIndex == m_grupoIndex)
            m_defaultIndex = -1;
        colocarMarcaDefecto();
        refrescarGrupo(m_grupoIndex);
        cmdRapido_Click(m_grupoIndex);
    });
}

void frmGrpCfgPantalla::Quitar_ImagenArticulo()
{
    frame::guarded(this, QStringLiteral("Quitar_ImagenArticulo"), [&] {
        KeySlot& s = m_articulos.at(m_articuloIndex);
        if (!s.stored())
            return;
        m_store->removeKeyPicture(s);
        ImageManager->remove(s.imagenIndex);
        s.imagenIndex = 0;
        refrescarArticulo(m_articuloIndex);
        cargarPropiedadesArticulo();
    });
}

void frmGrpCfgPantalla::Quitar_ImagenGrupo()
{
    frame::guarded(this, QStringLiteral("Quitar_ImagenGrupo"), [&] {
        GroupSlot& s = m_grupos.at(m_grupoIndex);
        if (!s.stored())
            return;
        m_store->removeGroupPicture(s);
        ImageManager1->remove(s.imagenIndex);
        s.imagenIndex = 0;
        refrescarGrupo(m_grupoIndex);
        cargarPropiedadesGrupo();
    });
}

// ---------------------------------------------------------------------------
// Drag and drop

PageButton* frmGrpCfgPantalla::botonEn(bool grupos, const QPoint& globalPos, bool* after) const
{
    for (PageButton* b : grupos ? cmdRapido : cmdArticulo) {
        const QPoint local = b->mapFromGlobal(globalPos);
        if (b->rect().contains(local)) {
            if (after)
                *after = local.x() >= b->width() / 2;
            return b;
        }
    }
    return nullptr;
}

void frmGrpCfgPantalla::arrastrando(bool grupos, int f, const QPoint& globalPos)
{
    bool after = false;
    PageButton* target = botonEn(grupos, globalPos, &after);
    if (!target || target->index() == f) {
        ui->pctFlecha->hide();
        return;
    }
    QWidget* frame = grupos ? static_cast<QWidget*>(ui->fraGrupos) : ui->fraArticulos;
    if (ui->pctFlecha->parentWidget() != frame)
        ui->pctFlecha->setParent(frame);
    const QRect r = target->geometry();
    const int x = after ? r.right() + ArrowGap : r.left();
    ui->pctFlecha->move(x, r.top());
    ui->pctFlecha->show();
    ui->pctFlecha->raise();
}

void frmGrpCfgPantalla::cmdRapido_DragOver(int f, const QPoint& globalPos) { arrastrando(true, f, globalPos); }
void frmGrpCfgPantalla::cmdRapido_DragDrop(int f, const QPoint& globalPos) { soltado(true, f, globalPos); }
void frmGrpCfgPantalla::cmdArticulo_DragOver(int f, const QPoint& globalPos) { arrastrando(false, f, globalPos); }
void frmGrpCfgPantalla::cmdArticulo_DragDrop(int f, const QPoint& globalPos) { soltado(false, f, globalPos); }

void frmGrpCfgPantalla::soltado(bool grupos, int f, const QPoint& globalPos)
{
    ui->pctFlecha->hide();
    bool after = false;
    PageButton* target = botonEn(grupos, globalPos, &after);
    if (!target) // dropped outside the page
        return;
    if (grupos)
        MoverGrupo(f, target->index(), after);
    else
        MoverArticulo(f, target->index(), after);
}

void frmGrpCfgPantalla::MoverArticulo(int f, int t, bool after)
{
    const int n = int(m_articulos.size());
    if (!m_loaded || f == t || f < 0 || t < 0 || f >= n || t >= n)
        return;
    const GroupSlot& g = m_grupos.at(m_grupoIndex);
    if (!g.stored())
        return;
    const int final = std::clamp(finalIndex(f, t, after), 0, n - 1);
    const bool ok = frame::guarded(this, QStringLiteral("MoverArticulo"),
                                   [&] { m_store->moveKey(g.numero, f, final); });
    if (!ok || final == f)
        return;
    // Committed: the page follows.
    KeySlot moved = m_articulos[f];
    m_articulos.erase(m_articulos.begin() + f);
    m_articulos.insert(m_articulos.begin() + final, moved);
    for (int i = std::min(f, final); i <= std::max(f, final); ++i) {
        if (m_articulos[i].stored())
            m_articulos[i].posicion = placeOf(m_tipo, i);
        refrescarArticulo(i);
    }
    cmdArticulo_Click(final);
}

void frmGrpCfgPantalla::MoverGrupo(int f, int t, bool after)
{
    const int n = int(m_grupos.size());
    if (!m_loaded || f == t || f < 0 || t < 0 || f >= n || t >= n)
        return;
    const int final = std::clamp(finalIndex(f, t, after), 0, n - 1);
    int newDefault = 0;
    const bool ok = frame::guarded(this, QStringLiteral("MoverGrupo"),
                                   [&] { newDefault = m_store->moveGroup(f, final); });
    if (!ok || final == f)
        return;
    GroupSlot moved = m_grupos[f];
    m_grupos.erase(m_grupos.begin() + f);
    m_grupos.insert(m_grupos.begin() + final, moved);
    m_defaultIndex = -1;
    for (int i = 0; i < n; ++i) {
        GroupSlot& s = m_grupos[i];
        if (s.stored()) {
            s.numero = i + 1;
            s.posicion = placeOf(m_tipo, i);
        }
        s.defecto = s.stored() && s.numero == newDefault;
        if (s.defecto)
            m_defaultIndex = i;
    }
    for (int i = std::min(f, final); i <= std::max(f, final); ++i)
        refrescarGrupo(i);
    colocarMarcaDefecto();
    // The selection stays with the group it was on, whose keys now carry its new number.
    cmdRapido_Click(indexAfterMove(m_grupoIndex, f, final));
}

} // namespace zqvr::touchscreen
