// The message windows driven through their widgets by name: the editor
// (fields, refusals, picture, preview, read-only), the manager's operations
// as a user makes them, and the history with its pictures.
#include "controls/Grid.h"
#include "controls/ctlAlmacenCons.h"
#include "controls/ctlCheckBox.h"
#include "controls/ctlMaskEdBox.h"
#include "controls/ctlTextBox.h"
#include "messages/ColourCombo.h"
#include "messages/clsGestorMensajes.h"
#include "messages/frmGestorMensajesTPV.h"
#include "messages/frmGestorMensajesTPV_Datos.h"
#include "messages/frmGestorMensajesTPV_HistImagen.h"
#include "messages/frmGestorMensajesTPV_Historico.h"
#include "support/FailingTrigger.h"
#include "support/ScreenTest.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::messages;
using controls::ctlMaskEdBox;
using controls::ctlTextBox;
using controls::Grid;
using frame::MsgIcon;
using frame::MsgResult;

namespace {

template <class T = QWidget>
T* ctl(QWidget* parent, const char* name, int index = -1)
{
    for (T* w : parent->findChildren<T*>(QString::fromLatin1(name)))
        if (index < 0 || w->property("index").toInt() == index)
            return w;
    ADD_FAILURE() << "no control " << name;
    return nullptr;
}

void click(QWidget* parent, const char* name, int index = -1)
{
    QAbstractButton* b = ctl<QAbstractButton>(parent, name, index);
    ASSERT_TRUE(b);
    ASSERT_TRUE(b->isEnabled()) << name << " is disabled";
    b->click();
}

// Fills the editor with a valid message.
void fillValid(QWidget* d, const QString& descripcion)
{
    ctl<ctlTextBox>(d, "txtDescripcion")->setText(descripcion);
    ctl<ctlTextBox>(d, "txtLinea1")->setText("Nueva tarifa desde el lunes");
    ctl<ctlTextBox>(d, "txtLinea2")->setText("Revise los precios");
    ctl<ctlMaskEdBox>(d, "txtFechaInicial")->setText("01/12/2026");
    ctl<ctlMaskEdBox>(d, "txtFechaFinal")->setText("20/12/2026");
    ctl<ctlTextBox>(d, "txtNumRepetir")->setText("2");
    ctl<QCheckBox>(d, "chkL")->setChecked(true);
    ctl<QCheckBox>(d, "chkV")->setChecked(true);
}

class MessageScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::installInHostContext(db);
        db.empresa().setRutaAplicacion(folder.path());
        db.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 1, 'Centro'), (1, 2, 'Puerto'), (1, 3, 'Norte')");
        db.exec("INSERT INTO SGD_Usuarios (Codigo, Nombre) VALUES (7, 'Ana'), (9, 'Luis')");
    }
    QString picture(const QString& name, int w, int h)
    {
        QImage img(w, h, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        const QString path = folder.filePath(name);
        img.save(path);
        return path;
    }
    int addMessage(const QString& name, QDate from, QDate to, int origin = 0, const QString& picturePath = {})
    {
        MensajeTPV m;
        m.Descripcion = name;
        m.Linea1 = "Línea uno";
        m.FechaInicial = from;
        m.FechaFinal = to;
        m.Dias[0] = true;
        m.Usuario = 7;
        m.MostrarImagen = !picturePath.isEmpty();
        m.RutaImagen = picturePath;
        return clsGestorMensajes(db.conn()).Agregar(1, origin, 7, m);
    }
    std::unique_ptr<frmGestorMensajesTPV> openManager(int user = 9)
    {
        auto f = std::make_unique<frmGestorMensajesTPV>();
        f->setUsuario(user);
        f->setHoy(today);
        f->showForm(0);
        return f;
    }
    QStringList column(Grid* g, int col)
    {
        QStringList out;
        for (int r = g->FixedRows(); r < g->Rows(); ++r)
            out << g->TextMatrix(r, col);
        return out;
    }

    test::TestDatabase db{test::TestDatabase::File};
    QTemporaryDir folder;
    test::ServiceDoubles services;
    const QDate today{2026, 12, 6};
};

} // namespace

