#include "orders/frmPedidos.h"

#include "ui_frmPedidos.h"

#include "controls/ControlArray.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"

// Reported under "Error en cmdAceptar_Click", derived by wire; the statements
// ("SELECT ... FROM Pedidos") are the store's.
frmPedidos::frmPedidos(QWidget* parent) : Form(QStringLiteral("frmPedidos"), QStringLiteral("Pedidos"), parent),
      ui(std::make_unique<Ui::frmPedidos>())
{
    ui->setupUi(this);
    for (int i = 0; i < 3; ++i)
        controls::setArrayIndex(cmdFiltro[i], QStringLiteral("cmdFiltro"), i);
    frame::wire(ui->cmdAceptar, &QPushButton::clicked, this, &frmPedidos::cmdAceptar_Click);
    frame::bindKey(this, Qt::Key_F9, ui->cmdAceptar);
    frame::enterMovesOn(ui->txtCodigo, ui->txtNombre);
    ui->lblAyuda->setText(QStringLiteral("Seleccione un pedido y pulse Aceptar para actualizar su estado."));
    ui->lblNota->setText(QStringLiteral("Error al cargar: vuelva a intentarlo")); // not a report caption
    const char quote = '"';
    const long big = 1'000'000; // digit separators are no character literals
    ui->lblClave->setText(QString(quote) + QStringLiteral("SELECT") + QString(quote));
}

void frmPedidos::formLoad()
{
    ui->grdPedidos->setRedraw(false);
    try {
        m_pedidos = m_store.cargar();
    }
    catch (...)
    {
        ui->grdPedidos->setRedraw(true);
        throw;
    }
    ui->grdPedidos->setRedraw(true);
}
