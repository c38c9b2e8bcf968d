#include "controls/ctlAlmacenCons.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/SqlLiteral.h"
#include "host/Empresa.h"

namespace zqvr::controls {

namespace {

constexpr int kCodeRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

// Marks programmatic changes so that itemChanged is not taken for the user's.
class Quiet {
public:
    explicit Quiet(int& depth) : m_depth(depth) { ++m_depth; }
    ~Quiet() { --m_depth; }
    Quiet(const Quiet&) = delete;
    Quiet& operator=(const Quiet&) = delete;

private:
    int& m_depth;
};

} // namespace

ctlAlmacenCons::ctlAlmacenCons(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (m_quiet > 0)
            return;
        emit CheckCambiado(row(item), item->data(kCodeRole).toInt(), item->checkState() == Qt::Checked);
    });
}

void ctlAlmacenCons::setConexion(db::Connection* conn)
{
    const bool changed = conn != m_conn;
    m_conn = conn;
    if (changed)
        loadWhenReady();
}

void ctlAlmacenCons::setEmpresa(host::Empresa* empresa)
{
    const bool changed = empresa != m_empresa;
    m_empresa = empresa;
    if (changed)
        loadWhenReady();
}

void ctlAlmacenCons::loadWhenReady()
{
    if (!m_conn || !m_empresa)
        return;
    try {
        Cargar();
    } catch (const Error& e) {
        emit ErrorOccurred(e.number(), e.description(), e.source());
    }
}

void ctlAlmacenCons::Cargar()
{
    Quiet quiet(m_quiet);
    clear();
    if (!m_conn || !m_empresa)
        return;
    db::RecordSet rs = m_conn->query(QStringLiteral("SELECT Codigo, Nombre FROM Almacenes WHERE Cod_Empresa = ")
                                     + db::sqlInt(m_empresa->CodigoEmpresa()) + QStringLiteral(" ORDER BY Codigo"));
    while (!rs.eof()) {
        const int code = rs.value(0).toInt();
        const QString name = rs.value(1).toString().trimmed();
        auto* item = new QListWidgetItem(QString::number(code) + QStringLiteral(" - ") + name);
        item->setData(kCodeRole, code);
        item->setData(kNameRole, name);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        addItem(item);
        rs.moveNext();
    }
}

int ctlAlmacenCons::Codigo(int index) const
{
    const QListWidgetItem* i = item(index);
    return i ? i->data(kCodeRole).toInt() : 0;
}

QString ctlAlmacenCons::Nombre(int index) const
{
    const QListWidgetItem* i = item(index);
    return i ? i->data(kNameRole).toString() : QString();
}

int ctlAlmacenCons::indexOfCodigo(int code) const
{
    for (int i = 0; i < count(); ++i)
        if (item(i)->data(kCodeRole).toInt() == code)
            return i;
    return -1;
}

bool ctlAlmacenCons::Checked(int index) const
{
    const QListWidgetItem* i = item(index);
    return i && i->checkState() == Qt::Checked;
}

void ctlAlmacenCons::setChecked(int index, bool checked)
{
    QListWidgetItem* i = item(index);
    if (!i)
        return;
    Quiet quiet(m_quiet);
    i->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool ctlAlmacenCons::setCheckedCodigo(int code, bool checked)
{
    const int i = indexOfCodigo(code);
    if (i < 0)
        return false;
    setChecked(i, checked);
    return true;
}

void ctlAlmacenCons::setAllChecked(bool checked)
{
    for (int i = 0; i < count(); ++i)
        setChecked(i, checked);
}

QList<int> ctlAlmacenCons::checkedCodes() const
{
    QList<int> codes;
    for (int i = 0; i < count(); ++i)
        if (item(i)->checkState() == Qt::Checked)
            codes << item(i)->data(kCodeRole).toInt();
    return codes;
}

} // namespace zqvr::controls
