#pragma once

#include <QProcess>
#include <QStringList>

// One run of a command-line tool of the project, to its end: exit code (-1
// when it crashed or did not finish), standard output and standard error.
// extraEnv changes the test's own environment for the tool: NAME=VALUE sets
// a variable, a NAME alone removes it.
struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;

    static ToolRun run(const QString& program, const QStringList& args,
                       const QStringList& extraEnv = {})
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& pair : extraEnv) {
            if (pair.contains(QLatin1Char('=')))
                env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
            else
                env.remove(pair);
        }
        process.setProcessEnvironment(env);
        process.start(program, args);
        ToolRun result;
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            result.err = QStringLiteral("did not finish");
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }
};
