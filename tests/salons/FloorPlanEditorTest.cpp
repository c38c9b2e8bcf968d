// The floor-plan editor and its palette, driven through the real widgets: a
// plan opened from the stored column, elements pressed in the palette and
// dropped on the drawing, relabelled, deleted, accepted or cancelled.
#include "controls/Grid.h"
#include "controls/ctlTextBox.h"
#include "salons/DocXml.h"
#include "salons/ExplorerBar.h"
#include "salons/FlowGraphDocument.h"
#include "salons/FlowGraphView.h"
#include "salons/FlowNodeItem.h"
#include "salons/PaletteDrag.h"
#include "salons/XamlMarkup.h"
#include "salons/frmCfgSalonElementos.h"
#include "salons/frmCfgSalones.h"
#include "support/ScreenTest.h"

#include <QDir>
#include <QImage>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::salons;

namespace {

const QString MesaXaml = QStringLiteral(
    "<Border Width=\"70\" Height=\"70\" Background=\"#FFDEB887\" BorderThickness=\"2\" BorderBrush=\"Black\" CornerRadius=\"35\">"
    "<TextBlock Text=\"Mesa\" FontWeight=\"Bold\"/></Border>");

class FloorPlanEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::installInHostContext(db);
        PaletteDrag::shared().clear();
        db.exec("INSERT INTO TPV_Sln_GrpElementos VALUES (1, 'Mesas'), (2, 'Plantas'), (3, 'Puertas')");
        db.conn().execute("INSERT INTO TPV_Sln_Elementos (Tipo, Descripcion, Cod_Relacion, Cod_Grupo, Xaml) VALUES (2, 'Mesa redonda', 2, 1, ?)",
                          {MesaXaml});
        db.exec("INSERT INTO TPV_Sln_Elementos (Tipo, Descripcion, Cod_Relacion, Cod_Grupo, Xaml) VALUES"
                " (7, 'Planta', 0, 2, ''), (9, 'Puerta', 2, 3, '')");
        db.exec("INSERT INTO TPV_Sln_Salones (Cod_Empresa, Cod_CfgSalon, Descripcion, Doc_Xml) VALUES (1, 4, 'Comedor', '')");
        // The installation's pictures: CFG_SL_1 ... CFG_SL_6, each its own colour.
        QDir(db.empresa().RutaAplicacion()).mkpath(QStringLiteral("Imagen"));
        for (int i = 0; i < 6; ++i) {
            QImage img(64, 64, QImage::Format_ARGB32);
            img.fill(QColor(40 * i, 100, 200));
            ASSERT_TRUE(img.save(elementPicturePath(db.empresa().RutaAplicacion(), i)));
        }
    }

    std::unique_ptr<frmCfgSalonElementos> open(const QString& stored)
    {
        auto e = std::make_unique<frmCfgSalonElementos>();
        e->setCodSalon(4);
        e->setDocXml(stored);
        EXPECT_TRUE(e->Form_Load());
        e->resize(900, 600);
        e->show();
        return e;
    }
    template <class T = QWidget>
    static T* ctl(QWidget* w, const char* name)
    {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    // Presses a palette item as the user does before dragging it.
    static void press(frmCfgSalonElementos& e, const QString& text)
    {
        QTreeWidget* tree = e.palette()->wndTreeViewControl();
        const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        tree->scrollToItem(found.front());
        const QPoint at = tree->visualItemRect(found.front()).center();
        QTest::mousePress(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at);
    }
    // Drops the dragged palette element at a point of the drawing's window.
    static void drop(frmCfgSalonElementos& e, QPoint at)
    {
        QMimeData mime;
        mime.setData(QLatin1String(PaletteMimeType), PaletteDrag::shared().key.toUtf8());
        // The platform delivers a drop only where the drag entered and was taken.
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e.surface()->viewport(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent ev(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(e.surface()->viewport(), &ev);
    }
    QString storedDoc()
    {
        return db.conn().scalar("SELECT Doc_Xml FROM TPV_Sln_Salones WHERE Cod_Empresa = 1 AND Cod_CfgSalon = 4").toString();
    }

    test::TestDatabase db{test::TestDatabase::File};
    test::ServiceDoubles services;
};

TEST_F(FloorPlanEditor, ThePaletteListsGroupsInBoldWithTheirElements)
{
    auto e = open(QString());
    EXPECT_EQ(e->windowTitle(), "Configuración Elementos");
    QTreeWidget* tree = e->palette()->wndTreeViewControl();
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    QTreeWidgetItem* mesas = tree->topLevelItem(0);
    EXPECT_EQ(mesas->text(0), "Mesas");
    EXPECT_TRUE(mesas->font(0).bold());
    EXPECT_TRUE(mesas->isExpanded());
    ASSERT_EQ(mesas->childCount(), 1);
    EXPECT_EQ(mesas->child(0)->data(0, ExplorerBar::KeyRole).toString(), "n2");
    EXPECT_FALSE(mesas->child(0)->icon(0).isNull());
    EXPECT_FALSE(tree->topLevelItem(2)->child(0)->icon(0).isNull());

    // A heading stores nothing; an element stores its key, text and group.
    ASSERT_NO_FATAL_FAILURE(press(*e, QStringLiteral("Puertas")));
    EXPECT_FALSE(PaletteDrag::shared().active());
    ASSERT_NO_FATAL_FAILURE(press(*e, QStringLiteral("Puerta")));
    EXPECT_EQ(PaletteDrag::shared().key, "n9");
    EXPECT_EQ(PaletteDrag::shared().text, "Puerta");
    EXPECT_EQ(PaletteDrag::shared().group, 3);
}

TEST_F(FloorPlanEditor, TwoGroupsWithOneNameTakeTheFirstGroupsNumber)
{
    db.exec("UPDATE TPV_Sln_GrpElementos SET Descripcion = 'Mesas' WHERE Cod_Grupo = 3");
    auto e = open(QString());
    ASSERT_NO_FATAL_FAILURE(press(*e, QStringLiteral("Puerta")));
    EXPECT_EQ(PaletteDrag::shared().group, 1);
}

TEST_F(FloorPlanEditor, DroppingAPictureElementPlacesA64PixelNodeWithItsPicture)
{
    auto e = open(QString());
    ASSERT_NO_FATAL_FAILURE(press(*e, QStringLiteral("Puerta")));
    ASSERT_NO_FATAL_FAILURE(drop(*e, QPoint(103, 57)));
    ASSERT_EQ(e->surface()->nodes().size(), 1);
    FlowNodeItem* n = e->surface()->nodes().front();
    EXPECT_TRUE(n->isPictureNode());
    EXPECT_EQ(n->imageIndex(), 2);
    EXPECT_EQ(n->size(), QSizeF(64, 64));
    EXPECT_EQ(n->caption(), "Puerta");
    EXPECT_EQ(n->pos(), QPointF(100, 60)); // on the grid
    EXPECT_FALSE(n->pictureMissing());
    EXPECT_EQ(e->surface()->picture(2).toImage().pixelColor(5, 5), QColor(80, 100, 200)); // CFG_SL_3.png
    EXPECT_FALSE(PaletteDrag::shared().active()) << "the drop clears the dragged key";
    // The new node is selected and its label ready to change.
    EXPECT_EQ(e->selectedNode(), n);
    EXPECT_EQ(ctl<controls::ctlTextBox>(e.get(), "txtRenombrar")->text(), "Puerta");

    // A second drop without pressing an element places nothing.
    ASSERT_NO_FATAL_FAILURE(drop(*e, QPoint(300, 300)));
    EXPECT_EQ(e->surface()->nodes().size(), 1);
}

TEST_F(FloorPlanEditor, DroppingAMarkupElementWithoutACatalogueRowPlacesAnEmptyDrawing)
{
    auto e = open(QString());
    PaletteDrag::shared() = PaletteDrag{QStringLiteral("n55"), QStringLiteral("Fantasma"), 1};
    ASSERT_NO_FATAL_FAILURE(drop(*e, QPoint(40, 40)));
    ASSERT_EQ(e->surface()->nodes().size(), 1);
    EXPECT_TRUE(e->surface()->nodes().front()->markup().isEmpty());
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(FloorPlanEditor, ATableDroppedRelabelledAndAcceptedOpensAgainAsLeft)
{
    auto e = open(QString());
    ASSERT_NO_FATAL_FAILURE(press(*e, QStringLiteral("Mesa redonda")));
    ASSERT_NO_FATAL_FAILURE(drop(*e, QPoint(200, 100)));
    auto* txt = ctl<controls::ctlTextBox>(e.get(), "txtRenombrar");
    txt->setText(QStringLiteral("Mesa d'Ana |7|"));
    QTest::mouseClick(ctl<QPushButton>(e.get(), "cmdRenombrar"), Qt::LeftButton);
    FlowNodeItem* n = e->selectedNode();
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->caption(), "Mesa d'Ana |7|");
    EXPECT_EQ(parseXaml(n->markup()).text, "Mesa d'Ana |7|") << "the TextBlock follows the label";
    n->setPos(250, 120);
    n->setSize(QSizeF(90, 90));
    QTest::mouseClick(ctl<QPushButton>(e.get(), "cmdAceptar"), Qt::LeftButton);
    EXPECT_EQ(e->result(), QDialog::Accepted);
    EXPECT_TRUE(services.messages->shown.empty());

    const QString stored = storedDoc();
    EXPECT_FALSE(stored.contains(QLatin1Char('\'')));
    auto again = open(stored);
    ASSERT_EQ(again->surface()->nodes().size(), 1);
    const FlowNode back = again->surface()->nodes().front()->node();
    EXPECT_EQ(back.caption, "Mesa d'Ana |7|");
    EXPECT_EQ(QPointF(back.left, back.top), QPointF(250, 120));
    EXPECT_EQ(QSizeF(back.width, back.height), QSizeF(90, 90));
    EXPECT_EQ(parseXaml(back.markup).text, "Mesa d'Ana |7|");
    EXPECT_EQ(saveFlowGraph(again->surface()->page()), decodeDocXml(stored));
}

TEST_F(FloorPlanEditor, RenamingWithAnEmptyLabelSaysSoAndChangesNothing)
{
    auto e = open(QString());
    ASSERT_NO_FATAL_FAILURE(press(*e, QStringLiteral("Mesa redonda")));
    ASSERT_NO_FATAL_FAILURE(drop(*e, QPoint(0, 0)));
    ctl<controls::ctlTextBox>(e.get(), "txtRenombrar")->clear();
    QTest::mouseClick(ctl<QPushButton>(e.get(), "cmdRenombrar"), Qt::LeftButton);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->text, "Debe elegir una etiqueta para el nodo.");
    EXPECT_EQ(services.messages->last()->caption, "¡ Atención !");
    EXPECT_EQ(services.messages->last()->icon, frame::MsgIcon::Information);
    ASSERT_NE(e->selectedNode(), nullptr);
    EXPECT_EQ(e->selectedNode()->caption(), "Mesa redonda");
    EXPECT_EQ(e->selectedNode()->markup(), MesaXaml);
}

TEST_F(FloorPlanEditor, RenamingANodeWhoseMarkupHasNoTextBlockChangesTheLabelAndSaysWhy)
{
    FlowGraphPage page;
    FlowNode broken;
    broken.markup = QStringLiteral("<Border><Canvas/>");
    broken.caption = QStringLiteral("Viejo");
    page.nodes << broken;
    auto e = open(encodeDocXml(saveFlowGraph(page)));
    // Opening says the drawing cannot be read.
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_TRUE(services.messages->last()->text.contains("1 elemento(s)")) << services.messages->last()->text.toStdString();
    services.messages->shown.clear();
    e->surface()->nodes().front()->setSelected(true);
    ctl<controls::ctlTextBox>(e.get(), "txtRenombrar")->setText(QStringLiteral("Nuevo"));
    QTest::mouseClick(ctl<QPushButton>(e.get(), "cmdRenombrar"), Qt::LeftButton);
    EXPECT_EQ(e->surface()->nodes().front()->caption(), "Nuevo");
    EXPECT_EQ(e->surface()->nodes().front()->markup(), broken.markup);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_TRUE(services.messages->last()->text.contains("no es XML válido")) << services.messages->last()->text.toStdString();
}

TEST_F(FloorPlanEditor, APlanWhoseMarkupNestsThousandsOfLevelsOpensRenamesAndSavesWithoutCrashing)
{
    FlowGraphPage page;
    FlowNode deep;
    deep.markup = QStringLiteral("<Border>") + QStringLiteral("<Grid>").repeated(15000) +
                  QStringLiteral("<TextBlock Text=\"Mesa\"/>") + QStringLiteral("</Grid>").repeated(15000) +
                  QStringLiteral("</Border>");
    deep.caption = QStringLiteral("Mesa");
    page.nodes << deep;
    const QString stored = encodeDocXml(saveFlowGraph(page));
    db.conn().execute("UPDATE TPV_Sln_Salones SET Doc_Xml = ? WHERE Cod_CfgSalon = 4", {stored});
    auto e = open(stored);
    ASSERT_EQ(e->surface()->nodes().size(), 1);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_TRUE(services.messages->last()->text.contains("1 elemento(s)")) << services.messages->last()->text.toStdString();
    services.messages->shown.clear();

    e->surface()->nodes().front()->setSelected(true);
    ctl<controls::ctlTextBox>(e.get(), "txtRenombrar")->setText(QStringLiteral("Nueva"));
    QTest::mouseClick(ctl<QPushButton>(e.get(), "cmdRenombrar"), Qt::LeftButton);
    EXPECT_EQ(e->surface()->nodes().front()->caption(), "Nueva");
    EXPECT_EQ(e->surface()->nodes().front()->markup(), deep.markup);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_TRUE(services.messages->last()->text.contains("niveles")) << services.messages->last()->text.toStdString();

    // The drawing is kept as it was stored.
    QTest::mouseClick(ctl<QPushButton>(e.get(), "cmdAceptar"), Qt::LeftButton);
    const FlowGraphLoad back = loadFlowGraph(decodeDocXml(storedDoc()));
    ASSERT_EQ(back.page.nodes.size(), 1);
    EXPECT_EQ(back.page.nodes.front().markup, deep.markup);
    EXPECT_EQ(back.page.nodes.front().caption, "Nueva");
}

TEST_F(FloorPlanEditor, DeleteRemovesTheSelectedNodeAndCancelStoresNothing)
{
    const QString before = QStringLiteral("<FlowGraph><Page><Node Left=|10| Top=|10| Caption=|Mesa 1|/></Page></FlowGraph>");
    db.exec(QStringLiteral("UPDATE TPV_Sln_Salones SET Doc_Xml = '%1'").arg(before));
    auto e = open(before);
    ASSERT_EQ(e->surface()->nodes().size(), 1);
    EXPECT_EQ(e->surface()->nodes().front()->caption(), "Mesa 1");
    e->surface()->nodes().front()->setSelected(true);
    QTest::mouseClick(ctl<QPushButton>(e.get(), "cmdEliminarNodo"), Qt::LeftButton);
    EXPECT_TRUE(e->surface()->nodes().isEmpty());
    QTest::mouseClick(ctl<QPushButton>(e.get(), "cmdCancelar"), Qt::LeftButton);
    EXPECT_EQ(e->result(), QDialog::Rejected);
    EXPECT_EQ(e->CodSalon(), 0);
    EXPECT_TRUE(e->DocXml().isEmpty());
    EXPECT_EQ(storedDoc(), before);
}

TEST_F(FloorPlanEditor, AnInvalidDocumentOpensAnEmptyPageAndSaysSo)
{
    auto e = open(QStringLiteral("<FlowGraph><Page><Node Left=|1|"));
    EXPECT_TRUE(e->surface()->hasActivePage());
    EXPECT_TRUE(e->surface()->nodes().isEmpty());
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->caption, "¡ Atención !");
    EXPECT_TRUE(services.messages->last()->text.contains("página vacía")) << services.messages->last()->text.toStdString();

    // An empty document opens quietly.
    auto empty = open(QString());
    EXPECT_EQ(services.messages->shown.size(), 1u);
}

