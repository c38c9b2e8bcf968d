#include "controls/ctlCodePicker.h"

#include "controls/ControlArray.h"
#include "controls/Visibility.h"
#include "controls/ctlSearchDialog.h"
#include "controls/ctlTextBox.h"
#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "db/TextMatch.h"
#include "host/Empresa.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QValidator>

namespace zqvr::controls {

using db::sqlInt;
using db::sqlLikePattern;

namespace {

// Digits only, and no more than the code's type holds.
class CodeValidator : public QValidator {
public:
    CodeValidator(qint64 max, QObject* parent) : QValidator(parent), m_max(max) {}
    void setMax(qint64 max) { m_max = max; }
    State validate(QString& input, int&) const override
    {
        if (input.isEmpty())
            return Acceptable;
        if (input.size() > 18)
            return Invalid;
        for (const QChar c : input)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return Invalid;
        return input.toLongLong() <= m_max ? Acceptable : Invalid;
    }

private:
    qint64 m_max;
};

// The code a text holds, or -1 when it is not a code in [0, max].
qint64 parseCode(const QString& text, qint64 max)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 18)
        return -1;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    const qint64 v = t.toLongLong();
    return v <= max ? v : -1;
}

bool allDigits(const QString& t)
{
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (!c.isDigit())
            return false;
    return true;
}

} // namespace

ctlCodePicker::ctlCodePicker(QString table, QString codeColumn, QString nameColumn,
                             QString companyColumn, CompanyKind kind, QWidget* parent)
    : QWidget(parent), m_table(std::move(table)), m_codeColumn(std::move(codeColumn)),
      m_nameColumn(std::move(nameColumn)), m_companyColumn(std::move(companyColumn)), m_kind(kind)
{
    m_code = new ctlTextBox(this);
    m_code->setObjectName(QStringLiteral("pickerCodeField"));
    markInnerPart(m_code);
    m_code->setValidator(new CodeValidator(m_maxCode, m_code));
    m_code->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_code->setFixedWidth(m_code->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);
    m_code->installEventFilter(this);

    m_button = new QToolButton(this);
    m_button->setObjectName(QStringLiteral("pickerSearchButton"));
    markInnerPart(m_button);
    m_button->setText(QStringLiteral("..."));
    m_button->setToolTip(tr("Buscar (F3)"));
    m_button->setFocusPolicy(Qt::NoFocus);

    m_name = new QLabel(this);
    m_name->setObjectName(QStringLiteral("pickerNameLabel"));
    markInnerPart(m_name);
    m_name->setFrameShape(QFrame::StyledPanel);
    m_name->setFrameShadow(QFrame::Sunken);
    m_name->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_name->setMinimumWidth(60);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_code);
    layout->addWidget(m_button);
    layout->addWidget(m_name, 1);
    setFocusProxy(m_code);

    connect(m_code, &QLineEdit::textEdited, this, [this] { m_dirty = true; });
    connect(m_code, &ctlTextBox::KeyDown, this, [this](int& key, int shift) {
        if (key == Qt::Key_F3 && shift == 0) {
            key = 0;
            Buscar();
        }
    });
    connect(m_code, &ctlTextBox::KeyPress, this, [this](int& key) {
        if (key == 13 && !commitTyped()) {
            key = 0; // a refused code keeps the focus
            return;
        }
        emit KeyPress(key);
    });
    connect(m_button, &QToolButton::clicked, this, [this] {
        commitTyped();
        Buscar();
    });
}

void ctlCodePicker::setMaxCode(qint64 max)
{
    m_maxCode = max;
    static_cast<CodeValidator*>(const_cast<QValidator*>(m_code->validator()))->setMax(max);
    const int digits = QString::number(max).size();
    m_code->setFixedWidth(m_code->fontMetrics().horizontalAdvance(QString(digits, QLatin1Char('0'))) + 12);
}

int ctlCodePicker::companyCode() const
{
    if (!m_empresa)
        return 0;
    switch (m_kind) {
    case CompanyKind::Articles:
        return m_empresa->EmpresaArticulos();
    case CompanyKind::Customers:
        return m_empresa->EmpresaClientes();
    case CompanyKind::Company:
        return m_empresa->CodigoEmpresa();
    case CompanyKind::None:
        break;
    }
    return 0;
}

bool ctlCodePicker::canQuery() const
{
    // A company table is never read without knowing the company.
    return m_conn && (m_kind == CompanyKind::None || m_empresa);
}

QStringList ctlCodePicker::scopeConditions() const
{
    QStringList conds;
    if (m_kind != CompanyKind::None)
        conds << m_companyColumn + QStringLiteral(" = ") + sqlInt(companyCode());
    const QString extra = extraCondition();
    if (!extra.isEmpty())
        conds << QLatin1Char('(') + extra + QLatin1Char(')');
    return conds;
}

void ctlCodePicker::setCodigo(qint64 code)
{
    if (code != m_codigo) {
        m_valid = false;
        m_name->clear();
    }
    m_codigo = code;
    m_code->setText(QString::number(code));
    m_dirty = false;
}

