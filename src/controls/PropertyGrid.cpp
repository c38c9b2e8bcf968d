#include "controls/PropertyGrid.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zqvr::controls {

namespace {
QString colorText(const QColor& c) { return QStringLiteral("%1; %2; %3").arg(c.red()).arg(c.green()).arg(c.blue()); }

// Numbers are typed with either separator; the grid keeps them as doubles.
std::optional<double> parseNumber(QString text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (text.contains(QLatin1Char(','))) { // the suite's notation: "1.234,5"
        text.remove(QLatin1Char('.'));
        text.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    return v;
}
} // namespace

PropertyItem::PropertyItem(PropertyGrid* grid, int index, Kind kind, const QString& caption)
    : QObject(grid), m_grid(grid), m_index(index), m_kind(kind), m_caption(caption)
{
    switch (kind) {
    case Number: m_value = 0.0; break;
    case Color: m_value = QColor(Qt::black); break;
    case YesNo: m_value = false; break;
    case List: break;
    default: m_value = QString(); break;
    }
}

void PropertyItem::addChoice(const QString& caption, const QVariant& value)
{
    m_choices.emplace_back(caption, value);
    if (auto* combo = qobject_cast<QComboBox*>(m_editor)) {
        m_updating = true;
        combo->addItem(caption);
        m_updating = false;
    }
    if (!m_value.isValid())
        m_value = value;
    refreshEditor();
}

QStringList PropertyItem::choiceCaptions() const
{
    QStringList out;
    for (const auto& c : m_choices)
        out << c.first;
    return out;
}

void PropertyItem::setValue(const QVariant& v)
{
    switch (m_kind) {
    case Number: m_value = v.toDouble(); break;
    case Color: m_value = v.value<QColor>(); break;
    case YesNo: m_value = v.toBool(); break;
    case List: m_value = v; break;
    default: m_value = v.toString(); break;
    }
    refreshEditor();
}

void PropertyItem::setValueFromUser(const QVariant& v)
{
    if (m_readOnly)
        return;
    setValue(v);
    Q_EMIT m_grid->ValueChanged(this);
}

QString PropertyItem::displayText() const
{
    switch (m_kind) {
    case List:
        for (const auto& c : m_choices)
            if (c.second == m_value)
                return c.first;
        return m_value.toString();
    case Number: return QLocale::c().toString(m_value.toDouble(), 'g', 15);
    case Color: return colorText(m_value.value<QColor>());
    case YesNo: return m_value.toBool() ? QStringLiteral("Sí") : QStringLiteral("No");
    case Picture: return QFileInfo(m_value.toString()).fileName();
    default: return m_value.toString();
    }
}

void PropertyItem::setReadOnly(bool on)
{
    m_readOnly = on;
    if (m_editor)
        m_editor->setEnabled(!on);
}

void PropertyItem::select()
{
    if (m_tree)
        m_grid->m_treeWidget->setCurrentItem(m_tree, 1);
}

void PropertyItem::buildEditor()
{
    const QString name = QStringLiteral("_pg_value_%1").arg(m_index);
    auto withButton = [&](QLineEdit* edit, bool editable) {
        auto* box = new QWidget;
        auto* lay = new QHBoxLayout(box);
        lay->setContentsMargins(0, 0, 0, 0);
        lay->setSpacing(1);
        edit->setObjectName(name + QStringLiteral("_text"));
        edit->setReadOnly(!editable);
        edit->setFrame(false);
        auto* button = new QToolButton;
        button->setObjectName(name + QStringLiteral("_button"));
        button->setText(QStringLiteral("..."));
        button->setFocusPolicy(Qt::NoFocus);
        lay->addWidget(edit, 1);
        lay->addWidget(button);
        QObject::connect(button, &QToolButton::clicked, this, &PropertyItem::chooseFromButton);
        edit->installEventFilter(m_grid);
        return box;
    };
    switch (m_kind) {
    case List: {
        auto* combo = new QComboBox;
        for (const auto& c : m_choices)
            combo->addItem(c.first);
        QObject::connect(combo, &QComboBox::activated, this, [this](int) { commitFromEditor(); });
        m_editor = combo;
        break;
    }
    case Text:
    case Number: {
        auto* edit = new QLineEdit;
        edit->setFrame(false);
        QObject::connect(edit, &QLineEdit::editingFinished, this, &PropertyItem::commitFromEditor);
        m_editor = edit;
        break;
    }
    case TextButton: {
        auto* edit = new QLineEdit;
        QObject::connect(edit, &QLineEdit::editingFinished, this, &PropertyItem::commitFromEditor);
        m_editor = withButton(edit, true);
        break;
    }
    case Color:
    case Picture: m_editor = withButton(new QLineEdit, false); break;
    case YesNo: {
        auto* check = new QCheckBox;
        QObject::connect(check, &QCheckBox::clicked, this, [this](bool) { commitFromEditor(); });
        m_editor = check;
        break;
    }
    }
    if (m_editor->objectName().isEmpty())
        m_editor->setObjectName(name);
    m_editor->installEventFilter(m_grid);
    m_editor->setAutoFillBackground(true);
    refreshEditor();
}

void PropertyItem::refreshEditor()
{
    if (!m_editor)
        return;
    m_updating = true;
    switch (m_kind) {
    case List: {
        auto* combo = static_cast<QComboBox*>(m_editor);
        int at = -1;
        for (size_t i = 0; i < m_choices.size(); ++i)
            if (m_choices[i].second == m_value)
                at = int(i);
        combo->setCurrentIndex(at);
        break;
    }
    case Text:
    case Number: static_cast<QLineEdit*>(m_editor)->setText(displayText()); break;
    case YesNo: static_cast<QCheckBox*>(m_editor)->setChecked(m_value.toBool()); break;
    case TextButton:
    case Color:
    case Picture: {
        auto* edit = m_editor->findChild<QLineEdit*>();
        edit->setText(displayText());
        if (m_kind == Color) {
            const QColor c = m_value.value<QColor>();
            edit->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; }")
                                    .arg(c.name(), c.lightness() < 128 ? QStringLiteral("white")
                                                                       : QStringLiteral("black")));
        }
        break;
    }
    }
    m_updating = false;
}

