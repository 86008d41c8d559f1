// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/ParallelRows.h"
#include "testutil/TestRegistry.h"

#include <QTest>
#include <QThread>
#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

// Row r as text of a length that varies from row to row, so that workers
// finish their chunks out of order.
void appendRow(int row, TextBuffer& out)
{
    out.append(std::to_string(row));
    out.append(std::string(std::size_t(row % 7) * 300, 'x'));
    out.append('\n');
}

std::string expected(int rows)
{
    TextBuffer all;
    for (int row = 0; row < rows; ++row)
        appendRow(row, all);
    return std::string(all.view());
}

} // namespace

// Text made on several threads arrives whole and in row order, as one
// thread makes it; a refused piece or a failure stops the work.
class ParallelRowsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void rowsArriveInOrder_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<qint64>("cellsPerRow");
        QTest::addColumn<int>("workers");
        QTest::newRow("no rows") << 0 << qint64(10) << 4;
        QTest::newRow("one row, four workers") << 1 << qint64(10) << 4;
        QTest::newRow("one worker") << 1000 << qint64(1000) << 1;
        QTest::newRow("two workers") << 1000 << qint64(1000) << 2;
        QTest::newRow("a chunk per row, more workers than cores") << 300 << qint64(1 << 20) << 7;
    }
    void rowsArriveInOrder()
    {
        QFETCH(int, rows);
        QFETCH(qint64, cellsPerRow);
        QFETCH(int, workers);
        std::string text;
        const bool written = ParallelRows::write(
            rows, cellsPerRow, workers,
            [](int first, int end, TextBuffer& out) {
                for (int row = first; row < end; ++row)
                    appendRow(row, out);
            },
            [&text](std::string_view piece) {
                text += piece;
                return true;
            });
        QVERIFY(written);
        QVERIFY(text == expected(rows));
    }

    // A sink that refuses the third piece hears of nothing after it; a
    // format that fails at row 100 raises its error, and no row from 100 on
    // arrives (one row per chunk here).
    void refusalAndFailureStop_data()
    {
        QTest::addColumn<int>("workers");
        QTest::addColumn<bool>("failAtRow100");
        QTest::newRow("refused, alone") << 1 << false;
        QTest::newRow("refused, three workers") << 3 << false;
        QTest::newRow("failed, alone") << 1 << true;
        QTest::newRow("failed, three workers") << 3 << true;
    }
    void refusalAndFailureStop()
    {
        QFETCH(int, workers);
        QFETCH(bool, failAtRow100);
        int pieces = 0;
        bool written = true;
        QString error;
        try {
            written = ParallelRows::write(
                1000, qint64(1) << 20, workers,
                [failAtRow100](int first, int end, TextBuffer& out) {
                    if (failAtRow100 && first <= 100 && 100 < end)
                        throw std::runtime_error("row 100");
                    for (int row = first; row < end; ++row)
                        appendRow(row, out);
                },
                [&pieces, failAtRow100](std::string_view) { return ++pieces < 3 || failAtRow100; });
        } catch (const std::runtime_error& e) {
            error = QString::fromLatin1(e.what());
        }
        QCOMPARE(error, failAtRow100 ? QStringLiteral("row 100") : QString());
        QCOMPARE(written, failAtRow100);
        if (failAtRow100)
            QVERIFY2(pieces <= 100, qPrintable(QString::number(pieces)));
        else
            QCOMPARE(pieces, 3);
    }

    void workerCount_data()
    {
        QTest::addColumn<qint64>("cells");
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("workers");
        const int cores = std::min(QThread::idealThreadCount(), ParallelRows::MaxWorkers);
        QTest::newRow("small table: one") << qint64(10000) << 0 << 1;
        QTest::newRow("large table: every core") << qint64(100000000) << 0 << cores;
        QTest::newRow("asked for one") << qint64(100000000) << 1 << 1;
        QTest::newRow("asked for three, small table") << qint64(10) << 3 << 3;
        QTest::newRow("asked for too many") << qint64(10) << 1000 << ParallelRows::MaxWorkers;
    }
    void workerCount()
    {
        QFETCH(qint64, cells);
        QFETCH(int, requested);
        QTEST(ParallelRows::workerCount(cells, requested), "workers");
    }
};

KEROVA_TEST(ParallelRowsTest)
#include "ParallelRowsTest.moc"