TEST_F(FloorPlanEditor, MissingPicturesAreDrawnAsPlaceholdersAndNamed)
{
    QFile::remove(elementPicturePath(db.empresa().RutaAplicacion(), 4));
    auto e = open(QStringLiteral("<FlowGraph><Page><Node Shape=\"9417\" Left=\"0\" Top=\"0\" Image=\"4\"/>"
                                 "<Node Shape=\"9417\" Left=\"0\" Top=\"0\" Image=\"40\"/></Page></FlowGraph>"));
    ASSERT_EQ(e->surface()->nodes().size(), 2);
    EXPECT_TRUE(e->surface()->nodes()[0]->pictureMissing());
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_TRUE(services.messages->last()->text.contains("CFG_SL_5.png")) << services.messages->last()->text.toStdString();
    EXPECT_TRUE(services.messages->last()->text.contains("imagen 40")) << services.messages->last()->text.toStdString();
    // It draws and saves all the same.
    EXPECT_FALSE(e->grab().isNull());
    QTest::mouseClick(ctl<QPushButton>(e.get(), "cmdAceptar"), Qt::LeftButton);
    EXPECT_EQ(loadFlowGraph(decodeDocXml(storedDoc())).page.nodes.size(), 2);
}

TEST_F(FloorPlanEditor, AcceptingForASalonThatNoLongerExistsIsReportedAndTheEditorStaysOpen)
{
    auto e = open(QString());
    db.exec("DELETE FROM TPV_Sln_Salones");
    QTest::mouseClick(ctl<QPushButton>(e.get(), "cmdAceptar"), Qt::LeftButton);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->caption, "frmCfgSalonElementos:cmdAceptar_Click");
    EXPECT_EQ(services.messages->last()->text, "El salón 4 ya no existe: otro usuario lo ha eliminado.");
    EXPECT_TRUE(e->isVisible());
}