TEST_F(MessageScreens, EditorRefusesWithTheExactMessageAndFocusThenHandsBackTheRecord)
{
    frmGestorMensajesTPV_Datos d;
    d.setUsuario(7);
    d.Form_Load();
    d.show();
    EXPECT_EQ(d.windowTitle(), "Gestor de Mensajes en Tpv");
    EXPECT_EQ(ctl<QComboBox>(&d, "cboMostrar")->currentText(), "Antes del Cobro");
    EXPECT_EQ(ctl<ctlMaskEdBox>(&d, "txtHorario2Fin")->text(), "00:00");
    EXPECT_FALSE(ctl<QLabel>(&d, "picFoto")->isVisible());
    EXPECT_EQ(ctl<QPushButton>(&d, "cmdCancelar")->text(), "&Cancelar");

    fillValid(&d, "Tarifa 'nueva'");
    ctl<QCheckBox>(&d, "chkL")->setChecked(false);
    ctl<QCheckBox>(&d, "chkV")->setChecked(false);
    ASSERT_NO_FATAL_FAILURE(click(&d, "cmdAceptar"));
    ASSERT_TRUE(services.messages->last());
    EXPECT_EQ(services.messages->last()->text, "Es necesario indicar el día de la semana");
    EXPECT_EQ(services.messages->last()->caption, "¡ Atención !");
    EXPECT_EQ(services.messages->last()->icon, MsgIcon::Exclamation);
    EXPECT_TRUE(ctl<QCheckBox>(&d, "chkL")->hasFocus() || QApplication::focusWidget() == nullptr);
    EXPECT_FALSE(d.aceptado());

    ctl<QCheckBox>(&d, "chkD")->setChecked(true);
    ctl<ctlMaskEdBox>(&d, "txtFechaFinal")->setText("30/11/2026");
    ASSERT_NO_FATAL_FAILURE(click(&d, "cmdAceptar"));
    EXPECT_EQ(services.messages->last()->text, "La Fecha Final no puede ser inferior a la Inicial.");
    EXPECT_FALSE(d.aceptado());

    ctl<ctlMaskEdBox>(&d, "txtFechaFinal")->setText("20/12/2026");
    ctl<QRadioButton>(&d, "optModoMostrar", 1)->click();
    EXPECT_EQ(ctl<ctlTextBox>(&d, "txtNumRepetir")->text(), "0");
    EXPECT_FALSE(ctl<ctlTextBox>(&d, "txtNumRepetir")->Habilitado());
    ctl<QComboBox>(&d, "cboMostrar")->setCurrentIndex(1);
    ctl<ColourCombo>(&d, "cboColor")->setColourNumber(0x00FFFF);
    ASSERT_NO_FATAL_FAILURE(click(&d, "cmdAceptar"));
    ASSERT_TRUE(d.aceptado());
    const MensajeTPV& m = d.mensaje();
    EXPECT_EQ(m.Descripcion, "Tarifa 'nueva'");
    EXPECT_EQ(m.ModoMostrar, 1);
    EXPECT_EQ(m.Cod_Mostrar, 1);
    EXPECT_EQ(m.Color, 0x00FFFF);
    EXPECT_EQ(m.Usuario, 7);
    EXPECT_EQ(m.Dias, (std::array<bool, 7>{false, false, false, false, false, false, true}));
}

TEST_F(MessageScreens, EditorPreviewFollowsModeColourAndOrigin)
{
    frmGestorMensajesTPV_Datos d;
    d.setOrigen(1);
    d.Form_Load();
    d.show();
    fillValid(&d, "Vista");
    ctl<ColourCombo>(&d, "cboColor")->setColourNumber(0xC0FFC0);
    ASSERT_NO_FATAL_FAILURE(click(&d, "cmdPrev"));
    Grid* vsP = ctl<Grid>(&d, "vsP");
    ASSERT_EQ(vsP->Rows() - vsP->FixedRows(), 4);
    const int first = vsP->FixedRows();
    EXPECT_EQ(vsP->TextMatrix(first, 0), "Mensaje desde Varelko");
    EXPECT_EQ(vsP->TextMatrix(first + 1, 0), "Nueva tarifa desde el lunes");
    EXPECT_EQ(vsP->TextMatrix(first + 3, 0), "- Presione la barra espaciadora o tócame para continuar -");
    EXPECT_EQ(vsP->CellBackColor(first + 1, 0), fromColourNumber(0xC0FFC0));
    EXPECT_EQ(vsP->CellForeColor(first + 1, 0), fromColourNumber(8388608));
    EXPECT_FALSE(ctl<QPushButton>(&d, "cmdOcultar")->isVisible());

    ctl<QRadioButton>(&d, "optModoMostrar", 1)->click();
    ASSERT_NO_FATAL_FAILURE(click(&d, "cmdPrev"));
    EXPECT_EQ(vsP->Rows() - vsP->FixedRows(), 3);
    EXPECT_TRUE(ctl<QPushButton>(&d, "cmdOcultar")->isVisible());
}

