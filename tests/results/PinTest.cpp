// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartLabels.h"
#include "chart/FlatChart.h"
#include "chart/TChartControl.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "results/ResultPin.h"
#include "testutil/LocaleScope.h"
#include "testutil/TestRegistry.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QAction>
#include <QChart>
#include <QClipboard>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QValueAxis>
#include <memory>

Q_DECLARE_METATYPE(ResultSubject)

// «Закрепить для сравнения» across the result windows: the pinned result
// stays through later calculations, beside the current one.
class PinTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LocaleScope> locale;
    std::unique_ptr<TfrmOutput> chart;
    std::unique_ptr<TfrmTblOut> table;
    std::unique_ptr<TfrmShowParam> listing;
    ResultPin* pin = nullptr;

    // A calculation as the sweep leaves the windows: nY rows of nX values
    // base + 10 × iy + ix, X from x0 by 0.5, Y from y0 by 2.5, with its
    // inputs, its subject and a failed point, if given.
    void calculate(int nX, int nY, double base, double x0 = 1.0, QPoint failed = {-1, -1},
                   const ResultSubject& subject = {}, double y0 = 10)
    {
        StringGridModel& grid = *table->tblOut->gridModel();
        grid.setSize(nX + 1, nY + 1);
        TChartControl& values = *chart->Chart1;
        values.FinishData(TChartControl::ValuesKind);
        values.StartData(TChartControl::ValuesKind, nY, nX);
        ChartLabels labels =
            ChartLabels::sweep(QStringLiteral("Интенсивность потока задач"),
                               QStringLiteral("Потери при задержке"), nX, x0, 0.5, nY, y0, 2.5);
        labels.subject = subject;
        table->setSubject(subject);
        for (int ix = 0; ix < nX; ++ix)
            grid.setNumber(ix + 1, 0, labels.xValues[size_t(ix)]);
        for (int iy = 0; iy < nY; ++iy) {
            grid.setNumber(0, iy + 1, labels.yValues[size_t(iy)]);
            values.ThisSerie(static_cast<qint16>(iy));
            for (int ix = 0; ix < nX; ++ix) {
                grid.setNumber(ix + 1, iy + 1, base + 10 * iy + ix);
                values.PointValue(static_cast<qint16>(ix), base + 10 * iy + ix);
            }
        }
        labels.failures = PointMarks(nX, nY);
        labels.failures.add(failed.x(), failed.y(), QStringLiteral("Деление на ноль"));
        grid.setMarks(labels.failures);
        values.setLabels(labels);
        table->edtX->setText(labels.xName);
        table->edtY->setText(labels.yName);
        const QStringList inputs{QStringLiteral("Расчет: %1").arg(base)};
        table->setInputLines(inputs);
        values.setInputLines(inputs);
        listing->setListing({QStringLiteral("Модель: Тестовая"),
                             QStringLiteral("Потери при задержке: %1").arg(base)});
    }

    QStringList legend() const
    {
        QStringList names;
        for (QAbstractSeries* series : chart->Chart1->flatChart()->series())
            names << series->name();
        return names;
    }

    // The subject of the calculations of the tests, but where a test changes it.
    static ResultSubject subject()
    {
        return {.xItem = 1,
                .xCaption = QStringLiteral("Интенсивность потока задач"),
                .xLevel = 1,
                .quantity = 0,
                .quantityCaption = QStringLiteral("Количество узлов уровня"),
                .quantityLevel = 2};
    }

    QLineSeries* line(int index) const
    {
        return qobject_cast<QLineSeries*>(chart->Chart1->flatChart()->series().at(index));
    }

