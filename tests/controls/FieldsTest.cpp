// Text field, masked field, check box, warehouse check list and the output selectors.
#include "controls/ctlAlmacenCons.h"
#include "controls/ctlCheckBox.h"
#include "controls/ctlDispositivo.h"
#include "controls/ctlImpresoras.h"
#include "controls/ctlMaskEdBox.h"
#include "controls/ctlTextBox.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using namespace zqvr::controls;

namespace {

TEST(TextBox, ValorReadsTheSuitesNumberNotation)
{
    ctlTextBox t;
    const std::pair<const char*, double> cases[] = {
        {"12,5", 12.5}, {"1.234,5", 1234.5}, {"-3", -3}, {"0,05", 0.05},
        {"", 0},        {"abc", 0},          {"12,5x", 0}, {"  7 ", 7},
    };
    for (const auto& [text, value] : cases) {
        t.setText(text);
        EXPECT_DOUBLE_EQ(t.Valor(), value) << text;
    }
}

TEST(TextBox, EnterNobodyTookMovesToTheNextFieldAndAConsumedOneStays)
{
    QWidget w;
    auto* first = new ctlTextBox(&w);
    auto* second = new ctlTextBox(&w);
    auto* layout = new QVBoxLayout(&w);
    layout->addWidget(first);
    layout->addWidget(second);
    w.show();
    QApplication::setActiveWindow(&w);
    first->setFocus();
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_TRUE(second->hasFocus());

    QObject::connect(second, &ctlTextBox::KeyPress, [](int& k) {
        if (k == 13)
            k = 0;
    });
    QTest::keyClick(second, Qt::Key_Return);
    EXPECT_TRUE(second->hasFocus()) << "the screen's handler took the key";
}

TEST(TextBox, NumericFieldRejectsLettersAndLockedFieldRejectsEverything)
{
    ctlTextBox t;
    t.setNumeric(true);
    QTest::keyClicks(&t, "-1a.2b34,5c");
    EXPECT_EQ(t.text(), "-1.234,5");
    EXPECT_DOUBLE_EQ(t.Valor(), -1234.5);
    QTest::keyClicks(&t, "-");
    EXPECT_EQ(t.text(), "-1.234,5") << "one sign, in front";

    t.setNumeric(false);
    QTest::keyClicks(&t, "x");
    EXPECT_EQ(t.text(), "-1.234,5x");

    t.setHabilitado(false);
    EXPECT_FALSE(t.Habilitado());
    QTest::keyClicks(&t, "99");
    EXPECT_EQ(t.text(), "-1.234,5x");
    t.setHabilitado(true);
    QTest::keyClicks(&t, "9");
    EXPECT_EQ(t.text(), "-1.234,5x9");
}

TEST(TextBox, KeyEventsComeBeforeTypingAndCanConsumeOrReplaceTheKey)
{
    ctlTextBox t;
    QList<int> downs;
    QObject::connect(&t, &ctlTextBox::KeyDown, &t, [&](int& key, int shift) {
        downs << key;
        if (key == Qt::Key_Q)
            key = 0; // consumed: no key press, nothing typed
        EXPECT_EQ(shift, 0);
    });
    QList<int> presses;
    QObject::connect(&t, &ctlTextBox::KeyPress, &t, [&](int& ascii) {
        presses << ascii;
        if (ascii == 'x')
            ascii = 0;
        else if (ascii == 'a')
            ascii = 'A';
    });
    QTest::keyClicks(&t, "qxab");
    QTest::keyClick(&t, Qt::Key_Return);
    EXPECT_EQ(t.text(), "Ab");
    EXPECT_EQ(downs, (QList<int>{Qt::Key_Q, Qt::Key_X, Qt::Key_A, Qt::Key_B, Qt::Key_Return}));
    EXPECT_EQ(presses, (QList<int>{'x', 'a', 'b', 13}));
}

TEST(TextBox, PasswordMaskShowsStars)
{
    ctlTextBox t;
    t.setPasswordMask(true);
    t.setText("clave");
    EXPECT_EQ(t.displayText(), "*****");
    EXPECT_EQ(t.text(), "clave");
    t.setPasswordMask(false);
    EXPECT_EQ(t.displayText(), "clave");
}

TEST(MaskEdBox, DatesAreCheckedAndRead)
{
    ctlMaskEdBox d(ctlMaskEdBox::Kind::Date);
    EXPECT_TRUE(d.isEmpty());
    EXPECT_EQ(d.text(), QString());
    EXPECT_FALSE(d.isValid());

    QTest::keyClicks(&d, "06122026");
    EXPECT_EQ(d.text(), "06/12/2026");
    EXPECT_TRUE(d.isValid());
    EXPECT_EQ(d.Fecha(), QDate(2026, 12, 6));

    d.setText("31/02/2026");
    EXPECT_FALSE(d.isValid());
    EXPECT_FALSE(d.Fecha().isValid());

    d.clear();
    QTest::keyClicks(&d, "0612");
    EXPECT_FALSE(d.isEmpty());
    EXPECT_FALSE(d.isValid()) << "a date typed only in part";
    EXPECT_EQ(d.text(), "06/12/____");

    d.setFecha(QDate(2024, 2, 29));
    EXPECT_EQ(d.text(), "29/02/2024");
    d.setText("1/3/26");
    EXPECT_EQ(d.Fecha(), QDate(2026, 3, 1));
    d.setText("");
    EXPECT_TRUE(d.isEmpty());
}

TEST(MaskEdBox, TimesAreCheckedAndRead)
{
    ctlMaskEdBox t(ctlMaskEdBox::Kind::Time);
    QTest::keyClicks(&t, "0930");
    EXPECT_EQ(t.text(), "09:30");
    EXPECT_EQ(t.Hora(), QTime(9, 30));
    for (const char* bad : {"24:00", "12:60", "99:99"}) {
        t.clear();
        QTest::keyClicks(&t, QString(bad).remove(':'));
        EXPECT_FALSE(t.isValid()) << bad;
        EXPECT_FALSE(t.Hora().isValid()) << bad;
    }
    t.setText("23:59");
    EXPECT_TRUE(t.isValid());
    t.setHora(QTime(7, 5));
    EXPECT_EQ(t.text(), "07:05");
    EXPECT_FALSE(t.Fecha().isValid()) << "a time field holds no date";
}

TEST(CheckBox, ValorIsTheCheckStateAsZeroOrOne)
{
    ctlCheckBox c("En línea");
    EXPECT_EQ(c.Valor(), 0);
    c.setValor(5);
    EXPECT_EQ(c.Valor(), 1);
    QSignalSpy spy(&c, &ctlCheckBox::ValorCambiado);
    c.click();
    EXPECT_EQ(c.Valor(), 0);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 0);
}

