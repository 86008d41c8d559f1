// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/DocumentCheck.h"

#include "engine/EngineError.h"
#include "engine/LevelRules.h"
#include "transfer/StoreDocument.h"
#include "transfer/StoreValue.h"

namespace {

enum Rank { ModelRows, LevelRows, LevelModel, LevelRule, None };

QString rowPlace(std::size_t table, qsizetype index)
{
    return QStringLiteral("%1[%2]").arg(StoreDocument::arrayName(table)).arg(index);
}

qint64 integer(const QJsonObject& row, const QString& column)
{
    return row.value(column).toInteger();
}

// Two 32-bit keys as one number.
qint64 pair(qint64 high, qint64 low)
{
    return (high << 32) | qint64(quint32(low));
}

LevelRules::Values valuesOf(const QJsonObject& level)
{
    return [level](const QString& column) { return level.value(column).toVariant(); };
}

} // namespace

std::optional<DocumentCheck::Problem> DocumentCheck::checkRow(const Schema::Table& table,
                                                              const QJsonValue& row,
                                                              const QString& place,
                                                              QJsonObject* canonical)
{
    if (!row.isObject())
        return Problem{place, QStringLiteral("ожидается объект со столбцами")};
    const QJsonObject given = row.toObject();
    QHash<const Schema::Column*, QJsonValue> values;
    for (auto it = given.begin(); it != given.end(); ++it) {
        const Schema::Column* column = Schema::column(table, it.key());
        const QString at = place + QLatin1Char('.') + it.key();
        if (!column)
            return Problem{at, QStringLiteral("неизвестный столбец таблицы %1").arg(table.name)};
        if (values.contains(column))
            return Problem{at, QStringLiteral("столбец %1 указан дважды").arg(column->name)};
        values.insert(column, it.value());
    }
    QJsonObject result;
    for (const Schema::Column& column : table.columns) {
        // Every row names every column, null included: a missing one is a damaged document.
        const QString at = place + QLatin1Char('.') + column.name;
        if (!values.contains(&column))
            return Problem{at, QStringLiteral("столбец отсутствует")};
        QJsonValue fitted;
        const QString problem = StoreValue::check(table, column, values.value(&column), &fitted);
        if (!problem.isEmpty())
            return Problem{at, problem};
        result.insert(column.name, fitted);
    }
    *canonical = result;
    return std::nullopt;
}

QJsonObject DocumentCheck::canonicalRow(std::size_t table, qsizetype index, const QJsonValue& row)
{
    QJsonObject canonical;
    if (const auto problem =
            checkRow(Schema::tables()[table], row, rowPlace(table, index), &canonical))
        fail(problem->place, problem->text);
    return canonical;
}

void DocumentCheck::fail(const QString& place, const QString& text)
{
    throw EngineError(QStringLiteral("Документ не принят: %1: %2").arg(place, text));
}

void DocumentCheck::row(std::size_t table, const QJsonValue& row)
{
    const qsizetype index = m_rows[table]++;
    if (m_rank <= int(table))
        return; // a problem that an import names first is already known
    QJsonObject canonical;
    if (const auto problem =
            checkRow(Schema::tables()[table], row, rowPlace(table, index), &canonical)) {
        note(int(table), problem->place, problem->text);
        return;
    }
    if (table == 0)
        model(canonical, index);
    else
        level(canonical, index);
}

void DocumentCheck::notArray(std::size_t table)
{
    note(int(table), StoreDocument::arrayName(table), QStringLiteral("ожидается массив"));
}

void DocumentCheck::model(const QJsonObject& row, qsizetype index)
{
    const qint64 key = integer(row, QStringLiteral("MODID"));
    if (m_models.contains(key))
        note(ModelRows, rowPlace(0, index),
             QStringLiteral("ключ (MODID) = (%1) уже встречался").arg(key));
    m_models.insert(key);
}

void DocumentCheck::level(const QJsonObject& row, qsizetype index)
{
    const qint64 model = integer(row, QStringLiteral("MODID"));
    const qint64 key = pair(model, integer(row, QStringLiteral("LVLID")));
    if (m_levelKeys.contains(key)) {
        note(LevelRows, rowPlace(1, index),
             QStringLiteral("ключ (MODID, LVLID) = (%1/%2) уже встречался")
                 .arg(model)
                 .arg(integer(row, QStringLiteral("LVLID"))));
        return;
    }
    m_levelKeys.insert(key);
    if (!m_models.contains(model))
        m_unseenModel.emplace_back(index, model);
    if (m_rank <= LevelRule)
        return;
    const QJsonValue number = row.value(QStringLiteral("LVLNUMBER"));
    if (!number.isNull()) {
        const qint64 at = pair(model, number.toInteger());
        if (const auto holder = m_numbers.constFind(at); holder != m_numbers.cend()) {
            m_ruleHolder = *holder;
        } else {
            m_numbers.insert(at, index);
        }
    }
    if (m_ruleHolder >= 0 || LevelRules::checkIdentity(valuesOf(row), {})) {
        m_rank = LevelRule;
        m_ruleLevel = row;
        m_ruleIndex = index;
    }
}

void DocumentCheck::note(int rank, const QString& place, const QString& text)
{
    if (rank >= m_rank)
        return;
    m_rank = rank;
    m_problem = {place, text};
}

void DocumentCheck::finish(const LevelAt& levelAt) const
{
    if (m_rank < LevelModel)
        fail(m_problem.place, m_problem.text);
    for (const auto& [index, model] : m_unseenModel)
        if (!m_models.contains(model))
            fail(QStringLiteral("levels[%1].MODID").arg(index),
                 QStringLiteral("модели %1 в документе нет").arg(model));
    if (m_rank != LevelRule)
        return;
    LevelRules::Numbers holder;
    if (m_ruleHolder >= 0) {
        const QJsonObject held = levelAt(m_ruleHolder);
        holder.insert(m_ruleLevel.value(QStringLiteral("LVLNUMBER")).toInt(),
                      held.value(QStringLiteral("LVLNAME")).toString());
    }
    const auto refusal = LevelRules::checkIdentity(valuesOf(m_ruleLevel), holder);
    fail(QStringLiteral("levels[%1].%2").arg(m_ruleIndex).arg(refusal->column), refusal->text);
}
