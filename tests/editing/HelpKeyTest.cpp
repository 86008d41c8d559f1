// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/EditingFixture.h"
#include "testutil/TestRegistry.h"
#include "toolkit/HelpWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>

// Every window opens the manual at its own section with F1; the model
// window has a «Справка» button too; Esc closes the help.
class HelpKeyTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<EditingFixture> f;

    static QWidget* window(const QString& name)
    {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == name)
                return top;
        return nullptr;
    }
    static QString shownHeading()
    {
        HelpWindow* help = HelpWindow::current();
        return help && help->isVisible() ? help->txtHelp->textCursor().block().text() : QString();
    }

private Q_SLOTS:
    void init() { f = std::make_unique<EditingFixture>(); }
    void cleanup()
    {
        if (HelpWindow::current())
            HelpWindow::current()->close();
        f.reset();
    }

    void f1OpensTheWindowsSection_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("heading");
        QTest::newRow("Модели") << "frmMathModel"
                                << "Окно моделей «Модели»";
        QTest::newRow("Уровни") << "lstLevel"
                                << "Список уровней «Уровни» и редактор уровня";
        QTest::newRow("Редактирование параметров уровня")
            << "frmLevel"
            << "Список уровней «Уровни» и редактор уровня";
        QTest::newRow("Расчеты") << "frmExecute"
                                 << "Окно расчетов «Расчеты»";
        QTest::newRow("Результаты (диаграмма)") << "frmOutput"
                                                << "Окно диаграммы «Результаты (диаграмма) »";
        QTest::newRow("Результаты (таблица)") << "frmTblOut"
                                              << "Окно таблицы «Результаты (таблица)»";
        QTest::newRow("Параметры") << "frmShowParam"
                                   << "Перечень параметров «Параметры»";
    }
    void f1OpensTheWindowsSection()
    {
        QFETCH(QString, name);
        QFETCH(QString, heading);
        f->start();
        QWidget* form = window(name);
        QVERIFY(form);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form,
                        Qt::Key_F1);
        QCOMPARE(shownHeading(), heading);
        QVERIFY(QTest::qWaitForWindowActive(HelpWindow::current()));
        QTest::keyClick(HelpWindow::current()->txtHelp, Qt::Key_Escape);
        QCOMPARE(shownHeading(), QString());
        QVERIFY(f->errors.texts().isEmpty());
    }

    // The button stands in the row of «Уровни» and «Расчеты», before «Выход»,
    // and Tab reaches it between them.
    void helpButtonOfTheModelWindow()
    {
        f->start();
        auto* help = frmMathModel->findChild<QPushButton*>(QStringLiteral("btnHelp"));
        QVERIFY(help);
        QCOMPARE(help->accessibleName(), QStringLiteral("Справка"));
        frmMathModel->btnCalc->setFocus();
        QTest::keyClick(frmMathModel->btnCalc, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), help);
        QTest::mouseClick(help, Qt::LeftButton);
        QCOMPARE(shownHeading(), QStringLiteral("Окно моделей «Модели»"));
    }
};

KEROVA_TEST(HelpKeyTest)
#include "HelpKeyTest.moc"
