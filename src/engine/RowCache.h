// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVariant>
#include <QVector>
#include <vector>

// The rows a data set holds in memory and what they hold back for the next
// apply: each row's values and the values it was read with, whether it is new
// or changed and when that happened, and the rows deleted since the last
// apply. Knows nothing of the store, the current record or the editing state.
class RowCache
{
public:
    using Values = QVector<QVariant>;
    enum class Status { Unchanged, Modified, Inserted };
    // What a row holds back for the next apply.
    enum class Mark { None, Inserted, Modified };
    struct HeldBack
    {
        int inserted = 0;
        int modified = 0;
        int deleted = 0;
        int total() const { return inserted + modified + deleted; }
    };
    struct Row
    {
        Values values;
        Values original;
        Status status = Status::Unchanged;
        quint64 changeOrder = 0;
    };
    // One write of the next apply; the pointers stay valid until the rows change.
    struct Change
    {
        enum class Kind { Modify, Insert, Delete } kind;
        const Values* values;
        const Values* original;
        quint64 order;
    };
    // What revert() did to a row.
    enum class Revert { Nothing, Dropped, Restored };

    int size() const { return static_cast<int>(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }
    Row& row(int row) { return m_rows[row]; }
    const Row& row(int row) const { return m_rows[row]; }

    // Replaces every row by rows as read: nothing is held back and the order
    // of changes starts again.
    void reset(std::vector<Values> rows);
    void clear();
    // Puts a blank new row of width fields at place row.
    void insertNew(int row, int width);
    // A posted record: a new one takes the next place in the order of
    // changes, a row as read becomes changed and keeps its first place.
    void markPosted(int row, bool newRecord);
    // Drops a row, holding nothing back.
    void erase(int row);
    // Deletes a row; a row the store holds is written as a deletion at the next apply.
    void remove(int row);
    // Drops a new row, or gives a changed row the values it was read with back.
    Revert revert(int row);
    bool hasRemoved() const { return !m_removed.empty(); }
    // Brings the row deleted last back, as read, at the place it was deleted
    // from (or the end, when the rows have shrunk below it); returns the place.
    int restoreRemoved();
    // The held-back writes in the order they were made, leaving out the row
    // skip (a new record not posted yet; -1 for none).
    std::vector<Change> pending(int skip = -1) const;
    // The new rows in the order they were added.
    std::vector<int> newRows() const;
    // The held-back changes became the content as read.
    void commit();
    // The first row whose field column holds value; -1 when none does.
    int find(int column, const QVariant& value) const;
    // Null equals only null.
    static bool sameValue(const QVariant& a, const QVariant& b);
    // None for a row out of range.
    Mark mark(int row) const;
    // Counts the marks, taking editedMark for the row edited (-1 for none).
    HeldBack heldBack(int edited = -1, Mark editedMark = Mark::None) const;
    // The values of one field in the rows deleted since the last apply, as read.
    QVariantList removedValues(int column) const;

private:
    struct Removed
    {
        Values original;
        quint64 changeOrder = 0;
        int row = 0; // where it stood when it was deleted
    };

    std::vector<Row> m_rows;
    std::vector<Removed> m_removed;
    quint64 m_nextChange = 1;
};
