// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/TestRegistry.h"
#include "testutil/ToolRun.h"

#include <QTemporaryDir>
#include <QTest>

// kerova-samples and kerova-gallery, started offscreen with --walk, show
// every page (every window) once, paint it, name it, and exit cleanly.
class ProgramWalkTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void walksEveryPage_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("pages");
        QTest::newRow("kerova-samples")
            << QStringLiteral(KEROVA_SAMPLES_TOOL)
            << QStringList{"Календарь", "Цветовая сетка", "Дерево папок (TCDirectoryOutline)",
                           "Индикатор", "График производительности"};
        QTest::newRow("kerova-gallery")
            << QStringLiteral(KEROVA_GALLERY_TOOL)
            << QStringList{"Результаты (диаграмма)", "Результаты (таблица)", "Параметры"};
    }
    void walksEveryPage()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, pages);
        const QTemporaryDir runtime; // Qt warns on standard error without one
        const ToolRun run = ToolRun::run(program, {QStringLiteral("--walk")},
                                         {QStringLiteral("QT_QPA_PLATFORM=offscreen"),
                                          QStringLiteral("XDG_RUNTIME_DIR=") + runtime.path()});
        // The offscreen platform says on standard error that it cannot pass
        // a window's size limits on: a note of the platform, not a fault.
        QStringList errors = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        errors.removeAll(QStringLiteral("This plugin does not support propagateSizeHints()"));
        QCOMPARE(errors, QStringList());
        QCOMPARE(run.exitCode, 0);
        QStringList shown;
        for (const QString& line : run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            shown << line.trimmed();
        shown.sort();
        pages.sort();
        QCOMPARE(shown, pages);
    }
};

KEROVA_TEST(ProgramWalkTest)
#include "ProgramWalkTest.moc"
