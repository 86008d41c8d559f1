// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/Dmstruct.h"

#include "engine/EngineError.h"
#include "engine/LevelStatements.h"
#include "engine/ModelName.h"
#include "engine/Schema.h"
#include "number/RuleError.h"
#include "store/Dmcom.h"
#include "store/KeptPlace.h"
#include "store/OtherLevels.h"

TdmStructure* dmStructure = nullptr;

namespace {

// Names a model or a level in the messages of the data set by the name it was read with.
std::function<QString(const DataSet&, const QVector<QVariant>&)> namedBy(const QString& kind,
                                                                         const QString& field)
{
    return [kind, field](const DataSet& dataSet, const QVector<QVariant>& row) {
        return QStringLiteral("%1 «%2»").arg(kind,
                                             Field::toText(row.value(dataSet.findField(field))));
    };
}

} // namespace

TdmStructure::TdmStructure(QObject* owner) : QObject(owner)
{
    setObjectName(QStringLiteral("dmStructure"));
    dmStructure = this;
    setUpModel();
    setUpLevel();
    setUpEditLevel();
    setUpSubLevel();
}

TdmStructure::~TdmStructure()
{
    if (dmStructure == this)
        dmStructure = nullptr;
}

void TdmStructure::setUpModel()
{
    for (DataSet* table : {&tblModel, &tblComment}) {
        table->setDatabase(&dmCommon->dbMedic);
        table->setTableName(QStringLiteral("MathModel.DB"));
        table->setCachedUpdates(true);
    }
    tblModel.setUpdateObject(&updModel);
    tblModel.beforePost = [this](DataSet& d) { tblModelBeforePost(d); };
    tblModel.describeRow = namedBy(QStringLiteral("Модель"), QStringLiteral("MODNAME"));
    tblModel.setFilledOnApply(QStringLiteral("MODID"),
                              [] { return dmCommon->TakeKey(QStringLiteral("MODID")); });
    dsrModel.setDataSet(&tblModel);

    // The comments of the model list, read-only; no window opens them.
    tblComment.setReadOnly(true);
    dsrComment.setDataSet(&tblComment);

    updModel.ModifySQL = {
        QStringLiteral("update \"MathModel.DB\""),    QStringLiteral("set"),
        QStringLiteral("  MODID = :MODID,"),          QStringLiteral("  MODNAME = :MODNAME,"),
        QStringLiteral("  MODCOMMENT = :MODCOMMENT"), QStringLiteral("where"),
        QStringLiteral("  MODID = :OLD_MODID")};
    updModel.InsertSQL = {QStringLiteral("insert into \"MathModel.DB\""),
                          QStringLiteral("  (MODID, MODNAME, MODCOMMENT)"),
                          QStringLiteral("values"),
                          QStringLiteral("  (:MODID, :MODNAME, :MODCOMMENT)")};
    updModel.DeleteSQL = {QStringLiteral("delete from \"MathModel.DB\""), QStringLiteral("where"),
                          QStringLiteral("  MODID = :OLD_MODID")};
}

void TdmStructure::setUpLevel()
{
    const QStringList columns = LevelStatements::listed();
    qryLevel.setDatabase(&dmCommon->dbMedic);
    qryLevel.appendSql(LevelStatements::select(columns));
    qryLevel.appendSql(QStringLiteral("FROM MATHLEVEL Mathlevel"));
    qryLevel.appendSql(QStringLiteral("WHERE MODID = :par_ModID"));
    qryLevel.appendSql(QStringLiteral("ORDER BY LVLNUMBER"));
    qryLevel.declareParam(QStringLiteral("par_ModID"));
    qryLevel.setCachedUpdates(true);
    qryLevel.setUpdateObject(&updLevel);
    qryLevel.describeRow = namedBy(QStringLiteral("Уровень"), QStringLiteral("LVLNAME"));
    qryLevel.beforePost = [this](DataSet& d) { checkLevel(d, QStringLiteral("Уровни")); };
    dsrLevel.setDataSet(&qryLevel);

    // A row changed through the list keeps its key.
    QStringList values = columns;
    for (const QString& key : Schema::table(u"MATHLEVEL")->key)
        values.removeOne(key);
    updLevel.ModifySQL = LevelStatements::modify(values);
    updLevel.InsertSQL = LevelStatements::insert(columns);
    updLevel.DeleteSQL = LevelStatements::remove();
}

