// The screen kit as screens use it: keys that stay in their window, handlers
// whose failures are reported under the caption derived from the control,
// and controls whose own failures reach the user.
#include "controls/ControlArray.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlTextBox.h"
#include "db/Error.h"
#include "frame/Form.h"
#include "frame/KeyBinding.h"
#include "frame/Wiring.h"
#include "host/OleColor.h"
#include "support/ScreenTest.h"

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
