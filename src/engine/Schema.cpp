// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/Schema.h"

namespace {

std::vector<Schema::Table> buildTables()
{
    using FT = FieldType;
    Schema::Table model{QStringLiteral("MATHMODEL"),
                        {{QStringLiteral("MODID"), FT::Real, 0, true},
                         {QStringLiteral("MODNAME"), FT::Text, 100, false},
                         {QStringLiteral("MODCOMMENT"), FT::Text, 255, false}},
                        {QStringLiteral("MODID")}};
    Schema::Table level{QStringLiteral("MATHLEVEL"),
                        {{QStringLiteral("MODID"), FT::Integer, 0, true},
                         {QStringLiteral("LVLID"), FT::Integer, 0, true},
                         {QStringLiteral("LVLNUMBER"), FT::Integer},
                         {QStringLiteral("LVLNAME"), FT::Text, 100},
                         {QStringLiteral("LVLNODEAMOUNT"), FT::Integer},
                         {QStringLiteral("LVLTSKDCSTIME"), FT::Integer},
                         {QStringLiteral("LVLTSKFLOWINT"), FT::Integer},
                         {QStringLiteral("LVLTSKFLOWDIST"), FT::Real},
                         {QStringLiteral("LVLNODECOSTDELAY"), FT::Integer},
                         {QStringLiteral("LVLNODECOSTUSE"), FT::Integer},
                         {QStringLiteral("MODIDHIER"), FT::Integer},
                         {QStringLiteral("LVLIDHIER"), FT::Integer},
                         {QStringLiteral("LVLCOSTLIMIT"), FT::Real},
                         {QStringLiteral("LVLNODECOSTDELAY_DCSINT"), FT::Integer},
                         {QStringLiteral("LVLNODECOSTDELAY_DCSINT2"), FT::Real},
                         {QStringLiteral("RTLVLNODEAMOUNT"), FT::Real}},
                        {QStringLiteral("MODID"), QStringLiteral("LVLID")}};
    return {model, level};
}

QString columnSql(const Schema::Column& c, AliasDefinition::Driver driver)
{
    const bool sqlite = driver == AliasDefinition::Driver::SQLite;
    QString sql = c.name + QLatin1Char(' ');
    switch (c.type) {
    case FieldType::Integer:
        sql += QStringLiteral("INTEGER");
        // SQLite integers are 64-bit: keep stored values within 32 bits.
        if (sqlite)
            sql += QStringLiteral(" CHECK (%1 BETWEEN -2147483648 AND 2147483647)").arg(c.name);
        break;
    case FieldType::Real:
        sql += sqlite ? QStringLiteral("REAL") : QStringLiteral("DOUBLE PRECISION");
        break;
    case FieldType::Text:
        if (sqlite)
            sql += QStringLiteral("TEXT CHECK (length(%1) <= %2)").arg(c.name).arg(c.maxLength);
        else
            sql += QStringLiteral("VARCHAR(%1)").arg(c.maxLength);
        break;
    }
    if (c.required)
        sql += QStringLiteral(" NOT NULL");
    return sql;
}

} // namespace

const std::vector<Schema::Table>& Schema::tables()
{
    static const std::vector<Table> all = buildTables();
    return all;
}

const Schema::Table* Schema::table(QStringView identifier)
{
    QStringView name = identifier;
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
        name = name.mid(1, name.size() - 2);
    if (name.endsWith(u".DB", Qt::CaseInsensitive))
        name.chop(3);
    for (const Table& t : tables())
        if (name.compare(t.name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const Schema::Column* Schema::column(const Table& table, QStringView name)
{
    for (const Column& c : table.columns)
        if (name.compare(c.name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

QStringList Schema::createStatements(AliasDefinition::Driver driver)
{
    QStringList statements;
    for (const Table& t : tables()) {
        QStringList parts;
        for (const Column& c : t.columns)
            parts << columnSql(c, driver);
        parts << QStringLiteral("PRIMARY KEY (%1)").arg(t.key.join(QStringLiteral(", ")));
        QString sql = QStringLiteral("CREATE TABLE %1 (\n  %2\n)")
                          .arg(t.name, parts.join(QStringLiteral(",\n  ")));
        if (driver == AliasDefinition::Driver::SQLite)
            sql += QStringLiteral(" STRICT");
        statements << sql;
    }
    return statements;
}
