// The invoice-from-ticket window driven through its real widgets by name:
// opening, loading a ticket and a customer, the checks in their order,
// generating, reprinting and printing.
#include "tickets/frmFacturaTicket.h"

#include "../reports/PdfText.h"
#include "InvoiceFixture.h"
#include "controls/ctlCheckBox.h"
#include "controls/ctlCodePicker.h"
#include "controls/ctlImpresoras.h"
#include "controls/ctlMaskEdBox.h"
#include "controls/ctlTextBox.h"
#include "support/FailingWrites.h"
#include "support/ScreenTest.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zqvr;
using frame::MsgIcon;
using frame::MsgResult;
using tickets::frmFacturaTicket;

namespace {

template <class T>
std::shared_ptr<T> borrowed(T& t)
{
    return std::shared_ptr<T>(&t, [](T*) {});
}

class FailingPrinter : public host::ImpresionFactura {
public:
    void Imprimir(const host::InvoicePrintRequest&) override
    {
        throw Error(50103, QStringLiteral("No existe la impresora \"Sala\"."));
    }
};

class InvoiceScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        installInHostContext(w.central);
        auto& emp = w.central.empresa();
        emp.setRutaAplicacion(QStringLiteral(ZQVR_SOURCE_DIR));
        emp.setVariable("UsuarioActual", 1);
        emp.setVariable("Almacen_PD", 3);
        emp.setVariable("TipoDoc_1", "Original");
        emp.setVariable("SelectDf_1", "1");
        emp.setVariable("TipoDoc_2", "");
        emp.setVariable("SelectDf_2", "1");
        emp.setVariable("TipoDoc_3", "Copia Contabilidad");
        emp.setVariable("SelectDf_3", "0");
        w.central.exec("INSERT INTO Empresas (Codigo, Nombre_1, Nif) VALUES (1, 'Comercial Atlántico, S.L.', 'B35123456')");
        host::TillConnector::install(borrowed<host::TillConnector>(w.till));
        host::NumeradorFacturas::install(borrowed<host::NumeradorFacturas>(w.numerador));
        form = std::make_unique<frmFacturaTicket>();
        form->showForm(0);
        QApplication::setActiveWindow(form.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    void TearDown() override
    {
        form.reset();
        host::TillConnector::install(nullptr);
        host::NumeradorFacturas::install(nullptr);
        host::ImpresionFactura::setFactory(nullptr);
    }

    template <class T = QWidget>
    T* ctl(const char* name)
    {
        T* c = form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    controls::ctlTextBox* txt(const char* name) { return ctl<controls::ctlTextBox>(name); }
    controls::ctlCodePicker* cliente() { return ctl<controls::ctlCodePicker>("txtCliente"); }
    QList<controls::ctlCheckBox*> copias()
    {
        QList<controls::ctlCheckBox*> out;
        for (auto* b : form->findChildren<controls::ctlCheckBox*>(QStringLiteral("chkCopia")))
            out << b;
        std::sort(out.begin(), out.end(), [](auto* a, auto* b) { return a->property("index").toInt() < b->property("index").toInt(); });
        return out;
    }

    // Names ticket 1 of till 1 on the 5th and presses Enter in the ticket number.
    void nameTicket(int ticket = 1)
    {
        auto* almacen = ctl<controls::ctlCodePicker>("txtAlmacen");
        almacen->setCodigo(1);
        almacen->Cargar();
        txt("txtCaja")->setText("1");
        ctl<controls::ctlMaskEdBox>("txtFecha")->setFecha(test::kDay5);
        txt("txtTicket")->setText(QString::number(ticket));
        txt("txtTicket")->setFocus();
        QTest::keyClick(txt("txtTicket"), Qt::Key_Return);
    }
    // Output to a PDF file in the test's folder.
    QString toPdf()
    {
        ctl<controls::ctlImpresoras>("cboImpresora")->setImpresora(frmFacturaTicket::ficheroPdf());
        const QString path = dir.filePath(QStringLiteral("factura%1.pdf").arg(++pdfs));
        services.files->answers.push_back(path);
        return path;
    }
    void aceptar() { QTest::mouseClick(ctl<QPushButton>("cmdAceptar"), Qt::LeftButton); }

    test::ServiceDoubles services;
    test::InvoiceWorld w;
    std::unique_ptr<frmFacturaTicket> form;
    QTemporaryDir dir;
    int pdfs = 0;
};

TEST_F(InvoiceScreen, OpensWithDiscountsShownAndTheCopiesTheHostNames)
{
    EXPECT_EQ(form->windowTitle(), "Generar/Imprimir Factura de Ticket");
    auto* dto = ctl<QComboBox>("cboDto");
    EXPECT_EQ(dto->count(), 2);
    EXPECT_EQ(dto->currentText(), "Sí");
    const auto boxes = copias();
    ASSERT_EQ(boxes.size(), 6);
    EXPECT_EQ(boxes[0]->text(), "Original");
    EXPECT_TRUE(boxes[0]->isEnabled());
    EXPECT_EQ(boxes[0]->Valor(), 1);
    // An empty name: "---", disabled and unchecked, whatever SelectDf says.
    EXPECT_EQ(boxes[1]->text(), "---");
    EXPECT_FALSE(boxes[1]->isEnabled());
    EXPECT_EQ(boxes[1]->Valor(), 0);
    EXPECT_EQ(boxes[2]->text(), "Copia Contabilidad");
    EXPECT_EQ(boxes[2]->Valor(), 0);
    EXPECT_FALSE(boxes[5]->isEnabled());
    EXPECT_EQ(form->mascaraCopias(), 1);
    boxes[0]->setValor(0);
    EXPECT_EQ(form->mascaraCopias(), 1); // nothing checked: copy 1
    boxes[2]->setValor(1);
    EXPECT_EQ(form->mascaraCopias(), 4);
    boxes[0]->setValor(1);
    EXPECT_EQ(form->mascaraCopias(), 5);
    auto* printers = ctl<controls::ctlImpresoras>("cboImpresora");
    EXPECT_GE(printers->findText(frmFacturaTicket::pantalla()), 0);
    EXPECT_GE(printers->findText(frmFacturaTicket::ficheroPdf()), 0);
}

TEST_F(InvoiceScreen, EnterInTheDiscountListMovesOnAndUpMovesBack)
{
    auto* dto = ctl<QComboBox>("cboDto");
    dto->setFocus();
    QTest::keyClick(dto, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cboImpresora");
    dto->setFocus();
    QTest::keyClick(dto, Qt::Key_Up);
    EXPECT_EQ(dto->currentIndex(), 1); // the key is taken, the item stays
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "txtTelefono");
}

TEST_F(InvoiceScreen, EnterLoadsTheTicketAndItsCustomersFiscalData)
{
    nameTicket(1); // customer 5, no invoice
    EXPECT_EQ(cliente()->Codigo(), 5);
    EXPECT_EQ(txt("txtNombre")->text(), "Bazar O'Donnell");
    EXPECT_EQ(QApplication::focusWidget(), txt("txtNif"));

    // Customer 6 chosen: billing overrides and the main telephone.
    cliente()->setFocus();
    cliente()->codeField()->selectAll();
    QTest::keyClicks(cliente()->codeField(), "6");
    QTest::keyClick(cliente()->codeField(), Qt::Key_Return);
    EXPECT_EQ(txt("txtNif")->text(), "B35999888");
    EXPECT_EQ(txt("txtNombre")->text(), "Suministros Díaz, S.L.");
    EXPECT_EQ(txt("txtNombre_1")->text(), "Ferre Díaz");
    EXPECT_EQ(txt("txtDireccion")->text(), "Polígono El Goro, nave 7");
    EXPECT_EQ(txt("txtCP")->text(), "35219");
    EXPECT_EQ(txt("txtLocalidad")->text(), "Telde");
    EXPECT_EQ(txt("txtProvincia")->text(), "Las Palmas de G.C.");
    EXPECT_EQ(txt("txtPais")->text(), "España");
    EXPECT_EQ(txt("txtTelefono")->text(), "928 000 111");

    // A ticket without customer puts the focus on the picker.
    nameTicket(3);
    EXPECT_EQ(cliente()->Codigo(), 0);
    EXPECT_EQ(txt("txtNombre")->text(), "");
    EXPECT_TRUE(cliente()->isAncestorOf(QApplication::focusWidget()));

    // A ticket that is not there.
    nameTicket(77);
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text,
              "No se ha encontrado el ticket en el servidor. Revise los datos y repita la operación.");
    EXPECT_EQ(services.messages->last()->icon, MsgIcon::Information);

    // An invoiced ticket shows the stored fiscal data, not the customer's.
    w.store().generar(test::InvoiceWorld::request(), w.host());
    nameTicket(1);
    EXPECT_EQ(cliente()->Codigo(), 6);
    EXPECT_EQ(txt("txtNombre")->text(), "Suministros O'Donnell, S.L.");
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "cboDto");
}

