#include "orders/PedidoStore.h"
#include "frame/HostContext.h"

// Statements belong here: none of these departs.
void PedidoStore::borrar(int codigo)
{
    m_conn.execute(QStringLiteral("DELETE FROM Pedidos WHERE Codigo = %1").arg(codigo));
}
