// Numbers and dates as users type them and as text columns hold them: the
// suite's notation read by the host's formatting service, and the values
// read from the database. What is read is finite, writes out in the suite's
// notation and reads back the same.
#include "FuzzCheck.h"

#include "db/Value.h"
#include "host/Formato.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace zqvr;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString t = fuzz::text(data, size);

    bool ok = false;
    const double n = host::Formato::LeerNumero(t, &ok);
    FUZZ_CHECK(std::isfinite(n));
    FUZZ_CHECK(ok || n == 0);
    if (ok && std::fabs(n) < 1e12) {
        for (int decimals : {0, 2, 4}) {
            const QString shown = host::Formato::FormatoNumero(n, decimals);
            bool again = false;
            const double back = host::Formato::LeerNumero(shown, &again);
            FUZZ_CHECK(again);
            const double rounded = host::Redondear(n, decimals);
            FUZZ_CHECK(std::fabs(back - rounded) <= 1e-9 * std::max(1.0, std::fabs(rounded)));
        }
    }

    const QDate d = host::Formato::LeerFecha(t);
    if (d.isValid()) {
        const QString shown = host::Formato::FormatoFecha(d);
        FUZZ_CHECK(host::Formato::LeerFecha(shown) == d);
        FUZZ_CHECK(host::Formato::FormatoFecha(t) == shown);
    } else {
        FUZZ_CHECK(host::Formato::FormatoFecha(t).isEmpty());
    }

    const db::Value v{QVariant(t)};
    const double dv = v.toDouble();
    FUZZ_CHECK(std::isfinite(dv));
    const qint64 l = v.toLongLong();
    const int i = v.toInt();
    // Integers never change sign on the way to a narrower type.
    FUZZ_CHECK(!(dv > 0.5 && (l < 0 || i < 0)));
    FUZZ_CHECK(!(dv < -0.5 && (l > 0 || i > 0)));
    (void)v.toBool();
    (void)v.toDateTime();
    (void)v.toDate();
    return 0;
}
