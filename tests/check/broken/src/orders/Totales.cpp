// No widget: statements and a swallowed failure are not a screen's business here.
#include "orders/Totales.h"

double Totales::suma()
{
    try {
        return m_conn.scalar(QStringLiteral("SELECT SUM(Importe) FROM Pedidos")).toDouble();
    } catch (...) {
        return 0;
    }
}
