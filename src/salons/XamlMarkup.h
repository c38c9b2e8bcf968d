#pragma once
// The XAML drawing of a drawn palette element: a Border (background, border
// brush and thickness, corner radius, optional Width/Height) whose TextBlock
// child carries the label (Text, FontSize, FontWeight, Foreground).
//
//   <Border Width="80" Height="80" Background="#FFDEB887" BorderBrush="#FF5A4632"
//           BorderThickness="2" CornerRadius="40">
//     <TextBlock Text="Mesa 1" FontSize="14" FontWeight="Bold" Foreground="Black"/>
//   </Border>
//
// Colours are "#AARRGGBB", "#RRGGBB" or a colour name; thickness and radius
// may be one number or a comma-separated list (the largest is used).
#include "salons_export.h"
#include <QColor>
#include <QSizeF>
#include <QString>

namespace zqvr::salons {

struct ZQVR_SALONS_EXPORT XamlLook {
    // false when the markup is not XML or has no Border; problem says why.
    bool valid = false;
    QString problem;
    QColor background;          // invalid: transparent
    QColor borderBrush;         // invalid: no border line
    double borderThickness = 0;
    double cornerRadius = 0;
    QSizeF size;                // empty when the Border gives none
    bool hasTextBlock = false;
    QString text;
    double fontSize = 12;
    bool bold = false;
    QColor foreground = Qt::black;
};

ZQVR_SALONS_EXPORT XamlLook parseXaml(const QString& markup);

// The Border's Width/Height, or DefaultMarkupSize square when it gives none.
ZQVR_SALONS_EXPORT QSizeF markupSize(const QString& markup);

struct ZQVR_SALONS_EXPORT XamlRename {
    bool changed = false;
    QString markup;   // the new markup, or the old one unchanged
    QString problem;  // why it could not be changed
};

// Sets the Text attribute of the Border's TextBlock to the label and returns
// the re-serialised markup; other markup comes back unchanged with the reason.
ZQVR_SALONS_EXPORT XamlRename setXamlText(const QString& markup, const QString& text);

} // namespace zqvr::salons
