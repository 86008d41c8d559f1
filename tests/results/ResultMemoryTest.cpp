// SPDX-License-Identifier: GPL-3.0-or-later
#include "AllocationLimit.h"

#include "chart/ChartValues.h"
#include "chart/TChartControl.h"
#include "number/Handler.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/TestRegistry.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QTest>

// A result larger than the memory left: the table and the chart keep the
// previous one, their views hear of no change, and the error box says in
// Russian what did not fit.
class ResultMemoryTest : public QObject
{
    Q_OBJECT

    // Counts the changes the model announces to its views.
    static void countAnnouncements(QAbstractItemModel* model, int* count)
    {
        const auto announced = [count] { ++*count; };
        QObject::connect(model, &QAbstractItemModel::modelAboutToBeReset, announced);
        QObject::connect(model, &QAbstractItemModel::rowsAboutToBeInserted, announced);
        QObject::connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, announced);
        QObject::connect(model, &QAbstractItemModel::columnsAboutToBeInserted, announced);
        QObject::connect(model, &QAbstractItemModel::columnsAboutToBeRemoved, announced);
    }

private Q_SLOTS:
    void resultThatDoesNotFitKeepsThePreviousOne_data()
    {
        QTest::addColumn<bool>("chart");
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("table wider")
            << false << 100000 << 3
            << QStringList{"Недостаточно памяти для результата 100000 × 3."};
        QTest::newRow("table taller")
            << false << 4 << 100000
            << QStringList{"Недостаточно памяти для результата 4 × 100000."};
        QTest::newRow("table narrower and taller")
            << false << 2 << 200000
            << QStringList{"Недостаточно памяти для результата 2 × 200000."};
        QTest::newRow("chart") << true << 1000 << 1000
                               << QStringList{"Недостаточно памяти для результата 1000 × 1000."};
    }
    void resultThatDoesNotFitKeepsThePreviousOne()
    {
        QFETCH(bool, chart);
        QFETCH(int, cols);
        QFETCH(int, rows);
        TStringGrid table;
        table.setColCount(4);
        table.setRowCount(3);
        table.setCell(3, 2, QStringLiteral("x"));
        TChartControl values;
        values.StartData(TChartControl::ValuesKind, 2, 3);
        values.ThisSerie(1);
        values.PointValue(2, 7.5);
        values.FinishData(TChartControl::ValuesKind);
        int announced = 0;
        countAnnouncements(table.model(), &announced);
        ErrorRecorder errors;
        {
            const AllocationLimit limit(1 << 20);
            runHandler([&] {
                chart ? void(values.StartData(TChartControl::ValuesKind, rows, cols))
                      : table.gridModel()->setSize(cols, rows);
            });
        }
        QTEST(errors.texts(), "boxes");
        QCOMPARE(announced, 0);
        QCOMPARE(QSize(table.colCount(), table.rowCount()), QSize(4, 3));
        QCOMPARE(table.cell(3, 2), QStringLiteral("x"));
        QCOMPARE(QSize(values.pointCount(), values.seriesCount()), QSize(3, 2));
        QCOMPARE(values.value(1, 2), 7.5);
    }
};

KEROVA_TEST(ResultMemoryTest)
#include "ResultMemoryTest.moc"
