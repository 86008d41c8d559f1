// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/DataSet.h"

#include "engine/Database.h"
#include "engine/EngineError.h"
#include "engine/Schema.h"
#include "engine/Statement.h"
#include "engine/UpdateSql.h"

#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

struct DataSet::Change
{
    enum class Kind { Modify, Insert, Delete } kind;
    const QVector<QVariant>* values;
    const QVector<QVariant>* original;
    quint64 order;
};

namespace {

bool sameValue(const QVariant& a, const QVariant& b)
{
    return a.isNull() == b.isNull() && (a.isNull() || a == b);
}

QString quoted(const QVariant& value)
{
    return QStringLiteral("«%1»").arg(Field::toText(value));
}

} // namespace

DataSet::DataSet(const QString& name, QObject* parent) : QObject(parent)
{
    setObjectName(name);
}

DataSet::~DataSet() = default;

void DataSet::setTableName(const QString& table)
{
    m_tableName = table;
}

void DataSet::clearSql()
{
    m_sql.clear();
}

void DataSet::appendSql(const QString& line)
{
    m_sql << line;
}

void DataSet::declareParam(const QString& name, const QVariant& defaultValue)
{
    m_params.insert(name.toLower(), defaultValue);
    m_paramNames.insert(name.toLower(), name);
}

void DataSet::setParam(const QString& name, int value)
{
    if (active())
        throw EngineError(
            QStringLiteral("%1: параметр %2 можно задать только у закрытого набора данных")
                .arg(objectName(), name));
    if (!m_paramNames.contains(name.toLower()))
        declareParam(name);
    m_params[name.toLower()] = value;
}

QVariant DataSet::param(const QString& name) const
{
    return m_params.value(name.toLower());
}

void DataSet::setMaster(DataSet* master, const QString& masterField, const QString& detailField)
{
    m_master = master;
    m_masterField = masterField;
    m_detailField = detailField;
}

void DataSet::setRequired(const QString& field, bool required)
{
    m_required.removeAll(field.toUpper());
    if (required)
        m_required << field.toUpper();
}

void DataSet::setFilledOnApply(const QString& field, std::function<QVariant()> next)
{
    m_filledOnApply = field.toUpper();
    m_fillNext = std::move(next);
}

// ---- opening and closing -------------------------------------------------

void DataSet::open()
{
    if (active())
        return;
    if (!m_database)
        throw EngineError(QStringLiteral("%1: не задана база данных").arg(objectName()));
    if (beforeOpen)
        beforeOpen(*this);
    load();
    m_current = m_rows.empty() ? -1 : 0;
    m_eof = m_rows.empty();
    m_modified = false;
    m_nextChange = 1;
    setState(State::Browse);
    Q_EMIT contentReset();
    Q_EMIT currentChanged(m_current);
}

void DataSet::close()
{
    if (!active())
        return;
    m_rows.clear();
    m_removed.clear();
    m_editBackup.clear();
    m_current = -1;
    m_eof = true;
    m_modified = false;
    setState(State::Inactive);
    Q_EMIT contentReset();
    Q_EMIT currentChanged(m_current);
}

QString DataSet::selectText() const
{
    if (m_tableName.isEmpty())
        return sqlText();
    const Schema::Table* table = Schema::table(m_tableName);
    if (!table)
        return QStringLiteral("SELECT * FROM %1").arg(m_tableName);
    return QStringLiteral("SELECT * FROM %1 ORDER BY %2")
        .arg(table->name, table->key.join(QStringLiteral(", ")));
}

QVariant DataSet::bindValue(const QString& name) const
{
    return m_params.value(name.toLower());
}