void PropertyItem::commitFromEditor()
{
    if (m_updating || m_readOnly)
        return;
    QVariant next;
    switch (m_kind) {
    case List: {
        const int at = static_cast<QComboBox*>(m_editor)->currentIndex();
        if (at < 0 || at >= int(m_choices.size()))
            return;
        next = m_choices[at].second;
        break;
    }
    case Text: next = static_cast<QLineEdit*>(m_editor)->text(); break;
    case TextButton: next = m_editor->findChild<QLineEdit*>()->text(); break;
    case Number: {
        const auto parsed = parseNumber(static_cast<QLineEdit*>(m_editor)->text());
        if (!parsed) { // what cannot be read as a number goes back to the value held
            refreshEditor();
            return;
        }
        next = *parsed;
        break;
    }
    case YesNo: next = static_cast<QCheckBox*>(m_editor)->isChecked(); break;
    default: return;
    }
    if (next == m_value)
        return;
    setValueFromUser(next);
}

void PropertyItem::chooseFromButton()
{
    if (m_readOnly)
        return;
    select();
    if (m_kind == TextButton) {
        Q_EMIT m_grid->InplaceButtonDown(this);
    } else if (m_kind == Color) {
        const QColor current = m_value.value<QColor>();
        std::optional<QColor> chosen;
        if (m_grid->m_colorChooser) {
            chosen = m_grid->m_colorChooser(current);
        } else {
            const QColor c = QColorDialog::getColor(current, m_grid);
            if (c.isValid())
                chosen = c;
        }
        if (chosen && chosen->isValid())
            setValueFromUser(*chosen);
    } else if (m_kind == Picture) {
        const QString path = m_grid->m_pictureChooser
                                 ? m_grid->m_pictureChooser()
                                 : QFileDialog::getOpenFileName(m_grid, m_caption, QString(),
                                                                QStringLiteral("Imágenes (*.png *.jpg *.jpeg *.bmp *.gif)"));
        if (!path.isEmpty())
            setValueFromUser(path);
    }
}

