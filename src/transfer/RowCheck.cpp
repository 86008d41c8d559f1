// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/RowCheck.h"

#include "engine/Schema.h"
#include "transfer/StoreDocument.h"
#include "transfer/StoreValue.h"

void RowCheck::row(std::size_t table, qsizetype index, const QJsonObject& row)
{
    const qint64 model = row.value(QStringLiteral("MODID")).toInteger();
    if (table == 0)
        m_models.insert(model);
    if (!m_problem.isEmpty())
        return;
    const QString place = QStringLiteral("%1[%2]").arg(StoreDocument::arrayName(table)).arg(index);
    const Schema::Table& columns = Schema::tables()[table];
    for (const Schema::Column& column : columns.columns) {
        QJsonValue fitted;
        const QString problem = StoreValue::check(columns, column, row.value(column.name), &fitted);
        if (!problem.isEmpty()) {
            m_problem = QStringLiteral("%1.%2: %3").arg(place, column.name, problem);
            return;
        }
    }
    if (table == 1 && !m_models.contains(model))
        m_problem = QStringLiteral("%1.MODID: модели %2 в документе нет").arg(place).arg(model);
}
