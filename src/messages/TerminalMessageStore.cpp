#include "messages/TerminalMessageStore.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "host/Formato.h"
#include "messages/ImagenMensaje.h"

#include <QFileInfo>
#include <algorithm>
#include <QHash>
#include <limits>

namespace zqvr::messages {

using db::sqlFlag;
using db::sqlInt;
using db::sqlNumber;
using db::sqlText;

namespace {

// The message fields a history row keeps twice (new value, and _Ant the one
// before), in the order the history grid shows them.
const QStringList& camposHistorico()
{
    static const QStringList fields = {
        QStringLiteral("Descripcion"),   QStringLiteral("Linea1"),           QStringLiteral("Linea2"),
        QStringLiteral("Color"),         QStringLiteral("FechaInicial"),     QStringLiteral("FechaFinal"),
        QStringLiteral("NumRepetir"),    QStringLiteral("MostrarImagen"),    QStringLiteral("Cod_Mostrar"),
        QStringLiteral("ModoMostrar"),   QStringLiteral("Horario1"),         QStringLiteral("Horario2"),
        QStringLiteral("Hora1Ini"),      QStringLiteral("Hora1Fin"),         QStringLiteral("Hora2Ini"),
        QStringLiteral("Hora2Fin"),      QStringLiteral("L"),                QStringLiteral("M"),
        QStringLiteral("X"),             QStringLiteral("J"),                QStringLiteral("V"),
        QStringLiteral("S"),             QStringLiteral("D"),                QStringLiteral("IntervaloTickets"),
        QStringLiteral("IntervaloEuros"), QStringLiteral("IntervaloNumTickets"), QStringLiteral("IntervaloMinEuros")};
    return fields;
}

// The message's columns in the order its INSERT names them.
const QStringList& camposMensaje()
{
    static const QStringList fields = {
        QStringLiteral("Descripcion"), QStringLiteral("FechaInicial"), QStringLiteral("FechaFinal"),
        QStringLiteral("Linea1"),      QStringLiteral("Linea2"),       QStringLiteral("Color"),
        QStringLiteral("Cod_Mostrar"), QStringLiteral("ModoMostrar"),  QStringLiteral("NumRepetir"),
        QStringLiteral("MostrarImagen"), QStringLiteral("Usuario"),    QStringLiteral("Horario1"),
        QStringLiteral("Horario2"),    QStringLiteral("Hora1Ini"),     QStringLiteral("Hora1Fin"),
        QStringLiteral("Hora2Ini"),    QStringLiteral("Hora2Fin"),     QStringLiteral("L"),
        QStringLiteral("M"),           QStringLiteral("X"),            QStringLiteral("J"),
        QStringLiteral("V"),           QStringLiteral("S"),            QStringLiteral("D"),
        QStringLiteral("IntervaloTickets"), QStringLiteral("IntervaloEuros"),
        QStringLiteral("IntervaloNumTickets"), QStringLiteral("IntervaloMinEuros")};
    return fields;
}

const QStringList& dias()
{
    static const QStringList d = {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("X"), QStringLiteral("J"),
                                  QStringLiteral("V"), QStringLiteral("S"), QStringLiteral("D")};
    return d;
}

QString lista(const QStringList& names, const QString& suffix = QString())
{
    QStringList out;
    out.reserve(names.size());
    for (const QString& n : names)
        out << n + suffix;
    return out.join(QStringLiteral(", "));
}

QByteArray imagenDe(const MensajeTPV& m)
{
    if (m.RutaImagen.isEmpty() || !QFileInfo(m.RutaImagen).isFile())
        return {};
    return leerFichero(m.RutaImagen);
}

// A stored date: the embedded file keeps "yyyy-mm-dd" text, the server a
// date. Read straight, since a list of ten thousand messages reads twenty
// thousand of them and the general parser tries several formats first.
QDate fechaDe(const db::Value& v)
{
    if (v.isNull())
        return {};
    const QVariant& var = v.variant();
    if (var.typeId() == QMetaType::QString) {
        const QString s = var.toString();
        if (s.size() >= 10 && s[4] == QLatin1Char('-') && s[7] == QLatin1Char('-')) {
            const QDate d(QStringView(s).mid(0, 4).toInt(), QStringView(s).mid(5, 2).toInt(),
                          QStringView(s).mid(8, 2).toInt());
            if (d.isValid())
                return d;
        }
    }
    return v.toDate();
}

[[noreturn]] void mensajeDesaparecido(const ClaveMensaje& k)
{
    throw rowDeletedError(nombreMensaje(k));
}

} // namespace

QString TerminalMessageStore::keyWhere(const ClaveMensaje& k)
{
    return QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(k.empresa) + QStringLiteral(" AND Cod_Mensaje =") +
           sqlInt(k.numero) + QStringLiteral(" AND Origen =") + sqlInt(k.origen);
}

QStringList TerminalMessageStore::literals(const MensajeTPV& m) const
{
    // Values in the order of camposHistorico().
    const db::Dialect& d = m_conn.dialect();
    QStringList v = {sqlText(m.Descripcion),
                     sqlText(m.Linea1),
                     sqlText(m.Linea2),
                     sqlInt(m.Color),
                     d.date(m.FechaInicial),
                     d.date(m.FechaFinal),
                     sqlInt(m.NumRepetir),
                     sqlFlag(m.MostrarImagen),
                     sqlInt(m.Cod_Mostrar),
                     sqlInt(m.ModoMostrar),
                     sqlFlag(m.Horario1),
                     sqlFlag(m.Horario2),
                     sqlText(m.Hora1Ini),
                     sqlText(m.Hora1Fin),
                     sqlText(m.Hora2Ini),
                     sqlText(m.Hora2Fin)};
    for (bool dia : m.Dias)
        v << sqlFlag(dia);
    v << sqlFlag(m.IntervaloTickets) << sqlFlag(m.IntervaloEuros) << sqlInt(m.IntervaloNumTickets)
      << sqlNumber(m.IntervaloMinEuros, 4);
    return v;
}

std::vector<FilaMensaje> TerminalMessageStore::list(int empresa, const FiltroFechas& f, const QDate& hoy)
{
    const QString today = m_conn.dialect().date(hoy);
    QStringList conds;
    if (f.caducadas)
        conds << QStringLiteral("(FechaFinal<") + today + QStringLiteral(")");
    if (f.presentes)
        conds << QStringLiteral("(FechaInicial<=") + today + QStringLiteral(" AND FechaFinal>=") + today +
                     QStringLiteral(")");
    if (f.futuras)
        conds << QStringLiteral("(FechaInicial>") + today + QStringLiteral(")");
    QString sql = QStringLiteral("SELECT gm.Cod_Mensaje, gm.Descripcion, gm.FechaInicial, gm.FechaFinal, "
                                 "gm.Cod_Mostrar, gm.Color, gm.Origen FROM TPV_Gestor_Mensajes gm "
                                 "WHERE gm.Cod_Empresa =") +
                  sqlInt(empresa);
    if (!conds.isEmpty())
        sql += QStringLiteral(" AND (") + conds.join(QStringLiteral(" OR ")) + QStringLiteral(")");
    // Within an origin the numbers come in order, so the list reads the same every time.
    sql += QStringLiteral(" ORDER BY Origen DESC, Cod_Mensaje");
    std::vector<FilaMensaje> rows;
    db::RecordSet rs = m_conn.query(sql);
    while (!rs.eof()) {
        FilaMensaje r;
        r.numero = rs.value(0).toInt();
        r.descripcion = rs.value(1).toString();
        r.fechaInicial = fechaDe(rs.value(2));
        r.fechaFinal = fechaDe(rs.value(3));
        r.codMostrar = rs.value(4).toInt();
        r.color = rs.value(5).toInt();
        r.origen = rs.value(6).toInt();
        rows.push_back(std::move(r));
        rs.moveNext();
    }
    return rows;
}

std::optional<MensajeGuardado> TerminalMessageStore::load(const ClaveMensaje& k)
{
    db::RecordSet rs = m_conn.query(
        QStringLiteral("SELECT Cod_Mensaje, Descripcion, FechaInicial, FechaFinal, Linea1, Linea2, Color, "
                       "Cod_Mostrar, ModoMostrar, NumRepetir, MostrarImagen, Usuario, Horario1, Horario2, "
                       "Hora1Ini, Hora1Fin, Hora2Ini, Hora2Fin, L, M, X, J, V, S, D, IntervaloTickets, "
                       "IntervaloEuros, IntervaloNumTickets, IntervaloMinEuros FROM TPV_Gestor_Mensajes") +
        keyWhere(k));
    if (rs.eof())
        return std::nullopt;
    MensajeGuardado g;
    MensajeTPV& m = g.mensaje;
    auto hora = [&](const char* f) {
        const QString h = rs[QString::fromLatin1(f)].toString().trimmed();
        return h.isEmpty() ? QStringLiteral("00:00") : h.left(5);
    };
    m.Descripcion = rs[QStringLiteral("Descripcion")].toString();
    m.FechaInicial = fechaDe(rs[QStringLiteral("FechaInicial")]);
    m.FechaFinal = fechaDe(rs[QStringLiteral("FechaFinal")]);
    m.Linea1 = rs[QStringLiteral("Linea1")].toString();
    m.Linea2 = rs[QStringLiteral("Linea2")].toString();
    m.Color = rs[QStringLiteral("Color")].toInt();
    m.Cod_Mostrar = rs[QStringLiteral("Cod_Mostrar")].toInt();
    m.ModoMostrar = rs[QStringLiteral("ModoMostrar")].toInt();
    m.NumRepetir = rs[QStringLiteral("NumRepetir")].toInt();
    m.MostrarImagen = rs[QStringLiteral("MostrarImagen")].toBool();
    m.Usuario = rs[QStringLiteral("Usuario")].toInt();
    m.Horario1 = rs[QStringLiteral("Horario1")].toBool();
    m.Horario2 = rs[QStringLiteral("Horario2")].toBool();
    m.Hora1Ini = hora("Hora1Ini");
    m.Hora1Fin = hora("Hora1Fin");
    m.Hora2Ini = hora("Hora2Ini");
    m.Hora2Fin = hora("Hora2Fin");
    for (int i = 0; i < 7; ++i)
        m.Dias[size_t(i)] = rs[dias()[i]].toBool();
    m.IntervaloTickets = rs[QStringLiteral("IntervaloTickets")].toBool();
    m.IntervaloEuros = rs[QStringLiteral("IntervaloEuros")].toBool();
    m.IntervaloNumTickets = rs[QStringLiteral("IntervaloNumTickets")].toInt();
    m.IntervaloMinEuros = rs[QStringLiteral("IntervaloMinEuros")].toDouble();
    rs.close();
    g.imagen = m_conn.scalar(QStringLiteral("SELECT Imagen FROM TPV_Gestor_Mensajes") + keyWhere(k)).toByteArray();
    return g;
}

bool TerminalMessageStore::exists(const ClaveMensaje& k)
{
    return m_conn.scalar(QStringLiteral("SELECT COUNT(*) FROM TPV_Gestor_Mensajes") + keyWhere(k)).toInt() > 0;
}

QList<int> TerminalMessageStore::warehouses(const ClaveMensaje& k)
{
    QList<int> codes;
    db::RecordSet rs =
        m_conn.query(QStringLiteral("SELECT Cod_Almacen FROM TPV_Gestor_Mensajes_Almacen") + keyWhere(k) +
                     QStringLiteral(" ORDER BY Cod_Almacen"));
    while (!rs.eof()) {
        codes << rs.value(0).toInt();
        rs.moveNext();
    }
    return codes;
}

void TerminalMessageStore::setWarehouse(const ClaveMensaje& k, int almacen, bool asignado)
{
    const QString where = keyWhere(k) + QStringLiteral(" AND Cod_Almacen =") + sqlInt(almacen);
    if (!asignado) {
        m_conn.execute(QStringLiteral("DELETE FROM TPV_Gestor_Mensajes_Almacen") + where);
        return;
    }
    // The checks and the insert see the same state: nobody deletes the
    // message or the warehouse in between.
    db::TransactionGuard guard(m_conn, db::TransactionGuard::Write);
    if (m_conn.scalar(QStringLiteral("SELECT COUNT(*) FROM TPV_Gestor_Mensajes") + keyWhere(k)).toInt() == 0)
        mensajeDesaparecido(k);
    if (m_conn.scalar(QStringLiteral("SELECT COUNT(*) FROM Almacenes WHERE Cod_Empresa =") + sqlInt(k.empresa) +
                      QStringLiteral(" AND Codigo =") + sqlInt(almacen))
            .toInt() == 0)
        throw Error(3021, QStringLiteral("El almacén %1 ya no existe.").arg(almacen));
    if (m_conn.scalar(QStringLiteral("SELECT COUNT(*) FROM TPV_Gestor_Mensajes_Almacen") + where).toInt() == 0)
        m_conn.execute(QStringLiteral("INSERT INTO TPV_Gestor_Mensajes_Almacen(Cod_Empresa, Cod_Mensaje, Origen, "
                                      "Cod_Almacen) Values(") +
                       sqlInt(k.empresa) + QStringLiteral(",") + sqlInt(k.numero) + QStringLiteral(", ") +
                       sqlInt(k.origen) + QStringLiteral(", ") + sqlInt(almacen) + QStringLiteral(")"));
    guard.commit();
}

int TerminalMessageStore::nextNumber(int empresa, int origen, const QString& operacion)
{
    const db::Dialect& d = m_conn.dialect();
    const QString scope = QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(empresa) + QStringLiteral(" AND Origen =") +
                          sqlInt(origen);
    const qint64 highest =
        m_conn.scalar(QStringLiteral("SELECT ") + d.isNull(QStringLiteral("MAX(Cod_Mensaje)"), QStringLiteral("0")) +
                      QStringLiteral(" AS Cod_Mensaje FROM TPV_Gestor_Mensajes") + d.updateLockHint() + scope)
            .toLongLong();
    // A deleted message's number is never given again: a terminal that has
    // not yet taken its withdrawal row would withdraw the new message with it.
    const qint64 highestDeleted =
        m_conn.scalar(QStringLiteral("SELECT ") + d.isNull(QStringLiteral("MAX(Cod_Mensaje)"), QStringLiteral("0")) +
                      QStringLiteral(" AS Cod_Mensaje FROM TPV_Gestor_Mensajes_Baja") + scope)
            .toLongLong();
    const qint64 n = std::max(highest, highestDeleted) + 1;
    if (n < 1 || n > std::numeric_limits<qint32>::max())
        throw Error(ErrorNumeroMensaje, QStringLiteral("Ha ocurrido un error al crear el Mensaje a %1.").arg(operacion));
    return static_cast<int>(n);
}

int TerminalMessageStore::nextNumber(int empresa, int origen)
{
    return nextNumber(empresa, origen, QStringLiteral("Agregar"));
}

int TerminalMessageStore::lastId()
{
    const db::Dialect& d = m_conn.dialect();
    const int id = m_conn.scalar(QStringLiteral("SELECT ") + d.isNull(d.lastIdentity(), QStringLiteral("0")) +
                                 QStringLiteral(" AS Id"))
                       .toInt();
    if (id <= 0)
        throw Error(errc::Database, QStringLiteral("No se pudo leer el número de la fila del histórico."));
    return id;
}

void TerminalMessageStore::storePicture(const QString& select, const QString& column, const QByteArray& bytes)
{
    if (!m_conn.writeBinary(select, column, bytes))
        throw Error(3021, QStringLiteral("No se encontró la fila donde guardar la imagen."));
}

int TerminalMessageStore::add(int empresa, int origen, int usuario, const MensajeTPV& m)
{
    const QByteArray imagen = imagenDe(m); // read before anything is written
    db::TransactionGuard guard(m_conn, db::TransactionGuard::Write);
    const int numero = nextNumber(empresa, origen, QStringLiteral("Agregar"));
    const ClaveMensaje k{empresa, numero, origen};

    const QStringList v = literals(m);
    QHash<QString, QString> byName;
    for (int i = 0; i < camposHistorico().size(); ++i)
        byName.insert(camposHistorico()[i], v[i]);
    byName.insert(QStringLiteral("Usuario"), sqlInt(m.Usuario));
    QStringList values;
    for (const QString& f : camposMensaje())
        values << byName.value(f);
    m_conn.execute(QStringLiteral("INSERT INTO TPV_Gestor_Mensajes(Cod_Empresa, Cod_Mensaje, Origen, ") +
                   lista(camposMensaje()) + QStringLiteral(")VALUES(") + sqlInt(empresa) + QStringLiteral(", ") +
                   sqlInt(numero) + QStringLiteral(", ") + sqlInt(origen) + QStringLiteral(", ") +
                   values.join(QStringLiteral(", ")) + QStringLiteral(")"));
    if (!imagen.isEmpty())
        storePicture(QStringLiteral("SELECT Imagen FROM TPV_Gestor_Mensajes") + keyWhere(k),
                      QStringLiteral("Imagen"), imagen);

    m_conn.execute(QStringLiteral("INSERT INTO TPV_Gestor_Mensajes_Historico(Cod_Empresa, Cod_Mensaje, Origen, "
                                  "Usuario, Operacion, ") +
                   lista(camposHistorico()) + QStringLiteral(")VALUES(") + sqlInt(empresa) + QStringLiteral(", ") +
                   sqlInt(numero) + QStringLiteral(", ") + sqlInt(origen) + QStringLiteral(", ") + sqlInt(usuario) +
                   QStringLiteral(", 'A', ") + v.join(QStringLiteral(", ")) + QStringLiteral(")"));
    const int id = lastId();
    if (!imagen.isEmpty())
        storePicture(QStringLiteral("SELECT Imagen FROM TPV_Gestor_Mensajes_Historico WHERE Id =") + sqlInt(id),
                      QStringLiteral("Imagen"), imagen);
    guard.commit();
    return numero;
}

void TerminalMessageStore::modify(const ClaveMensaje& k, int usuario, const MensajeTPV& m)
{
    const QByteArray imagen = imagenDe(m);
    db::TransactionGuard guard(m_conn, db::TransactionGuard::Write);
    const QStringList v = literals(m);

    // History first, filled from the stored row: each _Ant column takes
    // the stored value, each plain one the edited value.
    const int n = m_conn.execute(
        QStringLiteral("INSERT INTO TPV_Gestor_Mensajes_Historico(Cod_Empresa, Cod_Mensaje, Origen, Usuario, "
                       "Operacion, ") +
        lista(camposHistorico()) + QStringLiteral(", ") + lista(camposHistorico(), QStringLiteral("_Ant")) +
        QStringLiteral(") SELECT Cod_Empresa, Cod_Mensaje, Origen, ") + sqlInt(usuario) + QStringLiteral(", 'M', ") +
        v.join(QStringLiteral(", ")) + QStringLiteral(", ") + lista(camposHistorico()) +
        QStringLiteral(" FROM TPV_Gestor_Mensajes") + keyWhere(k));
    if (n == 0)
        mensajeDesaparecido(k);
    const int id = lastId();
    // The stored picture becomes the history row's previous one (read and
    // written as bytes: picture columns cannot be copied by a subquery everywhere).
    const QByteArray anterior =
        m_conn.scalar(QStringLiteral("SELECT Imagen FROM TPV_Gestor_Mensajes") + keyWhere(k)).toByteArray();
    if (!anterior.isEmpty())
        storePicture(QStringLiteral("SELECT Imagen_Ant FROM TPV_Gestor_Mensajes_Historico WHERE Id =") + sqlInt(id),
                      QStringLiteral("Imagen_Ant"), anterior);
    if (!imagen.isEmpty())
        storePicture(QStringLiteral("SELECT Imagen FROM TPV_Gestor_Mensajes_Historico WHERE Id =") + sqlInt(id),
                      QStringLiteral("Imagen"), imagen);

    QStringList sets;
    for (int i = 0; i < camposHistorico().size(); ++i)
        sets << camposHistorico()[i] + QStringLiteral(" =") + v[i];
    // The terminals pick the message up again on their next load.
    expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_Gestor_Mensajes SET ") + sets.join(QStringLiteral(", ")) +
                             QStringLiteral(", Act = 0, Act2 = 0, Act3 = 0, Act4 = 0, Act5 = 0, Act6 = 0, "
                                            "Act7 = 0, Act8 = 0, Act9 = 0, Act10 = 0") +
                             keyWhere(k)),
              nombreMensaje(k));
    if (!imagen.isEmpty())
        storePicture(QStringLiteral("SELECT Imagen FROM TPV_Gestor_Mensajes") + keyWhere(k),
                      QStringLiteral("Imagen"), imagen);
    guard.commit();
}

