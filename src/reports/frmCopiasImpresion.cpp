#include "reports/frmCopiasImpresion.h"
#include "ui_frmCopiasImpresion.h"

#include "frame/Wiring.h"
#include "frame/ErrorReport.h"
#include "frame/Services.h"

#include <cmath>

namespace zqvr::reports {

frmCopiasImpresion::frmCopiasImpresion(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmCopiasImpresion>())
{
    ui->setupUi(this);
    ui->txtCopias->setNumeric(true);
    ui->txtCopias->setText(QString::number(CopiasIniciales));
    ui->txtCopias->selectAll();
    frame::wire(ui->cmdImprimir, &QPushButton::clicked, this, &frmCopiasImpresion::cmdImprimir_Click);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmCopiasImpresion::cmdSalir_Click);
}

frmCopiasImpresion::~frmCopiasImpresion() = default;

void frmCopiasImpresion::cmdImprimir_Click()
{
    // A count of copies is a whole number that fits the 16 bits it is kept in;
    // anything else (0, empty, negative, absurdly many) is asked for again.
    const double value = ui->txtCopias->Valor();
    const long long copies = std::llround(value);
    if (copies < 1 || copies > 32767) {
        frame::msgBox(QStringLiteral("Se esperaba número de copias."), QStringLiteral("¡Atención!"),
                      frame::MsgIcon::Information);
        ui->txtCopias->setFocus();
        ui->txtCopias->selectAll();
        return;
    }
    m_copias = static_cast<qint16>(copies);
    m_impresora = ui->txtImpresora->Impresora();
    accept();
}

void frmCopiasImpresion::cmdSalir_Click()
{
    reject();
}

} // namespace zqvr::reports