class WarehouseList : public ::testing::Test {
protected:
    void SetUp() override
    {
        tdb.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 5, 'Puerto')");
        tdb.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 2, 'Centro')");
        tdb.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (2, 9, 'Otra empresa')");
        list.setConexion(&tdb.conn());
        list.setEmpresa(&tdb.empresa());
    }
    test::TestDatabase tdb;
    ctlAlmacenCons list;
};

TEST_F(WarehouseList, ListsTheCompanysWarehousesInCodeOrderWithoutRaisingTheChangeSignal)
{
    QSignalSpy spy(&list, &ctlAlmacenCons::CheckCambiado);
    list.Cargar();
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.Codigo(0), 2);
    EXPECT_EQ(list.Codigo(1), 5);
    EXPECT_EQ(list.Nombre(1), "Puerto");
    EXPECT_FALSE(list.Checked(0));

    EXPECT_TRUE(list.setCheckedCodigo(5, true));
    EXPECT_FALSE(list.setCheckedCodigo(9, true)) << "another company's warehouse is not listed";
    list.setChecked(7, true); // out of range: ignored
    EXPECT_EQ(list.checkedCodes(), QList<int>{5});
    EXPECT_EQ(list.Codigo(7), 0);
    EXPECT_EQ(spy.size(), 0);

    // Loading again starts unchecked, still without signals.
    list.Cargar();
    EXPECT_TRUE(list.checkedCodes().isEmpty());
    EXPECT_EQ(spy.size(), 0);
}

TEST_F(WarehouseList, TheUsersCheckRaisesTheChangeSignal)
{
    list.Cargar();
    list.resize(300, 200);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy spy(&list, &ctlAlmacenCons::CheckCambiado);
    list.setCurrentRow(1);
    QTest::keyClick(list.viewport(), Qt::Key_Space);
    if (spy.isEmpty())
        QTest::keyClick(&list, Qt::Key_Space);
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].toInt(), 1);
    EXPECT_EQ(spy[0][1].toInt(), 5);
    EXPECT_TRUE(spy[0][2].toBool());
    EXPECT_TRUE(list.Checked(1));
}

TEST(OutputSelectors, DeviceAndPrinterChoices)
{
    ctlDispositivo d;
    ASSERT_EQ(d.count(), 3);
    EXPECT_EQ(d.itemText(0), "Pantalla");
    EXPECT_EQ(d.itemText(1), "Impresora");
    EXPECT_EQ(d.itemText(2), "Fichero");
    d.setValor(ctlDispositivo::Fichero);
    EXPECT_EQ(d.Valor(), ctlDispositivo::Fichero);
    d.setCurrentIndex(1);
    EXPECT_EQ(d.Valor(), ctlDispositivo::Impresora);

    ctlImpresoras p; // whatever printers this machine has, or none
    EXPECT_EQ(p.Impresora().isEmpty(), p.count() == 0);
    p.CargarNombres({});
    EXPECT_EQ(p.Impresora(), QString());
    EXPECT_FALSE(p.setImpresora("Oficina"));
    p.CargarNombres({"Oficina", "Almacen"}, "almacen");
    EXPECT_EQ(p.Impresora(), "Almacen");
    p.CargarNombres({"Oficina", "Almacen"}, "Desaparecida");
    EXPECT_EQ(p.Impresora(), "Oficina");
}

} // namespace
