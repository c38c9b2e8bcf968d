#pragma once
// The parameter controls of the window, made from the catalogue: one
// control per code (or per group of codes) with its caption, laid out by
// tab and frame, and the two-way copy between those controls and the
// state of a scope (ScopeValues).
#include "parameters_export.h"
#include "parameters/ParameterCatalogue.h"
#include "parameters/ScopeValues.h"

#include <QHash>
#include <QList>
#include <QWidget>

class QComboBox;
class QFormLayout;
class QListWidget;

namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }

namespace zqvr::parameters {

class ZQVR_PARAMETERS_EXPORT CatalogueControls {
public:
    // Builds the controls of one tab into a new widget; nullptr when the tab
    // has no catalogued setting.
    QWidget* buildTab(Tab tab, QWidget* parent);

    // The control of a code (the first box of a group, the key combo of a link).
    QWidget* control(int code) const { return m_controls.value(code); }
    // The combo of a code, nullptr when its control is no combo.
    QComboBox* combo(int code) const;

    // Gives the pickers their connection and company.
    void preparePickers(db::Connection* conn, host::Empresa* empresa);
    // Refills a combo from the entries the state holds for it (after setEntries).
    void refillCombo(int code, const ScopeValues& values);

    // State -> controls. Pickers look their description up (may throw Error).
    void show(const ScopeValues& values);
    // Controls -> state.
    void read(ScopeValues& values) const;

private:
    struct Block;
    struct Columns;

    static QList<Block> blocksOf(const QList<const CatalogueEntry*>& entries);
    void addLooseSettings(Columns& layout, const QList<const CatalogueEntry*>& entries, QWidget* page);
    void addFrame(Columns& layout, const Block& b, double rows, QWidget* page);
    void addTable(QWidget* box, const QList<const CatalogueEntry*>& entries);
    void addEntryRow(QFormLayout* form, const CatalogueEntry& e, QWidget* owner);
    void addListEntry(QFormLayout* form, const CatalogueEntry& e, QWidget* owner);
    void addCheckGroup(QFormLayout* form, const CatalogueEntry& e, QWidget* owner);
    void addLink(QFormLayout* form, const CatalogueEntry& e, QWidget* owner);
    void addField(QFormLayout* form, const CatalogueEntry& e, QWidget* owner);
    QWidget* makeControl(const CatalogueEntry& e, QWidget* parent);

    QHash<int, QWidget*> m_controls;
    QHash<int, QList<QWidget*>> m_groups;      // CheckBits boxes, in entry order
    QHash<int, QWidget*> m_linkPaths;          // Link: txtUbicacion_Vinculo(i)
    QHash<QString, QListWidget*> m_lists;      // lists by control name (lstClave is shared)
};

} // namespace zqvr::parameters
