#pragma once
// Small pictures for the demo data set, drawn in memory and returned as PNG
// bytes ready to be bound to an Imagen column. Every picture fits 60 x 60,
// the size the touch-screen keys show.
#include "demo_export.h"
#include <QByteArray>
#include <QColor>

namespace zqvr::demo {

enum class PictureShape { Round, Square, Bottle, Bar, Table, Plant };

// A picture of the given size (clamped to 60 x 60): a background, a shape in
// the foreground colour and a lighter highlight, so that two articles with
// different colours are told apart on a key.
ZQVR_DEMO_EXPORT QByteArray picture(PictureShape shape, const QColor& background, const QColor& foreground,
                   int width = 48, int height = 48);

} // namespace zqvr::demo