// A drop leaves the application's pointer as it found it: a busy pointer set
// by whoever is working stays until that one restores it.
TEST_F(FloorPlanEditor, ADropLeavesThePointerSetByOthersInPlace)
{
    auto e = open(QString());
    ASSERT_NO_FATAL_FAILURE(press(*e, QStringLiteral("Puerta")));
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ASSERT_NO_FATAL_FAILURE(drop(*e, QPoint(103, 57)));
    const QCursor* left = QApplication::overrideCursor();
    const bool busy = left && left->shape() == Qt::WaitCursor;
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
    EXPECT_TRUE(busy);
    EXPECT_EQ(e->surface()->nodes().size(), 1);
}

TEST_F(FloorPlanEditor, TheSalonListOpensTheEditorWithTheStoredText)
{
    db.exec("UPDATE TPV_Sln_Salones SET Doc_Xml = '<FlowGraph><Page><Node Left=\"5\" Top=\"5\" Caption=\"L|Olivo\"/></Page></FlowGraph>'");
    frmCfgSalones list;
    list.showForm(0);
    QString caption;
    services.modal->queue([&](QDialog& d) {
        auto& e = static_cast<frmCfgSalonElementos&>(d);
        EXPECT_EQ(e.CodSalon(), 4);
        EXPECT_TRUE(e.DocXml().contains("L|Olivo"));
        caption = e.surface()->nodes().value(0) ? e.surface()->nodes()[0]->caption() : QString();
        return int(QDialog::Rejected);
    });
    QTest::mouseClick(list.findChild<QPushButton*>(QStringLiteral("cmdConfigurar")), Qt::LeftButton);
    EXPECT_EQ(services.modal->dialogsRun, QStringList{"frmCfgSalonElementos"});
    EXPECT_EQ(caption, "L'Olivo");
}

} // namespace

