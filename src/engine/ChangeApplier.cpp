// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/ChangeApplier.h"

#include "engine/DataSet.h"
#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/FieldCaptions.h"
#include "engine/Schema.h"
#include "engine/Statement.h"
#include "engine/UpdateSql.h"

#include <QSqlQuery>

using Change = RowCache::Change;

// The record being edited when the apply began; the apply posts it and puts
// it back as it was when a write fails.
struct ChangeApplier::Snapshot
{
    DataSet::State state = DataSet::State::Browse;
    int row = -1;
    RowCache::Status status = RowCache::Status::Unchanged;
    quint64 changeOrder = 0;
    QVector<QVariant> backup;
    bool modified = false;
};

namespace {

QString quoted(const QVariant& value)
{
    return QStringLiteral("«%1»").arg(Field::toText(value));
}

} // namespace

void ChangeApplier::apply()
{
    Snapshot snapshot;
    if (m_set.editing()) {
        const RowCache::Row& row = m_set.m_rows.row(m_set.m_current);
        snapshot = {m_set.m_state,   m_set.m_current,    row.status,
                    row.changeOrder, m_set.m_editBackup, m_set.m_modified};
        m_set.post();
    }
    Filled filled;
    try {
        fillNewRows(filled);
        const std::vector<Change> changes = m_set.m_rows.pending();
        if (!changes.empty() && !m_set.m_updateObject)
            throw EngineError(QStringLiteral("%1: нет объекта обновления для записи изменений")
                                  .arg(m_set.objectName()));
        for (const Change& change : changes)
            runChange(change);
    } catch (...) {
        restore(snapshot, filled);
        throw;
    }
}

// Gives every held-back new row the value that only the apply fills, in the
// order the rows were added, and notes each row's value before, to put back
// when the apply fails.
void ChangeApplier::fillNewRows(Filled& filled)
{
    const int c = m_set.findField(m_set.m_filledOnApply);
    if (c < 0 || !m_set.m_fillNext)
        return;
    for (const int row : m_set.m_rows.newRows()) {
        const QVariant value = m_set.m_query.normalise(c, m_set.m_fillNext());
        QVector<QVariant>& values = m_set.m_rows.row(row).values;
        filled.emplace_back(row, values[c]);
        values[c] = value;
    }
}

void ChangeApplier::runChange(const Change& change)
{
    const UpdateSql& update = *m_set.m_updateObject;
    const QStringList& lines = change.kind == Change::Kind::Modify   ? update.ModifySQL
                               : change.kind == Change::Kind::Insert ? update.InsertSQL
                                                                     : update.DeleteSQL;
    auto lookup = [&](const QString& name) -> QVariant {
        const bool old = name.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive);
        const int c = m_set.findField(old ? name.mid(4) : name);
        if (c < 0)
            throw EngineError(QStringLiteral("%1: параметр %2 не соответствует ни одному полю")
                                  .arg(update.objectName(), name));
        return old ? (*change.original)[c] : (*change.values)[c];
    };
    if (change.kind != Change::Kind::Insert)
        checkStoredRow(change);
    const QSqlQuery query = m_set.m_database->exec(lines.join(QLatin1Char('\n')), lookup);
    // A modify or delete that finds no row would lose the user's change silently.
    if (change.kind != Change::Kind::Insert && query.numRowsAffected() != 1)
        throw EngineError(QStringLiteral("%1: запись не найдена в базе данных — её удалил другой "
                                         "пользователь. Сохранение отменено, ваши изменения не "
                                         "записаны; «Обновить» покажет сохранённые записи")
                              .arg(rowName(*change.original)));
}

// A modify or delete writes only over the row this data set read: the stored
// row is read again by its old key inside the write transaction (locked on
// PostgreSQL; on SQLite the transaction holds the file), and a field that
// another save has changed meanwhile refuses the whole save. Values are
// compared as read, so a value read and written back unchanged stays equal.
void ChangeApplier::checkStoredRow(const Change& change)
{
    const DataQuery& fields = m_set.m_query;
    const Schema::Table* table = Schema::table(fields.storeTable());
    if (!table)
        return;
    QVector<int> columns;
    QStringList names;
    for (int c = 0; c < fields.fieldCount(); ++c) {
        if (Schema::column(*table, fields.fieldName(c))) {
            columns << c;
            names << fields.fieldName(c);
        }
    }
    for (const QString& key : table->key)
        if (fields.findField(key) < 0)
            return;
    Database& database = *m_set.m_database;
    QSqlQuery query = database.exec(
        Statement::selectRowForUpdate(table->name, names, table->key, database.definition().driver),
        [&](const QString& name) { return (*change.original)[fields.findField(name)]; });
    if (!query.next())
        return; // a row deleted meanwhile: the statement finds nothing and reports it
    QVector<QVariant> stored(fields.fieldCount());
    for (int i = 0; i < columns.size(); ++i)
        stored[columns[i]] = fields.normalise(columns[i], query.value(i));
    const QString conflict = conflictMessage(change, columns, stored);
    if (!conflict.isEmpty())
        throw EngineError(conflict);
}

// Names the row and lists, for each field changed meanwhile, the value read,
// the value stored now and the value typed (a deleted row has none typed);
// empty when no field has changed.
QString ChangeApplier::conflictMessage(const Change& change, const QVector<int>& columns,
                                       const QVector<QVariant>& stored) const
{
    const QVector<QVariant>& read = *change.original;
    QStringList lines{
        QStringLiteral("%1: запись изменил другой пользователь, пока она была открыта у вас. "
                       "Сохранение отменено, ваши изменения не записаны; «Обновить» покажет "
                       "сохранённые значения")
            .arg(rowName(read))};
    for (const int c : columns) {
        if (RowCache::sameValue(stored[c], read[c]))
            continue;
        QString line =
            QStringLiteral("%1: было %2, сейчас в базе %3")
                .arg(FieldCaptions::of(m_set.fieldName(c)), quoted(read[c]), quoted(stored[c]));
        if (change.kind == Change::Kind::Modify)
            line += QStringLiteral(", введено %1").arg(quoted((*change.values)[c]));
        lines << line;
    }
    return lines.size() > 1 ? lines.join(QLatin1Char('\n')) : QString();
}

// The row as messages name it («Модель «…»»), by the values it was read with.
QString ChangeApplier::rowName(const QVector<QVariant>& read) const
{
    return m_set.describeRow ? m_set.describeRow(m_set, read) : QStringLiteral("Запись");
}

// Puts back the values the apply filled in, then the record being edited.
void ChangeApplier::restore(const Snapshot& snapshot, const Filled& filled)
{
    const int c = m_set.findField(m_set.m_filledOnApply);
    for (const auto& [row, value] : filled)
        m_set.m_rows.row(row).values[c] = value;
    if (snapshot.state == DataSet::State::Browse)
        return;
    RowCache::Row& row = m_set.m_rows.row(snapshot.row);
    row.status = snapshot.status;
    row.changeOrder = snapshot.changeOrder;
    m_set.m_editBackup = snapshot.backup;
    m_set.m_modified = snapshot.modified;
    m_set.m_current = snapshot.row;
    m_set.setState(snapshot.state);
    Q_EMIT m_set.rowChanged(m_set.m_current);
    Q_EMIT m_set.currentChanged(m_set.m_current);
}
