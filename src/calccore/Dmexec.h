// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calccore/ModelLevels.h"
#include "engine/DataSet.h"
#include "engine/DataSource.h"
#include "engine/UpdateSql.h"

#include <QObject>
#include <QVariant>
#include <array>
#include <vector>

class Database;

// The calculation data module: the working set of level rows the calculation
// computes on. It reads the levels of one model (setModel) from MATHLEVEL, in
// LVLNUMBER order, when opened, lets the sweep and the formulas read and
// change the parameters of a level, and drops every change when closed: the
// store is never written.
//
// Level number k addresses the k-th row; numbers of 1 and below address the
// first row; a number beyond the row count reads 0 and ignores writes. The
// rows are indexed, so every access is constant time, and a write is seen by
// every later read of that row until the working set is closed.
class TdmExecute : public QObject
{
    Q_OBJECT
public:
    explicit TdmExecute(QObject* parent = nullptr);

    // The connection the query reads through; at start-up the application
    // hands it its connection to the alias MODEL.
    void setDatabase(Database* database) { qryExecLevel.setDatabase(database); }

    // The model whose levels the next opening reads (its MODID); closes the working set.
    void setModel(int modelId);
    int modelId() const { return m_model.modelId; }

    // Opening reads the model's name and its level rows from the store;
    // closing discards every change.
    void open();
    void close();
    bool active() const { return qryExecLevel.active(); }
    int levelCount() const { return m_count; }
    // The model and its levels as the last opening read them, before any change.
    const ModelLevels& model() const { return m_model; }
    // The model and its levels as stored now, read through a short opening of
    // the working set, which is closed afterwards.
    ModelLevels readModel(int modelId);

    int GetLvlNodeAmount(int k) const { return readInt(k, NodeAmount); }
    void SetLvlNodeAmount(int k, int v) { writeInt(k, NodeAmount, v); }
    int GetLvlTskDcsTime(int k) const { return readInt(k, TskDcsTime); }
    void SetLvlTskDcsTime(int k, int v) { writeInt(k, TskDcsTime, v); }
    int GetLvlTskFlowInt(int k) const { return readInt(k, TskFlowInt); }
    void SetLvlTskFlowInt(int k, int v) { writeInt(k, TskFlowInt, v); }
    // Raises ConvertError, naming the level and the parameter, when the value is empty.
    double GetLvlTskFlowDist(int k) const
    {
        const int i = indexOf(k);
        if (i < 0)
            return 0.0;
        if (m_rows[i].null[TskFlowDist]) [[unlikely]]
            raiseEmptyFlowDist(i + 1);
        return m_rows[i].real[TskFlowDist];
    }
    void SetLvlTskFlowDist(int k, double v) { writeReal(k, TskFlowDist, v); }
    int GetLvlNodeCostDelay(int k) const { return readInt(k, NodeCostDelay); }
    void SetLvlNodeCostDelay(int k, int v) { writeInt(k, NodeCostDelay, v); }
    int GetLvlNodeCostUse(int k) const { return readInt(k, NodeCostUse); }
    void SetLvlNodeCostUse(int k, int v) { writeInt(k, NodeCostUse, v); }
    // Stored as a real number: 5 is held as 5.0.
    void SetLvlCostLimit(int k, int v) { writeReal(k, CostLimit, v); }
    double GetRTLvlNodeAmount(int k) const { return readReal(k, RTNodeAmount); }
    void SetRTLvlNodeAmount(int k, double v) { writeReal(k, RTNodeAmount, v); }
    int GetLvlNodeCostDelay_DcsInt(int k) const { return readInt(k, NodeCostDelayDcsInt); }

    // The rows and the model of other as they stand now, for a sweep worker
    // that computes on its own copy; the copy has no store and is never opened.
    void copyRows(const TdmExecute& other)
    {
        m_rows = other.m_rows;
        m_count = other.m_count;
        m_model = other.m_model;
    }

    // What the working set holds in a column of level k (positioned as the
    // accessors are): an int or a double by the column's type, null when empty
    // or beyond the last row. For listings and checks; the calculation uses the accessors.
    QVariant cellValue(int k, const QString& column) const;

    // Components, in design order.
    DataSet qryExecLevel;
    DataSource dsrExecLevel;
    UpdateSql UpdateSQL1;

private:
    enum Column {
        NodeAmount,
        TskDcsTime,
        TskFlowInt,
        TskFlowDist,
        NodeCostDelay,
        NodeCostUse,
        CostLimit,
        RTNodeAmount,
        NodeCostDelayDcsInt,
        NodeCostDelayDcsInt2, // no formula reads it; read for listings
        ColumnCount
    };
    // A column is held as an integer or as a real by its type; the other slot stays unused.
    struct Row
    {
        std::array<qint32, ColumnCount> integer{};
        std::array<double, ColumnCount> real{};
        std::array<bool, ColumnCount> null{};
    };

    [[noreturn, gnu::cold]] static void raiseEmptyFlowDist(int level);
    void defineQuery();
    void defineUpdates();
    void loadRows();
    void loadModel();

    // The index of the row level k addresses, -1 when k is beyond the last row.
    int indexOf(int k) const
    {
        if (m_count == 0 || k > m_count)
            return -1;
        return k > 1 ? k - 1 : 0;
    }
    int readInt(int k, Column c) const
    {
        const int i = indexOf(k);
        return i < 0 ? 0 : m_rows[i].integer[c];
    }
    double readReal(int k, Column c) const
    {
        const int i = indexOf(k);
        return i < 0 ? 0.0 : m_rows[i].real[c];
    }
    void writeInt(int k, Column c, int v)
    {
        const int i = indexOf(k);
        if (i < 0)
            return;
        m_rows[i].integer[c] = v;
        m_rows[i].null[c] = false;
    }
    void writeReal(int k, Column c, double v)
    {
        const int i = indexOf(k);
        if (i < 0)
            return;
        m_rows[i].real[c] = v;
        m_rows[i].null[c] = false;
    }

    std::vector<Row> m_rows;
    int m_count = 0;
    ModelLevels m_model;
};

extern TdmExecute* dmExecute;
