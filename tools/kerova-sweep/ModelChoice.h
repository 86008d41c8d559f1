// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class Database;
class QCommandLineParser;
class QTextStream;
class SetupOption;

// Which model kerova-sweep computes: --model NAME or --model-id KEY; with
// neither, the only model of the store. A store without models, several
// models and no choice, a name held by several models or a name or key
// that no model has are refused with a message that says what to do.
// With --setup and neither option, the setup's model: a model of its key
// stored under its name (SetupModelCheck), refused otherwise.
class ModelChoice
{
public:
    static void addOptions(QCommandLineParser& parser);
    ModelChoice(const QCommandLineParser& parser, const SetupOption& setup);

    // What is wrong with the options themselves (a usage error), or empty.
    const QString& problem() const { return m_problem; }

    // The key of the chosen model of db; nothing when there is none, after
    // writing why to err, with the exit status in *status: 1 for a store
    // without models, 2 for a choice to make or correct (or a setup's model
    // the store does not hold).
    std::optional<int> resolve(Database& db, QTextStream& err, int* status) const;

private:
    std::optional<int> setupModel(Database& db, QTextStream& err, int* status) const;

    const SetupOption& m_setup;
    std::optional<QString> m_name;
    std::optional<int> m_id;
    QString m_problem;
};
