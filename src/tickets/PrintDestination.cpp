#include "tickets/PrintDestination.h"

#include "controls/ctlDispositivo.h"
#include "controls/ctlImpresoras.h"
#include "frame/Services.h"

#include <QDialog>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zqvr::tickets {

std::optional<PrintTarget> elegirDestino(QWidget* parent, bool textFile)
{
    QDialog dlg(parent);
    dlg.setObjectName(QStringLiteral("frmReport_Destino"));
    dlg.setWindowTitle(QStringLiteral("Imprimir Tickets"));
    auto* cboDispositivo = new controls::ctlDispositivo(&dlg);
    cboDispositivo->setObjectName(QStringLiteral("cboDispositivo"));
    auto* cboImpresora = new controls::ctlImpresoras(&dlg);
    cboImpresora->setObjectName(QStringLiteral("cboImpresora"));
    auto* cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), &dlg);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    auto* cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), &dlg);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Dispositivo:"), cboDispositivo);
    form->addRow(QStringLiteral("Impresora:"), cboImpresora);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdAceptar);
    buttons->addWidget(cmdCancelar);
    auto* main = new QVBoxLayout(&dlg);
    main->addLayout(form);
    main->addLayout(buttons);
    // The printer matters only for the printer.
    auto follow = [=] { cboImpresora->setEnabled(cboDispositivo->Valor() == controls::ctlDispositivo::Impresora); };
    QObject::connect(cboDispositivo, &controls::ctlDispositivo::DispositivoCambiado, &dlg, follow);
    follow();
    QObject::connect(cmdAceptar, &QPushButton::clicked, &dlg, &QDialog::accept);
    QObject::connect(cmdCancelar, &QPushButton::clicked, &dlg, &QDialog::reject);
    if (frame::runModal(dlg) != QDialog::Accepted)
        return std::nullopt;

    PrintTarget t;
    switch (cboDispositivo->Valor()) {
    case controls::ctlDispositivo::Pantalla:
        t.device = host::OutputDevice::Screen;
        break;
    case controls::ctlDispositivo::Impresora:
        t.device = host::OutputDevice::Printer;
        t.target = cboImpresora->Impresora();
        if (t.target.isEmpty()) {
            frame::msgAtencion(QStringLiteral("No hay ninguna impresora instalada."));
            return std::nullopt;
        }
        break;
    case controls::ctlDispositivo::Fichero:
        t.device = host::OutputDevice::File;
        t.target = frame::Services::files().saveFile(
            parent, QStringLiteral("Imprimir Tickets"),
            QDir::home().filePath(textFile ? QStringLiteral("ticket.txt") : QStringLiteral("ticket.pdf")),
            textFile ? QStringLiteral("Texto (*.txt)") : QStringLiteral("PDF (*.pdf)"));
        if (t.target.isEmpty())
            return std::nullopt;
        break;
    }
    return t;
}

} // namespace zqvr::tickets
