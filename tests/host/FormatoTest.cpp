// The suite's number and date notation and the rounding of amounts, as the
// receipts, grids and statements use them.
#include "host/Formato.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using zqvr::host::Formato;
using zqvr::host::Redondear;

TEST(Redondear, RoundsHalfAwayFromZeroDespiteBinaryFractions)
{
    EXPECT_DOUBLE_EQ(Redondear(2.345, 2), 2.35);
    EXPECT_DOUBLE_EQ(Redondear(-2.345, 2), -2.35);
    EXPECT_DOUBLE_EQ(Redondear(1.005, 2), 1.01);   // 1.00499999... in binary
    EXPECT_DOUBLE_EQ(Redondear(1.015, 2), 1.02);
    EXPECT_DOUBLE_EQ(Redondear(0.285, 2), 0.29);
    EXPECT_DOUBLE_EQ(Redondear(2.5, 0), 3.0);
    EXPECT_DOUBLE_EQ(Redondear(-2.5, 0), -3.0);
    EXPECT_DOUBLE_EQ(Redondear(2.344999, 2), 2.34);
    EXPECT_DOUBLE_EQ(Redondear(1234567.895, 2), 1234567.9);
    EXPECT_DOUBLE_EQ(Redondear(0.0005, 3), 0.001);
    // A price times a quantity as the receipts compute it.
    EXPECT_DOUBLE_EQ(Redondear(1.15 * 3, 2), 3.45);
    EXPECT_DOUBLE_EQ(Redondear(std::numeric_limits<double>::quiet_NaN(), 2), 0.0);
}

TEST(FormatoNumero, WritesThousandsPointsDecimalCommaAndSign)
{
    EXPECT_EQ(Formato::FormatoNumero(1234.5, 2), "1.234,50");
    EXPECT_EQ(Formato::FormatoNumero(-1234.565, 2), "-1.234,57");
    EXPECT_EQ(Formato::FormatoNumero(1234567.891, 2), "1.234.567,89");
    EXPECT_EQ(Formato::FormatoNumero(999.999, 2), "1.000,00");
    EXPECT_EQ(Formato::FormatoNumero(100, 2), "100,00");
    EXPECT_EQ(Formato::FormatoNumero(0, 2), "0,00");
    EXPECT_EQ(Formato::FormatoNumero(2.345, 2), "2,35");
    EXPECT_EQ(Formato::FormatoNumero(-2.345, 2), "-2,35");
    EXPECT_EQ(Formato::FormatoNumero(0.005, 2), "0,01");
    EXPECT_EQ(Formato::FormatoNumero(-0.005, 2), "-0,01");
    // What rounds to zero has no sign.
    EXPECT_EQ(Formato::FormatoNumero(-0.001, 2), "0,00");
    EXPECT_EQ(Formato::FormatoNumero(-0.4, 0), "0");
    EXPECT_EQ(Formato::FormatoNumero(1.5, 3), "1,500");
    EXPECT_EQ(Formato::FormatoNumero(1234.4, 0), "1.234");
    EXPECT_EQ(Formato::FormatoNumero(-1000000, 0), "-1.000.000");
    EXPECT_EQ(Formato::FormatoNumero(3.7, -1), "4");
}

TEST(FormatoNumero, IgnoresTheMachinesLocale)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(Formato::FormatoNumero(1234.5, 2), "1.234,50");
    EXPECT_DOUBLE_EQ(Formato::LeerNumero("1.234,5"), 1234.5);
    QLocale::setDefault(before);
}

TEST(Alinear, PadsOrCutsToTheWidthInEachMode)
{
    EXPECT_EQ(Formato::Alinear(0, "ab", 5), "ab   ");
    EXPECT_EQ(Formato::Alinear(1, "ab", 5), " ab  ");
    EXPECT_EQ(Formato::Alinear(1, "ab", 6), "  ab  ");
    EXPECT_EQ(Formato::Alinear(2, "12,50", 9), "    12,50");
    EXPECT_EQ(Formato::Alinear(3, "7", 5), "00007");
    EXPECT_EQ(Formato::Alinear(3, "7 - Ana", 9), "7 - Ana  "); // a name is never zero-filled
    EXPECT_EQ(Formato::Alinear(0, "", 3), "   ");
    EXPECT_EQ(Formato::Alinear(7, "ab", 4), "ab  "); // unknown modes align left
    // Too long: cut to the width, whatever the mode.
    for (int mode = 0; mode <= 3; ++mode) {
        EXPECT_EQ(Formato::Alinear(mode, "DESCRIPCION MUY LARGA", 11), "DESCRIPCION") << mode;
        EXPECT_EQ(Formato::Alinear(mode, "abc", 3), "abc") << mode;
        EXPECT_EQ(Formato::Alinear(mode, "abc", 0), "") << mode;
        EXPECT_EQ(Formato::Alinear(mode, "abc", -4), "") << mode;
    }
    // Receipt columns hold their width with accented text too.
    EXPECT_EQ(Formato::Alinear(0, "Plátano de Canarias", 25).size(), 25);
}

TEST(LeerNumero, ReadsTheSuitesNotationAndRejectsTheRest)
{
    bool ok = false;
    EXPECT_DOUBLE_EQ(Formato::LeerNumero("12,5", &ok), 12.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(Formato::LeerNumero("1.234,5"), 1234.5);
    EXPECT_DOUBLE_EQ(Formato::LeerNumero("1.234.567,89"), 1234567.89);
    EXPECT_DOUBLE_EQ(Formato::LeerNumero("-3"), -3.0);
    EXPECT_DOUBLE_EQ(Formato::LeerNumero(" 7 "), 7.0);
    EXPECT_DOUBLE_EQ(Formato::LeerNumero("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(Formato::LeerNumero(",5"), 0.5);
    EXPECT_DOUBLE_EQ(Formato::LeerNumero("-0,25"), -0.25);
    // What the grids show reads back as the same number.
    for (double v : {0.0, 1.5, -1234.56, 1000000.0, 0.01})
        EXPECT_DOUBLE_EQ(Formato::LeerNumero(Formato::FormatoNumero(v, 2)), v);
    for (const char* bad : {"", "   ", "abc", "12,5,3", "1,2.3", "1e5", "12 5", "--3", "€12"}) {
        EXPECT_DOUBLE_EQ(Formato::LeerNumero(bad, &ok), 0.0) << bad;
        EXPECT_FALSE(ok) << bad;
    }
}

TEST(FormatoFecha, DayFirstDatesBothWays)
{
    EXPECT_EQ(Formato::FormatoFecha(QDate(2026, 1, 6)), "06/01/2026");
    EXPECT_EQ(Formato::FormatoFecha(QDate()), "");
    EXPECT_EQ(Formato::FormatoFecha(QString("6/1/26")), "06/01/2026");
    EXPECT_EQ(Formato::FormatoFecha(QString("2026-12-06")), "06/12/2026");
    EXPECT_EQ(Formato::FormatoFecha(QString("31/02/2026")), "");
    EXPECT_EQ(Formato::LeerFecha("06/12/2026 14:30"), QDate(2026, 12, 6));
    EXPECT_EQ(Formato::LeerFecha("06-12-2026"), QDate(2026, 12, 6));
    EXPECT_EQ(Formato::LeerFecha("1/3/99"), QDate(1999, 3, 1));
    EXPECT_FALSE(Formato::LeerFecha("").isValid());
    EXPECT_FALSE(Formato::LeerFecha("  /  /    ").isValid());
    EXPECT_FALSE(Formato::LeerFecha("13/13/2026").isValid());
}
