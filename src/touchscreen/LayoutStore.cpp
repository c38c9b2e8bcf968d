#include "touchscreen/LayoutStore.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "db/Picture.h"
#include "host/Thumbnail.h"

#include <QFileInfo>
#include <QImageReader>
#include <vector>

namespace zqvr::touchscreen {

using db::sqlInt;
using db::sqlText;

namespace {
QString nombreGrupo(int numero) { return QStringLiteral("El grupo %1").arg(numero); }
QString nombreTecla(int grupo, int posicion)
{
    return QStringLiteral("La tecla de la posición %1 del grupo %2").arg(posicion).arg(grupo);
}
} // namespace

LayoutStore::LayoutStore(db::Connection& conn, int empresa, int cfg, int tipo, int empresaArticulos)
    : m_conn(conn), m_empresa(empresa), m_cfg(cfg), m_tipo(tipo == Tipo3x4 ? Tipo3x4 : Tipo9x4),
      m_empresaArticulos(empresaArticulos)
{
}

QString LayoutStore::cfgWhere() const
{
    return QStringLiteral(" AND Cod_Empresa = ") + sqlInt(m_empresa) + QStringLiteral(" AND Cod_CfgPantalla=")
           + sqlInt(m_cfg);
}

QString LayoutStore::groupWhere(int numero) const
{
    return QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(m_empresa) + QStringLiteral(" AND Cod_CfgPantalla=")
           + sqlInt(m_cfg) + QStringLiteral(" AND Cod_Grupo=") + sqlInt(numero);
}

QString LayoutStore::keyWhere(int grupo, int posicion) const
{
    return groupWhere(grupo) + QStringLiteral(" AND Posicion=") + sqlInt(posicion);
}

QString LayoutStore::groupPictureSelect(int numero) const
{
    return QStringLiteral("SELECT Imagen FROM TPV_CfgPantalla_Grupos") + groupWhere(numero);
}

QString LayoutStore::keyPictureSelect(int grupo, int posicion) const
{
    return QStringLiteral("SELECT Imagen FROM TPV_CfgPantalla_Grupos_Lineas") + keyWhere(grupo, posicion);
}

std::vector<GroupSlot> LayoutStore::loadGroups(int* defaultIndex)
{
    std::vector<GroupSlot> page(count());
    if (defaultIndex)
        *defaultIndex = -1;
    // Pictures come with the rows: one statement for the page, whatever the number of pictures.
    auto rs = m_conn.query(
        QStringLiteral("SELECT g.*, ") + m_conn.dialect().isNull(QStringLiteral("p.Cod_GrupoDF"), QStringLiteral("0"))
        + QStringLiteral(" AS GDF FROM TPV_CfgPantalla_Grupos g LEFT JOIN TPV_CfgPantalla p ON p.Cod_Empresa = "
                         "g.Cod_Empresa AND p.Cod_CFGPantalla=g.Cod_CFGPantalla AND p.Cod_GrupoDF = g.Cod_Grupo"
                         " WHERE g.Cod_Empresa =")
        + sqlInt(m_empresa) + QStringLiteral(" AND g.Cod_CfgPantalla =") + sqlInt(m_cfg));
    while (!rs.eof()) {
        const int index = indexOf(m_tipo, rs["Posicion"].toInt());
        // A row whose place does not belong to this grid type cannot be shown; leave it alone.
        if (index >= 0) {
            GroupSlot& s = page[index];
            s.numero = rs["Cod_Grupo"].toInt();
            s.posicion = rs["Posicion"].toInt();
            s.tipoTexto = rs["TipoTexto"].toInt();
            s.texto = rs["Descripcion"].toString();
            s.foreColor = static_cast<qint32>(rs["ForeColor"].toLongLong());
            s.backColor = static_cast<qint32>(rs["BackColor"].toLongLong());
            s.imagen = rs["Imagen"].toByteArray();
            s.defecto = rs["GDF"].toInt() != 0;
            if (s.defecto && defaultIndex)
                *defaultIndex = index;
        }
        rs.moveNext();
    }
    return page;
}

std::vector<KeySlot> LayoutStore::loadKeys(int grupo)
{
    std::vector<KeySlot> page(count());
    for (auto& s : page)
        s.grupo = grupo;
    auto rs = m_conn.query(
        QStringLiteral("SELECT a.Cod_Grupo, a.Cod_Articulo, a.Unidades, ")
        + m_conn.dialect().isNull(QStringLiteral("b.Descripcion"), QStringLiteral("''"))
        + QStringLiteral(" AS Descripcion, a.Posicion, BackColor, ForeColor, TipoTexto, Texto, Imagen, Pesado, "
                         "PathVinculo, OrigenImagen FROM TPV_CfgPantalla_Grupos_Lineas a LEFT JOIN Articulos b"
                         " ON b.Cod_Empresa = ")
        + sqlInt(m_empresaArticulos) + QStringLiteral(" AND a.Cod_Articulo = b.Codigo WHERE a.Cod_Empresa =")
        + sqlInt(m_empresa) + QStringLiteral(" AND a.Cod_CfgPantalla =") + sqlInt(m_cfg)
        + QStringLiteral(" AND a.Cod_Grupo =") + sqlInt(grupo) + QStringLiteral(" ORDER BY a.Posicion ASC"));
    while (!rs.eof()) {
        const int index = indexOf(m_tipo, rs["Posicion"].toInt());
        if (index >= 0) {
            KeySlot& s = page[index];
            s.articulo = rs["Cod_Articulo"].toInt();
            s.tipo = s.articulo >= 1 ? KindArticle : s.articulo;
            s.unidades = rs["Unidades"].toDouble();
            s.descripcion = rs["Descripcion"].toString();
            s.posicion = rs["Posicion"].toInt();
            s.backColor = static_cast<qint32>(rs["BackColor"].toLongLong());
            s.foreColor = static_cast<qint32>(rs["ForeColor"].toLongLong());
            s.tipoTexto = rs["TipoTexto"].toInt();
            s.texto = rs["Texto"].toString();
            s.imagen = rs["Imagen"].toByteArray();
            s.pesado = rs["Pesado"].toBool();
            s.vinculo = rs["PathVinculo"].toString();
            s.origenImagen = rs["OrigenImagen"].toInt();
        }
        rs.moveNext();
    }
    return page;
}

void LayoutStore::insertGroupRow(const GroupSlot& slot, int numero, int posicion)
{
    m_conn.execute(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, "
                                  "Posicion, Descripcion, ForeColor, Backcolor, TipoTexto) VALUES (")
                   + sqlInt(m_empresa) + QStringLiteral(", ") + sqlInt(m_cfg) + QStringLiteral(",") + sqlInt(numero)
                   + QStringLiteral(",") + sqlInt(posicion) + QStringLiteral(", ") + sqlText(slot.texto)
                   + QStringLiteral(", ") + sqlInt(slot.foreColor) + QStringLiteral(", ") + sqlInt(slot.backColor)
                   + QStringLiteral(",") + sqlInt(slot.tipoTexto) + QStringLiteral(")"));
}

