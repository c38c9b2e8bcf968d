#include "parameters/CatalogueControls.h"

#include "controls/ControlArray.h"

#include "controls/ctlCheckBox.h"
#include "controls/ctlCodePicker.h"
#include "controls/ColumnLimit.h"
#include "controls/ctlTextBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace zqvr::parameters {

using controls::ctlCheckBox;
using controls::ctlCodePicker;
using controls::ctlTextBox;

namespace {

void name(QWidget* w, const QString& objectName, int index)
{
    if (index >= 0)
        controls::setArrayIndex(w, objectName, index);
    else
        w->setObjectName(objectName);
}

QLabel* label(const QString& text, const CatalogueEntry& e, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    name(l, QStringLiteral("lbl") + e.controlName().mid(3), e.index);
    return l;
}

ctlCodePicker* makePicker(const QString& cls, QWidget* parent)
{
    if (cls == QLatin1String("ctlTarifa"))
        return new controls::ctlTarifa(parent);
    if (cls == QLatin1String("ctlCliente"))
        return new controls::ctlCliente(parent);
    if (cls == QLatin1String("ctlAgente"))
        return new controls::ctlAgente(parent);
    if (cls == QLatin1String("ctlDtoGrp"))
        return new controls::ctlDtoGrp(parent);
    return new controls::ctlArticulo(parent);
}

bool isCheckKind(Kind k) { return k == Kind::Check || k == Kind::PlainCheck; }

// A frame whose settings are unlabelled elements of several arrays is laid
// out as a table: one line per element index (the ticket header and footer).
bool isTableFrame(const QList<const CatalogueEntry*>& entries)
{
    QSet<QString> names;
    for (const CatalogueEntry* e : entries) {
        if (e->index < 0 || *e->caption)
            return false;
        names.insert(e->controlName());
    }
    return names.size() > 1;
}

} // namespace

QComboBox* CatalogueControls::combo(int code) const { return qobject_cast<QComboBox*>(m_controls.value(code)); }

QWidget* CatalogueControls::makeControl(const CatalogueEntry& e, QWidget* parent)
{
    QWidget* w = nullptr;
    switch (e.kind) {
    case Kind::Check:
        w = new ctlCheckBox(e.captionText(), parent);
        break;
    case Kind::PlainCheck:
        w = new QCheckBox(e.captionText(), parent);
        break;
    case Kind::ComboIndex:
    case Kind::ComboData: {
        auto* c = new QComboBox(parent);
        for (const ListEntry& x : e.listEntries())
            c->addItem(x.text, x.data);
        w = c;
        break;
    }
    case Kind::Number:
    case Kind::Text: {
        auto* t = new ctlTextBox(parent);
        if (e.kind == Kind::Number)
            t->setNumeric(true);
        if (e.has(Masked))
            t->setPasswordMask(true);
        controls::limitToColumn(t, QStringLiteral("Tpv_Parametros"), QStringLiteral("Valor"));
        w = t;
        break;
    }
    case Kind::Picker:
        w = makePicker(QString::fromUtf8(e.entries), parent);
        break;
    default:
        return nullptr;
    }
    name(w, e.controlName(), e.index);
    m_controls.insert(e.code, w);
    return w;
}

// Blocks in catalogue order: loose settings and one frame per frame caption.
struct CatalogueControls::Block {
    QString frame;
    QList<const CatalogueEntry*> entries;
};

// The columns of a tab, filled top to bottom; a new one starts when the
// current one holds its share of the tab's rows.
struct CatalogueControls::Columns {
    QHBoxLayout* row;
    QVBoxLayout* current = nullptr;
    double used = 0;
    double perColumn;

    Columns(QWidget* page, double perColumn) : row(new QHBoxLayout(page)), perColumn(perColumn) { next(); }

    void next()
    {
        current = new QVBoxLayout;
        row->addLayout(current, 1);
        used = 0;
    }

