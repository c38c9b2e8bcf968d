#include "demo/DemoData.h"

#include "db/Connection.h"
#include "db/Error.h"
#include "db/Schema.h"
#include "demo/DemoPictures.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>
#include <random>
#include <unordered_map>
#include <vector>

namespace zqvr::demo {

using db::Connection;
using db::Schema;
using db::TransactionGuard;

namespace {

// ---------------------------------------------------------------------------
// Small helpers
// ---------------------------------------------------------------------------

// A seeded generator whose results depend only on the seed (the standard
// distributions may differ between libraries; these mappings do not).
class Rng {
public:
    explicit Rng(unsigned seed) : m_g(seed) {}
    // Uniform integer in [lo, hi].
    int between(int lo, int hi)
    {
        if (hi <= lo)
            return lo;
        return lo + static_cast<int>(m_g() % static_cast<quint32>(hi - lo + 1));
    }
    // Uniform real in [0, 1).
    double real() { return m_g() / 4294967296.0; }
    double real(double lo, double hi) { return lo + (hi - lo) * real(); }
    bool chance(double p) { return real() < p; }
    template <class T>
    const T& pick(const std::vector<T>& v) { return v[static_cast<size_t>(between(0, int(v.size()) - 1))]; }

private:
    std::mt19937 m_g;
};

double round2(double v) { return std::round(v * 100.0) / 100.0; }
double round3(double v) { return std::round(v * 1000.0) / 1000.0; }

// Dates travel to the statements as dates: each engine stores them its own way.
QDate dateValue(const QDate& d) { return d; }

QDateTime dateTimeValue(const QDate& d, int h, int m, int s) { return QDateTime(d, QTime(h, m, s)); }

int rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

QVariant toVariant(const QVariant& v) { return v; }
QVariant toVariant(const QString& v) { return v; }
QVariant toVariant(const QByteArray& v) { return v; }
QVariant toVariant(int v) { return v; }
QVariant toVariant(qint64 v) { return v; }
QVariant toVariant(double v) { return v; }

// One prepared INSERT: prepared once, then bound and run per row.
class Inserter {
public:
    Inserter(const QSqlDatabase& db, QString table, const QStringList& columns, long long& rows)
        : m_q(db), m_table(std::move(table)), m_columns(int(columns.size())), m_rows(rows)
    {
        m_q.setForwardOnly(true);
        QStringList marks;
        for (int i = 0; i < m_columns; ++i)
            marks << QStringLiteral("?");
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(m_table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        if (!m_q.prepare(sql))
            fail();
    }

    template <class... A>
    void operator()(const A&... values)
    {
        Q_ASSERT(int(sizeof...(A)) == m_columns);
        int i = 0;
        (m_q.bindValue(i++, toVariant(values)), ...);
        if (!m_q.exec())
            fail();
        ++m_rows;
    }

private:
    [[noreturn]] void fail() const
    {
        QString msg = m_q.lastError().databaseText().trimmed();
        if (msg.isEmpty())
            msg = m_q.lastError().text().trimmed();
        throw Error(errc::Database,
                    QStringLiteral("No se pudieron generar los datos de demostración (%1): %2").arg(m_table, msg),
                    QStringLiteral("DemoData::generate"));
    }

    QSqlQuery m_q;
    QString m_table;
    int m_columns;
    long long& m_rows;
};

// Cumulative weights for picking by popularity.
class WeightedPick {
public:
    void add(double w) { m_cum.push_back((m_cum.empty() ? 0.0 : m_cum.back()) + w); }
    int pick(Rng& rng) const
    {
        const double x = rng.real() * m_cum.back();
        return int(std::upper_bound(m_cum.begin(), m_cum.end(), x) - m_cum.begin());
    }
    bool empty() const { return m_cum.empty(); }

private:
    std::vector<double> m_cum;
};

// ---------------------------------------------------------------------------
// Catalogues
// ---------------------------------------------------------------------------

struct CatalogueItem {
    const char* name;
    double price;
    int tax;       // tax type (Tipo of Igic_Tipos / Impuestos2_Tipos)
    int category;  // index into kCategories
    bool weighed;
    double popularity;
};

struct Category {
    const char* name;
    PictureShape shape;
    int r, g, b;
};

const std::array<Category, 12> kCategories = {{
    {"Lácteos", PictureShape::Bottle, 236, 240, 250},
    {"Panadería", PictureShape::Round, 222, 184, 135},
    {"Fruta", PictureShape::Round, 120, 190, 80},
    {"Verdura", PictureShape::Plant, 70, 150, 70},
    {"Carne", PictureShape::Square, 200, 70, 70},
    {"Pescado", PictureShape::Bar, 90, 150, 200},
    {"Bebidas", PictureShape::Bottle, 60, 120, 200},
    {"Droguería", PictureShape::Square, 170, 120, 200},
    {"Cafetería", PictureShape::Round, 120, 80, 50},
    {"Bollería", PictureShape::Round, 230, 170, 90},
    {"Textil", PictureShape::Square, 90, 90, 120},
    {"Varios", PictureShape::Square, 160, 160, 160},
}};

// The supermarket chain.
const std::vector<CatalogueItem> kSupermarket = {
    {"Leche entera 1 L", 0.95, 0, 0, false, 9},
    {"Leche semidesnatada 1 L", 0.92, 0, 0, false, 8},
    {"Leche desnatada 1 L", 0.90, 0, 0, false, 5},
    {"Yogur natural pack 4", 1.35, 1, 0, false, 5},
    {"Yogur griego pack 4", 2.10, 1, 0, false, 3},
    {"Queso tierno Flor de Guía", 7.95, 1, 0, true, 3},
    {"Queso de cabra semicurado", 9.40, 1, 0, true, 2},
    {"Mantequilla 250 g", 2.25, 1, 0, false, 2},
    {"Huevos camperos docena", 2.89, 0, 0, false, 6},
    {"Pan de millo", 1.20, 0, 1, false, 7},
    {"Barra de pan", 0.55, 0, 1, false, 12},
    {"Pan de molde integral", 1.65, 0, 1, false, 4},
    {"Bizcocho de naranja", 3.20, 1, 1, false, 1.5},
    {"Plátano de Canarias", 1.79, 0, 2, true, 9},
    {"Manzana golden", 2.15, 0, 2, true, 5},
    {"Naranja de zumo", 1.49, 0, 2, true, 5},
    {"Papaya", 2.60, 0, 2, true, 2},
    {"Aguacate", 4.50, 0, 2, true, 2.5},
    {"Papas bonitas", 2.40, 0, 3, true, 5},
    {"Tomate de Gran Canaria", 2.30, 0, 3, true, 6},
    {"Cebolla", 1.15, 0, 3, true, 4},
    {"Lechuga iceberg", 0.99, 0, 3, false, 4},
    {"Calabacín", 1.85, 0, 3, true, 2},
    {"Pechuga de pollo", 6.95, 1, 4, true, 5},
    {"Carne picada mixta", 7.50, 1, 4, true, 4},
    {"Chuletas de cerdo", 5.95, 1, 4, true, 3},
    {"Costillas de cerdo", 6.45, 1, 4, true, 2},
    {"Chorizo de Teror", 3.80, 1, 4, false, 2},
    {"Jamón serrano loncheado", 3.49, 1, 4, false, 4},
    {"Cherne fresco", 14.90, 1, 5, true, 1.5},
    {"Vieja", 12.50, 1, 5, true, 1},
    {"Atún en aceite pack 3", 3.95, 1, 5, false, 4},
    {"Sardinas en lata", 1.60, 1, 5, false, 2},
    {"Agua mineral 1,5 L", 0.45, 1, 6, false, 10},
    {"Agua con gas 1 L", 0.75, 1, 6, false, 3},
    {"Refresco de cola 2 L", 1.89, 2, 6, false, 6},
    {"Zumo de naranja 1 L", 1.75, 2, 6, false, 4},
    {"Cerveza Tropical pack 6", 4.95, 3, 6, false, 6},
    {"Vino tinto Tacoronte", 7.90, 3, 6, false, 2},
    {"Ron miel 70 cl", 9.95, 3, 6, false, 1.5},
    {"Café molido 250 g", 2.95, 1, 6, false, 4},
    {"Gofio de millo 1 kg", 1.95, 0, 11, false, 4},
    {"Mojo picón 200 ml", 2.30, 1, 11, false, 3},
    {"Arroz redondo 1 kg", 1.29, 0, 11, false, 4},
    {"Lentejas 1 kg", 1.85, 0, 11, false, 2},
    {"Garbanzos 1 kg", 1.95, 0, 11, false, 2},
    {"Aceite de oliva virgen extra 1 L", 8.95, 1, 11, false, 4},
    {"Azúcar 1 kg", 1.15, 1, 11, false, 3},
    {"Sal marina 1 kg", 0.49, 1, 11, false, 1},
    {"Pasta espagueti 500 g", 0.89, 1, 11, false, 4},
    {"Tomate frito 400 g", 0.95, 1, 11, false, 3},
    {"Galletas María", 1.35, 1, 9, false, 3},
    {"Magdalenas pack 12", 2.15, 1, 9, false, 3},
    {"Detergente líquido 40 lavados", 9.95, 2, 7, false, 2},
    {"Suavizante 2 L", 3.45, 2, 7, false, 2},
    {"Lavavajillas 750 ml", 1.79, 2, 7, false, 3},
    {"Papel higiénico 12 rollos", 4.95, 2, 7, false, 4},
    {"Gel de ducha 750 ml", 2.75, 2, 7, false, 2},
    {"Champú 400 ml", 3.15, 2, 7, false, 2},
    {"Pasta de dientes", 1.95, 2, 7, false, 2},
    {"Bolsa de plástico", 0.15, 2, 11, false, 6},
    {"Camiseta algodón", 9.95, 2, 10, false, 0.8},
    {"Pantalón corto", 14.95, 2, 10, false, 0.5},
    {"Toalla de playa", 12.95, 2, 10, false, 0.5},
    {"Café solo", 1.10, 2, 8, false, 5},
    {"Café con leche", 1.30, 2, 8, false, 6},
    {"Barraquito", 1.80, 2, 8, false, 3},
    {"Bocadillo de jamón", 3.20, 2, 8, false, 2},
    {"Croissant", 1.20, 1, 9, false, 3},
};

// The cafés.
const std::vector<CatalogueItem> kCafes = {
    {"Café solo", 1.30, 3, 8, false, 9},
    {"Café cortado", 1.40, 3, 8, false, 8},
    {"Café con leche", 1.60, 3, 8, false, 10},
    {"Capuchino", 2.20, 3, 8, false, 4},
    {"Té verde", 1.80, 3, 8, false, 2},
    {"Chocolate caliente", 2.40, 3, 8, false, 2},
    {"Zumo de naranja natural", 3.20, 3, 6, false, 5},
    {"Agua mineral 50 cl", 1.50, 3, 6, false, 5},
    {"Refresco", 2.30, 3, 6, false, 5},
    {"Caña de cerveza", 2.50, 3, 6, false, 6},
    {"Copa de vino de la casa", 3.00, 3, 6, false, 3},
    {"Vermú", 3.50, 3, 6, false, 2},
    {"Tostada con tomate", 2.80, 3, 1, false, 6},
    {"Tostada con mantequilla y mermelada", 2.60, 3, 1, false, 4},
    {"Croissant a la plancha", 2.40, 3, 9, false, 4},
    {"Napolitana de chocolate", 1.90, 3, 9, false, 4},
    {"Churros (ración)", 3.00, 3, 9, false, 3},
    {"Porras (ración)", 3.20, 3, 9, false, 2},
    {"Bocadillo de calamares", 5.50, 3, 8, false, 5},
    {"Bocadillo de tortilla", 4.20, 3, 8, false, 4},
    {"Pincho de tortilla", 2.90, 3, 8, false, 6},
    {"Ración de croquetas", 7.50, 3, 8, false, 3},
    {"Ración de patatas bravas", 5.90, 3, 8, false, 4},
    {"Ensalada mixta", 8.50, 3, 3, false, 2},
    {"Sándwich mixto", 4.50, 3, 8, false, 4},
    {"Tarta de queso", 4.80, 3, 9, false, 2},
    {"Flan casero", 3.50, 3, 9, false, 2},
    {"Helado (dos bolas)", 3.90, 3, 9, false, 2},
    {"Menú del día", 13.50, 3, 8, false, 5},
    {"Plato combinado", 11.90, 3, 8, false, 3},
};

// Qualities: (kind, value, name).
struct QualityValue { int kind; int code; const char* name; };
const std::vector<QualityValue> kQualities = {
    {1, 1, "S"}, {1, 2, "M"}, {1, 3, "L"}, {1, 4, "XL"},
    {2, 1, "Blanco"}, {2, 2, "Negro"}, {2, 3, "Azul marino"}, {2, 4, "Rojo"}, {2, 5, "Verde"},
};

const std::vector<const char*> kFirstNames = {
    "María", "Carmen", "Josefa", "Ana", "Laura", "Lucía", "Nayra", "Cristina", "Pilar", "Marta",
    "Yaiza", "Elena", "Raquel", "Sara", "Beatriz", "José", "Antonio", "Manuel", "Francisco",
    "David", "Juan", "Javier", "Carlos", "Acorán", "Yeray", "Sergio", "Pablo", "Jorge", "Alberto",
    "Miguel Ángel", "Íñigo", "Begoña", "Nuria", "Ramón", "Tomás"};
const std::vector<const char*> kSurnames = {
    "Santana", "Rodríguez", "Hernández", "González", "Pérez", "Suárez", "Déniz", "Cabrera",
    "Medina", "Ramírez", "Quintana", "Ojeda", "Betancor", "Martín", "García", "López", "Sánchez",
    "Gómez", "Díaz", "Álvarez", "Muñoz", "Romero", "Navarro", "Domínguez", "Ortega", "Castellano",
    "Peña", "Nuñez", "Iglesias", "Ibáñez"};
const std::vector<const char*> kStreets = {
    "C/ Mayor de Triana", "Avda. Mesa y López", "C/ León y Castillo", "C/ Perojo", "Avda. Marítima",
    "C/ Alcalá", "C/ Fuencarral", "Paseo de la Castellana", "C/ Bravo Murillo", "C/ Velázquez",
    "C/ Obispo Rabadán", "C/ Profesor Lozano", "C/ Pío XII", "Avda. de Canarias", "C/ Real"};
const std::vector<const char*> kBusinessKinds = {
    "Construcciones", "Reformas", "Transportes", "Distribuciones", "Talleres", "Hostelería",
    "Asesoría", "Electricidad", "Climatización", "Jardinería"};

struct Place { const char* name; const char* town; const char* province; int cp; const char* phone; };
const std::vector<Place> kCanaryPlaces = {
    {"Triana", "Las Palmas de Gran Canaria", "Las Palmas", 35002, "928 36 12 40"},
    {"Mesa y López", "Las Palmas de Gran Canaria", "Las Palmas", 35007, "928 27 44 10"},
    {"Vecindario", "Santa Lucía de Tirajana", "Las Palmas", 35110, "928 75 20 31"},
    {"Telde", "Telde", "Las Palmas", 35200, "928 69 13 02"},
    {"Arucas", "Arucas", "Las Palmas", 35400, "928 60 08 77"},
    {"Gáldar", "Gáldar", "Las Palmas", 35460, "928 88 15 26"},
    {"Maspalomas", "San Bartolomé de Tirajana", "Las Palmas", 35100, "928 76 40 90"},
    {"Puerto Rico", "Mogán", "Las Palmas", 35130, "928 56 21 14"},
    {"Agüimes", "Agüimes", "Las Palmas", 35260, "928 78 33 05"},
    {"Ingenio", "Ingenio", "Las Palmas", 35250, "928 78 02 19"},
    {"Santa Brígida", "Santa Brígida", "Las Palmas", 35300, "928 64 11 83"},
    {"Teror", "Teror", "Las Palmas", 35330, "928 61 30 57"},
    {"Firgas", "Firgas", "Las Palmas", 35430, "928 62 51 12"},
    {"Moya", "Moya", "Las Palmas", 35420, "928 61 20 48"},
};
const std::vector<Place> kMadridPlaces = {
    {"Gran Vía", "Madrid", "Madrid", 28013, "915 21 40 12"},
    {"Chamberí", "Madrid", "Madrid", 28010, "914 47 18 30"},
    {"Salamanca", "Madrid", "Madrid", 28001, "915 77 62 09"},
    {"Lavapiés", "Madrid", "Madrid", 28012, "915 28 93 41"},
    {"Chueca", "Madrid", "Madrid", 28004, "915 31 70 66"},
    {"Retiro", "Madrid", "Madrid", 28009, "914 09 55 18"},
    {"Malasaña", "Madrid", "Madrid", 28015, "915 94 23 70"},
    {"Arganzuela", "Madrid", "Madrid", 28045, "914 73 61 02"},
};

// ---------------------------------------------------------------------------
// The data set as the generator builds it
// ---------------------------------------------------------------------------

struct Kit {
    std::vector<std::pair<int, double>> components; // article, units per kit
};

struct Article {
    int code = 0;
    QString name;
    double price = 0;
    double cost = 0;
    int tax = 0;
    int category = 0;
    bool weighed = false;
    bool textile = false;
    double popularity = 1;
    Kit kit;
};

struct Customer {
    int code = 0;
    QString name, tradeName, nif, street, town, province, phone;
    int cp = 0;
    bool intraCom = false;
};

struct Warehouse {
    int company = 0;
    int code = 0;
    QString name;
    double size = 1;
    std::vector<int> terminals;   // indexes into Builder::m_terminals
    std::vector<int> cashiers;    // user codes
    int invoiceSeries = 0;
};

struct Terminal {
    int code = 0;
    int company = 0;
    int warehouse = 0; // warehouse code
    int warehouseIndex = 0;
    bool online = true;
};

struct Company {
    int code = 0;
    QString name, tradeName, nif, street, town, province, phone;
    int cp = 0;
    bool cafes = false;
    int taxRegime = 0;
    std::vector<int> warehouses; // indexes into Builder::m_warehouses
    std::vector<Article> articles;
    WeightedPick articlePick;
    std::vector<int> kitArticles, giftCards;
    int bagArticle = 0, parkingArticle = 0;
    std::vector<Customer> customers;
    std::vector<int> agents;
    std::vector<int> tariffs;
    int supervisor = 0;
};

struct Aggregate {
    double units = 0, amount = 0, cost = 0;
};

struct InvoiceDraft {
    int company, warehouse, till, dayIndex, ticket, customer, series;
    QDate invoiceDate;
    QDateTime time;
};

// ---------------------------------------------------------------------------
// The generator
// ---------------------------------------------------------------------------

class Builder {
public:
    Builder(Connection& conn, const DemoOptions& options)
        : m_conn(conn), m_db(conn.database()), m_opt(options), m_rng(options.seed)
    {
        m_today = options.today.isValid() ? options.today : QDate::currentDate();
        const double s = std::max(0.0, options.scale);
        m_growth = 1.0 + std::log2(std::max(1.0, s));
        m_ticketTarget = options.tickets > 0 ? options.tickets
                                             : static_cast<long long>(std::llround(s * DemoData::ticketsPerScale));
    }

