#pragma once
// The ticket logos the terminals print, kept as files in the "Imagen"
// folder of the point-of-sale program: "Logo.bmp" for every warehouse,
// "logo<warehouse>.bmp" for one, and their dot-matrix variants
// "LogoMX.bmp" / "LogoMX<warehouse>.bmp". After a new dot-matrix logo the
// marker file "setNVBitImage.txt" tells the terminals to store it in their
// printers again. Changes are written at once.
#include "parameters_export.h"

#include <QImage>
#include <QString>

namespace zqvr::parameters {

class ZQVR_PARAMETERS_EXPORT LogoFolder {
public:
    // The point-of-sale program folder: the installation folder followed by
    // "/../Fenvary/Fenvary" or "/../Kolvane/Kolvane" for each edition.
    static QString programFolder(const QString& rutaAplicacion, bool esFenvary);

    explicit LogoFolder(QString programFolder) : m_program(std::move(programFolder)) {}
    QString imageFolder() const { return m_program + QStringLiteral("/Imagen/"); }

    // Logo k: 0 the generic one, 1 the warehouse's.
    static QString fileName(int k, int almacen);
    static QString dotMatrixName(int k, int almacen);
    QString path(int k, int almacen) const { return imageFolder() + fileName(k, almacen); }
    QString dotMatrixPath(int k, int almacen) const { return imageFolder() + dotMatrixName(k, almacen); }
    QString markerPath() const { return imageFolder() + QStringLiteral("setNVBitImage.txt"); }

    // Makes the chosen picture logo k; with dotMatrix also its monochrome
    // variant and the marker. Throws Error (with the reason) when the picture
    // cannot be read or the folder written; the previous logo then stays.
    void install(int k, int almacen, const QString& source, bool dotMatrix) const;
    // Deletes logo k and its dot-matrix variant; throws Error when a file stays.
    void remove(int k, int almacen) const;

    // The monochrome variant of a picture for dot-matrix printers: at most
    // 360 x 120 dots, one bit per dot.
    static QImage dotMatrixImage(const QImage& source);

private:
    QString m_program;
};

} // namespace zqvr::parameters