void ctlCodePicker::Cargar()
{
    m_valid = false;
    m_name->clear();
    if (m_code->text().trimmed().isEmpty() || !canQuery())
        return;
    QStringList conds = scopeConditions();
    conds.prepend(m_codeColumn + QStringLiteral(" = ") + sqlInt(m_codigo));
    db::RecordSet rs = m_conn->query(QStringLiteral("SELECT ") + m_nameColumn + QStringLiteral(" FROM ")
                                     + m_table + QStringLiteral(" WHERE ") + conds.join(QStringLiteral(" AND ")));
    if (!rs.eof()) {
        m_name->setText(rs.value(0).toString().trimmed());
        m_valid = true;
    }
}

QString ctlCodePicker::Nombre() const { return m_name->text(); }

QString ctlCodePicker::text() const { return m_code->text(); }

void ctlCodePicker::setText(const QString& text)
{
    const qint64 code = parseCode(text, m_maxCode);
    if (code < 0) {
        // Empty, or not a code: the field is emptied, never passed on.
        m_code->clear();
        m_codigo = 0;
        m_valid = false;
        m_name->clear();
        m_dirty = false;
        return;
    }
    setCodigo(code);
}

void ctlCodePicker::setHabilitado(bool on)
{
    // The user's access level is a ceiling: the screen's own rules cannot unlock it.
    on = on && m_accessLevel != 1 && m_accessLevel != 2;
    m_code->setHabilitado(on);
    m_button->setEnabled(on);
}

bool ctlCodePicker::Habilitado() const { return m_code->Habilitado(); }

void ctlCodePicker::setAccessLevel(int level)
{
    m_accessLevel = level;
    if (level == 0)
        showForLevelZero(this);
    else if (level == 1)
        setHabilitado(false);
    else if (level == 2)
        setEnabled(false);
}

bool ctlCodePicker::accepted(qint64 code, qint64 old)
{
    bool cancel = false;
    emit Validar(code, cancel);
    if (!cancel)
        return true;
    m_code->clear();
    m_codigo = 0;
    m_valid = false;
    m_name->clear();
    m_dirty = false;
    // The focus may be on its way to another control: bring it back once it has arrived.
    QTimer::singleShot(0, m_code, [code = m_code] { code->setFocus(Qt::OtherFocusReason); });
    if (old != 0)
        emit CodigoCambiado(0);
    return false;
}

bool ctlCodePicker::commitTyped()
{
    if (!m_dirty)
        return true;
    m_dirty = false;
    const QString typed = m_code->text().trimmed();
    qint64 code = typed.isEmpty() ? 0 : parseCode(typed, m_maxCode);
    if (code < 0) {
        m_code->clear();
        code = 0;
    }
    const qint64 old = m_codigo;
    m_codigo = code;
    try {
        Cargar();
    } catch (const Error& e) {
        // Leaving the field must not break the screen: the code stays, unnamed, and the screen says why.
        m_valid = false;
        m_name->clear();
        emit ErrorOccurred(e.number(), e.description(), e.source());
    }
    if (code != old && !accepted(code, old))
        return false;
    if (code != old)
        emit CodigoCambiado(code);
    return true;
}

void ctlCodePicker::takeChosen(qint64 code)
{
    const qint64 old = m_codigo;
    setCodigo(code);
    try {
        Cargar();
    } catch (const Error& e) {
        emit ErrorOccurred(e.number(), e.description(), e.source());
    }
    if (code != old && !accepted(code, old))
        return;
    if (code != old)
        emit CodigoCambiado(code);
}

bool ctlCodePicker::eventFilter(QObject* o, QEvent* e)
{
    if (o == m_code && e->type() == QEvent::FocusOut)
        commitTyped();
    return QWidget::eventFilter(o, e);
}

QList<QPair<qint64, QString>> ctlCodePicker::search(const QString& text, int limit) const
{
    QList<QPair<qint64, QString>> out;
    if (!canQuery())
        return out;
    if (limit <= 0)
        limit = 200;
    QStringList conds = scopeConditions();
    const QString t = text.trimmed();
    const bool numeric = allDigits(t);
    if (!t.isEmpty()) {
        const QString like = QLatin1Char(' ') + db::likeIgnoringCase(m_conn->dialect()) + QLatin1Char(' ');
        const QString nameLike = m_nameColumn + like
                                 + sqlLikePattern(QLatin1Char('*') + t + QLatin1Char('*'));
        if (numeric)
            conds << QStringLiteral("(CAST(") + m_codeColumn + QStringLiteral(" AS VARCHAR(20))") + like
                         + sqlLikePattern(t + QLatin1Char('*')) + QStringLiteral(" OR ") + nameLike
                         + QLatin1Char(')');
        else
            conds << nameLike;
    }
    QString rest = m_codeColumn + QStringLiteral(", ") + m_nameColumn + QStringLiteral(" FROM ") + m_table;
    if (!conds.isEmpty())
        rest += QStringLiteral(" WHERE ") + conds.join(QStringLiteral(" AND "));
    rest += QStringLiteral(" ORDER BY ") + ((t.isEmpty() || numeric) ? m_codeColumn : m_nameColumn);
    db::RecordSet rs = m_conn->query(m_conn->dialect().selectTop(limit, rest));
    while (!rs.eof()) {
        out.append({rs.value(0).toLongLong(), rs.value(1).toString().trimmed()});
        rs.moveNext();
    }
    return out;
}

