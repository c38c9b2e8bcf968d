// The smallest host of the library: open a connection, make the company
// object, create an entry object by its program identifier, set its
// properties and call Show. The README walks through the same steps.
//
//   minimal-host /path/to/brevanto.db [ZQVRTpvs.frmclsTpvs]
#include "component/ZQVRTpvs.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "host/Empresa.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "usage: minimal-host DATABASE [PROGID]\n";
        return 2;
    }
    const QString progId = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("ZQVRTpvs.frmclsTpvs");

    // 1. The connection the component works on (the host owns it).
    std::unique_ptr<zqvr::db::Connection> conn;
    try {
        conn = zqvr::db::Connection::open(QStringLiteral("sqlite:") + QString::fromLocal8Bit(argv[1]));
    } catch (const zqvr::Error& e) {
        QTextStream(stderr) << e.description() << "\n";
        return 1;
    }

    // 2. The company object: company codes, folders and the user's named values.
    zqvr::host::Empresa empresa;
    empresa.setCodigoEmpresa(1);
    empresa.setEmpresaArticulos(1);
    empresa.setEmpresaClientes(1);
    empresa.setDecimalesPrecio(2);
    empresa.setRutaAplicacion(QApplication::applicationDirPath());
    empresa.setVariable(QStringLiteral("UsuarioActual"), 1);

    // 3. An entry object by program identifier.
    QObject* entry = ZQVRTpvs_CreateObject(progId.toUtf8().constData());
    if (!entry) {
        QTextStream(stderr) << "unknown class " << progId << "; known:\n" << ZQVRTpvs_ListClasses() << "\n";
        return 1;
    }

    // 4. Its properties, then Show(Modal = 1, OwnerForm = none): returns when the window closes.
    entry->setProperty("EmpresaBrevanto", QVariant::fromValue<QObject*>(&empresa));
    entry->setProperty("ConexionBrevanto", QVariant::fromValue<QObject*>(conn.get()));
    int rc = 0;
    try {
        QMetaObject::invokeMethod(entry, "Show", Q_ARG(int, 1), Q_ARG(QObject*, nullptr));
    } catch (const zqvr::Error& e) {
        QTextStream(stderr) << e.description() << "\n";
        rc = 1;
    }

    // 5. Release the entry object: its screen is unloaded.
    delete entry;
    return rc;
}
