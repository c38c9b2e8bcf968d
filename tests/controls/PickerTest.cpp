// Code pickers: company scoping, look-up, typing and leaving the field,
// key events, search and the warehouse restriction to the user's warehouses.
#include "controls/Grid.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlSearchDialog.h"
#include "controls/ctlTextBox.h"
#include "db/SqlLiteral.h"
#include "support/TestDatabase.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace zqvr;
using namespace zqvr::controls;

namespace {

struct PickerCase {
    const char* label;
    std::function<ctlCodePicker*()> make;
    QString table;
    QString nameColumn;
    // Which of the company object's codes scopes the table ("" for none).
    QString company;
};

std::ostream& operator<<(std::ostream& os, const PickerCase& c) { return os << c.label; }

class PickerCompanyTest : public ::testing::TestWithParam<PickerCase> {};

// The same code exists in companies 1, 2 and 3 with different names; the
// company object points each of its three codes at a different company, so
// the name shown tells which code the picker used.
TEST_P(PickerCompanyTest, LooksUpTheCodeInTheRightCompany)
{
    const PickerCase& c = GetParam();
    test::TestDatabase tdb;
    for (int company = 1; company <= 3; ++company) {
        if (c.company.isEmpty() && company > 1)
            break;
        const QString name = QStringLiteral("Nombre empresa %1").arg(company);
        if (c.company.isEmpty())
            tdb.exec(QStringLiteral("INSERT INTO %1 (Codigo, %2) VALUES (7, %3)")
                         .arg(c.table, c.nameColumn, db::sqlText(name)));
        else
            tdb.exec(QStringLiteral("INSERT INTO %1 (Cod_Empresa, Codigo, %2) VALUES (%3, 7, %4)")
                         .arg(c.table, c.nameColumn)
                         .arg(company)
                         .arg(db::sqlText(name)));
    }
    host::Empresa& e = tdb.empresa();
    e.setCodigoEmpresa(c.company == QLatin1String("CodigoEmpresa") ? 2 : 1);
    e.setEmpresaArticulos(c.company == QLatin1String("EmpresaArticulos") ? 2 : 3);
    e.setEmpresaClientes(c.company == QLatin1String("EmpresaClientes") ? 2 : 3);

    std::unique_ptr<ctlCodePicker> p(c.make());
    p->setConexion(&tdb.conn());
    p->setEmpresa(&e);
    p->setCodigo(7);
    p->Cargar();
    EXPECT_TRUE(p->EsValido());
    EXPECT_EQ(p->Nombre(), c.company.isEmpty() ? QStringLiteral("Nombre empresa 1")
                                               : QStringLiteral("Nombre empresa 2"));

    // The search is scoped the same way.
    const auto rows = p->search(QString());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].first, 7);
    EXPECT_EQ(rows[0].second, p->Nombre());

    // A code that does not exist empties the name left by the previous one.
    p->setCodigo(8);
    p->Cargar();
    EXPECT_FALSE(p->EsValido());
    EXPECT_EQ(p->Nombre(), QString());
    EXPECT_EQ(p->Codigo(), 8);
}

INSTANTIATE_TEST_SUITE_P(
    Pickers, PickerCompanyTest,
    ::testing::Values(
        PickerCase{"ctlArticulo", [] { return new ctlArticulo; }, "Articulos", "Descripcion", "EmpresaArticulos"},
        PickerCase{"ctlCliente", [] { return new ctlCliente; }, "Clientes", "Nombre", "EmpresaClientes"},
        PickerCase{"ctlAlmacen", [] { return new ctlAlmacen; }, "Almacenes", "Nombre", "CodigoEmpresa"},
        PickerCase{"ctlAgente", [] { return new ctlAgente; }, "Agentes", "Nombre", "CodigoEmpresa"},
        PickerCase{"ctlDtoGrp", [] { return new ctlDtoGrp; }, "Grupos_Descuento", "Descripcion", "CodigoEmpresa"},
        PickerCase{"ctlTarifa", [] { return new ctlTarifa; }, "Tarifas", "Descripcion", "CodigoEmpresa"},
        PickerCase{"ctlUsuario", [] { return new ctlUsuario; }, "SGD_Usuarios", "Nombre", ""}),
    [](const auto& info) { return std::string(info.param.label); });

