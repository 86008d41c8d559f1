// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/TestRegistry.h"
#include "toolkit/TRadioGroup.h"
#include "toolkit/TUpDown.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

// Radio group item index and up-down arrows.
class ControlsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void radioGroupItemIndexFollowsTheChoice()
    {
        TRadioGroup group(QStringLiteral("3D"));
        group.setItems({QStringLiteral("Да"), QStringLiteral("Нет")});
        group.show();
        QCOMPARE(group.itemIndex(), -1);
        group.setItemIndex(1);
        QCOMPARE(group.itemIndex(), 1);
        QTest::mouseClick(group.button(0), Qt::LeftButton);
        QCOMPARE(group.itemIndex(), 0);
        QVERIFY(!group.button(1)->isChecked());
        group.setItemIndex(-1);
        QCOMPARE(group.itemIndex(), -1);
        QCOMPARE(group.button(1)->accessibleName(), QStringLiteral("3D: Нет"));
    }

    void upDownStaysWithinItsRange_data()
    {
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("position");
        QTest::newRow("up") << false << 0 << 3 << 3;
        QTest::newRow("down at minimum") << false << 0 << -1 << 0;
        QTest::newRow("up at maximum") << false << 100 << 1 << 100;
        QTest::newRow("wrap past maximum") << true << 100 << 1 << 0;
        QTest::newRow("wrap below minimum") << true << 0 << -1 << 100;
    }
    void upDownStaysWithinItsRange()
    {
        QFETCH(bool, wrap);
        QFETCH(int, start);
        QFETCH(int, steps);
        QFETCH(int, position);
        TUpDown arrows(Qt::Vertical);
        arrows.setRange(0, 100);
        arrows.setWrap(wrap);
        arrows.setPosition(start);
        arrows.stepBy(steps);
        QCOMPARE(arrows.position(), position);
    }

    void upDownAnswersTheArrowKeys()
    {
        TUpDown arrows(Qt::Horizontal);
        QSignalSpy moved(&arrows, &TUpDown::positionChanged);
        QTest::keyClick(&arrows, Qt::Key_Right);
        QTest::keyClick(&arrows, Qt::Key_Right);
        QTest::keyClick(&arrows, Qt::Key_Left);
        QCOMPARE(arrows.position(), 1);
        QCOMPARE(moved.count(), 3);
    }
};

KEROVA_TEST(ControlsTest)
#include "ControlsTest.moc"