void LayoutStore::insertKeyRow(const KeySlot& slot, int posicion)
{
    m_conn.execute(QStringLiteral("INSERT INTO TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, "
                                  "Cod_Grupo, Posicion, Cod_Articulo, Unidades,ForeColor, BackColor, "
                                  "TipoTexto,Texto) VALUES (")
                   + sqlInt(m_empresa) + QStringLiteral(", ") + sqlInt(m_cfg) + QStringLiteral(",")
                   + sqlInt(slot.grupo) + QStringLiteral(",") + sqlInt(posicion) + QStringLiteral(",")
                   + sqlInt(slot.articulo) + QStringLiteral(",") + db::sqlNumber(slot.unidades)
                   + QStringLiteral(",") + sqlInt(slot.foreColor) + QStringLiteral(",") + sqlInt(slot.backColor)
                   + QStringLiteral(",") + sqlInt(slot.tipoTexto) + QStringLiteral(",") + sqlText(slot.texto)
                   + QStringLiteral(")"));
}

void LayoutStore::writeGroup(GroupSlot& slot, int index, const QString& clause)
{
    const int numero = slot.stored() ? slot.numero : index + 1;
    const int posicion = slot.stored() ? slot.posicion : placeOf(m_tipo, index);
    db::TransactionGuard tx(m_conn);
    if (!slot.stored())
        insertGroupRow(slot, numero, posicion);
    if (!clause.isEmpty())
        expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos set") + clause + groupWhere(numero)),
                  nombreGrupo(numero));
    tx.commit();
    slot.numero = numero;
    slot.posicion = posicion;
}