void DataSet::load()
{
    const QString text = selectText();
    QSqlQuery query =
        m_database->exec(text, [this](const QString& name) { return bindValue(name); });
    loadColumns(query.record(), Statement::prepare(text).firstTable);
    std::vector<Row> rows;
    const int detail = m_master ? findField(m_detailField) : -1;
    const QVariant masterValue = m_master && m_master->active() && !m_master->isEmpty()
                                     ? m_master->fieldByName(m_masterField).value()
                                     : QVariant();
    while (query.next()) {
        Row row;
        row.values.resize(fieldCount());
        for (int c = 0; c < fieldCount(); ++c)
            row.values[c] = normalise(c, query.value(c));
        if (detail >= 0 &&
            (masterValue.isNull() || row.values[detail] != normalise(detail, masterValue)))
            continue;
        row.original = row.values;
        rows.push_back(std::move(row));
    }
    m_rows = std::move(rows);
    m_removed.clear();
}

void DataSet::loadColumns(const QSqlRecord& record, const QString& table)
{
    const Schema::Table* schemaTable = table.isEmpty() ? nullptr : Schema::table(table);
    m_fieldNames.clear();
    m_fieldTypes.clear();
    m_fieldMaxLengths.clear();
    QStringList required = m_required;
    for (int c = 0; c < record.count(); ++c) {
        const QString name = record.fieldName(c).toUpper();
        const Schema::Column* column = schemaTable ? Schema::column(*schemaTable, name) : nullptr;
        FieldType type = FieldType::Text;
        if (column) {
            type = column->type;
            if (column->required && !required.contains(name))
                required << name;
        } else {
            const int id = record.field(c).metaType().id();
            if (id == QMetaType::Double || id == QMetaType::Float)
                type = FieldType::Real;
            else if (id == QMetaType::Int || id == QMetaType::LongLong || id == QMetaType::UInt ||
                     id == QMetaType::ULongLong)
                type = FieldType::Integer;
        }
        m_fieldNames << name;
        m_fieldTypes << type;
        m_fieldMaxLengths << (column ? column->maxLength : 0);
    }
    m_required = required;
}

// ---- navigation ------------------------------------------------------------

void DataSet::setRecNo(int row)
{
    if (!active() || m_rows.empty())
        return;
    row = std::clamp(row, 0, recordCount() - 1);
    if (row == m_current) {
        m_eof = false;
        return;
    }
    if (editing()) {
        const bool dropsRowBefore = m_state == State::Insert && !m_modified && m_current < row;
        checkBrowseMode();
        if (dropsRowBefore)
            --row;
        if (m_rows.empty())
            return;
        row = std::clamp(row, 0, recordCount() - 1);
    }
    m_current = row;
    m_eof = false;
    Q_EMIT currentChanged(m_current);
}

bool DataSet::locate(const QString& field, const QVariant& value)
{
    const int c = findField(field);
    if (c < 0 || !active())
        return false;
    const QVariant wanted = normalise(c, value);
    for (int row = 0; row < recordCount(); ++row) {
        if (sameValue(m_rows[row].values[c], wanted)) {
            setRecNo(row);
            return m_current == row;
        }
    }
    return false;
}

int DataSet::moveBy(int distance)
{
    if (!active() || m_rows.empty() || distance == 0)
        return 0;
    const int from = m_current;
    const long long target = static_cast<long long>(m_current) + distance;
    setRecNo(static_cast<int>(std::clamp<long long>(target, 0, recordCount() - 1)));
    m_eof = target >= recordCount();
    return m_current - from;
}

// ---- editing -----------------------------------------------------------------

void DataSet::requireEditing() const
{
    if (!editing())
        throw EngineError(
            QStringLiteral("%1: Dataset not in edit or insert mode").arg(objectName()));
}

void DataSet::requireWritable() const
{
    if (!active())
        throw EngineError(QStringLiteral("%1: Cannot perform this operation on a closed dataset")
                              .arg(objectName()));
    if (m_readOnly || !m_cachedUpdates)
        throw EngineError(
            QStringLiteral("%1: Cannot modify a read-only dataset").arg(objectName()));
}

void DataSet::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged();
}

void DataSet::startInsert(int row)
{
    requireWritable();
    checkBrowseMode();
    row = std::clamp(row, 0, recordCount());
    Row fresh;
    fresh.values.resize(fieldCount());
    fresh.original = fresh.values;
    fresh.status = RowStatus::Inserted;
    m_rows.insert(m_rows.begin() + row, std::move(fresh));
    m_current = row;
    m_eof = false;
    setState(State::Insert);
    if (onNewRecord)
        onNewRecord(*this);
    m_modified = false;
    Q_EMIT rowInserted(row);
    Q_EMIT currentChanged(m_current);
}