    QFormLayout* addForm()
    {
        auto* form = new QFormLayout;
        current->addLayout(form);
        return form;
    }

    // Pushes each column's settings to its top.
    void finish()
    {
        for (int i = 0; i < row->count(); ++i)
            if (auto* v = qobject_cast<QVBoxLayout*>(row->itemAt(i)->layout()))
                v->addStretch(1);
    }
};

namespace {

QList<const CatalogueEntry*> tabEntries(Tab tab)
{
    QList<const CatalogueEntry*> entries;
    for (const CatalogueEntry& e : catalogue())
        if (e.tab == tab && e.kind != Kind::Hidden && e.kind != Kind::ScaleRows)
            entries.push_back(&e);
    return entries;
}

// The rows a block takes in its column; lists and tables weigh more.
double rowsOf(const QString& frame, const QList<const CatalogueEntry*>& entries)
{
    double rows = frame.isEmpty() ? 0 : 1.5;
    for (const CatalogueEntry* e : entries) {
        if (e->has(SameRow))
            continue;
        if (e->kind == Kind::ListBits)
            rows += std::min<int>(e->listEntries().size(), 12) * 0.9;
        else if (e->kind == Kind::CheckBits)
            rows += e->listEntries().size();
        else if (e->kind == Kind::ClaveEntry)
            rows += 0.55;
        else
            rows += 1;
    }
    return rows;
}

QString frameName(const CatalogueEntry& first)
{
    if (first.kind == Kind::ClaveEntry || first.kind == Kind::ListBits)
        return QStringLiteral("fra") + first.controlName().mid(3);
    return QStringLiteral("fra") + first.controlName().mid(3).section(QLatin1Char(','), 0, 0);
}

// Puts the unit caption after the field; returns the box holding both.
QWidget* withSuffix(QWidget* w, const CatalogueEntry& e, QWidget* owner)
{
    auto* box = new QWidget(owner);
    box->setObjectName(QStringLiteral("qt_suffix_%1").arg(e.code));
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    w->setParent(box);
    h->addWidget(w, 1);
    auto* s = label(QString::fromUtf8(e.suffix), e, box);
    s->setObjectName(s->objectName() + QStringLiteral("Unidad"));
    h->addWidget(s);
    return box;
}

// Puts the field beside the field of the previous row; false when there is
// no such field.
bool placeBesidePrevious(QFormLayout* form, QWidget* field, const CatalogueEntry& e, QWidget* owner)
{
    if (form->rowCount() == 0)
        return false;
    QLayoutItem* item = form->itemAt(form->rowCount() - 1, QFormLayout::FieldRole);
    if (!item || !item->widget())
        return false;
    QWidget* previous = item->widget();
    auto* box = new QWidget(owner);
    box->setObjectName(QStringLiteral("qt_pair_%1").arg(e.code));
    auto* h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    form->removeWidget(previous);
    previous->setParent(box);
    field->setParent(box);
    h->addWidget(previous, 1);
    h->addWidget(field, 1);
    form->setWidget(form->rowCount() - 1, QFormLayout::FieldRole, box);
    previous->show();
    field->show();
    return true;
}

} // namespace

QList<CatalogueControls::Block> CatalogueControls::blocksOf(const QList<const CatalogueEntry*>& entries)
{
    QList<Block> blocks;
    for (const CatalogueEntry* e : entries) {
        const QString f = e->frameText();
        auto it = std::find_if(blocks.begin(), blocks.end(), [&](const Block& b) { return !f.isEmpty() && b.frame == f; });
        if (it != blocks.end())
            it->entries.push_back(e);
        else if (f.isEmpty() && !blocks.isEmpty() && blocks.back().frame.isEmpty())
            blocks.back().entries.push_back(e);
        else
            blocks.push_back({f, {e}});
    }
    // Loose settings gather before the frames.
    std::stable_sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) {
        return a.frame.isEmpty() && !b.frame.isEmpty();
    });
    return blocks;
}