void LayoutStore::writeKey(KeySlot& slot, int index, const QString& clause)
{
    if (slot.grupo == 0)
        throw Error(0, QStringLiteral("El grupo seleccionado no está guardado."), QStringLiteral("LayoutStore::writeKey"));
    const int posicion = slot.stored() ? slot.posicion : placeOf(m_tipo, index);
    db::TransactionGuard tx(m_conn);
    if (!slot.stored())
        insertKeyRow(slot, posicion);
    if (!clause.isEmpty())
        expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas set") + clause
                                 + keyWhere(slot.grupo, posicion)),
                  nombreTecla(slot.grupo, posicion), Gender::Feminine);
    tx.commit();
    slot.posicion = posicion;
}

void LayoutStore::ensureGroup(GroupSlot& slot, int index) { writeGroup(slot, index, QString()); }

// The text mode of a group goes in quoted, as the terminals' own editor wrote it.
void LayoutStore::setGroupTextMode(GroupSlot& slot, int index, int mode)
{
    writeGroup(slot, index, QStringLiteral(" TipoTexto = ") + sqlText(QString::number(mode)));
    slot.tipoTexto = mode;
}

void LayoutStore::setGroupCaption(GroupSlot& slot, int index, const QString& text)
{
    writeGroup(slot, index, QStringLiteral(" Descripcion = ") + sqlText(text));
    slot.texto = text;
}

void LayoutStore::setGroupForeColour(GroupSlot& slot, int index, qint32 colour)
{
    writeGroup(slot, index, QStringLiteral(" ForeColor = ") + sqlInt(colour));
    slot.foreColor = colour;
}

void LayoutStore::setGroupBackColour(GroupSlot& slot, int index, qint32 colour)
{
    writeGroup(slot, index, QStringLiteral(" BackColor = ") + sqlInt(colour));
    slot.backColor = colour;
}

void LayoutStore::ensureKey(KeySlot& slot, int index) { writeKey(slot, index, QString()); }

void LayoutStore::setKeyArticle(KeySlot& slot, int index, qint32 article)
{
    writeKey(slot, index, QStringLiteral(" Cod_Articulo = ") + sqlInt(article));
    slot.articulo = article;
}

void LayoutStore::setKeyTextMode(KeySlot& slot, int index, int mode)
{
    writeKey(slot, index, QStringLiteral(" TipoTexto = ") + sqlInt(mode));
    slot.tipoTexto = mode;
}

void LayoutStore::setKeyText(KeySlot& slot, int index, const QString& text)
{
    writeKey(slot, index, QStringLiteral(" Texto = ") + sqlText(text));
    slot.texto = text;
}

void LayoutStore::setKeyUnits(KeySlot& slot, int index, double units)
{
    writeKey(slot, index, QStringLiteral(" Unidades = ") + db::sqlNumber(units));
    slot.unidades = units;
}

void LayoutStore::setKeyForeColour(KeySlot& slot, int index, qint32 colour)
{
    writeKey(slot, index, QStringLiteral(" ForeColor = ") + sqlInt(colour));
    slot.foreColor = colour;
}

void LayoutStore::setKeyBackColour(KeySlot& slot, int index, qint32 colour)
{
    writeKey(slot, index, QStringLiteral(" BackColor = ") + sqlInt(colour));
    slot.backColor = colour;
}

void LayoutStore::setKeyPictureSource(KeySlot& slot, int index, int origin)
{
    writeKey(slot, index, QStringLiteral(" OrigenImagen = ") + sqlInt(origin));
    slot.origenImagen = origin;
}

void LayoutStore::setKeyWeighed(KeySlot& slot, int index, int weighed)
{
    writeKey(slot, index, QStringLiteral(" Pesado = ") + sqlInt(weighed));
    slot.pesado = weighed != 0;
}

void LayoutStore::setKeyLink(KeySlot& slot, int index, const QString& path)
{
    writeKey(slot, index, QStringLiteral(" PathVinculo = ") + sqlText(path));
    slot.vinculo = path;
}