private Q_SLOTS:
    void init()
    {
        locale = std::make_unique<LocaleScope>(QLocale(QLocale::Russian, QLocale::Russia));
        chart = std::make_unique<TfrmOutput>();
        table = std::make_unique<TfrmTblOut>();
        listing = std::make_unique<TfrmShowParam>();
        pin = ResultPin::share(*chart, *table, *listing);
        chart->setOpenMaximised(false);
    }
    void cleanup()
    {
        chart.reset();
        listing.reset();
        table.reset();
        locale.reset();
    }

    // Pin, compute again: the chart draws both, the pinned series dashed in
    // the colours of the current ones and named «… (закреплено)»; pinning
    // again replaces the pinned result, «Открепить» drops it.
    void pinnedResultStaysThroughTheNextCalculation()
    {
        QVERIFY(!chart->pinAction()->isEnabled());
        QVERIFY(!chart->btnUnpin->isEnabled());
        calculate(3, 2, 0);
        QVERIFY(chart->btnPin->isEnabled());
        chart->show();
        QVERIFY(QTest::qWaitForWindowActive(chart.get()));
        QTest::keyClick(chart.get(), Qt::Key_D, Qt::ControlModifier);
        QVERIFY(pin->pinned());
        QVERIFY(chart->unpinAction()->isEnabled());
        calculate(3, 2, 100);
        QTRY_COMPARE(legend(), QStringList({"Потери при задержке:", "10,00", "10,00 (закреплено)",
                                            "12,50", "12,50 (закреплено)"}));
        QCOMPARE(line(3)->at(2).y(), 112.0);
        QCOMPARE(line(4)->at(2).y(), 12.0);
        QCOMPARE(line(4)->pen().color(), line(3)->pen().color());
        QCOMPARE(line(3)->pen().style(), Qt::SolidLine);
        QVERIFY(!line(4)->pen().dashPattern().isEmpty());
        QCOMPARE(chart->Chart1->shownInputLines(),
                 QStringList({"Расчет: 100", "Закрепленный расчет (пунктиром):", "Расчет: 0"}));

        chart->btnPin->click();
        calculate(3, 2, 200);
        QTRY_COMPARE(line(4)->at(2).y(), 112.0);
        chart->btnUnpin->click();
        QTRY_COMPARE(legend(), QStringList({"Потери при задержке:", "10,00", "12,50"}));
        QVERIFY(!chart->unpinAction()->isEnabled());
        // The value axis reaches the pinned values above the current ones.
        chart->btnPin->click();
        calculate(3, 2, 0);
        QTRY_COMPARE(legend().size(), 5);
        const QList<QAbstractAxis*> vertical = chart->Chart1->flatChart()->axes(Qt::Vertical);
        QVERIFY(qobject_cast<QValueAxis*>(vertical.first())->max() >= 212.0);
    }

    // «Разность» shows current − pinned in every cell while both results have
    // the same X and Y values; failed points of either stay marked, and the
    // window, the copy and the recorded inputs say it is a difference. It
    // stays through a calculation on the same grid and goes with the pinned
    // result. On another grid the choice is disabled and says why.
    void differenceOfTwoResults_data()
    {
        QTest::addColumn<double>("x0");
        QTest::addColumn<bool>("comparable");
        QTest::newRow("same grid") << 1.0 << true;
        QTest::newRow("other X values") << 2.0 << false;
    }
    void differenceOfTwoResults()
    {
        QFETCH(double, x0);
        QFETCH(bool, comparable);
        QVERIFY(!table->differenceAction()->isEnabled());
        calculate(3, 2, 0, 1.0, {2, 1});
        table->pinAction()->trigger();
        calculate(3, 2, 100, x0, {0, 0});
        const TStringGrid& grid = *table->tblOut;
        QCOMPARE(table->differenceAction()->isEnabled(), comparable);
        if (!comparable) {
            QCOMPARE(table->btnDifference->toolTip(),
                     QStringLiteral("сетки расчетов не совпадают"));
            QCOMPARE(grid.cell(2, 2), QStringLiteral("111,00"));
            return;
        }
        table->btnDifference->click();
        QVERIFY(table->lblDifference->isVisibleTo(table.get()));
        QCOMPARE(grid.cell(2, 2), QStringLiteral("100,00"));
        QCOMPARE(grid.cell(1, 0), QStringLiteral("1,00"));
        const QAbstractItemModel& cells = *grid.model();
        QVERIFY(cells.data(cells.index(0, 0), Qt::BackgroundRole).isValid());
        QCOMPARE(cells.data(cells.index(1, 2), Qt::ToolTipRole).toString(),
                 QStringLiteral("закрепленный расчет: Деление на ноль"));
        table->copyAllAction()->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("\t1,00\t1,50\t2,00\n10,00\t100,00\t100,00\t100,00\n"
                                "12,50\t100,00\t100,00\t100,00\n"));
        QCOMPARE(table->shownInputLines(), QStringList({"Разность: текущий расчет − закрепленный",
                                                        "Текущий расчет:", "Расчет: 100",
                                                        "Закрепленный расчет:", "Расчет: 0"}));
        calculate(3, 2, 250);
        QCOMPARE(grid.cell(2, 2), QStringLiteral("250,00"));
        table->btnUnpin->click();
        QVERIFY(!table->differenceAction()->isEnabled());
        QVERIFY(!table->lblDifference->isVisibleTo(table.get()));
        QCOMPARE(grid.cell(2, 2), QStringLiteral("261,00"));
        QCOMPARE(table->shownInputLines(), QStringList{"Расчет: 250"});
        table->btnPin->click();
        QVERIFY(table->differenceAction()->isEnabled() && !table->differenceAction()->isChecked());
    }

    // The pinned result is drawn only where it means what the current one
    // means: the same X parameter and level, the same quantity and level.
    // Otherwise the line under the chart says why, pictures hold the current
    // result alone and «Разность» is not offered. A pinned line has the
    // colour of the current line of its Y value.
    void pinnedDrawnOnlyForTheSameSubject_data()
    {
        QTest::addColumn<ResultSubject>("pinned");
        QTest::addColumn<double>("y0");   // of the current result
        QTest::addColumn<QString>("why"); // empty: drawn
        const ResultSubject current = subject();
        QTest::newRow("same subject") << current << 10.0 << QString();
        QTest::newRow("same subject, other Y values") << current << 12.5 << QString();
        ResultSubject other = current;
        other.xItem = 2;
        other.xCaption = QStringLiteral("Потери при задержке");
        QTest::newRow("other X parameter")
            << other << 10.0
            << QStringLiteral("другой показатель Х («Потери при задержке» вместо «Интенсивность "
                              "потока задач»)");
        other = current;
        other.xLevel = 2;
        QTest::newRow("X on another level")
            << other << 10.0 << QStringLiteral("показатель Х другого уровня (2 вместо 1)");
        other = current;
        other.quantity = 1;
        other.quantityCaption = QStringLiteral("Производительность узлов уровня");
        QTest::newRow("other quantity")
            << other << 10.0
            << QStringLiteral("другая вычисляемая величина («Производительность узлов уровня» "
                              "вместо «Количество узлов уровня»)");
        other = current;
        other.quantityLevel = 3;
        other.xLevel = 3;
        QTest::newRow("quantity and X on other levels")
            << other << 10.0
            << QStringLiteral("показатель Х другого уровня (3 вместо 1), вычисляемая величина "
                              "другого уровня (3 вместо 2)");
    }
    void pinnedDrawnOnlyForTheSameSubject()
    {
        QFETCH(ResultSubject, pinned);
        QFETCH(double, y0);
        QFETCH(QString, why);
        calculate(3, 2, 0, 1.0, {-1, -1}, pinned);
        chart->btnPin->click();
        calculate(3, 2, 100, 1.0, {-1, -1}, subject(), y0);
        chart->show();
        QVERIFY(QTest::qWaitForWindowExposed(chart.get()));
        QLabel* note = chart->Chart1->pinnedNote();
        if (!why.isEmpty()) {
            QTRY_VERIFY(note->isVisible());
            QCOMPARE(note->text(), QStringLiteral("Закрепленный расчет не показан: у него ") + why);
            QCOMPARE(legend(), QStringList({"Потери при задержке:", "10,00", "12,50"}));
            QCOMPARE(chart->Chart1->shownInputLines(), QStringList{"Расчет: 100"});
            QVERIFY(!table->differenceAction()->isEnabled());
            QCOMPARE(table->btnDifference->toolTip(),
                     QStringLiteral("у закрепленного расчета ") + why);
            chart->btnUnpin->click();
            QTRY_VERIFY(!note->isVisible());
            return;
        }
        QTRY_COMPARE(legend().size(), 5);
        QVERIFY(!note->isVisible());
        QCOMPARE(table->differenceAction()->isEnabled(), y0 == 10.0);
        // Each pinned line in the colour of the current line of its Y value;
        // a Y value the current result has not, a colour of its own.
        QHash<QString, QColor> colours;
        for (int i = 1; i < legend().size(); ++i)
            colours[legend()[i]] = line(i)->pen().color();
        for (const QString& name : colours.keys())
            if (name.endsWith(QStringLiteral(" (закреплено)"))) {
                const QString own = name.chopped(QStringLiteral(" (закреплено)").size());
                if (colours.contains(own))
                    QCOMPARE(colours[name], colours[own]);
                else
                    QCOMPARE(colours.values().count(colours[name]), 1);
            }
        if (y0 != 10.0)
            QCOMPARE(colours[QStringLiteral("12,50 (закреплено)")],
                     colours[QStringLiteral("12,50")]);
    }

    // The listing shows the pinned calculation's levels under the current
    // one's, the lines that differ marked in both, until «Открепить».
    void listingComparesWithThePinnedCalculation()
    {
        calculate(3, 2, 0);
        chart->pinAction()->trigger();
        calculate(3, 2, 100);
        QStringList shown, marked;
        for (int i = 0; i < listing->ListBox1->count(); ++i) {
            const QListWidgetItem* item = listing->ListBox1->item(i);
            shown << item->text();
            if (item->font().bold() && item->background() == TfrmShowParam::differenceBackground())
                marked << item->text() + QStringLiteral(" | ") + item->toolTip();
        }
        QCOMPARE(shown, QStringList({"Модель: Тестовая", "Потери при задержке: 100", "",
                                     "Закрепленный расчет:", "Модель: Тестовая",
                                     "Потери при задержке: 0"}));
        QCOMPARE(marked, QStringList({"Потери при задержке: 100 | в закрепленном расчете: 0",
                                      "Потери при задержке: 0 | в текущем расчете: 100"}));
        chart->unpinAction()->trigger();
        QCOMPARE(listing->ListBox1->count(), 2);
    }
};

KEROVA_TEST(PinTest)
#include "PinTest.moc"
