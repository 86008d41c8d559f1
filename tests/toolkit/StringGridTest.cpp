// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/TestRegistry.h"
#include "toolkit/AutomationError.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QHeaderView>
#include <QTest>

// The string grid: counts, cells addressed column first, fixed row and column
// shown as headers, contents kept across resizing.
class StringGridTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void countsNeverFallBelowOne_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("kept");
        QTest::newRow("ten") << 10 << 10;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("zero") << 0 << 1;
        QTest::newRow("negative") << -5 << 1;
    }
    void countsNeverFallBelowOne()
    {
        QFETCH(int, asked);
        QFETCH(int, kept);
        TStringGrid grid;
        grid.setColCount(asked);
        grid.setRowCount(asked);
        QCOMPARE(grid.colCount(), kept);
        QCOMPARE(grid.rowCount(), kept);
        QCOMPARE(grid.model()->columnCount(), kept - 1);
        QCOMPARE(grid.horizontalHeader()->count(), kept - 1);
        QCOMPARE(grid.verticalHeader()->count(), kept - 1);
    }

    void fixedCellsAreHeadersAndOthersAreItems()
    {
        TStringGrid grid;
        grid.setColCount(10);
        grid.setRowCount(5);
        grid.setCell(3, 0, QStringLiteral("x3"));
        grid.setCell(0, 2, QStringLiteral("y2"));
        grid.setCell(4, 1, QStringLiteral("v"));
        QCOMPARE(grid.cell(3, 0), QStringLiteral("x3"));
        QCOMPARE(grid.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("x3"));
        QCOMPARE(grid.model()->headerData(1, Qt::Vertical).toString(), QStringLiteral("y2"));
        QCOMPARE(grid.model()->index(0, 3).data().toString(), QStringLiteral("v"));
        QVERIFY(!(grid.model()->flags(grid.model()->index(0, 3)) & Qt::ItemIsEditable));
    }

    void everyColumnHasItsDefaultWidth()
    {
        TStringGrid grid;
        grid.setColCount(5);
        grid.setColCount(10);
        for (int section = 0; section < 9; ++section)
            QCOMPARE(grid.horizontalHeader()->sectionSize(section), 64);
        QCOMPARE(grid.verticalHeader()->defaultSectionSize(), 24);
    }

    void resizingKeepsTheCellsThatRemain()
    {
        TStringGrid grid;
        grid.setColCount(4);
        grid.setRowCount(4);
        for (int col = 0; col < 4; ++col)
            for (int row = 0; row < 4; ++row)
                grid.setCell(col, row, QStringLiteral("%1,%2").arg(col).arg(row));
        grid.setColCount(2);
        grid.setColCount(5);
        grid.setRowCount(3);
        QCOMPARE(grid.cell(1, 2), QStringLiteral("1,2"));
        QCOMPARE(grid.cell(0, 0), QStringLiteral("0,0"));
        QCOMPARE(grid.cell(3, 1), QString()); // dropped by the narrowing, not brought back
        QVERIFY_THROWS_EXCEPTION(AutomationError, grid.cell(0, 3));
    }

    void cellOutsideTheGridIsAnError_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("row");
        QTest::newRow("column past the end") << 3 << 0;
        QTest::newRow("row past the end") << 0 << 2;
        QTest::newRow("negative column") << -1 << 0;
        QTest::newRow("negative row") << 0 << -1;
    }
    void cellOutsideTheGridIsAnError()
    {
        QFETCH(int, col);
        QFETCH(int, row);
        TStringGrid grid;
        grid.setColCount(3);
        grid.setRowCount(2);
        QVERIFY_THROWS_EXCEPTION(AutomationError, grid.setCell(col, row, QStringLiteral("x")));
    }

    void aGridTooLargeIsRefusedAndTheOldOneKept()
    {
        TStringGrid grid;
        grid.setColCount(100000);
        QVERIFY_THROWS_EXCEPTION(AutomationError, grid.setRowCount(100000));
        QCOMPARE(grid.rowCount(), 1);
        QCOMPARE(grid.colCount(), 100000);
    }

    // A copy of the grid's numbers (a result kept for comparison) shares them
    // until the grid is written; then it keeps the values it had.
    void aCopyOfTheNumbersKeepsItsValues()
    {
        StringGridModel model;
        model.setSize(3, 2);
        model.setNumber(1, 1, 2.5);
        const ResultGrid kept = model.numbers();
        QCOMPARE(kept.row(1), model.numbers().row(1));
        model.setNumber(1, 1, 7.0);
        QCOMPARE(kept.value(1, 1), 2.5);
        QCOMPARE(model.numbers().value(1, 1), 7.0);
        QVERIFY(kept.row(1) != model.numbers().row(1));
    }
};

KEROVA_TEST(StringGridTest)
#include "StringGridTest.moc"
