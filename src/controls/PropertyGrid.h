#pragma once
// A small property grid: categories of typed items (list, text, text with a
// button, number, colour, picture, yes/no) shown as caption / value rows of
// a tree, each with its own editor, and a row of command links beneath.
//
//   auto* grid = new PropertyGrid(this);
//   grid->addCategory("Botón Grupo");
//   auto* mode = grid->addItem(1, PropertyItem::List, "Tipo Texto");
//   mode->addChoice("Texto personalizado", 0);
//   grid->addCommand(101, "Establecer Predeterminado");
//   connect(grid, &PropertyGrid::ValueChanged, this, [](PropertyItem* item) { ... item->value() ... });
//
// ValueChanged is raised only for changes the user makes (or setValueFromUser);
// setValue from code is silent. Colour and picture choices go through the
// choosers the screen installs, so that the screen decides how dialogs run.
#include "controls_export.h"

#include <QColor>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QTreeWidget;
class QTreeWidgetItem;
class QHBoxLayout;
class QLabel;

namespace zqvr::controls {

class PropertyGrid;

class ZQVR_CONTROLS_EXPORT PropertyItem : public QObject {
    Q_OBJECT
public:
    enum Kind { List, Text, TextButton, Number, Color, Picture, YesNo };

    int index() const { return m_index; }
    Kind kind() const { return m_kind; }
    QString caption() const { return m_caption; }

    // List items: the captions shown and the value each stands for.
    void addChoice(const QString& caption, const QVariant& value);
    QStringList choiceCaptions() const;

    // List: the chosen value; Text/TextButton: the text; Number: a double;
    // Color: a QColor; Picture: the chosen file's path; YesNo: a bool.
    QVariant value() const { return m_value; }
    void setValue(const QVariant& v);
    // As if the user had entered v: sets it and raises ValueChanged.
    void setValueFromUser(const QVariant& v);
    // The text the value column shows.
    QString displayText() const;

    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on);

    // The editor widget of the value column (a QComboBox, QLineEdit, ...), for tests and focus.
    QWidget* editor() const { return m_editor; }
    QTreeWidgetItem* treeItem() const { return m_tree; }
    void select();

private:
    friend class PropertyGrid;
    PropertyItem(PropertyGrid* grid, int index, Kind kind, const QString& caption);
    void buildEditor();
    void refreshEditor();
    void commitFromEditor();
    void chooseFromButton();

    PropertyGrid* m_grid;
    int m_index;
    Kind m_kind;
    QString m_caption;
    QVariant m_value;
    bool m_readOnly = false;
    bool m_updating = false;
    std::vector<std::pair<QString, QVariant>> m_choices;
    QWidget* m_editor = nullptr;
    QTreeWidgetItem* m_tree = nullptr;
};

class ZQVR_CONTROLS_EXPORT PropertyGrid : public QWidget {
    Q_OBJECT
public:
    explicit PropertyGrid(QWidget* parent = nullptr);

    // Items added after a category belong to it; categories start expanded.
    void addCategory(const QString& caption);
    PropertyItem* addItem(int index, PropertyItem::Kind kind, const QString& caption);
    PropertyItem* item(int index) const;
    PropertyItem* findItem(const QString& caption) const;
    const std::vector<PropertyItem*>& items() const { return m_items; }
    PropertyItem* selectedItem() const;

    void addCommand(int id, const QString& caption);
    // The command link's widget (a QToolButton), for tests.
    QWidget* commandWidget(int id) const;

    // How a colour or a picture is chosen; nullopt / "" means cancelled.
    using ColorChooser = std::function<std::optional<QColor>(const QColor& current)>;
    using PictureChooser = std::function<QString()>;
    void setColorChooser(ColorChooser f) { m_colorChooser = std::move(f); }
    void setPictureChooser(PictureChooser f) { m_pictureChooser = std::move(f); }

    QTreeWidget* tree() const { return m_treeWidget; }

Q_SIGNALS:
    void ValueChanged(zqvr::controls::PropertyItem* item);
    // The button of a "text with a button" item was pressed.
    void InplaceButtonDown(zqvr::controls::PropertyItem* item);
    void CommandClicked(int id);
    // A key pressed in the grid or an editor; a handler sets keyCode to 0 to consume it.
    void KeyDown(int& keyCode, int shift);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class PropertyItem;
    QTreeWidget* m_treeWidget;
    QWidget* m_commands;
    QHBoxLayout* m_commandsLayout;
    QTreeWidgetItem* m_category = nullptr;
    std::vector<PropertyItem*> m_items;
    std::vector<std::pair<int, QWidget*>> m_commandWidgets;
    ColorChooser m_colorChooser;
    PictureChooser m_pictureChooser;
};

} // namespace zqvr::controls
