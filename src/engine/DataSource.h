// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class DataSet;

// Binds controls (grids, data-bound edits) to a data set.
class DataSource : public QObject
{
    Q_OBJECT
public:
    explicit DataSource(const QString& name, QObject* parent = nullptr) : QObject(parent)
    {
        setObjectName(name);
    }

    void setDataSet(DataSet* dataSet) { m_dataSet = dataSet; }
    DataSet* dataSet() const { return m_dataSet; }

private:
    DataSet* m_dataSet = nullptr;
};