// A window with a tariff picker and a plain field to move the focus to.
class PickerWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        tdb.exec("INSERT INTO Tarifas (Cod_Empresa, Codigo, Descripcion) VALUES (1, 3, 'Tarifa general')");
        tdb.exec("INSERT INTO Tarifas (Cod_Empresa, Codigo, Descripcion) VALUES (1, 12, 'Tarifa hostelería O''Donnell')");
        tdb.exec("INSERT INTO Tarifas (Cod_Empresa, Codigo, Descripcion) VALUES (1, 120, 'Mayoristas')");
        tdb.exec("INSERT INTO Tarifas (Cod_Empresa, Codigo, Descripcion) VALUES (2, 4, 'Tarifa de otra empresa')");
        auto* layout = new QVBoxLayout(&window);
        picker = new ctlTarifa(&window);
        picker->setObjectName("txtTarifaPvp");
        other = new QLineEdit(&window);
        layout->addWidget(picker);
        layout->addWidget(other);
        picker->setConexion(&tdb.conn());
        picker->setEmpresa(&tdb.empresa());
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        field = window.findChild<ctlTarifa*>("txtTarifaPvp")->codeField();
        ASSERT_NE(field, nullptr);
        field->setFocus();
    }
    void TearDown() override { ctlSearchDialog::setRunner(nullptr); }

    void leaveField()
    {
        other->setFocus();
        if (field->hasFocus()) { // no window focus on this platform: deliver it by hand
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(field, &out);
        }
    }

    test::TestDatabase tdb;
    QWidget window;
    ctlTarifa* picker = nullptr;
    ctlTextBox* field = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(PickerWindow, TypingACodeAndLeavingTheFieldLooksItUpAndTellsTheScreen)
{
    QSignalSpy changed(picker, &ctlCodePicker::CodigoCambiado);
    QTest::keyClicks(field, "3");
    EXPECT_EQ(picker->Codigo(), 0) << "nothing is taken while the user is still typing";
    leaveField();
    EXPECT_EQ(picker->Codigo(), 3);
    EXPECT_EQ(picker->Nombre(), "Tarifa general");
    EXPECT_TRUE(picker->EsValido());
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toLongLong(), 3);

    // Leaving again without typing changes nothing and says nothing.
    field->setFocus();
    leaveField();
    EXPECT_EQ(changed.size(), 1);

    // A code of another company is not valid here.
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "4");
    leaveField();
    EXPECT_EQ(picker->Codigo(), 4);
    EXPECT_FALSE(picker->EsValido());
    EXPECT_EQ(picker->Nombre(), QString());
    EXPECT_EQ(changed.size(), 2);

    // Emptying the field empties code and name.
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    leaveField();
    EXPECT_EQ(picker->Codigo(), 0);
    EXPECT_EQ(picker->text(), QString());
    EXPECT_EQ(changed.size(), 3);
}

TEST_F(PickerWindow, EnterTakesTheTypedCodeBeforeTheScreenSeesTheKey)
{
    qint64 codeSeenOnEnter = -1;
    QObject::connect(picker, &ctlCodePicker::KeyPress, picker, [&](int& key) {
        if (key == 13)
            codeSeenOnEnter = picker->Codigo();
    });
    QTest::keyClicks(field, "12");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(codeSeenOnEnter, 12);
    EXPECT_EQ(picker->Nombre(), "Tarifa hostelería O'Donnell");
}

TEST_F(PickerWindow, TheCodeFieldTakesDigitsOnlyAndTheScreenMayConsumeKeys)
{
    QTest::keyClicks(field, "1a2'; -b0");
    EXPECT_EQ(field->text(), "120");

    field->clear();
    QObject::connect(picker, &ctlCodePicker::KeyPress, picker, [](int& key) {
        if (key == '5')
            key = 0;
    });
    QTest::keyClicks(field, "152");
    EXPECT_EQ(field->text(), "12");

    // Text set by the screen that is not a code never becomes one.
    picker->setText("3 OR 1=1");
    EXPECT_EQ(picker->text(), QString());
    EXPECT_EQ(picker->Codigo(), 0);
    picker->Cargar();
    EXPECT_FALSE(picker->EsValido());
}

