// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/Formparm.h"
#include "testutil/TestRegistry.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

// The parameter listing: the lines it is handed, and "ОК" and Esc closing it.
class ListingWindowTest : public QObject
{
    Q_OBJECT

    static QStringList lines(const TfrmShowParam& window)
    {
        QStringList all;
        for (int i = 0; i < window.ListBox1->count(); ++i)
            all << window.ListBox1->item(i)->text();
        return all;
    }

private Q_SLOTS:
    void showsTheLinesItIsHanded()
    {
        TfrmShowParam window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Параметры"));
        QCOMPARE(window.ListBox1->count(), 0);
        const QStringList first{"Модель: Тестовая", "", "Уровень 1: Лечебные учреждения"};
        window.setListing(first);
        QCOMPARE(lines(window), first);
        window.ListBox1->setCurrentRow(2);
        window.setListing(first); // the same listing keeps the selection
        QCOMPARE(window.ListBox1->currentRow(), 2);
        const QStringList second{"Модель: Региональная сеть"};
        window.setListing(second);
        QCOMPARE(lines(window), second);
    }

    void okAndEscClose_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("ОК") << false;
        QTest::newRow("Esc") << true;
    }
    void okAndEscClose()
    {
        QFETCH(bool, byEscape);
        TfrmShowParam window;
        window.setListing({"Модель: Тестовая", "", "Уровень 1: Лечебные учреждения"});
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.ListBox1->setCurrentRow(2);
        if (byEscape) {
            window.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QTest::keyClick(&window, Qt::Key_Escape);
        } else {
            QTest::mouseClick(window.btnOK, Qt::LeftButton);
        }
        QVERIFY(window.isHidden());
        window.show();
        QCOMPARE(window.ListBox1->currentRow(), 2);
        QVERIFY(!(window.windowState() & Qt::WindowMaximized));
    }
};

KEROVA_TEST(ListingWindowTest)
#include "ListingWindowTest.moc"
