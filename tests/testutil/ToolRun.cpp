// SPDX-License-Identifier: GPL-3.0-or-later
#include "testutil/ToolRun.h"

#include <QProcess>

ToolRun ToolRun::run(const QString& program, const QStringList& args, const QStringList& extraEnv,
                     const QString& outputFile)
{
    QProcess process;
    process.setProcessEnvironment(environment(extraEnv));
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
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

QProcessEnvironment ToolRun::environment(const QStringList& extraEnv)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& pair : extraEnv) {
        if (pair.contains(QLatin1Char('=')))
            env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
        else
            env.remove(pair);
    }
    return env;
}
