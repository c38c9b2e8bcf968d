#pragma once
// The groups and keys of one touch-screen configuration
// (TPV_CfgPantalla_Grupos, TPV_CfgPantalla_Grupos_Lineas): reading a page
// into slots, writing each change at once, and the moves of the drag and
// drop. Every write that takes more than one statement is all or nothing,
// and a slot passed in is only changed once its statements are committed.
#include "touchscreen_export.h"
#include "touchscreen/LayoutSlots.h"

#include <QString>
#include <functional>
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

    // Each change of a group or key button is written at once. A button with
    // no row yet gets one first, made from what the slot holds before the
    // change, in the same transaction; the slot takes the new value once it
    // is committed. The ensure calls only make the row.
    void ensureGroup(GroupSlot& slot, int index);
    void setGroupTextMode(GroupSlot& slot, int index, int mode);
    void setGroupCaption(GroupSlot& slot, int index, const QString& text);
    void setGroupForeColour(GroupSlot& slot, int index, qint32 colour);
    void setGroupBackColour(GroupSlot& slot, int index, qint32 colour);

    void ensureKey(KeySlot& slot, int index);
    void setKeyArticle(KeySlot& slot, int index, qint32 article);
    void setKeyTextMode(KeySlot& slot, int index, int mode);
    void setKeyText(KeySlot& slot, int index, const QString& text);
    void setKeyUnits(KeySlot& slot, int index, double units);
    void setKeyForeColour(KeySlot& slot, int index, qint32 colour);
    void setKeyBackColour(KeySlot& slot, int index, qint32 colour);
    // 1: the article record's picture, which follows the record's changes.
    void setKeyPictureSource(KeySlot& slot, int index, int origin);
    void setKeyWeighed(KeySlot& slot, int index, int weighed);
    void setKeyLink(KeySlot& slot, int index, const QString& path);
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

    // Refuses (with a clear message) a file that is missing, empty, not a picture or too large to load.
    static void checkPictureFile(const QString& path);

    // Every key of the company showing the article record's picture takes
    // the picture at path, in every configuration; a missing file clears
    // their picture. A file that cannot become a picture changes nothing.
    // Returns the number of keys changed. progress, when given, is told the
    // keys done and the keys to do as it goes; when it returns false the
    // refresh stops, every key keeps its old picture and 0 is returned.
    using RefreshProgress = std::function<bool(int done, int total)>;
    static int refreshRecordPictures(db::Connection& conn, int empresa, qint32 articulo, const QString& path,
                                     const RefreshProgress& progress = {});

private:
    // Writes "UPDATE ... set" + clause for the button, creating its row first
    // when it has none; an empty clause only creates the row.
    void writeGroup(GroupSlot& slot, int index, const QString& clause);
    void writeKey(KeySlot& slot, int index, const QString& clause);
    QString groupPictureSelect(int numero) const;
    QString keyPictureSelect(int grupo, int posicion) const;
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
