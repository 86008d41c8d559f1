// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/CalculationRecord.h"
#include "ChartBuffer.h"
#include "LevelFixture.h"
#include "calccore/ParameterSweep.h"
#include "calccore/TableBuffer.h"
#include "number/Error.h"
#include "testutil/MessageRecorder.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"

#include <QLocale>
#include <QTest>
#include <memory>
#include <optional>

namespace {

// A table that keeps what the sweep hands over as the calculation's inputs.
class RecordingTable : public TableBuffer
{
public:
    void setRecord(const CalculationRecord* record) override
    {
        ++calls;
        lines = record ? std::optional(record->lines()) : std::nullopt;
    }
    int calls = 0;
    std::optional<QStringList> lines;
};

} // namespace

// The inputs recorded for a completed calculation: the values as used after
// the blank-field rule, in the user's locale, the choices, the store, the model.
class CalculationRecordTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LevelFixture> f;
    ChartBuffer chart;
    RecordingTable table;
    std::unique_ptr<MessageRecorder> messages;

private Q_SLOTS:
    void init()
    {
        f = std::make_unique<LevelFixture>();
        f->add({{.number = 1, .nodes = 4, .flowDist = 0.3}, {.number = 2, .nodes = 12}});
        messages = std::make_unique<MessageRecorder>();
        table = RecordingTable();
    }
    void cleanup()
    {
        messages.reset();
        f.reset();
        QLocale::setDefault(QLocale::c());
    }

    void linesOfACompletedCalculation_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<SweepInput>("input");
        QTest::addColumn<QStringList>("lines"); // after the time, store and model lines
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        const QLocale russian(QLocale::Russian, QLocale::Russia);
        QTest::newRow("initial inputs")
            << english << SweepInput()
            << QStringList{"Показатель Х: Интенсивность потока задач (Интенсивность потока задач); "
                           "от 10; до 100; шаг 10; уровень 1",
                           "Показатель Y: Интенсивность потока решения задач (Интенсивность "
                           "решения задач); от 10; до 30; шаг 5; уровень 1",
                           "Вычисляемая величина: Количество узлов уровня; уровень 2",
                           "Ошибки в точках: Деление на ноль — 36 точек из 36"};
        SweepInput blanks;
        blanks.maxY = QStringLiteral(" ");
        blanks.stepY = QString();
        blanks.levelX = QString();
        blanks.stepX = QStringLiteral("2");
        blanks.maxX = QStringLiteral("15,5");
        blanks.calcType = 1;
        QTest::newRow("blank fields, comma locale")
            << russian << blanks
            << QStringList{"Показатель Х: Интенсивность потока задач (Интенсивность потока задач); "
                           "от 10; до 15,5; шаг 2; уровень 1",
                           "Показатель Y: Интенсивность потока решения задач (Интенсивность "
                           "решения задач); от 10; до 30; шаг 5; уровень 1",
                           "Вычисляемая величина: Производительность узлов уровня; уровень 2"};
        SweepInput none;
        none.itemX = -1;
        none.calcType = -1;
        QTest::newRow("no choices")
            << english << none
            << QStringList{"Показатель Х: не выбран; от 10; до 100; шаг 10; уровень 1",
                           "Показатель Y: Интенсивность потока решения задач (Интенсивность "
                           "решения задач); от 10; до 30; шаг 5; уровень 1",
                           "Вычисляемая величина: не выбран; уровень 2"};
    }
    void linesOfACompletedCalculation()
    {
        QFETCH(QLocale, locale);
        QFETCH(SweepInput, input);
        QLocale::setDefault(locale);
        ParameterSweep sweep(f->dm, chart, table, showReport);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        QCOMPARE(sweep.run(input), ParameterSweep::Outcome::Done);
        QCOMPARE(table.calls, 2); // cleared at the start, set at the end
        QVERIFY(table.lines.has_value());
        const QStringList lines = *table.lines;
        QCOMPARE(lines, sweep.record().lines());
        QTEST(lines.mid(3), "lines");
        QVERIFY(lines[0].startsWith(QStringLiteral("Расчет: ")));
        const QDateTime time =
            QDateTime::fromString(lines[0].mid(8), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QVERIFY(time >= before && time <= QDateTime::currentDateTime());
        QCOMPARE(lines[1], QStringLiteral("Хранилище: ") + f->db->definition().describe());
        QCOMPARE(lines[2], QStringLiteral("Модель: Модель 1 (ключ 1)"));
        QVERIFY(!f->db->definition().describe().isEmpty());
    }

    void invalidInputKeepsThePreviousRecord()
    {
        ParameterSweep sweep(f->dm, chart, table, showReport);
        QCOMPARE(sweep.run(SweepInput()), ParameterSweep::Outcome::Done);
        const QStringList kept = *table.lines;
        SweepInput bad;
        bad.minX = QStringLiteral("десять");
        QCOMPARE(sweep.run(bad), ParameterSweep::Outcome::InvalidInput);
        QCOMPARE(table.calls, 2);
        QCOMPARE(*table.lines, kept);
    }

    // A calculation that ends with an error leaves results without inputs.
    void failedCalculationClearsTheRecord()
    {
        ParameterSweep sweep(f->dm, chart, table, showReport);
        QCOMPARE(sweep.run(SweepInput()), ParameterSweep::Outcome::Done);
        QVERIFY_STORE(f->store->exec(QStringLiteral("UPDATE MATHLEVEL SET LVLTSKFLOWDIST = NULL")));
        QVERIFY_THROWS_EXCEPTION(Error, sweep.run(SweepInput()));
        QCOMPARE(table.calls, 3);
        QVERIFY(!table.lines.has_value());
    }
};

KEROVA_TEST(CalculationRecordTest)
#include "CalculationRecordTest.moc"
