// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantList>

class DataSet;

// Where a list's cursor stands, by key, so that a re-read of the list leaves
// it on the same record: a new record saved just now by the key it received.
// When that record is gone (deleted, here or by another user), the cursor
// goes to its neighbour: the next record, or the previous one when it was
// the last; with none of them left, it stays on the first.
class KeptPlace
{
public:
    KeptPlace(const DataSet& list, const QString& keyField);
    void restore(DataSet& list) const;

private:
    QString m_field;
    QVariantList m_keys; // the current record's, the next one's, the previous one's
};
