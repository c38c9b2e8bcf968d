// The screen kit as screens use it: keys that stay in their window, handlers
// whose failures are reported under the caption derived from the control,
// and controls whose own failures reach the user.
#include "controls/ControlArray.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "db/Error.h"
#include "controls/Grid.h"
#include "frame/Dialog.h"
#include "frame/Form.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "host/OleColor.h"
#include "support/ScreenTest.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace zqvr;

namespace {

class KitForm : public frame::Form {
public:
    explicit KitForm(const QString& name) : Form(name, name)
    {
        auto* layout = new QVBoxLayout(this);
        txtCampo = new controls::ctlTextBox(this);
        txtCampo->setObjectName(QStringLiteral("txtCampo"));
        cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
        cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
        txtArticulo = new controls::ctlArticulo(this);
        txtArticulo->setObjectName(QStringLiteral("txtArticulo"));
        layout->addWidget(txtCampo);
        layout->addWidget(txtArticulo);
        layout->addWidget(cmdAceptar);
        frame::wire(cmdAceptar, &QPushButton::clicked, this, &KitForm::cmdAceptar_Click);
        frame::bindKey(this, Qt::Key_F9, cmdAceptar);
    }
    void cmdAceptar_Click()
    {
        ++accepted;
        if (failNext)
            throw Error(5, QStringLiteral("Algo falló"), QStringLiteral("clsPrueba::Guardar"));
    }
    controls::ctlTextBox* txtCampo;
    controls::ctlArticulo* txtArticulo;
    QPushButton* cmdAceptar;
    int accepted = 0;
    bool failNext = false;
};

void activate(QWidget* w)
{
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

class ScreenKit : public ::testing::Test {
protected:
    void SetUp() override { test::installInHostContext(db); }
    test::ServiceDoubles services;
    test::TestDatabase db;
};

} // namespace

TEST_F(ScreenKit, AKeyActsOnlyInTheWindowThatHasTheFocusAndOnlyWhileItsButtonIsEnabled)
{
    KitForm a(QStringLiteral("frmA"));
    KitForm b(QStringLiteral("frmB"));
    a.showForm(0);
    b.showForm(0);
    ASSERT_NO_FATAL_FAILURE(activate(&a));
    a.txtCampo->setFocus();
    QTest::keyClick(a.txtCampo, Qt::Key_F9);
    EXPECT_EQ(a.accepted, 1);
    EXPECT_EQ(b.accepted, 0);

    ASSERT_NO_FATAL_FAILURE(activate(&b));
    b.txtCampo->setFocus();
    b.cmdAceptar->setEnabled(false);
    QTest::keyClick(b.txtCampo, Qt::Key_F9);
    EXPECT_EQ(b.accepted, 0);
    EXPECT_EQ(a.accepted, 1);
}

TEST_F(ScreenKit, AFailingHandlerIsReportedUnderTheCaptionOfItsControlAndEvent)
{
    KitForm f(QStringLiteral("frmA"));
    f.showForm(0);
    f.failNext = true;
    f.cmdAceptar->click();
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->caption, "Error en cmdAceptar_Click");
    EXPECT_EQ(services.messages->last()->text, "Algo falló");
    EXPECT_EQ(services.messages->last()->icon, frame::MsgIcon::Critical);
}

namespace {
// A window with a control array whose handler takes the element's index.
class ArrayForm : public frame::Form {
public:
    ArrayForm() : Form(QStringLiteral("frmArray"), QStringLiteral("frmArray"))
    {
        for (int i = 0; i < 3; ++i) {
            auto* b = new QPushButton(this);
            controls::setArrayIndex(b, QStringLiteral("cmdOpcion"), i);
            frame::wireElement(b, &QPushButton::clicked, this, &ArrayForm::cmdOpcion_Click);
            cmdOpcion << b;
        }
    }
    void cmdOpcion_Click(int index)
    {
        clicked << index;
        if (index == 2)
            throw Error(5, QStringLiteral("Opción no disponible"));
    }
    QList<QPushButton*> cmdOpcion;
    QList<int> clicked;
};
} // namespace

TEST_F(ScreenKit, AnArrayElementHandsItsOwnIndexToTheHandlerAndReportsUnderTheArraysName)
{
    ArrayForm f;
    // Numbered again after wiring, as screens that build their arrays from data do.
    controls::setArrayIndex(f.cmdOpcion[0], QStringLiteral("cmdOpcion"), 7);
    f.cmdOpcion[1]->click();
    f.cmdOpcion[0]->click();
    EXPECT_EQ(f.clicked, (QList<int>{1, 7}));
    EXPECT_TRUE(services.messages->shown.empty());
    f.cmdOpcion[2]->click();
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->caption, "Error en cmdOpcion_Click");
    EXPECT_EQ(services.messages->last()->text, "Opción no disponible");
}

