// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/NumberFormat.h"
#include "results/Formtblout.h"
#include "testutil/TestRegistry.h"
#include "toolkit/TStringGrid.h"
#include "toolkit/TUpDown.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <memory>

// The table window: initial content, what a calculation writes, "Выход".
class TableWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TfrmTblOut> window;

private Q_SLOTS:
    void init()
    {
        window = std::make_unique<TfrmTblOut>();
        frmTblOut = window.get();
    }
    void cleanup()
    {
        frmTblOut = nullptr;
        window.reset();
        QLocale::setDefault(QLocale::c());
    }

    // No parameter is named before a calculation names one.
    void startsWithEmptyNamesAndFiveByFive()
    {
        QCOMPARE(window->windowTitle(), QStringLiteral("Результаты (таблица)"));
        QCOMPARE(window->edtX->text(), QString());
        QCOMPARE(window->edtY->text(), QString());
        QCOMPARE(window->tblOut->colCount(), 5);
        QCOMPARE(window->tblOut->rowCount(), 5);
        QCOMPARE(window->tblOut->cell(4, 4), QString());
        QVERIFY(window->edtX->font().bold());
        QVERIFY(window->windowState() & Qt::WindowMaximized);
        QCOMPARE(window->UpDown1->position(), 0);
        QCOMPARE(window->UpDown2->maximum(), 100);
        QCOMPARE(window->findChild<TStringGrid*>(QStringLiteral("tblOut")), window->tblOut);
    }

    void nineByFourResultFillsTenByFive()
    {
        window->tblOut->setColCount(9 + 1);
        window->tblOut->setRowCount(4 + 1);
        for (int i = 0; i < 4; ++i) {
            window->tblOut->setCell(0, i + 1, NumberFormat::fixed2(i));
            for (int j = 0; j < 9; ++j) {
                window->tblOut->setCell(j + 1, 0, NumberFormat::fixed2(j * 0.5));
                window->tblOut->setCell(j + 1, i + 1, NumberFormat::fixed2(i * j));
            }
        }
        QCOMPARE(window->tblOut->colCount(), 10);
        QCOMPARE(window->tblOut->rowCount(), 5);
        QCOMPARE(window->tblOut->cell(9, 0), QStringLiteral("4.00"));
        QCOMPARE(window->tblOut->cell(0, 4), QStringLiteral("3.00"));
        QCOMPARE(window->tblOut->cell(9, 4), QStringLiteral("24.00"));
        QCOMPARE(window->tblOut->model()->columnCount(), 9);
        QCOMPARE(window->tblOut->model()->rowCount(), 4);
    }

    void numbersUseTheLocaleSeparator_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("shown");
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("comma") << russian << 2.5 << QStringLiteral("2,50");
        QTest::newRow("full stop") << english << 2.5 << QStringLiteral("2.50");
        QTest::newRow("no thousands separator")
            << russian << 1234567.891 << QStringLiteral("1234567,89");
        QTest::newRow("leading digit") << english << 0.004 << QStringLiteral("0.00");
        QTest::newRow("rounded") << english << -3.456 << QStringLiteral("-3.46");
    }
    void numbersUseTheLocaleSeparator()
    {
        QFETCH(QLocale, locale);
        QFETCH(double, value);
        QFETCH(QString, shown);
        QLocale::setDefault(locale);
        window->tblOut->setCell(1, 1, NumberFormat::fixed2(value));
        QCOMPARE(window->tblOut->cell(1, 1), shown);
    }

    void exitAndShowAgainKeepTheTable()
    {
        window->tblOut->setColCount(3);
        window->tblOut->setCell(2, 4, QStringLiteral("7,00"));
        window->edtX->setText(QStringLiteral("Потери при задержке"));
        window->show();
        QTest::mouseClick(window->btnClose, Qt::LeftButton);
        QVERIFY(!window->isVisible());
        window->show();
        QVERIFY(window->isVisible());
        QCOMPARE(window->tblOut->colCount(), 3);
        QCOMPARE(window->tblOut->cell(2, 4), QStringLiteral("7,00"));
        QCOMPARE(window->edtX->text(), QStringLiteral("Потери при задержке"));
    }

    void escapeLeavesLikeExit()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }
};

KEROVA_TEST(TableWindowTest)
#include "TableWindowTest.moc"
