#include "orders/frmPedidos.h"

// None of this counts, it is a comment: "SELECT * FROM Pedidos", setProperty("index", 1),
// qApp->installEventFilter(this), catch (...) {}, "Error en cmdX_Click".
/* Nor this: "DELETE FROM Pedidos" catch (...) { } */

frmPedidos::frmPedidos(QWidget* parent) : Form(QStringLiteral("frmPedidos"), QStringLiteral("Pedidos"), parent)
{
    setupUi(this);
    for (int i = 0; i < 3; ++i)
        cmdFiltro[i]->setProperty("index", i);
    frame::wire(cmdAceptar, &QPushButton::clicked, this, &frmPedidos::cmdAceptar_Click,
                QStringLiteral("Error en cmdAceptar_Click"));
    const char* help = "press catch (...) { } for nothing"; // a literal: not code
    txtCodigo->installEventFilter(this);
}

bool frmPedidos::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        focusNextChild();
        return true;
    }
    return Form::eventFilter(watched, event);
}

void frmPedidos::cargar()
{
    auto rs = frame::conn().query(QStringLiteral("SELECT Codigo, Nombre FROM Pedidos ORDER BY Codigo"));
    frame::conn().execute(QStringLiteral("  INSERT INTO Pedidos (Codigo) VALUES (") + QString::number(m_codigo) +
                          QStringLiteral(")"));
    frame::conn().execute(R"sql(UPDATE Pedidos SET Estado = 1)sql");
    frame::conn().execute(QStringLiteral("DELETE FROM Pedidos WHERE Codigo = 3"));
    try {
        rellenar(rs);
    }
    catch (
        ...)
    {
        // throw; is only said here
        log("no throw here");
    }
}
