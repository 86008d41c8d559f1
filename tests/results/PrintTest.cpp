// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintedPdf.h"
#include "chart/TChartControl.h"
#include "results/Formout.h"
#include "results/Formtblout.h"
#include "results/TablePages.h"
#include "results/TablePrint.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/TestRegistry.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// «Печать…» in the chart and table windows, by Ctrl+P and by the context
// menu, printed through Qt's printer into a PDF file instead of the preview.
class PrintTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

    QString pdf() const { return folder.filePath(QStringLiteral("печать.pdf")); }

    // Ctrl+P where the focus is, or the context menu's action.
    static void askToPrint(QWidget* window, QWidget* focus, bool byKey)
    {
        if (byKey) {
            focus->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(focus, Qt::Key_P, Qt::ControlModifier);
        } else {
            window->findChild<QAction*>(QStringLiteral("actPrint"))->trigger();
        }
    }

private Q_SLOTS:
    void chartIsOnePage_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Ctrl+P") << true;
        QTest::newRow("context menu") << false;
    }
    void chartIsOnePage()
    {
        QFETCH(bool, byKey);
        TfrmOutput window;
        TChartControl* chart = window.Chart1;
        chart->StartData(TChartControl::ValuesKind, 2, 3);
        for (qint16 s = 0; s < 2; ++s) {
            chart->ThisSerie(s);
            for (qint16 p = 0; p < 3; ++p)
                chart->PointValue(p, s + p);
        }
        chart->TitleText(TChartControl::ChartTitleSlot, QStringLiteral("Количество узлов"));
        chart->setInputLines({QStringLiteral("Расчет: 2026-12-07"), QStringLiteral("Уровень: 1")});
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ErrorRecorder errors;
        PrintedPdf printed(pdf());
        askToPrint(&window, chart, byKey);
        QCOMPARE(errors.texts(), QStringList());
        QCOMPARE(printed.names(), QStringList{QStringLiteral("Количество узлов")});
        QCOMPARE(printed.pages(), 1);
    }

    // The whole table, headings on every page: as many pages as its layout
    // has, or those of the range asked for.
    void tableRunsAcrossPages_data()
    {
        QTest::addColumn<int>("cols");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QString>("shape"); // of the layout: one, down, across
        QTest::newRow("small, Ctrl+P") << 3 << 2 << 0 << 0 << true << "one";
        QTest::newRow("tall, menu") << 3 << 300 << 0 << 0 << false << "down";
        QTest::newRow("wide, Ctrl+P") << 60 << 5 << 0 << 0 << true << "across";
        QTest::newRow("pages 2 to 3 of a tall one") << 3 << 300 << 2 << 3 << true << "down";
    }
    void tableRunsAcrossPages()
    {
        QFETCH(int, cols);
        QFETCH(int, rows);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(bool, byKey);
        QFETCH(QString, shape);
        TfrmTblOut window;
        window.tblOut->setColCount(cols);
        window.tblOut->setRowCount(rows);
        for (int c = 0; c < cols; ++c)
            for (int r = 0; r < rows; ++r)
                window.tblOut->gridModel()->setNumber(c, r, 1000.25 * c + r);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ErrorRecorder errors;
        PrintedPdf printed(pdf(), from, to);
        askToPrint(&window, window.tblOut, byKey);
        QCOMPARE(errors.texts(), QStringList());
        QCOMPARE(printed.names(), QStringList{QStringLiteral("Результаты (таблица)")});

        QPrinter printer(QPrinter::HighResolution);
        printed.setUp(printer);
        const TablePages pages =
            TablePrint(*window.tblOut->gridModel(), {QString(), QString()}).layout(&printer);
        const int last = pages.pageCount() - 1;
        const bool down = pages.rows(last).first > 0, across = pages.columns(last).first > 0;
        QCOMPARE(down ? "down" : across ? "across" : "one", shape);
        QCOMPARE(printed.pages(), from > 0 ? to - from + 1 : pages.pageCount());
    }

    void menusOfferPrinting()
    {
        TfrmOutput chart;
        TfrmTblOut table;
        for (QWidget* owner :
             {static_cast<QWidget*>(chart.Chart1), static_cast<QWidget*>(table.tblOut)}) {
            auto* print = owner->findChild<QAction*>(QStringLiteral("actPrint"));
            QVERIFY(print && owner->actions().contains(print));
            QCOMPARE(print->text(), QStringLiteral("Печать…"));
            QCOMPARE(print->shortcut(), QKeySequence(QKeySequence::Print));
        }
    }
};

KEROVA_TEST(PrintTest)
#include "PrintTest.moc"
