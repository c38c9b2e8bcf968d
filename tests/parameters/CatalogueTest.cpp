// The catalogue and its encodings, without widgets: the order a save writes
// the codes in, the bit-set encoders and the special reading rules.
#include "parameters/BitSets.h"
#include "parameters/ParameterCatalogue.h"
#include "parameters/ScopeValues.h"

#include <QSet>
#include <limits>
#include <gtest/gtest.h>

using namespace zqvr::parameters;

namespace {

// The order of the settings in a save, written out from the terminals'
// reading list rather than from the table, so a transcription slip shows.
std::vector<int> expectedSaveOrder()
{
    std::vector<int> c;
    auto range = [&](int a, int b) { for (int i = a; i <= b; ++i) c.push_back(i); };
    c = {52, 53, 54, 56, 57, 58};
    range(60, 76);
    c.insert(c.end(), {78, 79, 80});
    range(81, 99);
    c.push_back(481);
    for (int i = 0; i < 10; ++i)
        c.insert(c.end(), {100 + i, 110 + i, 120 + i, 130 + i, 140 + i, 150 + i});
    c.push_back(160);
    c.push_back(300); // the scale rows
    range(352, 360); range(362, 367); c.push_back(373); range(368, 371); range(374, 386);
    range(388, 393); range(397, 404); range(405, 407); range(408, 434); range(435, 440);
    range(445, 452); range(455, 464); c.push_back(521); c.insert(c.end(), {465, 466});
    range(468, 474); range(475, 480); c.insert(c.end(), {482, 483}); range(493, 509);
    range(511, 516); range(518, 520); c.push_back(522); range(533, 538); range(540, 557);
    return c;
}

ParameterRow row(int code, const QString& valor, const QString& valor2 = QString())
{
    ParameterRow r;
    r.code = code;
    r.valor = valor;
    r.valor2 = valor2;
    return r;
}

} // namespace

TEST(Catalogue, HoldsEveryCodeOnceInTheOrderASaveWritesThem)
{
    std::vector<int> codes;
    for (const CatalogueEntry& e : catalogue())
        codes.push_back(e.code);
    EXPECT_EQ(codes, expectedSaveOrder());

    int fixed = 0;
    for (const CatalogueEntry& e : catalogue())
        if (e.kind != Kind::ScaleRows && e.kind != Kind::Hidden)
            ++fixed;
    EXPECT_EQ(fixed, 276);
    for (int dropped : {215, 216, 387, 453, 454, 467, 510, 517, 539}) {
        EXPECT_TRUE(isDroppedCode(dropped));
        EXPECT_EQ(findEntry(dropped), nullptr);
    }
}

TEST(Catalogue, EachControlIsUsedByOneCodeAndCaptionsAreTheWindowsOwn)
{
    QSet<QString> keys;
    for (const CatalogueEntry& e : catalogue()) {
        if (e.kind == Kind::Hidden)
            continue;
        EXPECT_FALSE(keys.contains(e.key())) << e.code << " " << e.key().toStdString();
        keys.insert(e.key());
    }
    EXPECT_EQ(findEntry(425)->captionText(), QStringLiteral("Descuento de  Empleados al Pie"));
    EXPECT_EQ(findEntry(468)->captionText(), QStringLiteral("Cierre Definitivo (Expandido)  Detallar Vales Emitidos"));
    EXPECT_EQ(findEntry(405)->frameText(), QStringLiteral("Líneas de Vale "));
    EXPECT_EQ(findEntry(494)->controlName(), QStringLiteral("chkActivarFidelizacion"));
    EXPECT_EQ(findEntry(498)->key(), QStringLiteral("txtLoyalGuru!0"));
    EXPECT_EQ(findEntry(536)->key(), QStringLiteral("txtLoyalGuru!7"));
    EXPECT_EQ(findEntry(317), findEntry(300));
    EXPECT_EQ(tabCaption(Tab::Parametros1), QStringLiteral("Parámetros (1)"));
    EXPECT_EQ(tabCaption(Tab::GeltCash), QStringLiteral("Gelt Cash"));

    const QList<ListEntry> cierre = findEntry(355)->listEntries();
    ASSERT_EQ(cierre.size(), 2);
    EXPECT_EQ(cierre[1].text, QStringLiteral("Expandido"));
    EXPECT_EQ(cierre[1].data, 4);
    const QList<ListEntry> pvp0 = findEntry(66)->listEntries();
    ASSERT_EQ(pvp0.size(), 3);
    EXPECT_EQ(pvp0[2].data, 2);
    EXPECT_EQ(findEntry(390)->listEntries()[1].text, QStringLiteral("AAA\\CCC\\YYMMDD-X"));
    EXPECT_EQ(findEntry(56)->groupControls().size(), 6);
}

