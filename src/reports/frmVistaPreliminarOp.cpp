#include "reports/frmVistaPreliminarOp.h"

#include "controls/ControlArray.h"

#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/HostContext.h"
#include "host/Empresa.h"
#include "reports/OperationCaptions.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zqvr::reports {

namespace {
// Colours are stored with red in the low byte.
QColor fromStoredColor(int c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
} // namespace

frmVistaPreliminarOp::frmVistaPreliminarOp(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmVistaPreliminarOp"));
    setWindowTitle(tr("Vista Preliminar de Operaciones"));
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    font.setBold(true);
    for (int i = 0; i < Posiciones; ++i) {
        auto* b = new QPushButton(this);
        controls::setArrayIndex(b, QStringLiteral("cmdOperacion"), i);
        b->setFont(font);
        b->setMinimumSize(110, 56);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        b->setAutoDefault(false);
        b->setToolTip(tr("Posición %1").arg(i + 1));
        frame::wireElement(b, &QPushButton::clicked, this, &frmVistaPreliminarOp::cmdOperacion_Click);
        grid->addWidget(b, i / Columnas, i % Columnas);
        cmdOperacion << b;
    }
    cmdCerrar = new QPushButton(tr("&Cerrar"), this);
    cmdCerrar->setObjectName(QStringLiteral("cmdCerrar"));
    cmdCerrar->setAutoDefault(false);
    frame::wire(cmdCerrar, &QPushButton::clicked, this, &frmVistaPreliminarOp::cmdCerrar_Click);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCerrar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);
    Cargar();
}

void frmVistaPreliminarOp::cmdCerrar_Click() { reject(); }

void frmVistaPreliminarOp::Agregar(int codigo, int tecla, int color, int posicion, bool visible)
{
    m_ops.append({codigo, tecla, color, posicion, visible});
    Cargar();
}

void frmVistaPreliminarOp::Limpiar()
{
    m_ops.clear();
    Cargar();
}

void frmVistaPreliminarOp::setModo(int modo)
{
    m_modo = modo;
    Cargar();
}

QPushButton* frmVistaPreliminarOp::boton(int posicion) const
{
    return posicion >= 1 && posicion <= Posiciones ? cmdOperacion.at(posicion - 1) : nullptr;
}

void frmVistaPreliminarOp::showEvent(QShowEvent* e)
{
    m_posicion = 0;
    QDialog::showEvent(e);
}

void frmVistaPreliminarOp::Cargar()
{
    const host::Empresa* empresa = frame::HostContext::instance().empresa();
    const QString club = empresa ? empresa->Variable(QStringLiteral("NombreTarjetaClub")).toString() : QString();
    for (QPushButton* b : cmdOperacion) {
        b->setText(QString());
        b->setStyleSheet(QString());
        b->setProperty("codigo", QVariant());
    }
    // A later entry for the same position wins, as on the terminal.
    for (const Operacion& op : m_ops) {
        QPushButton* b = boton(op.Posicion);
        if (!b)
            continue;
        if (!op.Visible) {
            b->setText(QString());
            b->setStyleSheet(QString());
            b->setProperty("codigo", QVariant());
            continue;
        }
        QString caption = operationCaption(op.Codigo, club);
        const QString key = operationKeyName(op.Tecla);
        if (!key.isEmpty())
            caption += QStringLiteral("\n(") + key + QLatin1Char(')');
        b->setText(caption);
        b->setProperty("codigo", op.Codigo);
        if (op.Color != 0) {
            const QColor back = fromStoredColor(op.Color);
            const QColor fore = back.lightness() < 128 ? QColor(Qt::white) : QColor(Qt::black);
            b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; border: 1px solid #707070; }")
                                 .arg(back.name(), fore.name()));
        }
    }
    // Only the choosing mode reacts to clicks; looking at the panel changes nothing.
    for (QPushButton* b : cmdOperacion)
        b->setCursor(m_modo == 1 ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void frmVistaPreliminarOp::cmdOperacion_Click(int index)
{
    if (m_modo != 1)
        return;
    m_posicion = index + 1;
    accept();
}

} // namespace zqvr::reports
