#pragma once
// The editor's working copy: one slot per button of the page on screen.
// Colours are the stored 24-bit values (red in the low byte).
#include "touchscreen_export.h"
#include "touchscreen/LayoutPlaces.h"

#include <QByteArray>
#include <QColor>
#include <QString>

namespace zqvr::touchscreen {

// RGB(246, 246, 246): the colour of a button nobody has painted.
inline constexpr qint32 DefaultButtonColor = 246 | (246 << 8) | (246 << 16);

// Key kinds (the "Tipo" item); any other article code below 1 is kept as its own kind.
inline constexpr int KindArticle = 1;
inline constexpr int KindBack = -1;
inline constexpr int KindLink = -2;

struct ZQVR_TOUCHSCREEN_EXPORT GroupSlot {
    int numero = 0;        // Cod_Grupo; 0 = the button holds no group yet
    int posicion = 0;
    int tipoTexto = 0;     // 0 show the text, 1 show none
    QString texto;         // Descripcion as typed
    qint32 foreColor = 0;
    qint32 backColor = DefaultButtonColor;
    QByteArray imagen;     // stored picture bytes, empty when none
    int imagenIndex = 0;   // 1-based index in the window's group picture list, 0 = none
    bool defecto = false;

    bool stored() const { return numero != 0; }
    // The caption the button shows.
    QString caption() const;
};

struct ZQVR_TOUCHSCREEN_EXPORT KeySlot {
    int grupo = 0;
    qint32 articulo = 0;
    int tipo = KindArticle;
    int posicion = ParkedPlace; // 99 = not stored yet
    int tipoTexto = 0;          // 0 article description, 1 Texto, 2 none
    QString texto;              // Texto as stored
    QString descripcion;        // the article's description
    double unidades = 1;
    qint32 foreColor = 0;
    qint32 backColor = DefaultButtonColor;
    int origenImagen = 0;
    QByteArray imagen;
    int imagenIndex = 0;
    bool pesado = false;
    QString vinculo;

    bool stored() const { return posicion != ParkedPlace; }
    // The text the key shows before the "[VACIO]" rule: Texto, or the article's description.
    QString shownText() const { return tipoTexto != 0 ? texto : descripcion; }
    QString caption() const;
};

// Stored colours are 24-bit values with red in the low byte.
inline QColor colorFromStored(qint32 v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }
inline qint32 colorToStored(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

// A stored button left with the default colour, no picture and no text shows this.
inline const QString EmptyCaption = QStringLiteral("[VACIO]");

} // namespace zqvr::touchscreen
