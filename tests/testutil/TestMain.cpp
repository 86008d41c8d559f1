// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/TestRegistry.h"
#include "testutil/TestStore.h"

#include "toolkit/ErrorDisplay.h"
#include "toolkit/MessageService.h"
#include "toolkit/QuestionService.h"

#include <QApplication>
#include <QTest>
#include <cstdio>

namespace {

bool boxOutsideTests = false;

// A box that no test expects fails the test function that raised it, naming
// the box; the code under test goes on as if the user had closed it. A box
// outside every test function (while a test object is made or destroyed)
// fails the run. Tests that expect boxes record them (BoxRecorder).
void failUnexpectedBox(const QString& text, const QString& caption)
{
    const QByteArray message =
        QStringLiteral("Unexpected box «%1»: %2").arg(caption, text).toUtf8();
    if (QTest::currentTestFunction()) {
        QTest::qFail(message.constData(), __FILE__, __LINE__);
        return;
    }
    std::fprintf(stderr, "%s\n", message.constData());
    boxOutsideTests = true;
}

// A question that no test expects fails likewise and is answered «Отмена»,
// which keeps everything as it was.
QuestionService::Answer failUnexpectedQuestion(const QString& text, const QString& caption,
                                               QuestionService::Buttons)
{
    failUnexpectedBox(text, caption);
    return QuestionService::Answer::Cancel;
}

} // namespace

// Runs every registered test class. "tst_x Class [qtest options]" runs one class.
// A store suite asked to run on PostgreSQL without a server exits 77 (skipped).
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kerova-tests"));
    if (TestStore::driver() == TestStore::Driver::PostgreSQL && !TestStore::postgresAvailable()) {
        std::fprintf(stderr, "No PostgreSQL server given (KEROVA_TEST_PGPORT): skipped\n");
        return 77;
    }
    MessageService::setSink(failUnexpectedBox);
    ErrorDisplay::setSink(failUnexpectedBox);
    QuestionService::setSink(failUnexpectedQuestion);
    QStringList args = app.arguments();
    QString only;
    if (args.size() > 1 && !args[1].startsWith(QLatin1Char('-'))) {
        for (const auto& entry : TestRegistry::entries())
            if (args[1] == QLatin1String(entry.name))
                only = args[1];
        if (!only.isEmpty())
            args.removeAt(1);
    }
    int failures = 0;
    for (const auto& entry : TestRegistry::entries()) {
        if (!only.isEmpty() && only != QLatin1String(entry.name))
            continue;
        std::unique_ptr<QObject> test = entry.factory();
        failures += QTest::qExec(test.get(), args);
    }
    return failures == 0 && !boxOutsideTests ? 0 : 1;
}
