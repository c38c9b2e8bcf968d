#pragma once
// The one error type of the component: number, description and source, the
// way the suite's procedures raise and re-raise failures. It lives at the
// bottom of the dependency chain so that the database layer can throw it.
#include "db_export.h"
#include <QString>
#include <exception>
#include <string>

namespace zqvr {

class ZQVR_DB_EXPORT Error : public std::exception {
public:
    Error() = default;
    Error(long number, QString description, QString source = {}, int statementNumber = 0)
        : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
          m_statementNumber(statementNumber), m_what(m_description.toStdString()) {}

    long number() const { return m_number; }
    const QString& description() const { return m_description; }
    const QString& source() const { return m_source; }
    // Number of the failing statement within a procedure, 0 when none; the
    // error report puts it in front of the caption as "[n] ".
    int statementNumber() const { return m_statementNumber; }

    // Re-raise with a new source, keeping number and description.
    Error withSource(const QString& source) const {
        Error e(*this);
        e.m_source = source;
        return e;
    }
    Error withStatementNumber(int n) const {
        Error e(*this);
        e.m_statementNumber = n;
        return e;
    }

    const char* what() const noexcept override { return m_what.c_str(); }

private:
    long m_number = 0;
    QString m_description;
    QString m_source;
    int m_statementNumber = 0;
    std::string m_what;
};

// Error numbers used by the component for failures that are not the engine's.
namespace errc {
constexpr long Database = -2147217900;       // statement rejected by the engine
constexpr long ConnectionFailed = -2147467259; // connection could not be opened
constexpr long SchemaTooNew = 50001;
constexpr long NotADatabase = 50002;
constexpr long SchemaIncomplete = 50003; // a table or column the component needs is missing
constexpr long NoCurrentRow = 3021;          // "either BOF or EOF is true"
constexpr long FieldNotFound = 3265;
constexpr long InvalidArgument = 5;
// The row a change or a deletion was meant for is gone: another user deleted
// it since the screen read it (ADO's "the current record has been deleted").
constexpr long RowDeleted = 3021;
} // namespace errc

// Which pronoun the "deleted by another user" text takes for its subject.
enum class Gender { Masculine, Feminine };

// The error every store raises when a single-row change or deletion found no
// row: "<subject> ya no existe: otro usuario lo ha eliminado." The subject
// names the row as the user knows it ("El salón 3"). The caller's
// transaction rolls back with it, so nothing of the operation stays.
inline Error rowDeletedError(const QString& subject, Gender gender = Gender::Masculine)
{
    return Error(errc::RowDeleted, subject + QStringLiteral(" ya no existe: otro usuario ") +
                                       (gender == Gender::Feminine ? QStringLiteral("la") : QStringLiteral("lo")) +
                                       QStringLiteral(" ha eliminado."));
}

// Passes on the rows a single-row UPDATE or DELETE affected, raising
// rowDeletedError when there were none.
inline int expectRow(int affected, const QString& subject, Gender gender = Gender::Masculine)
{
    if (affected == 0)
        throw rowDeletedError(subject, gender);
    return affected;
}

// Runs f and re-raises any Error with the given source ("clsTPV::Modificar").
template <class F>
auto reraiseAs(const QString& source, F&& f) -> decltype(f()) {
    try {
        return f();
    } catch (const Error& e) {
        throw e.withSource(source);
    } catch (const std::exception& e) {
        throw Error(errc::Database, QString::fromUtf8(e.what()), source);
    }
}

} // namespace zqvr
