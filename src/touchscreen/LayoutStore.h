#pragma once
// The groups and keys of one touch-screen configuration
// (TPV_CfgPantalla_Grupos, TPV_CfgPantalla_Grupos_Lineas): reading a page
// into slots, writing each change at once, and the moves of the drag and
// drop. Every write that takes more than one statement is all or nothing,
// and a slot passed in is only changed once its statements are committed.
#include "touchscreen_export.h"
#include "touchscreen/LayoutSlots.h"

#include <QString>
#include <vector>

namespace zqvr::db { class Connection; }

namespace zqvr::touchscreen {

class ZQVR_TOUCHSCREEN_EXPORT LayoutStore {
public:
    // empresaArticulos: the company the article descriptions are read under.
    LayoutStore(db::Connection& conn, int empresa, int cfg, int tipo, int empresaArticulos);

    int tipo() const { return m_tipo; }
    int count() const { return buttonCount(m_tipo); }
    int configuracion() const { return m_cfg; }

    // One slot per group button; *defaultIndex gets the default group's index (-1 when none is stored).
    std::vector<GroupSlot> loadGroups(int* defaultIndex = nullptr);
    // One slot per key button of group number grupo.
    std::vector<KeySlot> loadKeys(int grupo);

    // Writes "UPDATE ... set" + clause for the group at index, creating its
    // row first when the button is empty; both in one transaction. An empty
    // clause only creates the row.
    void writeGroup(GroupSlot& slot, int index, const QString& clause);
    void writeKey(KeySlot& slot, int index, const QString& clause);
    // Stores the picture file into the group's or key's Imagen (creating the row when needed).
    void storeGroupPicture(GroupSlot& slot, int index, const QString& path);
    void storeKeyPicture(KeySlot& slot, int index, const QString& path);
    void removeGroupPicture(GroupSlot& slot);
    void removeKeyPicture(KeySlot& slot);

    // Cod_GrupoDF := numero.
    void setDefaultGroup(int numero);
    // The stored default group number (0 = none).
    int defaultGroup();
    void deleteKey(KeySlot& slot);
    // Deletes the group and its keys, and clears the default when it was
    // this group; the slot becomes an empty button.
    void deleteGroup(GroupSlot& slot);

    // Moves key f of group grupo to index final, the keys between one place along.
    void moveKey(int grupo, int f, int final);
    // Moves group f to index final with its keys; the groups between are
    // renumbered with theirs, and the default group keeps pointing at the
    // same group. Returns the new default group number.
    int moveGroup(int f, int final);

    // The article's description, or a null string when no such article exists.
    QString articleDescription(qint32 codigo);

    // The SELECT that finds a row's Imagen, for the picture saver.
    QString groupPictureSelect(int numero) const;
    QString keyPictureSelect(int grupo, int posicion) const;

    // Refuses (with a clear message) a file that is missing, empty, not a picture or too large to load.
    static void checkPictureFile(const QString& path);

private:
    QString cfgWhere() const; // " AND Cod_Empresa = .. AND Cod_CfgPantalla=.."
    void insertGroupRow(const GroupSlot& slot, int numero, int posicion);
    void insertKeyRow(const KeySlot& slot, int posicion);
    QString groupWhere(int numero) const;
    QString keyWhere(int grupo, int posicion) const;

    db::Connection& m_conn;
    int m_empresa;
    int m_cfg;
    int m_tipo;
    int m_empresaArticulos;
};

} // namespace zqvr::touchscreen