TEST_F(MessageScreens, ChosenPictureIsResizedBesideTheOriginalAndShown)
{
    frmGestorMensajesTPV_Datos d;
    d.Form_Load();
    d.show();
    fillValid(&d, "Con foto");
    ctl<QCheckBox>(&d, "chkMostrarImagen")->click();
    ASSERT_NO_FATAL_FAILURE(click(&d, "cmdAceptar"));
    EXPECT_EQ(services.messages->last()->text, "Se esperaba una ruta de imagen.");

    // Not a picture: the error names the procedure and nothing changes.
    const QString junk = folder.filePath("roto.jpg");
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("no");
    f.close();
    services.files->answers.push_back(junk);
    ASSERT_NO_FATAL_FAILURE(click(&d, "cmdExaminar"));
    EXPECT_EQ(services.messages->last()->caption, "frmGestorMensajesTPV_Datos:cmdExaminar_Click");
    EXPECT_TRUE(services.messages->last()->text.startsWith("[481] "));
    EXPECT_TRUE(ctl<ctlTextBox>(&d, "txtRuta")->text().isEmpty());

    services.files->answers.push_back(picture("cartel.jpg", 400, 100));
    ASSERT_NO_FATAL_FAILURE(click(&d, "cmdExaminar"));
    const QString ruta = ctl<ctlTextBox>(&d, "txtRuta")->text();
    EXPECT_EQ(ruta, folder.filePath("cartel_resized.jpg"));
    EXPECT_EQ(QImage(ruta).size(), QSize(800, 200));
    EXPECT_TRUE(ctl<QLabel>(&d, "picFoto")->isVisible());
    ASSERT_NO_FATAL_FAILURE(click(&d, "cmdAceptar"));
    ASSERT_TRUE(d.aceptado());
    EXPECT_EQ(d.mensaje().RutaImagen, ruta);
}

TEST_F(MessageScreens, ReadOnlyEditorShowsTheStoredMessageAndRemovesItsPictureFile)
{
    db.empresa().setVariable("Tpv_Mensajes_CodigoOrigen", 0);
    const int n = addMessage("Guardado", today, today.addDays(3), 0, picture("p.png", 30, 20));
    QString temp;
    {
        frmGestorMensajesTPV_Datos d;
        d.setNumero(n);
        d.setOrigen(0);
        d.setSoloLectura(true);
        d.Form_Load();
        d.show();
        EXPECT_EQ(ctl<ctlTextBox>(&d, "txtDescripcion")->text(), "Guardado");
        EXPECT_EQ(ctl<ctlMaskEdBox>(&d, "txtFechaFinal")->text(), "09/12/2026");
        EXPECT_EQ(ctl<QPushButton>(&d, "cmdCancelar")->text(), "&Salir");
        EXPECT_FALSE(ctl<QPushButton>(&d, "cmdAceptar")->isVisible());
        EXPECT_FALSE(ctl<QPushButton>(&d, "cmdPrev")->isVisible());
        EXPECT_FALSE(ctl<ctlTextBox>(&d, "txtDescripcion")->isEnabled());
        EXPECT_FALSE(ctl<QWidget>(&d, "fraFranjas")->isEnabled());
        EXPECT_FALSE(ctl<QPushButton>(&d, "cmdHistorico")->isEnabled()) << "central installation";
        temp = d.imagenTemporal();
        EXPECT_EQ(temp, folder.path() + QString("/Image/MensajeTPV_%1.png").arg(n));
        EXPECT_TRUE(QFile::exists(temp));
        EXPECT_TRUE(ctl<QLabel>(&d, "picFoto")->isVisible());
        ASSERT_NO_FATAL_FAILURE(click(&d, "cmdCancelar"));
        EXPECT_FALSE(d.aceptado());
    }
    EXPECT_FALSE(QFile::exists(temp));
}

