// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/TStringGrid.h"

#include "toolkit/StringGridModel.h"
#include "toolkit/TabLeavesGrid.h"

#include <QHeaderView>

TStringGrid::TStringGrid(QWidget* parent) : QTableView(parent), m_model(new StringGridModel(this))
{
    setModel(m_model);
    TabLeavesGrid::install(this);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setShowGrid(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWordWrap(false);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Interactive);
        header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        header->setHighlightSections(false);
    }
    verticalHeader()->setMinimumWidth(64);
    setDefaultColWidth(64);
    setDefaultRowHeight(24);
}

int TStringGrid::colCount() const
{
    return m_model->colCount();
}

void TStringGrid::setColCount(int count)
{
    m_model->setColCount(count);
}

int TStringGrid::rowCount() const
{
    return m_model->gridRowCount();
}

void TStringGrid::setRowCount(int count)
{
    m_model->setGridRowCount(count);
}

QString TStringGrid::cell(int col, int row) const
{
    return m_model->cell(col, row);
}

void TStringGrid::setCell(int col, int row, QString text)
{
    m_model->setCell(col, row, std::move(text));
}

void TStringGrid::setDefaultColWidth(int width)
{
    horizontalHeader()->setDefaultSectionSize(width);
}

void TStringGrid::setDefaultRowHeight(int height)
{
    verticalHeader()->setMinimumSectionSize(qMin(height, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(height);
}
