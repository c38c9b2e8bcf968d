#include "orders/frmPedidos.h"
#include "controls/ControlArray.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"

// Reported under "Error en cmdAceptar_Click", derived by wire; the statements
// ("SELECT ... FROM Pedidos") are the store's.
frmPedidos::frmPedidos(QWidget* parent) : Form(QStringLiteral("frmPedidos"), QStringLiteral("Pedidos"), parent)
{
    setupUi(this);
    for (int i = 0; i < 3; ++i)
        controls::setArrayIndex(cmdFiltro[i], QStringLiteral("cmdFiltro"), i);
    frame::wire(cmdAceptar, &QPushButton::clicked, this, &frmPedidos::cmdAceptar_Click);
    frame::bindKey(this, Qt::Key_F9, cmdAceptar);
    frame::enterMovesOn(txtCodigo, txtNombre);
    lblAyuda->setText(QStringLiteral("Seleccione un pedido y pulse Aceptar para actualizar su estado."));
    lblNota->setText(QStringLiteral("Error al cargar: vuelva a intentarlo")); // not a report caption
    const char quote = '"';
    const long big = 1'000'000; // digit separators are no character literals
    lblClave->setText(QString(quote) + QStringLiteral("SELECT") + QString(quote));
}

void frmPedidos::formLoad()
{
    grdPedidos->setRedraw(false);
    try {
        m_pedidos = m_store.cargar();
    }
    catch (...)
    {
        grdPedidos->setRedraw(true);
        throw;
    }
    grdPedidos->setRedraw(true);
}
