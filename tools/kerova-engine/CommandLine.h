// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The arguments of kerova-engine: a command, its aliases, and the options
// -o FILE (export), -i FILE (import) and --replace (import, copy).
class CommandLine
{
public:
    static CommandLine parse(const QStringList& arguments);

    bool valid() const { return m_problem.isEmpty(); }
    const QString& problem() const { return m_problem; }
    const QString& command() const { return m_command; }
    // The n-th alias given, MODEL when it was left out.
    QString alias(int n = 0) const;
    const QString& file() const { return m_file; } // empty: standard input or output
    bool replace() const { return m_replace; }

private:
    void readOption(const QStringList& arguments, qsizetype& i);
    void checkCounts();

    QString m_command;
    QStringList m_aliases;
    QString m_file;
    bool m_replace = false;
    QString m_problem;
};
