#pragma once
// The password file a VNC viewer reads with "-passwd FILE": the first eight
// characters of the password (padded with zero bytes) enciphered with DES
// under the fixed key every VNC viewer and server share. It only keeps the
// password from being read at a glance; what protects it is the file's mode.
#include "terminals_export.h"
#include <QByteArray>
#include <QString>

namespace zqvr::terminals {

// One DES block (8 bytes) enciphered under an 8-byte key, standard bit order.
ZQVR_TERMINALS_EXPORT QByteArray desEncryptBlock(const QByteArray& key8, const QByteArray& block8);
// The 8 bytes of a VNC password file for the password (Latin-1, cut to 8).
ZQVR_TERMINALS_EXPORT QByteArray vncPasswordFileBytes(const QString& password);

} // namespace zqvr::terminals
