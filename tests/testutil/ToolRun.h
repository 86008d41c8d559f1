// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of a command-line tool of the project, to its end: exit code (-1
// when it crashed or did not finish in two minutes, then killed), standard
// output and standard error. extraEnv holds NAME=VALUE pairs added to the
// test's own environment (a NAME alone removes the variable); outputFile, when given, takes
// standard output instead of `out` (for example /dev/full).
struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;

    static ToolRun run(const QString& program, const QStringList& args,
                       const QStringList& extraEnv = {}, const QString& outputFile = {});
    // The test's own environment with the NAME=VALUE pairs added and the bare NAMEs removed.
    static QProcessEnvironment environment(const QStringList& extraEnv);
};
