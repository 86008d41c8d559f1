// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChosenPath.h"
#include "chart/SafeSave.h"
#include "number/Error.h"
#include "number/NumberFormat.h"
#include "results/Formtblout.h"
#include "results/ResultExport.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/TestRegistry.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TStringGrid.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The table window's copy and CSV save: text for a spreadsheet in the
// user's number format, the inputs at the head of the file, failed saves.
class TableExportTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TfrmTblOut> window;
    std::unique_ptr<QTemporaryDir> folder;

    // A 3 by 2 result: X 10 and 20, Y 1.5, values 2.5 and 1234.5.
    void fill()
    {
        TStringGrid* grid = window->tblOut;
        grid->setColCount(3);
        grid->setRowCount(2);
        grid->setCell(1, 0, NumberFormat::fixed2(10));
        grid->setCell(2, 0, NumberFormat::fixed2(20));
        grid->setCell(0, 1, NumberFormat::fixed2(1.5));
        grid->setCell(1, 1, NumberFormat::fixed2(2.5));
        grid->setCell(2, 1, NumberFormat::fixed2(1234.5));
    }
    QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private Q_SLOTS:
    void init()
    {
        window = std::make_unique<TfrmTblOut>();
        folder = std::make_unique<QTemporaryDir>();
        QGuiApplication::clipboard()->clear();
    }
    void cleanup()
    {
        window.reset();
        folder.reset();
        QLocale::setDefault(QLocale::c());
    }

    void copyAndCsv_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QByteArray>("csv");
        const QStringList inputs{
            QStringLiteral("Расчет: 2026-12-07 09:15:03"),
            QStringLiteral("Показатель Х: «Имя; с точкой с запятой», \"кавычки\"")};
        QTest::newRow("comma")
            << QLocale(QLocale::Russian, QLocale::Russia) << inputs
            << QStringLiteral("\t10,00\t20,00\n1,50\t2,50\t1234,50\n")
            << QByteArray("\xEF\xBB\xBF"
                          "Расчет: 2026-12-07 09:15:03\r\n"
                          "\"Показатель Х: «Имя; с точкой с запятой», \"\"кавычки\"\"\"\r\n"
                          ";10,00;20,00\r\n"
                          "1,50;2,50;1234,50\r\n");
        QTest::newRow("full stop")
            << QLocale(QLocale::English, QLocale::UnitedStates) << inputs
            << QStringLiteral("\t10.00\t20.00\n1.50\t2.50\t1234.50\n")
            << QByteArray("\xEF\xBB\xBF"
                          "Расчет: 2026-12-07 09:15:03\r\n"
                          "\"Показатель Х: «Имя; с точкой с запятой», \"\"кавычки\"\"\"\r\n"
                          ",10.00,20.00\r\n"
                          "1.50,2.50,1234.50\r\n");
        QTest::newRow("no inputs")
            << QLocale(QLocale::English, QLocale::UnitedStates) << QStringList()
            << QStringLiteral("\t10.00\t20.00\n1.50\t2.50\t1234.50\n")
            << QByteArray("\xEF\xBB\xBF,10.00,20.00\r\n1.50,2.50,1234.50\r\n");
    }
    void copyAndCsv()
    {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, inputs);
        QLocale::setDefault(locale);
        fill();
        window->setInputLines(inputs);
        window->copyAction()->trigger();
        QTEST(QGuiApplication::clipboard()->text(), "clipboard");

        const QString path = folder->filePath(QStringLiteral("результаты.csv"));
        ChosenPath chosen(path);
        window->saveCsvAction()->trigger();
        QCOMPARE(chosen.asked().size(), 1);
        QTEST(read(path), "csv");
    }

    // A table too large for one thread: numbers, texts that need quotes and
    // empty cells copy and save as the cells read, joined one by one.
    void largeTableAsTheCellsRead_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("comma") << QLocale(QLocale::Russian, QLocale::Russia);
        QTest::newRow("full stop") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("Arabic separator") << QLocale(QLocale::Arabic, QLocale::SaudiArabia);
    }
    void largeTableAsTheCellsRead()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        StringGridModel& model = *window->tblOut->gridModel();
        const int cols = 401, rows = 401;
        model.setSize(cols, rows);
        for (int row = 0; row < rows; ++row)
            for (int col = 0; col < cols; ++col)
                if ((row * cols + col) % 97 == 5)
                    model.setCell(col, row, QStringLiteral("a;b,\"c\"\t"));
                else if ((row * cols + col) % 89 != 3)
                    model.setNumber(col, row, (row * 1000.0 + col) * 0.005 - 3.0);
        const auto joined = [&](QChar separator, const char* lineEnd) {
            QString text;
            for (int row = 0; row < rows; ++row) {
                for (int col = 0; col < cols; ++col)
                    text += (col > 0 ? QString(separator) : QString()) +
                            ResultExport::field(model.cell(col, row), separator);
                text += QLatin1String(lineEnd);
            }
            return text;
        };
        const ResultExport::Range all = ResultExport::allCells(*window->tblOut);
        QVERIFY(ResultExport::clipboardText(all) == joined(QLatin1Char('\t'), "\n"));
        QVERIFY(ResultExport::csv({}, all) ==
                "\xEF\xBB\xBF" + joined(ResultExport::csvSeparator(), "\r\n").toUtf8());
    }

    // A selection copies its cells only, or with «Копировать с заголовками»
    // under their X values and beside their Y values; the whole table (Ctrl+A,
    // or «Копировать все» whatever is selected) copies with both headings, as
    // the CSV has them. The view leaves out the fixed row and column.
    void copyWithAndWithoutHeadings_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QRect>("selection"); // of the view's items; empty: Ctrl+A
        QTest::addColumn<QString>("clipboard");
        const QString whole = QStringLiteral(
            "\t10,00\t20,00\t30,00\n1,50\t1,00\t2,00\t3,00\n2,50\t4,00\t5,00\t6,00\n");
        QTest::newRow("range") << "copy" << QRect(1, 0, 2, 2)
                               << QStringLiteral("2,00\t3,00\n5,00\t6,00\n");
        QTest::newRow("range with headings")
            << "headings" << QRect(1, 0, 2, 2)
            << QStringLiteral("\t20,00\t30,00\n1,50\t2,00\t3,00\n2,50\t5,00\t6,00\n");
        QTest::newRow("one cell with headings")
            << "headings" << QRect(0, 1, 1, 1) << QStringLiteral("\t10,00\n2,50\t4,00\n");
        QTest::newRow("Ctrl+A") << "copy" << QRect() << whole;
        QTest::newRow("Ctrl+A with headings") << "headings" << QRect() << whole;
        QTest::newRow("all, one cell selected") << "all" << QRect(2, 1, 1, 1) << whole;
    }
    void copyWithAndWithoutHeadings()
    {
        QFETCH(QString, how);
        QFETCH(QRect, selection);
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        TStringGrid* grid = window->tblOut;
        grid->setColCount(4);
        grid->setRowCount(3);
        for (int col = 1; col < 4; ++col)
            grid->setCell(col, 0, NumberFormat::fixed2(10 * col));
        for (int row = 1; row < 3; ++row) {
            grid->setCell(0, row, NumberFormat::fixed2(row + 0.5));
            for (int col = 1; col < 4; ++col)
                grid->setCell(col, row, NumberFormat::fixed2(3 * (row - 1) + col));
        }
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QAbstractItemModel* model = grid->model();
        QTRY_COMPARE(model->columnCount(), 3);
        grid->setFocus();
        if (selection.isEmpty())
            QTest::keySequence(grid, QKeySequence::SelectAll);
        else
            grid->selectionModel()->select(
                QItemSelection(model->index(selection.top(), selection.left()),
                               model->index(selection.bottom(), selection.right())),
                QItemSelectionModel::ClearAndSelect);
        if (how == QLatin1String("copy"))
            QTest::keySequence(grid, QKeySequence::Copy);
        else if (how == QLatin1String("headings"))
            window->copyWithHeadingsAction()->trigger();
        else
            window->copyAllAction()->trigger();
        QTEST(QGuiApplication::clipboard()->text(), "clipboard");
    }

    // The initial 5 by 5 grid copies and saves as empty cells.
    void emptyGrid()
    {
        window->copyAction()->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\t\t\t\t\n").repeated(5));
        const QString path = folder->filePath(QStringLiteral("пусто.csv"));
        ChosenPath chosen(path);
        window->saveCsvAction()->trigger();
        QCOMPARE(read(path), QByteArray("\xEF\xBB\xBF") + QByteArray(",,,,\r\n").repeated(5));
    }

    void cancelledDialogWritesNothing()
    {
        ErrorRecorder errors;
        ChosenPath chosen{QString()};
        window->saveCsvAction()->trigger();
        QCOMPARE(chosen.asked().size(), 1);
        QCOMPARE(errors.count(), 0);
        QVERIFY(QDir(folder->path()).isEmpty());
    }

    // An unwritable place is reported; the table stays and saves elsewhere.
    void failedSaveIsReportedAndLosesNothing()
    {
        fill();
        window->setInputLines({QStringLiteral("Расчет: 2026-12-07 09:15:03")});
        QFile blocker(folder->filePath(QStringLiteral("файл")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ErrorRecorder errors;
        const QString bad = folder->filePath(QStringLiteral("файл/результаты.csv"));
        ChosenPath chosen(bad);
        window->saveCsvAction()->trigger();
        QCOMPARE(errors.count(), 1);
        QVERIFY2(errors.texts().first().startsWith(QStringLiteral("Не удалось сохранить файл «")),
                 qPrintable(errors.texts().first()));
        QCOMPARE(window->tblOut->cell(2, 1), QStringLiteral("1234.50"));

        const QString good = folder->filePath(QStringLiteral("результаты.csv"));
        chosen.set(good);
        window->saveCsvAction()->trigger();
        QCOMPARE(errors.count(), 1);
        QVERIFY(read(good).contains("Расчет: 2026-12-07 09:15:03\r\n,10.00,20.00\r\n"));
    }

    // A write that fails half way leaves the file that was there before.
    void failedWriteKeepsTheOldFile()
    {
        const QString path = folder->filePath(QStringLiteral("старый.csv"));
        SafeSave::write(path, [](QIODevice& device) { return device.write("old") == 3; });
        QVERIFY_THROWS_EXCEPTION(Error, SafeSave::write(path, [](QIODevice& device) {
                                     device.write("new, but incomplete");
                                     return false;
                                 }));
        QCOMPARE(read(path), QByteArray("old"));
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{"старый.csv"});
    }

    void inputsAreTheNameFieldsTooltip()
    {
        window->setInputLines({QStringLiteral("a"), QStringLiteral("b")});
        QCOMPARE(window->edtX->toolTip(), QStringLiteral("a\nb"));
        QCOMPARE(window->edtY->toolTip(), QStringLiteral("a\nb"));
        window->setInputLines({});
        QCOMPARE(window->edtX->toolTip(), QString());
    }

    void contextMenuOffersCopySaveAndComparison()
    {
        QCOMPARE(window->tblOut->contextMenuPolicy(), Qt::ActionsContextMenu);
        QStringList captions;
        for (QAction* action : window->tblOut->actions())
            captions << action->text();
        QCOMPARE(captions, (QStringList{"Копировать", "Копировать все", "Копировать с заголовками",
                                        "Сохранить как CSV…", "Печать…", "Разность",
                                        "Закрепить для сравнения", "Открепить"}));
    }
};

KEROVA_TEST(TableExportTest)
#include "TableExportTest.moc"