int TerminalMessageStore::duplicate(const ClaveMensaje& k, int origenInstalacion, int usuario)
{
    db::TransactionGuard guard(m_conn, db::TransactionGuard::Write);
    const int numero = nextNumber(k.empresa, origenInstalacion, QStringLiteral("Duplicar"));
    const ClaveMensaje nueva{k.empresa, numero, origenInstalacion};
    QStringList copied = camposMensaje();
    copied.removeOne(QStringLiteral("Usuario"));
    const int n = m_conn.execute(
        QStringLiteral("INSERT INTO TPV_Gestor_Mensajes(Cod_Empresa, Cod_Mensaje, Origen, Imagen, Usuario, ") +
        lista(copied) + QStringLiteral(") SELECT Cod_Empresa, ") + sqlInt(numero) + QStringLiteral(", ") +
        sqlInt(origenInstalacion) + QStringLiteral(", Imagen, ") + sqlInt(usuario) + QStringLiteral(", ") +
        lista(copied) + QStringLiteral(" FROM TPV_Gestor_Mensajes") + keyWhere(k));
    if (n == 0)
        mensajeDesaparecido(k);
    m_conn.execute(QStringLiteral("INSERT INTO TPV_Gestor_Mensajes_Almacen(Cod_Empresa, Cod_Mensaje, Origen, "
                                  "Cod_Almacen) SELECT Cod_Empresa, ") +
                   sqlInt(numero) + QStringLiteral(", ") + sqlInt(origenInstalacion) +
                   QStringLiteral(",Cod_Almacen FROM TPV_Gestor_Mensajes_Almacen") + keyWhere(k));
    // Before and after are both the copied values.
    m_conn.execute(QStringLiteral("INSERT INTO TPV_Gestor_Mensajes_Historico(Cod_Empresa, Cod_Mensaje, Origen, "
                                  "Usuario, Operacion, Imagen, Imagen_Ant, ") +
                   lista(camposHistorico()) + QStringLiteral(", ") +
                   lista(camposHistorico(), QStringLiteral("_Ant")) +
                   QStringLiteral(") SELECT Cod_Empresa, Cod_Mensaje, Origen, ") + sqlInt(usuario) +
                   QStringLiteral(", 'D', Imagen, Imagen, ") + lista(camposHistorico()) + QStringLiteral(", ") +
                   lista(camposHistorico()) + QStringLiteral(" FROM TPV_Gestor_Mensajes") + keyWhere(nueva));
    guard.commit();
    return numero;
}

