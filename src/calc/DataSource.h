#pragma once

#include <QObject>

class DataSet;

// Links a data set to the controls that show it. A source with no control
// bound only names the data set it stands for.
class DataSource : public QObject
{
    Q_OBJECT
public:
    DataSource(const QString& name, DataSet* dataSet, QObject* parent = nullptr)
        : QObject(parent), m_dataSet(dataSet)
    {
        setObjectName(name);
    }

    DataSet* dataSet() const { return m_dataSet; }

private:
    DataSet* m_dataSet;
};
