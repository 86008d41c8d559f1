// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/Fixed2Format.h"
#include "number/NumberFormat.h"
#include "testutil/TestRegistry.h"

#include <QLocale>
#include <QTest>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace {

// The fast and the exact text of value, when they differ; empty when they agree.
QString mismatch(double value)
{
    const Fixed2Format format;
    char fast[Fixed2Format::MaxChars];
    char exact[Fixed2Format::MaxChars];
    const int fastLength = format.write(value, fast);
    const int exactLength = format.writeExact(value, exact);
    if (fastLength == exactLength && std::memcmp(fast, exact, std::size_t(fastLength)) == 0)
        return QString();
    return QStringLiteral("%1: %2, exact %3")
        .arg(QString::number(value, 'g', 17), QString::fromLatin1(fast, fastLength),
             QString::fromLatin1(exact, exactLength));
}

// value and its neighbours one and two units in the last place away, both signs.
void addAround(QList<double>& values, double value)
{
    double below = value, above = value;
    for (int i = 0; i < 3; ++i) {
        values << below << above << -below << -above;
        below = std::nextafter(below, 0.0);
        above = std::nextafter(above, std::numeric_limits<double>::infinity());
    }
}

} // namespace

// The "0.00" texts as a spreadsheet shows them: 15 significant digits first,
// then the hundredth with halves away from zero; either decimal separator.
class Fixed2FormatTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void texts_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("comma");
        const auto row = [](const char* name, double value, const char* point, const char* comma) {
            QTest::newRow(name) << value << QString::fromLatin1(point)
                                << QString::fromLatin1(comma);
        };
        row("zero", 0.0, "0.00", "0,00");
        row("negative zero", -0.0, "0.00", "0,00");
        row("tiny negative shows no minus", -0.004, "0.00", "0,00");
        row("half a hundredth", 0.005, "0.01", "0,01");
        row("0.015 up, not 0.01", 0.015, "0.02", "0,02");
        row("sweep step 0.005 + 0.01", 0.005 + 0.01, "0.02", "0,02");
        row("20.005 up, not 20.00", 20.005, "20.01", "20,01");
        row("2.675 up, not 2.67", 2.675, "2.68", "2,68");
        row("1.005", 1.005, "1.01", "1,01");
        row("negative half away from zero", -2.675, "-2.68", "-2,68");
        row("negative small", -0.015, "-0.02", "-0,02");
        row("below half a hundredth", 0.0049999, "0.00", "0,00");
        row("negative below half a hundredth", -0.0049999, "0.00", "0,00");
        row("15th digit rounds to the half", 0.12499999999999999, "0.13", "0,13");
        row("carry through nines", 9.995, "10.00", "10,00");
        row("ordinary", 1234.5678, "1234.57", "1234,57");
        row("no thousands separator", 1234567.891, "1234567.89", "1234567,89");
        row("just below 1e15", 999999999999999.4, "999999999999999.00", "999999999999999,00");
        row("1e15", 1e15, "1000000000000000.00", "1000000000000000,00");
        row("2^60 to 15 digits", 1152921504606846976.0, "1152921504606850000.00",
            "1152921504606850000,00");
        row("negative 1e20", -1e20, "-100000000000000000000.00", "-100000000000000000000,00");
        row("smallest subnormal", std::numeric_limits<double>::denorm_min(), "0.00", "0,00");
    }
    void texts()
    {
        QFETCH(double, value);
        QFETCH(QString, point);
        QFETCH(QString, comma);
        QCOMPARE(Fixed2Format(QLatin1Char('.')).text(value), point);
        QCOMPARE(Fixed2Format(QLatin1Char(',')).text(value), comma);
        const QLocale previous;
        QLocale::setDefault(QLocale(QStringLiteral("ru_RU")));
        const QString russian = NumberFormat::fixed2(value);
        QLocale::setDefault(previous);
        QCOMPARE(russian, comma);
    }

    // The fast path agrees with the exact digits where a rounding is closest
    // to going the other way, one and two units in the last place around it.
    void fastPathIsExact_data()
    {
        QTest::addColumn<QList<double>>("values");
        std::mt19937_64 random(41);
        QList<double> hundredths, thresholds, boundaries, powers, ties;
        for (int n = 0; n < 200000; n += 7) // x.xx5: the hundredth decided by the 15th digit
            addAround(hundredths, (n * 10 + 5) / 1000.0);
        // For every exponent: v × 100 with the fraction 1/2, and with the
        // fraction 1/2 − 1/(2 × 10^(12−e)) where the 15 digits start to round up.
        for (int e = -3; e <= 14; ++e) {
            for (int i = 0; i < 50; ++i) {
                const double whole =
                    std::floor(std::pow(10.0, e + 2 + double(random() >> 11) * 0x1p-53));
                addAround(thresholds, (whole + 0.5) / 100);
                addAround(thresholds, (whole + 0.5 - 0.5 / std::pow(10.0, 12 - e)) / 100);
            }
        }
        for (int e = -3; e <= 15; ++e) {
            const double power = std::pow(10.0, e);
            addAround(powers, power);
            // 9.99999999999999|5 × 10^(e-1): the 15 digits round up into the next power.
            addAround(boundaries, power * (1 - 5e-16));
            addAround(boundaries, power * (1 - 5e-15));
        }
        // An odd m / 2^(k+1) with k = 14 - e is an exact tie at the 15th digit.
        for (int e = -3; e <= 14; ++e) {
            const int k = 14 - e;
            const double low = std::ldexp(std::pow(10.0, e), k + 1);
            for (int i = 0; i < 50; ++i) {
                const auto m = std::uint64_t(low * (1 + 9 * double(random() >> 11) * 0x1p-53)) | 1;
                addAround(ties, std::ldexp(double(m), -(k + 1)));
            }
        }
        QTest::newRow("x.xx5 ties at the hundredth") << hundredths;
        QTest::newRow("hundredth thresholds of every exponent") << thresholds;
        QTest::newRow("15-digit boundaries") << boundaries;
        QTest::newRow("powers of ten") << powers;
        QTest::newRow("exact ties at the 15th digit") << ties;
        // 2,000,000 values over the whole range: any bit pattern, a uniform
        // spread of decimal exponents, decimals with few digits, and x.xx5.
        QList<double> spread;
        spread.reserve(2000000);
        std::uniform_real_distribution<double> exponent(-4.0, 17.0);
        while (spread.size() < 2000000) {
            const double pattern = std::bit_cast<double>(random());
            if (std::isfinite(pattern))
                spread << pattern;
            spread << std::pow(10.0, exponent(random));
            spread << double(random() % 100000000000000000) / std::pow(10.0, double(random() % 19));
            spread << double(random() % 100000000) / 1000.0 + 0.0005;
        }
        QTest::newRow("2,000,000 values over the whole range") << spread;
    }
    void fastPathIsExact()
    {
        QFETCH(QList<double>, values);
        for (const double value : values) {
            const QString difference = mismatch(value);
            if (!difference.isEmpty())
                QFAIL(qPrintable(difference));
        }
    }

    // The largest double still fits the buffer, all 309 digits of it.
    void largestValue()
    {
        const QString text = Fixed2Format().text(-std::numeric_limits<double>::max());
        QCOMPARE(text.size(), 1 + 309 + 3);
        QVERIFY(text.startsWith(QStringLiteral("-179769313486232000")));
        QVERIFY(text.endsWith(QStringLiteral("000.00")));
    }
};

KEROVA_TEST(Fixed2FormatTest)
#include "Fixed2FormatTest.moc"