void LayoutStore::checkPictureFile(const QString& path)
{
    const QString source = QStringLiteral("LayoutStore::checkPictureFile");
    QFileInfo fi(path);
    if (path.isEmpty() || !fi.isFile())
        throw Error(53, QStringLiteral("No se encuentra el fichero \"%1\".").arg(path), source);
    if (fi.size() == 0)
        throw Error(481, QStringLiteral("El fichero \"%1\" está vacío.").arg(path), source);
    QImageReader reader(path);
    if (!reader.canRead())
        throw Error(481, QStringLiteral("El fichero \"%1\" no es una imagen válida.").arg(path), source);
    const QSize size = reader.size();
    // Pictures beyond what can be held in memory are refused before any row is touched.
    const qint64 megabytes = qint64(size.width()) * size.height() * 4 / (1024 * 1024);
    if (size.isValid() && QImageReader::allocationLimit() > 0 && megabytes >= QImageReader::allocationLimit())
        throw Error(481,
                    QStringLiteral("La imagen \"%1\" es demasiado grande (%2 x %3).")
                        .arg(path)
                        .arg(size.width())
                        .arg(size.height()),
                    source);
}

void LayoutStore::storeGroupPicture(GroupSlot& slot, int index, const QString& path)
{
    checkPictureFile(path);
    const int numero = slot.stored() ? slot.numero : index + 1;
    const int posicion = slot.stored() ? slot.posicion : placeOf(m_tipo, index);
    db::TransactionGuard tx(m_conn);
    if (!slot.stored())
        insertGroupRow(slot, numero, posicion);
    const QByteArray bytes = host::SalvarImagenes(m_conn, path, groupPictureSelect(numero));
    tx.commit();
    slot.numero = numero;
    slot.posicion = posicion;
    slot.imagen = bytes;
}

void LayoutStore::storeKeyPicture(KeySlot& slot, int index, const QString& path)
{
    checkPictureFile(path);
    if (slot.grupo == 0)
        throw Error(0, QStringLiteral("El grupo seleccionado no está guardado."),
                    QStringLiteral("LayoutStore::storeKeyPicture"));
    const int posicion = slot.stored() ? slot.posicion : placeOf(m_tipo, index);
    db::TransactionGuard tx(m_conn);
    if (!slot.stored())
        insertKeyRow(slot, posicion);
    const QByteArray bytes = host::SalvarImagenes(m_conn, path, keyPictureSelect(slot.grupo, posicion));
    tx.commit();
    slot.posicion = posicion;
    slot.imagen = bytes;
}

void LayoutStore::removeGroupPicture(GroupSlot& slot)
{
    if (!slot.stored())
        return;
    expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos SET Imagen = '' ")
                             + QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(m_empresa)
                             + QStringLiteral("   AND Cod_CfgPantalla =") + sqlInt(m_cfg)
                             + QStringLiteral("   AND Cod_Grupo =") + sqlInt(slot.numero)),
              nombreGrupo(slot.numero));
    slot.imagen.clear();
}

void LayoutStore::removeKeyPicture(KeySlot& slot)
{
    if (!slot.stored())
        return;
    expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas SET Imagen = '' ")
                             + QStringLiteral(" WHERE Cod_Empresa =") + sqlInt(m_empresa)
                             + QStringLiteral("   AND Cod_CfgPantalla =") + sqlInt(m_cfg)
                             + QStringLiteral("   AND Cod_Grupo =") + sqlInt(slot.grupo)
                             + QStringLiteral("   AND Posicion =") + sqlInt(slot.posicion)),
              nombreTecla(slot.grupo, slot.posicion), Gender::Feminine);
    slot.imagen.clear();
}

void LayoutStore::setDefaultGroup(int numero)
{
    expectRow(m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla SET Cod_GrupoDF = ") + sqlInt(numero)
                             + QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(m_empresa)
                             + QStringLiteral(" AND Cod_CfgPantalla=") + sqlInt(m_cfg)),
              QStringLiteral("La configuración %1").arg(m_cfg), Gender::Feminine);
}