TEST_F(PickerWindow, SearchMatchesNamesAndCodePrefixesOfTheCompanyOnly)
{
    auto codes = [&](const QString& text) {
        QList<qint64> out;
        for (const auto& r : picker->search(text))
            out << r.first;
        return out;
    };
    EXPECT_EQ(codes("tarifa"), (QList<qint64>{3, 12})) << "ordered by name, other company left out";
    EXPECT_EQ(codes("12"), (QList<qint64>{12, 120}));
    EXPECT_EQ(codes("1"), (QList<qint64>{12, 120})) << "a lone digit makes the pattern '%1%'";
    EXPECT_EQ(codes("O'Don"), (QList<qint64>{12})) << "a quote is text, not part of the statement";
    EXPECT_EQ(codes(""), (QList<qint64>{3, 12, 120}));
    EXPECT_EQ(picker->search("", 2).size(), 2);
}

TEST_F(PickerWindow, ChoosingInTheSearchDialogSetsTheCode)
{
    QSignalSpy changed(picker, &ctlCodePicker::CodigoCambiado);
    QString filterShown;
    ctlSearchDialog::setRunner([&](QDialog& d) {
        auto* filter = d.findChild<ctlTextBox*>("txtFiltro");
        auto* list = d.findChild<Grid*>("vsListado");
        EXPECT_TRUE(filter && list);
        if (!filter || !list)
            return int(QDialog::Rejected);
        filterShown = filter->text();
        filter->setText("mayor");
        EXPECT_EQ(list->Rows(), 2);
        EXPECT_EQ(list->TextMatrix(1, 1), "Mayoristas");
        QTest::keyClick(list, Qt::Key_Return);
        return d.result();
    });
    QTest::keyClicks(field, "99");
    QTest::keyClick(field, Qt::Key_F3);
    EXPECT_EQ(filterShown, "99") << "an unknown typed code starts the search";
    EXPECT_EQ(picker->Codigo(), 120);
    EXPECT_EQ(picker->Nombre(), "Mayoristas");
    EXPECT_EQ(picker->text(), "120");
    ASSERT_FALSE(changed.isEmpty());
    EXPECT_EQ(changed.last()[0].toLongLong(), 120);

    // Cancelling keeps what was there.
    ctlSearchDialog::setRunner([](QDialog&) { return int(QDialog::Rejected); });
    picker->Buscar();
    EXPECT_EQ(picker->Codigo(), 120);
}

TEST(WarehousePicker, TheUserOptionRestrictsToTheUsersWarehousesOfTheCompany)
{
    test::TestDatabase tdb;
    tdb.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 2, 'Centro')");
    tdb.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (1, 3, 'Puerto')");
    tdb.exec("INSERT INTO Almacenes (Cod_Empresa, Codigo, Nombre) VALUES (2, 3, 'Puerto B')");
    tdb.exec("INSERT INTO SGD_Usuarios_Almacenes (CodUsuario, Cod_Empresa, Cod_Almacen) VALUES (5, 1, 2)");
    // User 5 may work in warehouse 3 of company 2 only, not of company 1.
    tdb.exec("INSERT INTO SGD_Usuarios_Almacenes (CodUsuario, Cod_Empresa, Cod_Almacen) VALUES (5, 2, 3)");

    ctlAlmacen p;
    p.setConexion(&tdb.conn());
    p.setEmpresa(&tdb.empresa());
    p.setUsuario(5);
    auto valid = [&](qint64 code) {
        p.setCodigo(code);
        p.Cargar();
        return p.EsValido();
    };
    EXPECT_TRUE(valid(3)) << "without the option every warehouse of the company";
    p.setSoloAlmacenesUsuario(true);
    EXPECT_TRUE(valid(2));
    EXPECT_FALSE(valid(3));
    EXPECT_EQ(p.search("").size(), 1);
    EXPECT_EQ(p.AlmacenUsuario(), 2);
    p.setUsuario(6);
    EXPECT_FALSE(valid(2));
    EXPECT_EQ(p.AlmacenUsuario(), 0);

    // Warehouse codes are 16-bit: the field refuses more.
    p.codeField()->clear();
    QTest::keyClicks(p.codeField(), "40000");
    EXPECT_EQ(p.codeField()->text(), "4000");
}

TEST(PickerWithoutContext, LooksNothingUpAndDoesNotFail)
{
    ctlCliente p;
    p.setCodigo(1);
    EXPECT_NO_THROW(p.Cargar());
    EXPECT_FALSE(p.EsValido());
    EXPECT_TRUE(p.search("a").isEmpty());
    test::TestDatabase tdb;
    p.setConexion(&tdb.conn()); // a company table is not read without the company
    EXPECT_TRUE(p.search("").isEmpty());
}

} // namespace