    DemoSummary run()
    {
        buildDays();
        companies();
        taxesAndCards();
        users();
        articles();
        customersAndAgents();
        terminals();
        security();
        parameters();
        tickets();
        reservations();
        touchScreens();
        quickCodes();
        salons();
        messages();
        messageWithChangedPicture();
        parking();
        articleQueue();
        return {m_rows, m_tickets};
    }

private:
    Inserter insert(const QString& table, const QStringList& columns)
    {
        return Inserter(m_db, table, columns, m_rows);
    }
    static QStringList cols(const char* list)
    {
        QStringList out;
        for (const QString& c : QString::fromLatin1(list).split(QLatin1Char(',')))
            out << c.trimmed();
        return out;
    }

    QString personName()
    {
        return QStringLiteral("%1 %2 %3")
            .arg(QString::fromUtf8(m_rng.pick(kFirstNames)), QString::fromUtf8(m_rng.pick(kSurnames)),
                 QString::fromUtf8(m_rng.pick(kSurnames)));
    }
    QString dni()
    {
        static const char letters[] = "TRWAGMYFPDXBNJZSQVHLCKE";
        const int n = m_rng.between(10000000, 79999999);
        return QString::number(n) + QLatin1Char(letters[n % 23]);
    }
    QString mobile() { return QStringLiteral("6%1 %2 %3 %4").arg(m_rng.between(10, 99)).arg(m_rng.between(10, 99)).arg(m_rng.between(10, 99)).arg(m_rng.between(100, 999)); }

    // ---- days ----
    // Four weeks up to today, and the same weeks a year earlier with a few
    // days more, so that the monitor always finds its comparison day.
    void buildDays()
    {
        const QDate lastYear = m_today.addYears(-1);
        for (QDate d = lastYear.addDays(-27); d <= lastYear.addDays(7); d = d.addDays(1))
            m_days.push_back(d);
        for (QDate d = m_today.addDays(-27); d <= m_today; d = d.addDays(1))
            m_days.push_back(d);
        for (const QDate& d : m_days)
            m_dayText.push_back(dateValue(d));
    }

    // ---- companies and warehouses ----
    void companies()
    {
        Company a;
        a.code = 1;
        a.name = QStringLiteral("Supermercados Atlántico, S.L.");
        a.tradeName = QStringLiteral("Supermercados Atlántico");
        a.nif = QStringLiteral("B35123456");
        a.street = QStringLiteral("C/ Mayor de Triana, 84");
        a.town = QStringLiteral("Las Palmas de Gran Canaria");
        a.province = QStringLiteral("Las Palmas");
        a.cp = 35002;
        a.phone = QStringLiteral("928 36 12 40");
        a.taxRegime = 0;
        Company b;
        b.code = 2;
        b.name = QStringLiteral("Cafeterías La Meseta, S.A.");
        b.tradeName = QStringLiteral("Cafeterías La Meseta");
        b.nif = QStringLiteral("A28765432");
        b.street = QStringLiteral("C/ Gran Vía, 31");
        b.town = QStringLiteral("Madrid");
        b.province = QStringLiteral("Madrid");
        b.cp = 28013;
        b.phone = QStringLiteral("915 21 40 12");
        b.cafes = true;
        b.taxRegime = 1;
        m_companies = {a, b};

        auto emp = insert(QStringLiteral("Empresas"),
                          cols("Codigo, Nombre_1, Nombre_2, Nif, Direccion, Cp, Localidad, Provincia, Telefono"));
        auto alm = insert(QStringLiteral("Almacenes"),
                          cols("Cod_Empresa, Codigo, Nombre, Direccion, Localidad, Telefono, Regimen_Impuesto"));
        const int counts[2] = {std::min(int(kCanaryPlaces.size()), 3 + int(m_growth) - 1),
                               std::min(int(kMadridPlaces.size()), 2 + int((m_growth - 1) / 2))};
        for (int c = 0; c < 2; ++c) {
            Company& co = m_companies[size_t(c)];
            emp(co.code, co.name, co.tradeName, co.nif, co.street, co.cp, co.town, co.province, co.phone);
            const auto& places = c == 0 ? kCanaryPlaces : kMadridPlaces;
            for (int w = 0; w < counts[c]; ++w) {
                Warehouse wh;
                wh.company = co.code;
                wh.code = w + 1;
                wh.name = QString::fromUtf8(places[size_t(w)].name);
                wh.size = w == 0 ? 1.6 : m_rng.real(0.6, 1.2);
                wh.invoiceSeries = co.code * 10 + wh.code;
                co.warehouses.push_back(int(m_warehouses.size()));
                m_warehouses.push_back(wh);
                alm(co.code, wh.code, wh.name,
                    QStringLiteral("%1, %2").arg(QString::fromUtf8(m_rng.pick(kStreets))).arg(m_rng.between(1, 120)),
                    QString::fromUtf8(places[size_t(w)].town), QString::fromUtf8(places[size_t(w)].phone),
                    co.taxRegime);
            }
        }
    }