TEST_F(InvoiceScreen, ABlockedCustomerIsRefusedAndTheFocusStaysOnThePicker)
{
    nameTicket(1);
    cliente()->setFocus();
    cliente()->codeField()->selectAll();
    QTest::keyClicks(cliente()->codeField(), "9");
    QTest::keyClick(cliente()->codeField(), Qt::Key_Tab);
    QApplication::processEvents();
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text, "El cliente especificado está bloqueado. Consulte la administración.");
    EXPECT_EQ(services.messages->last()->caption, "¡ Atención !");
    EXPECT_EQ(cliente()->Codigo(), 0);
    EXPECT_EQ(cliente()->text(), "");
    EXPECT_EQ(txt("txtNombre")->text(), "");
    EXPECT_EQ(txt("txtTelefono")->text(), "");
    EXPECT_TRUE(cliente()->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(InvoiceScreen, TheChecksComeInTheirOrderAndNothingIsWritten)
{
    struct Case {
        const char* what;
        std::function<void()> spoil;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"no warehouse", [&] { ctl<controls::ctlCodePicker>("txtAlmacen")->setText(""); txt("txtTicket")->setText("0"); },
         "Especifique un número de almacén valido", "txtAlmacen"},
        {"unknown warehouse", [&] { auto* a = ctl<controls::ctlCodePicker>("txtAlmacen"); a->setCodigo(55); a->Cargar(); },
         "Especifique un número de almacén valido", "txtAlmacen"},
        {"ticket 0 before till 0", [&] { txt("txtTicket")->setText("0"); txt("txtCaja")->setText(""); },
         "Especifique un número de Ticket valido", "txtTicket"},
        {"ticket not a whole number", [&] { txt("txtTicket")->setText("1,5"); }, "Especifique un número de Ticket valido", "txtTicket"},
        {"till 0 before the date", [&] { txt("txtCaja")->setText("0"); ctl<controls::ctlMaskEdBox>("txtFecha")->setText(""); },
         "Especifique un número de Caja valido", "txtCaja"},
        {"date not a date", [&] { ctl<controls::ctlMaskEdBox>("txtFecha")->setText("31/02/2026"); },
         "Especifique una fecha de ticket valida", "txtFecha"},
        {"no customer", [&] { cliente()->setText(""); }, "Especifique el cliente para generar la factura", "txtCliente"},
        {"unknown customer", [&] { cliente()->setCodigo(77); cliente()->Cargar(); },
         "Especifique el cliente para generar la factura", "txtCliente"},
    };
    const QString before = test::snapshot(w.central, "TPV_Tickets", "1, 2, 3, 4, 5");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        nameTicket(1);
        c.spoil();
        const size_t shown = services.messages->shown.size();
        aceptar();
        ASSERT_EQ(services.messages->shown.size(), shown + 1);
        EXPECT_EQ(services.messages->last()->text, c.message);
        EXPECT_EQ(services.messages->last()->caption, "¡ Atención !");
        EXPECT_EQ(services.messages->last()->icon, MsgIcon::Exclamation);
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        QWidget* expected = ctl(c.focus);
        EXPECT_TRUE(focus == expected || expected->isAncestorOf(focus)) << focus->objectName().toStdString();
    }
    EXPECT_EQ(test::snapshot(w.central, "TPV_Tickets", "1, 2, 3, 4, 5"), before);
    EXPECT_EQ(w.centralInvoices(), 0);
    EXPECT_EQ(w.central.count("Facturas_Contador"), 0);
}

