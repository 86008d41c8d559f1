// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Formparm.h"
#include "testutil/TestRegistry.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

// The parameter listing: its fixed 27 lines, and an OK button without action.
class ListingWindowTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listingHasItsLinesExactly()
    {
        TfrmShowParam window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Параметры"));
        QCOMPARE(window.ListBox1->count(), 27);
        const QStringList expected{"Модель: Тестовая",
                                   "",
                                   "Уровень 1: Лечебные учреждения ",
                                   "",
                                   "Интенсивность потока решения задач: 3",
                                   "Интенсивность потока задач: 1000",
                                   "Потери при задержке: 10",
                                   "Затраты на эксплуатацию узла: 100",
                                   "Ограничение на эксплуатационные затраты: 10000",
                                   "Коэффициент разряжения потока задач: 0.3",
                                   "",
                                   "Уровень 2: Отделения ",
                                   "",
                                   "Интенсивность потока решения задач: 5",
                                   "Интенсивность потока задач: ",
                                   "Потери при задержке: 20",
                                   "Затраты на эксплуатацию узла: 200",
                                   "Ограничение на эксплуатационные затраты: 10000",
                                   "Коэффициент разряжения потока задач: 0.2",
                                   "Уровень 2: Отделения ",
                                   "Интенсивность потока решения задач: 5",
                                   "Интенсивность потока задач: ",
                                   "Потери при задержке: 20",
                                   "Затраты на эксплуатацию узла: 200",
                                   "Ограничение на эксплуатационные затраты: 10000",
                                   "Коэффициент разряжения потока задач: 0.2",
                                   ""};
        for (int line = 0; line < 27; ++line)
            QCOMPARE(window.ListBox1->item(line)->text(), expected.at(line));
    }

    void okDoesNothingAndSelectionSurvivesHiding()
    {
        TfrmShowParam window;
        window.show();
        window.ListBox1->setCurrentRow(5);
        QTest::mouseClick(window.btnOK, Qt::LeftButton);
        QVERIFY(window.isVisible());
        window.close();
        window.show();
        QCOMPARE(window.ListBox1->currentRow(), 5);
        QCOMPARE(window.ListBox1->count(), 27);
        QVERIFY(!(window.windowState() & Qt::WindowMaximized));
    }
};

KEROVA_TEST(ListingWindowTest)
#include "ListingWindowTest.moc"