PropertyGrid::PropertyGrid(QWidget* parent) : QWidget(parent)
{
    auto* lay = new QVBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(2);
    m_treeWidget = new QTreeWidget(this);
    m_treeWidget->setObjectName(QStringLiteral("_pg_tree"));
    m_treeWidget->setColumnCount(2);
    m_treeWidget->setHeaderHidden(true);
    m_treeWidget->setRootIsDecorated(true);
    m_treeWidget->setIndentation(12);
    m_treeWidget->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_treeWidget->header()->setStretchLastSection(true);
    m_treeWidget->setColumnWidth(0, 150);
    m_treeWidget->installEventFilter(this);
    lay->addWidget(m_treeWidget, 1);
    m_commands = new QWidget(this);
    m_commands->setObjectName(QStringLiteral("_pg_commands"));
    m_commandsLayout = new QHBoxLayout(m_commands);
    m_commandsLayout->setContentsMargins(2, 0, 2, 0);
    m_commandsLayout->addStretch(1);
    m_commands->hide();
    lay->addWidget(m_commands);
}

void PropertyGrid::addCategory(const QString& caption)
{
    m_category = new QTreeWidgetItem(m_treeWidget, QStringList{caption});
    m_category->setFirstColumnSpanned(true);
    QFont f = m_category->font(0);
    f.setBold(true);
    m_category->setFont(0, f);
    m_category->setBackground(0, palette().brush(QPalette::Button));
    m_category->setFlags(Qt::ItemIsEnabled);
    m_category->setExpanded(true);
}

PropertyItem* PropertyGrid::addItem(int index, PropertyItem::Kind kind, const QString& caption)
{
    if (!m_category)
        addCategory(QString());
    auto* item = new PropertyItem(this, index, kind, caption);
    item->m_tree = new QTreeWidgetItem(m_category, QStringList{caption});
    item->m_tree->setData(0, Qt::UserRole, index);
    item->buildEditor();
    m_treeWidget->setItemWidget(item->m_tree, 1, item->m_editor);
    m_category->setExpanded(true);
    m_items.push_back(item);
    return item;
}

PropertyItem* PropertyGrid::item(int index) const
{
    for (auto* i : m_items)
        if (i->index() == index)
            return i;
    return nullptr;
}

PropertyItem* PropertyGrid::findItem(const QString& caption) const
{
    for (auto* i : m_items)
        if (i->caption() == caption)
            return i;
    return nullptr;
}

PropertyItem* PropertyGrid::selectedItem() const
{
    QTreeWidgetItem* current = m_treeWidget->currentItem();
    for (auto* i : m_items)
        if (i->m_tree == current)
            return i;
    return nullptr;
}

void PropertyGrid::addCommand(int id, const QString& caption)
{
    auto* b = new QToolButton(m_commands);
    b->setObjectName(QStringLiteral("_pg_cmd_%1").arg(id));
    b->setText(caption);
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(QStringLiteral("QToolButton { color: palette(link); text-decoration: underline; }"));
    connect(b, &QToolButton::clicked, this, [this, id] { Q_EMIT CommandClicked(id); });
    m_commandsLayout->insertWidget(m_commandsLayout->count() - 1, b);
    m_commandWidgets.emplace_back(id, b);
    m_commands->show();
}

QWidget* PropertyGrid::commandWidget(int id) const
{
    for (const auto& [i, w] : m_commandWidgets)
        if (i == id)
            return w;
    return nullptr;
}

bool PropertyGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        for (auto* i : m_items)
            if (i->m_editor && (watched == i->m_editor || i->m_editor->isAncestorOf(qobject_cast<QWidget*>(watched))))
                i->select();
    } else if (event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        int key = ke->key();
        int shift = 0;
        if (ke->modifiers() & Qt::ShiftModifier)
            shift |= 1;
        if (ke->modifiers() & Qt::ControlModifier)
            shift |= 2;
        if (ke->modifiers() & Qt::AltModifier)
            shift |= 4;
        Q_EMIT KeyDown(key, shift);
        if (key == 0)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zqvr::controls
