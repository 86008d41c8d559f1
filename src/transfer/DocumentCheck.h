// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/Schema.h"

#include <QHash>
#include <QJsonObject>
#include <QSet>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

// The checks of an import on rows given one at a time, the tables in any
// order, without holding the rows: each row an object that names every
// column of its table once, each value of its column's kind; no key twice;
// every level's model in the content; the level rules the windows hold (a
// number and a name, each number once within its model). Of what is wrong it
// names what an import names: the first problem in the models' rows, else in
// the levels' rows, else the first level without its model, else the first
// level against the rules.
class DocumentCheck
{
public:
    struct Problem
    {
        QString place; // "levels[3].LVLNODEAMOUNT"
        QString text;
    };
    // The row in its canonical form: every column, each value of its kind.
    // A problem leaves canonical as it is; place names the row ("levels[3]").
    static std::optional<Problem> checkRow(const Schema::Table& table, const QJsonValue& row,
                                           const QString& place, QJsonObject* canonical);
    // The same, raising the problem as an import names it.
    static QJsonObject canonicalRow(std::size_t table, qsizetype index, const QJsonValue& row);
    // Raises «Документ не принят: place: text».
    [[noreturn]] static void fail(const QString& place, const QString& text);

    // The next row of the table of that index.
    void row(std::size_t table, const QJsonValue& row);
    // The table's rows are not an array (or not given at all).
    void notArray(std::size_t table);
    qsizetype rowCount(std::size_t table) const { return m_rows[table]; }
    // Raises the problem found, if any. A level's number given twice is
    // named with the level that holds it first: levelAt gives that level.
    using LevelAt = std::function<QJsonObject(qsizetype index)>;
    void finish(const LevelAt& levelAt) const;

private:
    void model(const QJsonObject& row, qsizetype index);
    void level(const QJsonObject& row, qsizetype index);
    void note(int rank, const QString& place, const QString& text);

    std::array<qsizetype, 2> m_rows{};
    QSet<qint64> m_models;
    QSet<qint64> m_levelKeys;           // model key and level key
    QHash<qint64, qsizetype> m_numbers; // model key and level number: the level holding it
    std::vector<std::pair<qsizetype, qint64>> m_unseenModel; // levels given before their model
    int m_rank = 4; // of the problem kept: 0 models' rows, 1 levels' rows, 2 model, 3 rules
    Problem m_problem;
    QJsonObject m_ruleLevel; // the level against the rules
    qsizetype m_ruleIndex = -1;
    qsizetype m_ruleHolder = -1; // the level that holds its number first, -1 for none
};