int LayoutStore::defaultGroup()
{
    return m_conn
        .scalar(QStringLiteral("SELECT Cod_GrupoDF FROM TPV_CfgPantalla WHERE Cod_Empresa = ") + sqlInt(m_empresa)
                + QStringLiteral(" AND Cod_CfgPantalla=") + sqlInt(m_cfg))
        .toInt();
}

void LayoutStore::deleteKey(KeySlot& slot)
{
    if (!slot.stored())
        return;
    expectRow(m_conn.execute(QStringLiteral("DELETE FROM TPV_CfgPantalla_Grupos_Lineas  WHERE Cod_Empresa = ")
                             + sqlInt(m_empresa) + QStringLiteral(" AND Cod_CfgPantalla=") + sqlInt(m_cfg)
                             + QStringLiteral(" AND Cod_Grupo = ") + sqlInt(slot.grupo)
                             + QStringLiteral(" AND Posicion = ") + sqlInt(slot.posicion)),
              nombreTecla(slot.grupo, slot.posicion), Gender::Feminine);
    const int grupo = slot.grupo;
    slot = KeySlot{};
    slot.grupo = grupo;
}

void LayoutStore::deleteGroup(GroupSlot& slot)
{
    if (!slot.stored())
        return;
    const QString where = QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(m_empresa)
                          + QStringLiteral(" AND Cod_CfgPantalla=") + sqlInt(m_cfg)
                          + QStringLiteral(" AND Cod_Grupo = ") + sqlInt(slot.numero);
    db::TransactionGuard tx(m_conn);
    m_conn.execute(QStringLiteral("DELETE FROM TPV_CfgPantalla_Grupos_Lineas ") + where);
    expectRow(m_conn.execute(QStringLiteral("DELETE FROM TPV_CfgPantalla_Grupos ") + where), nombreGrupo(slot.numero));
    // A default left on the freed number would silently pass to whatever
    // group is created on that button later; with none the terminals open
    // their first group.
    m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla SET Cod_GrupoDF = 0 WHERE Cod_Empresa = ")
                   + sqlInt(m_empresa) + QStringLiteral(" AND Cod_CfgPantalla=") + sqlInt(m_cfg)
                   + QStringLiteral(" AND Cod_GrupoDF = ") + sqlInt(slot.numero));
    tx.commit();
    slot = GroupSlot{};
}

void LayoutStore::moveKey(int grupo, int f, int final)
{
    if (f == final)
        return;
    const int lo = std::min(f, final);
    const int hi = std::max(f, final);
    const QString shift = f < final ? QStringLiteral(" - 1") : QStringLiteral(" + 1");
    const QString scope = cfgWhere() + QStringLiteral(" AND Cod_Grupo = ") + sqlInt(grupo);
    db::TransactionGuard tx(m_conn);
    m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion =99  WHERE Posicion = ")
                   + sqlInt(placeOf(m_tipo, f)) + scope);
    m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion  =")
                   + shiftedPlaceSql(m_tipo, shift) + QStringLiteral("  WHERE Posicion<>99 AND Posicion BETWEEN ")
                   + sqlInt(placeOf(m_tipo, lo)) + QStringLiteral(" AND ") + sqlInt(placeOf(m_tipo, hi)) + scope);
    m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas SET  Posicion= ")
                   + sqlInt(placeOf(m_tipo, final)) + QStringLiteral(" WHERE Posicion = 99") + scope);
    tx.commit();
}

