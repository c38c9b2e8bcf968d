#pragma once
// Pictures of the terminal messages: a chosen picture is scaled to the
// 200 pixels high the terminals show and saved beside the original with
// "_resized" in its name; stored pictures are written to short-lived files
// under the installation's Image folder while a message window shows them.
#include "messages_export.h"
#include <QByteArray>
#include <QSize>
#include <QString>

namespace zqvr::messages {

// The height every message picture is shown at.
constexpr int AltoImagenMensaje = 200;

// 200 pixels high keeping the proportions (width rounded); an empty size stays empty.
ZQVR_MESSAGES_EXPORT QSize tamanoRedimensionado(const QSize& original);
// "/a/b/foto.jpg" -> "/a/b/foto_resized.jpg"; a name without extension gets "_resized" at its end.
ZQVR_MESSAGES_EXPORT QString rutaRedimensionada(const QString& path);
// Loads the picture, scales it to 200 pixels high and saves it under
// rutaRedimensionada; returns that path. Throws Error with a clear message
// when the file is not a picture, is too large to read or cannot be written.
ZQVR_MESSAGES_EXPORT QString redimensionarImagen(const QString& path);

// "<RutaAplicacion>/Image/<name>", creating the folder when it is missing.
ZQVR_MESSAGES_EXPORT QString rutaImagenTemporal(const QString& rutaAplicacion, const QString& name);
// Writes bytes to a file, replacing it; throws Error when it cannot.
ZQVR_MESSAGES_EXPORT void escribirFichero(const QString& path, const QByteArray& bytes);
// Reads a whole file; throws Error when it cannot.
ZQVR_MESSAGES_EXPORT QByteArray leerFichero(const QString& path);

} // namespace zqvr::messages