void TerminalMessageStore::remove(const ClaveMensaje& k)
{
    db::TransactionGuard guard(m_conn);
    const QString where = keyWhere(k);
    m_conn.execute(QStringLiteral("DELETE FROM TPV_Gestor_Mensajes_Historico") + where);
    // The terminals withdraw the message when they see this row.
    m_conn.execute(QStringLiteral("INSERT INTO TPV_Gestor_Mensajes_Baja (Cod_Empresa, Cod_Mensaje, Origen, Act) "
                                  "SELECT Cod_Empresa, Cod_Mensaje, Origen, 0 FROM TPV_Gestor_Mensajes") +
                   where);
    m_conn.execute(QStringLiteral("DELETE FROM TPV_Gestor_Mensajes_Almacen") + where);
    if (m_conn.execute(QStringLiteral("DELETE FROM TPV_Gestor_Mensajes") + where) == 0)
        mensajeDesaparecido(k);
    guard.commit();
}

std::optional<ClaveMensaje> TerminalMessageStore::messageWithoutWarehouse(int empresa, const QDate& hoy)
{
    db::RecordSet rs = m_conn.query(
        QStringLiteral("SELECT men.Cod_Empresa, men.Cod_Mensaje, men.Origen, COUNT(alm.Cod_Almacen) AS Existe "
                       "FROM TPV_Gestor_Mensajes men LEFT JOIN TPV_Gestor_Mensajes_Almacen alm ON "
                       "men.Cod_Empresa = alm.Cod_Empresa AND men.Cod_Mensaje = alm.Cod_Mensaje AND "
                       "men.Origen = alm.Origen WHERE FechaFinal >= ") +
        m_conn.dialect().date(hoy) + QStringLiteral(" AND men.Cod_Empresa =") + sqlInt(empresa) +
        QStringLiteral(" GROUP BY men.Cod_Empresa, men.Cod_Mensaje, men.Origen"
                       " ORDER BY men.Origen DESC, men.Cod_Mensaje"));
    while (!rs.eof()) {
        if (rs[QStringLiteral("Existe")].toInt() == 0)
            return ClaveMensaje{rs.value(0).toInt(), rs.value(1).toInt(), rs.value(2).toInt()};
        rs.moveNext();
    }
    return std::nullopt;
}

