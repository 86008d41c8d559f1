// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCommandLineParser>
#include <QTranslator>
#include <optional>

// The GNU-style command line every Kerova tool shares: "--help" (or "-h")
// prints the usage, the options, what follows them and the variable naming
// the stores' configuration (KEROVA_ENGINE_CONFIG) on standard output,
// "--version" prints "<program> (Kerova) <version>", both ending the tool
// with 0; an unknown option or a missing value is one line on standard error
// naming it and "--help", ending the tool with 2.
class ToolCommandLine
{
public:
    // description: the line under the usage line; epilogue: the text after
    // the options (commands, exit status). Needs a running QCoreApplication.
    ToolCommandLine(const QString& description, const QString& epilogue);

    // The parser, for the tool's own options and positional arguments.
    QCommandLineParser& parser() { return m_parser; }

    // Parses the arguments; the exit status when the tool is done (help or
    // version printed, or a usage error reported), nothing when it goes on.
    std::optional<int> parse(const QStringList& arguments);

    // Reports a usage error as "<program>: <message>; справка: <program> --help"
    // on standard error and returns 2.
    static int usageError(const QString& message);

private:
    QTranslator m_qtTranslations;
    QCommandLineParser m_parser;
    QString m_epilogue;
};