void ctlCodePicker::Buscar()
{
    if (!canQuery() || !m_code->Habilitado())
        return;
    ctlSearchDialog dialog([this](const QString& filter) { return search(filter); }, m_searchTitle, this);
    connect(&dialog, &ctlSearchDialog::ErrorOccurred, this, &ctlCodePicker::ErrorOccurred);
    // What was typed and not found is the natural start of a search.
    if (!m_valid && !m_code->text().isEmpty())
        dialog.setFilter(m_code->text());
    else
        dialog.refresh();
    if (ctlSearchDialog::run(dialog) == QDialog::Accepted && dialog.hasChoice())
        takeChosen(dialog.chosenCode());
    m_code->setFocus();
}

// ---------------------------------------------------------------------------
// The pickers

ctlArticulo::ctlArticulo(QWidget* parent)
    : ctlCodePicker(QStringLiteral("Articulos"), QStringLiteral("Codigo"), QStringLiteral("Descripcion"),
                    QStringLiteral("Cod_Empresa"), CompanyKind::Articles, parent)
{
    setSearchTitle(tr("Buscar Artículo"));
}

ctlCliente::ctlCliente(QWidget* parent)
    : ctlCodePicker(QStringLiteral("Clientes"), QStringLiteral("Codigo"), QStringLiteral("Nombre"),
                    QStringLiteral("Cod_Empresa"), CompanyKind::Customers, parent)
{
    setSearchTitle(tr("Buscar Cliente"));
}

ctlUsuario::ctlUsuario(QWidget* parent)
    : ctlCodePicker(QStringLiteral("SGD_Usuarios"), QStringLiteral("Codigo"), QStringLiteral("Nombre"),
                    QString(), CompanyKind::None, parent)
{
    setSearchTitle(tr("Buscar Usuario"));
    setMaxCode(32767);
}

ctlAgente::ctlAgente(QWidget* parent)
    : ctlCodePicker(QStringLiteral("Agentes"), QStringLiteral("Codigo"), QStringLiteral("Nombre"),
                    QStringLiteral("Cod_Empresa"), CompanyKind::Company, parent)
{
    setSearchTitle(tr("Buscar Agente"));
}

ctlDtoGrp::ctlDtoGrp(QWidget* parent)
    : ctlCodePicker(QStringLiteral("Grupos_Descuento"), QStringLiteral("Codigo"), QStringLiteral("Descripcion"),
                    QStringLiteral("Cod_Empresa"), CompanyKind::Company, parent)
{
    setSearchTitle(tr("Buscar Grupo de Descuento"));
}

ctlTarifa::ctlTarifa(QWidget* parent)
    : ctlCodePicker(QStringLiteral("Tarifas"), QStringLiteral("Codigo"), QStringLiteral("Descripcion"),
                    QStringLiteral("Cod_Empresa"), CompanyKind::Company, parent)
{
    setSearchTitle(tr("Buscar Tarifa"));
}

ctlAlmacen::ctlAlmacen(QWidget* parent)
    : ctlCodePicker(QStringLiteral("Almacenes"), QStringLiteral("Codigo"), QStringLiteral("Nombre"),
                    QStringLiteral("Cod_Empresa"), CompanyKind::Company, parent)
{
    setSearchTitle(tr("Buscar Almacén"));
    setMaxCode(32767);
}

QString ctlAlmacen::extraCondition() const
{
    if (!m_soloUsuario)
        return {};
    return QStringLiteral("Codigo IN (SELECT Cod_Almacen FROM SGD_Usuarios_Almacenes WHERE CodUsuario = ")
           + sqlInt(m_usuario) + QStringLiteral(" AND Cod_Empresa = ") + sqlInt(companyCode())
           + QLatin1Char(')');
}

qint64 ctlAlmacen::AlmacenUsuario() const
{
    if (!Conexion() || !Empresa())
        return 0;
    return Conexion()
        ->scalar(QStringLiteral("SELECT MIN(ua.Cod_Almacen) FROM SGD_Usuarios_Almacenes ua"
                                " INNER JOIN Almacenes a ON a.Cod_Empresa = ua.Cod_Empresa AND a.Codigo = ua.Cod_Almacen"
                                " WHERE ua.CodUsuario = ")
                 + sqlInt(m_usuario) + QStringLiteral(" AND ua.Cod_Empresa = ") + sqlInt(companyCode()))
        .toLongLong();
}

} // namespace zqvr::controls
