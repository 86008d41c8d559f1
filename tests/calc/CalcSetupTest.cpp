// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/CalcSetup.h"
#include "CalcWindows.h"
#include "LevelFixture.h"
#include "calc/Frmexec.h"
#include "calccore/Dmexec.h"
#include "results/Formout.h"
#include "results/Formparm.h"
#include "results/Formtblout.h"
#include "results/ResultExport.h"
#include "results/ResultPin.h"
#include "results/SaveDialog.h"
#include "store/Dmcom.h"
#include "store/Dmstruct.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/MessageRecorder.h"
#include "testutil/StoreCheck.h"
#include "testutil/TestRegistry.h"
#include "testutil/ToolRun.h"
#include "toolkit/Application.h"
#include "toolkit/KeptSettings.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/TRadioGroup.h"
#include "toolkit/TStringGrid.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

Q_DECLARE_METATYPE(SweepInput)

// A calculation's setup saved from the calculation window, opened again and
// run by kerova-sweep; the window's inputs kept between runs. The user types
// and presses keys; the file dialogs answer with a path of the test.
class CalcSetupTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<LevelFixture> levels;
    std::unique_ptr<Application> app;
    QTemporaryDir dir;
    int argc = 1;
    char arg0[16] = "tst_calc";
    char* argv[2] = {arg0, nullptr};

    TfrmExecute* w() const { return frmExecute; }
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }

    // The windows in start-up order over the model list; the calculation window shown and active.
    void start()
    {
        app = createCalcWindows(argc, argv, levels->db.get());
        w()->show();
        QApplication::setActiveWindow(w());
        QVERIFY(QTest::qWaitForWindowActive(w()));
    }

    // Types over a field's text as a person does: click, select all, type.
    static void typeOver(QLineEdit* edit, const QString& text)
    {
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // Every field typed and every choice clicked as the input gives them.
    void enter(const SweepInput& in)
    {
        for (int f = 0; f <= int(SweepField::CalcLevel); ++f)
            typeOver(static_cast<QLineEdit*>(w()->fieldControl(SweepField(f))),
                     textOf(in, SweepField(f)));
        // On the round mark: a short caption ends before the button's middle.
        for (const auto& [group, item] : {std::pair{w()->ValX, in.itemX},
                                          {w()->ValY, in.itemY},
                                          {w()->rgrCalcType, in.calcType}})
            QTest::mouseClick(group->button(item), Qt::LeftButton, {},
                              QPoint(8, group->button(item)->height() / 2));
    }
    static QString textOf(const SweepInput& in, SweepField f)
    {
        const QString SweepInput::*texts[] = {
            &SweepInput::minX,   &SweepInput::maxX,   &SweepInput::stepX,
            &SweepInput::levelX, &SweepInput::minY,   &SweepInput::maxY,
            &SweepInput::stepY,  &SweepInput::levelY, &SweepInput::calcLevel};
        return in.*texts[int(f)];
    }
    static QStringList all(const SweepInput& in)
    {
        QStringList values;
        for (int f = 0; f <= int(SweepField::CalcLevel); ++f)
            values << textOf(in, SweepField(f));
        return values << QString::number(in.itemX) << QString::number(in.itemY)
                      << QString::number(in.calcType);
    }

    // Ctrl+S saves into path, Ctrl+O opens path.
    void saveTo(const QString& path)
    {
        const auto previous = SaveDialog::setSink([&](auto&&...) { return path; });
        QTest::keyClick(w(), Qt::Key_S, Qt::ControlModifier);
        SaveDialog::setSink(previous);
    }
    void openFrom(const QString& path)
    {
        const auto previous = OpenDialog::setSink([&](auto&&...) { return path; });
        QTest::keyClick(w(), Qt::Key_O, Qt::ControlModifier);
        OpenDialog::setSink(previous);
    }
    // Rows of cells of CSV lines, the separator given.
    static QList<QStringList> cells(const QString& text, QChar separator)
    {
        QList<QStringList> rows;
        for (const QString& line :
             text.split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts))
            rows << line.split(separator);
        return rows;
    }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
        levels = std::make_unique<LevelFixture>();
        QVERIFY_STORE(levels->store->addSample());
        levels->store->addModel(2, QStringLiteral("Вторая"));
    }
    void cleanup()
    {
        app.reset();
        levels.reset();
        KeptSettings::setEnabled(false);
        QLocale::setDefault(QLocale::c());
    }

    // What was typed comes back from the file, numbers as they read; a
    // blank field as the value it stands for.
    void savedSetupReopensWithTheSameInputs_data()
    {
        QTest::addColumn<SweepInput>("typed");
        QTest::addColumn<QStringList>("reopened");
        QTest::newRow("initial") << SweepInput() << QStringList{"10", "100", "10", "1", "10", "30",
                                                                "5",  "1",   "2",  "1", "0",  "0"};
        QTest::newRow("typed, blank and fractional")
            << SweepInput{"2,50", "", "0,125", "2", "-30", "1e3", "5", " ", "3", 5, 2, 1}
            << QStringList{"2,5", "100", "0,125", "2", "-30", "1000", "5", "1", "3", "5", "2", "1"};
    }
    void savedSetupReopensWithTheSameInputs()
    {
        QFETCH(SweepInput, typed);
        start();
        MessageRecorder messages;
        enter(typed);
        saveTo(file("week.json"));
        enter(SweepInput{"1", "2", "1", "3", "1", "2", "1", "3", "1", 6, 6, 0});
        openFrom(file("week.json"));
        QCOMPARE(messages.texts(), QStringList());
        QTEST(all(w()->input()), "reopened");
        QCOMPARE(CalcSetup::read(file("week.json")).modelName, QStringLiteral("Тестовая"));
    }

    // A damaged file or one whose model the store lacks: one box naming the
    // file and what is wrong; the fields and the current model stay.
    void damagedOrStaleSetupIsRefused_data()
    {
        QTest::addColumn<QString>("member");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("problem");
        QTest::newRow("not JSON") << "" << QByteArray("{\"format\": ")
                                  << "это не JSON (ошибка около байта 11)";
        QTest::newRow("another format") << "format" << QByteArray("\"csv\"")
                                        << "это не файл расчета Kerova: «format» должно быть "
                                           "«kerova-calculation»";
        QTest::newRow("newer version")
            << "version" << QByteArray("2") << "версия 2 не поддерживается, ожидается 1";
        QTest::newRow("missing member") << "x.step" << QByteArray() << "нет значения «x.step»";
        QTest::newRow("text for a number")
            << "y.level" << QByteArray("\"1\"") << "«y.level» должно быть числом";
        QTest::newRow("no such item") << "quantity.type" << QByteArray("3")
                                      << "«quantity.type»: нет пункта 3 (допустимы от -1 до 2)";
        QTest::newRow("unknown member")
            << "x.stop" << QByteArray("1") << "неизвестное значение «x.stop»";
        QTest::newRow("model deleted")
            << "model.key" << QByteArray("9") << "в хранилище нет модели «Тестовая» (ключ 9)";
        QTest::newRow("model renamed")
            << "model.name" << QByteArray("\"Старая\"")
            << "модель «Старая» (ключ 1) в хранилище называется теперь «Тестовая»";
    }
    void damagedOrStaleSetupIsRefused()
    {
        QFETCH(QString, member);
        QFETCH(QByteArray, value);
        start();
        saveTo(file("setup.json"));
        QFile out(file("setup.json"));
        QJsonObject top =
            QJsonDocument::fromJson(CalcSetup::read(out.fileName()).toJson()).object();
        const QString group = member.section(QLatin1Char('.'), 0, 0);
        const QString key = member.section(QLatin1Char('.'), 1);
        QJsonObject inner = top.value(group).toObject();
        const QJsonValue v = QJsonDocument::fromJson("[" + value + "]").array().at(0);
        if (key.isEmpty())
            top.insert(group, v);
        else if (value.isEmpty())
            inner.remove(key);
        else
            inner.insert(key, v);
        if (!key.isEmpty())
            top.insert(group, inner);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(member.isEmpty() ? value : QJsonDocument(top).toJson());
        out.close();
        dmStructure->tblModel.locate(QStringLiteral("MODID"), 2);
        typeOver(w()->edtMaxX, QStringLiteral("55"));
        const QStringList before = all(w()->input());
        MessageRecorder messages;
        openFrom(out.fileName());
        QFETCH(QString, problem);
        QCOMPARE(messages.texts(),
                 QStringList{QStringLiteral("Файл расчета %1 не открыт: ").arg(out.fileName()) +
                             problem});
        QCOMPARE(messages.boxes().first().second, QStringLiteral("Расчеты"));
        QCOMPARE(all(w()->input()), before);
        QCOMPARE(dmStructure->tblModel.recNo(), 1);
    }

    // kerova-sweep --setup gives the cells the window's CSV holds; an option
    // beside it overrides its value; --config chooses the store.
    void sweepToolRunsTheSetupAsTheWindowDoes_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("typedMaxX");
        QTest::newRow("as saved") << QStringList{} << "";
        QTest::newRow("--x-to overrides") << QStringList{"--x-to", "35"} << "35";
    }
    void sweepToolRunsTheSetupAsTheWindowDoes()
    {
        QFETCH(QStringList, options);
        QFETCH(QString, typedMaxX);
        start();
        enter(SweepInput{"10", "60", "10", "1", "10", "40", "10", "1", "2", 1, 0, 0});
        saveTo(file("run.json"));
        if (!typedMaxX.isEmpty())
            typeOver(w()->edtMaxX, typedMaxX);
        ErrorRecorder errors;
        QTest::mouseClick(w()->btnCalc, Qt::LeftButton);
        QCOMPARE(errors.count(), 0);
        const QByteArray saved =
            ResultExport::csv({}, ResultExport::allCells(*frmTblOut->tblOut)).mid(3);
        // The environment names no store: only --config reaches it.
        QFile ini(file("none.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[MODEL]\ndriver=sqlite\npath=absent.sqlite\n");
        ini.close();
        const ToolRun run = ToolRun::run(
            QStringLiteral(KEROVA_SWEEP_TOOL),
            QStringList{"--setup", file("run.json"), "--config", levels->store->configPath()} +
                options,
            {QStringLiteral("LC_ALL=ru_RU.UTF-8"),
             QStringLiteral("KEROVA_ENGINE_CONFIG=") + ini.fileName()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(cells(run.out, QLatin1Char(';')),
                 cells(QString::fromUtf8(saved), ResultExport::csvSeparator()));
        QVERIFY(cells(run.out, QLatin1Char(';')).size() > 2);
    }

    // The tool refuses a damaged or stale setup and a missing configuration, naming the file.
    void sweepToolRefuses_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("error");
        QTest::newRow("stale model")
            << QStringList{"--setup", "stale.json"} << 2
            << "Файл расчета stale.json не открыт: в хранилище нет модели «Старая» (ключ 7)";
        QTest::newRow("not a setup")
            << QStringList{"--setup", "none.ini"} << 2
            << "Файл расчета none.ini не открыт: это не JSON (ошибка около байта 1)";
        QTest::newRow("no configuration")
            << QStringList{"--config", "absent.ini"} << 1
            << "Не удалось подключиться к хранилищу MODEL: Файла конфигурации %1/absent.ini нет";
    }
    void sweepToolRefuses()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, error);
        QFile stale(file("stale.json"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        SweepRefusal refusal;
        stale.write(CalcSetup::of(SweepInput(), 7, QStringLiteral("Старая"), &refusal)->toJson());
        stale.close();
        QFile ini(file("none.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[MODEL]\n");
        ini.close();
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QStringLiteral(KEROVA_SWEEP_TOOL), args);
        QVERIFY(process.waitForFinished(120000));
        QTEST(process.exitCode(), "exitCode");
        QCOMPARE(QString::fromUtf8(process.readAllStandardError()),
                 QStringLiteral("kerova-sweep: ") +
                     QString(error).replace(QStringLiteral("%1"), dir.path()) + QLatin1Char('\n'));
    }

    // With keeping on, the next start shows the inputs and the model the last
    // run left; a kept model since deleted is dropped without a box.
    void keptInputsComeBack_data()
    {
        QTest::addColumn<bool>("deleteModel");
        QTest::addColumn<int>("currentRow");
        QTest::newRow("model kept") << false << 1;
        QTest::newRow("model deleted") << true << 0;
    }
    void keptInputsComeBack()
    {
        QFETCH(bool, deleteModel);
        QStandardPaths::setTestModeEnabled(true);
        KeptSettings::open().clear();
        KeptSettings::setEnabled(true);
        start();
        QCOMPARE(all(w()->input()), all(SweepInput()));
        dmStructure->tblModel.locate(QStringLiteral("MODID"), 2);
        const SweepInput typed{"1", "9", "2", "2", "5", "", "1", "3", "1", 3, 6, 1};
        enter(typed);
        QTest::keyClick(w(), Qt::Key_Escape);
        QVERIFY(w()->isHidden());
        app.reset();
        if (deleteModel)
            levels->store->exec(QStringLiteral("DELETE FROM MATHMODEL WHERE MODID = 2"));
        MessageRecorder messages;
        ErrorRecorder errors;
        start();
        QCOMPARE(all(w()->input()), all(typed));
        QTEST(dmStructure->tblModel.recNo(), "currentRow");
        QCOMPARE(messages.count() + errors.count(), 0);
        QCOMPARE(KeptSettings::open().contains(QStringLiteral("calculation/model")), !deleteModel);
    }
};

KEROVA_TEST(CalcSetupTest)
#include "CalcSetupTest.moc"
