// Access levels applied to a small test window, and the catalogue upkeep
// that only the development server gets.
#include "controls/ctlTextBox.h"
#include "frame/Services.h"
#include "security/clsControlSeg.h"
#include "support/ScreenTest.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace zqvr;
using security::clsControlSeg;

namespace {

class AccessLevels : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::installInHostContext(db);
        form.setObjectName(QStringLiteral("frmPrueba"));
        auto* layout = new QVBoxLayout(&form);
        frame = new QGroupBox(QStringLiteral("Datos"), &form);
        frame->setObjectName(QStringLiteral("fraDatos"));
        auto* inner = new QVBoxLayout(frame);
        txtNombre = new QLineEdit(frame);
        txtNombre->setObjectName(QStringLiteral("txtNombre"));
        inner->addWidget(txtNombre);
        for (int i = 0; i < 2; ++i) {
            chkOpcion[i] = new QCheckBox(QStringLiteral("Opción %1").arg(i), frame);
            chkOpcion[i]->setObjectName(QStringLiteral("chkOpcion"));
            chkOpcion[i]->setProperty("index", i);
            inner->addWidget(chkOpcion[i]);
        }
        txtClave = new controls::ctlTextBox(&form);
        txtClave->setObjectName(QStringLiteral("txtClave"));
        cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), &form);
        cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
        layout->addWidget(frame);
        layout->addWidget(txtClave);
        layout->addWidget(cmdAceptar);

        db.exec("INSERT INTO SGD_Formularios (Cod_Formulario, Nombre) VALUES (7, 'frmPrueba'), (8, 'frmOtra')");
        db.exec("INSERT INTO SGD_Controles (Cod_Formulario, Cod_Control, Nombre, Indice, TabIndex) VALUES"
                " (7, 1, 'txtNombre', '', 0), (7, 2, 'chkOpcion', '1', 1), (7, 3, 'txtClave', '', 2),"
                " (7, 4, 'cmdAceptar', '', 3), (7, 5, 'cmdBorrado', '', 4), (8, 1, 'txtNombre', '', 0)");
        db.exec("INSERT INTO SGD_Usuarios_Grupos (CodUsuario, CodGrupo) VALUES (1, 3), (2, 4)");
        seg.setConexion(&db.conn());
        seg.setEmpresa(&db.empresa());
        seg.setContentForm(&form);
        seg.setUsuario(1);
        QObject::connect(&seg, &clsControlSeg::AfterSetStateControl, [this](QWidget* w, int& level) {
            events << clsControlSeg::controlKey(w) + QLatin1Char('=') + QString::number(level);
        });
        QObject::connect(&seg, &clsControlSeg::AfterSetStateAllControls, [this] { events << QStringLiteral("all"); });
    }

    void grant(int group, int control, int level, int form = 7)
    {
        db.exec(QStringLiteral("INSERT INTO SGD_Controles_Grupos (Cod_Grupo, Cod_Formulario, Cod_Control, Permiso)"
                               " VALUES (%1, %2, %3, %4)").arg(group).arg(form).arg(control).arg(level));
    }

    test::TestDatabase db;
    test::ServiceDoubles services;
    QWidget form;
    QGroupBox* frame = nullptr;
    QLineEdit* txtNombre = nullptr;
    QCheckBox* chkOpcion[2] = {};
    controls::ctlTextBox* txtClave = nullptr;
    QPushButton* cmdAceptar = nullptr;
    clsControlSeg seg;
    QStringList events;
};

} // namespace

