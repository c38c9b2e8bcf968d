// Writes the component's schema for one engine, from its description:
//
//   zqvr_schema_sql --engine sqlserver|postgresql|sqlite [FILE]
//
// Without FILE the text goes to the standard output. The SQL Server script
// is the one shipped as sql/sqlserver/schema.sql; the other two are the
// statements a PostgreSQL database or an embedded file is made with.
#include "db/SchemaDescription.h"

#include <QSaveFile>
#include <QString>
#include <cstdio>

using zqvr::db::Dialect;
namespace schema = zqvr::db::schema;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: zqvr_schema_sql --engine sqlserver|postgresql|sqlite [FILE]\n");
    return 2;
}

QString script(Dialect::Kind engine)
{
    if (engine == Dialect::Kind::SqlServer)
        return schema::sqlServerScript();
    return schema::createStatements(engine).join(QStringLiteral(";\n\n")) + QStringLiteral(";\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3 || argc > 4 || QString::fromLocal8Bit(argv[1]) != QLatin1String("--engine"))
        return usage();
    const QString name = QString::fromLocal8Bit(argv[2]);
    Dialect::Kind engine;
    if (name == QLatin1String("sqlserver"))
        engine = Dialect::Kind::SqlServer;
    else if (name == QLatin1String("postgresql"))
        engine = Dialect::Kind::PostgreSQL;
    else if (name == QLatin1String("sqlite"))
        engine = Dialect::Kind::SQLite;
    else
        return usage();

    const QByteArray text = script(engine).toUtf8();
    if (argc == 3) {
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return 0;
    }
    const QString path = QString::fromLocal8Bit(argv[3]);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        std::fprintf(stderr, "zqvr_schema_sql: cannot write %s: %s\n", argv[3], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
