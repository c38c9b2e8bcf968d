#include "messages/VistaPrevia.h"

#include "controls/Grid.h"
#include "controls/GridModel.h"
#include "messages/ColourCombo.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace zqvr::messages {

namespace {
constexpr int DarkRed = 192;
constexpr int White = 16777215;
constexpr int Navy = 8388608;

// Gives each preview row its own font; the grid itself knows only bold.
class RowFontDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    std::vector<FilaVistaPrevia> rows;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const int r = index.row();
        if (r < 0 || r >= int(rows.size()))
            return;
        QFont f(QStringLiteral("Tahoma"));
        f.setPointSize(rows[size_t(r)].puntos);
        f.setBold(rows[size_t(r)].negrita);
        option->font = f;
        option->fontMetrics = QFontMetrics(f);
        option->displayAlignment = Qt::AlignCenter;
        option->features |= QStyleOptionViewItem::WrapText;
    }
};
} // namespace

std::vector<FilaVistaPrevia> filasVistaPrevia(bool central, const QString& linea1, const QString& linea2,
                                              int modoMostrar)
{
    std::vector<FilaVistaPrevia> rows;
    rows.push_back({central ? QStringLiteral("Mensaje desde Central") : QStringLiteral("Mensaje desde Varelko"), 9, true,
                    White, DarkRed});
    rows.push_back({linea1, 16, true, Navy, -1});
    rows.push_back({linea2, 12, false, Navy, -1});
    if (modoMostrar == 0)
        rows.push_back({QStringLiteral("- Presione la barra espaciadora o tócame para continuar -"), 8, false, DarkRed, -1});
    return rows;
}

void prepararVistaPrevia(controls::Grid& vsP)
{
    vsP.setItemDelegate(new RowFontDelegate(&vsP));
    vsP.verticalHeader()->hide();
    vsP.setShowGrid(false);
    vsP.setSelectionMode(QAbstractItemView::NoSelection);
    vsP.setFocusPolicy(Qt::NoFocus);
    vsP.horizontalHeader()->setStretchLastSection(true);
    vsP.setFixedRows(0); // the preview has no header: every row is the message's
    vsP.setColumns({{QString()}});
    vsP.ClearData();     // the header row it had became an empty data row
}

void pintarVistaPrevia(controls::Grid& vsP, const std::vector<FilaVistaPrevia>& filas, int colorFondo)
{
    auto* delegate = dynamic_cast<RowFontDelegate*>(vsP.itemDelegate());
    Q_ASSERT_X(delegate, "pintarVistaPrevia", "the grid is made a preview by prepararVistaPrevia");
    if (delegate)
        delegate->rows = filas;
    {
        const controls::RedrawOff paused(vsP);
        vsP.ClearData();
        const QColor back = fromColourNumber(colorFondo);
        QPalette pal = vsP.palette();
        pal.setColor(QPalette::Base, back);
        vsP.setPalette(pal);
        for (const FilaVistaPrevia& f : filas) {
            QString text = f.texto;
            text.replace(QLatin1Char('\t'), QLatin1Char(' '));
            vsP.AddItem(text);
            const int row = vsP.Rows() - 1;
            vsP.setCellForeColor(row, 0, fromColourNumber(f.colorTexto));
            vsP.setCellBackColor(row, 0, f.colorFondo < 0 ? back : fromColourNumber(f.colorFondo));
            vsP.setCellFontBold(row, 0, f.negrita);
        }
    }
    vsP.resizeRowsToContents();
}

} // namespace zqvr::messages