TEST_F(MessageScreens, ManagerAddsAMessageAsAUserWould)
{
    db.empresa().setVariable("Tpv_Mensajes_CodigoOrigen", 1);
    addMessage("Ya estaba", today, today.addDays(1), 1);
    auto f = openManager(9);
    Grid* g = ctl<Grid>(f.get(), "vsMensajes");
    EXPECT_EQ(column(g, 1), QStringList{"Ya estaba"});

    services.modal->queue([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "frmGestorMensajesTPV_Datos");
        fillValid(&d, "Nueva tarifa");
        click(&d, "cmdAceptar");
        return d.result();
    });
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdAgregar"));
    EXPECT_EQ(services.messages->shown.size(), 0u) << services.messages->texts().join("; ").toStdString();
    EXPECT_EQ(column(g, 1), (QStringList{"Ya estaba", "Nueva tarifa"}));
    EXPECT_EQ(g->TextMatrix(g->Row(), 1), "Nueva tarifa") << "the new message is selected";
    EXPECT_EQ(g->TextMatrix(g->Row(), 0), "2");
    EXPECT_EQ(g->TextMatrix(g->Row(), 4), "Varelko");
    EXPECT_EQ(g->TextMatrix(g->Row(), 2), "01/12/2026");
    EXPECT_EQ(g->TextMatrix(g->Row(), 6), "Antes del Cobro");
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico", "Cod_Mensaje = 2 AND Origen = 1 AND Operacion = 'A' AND Usuario = 9"), 1);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes", "Cod_Mensaje = 2 AND Origen = 1 AND Descripcion = 'Nueva tarifa' AND Usuario = 9"), 1);

    // A cancelled editor changes nothing.
    services.modal->queue([](QDialog&) { return int(QDialog::Rejected); });
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdAgregar"));
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes"), 2);

    // Warehouses of the selected message.
    auto* lst = ctl<controls::ctlAlmacenCons>(f.get(), "lstAlm");
    ASSERT_EQ(lst->ListCount(), 3);
    lst->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Almacen", "Cod_Mensaje = 2 AND Origen = 1 AND Cod_Almacen = 2"), 1);
    lst->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Almacen"), 0);
}

TEST_F(MessageScreens, ManagerChangesDuplicatesAndDeletes)
{
    const int n = addMessage("Original", today.addDays(-1), today.addDays(5));
    auto f = openManager(9);
    Grid* g = ctl<Grid>(f.get(), "vsMensajes");
    auto* lst = ctl<controls::ctlAlmacenCons>(f.get(), "lstAlm");
    lst->item(0)->setCheckState(Qt::Checked);

    services.modal->queue([&](QDialog& d) {
        EXPECT_EQ(ctl<ctlTextBox>(&d, "txtDescripcion")->text(), "Original");
        ctl<ctlTextBox>(&d, "txtDescripcion")->setText("Cambiado");
        click(&d, "cmdAceptar");
        return d.result();
    });
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdModificar"));
    EXPECT_EQ(column(g, 1), QStringList{"Cambiado"});
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico", "Operacion = 'M' AND Descripcion_Ant = 'Original' AND Descripcion = 'Cambiado' AND Usuario = 9"), 1);

    // Duplicate: No does nothing, Yes copies with its warehouses.
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdDuplicar"));
    EXPECT_EQ(services.messages->last()->text, "Va a Duplicar el mensaje de TPV y sus almacenes asociados. ¿Desea Continuar?");
    EXPECT_EQ(services.messages->last()->defaultButton, MsgResult::No);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes"), 1);
    services.messages->queueAnswer(MsgResult::Yes);
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdDuplicar"));
    EXPECT_EQ(column(g, 0), (QStringList{"1", "2"}));
    EXPECT_EQ(g->Row(), g->FixedRows() + 1);
    EXPECT_EQ(lst->checkedCodes(), QList<int>{1});
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico", "Cod_Mensaje = 2 AND Operacion = 'D'"), 1);

    // Delete the original.
    g->setRow(g->FixedRows());
    services.messages->queueAnswer(MsgResult::Yes);
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdEliminar"));
    EXPECT_EQ(services.messages->last()->text, "Va a eliminar el mensaje de TPV y sus almacenes asociados. ¿Desea Continuar?");
    EXPECT_EQ(column(g, 0), QStringList{"2"});
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Baja", QString("Cod_Mensaje = %1 AND Act = 0").arg(n)), 1);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico", QString("Cod_Mensaje = %1").arg(n)), 0);
}