TEST(Catalogue, OperationsKeysAndScaleTypesCarryTheirCodes)
{
    EXPECT_EQ(operationEntries().size(), 41); // 0-41 without 34
    EXPECT_EQ(operationName(34), QString());
    EXPECT_EQ(operationName(35), QStringLiteral("Descuento"));
    EXPECT_EQ(keyName(113), QStringLiteral("F2"));
    EXPECT_EQ(keyName(127), QStringLiteral("F16"));
    EXPECT_EQ(keyName(33), QStringLiteral("RePág"));
    EXPECT_EQ(keyName(1), QString());
    EXPECT_EQ(storedScaleTypeName(1), QStringLiteral("Código inteno + Peso"));
    EXPECT_EQ(storedScaleTypeName(3), QStringLiteral("Importe"));
    EXPECT_EQ(ScopeValues::linkKeys().first().text, QStringLiteral("---"));
}

TEST(BitSets, ListsAndCheckBoxGroupsEncodeTheirBits)
{
    EXPECT_EQ(encodeListBits({1, 2, 15}), (1 << 1) | (1 << 2) | (1 << 15));
    EXPECT_EQ(encodeListBits({}), 0);
    EXPECT_TRUE(listBitSet(6, 1));
    EXPECT_TRUE(listBitSet(6, 2));
    EXPECT_FALSE(listBitSet(6, 0));
    EXPECT_FALSE(listBitSet(-1, 70)); // no bit beyond the value's width
    EXPECT_EQ(encodeListBits({23}), 1 << 23);

    const QList<int> payment = {1, 2, 4, 8, 16, 64};
    EXPECT_EQ(decodeWeights(payment, 127), QList<bool>(6, true));
    EXPECT_EQ(decodeWeights(payment, 0), QList<bool>(6, false));
    EXPECT_EQ(encodeWeights(payment, QList<bool>(6, true)), 95);
    EXPECT_EQ(decodeWeights({1, 2, 4}, 5), (QList<bool>{true, false, true}));
    EXPECT_EQ(encodeWeights({1, 2, 4}, {false, true, false}), 2);
}