TEST_F(InvoiceScreen, GeneratingAsksThenRecordsBothCopiesAndPrintsThePdf)
{
    nameTicket(1);
    cliente()->setFocus();
    cliente()->codeField()->selectAll();
    QTest::keyClicks(cliente()->codeField(), "6");
    QTest::keyClick(cliente()->codeField(), Qt::Key_Return);
    txt("txtNombre")->setText("Suministros O'Donnell, S.L.");
    copias()[2]->setValor(1);
    ctl<QComboBox>("cboDto")->setCurrentIndex(0);
    const QString pdf = toPdf();
    services.messages->queueAnswer(MsgResult::Yes);
    aceptar();

    ASSERT_FALSE(services.messages->shown.empty());
    const frame::Message& q = services.messages->shown.front();
    EXPECT_EQ(q.text, "No se ha encontrado la factura solicitada para imprimir una copia. ¿Desea generar la factura?");
    EXPECT_EQ(q.caption, "Confirmar");
    EXPECT_EQ(q.buttons, frame::MsgButtons::YesNo);
    EXPECT_EQ(q.defaultButton, MsgResult::No);
    EXPECT_EQ(services.messages->shown.size(), 1u) << services.messages->texts().join(" / ").toStdString();
    EXPECT_EQ(w.centralInvoices(), 1);
    EXPECT_EQ(w.tillInvoices(), 1);
    EXPECT_EQ(w.central.conn().scalar("SELECT Nombre FROM TPV_Tickets_Factura").toString(), "Suministros O'Donnell, S.L.");
    EXPECT_EQ(w.central.conn().scalar("SELECT Factura_Almacen FROM TPV_Tickets_Factura").toInt(), 3);
    // The notice window took the activation for a while: the window's own focus is what the user returns to.
    ASSERT_NE(form->focusWidget(), nullptr);
    EXPECT_TRUE(ctl("txtAlmacen")->isAncestorOf(form->focusWidget()));

    const QStringList pages = test::pdfPages(pdf);
    ASSERT_EQ(pages.size(), 2); // copies 1 and 3
    EXPECT_TRUE(pages[0].contains("Original"));
    EXPECT_TRUE(pages[1].contains("Copia Contabilidad"));
    for (const QString& p : pages) {
        EXPECT_TRUE(p.contains("Nº 7/1")) << p.toStdString();
        EXPECT_TRUE(p.contains("Suministros O'Donnell, S.L."));
        EXPECT_TRUE(p.contains("Comercial Atlántico, S.L."));
        EXPECT_TRUE(p.contains("16,24")); // the ticket's lines, discounts taken off
        EXPECT_FALSE(p.contains("Dto. %"));
    }
}

