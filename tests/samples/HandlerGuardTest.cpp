// SPDX-License-Identifier: GPL-3.0-or-later
#include "number/HandlerGuard.h"
#include "number/Error.h"
#include "testutil/TestRegistry.h"

#include <QRegularExpression>
#include <QTest>

// The handler guard of the components: what a handler throws never leaves
// runHandler; it goes to the installed sink, or to the log when there is none
// (the component gallery and Designer without the application's error box).
class HandlerGuardTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void errorGoesToSinkOrLog_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("withSink");
        QTest::addColumn<QString>("logged");
        QTest::addColumn<QString>("sunk");
        const QString refused = QStringLiteral("Значение вне диапазона");
        QTest::newRow("log") << refused << false << refused << QString();
        QTest::newRow("empty message, nothing logged")
            << QString() << false << QString() << QString();
        QTest::newRow("sink, not the log") << refused << true << QString() << refused;
    }
    void errorGoesToSinkOrLog()
    {
        QFETCH(QString, message);
        QFETCH(bool, withSink);
        QFETCH(QString, logged);
        QFETCH(QString, sunk);
        QString received;
        HandlerErrorSink sink;
        if (withSink)
            sink = [&received](const std::exception& error) {
                received = QString::fromUtf8(error.what());
            };
        HandlerErrorSink previous = setHandlerErrorSink(std::move(sink));
        if (logged.isEmpty())
            QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        else
            QTest::ignoreMessage(QtWarningMsg, logged.toUtf8().constData());
        runHandler([&message] { throw Error(message); });
        setHandlerErrorSink(std::move(previous));
        QCOMPARE(received, sunk);
    }
};

KEROVA_TEST(HandlerGuardTest)
#include "HandlerGuardTest.moc"