    // ---- taxes, cards, label models, price lists, discount groups ----
    void taxesAndCards()
    {
        auto igic = insert(QStringLiteral("Igic_Tipos"), cols("Cod_Empresa, Tipo, FechaI, FechaF, Imp_Valor, Descripcion"));
        auto iva = insert(QStringLiteral("Impuestos2_Tipos"), cols("Cod_Empresa, Tipo, FechaI, FechaF, Imp_Valor, Descripcion"));
        const QString open = QStringLiteral("9999-12-31");
        const QString from = QStringLiteral("2000-01-01");
        for (const Company& co : m_companies) {
            igic(co.code, 0, from, open, 0.0, QStringLiteral("IGIC Exento"));
            igic(co.code, 1, from, QStringLiteral("2012-06-30"), 2.0, QStringLiteral("IGIC Reducido"));
            igic(co.code, 1, QStringLiteral("2012-07-01"), open, 3.0, QStringLiteral("IGIC Reducido"));
            igic(co.code, 2, from, QStringLiteral("2012-06-30"), 5.0, QStringLiteral("IGIC General"));
            igic(co.code, 2, QStringLiteral("2012-07-01"), open, 7.0, QStringLiteral("IGIC General"));
            igic(co.code, 3, from, open, 9.5, QStringLiteral("IGIC Incrementado"));
            igic(co.code, 4, from, open, 15.0, QStringLiteral("IGIC Especial"));
            iva(co.code, 0, from, open, 4.0, QStringLiteral("IVA Superreducido"));
            iva(co.code, 1, from, open, 10.0, QStringLiteral("IVA Reducido"));
            iva(co.code, 2, from, QStringLiteral("2012-08-31"), 18.0, QStringLiteral("IVA General"));
            iva(co.code, 2, QStringLiteral("2012-09-01"), open, 21.0, QStringLiteral("IVA General"));
            iva(co.code, 3, from, open, 10.0, QStringLiteral("IVA Hostelería"));
            iva(co.code, 4, from, open, 21.0, QStringLiteral("IVA Bebidas alcohólicas"));
        }
        auto cards = insert(QStringLiteral("Tarjetas"), cols("Codigo, Nombre"));
        const char* names[] = {"VISA", "MASTERCARD", "AMERICAN EXPRESS", "MAESTRO", "TARJETA CLUB ATLÁNTICO", "BIZUM"};
        for (int i = 0; i < 6; ++i)
            cards(i + 1, QString::fromUtf8(names[i]));
        auto labels = insert(QStringLiteral("Modelos_Etiq_Art"), cols("Codigo, Nombre"));
        labels(1, QStringLiteral("Etiqueta estándar 38 x 21"));
        labels(2, QStringLiteral("Etiqueta precio por kilo"));
        labels(3, QStringLiteral("Etiqueta de estantería 70 x 35"));
        labels(5, QStringLiteral("Etiqueta textil con talla"));

        auto tariffs = insert(QStringLiteral("Tarifas"), cols("Cod_Empresa, Codigo, Descripcion"));
        auto groups = insert(QStringLiteral("Grupos_Descuento"), cols("Cod_Empresa, Codigo, Descripcion, Dto"));
        for (Company& co : m_companies) {
            const char* t[] = {"PVP General", "Promociones", "Mayoristas", "Empleados", "Hostelería"};
            for (int i = 0; i < 5; ++i) {
                tariffs(co.code, i + 1, QString::fromUtf8(t[i]));
                co.tariffs.push_back(i + 1);
            }
            groups(co.code, 1, QStringLiteral("Empleados"), 10.0);
            groups(co.code, 2, QStringLiteral("Familia numerosa"), 5.0);
            groups(co.code, 3, QStringLiteral("Jubilados"), 5.0);
            groups(co.code, 4, QStringLiteral("Clientes VIP"), 7.5);
        }
    }

    // ---- users, groups and the warehouses they work in ----
    void users()
    {
        auto usr = insert(QStringLiteral("SGD_Usuarios"), cols("Codigo, Nombre"));
        auto grp = insert(QStringLiteral("SGD_Grupos"), cols("Codigo, Nombre"));
        auto member = insert(QStringLiteral("SGD_Usuarios_Grupos"), cols("CodUsuario, CodGrupo"));
        auto rights = insert(QStringLiteral("SGD_Usuarios_Derechos"), cols("Cod_Usuario, Derecho"));
        auto where = insert(QStringLiteral("SGD_Usuarios_Almacenes"), cols("CodUsuario, Cod_Empresa, Cod_Almacen"));
        grp(1, QStringLiteral("Administradores"));
        grp(2, QStringLiteral("Encargados"));
        grp(3, QStringLiteral("Cajeros"));
        grp(4, QStringLiteral("Reponedores"));

        int next = 1;
        usr(next, QStringLiteral("Administrador"));
        member(next, 1);
        for (int r = 1; r <= 12; ++r)
            rights(next, r);
        for (const Warehouse& w : m_warehouses)
            where(next, w.company, w.code);
        ++next;

        for (Company& co : m_companies) {
            co.supervisor = next;
            usr(next, personName());
            member(next, 2);
            rights(next, 5);
            rights(next, 7);
            for (int wi : co.warehouses)
                where(next, co.code, m_warehouses[size_t(wi)].code);
            ++next;
        }
        const int perWarehouse = 2 + int(m_growth / 4);
        for (Warehouse& w : m_warehouses) {
            for (int i = 0; i < perWarehouse; ++i) {
                usr(next, personName());
                member(next, 3);
                if (i == 0 && m_rng.chance(0.3))
                    member(next, 4);
                where(next, w.company, w.code);
                w.cashiers.push_back(next);
                ++next;
            }
        }
    }

    // ---- articles, qualities, kits, gift cards ----
    void articles()
    {
        auto art = insert(QStringLiteral("Articulos"),
                          cols("Cod_Empresa, Codigo, Descripcion, Desc_Ticket, PVP, Costo, TipoImpuesto, CualidadX, CualidadY, EsKit"));
        auto pic = insert(QStringLiteral("Articulos_Imagenes"), cols("Cod_Empresa, Cod_Articulo, Imagen"));
        auto qual = insert(QStringLiteral("Cualidades_Des"), cols("Cod_Empresa, Cod_Cualidad, Codigo, Nombre"));
        auto gift = insert(QStringLiteral("Articulos_TRegalo"), cols("Cod_Empresa, Cod_Articulo"));
        const char* variants[] = {"Eco", "Marca Atlántico", "Formato ahorro", "Gourmet", "Sin lactosa",
                                  "Pack familiar", "Sin gluten", "Bio", "Light", "Premium"};

        for (Company& co : m_companies) {
            for (const QualityValue& q : kQualities)
                qual(co.code, q.kind, q.code, QString::fromUtf8(q.name));

            const auto& base = co.cafes ? kCafes : kSupermarket;
            int code = co.cafes ? 101 : 1001;
            auto add = [&](const QString& name, double price, int tax, int category, bool weighed, double pop) {
                Article a;
                a.code = code++;
                a.name = name;
                a.price = round2(price);
                a.cost = round2(price * m_rng.real(0.45, 0.72));
                a.tax = tax;
                a.category = category;
                a.weighed = weighed;
                a.textile = category == 10;
                a.popularity = pop;
                co.articles.push_back(a);
                return a.code;
            };
            for (const CatalogueItem& it : base)
                add(QString::fromUtf8(it.name), it.price, it.tax, it.category, it.weighed, it.popularity);
            // The catalogue grows gently with the scale: variants of the base items.
            const int extra = int(40 * (m_growth - 1));
            for (int i = 0; i < extra; ++i) {
                const CatalogueItem& it = base[size_t(i) % base.size()];
                const char* v = variants[(i / int(base.size())) % 10];
                add(QStringLiteral("%1 %2").arg(QString::fromUtf8(it.name), QString::fromUtf8(v)),
                    it.price * m_rng.real(0.9, 1.4), it.tax, it.category, it.weighed, it.popularity * 0.3);
            }
            // Kits: made of articles of the same company.
            auto findCode = [&](const char* name) {
                for (const Article& a : co.articles)
                    if (a.name == QString::fromUtf8(name))
                        return a.code;
                return co.articles.front().code;
            };
            struct KitDef { const char* name; double price; std::vector<std::pair<const char*, double>> parts; };
            std::vector<KitDef> kits;
            if (co.cafes) {
                kits = {{"Desayuno completo", 4.90, {{"Café con leche", 1}, {"Tostada con tomate", 1}, {"Zumo de naranja natural", 1}}},
                        {"Menú merienda", 4.20, {{"Chocolate caliente", 1}, {"Churros (ración)", 1}}},
                        {"Combo bocadillo y caña", 6.90, {{"Bocadillo de calamares", 1}, {"Caña de cerveza", 1}}}};
            } else {
                kits = {{"Pack desayuno canario", 6.95, {{"Pan de millo", 1}, {"Café molido 250 g", 1}, {"Leche entera 1 L", 2}}},
                        {"Lote barbacoa", 19.95, {{"Costillas de cerdo", 1}, {"Chorizo de Teror", 2}, {"Cerveza Tropical pack 6", 1}, {"Mojo picón 200 ml", 1}}},
                        {"Cesta de fruta", 8.50, {{"Plátano de Canarias", 1}, {"Manzana golden", 1}, {"Naranja de zumo", 1}, {"Papaya", 1}}}};
            }
            for (const KitDef& k : kits) {
                const int kc = add(QString::fromUtf8(k.name), k.price, 2, co.cafes ? 8 : 11, false, 1.2);
                Article& ka = co.articles.back();
                for (const auto& p : k.parts)
                    ka.kit.components.push_back({findCode(p.first), p.second});
                co.kitArticles.push_back(kc);
            }
            // Gift cards, the bag and the parking ticket.
            for (int amount : {10, 25, 50})
                co.giftCards.push_back(add(QStringLiteral("Tarjeta regalo %1 €").arg(amount), amount, 0, 11, false, 0.2));
            co.bagArticle = findCode("Bolsa de plástico");
            if (!co.cafes)
                co.parkingArticle = add(QStringLiteral("Ticket de aparcamiento"), 0.0, 2, 11, false, 0.0);

            for (const Article& a : co.articles) {
                const Category& cat = kCategories[size_t(a.category)];
                const QColor fg(cat.r, cat.g, cat.b);
                const QColor bg = QColor::fromHsv((a.code * 37) % 360, 40, 250);
                const bool kit = !a.kit.components.empty();
                art(co.code, a.code, a.name, a.name.left(20).toUpper(), a.price, a.cost, a.tax,
                    a.textile ? 1 : 0, a.textile ? 2 : 0, kit ? 1 : 0);
                pic(co.code, a.code, demo::picture(kit ? PictureShape::Square : cat.shape, bg, fg, 48, 48));
                co.articlePick.add(a.popularity);
            }
            for (int g : co.giftCards)
                gift(co.code, g);
        }
    }

    const Article& article(const Company& co, int code) const
    {
        for (const Article& a : co.articles)
            if (a.code == code)
                return a;
        return co.articles.front();
    }

    // ---- customers and agents ----
    void customersAndAgents()
    {
        auto cli = insert(QStringLiteral("Clientes"),
                          cols("Cod_Empresa, Codigo, Nombre, Nombre_Comercial, Nif, Direccion, Cp, Localidad, Provincia, Pais,"
                               " F_Nif, F_Razon, F_Direccion, F_Cp, F_Localidad, F_Provincia, F_Pais, Bloqueado, IntraCom"));
        auto tel = insert(QStringLiteral("Clientes_Telefonos"), cols("Cod_Empresa, Cod_Cliente, Codigo, Numero"));
        auto ag = insert(QStringLiteral("Agentes"), cols("Cod_Empresa, Codigo, Nombre"));
        const int count = int(40 * m_growth);
        int agentCode = 1;
        for (Company& co : m_companies) {
            const auto& places = co.cafes ? kMadridPlaces : kCanaryPlaces;
            for (int i = 0; i < count; ++i) {
                Customer c;
                c.code = i + 1;
                const Place& p = m_rng.pick(places);
                const bool business = m_rng.chance(0.3);
                if (business) {
                    c.tradeName = QStringLiteral("%1 %2").arg(QString::fromUtf8(m_rng.pick(kBusinessKinds)),
                                                             QString::fromUtf8(m_rng.pick(kSurnames)));
                    c.name = c.tradeName + (m_rng.chance(0.5) ? QStringLiteral(", S.L.") : QStringLiteral(", S.A."));
                    c.nif = QStringLiteral("B%1").arg(m_rng.between(10000000, 99999999));
                } else {
                    c.name = personName();
                    c.nif = dni();
                }
                c.street = QStringLiteral("%1, %2").arg(QString::fromUtf8(m_rng.pick(kStreets))).arg(m_rng.between(1, 150));
                c.town = QString::fromUtf8(p.town);
                c.province = QString::fromUtf8(p.province);
                c.cp = p.cp + m_rng.between(0, 15);
                c.phone = m_rng.chance(0.5) ? QString::fromUtf8(p.phone) : mobile();
                c.intraCom = i % 17 == 16;
                const bool blocked = i % 23 == 22;
                // Some businesses invoice to their head office.
                const bool billing = business && m_rng.chance(0.4);
                const QString country = c.intraCom ? QStringLiteral("Portugal") : QStringLiteral("España");
                cli(co.code, c.code, c.name, c.tradeName, c.nif, c.street, c.cp, c.town, c.province, country,
                    billing ? QStringLiteral("B%1").arg(m_rng.between(10000000, 99999999)) : QString(),
                    billing ? c.name + QStringLiteral(" (Sede)") : QString(),
                    billing ? QStringLiteral("Polígono Industrial El Goro, nave %1").arg(m_rng.between(1, 40)) : QString(),
                    billing ? 35219 : 0, billing ? QStringLiteral("Telde") : QString(),
                    billing ? QStringLiteral("Las Palmas") : QString(), billing ? QStringLiteral("España") : QString(),
                    blocked ? 1 : 0, c.intraCom ? 1 : 0);
                tel(co.code, c.code, 0, c.phone);
                if (m_rng.chance(0.35))
                    tel(co.code, c.code, 1, mobile());
                co.customers.push_back(c);
            }
            const int agents = 3 + int(m_growth / 3);
            for (int i = 0; i < agents; ++i) {
                ag(co.code, agentCode, personName());
                co.agents.push_back(agentCode++);
            }
            agentCode = ((agentCode + 9) / 10) * 10 + 1; // codes of the next company start at the next ten
        }
    }