TEST_F(ScreenKit, APickerWhoseLookUpFailsTellsTheUser)
{
    KitForm f(QStringLiteral("frmA"));
    f.txtArticulo->setConexion(&db.conn());
    f.txtArticulo->setEmpresa(&db.empresa());
    f.showForm(0);
    ASSERT_NO_FATAL_FAILURE(activate(&f));
    db.exec("DROP TABLE Articulos");
    f.txtArticulo->codeField()->setFocus();
    QTest::keyClicks(f.txtArticulo->codeField(), "12");
    f.txtCampo->setFocus(); // leaving the picker looks the code up
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->caption, "txtArticulo:Cargar");
    EXPECT_FALSE(f.txtArticulo->EsValido());
}

TEST_F(ScreenKit, WalksOverTheWindowSeeItsControlsButNeverThePickersInnerParts)
{
    KitForm f(QStringLiteral("frmA"));
    auto* element = new QPushButton(&f);
    controls::setArrayIndex(element, QStringLiteral("cmdOpcion"), 3);
    QStringList names;
    for (QWidget* w : controls::windowControls(&f))
        names << controls::controlKey(w);
    names.sort();
    EXPECT_EQ(names, (QStringList{"cmdAceptar", "cmdOpcion!3", "txtArticulo", "txtCampo"}));
    EXPECT_EQ(controls::findControl(&f, QStringLiteral("cmdOpcion"), 3), element);
    EXPECT_EQ(controls::findControl(&f, QStringLiteral("cmdOpcion"), 2), nullptr);
}

TEST(OleColors, RedIsTheLowByteBothWays)
{
    EXPECT_EQ(host::toOleColor(QColor(255, 0, 0)), 0x0000FF);
    EXPECT_EQ(host::toOleColor(QColor(0, 0, 255)), 0xFF0000);
    EXPECT_EQ(host::fromOleColor(0x00C08040), QColor(0x40, 0x80, 0xC0));
    EXPECT_EQ(host::fromOleColor(0x7FC08040), QColor(0x40, 0x80, 0xC0)); // bits above the colour ignored
}

namespace {
// A screen whose procedures report under the names it declares once.
class NamedForm : public frame::Form {
public:
    NamedForm() : Form(QStringLiteral("frmNamed"), QStringLiteral("frmNamed"))
    {
        auto* layout = new QVBoxLayout(this);
        for (const char* name : {"cmdAgregar", "cmdSalir", "cmdDuplicar"}) {
            auto* b = new QPushButton(this);
            b->setObjectName(QLatin1String(name));
            layout->addWidget(b);
            buttons << b;
        }
        cboLista = new QComboBox(this);
        cboLista->setObjectName(QStringLiteral("cboLista"));
        cboLista->addItems({QStringLiteral("a"), QStringLiteral("b")});
        layout->addWidget(cboLista);
        frame::declareReports(this, frame::ReportNames()
                                        .under(QStringLiteral("frmNamed"), {QStringLiteral("cmdAgregar_Click")})
                                        .reportAs(QStringLiteral("cboLista_CurrentTextChanged"),
                                                  QStringLiteral("cboLista_Click"))
                                        .reportAs(QStringLiteral("cmdSalir_Click"), QStringLiteral("cmdAgregar_Click"))
                                        .tell(QStringLiteral("cmdDuplicar_Click"), 77,
                                              {QStringLiteral("No se pudo duplicar."), QStringLiteral("¡ Atención !"),
                                               frame::MsgIcon::Information}));
        for (QPushButton* b : buttons)
            frame::wire(b, &QPushButton::clicked, this, &NamedForm::fail);
        frame::wire(cboLista, &QComboBox::currentTextChanged, this, &NamedForm::fail);
    }
    void fail() { throw Error(number, QStringLiteral("Algo falló")); }
    QList<QPushButton*> buttons;
    QComboBox* cboLista;
    long number = 5;
};
} // namespace

