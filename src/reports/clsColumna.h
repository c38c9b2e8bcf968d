#pragma once
// One printed column of the grid printer (CRPrintGrid): its field in the
// temporary table, its header, alignment, font, width and place in twips,
// whether it may grow to several lines and which summary the report footer
// prints for it.
#include "reports_export.h"
#include "reports/ReportLayout.h"

#include <QString>

namespace zqvr::reports {

struct ZQVR_REPORTS_EXPORT clsColumna {
    // Summaries a column can print in the report footer.
    enum Resumenes { SinResumen = 0, Suma = 1, Cuenta = 2, Media = 3, Minimo = 4, Maximo = 5 };

    QString Nombre;          // field name in the temporary table (or of the record set)
    QString Titulo;          // header text
    bool Visible = true;
    int TextAling = 1;       // 1 left, 2 centre, 3 right
    FontSpec Fuente{QStringLiteral("DejaVu Sans"), 8};
    int Resumen = SinResumen;
    int Width = 1440;        // twips
    int lngX = 0;            // twips, set when the report is built
    int lngY = 0;
    bool PuedeCrecer = false;
    int Index = -1;          // grid column, -1 for a record set or a query
    int TipoDato = 8;        // the grid's data type number (2 integer ... 8 text, 11 boolean)
    QString Formato;         // how the field prints (ReportObject::format); made from the data when empty
};

} // namespace zqvr::reports