TEST_F(InvoiceScreen, AnsweringNoOrAMissingSeriesWritesNothing)
{
    nameTicket(1);
    services.messages->queueAnswer(MsgResult::No);
    aceptar();
    EXPECT_EQ(w.centralInvoices(), 0);
    EXPECT_EQ(services.messages->shown.size(), 1u);

    w.central.exec("DELETE FROM Tpv_Parametros");
    services.messages->queueAnswer(MsgResult::Yes);
    aceptar();
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text, "No está definida la serie de facturación en los parámetros de TPVs");
    EXPECT_EQ(services.messages->last()->caption, "¡ Atención, imposible continuar !");
    EXPECT_EQ(w.centralInvoices(), 0);
    EXPECT_EQ(w.tillInvoices(), 0);
    EXPECT_EQ(w.central.count("Facturas_Contador"), 0);
    EXPECT_EQ(w.central.count("TPV_Tickets", "Cliente = 5"), 1);
}

TEST_F(InvoiceScreen, AReprintPrintsTheStoredInvoiceWithoutAskingOrWriting)
{
    w.store().generar(test::InvoiceWorld::request(), w.host());
    const QString before = test::snapshot(w.central, "TPV_Tickets_Factura", "1, 2, 3, 4, 5") +
                           test::snapshot(w.central, "TPV_Tickets", "1, 2, 3, 4, 5") +
                           test::snapshot(w.central, "Facturas_Contador", "1, 2, 3");
    nameTicket(1);
    // Whatever the fields show now, the stored invoice is printed.
    txt("txtNombre")->setText("Otro nombre");
    txt("txtNif")->setText("X0000000");
    cliente()->setCodigo(8);
    cliente()->Cargar();
    const QString pdf = toPdf();
    aceptar();
    EXPECT_TRUE(services.messages->shown.empty()) << services.messages->texts().join(" / ").toStdString();
    EXPECT_EQ(txt("txtNombre")->text(), "Suministros O'Donnell, S.L.");
    EXPECT_EQ(cliente()->Codigo(), 6);
    const QString text = test::pdfText(pdf);
    EXPECT_TRUE(text.contains("Suministros O'Donnell, S.L."));
    EXPECT_TRUE(text.contains("B35999888"));
    EXPECT_FALSE(text.contains("Otro nombre"));
    EXPECT_TRUE(text.contains("Dto. %"));
    EXPECT_EQ(test::snapshot(w.central, "TPV_Tickets_Factura", "1, 2, 3, 4, 5") +
                  test::snapshot(w.central, "TPV_Tickets", "1, 2, 3, 4, 5") +
                  test::snapshot(w.central, "Facturas_Contador", "1, 2, 3"),
              before);
}

TEST_F(InvoiceScreen, APrintingFailureIsToldWithTheInvoiceKept)
{
    host::ImpresionFactura::setFactory([] { return std::make_unique<FailingPrinter>(); });
    nameTicket(1);
    services.messages->queueAnswer(MsgResult::Yes);
    aceptar();
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text,
              "La factura se ha generado correctamente, pero ha ocurrido un problema al imprimir.\n"
              "No existe la impresora \"Sala\".");
    EXPECT_EQ(services.messages->last()->caption, "¡ Atención !");
    EXPECT_EQ(w.centralInvoices(), 1);
}

TEST_F(InvoiceScreen, ABlockedCustomerOnTheTicketIsNotInvoiced)
{
    w.central.exec("UPDATE TPV_Tickets SET Cliente = 9 WHERE Caja = 1 AND Fecha = '2026-12-05' AND Codigo = 1");
    nameTicket(1);
    aceptar();
    ASSERT_NE(services.messages->last(), nullptr);
    EXPECT_EQ(services.messages->last()->text, "El cliente especificado está bloqueado. Consulte la administración.");
    EXPECT_EQ(w.centralInvoices(), 0);
    EXPECT_EQ(w.central.count("Facturas_Contador"), 0);
}

} // namespace