    // ---- terminals ----
    void terminals()
    {
        auto tpv = insert(QStringLiteral("TPVs"),
                          cols("Codigo, Host, Descripcion, Empresa, TarifaPVP, TarifaProm, EnLinea, Almacen, Emergencia,"
                               " SQLUser, SQLPassword, SQLPort, PostoServerOk, Version, Serial"));
        int code = 1;
        for (size_t wi = 0; wi < m_warehouses.size(); ++wi) {
            Warehouse& w = m_warehouses[wi];
            const int n = std::max(1, int(std::round(w.size * (1.0 + m_growth / 4.0))));
            for (int i = 0; i < n; ++i) {
                Terminal t;
                t.code = code++;
                t.company = w.company;
                t.warehouse = w.code;
                t.warehouseIndex = int(wi);
                w.terminals.push_back(int(m_terminals.size()));
                m_terminals.push_back(t);
            }
        }
        // One terminal is off line; the emergency terminal is the last one of
        // the first warehouse of the first company.
        const int offline = m_terminals.size() > 3 ? int(m_terminals.size()) - 2 : -1;
        if (offline >= 0)
            m_terminals[size_t(offline)].online = false;
        const int emergency = m_warehouses.front().terminals.back();
        const int width = m_terminals.size() > 99 ? 3 : 2;
        for (size_t i = 0; i < m_terminals.size(); ++i) {
            const Terminal& t = m_terminals[i];
            const Warehouse& w = m_warehouses[size_t(t.warehouseIndex)];
            const int pos = int(std::find(w.terminals.begin(), w.terminals.end(), int(i)) - w.terminals.begin()) + 1;
            const QString host = QStringLiteral("TPV%1").arg(t.code, width, 10, QLatin1Char('0'));
            const QString port = i % 5 == 1 ? QStringLiteral("14330") : (i % 5 == 2 ? QStringLiteral("0") : QStringLiteral("1433"));
            tpv(t.code, host, QStringLiteral("%1 - Caja %2").arg(w.name).arg(pos), t.company, 1, 2,
                t.online ? 1 : 0, t.warehouse, int(i) == emergency ? 1 : 0, QString(), QString(), port,
                t.online && i % 7 != 3 ? 1 : 0, i % 4 == 0 ? QStringLiteral("4.12.1") : QStringLiteral("4.12.3"),
                QStringLiteral("KV-%1-%2").arg(2019 + int(i % 6)).arg(10000 + t.code * 37));
        }
    }

    // ---- access levels ----
    void security()
    {
        auto forms = insert(QStringLiteral("SGD_Formularios"), cols("Cod_Formulario, Nombre"));
        auto ctls = insert(QStringLiteral("SGD_Controles"), cols("Cod_Formulario, Cod_Control, Nombre, Indice, TabIndex"));
        auto grants = insert(QStringLiteral("SGD_Controles_Grupos"), cols("Cod_Grupo, Cod_Formulario, Cod_Control, Permiso"));
        struct C { const char* name; const char* index; };
        const std::vector<std::pair<const char*, std::vector<C>>> catalogue = {
            {"frmParametros", {{"cmdAceptar", ""}, {"cmdCancelar", ""}, {"cmdCopiarGeneral", ""},
                               {"cmdEliminarParametrosTpv", ""}, {"txtClave", ""}, {"txtClaveFraTickets", ""},
                               {"chkParam", "1"}, {"chkParam", "2"}, {"cboAutenticacion", ""}, {"txtTopeCaja", ""},
                               {"cmdFotoExaminar", "0"}, {"cmdFotoExaminar", "1"}}},
            {"frmTPVs", {{"cmdAceptar", ""}, {"cmdEliminar", ""}, {"txtHost", ""}}},
            {"frmVisorTpvs", {{"cmdAccRemoto", ""}, {"vsGrid", ""}}},
            {"frmCfgPantalla", {{"cmdEliminar", ""}, {"cmdForzar", ""}}},
        };
        int form = 1;
        for (const auto& [name, controls] : catalogue) {
            forms(form, QString::fromLatin1(name));
            int control = 1;
            for (const C& c : controls) {
                ctls(form, control, QString::fromLatin1(c.name), QString::fromLatin1(c.index), control);
                ++control;
            }
            ++form;
        }
        // Parameters window: cashiers see the passwords disabled and cannot
        // save; supervisors cannot delete a terminal's set; everybody sees
        // the accept button (group 0).
        grants(0, 1, 1, 0);
        grants(3, 1, 1, 1);
        grants(3, 1, 5, 2);
        grants(3, 1, 6, 2);
        grants(3, 1, 10, 1);
        grants(2, 1, 4, 1);
        grants(2, 1, 6, 1);
        grants(3, 2, 2, 2);
        grants(3, 4, 1, 2);
    }

    // ---- terminal parameters ----
    static std::vector<int> settingCodes()
    {
        std::vector<int> c = {52, 53, 54, 56, 57, 58};
        auto range = [&](int a, int b) { for (int i = a; i <= b; ++i) c.push_back(i); };
        range(60, 76);
        c.insert(c.end(), {78, 79, 80});
        range(81, 99);
        c.push_back(481);
        for (int i = 0; i < 10; ++i)
            c.insert(c.end(), {100 + i, 110 + i, 120 + i, 130 + i, 140 + i, 150 + i});
        c.push_back(160);
        range(352, 360); range(362, 367); c.push_back(373); range(368, 371); range(374, 386);
        range(388, 393); range(397, 404); range(405, 407); range(408, 434);
        range(445, 452); range(455, 464); c.push_back(521); c.insert(c.end(), {465, 466});
        range(468, 474); range(475, 480); c.insert(c.end(), {482, 483}); range(493, 509);
        range(511, 516); range(518, 520); c.push_back(522); range(533, 538); range(540, 557);
        return c;
    }

    // Settings the parameters window edits as free text (header and footer
    // lines, displays, paths, passwords, service identifiers).
    static bool isTextSetting(int code)
    {
        static const std::set<int> text = {80, 357, 377, 378, 379, 405, 406, 407, 411, 414, 434, 450, 493,
                                           499, 500, 519, 546, 548, 550, 551, 552};
        return (code >= 100 && code <= 109) || (code >= 130 && code <= 139) || text.count(code) > 0;
    }

    std::map<int, QString> settingsFor(const Company& co, const Warehouse& w)
    {
        std::map<int, QString> v;
        auto set = [&](int code, const QString& value) { v[code] = value; };
        auto num = [&](int code, int value) { v[code] = QString::number(value); };
        // Ticket header and footer.
        set(100, QStringLiteral("<JC><2>") + co.tradeName.toUpper());
        set(101, QStringLiteral("Tienda ") + w.name);
        set(102, co.street);
        set(103, QStringLiteral("NIF: ") + co.nif);
        set(104, QStringLiteral("Tel. ") + co.phone);
        set(105, QStringLiteral("-"));
        set(130, QStringLiteral("-"));
        set(131, QStringLiteral("<JC>Gracias por su visita"));
        set(132, co.taxRegime == 1 ? QStringLiteral("IVA incluido") : QStringLiteral("IGIC incluido"));
        set(133, QStringLiteral("Conserve este ticket para cualquier cambio"));
        set(134, QStringLiteral("<S>www.%1.es").arg(co.cafes ? QStringLiteral("cafeteriaslameseta") : QStringLiteral("supermercadosatlantico")));
        num(110, 1); num(120, 1);
        // Passwords asked for.
        for (int code : {81, 82, 84, 85, 88})
            num(code, 1);
        num(481, 1);
        num(52, 1); num(53, 1); num(62, 1); num(64, 1); num(72, 1); num(78, co.taxRegime == 0 ? 1 : 0);
        num(56, 1 + 2 + 4 + 8 + (co.cafes ? 0 : 64));
        num(65, (1 << 1) | (1 << 2) | (1 << 15));
        num(457, (1 << 0) | (1 << 3));
        num(69, 1); num(70, 2);
        num(71, 1);
        num(75, w.code == 3 && !co.cafes ? 0 : 1); // one shop prints through the ticket model printer
        set(80, QStringLiteral("1234"));
        num(353, 4); num(354, 50);
        num(355, 3);
        set(357, QStringLiteral("BIENVENIDO A ") + co.tradeName.toUpper());
        num(359, 1); num(540, 1);
        num(364, 0);
        num(369, 600); num(382, 150);
        num(374, w.invoiceSeries);
        num(390, co.cafes ? 3 : 0);
        num(403, 1);
        set(405, QStringLiteral("VALE DE COMPRA"));
        set(406, QStringLiteral("Válido durante 30 días"));
        set(407, QStringLiteral("No canjeable por dinero"));
        num(409, 0); num(380, 0);
        num(415, 5); num(419, 30); num(430, 1);
        num(422, 1); num(543, 2);
        set(434, QStringLiteral("RETIRADA DE FONDOS"));
        num(447, co.bagArticle);
        num(452, 0);
        num(504, 1); num(512, 1);
        num(507, 3);
        num(513, co.parkingArticle);
        num(514, co.parkingArticle ? 29 : 0);
        num(537, 0); num(538, co.parkingArticle ? 12 : 0);
        num(535, -1);
        num(541, 1); num(542, 9999);
        set(546, QStringLiteral("Servicio de tarjeta monedero no disponible"));
        num(545, 0);
        return v;
    }

    void parameters()
    {
        auto gen = insert(QStringLiteral("Tpv_Parametros"),
                          cols("Cod_Empresa, Cod_Almacen, Codigo, Valor, Visible, Posicion, Color, Valor2"));
        auto ex = insert(QStringLiteral("Tpv_Parametros_Ex"),
                         cols("Cod_Empresa, Cod_Almacen, Cod_Tpv, Codigo, Valor, Visible, Posicion, Color, Valor2"));
        // Operation keys: operation, key code (F2..F14, Insert, *), colour.
        struct Key { int op; int key; int colour; };
        const std::vector<Key> keys = {
            {10, 113, rgb(0, 160, 0)}, {5, 114, 0}, {6, 115, 0}, {12, 116, rgb(255, 200, 0)},
            {2, 117, rgb(220, 0, 0)}, {3, 118, rgb(220, 0, 0)}, {15, 119, 0}, {16, 120, rgb(0, 120, 220)},
            {4, 121, 0}, {7, 122, rgb(255, 140, 0)}, {13, 123, 0}, {27, 45, 0}, {29, 124, 0}, {20, 125, 0},
            {21, 106, 0}};
        const std::vector<int> codes = settingCodes();
        for (const Company& co : m_companies) {
            for (int wi : co.warehouses) {
                const Warehouse& w = m_warehouses[size_t(wi)];
                std::map<int, QString> values = settingsFor(co, w);
                // Rows as the parameters window writes them: keys, settings,
                // scale rows and link rows.
                std::vector<std::tuple<int, QString, int, int, int, QString>> rows;
                int position = 1;
                for (const Key& k : keys) {
                    const bool visible = k.op != 21;
                    rows.emplace_back(k.op, QString::number(k.key), visible ? 1 : 0, visible ? position++ : 0, k.colour, QString());
                }
                for (int code : codes) {
                    auto it = values.find(code);
                    // Settings without a value: text settings empty, the others 0.
                    const QString none = isTextSetting(code) ? QString() : QStringLiteral("0");
                    rows.emplace_back(code, it == values.end() ? none : it->second, 0, 0, 0, QString());
                }
                if (!co.cafes) {
                    rows.emplace_back(300, QStringLiteral("20"), 0, 0, 0, QStringLiteral("1"));
                    rows.emplace_back(301, QStringLiteral("21"), 0, 0, 0, QStringLiteral("2"));
                    rows.emplace_back(302, QStringLiteral("28"), 0, 0, 0, QStringLiteral("6"));
                }
                for (int i = 0; i < 6; ++i) {
                    const bool used = i == 0;
                    rows.emplace_back(435 + i, used ? QStringLiteral("67") : QStringLiteral("0"), 0, 0, 0,
                                      used ? QStringLiteral("/opt/kolvane/bin/calculadora") : QString());
                }
                std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return std::get<0>(a) < std::get<0>(b); });
                for (const auto& [code, value, visible, pos, colour, value2] : rows)
                    gen(co.code, w.code, code, value, visible, pos, colour, value2);
                // The first terminal of the first warehouse of each company
                // has a set of its own: the general one with another header.
                if (wi == co.warehouses.front() && !w.terminals.empty()) {
                    const Terminal& t = m_terminals[size_t(w.terminals.front())];
                    for (const auto& [code, value, visible, pos, colour, value2] : rows) {
                        QString v = value;
                        if (code == 101)
                            v = QStringLiteral("Caja rápida - ") + w.name;
                        if (code == 357)
                            v = QStringLiteral("CAJA RÁPIDA: MÁXIMO 10 ARTÍCULOS");
                        ex(co.code, w.code, t.code, code, v, visible, pos, colour, value2);
                    }
                }
            }
        }
    }

