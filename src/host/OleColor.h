#pragma once
// Colours as the suite stores them: 24-bit integers with red in the low
// byte, green in the middle and blue in the high byte (0x00BBGGRR). The
// terminals read these numbers, so every colour column goes through here.
#include "host_export.h"

#include <QColor>

namespace zqvr::host {

// The colour a stored number means; bits above the 24 colour bits are ignored.
ZQVR_HOST_EXPORT QColor fromOleColor(qint64 value);
// The number to store for a colour (alpha dropped).
ZQVR_HOST_EXPORT int toOleColor(const QColor& color);

} // namespace zqvr::host
