// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class Database;
struct CalcSetup;

// Whether the store holds the model a setup file names: a model of its key,
// stored under its name. A model deleted, or its key given since to another
// model or the model renamed, would compute something the setup never meant.
class SetupModelCheck
{
public:
    // The name the model of that key is stored under; nothing when no model has the key.
    static std::optional<QString> storedName(Database& db, int key);
    // What is wrong, naming the file and the model; empty when the store holds it.
    static QString problem(Database& db, const CalcSetup& setup, const QString& path);
};