    // ---- tickets ----
    void tickets()
    {
        auto head = insert(QStringLiteral("TPV_Tickets"),
                           cols("Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Hora, Cajero, Cliente, Agente, Total,"
                                " Efectivo, Tarjeta, Cheque, Vales, Credito, Cambio, Dto, Enviado"));
        auto line = insert(QStringLiteral("TPV_Tickets_Lineas"),
                           cols("Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea, Cod_Articulo, PVP, Cantidad,"
                                " Dto, Costo, PM, Promocion, PA, TipoImpuesto"));
        auto promo = insert(QStringLiteral("TPV_Tickets_Lineas_Promocion"),
                            cols("Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea, Tipo_Promocion"));
        auto card = insert(QStringLiteral("Tpv_Tickets_Tarjeta"),
                           cols("Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Tipo, Importe, Numero"));
        auto kit = insert(QStringLiteral("TPV_Tickets_KitComposicion"),
                          cols("Cod_Empresa, Cod_almacen, Caja, Fecha, Codigo, Num_Linea, Cod_Articulo, Cantidad"));

        // Share of each (terminal, day) slot in the total.
        const int firstThisYear = int(std::find(m_days.begin(), m_days.end(), m_today.addDays(-27)) - m_days.begin());
        std::vector<double> weight;
        weight.reserve(m_terminals.size() * m_days.size());
        static const double weekdayRetail[8] = {0, 0.9, 0.85, 0.9, 1.0, 1.25, 1.45, 0.55};
        static const double weekdayCafe[8] = {0, 0.95, 0.9, 0.95, 1.0, 1.2, 1.35, 1.15};
        for (const Terminal& t : m_terminals) {
            const Warehouse& w = m_warehouses[size_t(t.warehouseIndex)];
            const bool cafe = t.company == 2;
            const double tw = w.size * (t.online ? 1.0 : 0.5);
            for (size_t d = 0; d < m_days.size(); ++d) {
                const double wd = (cafe ? weekdayCafe : weekdayRetail)[m_days[d].dayOfWeek()];
                const double year = int(d) >= firstThisYear ? 1.0 : 0.93;
                // Today and yesterday are busier, so that the ticket viewer has a full day to show.
                const double recent = d + 2 >= m_days.size() ? 4.0 : 1.0;
                weight.push_back(tw * wd * year * recent * m_rng.real(0.85, 1.15));
            }
        }
        double totalWeight = 0;
        for (double x : weight)
            totalWeight += x;

        std::vector<QString> cardNumbers;
        for (int i = 0; i < 50; ++i)
            cardNumbers.push_back(QStringLiteral("************%1").arg(m_rng.between(1000, 9999)));

        struct Line { int article; double price, qty, dto, amount, cost; int pm, promo, pa, promoKind, tax; };
        std::vector<Line> lines;
        double cumulative = 0;
        long long assigned = 0;
        long long customerTickets = 0;
        size_t slot = 0;
        for (const Terminal& t : m_terminals) {
            Company& co = m_companies[size_t(t.company - 1)];
            const Warehouse& w = m_warehouses[size_t(t.warehouseIndex)];
            for (size_t d = 0; d < m_days.size(); ++d, ++slot) {
                cumulative += weight[slot];
                const long long upto = std::llround(double(m_ticketTarget) * cumulative / totalWeight);
                const int n = int(upto - assigned);
                assigned = upto;
                if (n <= 0)
                    continue;
                const QDate& fecha = m_dayText[d];
                const QDate& day = m_days[d];
                const int morning = m_rng.pick(w.cashiers);
                const int afternoon = w.cashiers.size() > 1 ? w.cashiers[(size_t(std::find(w.cashiers.begin(), w.cashiers.end(), morning) - w.cashiers.begin()) + 1) % w.cashiers.size()] : morning;
                const int open = co.cafes ? 7 * 60 : 9 * 60;
                const int span = co.cafes ? 14 * 60 : 12 * 60 + 30;
                for (int k = 0; k < n; ++k) {
                    const int ticket = k + 1;
                    const double minuteF = open + (k + m_rng.real()) * span / n;
                    const int minute = int(minuteF);
                    const int second = int((minuteF - minute) * 60);
                    const QDateTime hora = dateTimeValue(day, minute / 60, minute % 60, second);
                    const int cashier = minute < 15 * 60 ? morning : afternoon;

                    const bool refund = m_rng.chance(0.015);
                    int nLines;
                    if (refund) {
                        nLines = 1;
                    } else {
                        const double r = m_rng.real();
                        nLines = co.cafes ? (r < 0.35 ? 1 : r < 0.7 ? 2 : r < 0.9 ? 3 : 4)
                                          : (r < 0.2 ? 1 : r < 0.4 ? 2 : r < 0.6 ? 3 : r < 0.75 ? 4 : r < 0.85 ? 5 : r < 0.92 ? 6 : m_rng.between(7, 10));
                    }
                    lines.clear();
                    double total = 0;
                    for (int l = 0; l < nLines; ++l) {
                        const int picked = co.articlePick.pick(m_rng);
                        // The first ticket of today and yesterday on each till opens with a kit.
                        const bool kitShowcase = l == 0 && k == 0 && d + 2 >= m_days.size() && !co.kitArticles.empty();
                        const Article& a = kitShowcase ? article(co, co.kitArticles[size_t(t.code) % co.kitArticles.size()])
                                                       : co.articles[size_t(picked)];
                        Line ln{};
                        ln.article = a.code;
                        ln.tax = a.tax;
                        ln.price = a.price;
                        if (a.weighed)
                            ln.qty = round3(m_rng.real(0.15, 2.5));
                        else {
                            const double r = m_rng.real();
                            ln.qty = r < 0.75 ? 1 : r < 0.9 ? 2 : m_rng.between(3, 6);
                        }
                        if (refund)
                            ln.qty = -ln.qty;
                        if (m_rng.chance(0.02)) {
                            ln.pm = 1;
                            ln.price = round2(a.price * m_rng.real(0.8, 1.05));
                        } else if (m_rng.chance(0.07)) {
                            ln.promo = 1;
                            ln.price = round2(a.price * 0.85);
                            ln.promoKind = m_rng.between(2, 16);
                            ln.pa = m_rng.chance(0.4) ? 1 : 0;
                        }
                        if (m_rng.chance(0.04))
                            ln.dto = m_rng.chance(0.5) ? 5 : 10;
                        ln.amount = round2(ln.price * ln.qty * (1 - ln.dto / 100.0));
                        ln.cost = a.cost;
                        total += ln.amount;
                        lines.push_back(ln);
                    }
                    total = round2(total);

                    int customer = 0;
                    if (m_rng.chance(0.15)) {
                        customer = m_rng.pick(co.customers).code;
                        ++customerTickets;
                    }
                    const int agent = m_rng.chance(0.05) ? m_rng.pick(co.agents) : 0;
                    // The second ticket of today and yesterday on each till names a
                    // customer since deleted from the customer file, as old tickets do.
                    const bool goneCustomer = k == 1 && d + 2 >= m_days.size();
                    if (goneCustomer)
                        customer = int(co.customers.size()) + 900;
                    double cash = 0, cardAmount = 0, cheque = 0, vouchers = 0, credit = 0, change = 0;
                    if (total <= 0) {
                        cash = total;
                    } else {
                        const double r = m_rng.real();
                        if (r < 0.55) {
                            static const double notes[] = {1, 2, 5, 10, 20, 50, 100, 200};
                            cash = total;
                            for (double note : notes) {
                                if (note >= total) {
                                    cash = m_rng.chance(0.3) ? total : note;
                                    break;
                                }
                            }
                            change = round2(cash - total);
                        } else if (r < 0.9) {
                            cardAmount = total;
                        } else if (r < 0.94) {
                            cardAmount = round2(std::floor(total * 0.6));
                            cash = round2(total - cardAmount);
                            if (cardAmount <= 0) {
                                cash = total;
                                cardAmount = 0;
                            }
                        } else if (r < 0.96) {
                            cheque = total;
                        } else if (r < 0.98) {
                            vouchers = std::min(total, 10.0);
                            cash = round2(total - vouchers);
                        } else if (customer > 0) {
                            credit = total;
                        } else {
                            cash = total;
                        }
                    }
                    head(t.company, t.warehouse, t.code, fecha, ticket, hora, cashier, customer, agent, total,
                         cash, cardAmount, cheque, vouchers, credit, change, 0.0, 1);
                    ++m_tickets;
                    for (int l = 0; l < int(lines.size()); ++l) {
                        const Line& ln = lines[size_t(l)];
                        line(t.company, t.warehouse, t.code, fecha, ticket, l + 1, ln.article, ln.price, ln.qty,
                             ln.dto, ln.cost, ln.pm, ln.promo, ln.pa, ln.tax);
                        if (ln.promo)
                            promo(t.company, t.warehouse, t.code, fecha, ticket, l + 1, ln.promoKind);
                        const Article& a = article(co, ln.article);
                        for (const auto& [part, units] : a.kit.components)
                            kit(t.company, t.warehouse, t.code, fecha, ticket, l + 1, part, units * ln.qty);
                        // Daily article sales and customer statistics.
                        Aggregate& s = m_sales[saleKey(t.company, t.warehouse, int(d), ln.article)];
                        s.units += ln.qty;
                        s.amount += ln.amount;
                        s.cost += ln.qty * ln.cost;
                        if (customer > 0 && !goneCustomer) {
                            Aggregate& c = m_customerStats[saleKey(t.company, customer, int(d), ln.article)];
                            c.units += ln.qty;
                            c.amount += ln.amount;
                            c.cost += ln.qty * ln.cost;
                        }
                    }
                    if (cardAmount > 0)
                        card(t.company, t.warehouse, t.code, fecha, ticket, m_rng.between(1, 5), cardAmount,
                             m_rng.pick(cardNumbers));
                    if (customer > 0 && !goneCustomer && total > 0 && (customerTickets <= 3 || m_rng.chance(0.02))) {
                        QDate invoiceDay = day.addDays(m_rng.between(0, 2));
                        if (invoiceDay > m_today)
                            invoiceDay = m_today;
                        m_invoices.push_back({t.company, t.warehouse, t.code, int(d), ticket, customer,
                                              w.invoiceSeries, invoiceDay, hora});
                    }
                }
                if (t.code == m_terminals.front().code)
                    m_firstTillCounts.push_back({int(d), n});
            }
        }
        writeInvoices();
        writeSales();
    }

    static quint64 saleKey(int company, int second, int day, int article)
    {
        return (quint64(company) << 56) | (quint64(second) << 36) | (quint64(day) << 24) | quint64(article);
    }