void DataSet::insert()
{
    startInsert(std::max(m_current, 0));
}

void DataSet::append()
{
    startInsert(recordCount());
}

void DataSet::edit()
{
    if (editing())
        return;
    requireWritable();
    if (m_rows.empty()) {
        insert();
        return;
    }
    m_editBackup = m_rows[m_current].values;
    m_modified = false;
    setState(State::Edit);
}

void DataSet::checkRequired(bool newRow) const
{
    for (const QString& name : m_required) {
        if (newRow && name == m_filledOnApply)
            continue;
        const int c = findField(name);
        if (c >= 0 && m_rows[m_current].values[c].isNull())
            throw EngineError(QStringLiteral("Field '%1' must have a value").arg(m_fieldNames[c]));
    }
}

void DataSet::addRecordUpdater(const QObject* owner, std::function<void()> updater)
{
    m_recordUpdaters.emplace_back(owner, std::move(updater));
}

void DataSet::removeRecordUpdater(const QObject* owner)
{
    std::erase_if(m_recordUpdaters, [owner](const auto& entry) { return entry.first == owner; });
}

void DataSet::updateRecord()
{
    for (const auto& entry : std::vector(m_recordUpdaters))
        entry.second();
}

void DataSet::post()
{
    requireEditing();
    updateRecord();
    if (beforePost)
        beforePost(*this);
    checkRequired(m_state == State::Insert);
    Row& row = m_rows[m_current];
    if (m_state == State::Insert) {
        row.changeOrder = m_nextChange++;
    } else if (row.status == RowStatus::Unchanged) {
        row.status = RowStatus::Modified;
        row.changeOrder = m_nextChange++;
    }
    m_modified = false;
    m_editBackup.clear();
    setState(State::Browse);
    Q_EMIT rowChanged(m_current);
}

void DataSet::dropPendingRecord()
{
    const int row = m_current;
    m_rows.erase(m_rows.begin() + row);
    m_current = m_rows.empty() ? -1 : std::min(row, recordCount() - 1);
    Q_EMIT rowRemoved(row);
}

void DataSet::cancel()
{
    const State was = m_state;
    if (was == State::Insert)
        dropPendingRecord();
    else if (was == State::Edit)
        m_rows[m_current].values = m_editBackup;
    else
        return;
    m_modified = false;
    m_editBackup.clear();
    setState(State::Browse);
    if (was == State::Edit)
        Q_EMIT rowChanged(m_current);
    Q_EMIT currentChanged(m_current);
}

void DataSet::checkBrowseMode()
{
    if (!editing())
        return;
    updateRecord();
    if (m_modified)
        post();
    else
        cancel();
}

void DataSet::remove()
{
    requireWritable();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_rows.empty())
        throw EngineError(QStringLiteral("%1: Cannot perform this operation on an empty dataset")
                              .arg(objectName()));
    if (m_state == State::Edit)
        cancel();
    Row& row = m_rows[m_current];
    if (row.status != RowStatus::Inserted)
        m_removed.push_back({row.original, m_nextChange++, m_current});
    dropPendingRecord();
    Q_EMIT currentChanged(m_current);
}

bool DataSet::revertRecord()
{
    if (!active() || m_current < 0)
        return false;
    const bool wasEditing = editing();
    const bool wasInserting = m_state == State::Insert;
    cancel();
    if (wasInserting)
        return true;
    Row& row = m_rows[m_current];
    if (row.status == RowStatus::Inserted) {
        dropPendingRecord();
        Q_EMIT currentChanged(m_current);
        return true;
    }
    if (row.status == RowStatus::Unchanged)
        return wasEditing;
    row.values = row.original;
    row.status = RowStatus::Unchanged;
    row.changeOrder = 0;
    Q_EMIT rowChanged(m_current);
    return true;
}

