// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/TablePages.h"
#include "testutil/TestRegistry.h"

#include <QTest>

// How a printed table falls into pages: bands of rows down the page below
// the heading row, bands of columns across beside the heading column, pages
// down first, then across.
class TablePagesTest : public QObject
{
    Q_OBJECT

    // Page by page, "columns first–last rows first–last" (body, from 0; "-" for none).
    static QString bands(const TablePages& pages)
    {
        QStringList all;
        const auto band = [](TablePages::Band b) {
            return b.count ? QStringLiteral("%1–%2").arg(b.first).arg(b.first + b.count - 1)
                           : QStringLiteral("-");
        };
        for (int p = 0; p < pages.pageCount(); ++p)
            all << band(pages.columns(p)) + QLatin1Char(' ') + band(pages.rows(p));
        return all.join(QStringLiteral("; "));
    }

private Q_SLOTS:
    void cutsIntoPages_data()
    {
        QTest::addColumn<double>("heading");
        QTest::addColumn<QList<double>>("widths");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QSizeF>("area");
        QTest::addColumn<QString>("pages");
        // Area 100 wide: 20 for the heading column, 80 for body columns;
        // 10 rows of 10 high: the heading row and 9 body rows.
        const QSizeF area(100, 100);
        QTest::newRow("fits one page") << 20.0 << QList<double>{40, 40} << 9 << area << "0–1 0–8";
        QTest::newRow("rows run on")
            << 20.0 << QList<double>{40} << 20 << area << "0–0 0–8; 0–0 9–17; 0–0 18–19";
        QTest::newRow("columns run on, down first") << 20.0 << QList<double>{50, 30, 10, 60} << 10
                                                    << area << "0–1 0–8; 0–1 9–9; 2–3 0–8; 2–3 9–9";
        QTest::newRow("a column wider than a page has one")
            << 20.0 << QList<double>{10, 500, 10} << 1 << area << "0–0 0–0; 1–1 0–0; 2–2 0–0";
        QTest::newRow("headings only") << 20.0 << QList<double>{} << 0 << area << "- -";
        QTest::newRow("a page too short still takes a row")
            << 20.0 << QList<double>{40} << 2 << QSizeF(100, 5) << "0–0 0–0; 0–0 1–1";
    }
    void cutsIntoPages()
    {
        QFETCH(double, heading);
        QFETCH(QList<double>, widths);
        QFETCH(int, rows);
        QFETCH(QSizeF, area);
        QFETCH(QString, pages);
        const TablePages cut(heading, {widths.begin(), widths.end()}, rows, 10, area);
        QCOMPARE(bands(cut), pages);
    }

    // Narrowed to the page: a body column to what is beside the heading
    // column, the heading column to half the page.
    void narrowsWhatIsTooWide_data()
    {
        QTest::addColumn<double>("heading");
        QTest::addColumn<double>("column");
        QTest::addColumn<double>("printedHeading");
        QTest::addColumn<double>("printedColumn");
        QTest::newRow("both fit") << 20.0 << 30.0 << 20.0 << 30.0;
        QTest::newRow("wide column") << 20.0 << 300.0 << 20.0 << 80.0;
        QTest::newRow("wide heading") << 70.0 << 300.0 << 50.0 << 50.0;
    }
    void narrowsWhatIsTooWide()
    {
        QFETCH(double, heading);
        QFETCH(double, column);
        const TablePages cut(heading, {column}, 1, 10, QSizeF(100, 100));
        QTEST(cut.headingWidth(), "printedHeading");
        QTEST(cut.columnWidth(0), "printedColumn");
    }
};

KEROVA_TEST(TablePagesTest)
#include "TablePagesTest.moc"