int LayoutStore::moveGroup(int f, int final)
{
    const int previousDefault = defaultGroup();
    if (f == final)
        return previousDefault;
    const int lo = std::min(f, final);
    const int hi = std::max(f, final);
    const QString shift = f < final ? QStringLiteral(" - 1") : QStringLiteral(" + 1");
    const QString scope = cfgWhere();
    const QString range = QStringLiteral(" AND Cod_Grupo BETWEEN ") + sqlInt(lo + 1) + QStringLiteral(" AND ")
                          + sqlInt(hi + 1);
    db::TransactionGuard tx(m_conn);
    m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=99, Posicion =")
                   + sqlInt(placeOf(m_tipo, final)) + QStringLiteral("  WHERE Cod_Grupo = ") + sqlInt(f + 1) + scope);
    m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=Cod_Grupo ") + shift
                   + QStringLiteral(", Posicion  =") + shiftedGroupPlaceSql(m_tipo, shift)
                   + QStringLiteral("  WHERE Cod_Grupo <> 99") + range + scope);
    m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos SET Cod_Grupo=") + sqlInt(final + 1)
                   + QStringLiteral("  WHERE Cod_Grupo = 99") + scope);
    m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas SET Cod_Grupo=99  WHERE Cod_Grupo = ")
                   + sqlInt(f + 1) + scope);
    m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas SET Cod_Grupo=Cod_Grupo") + shift
                   + QStringLiteral("  WHERE Cod_Grupo <> 99") + range + scope);
    m_conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas SET Cod_Grupo=") + sqlInt(final + 1)
                   + QStringLiteral("  WHERE Cod_Grupo = 99") + scope);
    // The default group is a number: when its group was moved or renumbered, the number follows it.
    int newDefault = previousDefault;
    if (previousDefault >= 1 && previousDefault <= count()) {
        newDefault = indexAfterMove(previousDefault - 1, f, final) + 1;
        if (newDefault != previousDefault)
            setDefaultGroup(newDefault);
    }
    tx.commit();
    return newDefault;
}

int LayoutStore::refreshRecordPictures(db::Connection& conn, int empresa, qint32 articulo, const QString& path,
                                       const RefreshProgress& progress)
{
    const QString company = sqlInt(empresa);
    if (!QFileInfo(path).isFile()) {
        return conn.execute(QStringLiteral("UPDATE TPV_CfgPantalla_Grupos_Lineas SET Imagen = '' ")
                            + QStringLiteral(" WHERE Cod_Empresa = ") + company
                            + QStringLiteral(" AND Cod_Articulo = ") + sqlInt(articulo)
                            + QStringLiteral(" AND OrigenImagen = 1"));
    }
    // A file that cannot become a picture changes nothing, rather than some keys.
    checkPictureFile(path);
    // Made once in memory: every key gets the same bytes, and no file is
    // shared with another instance refreshing at the same time.
    const QByteArray picture = host::thumbnailBytes(path);

    struct Row { int empresa, cfg, grupo, posicion; };
    std::vector<Row> rows;
    auto rs = conn.query(QStringLiteral("SELECT * FROM TPV_CfgPantalla_Grupos_Lineas")
                         + QStringLiteral(" WHERE Cod_Empresa = ") + company
                         + QStringLiteral(" AND Cod_Articulo = ") + sqlInt(articulo)
                         + QStringLiteral(" AND OrigenImagen = 1"));
    while (!rs.eof()) {
        rows.push_back({rs["Cod_Empresa"].toInt(), rs["Cod_CfgPantalla"].toInt(), rs["Cod_Grupo"].toInt(),
                        rs["Posicion"].toInt()});
        rs.moveNext();
    }
    rs.close();

    const int total = static_cast<int>(rows.size());
    db::TransactionGuard tx(conn);
    for (int i = 0; i < total; ++i) {
        // Stopped half-way, the guard takes back the keys already written.
        if (progress && !progress(i, total))
            return 0;
        const Row& r = rows[size_t(i)];
        const QString select = QStringLiteral("SELECT Imagen FROM TPV_CfgPantalla_Grupos_Lineas")
                               + QStringLiteral(" WHERE Cod_Empresa = ") + sqlInt(r.empresa)
                               + QStringLiteral(" AND Cod_CfgPantalla=") + sqlInt(r.cfg)
                               + QStringLiteral(" AND Cod_Grupo=") + sqlInt(r.grupo)
                               + QStringLiteral(" AND Posicion = ") + sqlInt(r.posicion);
        db::storePicture(conn, select, picture);
    }
    tx.commit();
    return static_cast<int>(rows.size());
}

QString LayoutStore::articleDescription(qint32 codigo)
{
    auto rs = m_conn.query(QStringLiteral("SELECT Descripcion FROM Articulos WHERE Cod_Empresa = ")
                           + sqlInt(m_empresaArticulos) + QStringLiteral(" AND Codigo = ") + sqlInt(codigo));
    if (rs.eof())
        return QString();
    const QString d = rs["Descripcion"].toString();
    return d.isNull() ? QStringLiteral("") : d;
}

} // namespace zqvr::touchscreen