TEST_F(ScreenKit, AScreenDeclaresOnceTheReportNamesThatDifferAndTheOthersStayDerived)
{
    NamedForm f;
    f.buttons[0]->click();
    f.buttons[1]->click();
    f.cboLista->setCurrentIndex(1);
    f.buttons[2]->click(); // another failure of the procedure that expects one number
    f.number = 77;
    f.buttons[2]->click();
    ASSERT_EQ(services.messages->shown.size(), 5u);
    EXPECT_EQ(services.messages->shown[0].caption, "frmNamed:cmdAgregar_Click");
    EXPECT_EQ(services.messages->shown[1].caption, "frmNamed:cmdAgregar_Click");
    EXPECT_EQ(services.messages->shown[2].caption, "Error en cboLista_Click");
    EXPECT_EQ(services.messages->shown[3].caption, "Error en cmdDuplicar_Click");
    EXPECT_EQ(services.messages->shown[3].text, "Algo falló");
    EXPECT_EQ(services.messages->shown[4].text, "No se pudo duplicar.");
    EXPECT_EQ(services.messages->shown[4].caption, "¡ Atención !");
    EXPECT_EQ(services.messages->shown[4].icon, frame::MsgIcon::Information);
}

TEST_F(ScreenKit, TheMessageWindowsStyleCarriesTheNumberInTheTextUnderTheBareCaption)
{
    QObject screen;
    frame::declareReports(&screen, frame::ReportNames()
                                       .style(frame::ReportStyle::NumberInText)
                                       .allUnder(QStringLiteral("frmGestor")));
    const bool ok = frame::guarded(&screen, QStringLiteral("cargar"),
                                   [] { throw Error(3021, QStringLiteral("Sin datos"), QString(), 4); });
    EXPECT_FALSE(ok);
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->last()->text, "[3021] Sin datos");
    EXPECT_EQ(services.messages->last()->caption, "frmGestor:cargar");
}

namespace {
class RecordDialog : public frame::Dialog {
public:
    bool Form_Load() override
    {
        ++loads;
        return loadable;
    }
    int loads = 0;
    bool loadable = true;
};
} // namespace

TEST_F(ScreenKit, ADialogRunsItsLoadStepFirstAndARefusedLoadIsCancelledWithoutShowingIt)
{
    RecordDialog d;
    d.loadable = false;
    EXPECT_EQ(frame::runModal(d), frame::DialogResult::Cancelled);
    EXPECT_EQ(d.loads, 1);
    EXPECT_TRUE(services.modal->dialogsRun.isEmpty());

    d.loadable = true;
    services.modal->queue([](QDialog&) { return int(QDialog::Accepted); });
    EXPECT_EQ(frame::runModal(d), frame::DialogResult::Accepted);
    services.modal->queue([](QDialog&) { return int(QDialog::Rejected); });
    EXPECT_EQ(frame::runModal(d), frame::DialogResult::Cancelled);
    EXPECT_EQ(d.loads, 3);
}

TEST_F(ScreenKit, EnterInAListedControlMovesOnToTheNextField)
{
    KitForm f(QStringLiteral("frmA"));
    auto* lista = new QComboBox(&f);
    lista->setObjectName(QStringLiteral("cboLista"));
    f.layout()->addWidget(lista);
    QWidget::setTabOrder(lista, f.txtCampo);
    frame::enterMovesOn({lista});
    f.showForm(0);
    activate(&f);
    lista->setFocus();
    QTest::keyClick(lista, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), f.txtCampo);
    lista->setFocus();
    QTest::keyClick(lista, Qt::Key_Enter);
    EXPECT_EQ(QApplication::focusWidget(), f.txtCampo);
}

TEST(GridKit, ColumnsAreSetOnceAndAFailedFillingDoesNotLeaveTheGridFrozen)
{
    using controls::Grid;
    Grid g;
    g.setColumns({{QStringLiteral("Código"), 900, Grid::AlignRight, Grid::TypeLong},
                  {QStringLiteral("Descripción")},
                  {QString(), -1, {}, {}, true, Grid::AlignCenter}});
    ASSERT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.TextMatrix(0, 0), "Código");
    EXPECT_EQ(g.ColAlignment(0), Grid::AlignRight);
    EXPECT_EQ(g.ColDataType(0), Grid::TypeLong);
    EXPECT_FALSE(g.ColHidden(1));
    EXPECT_TRUE(g.ColHidden(2));
    EXPECT_EQ(g.FixedAlignment(2), Grid::AlignCenter);

    EXPECT_THROW(
        {
            const controls::RedrawOff paused(g);
            EXPECT_FALSE(g.Redraw());
            g.AddItem(QStringLiteral("1\tUno"));
            throw Error(5, QStringLiteral("La lectura falló"));
        },
        Error);
    EXPECT_TRUE(g.Redraw());
}
