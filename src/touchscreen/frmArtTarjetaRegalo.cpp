#include "touchscreen/frmArtTarjetaRegalo.h"
#include "ui_frmArtTarjetaRegalo.h"

#include "touchscreen/GiftCardArticles.h"

#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "frame/Services.h"
#include "host/Empresa.h"

#include <QHeaderView>

namespace zqvr::touchscreen {

namespace {
constexpr int KeyEnter = 13;
GiftCardArticles store()
{
    return GiftCardArticles(frame::conn(), frame::empresa().CodigoEmpresa(), frame::empresa().EmpresaArticulos());
}
} // namespace

frmArtTarjetaRegalo::frmArtTarjetaRegalo(QWidget* parent)
    : Form(QStringLiteral("frmArtTarjetaRegalo"), QStringLiteral("Artículo para Tarjeta de Regalo"), parent),
      ui(std::make_unique<Ui::frmArtTarjetaRegalo>())
{
    ui->setupUi(this);
    frame::declareReports(this, frame::ReportNames().under(QStringLiteral("frmArtTarjetaRegalo"),
                                                           {QStringLiteral("cargar"),
                                                            QStringLiteral("AddArt"),
                                                            QStringLiteral("RemoveArt")}));
    auto* g = ui->vsArticulos;
    g->setFixedRows(1);
    g->setRows(1);
    g->setColumns({{QStringLiteral("Código"), 1500, controls::Grid::AlignRight},
                   {QStringLiteral("Descripción"), -1, controls::Grid::AlignLeft}});
    g->horizontalHeader()->setStretchLastSection(true);

    frame::wire(ui->txtArticulo, &controls::ctlCodePicker::KeyPress, this, &frmArtTarjetaRegalo::txtArticulo_KeyPress);
    frame::wire(g, &controls::Grid::KeyDown, this, &frmArtTarjetaRegalo::vsArticulos_KeyDown);
    frame::wire(ui->cmdEliminar, &QPushButton::clicked, this, &frmArtTarjetaRegalo::cmdEliminar_Click);
    frame::wire(ui->cmdCerrar, &QPushButton::clicked, this, &frmArtTarjetaRegalo::cmdCerrar_Click);
}

frmArtTarjetaRegalo::~frmArtTarjetaRegalo() = default;

void frmArtTarjetaRegalo::formLoad()
{
    ui->txtArticulo->setConexion(&frame::conn());
    ui->txtArticulo->setEmpresa(&frame::empresa());
    cargar();
}

void frmArtTarjetaRegalo::cargar()
{
    frame::guarded(this, QStringLiteral("cargar"), [&] {
        auto* g = ui->vsArticulos;
        g->ClearData();
        const auto rows = store().list();
        const controls::RedrawOff paused(*g);
        for (const auto& [code, desc] : rows)
            g->AddItem(QString::number(code) + QLatin1Char('\t') + QString(desc).replace(QLatin1Char('\t'), QLatin1Char(' ')));
    });
}

void frmArtTarjetaRegalo::txtArticulo_KeyPress(int& keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    keyAscii = 0;
    if (ui->txtArticulo->Codigo() != 0)
        AddArt();
}

void frmArtTarjetaRegalo::AddArt()
{
    frame::guarded(this, QStringLiteral("AddArt"), [&] {
        const qint64 code = ui->txtArticulo->Codigo();
        switch (store().add(code)) {
        case GiftCardArticles::AddResult::Added: {
            ui->txtArticulo->Cargar();
            auto* g = ui->vsArticulos;
            g->AddItem(QString::number(code));
            g->setTextMatrix(g->Rows() - 1, 1, ui->txtArticulo->Nombre());
            g->setRow(g->Rows() - 1);
            break;
        }
        case GiftCardArticles::AddResult::AlreadyThere:
            frame::msgBox(QStringLiteral("Ya el artículo esta establecido como tarjeta de regalo."),
                          QStringLiteral("Error"), frame::MsgIcon::Critical);
            break;
        case GiftCardArticles::AddResult::NoSuchArticle:
            frame::msgAtencion(QStringLiteral("No existe el artículo ") + QString::number(code) + QLatin1Char('.'));
            break;
        }
        ui->txtArticulo->setText(QString());
    });
}

void frmArtTarjetaRegalo::vsArticulos_KeyDown(int& keyCode, int shift)
{
    // Delete, also the keypad's.
    if (keyCode == Qt::Key_Delete) {
        keyCode = 0;
        RemoveArt();
    }
}

void frmArtTarjetaRegalo::cmdEliminar_Click() { RemoveArt(); }

void frmArtTarjetaRegalo::cmdCerrar_Click() { close(); }

void frmArtTarjetaRegalo::RemoveArt()
{
    frame::guarded(this, QStringLiteral("RemoveArt"), [&] {
        auto* g = ui->vsArticulos;
        const int row = g->Row();
        if (row < g->FixedRows() || row >= g->Rows())
            return;
        store().remove(g->TextMatrix(row, 0).toLongLong());
        g->RemoveItem(row);
    });
}

} // namespace zqvr::touchscreen
