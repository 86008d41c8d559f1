// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/DataQuery.h"
#include "engine/Field.h"
#include "engine/FieldType.h"
#include "engine/RowCache.h"

#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <algorithm>
#include <functional>
#include <vector>

class Database;
class UpdateSql;

// A whole table or a query of the store, held in memory: rows in the order
// the store returns them, a current record, the states inactive / browse /
// insert / edit, and (with cached updates) every insert, change and deletion
// kept until applyUpdates() writes them through the update object.
class DataSet : public QObject
{
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Insert, Edit };
    // What a row holds back for the next apply.
    using RowMark = RowCache::Mark;
    using HeldBack = RowCache::HeldBack;
    using Handler = std::function<void(DataSet&)>;

    explicit DataSet(const QString& name, QObject* parent = nullptr);
    ~DataSet() override;

    // Design-time settings.
    void setDatabase(Database* database) { m_database = database; }
    Database* database() const { return m_database; }
    void setTableName(const QString& table) { m_query.setTableName(table); }
    const QString& tableName() const { return m_query.tableName(); }
    void clearSql() { m_query.clearSql(); }
    void appendSql(const QString& line) { m_query.appendSql(line); }
    QString sqlText() const { return m_query.sqlText(); }
    const QStringList& sql() const { return m_query.sql(); }
    void declareParam(const QString& name, const QVariant& defaultValue = QVariant())
    {
        m_query.declareParam(name, defaultValue);
    }
    void setParam(const QString& name, int value);
    QVariant param(const QString& name) const { return m_query.param(name); }
    void setCachedUpdates(bool on) { m_cachedUpdates = on; }
    bool cachedUpdates() const { return m_cachedUpdates; }
    void setUpdateObject(UpdateSql* update) { m_updateObject = update; }
    UpdateSql* updateObject() const { return m_updateObject; }
    void setReadOnly(bool on) { m_readOnly = on; }
    void setRequired(const QString& field, bool required) { m_query.setRequired(field, required); }
    // A field of new rows that only the apply fills (a new key): a new row is
    // posted without it, and every held-back new row takes next() just before
    // the changes are written, in the order the rows were added. When the
    // apply fails the rows lose these values again.
    void setFilledOnApply(const QString& field, std::function<QVariant()> next)
    {
        m_filledOnApply = field.toUpper();
        m_fillNext = std::move(next);
    }

    Handler beforeOpen;
    Handler beforePost;
    // Runs when a new record has been started: the values it sets are the
    // record's defaults, not typing, so an untouched new record still holds
    // nothing back.
    Handler onNewRecord;
    // Names a row in messages («Модель «…»»), given the values it was read with;
    // without it the data set's own name stands for the row.
    std::function<QString(const DataSet&, const QVector<QVariant>& row)> describeRow;
    // Controls that hold typed text not yet written to the record (data-bound
    // edits) register here; post() asks each to write it first, and a value
    // that does not convert stops the post with its conversion error.
    void addRecordUpdater(const QObject* owner, std::function<void()> updater)
    {
        m_recordUpdaters.emplace_back(owner, std::move(updater));
    }
    void removeRecordUpdater(const QObject* owner);
    // Asks the registered controls to write what they hold into the record.
    void updateRecord();

    // Opening and closing.
    void open();
    void close();
    void refresh()
    {
        close();
        open();
    }
    bool active() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool editing() const { return m_state == State::Insert || m_state == State::Edit; }
    bool modified() const { return m_modified; }

    // Navigation. recNo() is the 0-based index of the current record, -1 when empty.
    int recordCount() const { return m_rows.size(); }
    bool isEmpty() const { return m_rows.empty(); }
    int recNo() const { return m_current; }
    void setRecNo(int row);
    void first() { setRecNo(0); }
    void last() { setRecNo(recordCount() - 1); }
    int moveBy(int distance);
    void next() { moveBy(1); }
    bool eof() const { return m_eof; }
    // Makes the first row whose field equals value current; false when none does.
    bool locate(const QString& field, const QVariant& value);

    // Editing.
    void insert() { startInsert(std::max(m_current, 0)); }
    void append() { startInsert(recordCount()); }
    void edit();
    void post();
    void cancel();
    void remove();
    // Posts a changed record, drops an unchanged one (what moving away does).
    void checkBrowseMode();
    // Undoes what the current record holds back: a record being inserted or
    // changed is cancelled, a posted new row disappears, a posted change gets
    // the values read from the store back. False when the record was neither
    // being edited nor holding anything back.
    bool revertRecord();
    // Brings back the row deleted last since the last apply, at the place it
    // was deleted from, as read from the store, and makes it current; false
    // when no deletion is held back.
    bool restoreRemoved();

    // Fields.
    int fieldCount() const { return m_query.fieldCount(); }
    QString fieldName(int index) const { return m_query.fieldName(index); }
    FieldType fieldType(int index) const { return m_query.fieldType(index); }
    int findField(const QString& name) const { return m_query.findField(name); }
    Field fieldByName(const QString& name);
    Field fieldByNumber(int index);
    QVariant value(int row, int column) const;
    QVariant currentValue(int column) const;
    // The current record's value as it was read from the store (null for a new record).
    QVariant oldValue(int column) const;
    void setCurrentValue(int column, const QVariant& value);

    // Cached updates. applyUpdates posts a record being inserted or changed,
    // then runs every cached change in order; when a change fails it raises,
    // and the cache and the record's editing state are as they were before.
    bool updatesPending() const;
    void applyUpdates();
    void commitUpdates()
    {
        m_rows.commit();
        Q_EMIT updatesCommitted();
    }
    // What the row would write at the next apply. The record being inserted
    // or changed counts once something has been typed into it.
    RowMark rowMark(int row) const;
    // The rows that hold changes back (rowMark) and the rows deleted since the
    // last apply; nothing is held back when their total is 0.
    HeldBack heldBack() const
    {
        return editing() ? m_rows.heldBack(m_current, editedMark()) : m_rows.heldBack();
    }
    bool hasHeldBack() const { return heldBack().total() > 0; }
    // The values of one field in the rows deleted since the last apply, as read.
    QVariantList removedValues(const QString& field) const
    {
        const int c = findField(field);
        return c >= 0 ? m_rows.removedValues(c) : QVariantList();
    }

Q_SIGNALS:
    void stateChanged();
    void currentChanged(int row);
    void rowChanged(int row);
    void rowInserted(int row);
    void rowRemoved(int row);
    void contentReset();
    // The applied changes became the plain content: no row holds anything back.
    void updatesCommitted();

private:
    // Writes the held-back changes; reaches the rows and the editing state.
    friend class ChangeApplier;

    void load();
    void requireActive() const;
    void requireEditing() const;
    void requireWritable() const;
    void checkRequired(bool newRow) const;
    void startInsert(int row);
    void setState(State state);
    void dropPendingRecord();
    void rowDropped(int row);
    RowMark editedMark() const;

    Database* m_database = nullptr;
    DataQuery m_query;
    UpdateSql* m_updateObject = nullptr;
    bool m_cachedUpdates = false;
    bool m_readOnly = false;
    QString m_filledOnApply;
    std::function<QVariant()> m_fillNext;

    State m_state = State::Inactive;
    RowCache m_rows;
    int m_current = -1;
    bool m_eof = true;
    bool m_modified = false;
    QVector<QVariant> m_editBackup;
    std::vector<std::pair<const QObject*, std::function<void()>>> m_recordUpdaters;
};