std::vector<FilaHistorico> TerminalMessageStore::history(const ClaveMensaje& k)
{
    QStringList cols = {QStringLiteral("h.Usuario"), QStringLiteral("ISNULL(usu.Nombre,'') AS NombreUsuario"),
                        QStringLiteral("h.Fecha"), QStringLiteral("h.Operacion"), QStringLiteral("h.Id")};
    cols[1] = m_conn.dialect().isNull(QStringLiteral("usu.Nombre"), QStringLiteral("''")) +
              QStringLiteral(" AS NombreUsuario");
    for (const QString& f : camposHistorico())
        cols << QStringLiteral("h.") + f + QStringLiteral("_Ant") << QStringLiteral("h.") + f;
    db::RecordSet rs = m_conn.query(
        QStringLiteral("SELECT ") + cols.join(QStringLiteral(", ")) +
        QStringLiteral(" FROM TPV_Gestor_Mensajes_Historico h LEFT JOIN SGD_Usuarios usu ON usu.Codigo = "
                       "h.Usuario WHERE h.Cod_Empresa =") +
        sqlInt(k.empresa) + QStringLiteral(" AND h.Cod_Mensaje =") + sqlInt(k.numero) +
        QStringLiteral(" AND h.Origen =") + sqlInt(k.origen) +
        // Changes within the same second keep the order they were made in.
        QStringLiteral(" ORDER BY h.Fecha desc, h.Id desc"));

    auto texto = [](const QString& field, const db::Value& v) -> QString {
        if (v.isNull())
            return {};
        if (field == QLatin1String("Color"))
            return {};
        if (field.startsWith(QLatin1String("Fecha")))
            return host::Formato::FormatoFecha(fechaDe(v));
        if (field == QLatin1String("Cod_Mostrar"))
            return textoMostrar(v.toInt());
        if (field == QLatin1String("ModoMostrar"))
            return textoModo(v.toInt());
        if (field == QLatin1String("NumRepetir") || field == QLatin1String("IntervaloNumTickets"))
            return QString::number(v.toInt());
        if (field == QLatin1String("IntervaloMinEuros"))
            return host::Formato::FormatoNumero(v.toDouble(), 2);
        if (field.startsWith(QLatin1String("Hora")) && !field.startsWith(QLatin1String("Horario")))
            return v.toString().left(5);
        if (field == QLatin1String("Descripcion") || field.startsWith(QLatin1String("Linea")))
            return v.toString();
        return v.toBool() ? QStringLiteral("X") : QString(); // flags
    };

    std::vector<FilaHistorico> rows;
    while (!rs.eof()) {
        FilaHistorico r;
        r.id = rs[QStringLiteral("Id")].toInt();
        r.operacion = rs[QStringLiteral("Operacion")].toString();
        const bool alta = r.operacion == QLatin1String("A");
        r.celdas << QString::number(rs[QStringLiteral("Usuario")].toInt())
                 << rs[QStringLiteral("NombreUsuario")].toString()
                 << rs[QStringLiteral("Fecha")].toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"))
                 << r.operacion;
        for (const QString& f : camposHistorico()) {
            const db::Value before = rs[f + QStringLiteral("_Ant")];
            const db::Value after = rs[f];
            r.celdas << (alta ? QString() : texto(f, before)) << texto(f, after);
            if (f == QLatin1String("Color")) {
                if (!alta && !before.isNull())
                    r.colorAnterior = before.toInt();
                if (!after.isNull())
                    r.colorNuevo = after.toInt();
            }
        }
        r.celdas << QString::number(r.id);
        rows.push_back(std::move(r));
        rs.moveNext();
    }
    return rows;
}

std::pair<QByteArray, QByteArray> TerminalMessageStore::historyPictures(int id)
{
    db::RecordSet rs = m_conn.query(
        QStringLiteral("SELECT Imagen_Ant, Imagen FROM TPV_Gestor_Mensajes_Historico WHERE Id =") + sqlInt(id));
    if (rs.eof())
        return std::pair<QByteArray, QByteArray>{};
    return std::pair<QByteArray, QByteArray>{rs.value(0).toByteArray(), rs.value(1).toByteArray()};
}

} // namespace zqvr::messages