TEST_F(MessageScreens, ManagerFiltersByDateAndRefusesClosingWithAMessageWithoutWarehouse)
{
    addMessage("Pasado", today.addDays(-9), today.addDays(-2));
    const int current = addMessage("Termina hoy", today.addDays(-3), today, 1);
    addMessage("Futuro", today.addDays(2), today.addDays(9));
    auto f = openManager();
    Grid* g = ctl<Grid>(f.get(), "vsMensajes");
    EXPECT_EQ(column(g, 1), (QStringList{"Termina hoy", "Futuro"}));
    ctl<QCheckBox>(f.get(), "chkVer", 2)->click();
    EXPECT_EQ(column(g, 1), QStringList{"Termina hoy"});
    ctl<QCheckBox>(f.get(), "chkVer", 1)->click();
    EXPECT_EQ(column(g, 1).size(), 3) << "no box checked lists every message";
    ctl<QCheckBox>(f.get(), "chkVer", 0)->click();
    EXPECT_EQ(column(g, 1), QStringList{"Pasado"});

    // Central: a shop's message cannot be changed.
    ctl<QCheckBox>(f.get(), "chkVer", 0)->click();
    g->setRow(g->FixedRows());
    EXPECT_EQ(g->TextMatrix(g->Row(), 1), "Termina hoy");
    EXPECT_FALSE(ctl<QPushButton>(f.get(), "cmdModificar")->isEnabled());
    EXPECT_TRUE(ctl<QPushButton>(f.get(), "cmdVisualizar")->isEnabled());

    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdSalir"));
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(services.messages->last()->text,
              QString("Imposible Continuar, Debe elegir un almacén para el mensaje con Código: %1 y Origen: Varelko").arg(current));
    db.exec(QString("INSERT INTO TPV_Gestor_Mensajes_Almacen VALUES (1, %1, 1, 1)").arg(current));
    db.exec("INSERT INTO TPV_Gestor_Mensajes_Almacen VALUES (1, 2, 0, 1)"); // the future one
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdSalir"));
    EXPECT_FALSE(f->isVisible());
}

TEST_F(MessageScreens, AMessageDeletedByAnotherUserIsReportedAndTheListReloaded)
{
    const int n = addMessage("Se borra fuera", today, today.addDays(1));
    auto f = openManager();
    clsGestorMensajes(*db.openAnother()).Eliminar({1, n, 0});
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdModificar"));
    EXPECT_EQ(services.messages->last()->text,
              QString("El mensaje con Código: %1 y Origen: Central ya no existe: otro usuario lo ha eliminado.").arg(n));
    EXPECT_TRUE(services.modal->dialogsRun.isEmpty());
    EXPECT_EQ(ctl<Grid>(f.get(), "vsMensajes")->Rows(), 1);
}

TEST_F(MessageScreens, HistoryShowsEveryChangeAndItsPictures)
{
    const int n = addMessage("Historia", today, today.addDays(3), 0, picture("antes.png", 20, 10));
    MensajeTPV m = clsGestorMensajes(db.conn()).Leer({1, n, 0})->mensaje;
    m.Descripcion = "Historia 2";
    m.RutaImagen = picture("despues.png", 10, 20);
    clsGestorMensajes(db.conn()).Modificar({1, n, 0}, 9, m);

    frmGestorMensajesTPV_Historico h;
    h.setClave({1, n, 0});
    h.Form_Load();
    h.show();
    EXPECT_EQ(h.windowTitle(), "Histórico de Mensajes de TPV");
    Grid* g = ctl<Grid>(&h, "vsMensajes");
    ASSERT_EQ(g->Rows() - g->FixedRows(), 2);
    EXPECT_EQ(g->Cols(), 59);
    EXPECT_EQ(g->TextMatrix(0, 4), "Descripción");
    EXPECT_EQ(g->TextMatrix(1, 4), "Anterior");
    EXPECT_EQ(g->TextMatrix(1, 5), "Mod.");
    EXPECT_TRUE(g->ColHidden(58));
    const int top = g->FixedRows();
    EXPECT_EQ(g->TextMatrix(top, 3), "M");
    EXPECT_EQ(g->TextMatrix(top, 1), "Luis");
    EXPECT_EQ(g->TextMatrix(top, 4), "Historia");
    EXPECT_EQ(g->TextMatrix(top, 5), "Historia 2");
    EXPECT_EQ(g->TextMatrix(top + 1, 3), "A");
    EXPECT_EQ(g->TextMatrix(top + 1, 4), "");

    const int id = g->TextMatrix(top, 58).toInt();
    frmGestorMensajesTPV_HistImagen img;
    img.setId(id);
    img.Form_Load();
    const QString before = folder.path() + QString("/Image/HistAnt_%1.png").arg(id);
    const QString after = folder.path() + QString("/Image/Hist_%1.png").arg(id);
    EXPECT_EQ(img.ficheroAnterior(), before);
    EXPECT_EQ(QImage(before).size(), QSize(20, 10));
    EXPECT_EQ(QImage(after).size(), QSize(10, 20));
    EXPECT_FALSE(ctl<QPushButton>(&img, "cmdImagenActual")->icon().isNull());

    // Opening from the grid runs the picture window, which cleans up after itself.
    services.modal->queue([&](QDialog& d) {
        EXPECT_EQ(d.objectName(), "frmGestorMensajesTPV_HistImagen");
        return int(QDialog::Rejected);
    });
    ASSERT_NO_FATAL_FAILURE(click(&h, "cmdVerImagen"));
    EXPECT_EQ(services.modal->dialogsRun, QStringList{"frmGestorMensajesTPV_HistImagen"});
    EXPECT_EQ(services.messages->shown.size(), 0u);
}