    void writeInvoices()
    {
        auto inv = insert(QStringLiteral("TPV_Tickets_Factura"),
                          cols("Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Cliente, Factura_Serie, Factura_Codigo,"
                               " Nif, Nombre, Nombre_Comercial, Direccion, CP, Localidad, Provincia, Pais, Telefono,"
                               " Factura_Fecha, Factura_Almacen, Enviado"));
        auto counter = insert(QStringLiteral("Facturas_Contador"), cols("Cod_Empresa, Serie, Ejercicio, Ultimo"));
        // Numbers follow the invoice dates within each series and year.
        std::sort(m_invoices.begin(), m_invoices.end(), [](const InvoiceDraft& a, const InvoiceDraft& b) {
            return std::tie(a.company, a.series, a.invoiceDate, a.time) < std::tie(b.company, b.series, b.invoiceDate, b.time);
        });
        std::map<std::tuple<int, int, int>, int> last;
        for (const InvoiceDraft& i : m_invoices) {
            const Company& co = m_companies[size_t(i.company - 1)];
            const Customer& c = co.customers[size_t(i.customer - 1)];
            const int number = ++last[{i.company, i.series, i.invoiceDate.year()}];
            inv(i.company, i.warehouse, i.till, m_dayText[size_t(i.dayIndex)], i.ticket, i.customer, i.series, number,
                c.nif, c.name, c.tradeName, c.street, c.cp, c.town, c.province,
                c.intraCom ? QStringLiteral("Portugal") : QStringLiteral("España"), c.phone, dateValue(i.invoiceDate),
                i.warehouse, 1);
        }
        for (const auto& [key, number] : last)
            counter(std::get<0>(key), std::get<1>(key), std::get<2>(key), number);
        // The till counter of the first till, for the days it sold.
        auto till = insert(QStringLiteral("TPV_Contador_Ticket_Caja"), cols("Fecha, Codigo"));
        for (const auto& [day, count] : m_firstTillCounts)
            if (count > 0)
                till(m_dayText[size_t(day)], count);
    }

    void writeSales()
    {
        auto avd = insert(QStringLiteral("Articulos_Ventas_Dia"),
                          cols("Cod_Empresa, Cod_Almacen, Fecha, Cod_Articulo, Unidades, Importe_Pvp, Importe_Costo"));
        auto stats = insert(QStringLiteral("Clientes_Estadisticas"),
                            cols("Cod_Empresa, Cod_Cliente, Fecha, Cod_Articulo, Unidades, Importe, Costo"));
        auto write = [&](std::unordered_map<quint64, Aggregate>& map, Inserter& ins) {
            std::vector<quint64> keys;
            keys.reserve(map.size());
            for (const auto& kv : map)
                keys.push_back(kv.first);
            std::sort(keys.begin(), keys.end());
            for (quint64 k : keys) {
                const Aggregate& a = map[k];
                ins(int(k >> 56), int((k >> 36) & 0xFFFFF), m_dayText[size_t((k >> 24) & 0xFFF)], int(k & 0xFFFFFF),
                    round3(a.units), round2(a.amount), round2(a.cost));
            }
            map.clear();
        };
        write(m_sales, avd);
        write(m_customerStats, stats);
    }

    // ---- reservations ----
    void reservations()
    {
        auto res = insert(QStringLiteral("Reservas"),
                          cols("Cod_Empresa, Codigo, Cod_Almacen, Caja, Fecha, Fecha_Ult_Modificacion, Fecha_Vencimiento,"
                               " Cod_Cliente, Nomb_Cliente, Telefono, Nif, Domicilio, Paquete, Observaciones, Agente, Cajero,"
                               " Ult_Dto_Aplicado, Pendiente, Anulado, Total_Entregado, Total_Ventas, Total_Pendiente"));
        auto lin = insert(QStringLiteral("Reservas_Lineas"),
                          cols("Cod_Empresa, Codigo, Num_Linea, Cod_Articulo, CualidadX, CualidadY, Unidades, Pvp,"
                               " TipoImpuesto, Serie, Agente, Dto, Vendida"));
        auto his = insert(QStringLiteral("Reservas_Historico"),
                          cols("Cod_Empresa, Codigo, Num_Entrega, Fecha, Tipo_Pago, Cantidad, Cod_Almacen, Caja, Venta,"
                               " Anulacion, Cambio"));
        const long long count = std::max<long long>(12, m_ticketTarget / 60);
        const char* remarks[] = {"", "", "Avisar por teléfono al llegar el pedido", "Recoge su hija",
                                 "Pendiente de confirmar talla", "Regalo: envolver", "Cliente habitual"};
        for (long long r = 0; r < count; ++r) {
            const int number = int(r) + 1; // numbers are unique across companies
            const Terminal& t = m_terminals[size_t(m_rng.between(0, int(m_terminals.size()) - 1))];
            Company& co = m_companies[size_t(t.company - 1)];
            const Warehouse& w = m_warehouses[size_t(t.warehouseIndex)];
            // Some reservations are made today, so that the monitor has figures.
            const int age = (r % 20 == 0 || r < 2) ? 0 : m_rng.between(1, 120);
            const QDate made = m_today.addDays(-age);
            const int cashier = m_rng.pick(w.cashiers);
            const bool walkIn = m_rng.chance(0.2);
            const Customer* c = walkIn ? nullptr : &m_rng.pick(co.customers);
            const QString name = c ? c->name : personName();
            const int state = m_rng.between(0, 99); // <60 open, <85 closed, else cancelled
            const bool cancelled = state >= 85;
            const bool closed = !cancelled && state >= 60;
            const int agent = m_rng.chance(0.4) ? m_rng.pick(co.agents) : 0;
            const double lastDto = m_rng.chance(0.2) ? (m_rng.chance(0.5) ? 5.0 : 10.0) : 0.0;

            const int nLines = m_rng.between(1, 4);
            double value = 0;
            std::vector<double> amounts;
            std::vector<bool> sold;
            for (int l = 0; l < nLines; ++l) {
                const Article& a = co.articles[size_t(co.articlePick.pick(m_rng))];
                const double units = a.weighed ? 1.0 : m_rng.between(1, 3);
                const double dto = lastDto;
                const double amount = round2(units * a.price * (1 - dto / 100.0));
                const bool isSold = closed || (!cancelled && l == 0 && nLines > 1 && m_rng.chance(0.3));
                lin(co.code, number, l + 1, a.code, a.textile ? m_rng.between(1, 4) : 0, a.textile ? m_rng.between(1, 5) : 0,
                    units, a.price, a.tax, a.textile ? QStringLiteral("S%1").arg(m_rng.between(100000, 999999)) : QString(),
                    agent, dto, isSold ? 1 : 0);
                value += amount;
                amounts.push_back(amount);
                sold.push_back(isSold);
            }
            value = round2(value);

            // Movements: a first payment the day it is made, maybe more
            // later, the sales of sold lines and, for a cancelled one, the refund.
            int entry = 0;
            double paid = 0, sales = 0;
            QDateTime lastChange;
            auto move = [&](const QDate& day, int kind, double amount, bool sale, bool cancel) {
                const int minute = m_rng.between(9 * 60, 20 * 60);
                lastChange = dateTimeValue(day, minute / 60, minute % 60, m_rng.between(0, 59));
                his(co.code, number, ++entry, lastChange, kind, amount, w.code, t.code, sale ? 1 : 0, cancel ? 1 : 0, 0);
            };
            const double first = closed ? value : round2(value * m_rng.real(0.2, 0.5));
            move(made, m_rng.chance(0.6) ? 0 : 1, first, false, false);
            paid += first;
            if (!closed && !cancelled && age > 10 && m_rng.chance(0.5)) {
                const double more = round2((value - paid) * 0.5);
                if (more > 0) {
                    move(made.addDays(m_rng.between(1, std::min(age, 10))), m_rng.between(0, 3), more, false, false);
                    paid += more;
                }
            }
            for (size_t l = 0; l < sold.size(); ++l) {
                if (!sold[l])
                    continue;
                move(made.addDays(age > 0 ? m_rng.between(0, age) : 0), 4, amounts[l], true, false);
                sales += amounts[l];
            }
            if (cancelled) {
                move(made.addDays(age > 0 ? m_rng.between(0, age) : 0), 0, -paid, false, true);
                paid = 0;
            }
            res(co.code, number, w.code, t.code, dateValue(made), lastChange,
                dateValue(made.addDays(m_rng.chance(0.5) ? 30 : 60)), c ? c->code : 0, name,
                c ? c->phone : mobile(), c ? c->nif : QString(), c ? c->street : QString(),
                m_rng.chance(0.3) ? QStringLiteral("PQ-%1").arg(number, 6, 10, QLatin1Char('0')) : QString(),
                QString::fromUtf8(remarks[m_rng.between(0, 6)]), agent, cashier, lastDto, (!closed && !cancelled) ? 1 : 0,
                cancelled ? 1 : 0, round2(paid), round2(sales), (!closed && !cancelled) ? round2(value - paid) : 0.0);
        }
    }

    // ---- touch-screen layouts ----
    static int placeOf(int type, int index) { return type == 1 ? index : 9 * (index / 3) + 6 + index % 3; }

    void touchScreens()
    {
        auto cfg = insert(QStringLiteral("TPV_CfgPantalla"),
                          cols("Cod_Empresa, Cod_CfgPantalla, Descripcion, Tipo, Cod_GrupoDF, Act, Act2, Act3, Act4, Act5, Act6, Act7, Act8, Act9, Act10"));
        auto grp = insert(QStringLiteral("TPV_CfgPantalla_Grupos"),
                          cols("Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion, Descripcion, TipoTexto, ForeColor, BackColor, Imagen"));
        auto key = insert(QStringLiteral("TPV_CfgPantalla_Grupos_Lineas"),
                          cols("Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion, Cod_Articulo, Unidades, ForeColor, BackColor,"
                               " TipoTexto, Texto, Imagen, OrigenImagen, Pesado, PathVinculo"));
        QByteArray articlePictures;
        for (Company& co : m_companies) {
            struct Layout { const char* name; int type; };
            const std::vector<Layout> layouts = co.cafes
                ? std::vector<Layout>{{"Barra", 1}, {"Terraza", 0}, {"Cocina", 0}}
                : std::vector<Layout>{{"Frutería y pesados", 1}, {"Panadería", 0}, {"Cafetería", 0}};
            int cfgCode = 1;
            for (const Layout& l : layouts) {
                const int maxButtons = l.type == 1 ? 36 : 12;
                // Groups follow the article categories the company sells.
                std::vector<int> categories;
                for (const Article& a : co.articles)
                    if (std::find(categories.begin(), categories.end(), a.category) == categories.end())
                        categories.push_back(a.category);
                const int groups = std::min<int>(int(categories.size()), std::min(maxButtons, 4 + cfgCode * 2));
                const int defaultGroup = 1;
                cfg(co.code, cfgCode, QString::fromUtf8(l.name), l.type, defaultGroup, 1, 1, 1, 1, 1, 1, 1, 1, 1, cfgCode == 2 ? 0 : 1);
                for (int g = 0; g < groups; ++g) {
                    const Category& cat = kCategories[size_t(categories[size_t(g)])];
                    const bool picture = g % 3 == 0;
                    grp(co.code, cfgCode, g + 1, placeOf(l.type, g), QString::fromUtf8(cat.name), g == groups - 1 ? 1 : 0,
                        g % 2 ? rgb(255, 255, 255) : 0, rgb(cat.r, cat.g, cat.b),
                        picture ? QVariant(demo::picture(cat.shape, QColor(cat.r, cat.g, cat.b), QColor(255, 255, 255))) : QVariant());
                    // Keys: the group's articles, a back key, and on the first
                    // layout an external link.
                    int index = 0;
                    for (const Article& a : co.articles) {
                        if (a.category != categories[size_t(g)] || index >= maxButtons - 2)
                            continue;
                        const int origin = index % 4 == 0 ? 1 : 0;
                        QVariant image;
                        if (origin == 1)
                            image = demo::picture(cat.shape, QColor::fromHsv((a.code * 37) % 360, 40, 250), QColor(cat.r, cat.g, cat.b));
                        const int textMode = index % 5 == 3 ? 1 : (index % 7 == 6 ? 2 : 0);
                        key(co.code, cfgCode, g + 1, placeOf(l.type, index), a.code, a.weighed ? 1.0 : (index % 6 == 5 ? 2.0 : 1.0),
                            0, rgb(246, 246, 246), textMode, textMode == 1 ? a.name.left(12) : QString(), image, origin,
                            a.weighed ? 1 : 0, QString());
                        ++index;
                    }
                    key(co.code, cfgCode, g + 1, placeOf(l.type, index++), -1, 1.0, rgb(255, 255, 255), rgb(90, 90, 90), 1,
                        QStringLiteral("ATRAS"), QVariant(), 0, 0, QString());
                    if (cfgCode == 1 && g == 0)
                        key(co.code, cfgCode, g + 1, placeOf(l.type, index++), -2, 1.0, 0, rgb(255, 230, 150), 1,
                            QStringLiteral("Ofertas web"), QVariant(), 0, 0, QStringLiteral("https://www.example.es/ofertas"));
                }
                ++cfgCode;
            }
        }
    }

