// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QPointer>
#include <QVector>
#include <exception>
#include <functional>

class DataSet;
class DataSource;

// A table model over the data set of a data source: one row per record in the
// data set's order, one column per configured field. Editing a cell moves the
// data set to that record, puts it into edit state and writes the typed text
// through the field's conversion; the row header marks the current record
// and the rows that hold changes back, which are also tinted.
class DataSetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString field;
        QString title;
        int width = -1; // -1: the grid's default width
    };

    // Text typed into a cell that the field refuses (too long, not a number):
    // the cell, the text and the error, for the grid to show and keep.
    using Refused = std::function<void(const QModelIndex&, const QString&, std::exception_ptr)>;

    explicit DataSetModel(QObject* parent = nullptr);
    void setRefused(Refused refused) { m_refused = std::move(refused); }

    void setDataSource(DataSource* source);
    DataSet* dataSet() const;
    void setColumns(const QVector<Column>& columns);
    const QVector<Column>& columns() const { return m_columns; }
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    void reset();
    void rowChanged(int row);
    void markCurrent();
    void markAll();
    int fieldIndex(int column) const;

    QPointer<DataSource> m_source;
    QVector<Column> m_columns;
    bool m_readOnly = false;
    Refused m_refused;
};
