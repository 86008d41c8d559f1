// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <optional>

class QAbstractItemView;

// Makes Tab and Ctrl+Tab (with Shift, backwards) move the focus from a grid
// to the next control of its window instead of from cell to cell; the arrow
// keys still move between cells.
class TabLeavesGrid : public QObject
{
    Q_OBJECT
public:
    static void install(QAbstractItemView* grid);
    // For a press of Ctrl+Tab, whether it goes forwards (Ctrl+Shift+Tab goes
    // backwards); nothing for any other event. Widgets do not take it as a
    // focus key, so grids that leave on it recognise it here.
    static std::optional<bool> ctrlTabForwards(const QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit TabLeavesGrid(QObject* parent) : QObject(parent) {}
};
