// SPDX-License-Identifier: GPL-3.0-or-later
// kerova-sweep: the calculation of "Расчет" without a window. Reads the
// levels of one model of the store behind the alias MODEL, sweeps as the
// calculation window does and prints the result table as CSV on standard output.
//
//   kerova-sweep [--setup FILE] [--config INI] [--model NAME | --model-id KEY]
//                [--x ITEM] [--x-from V] [--x-to V] [--x-step V] [--x-level K]
//                [--y ITEM] [--y-from V] [--y-to V] [--y-step V] [--y-level K]
//                [--calc ITEM] [--calc-level K] [--raw] [--inputs] [--threads N]
//
// Without --model or --model-id the store's only model is computed (ModelChoice).
// Defaults are the window's initial inputs, or with --setup those of a setup
// saved in the window (CalcSetup), whose model is then computed; options
// given beside it override its values (SetupOption). An empty value is a
// blank field, which takes the window's initial text. --config names the
// engine's INI instead of KEROVA_ENGINE_CONFIG.
// Cells are separated by ";" and formatted "0.00" in the user's locale; with
// --raw, numbers are printed in shortest round-trip form with "." and cells
// separated by ",". With --inputs, the inputs of the calculation (the values
// as used, the choices, the store, the model, the time) come first as lines starting
// with "# ". Each formula report is one line on standard error, naming its
// point, whose cell is then empty. The table is
// made into text by one thread per core (--threads N: N threads, 1 for one).
// Inputs that cannot give a result are refused with the calculation window's
// text on standard error.
// On a terminal, a run over a second shows its progress on standard error;
// Ctrl+C stops it between rows, leaving no partial CSV line.
// Exit status: 0 done, 1 the calculation ended with an error, its result
// could not be written or the store has no model, 2 invalid input, a model to
// choose or an unknown option, 130 stopped by Ctrl+C. --help and --version as in every GNU tool.

#include "ItemNumbers.h"
#include "ModelChoice.h"
#include "SetupOption.h"
#include "TerminalProgress.h"

#include "calccore/Dmexec.h"
#include "calccore/FailedPoint.h"
#include "calccore/Indicator.h"
#include "calccore/NoChart.h"
#include "calccore/ParameterSweep.h"
#include "calccore/SweepInput.h"
#include "calccore/TableBuffer.h"
#include "engine/Database.h"
#include "number/Error.h"
#include "number/GridCsv.h"
#include "number/NumberFormat.h"

#include "cli/ErrorLine.h"
#include "cli/StandardOutput.h"
#include "cli/ToolCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QScopeGuard>
#include <QTextStream>
#include <cstdio>
#include <new>
#include <optional>
#include <string>