QWidget* CatalogueControls::buildTab(Tab tab, QWidget* parent)
{
    const QList<const CatalogueEntry*> entries = tabEntries(tab);
    if (entries.isEmpty())
        return nullptr;

    auto* page = new QWidget(parent);
    page->setObjectName(QStringLiteral("qt_catalogue_%1").arg(int(tab)));

    const QList<Block> blocks = blocksOf(entries);
    double total = 0;
    for (const Block& b : blocks)
        total += rowsOf(b.frame, b.entries);
    const int columns = std::max(1, int(std::ceil(total / 23.0)));

    Columns layout(page, total / columns);
    for (const Block& b : blocks) {
        const double rows = rowsOf(b.frame, b.entries);
        if (layout.used > 0 && layout.used + rows > layout.perColumn + 2)
            layout.next();
        if (b.frame.isEmpty())
            addLooseSettings(layout, b.entries, page);
        else
            addFrame(layout, b, rows, page);
    }
    layout.finish();
    return page;
}

void CatalogueControls::addLooseSettings(Columns& layout, const QList<const CatalogueEntry*>& entries, QWidget* page)
{
    QFormLayout* form = layout.addForm();
    for (const CatalogueEntry* e : entries) {
        // Long loose lists continue in the next column.
        if (layout.used >= layout.perColumn + 0.5 && !e->has(SameRow)) {
            layout.next();
            form = layout.addForm();
        }
        addEntryRow(form, *e, page);
        layout.used += e->has(SameRow) ? 0 : 1;
    }
}

void CatalogueControls::addFrame(Columns& layout, const Block& b, double rows, QWidget* page)
{
    auto* box = new QGroupBox(b.frame, page);
    box->setObjectName(frameName(*b.entries.front()));
    layout.current->addWidget(box);
    if (isTableFrame(b.entries)) {
        addTable(box, b.entries);
        layout.used += rows;
        return;
    }
    auto* form = new QFormLayout(box);
    for (const CatalogueEntry* e : b.entries) {
        addEntryRow(form, *e, box);
        layout.used += e->has(SameRow) ? 0 : 1;
    }
    layout.used += 1.5;
}

// One line per element index, one column per array.
void CatalogueControls::addTable(QWidget* box, const QList<const CatalogueEntry*>& entries)
{
    auto* grid = new QGridLayout(box);
    QStringList names;
    for (const CatalogueEntry* e : entries)
        if (!names.contains(e->controlName()))
            names << e->controlName();
    for (const CatalogueEntry* e : entries) {
        QWidget* w = makeControl(*e, box);
        const int col = int(names.indexOf(e->controlName()));
        grid->addWidget(w, e->index, col);
    }
    grid->setColumnStretch(0, 1);
}

void CatalogueControls::addEntryRow(QFormLayout* form, const CatalogueEntry& e, QWidget* owner)
{
    switch (e.kind) {
    case Kind::ClaveEntry:
    case Kind::ListBits:
        addListEntry(form, e, owner);
        break;
    case Kind::CheckBits:
        addCheckGroup(form, e, owner);
        break;
    case Kind::Link:
        addLink(form, e, owner);
        break;
    default:
        addField(form, e, owner);
        break;
    }
}