void TdmStructure::setUpEditLevel()
{
    const QStringList columns = LevelStatements::edited();
    qryEditLevel.setDatabase(&dmCommon->dbMedic);
    qryEditLevel.appendSql(LevelStatements::select(columns));
    qryEditLevel.appendSql(QStringLiteral("FROM MATHLEVEL Mathlevel"));
    qryEditLevel.appendSql(QStringLiteral("WHERE  MODID = :par_ModID AND LVLID = :par_LvlID"));
    qryEditLevel.declareParam(QStringLiteral("par_ModID"));
    qryEditLevel.declareParam(QStringLiteral("par_LvlID"));
    qryEditLevel.setCachedUpdates(true);
    qryEditLevel.setUpdateObject(&updEditLevel);
    qryEditLevel.describeRow = namedBy(QStringLiteral("Уровень"), QStringLiteral("LVLNAME"));
    qryEditLevel.beforePost = [this](DataSet& d) { qryEditLevelBeforePost(d); };
    qryEditLevel.onNewRecord = [this](DataSet& d) { qryEditLevelNewRecord(d); };
    qryEditLevel.setFilledOnApply(QStringLiteral("LVLID"),
                                  [] { return dmCommon->TakeKey(QStringLiteral("LVLID")); });
    dsrEditLevel.setDataSet(&qryEditLevel);

    // The editor's keys are stored as the save gives them; the row is found by its old key.
    updEditLevel.ModifySQL = LevelStatements::modify(columns);
    updEditLevel.InsertSQL = LevelStatements::insert(columns);
    updEditLevel.DeleteSQL = LevelStatements::remove();
}

void TdmStructure::setUpSubLevel()
{
    qrySubLevel.setDatabase(&dmCommon->dbMedic);
    qrySubLevel.appendSql(LevelStatements::select(LevelStatements::listed()));
    qrySubLevel.appendSql(QStringLiteral("FROM MATHLEVEL Mathlevel"));
    qrySubLevel.appendSql(
        QStringLiteral("WHERE  MODIDHIER = :par_modidhier AND LVLIDHIER = :par_lvlidhier"));
    qrySubLevel.appendSql(QStringLiteral("ORDER BY LVLNUMBER"));
    qrySubLevel.declareParam(QStringLiteral("par_modidhier"), 1);
    qrySubLevel.declareParam(QStringLiteral("par_lvlidhier"), 1);
    dsrSubLevel.setDataSet(&qrySubLevel);

    updSubLevel.ModifySQL =
        LevelStatements::modify({QStringLiteral("MODIDHIER"), QStringLiteral("LVLIDHIER")});
    updSubLevel.DeleteSQL = LevelStatements::remove();
}

int TdmStructure::LevelModelID() const
{
    return qryLevel.param(QStringLiteral("par_ModID")).toInt();
}

void TdmStructure::setLevelModelID(int model)
{
    if (model == LevelModelID())
        return;
    qryLevel.close();
    qryLevel.setParam(QStringLiteral("par_ModID"), model);
}

void TdmStructure::tblModelBeforePost(DataSet&)
{
    if (tblModel.fieldByName(QStringLiteral("MODNAME")).isNull())
        throw RuleError(QStringLiteral("Наименование модели должно быть обязательно указано"),
                        QStringLiteral("Создание модели"));
}

void TdmStructure::qryEditLevelNewRecord(DataSet& dataSet)
{
    dataSet.fieldByName(QStringLiteral("MODID")).setAsInteger(LevelModelID());
}

// A level stays with the model it was read from or claimed for when the editor
// opened it; only a row that carries no model takes the listed one. A model
// deleted meanwhile takes no level. A new level takes its key when it is saved,
// an edited one keeps its own.
void TdmStructure::qryEditLevelBeforePost(DataSet& dataSet)
{
    checkLevel(dataSet, QStringLiteral("Редактирование параметров уровня"));
    Field model = dataSet.fieldByName(QStringLiteral("MODID"));
    if (model.isNull())
        model.setAsInteger(LevelModelID());
    if (!modelStored(model.asInteger()))
        throw EngineError(QStringLiteral("%1 больше нет в хранилище (её удалили): уровень не "
                                         "сохранён. «Обновить» в окне «Модели» покажет "
                                         "сохранённые модели")
                              .arg(modelName(model.asInteger())));
}

