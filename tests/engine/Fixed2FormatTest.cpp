// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/Fixed2Format.h"
#include "number/NumberFormat.h"
#include "testutil/TestRegistry.h"

#include <QLocale>
#include <QTest>
#include <cmath>
#include <limits>

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
