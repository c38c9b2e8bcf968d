#include "messages/frmGestorMensajesTPV_HistImagen.h"

#include "frame/ErrorReport.h"

#include "ui_frmGestorMensajesTPV_HistImagen.h"

#include "frame/Wiring.h"
#include "frame/HostContext.h"
#include "host/Empresa.h"
#include "messages/ImagenMensaje.h"
#include "messages/clsGestorMensajes.h"

#include <QFile>
#include <QPixmap>

namespace zqvr::messages {

frmGestorMensajesTPV_HistImagen::frmGestorMensajesTPV_HistImagen(QWidget* parent)
    : Dialog(parent), ui(std::make_unique<Ui::frmGestorMensajesTPV_HistImagen>())
{
    frame::declareReports(this, frame::ReportNames()
                                    .style(frame::ReportStyle::NumberInText)
                                    .allUnder(QStringLiteral("frmGestorMensajesTPV_HistImagen")));
    ui->setupUi(this);
    frame::wire(ui->cmdSalir, &QPushButton::clicked, this, &frmGestorMensajesTPV_HistImagen::cmdSalir_Click);
}

frmGestorMensajesTPV_HistImagen::~frmGestorMensajesTPV_HistImagen()
{
    borrarFicheros();
}

void frmGestorMensajesTPV_HistImagen::cmdSalir_Click() { reject(); }

void frmGestorMensajesTPV_HistImagen::borrarFicheros()
{
    for (QString* f : {&m_anterior, &m_actual}) {
        if (!f->isEmpty())
            QFile::remove(*f);
        f->clear();
    }
}

bool frmGestorMensajesTPV_HistImagen::Form_Load()
{
    // A picture that cannot be read leaves its button empty; the window still opens.
    frame::guarded(this, QStringLiteral("Form_Load"), [&] {
        borrarFicheros();
        ui->cmdImagenAnterior->setIcon(QIcon());
        ui->cmdImagenActual->setIcon(QIcon());
        const auto [anterior, actual] = clsGestorMensajes(frame::conn()).ImagenesHistorico(m_id);
        const QString folder = frame::empresa().RutaAplicacion();
        auto show = [&](const QByteArray& bytes, const QString& name, QPushButton* target) -> QString {
            if (bytes.isEmpty())
                return {};
            const QString path = rutaImagenTemporal(folder, name);
            escribirFichero(path, bytes);
            target->setIcon(QIcon(QPixmap(path)));
            return path;
        };
        m_actual = show(actual, QStringLiteral("Hist_%1.png").arg(m_id), ui->cmdImagenActual);
        m_anterior = show(anterior, QStringLiteral("HistAnt_%1.png").arg(m_id), ui->cmdImagenAnterior);
    });
    return true;
}

} // namespace zqvr::messages