TEST_F(MessageScreens, LeavingAnHourFieldWithoutAValidTimeKeepsTheFocusThere)
{
    frmGestorMensajesTPV_Datos d;
    d.Form_Load();
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    auto* ini = ctl<ctlMaskEdBox>(&d, "txtHorario1Ini");
    ini->setFocus(Qt::MouseFocusReason);
    ini->setText("25:00");
    ctl<ctlMaskEdBox>(&d, "txtHorario1Fin")->setFocus(Qt::TabFocusReason);
    QTest::qWait(20);
    ASSERT_TRUE(services.messages->last());
    EXPECT_EQ(services.messages->last()->text, "Debe introducir una hora válida");
    EXPECT_EQ(services.messages->last()->caption, "¡ Operación no permitida !");
    QTest::qWait(20);
    EXPECT_TRUE(ini->hasFocus());

    services.messages->shown.clear();
    ini->setText("09:15");
    ctl<ctlMaskEdBox>(&d, "txtHorario1Fin")->setFocus(Qt::TabFocusReason);
    QTest::qWait(20);
    EXPECT_TRUE(services.messages->shown.empty());
    EXPECT_TRUE(ctl<ctlMaskEdBox>(&d, "txtHorario1Fin")->hasFocus());

    // Cancelling from an unfinished hour does not ask for a valid one.
    ctl<ctlMaskEdBox>(&d, "txtHorario1Fin")->setText("3");
    ctl<QPushButton>(&d, "cmdCancelar")->setFocus(Qt::MouseFocusReason);
    QTest::qWait(20);
    EXPECT_TRUE(services.messages->shown.empty());
}

TEST_F(MessageScreens, CheckingAWarehouseRemovedMeanwhileIsRefusedAndTheListRefreshed)
{
    addMessage("Almacenes", today, today.addDays(2));
    auto f = openManager();
    auto* lst = ctl<controls::ctlAlmacenCons>(f.get(), "lstAlm");
    ASSERT_EQ(lst->ListCount(), 3);
    db.exec("DELETE FROM Almacenes WHERE Codigo = 2");
    lst->item(1)->setCheckState(Qt::Checked);
    ASSERT_TRUE(services.messages->last());
    EXPECT_EQ(services.messages->last()->text, "[3021] El almacén 2 ya no existe.");
    EXPECT_EQ(services.messages->last()->caption, "frmGestorMensajesTPV:lstAlm_ItemCheck");
    EXPECT_EQ(lst->ListCount(), 2);
    EXPECT_TRUE(lst->checkedCodes().isEmpty());
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Almacen"), 0);
}

// An editor that could not read its message would offer defaults, and
// accepting them would overwrite the stored message: it is not shown at all.
TEST_F(MessageScreens, AnEditorWhoseLoadFailedIsNotShown)
{
    const int n = addMessage("Se conserva", today, today.addDays(4));
    auto f = openManager(9);
    db.exec("ALTER TABLE TPV_Gestor_Mensajes RENAME COLUMN IntervaloMinEuros TO Otro");
    for (const char* button : {"cmdModificar", "cmdVisualizar"}) {
        SCOPED_TRACE(button);
        services.messages->shown.clear();
        ASSERT_NO_FATAL_FAILURE(click(f.get(), button));
        ASSERT_TRUE(services.messages->last());
        EXPECT_EQ(services.messages->last()->caption, "frmGestorMensajesTPV_Datos:Form_Load");
        EXPECT_EQ(services.messages->last()->icon, MsgIcon::Critical);
        EXPECT_TRUE(services.modal->dialogsRun.isEmpty());
    }
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes", QString("Cod_Mensaje = %1 AND Descripcion = 'Se conserva'").arg(n)), 1);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico", QString("Cod_Mensaje = %1").arg(n)), 1);
}