    // ---- quick codes ----
    void quickCodes()
    {
        auto qc = insert(QStringLiteral("TPV_CodigosRapido"), cols("Cod_Empresa, Cod_Almacen, Cod_Rapido, Cod_Articulo, Unidades, Act"));
        auto gone = insert(QStringLiteral("TPV_CodigosRapido_Baja"), cols("Cod_Empresa, Cod_Almacen, Cod_Rapido, Act"));
        for (const Warehouse& w : m_warehouses) {
            const Company& co = m_companies[size_t(w.company - 1)];
            const int n = std::min<int>(int(co.articles.size()), 10 + m_rng.between(0, 10) + int(m_growth * 2));
            std::vector<int> used;
            for (int i = 0; i < n; ++i) {
                const Article& a = co.articles[size_t(co.articlePick.pick(m_rng))];
                if (std::find(used.begin(), used.end(), a.code) != used.end())
                    continue;
                used.push_back(a.code);
                // Short numeric codes, and a few mnemonic ones.
                const QString code = i % 6 == 5 ? a.name.left(3).toUpper() + QString::number(i) : QString::number(i + 1);
                qc(co.code, w.code, code, a.code, a.weighed ? 1.0 : double(m_rng.chance(0.2) ? 6 : 1), m_rng.chance(0.8) ? 1 : 0);
            }
            gone(co.code, w.code, QStringLiteral("99"), 1);
            if (w.code == 1)
                gone(co.code, w.code, QStringLiteral("PAN0"), 0);
            // A code left behind by an article that has since been removed:
            // the quick-code window hides it, the table keeps it.
            if (co.code == 1 && w.code == 1)
                qc(co.code, w.code, QStringLiteral("BAJA1"), 9999999, 1.0, 1);
        }
    }

    // ---- salons and the element catalogue ----
    void salons()
    {
        auto grp = insert(QStringLiteral("TPV_Sln_GrpElementos"), cols("Cod_Grupo, Descripcion"));
        auto el = insert(QStringLiteral("TPV_Sln_Elementos"), cols("Tipo, Descripcion, Cod_Relacion, Cod_Grupo, Xaml, Imagen"));
        auto sal = insert(QStringLiteral("TPV_Sln_Salones"), cols("Cod_Empresa, Cod_CfgSalon, Descripcion, Doc_Xml"));
        auto at = insert(QStringLiteral("TPV_Sln_Salones_Almacen"), cols("Cod_Empresa, Cod_CfgSalon, Cod_Almacen"));
        grp(1, QStringLiteral("Mesas"));
        grp(2, QStringLiteral("Plantas y decoración"));
        grp(3, QStringLiteral("Puertas y ventanas"));
        auto xaml = [](const QString& label, const char* fill, int w, int h, int radius) {
            return QStringLiteral("<Border Width=\"%1\" Height=\"%2\" Background=\"%3\" BorderBrush=\"#FF5A4632\" "
                                  "BorderThickness=\"2\" CornerRadius=\"%4\"><TextBlock Text=\"%5\" FontSize=\"12\" "
                                  "FontWeight=\"Bold\" Foreground=\"#FF3C2814\" HorizontalAlignment=\"Center\" "
                                  "VerticalAlignment=\"Center\"/></Border>")
                .arg(w).arg(h).arg(QString::fromLatin1(fill)).arg(radius).arg(label);
        };
        // Drawn elements (group 1); the terminals draw them from their markup.
        struct Drawn { int type; const char* name; const char* label; const char* fill; int w, h, radius; };
        const Drawn drawn[] = {{1, "Mesa cuadrada", "Mesa", "#FFDEB887", 70, 70, 4},
                               {2, "Mesa redonda", "Mesa", "#FFDEB887", 70, 70, 35},
                               {3, "Mesa alargada", "Mesa", "#FFDEB887", 140, 60, 4},
                               {4, "Taburete de barra", "T", "#FFA0522D", 30, 30, 15},
                               {5, "Barra", "Barra", "#FF8B5A2B", 240, 40, 2},
                               {6, "Pared", "", "#FF808080", 200, 10, 0}};
        for (const Drawn& d : drawn)
            el(d.type, QString::fromUtf8(d.name), d.type, 1,
               xaml(QString::fromUtf8(d.label), d.fill, d.w, d.h, d.radius), QVariant());
        // Picture elements 7-12: the editor shows <installation>/Imagen/CFG_SL_1.png ... _6.png for them.
        struct Pic { const char* name; int group; PictureShape shape; int r, g, b; };
        const Pic pics[] = {{"Planta", 2, PictureShape::Plant, 60, 150, 60},
                            {"Palmera", 2, PictureShape::Plant, 40, 130, 80},
                            {"Puerta", 3, PictureShape::Bar, 120, 80, 40},
                            {"Puerta doble", 3, PictureShape::Bar, 120, 80, 40},
                            {"Columna", 2, PictureShape::Round, 170, 170, 165},
                            {"Ventana", 3, PictureShape::Square, 70, 110, 150}};
        for (int i = 0; i < 6; ++i) {
            const Pic& p = pics[i];
            el(7 + i, QString::fromUtf8(p.name), i, p.group, QString(),
               demo::picture(p.shape, QColor(250, 250, 245), QColor(p.r, p.g, p.b), 60, 60));
        }

        // Plans in the editor's document format, stored with | in place of every '.
        auto node = [&](int shape, int left, int top, int w, int h, const QString& caption, int image, const QString& markup) {
            QString n = QStringLiteral("<Node Shape=\"%1\" Left=\"%2\" Top=\"%3\" Width=\"%4\" Height=\"%5\" Caption=\"%6\"")
                            .arg(shape).arg(left).arg(top).arg(w).arg(h).arg(caption.toHtmlEscaped());
            if (image >= 0)
                n += QStringLiteral(" Image=\"%1\"").arg(image);
            n += QStringLiteral(" Tag=\"1\"");
            if (markup.isEmpty())
                return n + QStringLiteral("/>");
            return n + QStringLiteral("><Markup>") + markup.toHtmlEscaped() + QStringLiteral("</Markup></Node>");
        };
        auto table = [&](int type, int left, int top, const QString& label) {
            const Drawn& d = drawn[type - 1];
            return node(0, left, top, d.w, d.h, label, -1, xaml(label, d.fill, d.w, d.h, d.radius));
        };
        auto plan = [&](const QString& caption, bool full) {
            QString nodes;
            if (full) {
                int n = 1;
                for (int row = 0; row < 3; ++row)
                    for (int col = 0; col < 4; ++col)
                        nodes += table(row == 1 ? 2 : 1, 40 + col * 120, 40 + row * 120, QStringLiteral("Mesa %1").arg(n++));
                nodes += table(3, 40, 400, QStringLiteral("Mesa %1").arg(n++));
                nodes += table(3, 220, 400, QStringLiteral("Rincón d'Ana"));
                nodes += table(5, 540, 40, QStringLiteral("Barra"));
                for (int i = 0; i < 5; ++i)
                    nodes += table(4, 550 + i * 45, 100, QStringLiteral("T%1").arg(i + 1));
                nodes += table(6, 520, 200, QString());
                nodes += node(9417, 720, 200, 64, 64, QStringLiteral("Planta"), 0, QString());
                nodes += node(9417, 720, 420, 64, 64, QStringLiteral("Palmera"), 1, QString());
                nodes += node(9417, 400, 500, 64, 64, QStringLiteral("Entrada"), 3, QString());
                nodes += node(9417, 620, 300, 64, 64, QStringLiteral("Columna"), 4, QString());
                nodes += node(9417, 40, 520, 64, 64, QStringLiteral("Ventana"), 5, QString());
            } else {
                nodes += table(2, 40, 40, QStringLiteral("Mesa 1"));
                nodes += table(2, 160, 40, QStringLiteral("Mesa 2"));
                nodes += node(9417, 40, 160, 64, 64, QStringLiteral("Puerta"), 2, QString());
            }
            const QString doc = QStringLiteral("<FlowGraph Version=\"1\"><Page Caption=\"%1\">%2</Page></FlowGraph>")
                                    .arg(caption.toHtmlEscaped(), nodes);
            return QString(doc).replace(QLatin1Char('\''), QLatin1Char('|'));
        };
        for (const Company& co : m_companies) {
            const std::vector<const char*> names = co.cafes
                ? std::vector<const char*>{"Comedor", "Terraza", "Barra", "Reservados"}
                : std::vector<const char*>{"Cafetería", "Zona de degustación"};
            int code = 1;
            for (const char* n : names) {
                // The first salon has the whole drawn plan, the others a small one.
                sal(co.code, code, QString::fromUtf8(n), plan(QString::fromUtf8(n), code == 1));
                for (int wi : co.warehouses) {
                    const Warehouse& w = m_warehouses[size_t(wi)];
                    if (w.code == 1 || (w.code + code) % 2 == 0)
                        at(co.code, code, w.code);
                }
                ++code;
            }
        }
    }

