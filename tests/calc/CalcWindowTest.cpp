// SPDX-License-Identifier: GPL-3.0-or-later
#include "CalcWindows.h"
#include "ChartBuffer.h"
#include "LevelFixture.h"
#include "calc/BackgroundSweep.h"
#include "calc/Frmexec.h"
#include "calc/SweepCursor.h"
#include "calc/SweepReportBoxes.h"
#include "calc/SweepRunView.h"
#include "calccore/ParameterSweep.h"
#include "calccore/TableBuffer.h"
#include "chart/ChartLabels.h"
#include "chart/ChartTexts.h"
#include "chart/TChartControl.h"
#include "number/NumberFormat.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "results/ResultExport.h"
#include "results/ResultPin.h"
#include "store/Dmcom.h"
#include "store/Dmstruct.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/MessageRecorder.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "toolkit/Application.h"
#include "toolkit/StringGridModel.h"
#include "toolkit/TRadioGroup.h"
#include "toolkit/TStringGrid.h"

#include "toolkit/MessageService.h"
#include <QAbstractSeries>
#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>

// The calculation window driven like a user would, with the windows created
// in start-up order on a fresh store.
class CalcWindowTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LevelFixture> levels;
    std::unique_ptr<Application> app;
    int argc = 1;
    char arg0[16] = "tst_calc";
    char* argv[2] = {arg0, nullptr};

    TfrmExecute* w() const { return frmExecute; }
    TChartControl* chart() const { return frmOutput->Chart1; }
    TStringGrid* grid() const { return frmTblOut->tblOut; }

    // The data modules and the calculation and result windows, in start-up
    // order; the model list is open, its first model current.
    void createWindows() { app = createCalcWindows(argc, argv, levels->db.get()); }

    // Two levels only: with K = 2 the node count divides by r(3) = 0 at every point.
    void addTwoLevels()
    {
        levels->add({{.number = 1, .nodes = 4, .dcsTime = 3, .flowDist = 0.3},
                     {.number = 2, .nodes = 12, .dcsTime = 5, .flowDist = 0.2}});
    }

    QStringList cells() const
    {
        QStringList all;
        for (int r = 0; r < grid()->rowCount(); ++r)
            for (int c = 0; c < grid()->colCount(); ++c)
                all << grid()->cell(c, r);
        return all;
    }
    QList<double> chartValues() const
    {
        QList<double> all{double(chart()->seriesCount()), double(chart()->pointCount())};
        for (int s = 0; s < chart()->seriesCount(); ++s)
            for (int p = 0; p < chart()->pointCount(); ++p)
                all << chart()->value(s, p);
        return all;
    }
    void setRange(const QString& maxX, const QString& maxY)
    {
        w()->edtMaxX->setText(maxX);
        w()->edtMaxY->setText(maxY);
    }
    // Every field and choice of the calculation window as the input gives them.
    void enter(const SweepInput& input)
    {
        const QList<QPair<QLineEdit*, QString>> fields{
            {w()->edtMinX, input.minX},          {w()->edtMaxX, input.maxX},
            {w()->edtStepX, input.stepX},        {w()->edtLevelX, input.levelX},
            {w()->edtMinY, input.minY},          {w()->edtMaxY, input.maxY},
            {w()->edtStepY, input.stepY},        {w()->edtLevelY, input.levelY},
            {w()->edtCalcLevel, input.calcLevel}};
        for (const auto& [edit, text] : fields)
            edit->setText(text);
        w()->ValX->setItemIndex(input.itemX);
        w()->ValY->setItemIndex(input.itemY);
        w()->rgrCalcType->setItemIndex(input.calcType);
    }
    // What both result windows show of a result: cells and their marks, chart
    // values, titles and labels, names, the recorded inputs.
    QStringList shown() const
    {
        QStringList all = cells();
        const QAbstractItemModel& model = *grid()->model();
        for (int r = 0; r < model.rowCount(); ++r)
            for (int c = 0; c < model.columnCount(); ++c)
                all << model.data(model.index(r, c), Qt::ToolTipRole).toString();
        for (double v : chartValues())
            all << QString::number(v, 'g', 17);
        const ChartLabels& labels = chart()->labels();
        for (double v : labels.xValues)
            all << QString::number(v, 'g', 17);
        for (double v : labels.yValues)
            all << QString::number(v, 'g', 17);
        for (int s = 0; s < chart()->seriesCount(); ++s)
            for (int p = 0; p < chart()->pointCount(); ++p)
                all << labels.failures.report(p, s);
        all << labels.xName << labels.yName << chart()->settings().titles.values()
            << chart()->inputLines() << frmTblOut->inputLines() << frmTblOut->edtX->text()
            << frmTblOut->edtY->text() << QString::number(chart()->loading());
        return all;
    }
    QStringList listing() const
    {
        QStringList lines;
        for (int i = 0; i < frmShowParam->ListBox1->count(); ++i)
            lines << frmShowParam->ListBox1->item(i)->text();
        return lines;
    }
    // The box of a point of the two-level model, which fails everywhere:
    // column c (X = 10 c) and row r (Y = 5 + 5 r), counted from 1.
    static QString failedBox(int c, int r)
    {
        return QStringLiteral("Деление на ноль: X = %1, Y = %2 (столбец %3, строка %4)")
            .arg(10 * c)
            .arg(5 + 5 * r)
            .arg(c)
            .arg(r);
    }
    // Makes the model with the given key current in the model list.
    static void chooseModel(int key)
    {
        DataSet& models = dmStructure->tblModel;
        for (int row = 0; row < models.recordCount(); ++row)
            if (models.value(row, models.findField(QStringLiteral("MODID"))).toInt() == key)
                models.setRecNo(row);
    }
    // Levels of a second model, numbered among those of model 1 (1, 2, 3).
    void addRegionalModel()
    {
        levels->addModel(2, QStringLiteral("Региональная сеть"));
        levels->add({{.number = 2,
                      .nodes = 3,
                      .dcsTime = 7,
                      .flowInt = 500,
                      .flowDist = 0.5,
                      .costDelay = 30,
                      .costUse = 120,
                      .dcsInt = 3,
                      .model = 2},
                     {.number = 4,
                      .nodes = 9,
                      .dcsTime = 4,
                      .flowDist = 0.4,
                      .costDelay = 15,
                      .costUse = 60,
                      .dcsInt = 2,
                      .model = 2},
                     {.number = 5,
                      .nodes = 20,
                      .dcsTime = 6,
                      .flowDist = 0.6,
                      .costDelay = 8,
                      .costUse = 40,
                      .model = 2}});
    }
    // The same sweep run apart from the window, into buffers.
    void reference(const SweepInput& input, ChartBuffer& chartOut, TableBuffer& tableOut)
    {
        ParameterSweep sweep(levels->dm, chartOut, tableOut,
                             [](const QString&, int, int, double, double) {});
        QCOMPARE(sweep.run(input), ParameterSweep::Outcome::Done);
    }
    void compareWithReference(const SweepInput& input)
    {
        ChartBuffer chartOut;
        TableBuffer tableOut;
        reference(input, chartOut, tableOut);
        QCOMPARE(grid()->colCount(), tableOut.colCount());
        QCOMPARE(grid()->rowCount(), tableOut.rowCount());
        for (int r = 0; r < tableOut.rowCount(); ++r)
            for (int c = 0; c < tableOut.colCount(); ++c)
                QCOMPARE(grid()->cell(c, r), tableOut.cell(c, r));
        QCOMPARE(chart()->seriesCount(), chartOut.seriesCount());
        QCOMPARE(chart()->pointCount(), chartOut.pointCount());
        for (int s = 0; s < chartOut.seriesCount(); ++s)
            for (int p = 0; p < chartOut.pointCount(); ++p)
                QCOMPARE(chart()->value(s, p), chartOut.value(s, p));
        QCOMPARE(chart()->settings().titles.value(TChartControl::ChartTitleSlot),
                 chartOut.title(SweepChart::QuantityTitleSlot));
        QCOMPARE(chart()->settings().titles.value(TChartControl::PointAxisTitleSlot),
                 chartOut.title(SweepChart::XTitleSlot));
        QCOMPARE(frmTblOut->edtX->text(), tableOut.xName());
        QCOMPARE(frmTblOut->edtY->text(), tableOut.yName());
    }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        levels = std::make_unique<LevelFixture>();
        levels->dm.setDatabase(levels->db.get());
    }
    void cleanup()
    {
        app.reset();
        levels.reset();
        QLocale::setDefault(QLocale::c());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void startsAsDesigned()
    {
        createWindows();
        QCOMPARE(w()->windowTitle(), QStringLiteral("Расчеты"));
        QVERIFY(w()->width() >= 575);
        // The setup buttons take a row of their own under the design height.
        QCOMPARE(w()->btnOpenSetup->y(), 556);
        QCOMPARE(w()->height(), 556 + 25 + 8);
        for (TRadioGroup* group : {w()->ValX, w()->ValY, w()->rgrCalcType})
            QVERIFY(group->width() >= group->sizeHint().width());
        QCOMPARE(w()->ValX->itemCount(), 7);
        QCOMPARE(w()->ValX->button(6)->text(), QStringLiteral("Количество узлов"));
        QCOMPARE(w()->ValY->button(0)->text(),
                 QStringLiteral("Интенсивность потока решения задач"));
        QCOMPARE(w()->ValX->itemIndex(), 1);
        QCOMPARE(w()->ValY->itemIndex(), 0);
        QCOMPARE(w()->rgrCalcType->itemCount(), 3);
        QCOMPARE(w()->rgrCalcType->button(2)->text(),
                 QStringLiteral("Эффективность функционирования"));
        QCOMPARE(w()->rgrCalcType->itemIndex(), 0);
        // The quantity without a formula says why and cannot be chosen.
        QRadioButton* efficiency = w()->rgrCalcType->button(2);
        QCOMPARE(efficiency->toolTip(), QStringLiteral("эта величина не вычисляется"));
        QTest::mouseClick(efficiency, Qt::LeftButton);
        QCOMPARE(w()->rgrCalcType->itemIndex(), 0);
        const QList<QLineEdit*> edits{w()->edtMinX,   w()->edtMaxX,   w()->edtStepX,
                                      w()->edtLevelX, w()->edtMinY,   w()->edtMaxY,
                                      w()->edtStepY,  w()->edtLevelY, w()->edtCalcLevel};
        QStringList texts;
        for (QLineEdit* edit : edits)
            texts << edit->text();
        QCOMPARE(texts, QStringList({"10", "100", "10", "1", "10", "30", "5", "1", "2"}));
        QCOMPARE(w()->findChild<QLineEdit*>(QStringLiteral("edtStepY")), w()->edtStepY);
        QCOMPARE(w()->edtMinX->accessibleName(), QStringLiteral("Показатель Х: от"));
        QCOMPARE(w()->edtLevelY->accessibleName(), QStringLiteral("Показатель Y: уровень"));
        QCOMPARE(w()->Label4->text(), QStringLiteral("шаг"));
        QVERIFY(w()->Label9->font().bold());
        QCOMPARE(w()->Label1->buddy(), w()->edtMinY);
        QStringList buttons;
        for (QPushButton* b : {w()->btnCalc, w()->btnGoChart, w()->btnTable, w()->btnParam,
                               w()->btnOpenSetup, w()->btnSaveSetup})
            buttons << b->objectName() + QLatin1Char('=') + b->accessibleName();
        QCOMPARE(buttons, QStringList({"btnCalc=Расчет", "btnGoChart=Диаграмма", "btnTable=Таблица",
                                       "btnParam=Параметры", "btnOpenSetup=Открыть расчет…",
                                       "btnSaveSetup=Сохранить расчет…"}));
        QCOMPARE(w()->btnCalc->pos(), QPoint(72, 496));
        QCOMPARE(w()->ValY->accessibleName(), QStringLiteral("Показатель Y"));
        QCOMPARE(w()->gbxCalcValue->pos(), QPoint(24, 368));
        QVERIFY(w()->isHidden());
    }

    // Tab visits the controls as they stand; the items of a radio group count as one stop.
    void tabOrder()
    {
        createWindows();
        QStringList stops;
        QWidget* widget = w()->ValX->button(0);
        do {
            if (widget->focusPolicy() & Qt::TabFocus) {
                QWidget* stop =
                    qobject_cast<QRadioButton*>(widget) ? widget->parentWidget() : widget;
                if (stops.isEmpty() || stops.last() != stop->objectName())
                    stops << stop->objectName();
            }
            widget = widget->nextInFocusChain();
        } while (widget != w()->ValX->button(0));
        QCOMPARE(stops, QStringList({"ValX", "ValY", "edtMinX", "edtMaxX", "edtStepX", "edtLevelX",
                                     "edtMinY", "edtMaxY", "edtStepY", "edtLevelY", "rgrCalcType",
                                     "edtCalcLevel", "btnCalc", "btnGoChart", "btnTable",
                                     "btnParam", "btnOpenSetup", "btnSaveSetup"}));
    }

    void initialInputsFillHiddenWindows_data()
    {
        QTest::addColumn<bool>("byEnter");
        QTest::newRow("Расчет") << false;
        QTest::newRow("Enter in a field") << true;
    }
    void initialInputsFillHiddenWindows()
    {
        QFETCH(bool, byEnter);
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        const QStringList before = levels->snapshot();
        MessageRecorder messages;
        ErrorRecorder errors;
        if (byEnter)
            QTest::keyClick(w()->edtCalcLevel, Qt::Key_Return);
        else
            w()->btnCalc->click();
        QCOMPARE(messages.count(), 0);
        QCOMPARE(errors.count(), 0);
        QCOMPARE(grid()->colCount(), 10);
        QCOMPARE(grid()->rowCount(), 5);
        QCOMPARE(grid()->cell(1, 0), QStringLiteral("10,00"));
        QCOMPARE(grid()->cell(9, 0), QStringLiteral("90,00"));
        QCOMPARE(grid()->cell(0, 1), QStringLiteral("10,00"));
        QCOMPARE(grid()->cell(0, 4), QStringLiteral("25,00"));
        for (int p = 0; p < 9; ++p)
            for (int s = 0; s < 4; ++s)
                QCOMPARE(grid()->cell(p + 1, s + 1), NumberFormat::fixed2(chart()->value(s, p)));
        QCOMPARE(frmTblOut->edtX->text(), QStringLiteral("Интенсивность потока задач"));
        QCOMPARE(frmTblOut->edtY->text(), QStringLiteral("Интенсивность решения задач"));
        compareWithReference(SweepInput{});
        QVERIFY(frmOutput->isHidden() && frmTblOut->isHidden());
        QCOMPARE(levels->snapshot(), before);
        // The inputs reach both result windows, as their tooltips.
        const QStringList inputs = frmTblOut->inputLines();
        QCOMPARE(inputs.size(), 6);
        QCOMPARE(inputs[1], QStringLiteral("Хранилище: ") + levels->db->definition().describe());
        QCOMPARE(inputs[2], QStringLiteral("Модель: Тестовая (ключ 1)"));
        QCOMPARE(frmOutput->Chart1->inputLines(), inputs);
        QCOMPARE(frmTblOut->edtY->toolTip(), inputs.join(QLatin1Char('\n')));
        QCOMPARE(frmOutput->Chart1->toolTip(), inputs.join(QLatin1Char('\n')));
        // The chart labels its points and series with the table's X and Y values.
        const ChartLabels& labels = chart()->labels();
        QVERIFY(labels.covers(4, 9));
        QCOMPARE(NumberFormat::fixed2(labels.xValues[8]), grid()->cell(9, 0));
        QCOMPARE(NumberFormat::fixed2(labels.yValues[3]), grid()->cell(0, 4));
        QCOMPARE(labels.yName, frmTblOut->edtY->text());
    }

    // A million results reach the table as numbers: no cell keeps a text, and
    // each is made into "0.00" only when shown or read. The chart reads the
    // table's own numbers: the result is held once.
    void millionResultsKeptAsNumbers()
    {
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        w()->ValX->setItemIndex(0);
        w()->edtLevelX->setText(QStringLiteral("2"));
        w()->edtMinX->setText(QStringLiteral("1"));
        w()->edtMaxX->setText(QStringLiteral("1001"));
        w()->edtStepX->setText(QStringLiteral("1"));
        w()->edtMinY->setText(QStringLiteral("10"));
        w()->edtMaxY->setText(QStringLiteral("1010"));
        w()->edtStepY->setText(QStringLiteral("1"));
        w()->btnCalc->click();
        frmTblOut->setOpenMaximised(false);
        w()->btnTable->click();
        QVERIFY(QTest::qWaitForWindowExposed(frmTblOut));
        QCOMPARE(grid()->colCount(), 1001);
        QCOMPARE(grid()->rowCount(), 1001);
        QCOMPARE(grid()->gridModel()->textCount(), 0);
        QCOMPARE(grid()->cell(1000, 0), QStringLiteral("1000,00"));
        QCOMPARE(grid()->cell(0, 1000), QStringLiteral("1009,00"));
        QCOMPARE(grid()->cell(1000, 1000), NumberFormat::fixed2(chart()->value(999, 999)));
        QCOMPARE(grid()->gridModel()->textCount(), 0);
        QCOMPARE(chart()->values().rows().first, grid()->gridModel()->numbers().row(1) + 1);
    }

    // The window hands every field and choice to the sweep.
    void inputsReachTheSweep()
    {
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        MessageRecorder messages;
        const SweepInput input{"2", "7", "1,5", "2", "100", "10", "-30", "1", "1", 5, 1, 1};
        enter(input);
        w()->btnCalc->click();
        // X 2, 3.5, 5, 6.5: the last point below the bound that the step does not divide.
        QCOMPARE(grid()->colCount(), 5);
        QCOMPARE(grid()->rowCount(), 4);
        compareWithReference(input);
    }

    // A blank field is read as the text it starts with: the same table and
    // the same recorded inputs as that text.
    void blankFieldTakesItsInitialText_data()
    {
        QTest::addColumn<QString>("field");
        for (const char* field : {"edtMinX", "edtMaxX", "edtStepX", "edtLevelX", "edtMinY",
                                  "edtMaxY", "edtStepY", "edtLevelY", "edtCalcLevel"})
            QTest::newRow(field) << field;
    }
    void blankFieldTakesItsInitialText()
    {
        QFETCH(QString, field);
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        MessageRecorder messages;
        w()->btnCalc->click();
        const QStringList table = cells();
        const QStringList inputs = frmTblOut->inputLines().mid(3);
        w()->findChild<QLineEdit*>(field)->setText(QStringLiteral(" \t"));
        w()->btnCalc->click();
        QCOMPARE(messages.count(), 0);
        QCOMPARE(cells(), table);
        QCOMPARE(frmTblOut->inputLines().mid(3), inputs);
    }

    // A calculation ended by an error, before or amid its points, leaves both
    // result windows as they were, whole, and its box says so.
    void errorKeepsThePreviousResult_data()
    {
        QTest::addColumn<QString>("change"); // made to the store before the failing calculation
        QTest::addColumn<SweepInput>("input");
        QTest::addColumn<QString>("error"); // how the box starts; empty: the store's own text
        SweepInput beyond32Bits;            // n(3) := X, beyond 32 bits at the third point
        beyond32Bits.itemX = 6;
        beyond32Bits.levelX = QStringLiteral("3");
        beyond32Bits.minX = QStringLiteral("2147483600");
        beyond32Bits.stepX = QStringLiteral("20");
        beyond32Bits.maxX = QStringLiteral("2147483700");
        QTest::newRow("value beyond 32 bits at the third point")
            << QString() << beyond32Bits << QStringLiteral("Целочисленное переполнение: ");
        QTest::newRow("empty thinning coefficient at the first point")
            << "UPDATE MATHLEVEL SET LVLTSKFLOWDIST = NULL WHERE LVLNUMBER = 1" << SweepInput()
            << QStringLiteral("Уровень 1: не задан «Коэффициент разряжения потока задач»");
        QTest::newRow("store without levels")
            << "DROP TABLE MATHLEVEL" << SweepInput() << QString();
    }
    void errorKeepsThePreviousResult()
    {
        QFETCH(QString, change);
        QFETCH(SweepInput, input);
        QFETCH(QString, error);
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        MessageRecorder messages;
        ErrorRecorder errors;
        SweepInput failing; // a column of failed points, marked
        failing.itemX = 0;
        failing.levelX = QStringLiteral("2");
        failing.minX = QStringLiteral("0");
        failing.maxX = QStringLiteral("20");
        failing.maxY = QStringLiteral("20");
        enter(failing);
        w()->btnCalc->click();
        QCOMPARE(messages.count(), 2);
        const QStringList before = shown();
        if (!change.isEmpty())
            QVERIFY_STORE(levels->store->exec(change));
        enter(input);
        w()->btnCalc->click();
        QCOMPARE(errors.count(), 1);
        const QString box = errors.texts().constFirst();
        QVERIFY2(box.startsWith(error) &&
                     box.endsWith(QStringLiteral("\nРасчет прерван; прежний результат сохранен.")),
                 qPrintable(box));
        QCOMPARE(shown(), before);
        QCOMPARE(messages.count(), 2);
    }

    // A refused input: one box naming the field and what is wrong, the focus
    // in that field, the previous result kept; the next calculation runs.
    void refusedInputChangesNothing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("box");
        const auto row = [](const char* field, const char* text, const char* box) {
            QTest::newRow(field) << field << text << box;
        };
        row("edtMinX", "abc", "Неверное значение: Показатель Х, от");
        QTest::newRow("edtMaxX full stop") << "edtMaxX"
                                           << "100.5"
                                           << "Неверное значение: Показатель Х, до";
        row("edtStepX", "1e", "Неверное значение: Показатель Х, шаг");
        QTest::newRow("edtStepX fraction")
            << "edtStepX"
            << "2,5"
            << "Показатель «Интенсивность потока задач» целый: Показатель Х, шаг";
        row("edtLevelX", "1,5", "Неверное значение: Показатель Х, уровень");
        row("edtMinY", "--1", "Неверное значение: Показатель Y, от");
        row("edtMaxY", "3 0", "Неверное значение: Показатель Y, до");
        row("edtStepY", "0", "Шаг равен нулю: Показатель Y, шаг");
        row("edtLevelY", "4",
            "Уровня 4 нет у модели «Тестовая» (уровней в ней: 3): Показатель Y, уровень");
        row("edtCalcLevel", "два", "Неверное значение: Вычисляемая величина, уровень");
    }
    void refusedInputChangesNothing()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, box);
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        MessageRecorder messages;
        ErrorRecorder errors;
        setRange(QStringLiteral("40"), QStringLiteral("20"));
        w()->btnCalc->click();
        const QStringList table = cells();
        const QList<double> values = chartValues();
        const QStringList inputs = frmTblOut->inputLines();
        messages.clear();
        auto* edit = w()->findChild<QLineEdit*>(field);
        const QString previous = edit->text();
        edit->setText(text);
        w()->btnGoChart->setFocus();
        w()->btnCalc->click();
        QCOMPARE(messages.boxes(),
                 QVector<MessageRecorder::Box>({{box, QStringLiteral("Расчеты")}}));
        QCOMPARE(errors.count(), 0);
        QCOMPARE(cells(), table);
        QCOMPARE(chartValues(), values);
        QCOMPARE(frmTblOut->inputLines(), inputs);
        QCOMPARE(w()->focusWidget(), edit);
        QCOMPARE(edit->selectedText(), text);
        // Corrected, the next press calculates again.
        edit->setText(previous);
        messages.clear();
        w()->btnCalc->click();
        QCOMPARE(messages.count(), 0);
        QCOMPARE(cells(), table);
    }

    // X and Y on one parameter of one level would give the same row for
    // every Y: «Расчет» is refused with one box, the focus on the chosen item
    // of «Показатель Y», the tables untouched. On another level it calculates.
    void sameParameterForXAndY_data()
    {
        QTest::addColumn<QString>("levelY"); // typed into the Y level field
        QTest::addColumn<QString>("box");    // empty: calculated
        const QString same = QStringLiteral("Х и Y — один и тот же показатель «Интенсивность "
                                            "потока задач» уровня 1: Показатель Y");
        QTest::newRow("same level") << "1" << same;
        QTest::newRow("blank Y level, read as 1") << "" << same;
        QTest::newRow("another level") << "2" << QString();
    }
    void sameParameterForXAndY()
    {
        QFETCH(QString, levelY);
        QFETCH(QString, box);
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        w()->show();
        QVERIFY(QTest::qWaitForWindowExposed(w()));
        MessageRecorder messages;
        // Y takes the item X has, «Интенсивность потока задач».
        QTest::mouseClick(w()->ValY->button(1), Qt::LeftButton);
        QCOMPARE(w()->ValY->itemIndex(), w()->ValX->itemIndex());
        QTest::mouseClick(w()->edtLevelY, Qt::LeftButton);
        QTest::keyClick(w()->edtLevelY, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w()->edtLevelY, Qt::Key_Delete);
        QTest::keyClicks(w()->edtLevelY, levelY);
        QTest::mouseClick(w()->btnCalc, Qt::LeftButton);
        if (box.isEmpty()) {
            QCOMPARE(messages.count(), 0);
            QCOMPARE(grid()->colCount(), 10);
            QCOMPARE(grid()->rowCount(), 5);
            return;
        }
        QCOMPARE(messages.boxes(),
                 QVector<MessageRecorder::Box>({{box, QStringLiteral("Расчеты")}}));
        QCOMPARE(w()->focusWidget(), w()->ValY->button(1));
        QVERIFY(frmTblOut->inputLines().isEmpty());
        QCOMPARE(chart()->pointCount(), 5); // the chart's initial row, untouched
    }

    // Without a stored current model there is nothing to compute: one box says what to do.
    void noStoredModel_data()
    {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<QString>("box");
        QTest::newRow("empty list")
            << false << "Нет модели для расчета: выберите или добавьте модель в окне «Модели»";
        QTest::newRow("new model not saved")
            << true << "Модель «Новая» еще не сохранена: нажмите «Сохранить» в окне «Модели»";
    }
    void noStoredModel()
    {
        QFETCH(bool, unsaved);
        createWindows();
        MessageRecorder messages;
        if (unsaved) {
            dmStructure->tblModel.insert();
            dmStructure->tblModel.fieldByName(QStringLiteral("MODNAME"))
                .setAsString(QStringLiteral("Новая"));
        }
        QCOMPARE(w()->lblModel->text(),
                 unsaved ? QStringLiteral("Модель: Новая") : QStringLiteral("Модель: не выбрана"));
        w()->btnCalc->click();
        QTEST(messages.texts().value(0), "box");
        QCOMPARE(messages.count(), 1);
        QCOMPARE(grid()->colCount(), 5);
    }

    // Another user renames the model: the next «Расчет» shows the name stored now.
    void renameElsewhereShowsAtTheNextCalculation()
    {
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        MessageRecorder messages;
        setRange(QStringLiteral("40"), QStringLiteral("20"));
        QVERIFY_STORE(levels->store->exec(
            QStringLiteral("UPDATE MATHMODEL SET MODNAME = 'Переименованная' WHERE MODID = 1")));
        QCOMPARE(w()->lblModel->text(), QStringLiteral("Модель: Тестовая (ключ 1)"));
        w()->btnCalc->click();
        QCOMPARE(w()->lblModel->text(), QStringLiteral("Модель: Переименованная (ключ 1)"));
        QCOMPARE(w()->lblModel->accessibleName(), w()->lblModel->text());
    }

    // Two models whose level numbers interleave: the window computes the
    // current model as a store holding it alone would, shows its name and
    // names it in the recorded inputs and the listing.
    void eachModelAsIfAlone_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("firstLevel");
        QTest::newRow("sample") << 1 << "Тестовая"
                                << "Уровень 1: Лечебные учреждения";
        QTest::newRow("second") << 2 << "Региональная сеть"
                                << "Уровень 1: Уровень 2 (номер 2)";
    }
    void eachModelAsIfAlone()
    {
        QFETCH(int, model);
        QFETCH(QString, name);
        QFETCH(QString, firstLevel);
        QVERIFY_STORE(levels->store->addSample());
        addRegionalModel();
        createWindows();
        MessageRecorder messages;
        setRange(QStringLiteral("40"), QStringLiteral("20"));
        chooseModel(3 - model);
        chooseModel(model);
        const QString named = QStringLiteral("Модель: %1 (ключ %2)").arg(name).arg(model);
        QCOMPARE(w()->lblModel->text(), named);
        w()->btnCalc->click();
        const QStringList together = cells();
        const QList<double> values = chartValues();
        QCOMPARE(frmTblOut->inputLines().value(2), named);
        QCOMPARE(chart()->chartTitle(),
                 QStringLiteral("Количество узлов уровня 2 — модель «%1» (ключ %2)")
                     .arg(name)
                     .arg(model));
        QCOMPARE(listing().mid(0, 3), (QStringList{named, QString(), firstLevel}));
        for (const char* table : {"MATHLEVEL", "MATHMODEL"})
            QVERIFY_STORE(levels->store->exec(QStringLiteral("DELETE FROM %1 WHERE MODID <> %2")
                                                  .arg(QLatin1String(table))
                                                  .arg(model)));
        w()->btnCalc->click();
        QCOMPARE(cells(), together);
        QCOMPARE(chartValues(), values);
        QCOMPARE(messages.count(), 0);
        QVERIFY(values.size() == 2 + 2 * 3 && values.last() > 0);
    }

    // The listing shows the model current in the model list until a
    // calculation completes, then that calculation's model and levels, with
    // values in the user's locale; "ОК" closes it.
    void listingFollowsTheModelThenTheCalculation()
    {
        QVERIFY_STORE(levels->store->addSample());
        addRegionalModel();
        createWindows();
        MessageRecorder messages;
        w()->btnParam->click();
        QCOMPARE(listing().first(), QStringLiteral("Модель: Тестовая (ключ 1)"));
        QVERIFY(listing().contains(QStringLiteral("Коэффициент разряжения потока задач: 0,3")));
        QVERIFY(listing().contains(QStringLiteral("Интенсивность потока задач: не задано")));
        QCOMPARE(listing().size(), 1 + 3 * (3 + 9));
        chooseModel(2);
        w()->btnParam->click();
        QCOMPARE(listing().first(), QStringLiteral("Модель: Региональная сеть (ключ 2)"));
        chooseModel(1);
        w()->btnCalc->click();
        QCOMPARE(listing().first(), QStringLiteral("Модель: Тестовая (ключ 1)"));
        chooseModel(2);
        w()->btnParam->click();
        QCOMPARE(listing().first(), QStringLiteral("Модель: Тестовая (ключ 1)"));
        QVERIFY(frmShowParam->isVisible());
        frmShowParam->btnOK->click();
        QVERIFY(frmShowParam->isHidden());
        QCOMPARE(messages.count(), 0);
    }

    // Every point fails: each box names its point, and no point has a value:
    // every result cell is empty and the chart holds nothing.
    void failingPointsReportOnceEach()
    {
        addTwoLevels();
        createWindows();
        const QStringList before = levels->snapshot();
        MessageRecorder messages;
        w()->btnCalc->click();
        QStringList named;
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 9; ++c)
                named << failedBox(c, r);
        QCOMPARE(messages.texts(), named);
        QCOMPARE(messages.boxes().last().second, QStringLiteral("Расчеты"));
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 9; ++c)
                QCOMPARE(grid()->cell(c, r), QString());
        for (int s = 0; s < 4; ++s)
            for (int p = 0; p < 9; ++p)
                QVERIFY(std::isnan(chart()->value(s, p)));
        QCOMPARE(levels->snapshot(), before);
    }

    // A failed point (μ(2) swept from 0 divides by zero in the first column)
    // is an empty field wherever the result goes: Ctrl+C, «Копировать все»,
    // «Копировать с заголовками» and the CSV; the chart has no point there.
    void failedPointIsAnEmptyField_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        const QString copied = QStringLiteral("\t0,00\t10,00\n10,00\t\t10,97\n15,00\t\t10,97\n");
        QTest::newRow("Ctrl+C") << "Ctrl+C" << copied;
        QTest::newRow("Копировать все") << "all" << copied;
        QTest::newRow("Копировать с заголовками") << "headings" << copied;
        QTest::newRow("CSV") << "csv"
                             << QStringLiteral(
                                    "\r\n;0,00;10,00\r\n10,00;;10,97\r\n15,00;;10,97\r\n");
    }
    void failedPointIsAnEmptyField()
    {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        w()->show();
        QVERIFY(QTest::qWaitForWindowExposed(w()));
        MessageRecorder messages;
        QTest::mouseClick(w()->ValX->button(0), Qt::LeftButton);
        for (const auto& [edit, typed] : {std::pair{w()->edtMinX, "0"},
                                          {w()->edtMaxX, "20"},
                                          {w()->edtLevelX, "2"},
                                          {w()->edtMaxY, "20"}}) {
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, QString::fromLatin1(typed));
        }
        QTest::mouseClick(w()->btnCalc, Qt::LeftButton);
        QCOMPARE(
            messages.texts(),
            QStringList({QStringLiteral("Деление на ноль: X = 0, Y = 10 (столбец 1, строка 1)"),
                         QStringLiteral("Деление на ноль: X = 0, Y = 15 (столбец 1, строка 2)")}));
        QVERIFY(std::isnan(chart()->value(1, 0)));
        QCOMPARE(chart()->value(1, 1), grid()->gridModel()->numbers().value(2, 2));
        QGuiApplication::clipboard()->clear();
        if (how == QLatin1String("Ctrl+C")) {
            frmTblOut->show();
            QVERIFY(QTest::qWaitForWindowActive(frmTblOut));
            grid()->setFocus();
            QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
        } else if (how == QLatin1String("all")) {
            frmTblOut->copyAllAction()->trigger();
        } else if (how == QLatin1String("headings")) {
            grid()->setCurrentIndex(grid()->model()->index(0, 0));
            QTest::keyClick(grid(), Qt::Key_Right, Qt::ShiftModifier);
            QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
            frmTblOut->copyWithHeadingsAction()->trigger();
        } else {
            const QString csv = QString::fromUtf8(
                ResultExport::csv(frmTblOut->inputLines(), ResultExport::allCells(*grid())));
            QVERIFY2(csv.endsWith(text), qPrintable(csv));
            return;
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
    }

    // From the second box on, ticking the check box silences the calculation's boxes
    // and ends it with one counting box; left unticked, every point keeps its box. The
    // failed points are marked in the table, the chart's hover and the CSV either way,
    // until a calculation without failures replaces them.
    void failedPointsSilencedAndMarked_data()
    {
        QTest::addColumn<int>("tickAt");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("ticked at the second box")
            << 2
            << QStringList{failedBox(1, 1), failedBox(2, 1),
                           QStringLiteral("Деление на ноль — 36 точек из 36")};
        QStringList every;
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 9; ++c)
                every << failedBox(c, r);
        QTest::newRow("never ticked") << 0 << every;
    }
    void failedPointsSilencedAndMarked()
    {
        QFETCH(int, tickAt);
        QFETCH(QStringList, boxes);
        addTwoLevels();
        createWindows();
        MessageRecorder messages;
        QStringList offered;
        const MessageService::CheckAnswer previous =
            MessageService::setCheckAnswer([&](const QString& checkText) {
                offered << checkText;
                return messages.count() == tickAt;
            });
        const QAbstractItemModel& model = *grid()->model();
        for (int run = 0; run < 2; ++run) {
            messages.clear();
            offered.clear();
            w()->btnCalc->click();
            QCOMPARE(messages.texts(), boxes);
            QCOMPARE(offered, QStringList(tickAt ? 1 : 35, SweepReportBoxes::checkText()));
            // The corner and the 36 failed points are empty.
            QCOMPARE(cells().count(QString()), 1 + 36);
            const QModelIndex last = model.index(3, 8);
            const QString failed = QStringLiteral("Деление на ноль");
            QCOMPARE(model.data(last, Qt::ToolTipRole).toString(), failed);
            QCOMPARE(model.data(last, Qt::BackgroundRole).value<QColor>(),
                     StringGridModel::markBackground());
            const ChartTexts texts(chart()->labels(), chart()->settings(), 4, 9);
            const QString tip = texts.tip(3, 8, chart()->value(3, 8));
            QVERIFY2(tip.contains(QStringLiteral("нет значения")) &&
                         tip.endsWith(QStringLiteral("\nОшибка: ") + failed),
                     qPrintable(tip));
        }
        const QString csvLine = QStringLiteral("Ошибки в точках: Деление на ноль — 36 точек из 36");
        const auto csv = [this] {
            return QString::fromUtf8(
                ResultExport::csv(frmTblOut->inputLines(), ResultExport::allCells(*grid())));
        };
        QVERIFY(csv().contains(QStringLiteral("\r\n") + csvLine + QStringLiteral("\r\n")));
        messages.clear();
        w()->rgrCalcType->setItemIndex(1);
        w()->edtCalcLevel->setText(QStringLiteral("1"));
        w()->btnCalc->click();
        MessageService::setCheckAnswer(previous);
        QCOMPARE(messages.count(), 0);
        QVERIFY(!model.data(model.index(3, 8), Qt::ToolTipRole).isValid());
        QVERIFY(!model.data(model.index(3, 8), Qt::BackgroundRole).isValid());
        QVERIFY(!csv().contains(QStringLiteral("Ошибки")));
    }

    void smallerGridReplacesLarger()
    {
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        MessageRecorder messages;
        w()->btnCalc->click();
        setRange(QStringLiteral("40"), QStringLiteral("20"));
        w()->btnCalc->click();
        QCOMPARE(grid()->colCount(), 4);
        QCOMPARE(grid()->rowCount(), 3);
        QCOMPARE(chart()->seriesCount(), 2);
        QCOMPARE(chart()->pointCount(), 3);
        SweepInput small;
        small.maxX = QStringLiteral("40");
        small.maxY = QStringLiteral("20");
        compareWithReference(small);
    }

    // Pin, compute again: the chart draws the pinned lines beside the new
    // ones; with the same inputs the table's «Разность» reads 0,00 in every
    // cell, on another grid it is not offered; for another quantity the chart
    // says why the pinned lines are not drawn.
    void pinnedResultAndTheNextCalculation()
    {
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        MessageRecorder messages;
        w()->btnCalc->click();
        frmOutput->pinAction()->trigger();
        w()->btnCalc->click();
        frmOutput->show();
        QTRY_VERIFY(frmOutput->Chart1->flatChart()->series().size() > 2);
        QVERIFY(frmOutput->Chart1->flatChart()->series().last()->name().endsWith(
            QStringLiteral(" (закреплено)")));
        frmTblOut->differenceAction()->trigger();
        for (int r = 1; r < grid()->rowCount(); ++r)
            for (int c = 1; c < grid()->colCount(); ++c)
                QCOMPARE(grid()->cell(c, r), QStringLiteral("0,00"));
        setRange(QStringLiteral("40"), QStringLiteral("20"));
        w()->btnCalc->click();
        QVERIFY(!frmTblOut->differenceAction()->isEnabled());
        QCOMPARE(frmTblOut->differenceAction()->toolTip(),
                 QStringLiteral("сетки расчетов не совпадают"));
        // The node performance is another quantity: the pinned node counts are
        // not drawn beside it, and the line under the chart says so.
        w()->rgrCalcType->setItemIndex(1);
        w()->btnCalc->click();
        QLabel* note = frmOutput->Chart1->pinnedNote();
        QTRY_VERIFY(note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("Закрепленный расчет не показан: у него другая "
                                              "вычисляемая величина («Количество узлов уровня» "
                                              "вместо «Производительность узлов уровня»)"));
        QVERIFY(!frmOutput->Chart1->flatChart()->series().last()->name().endsWith(
            QStringLiteral(" (закреплено)")));
        QCOMPARE(messages.count(), 0);
    }

    // A long calculation stopped by «Прервать» (clicked once it shows, with
    // the progress), by Esc or by closing the window: the previous result
    // stays whole, only «Прервать» and Esc say so, and the window is ready
    // for the next calculation, which completes.
    void stoppedCalculationKeepsThePreviousResult_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QStringList>("errors");
        const QStringList stopped{BackgroundSweep::stoppedText()};
        QTest::newRow("«Прервать»") << "click" << stopped;
        QTest::newRow("Esc") << "Esc" << stopped;
        QTest::newRow("closing the window") << "close" << QStringList();
    }
    void stoppedCalculationKeepsThePreviousResult()
    {
        QFETCH(QString, how);
        QFETCH(QStringList, errors);
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        w()->show();
        QVERIFY(QTest::qWaitForWindowExposed(w()));
        QTest::mouseClick(w()->btnCalc, Qt::LeftButton);
        const QStringList before = shown();
        SweepInput large; // 4000 × 2000 points
        large.itemX = 0;
        large.levelX = QStringLiteral("2");
        large.minX = QStringLiteral("1");
        large.maxX = QStringLiteral("4001");
        large.stepX = large.stepY = QStringLiteral("1");
        large.minY = QStringLiteral("10");
        large.maxY = QStringLiteral("2010");
        enter(large);
        ErrorRecorder recorded;
        QString progress;
        bool inputsEnabled = true;
        QTimer::singleShot(0, this, [&] {
            inputsEnabled = w()->edtMaxX->isEnabled() || w()->ValX->isEnabled();
            if (how == QLatin1String("click")) {
                QTRY_COMPARE(w()->btnCalc->text(), SweepRunView::stopCaption());
                progress = w()->pbrCalc->text();
                QVERIFY(w()->pbrCalc->isVisible() && w()->lblModel->isHidden());
                QTest::mouseClick(w()->btnCalc, Qt::LeftButton);
            } else if (how == QLatin1String("Esc")) {
                QTest::keyClick(w(), Qt::Key_Escape);
            } else {
                QVERIFY(w()->close());
            }
        });
        QTest::mouseClick(w()->btnCalc, Qt::LeftButton);
        QVERIFY(!inputsEnabled);
        QCOMPARE(recorded.texts().join(u'|'), errors.join(u'|'));
        // Closing ends the chart's loading, as it always does; the rest is kept.
        QStringList kept = shown();
        QCOMPARE(kept.takeLast(), QString::number(how != QLatin1String("close")));
        QCOMPARE(kept, before.mid(0, before.size() - 1));
        QCOMPARE(w()->isVisible(), how != QLatin1String("close"));
        if (how == QLatin1String("click"))
            QVERIFY2(progress.endsWith(QStringLiteral(" из ") + QLocale().toString(8000000LL)),
                     qPrintable(progress));
        QCOMPARE(w()->btnCalc->text(), QStringLiteral("Расчет"));
        QVERIFY(w()->pbrCalc->isHidden() && w()->edtMaxX->isEnabled() && w()->ValX->isEnabled());
        const QStringList beforeCells = cells();
        enter(SweepInput{});
        w()->show();
        QTest::mouseClick(w()->btnCalc, Qt::LeftButton);
        QCOMPARE(cells(), beforeCells);
        QVERIFY(chart()->loading());
        QCOMPARE(recorded.texts().join(u'|'), errors.join(u'|'));
    }

    void closingEndsTheChartLoading_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("close box") << false;
        QTest::newRow("Esc") << true;
    }
    void closingEndsTheChartLoading()
    {
        QFETCH(bool, byEscape);
        QVERIFY_STORE(levels->store->addSample());
        createWindows();
        w()->show();
        QVERIFY(QTest::qWaitForWindowExposed(w()));
        w()->btnCalc->click();
        const QList<double> values = chartValues();
        QVERIFY(chart()->loading());
        if (byEscape) {
            w()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w()));
            QTest::keyClick(w(), Qt::Key_Escape);
        } else {
            QVERIFY(w()->close());
        }
        QVERIFY(!chart()->loading());
        QVERIFY(w()->isHidden());
        QCOMPARE(frmExecute, w());
        QCOMPARE(chartValues(), values);
    }

    void buttonsShowTheirWindows_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("Диаграмма") << "btnGoChart"
                                   << "frmOutput";
        QTest::newRow("Таблица") << "btnTable"
                                 << "frmTblOut";
        QTest::newRow("Параметры") << "btnParam"
                                   << "frmShowParam";
    }
    void buttonsShowTheirWindows()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        createWindows();
        const QList<TForm*> windows{frmOutput, frmTblOut, frmShowParam};
        auto* push = w()->findChild<QPushButton*>(button);
        push->click();
        for (TForm* form : windows)
            QCOMPARE(form->isVisible(), form->objectName() == window);
        push->click(); // a visible window stays shown
        for (TForm* form : windows)
            QCOMPARE(form->isVisible(), form->objectName() == window);
    }

    // Real message boxes, closed with Enter and Esc by turns: the sweep goes
    // on after each and the window stays as it was.
    void messageBoxesClosedByKeys()
    {
        addTwoLevels();
        createWindows();
        w()->show();
        setRange(QStringLiteral("30"), QStringLiteral("25"));
        // Real boxes this time, closed by keys as a user would.
        MessageService::Sink recorder = MessageService::setSink({});
        int closed = 0;
        QTimer closer;
        closer.setInterval(1);
        connect(&closer, &QTimer::timeout, [&closed] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            QVERIFY(!QGuiApplication::overrideCursor());
            QTest::keyClick(box, closed % 2 == 0 ? Qt::Key_Return : Qt::Key_Escape);
            ++closed;
        });
        closer.start();
        w()->btnCalc->click();
        closer.stop();
        MessageService::setSink(std::move(recorder));
        QCOMPARE(closed, 2 * 3);
        QCOMPARE(cells(), QStringList({"", "10,00", "20,00", "10,00", "", "", "15,00", "", "",
                                       "20,00", "", ""}));
        QVERIFY(w()->isVisible());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The boxes of a long sweep come up under the normal cursor, and Enter in
    // a field while one is up starts no second calculation.
    void messagesOfALongSweep()
    {
        addTwoLevels();
        createWindows();
        w()->edtMaxX->setText(QStringLiteral("1510"));
        w()->edtStepX->setText(QStringLiteral("1"));
        int shown = 0;
        int underBusyCursor = 0;
        const MessageService::Sink previous =
            MessageService::setSink([&](const QString&, const QString&) {
                if (QGuiApplication::overrideCursor())
                    ++underBusyCursor;
                if (++shown == 1)
                    QTest::keyClick(w()->edtMinX, Qt::Key_Return);
            });
        w()->btnCalc->click();
        MessageService::setSink(previous);
        QCOMPARE(shown, 1500 * 4);
        QCOMPARE(underBusyCursor, 0);
    }

    // A long sweep ended by an error (an empty thinning coefficient) leaves no busy cursor.
    void longSweepEndedByAnErrorRestoresTheCursor()
    {
        levels->add({{.number = 1, .flowDist = QVariant()}, {.number = 2}, {.number = 3}});
        createWindows();
        w()->edtMaxX->setText(QStringLiteral("1010"));
        w()->edtStepX->setText(QStringLiteral("1"));
        w()->edtStepY->setText(QStringLiteral("1"));
        w()->edtCalcLevel->setText(QStringLiteral("2"));
        QStringList errorCursors;
        const ErrorDisplay::Sink previous =
            ErrorDisplay::setSink([&errorCursors](const QString& text, const QString&) {
                errorCursors << text
                             << QString::number(QGuiApplication::overrideCursor() != nullptr);
            });
        w()->btnCalc->click();
        ErrorDisplay::setSink(previous);
        QCOMPARE(errorCursors.size(), 2);
        QCOMPARE(errorCursors[1], QStringLiteral("0"));
    }

    void sweepCursor()
    {
        {
            SweepCursor cursor;
            cursor.start(SweepCursor::BusyPoints);
            QVERIFY(!QGuiApplication::overrideCursor());
            cursor.start(SweepCursor::BusyPoints + 1);
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            cursor.withNormalCursor([] { QVERIFY(!QGuiApplication::overrideCursor()); });
            QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, cursor.withNormalCursor([] {
                throw std::runtime_error("box failed");
            }));
            QVERIFY(cursor.busy());
        }
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

KEROVA_TEST(CalcWindowTest)
#include "CalcWindowTest.moc"
