// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/LevelStatements.h"

#include "engine/Schema.h"

namespace {

const QString kTable = QStringLiteral("MATHLEVEL");

QStringList without(const QStringList& left)
{
    QStringList columns = LevelStatements::all();
    for (const QString& column : left)
        columns.removeOne(column);
    return columns;
}

QStringList keyLines()
{
    return {QStringLiteral("where"), QStringLiteral("  MODID = :OLD_MODID and"),
            QStringLiteral("  LVLID = :OLD_LVLID")};
}

} // namespace

QStringList LevelStatements::all()
{
    QStringList columns;
    for (const Schema::Column& column : Schema::table(kTable)->columns)
        columns << column.name;
    return columns;
}

QStringList LevelStatements::listed()
{
    return without({QStringLiteral("LVLCOSTLIMIT"), QStringLiteral("LVLNODECOSTDELAY_DCSINT"),
                    QStringLiteral("LVLNODECOSTDELAY_DCSINT2"), QStringLiteral("RTLVLNODEAMOUNT")});
}

QStringList LevelStatements::edited()
{
    return without({QStringLiteral("RTLVLNODEAMOUNT")});
}

QString LevelStatements::select(const QStringList& columns)
{
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", "));
}

QStringList LevelStatements::modify(const QStringList& columns)
{
    QStringList lines{QStringLiteral("update ") + kTable, QStringLiteral("set")};
    for (const QString& column : columns)
        lines << QStringLiteral("  %1 = :%1,").arg(column);
    if (!columns.isEmpty())
        lines.last().chop(1);
    return lines + keyLines();
}

QStringList LevelStatements::insert(const QStringList& columns)
{
    QStringList params;
    for (const QString& column : columns)
        params << QLatin1Char(':') + column;
    return {QStringLiteral("insert into ") + kTable,
            QStringLiteral("  (%1)").arg(columns.join(QStringLiteral(", "))),
            QStringLiteral("values"),
            QStringLiteral("  (%1)").arg(params.join(QStringLiteral(", ")))};
}

QStringList LevelStatements::remove()
{
    return QStringList{QStringLiteral("delete from ") + kTable} + keyLines();
}