// A model as the model list names it, in the genitive: «Модели «NAME» (ключ
// N)»; by its key alone when the list lacks it.
QString TdmStructure::modelName(int model) const
{
    const int key = tblModel.findField(QStringLiteral("MODID"));
    const int name = tblModel.findField(QStringLiteral("MODNAME"));
    for (int row = 0; key >= 0 && name >= 0 && row < tblModel.recordCount(); ++row)
        if (tblModel.value(row, key).toInt() == model)
            return QStringLiteral("Модели ") +
                   ModelName::quoted(tblModel.value(row, name).toString(), model);
    return QStringLiteral("Модели с ключом %1").arg(model);
}

// Runs a statement on dbMedic with the values of its parameters by name.
QSqlQuery TdmStructure::run(const QString& sql, const QVariantMap& values)
{
    return dmCommon->dbMedic.exec(sql,
                                  [&values](const QString& name) { return values.value(name); });
}

bool TdmStructure::modelStored(int model)
{
    QSqlQuery query = run(QStringLiteral("SELECT MODID FROM MATHMODEL WHERE MODID = :MODID"),
                          {{QStringLiteral("MODID"), model}});
    return query.next();
}

int TdmStructure::levelCount(int model)
{
    QSqlQuery query = run(QStringLiteral("SELECT COUNT(*) FROM MATHLEVEL WHERE MODID = :MODID"),
                          {{QStringLiteral("MODID"), model}});
    return query.next() ? query.value(0).toInt() : 0;
}

std::optional<LevelRules::Refusal> TdmStructure::levelRefusal(DataSet& levels)
{
    const Field modelField = levels.fieldByName(QStringLiteral("MODID"));
    const int model = modelField.isNull() ? LevelModelID() : modelField.asInteger();
    const auto current = [&levels](const QString& column) {
        return levels.currentValue(levels.findField(column)); // null for a column it lacks
    };
    const auto stored = [&levels](const QString& column) {
        return levels.oldValue(levels.findField(column));
    };
    // Only a new level or a number typed anew can take another level's
    // number; a renamed one reads no other levels (a list renames thousands).
    const QVariant self = stored(QStringLiteral("LVLID"));
    const QString number = QStringLiteral("LVLNUMBER");
    const LevelRules::Numbers others =
        self.isNull() || current(number) != stored(number)
            ? OtherLevels::read(dmCommon->dbMedic, model, self,
                                &levels == &qryLevel ? &qryLevel : nullptr)
            : LevelRules::Numbers();
    return LevelRules::check(current, stored, others);
}

// The refusal keeps the record in the state it was being edited in, with
// everything typed.
void TdmStructure::checkLevel(DataSet& levels, const QString& caption)
{
    if (const auto refusal = levelRefusal(levels))
        throw RuleError(refusal->text, caption);
}

void TdmStructure::reopen(DataSet& list)
{
    const KeptPlace place(list,
                          &list == &tblModel ? QStringLiteral("MODID") : QStringLiteral("LVLID"));
    // A store out of reach leaves the list as it was, with what is typed in it.
    try {
        dmCommon->dbMedic.reach();
    } catch (const EngineError& e) {
        throw EngineError(QStringLiteral("Список не обновлён, в нём прежние записи и всё "
                                         "введённое. ") +
                          e.message());
    }
    list.close();
    list.open();
    place.restore(list);
}

// The store's own error is the one to report; a failed rollback leaves the
// transaction to the server, which discards it.
void TdmStructure::rollBack()
{
    try {
        dmCommon->dbMedic.rollback();
    } catch (...) {
    }
}

// The levels of the models whose deletion has just been written go with them.
void TdmStructure::removeLevelsOfDeletedModels(const QVariantList& models)
{
    for (const QVariant& model : models)
        run(QStringLiteral("DELETE FROM MATHLEVEL WHERE MODID = :MODID"),
            {{QStringLiteral("MODID"), model}});
}

void TdmStructure::ApplyChanges(DataSet& dataSet, const std::function<void()>& ending)
{
    Database& db = dmCommon->dbMedic;
    const QVariantList deletedModels =
        &dataSet == &tblModel ? dataSet.removedValues(QStringLiteral("MODID")) : QVariantList();
    // Keys count as used only when the save commits: a refused save gives them back.
    db.startTransaction();
    try {
        dataSet.applyUpdates();
        removeLevelsOfDeletedModels(deletedModels);
        db.commit();
    } catch (...) {
        rollBack();
        throw;
    }
    dataSet.commitUpdates();
    if (ending)
        ending();
}
