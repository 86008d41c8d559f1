// SPDX-License-Identifier: GPL-3.0-or-later
#include "calccore/Dmexec.h"

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/Field.h"
#include "engine/LevelStatements.h"
#include "number/ConvertError.h"

#include <QSqlQuery>

namespace {

struct ColumnInfo
{
    const char* name; // as the calculation looks it up; lookups ignore case
    bool integer;
};

// Indexed by TdmExecute::Column.
constexpr std::array<ColumnInfo, 10> kColumns{{
    {"LvlNodeAmount", true},
    {"LvlTskDcsTime", true},
    {"LvlTskFlowInt", true},
    {"LvlTskFlowDist", false},
    {"LvlNodeCostDelay", true},
    {"LvlNodeCostUse", true},
    {"LvlCostLimit", false},
    {"RTLvlNodeAmount", false},
    {"LvlNodeCostDelay_DcsInt", true},
    {"LvlNodeCostDelay_DcsInt2", false},
}};

} // namespace

TdmExecute* dmExecute = nullptr;

TdmExecute::TdmExecute(QObject* parent)
    : QObject(parent), qryExecLevel(QStringLiteral("qryExecLevel"), this),
      dsrExecLevel(QStringLiteral("dsrExecLevel"), this),
      UpdateSQL1(QStringLiteral("UpdateSQL1"), this)
{
    setObjectName(QStringLiteral("dmExecute"));
    dsrExecLevel.setDataSet(&qryExecLevel);
    static_assert(kColumns.size() == ColumnCount);
    defineQuery();
    defineUpdates();
}

void TdmExecute::defineQuery()
{
    qryExecLevel.appendSql(LevelStatements::select(LevelStatements::all()));
    qryExecLevel.appendSql(QStringLiteral("FROM MATHLEVEL Mathlevel"));
    qryExecLevel.appendSql(QStringLiteral("WHERE MODID = :MODID"));
    qryExecLevel.appendSql(QStringLiteral("ORDER BY LVLNUMBER"));
    qryExecLevel.declareParam(QStringLiteral("MODID"), 0);
    qryExecLevel.setCachedUpdates(true);
    qryExecLevel.setUpdateObject(&UpdateSQL1);
}

// The statements that would write the working set back. The calculation never
// applies its changes, so none of them is ever executed.
void TdmExecute::defineUpdates()
{
    const QStringList columns = LevelStatements::all();
    UpdateSQL1.ModifySQL = LevelStatements::modify(columns);
    UpdateSQL1.InsertSQL = LevelStatements::insert(columns);
    UpdateSQL1.DeleteSQL = LevelStatements::remove();
}

void TdmExecute::setModel(int modelId)
{
    close();
    qryExecLevel.setParam(QStringLiteral("MODID"), modelId);
    m_model = ModelLevels();
    m_model.modelId = modelId;
}

void TdmExecute::open()
{
    if (active())
        return;
    qryExecLevel.open();
    try {
        loadRows();
        loadModel();
    } catch (...) {
        close();
        throw;
    }
}

void TdmExecute::close()
{
    qryExecLevel.close();
    m_rows.clear();
    m_count = 0;
}

// Copies the query's rows, front to back, into the indexed working copy.
void TdmExecute::loadRows()
{
    std::array<int, ColumnCount> source{};
    for (int c = 0; c < ColumnCount; ++c)
        source[c] = qryExecLevel.fieldByName(QLatin1String(kColumns[c].name)).index();
    std::vector<Row> rows(qryExecLevel.recordCount());
    for (int r = 0; r < qryExecLevel.recordCount(); ++r) {
        for (int c = 0; c < ColumnCount; ++c) {
            const QVariant v = qryExecLevel.value(r, source[c]);
            const QString name = QLatin1String(kColumns[c].name);
            rows[r].null[c] = v.isNull();
            if (kColumns[c].integer)
                rows[r].integer[c] = Field::toInteger(v, name);
            else
                rows[r].real[c] = Field::toFloat(v, name);
        }
    }
    m_rows = std::move(rows);
    m_count = static_cast<int>(m_rows.size());
}

// The model's name and a copy of its levels as read, for listings and checks.
void TdmExecute::loadModel()
{
    ModelLevels model;
    model.modelId = m_model.modelId;
    QSqlQuery name = qryExecLevel.database()->exec(
        QStringLiteral("SELECT MODNAME FROM MATHMODEL WHERE MODID = :MODID"),
        [&model](const QString&) { return QVariant(model.modelId); });
    if (name.next())
        model.name = name.value(0).toString();
    const int number = qryExecLevel.findField(QStringLiteral("LVLNUMBER"));
    const int levelName = qryExecLevel.findField(QStringLiteral("LVLNAME"));
    for (int k = 1; k <= m_count; ++k) {
        ModelLevels::Level level{
            qryExecLevel.value(k - 1, number), qryExecLevel.value(k - 1, levelName).toString(), {}};
        for (const ModelLevels::Parameter& p : ModelLevels::parameters())
            level.values << cellValue(k, p.column);
        model.levels << level;
    }
    m_model = std::move(model);
}

ModelLevels TdmExecute::readModel(int modelId)
{
    setModel(modelId);
    open();
    ModelLevels model = m_model;
    close();
    return model;
}

void TdmExecute::raiseEmptyFlowDist(int level)
{
    throw ConvertError(QStringLiteral("Уровень %1: не задан «Коэффициент разряжения потока задач» "
                                      "(пустое значение не является числом)")
                           .arg(level));
}

QVariant TdmExecute::cellValue(int k, const QString& column) const
{
    for (int c = 0; c < ColumnCount; ++c) {
        if (column.compare(QLatin1String(kColumns[c].name), Qt::CaseInsensitive) != 0)
            continue;
        const int i = indexOf(k);
        if (i < 0 || m_rows[i].null[c])
            return QVariant();
        if (kColumns[c].integer)
            return m_rows[i].integer[c];
        return m_rows[i].real[c];
    }
    throw EngineError(
        QStringLiteral("%1: Field '%2' not found").arg(qryExecLevel.objectName(), column));
}
