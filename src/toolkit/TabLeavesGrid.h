// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAbstractItemView;

// Makes Tab and Ctrl+Tab (with Shift, backwards) move the focus from a grid
// to the next control of its window instead of from cell to cell; the arrow
// keys still move between cells.
class TabLeavesGrid : public QObject
{
    Q_OBJECT
public:
    static void install(QAbstractItemView* grid);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TabLeavesGrid(QObject* parent) : QObject(parent) {}
};
