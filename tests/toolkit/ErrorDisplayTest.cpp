// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/ErrorDisplay.h"
#include "engine/AbortError.h"
#include "engine/EngineError.h"
#include "number/Handler.h"
#include "number/RuleError.h"
#include "testutil/ErrorRecorder.h"
#include "testutil/MessageRecorder.h"
#include "testutil/TestRegistry.h"

#include <QPushButton>
#include <QTest>
#include <memory>
#include <new>
#include <stdexcept>

namespace {

// A receiver whose handler fails on its first call and counts every call.
class Failing : public QObject
{
public:
    int calls = 0;
    bool lastChecked = false;
    void click()
    {
        if (++calls == 1)
            throw EngineError(QStringLiteral("Нет связи с хранилищем"));
    }
    void toggled(bool checked) { lastChecked = checked; }
};

} // namespace

// The error display: the text rule, the silent abort, and handlers whose
// errors reach it while the event loop goes on.
class ErrorDisplayTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fullStopIsAppendedAboveItsCode_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << QStringLiteral("Деление на ноль")
                                << QStringLiteral("Деление на ноль.");
        QTest::newRow("full stop") << QStringLiteral("Готово.") << QStringLiteral("Готово.");
        QTest::newRow("exclamation") << QStringLiteral("Ошибка!") << QStringLiteral("Ошибка!");
        QTest::newRow("closing bracket") << QStringLiteral("(x)") << QStringLiteral("(x)");
        QTest::newRow("question mark") << QStringLiteral("Что?") << QStringLiteral("Что?.");
        QTest::newRow("digit") << QStringLiteral("Код 7") << QStringLiteral("Код 7.");
        QTest::newRow("slash") << QStringLiteral("a/") << QStringLiteral("a/.");
        QTest::newRow("blank") << QStringLiteral("a ") << QStringLiteral("a ");
        QTest::newRow("empty") << QString() << QString();
    }
    void fullStopIsAppendedAboveItsCode()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        ErrorRecorder recorder;
        ErrorDisplay::show(EngineError(message));
        QCOMPARE(recorder.count(), 1);
        QCOMPARE(recorder.boxes().first().first, shown);
        QCOMPARE(recorder.boxes().first().second, QStringLiteral("Kerova"));
    }

    void silentAbortShowsNothing()
    {
        ErrorRecorder recorder;
        ErrorDisplay::show(AbortError());
        QCOMPARE(recorder.count(), 0);
    }

    // A rule's refusal is the rule's own box: its caption, its text as raised.
    void ruleRefusalShowsTheRuleBox()
    {
        ErrorRecorder errors;
        MessageRecorder messages;
        runHandler(
            [] { throw RuleError(QStringLiteral("Имя обязательно"), QStringLiteral("Создание")); });
        QCOMPARE(errors.count(), 0);
        QCOMPARE(messages.boxes(),
                 (QVector<MessageRecorder::Box>{{"Имя обязательно", "Создание"}}));
    }

    void standardExceptionsAreShownToo_data()
    {
        QTest::addColumn<std::shared_ptr<std::exception>>("error");
        QTest::addColumn<QString>("shown");
        QTest::newRow("with a message")
            << std::shared_ptr<std::exception>(new std::runtime_error("disk full")) << "disk full.";
        QTest::newRow("out of memory")
            << std::shared_ptr<std::exception>(new std::bad_alloc) << "Недостаточно памяти.";
    }
    void standardExceptionsAreShownToo()
    {
        QFETCH(std::shared_ptr<std::exception>, error);
        ErrorRecorder recorder;
        ErrorDisplay::show(*error);
        QTEST(recorder.boxes().value(0).first, "shown");
    }

    void handlerErrorReachesTheDisplayAndTheLoopGoesOn()
    {
        ErrorRecorder recorder;
        QPushButton button;
        Failing receiver;
        connectHandler(&button, &QPushButton::clicked, &receiver, &Failing::click);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(recorder.count(), 1);
        QCOMPARE(recorder.boxes().first().first, QStringLiteral("Нет связи с хранилищем."));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(receiver.calls, 2);
        QCOMPARE(recorder.count(), 1);
    }

    void handlerMayTakeTheSignalArguments()
    {
        QPushButton button;
        button.setCheckable(true);
        Failing receiver;
        connectHandler(&button, &QPushButton::toggled, &receiver, &Failing::toggled);
        button.setChecked(true);
        QVERIFY(receiver.lastChecked);
    }
};

KEROVA_TEST(ErrorDisplayTest)
#include "ErrorDisplayTest.moc"
