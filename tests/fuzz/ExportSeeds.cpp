// Writes the demo data's floor plans, element drawings and parameter scopes
// as seed files for the fuzz targets:
//   zqvr_fuzz_export_seeds <seeds folder>
// writes <folder>/plan/*.xml (plans as stored, drawings as markup) and
// <folder>/parameters/*.tsv (the rows of each scope, one per line, as
// FuzzParameters.cpp reads them).
#include "db/Connection.h"
#include "demo/DemoData.h"
#include "db/RecordSet.h"
#include "db/Schema.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

using namespace zqvr;

namespace {

bool write(const QString& path, const QString& text)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    f.write(text.toUtf8());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <seeds folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("plan")) || !out.mkpath(QStringLiteral("parameters"))) {
        std::fprintf(stderr, "cannot create the folders under %s\n", argv[1]);
        return 1;
    }
    auto conn = db::Connection::open(QStringLiteral("sqlite::memory:"));
    db::Schema::ensure(*conn);
    demo::DemoOptions options;
    options.today = QDate(2026, 1, 15);
    options.tickets = 1;
    demo::DemoData::generate(*conn, options);

    int files = 0;
    auto put = [&](const QString& path, const QString& text) {
        if (!write(out.filePath(path), text)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(path)));
            std::exit(1);
        }
        ++files;
    };
    {
        db::RecordSet rs = conn->query(QStringLiteral(
            "SELECT Cod_Empresa, Cod_CfgSalon, Doc_Xml FROM TPV_Sln_Salones ORDER BY Cod_Empresa, Cod_CfgSalon"));
        for (; !rs.eof(); rs.moveNext())
            put(QStringLiteral("plan/salon_%1_%2.xml").arg(rs["Cod_Empresa"].toInt()).arg(rs["Cod_CfgSalon"].toInt()),
                rs["Doc_Xml"].toString());
    }
    {
        db::RecordSet rs = conn->query(QStringLiteral("SELECT Tipo, Xaml FROM TPV_Sln_Elementos WHERE Xaml <> '' ORDER BY Tipo"));
        for (; !rs.eof(); rs.moveNext())
            put(QStringLiteral("plan/element_%1.xaml").arg(rs["Tipo"].toInt()), rs["Xaml"].toString());
    }
    auto scopes = [&](const QString& table, const QString& scopeColumns, const QString& prefix) {
        db::RecordSet keys = conn->query(QStringLiteral("SELECT DISTINCT %1 FROM %2 ORDER BY %1").arg(scopeColumns, table));
        const QStringList cols = scopeColumns.split(QStringLiteral(", "));
        for (; !keys.eof(); keys.moveNext()) {
            QStringList where, name;
            for (const QString& c : cols) {
                where << QStringLiteral("%1 = %2").arg(c).arg(keys[c].toInt());
                name << QString::number(keys[c].toInt());
            }
            db::RecordSet rs = conn->query(QStringLiteral("SELECT Codigo, Valor, Visible, Posicion, Color, Valor2 FROM %1 WHERE %2 ORDER BY Codigo")
                                               .arg(table, where.join(QStringLiteral(" AND "))));
            QString text;
            for (; !rs.eof(); rs.moveNext())
                text += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                            .arg(rs["Codigo"].toInt())
                            .arg(rs["Valor"].toString())
                            .arg(rs["Visible"].toInt())
                            .arg(rs["Posicion"].toInt())
                            .arg(rs["Color"].toInt())
                            .arg(rs["Valor2"].toString());
            put(QStringLiteral("parameters/%1_%2.tsv").arg(prefix, name.join(QLatin1Char('_'))), text);
        }
    };
    scopes(QStringLiteral("Tpv_Parametros"), QStringLiteral("Cod_Empresa, Cod_Almacen"), QStringLiteral("general"));
    scopes(QStringLiteral("Tpv_Parametros_Ex"), QStringLiteral("Cod_Empresa, Cod_Almacen, Cod_Tpv"), QStringLiteral("terminal"));
    std::printf("%d seed files written under %s\n", files, argv[1]);
    return 0;
}
