// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "engine/LevelRules.h"
#include "engine/UpdateSql.h"

#include <QObject>
#include <QSqlQuery>
#include <functional>
#include <optional>

// The structure data module: the data sets through which the windows show
// and change models and levels, their rules, and the one protocol by which
// every window writes its cached changes to the store.
class TdmStructure : public QObject
{
    Q_OBJECT
public:
    explicit TdmStructure(QObject* owner = nullptr);
    ~TdmStructure() override;

    DataSet tblModel{QStringLiteral("tblModel")};
    DataSource dsrModel{QStringLiteral("dsrModel")};
    UpdateSql updModel{QStringLiteral("updModel")};
    DataSource dsrLevel{QStringLiteral("dsrLevel")};
    UpdateSql updLevel{QStringLiteral("updLevel")};
    DataSet qrySubLevel{QStringLiteral("qrySubLevel")};
    DataSource dsrSubLevel{QStringLiteral("dsrSubLevel")};
    UpdateSql updSubLevel{QStringLiteral("updSubLevel")};
    DataSet tblComment{QStringLiteral("tblComment")};
    DataSource dsrComment{QStringLiteral("dsrComment")};
    DataSource dsrEditLevel{QStringLiteral("dsrEditLevel")};
    UpdateSql updEditLevel{QStringLiteral("updEditLevel")};
    DataSet qryEditLevel{QStringLiteral("qryEditLevel")};
    DataSet qryLevel{QStringLiteral("qryLevel")};

    // The model whose levels the level windows show: the parameter of
    // qryLevel, set by "Уровни" and given to every new level the editor opens.
    // Kept apart from the model list's record so that a save or refresh of the
    // model list never moves levels to another model.
    int LevelModelID() const;
    // Lists another model's levels from the next opening of qryLevel on: an
    // open list is closed, dropping its cache, so it is settled first.
    void setLevelModelID(int model);

    void tblModelBeforePost(DataSet& dataSet);
    void qryEditLevelBeforePost(DataSet& dataSet);
    // Gives a level row that the editor has just started to insert the model
    // of the list that opened it, so that it is stored there even when the
    // list shows another model by the time it is posted.
    void qryEditLevelNewRecord(DataSet& dataSet);

    // The number of levels stored for the model.
    int levelCount(int model);
    // What the level rules refuse in the record of qryLevel or qryEditLevel
    // as it would be posted now: its number and name, its number among the
    // other levels of its model, its values typed out of range. Nothing when
    // it may be posted. A post of either data set checks the same.
    std::optional<LevelRules::Refusal> levelRefusal(DataSet& levels);

    // Closes and opens tblModel or qryLevel again, the cursor kept on the
    // record it was on, by key (KeptPlace): every re-read of a list after a
    // save, a refresh or a settled question goes through here.
    void reopen(DataSet& list);

    // Writes the cached changes of one of the module's data sets in one
    // transaction of dbMedic, whatever state its current record is in: new
    // models and levels take their keys here, deleted models take their levels along. On failure
    // rolls back and raises the same error, keeping the cache and the keys. On success marks the
    // cache applied and runs the window's own ending (reopen the list, hide the editor).
    void ApplyChanges(DataSet& dataSet, const std::function<void()>& ending);

private:
    void setUpModel();
    void setUpLevel();
    void setUpEditLevel();
    void setUpSubLevel();
    void removeLevelsOfDeletedModels(const QVariantList& models);
    bool modelStored(int model);
    QString modelName(int model) const;
    void checkLevel(DataSet& levels, const QString& caption);
    void rollBack();
    QSqlQuery run(const QString& sql, const QVariantMap& values);
};

extern TdmStructure* dmStructure;