TEST_F(AccessLevels, AUserWithoutGrantsOnTheWindowChangesNothing)
{
    grant(4, 1, 2);    // another user's group
    grant(3, 1, 2, 8); // the user's group on another window
    seg.SetStateAllControl();
    EXPECT_TRUE(txtNombre->isEnabled());
    EXPECT_FALSE(txtNombre->isReadOnly());
    EXPECT_TRUE(cmdAceptar->isEnabled());
    EXPECT_EQ(events, QStringList{QStringLiteral("all")});
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(AccessLevels, TheMostRestrictiveLevelIsAppliedLast)
{
    grant(0, 1, 1); // every user: locked
    grant(3, 1, 2); // the user's group: disabled
    seg.SetStateAllControl();
    EXPECT_FALSE(txtNombre->isEnabled());
    EXPECT_TRUE(txtNombre->isReadOnly());
    EXPECT_FALSE(txtNombre->hasFrame());
    EXPECT_EQ(txtNombre->palette().color(QPalette::Base), frame->palette().color(QPalette::Window));
    EXPECT_EQ(txtNombre->palette().color(QPalette::Active, QPalette::Text),
              QApplication::palette().color(QPalette::Disabled, QPalette::Text));
    EXPECT_EQ(events, (QStringList{QStringLiteral("txtNombre=1"), QStringLiteral("txtNombre=2"), QStringLiteral("all")}));
}

TEST_F(AccessLevels, LevelsReachTheRightElementOfAControlArrayAndButtonsThatCannotBeLocked)
{
    grant(3, 2, 1); // chkOpcion(1)
    grant(0, 4, 1); // cmdAceptar
    grant(3, 5, 2); // a control no longer on the window
    seg.SetStateAllControl();
    EXPECT_TRUE(chkOpcion[0]->isEnabled());
    EXPECT_FALSE(chkOpcion[1]->isEnabled());
    EXPECT_FALSE(cmdAceptar->isEnabled());
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(AccessLevels, OurControlsTakeTheirLevelThemselves)
{
    grant(3, 3, 1);
    seg.SetStateAllControl();
    EXPECT_EQ(txtClave->AccessLevel(), 1);
    EXPECT_FALSE(txtClave->Habilitado());
    EXPECT_TRUE(txtClave->isEnabled());
    EXPECT_EQ(events, QStringList{QStringLiteral("all")}); // no per-control event for them

    seg.setControlState(txtClave, 2);
    EXPECT_FALSE(txtClave->isEnabled());
}

TEST_F(AccessLevels, LevelZeroNeverShowsWhatTheScreenHidAndUnknownLevelsDoNothing)
{
    txtNombre->setVisible(false);
    txtClave->setVisible(false);
    grant(3, 1, 0);
    grant(3, 3, 0);
    grant(0, 4, 7);
    seg.SetStateAllControl();
    EXPECT_TRUE(txtNombre->isHidden());
    EXPECT_TRUE(txtClave->isHidden());
    EXPECT_TRUE(cmdAceptar->isEnabled());
    EXPECT_EQ(events, (QStringList{QStringLiteral("txtNombre=0"), QStringLiteral("all")}));
    // A control the screen did not hide still appears with its window.
    txtNombre->setVisible(true);
    form.show();
    EXPECT_TRUE(txtNombre->isVisible());
}

TEST_F(AccessLevels, TheScreensOwnRulesNeverLiftALevel)
{
    // The screen's own rule: the first option enables and unlocks the rest.
    auto rule = [this](bool on) {
        txtNombre->setEnabled(on);
        txtNombre->setReadOnly(!on);
        chkOpcion[1]->setEnabled(on);
        txtClave->setEnabled(on);
        txtClave->setHabilitado(on);
        txtClave->setReadOnly(!on);
        cmdAceptar->setEnabled(on);
    };
    QObject::connect(chkOpcion[0], &QCheckBox::toggled, &form, rule);
    grant(3, 1, 1); // txtNombre: locked
    grant(3, 2, 2); // chkOpcion(1): disabled
    grant(0, 3, 1); // txtClave: locked, by itself
    grant(3, 4, 1); // cmdAceptar: cannot be locked, so disabled
    seg.SetStateAllControl();
    form.show();
    for (bool on : {true, false, true}) {
        chkOpcion[0]->setChecked(on);
        EXPECT_TRUE(txtNombre->isReadOnly()) << on;
        EXPECT_EQ(txtNombre->isEnabled(), on); // level 1 allows it enabled, never typed in
        EXPECT_FALSE(chkOpcion[1]->isEnabled()) << on;
        EXPECT_FALSE(txtClave->Habilitado()) << on;
        EXPECT_FALSE(cmdAceptar->isEnabled()) << on;
    }
    // Disabling and enabling the frame around them does not lift them either.
    frame->setEnabled(false);
    frame->setEnabled(true);
    EXPECT_FALSE(chkOpcion[1]->isEnabled());
    EXPECT_TRUE(chkOpcion[0]->isEnabled());
    // A later, stricter level becomes the ceiling.
    seg.setControlState(txtNombre, 2);
    txtNombre->setEnabled(true);
    EXPECT_FALSE(txtNombre->isEnabled());
}

TEST_F(AccessLevels, TheHostCanSwitchThemOff)
{
    grant(3, 1, 2);
    db.empresa().setVariable(QStringLiteral("NoProcesarPermisosControles"), 1);
    seg.SetStateAllControl();
    EXPECT_TRUE(txtNombre->isEnabled());
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(AccessLevels, OnlyTheDevelopmentServerKeepsTheCatalogueOfControls)
{
    db.conn().setServerName(QStringLiteral("TIENDA01"));
    grant(3, 5, 2);
    const int controls = db.count("SGD_Controles");
    seg.SetStateAllControl();
    EXPECT_EQ(db.count("SGD_Controles"), controls);
    EXPECT_EQ(db.count("SGD_Controles_Grupos"), 1);

    db.conn().setServerName(QString::fromLatin1(security::kDevelopmentServer));
    seg.SetStateAllControl();
    // The vanished control and its grant are gone; the window's controls are all there.
    EXPECT_EQ(db.count("SGD_Controles", "Cod_Formulario = 7 AND Nombre = 'cmdBorrado'"), 0);
    EXPECT_EQ(db.count("SGD_Controles_Grupos"), 0);
    EXPECT_EQ(db.count("SGD_Controles", "Cod_Formulario = 7 AND Nombre = 'chkOpcion' AND Indice = '0'"), 1);
    EXPECT_EQ(db.count("SGD_Controles", "Cod_Formulario = 7 AND Nombre = 'fraDatos' AND Indice = ''"), 1);
    EXPECT_EQ(db.conn().scalar("SELECT Cod_Control FROM SGD_Controles WHERE Cod_Formulario = 7 AND Nombre = 'txtNombre'").toInt(), 1);
    EXPECT_EQ(db.count("SGD_Controles", "Cod_Formulario = 8"), 1); // other windows untouched

    // A window not yet in the catalogue gets the next code.
    QWidget other;
    other.setObjectName(QStringLiteral("frmNueva"));
    auto* b = new QPushButton(&other);
    b->setObjectName(QStringLiteral("cmdSalir"));
    clsControlSeg seg2;
    seg2.setConexion(&db.conn());
    seg2.setContentForm(&other);
    seg2.SetStateAllControl();
    EXPECT_EQ(db.conn().scalar("SELECT Cod_Formulario FROM SGD_Formularios WHERE Nombre = 'frmNueva'").toInt(), 9);
    EXPECT_EQ(db.count("SGD_Controles", "Cod_Formulario = 9 AND Nombre = 'cmdSalir'"), 1);
}

TEST_F(AccessLevels, AFailureLocksTheWindowButItsWayOutAndSaysWhy)
{
    auto* cmdSalir = new QPushButton(QStringLiteral("&Salir"), &form);
    cmdSalir->setObjectName(QStringLiteral("cmdSalir"));
    form.layout()->addWidget(cmdSalir);
    seg.setExitControls({cmdSalir});
    db.exec("DROP TABLE SGD_Usuarios_Grupos");
    seg.SetStateAllControl();
    ASSERT_EQ(services.messages->shown.size(), 1u);
    EXPECT_EQ(services.messages->shown[0].caption, QStringLiteral("clsControlSeg:SetStateAllControl"));
    EXPECT_EQ(services.messages->shown[0].icon, frame::MsgIcon::Critical);
    EXPECT_TRUE(services.messages->shown[0].text.contains(QStringLiteral("quedan bloqueados")));
    EXPECT_TRUE(services.messages->shown[0].text.contains(QStringLiteral("SGD_Usuarios_Grupos"), Qt::CaseInsensitive));
    EXPECT_TRUE(txtNombre->isReadOnly());
    EXPECT_FALSE(chkOpcion[0]->isEnabled());
    EXPECT_FALSE(chkOpcion[1]->isEnabled());
    EXPECT_FALSE(txtClave->Habilitado());
    EXPECT_FALSE(cmdAceptar->isEnabled());
    EXPECT_TRUE(cmdSalir->isEnabled());
    EXPECT_TRUE(frame->isEnabled()); // what it holds is locked one by one, and stays readable
    EXPECT_TRUE(events.isEmpty());
    // The lock holds against the screen's own rules as a granted level does.
    chkOpcion[0]->setEnabled(true);
    txtNombre->setReadOnly(false);
    EXPECT_FALSE(chkOpcion[0]->isEnabled());
    EXPECT_TRUE(txtNombre->isReadOnly());
}