namespace {

struct TextOption
{
    const char* option;
    QString SweepInput::*text;
    const char* help;
};

const TextOption kFields[] = {
    {"x-from", &SweepInput::minX, "первое значение X"},
    {"x-to", &SweepInput::maxX, "граница диапазона X, сама не бывает точкой"},
    {"x-step", &SweepInput::stepX, "шаг X"},
    {"x-level", &SweepInput::levelX, "уровень, у которого меняется X"},
    {"y-from", &SweepInput::minY, "первое значение Y"},
    {"y-to", &SweepInput::maxY, "граница диапазона Y, сама не бывает точкой"},
    {"y-step", &SweepInput::stepY, "шаг Y"},
    {"y-level", &SweepInput::levelY, "уровень, у которого меняется Y"},
    {"calc-level", &SweepInput::calcLevel, "уровень K вычисляемой величины"},
};

struct ItemOption
{
    const char* option;
    int SweepInput::*item;
    int count;
    const char* help;
};

const ItemOption kChoices[] = {
    {"x", &SweepInput::itemX, Indicator::Count, "показатель X (0–6, -1 — никакой)"},
    {"y", &SweepInput::itemY, Indicator::Count, "показатель Y (0–6, -1 — никакой)"},
    {"calc", &SweepInput::calcType, ParameterSweep::CalcTypeCount,
     "вычисляемая величина (0–2, -1 — никакая)"},
};

// The value of --threads: 0 (one per core) when it is not given, -1 after a
// message when it is not a count.
int readThreads(const QCommandLineParser& parser)
{
    if (!parser.isSet(QStringLiteral("threads")))
        return 0;
    bool ok = false;
    const int threads = parser.value(QStringLiteral("threads")).trimmed().toInt(&ok);
    if (ok && threads >= 1 && threads <= ParallelRows::MaxWorkers)
        return threads;
    ErrorLine::write(QStringLiteral("--threads: ожидается число потоков от 1 до %1: «%2»")
                         .arg(ParallelRows::MaxWorkers)
                         .arg(parser.value(QStringLiteral("threads"))));
    return -1;
}

QString shortest(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// The grid as CSV after head: "0.00" cells in the user's locale separated by
// ";", or with raw the shortest round-trip form separated by ",". A cell
// without a value is empty. The rows are made into text by that many threads
// and written in order; writing stops at the first piece that cannot be
// written (StandardOutput::finish reports it) or after Ctrl+C.
void writeTable(const ResultGrid& grid, bool raw, const std::string& head, int threads)
{
    if (TerminalProgress::interrupted() || !StandardOutput::write(head))
        return;
    const GridCsv csv(grid, raw ? GridCsv::Numbers::Shortest : GridCsv::Numbers::Fixed2,
                      NumberFormat::decimalPoint());
    const qint64 cells = qint64(grid.colCount()) * grid.rowCount();
    csv.write(ParallelRows::workerCount(cells, threads), [](std::string_view text) {
        return !TerminalProgress::interrupted() && StandardOutput::write(text);
    });
}

// The inputs the options give over start, or nothing (after a message) when a choice is not an
// item.
std::optional<SweepInput> readOptions(const QCommandLineParser& parser, SweepInput input)
{
    for (const TextOption& f : kFields)
        if (parser.isSet(QLatin1String(f.option)))
            input.*f.text = parser.value(QLatin1String(f.option));
    for (const ItemOption& c : kChoices) {
        if (!parser.isSet(QLatin1String(c.option)))
            continue;
        bool ok = false;
        const int item = parser.value(QLatin1String(c.option)).trimmed().toInt(&ok);
        if (!ok || item < -1 || item >= c.count) {
            ErrorLine::write(
                QStringLiteral("--%1: нет такого пункта: «%2»")
                    .arg(QLatin1String(c.option), parser.value(QLatin1String(c.option))));
            return std::nullopt;
        }
        input.*c.item = item;
    }
    return input;
}

// The exit status of a run stopped by Ctrl+C, as a shell gives it.
constexpr int InterruptedStatus = 128 + 2;

// Computes with the progress line of a terminal; false when Ctrl+C stopped it.
bool compute(ParameterSweep& calc, ParameterSweep::Progress& progress, int threads,
             TerminalProgress*& shown)
{
    TerminalProgress line(progress, calc.pointTotal());
    shown = &line;
    const auto forget = qScopeGuard([&shown] { shown = nullptr; });
    return calc.compute(&progress, threads);
}

int sweep(const SweepInput& input, const ModelChoice& model, bool raw, bool inputs, int threads)
{
    QTextStream err(stderr);
    Database db;
    TdmExecute dmExecute;
    NoChart chart;
    TableBuffer table;
    ParameterSweep::Progress progress;
    TerminalProgress::catchInterrupt(progress);
    TerminalProgress* progressLine = nullptr;
    ParameterSweep calc(
        dmExecute, chart, table,
        [&err, &progressLine](const QString& text, int ix, int iy, double x, double y) {
            const auto write = [&] {
                err << ErrorLine::prefixed(
                           FailedPoint::text(text, ix, iy, shortest(x), shortest(y)))
                    << Qt::endl;
            };
            progressLine ? progressLine->print(write) : write();
        });
    try {
        db.open();
        int status = 0;
        const std::optional<int> modelId = model.resolve(db, err, &status);
        if (!modelId)
            return status;
        dmExecute.setDatabase(&db);
        dmExecute.setModel(*modelId);
        if (calc.prepare(input) == ParameterSweep::Outcome::InvalidInput) {
            ErrorLine::write(calc.refusal().text);
            return 2;
        }
        if (!compute(calc, progress, threads, progressLine))
            return InterruptedStatus;
        calc.complete();
    } catch (const Error& e) {
        ErrorLine::write(e.message());
        return 1;
    } catch (const std::bad_alloc&) {
        // The result grid names its own size (OutOfMemoryError); this is the rest.
        ErrorLine::write(QStringLiteral("Недостаточно памяти для расчета"));
        return 1;
    }
    std::string head;
    if (inputs)
        for (const QString& line : calc.record().lines())
            head += "# " + line.toStdString() + '\n';
    writeTable(table.grid(), raw, head, threads);
    return TerminalProgress::interrupted() ? InterruptedStatus : 0;
}

int run(const QStringList& arguments)
{
    ToolCommandLine cli(
        QStringLiteral("Расчет по уровням модели без окна; результат — таблица CSV"),
        QStringLiteral("\nТочки диапазона: от, от + шаг, от + 2 × шаг, … до границы; сама граница\n"
                       "точкой не бывает (от 10 до 100 с шагом 10 — точки 10 … 90,\n"
                       "от 480 до 721 с шагом 120 — 480, 600, 720).\n"
                       "Точка, где формула сообщает об ошибке, остается без значения: поле пусто.\n"
                       "Без --model и --model-id рассчитывается единственная модель хранилища.\n"
                       "Значения по умолчанию — начальные значения окна расчетов; пустое\n"
                       "значение (--y-to \"\") действует как пустое поле и принимает их.\n"
                       "\nКод завершения: 0 — готово, 1 — расчет закончился ошибкой,\n"
                       "его результат не удалось записать или в хранилище нет моделей,\n"
                       "2 — неверные параметры или исходные данные, или нужно выбрать модель.\n") +
            ItemNumbers::help());
    QCommandLineParser& parser = cli.parser();
    SetupOption::addOptions(parser);
    ModelChoice::addOptions(parser);
    for (const ItemOption& c : kChoices)
        parser.addOption(
            {QLatin1String(c.option), QString::fromUtf8(c.help), QStringLiteral("ПУНКТ")});
    for (const TextOption& f : kFields)
        parser.addOption(
            {QLatin1String(f.option), QString::fromUtf8(f.help), QStringLiteral("ЗНАЧЕНИЕ")});
    parser.addOption({QStringLiteral("raw"),
                      QStringLiteral("числа без округления, с точкой; ячейки через запятую")});
    parser.addOption(
        {QStringLiteral("threads"),
         QStringLiteral(
             "число потоков, переводящих таблицу в текст (по умолчанию — по числу ядер)"),
         QStringLiteral("N")});
    parser.addOption({QStringLiteral("inputs"),
                      QStringLiteral("перед таблицей — исходные данные расчета, строки с «# »")});
    if (const std::optional<int> done = cli.parse(arguments))
        return *done;
    if (!parser.positionalArguments().isEmpty())
        return ToolCommandLine::usageError(QStringLiteral("лишние аргументы: ") +
                                           parser.positionalArguments().join(QLatin1Char(' ')));
    SetupOption setup;
    const ModelChoice model(parser, setup);
    if (!model.problem().isEmpty())
        return ToolCommandLine::usageError(model.problem());
    if (!setup.read(parser))
        return 2;
    const std::optional<SweepInput> input = readOptions(parser, setup.input());
    const int threads = readThreads(parser);
    if (!input || threads < 0)
        return 2;
    return sweep(*input, model, parser.isSet(QStringLiteral("raw")),
                 parser.isSet(QStringLiteral("inputs")), threads);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return StandardOutput::finish(run(app.arguments()));
}
