// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

class QAbstractItemView;
class QLabel;

// A line across a grid's empty area while the grid has no rows and the
// condition holds (e.g. its table could be read), telling the user how to get
// some. It is a label (a screen reader reads it), laid over the grid's
// viewport and hidden as soon as a row appears.
class EmptyGridHint : public QObject
{
    Q_OBJECT
public:
    EmptyGridHint(QAbstractItemView* grid, const QString& objectName, const QString& text,
                  std::function<bool()> condition);

    QLabel* label() const { return m_label; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();

    QAbstractItemView* m_grid;
    QWidget* m_viewport;
    std::function<bool()> m_condition;
    QLabel* m_label;
};