bool DataSet::restoreRemoved()
{
    if (!active() || m_removed.empty())
        return false;
    checkBrowseMode();
    Removed removed = std::move(m_removed.back());
    m_removed.pop_back();
    const int row = std::clamp(removed.row, 0, recordCount());
    m_rows.insert(m_rows.begin() + row, Row{removed.original, removed.original});
    m_current = row;
    m_eof = false;
    Q_EMIT rowInserted(row);
    Q_EMIT currentChanged(m_current);
    return true;
}

// ---- fields --------------------------------------------------------------------

int DataSet::findField(const QString& name) const
{
    for (int c = 0; c < fieldCount(); ++c)
        if (m_fieldNames[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

Field DataSet::fieldByName(const QString& name)
{
    const int c = findField(name);
    if (c < 0)
        throw EngineError(QStringLiteral("%1: Field '%2' not found").arg(objectName(), name));
    return Field(this, c);
}

Field DataSet::fieldByNumber(int index)
{
    if (index < 0 || index >= fieldCount())
        throw EngineError(QStringLiteral("%1: нет поля с номером %2").arg(objectName()).arg(index));
    return Field(this, index);
}

QVariant DataSet::value(int row, int column) const
{
    if (row < 0 || row >= recordCount() || column < 0 || column >= fieldCount())
        return QVariant();
    return m_rows[row].values[column];
}

QVariant DataSet::currentValue(int column) const
{
    if (!active())
        throw EngineError(QStringLiteral("%1: Cannot perform this operation on a closed dataset")
                              .arg(objectName()));
    return value(m_current, column);
}

QVariant DataSet::oldValue(int column) const
{
    if (m_current < 0 || column < 0 || column >= fieldCount())
        return QVariant();
    return m_rows[m_current].original[column];
}

QVariant DataSet::normalise(int column, const QVariant& value) const
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    const QString& name = m_fieldNames[column];
    switch (m_fieldTypes[column]) {
    case FieldType::Integer:
        return Field::toInteger(value, name);
    case FieldType::Real:
        return Field::toFloat(value, name);
    case FieldType::Text: {
        const QString text = Field::toText(value);
        const int limit = m_fieldMaxLengths[column];
        if (limit > 0 && text.size() > limit)
            throw EngineError(
                QStringLiteral("Значение поля %1 длиннее %2 символов").arg(name).arg(limit));
        return text;
    }
    }
    return value;
}

void DataSet::setCurrentValue(int column, const QVariant& value)
{
    requireEditing();
    if (column < 0 || column >= fieldCount())
        throw EngineError(
            QStringLiteral("%1: нет поля с номером %2").arg(objectName()).arg(column));
    const QVariant stored = normalise(column, value);
    QVariant& cell = m_rows[m_current].values[column];
    if (cell == stored && cell.isNull() == stored.isNull())
        return;
    cell = stored;
    m_modified = true;
    Q_EMIT rowChanged(m_current);
}

// ---- cached updates ------------------------------------------------------------

bool DataSet::updatesPending() const
{
    return !pendingChanges().empty();
}

std::vector<DataSet::Change> DataSet::pendingChanges() const
{
    std::vector<Change> changes;
    for (const Row& row : m_rows) {
        if (m_state == State::Insert && &row == &m_rows[m_current])
            continue; // not posted yet
        if (row.status == RowStatus::Modified)
            changes.push_back({Change::Kind::Modify, &row.values, &row.original, row.changeOrder});
        else if (row.status == RowStatus::Inserted)
            changes.push_back({Change::Kind::Insert, &row.values, &row.original, row.changeOrder});
    }
    for (const Removed& removed : m_removed)
        changes.push_back(
            {Change::Kind::Delete, &removed.original, &removed.original, removed.changeOrder});
    std::sort(changes.begin(), changes.end(),
              [](const Change& a, const Change& b) { return a.order < b.order; });
    return changes;
}

void DataSet::runChange(const Change& change)
{
    const QStringList& lines = change.kind == Change::Kind::Modify   ? m_updateObject->ModifySQL
                               : change.kind == Change::Kind::Insert ? m_updateObject->InsertSQL
                                                                     : m_updateObject->DeleteSQL;
    auto lookup = [&](const QString& name) -> QVariant {
        const bool old = name.startsWith(QLatin1String("OLD_"), Qt::CaseInsensitive);
        const int c = findField(old ? name.mid(4) : name);
        if (c < 0)
            throw EngineError(QStringLiteral("%1: параметр %2 не соответствует ни одному полю")
                                  .arg(m_updateObject->objectName(), name));
        return old ? (*change.original)[c] : (*change.values)[c];
    };
    if (change.kind != Change::Kind::Insert)
        checkStoredRow(change);
    const QSqlQuery query = m_database->exec(lines.join(QLatin1Char('\n')), lookup);
    // A modify or delete that finds no row would lose the user's change silently.
    if (change.kind != Change::Kind::Insert && query.numRowsAffected() != 1)
        throw EngineError(
            QStringLiteral(
                "%1: запись не найдена в базе данных — её изменил или удалил другой пользователь")
                .arg(objectName()));
}

// A modify or delete writes only over the row this data set read: the stored
// row is read again by its old key inside the write transaction (locked on
// PostgreSQL; on SQLite the transaction holds the file), and a field that
// another save has changed meanwhile refuses the whole save. Values are
// compared as read, so a value read and written back unchanged stays equal.
void DataSet::checkStoredRow(const Change& change)
{
    const Schema::Table* table = Schema::table(
        m_tableName.isEmpty() ? Statement::prepare(sqlText()).firstTable : m_tableName);
    if (!table)
        return;
    QVector<int> columns;
    QStringList names;
    for (int c = 0; c < fieldCount(); ++c) {
        if (Schema::column(*table, m_fieldNames[c])) {
            columns << c;
            names << m_fieldNames[c];
        }
    }
    QStringList keys;
    for (const QString& key : table->key) {
        if (findField(key) < 0)
            return;
        keys << QStringLiteral("%1 = :%1").arg(key);
    }
    QString text =
        QStringLiteral("SELECT %1 FROM %2 WHERE %3")
            .arg(names.join(QStringLiteral(", ")), table->name, keys.join(QStringLiteral(" AND ")));
    if (m_database->definition().driver == AliasDefinition::Driver::PostgreSQL)
        text += QStringLiteral(" FOR UPDATE");
    QSqlQuery query = m_database->exec(
        text, [&](const QString& name) { return (*change.original)[findField(name)]; });
    if (!query.next())
        return; // a row deleted meanwhile: the statement finds nothing and reports it
    QVector<QVariant> stored(fieldCount());
    for (int i = 0; i < columns.size(); ++i)
        stored[columns[i]] = normalise(columns[i], query.value(i));
    const QString conflict = conflictMessage(change, columns, stored);
    if (!conflict.isEmpty())
        throw EngineError(conflict);
}

// Names the row and lists, for each field changed meanwhile, the value read,
// the value stored now and the value typed (a deleted row has none typed);
// empty when no field has changed.
QString DataSet::conflictMessage(const Change& change, const QVector<int>& columns,
                                 const QVector<QVariant>& stored) const
{
    const QVector<QVariant>& read = *change.original;
    QStringList lines{
        QStringLiteral("%1: запись изменил другой пользователь, пока она была открыта у вас. "
                       "Сохранение отменено, ваши изменения не записаны; «Обновить» покажет "
                       "сохранённые значения")
            .arg(describeRow ? describeRow(*this, read) : objectName())};
    for (const int c : columns) {
        if (sameValue(stored[c], read[c]))
            continue;
        QString line = QStringLiteral("%1: было %2, сейчас в базе %3")
                           .arg(m_fieldNames[c], quoted(read[c]), quoted(stored[c]));
        if (change.kind == Change::Kind::Modify)
            line += QStringLiteral(", введено %1").arg(quoted((*change.values)[c]));
        lines << line;
    }
    return lines.size() > 1 ? lines.join(QLatin1Char('\n')) : QString();
}

void DataSet::applyUpdates()
{
    if (!active())
        throw EngineError(QStringLiteral("%1: Cannot perform this operation on a closed dataset")
                              .arg(objectName()));
    EditingSnapshot snapshot;
    if (editing()) {
        const Row& row = m_rows[m_current];
        snapshot = {m_state, m_current, row.status, row.changeOrder, m_editBackup, m_modified};
        post();
    }
    std::vector<std::pair<int, QVariant>> filled;
    try {
        fillNewRows(filled);
        const std::vector<Change> changes = pendingChanges();
        if (!changes.empty() && !m_updateObject)
            throw EngineError(QStringLiteral("%1: нет объекта обновления для записи изменений")
                                  .arg(objectName()));
        for (const Change& change : changes)
            runChange(change);
    } catch (...) {
        const int c = findField(m_filledOnApply);
        for (const auto& [row, value] : filled)
            m_rows[row].values[c] = value;
        restoreEditing(snapshot);
        throw;
    }
}

// Gives every held-back new row the value that only the apply fills, in the
// order the rows were added, and notes each row's value before, to put back
// when the apply fails.
void DataSet::fillNewRows(std::vector<std::pair<int, QVariant>>& filled)
{
    const int c = findField(m_filledOnApply);
    if (c < 0 || !m_fillNext)
        return;
    std::vector<int> fresh;
    for (int row = 0; row < recordCount(); ++row)
        if (m_rows[row].status == RowStatus::Inserted)
            fresh.push_back(row);
    std::sort(fresh.begin(), fresh.end(),
              [this](int a, int b) { return m_rows[a].changeOrder < m_rows[b].changeOrder; });
    for (const int row : fresh) {
        const QVariant value = normalise(c, m_fillNext());
        filled.emplace_back(row, m_rows[row].values[c]);
        m_rows[row].values[c] = value;
    }
}

void DataSet::restoreEditing(const EditingSnapshot& snapshot)
{
    if (snapshot.state == State::Browse)
        return;
    Row& row = m_rows[snapshot.row];
    row.status = snapshot.status;
    row.changeOrder = snapshot.changeOrder;
    m_editBackup = snapshot.backup;
    m_modified = snapshot.modified;
    m_current = snapshot.row;
    setState(snapshot.state);
    Q_EMIT rowChanged(m_current);
    Q_EMIT currentChanged(m_current);
}

void DataSet::commitUpdates()
{
    for (Row& row : m_rows) {
        row.status = RowStatus::Unchanged;
        row.original = row.values;
        row.changeOrder = 0;
    }
    m_removed.clear();
    Q_EMIT updatesCommitted();
}

DataSet::RowMark DataSet::markOf(const Row& row) const
{
    switch (row.status) {
    case RowStatus::Inserted:
        return RowMark::Inserted;
    case RowStatus::Modified:
        return RowMark::Modified;
    default:
        return RowMark::None;
    }
}

DataSet::RowMark DataSet::rowMark(int row) const
{
    if (row < 0 || row >= recordCount())
        return RowMark::None;
    const RowMark mark = markOf(m_rows[row]);
    if (row != m_current || !editing())
        return mark;
    if (m_state == State::Insert)
        return m_modified ? RowMark::Inserted : RowMark::None;
    return mark == RowMark::None && m_modified ? RowMark::Modified : mark;
}

QVariantList DataSet::removedValues(const QString& field) const
{
    QVariantList values;
    const int c = findField(field);
    if (c >= 0)
        for (const Removed& removed : m_removed)
            values << removed.original[c];
    return values;
}

DataSet::HeldBack DataSet::heldBack() const
{
    HeldBack count;
    count.deleted = static_cast<int>(m_removed.size());
    for (int row = 0; row < recordCount(); ++row) {
        const RowMark mark = rowMark(row);
        count.inserted += mark == RowMark::Inserted;
        count.modified += mark == RowMark::Modified;
    }
    return count;
}

void DataSet::followMaster()
{
    if (!active())
        return;
    close();
    open();
}
