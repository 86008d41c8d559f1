// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonObject>
#include <QSet>
#include <QString>

// Checks the rows of a content one at a time, as they stream from a store,
// the way an import checks a document: every value of its column's kind and
// length, every level's model given before it. Keys are the store's own and
// so never given twice. Keeps the first problem, with its place.
class RowCheck
{
public:
    // The row of that index in the table of that index (models before levels).
    void row(std::size_t table, qsizetype index, const QJsonObject& row);
    // "levels[3].MODID: модели 7 в документе нет"; empty while every row fits.
    const QString& problem() const { return m_problem; }

private:
    QSet<qint64> m_models;
    QString m_problem;
};