TEST(Numbers, AreReadAsTheSuitesFieldsReadThemAndStoredWithADecimalPoint)
{
    bool ok = false;
    EXPECT_EQ(storedNumber(QStringLiteral("12,5"), &ok), QStringLiteral("12.5"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(storedNumber(QStringLiteral("12.5"), &ok), QStringLiteral("12.5"));
    EXPECT_EQ(storedNumber(QStringLiteral(" 600 "), &ok), QStringLiteral("600"));
    EXPECT_EQ(storedNumber(QStringLiteral("-0,25"), &ok), QStringLiteral("-0.25"));
    // A point before three digits groups thousands, as in every number field of the suite.
    EXPECT_EQ(storedNumber(QStringLiteral("1.500"), &ok), QStringLiteral("1500"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(storedNumber(QStringLiteral("1.234,5"), &ok), QStringLiteral("1234.5"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(storedNumber(QStringLiteral("1.234.567"), &ok), QStringLiteral("1234567"));
    EXPECT_EQ(storedNumber(QString(), &ok), QStringLiteral("0"));
    EXPECT_TRUE(ok);
    for (const char* bad : {"abc", "12a", "--1", "1e5", "1,2,3", "1.23.4", "50 ms"}) {
        storedNumber(QString::fromLatin1(bad), &ok);
        EXPECT_FALSE(ok) << bad;
    }
    EXPECT_EQ(shownNumber(QStringLiteral("0.1")), QStringLiteral("0,1"));
    EXPECT_EQ(shownNumber(QStringLiteral("99999")), QStringLiteral("99999"));
    EXPECT_EQ(shownNumber(QStringLiteral("abc")), QStringLiteral("0"));
    EXPECT_EQ(shownNumber(QStringLiteral("7 días")), QStringLiteral("7"));
    // What a field shows is read back as the very number stored, however often it is saved.
    for (const char* stored : {"123.456", "1500", "1234.5", "-0.25", "0.001", "99999", "1000000"}) {
        const QString shown = shownNumber(QString::fromLatin1(stored));
        EXPECT_EQ(storedNumber(shown, &ok), QString::fromLatin1(stored)) << stored << " shown as " << shown.toStdString();
        EXPECT_TRUE(ok);
    }
}

TEST(Catalogue, AFieldIsNamedByItsCaptionOrByTheRowItSitsOn)
{
    EXPECT_EQ(fieldCaption(*findEntry(382)), QStringLiteral("Fondo de Caja"));
    EXPECT_EQ(fieldCaption(*findEntry(370)), QStringLiteral("Importe Tope en Caja"));
    EXPECT_EQ(fieldCaption(*findEntry(542)), QStringLiteral("Unidades Permitidas"));
    EXPECT_EQ(fieldCaption(*findEntry(536)), QStringLiteral("TimeOut"));
}

TEST(Loading, ARowSetsOnlyItsSettingAndEveryOtherShowsItsResetState)
{
    ScopeValues v;
    v.load({row(78, QStringLiteral("1"))});
    ScopeValues fresh;
    fresh.load({});
    EXPECT_EQ(v.value(78).n, 1);
    v.value(78).n = 0;
    EXPECT_TRUE(v == fresh);
    // Without a row the reservation copies show their second entry.
    EXPECT_EQ(fresh.value(504).n, 1);
    EXPECT_EQ(fresh.value(512).n, 0);
}

TEST(Loading, SpecialReadingRulesOfSingleCodes)
{
    ScopeValues v;
    v.load({row(56, QStringLiteral("127")), row(452, QStringLiteral("5")), row(483, QStringLiteral("6")),
            row(537, QStringLiteral("1")), row(504, QStringLiteral("0")), row(512, QStringLiteral("0")),
            row(430, QStringLiteral("0")), row(355, QStringLiteral("4")), row(30, QStringLiteral("65")),
            row(81, QStringLiteral("1")), row(481, QStringLiteral("1")), row(65, QStringLiteral("-1")),
            row(545, QStringLiteral("1")), row(75, QStringLiteral("7")), row(403, QStringLiteral("99"))});
    EXPECT_EQ(v.value(56).n, 95);    // bit 32 has no box
    EXPECT_EQ(v.value(452).n, 5);
    EXPECT_EQ(v.value(483).n, 6);    // bits 1 and 2
    EXPECT_EQ(v.value(537).n, 1);    // "CLEMSA"
    EXPECT_EQ(v.value(504).n, 1);    // a stored 0 shows the second entry
    EXPECT_EQ(v.value(512).n, 1);
    EXPECT_EQ(v.value(430).text, QStringLiteral("1"));
    EXPECT_EQ(v.value(355).n, 1);    // "Expandido"
    EXPECT_EQ(v.value(81).n, 1);
    EXPECT_EQ(v.value(481).n, 1);
    EXPECT_EQ(v.value(75).n, 0);     // an index beyond the entries keeps the reset choice
    EXPECT_EQ(v.value(403).n, 0);    // no label model 99: "---"
    EXPECT_TRUE(v.hidden545);
    ASSERT_EQ(v.keys.size(), 1u);    // code 30 is an operation key, never a setting
    EXPECT_EQ(v.keys[0].operation, 30);
    EXPECT_EQ(v.keys[0].key, 65);
    // Only the bits of the entries shown are kept.
    QList<int> shown;
    for (const ListEntry& e : v.entries(65))
        shown << e.data;
    EXPECT_EQ(v.value(65).n, listMask(shown));

    ScopeValues parking;
    parking.load({row(537, QStringLiteral("7"))});
    EXPECT_EQ(parking.value(537).n, 0); // "AGA"
}

TEST(Loading, IntegersBeyondThe32BitRangeAreHeldAtItsEndsInsteadOfWrapping)
{
    const QString huge = QStringLiteral("99999999999999999999");   // 20 digits
    const QString hugeNegative = QStringLiteral("-9223372036854775809");
    const QString endless = QStringLiteral("9").repeated(400);      // beyond a double
    ScopeValues v;
    v.load({row(30, huge), row(31, endless), row(447, huge), row(380, hugeNegative), row(75, huge),
            row(403, huge), row(56, huge), row(452, hugeNegative), row(300, QStringLiteral("20"), huge),
            row(435, huge, QStringLiteral("C:/prog.exe"))});
    ASSERT_EQ(v.keys.size(), 2u);
    EXPECT_EQ(v.keys[0].key, std::numeric_limits<int>::max());
    EXPECT_EQ(v.keys[1].key, std::numeric_limits<int>::max());
    EXPECT_EQ(v.value(447).n, std::numeric_limits<int>::max());
    EXPECT_EQ(v.value(380).n, std::numeric_limits<int>::min());
    EXPECT_EQ(v.value(75).n, 0);  // no such entry: the reset choice
    EXPECT_EQ(v.value(403).n, 0); // no such attached integer: "---"
    EXPECT_EQ(v.value(56).n, 95); // every box's bit is set in the largest value
    EXPECT_EQ(v.value(452).n, 0); // and none in the smallest
    ASSERT_EQ(v.scales.size(), 1u);
    EXPECT_EQ(v.scales[0].type, std::numeric_limits<int>::max());
    EXPECT_EQ(v.value(435).n, 0); // no key of that code
}

TEST(Loading, TransferCopiesAlsoSetConfirmationCopiesUnlessItsOwnRowComesLater)
{
    ScopeValues v;
    v.load({row(359, QStringLiteral("2"))});
    EXPECT_EQ(v.value(540).n, 2);
    v.load({row(359, QStringLiteral("2")), row(540, QStringLiteral("3"))});
    EXPECT_EQ(v.value(540).n, 3);
    v.load({row(540, QStringLiteral("3")), row(359, QStringLiteral("1"))});
    EXPECT_EQ(v.value(540).n, 1);
}

TEST(Loading, ScaleRowsComeBackInCodeOrder)
{
    ScopeValues v;
    v.load({row(302, QStringLiteral("28"), QStringLiteral("6")), row(300, QStringLiteral("20"), QStringLiteral("1")),
            row(301, QStringLiteral("21"), QStringLiteral("2"))});
    ASSERT_EQ(v.scales.size(), 3u);
    EXPECT_EQ(v.scales[0], (ScaleRow{QStringLiteral("20"), 1}));
    EXPECT_EQ(v.scales[2], (ScaleRow{QStringLiteral("28"), 6}));
}

TEST(Loading, ResetForgetsTheSettingsOfThePreviousScope)
{
    ScopeValues v;
    v.load({row(447, QStringLiteral("1234")), row(513, QStringLiteral("77")), row(69, QStringLiteral("3")),
            row(509, QStringLiteral("1")), row(553, QStringLiteral("1")), row(545, QStringLiteral("1"))});
    EXPECT_EQ(v.value(447).n, 1234);
    v.load({row(78, QStringLiteral("1"))});
    EXPECT_EQ(v.value(447).n, 0);
    EXPECT_EQ(v.value(513).n, 0);
    EXPECT_EQ(v.value(69).n, 0);
    EXPECT_EQ(v.value(509).n, 0);
    EXPECT_EQ(v.value(553).n, 0);
    EXPECT_FALSE(v.hidden545);
}

TEST(Editions, EachEditionShowsItsOwnListEntriesWithTheSameBits)
{
    ScopeValues fenvary(true);
    ScopeValues kolvane(false);
    EXPECT_EQ(fenvary.entries(457).size(), 8);
    EXPECT_EQ(kolvane.entries(457).size(), 10);
    EXPECT_EQ(fenvary.entries(65).size(), 21);
    EXPECT_EQ(kolvane.entries(65).size(), 19);
    fenvary.load({row(457, QString::number((1 << 8) | (1 << 9)))});
    EXPECT_EQ(fenvary.value(457).n, 1 << 9); // bit 8 has no entry in this edition
}
