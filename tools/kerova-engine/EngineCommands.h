// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

class CommandLine;

// The commands of kerova-engine, listed once: the help, the check of the
// command line and the dispatch all read this table.
struct EngineCommand
{
    const char* name;
    const char* usage; // the arguments after the name, as the help shows them
    const char* help;  // lines separated by '\n'
    int (*run)(const CommandLine& line);
    bool changesStore; // a run that ends with 0 has committed a change
};

class EngineCommands
{
public:
    static const std::vector<EngineCommand>& all();
    // The command of that name; null when there is none.
    static const EngineCommand* find(const QString& name);
    // "init, demo, … или copy".
    static QString names();
    // The help's block of commands, one entry per command.
    static QString help();
};
