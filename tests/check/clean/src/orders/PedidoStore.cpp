#include "orders/PedidoStore.h"
#include "db/TransactionGuard.h"

void PedidoStore::borrar(int codigo)
{
    db::TransactionGuard tx(m_conn);
    m_conn.execute(QStringLiteral("DELETE FROM Pedidos_Lineas WHERE Codigo = %1").arg(codigo));
    m_conn.execute(QStringLiteral("DELETE FROM Pedidos WHERE Codigo = %1").arg(codigo));
    tx.commit();
}