TEST_F(MessageScreens, AFailedChangeIsReportedWritesNothingAndLeavesNoPictureFile)
{
    const int n = addMessage("Con foto", today, today.addDays(4), 0, picture("f.png", 16, 16));
    auto f = openManager(9);
    test::failingTrigger(db, "no_history", "BEFORE INSERT", "TPV_Gestor_Mensajes_Historico", "histórico bloqueado");
    QString temp;
    services.modal->queue([&](QDialog& d) {
        temp = static_cast<frmGestorMensajesTPV_Datos&>(d).imagenTemporal();
        EXPECT_TRUE(QFile::exists(temp));
        ctl<ctlTextBox>(&d, "txtDescripcion")->setText("No llega");
        click(&d, "cmdAceptar");
        return d.result();
    });
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdModificar"));
    ASSERT_TRUE(services.messages->last());
    EXPECT_EQ(services.messages->last()->caption, "frmGestorMensajesTPV:cmdModificar_Click");
    // "[" the engine's number "] " its description
    EXPECT_TRUE(services.messages->last()->text.contains(QRegularExpression("^\\[-?\\d+\\] histórico bloqueado$")))
        << services.messages->last()->text.toStdString();
    EXPECT_EQ(services.messages->last()->icon, MsgIcon::Critical);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes", "Descripcion = 'Con foto'"), 1);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico", QString("Cod_Mensaje = %1").arg(n)), 1);
    EXPECT_FALSE(temp.isEmpty());
    EXPECT_FALSE(QFile::exists(temp));
    EXPECT_TRUE(f->isVisible());
}

TEST_F(MessageScreens, TextsStopAtTheirColumnsWidthAndAreSavedWhole)
{
    auto f = openManager();
    services.modal->queue([&](QDialog& d) {
        fillValid(&d, "x");
        for (const char* name : {"txtDescripcion", "txtLinea1", "txtLinea2"}) {
            auto* box = ctl<ctlTextBox>(&d, name);
            box->clear();
            test::typeText(box, QString(120, QChar(u'ñ')));
        }
        click(&d, "cmdAceptar");
        return d.result();
    });
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdAgregar"));
    EXPECT_EQ(services.messages->last(), nullptr);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes", "Descripcion = '" + QString(50, QChar(u'ñ')) + "' AND Linea1 = '" +
                                                  QString(100, QChar(u'ñ')) + "' AND Linea2 = Linea1"),
              1);
}

TEST_F(MessageScreens, NoNumberLeftForANewMessageIsToldAndNothingIsWritten)
{
    db.exec("INSERT INTO TPV_Gestor_Mensajes (Cod_Empresa, Cod_Mensaje, Origen, Descripcion, FechaInicial, FechaFinal) VALUES (1, 2147483647, 0, 'Último', '2026-12-01', '2026-12-31')");
    db.exec("INSERT INTO TPV_Gestor_Mensajes_Almacen VALUES (1, 2147483647, 0, 1)");
    auto f = openManager();
    services.modal->queue([&](QDialog& d) {
        fillValid(&d, "Sin número");
        click(&d, "cmdAceptar");
        return d.result();
    });
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdAgregar"));
    ASSERT_TRUE(services.messages->last());
    EXPECT_EQ(services.messages->last()->text, "Ha ocurrido un error al crear el Mensaje a Agregar.");
    EXPECT_EQ(services.messages->last()->icon, MsgIcon::Information);
    EXPECT_EQ(services.messages->last()->caption, "¡ Atención !");

    services.messages->queueAnswer(MsgResult::Yes);
    ASSERT_NO_FATAL_FAILURE(click(f.get(), "cmdDuplicar"));
    EXPECT_EQ(services.messages->last()->text, "Ha ocurrido un error al crear el Mensaje a Duplicar.");
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes"), 1);
    EXPECT_EQ(db.count("TPV_Gestor_Mensajes_Historico"), 0);
}
