#pragma once
// Base of the suite's code pickers: a code field, a small search button
// (F3 does the same) and the name found for the code. Typing a code and
// leaving the field, or choosing one in the search dialog, changes Codigo
// and the name without any call from the screen.
#include "controls_export.h"
#include <QWidget>

class QLabel;
class QToolButton;

namespace zqvr::db { class Connection; }
namespace zqvr::host { class Empresa; }

namespace zqvr::controls {

class ctlTextBox;

class ZQVR_CONTROLS_EXPORT ctlCodePicker : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int AccessLevel READ AccessLevel WRITE setAccessLevel)
public:
    enum class CompanyKind { Company, Articles, Customers, None };

    void setConexion(db::Connection* conn) { m_conn = conn; }
    void setEmpresa(host::Empresa* empresa) { m_empresa = empresa; }
    db::Connection* Conexion() const { return m_conn; }
    host::Empresa* Empresa() const { return m_empresa; }

    qint64 Codigo() const { return m_codigo; }
    // Writes the code into the field; the name is looked up by Cargar().
    // A code other than the current one empties the name until then.
    void setCodigo(qint64 code);
    // Looks the code up and shows its name; an unknown code (or an empty
    // field) shows an empty name. Throws Error when the statement fails.
    void Cargar();
    QString Nombre() const;
    // true when the code was found by the last look-up.
    bool EsValido() const { return m_valid; }
    // The code field's text; setText("") empties code and name.
    QString text() const;
    void setText(const QString& text);
    ctlTextBox* codeField() const { return m_code; }
    // Opens the search dialog (what F3 and the button do).
    void Buscar();
    // false locks the code field and the search button.
    void setHabilitado(bool on);
    bool Habilitado() const;
    // Access level granted to the user (0 shown, 1 locked, 2 disabled),
    // applied by the control itself; other levels change nothing.
    int AccessLevel() const { return m_accessLevel; }
    void setAccessLevel(int level);
    // Largest code the field accepts (what the code's type holds).
    qint64 maxCode() const { return m_maxCode; }
    // The largest code the field accepts (a screen storing 16-bit codes narrows a 32-bit picker).
    void setMaxCode(qint64 max);

    // Rows of (code, name) whose name or code starts with / contains the text; at most `limit`.
    QList<QPair<qint64, QString>> search(const QString& text, int limit = 200) const;

Q_SIGNALS:
    // Key presses in the code field (Enter is 13, after the typed code has
    // been taken); a handler sets keyAscii to 0 to consume the key.
    void KeyPress(int& keyAscii);
    // The user typed or chose another code (not raised by setCodigo/setText).
    void CodigoCambiado(qint64 code);
    // Raised when the user has typed or chosen another code, after its look-up
    // and before CodigoCambiado. A handler sets cancel to refuse the code: the
    // picker then empties itself and keeps the focus.
    void Validar(qint64 code, bool& cancel);
    // A look-up or a search the user started failed; the screen reports it
    // (a Form reports it by itself under "<picker name>:Cargar").
    void ErrorOccurred(int number, const QString& description, const QString& source);

protected:
    ctlCodePicker(QString table, QString codeColumn, QString nameColumn, QString companyColumn,
                  CompanyKind kind, QWidget* parent);
    // Extra condition ANDed to every look-up (ctlAlmacen's user restriction).
    virtual QString extraCondition() const { return {}; }
    int companyCode() const;
    bool eventFilter(QObject* o, QEvent* e) override;
    void setSearchTitle(const QString& title) { m_searchTitle = title; }
    // The statement's WHERE conditions shared by look-up and search (company, extra).
    QStringList scopeConditions() const;
    bool canQuery() const;

private:
    // false when the typed code was refused.
    bool commitTyped();
    void takeChosen(qint64 code);
    bool accepted(qint64 code, qint64 old);

    QString m_table, m_codeColumn, m_nameColumn, m_companyColumn;
    CompanyKind m_kind;
    db::Connection* m_conn = nullptr;
    host::Empresa* m_empresa = nullptr;
    qint64 m_codigo = 0;
    qint64 m_maxCode = 2147483647;
    bool m_valid = false;
    int m_accessLevel = 0;
    bool m_dirty = false; // the user edited the field since the last look-up
    QString m_searchTitle;
    ctlTextBox* m_code = nullptr;
    QToolButton* m_button = nullptr;
    QLabel* m_name = nullptr;
};

// Articles (Articulos, company = EmpresaArticulos).
class ZQVR_CONTROLS_EXPORT ctlArticulo : public ctlCodePicker { Q_OBJECT public: explicit ctlArticulo(QWidget* parent = nullptr); };
// Customers (Clientes, company = EmpresaClientes).
class ZQVR_CONTROLS_EXPORT ctlCliente : public ctlCodePicker { Q_OBJECT public: explicit ctlCliente(QWidget* parent = nullptr); };
// Users (SGD_Usuarios).
class ZQVR_CONTROLS_EXPORT ctlUsuario : public ctlCodePicker { Q_OBJECT public: explicit ctlUsuario(QWidget* parent = nullptr); };
// Agents (Agentes, company = CodigoEmpresa).
class ZQVR_CONTROLS_EXPORT ctlAgente : public ctlCodePicker { Q_OBJECT public: explicit ctlAgente(QWidget* parent = nullptr); };
// Discount groups (company = CodigoEmpresa).
class ZQVR_CONTROLS_EXPORT ctlDtoGrp : public ctlCodePicker { Q_OBJECT public: explicit ctlDtoGrp(QWidget* parent = nullptr); };
// Tariffs (company = CodigoEmpresa); 32-bit codes.
class ZQVR_CONTROLS_EXPORT ctlTarifa : public ctlCodePicker { Q_OBJECT public: explicit ctlTarifa(QWidget* parent = nullptr); };

// Warehouses (Almacenes, company = CodigoEmpresa), optionally restricted to the user's warehouses.
class ZQVR_CONTROLS_EXPORT ctlAlmacen : public ctlCodePicker {
    Q_OBJECT
public:
    explicit ctlAlmacen(QWidget* parent = nullptr);
    void setUsuario(int user) { m_usuario = user; }
    int Usuario() const { return m_usuario; }
    // The boolean option some screens set: only the warehouses the user may work in.
    void setSoloAlmacenesUsuario(bool on) { m_soloUsuario = on; }
    bool SoloAlmacenesUsuario() const { return m_soloUsuario; }
    // The user's own warehouse: the lowest of the company's warehouses assigned
    // to the user, 0 when none. Throws Error when the statement fails.
    qint64 AlmacenUsuario() const;

protected:
    QString extraCondition() const override;

private:
    int m_usuario = 0;
    bool m_soloUsuario = false;
};

} // namespace zqvr::controls