    // ---- terminal messages ----
    void messages()
    {
        const QStringList fields = cols("Descripcion, Linea1, Linea2, Color, FechaInicial, FechaFinal, NumRepetir, MostrarImagen,"
                                        " Cod_Mostrar, ModoMostrar, Horario1, Horario2, Hora1Ini, Hora1Fin, Hora2Ini, Hora2Fin,"
                                        " L, M, X, J, V, S, D, IntervaloTickets, IntervaloEuros, IntervaloNumTickets, IntervaloMinEuros");
        auto msg = insert(QStringLiteral("TPV_Gestor_Mensajes"),
                          cols("Cod_Empresa, Cod_Mensaje, Origen, Usuario, Imagen, Act, Act2, Act3, Act4, Act5, Act6, Act7, Act8, Act9, Act10") + fields);
        auto wh = insert(QStringLiteral("TPV_Gestor_Mensajes_Almacen"), cols("Cod_Empresa, Cod_Mensaje, Origen, Cod_Almacen"));
        QStringList histCols = cols("Cod_Empresa, Cod_Mensaje, Origen, Usuario, Fecha, Operacion, Imagen, Imagen_Ant");
        for (const QString& f : fields)
            histCols << f << f + QStringLiteral("_Ant");
        auto hist = insert(QStringLiteral("TPV_Gestor_Mensajes_Historico"), histCols);
        auto gone = insert(QStringLiteral("TPV_Gestor_Mensajes_Baja"), cols("Cod_Empresa, Cod_Mensaje, Origen, Act"));

        struct Def {
            const char* name; const char* l1; const char* l2; int colour; int from, to; int repeat; bool image;
            int when; int mode; bool h1; bool weekend; int origin; int everyTickets; double minEuros;
        };
        const std::vector<Def> defs = {
            {"Campaña de Navidad", "¡Felices fiestas!", "Ofrezca la tarjeta regalo al cobrar", rgb(255, 230, 230), -10, 25, 3, false, 1, 0, false, true, 0, 0, 0},
            {"Oferta 2x1 en café", "Hoy 2x1 en café molido", "Recuérdelo a los clientes", rgb(230, 255, 230), -3, 4, 0, true, 0, 0, true, true, 0, 5, 0},
            {"Inventario anual", "Cierre por inventario el día 31", "Avise a los clientes", rgb(255, 255, 200), 10, 30, 1, false, 1, 1, false, false, 0, 0, 0},
            {"Arqueo de caja", "Haga el arqueo antes de las 14:00", "", rgb(220, 235, 255), -60, -30, 2, false, 0, 0, true, false, 0, 0, 0},
            {"Tarjeta club", "Pregunte por la tarjeta club", "Compras de más de 30 €", rgb(240, 240, 240), -20, 60, 0, false, 1, 0, false, true, 0, 0, 30},
            {"Aviso de la tienda", "Reposición de bolsas en caja 2", "", rgb(255, 240, 220), -1, 2, 1, false, 0, 1, false, true, 1, 0, 0},
        };
        const QByteArray image = demo::picture(PictureShape::Bottle, QColor(255, 250, 235), QColor(120, 80, 50), 60, 60);
        for (const Company& co : m_companies) {
            std::map<int, int> next; // origin -> number
            for (const Def& d : defs) {
                int number = ++next[d.origin];
                if (d.origin == 0 && number == 3)
                    number = ++next[d.origin]; // 3 was deleted: its number stays unused
                const QDate from = m_today.addDays(d.from), to = m_today.addDays(d.to);
                const int user = co.supervisor;
                const QVariantList values = {
                    QString::fromUtf8(d.name), QString::fromUtf8(d.l1), QString::fromUtf8(d.l2), d.colour,
                    dateValue(from), dateValue(to), d.repeat, d.image ? 1 : 0, d.when, d.mode, d.h1 ? 1 : 0, 0,
                    d.h1 ? QStringLiteral("08:00") : QStringLiteral("00:00"), d.h1 ? QStringLiteral("14:00") : QStringLiteral("00:00"),
                    QStringLiteral("00:00"), QStringLiteral("00:00"), 1, 1, 1, 1, 1, d.weekend ? 1 : 0, d.weekend ? 1 : 0,
                    d.everyTickets > 0 ? 1 : 0, d.minEuros > 0 ? 1 : 0, d.everyTickets, d.minEuros};
                msg(co.code, number, d.origin, user, d.image ? QVariant(image) : QVariant(), 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                    values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7], values[8],
                    values[9], values[10], values[11], values[12], values[13], values[14], values[15], values[16],
                    values[17], values[18], values[19], values[20], values[21], values[22], values[23], values[24],
                    values[25], values[26]);
                // Every message still in force has at least one warehouse.
                for (int wi : co.warehouses) {
                    const Warehouse& w = m_warehouses[size_t(wi)];
                    if (d.to >= 0 ? (w.code == 1 || (w.code + number) % 2 == 0) : w.code == 2)
                        wh(co.code, number, d.origin, w.code);
                }
                // History: the creation ("A", new values only) and, for some,
                // a later change ("M") of the first line.
                const QDateTime created = dateTimeValue(from.addDays(-3), 10, 15, 0);
                QVariantList row = {co.code, number, d.origin, user, created, QStringLiteral("A"),
                                    d.image ? QVariant(image) : QVariant(), QVariant()};
                for (const QVariant& v : values)
                    row << v << QVariant();
                hist(row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7], row[8], row[9], row[10], row[11],
                     row[12], row[13], row[14], row[15], row[16], row[17], row[18], row[19], row[20], row[21], row[22],
                     row[23], row[24], row[25], row[26], row[27], row[28], row[29], row[30], row[31], row[32], row[33],
                     row[34], row[35], row[36], row[37], row[38], row[39], row[40], row[41], row[42], row[43], row[44],
                     row[45], row[46], row[47], row[48], row[49], row[50], row[51], row[52], row[53], row[54], row[55],
                     row[56], row[57], row[58], row[59], row[60], row[61]);
                if (number % 2 == 0) {
                    QVariantList m = {co.code, number, d.origin, co.supervisor, dateTimeValue(from.addDays(-1), 17, 40, 0),
                                      QStringLiteral("M"), d.image ? QVariant(image) : QVariant(), d.image ? QVariant(image) : QVariant()};
                    for (int i = 0; i < values.size(); ++i) {
                        const QVariant before = i == 1 ? QVariant(QString::fromUtf8(d.l1) + QStringLiteral(" (borrador)")) : values[i];
                        m << values[i] << before;
                    }
                    hist(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11], m[12], m[13], m[14],
                         m[15], m[16], m[17], m[18], m[19], m[20], m[21], m[22], m[23], m[24], m[25], m[26], m[27], m[28],
                         m[29], m[30], m[31], m[32], m[33], m[34], m[35], m[36], m[37], m[38], m[39], m[40], m[41], m[42],
                         m[43], m[44], m[45], m[46], m[47], m[48], m[49], m[50], m[51], m[52], m[53], m[54], m[55], m[56],
                         m[57], m[58], m[59], m[60], m[61]);
                }
            }
            gone(co.code, 3, 0, 0);
            gone(co.code, 9, 0, 1);
        }
    }

    // A message whose picture was replaced, and a copy of it: the history
    // then shows a change with two different pictures and a duplication.
    void messageWithChangedPicture()
    {
        const QStringList fields = cols("Descripcion, Linea1, Linea2, Color, FechaInicial, FechaFinal, NumRepetir, MostrarImagen,"
                                        " Cod_Mostrar, ModoMostrar, Horario1, Horario2, Hora1Ini, Hora1Fin, Hora2Ini, Hora2Fin,"
                                        " L, M, X, J, V, S, D, IntervaloTickets, IntervaloEuros, IntervaloNumTickets, IntervaloMinEuros");
        QStringList histCols = cols("Cod_Empresa, Cod_Mensaje, Origen, Usuario, Fecha, Operacion, Imagen, Imagen_Ant");
        for (const QString& f : fields)
            histCols << f << f + QStringLiteral("_Ant");
        auto msg = insert(QStringLiteral("TPV_Gestor_Mensajes"),
                          cols("Cod_Empresa, Cod_Mensaje, Origen, Usuario, Imagen, Act") + fields);
        auto wh = insert(QStringLiteral("TPV_Gestor_Mensajes_Almacen"), cols("Cod_Empresa, Cod_Mensaje, Origen, Cod_Almacen"));
        auto hist = insert(QStringLiteral("TPV_Gestor_Mensajes_Historico"), histCols);
        const QByteArray before = demo::picture(PictureShape::Round, QColor(255, 255, 255), QColor(200, 40, 40), 60, 60);
        const QByteArray after = demo::picture(PictureShape::Plant, QColor(235, 255, 235), QColor(40, 140, 60), 60, 60);
        for (const Company& co : m_companies) {
            const QDate from = m_today.addDays(-2), to = m_today.addDays(20);
            auto values = [&](const char* line1) {
                return QVariantList{QStringLiteral("Carta de temporada"), QString::fromUtf8(line1),
                                    QStringLiteral("Pregunte por los platos del día"), rgb(235, 255, 235),
                                    dateValue(from), dateValue(to), 0, 1, 0, 1, 0, 0, QStringLiteral("00:00"),
                                    QStringLiteral("00:00"), QStringLiteral("00:00"), QStringLiteral("00:00"),
                                    1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0.0};
            };
            const QVariantList now = values("Nueva carta de otoño"), was = values("Nueva carta");
            for (int number : {7, 8}) { // 8 is the copy of 7
                QVariantList row = {co.code, number, 0, co.supervisor, after, number == 7 ? 1 : 0};
                row += now;
                msg(row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7], row[8], row[9], row[10], row[11],
                    row[12], row[13], row[14], row[15], row[16], row[17], row[18], row[19], row[20], row[21], row[22],
                    row[23], row[24], row[25], row[26], row[27], row[28], row[29], row[30], row[31], row[32]);
                for (int wi : co.warehouses)
                    wh(co.code, number, 0, m_warehouses[size_t(wi)].code);
            }
            // (number, when, operation, picture, previous picture, values, previous values)
            auto change = [&](int number, const QDateTime& when, const char* op, const QVariant& pic, const QVariant& picBefore,
                              const QVariantList& v, const QVariantList& vBefore) {
                QVariantList r = {co.code, number, 0, co.supervisor, when, QString::fromLatin1(op), pic, picBefore};
                for (int i = 0; i < v.size(); ++i)
                    r << v[i] << (vBefore.isEmpty() ? QVariant() : vBefore[i]);
                hist(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], r[8], r[9], r[10], r[11], r[12], r[13], r[14],
                     r[15], r[16], r[17], r[18], r[19], r[20], r[21], r[22], r[23], r[24], r[25], r[26], r[27], r[28],
                     r[29], r[30], r[31], r[32], r[33], r[34], r[35], r[36], r[37], r[38], r[39], r[40], r[41], r[42],
                     r[43], r[44], r[45], r[46], r[47], r[48], r[49], r[50], r[51], r[52], r[53], r[54], r[55], r[56],
                     r[57], r[58], r[59], r[60], r[61]);
            };
            change(7, dateTimeValue(from.addDays(-4), 9, 5, 0), "A", before, QVariant(), was, {});
            change(7, dateTimeValue(from.addDays(-3), 12, 30, 0), "M", after, before, now, was);
            change(8, dateTimeValue(from.addDays(-1), 16, 0, 0), "D", after, after, now, now);
        }
    }

    // ---- parking bands ----
    void parking()
    {
        auto free = insert(QStringLiteral("Parking_Gratis"), cols("Cod_Empresa, Cod_Almacen, ImporteInicial, ImporteFinal, Minutos"));
        auto fare = insert(QStringLiteral("Parking_Tarifa"), cols("Cod_Empresa, Cod_Almacen, MinutoInicial, MinutoFinal, Pvp"));
        for (const Warehouse& w : m_warehouses) {
            if (w.company != 1 || w.code > 2)
                continue; // only the big shops have a car park
            free(w.company, w.code, 0.0, 19.99, 30);
            free(w.company, w.code, 20.0, 49.99, 60);
            free(w.company, w.code, 50.0, 9999.0, 120);
            fare(w.company, w.code, 1, 60, 0.02);
            fare(w.company, w.code, 61, 180, 0.03);
            fare(w.company, w.code, 181, 1440, 0.04);
        }
    }

    // ---- article changes queued for the terminals ----
    void articleQueue()
    {
        auto q = insert(QStringLiteral("Articulos_ToPos"),
                        cols("Cod_Empresa, Cod_Articulo, Fecha, Act, Act1, Act2, Act3, Act4, Act5, Act6, Act7, Act8, Act9, Act10"));
        const int n = int(30 + 10 * m_growth);
        for (int i = 0; i < n; ++i) {
            const Company& co = m_companies[size_t(i % 2)];
            const Article& a = co.articles[size_t(m_rng.between(0, int(co.articles.size()) - 1))];
            std::array<qint64, 11> act{};
            for (const Terminal& t : m_terminals) {
                // On-line terminals take most rows; recent rows are still pending for some.
                const bool taken = t.online && (i < n / 2 || m_rng.chance(0.6));
                if (!taken || t.code > 341)
                    continue;
                const int k = (t.code - 1) / 31;
                const int b = (t.code - 1) - 31 * k;
                act[size_t(k)] |= qint64(1) << b;
            }
            const QDate day = m_today.addDays(-(n - i) / 8);
            q(co.code, a.code, dateTimeValue(day, 8 + i % 10, (i * 7) % 60, 0), act[0], act[1], act[2], act[3], act[4],
              act[5], act[6], act[7], act[8], act[9], act[10]);
        }
    }

    Connection& m_conn;
    QSqlDatabase m_db;
    DemoOptions m_opt;
    Rng m_rng;
    QDate m_today;
    double m_growth = 1;
    long long m_ticketTarget = 0;
    long long m_rows = 0;
    long long m_tickets = 0;

    std::vector<QDate> m_days;
    std::vector<QDate> m_dayText;
    std::vector<Company> m_companies;
    std::vector<Warehouse> m_warehouses;
    std::vector<Terminal> m_terminals;
    std::unordered_map<quint64, Aggregate> m_sales;
    std::unordered_map<quint64, Aggregate> m_customerStats;
    std::vector<InvoiceDraft> m_invoices;
    std::vector<std::pair<int, int>> m_firstTillCounts;
};

// Switches SQLite to its fastest (and least durable) settings while a big
// data set is written, and puts the previous settings back afterwards. The
// data set is still written in one transaction, so a failure leaves nothing.
class FastWrites {
public:
    FastWrites(Connection& conn, bool enable) : m_conn(conn)
    {
        if (!enable || !conn.isSQLite() || conn.transactionDepth() > 0)
            return;
        m_synchronous = conn.scalar(QStringLiteral("PRAGMA synchronous")).toString();
        m_journal = conn.scalar(QStringLiteral("PRAGMA journal_mode")).toString();
        m_cache = conn.scalar(QStringLiteral("PRAGMA cache_size")).toString();
        conn.execute(QStringLiteral("PRAGMA synchronous = OFF"));
        conn.scalar(QStringLiteral("PRAGMA journal_mode = MEMORY"));
        conn.execute(QStringLiteral("PRAGMA cache_size = -262144"));
        m_active = true;
    }
    ~FastWrites()
    {
        if (!m_active)
            return;
        try {
            m_conn.scalar(QStringLiteral("PRAGMA journal_mode = %1").arg(m_journal));
            m_conn.execute(QStringLiteral("PRAGMA synchronous = %1").arg(m_synchronous));
            m_conn.execute(QStringLiteral("PRAGMA cache_size = %1").arg(m_cache));
        } catch (...) {
            // The settings only last as long as the connection.
        }
    }

private:
    Connection& m_conn;
    bool m_active = false;
    QString m_synchronous, m_journal, m_cache;
};

} // namespace

DemoSummary DemoData::generate(Connection& conn, const DemoOptions& options)
{
    return reraiseAs(QStringLiteral("DemoData::generate"), [&] {
        Schema::ensure(conn);
        if (conn.scalar(QStringLiteral("SELECT COUNT(*) FROM Empresas")).toInt() > 0)
            throw Error(errc::InvalidArgument,
                        QStringLiteral("La base de datos ya tiene datos; los datos de demostración solo se "
                                       "generan en una base de datos vacía."));
        const long long planned = options.tickets > 0 ? options.tickets
                                                      : static_cast<long long>(options.scale * ticketsPerScale);
        FastWrites fast(conn, planned >= 20000);
        TransactionGuard guard(conn, TransactionGuard::Write);
        DemoSummary summary = Builder(conn, options).run();
        guard.commit();
        return summary;
    });
}

} // namespace zqvr::demo
