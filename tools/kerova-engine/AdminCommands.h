// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CommandLine;

// kerova-engine init, demo and info.
class AdminCommands
{
public:
    // Creates the store (for SQLite the file and its folder) and its tables;
    // 3 when the tables are already there.
    static int init(const CommandLine& line);
    // Loads the sample model «Тестовая».
    static int demo(const CommandLine& line);
    // Where the alias points (and whether that is the default store), the row
    // counts, and each model with its key, name and number of levels.
    static int info(const CommandLine& line);
};
