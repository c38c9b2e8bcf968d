#include "LauncherWindow.h"

#include "component/ZQVRTpvs.h"
#include "ControlsDemoPage.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "frame/ErrorReport.h"
#include "frame/Services.h"
#include "host/Empresa.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace brevanto {

namespace {
// What each entry class opens, for the list.
QString describe(const QString& cls)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("frmclsTpvs"), QStringLiteral("Mantenimiento de TPVs")},
        {QStringLiteral("frmclsVisorTpvs"), QStringLiteral("Monitor de TPVs")},
        {QStringLiteral("frmclsVisorTickets"), QStringLiteral("Visor de tickets")},
        {QStringLiteral("frmclsCodigosRapido"), QStringLiteral("Códigos rápidos")},
        {QStringLiteral("frmclsFacturaTicket"), QStringLiteral("Factura desde ticket")},
        {QStringLiteral("frmclsParametros"), QStringLiteral("Parámetros de los TPVs")},
        {QStringLiteral("frmclsReservasVisor"), QStringLiteral("Visor de reservas")},
        {QStringLiteral("frmclsArtTarjetaRegalo"), QStringLiteral("Artículos tarjeta regalo")},
        {QStringLiteral("frmclsCfgPantalla"), QStringLiteral("Configuración de pantallas táctiles")},
        {QStringLiteral("frmclsCfgSalones"), QStringLiteral("Salones")},
        {QStringLiteral("frmclsGestorMensajesTPV"), QStringLiteral("Gestor de mensajes")},
        {QStringLiteral("frmclsParkingMtto"), QStringLiteral("Parking")},
        {QStringLiteral("clsCfgPantallaTactil"), QStringLiteral("Actualizar imágenes de las teclas")},
    };
    return names.value(cls);
}
} // namespace

LauncherWindow::LauncherWindow(zqvr::db::Connection* conn, zqvr::host::Empresa* empresa,
                               const QString& dbPath, QWidget* parent)
    : QMainWindow(parent), m_conn(conn), m_empresa(empresa)
{
    setObjectName(QStringLiteral("LauncherWindow"));
    setWindowTitle(QStringLiteral("Brevanto — ZQVRTpvs"));
    auto* central = new QWidget(this);
    auto* lay = new QVBoxLayout(central);
    auto* title = new QLabel(QStringLiteral("<b>Clases de ZQVRTpvs</b> — doble clic o «Abrir» para mostrar su ventana"),
                             central);
    lay->addWidget(title);
    m_list = new QListWidget(central);
    m_list->setObjectName(QStringLiteral("lstClases"));
    const QString all = QString::fromUtf8(ZQVRTpvs_ListClasses());
    for (const QString& progId : all.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QString cls = progId.section(QLatin1Char('.'), 1);
        const QString text = describe(cls).isEmpty() ? progId : progId + QStringLiteral("  —  ") + describe(cls);
        auto* item = new QListWidgetItem(text, m_list);
        item->setData(Qt::UserRole, progId);
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
    lay->addWidget(m_list, 1);

    auto* buttons = new QHBoxLayout;
    m_modal = new QCheckBox(QStringLiteral("Modal"), central);
    m_modal->setObjectName(QStringLiteral("chkModal"));
    auto* open = new QPushButton(QStringLiteral("&Abrir"), central);
    open->setObjectName(QStringLiteral("cmdAbrir"));
    auto* release = new QPushButton(QStringLiteral("&Liberar objeto"), central);
    release->setObjectName(QStringLiteral("cmdLiberar"));
    auto* controls = new QPushButton(QStringLiteral("&Controles..."), central);
    controls->setObjectName(QStringLiteral("cmdControles"));
    buttons->addWidget(m_modal);
    buttons->addStretch();
    buttons->addWidget(controls);
    buttons->addWidget(release);
    buttons->addWidget(open);
    lay->addLayout(buttons);
    setCentralWidget(central);

    connect(open, &QPushButton::clicked, this, &LauncherWindow::onOpen);
    connect(release, &QPushButton::clicked, this, &LauncherWindow::onRelease);
    connect(controls, &QPushButton::clicked, this, &LauncherWindow::openControlsPage);
    connect(m_list, &QListWidget::itemActivated, this, &LauncherWindow::onOpen);

    QString company;
    try {
        company = m_conn->scalar(QStringLiteral("SELECT Nombre_1 FROM Empresas WHERE Codigo = %1")
                                     .arg(m_empresa->CodigoEmpresa()))
                      .toString();
    } catch (const zqvr::Error&) {
    }
    statusBar()->showMessage(QStringLiteral("Empresa %1 %2 · usuario %3 · %4")
                                 .arg(m_empresa->CodigoEmpresa())
                                 .arg(company)
                                 .arg(m_empresa->usuarioActual())
                                 .arg(dbPath));
    resize(620, 420);
}

LauncherWindow::~LauncherWindow()
{
    for (QObject* o : std::as_const(m_objects))
        delete o;
}

void LauncherWindow::openClass(const QString& progId)
{
    try {
        QObject* obj = m_objects.value(progId);
        if (!obj) {
            obj = ZQVRTpvs_CreateObject(progId.toUtf8().constData());
            if (!obj) {
                zqvr::frame::msgBox(QStringLiteral("Clase desconocida: %1").arg(progId), windowTitle(),
                                    zqvr::frame::MsgIcon::Exclamation);
                return;
            }
            m_objects.insert(progId, obj);
        }
        // The host's calling order: company and connection first, then Show.
        obj->setProperty("EmpresaBrevanto", QVariant::fromValue<QObject*>(m_empresa));
        obj->setProperty("ConexionBrevanto", QVariant::fromValue<QObject*>(m_conn));
        if (obj->metaObject()->indexOfProperty("Usuario") >= 0)
            obj->setProperty("Usuario", m_empresa->usuarioActual());
        if (obj->metaObject()->indexOfMethod("Show(int,QObject*)") < 0) {
            zqvr::frame::msgBox(QStringLiteral("%1 no tiene ventana: se usa desde la línea de órdenes.").arg(progId),
                                windowTitle(), zqvr::frame::MsgIcon::Information);
            return;
        }
        QMetaObject::invokeMethod(obj, "Show", Q_ARG(int, m_modal->isChecked() ? 1 : 0),
                                  Q_ARG(QObject*, this));
    } catch (const zqvr::Error& e) {
        zqvr::frame::reportError(e, QStringLiteral("Error en %1").arg(progId));
    } catch (const std::exception& e) {
        zqvr::frame::reportException(e, QStringLiteral("Error en %1").arg(progId));
    }
}

void LauncherWindow::releaseClass(const QString& progId)
{
    delete m_objects.take(progId);
}

void LauncherWindow::onOpen()
{
    if (auto* item = m_list->currentItem())
        openClass(item->data(Qt::UserRole).toString());
}

void LauncherWindow::onRelease()
{
    if (auto* item = m_list->currentItem())
        releaseClass(item->data(Qt::UserRole).toString());
}

void LauncherWindow::openControlsPage()
{
    if (!m_controlsPage) {
        auto* page = new ControlsDemoPage(m_conn, m_empresa, this);
        page->setWindowFlag(Qt::Window);
        page->setAttribute(Qt::WA_DeleteOnClose);
        m_controlsPage = page;
    }
    m_controlsPage->show();
    m_controlsPage->raise();
}

} // namespace brevanto
