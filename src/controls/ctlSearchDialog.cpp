#include "controls/ctlSearchDialog.h"

#include "controls/Grid.h"
#include "controls/ctlTextBox.h"
#include "db/Error.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

namespace zqvr::controls {

namespace {
ctlSearchDialog::Runner& runner()
{
    static ctlSearchDialog::Runner r;
    return r;
}
} // namespace

ctlSearchDialog::ctlSearchDialog(Searcher searcher, const QString& title, QWidget* parent)
    : QDialog(parent), m_searcher(std::move(searcher))
{
    setObjectName(QStringLiteral("frmBuscarCodigo"));
    setWindowTitle(title.isEmpty() ? tr("Buscar") : title);

    auto* label = new QLabel(tr("&Escriba parte del nombre o los primeros dígitos del código:"), this);
    m_filter = new ctlTextBox(this);
    m_filter->setObjectName(QStringLiteral("txtFiltro"));
    label->setBuddy(m_filter);

    m_list = new Grid(this);
    m_list->setObjectName(QStringLiteral("vsListado"));
    m_list->setCols(2);
    m_list->setTextMatrix(0, 0, tr("Código"));
    m_list->setTextMatrix(0, 1, tr("Nombre"));
    m_list->setColWidth(0, 1200);
    m_list->setColAlignment(0, Grid::AlignRight);
    m_list->setColDataType(0, Grid::TypeNumber);
    m_list->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("&Aceptar"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(tr("&Cancelar"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("cmdAceptar"));
    cancel->setObjectName(QStringLiteral("cmdCancelar"));
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &ctlSearchDialog::choose);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_filter);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(460, 380);

    connect(m_filter, &QLineEdit::textChanged, this, &ctlSearchDialog::refresh);
    connect(m_filter, &ctlTextBox::KeyPress, this, [this](int& key) {
        if (key != 13)
            return;
        key = 0;
        if (m_list->Row() < m_list->FixedRows() && m_list->Rows() > m_list->FixedRows())
            m_list->setRow(m_list->FixedRows());
        choose();
    });
    connect(m_filter, &ctlTextBox::KeyDown, this, [this](int& key, int) {
        if ((key == Qt::Key_Down || key == Qt::Key_PageDown) && m_list->Rows() > m_list->FixedRows()) {
            key = 0;
            if (m_list->Row() < m_list->FixedRows())
                m_list->setRow(m_list->FixedRows());
            m_list->setFocus();
        }
    });
    connect(m_list, &Grid::EnterPressed, this, [this](int) { choose(); });
    connect(m_list, &Grid::DoubleClicked, this, [this](int, int) { choose(); });
    connect(m_list, &Grid::BeforeFirstRow, m_filter, [this] { m_filter->setFocus(); });
}

void ctlSearchDialog::setFilter(const QString& text)
{
    if (m_filter->text() == text)
        refresh();
    else
        m_filter->setText(text); // refreshes through textChanged
}

QString ctlSearchDialog::filter() const { return m_filter->text(); }

void ctlSearchDialog::refresh()
{
    Rows rows;
    if (m_searcher) {
        try {
            rows = m_searcher(m_filter->text());
        } catch (const Error& e) {
            emit ErrorOccurred(e.number(), e.description(), e.source());
        } catch (const std::exception& e) {
            emit ErrorOccurred(0, QString::fromLocal8Bit(e.what()), QString());
        }
    }
    m_list->setRedraw(false);
    m_list->ClearData();
    for (const auto& [code, name] : rows)
        m_list->AddItem(QString::number(code) + QLatin1Char('\t') + name);
    if (!rows.isEmpty())
        m_list->setRow(m_list->FixedRows());
    m_list->setRedraw(true);
}

void ctlSearchDialog::choose()
{
    const int row = m_list->Row();
    if (row < m_list->FixedRows())
        return;
    m_code = m_list->TextMatrix(row, 0).toLongLong();
    m_name = m_list->TextMatrix(row, 1);
    m_chosen = true;
    accept();
}

int ctlSearchDialog::run(QDialog& dialog)
{
    if (runner())
        return runner()(dialog);
    return dialog.exec();
}

void ctlSearchDialog::setRunner(Runner r) { runner() = std::move(r); }

} // namespace zqvr::controls