// The list is made by its first entry; each key entry adds its line to it.
void CatalogueControls::addListEntry(QFormLayout* form, const CatalogueEntry& e, QWidget* owner)
{
    QListWidget*& list = m_lists[e.controlName()];
    if (!list) {
        list = new QListWidget(owner);
        list->setObjectName(e.controlName());
        form->addRow(list);
    }
    if (e.kind == Kind::ClaveEntry) {
        list->setMinimumHeight(std::min(list->count() + 1, 13) * 15 + 8);
        auto* item = new QListWidgetItem(e.captionText(), list);
        item->setData(Qt::UserRole, e.code);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_controls.insert(e.code, list);
}

void CatalogueControls::addCheckGroup(QFormLayout* form, const CatalogueEntry& e, QWidget* owner)
{
    const QStringList names = e.groupControls();
    const QList<ListEntry> items = e.listEntries();
    QList<QWidget*> boxes;
    for (int i = 0; i < items.size(); ++i) {
        auto* box = new ctlCheckBox(items[i].text, owner);
        if (names.isEmpty())
            name(box, e.controlName(), i);
        else
            name(box, names.value(i), -1);
        form->addRow(box);
        boxes.push_back(box);
    }
    m_groups.insert(e.code, boxes);
    m_controls.insert(e.code, boxes.value(0));
}

void CatalogueControls::addLink(QFormLayout* form, const CatalogueEntry& e, QWidget* owner)
{
    auto* row = new QHBoxLayout;
    auto* key = new QComboBox(owner);
    name(key, e.controlName(), e.index);
    for (const ListEntry& x : ScopeValues::linkKeys())
        key->addItem(x.text, x.data);
    auto* path = new ctlTextBox(owner);
    name(path, QStringLiteral("txtUbicacion_Vinculo"), e.index);
    controls::limitToColumn(path, QStringLiteral("Tpv_Parametros"), QStringLiteral("Valor"));
    auto* browse = new QPushButton(QStringLiteral("..."), owner);
    name(browse, QStringLiteral("cmdExaminar_Vinculo"), e.index);
    browse->setMaximumWidth(32);
    row->addWidget(key);
    row->addWidget(path, 1);
    row->addWidget(browse);
    form->addRow(row);
    m_controls.insert(e.code, key);
    m_linkPaths.insert(e.code, path);
}

void CatalogueControls::addField(QFormLayout* form, const CatalogueEntry& e, QWidget* owner)
{
    QWidget* w = makeControl(e, owner);
    if (!w)
        return;
    QWidget* field = *e.suffix ? withSuffix(w, e, owner) : w;
    if (e.has(SameRow) && placeBesidePrevious(form, field, e, owner))
        return;
    if (isCheckKind(e.kind))
        form->addRow(field);
    else if (!*e.caption)
        form->addRow(QString(), field); // in the field column, under the others
    else
        form->addRow(label(e.captionText(), e, owner), field);
}

void CatalogueControls::preparePickers(db::Connection* conn, host::Empresa* empresa)
{
    for (QWidget* w : std::as_const(m_controls))
        if (auto* p = qobject_cast<ctlCodePicker*>(w)) {
            p->setConexion(conn);
            p->setEmpresa(empresa);
        }
}

void CatalogueControls::refillCombo(int code, const ScopeValues& values)
{
    QComboBox* c = combo(code);
    if (!c)
        return;
    const QSignalBlocker block(c);
    c->clear();
    for (const ListEntry& x : values.entries(code))
        c->addItem(x.text, x.data);
    c->setCurrentIndex(int(values.value(code).n));
}

void CatalogueControls::show(const ScopeValues& values)
{
    for (const CatalogueEntry& e : catalogue()) {
        const SettingValue& v = values.value(e.code);
        QWidget* w = m_controls.value(e.code);
        if (!w)
            continue;
        switch (e.kind) {
        case Kind::Check:
        case Kind::PlainCheck:
            static_cast<QCheckBox*>(w)->setChecked(v.n != 0);
            break;
        case Kind::ComboIndex:
        case Kind::ComboData:
            static_cast<QComboBox*>(w)->setCurrentIndex(int(v.n));
            break;
        case Kind::Number:
        case Kind::Text:
            static_cast<ctlTextBox*>(w)->setText(v.text);
            break;
        case Kind::Picker: {
            auto* p = static_cast<ctlCodePicker*>(w);
            p->setCodigo(v.n);
            p->Cargar();
            break;
        }
        case Kind::ClaveEntry: {
            auto* list = static_cast<QListWidget*>(w);
            if (QListWidgetItem* item = list->item(e.index))
                item->setCheckState(v.n ? Qt::Checked : Qt::Unchecked);
            break;
        }
        case Kind::ListBits: {
            auto* list = static_cast<QListWidget*>(w);
            const QList<ListEntry>& items = values.entries(e.code);
            if (list->count() != items.size()) {
                list->clear();
                for (const ListEntry& x : items) {
                    auto* item = new QListWidgetItem(x.text, list);
                    item->setData(Qt::UserRole, x.data);
                    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                }
            }
            const int height = std::min(list->count(), 13) * std::max(list->sizeHintForRow(0), 14) + 8;
            list->setMinimumHeight(height);
            if (list->count() <= 13) // short lists show just their entries
                list->setMaximumHeight(height);
            for (int i = 0; i < list->count(); ++i) {
                const int bit = list->item(i)->data(Qt::UserRole).toInt();
                list->item(i)->setCheckState((v.n >> bit) & 1 ? Qt::Checked : Qt::Unchecked);
            }
            break;
        }
        case Kind::CheckBits: {
            const QList<ListEntry> items = e.listEntries();
            const QList<QWidget*>& boxes = m_groups[e.code];
            for (int i = 0; i < boxes.size() && i < items.size(); ++i)
                static_cast<QCheckBox*>(boxes[i])->setChecked((v.n & items[i].data) == items[i].data);
            break;
        }
        case Kind::Link: {
            auto* key = static_cast<QComboBox*>(w);
            const int i = key->findData(int(v.n));
            key->setCurrentIndex(i < 0 ? 0 : i);
            static_cast<ctlTextBox*>(m_linkPaths.value(e.code))->setText(v.text);
            break;
        }
        default:
            break;
        }
    }
}

void CatalogueControls::read(ScopeValues& values) const
{
    for (const CatalogueEntry& e : catalogue()) {
        QWidget* w = m_controls.value(e.code);
        if (!w)
            continue;
        SettingValue& v = values.value(e.code);
        switch (e.kind) {
        case Kind::Check:
        case Kind::PlainCheck:
            v.n = static_cast<QCheckBox*>(w)->isChecked() ? 1 : 0;
            break;
        case Kind::ComboIndex:
        case Kind::ComboData:
            v.n = static_cast<QComboBox*>(w)->currentIndex();
            break;
        case Kind::Number:
        case Kind::Text:
            v.text = static_cast<ctlTextBox*>(w)->text();
            break;
        case Kind::Picker:
            v.n = static_cast<ctlCodePicker*>(w)->Codigo();
            break;
        case Kind::ClaveEntry: {
            QListWidgetItem* item = static_cast<QListWidget*>(w)->item(e.index);
            v.n = item && item->checkState() == Qt::Checked ? 1 : 0;
            break;
        }
        case Kind::ListBits: {
            auto* list = static_cast<QListWidget*>(w);
            v.n = 0;
            for (int i = 0; i < list->count(); ++i)
                if (list->item(i)->checkState() == Qt::Checked)
                    v.n |= qint64(1) << list->item(i)->data(Qt::UserRole).toInt();
            break;
        }
        case Kind::CheckBits: {
            const QList<ListEntry> items = e.listEntries();
            const QList<QWidget*> boxes = m_groups.value(e.code);
            v.n = 0;
            for (int i = 0; i < boxes.size() && i < items.size(); ++i)
                if (static_cast<QCheckBox*>(boxes[i])->isChecked())
                    v.n |= items[i].data;
            break;
        }
        case Kind::Link:
            v.n = static_cast<QComboBox*>(w)->currentData().toInt();
            v.text = static_cast<ctlTextBox*>(m_linkPaths.value(e.code))->text();
            break;
        default:
            break;
        }
    }
}

} // namespace zqvr::parameters