namespace {

TEST_F(FloorPlanEditor, NodesMoveAndResizeOnTheGridWithTheMouseAndTheDrawingZooms)
{
    auto e = open(QStringLiteral("<FlowGraph><Page><Node Left=\"100\" Top=\"100\" Width=\"60\" Height=\"60\" Caption=\"Mesa\"/></Page></FlowGraph>"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(e.get()));
    FlowGraphView* view = e->surface();
    FlowNodeItem* n = view->nodes().front();
    QWidget* vp = view->viewport();
    auto at = [&](QPointF scene) { return view->mapFromScene(scene); };

    // Drag the node by its middle: it lands on the grid.
    QTest::mousePress(vp, Qt::LeftButton, {}, at(QPointF(130, 130)));
    EXPECT_EQ(e->selectedNode(), n);
    QTest::mouseMove(vp, at(QPointF(150, 140)));
    QTest::mouseMove(vp, at(QPointF(167, 154)));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, at(QPointF(167, 154)));
    EXPECT_EQ(n->pos(), QPointF(140, 120));

    // Drag the handle at the lower right corner: the node grows to the grid.
    QTest::mousePress(vp, Qt::LeftButton, {}, at(QPointF(200, 180)));
    QTest::mouseMove(vp, at(QPointF(230, 200)));
    QTest::mouseMove(vp, at(QPointF(252, 213)));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, at(QPointF(252, 213)));
    EXPECT_EQ(n->pos(), QPointF(140, 120));
    EXPECT_EQ(n->size(), QSizeF(110, 90));

    view->setFocus();
    QTest::keyClick(view, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_GT(view->zoom(), 1.0);
    QTest::keyClick(view, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(view->zoom(), 1.0);
}

} // namespace
